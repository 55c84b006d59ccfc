// Planning and laying roads and tracks along dragged paths (flood and trace,
// pieces, prices, crossings, slopes, refusals, joining); the node table, its
// level-file records and the route search with the settle order vehicles use.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "construction_fixture.h"
#include "platform/file.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/le_io.h"
#include "world/pair_list.h"
#include "world/path_evaluation.h"
#include "world/tile_marker.h"
#include "world/way_piece_tables.h"

namespace {

using Cells = std::vector<std::pair<int32_t, int32_t>>;

class PlannerTest : public ConstructionTest {
  protected:
    Cells Path() {
        Cells cells;
        for (const PathCell* c = Net().path_list; c != nullptr; c = c->next) {
            cells.emplace_back(c->x, c->y);
        }
        return cells;
    }
    // Every consecutive pair of the path (from the start) are neighbours.
    static bool IsContinuous(std::pair<int32_t, int32_t> prev, const Cells& cells) {
        for (auto cell : cells) {
            if (std::abs(cell.first - prev.first) + std::abs(cell.second - prev.second) != 1) {
                return false;
            }
            prev = cell;
        }
        return true;
    }
    void Water(int32_t x, int32_t y) { F(x, y).set_teile_art(0); }
};

TEST_F(PlannerTest, PathsFollowTheFloodAndTraceOrderWithinTheBox) {
    Net().PushPathCell(1, 1);  // an old path is dropped
    EXPECT_EQ(Net().PlanRoadPath(40, 40, 40, 40), 1);
    EXPECT_TRUE(Path().empty());
    ASSERT_EQ(Net().PlanRoadPath(50, 50, 52, 52), 1);
    EXPECT_EQ(Path(), (Cells{{50, 51}, {50, 52}, {51, 52}, {52, 52}}));
    ASSERT_EQ(Net().PlanRoadPath(52, 52, 50, 50), 1);
    EXPECT_EQ(Path(), (Cells{{52, 51}, {52, 50}, {51, 50}, {50, 50}}));
    // On a long path the labels wrap from 126 to 1.
    ASSERT_EQ(Net().PlanRoadPath(10, 100, 160, 100), 1);
    EXPECT_EQ(std::tuple(Path().size(), Path().back()), std::tuple(150u, std::pair(160, 100)));
    EXPECT_EQ(std::tuple(F(135, 100).laenge(), F(136, 100).laenge()), std::tuple(126, 1));
    // A goal ringed by water, or off the plannable map, leaves no path.
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) Water(70 + dx, 70 + dy);
    EXPECT_EQ(Net().PlanRoadPath(60, 70, 70, 70), 0);
    EXPECT_TRUE(Path().empty());
    EXPECT_EQ(Net().PlanRoadPath(-1, 70, 70, 70), 0);
    EXPECT_EQ(Net().PlanRoadPath(250, 70, 255, 70), 0);  // column 255 is never planned
    // A wall of water across the box (x 80..99) with a gap at its west edge;
    // closed inside the box, the way round lies outside it.
    for (int32_t x = 81; x <= 100; ++x) Water(x, 120);
    EXPECT_EQ(Net().PlanRoadPath(90, 115, 90, 125), 1);
    for (int32_t x = 75; x <= 110; ++x) Water(x, 120);
    EXPECT_EQ(Net().PlanRoadPath(90, 115, 90, 125), 0);
}

TEST_F(PlannerTest, WaysCrossStraightWaysNeverRunAlongThemAndUseADepotsExitOnly) {
    LayLine(60, 30, 60, 70, kWayGravelRoad);
    Net().current_way_type = kWayRail;
    ASSERT_EQ(Net().PlanTrackPath(55, 50, 65, 50), 1);
    EXPECT_EQ(Path().size(), 10u);  // straight across
    ASSERT_EQ(Net().PlanTrackPath(60, 44, 60, 56), 1);
    Cells cells = Path();
    EXPECT_TRUE(IsContinuous({60, 44}, cells));
    for (size_t k = 0; k + 1 < cells.size(); ++k) EXPECT_NE(cells[k].first, 60);
    EXPECT_GT(cells.size(), 12u);
    // Monorail crosses no other way; a road crosses a straight rail only.
    Net().current_way_type = kWayMonorail;
    EXPECT_EQ(Net().PlanTrackPath(55, 50, 65, 50), 0);
    LayLine(140, 30, 140, 70, kWayRail);
    ASSERT_EQ(Net().PlanRoadPath(135, 50, 145, 50), 1);
    EXPECT_EQ(Path().size(), 10u);
    LayLine(120, 30, 120, 70, kWayMonorail);
    EXPECT_EQ(Net().PlanRoadPath(115, 50, 125, 50), 0);
    // A depot of type 1 is entered and left through its east exit only.
    MapField& depot = F(80, 50);
    depot.set_building_flag(true);
    depot.set_geb_num(3);
    depot.set_geb_typ(1);
    depot.set_wegtyp(kWayCityStreet);
    depot.set_wegteil(2);
    services_.AddBuilding(3, 80, 50);
    ASSERT_EQ(Net().PlanRoadPath(75, 50, 80, 50), 1);
    cells = Path();
    ASSERT_GE(cells.size(), 2u);
    EXPECT_EQ(cells[cells.size() - 2], std::make_pair(81, 50));
    EXPECT_TRUE(IsContinuous({75, 50}, cells));
    ASSERT_EQ(Net().PlanRoadPath(80, 50, 75, 50), 1);
    EXPECT_EQ(Path().front(), std::make_pair(81, 50));
}

TEST_F(PlannerTest, TheTraceNeedsAWayBackAndIgnoresLabelsLeftOutsideTheBox) {
    // Labels 1, 2, 3 along a row, but the goal's exits do not lead back.
    for (int32_t x = 10; x <= 12; ++x) F(x, 10).set_laenge(static_cast<uint32_t>(x - 9));
    g_pGameState->path_exit_mask[FieldIndex(12, 10)] = kDirE;
    g_pGameState->path_exit_mask[FieldIndex(11, 10)] = kDirW;
    EXPECT_FALSE(Net().TracePlannedPath(10, 10, 12, 10, 3));
    EXPECT_EQ(Net().path_list, nullptr);
    g_pGameState->path_exit_mask[FieldIndex(12, 10)] = kDirW;
    EXPECT_TRUE(Net().TracePlannedPath(10, 10, 12, 10, 3));
    EXPECT_EQ(Path(), (Cells{{11, 10}, {12, 10}}));
    // Water leaves only a way round along the box's west column (x = 10);
    // just outside it, labels of an earlier plan are what the trace looks
    // for next on each row.
    for (int32_t x = 11; x <= 29; ++x) {
        for (int32_t y = 21; y <= 29; ++y) Water(x, y);
    }
    for (int32_t y = 21; y <= 30; ++y) F(9, y).set_laenge(static_cast<uint32_t>(y - 10));
    ASSERT_EQ(Net().PlanRoadPath(20, 20, 20, 30), 1);
    const Cells cells = Path();
    EXPECT_TRUE(IsContinuous({20, 20}, cells));
    EXPECT_EQ(cells.back(), std::make_pair(20, 30));
    for (auto [x, y] : cells) EXPECT_GE(x, 10);
}

TEST_F(PlannerTest, PortalsAndBridgesOverrideTheExits) {
    MapField& portal = F(30, 30);
    portal.set_tportal(true);
    portal.set_teile_diff(1);  // the tunnel runs north: planned roads leave south
    portal.set_wegtyp(kWayGravelRoad);
    EXPECT_EQ(EvaluateRoadPathField(30, 30), kDirS);
    portal.set_wegtyp(kWayRail);
    EXPECT_EQ(EvaluateTrackPathField(30, 30, kWayRail), kDirS);
    EXPECT_NE(EvaluateTrackPathField(30, 30, kWayMonorail), kDirS);
    MapField& end = F(34, 34);
    end.set_bridge_flag(true);
    end.set_bridge_end(true);
    end.set_bridge_piece(5);  // west end: leaves west, off the bridge
    end.set_bridge_wegtyp(kWayRail);
    EXPECT_EQ(std::tuple(EvaluateRoadPathField(34, 34), EvaluateTrackPathField(34, 34, kWayRail)),
              std::tuple(0, kDirW));
    // A road may step onto a road bridge end from its open side only.
    end.set_bridge_wegtyp(kWayGravelRoad);
    EXPECT_TRUE(EvaluateRoadPathField(33, 34) & kDirE);
    EXPECT_FALSE(EvaluateRoadPathField(35, 34) & kDirW);
    // Rail passes straight under the span of an asphalt road bridge.
    Net().current_way_type = kWayAsphaltRoad;
    ASSERT_EQ(Net().BuildBridge(100, 40, 100, 46, 0), 1);
    Net().current_way_type = kWayRail;
    ASSERT_EQ(Net().PlanTrackPath(96, 43, 104, 43), 1);
    EXPECT_EQ(Path().size(), 8u);
}

class WayLayingTest : public ConstructionTest {
  protected:
    void SetType(int32_t wayType) { Net().SetWayType(static_cast<uint8_t>(wayType - 1)); }
};

TEST_F(WayLayingTest, PricesPerNewFieldAndBookings) {
    F(11, 20).set_spieler(3);
    DragRoad(10, 20, 14, 20, kWayGravelRoad);  // gravel is free; a road writes no owner
    EXPECT_EQ(std::tuple(F(12, 20).wegteil(), F(10, 20).richtung(), F(10, 20).ende(), Cash(),
                         NetworkLength(), F(11, 20).spieler()),
              std::tuple(2, kDirE, true, kStartCash, 5, 3));
    ASSERT_EQ(Services().sound.effects.size(), 1u);
    EXPECT_EQ(Services().sound.effects[0].effect, 2);
    EXPECT_EQ(Net().path_list, nullptr);
    // Asphalt over gravel and back is free.
    DragRoad(10, 20, 14, 20, kWayAsphaltRoad);
    EXPECT_EQ(F(12, 20).wegtyp(), kWayAsphaltRoad);
    DragRoad(14, 20, 10, 20, kWayGravelRoad);
    EXPECT_EQ(std::tuple(F(12, 20).wegtyp(), Cash()), std::tuple(kWayGravelRoad, kStartCash));
    const std::pair<int32_t, int32_t> cases[] = {
        {kWayAsphaltRoad, 220}, {kWayRail, 290}, {kWayMonorail, 360}, {kWaySuperconductor, 420}};
    for (const auto& [wayType, price] : cases) {
        const int64_t before = Cash();
        const int32_t row = 5 * wayType + 20;
        IsRoadWay(wayType) ? DragRoad(10, row, 13, row, wayType)
                           : DragTrack(10, row, 13, row, wayType);
        EXPECT_EQ(before - Cash(), 4 * price) << wayType;
    }
    const int64_t before = Cash();
    DragTrack(10, 40, 13, 40, kWayRail);  // already there: free
    EXPECT_EQ(Cash(), before);
    // A city street keeps its way type under a player road and is not paid.
    for (int32_t x = 12; x <= 14; ++x) {
        F(x, 60).set_wegtyp(kWayCityStreet);
        F(x, 60).set_wegteil(2);
        F(x, 60).set_stadtnum(4);
    }
    DragRoad(10, 60, 16, 60, kWayAsphaltRoad);
    EXPECT_EQ(std::tuple(F(13, 60).wegtyp(), F(15, 60).wegtyp(), before - Cash()),
              std::tuple(kWayCityStreet, kWayAsphaltRoad, 4 * 220));
}

TEST_F(WayLayingTest, RoadAcrossRailMakesLevelCrossingsKeepingTheTrackOwner) {
    // A north-south rail of player 2 crossed by a road along x: piece 17.
    SetType(kWayRail);
    ASSERT_EQ(Net().LayTrackAlongY(10, 16, 20, 2), 1);
    DragRoad(17, 13, 23, 13, kWayAsphaltRoad);
    const MapField& a = F(20, 13);
    EXPECT_EQ(std::tuple(a.wegteil(), a.wegtyp(), a.spieler(), a.gleisr(), a.richtung()),
              std::tuple(kCrossingRoadEW, kWayAsphaltRoad, 2, kDirsNS, kDirsEW));
    // Rail across a road straight: piece 16 along x, owned by the layer.
    DragRoad(60, 10, 60, 16, kWayGravelRoad);
    SetType(kWayRail);
    ASSERT_EQ(Net().LayTrackAlongX(57, 63, 13, 3), 1);
    const MapField& b = F(60, 13);
    EXPECT_EQ(std::tuple(b.wegteil(), b.gleisr(), b.spieler()),
              std::tuple(kCrossingRoadNS, kDirsEW, 3));
}

TEST_F(WayLayingTest, RefusedLaysChangeNothing) {
    DragTrack(10, 10, 10, 13, kWayRail);
    DragTrack(10, 13, 13, 13, kWayRail);
    ASSERT_EQ(F(10, 13).wegteil(), 7);  // the N-E curve
    DragTrack(20, 10, 20, 16, kWayMonorail);
    DragTrack(30, 10, 30, 16, kWayRail);
    F(52, 20).set_teile_art(0);
    SetType(kWayGravelRoad);
    ASSERT_EQ(Net().BuildBridge(60, 20, 67, 20, 0), 1);  // east-west
    F(73, 20).set_belegt(1);
    const WorldSnapshot before = TakeSnapshot();
    Services().sound.effects.clear();
    EXPECT_EQ(Net().LayRoadAlongX(8, 11, 13), 0);   // across a rail curve
    EXPECT_EQ(Net().LayRoadAlongX(50, 54, 20), 0);  // water, no bridge end
    EXPECT_EQ(Net().LayRoadAlongX(18, 22, 14), 0);  // across monorail
    EXPECT_EQ(Net().LayRoadAlongX(63, 64, 20), 0);  // along a bridge
    SetType(kWayMonorail);
    EXPECT_EQ(Net().LayTrackAlongX(28, 32, 13, 0), 0);  // monorail across rail
    SetType(kWayRail);
    EXPECT_EQ(Net().LayTrackAlongX(18, 22, 13, 0), 0);  // and rail across monorail
    EXPECT_EQ(Net().LayTrackAlongX(62, 65, 20, 0), 0);
    EXPECT_EQ(
        std::tuple(Net().LayTrackAlongX(90, 90, 10, 0), Net().LayTrackAlongX(250, 255, 10, 0)),
        std::tuple(0, 0));                      // equal ends, the map's edge
    Net().LayRoadAlongPath(90, 10, 90, 10);     // an empty path
    DragRoad(70, 20, 76, 20, kWayAsphaltRoad);  // an occupied cell: silently
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    EXPECT_TRUE(Services().sound.effects.empty());
    EXPECT_EQ(Net().path_list, nullptr);
    // Across the bridge a way passes underneath.
    DragTrack(64, 17, 64, 23, kWayRail);
    EXPECT_EQ(std::tuple(F(64, 20).gleisr(), F(64, 20).bridge_piece()), std::tuple(kDirsNS, 11));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 90, 40));
}

TEST_F(WayLayingTest, SlopesForestsAndBuildingsOnTheSegment) {
    SetHeights(22, 10, 40, 30, 3);  // a ramp rising east on (21, 20)
    DragRoad(18, 20, 24, 20, kWayGravelRoad);
    EXPECT_EQ(std::tuple(F(21, 20).wegteil(), F(21, 20).richtung()), std::tuple(14, kDirsEW));
    const WorldSnapshot before = TakeSnapshot();
    SetType(kWayGravelRoad);
    EXPECT_EQ(Net().LayRoadAlongY(23, 27, 21), 0);
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    SetHeights(60, 41, 80, 60, 3);  // rising south: piece 15 along y
    DragTrack(70, 37, 70, 43, kWayRail);
    EXPECT_EQ(F(70, 40).wegteil(), 15);
    // Every tested field loses its forest, also on a refused segment.
    F(12, 120).set_forest_flag(true);
    F(12, 120).set_data_word(0x1234);
    F(14, 120).set_teile_art(0);  // water refuses the segment
    Services().view.tile_in_view = 1;
    EXPECT_EQ(Net().LayRoadAlongX(10, 14, 120), 0);
    EXPECT_EQ(std::tuple(F(12, 120).forest_flag(), F(12, 120).data_word(), GS().redraw_objects,
                         F(12, 120).wegtyp()),
              std::tuple(false, 0, 1, 0));
    EXPECT_EQ(Net().LayRoadAlongX(10, 13, 120), 1);
    // A refused track segment still lays and charges the rest of a station
    // row it reached that already holds track.
    Place(9, 6, 60, 150);  // track row 150
    F(61, 150).set_wegtyp(kWayRail);
    F(61, 150).set_wegteil(2);
    F(65, 150).set_teile_art(0);
    SetType(kWayRail);
    const int64_t cash = Cash();
    EXPECT_EQ(Net().LayTrackAlongX(58, 65, 150, 0), 0);
    EXPECT_EQ(std::tuple(F(63, 150).wegtyp(), F(58, 150).wegtyp(), cash - Cash()),
              std::tuple(kWayRail, 0, 3 * 290));
    // A city house anywhere refuses.
    F(12, 140).set_stadtnum(3);
    F(12, 140).set_stadtb(5);
    EXPECT_EQ(std::tuple(Net().LayRoadAlongX(12, 15, 140), Net().LayRoadAlongX(10, 13, 140)),
              std::tuple(0, 0));
    // A depot of type 1 (exit east) at the west end is accepted, one of type
    // 3 (exit west) refuses.
    Place(1, 1, 30, 35);
    DragRoad(30, 35, 34, 35, kWayGravelRoad);
    EXPECT_EQ(std::tuple(F(30, 35).richtung(), F(30, 35).knoten(), LinkTarget(30, 35, kDirIndexE)),
              std::tuple(kDirE, true, 0));
    Place(2, 3, 40, 40);
    EXPECT_EQ(Net().LayRoadAlongX(40, 44, 40), 0);
    EXPECT_EQ(std::tuple(F(40, 40).richtung(), F(41, 40).wegtyp()), std::tuple(kDirW, 0));
    // An inner field with a factory refuses; a factory at an end takes the road.
    F(52, 50).set_building_flag(true);
    F(52, 50).set_data_word((14 << 10) | 9);
    EXPECT_EQ(Net().LayRoadAlongX(50, 54, 50), 0);
    EXPECT_EQ(Net().LayRoadAlongX(52, 56, 50), 1);
    EXPECT_EQ(F(52, 50).wegtyp(), kWayGravelRoad);
}

TEST_F(WayLayingTest, StretchesAreLinkedAcrossNewCrossingsAndRefusedFirstSegments) {
    DragRoad(10, 10, 10, 20, kWayGravelRoad);
    DragRoad(16, 10, 16, 20, kWayGravelRoad);
    DragRoad(10, 15, 16, 15, kWayGravelRoad);
    EXPECT_EQ(std::tuple(F(10, 15).wegteil(), F(16, 15).wegteil()), std::tuple(4, 5));
    EXPECT_EQ(std::tuple(LinkTarget(10, 15, kDirIndexE), LinkCost(10, 15, kDirIndexE)),
              std::tuple(NodeAt(16, 15), 6));
    // A road crossing the middle of the joining stretch makes a crossing.
    DragRoad(13, 12, 13, 18, kWayAsphaltRoad);
    EXPECT_EQ(F(13, 15).wegteil(), 11);
    EXPECT_EQ(std::tuple(LinkTarget(10, 15, kDirIndexE), LinkCost(10, 15, kDirIndexE)),
              std::tuple(NodeAt(13, 15), 3));
    // Two junctions at (20, 10) and (20, 16) with a gap in the road between.
    DragRoad(18, 10, 22, 10, kWayGravelRoad);
    DragRoad(20, 10, 20, 12, kWayGravelRoad);
    DragRoad(18, 16, 22, 16, kWayGravelRoad);
    DragRoad(20, 14, 20, 16, kWayGravelRoad);
    // A drag from a water field: its first segment is refused.
    F(20, 11).set_teile_art(0);
    F(19, 13).set_teile_art(0);
    SetType(kWayAsphaltRoad);
    SetPath({{20, 13}, {20, 14}});
    Net().LayRoadAlongPath(19, 13, 20, 14);  // (19,13)-(20,13) along x is refused
    EXPECT_EQ(F(19, 13).wegtyp(), 0);
    ASSERT_EQ(F(20, 13).wegtyp(), kWayAsphaltRoad);
    EXPECT_EQ(std::tuple(LinkTarget(20, 10, kDirIndexS), LinkCost(20, 10, kDirIndexS)),
              std::tuple(NodeAt(20, 16), 6));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 40, 40));
}

TEST_F(WayLayingTest, RoadsRunOnlyAlongEmptyStationRows) {
    Place(1, 6, 100, 100);  // an empty track row 100, head row 101
    Place(2, 7, 120, 100);  // an empty track column 121
    DragTrack(118, 95, 118, 110, kWayRail);
    const WorldSnapshot before = TakeSnapshot();
    SetType(kWayGravelRoad);
    EXPECT_EQ(Net().LayRoadAlongY(97, 100, 101), 0);  // across a row
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    DragRoad(96, 100, 100, 100, kWayGravelRoad);  // along it: a road row
    for (int32_t x = 100; x <= 103; ++x) EXPECT_EQ(F(x, 100).wegtyp(), kWayGravelRoad) << x;
    // A road may not end on a station row with track.
    DragTrack(121, 96, 121, 100, kWayRail);
    const WorldSnapshot withTrack = TakeSnapshot();
    EXPECT_EQ(Net().LayRoadAlongX(124, 121, 101), 0);
    EXPECT_TRUE(SameWorld(withTrack, TakeSnapshot()));
    EXPECT_TRUE(GraphMatchesMap(Net(), 80, 80, 140, 140));
}

// The layers lay the whole station row a track reaches along it; the route
// preview prices that row as the release charges it, each row once.
TEST_F(WayLayingTest, ARoutePreviewPricesTheStationRowsTheReleaseLays) {
    struct Drag {
        int32_t type, x, y;  // the station and its north-west field
        int32_t x1, y1, x2, y2;
        int32_t fields;  // charged fields of rail
    };
    const Drag drags[] = {
        {6, 60, 150, 50, 150, 60, 150, 11 + 3},     // track row 150 from its W end
        {6, 60, 120, 55, 119, 60, 120, 7 + 3},      // round a corner into the row
        {6, 60, 90, 50, 90, 61, 90, 12 + 2},        // two row fields, the row once
        {6, 60, 60, 55, 60, 65, 60, 11},            // along the whole row
        {7, 120, 60, 121, 50, 121, 60, 11 + 3},     // track column 121 from its N end
        {8, 120, 100, 133, 101, 123, 101, 11 + 3},  // track row 101 from its E end
        {9, 120, 140, 120, 153, 120, 143, 11 + 3},  // track column 120 from its S end
    };
    SetType(kWayRail);
    int32_t number = 1;
    for (const Drag& d : drags) {
        Place(number++, d.type, d.x, d.y);
        g_pTileMarker->PreviewRoute(d.x1, d.y1, d.x2, d.y2, CTileMarker::WayFamily::Track);
        const int64_t previewed = g_pTileMarker->cost;
        const int64_t cash = Cash();
        Net().LayTrackAlongPath(d.x1, d.y1, d.x2, d.y2);
        const int64_t charge = d.fields * 290;
        EXPECT_EQ(std::pair(previewed, cash - Cash()), std::pair(charge, charge))
            << d.type << " " << d.x1 << "," << d.y1;
    }
}

constexpr int32_t N = 0, E = 1, S = 2, W = 3;

class GraphTest : public ConstructionTest {
  protected:
    // Nodes 1..count on fields of row 0.
    void MakeNodes(int32_t count) {
        for (int32_t k = 0; k < count; ++k) Net().CreateNode(k, 0);
    }
    void Link(int32_t a, int32_t i, int32_t b, int32_t j, int32_t cost, int32_t flag = 0) {
        Net().LinkNodes(a, i, b, j, cost, flag);
    }
    // (prev, dir, dist) of node n's route record.
    std::tuple<int32_t, int32_t, int32_t> R(int32_t n) {
        const RouteRecord& r = Net().Route(n);
        return {r.prev, r.dir, r.dist};
    }
    int32_t Prev(int32_t n) { return Net().Route(n).prev; }
};

TEST_F(GraphTest, AFullTableLeavesTheFieldWithoutANode) {
    for (int32_t n = 1; n <= kMaxWayNodes; ++n) Net().CreateNode(n % 200 + 1, n / 200 + 1);
    Net().DeleteNode(5);
    EXPECT_EQ(Net().CreateNode(9, 9), 5);  // a freed number comes back first
    F(250, 250).set_knotennummer(77);
    EXPECT_EQ(Net().CreateNode(250, 250), 0);
    EXPECT_EQ(std::tuple(F(250, 250).knotennummer(), F(250, 250).knoten()), std::tuple(0, false));
}

TEST_F(GraphTest, LinksMirrorTheirFlagsAndGoWithTheirNode) {
    MakeNodes(3);
    Link(1, E, 2, W, 4);
    EXPECT_EQ(std::tuple(Net().Node(2)->ziel[W], Net().Node(2)->back[W]), std::tuple(1, E));
    Link(1, E, 2, W, 9, 1);  // same pair and direction: unchanged
    EXPECT_EQ(Net().Node(1)->cost[E], 4);
    Net().force_link = 1;
    Link(1, E, 2, W, 9);
    Net().force_link = 0;
    EXPECT_EQ(Net().Node(2)->cost[W], 9);
    // Flags follow the link to the neighbour; without a link only the own.
    Net().SetLinkFlag(1, kDirE);  // a direction bit
    EXPECT_EQ(Net().Node(2)->belegt[W], 1);
    Net().ClearLinkFlag(2, 3);  // not a bit: taken as the index
    EXPECT_EQ(Net().Node(1)->belegt[E], 0);
    Net().SetLinkFlag(1, kDirS);
    EXPECT_EQ(Net().Node(1)->belegt[S], 1);
    Net().SetLinkFlag(1, 12);  // neither a bit nor an index
    EXPECT_EQ(Net().Node(1)->belegt[E], 0);
    // ClearLink clears one side only.
    Link(2, S, 3, N, 2);
    Net().ClearLink(3, N);
    EXPECT_EQ(Net().Node(2)->ziel[S], 3);
    Link(2, N, 2, E, 7);  // a loop back to itself
    Net().DeleteNode(2);
    EXPECT_TRUE(Net().Node(2) == nullptr && F(1, 0).knotennummer() == 2);  // the field keeps it
    EXPECT_EQ(std::tuple(Net().Node(1)->ziel[E], Net().Node(1)->back[E]),
              std::tuple(0, kNoBackDirection));
    Net().DeleteNode(2);  // a second time: nothing
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
}

// Random sequences of the graph operations as their callers use them: links
// made between free slots or rewritten in place, cleared on both sides, nodes
// deleted, flags set and cleared. The mirror invariant holds throughout.
TEST_F(GraphTest, RandomOperationsKeepTheMirrorInvariant) {
    plat::Srand(20240611);
    std::vector<int32_t> live;
    for (int32_t round = 0; round < 20000; ++round) {
        const int32_t op = plat::Rand() % 8;
        if (op == 0 || live.size() < 2) {
            const int32_t n = Net().CreateNode(plat::Rand() % 256, plat::Rand() % 256);
            if (n != 0) live.push_back(n);
            continue;
        }
        const int32_t a = live[plat::Rand() % live.size()];
        const int32_t b = live[plat::Rand() % live.size()];
        const int32_t i = plat::Rand() % 4;
        const int32_t j = plat::Rand() % 4;
        WayNode* na = Net().Node(a);
        WayNode* nb = Net().Node(b);
        if ((op == 1 || op == 2) && ((na->ziel[i] == 0 && nb->ziel[j] == 0 && (a != b || i != j)) ||
                                     (na->ziel[i] == b && na->back[i] == j))) {
            Net().force_link = plat::Rand() % 2;
            Link(a, i, b, j, 1 + plat::Rand() % 50, plat::Rand() % 2);
            Net().force_link = 0;
        } else if (op == 3 && na->ziel[i] != 0) {
            const int32_t far = na->ziel[i];
            const int32_t back = na->back[i];
            Net().ClearLink(a, i);
            if (far != a || back != i) Net().ClearLink(far, back);
        } else if (op == 4) {
            Net().SetLinkFlag(a, 1 << i);
        } else if (op == 5) {
            Net().ClearLinkFlag(a, i);
        } else if (op == 6 && plat::Rand() % 4 == 0) {
            Net().DeleteNode(a);
            std::erase(live, a);
        }
        ASSERT_TRUE(round % 500 != 0 || MirrorInvariantHolds(Net())) << "round " << round;
    }
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
}

TEST_F(GraphTest, RoutesTakeTheCheapestPathsAndStartZeroOnlyResets) {
    //  1 -E3- 2 -E3- 3
    //  |S1         |S9 (from 3)
    //  4 ----E4--- 5        and a lone node 6
    MakeNodes(6);
    for (auto [a, i, b, j, cost] : {std::array{1, E, 2, W, 3},
                                    {2, E, 3, W, 3},
                                    {1, S, 4, N, 1},
                                    {4, E, 5, W, 4},
                                    {3, S, 5, N, 9}}) {
        Link(a, i, b, j, cost);
    }
    Net().FindRoutes(1);
    EXPECT_EQ(std::tuple(R(3), R(5), R(1)),
              std::tuple(std::tuple(2, E, 6), std::tuple(4, E, 5), std::tuple(0, -1, 0)));
    Net().FindRoutes(0);
    EXPECT_EQ(R(2), std::tuple(0, -1, kUnreachedDist));
    Net().FindRoutes(6);
    EXPECT_EQ(std::tuple(std::get<2>(R(6)), std::get<2>(R(1))), std::tuple(0, kUnreachedDist));
    // A link to a free number is reached but has nothing to follow.
    Net().Node(6)->ziel[2] = 500;
    Net().Node(6)->cost[2] = 1;
    Net().FindRoutes(6);
    EXPECT_EQ(Prev(500), 6);
    // The highest number too, and every search resets it first.
    Net().Node(6)->ziel[E] = kMaxWayNodes;
    Net().Node(6)->cost[E] = 1;
    Net().FindRoutes(6);
    EXPECT_EQ(R(kMaxWayNodes), std::tuple(6, E, 1));
    Net().FindRoutes(0);
    EXPECT_EQ(R(kMaxWayNodes), std::tuple(0, -1, kUnreachedDist));
}

TEST_F(GraphTest, EqualCostGoesToTheLaterNodeAndTheLaterDirection) {
    // 2 and 3 both reach 4 at cost 4; 3 is expanded after 2. Node 1 reaches
    // 5 at equal cost N, E and W: W, relaxed last, takes it.
    MakeNodes(5);
    Link(1, N, 2, S, 1);
    Link(1, E, 3, W, 1);
    Link(2, E, 4, N, 3);
    Link(3, N, 4, S, 3);
    Net().FindRoutes(1);
    EXPECT_EQ(R(4), std::tuple(3, N, 4));
    Net().DeleteNode(2);
    Net().DeleteNode(3);
    for (auto [i, j] : {std::pair{N, S}, {E, W}}) Link(1, i, 5, j, 5);
    Net().FindRoutes(1);
    EXPECT_EQ(std::get<1>(R(5)), E);
    Link(1, W, 5, N, 5);
    Net().FindRoutes(1);
    EXPECT_EQ(std::get<1>(R(5)), W);
}

// Entries of equal cost leave the open list in the order they were listed,
// also behind a first entry of that cost: 1 lists 2, 3 and 4 at cost 1, so 4
// is taken out after 3 and, reaching 5 at the same cost, takes it over.
TEST_F(GraphTest, EqualCostEntriesSettleInTheOrderTheyWereListed) {
    MakeNodes(5);
    for (auto [a, i, b, j, cost] : {std::array{1, N, 2, S, 1},
                                    {1, E, 3, W, 1},
                                    {1, S, 4, N, 1},
                                    {3, E, 5, W, 2},
                                    {4, E, 5, S, 2}}) {
        Link(a, i, b, j, cost);
    }
    Net().FindRoutes(1);
    EXPECT_EQ(R(5), std::tuple(4, E, 3));
}

TEST_F(GraphTest, LoweredEntryKeepsItsPlaceAndSettlesOutOfCostOrder) {
    // Node 4 lowers 3 from 20 to 5 in place, so 2 (12) is still taken out
    // before 3; 3 lowers 5 from 13 to 6; 7 is reached at 14 from 3 and then
    // from 6, which is taken out after 3 and so takes 7 over.
    MakeNodes(7);
    for (auto [a, i, b, j, cost] : {std::array{1, N, 2, S, 12},
                                    {1, E, 3, W, 20},
                                    {1, S, 4, N, 1},
                                    {4, E, 3, S, 4},
                                    {2, E, 5, N, 1},
                                    {3, N, 5, S, 1},
                                    {2, N, 6, S, 1},
                                    {6, E, 7, W, 1},
                                    {3, E, 7, S, 9}}) {
        Link(a, i, b, j, cost);
    }
    Net().FindRoutes(1);
    EXPECT_EQ(std::tuple(R(3), R(2), R(5), std::get<2>(R(6)), R(7)),
              std::tuple(std::tuple(4, E, 5), std::tuple(1, N, 12), std::tuple(3, N, 6), 13,
                         std::tuple(6, E, 14)));
}

TEST_F(GraphTest, ExcludingStartSkipsItsReservedLinksAndAnExcludedNodeIsNeverEntered) {
    MakeNodes(4);
    Link(1, E, 2, W, 1, 1);  // reserved
    Link(1, S, 3, N, 5);
    Link(3, E, 2, S, 1);
    Link(2, E, 4, W, 1);
    Net().FindRoutesExcluding(1, 1);
    EXPECT_EQ(R(2), std::tuple(3, E, 6));
    Net().FindRoutes(1);
    EXPECT_EQ(Prev(2), 1);
    Net().FindRoutesExcluding(1, 2);  // 4 is reachable only through 2
    EXPECT_EQ(std::tuple(Prev(2), Prev(3), Prev(4)), std::tuple(0, 1, 0));
}

class WayFileTest : public ConstructionTest {
  protected:
    // Saves through `save` into a file and returns its bytes.
    template <typename Save>
    std::string Saved(Save save) {
        const plat::FileHandle file =
            plat::OpenFile(folder_.Path() + "/out.bin", plat::OpenMode::Create);
        save(file);
        plat::CloseFile(file);
        return folder_.Read("out.bin");
    }
    template <typename Loadable>
    bool Load(Loadable& target, const std::string& bytes) {
        const plat::FileHandle file =
            plat::OpenFile(folder_.Write("in.bin", bytes), plat::OpenMode::Read);
        const bool ok = target.Load(file);
        plat::CloseFile(file);
        return ok;
    }
    static std::string U32(uint32_t v) {
        uint8_t b[4];
        le::PutU32(b, v);
        return std::string(reinterpret_cast<char*>(b), 4);
    }
    // One node record: number, then ziel, cost, belegt, back.
    static std::string NodeRecord(uint32_t number, uint32_t target = 0, uint8_t back = 255,
                                  uint32_t cost = 0) {
        return U32(number) + U32(target) + std::string(12, '\0') + U32(cost) +
               std::string(16, '\0') + std::string(1, static_cast<char>(back)) +
               std::string(3, '\xff');
    }
    fvtest::TempFolder folder_;
};

TEST_F(WayFileTest, SaveAndLoadKeepNumbersLinksAndGaps) {
    for (int32_t k = 0; k < 10; ++k) Net().CreateNode(k, 0);
    Net().DeleteNode(3);
    Net().DeleteNode(7);
    Net().LinkNodes(1, 1, 2, 3, 5, 1);
    Net().LinkNodes(4, 0, 10, 2, 65000, 0);
    Net().LinkNodes(9, 2, 9, 3, 8, 0);
    Net().SetLinkFlag(6, kDirS);  // a flag without a link is kept too
    const std::string bytes = Saved([&](plat::FileHandle f) { Net().Save(f); });
    EXPECT_EQ(bytes.size(), 4u + 8u * (4u + kWayNodeRecordSize));
    EXPECT_EQ(le::GetU32(reinterpret_cast<const uint8_t*>(bytes.data())), 8u);
    CWayNetwork loaded;
    loaded.CreateNode(200, 200);  // replaced by the loaded nodes
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_TRUE(loaded.Node(3) == nullptr && loaded.Node(7) == nullptr &&
                std::memcmp(loaded.Node(4), Net().Node(4), sizeof(WayNode)) == 0);
    EXPECT_EQ(Saved([&](plat::FileHandle f) { loaded.Save(f); }), bytes);  // byte-identical
    // A short write sets the write error and writing goes on.
    g_WriteError = 0;
    plat::SetWriteLimitForTests(10);
    EXPECT_LE(Saved([&](plat::FileHandle f) { Net().Save(f); }).size(), 10u);
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(g_WriteError, 1);
    g_WriteError = 0;
}

TEST_F(WayFileTest, DamagedRecordsAreRejectedAndLeaveNoNodes) {
    const std::string good = U32(2) + NodeRecord(1, 2, 1, 3) + NodeRecord(2, 1, 0, 3);
    CWayNetwork network;
    ASSERT_TRUE(Load(network, good));
    EXPECT_EQ(network.NodeCount(), 2);
    const std::pair<const char*, std::string> damaged[] = {
        {"count above the table", U32(8192)},
        {"number 0", U32(1) + NodeRecord(0)},
        {"number 8192", U32(1) + NodeRecord(8192)},
        {"repeated number", U32(2) + NodeRecord(5) + NodeRecord(5)},
        {"target 8192", U32(1) + NodeRecord(1, 8192, 0)},
        {"negative target", U32(1) + NodeRecord(1, 0xFFFFFFFFu, 0)},
        {"back direction 4", U32(1) + NodeRecord(1, 0, 4)},
        {"negative cost", U32(1) + NodeRecord(1, 0, 255, 0x80000000u)},
        {"record cut short", good.substr(0, good.size() - 3)},
        {"empty file", ""},
    };
    for (const auto& [what, bytes] : damaged) {
        CWayNetwork target;
        target.CreateNode(1, 1);
        EXPECT_FALSE(Load(target, bytes)) << what;
        EXPECT_EQ(target.NodeCount(), 0) << what;
    }
    EXPECT_TRUE(Load(network, U32(0)));
    EXPECT_EQ(network.NodeCount(), 0);
}

TEST_F(WayFileTest, PairListRoundTripKeepsOrderAndCount) {
    CPairList list;
    list.PushFront(3, -1);
    list.PushFront(2, 1);
    list.PushFront(1, 2);
    const std::string bytes = Saved([&](plat::FileHandle f) { list.Save(f); });
    EXPECT_EQ(bytes.size(), 4u + 3u * 8u);
    CPairList loaded;
    loaded.PushFront(99, 99);  // an older pair is dropped by Load
    ASSERT_TRUE(Load(loaded, bytes));
    int32_t a = 0, b = 0;
    for (const auto& [ea, eb] : {std::pair{1, 2}, {2, 1}, {3, -1}}) {
        ASSERT_EQ(loaded.PopFront(a, b), 1);
        EXPECT_EQ(std::pair(a, b), std::pair(ea, eb));
    }
    EXPECT_EQ(loaded.PopFront(a, b), 0);
    loaded.PushFront(5, 6);  // the tail is right again after emptying
    EXPECT_EQ(loaded.tail, loaded.head);
    // A damaged record: Load stops at its end with what it read.
    EXPECT_FALSE(Load(loaded, U32(1000) + U32(7) + U32(8) + U32(9)));
    EXPECT_EQ(std::tuple(loaded.Count(), loaded.PeekFront(a, b), a, b), std::tuple(1, 1, 7, 8));
}

}  // namespace
