// The construction check of every kind (bounds, money, free ground, depot
// and station spacing, the city rules of stores and attractions), station
// extension and the writing of placed buildings into the grid. Station
// spacing differs by orientation, so a table pins each.

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

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
    // One field to every edge stays free (x + w = 254 passes, x + w or y + h = 255 not).
    EXPECT_EQ(std::tuple(Check(14, 251, 100, 3, 3), Check(14, 252, 100, 3, 3),
                         Check(14, 100, 252, 3, 3), Check(14, 0, 100, 3, 3), Check(14, 1, 1, 3, 3)),
              std::tuple(1, 0, 0, 0, 1));
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
    EXPECT_EQ(Check(20, 50, 50, 2, 2), 1);  // the last kind that needs free ground only
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
    EXPECT_EQ(std::tuple(Check(10, 50, 50, 2, 2), Check(13, 50, 50, 2, 2), Check(14, 50, 50, 2, 2)),
              std::tuple(0, 0, 1));
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
    // The last orientation keeps the spacing too.
    EXPECT_EQ(std::tuple(Check(0, 54, 50, 1, 1, 3), Check(0, 55, 50, 1, 1, 3)), std::tuple(0, 1));
    // A station head diagonal to the site does not refuse, a platform does.
    Place(2, 6, 100, 100);  // track row 100, head row 101, columns 100..103
    EXPECT_EQ(std::tuple(Check(0, 99, 102, 1, 1, 2), Check(0, 99, 99, 1, 1, 2)), std::tuple(1, 0));
}

TEST_F(ConstructionCheckTest, StoresBelongToExactlyOneCity) {
    TestCity& first = services_.AddCity(1, 40, 40);
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
    const size_t refreshed = first.refreshed.size();
    EXPECT_EQ(CheckCity(21, 102, 100, 2), std::tuple(0, -1));
    EXPECT_EQ(CheckCity(27, 102, 101, 1), std::tuple(0, -1));
    EXPECT_EQ(first.refreshed.size(), refreshed);
}

TEST_F(ConstructionCheckTest, AttractionsOncePerCityNoneCountsToTheNorthNorOverACrossing) {
    TestCity& city = services_.AddCity(3, 40, 40);
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
    EXPECT_EQ(CheckCity(28, 150, 150, 2), std::tuple(1, 4));
    F(151, 151).set_wegtyp(kWayCityStreet);
    F(151, 151).set_wegteil(17);
    EXPECT_EQ(CheckCity(28, 150, 150, 2), std::tuple(0, -1));
}

TEST_F(ConstructionCheckTest, StoreCustomersByCoverageAndClass) {
    services_.AddCity(4, 10, 10);  // area 10..36 on both axes
    CGameState& gs = GS();
    for (auto& row : gs.shared_city_grid) std::fill(std::begin(row), std::end(row), 1);
    // Classes 0, 1, 2 (9, 40, 80 residents), one outside the 8 x 8 square,
    // one without residents; (10, 10) holds the last number of class 0.
    for (auto [x, y, stadtb] : {std::tuple{20, 20, 5},
                                {21, 22, 15},
                                {17, 17, 21},
                                {25, 25, 1},
                                {18, 19, 42},
                                {10, 10, 10},
                                {8, 10, 5}}) {
        F(x, y).set_stadtnum(4);
        F(x, y).set_stadtb(static_cast<uint32_t>(stadtb));
    }
    const auto count = [](int32_t x, int32_t y, int32_t city, int32_t type, int32_t mode) {
        return CountCityNeighbourClasses(x, y, city, type, mode);
    };
    // The own footprint is skipped.
    EXPECT_EQ(std::tuple(count(20, 20, 4, 21, 0), count(20, 20, 4, 21, 1)),
              std::tuple(40 + 80, 20 + 40));
    // (20, 20) now under the footprint; (21, 22) covered twice.
    gs.shared_city_grid[21 - 10][22 - 10] = 2;
    EXPECT_EQ(std::tuple(count(19, 19, 4, 26, 0), count(19, 19, 4, 26, 1)),
              std::tuple(20 + 80, 13 + 40));
    gs.shared_city_grid[0][0] = 0;  // coverage 0; the footprint is put back
    EXPECT_EQ(std::tuple(count(11, 11, 4, 22, 0), count(11, 11, 4, 22, 1)), std::tuple(0, 9));
    EXPECT_EQ(std::tuple(gs.shared_city_grid[1][1], gs.shared_city_grid[0][0]), std::tuple(1, 0));
    // At the area's edge only the part inside counts and cells outside the
    // grid are not touched; no store type or no such city count nothing.
    EXPECT_EQ(std::tuple(count(8, 8, 4, 22, 1), count(20, 20, 4, 20, 0), count(20, 20, 5, 21, 0)),
              std::tuple(9, 0, 0));
    // The last number of the highest class still has its residents.
    F(33, 33).set_stadtnum(4);
    F(33, 33).set_stadtb(41);
    EXPECT_EQ(count(30, 30, 4, 21, 0), gs.geb_einw[5]);
}

class PlacementTest : public ConstructionTest {
  protected:
    void House(int32_t x, int32_t y, int32_t stadtb, int32_t city = 2) {
        F(x, y).set_stadtnum(static_cast<uint32_t>(city));
        F(x, y).set_stadtb(static_cast<uint32_t>(stadtb));
    }
    // (target, cost) of the link of the node on (x, y) in direction index i.
    std::tuple<int32_t, int32_t> Link(int32_t x, int32_t y, int32_t i) {
        return {LinkTarget(x, y, i), LinkCost(x, y, i)};
    }
};

TEST_F(PlacementTest, AStoreOverCityHousesPaysForEachRawMaterialSitesDoNot) {
    House(50, 50, 3);
    House(51, 50, 8);
    House(50, 51, 14);  // class 1
    GS().placement_city = 2;
    TestBuilding& store = Place(9, 22, 50, 50, 2, 2);
    EXPECT_EQ(std::tuple(kStartCash - Cash(), g_Statistics.PairThis(StatPair::E, 0),
                         g_Statistics.Monthly(StatSeries::TotalCosts, 0)),
              std::tuple(58000, 58000, 58000));  // 9,000 + 9,000 + 40,000
    EXPECT_EQ(std::tuple(F(51, 51).stadtnum(), F(51, 51).data_word()),
              std::tuple(2, (22 << 10) | 9));
    EXPECT_EQ(store.attractions, (std::vector<std::pair<int32_t, int32_t>>{{1, 1}}));
    // Without a site city the hook is not called and the city numbers stay.
    GS().placement_city = -1;
    EXPECT_TRUE(Place(10, 28, 60, 60, 2, 2).attractions.empty());
    EXPECT_EQ(F(60, 60).stadtnum(), 0);
    // A raw-material site keeps ways and overwrites houses for free.
    const int64_t cash = Cash();
    DragRoad(80, 78, 80, 83, kWayGravelRoad);
    House(81, 80, 20);
    Place(3, 10, 80, 80, 2, 2);
    EXPECT_EQ(std::tuple(Cash(), F(80, 80).wegtyp(), F(81, 80).data_word()),
              std::tuple(cash, kWayGravelRoad, (10 << 10) | 3));
}

TEST_F(PlacementTest, FactoriesTouchEveryCityTheyOverlapAndClearWays) {
    services_.AddCity(1, 20, 20);  // area 20..46
    services_.AddCity(5, 45, 45);  // area 45..71
    services_.AddCity(9, 90, 90);
    DragRoad(43, 44, 47, 44, kWayGravelRoad);
    const int64_t cash = Cash();
    TestBuilding& factory = Place(4, 15, 44, 43, 3, 3);
    EXPECT_EQ(cash - Cash(), 3 * 440);  // three road fields removed
    EXPECT_EQ(std::tuple(F(44, 44).wegtyp(), F(43, 44).richtung()), std::tuple(0, 0));
    ASSERT_EQ(factory.attractions.size(), 2u);
    EXPECT_EQ(std::tuple(factory.attractions[0].first, factory.attractions[1].first),
              std::tuple(0, 4));
    EXPECT_TRUE(GraphMatchesMap(Net(), 30, 30, 60, 60));
}

TEST_F(PlacementTest, AStationKeepsOnlyStraightTrackOfOneType) {
    DragTrack(90, 100, 110, 100, kWayRail);
    DragRoad(100, 95, 100, 105, kWayGravelRoad);  // crosses row 100 and the platform row
    ASSERT_EQ(F(100, 100).wegteil(), kCrossingRoadNS);
    int64_t cash = Cash();
    Place(1, 6, 96, 100);  // track row 100 (columns 96..99), platform row 101
    EXPECT_EQ(std::tuple(cash - Cash(), F(97, 100).wegtyp(), GetBuildingTypeAt(97, 100),
                         GetBuildingTypeAt(97, 101)),
              std::tuple(0, kWayRail, 5, 6));
    EXPECT_TRUE(NodeAt(96, 100) != 0 && NodeAt(99, 100) != 0);
    // A level crossing on the track line is a road: the line is cleared,
    // and the platform row loses the road.
    cash = Cash();
    Place(2, 6, 100, 100);
    EXPECT_EQ(std::tuple(F(100, 100).wegtyp(), F(101, 100).wegtyp(), F(100, 101).wegtyp()),
              std::tuple(0, 0, 0));
    EXPECT_EQ(cash - Cash(), 3 * 290 + 440 + 440);
    // So does a curve on the track line (with the branch on the platform row).
    DragTrack(30, 40, 36, 40, kWayRail);
    DragTrack(33, 40, 33, 44, kWayRail);  // a T on the track row at (33, 40)
    cash = Cash();
    Place(3, 6, 31, 40);  // track row 40, columns 31..34
    for (int32_t x = 31; x <= 34; ++x) EXPECT_EQ(F(x, 40).wegtyp(), 0) << x;
    EXPECT_EQ(std::tuple(F(33, 41).wegtyp(), cash - Cash()), std::tuple(0, 5 * 290));
    // And a line of two track types.
    DragTrack(40, 50, 41, 50, kWayRail);
    DragTrack(42, 50, 43, 50, kWayMonorail);
    Place(4, 8, 40, 49);  // type 8: track row 50
    for (int32_t x = 40; x <= 43; ++x) EXPECT_EQ(F(x, 50).wegtyp(), 0) << x;
    // Types 7 and 9 keep the rail of their track column, x + 1 and x.
    for (const auto& [type, x, trackX] : {std::tuple{7, 60, 61}, {9, 70, 70}}) {
        DragTrack(trackX, 57, trackX, 66, kWayRail);
        cash = Cash();
        Place(type - 2, type, x, 60);
        EXPECT_EQ(std::tuple(cash - Cash(), F(trackX, 62).wegtyp(), GetBuildingTypeAt(trackX, 62)),
                  std::tuple(0, kWayRail, 4))
            << type;
    }
    EXPECT_TRUE(GraphMatchesMap(Net(), 20, 20, 120, 120));
}

TEST_F(PlacementTest, ADepotTurnsTheRoadInFrontIntoAJunctionLinkedOnEverySide) {
    // Facing north onto a road between two T junctions.
    DragRoad(45, 45, 55, 45, kWayGravelRoad);
    DragRoad(45, 40, 45, 50, kWayGravelRoad);
    DragRoad(55, 40, 55, 50, kWayGravelRoad);
    Place(1, 0, 50, 46);
    EXPECT_EQ(std::tuple(F(50, 46).richtung(), F(50, 45).wegteil()), std::tuple(kDirN, 3));
    const int32_t junction = NodeAt(50, 45);
    ASSERT_NE(junction, 0);
    EXPECT_EQ(std::tuple(LinkTarget(50, 46, kDirIndexN), LinkTarget(45, 45, kDirIndexE),
                         LinkTarget(55, 45, kDirIndexW)),
              std::tuple(junction, junction, junction));
    // Cutting a north-south road and facing south onto (50, 85), beside a
    // stub that does not join it: (50, 85) takes the piece of all its road
    // neighbours (N, S, W) while only the depot and the south join it.
    DragRoad(48, 80, 52, 80, kWayGravelRoad);
    DragRoad(48, 90, 52, 90, kWayGravelRoad);
    DragRoad(50, 80, 50, 90, kWayGravelRoad);
    DragRoad(49, 84, 49, 86, kWayGravelRoad);
    Place(2, 2, 50, 84);
    EXPECT_EQ(std::tuple(F(50, 85).wegteil(), F(50, 85).richtung(), F(50, 85).knoten()),
              std::tuple(5, kDirsNS, true));
    EXPECT_EQ(LinkTarget(50, 85, kDirIndexN), NodeAt(50, 84));
    EXPECT_EQ(Link(50, 85, kDirIndexS), std::tuple(NodeAt(50, 90), 5));
    // Facing west onto (60, 125) with a dead end north of it, which joins
    // once the depot makes the front field a junction.
    DragRoad(58, 120, 62, 120, kWayGravelRoad);
    DragRoad(60, 120, 60, 124, kWayGravelRoad);
    DragRoad(56, 125, 60, 125, kWayGravelRoad);
    DragRoad(56, 123, 56, 127, kWayGravelRoad);
    ASSERT_EQ(F(60, 124).richtung(), kDirN);
    Place(3, 3, 61, 125);
    EXPECT_EQ(std::tuple(F(60, 125).wegteil(), F(60, 125).richtung(), F(60, 124).richtung()),
              std::tuple(6, kDirN | kDirE | kDirW, kDirsNS));
    EXPECT_EQ(std::tuple(LinkTarget(60, 125, kDirIndexN), LinkTarget(60, 125, kDirIndexW)),
              std::tuple(NodeAt(60, 120), NodeAt(56, 125)));
    EXPECT_TRUE(GraphMatchesMap(Net(), 30, 30, 80, 140));
}

TEST_F(PlacementTest, ADepotFacingARampOrALevelCrossing) {
    SetHeights(0, 0, 255, 39, 3);  // ramps rising north on row 39
    DragRoad(60, 37, 60, 42, kWayGravelRoad);
    DragRoad(70, 37, 70, 42, kWayGravelRoad);
    Place(1, 2, 60, 38);  // faces south onto a ramp along its axis
    EXPECT_EQ(F(60, 39).richtung() & kDirN, kDirN);
    // A ramp across the depot's axis is left as it is.
    const uint8_t before = F(70, 39).richtung();
    Place(2, 1, 69, 39);  // faces east onto (70, 39)
    EXPECT_EQ(std::tuple(F(70, 39).richtung(), F(70, 39).wegteil()), std::tuple(before, 12));
    // A level crossing in front keeps its piece (its rail goes).
    DragTrack(80, 50, 90, 50, kWayRail);
    DragRoad(85, 45, 85, 55, kWayGravelRoad);
    ASSERT_EQ(F(85, 50).wegteil(), kCrossingRoadNS);
    Place(3, 1, 84, 50);
    EXPECT_EQ(std::tuple(F(85, 50).wegteil(), F(85, 50).gleisr()),
              std::tuple(kCrossingRoadNS, kDirE));
    EXPECT_TRUE(GraphMatchesMap(Net(), 30, 30, 100, 100));
}

// The site anchors x 92..108, y 94..107 that a station of length 2 at
// (100, 100) refuses: a box, less a few holes that are accepted.
struct Box {
    int32_t x0, y0, x1, y1;
    bool Holds(int32_t x, int32_t y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};
struct SiteTable {
    int32_t existing, site;
    Box refused;
    std::vector<Box> holes;
};
const SiteTable kSiteTables[] = {
    {6, 6, {96, 96, 104, 103}, {}},
    {6, 7, {95, 96, 104, 104}, {{104, 103, 104, 104}, {95, 104, 98, 104}, {103, 104, 103, 104}}},
    {6, 8, {96, 95, 104, 102}, {}},
    {6, 9, {96, 96, 104, 103}, {}},
    {7, 6, {96, 96, 105, 104}, {{96, 96, 96, 97}}},
    {7, 7, {95, 96, 104, 104}, {{95, 100, 95, 100}}},
    {7, 8, {96, 95, 105, 104}, {{96, 95, 96, 97}, {103, 104, 105, 104}}},
    {7, 9, {96, 96, 105, 104}, {{96, 100, 96, 100}}},
    {8, 6, {96, 96, 104, 105}, {{100, 96, 100, 96}}},
    {8, 7, {95, 96, 104, 105}, {{95, 96, 97, 96}, {104, 103, 104, 105}}},
    {8, 8, {96, 95, 104, 104}, {{100, 95, 100, 95}}},
    {8, 9, {96, 96, 104, 105}, {{96, 96, 97, 96}}},
    {9, 6, {96, 96, 104, 104}, {{104, 96, 104, 99}, {104, 104, 104, 104}}},
    {9, 7, {95, 96, 102, 104}, {}},
    {9, 8, {96, 95, 104, 104}, {{104, 95, 104, 98}, {104, 103, 104, 104}, {103, 104, 103, 104}}},
    {9, 9, {96, 96, 103, 104}, {}},
};

class StationSiteTest : public ConstructionTest {
  protected:
    int32_t Check(int32_t type, int32_t x, int32_t y) {
        GS().selected_building_type = 6;
        GS().build_orientation = type - 6;
        const bool alongX = type == 6 || type == 8;
        return Helper().CanBuildHere(x, y, alongX ? 4 : 2, alongX ? 2 : 4);
    }
    void ClearBuildings() {
        for (int32_t n = 1; n < kBuildingSlots; ++n) Services().buildings.buildings[n] = nullptr;
        for (MapField& f : GS().fields) {
            f.set_building_flag(false);
            f.set_data_word(0);
        }
    }
};

TEST_F(StationSiteTest, AcceptedSitesAroundAStationOfEachOrientation) {
    for (const SiteTable& t : kSiteTables) {
        ClearBuildings();
        Place(1, t.existing, 100, 100).length = 2;
        std::string expected = "\n", accepted = "\n";
        for (int32_t y = 94; y <= 107; ++y) {
            for (int32_t x = 92; x <= 108; ++x) {
                const bool hole = std::any_of(t.holes.begin(), t.holes.end(),
                                              [&](const Box& b) { return b.Holds(x, y); });
                expected += t.refused.Holds(x, y) && !hole ? '.' : '#';
                accepted += Check(t.site, x, y) ? '#' : '.';
            }
            expected += '\n';
            accepted += '\n';
        }
        EXPECT_EQ(accepted, expected) << "existing " << t.existing << " site " << t.site;
    }
}

TEST_F(StationSiteTest, SpacingAlongTheTrackLine) {
    // A type 7 station on the track row of a type 6 site, 5 or 6 columns away.
    Place(1, 7, 100, 100);  // head column 100, track column 101, rows 100..103
    EXPECT_EQ(std::tuple(Check(6, 105, 101), Check(6, 106, 101)), std::tuple(0, 1));
    // A type 8 station on the track column of a type 9 or 7 site: 5 rows
    // south of its anchor the band north of the site still refuses both, 6
    // rows south both pass.
    ClearBuildings();
    Place(2, 8, 100, 100);  // head row 100, track row 101, columns 100..103
    EXPECT_EQ(
        std::tuple(Helper().CheckStationSite9(101, 105), Helper().CheckStationSite7(100, 105),
                   Helper().CheckStationSite9(101, 106), Helper().CheckStationSite7(100, 106)),
        std::tuple(0, 0, 1, 1));
    // A truck depot directly beside the long side refuses, two fields off not.
    for (auto [y, ok] : {std::pair{99, 0}, {98, 1}}) {
        ClearBuildings();
        Place(3, 2, 102, y);
        EXPECT_EQ(Check(6, 100, 100), ok) << y;
    }
    // Another player's track on the track line refuses.
    DragTrack(90, 100, 110, 100, kWayRail);
    EXPECT_EQ(Check(6, 100, 100), 1);  // own straight track on row 100
    F(102, 100).set_spieler(2);
    EXPECT_EQ(Check(6, 100, 100), 0);
}

class StationExtensionTest : public ConstructionTest {
  protected:
    // The extension's answer and the code the panel shows.
    std::tuple<int32_t, int32_t> Extend(int32_t x, int32_t y) {
        const int32_t code = Helper().ExtendStation(x, y);
        const auto& shown = Services().panel.shown;
        return {code, shown.empty() ? -1 : shown.back()};
    }
    int32_t Code(int32_t x, int32_t y) { return std::get<0>(Extend(x, y)); }
};

TEST_F(StationExtensionTest, GrowsToFourLinesThenRefusesWithCodeOne) {
    GS().building_types[6].build_price = 40000;
    DragTrack(90, 100, 110, 100, kWayRail);
    TestBuilding& station = Place(1, 6, 100, 100);  // grows north from row 101
    DragTrack(90, 99, 110, 99, kWayRail);           // track on the new line is kept
    for (int32_t line = 2; line <= 4; ++line) {
        const int64_t cash = Cash();
        EXPECT_EQ(Extend(101, 101), std::tuple(0, 0));
        EXPECT_EQ(std::tuple(station.length, F(102, 101 - line).data_word(),
                             GetBuildingTypeAt(103, 101 - line), cash - Cash()),
                  std::tuple(line, (6 << 10) | 1, 5, 20000));
        ASSERT_EQ(Services().buildings.rewrites.size(), size_t(line - 1));
        EXPECT_EQ(Services().buildings.rewrites.back().y, 100);
    }
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(Extend(100, 101), std::tuple(1, 1));
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    EXPECT_EQ(std::tuple(F(101, 99).wegtyp(), F(101, 99).wegteil()), std::tuple(kWayRail, 2));
    EXPECT_NE(NodeAt(103, 99), 0);
    EXPECT_TRUE(GraphMatchesMap(Net(), 80, 80, 120, 120));
}

TEST_F(StationExtensionTest, RefusalCodesAndTheLastFailingOneIsKept) {
    Place(1, 7, 100, 100);  // grows east: the new line is column 102
    // A curve on the new line: code 3.
    DragTrack(102, 95, 102, 101, kWayRail);
    DragTrack(102, 101, 106, 101, kWayRail);
    ASSERT_EQ(F(102, 101).wegteil(), 7);
    WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(Extend(100, 101), std::tuple(3, 3));
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    // A building on a later field than the curve: its code 2 is the last.
    F(102, 103).set_building_flag(true);
    F(102, 103).set_data_word((14 << 10) | 9);
    EXPECT_EQ(Code(100, 101), 2);
    // A slope on the last field: code 4 comes last.
    F(102, 103).set_building_flag(false);
    F(102, 103).set_data_word(0);
    F(102, 103).set_teile_diff(6);
    EXPECT_EQ(Code(100, 101), 4);
    F(102, 103).set_teile_diff(0);
    // A bridge beyond the first field of the new line comes before the
    // curve (code 3 stays); beyond the last field, or next to the end of
    // the new line, it comes last (code 2).
    for (auto [x, y, code] : {std::tuple{103, 100, 3}, {103, 103, 2}, {102, 104, 2}}) {
        F(x, y).set_bridge_flag(true);
        EXPECT_EQ(Code(100, 101), code) << x << ", " << y;
        F(x, y).set_bridge_flag(false);
    }
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
}

TEST_F(StationExtensionTest, AnotherTerminalInTheBandRefusesWithCodeFiveAForestDoesNot) {
    // The band is the four rows beyond the new line, one field wider than
    // the station at each end.
    Place(1, 8, 100, 100);  // grows south: new line row 102, band rows 103..106
    Place(2, 8, 100, 106);  // a station head at the band's far row
    Place(3, 8, 150, 100);
    Place(4, 7, 154, 103);  // columns 154..155: only column 154 lies in the band
    Place(5, 8, 200, 100);
    Place(6, 7, 205, 103);  // one column further: clear of the band
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(std::tuple(Code(100, 100), Code(150, 100)), std::tuple(5, 5));
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    EXPECT_EQ(Code(200, 100), 0);
    // Forest on the new line and in the band is no terminal: tree values 32
    // and 33 in the high byte put 8 in bits 10-15.
    Place(7, 6, 100, 50);  // new line row 49, band rows 48..45
    for (int32_t x = 99; x <= 104; ++x) {
        F(x, 47).set_forest_flag(true);
        F(x, 47).set_data_word(x % 2 == 0 ? 32 << 8 : 33 << 8);
    }
    F(101, 49).set_forest_flag(true);
    F(101, 49).set_data_word(33 << 8);
    EXPECT_EQ(Code(100, 51), 0);
    EXPECT_EQ(F(101, 49).data_word(), (6 << 10) | 7);
}

TEST_F(StationExtensionTest, NearTheMapEdgeTheLineIsUnsuitable) {
    const WorldSnapshot empty = TakeSnapshot();
    EXPECT_EQ(Extend(50, 50), std::tuple(0, 0));  // no station: only the panel is redrawn
    EXPECT_TRUE(SameWorld(empty, TakeSnapshot()));
    Place(1, 6, 100, 6);  // head row 7; new line row 5, band up to row 1
    EXPECT_EQ(Code(100, 7), 0);
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(Code(100, 7), 4);  // the band would reach row 0
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    Place(2, 9, 2, 100);  // head column 3, grows west: new line column 1
    EXPECT_EQ(Code(3, 100), 4);
}

// Station track is laid along the track row only, charged for new fields,
// and linked at both ends.
TEST_F(StationSiteTest, StationTrackLaysTheRowChargesNewFieldsAndLinksBothEnds) {
    Place(9, 6, 50, 50);                // track row 50, head row 51
    LayLine(46, 50, 50, 50, kWayRail);  // rail reaches the first row field
    Crossing(46, 50, kWayRail);
    const int64_t cash = Cash();
    Net().LayStationTrack(51, 50, 0);
    for (int32_t x = 50; x <= 53; ++x) {
        EXPECT_EQ(std::tuple(F(x, 50).wegtyp(), F(x, 50).wegteil()), std::tuple(kWayRail, 2));
    }
    EXPECT_EQ(std::tuple(cash - Cash(), NetworkLength()), std::tuple(3 * 290, 3));
    ASSERT_TRUE(NodeAt(53, 50) != 0 && NodeAt(46, 50) != 0);
    EXPECT_EQ(std::tuple(LinkTarget(50, 50, 1), LinkCost(50, 50, 1), LinkTarget(50, 50, 3),
                         LinkCost(50, 50, 3)),
              std::tuple(NodeAt(53, 50), 3, NodeAt(46, 50), 4));
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
    Net().LayStationTrack(52, 50, 0);  // the complete row charges nothing
    EXPECT_EQ(cash - Cash(), 3 * 290);
    // A row without any way, or the head row, stays bare.
    Place(10, 6, 70, 70);
    Net().LayStationTrack(70, 70, 0);
    Net().LayStationTrack(70, 71, 0);
    EXPECT_EQ(std::tuple(F(71, 70).wegtyp(), F(71, 71).wegtyp()), std::tuple(0, 0));
}

}  // namespace
