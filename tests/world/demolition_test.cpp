// Area demolition and the removal of single way fields and stations.

#include <tuple>

#include "construction_fixture.h"
#include "world/field_queries.h"

namespace {

class DemolitionTest : public ConstructionTest {
  protected:
    void Demolish(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        Terrain().DemolishArea(x1, y1, x2, y2);
    }
    void CityField(int32_t x, int32_t y, int32_t stadtb) {
        F(x, y).set_stadtnum(2);
        F(x, y).set_stadtb(static_cast<uint32_t>(stadtb));
    }
};

TEST_F(DemolitionTest, ADragOfFifteenClearsTenColumns) {
    DragRoad(10, 20, 35, 20, kWayGravelRoad);
    const int32_t length = NetworkLength();
    int32_t cx = 25, cy = 20;
    Terrain().DemolishArea(10, 20, cx, cy);
    EXPECT_EQ(std::tuple(cx, cy), std::tuple(19, 20));
    for (int32_t x = 10; x <= 35; ++x) EXPECT_EQ(F(x, 20).wegtyp(), x < 20 ? 0 : kWayGravelRoad);
    EXPECT_EQ(std::tuple(kStartCash - Cash(), length - NetworkLength()), std::tuple(10 * 440, 10));
    ASSERT_FALSE(Services().sound.effects.empty());
    EXPECT_EQ(Services().sound.effects.back().effect, 3);
    EXPECT_EQ(Services().view.redraws, 1);
    // Backwards the current field is pulled to start - 9.
    int32_t bx = 0, by = 5;
    Terrain().DemolishArea(30, 20, bx, by);
    EXPECT_EQ(std::tuple(bx, by), std::tuple(21, 11));
    EXPECT_EQ(std::tuple(F(21, 20).wegtyp(), F(31, 20).wegtyp()), std::tuple(0, kWayGravelRoad));
}

TEST_F(DemolitionTest, RemovalPricesByWayTypeAndTheNetworkLengthFloor) {
    const std::pair<int32_t, int32_t> cases[] = {
        {kWayGravelRoad, 440}, {kWayAsphaltRoad, 220}, {kWaySuperconductor, 420}};
    for (const auto& [wayType, price] : cases) {
        IsRoadWay(wayType) ? DragRoad(10, 3 * wayType, 12, 3 * wayType, wayType)
                           : DragTrack(10, 3 * wayType, 12, 3 * wayType, wayType);
        const int64_t cash = Cash();
        Net().DemolishWayField(11, 3 * wayType, 0);
        EXPECT_EQ(cash - Cash(), price) << wayType;
    }
    // A city street is paid for like gravel but leaves the network length.
    F(40, 40).set_wegtyp(kWayCityStreet);
    F(40, 40).set_wegteil(1);
    F(40, 40).set_stadtnum(2);
    const int32_t length = NetworkLength();
    int64_t cash = Cash();
    Demolish(40, 40, 40, 40);
    EXPECT_EQ(std::tuple(F(40, 40).wegtyp(), cash - Cash(), NetworkLength()),
              std::tuple(0, 440, length));
    ClearStatistics();
    Net().DemolishWayField(10, 3 * kWayGravelRoad, 0);
    EXPECT_EQ(NetworkLength(), 0);  // not below 0
    // The editor removes for free.
    GS().game_mode = kModeEditor;
    cash = Cash();
    Net().DemolishWayField(12, 3 * kWayGravelRoad, 0);
    F(40, 40).set_wegtyp(kWayCityStreet);
    F(40, 40).set_wegteil(1);
    Net().DemolishWayField(40, 40, 0);
    EXPECT_EQ(Cash(), cash);
}

TEST_F(DemolitionTest, ARoadNodeGoesWithAllItsLinksAPlainFieldClearsBothEnds) {
    DragRoad(10, 5, 10, 15, kWayGravelRoad);
    DragRoad(5, 10, 15, 10, kWayGravelRoad);  // crossing at (10, 10)
    DragRoad(5, 5, 5, 25, kWayGravelRoad);    // T at (5, 10)
    DragRoad(15, 5, 15, 25, kWayGravelRoad);  // T at (15, 10)
    DragRoad(5, 20, 15, 20, kWayGravelRoad);
    const int32_t centre = F(10, 10).knotennummer();
    ASSERT_EQ(LinkTarget(5, 10, kDirIndexE), centre);
    ASSERT_EQ(LinkTarget(5, 20, kDirIndexE), NodeAt(15, 20));
    Demolish(10, 10, 10, 10);
    EXPECT_EQ(Net().Node(centre), nullptr);
    EXPECT_EQ(LinkTarget(5, 10, kDirIndexE), 0);
    EXPECT_TRUE(F(9, 10).ende());
    Demolish(12, 20, 12, 20);
    EXPECT_EQ(LinkTarget(15, 20, kDirIndexW), 0);
    EXPECT_EQ(LinkTarget(5, 20, kDirIndexE), 0);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 30, 30));
}

TEST_F(DemolitionTest, AStationWithATrainStaysAndOneBodyFieldTakesTheWholeRow) {
    DragTrack(30, 40, 50, 40, kWayRail);
    doubles::TestBuilding& station = Place(5, 6, 38, 40);  // track row 40, head row 41
    // A train on the platform: every field of the track row is occupied.
    for (int32_t x = 38; x <= 41; ++x) {
        station.occupied.insert({x, 40});
        F(x, 40).set_belegt(3);
    }
    const WorldSnapshot before = TakeSnapshot();
    Demolish(38, 40, 41, 41);
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    EXPECT_TRUE(Services().buildings.demolished.empty());
    // Empty again: one body field removes the track under all four.
    station.occupied.clear();
    for (int32_t x = 38; x <= 41; ++x) F(x, 40).set_belegt(0);
    const int64_t cash = Cash();
    Demolish(40, 40, 40, 40);
    EXPECT_EQ(F(38, 40).wegtyp(), 0);
    EXPECT_TRUE(F(38, 40).building_flag());  // the station stays
    EXPECT_EQ(cash - Cash(), 4 * 290);
    EXPECT_TRUE(GraphMatchesMap(Net(), 20, 20, 60, 60));
    // The whole station, head included.
    Demolish(38, 40, 41, 41);
    EXPECT_EQ(Services().buildings.demolished, std::vector<int32_t>{5});
    EXPECT_TRUE(GraphMatchesMap(Net(), 20, 20, 60, 60));
}

TEST_F(DemolitionTest, CityBuildingsArePaidForInPlayAndRemoveTheCityInTheEditor) {
    const std::pair<int32_t, int32_t> cases[] = {{5, 9000}, {15, 40000}, {54, 20000}, {55, 0}};
    for (const auto& [stadtb, price] : cases) {
        CityField(stadtb, 10, stadtb);
        const int64_t cash = Cash();
        Demolish(stadtb, 10, stadtb, 10);
        EXPECT_EQ(cash - Cash(), price) << stadtb;
        EXPECT_EQ(F(stadtb, 10).stadtb(), price > 0 ? 0 : stadtb) << stadtb;
    }
    GS().game_mode = kModeEditor;
    CityField(40, 20, 5);
    const int64_t cash = Cash();
    Demolish(40, 20, 40, 20);
    EXPECT_EQ(Services().cities.removed_at, (std::vector<std::pair<int32_t, int32_t>>{{40, 20}}));
    EXPECT_EQ(Cash(), cash);
}

TEST_F(DemolitionTest, WhatMayNotGoIsSkipped) {
    // Another player's track, a field with a vehicle, a raw-material site
    // outside the editor, an attraction, a depot or a bridge with a vehicle.
    DragTrack(10, 10, 14, 10, kWayRail);
    for (int32_t x = 10; x <= 14; ++x) F(x, 10).set_spieler(1);
    DragRoad(10, 12, 14, 12, kWayGravelRoad);
    F(12, 12).set_belegt(1);
    Place(3, 10, 20, 20, 2, 2);
    Place(4, 27, 30, 20, 1, 1);
    F(40, 40).set_forest_flag(true);
    F(40, 40).set_data_word(77);
    Place(6, 2, 50, 50);  // a truck depot facing south
    F(50, 50).set_belegt(1);
    Net().SetWayType(kWayAsphaltRoad - 1);
    ASSERT_EQ(Net().BuildBridge(60, 40, 60, 45, 0), 1);
    services_.AddVehicle(60, 42, kDirS).on_bridge = 1;
    const WorldSnapshot withVehicles = TakeSnapshot();
    Demolish(50, 50, 50, 50);
    Demolish(60, 40, 60, 40);
    EXPECT_TRUE(SameWorld(withVehicles, TakeSnapshot()));

    Demolish(10, 10, 14, 12);
    for (int32_t x = 10; x <= 14; ++x) EXPECT_EQ(F(x, 10).wegtyp(), kWayRail);
    EXPECT_EQ(std::tuple(F(12, 12).wegtyp(), F(11, 12).wegtyp()), std::tuple(kWayGravelRoad, 0));
    const int64_t cash = Cash();
    Demolish(20, 20, 30, 21);
    Demolish(40, 40, 40, 40);
    EXPECT_TRUE(Services().buildings.demolished.empty());
    EXPECT_FALSE(F(40, 40).forest_flag());
    EXPECT_EQ(std::tuple(F(40, 40).data_word(), Cash()), std::tuple(0, cash));  // forest is free

    F(50, 50).set_belegt(0);
    Demolish(50, 50, 50, 50);
    GS().game_mode = kModeEditor;
    Demolish(20, 20, 20, 20);
    EXPECT_EQ(Services().buildings.demolished, (std::vector<int32_t>{6, 3}));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 70, 70));
}

TEST_F(DemolitionTest, TunnelAndBridgeEndsTakeTheWholeRun) {
    SetHeights(10, 49, 30, 50, 3);
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildTunnel(20, 50), 1);
    DragRoad(15, 49, 25, 49, kWayAsphaltRoad);  // over the tunnel
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildBridge(40, 40, 40, 45, 0), 1);
    // A road field above the tunnel is cleared like any road; the tunnel stays.
    Demolish(20, 49, 20, 49);
    EXPECT_EQ(F(20, 49).wegtyp(), 0);
    EXPECT_TRUE(F(20, 49).tunnel());
    const int64_t cash = Cash();
    Demolish(20, 48, 20, 48);  // the far portal
    EXPECT_FALSE(F(20, 50).tportal() || F(20, 48).tportal());
    EXPECT_EQ(cash - Cash(), 3 * 290);
    Demolish(40, 40, 40, 40);
    EXPECT_FALSE(F(40, 45).bridge_flag());
    EXPECT_EQ(cash - Cash(), 3 * 290 + 6 * 160);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 60, 60));
}

}  // namespace
