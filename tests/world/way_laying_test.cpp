// Laying roads and tracks along dragged paths: pieces, prices and bookings,
// level crossings, slopes, refusals and the joining to the network.

#include "construction_fixture.h"
#include "world/way_piece_tables.h"

namespace {

class WayLayingTest : public ConstructionTest {};

TEST_F(WayLayingTest, PricesPerNewFieldAndBookings) {
    DragRoad(10, 20, 14, 20, kWayGravelRoad);  // gravel is free
    EXPECT_EQ(F(12, 20).wegteil(), 2);
    EXPECT_EQ(F(10, 20).richtung(), kDirE);
    EXPECT_TRUE(F(10, 20).ende());
    EXPECT_EQ(Cash(), kStartCash);
    EXPECT_EQ(NetworkLength(), 5);
    ASSERT_EQ(Services().sound.effects.size(), 1u);
    EXPECT_EQ(Services().sound.effects[0].effect, 2);
    EXPECT_EQ(Net().path_list, nullptr);
    // Asphalt over gravel and back is free.
    DragRoad(10, 20, 14, 20, kWayAsphaltRoad);
    EXPECT_EQ(F(12, 20).wegtyp(), kWayAsphaltRoad);
    DragRoad(14, 20, 10, 20, kWayGravelRoad);
    EXPECT_EQ(F(12, 20).wegtyp(), kWayGravelRoad);
    EXPECT_EQ(Cash(), kStartCash);

    const struct {
        int32_t wayType, price;
    } cases[] = {
        {kWayAsphaltRoad, 220}, {kWayRail, 290}, {kWayMonorail, 360}, {kWaySuperconductor, 420}};
    int32_t row = 30;
    for (const auto& c : cases) {
        const int64_t before = Cash();
        if (IsRoadWay(c.wayType)) {
            DragRoad(10, row, 13, row, c.wayType);
        } else {
            DragTrack(10, row, 13, row, c.wayType);
        }
        EXPECT_EQ(before - Cash(), 4 * c.price) << c.wayType;
        row += 5;
    }
    const int64_t before = Cash();
    DragTrack(10, 35, 13, 35, kWayRail);  // already there: free
    EXPECT_EQ(Cash(), before);

    // A city street keeps its way type under a player road and is not paid.
    for (int32_t x = 12; x <= 14; ++x) {
        F(x, 60).set_wegtyp(kWayCityStreet);
        F(x, 60).set_wegteil(2);
        F(x, 60).set_stadtnum(4);
    }
    DragRoad(10, 60, 16, 60, kWayAsphaltRoad);
    EXPECT_EQ(F(13, 60).wegtyp(), kWayCityStreet);
    EXPECT_EQ(F(15, 60).wegtyp(), kWayAsphaltRoad);
    EXPECT_EQ(before - Cash(), 4 * 220);
}

TEST_F(WayLayingTest, RoadAcrossRailMakesLevelCrossingsKeepingTheTrackOwner) {
    // A north-south rail of player 2 crossed by a road along x: piece 17.
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().LayTrackAlongY(10, 16, 20, 2), 1);
    DragRoad(17, 13, 23, 13, kWayAsphaltRoad);
    EXPECT_EQ(F(20, 13).wegteil(), kCrossingRoadEW);
    EXPECT_EQ(F(20, 13).wegtyp(), kWayAsphaltRoad);
    EXPECT_EQ(F(20, 13).spieler(), 2);
    EXPECT_EQ(F(20, 13).gleisr(), kDirsNS);
    EXPECT_EQ(F(20, 13).richtung(), kDirsEW);
    // Rail across a road straight: piece 16 along x, owned by the layer.
    DragRoad(60, 10, 60, 16, kWayGravelRoad);
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().LayTrackAlongX(57, 63, 13, 3), 1);
    EXPECT_EQ(F(60, 13).wegteil(), kCrossingRoadNS);
    EXPECT_EQ(F(60, 13).gleisr(), kDirsEW);
    EXPECT_EQ(F(60, 13).spieler(), 3);
}

TEST_F(WayLayingTest, RefusedLaysChangeNothing) {
    DragTrack(10, 10, 10, 13, kWayRail);
    DragTrack(10, 13, 13, 13, kWayRail);
    ASSERT_EQ(F(10, 13).wegteil(), 7);  // the N-E curve
    DragTrack(20, 10, 20, 16, kWayMonorail);
    DragTrack(30, 10, 30, 16, kWayRail);
    F(52, 20).set_teile_art(0);
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildBridge(60, 20, 67, 20, 0), 1);  // east-west
    F(73, 20).set_belegt(1);
    const WorldSnapshot before = TakeSnapshot();
    Services().sound.effects.clear();
    EXPECT_EQ(Net().LayRoadAlongX(8, 11, 13), 0);   // across a rail curve
    EXPECT_EQ(Net().LayRoadAlongX(50, 54, 20), 0);  // water, no bridge end
    EXPECT_EQ(Net().LayRoadAlongX(18, 22, 14), 0);  // across monorail
    EXPECT_EQ(Net().LayRoadAlongX(63, 64, 20), 0);  // along a bridge
    Net().SetWayType(kWayMonorail - 1);
    EXPECT_EQ(Net().LayTrackAlongX(28, 32, 13, 0), 0);  // monorail across rail
    Net().SetWayType(kWayRail - 1);
    EXPECT_EQ(Net().LayTrackAlongX(18, 22, 13, 0), 0);  // and rail across monorail
    EXPECT_EQ(Net().LayTrackAlongX(62, 65, 20, 0), 0);
    EXPECT_EQ(Net().LayTrackAlongX(90, 90, 10, 0), 0);  // equal ends
    EXPECT_EQ(Net().LayTrackAlongX(250, 255, 10, 0), 0);
    Net().LayRoadAlongPath(90, 10, 90, 10);     // an empty path
    DragRoad(70, 20, 76, 20, kWayAsphaltRoad);  // an occupied cell: silently
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    EXPECT_TRUE(Services().sound.effects.empty());
    EXPECT_EQ(Net().path_list, nullptr);
    // Across the bridge a way passes underneath.
    DragTrack(64, 17, 64, 23, kWayRail);
    EXPECT_EQ(F(64, 20).gleisr(), kDirsNS);
    EXPECT_EQ(F(64, 20).bridge_piece(), 11);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 90, 40));
}

TEST_F(WayLayingTest, SlopesAlongTheAxisTakeRampsAcrossItRefuse) {
    SetHeights(22, 10, 40, 30, 3);  // a ramp rising east on (21, 20)
    ASSERT_EQ(F(21, 20).teile_diff(), 2);
    DragRoad(18, 20, 24, 20, kWayGravelRoad);
    EXPECT_EQ(F(21, 20).wegteil(), 14);
    EXPECT_EQ(F(21, 20).richtung(), kDirsEW);
    const WorldSnapshot before = TakeSnapshot();
    Net().SetWayType(kWayGravelRoad - 1);
    EXPECT_EQ(Net().LayRoadAlongY(23, 27, 21), 0);
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    SetHeights(60, 41, 80, 60, 3);  // rising south: piece 15 along y
    DragTrack(70, 37, 70, 43, kWayRail);
    EXPECT_EQ(F(70, 40).wegteil(), 15);
}

TEST_F(WayLayingTest, ForestGoesOnlyWithALaidSegment) {
    F(12, 20).set_forest_flag(true);
    F(12, 20).set_data_word(0x1234);
    F(14, 20).set_teile_art(0);  // water refuses the segment
    Net().SetWayType(kWayGravelRoad - 1);
    EXPECT_EQ(Net().LayRoadAlongX(10, 14, 20), 0);
    EXPECT_EQ(F(12, 20).data_word(), 0x1234);
    Services().view.tile_in_view = 1;
    EXPECT_EQ(Net().LayRoadAlongX(10, 13, 20), 1);
    EXPECT_FALSE(F(12, 20).forest_flag());
    EXPECT_EQ(F(12, 20).data_word(), 0);
    EXPECT_EQ(GS().redraw_objects, 1);
}

TEST_F(WayLayingTest, BuildingsOnTheSegment) {
    // A city house anywhere refuses.
    F(12, 20).set_stadtnum(3);
    F(12, 20).set_stadtb(5);
    Net().SetWayType(kWayGravelRoad - 1);
    EXPECT_EQ(Net().LayRoadAlongX(12, 15, 20), 0);
    EXPECT_EQ(Net().LayRoadAlongX(10, 13, 20), 0);
    // A depot of type 1 (exit east) at the west end is accepted, one of type
    // 3 (exit west) refuses.
    Place(1, 1, 30, 30);
    DragRoad(30, 30, 34, 30, kWayGravelRoad);
    EXPECT_EQ(F(30, 30).richtung(), kDirE);
    EXPECT_TRUE(F(30, 30).knoten());
    EXPECT_EQ(Net().Node(F(30, 30).knotennummer())->ziel[kDirIndexE], 0);
    Place(2, 3, 40, 40);
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(Net().LayRoadAlongX(40, 44, 40), 0);
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    // An inner field with a factory refuses; a factory at an end takes the road.
    F(52, 50).set_building_flag(true);
    F(52, 50).set_data_word((14 << 10) | 9);
    EXPECT_EQ(Net().LayRoadAlongX(50, 54, 50), 0);
    EXPECT_EQ(Net().LayRoadAlongX(52, 56, 50), 1);
    EXPECT_EQ(F(52, 50).wegtyp(), kWayGravelRoad);
}

TEST_F(WayLayingTest, CrossingsAreJoinedByTheirStretch) {
    DragRoad(10, 10, 10, 20, kWayGravelRoad);
    DragRoad(16, 10, 16, 20, kWayGravelRoad);
    DragRoad(10, 15, 16, 15, kWayGravelRoad);
    EXPECT_EQ(F(10, 15).wegteil(), 4);  // N, E, S
    EXPECT_EQ(F(16, 15).wegteil(), 5);  // N, S, W
    const WayNode* west = Net().Node(F(10, 15).knotennummer());
    ASSERT_NE(west, nullptr);
    EXPECT_EQ(west->ziel[kDirIndexE], F(16, 15).knotennummer());
    EXPECT_EQ(west->cost[kDirIndexE], 6);
    // A road crossing the middle of the joining stretch makes a crossing.
    DragRoad(13, 12, 13, 18, kWayAsphaltRoad);
    EXPECT_EQ(F(13, 15).wegteil(), 11);
    EXPECT_EQ(west->ziel[kDirIndexE], F(13, 15).knotennummer());
    EXPECT_EQ(west->cost[kDirIndexE], 3);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 40, 40));
}

TEST_F(WayLayingTest, RoadsRunOnlyAlongEmptyStationRows) {
    Place(1, 6, 100, 100);  // an empty track row 100, head row 101
    Place(2, 7, 120, 100);  // an empty track column 121
    DragTrack(118, 95, 118, 110, kWayRail);
    const WorldSnapshot before = TakeSnapshot();
    Net().SetWayType(kWayGravelRoad - 1);
    EXPECT_EQ(Net().LayRoadAlongY(97, 100, 101), 0);  // across a row
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    DragRoad(96, 100, 100, 100, kWayGravelRoad);  // along it: a road row
    for (int32_t x = 100; x <= 103; ++x) EXPECT_EQ(F(x, 100).wegtyp(), kWayGravelRoad) << x;
    // A road may not end on a station row with track.
    DragTrack(121, 96, 121, 100, kWayRail);
    ASSERT_EQ(F(121, 100).wegtyp(), kWayRail);
    const WorldSnapshot withTrack = TakeSnapshot();
    EXPECT_EQ(Net().LayRoadAlongX(124, 121, 101), 0);
    EXPECT_TRUE(SameWorld(withTrack, TakeSnapshot()));
    EXPECT_TRUE(GraphMatchesMap(Net(), 80, 80, 140, 140));
}

TEST_F(WayLayingTest, AStretchIsLinkedWhenThePathsFirstSegmentIsRefused) {
    // Two junctions at (20, 10) and (20, 16) with a gap in the road between.
    DragRoad(18, 10, 22, 10, kWayGravelRoad);
    DragRoad(20, 10, 20, 12, kWayGravelRoad);
    DragRoad(18, 16, 22, 16, kWayGravelRoad);
    DragRoad(20, 14, 20, 16, kWayGravelRoad);
    // A drag from a water field: its first segment is refused.
    F(20, 11).set_teile_art(0);
    F(19, 13).set_teile_art(0);
    Net().SetWayType(kWayAsphaltRoad - 1);
    SetPath({{20, 13}, {20, 14}});
    Net().LayRoadAlongPath(19, 13, 20, 14);  // (19,13)-(20,13) along x is refused
    EXPECT_EQ(F(19, 13).wegtyp(), 0);
    ASSERT_EQ(F(20, 13).wegtyp(), kWayAsphaltRoad);
    const WayNode* north = Net().Node(F(20, 10).knotennummer());
    ASSERT_NE(north, nullptr);
    EXPECT_EQ(north->ziel[kDirIndexS], F(20, 16).knotennummer());
    EXPECT_EQ(north->cost[kDirIndexS], 6);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 40, 40));
}

}  // namespace
