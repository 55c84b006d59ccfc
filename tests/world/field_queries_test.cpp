// Field queries (tunnel and bridge runs, store customers) and station track.

#include <gtest/gtest.h>

#include "construction_fixture.h"
#include "state/statistics.h"
#include "world/field_queries.h"

namespace {

class FieldQueryTest : public ConstructionTest {
  protected:
    // A tunnel between portals (x1, y) (slope 2) and (x2, y) (slope 4).
    void Tunnel(int32_t x1, int32_t x2, int32_t y, int32_t wayType) {
        for (int32_t x = x1; x <= x2; ++x) F(x, y).set_tunnel(true);
        F(x1, y).set_tportal(true);
        F(x1, y).set_teile_diff(2);
        F(x1, y).set_wegtyp(static_cast<uint32_t>(wayType));
        F(x2, y).set_tportal(true);
        F(x2, y).set_teile_diff(4);
        F(x2, y).set_wegtyp(static_cast<uint32_t>(wayType));
    }
};

TEST_F(FieldQueryTest, TunnelRunCostAndFarPortalMark) {
    Tunnel(10, 11, 10, kWayRail);
    EXPECT_EQ(MeasureTunnelRun(10, 10), 580);
    EXPECT_EQ(F(11, 10).laenge(), 1);
    Tunnel(20, 25, 10, kWayAsphaltRoad);
    EXPECT_EQ(MeasureTunnelRun(25, 10), 6 * 220);

    // A vehicle in another tunnel does not count; one on the far portal does.
    CVehicle& vehicle = services_.AddVehicle(100, 100, kDirN);
    vehicle.in_tunnel = 1;
    EXPECT_EQ(MeasureTunnelRun(10, 10), 580);
    vehicle.pos_x = 11;
    vehicle.pos_y = 10;
    vehicle.in_tunnel = 0;
    F(11, 10).set_laenge(0);
    F(11, 10).set_tunnel_belegt(true);
    EXPECT_EQ(MeasureTunnelRun(10, 10), -1);
    EXPECT_EQ(F(11, 10).laenge(), 1);  // marked all the same
    // No far portal before the edge, or no portal: nothing.
    F(30, 30).set_teile_diff(2);
    EXPECT_EQ(MeasureTunnelRun(30, 30), 0);
    F(30, 30).set_tportal(true);
    F(30, 30).set_wegtyp(kWayRail);
    EXPECT_EQ(MeasureTunnelRun(30, 30), 0);
}

TEST_F(FieldQueryTest, BridgeRunCostAndVehicle) {
    // A north-south bridge: south end (40, 45) code 1, north end (40, 41).
    for (int32_t y = 41; y <= 45; ++y) F(40, y).set_bridge_flag(true);
    F(40, 45).set_bridge_end(true);
    F(40, 45).set_bridge_piece(1);
    F(40, 45).set_wegtyp(kWayMonorail);
    F(40, 41).set_bridge_end(true);
    F(40, 41).set_bridge_piece(2);
    EXPECT_EQ(MeasureBridgeRun(40, 45), 5 * 360);
    EXPECT_EQ(F(40, 41).laenge(), 1);
    CVehicle& vehicle = services_.AddVehicle(40, 43, kDirN);
    EXPECT_EQ(MeasureBridgeRun(40, 45), 5 * 360);  // under the bridge
    vehicle.on_bridge = 1;
    EXPECT_EQ(MeasureBridgeRun(40, 45), -1);
    F(40, 43).set_bridge_piece(9);
    EXPECT_EQ(MeasureBridgeRun(40, 43), 0);  // a span field gives no direction
    EXPECT_EQ(MeasureBridgeRun(41, 45), 0);
}

TEST_F(FieldQueryTest, StoreCustomersByCoverageAndClass) {
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

class StationTrackTest : public ConstructionTest {
  protected:
    // A type 6 station: head row y + 1 (anchor (x, y + 1)), track row y.
    void Station6(int32_t x, int32_t y, int32_t number) {
        services_.AddBuilding(number, x, y + 1);
        for (int32_t k = 0; k < 4; ++k) {
            for (int32_t row = y; row <= y + 1; ++row) {
                F(x + k, row).set_building_flag(true);
                F(x + k, row).set_geb_num(static_cast<uint32_t>(number));
                F(x + k, row).set_geb_typ(6);
            }
        }
    }
};

TEST_F(StationTrackTest, LaysTheRowChargesNewFieldsAndLinksBothEnds) {
    Station6(50, 50, 9);
    LayLine(46, 50, 50, 50, kWayRail);  // rail reaches the first row field
    Crossing(46, 50, kWayRail);
    const int64_t cash = game_.state().cash[0];
    Net().LayStationTrack(51, 50, 0);
    for (int32_t x = 50; x <= 53; ++x) {
        EXPECT_EQ(F(x, 50).wegtyp(), kWayRail);
        EXPECT_EQ(F(x, 50).wegteil(), 2);
    }
    EXPECT_EQ(game_.state().cash[0], cash - 3 * 290);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::NetworkLength, 0), 3);
    EXPECT_NE(NodeAt(53, 50), 0);
    EXPECT_EQ(LinkTarget(50, 50, 1), NodeAt(53, 50));
    EXPECT_EQ(LinkCost(50, 50, 1), 3);
    ASSERT_NE(NodeAt(46, 50), 0);
    EXPECT_EQ(LinkTarget(50, 50, 3), NodeAt(46, 50));
    EXPECT_EQ(LinkCost(50, 50, 3), 4);
    EXPECT_TRUE(MirrorInvariantHolds(Net()));

    Net().LayStationTrack(52, 50, 0);  // the complete row charges nothing
    EXPECT_EQ(game_.state().cash[0], cash - 3 * 290);
    // A row without any way, or the head row, stays bare.
    Station6(70, 70, 10);
    Net().LayStationTrack(70, 70, 0);
    Net().LayStationTrack(70, 71, 0);
    EXPECT_EQ(F(71, 70).wegtyp(), 0);
    EXPECT_EQ(F(71, 71).wegtyp(), 0);
}

}  // namespace
