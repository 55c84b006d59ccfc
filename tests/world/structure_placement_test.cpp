// Writing placed buildings into the grid: displaced city houses and ways,
// stations over existing track, truck depots joined to the road in front and
// the attraction hooks.

#include "construction_fixture.h"
#include "world/field_queries.h"
#include "world/way_piece_tables.h"

namespace {

class PlacementTest : public ConstructionTest {
  protected:
    void House(int32_t x, int32_t y, int32_t stadtb, int32_t city = 2) {
        F(x, y).set_stadtnum(static_cast<uint32_t>(city));
        F(x, y).set_stadtb(static_cast<uint32_t>(stadtb));
    }
};

TEST_F(PlacementTest, AStoreOverCityHousesPaysForEachAndJoinsTheCity) {
    House(50, 50, 3);
    House(51, 50, 8);
    House(50, 51, 14);  // class 1
    GS().placement_city = 2;
    doubles::TestBuilding& store = Place(9, 22, 50, 50, 2, 2);
    EXPECT_EQ(kStartCash - Cash(), 9000 + 9000 + 40000);
    EXPECT_EQ(g_Statistics.PairThis(StatPair::E, 0), 58000);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::TotalCosts, 0), 58000);
    EXPECT_EQ(F(51, 51).stadtnum(), 2);
    EXPECT_EQ(F(51, 51).data_word(), (22 << 10) | 9);
    EXPECT_EQ(store.attractions, (std::vector<std::pair<int32_t, int32_t>>{{1, 1}}));

    // Without a site city the hook is not called and the city numbers stay.
    GS().placement_city = -1;
    doubles::TestBuilding& other = Place(10, 28, 60, 60, 2, 2);
    EXPECT_TRUE(other.attractions.empty());
    EXPECT_EQ(F(60, 60).stadtnum(), 0);
}

TEST_F(PlacementTest, FactoriesTouchEveryCityTheyOverlapAndClearWays) {
    services_.AddCity(1, 20, 20);  // area 20..46
    services_.AddCity(5, 45, 45);  // area 45..71
    services_.AddCity(9, 90, 90);
    DragRoad(43, 44, 47, 44, kWayGravelRoad);
    const int64_t cash = Cash();
    doubles::TestBuilding& factory = Place(4, 15, 44, 43, 3, 3);
    EXPECT_EQ(cash - Cash(), 3 * 440);  // three road fields removed
    EXPECT_EQ(F(44, 44).wegtyp(), 0);
    EXPECT_EQ(F(43, 44).richtung(), 0);
    ASSERT_EQ(factory.attractions.size(), 2u);
    EXPECT_EQ(factory.attractions[0].first, 0);
    EXPECT_EQ(factory.attractions[1].first, 4);
    EXPECT_TRUE(GraphMatchesMap(Net(), 30, 30, 60, 60));
}

TEST_F(PlacementTest, RawMaterialSitesKeepWaysAndOverwriteHousesForFree) {
    DragRoad(50, 48, 50, 53, kWayGravelRoad);
    House(51, 50, 20);
    Place(3, 10, 50, 50, 2, 2);
    EXPECT_EQ(Cash(), kStartCash);
    EXPECT_EQ(F(50, 50).wegtyp(), kWayGravelRoad);
    EXPECT_EQ(F(51, 50).data_word(), (10 << 10) | 3);
}

TEST_F(PlacementTest, AStationKeepsStraightTrackOfOneType) {
    DragTrack(90, 100, 110, 100, kWayRail);
    DragRoad(100, 95, 100, 105, kWayGravelRoad);  // crosses row 100 and the platform row
    ASSERT_EQ(F(100, 100).wegteil(), kCrossingRoadNS);
    const int64_t cash = Cash();
    Place(1, 6, 96, 100);  // track row 100 (columns 96..99), platform row 101
    EXPECT_EQ(cash - Cash(), 0);
    EXPECT_EQ(F(97, 100).wegtyp(), kWayRail);
    EXPECT_EQ(GetBuildingTypeAt(97, 100), 5);
    EXPECT_EQ(GetBuildingTypeAt(97, 101), 6);
    EXPECT_NE(F(96, 100).knotennummer(), 0);
    EXPECT_NE(F(99, 100).knotennummer(), 0);
    EXPECT_TRUE(GraphMatchesMap(Net(), 80, 80, 120, 120));

    // A level crossing on the track line is a road: the line is cleared.
    const int64_t before = Cash();
    Place(2, 6, 100, 100);
    EXPECT_EQ(F(100, 100).wegtyp(), 0);
    EXPECT_EQ(F(101, 100).wegtyp(), 0);
    EXPECT_EQ(F(100, 101).wegtyp(), 0);  // the platform row lost the road
    EXPECT_EQ(before - Cash(), 3 * 290 + 440 + 440);
    EXPECT_TRUE(GraphMatchesMap(Net(), 80, 80, 120, 120));
}

TEST_F(PlacementTest, ACurveOnTheTrackLineClearsTheLine) {
    DragTrack(30, 40, 36, 40, kWayRail);
    DragTrack(33, 40, 33, 44, kWayRail);  // a T on the track row at (33, 40)
    ASSERT_NE(F(33, 40).wegteil(), 2);
    const int64_t cash = Cash();
    Place(1, 6, 31, 40);  // track row 40, columns 31..34
    for (int32_t x = 31; x <= 34; ++x) EXPECT_EQ(F(x, 40).wegtyp(), 0) << x;
    EXPECT_EQ(F(33, 41).wegtyp(), 0);  // the branch on the platform row
    EXPECT_EQ(cash - Cash(), 5 * 290);
    // So does a line of two track types.
    DragTrack(40, 50, 41, 50, kWayRail);
    DragTrack(42, 50, 43, 50, kWayMonorail);
    Place(2, 8, 40, 49);  // type 8: track row 50
    for (int32_t x = 40; x <= 43; ++x) EXPECT_EQ(F(x, 50).wegtyp(), 0) << x;
    EXPECT_TRUE(GraphMatchesMap(Net(), 20, 20, 60, 60));
}

TEST_F(PlacementTest, ADepotFacingARoadMakesAJunction) {
    DragRoad(45, 45, 55, 45, kWayGravelRoad);
    DragRoad(45, 40, 45, 50, kWayGravelRoad);  // T at (45, 45)
    DragRoad(55, 40, 55, 50, kWayGravelRoad);  // T at (55, 45)
    Place(1, 0, 50, 46);                       // a depot facing north, below (50, 45)
    EXPECT_EQ(F(50, 46).richtung(), kDirN);
    EXPECT_EQ(F(50, 45).wegteil(), 3);  // E, S, W
    const int32_t junction = F(50, 45).knotennummer();
    ASSERT_NE(junction, 0);
    EXPECT_EQ(Net().Node(F(50, 46).knotennummer())->ziel[kDirIndexN], junction);
    EXPECT_EQ(Net().Node(F(45, 45).knotennummer())->ziel[kDirIndexE], junction);
    EXPECT_EQ(Net().Node(F(55, 45).knotennummer())->ziel[kDirIndexW], junction);
    EXPECT_TRUE(GraphMatchesMap(Net(), 30, 30, 70, 70));
}

TEST_F(PlacementTest, AFrontFieldThatBecomesAJunctionPieceIsLinkedOnBothSides) {
    // A north-south road between junctions at (50, 40) and (50, 50), and a
    // stub at (49, 44..46) beside it that does not join it.
    DragRoad(48, 40, 52, 40, kWayGravelRoad);
    DragRoad(48, 50, 52, 50, kWayGravelRoad);
    DragRoad(50, 40, 50, 50, kWayGravelRoad);
    DragRoad(49, 44, 49, 46, kWayGravelRoad);
    ASSERT_EQ(F(50, 45).richtung(), kDirsNS);
    Place(1, 2, 50, 44);  // cuts the road and faces south onto (50, 45)
    // (50, 45) takes the piece of all its road neighbours (N, S, W), a
    // junction piece, while only the depot and the south join it.
    EXPECT_EQ(F(50, 45).wegteil(), 5);
    EXPECT_EQ(F(50, 45).richtung(), kDirsNS);
    ASSERT_TRUE(F(50, 45).knoten());
    const WayNode* front = Net().Node(F(50, 45).knotennummer());
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(front->ziel[kDirIndexN], F(50, 44).knotennummer());
    EXPECT_EQ(front->ziel[kDirIndexS], F(50, 50).knotennummer());
    EXPECT_EQ(front->cost[kDirIndexS], 5);
    EXPECT_TRUE(GraphMatchesMap(Net(), 30, 30, 70, 70));
}

TEST_F(PlacementTest, TheFrontFieldsNeighboursFollowItsNewPiece) {
    // (60, 45) runs east-west; the dead end at (60, 44) north of it does not
    // join it until the depot turns it into a junction.
    DragRoad(58, 40, 62, 40, kWayGravelRoad);
    DragRoad(60, 40, 60, 44, kWayGravelRoad);
    DragRoad(56, 45, 60, 45, kWayGravelRoad);
    DragRoad(56, 43, 56, 47, kWayGravelRoad);
    ASSERT_EQ(F(60, 44).richtung(), kDirN);
    Place(1, 3, 61, 45);                // faces west onto (60, 45)
    EXPECT_EQ(F(60, 45).wegteil(), 6);  // N, E, W
    EXPECT_EQ(F(60, 45).richtung(), kDirN | kDirE | kDirW);
    EXPECT_EQ(F(60, 44).richtung(), kDirsNS);
    const WayNode* front = Net().Node(F(60, 45).knotennummer());
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(front->ziel[kDirIndexN], F(60, 40).knotennummer());
    EXPECT_EQ(front->ziel[kDirIndexW], F(56, 45).knotennummer());
    EXPECT_TRUE(GraphMatchesMap(Net(), 30, 30, 70, 70));
}

TEST_F(PlacementTest, ADepotFacingARampOrALevelCrossing) {
    SetHeights(0, 0, 255, 39, 3);  // ramps rising north on row 39
    DragRoad(60, 37, 60, 42, kWayGravelRoad);
    DragRoad(70, 37, 70, 42, kWayGravelRoad);
    ASSERT_EQ(F(60, 39).teile_diff(), 1);
    Place(1, 2, 60, 38);  // faces south onto a ramp along its axis
    EXPECT_EQ(F(60, 39).richtung() & kDirN, kDirN);
    // A ramp across the depot's axis is left as it is.
    const uint8_t before = F(70, 39).richtung();
    Place(2, 1, 69, 39);  // faces east onto (70, 39)
    EXPECT_EQ(F(70, 39).richtung(), before);
    EXPECT_EQ(F(70, 39).wegteil(), 12);

    // A level crossing in front keeps its piece.
    DragTrack(80, 50, 90, 50, kWayRail);
    DragRoad(85, 45, 85, 55, kWayGravelRoad);
    ASSERT_EQ(F(85, 50).wegteil(), kCrossingRoadNS);
    Place(3, 1, 84, 50);  // faces east onto the crossing (its rail goes)
    EXPECT_EQ(F(85, 50).wegteil(), kCrossingRoadNS);
    EXPECT_EQ(F(85, 50).gleisr(), kDirE);
    EXPECT_TRUE(GraphMatchesMap(Net(), 30, 30, 100, 100));
}

}  // namespace
