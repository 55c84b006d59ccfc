// The construction check of every kind (bounds, money, free ground, depot
// spacing, the city rules of stores and attractions) and the writing of
// placed buildings into the grid.

#include <tuple>

#include "construction_fixture.h"
#include "world/field_queries.h"
#include "world/way_piece_tables.h"

namespace {

class ConstructionCheckTest : public ConstructionTest {
  protected:
    int32_t Check(int32_t kind, int32_t x, int32_t y, int32_t w, int32_t h,
                  int32_t orientation = 0) {
        GS().selected_building_type = kind;
        GS().build_orientation = orientation;
        return Helper().CanBuildHere(x, y, w, h);
    }
    // The check's answer and the city it recorded for the site.
    std::tuple<int32_t, int32_t> CheckCity(int32_t kind, int32_t x, int32_t y, int32_t size) {
        const int32_t result = Check(kind, x, y, size, size);
        return {result, GS().placement_city};
    }
    void CityStreet(int32_t x, int32_t y, int32_t city) {
        F(x, y).set_wegtyp(kWayCityStreet);
        F(x, y).set_wegteil(1);
        F(x, y).set_stadtnum(static_cast<uint32_t>(city));
    }
};

TEST_F(ConstructionCheckTest, BoundsCashAndABridgeOnTheRing) {
    // One field to every edge stays free (x + w = 254 passes, y + h = 255 not).
    EXPECT_EQ(std::tuple(Check(14, 251, 100, 3, 3), Check(14, 100, 252, 3, 3),
                         Check(14, 0, 100, 3, 3), Check(14, 1, 1, 3, 3)),
              std::tuple(1, 0, 0, 1));
    // Cash equal to the price passes; even a price of 0 needs cash >= 0.
    GS().building_types[15].build_price = 250000;
    for (auto [cash, kind, ok] : {std::tuple{250000, 15, 1}, {249999, 15, 0}, {-5, 4, 0}}) {
        GS().cash[0] = cash;
        EXPECT_EQ(Check(kind, 50, 50, 3, 3), ok) << cash;
    }
    GS().cash[0] = kStartCash;
    // A bridge diagonal to the footprint corner refuses every kind.
    F(49, 49).set_bridge_flag(true);
    CityStreet(50, 49, 1);
    services_.AddCity(1, 40, 40);
    for (const int32_t kind : {0, 4, 6, 10, 14, 20, 21, 27}) {
        EXPECT_EQ(Check(kind, 50, 50, 2, 2), 0) << kind;
    }
    F(49, 49).set_bridge_flag(false);
    EXPECT_EQ(Check(21, 50, 50, 2, 2), 1);
}

TEST_F(ConstructionCheckTest, FreeGround) {
    EXPECT_EQ(Check(14, 50, 50, 2, 2), 1);
    // Slope, water, a vehicle, another player, a building, a bridge refuse;
    // forest, a city house and a way do not.
    const std::pair<bool, void (*)(MapField&)> changes[] = {
        {true, [](MapField& f) { f.set_teile_diff(2); }},
        {true, [](MapField& f) { f.set_teile_art(0); }},
        {true, [](MapField& f) { f.set_belegt(1); }},
        {true, [](MapField& f) { f.set_spieler(2); }},
        {true, [](MapField& f) { f.set_building_flag(true), f.set_data_word((20 << 10) | 3); }},
        {true, [](MapField& f) { f.set_bridge_flag(true), f.set_data_word(9 | (2 << 4)); }},
        {false, [](MapField& f) { f.set_forest_flag(true), f.set_data_word(0x3333); }},
        {false, [](MapField& f) { f.set_stadtnum(3), f.set_stadtb(12); }},
        {false, [](MapField& f) { f.set_wegtyp(kWayAsphaltRoad), f.set_wegteil(5); }},
    };
    for (const auto& [refuses, change] : changes) {
        const MapField saved = F(51, 51);
        change(F(51, 51));
        EXPECT_EQ(Check(14, 50, 50, 2, 2), refuses ? 0 : 1) << &change - &changes[0].second;
        F(51, 51) = saved;
    }
}

TEST_F(ConstructionCheckTest, RawMaterialSitesRefuseCityHousesAndMostWays) {
    EXPECT_EQ(Check(10, 50, 50, 2, 2), 1);
    F(51, 50).set_wegtyp(kWayGravelRoad);
    F(51, 50).set_wegteil(1);
    EXPECT_EQ(Check(10, 50, 50, 2, 2), 1);
    F(51, 50).set_wegteil(2);
    EXPECT_EQ(std::tuple(Check(10, 50, 50, 2, 2), Check(14, 50, 50, 2, 2)), std::tuple(0, 1));
    F(51, 50).set_wegteil(0);
    F(50, 51).set_stadtnum(2);
    F(50, 51).set_stadtb(7);
    EXPECT_EQ(std::tuple(Check(11, 50, 50, 2, 2), Check(16, 50, 50, 2, 2)), std::tuple(0, 1));
}

TEST_F(ConstructionCheckTest, TruckDepotSpacing) {
    // Four fields away refuses, five on one axis does not.
    Place(1, 1, 50, 50);
    for (auto [x, y, ok] :
         {std::tuple{54, 54, 0}, {54, 50, 0}, {55, 50, 1}, {55, 54, 1}, {50, 45, 1}}) {
        EXPECT_EQ(Check(0, x, y, 1, 1, 2), ok) << x << ", " << y;
    }
    // A station head diagonal to the site does not refuse, a platform does.
    Place(2, 6, 100, 100);  // track row 100, head row 101, columns 100..103
    EXPECT_EQ(std::tuple(Check(0, 99, 102, 1, 1, 2), Check(0, 99, 99, 1, 1, 2)), std::tuple(1, 0));
}

TEST_F(ConstructionCheckTest, StoresBelongToExactlyOneCity) {
    doubles::TestCity& first = services_.AddCity(1, 40, 40);
    services_.AddCity(2, 60, 40);
    CityStreet(54, 50, 1);  // a street of city 1 west of the footprint
    EXPECT_EQ(CheckCity(21, 55, 50, 2), std::tuple(1, 1));
    EXPECT_EQ(first.refreshed, std::vector<int32_t>{21});
    // A street of city 2 to the east as well: two cities.
    CityStreet(57, 51, 2);
    EXPECT_EQ(Check(21, 55, 50, 2, 2), 0);
    F(57, 51) = F(58, 58);
    // No counting neighbour: refused, no city recorded.
    EXPECT_EQ(CheckCity(22, 80, 80, 2), std::tuple(0, -1));
    // A neighbour that counts but a footprint field that does not fit: the
    // city is still refreshed and recorded.
    F(55, 51).set_wegtyp(kWayCityStreet);
    F(55, 51).set_wegteil(16);
    EXPECT_EQ(CheckCity(23, 55, 50, 2), std::tuple(0, 1));
    EXPECT_EQ(first.refreshed.back(), 23);
    // A footprint leaving the city's zone grid is refused.
    CityStreet(66, 55, 1);
    EXPECT_EQ(Check(21, 66, 56, 2, 2), 0);
    // A store outside every city beside the site counts but names no city:
    // refused, and no city is recorded.
    F(54, 50) = F(58, 58);
    F(55, 51) = F(58, 58);
    GS().placement_city = -1;
    Place(8, 21, 100, 100, 2, 2);
    ASSERT_EQ(F(101, 101).stadtnum(), 0);
    const size_t refreshed = first.refreshed.size();
    EXPECT_EQ(CheckCity(21, 102, 100, 2), std::tuple(0, -1));
    EXPECT_EQ(CheckCity(27, 102, 101, 1), std::tuple(0, -1));
    EXPECT_EQ(first.refreshed.size(), refreshed);
}

TEST_F(ConstructionCheckTest, AttractionsOncePerCityNoneCountsToTheNorthNorOverACrossing) {
    doubles::TestCity& city = services_.AddCity(3, 40, 40);
    CityStreet(50, 49, 3);
    EXPECT_EQ(CheckCity(27, 50, 50, 1), std::tuple(1, 3));
    city.attraction_counts[0] = 1;
    EXPECT_EQ(Check(27, 50, 50, 1, 1), 0);
    EXPECT_EQ(Check(28, 50, 50, 2, 2), 1);  // other attractions count apart
    city.attraction_counts[0] = 0;
    F(50, 49) = F(90, 90);
    // A tennis court north of (60, 60) does not count, to the west it does.
    GS().placement_city = 3;
    Place(7, 28, 59, 58, 2, 2);
    EXPECT_EQ(CheckCity(27, 60, 60, 1), std::tuple(0, -1));
    EXPECT_EQ(CheckCity(27, 61, 59, 1), std::tuple(1, 3));
    // A tennis court beside a store of the city, but not over a level crossing.
    services_.AddCity(4, 140, 140);
    GS().placement_city = 4;
    Place(8, 21, 150, 148, 2, 2);  // a store of city 4 north of the site
    ASSERT_EQ(F(151, 149).stadtnum(), 4);
    EXPECT_EQ(CheckCity(28, 150, 150, 2), std::tuple(1, 4));
    F(151, 151).set_wegtyp(kWayCityStreet);
    F(151, 151).set_wegteil(17);
    EXPECT_EQ(CheckCity(28, 150, 150, 2), std::tuple(0, -1));
}

TEST_F(ConstructionCheckTest, StoreCustomersByCoverageAndClass) {
    services_.AddCity(4, 10, 10);  // area 10..36 on both axes
    CGameState& gs = game_.state();
    gs.geb_einw[0] = 9;
    gs.geb_einw[1] = 40;
    gs.geb_einw[2] = 80;
    for (auto& row : gs.shared_city_grid) {
        for (int32_t& cell : row) cell = 1;
    }
    auto house = [&](int32_t x, int32_t y, int32_t stadtb) {
        F(x, y).set_stadtnum(4);
        F(x, y).set_stadtb(static_cast<uint32_t>(stadtb));
    };
    house(20, 20, 5);   // class 0: 9
    house(21, 22, 15);  // class 1: 40
    house(17, 17, 21);  // class 2: 80, corner of the square
    house(25, 25, 1);   // outside the 8 x 8 square
    house(18, 19, 42);  // no residents
    EXPECT_EQ(CountCityNeighbourClasses(20, 20, 4, 21, 0), 40 + 80);  // own footprint skipped
    EXPECT_EQ(CountCityNeighbourClasses(20, 20, 4, 21, 1), 20 + 40);
    gs.shared_city_grid[21 - 10][22 - 10] = 2;
    // (20, 20) is now under the footprint; (21, 22) is covered twice.
    EXPECT_EQ(CountCityNeighbourClasses(19, 19, 4, 26, 0), 20 + 80);
    EXPECT_EQ(CountCityNeighbourClasses(19, 19, 4, 26, 1), 13 + 40);
    gs.shared_city_grid[0][0] = 0;
    house(10, 10, 1);
    EXPECT_EQ(CountCityNeighbourClasses(11, 11, 4, 22, 0), 0);  // coverage 0
    EXPECT_EQ(CountCityNeighbourClasses(11, 11, 4, 22, 1), 9);
    EXPECT_EQ(gs.shared_city_grid[1][1], 1);  // the footprint is put back
    EXPECT_EQ(gs.shared_city_grid[0][0], 0);

    // A store at the area's edge: only the part inside counts, and cells
    // of its footprint outside the grid are not touched.
    house(8, 10, 5);
    EXPECT_EQ(CountCityNeighbourClasses(8, 8, 4, 22, 1), 9);
    EXPECT_EQ(CountCityNeighbourClasses(20, 20, 4, 20, 0), 0);  // no store type
    EXPECT_EQ(CountCityNeighbourClasses(20, 20, 5, 21, 0), 0);  // no such city
}

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
