// City streets: the street plan, taking over player roads, laying planned
// cells, the fields a city never builds on, and the links of new streets.

#include <algorithm>

#include "city_fixture.h"
#include "platform/random.h"
#include "support/way_graph_check.h"
#include "world/way_piece_tables.h"

namespace {

class CityStreetsTest : public CityTest {
  protected:
    void TearDown() override { plat::SetRandSourceForTests({}); }

    // A city at origin (90, 90) with one street field at (100, 100).
    CCity& CityWithStreetAt(int32_t piece) {
        CCity& city = AddEmptyCity(1, 90, 90);
        LayWay({{100, 100}}, kWayCityStreet);
        F(100, 100).set_wegteil(static_cast<uint32_t>(piece));
        F(100, 100).set_stadtnum(1);
        return city;
    }

    // Lays every street candidate, one per call, until none is left.
    int32_t LayAllCandidates(CCity& city) {
        int32_t laid = 0;
        for (city.ExtendStreets(); city.new_street_last >= 0; city.ExtendStreets()) {
            city.UpdateStreets();
            ++laid;
        }
        return laid;
    }
};

TEST_F(CityStreetsTest, PlanPiecesFitTheirPlannedNeighbours) {
    CCity city(1, 50, 50, 1);
    for (uint32_t seed : {1u, 2u, 3u, 99u, 12345u}) {
        plat::Srand(seed);
        city.PrepareStreetGrid();
        int32_t planned = 0;
        for (int32_t dx = 0; dx < kCityAreaSize; ++dx) {
            for (int32_t dy = 0; dy < kCityAreaSize; ++dy) {
                const int32_t v = city.street_grid[dx][dy];
                if (v == 0) continue;
                ++planned;
                ASSERT_GE(v, 1);
                ASSERT_LE(v, 11);
                EXPECT_EQ(v, city.PieceFromPlan(dx, dy) + 1) << dx << "," << dy;
            }
        }
        EXPECT_GT(planned, 150) << "seed " << seed;
        // The first column lies before every line and run.
        for (int32_t dy = 0; dy < kCityAreaSize; ++dy) EXPECT_EQ(city.street_grid[0][dy], 0);
    }
}

TEST_F(CityStreetsTest, PlanLinesEndAtTheLastCellWhateverTheDraws) {
    CCity city(1, 50, 50, 1);
    // Every draw 0: back-to-back segments of two steps up to cell 26.
    plat::SetRandSourceForTests([] { return 0; });
    city.PrepareStreetGrid();
    for (int32_t dy = 0; dy < kCityAreaSize; ++dy) EXPECT_GT(city.street_grid[1][dy], 0) << dy;
    for (int32_t dy = 0; dy < kCityAreaSize; ++dy) EXPECT_GT(city.street_grid[25][dy], 0) << dy;
    // Every draw odd: a gap of two, then segments of three after gaps of two.
    plat::SetRandSourceForTests([] { return 1; });
    city.PrepareStreetGrid();
    EXPECT_EQ(city.street_grid[1][0], 0);
    EXPECT_GT(city.street_grid[1][2], 0);
    EXPECT_GT(city.street_grid[1][5], 0);
    EXPECT_EQ(city.street_grid[1][6], 0);
    EXPECT_GT(city.street_grid[1][7], 0);
}

// A player road joining the city is taken over field by field (not while
// the street is occupied); a road beside it that does not point at the
// street never.
TEST_F(CityStreetsTest, PlayerRoadJoiningTheCityBecomesACityStreet) {
    CCity& city = CityWithStreetAt(2);  // east-west
    LayLine(101, 100, 104, 100, kWayGravelRoad);
    LayWay({{100, 101}}, kWayAsphaltRoad);
    F(100, 101).set_wegteil(2);  // runs east-west below the street
    helper_.UpdateWayPiecesAround(100, 101);
    F(100, 100).set_belegt(1);
    city.ExtendStreets();
    EXPECT_EQ(city.new_street_last, -1);
    F(100, 100).set_belegt(0);
    city.ExtendStreets();
    ASSERT_EQ(city.new_street_last, 0);
    EXPECT_EQ(city.street_candidates[0].dx, 11);
    EXPECT_EQ(city.street_candidates[0].dy, 10);
    city.UpdateStreets();
    EXPECT_EQ(F(101, 100).stadtnum(), 1);
    LayAllCandidates(city);
    for (int32_t x = 101; x <= 104; ++x) EXPECT_EQ(F(x, 100).wegtyp(), kWayCityStreet) << x;
    EXPECT_EQ(F(100, 101).wegtyp(), kWayAsphaltRoad);
    EXPECT_EQ(F(100, 101).stadtnum(), 0);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

TEST_F(CityStreetsTest, PlannedCellsBesideTheNetAreLaidWithTheirPieces) {
    CCity& city = CityWithStreetAt(1);  // north-south
    // Plan: a north-south street through (100, 97..103) with a crossing at
    // (100, 102) and an arm to the east.
    for (int32_t dy = 7; dy <= 13; ++dy) city.street_grid[10][dy] = 1;
    city.street_grid[11][12] = 2;
    city.street_grid[12][12] = 2;
    for (int32_t dx = 0; dx < 27; ++dx) {
        for (int32_t dy = 0; dy < 27; ++dy) city.RefitPlanPiece(dx, dy);
    }
    ASSERT_EQ(city.street_grid[10][12], 4);  // a T piece: N, E, S
    EXPECT_EQ(LayAllCandidates(city), 8);
    for (int32_t y = 97; y <= 103; ++y) {
        EXPECT_EQ(F(100, y).wegtyp(), kWayCityStreet);
        EXPECT_EQ(F(100, y).stadtnum(), 1);
    }
    EXPECT_EQ(F(100, 102).wegteil(), 4);
    EXPECT_TRUE(F(100, 102).knoten());
    EXPECT_NE(F(100, 102).knotennummer(), 0);
    EXPECT_EQ(F(102, 102).wegtyp(), kWayCityStreet);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

TEST_F(CityStreetsTest, PlayerRoadOnThePlanMergesItsPiece) {
    CCity& city = CityWithStreetAt(2);  // east-west at (100, 100)
    city.street_grid[11][10] = 2;       // planned east-west at (101, 100)
    // A north-south road crosses the plan at (101, 99..101).
    LayLine(101, 99, 101, 101, kWayGravelRoad);
    // Its middle field joins the city street and lies on the plan: taken
    // over, its piece merges with the planned one into a crossing.
    city.ExtendStreets();
    ASSERT_EQ(city.new_street_last, 0);
    city.UpdateStreets();
    EXPECT_EQ(F(101, 100).wegtyp(), kWayCityStreet);
    EXPECT_EQ(F(101, 100).wegteil(), 11);
    EXPECT_TRUE(F(101, 100).knoten());
    EXPECT_EQ(F(101, 100).richtung(), kDirN | kDirS | kDirW);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

// Planned cells on track, a bridge end or a tunnel portal are never laid.
TEST_F(CityStreetsTest, NeverOntoTrackBridgeEndOrTunnelPortal) {
    CCity& city = CityWithStreetAt(2);
    for (int32_t dx = 0; dx < 27; ++dx) city.street_grid[dx][10] = 2;
    LayWay({{101, 100}}, kWayRail);
    for (const bool bridge : {true, false}) {
        MapField& f = F(99, 100);
        f = MapField{};
        f.set_teile_art(1);
        f.set_wegtyp(kWayGravelRoad);
        f.set_wegteil(2);
        f.set_bridge_end(bridge);
        f.set_bridge_flag(bridge);
        f.set_tportal(!bridge);
        city.ExtendStreets();
        EXPECT_EQ(city.new_street_last, -1);
    }
    EXPECT_EQ(F(101, 100).wegtyp(), kWayRail);
}

TEST_F(CityStreetsTest, NewStreetJoiningTwoStretchesLinksTheirNodes) {
    CCity& city = AddEmptyCity(1, 90, 90);
    // Two city streets with junctions, a gap at (100, 100) between them.
    PutCityStreetLine(95, 100, 99, 100, 1);
    PutCityStreetLine(101, 100, 105, 100, 1);
    PutCityStreetLine(95, 99, 95, 101, 1);
    PutCityStreetLine(105, 99, 105, 101, 1);
    city.street_grid[10][10] = 2;
    ASSERT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    city.ExtendStreets();
    ASSERT_EQ(city.new_street_last, 0);
    city.UpdateStreets();
    EXPECT_EQ(F(100, 100).wegtyp(), kWayCityStreet);
    const WayNode* west = Net().Node(F(95, 100).knotennummer());
    ASSERT_NE(west, nullptr);
    EXPECT_EQ(west->ziel[kDirIndexE], F(105, 100).knotennummer());
    EXPECT_EQ(west->cost[kDirIndexE], 10);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

}  // namespace
