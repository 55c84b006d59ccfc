// Bridges and tunnels: lengths, end codes and portals, the refusals, prices
// and bookings, the runs measured for removal, and the joining of their ends
// to the network.

#include <tuple>

#include "construction_fixture.h"
#include "world/field_queries.h"
#include "world/way_piece_tables.h"

namespace {

class BridgeTest : public ConstructionTest {
  protected:
    // The way bits of the fields of column or row `line` from `a` to `b`.
    std::vector<std::tuple<int, int, int, int, int>> Run(bool alongX, int32_t line, int32_t a,
                                                         int32_t b) {
        std::vector<std::tuple<int, int, int, int, int>> run;
        for (int32_t p = a; p <= b; ++p) {
            const MapField& f = alongX ? F(p, line) : F(line, p);
            run.emplace_back(f.data_word(), f.wegteil(), f.wegtyp(), f.richtung(), f.gleisr());
        }
        return run;
    }
};

using TunnelTest = ConstructionTest;

TEST_F(BridgeTest, TwoToTenFieldsAreBuiltPricedAndBookedAsWayConstruction) {
    Net().SetWayType(kWayAsphaltRoad - 1);
    for (int32_t n = 2; n <= 10; ++n) {
        const int32_t x = 10 + 6 * n;
        const int64_t cash = Cash();
        const int32_t length = NetworkLength();
        ASSERT_EQ(Net().BuildBridge(x, 100, x, 100 + n - 1, 0), 1) << n;
        EXPECT_EQ(std::tuple(cash - Cash(), NetworkLength() - length),
                  std::tuple((n + 1) * 880, n));
        EXPECT_TRUE(F(x, 100 + n - 1).bridge_end());
        EXPECT_TRUE(n == 2 || (F(x, 101).bridge_piece() == 9 &&
                               F(x, 101).bridge_wegtyp() == kWayAsphaltRoad));
    }
    ClearStatistics();
    GS().cash[0] = kStartCash;
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildBridge(50, 50, 54, 50, 0), 1);  // 5 fields: 6 x 1,160
    ASSERT_EQ(Net().DemolishBridge(50, 50), 1);          // 5 x 290
    const int32_t total = 6 * 1160 + 5 * 290;
    EXPECT_EQ(std::tuple(kStartCash - Cash(), g_Statistics.Monthly(StatSeries::TotalCosts, 0),
                         g_Statistics.Yearly(StatSeries::CompanyWorth, 0),
                         g_Statistics.Yearly(StatSeries::OverallProfit, 0),
                         g_Statistics.Monthly(StatSeries::NetworkLength, 0),
                         g_Statistics.PairThis(StatPair::C, 0)),
              std::tuple(total, total, total, -total, 0, total));
}

TEST_F(BridgeTest, CodesPiecesAndDirectionsDoNotDependOnTheDragDirection) {
    SetHeights(140, 0, 255, 255, 3);  // ramp rising east at column 139
    SetHeights(0, 0, 120, 255, 3);    // ramp rising west at column 120
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildBridge(120, 10, 139, 10, 0), 0);  // 20 fields: too long
    // Flat ends along y, both ways.
    ASSERT_EQ(Net().BuildBridge(130, 40, 130, 45, 0), 1);
    ASSERT_EQ(Net().BuildBridge(135, 45, 135, 40, 0), 1);
    EXPECT_EQ(Run(false, 130, 40, 45), Run(false, 135, 40, 45));
    EXPECT_EQ(std::tuple(F(130, 40).bridge_piece(), F(130, 40).wegteil(), F(130, 40).gleisr(),
                         F(130, 40).richtung(), F(130, 45).bridge_piece()),
              std::tuple(2, 15, kDirS, 0, 1));  // the other nibble is untouched
    // Along x between two ramps: codes 7 (west ramp) and 8 (east ramp).
    Net().SetWayType(kWayGravelRoad - 1);
    SetHeights(0, 0, 255, 255, 2);
    SetHeights(0, 0, 100, 255, 3);    // ramp rising west at column 100
    SetHeights(109, 0, 255, 255, 3);  // ramp rising east at column 108
    ASSERT_EQ(Net().BuildBridge(100, 60, 108, 60, 0), 1);
    ASSERT_EQ(Net().BuildBridge(108, 70, 100, 70, 0), 1);
    EXPECT_EQ(Run(true, 60, 100, 108), Run(true, 70, 100, 108));
    EXPECT_EQ(std::tuple(F(100, 60).bridge_piece(), F(100, 60).wegteil(), F(100, 60).richtung(),
                         F(108, 60).bridge_piece(), F(104, 60).bridge_piece()),
              std::tuple(7, 2, kDirE, 8, 11));
}

TEST_F(BridgeTest, GravelIsFreeInTheEditorAndClearsTheWoodsBeside) {
    GS().game_mode = kModeEditor;
    for (const auto& [x, y] : {std::pair{9, 9}, std::pair{11, 12}, std::pair{10, 15}}) {
        F(x, y).set_forest_flag(true);  // beside the ends and the span: cleared
        F(x, y).set_data_word(0x55);
    }
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildBridge(10, 10, 10, 14, 0), 1);
    EXPECT_FALSE(F(9, 9).forest_flag() || F(11, 12).forest_flag() || F(10, 15).forest_flag());
    EXPECT_EQ(std::tuple(Cash(), NetworkLength(), MeasureBridgeRun(10, 10)),
              std::tuple(kStartCash, 5, 0));
    EXPECT_EQ(Net().DemolishBridge(10, 10), 1);
    EXPECT_EQ(std::tuple(Cash(), NetworkLength()), std::tuple(kStartCash, 0));
}

TEST_F(BridgeTest, SpansCrossWaysAtRightAnglesAndRefusalsChangeNothing) {
    DragRoad(5, 20, 15, 20, kWayGravelRoad);
    DragRoad(10, 10, 10, 30, kWayGravelRoad);  // crossing at (10, 20)
    const uint16_t node = F(7, 20).knotennummer();
    Net().SetWayType(kWayRail - 1);
    // Over the east-west road at column 7: kept underneath.
    ASSERT_EQ(Net().BuildBridge(7, 18, 7, 22, 0), 1);
    EXPECT_EQ(std::tuple(F(7, 20).wegteil(), F(7, 20).knotennummer(), F(7, 20).data_word()),
              std::tuple(2, node, 9 + (kWayRail << 4)));
    // Water at an end; a building beside the span, beyond an end, under the
    // span or diagonally beyond an end; a way at an end.
    F(40, 10).set_teile_art(0);
    F(30, 12).set_teile_art(0);  // water under the span is fine
    for (auto [x, y] : {std::pair{51, 12}, {70, 12}, {89, 15}}) {
        F(x, y).set_building_flag(true);
        F(x, y).set_data_word((14 << 10) | 3);
    }
    F(60, 15).set_stadtnum(2);
    F(60, 15).set_stadtb(4);
    DragRoad(79, 10, 81, 10, kWayGravelRoad);
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(Net().BuildBridge(10, 25, 10, 29, 0), 0);  // along a road
    EXPECT_EQ(Net().BuildBridge(10, 17, 10, 23, 0), 0);  // over a crossing
    for (const int32_t x : {40, 50, 60, 70, 80, 90}) {
        EXPECT_EQ(Net().BuildBridge(x, 10, x, 14, 0), 0) << x;
    }
    EXPECT_EQ(Net().BuildBridge(200, 100, 200, 110, 0), 0);  // 11 fields
    EXPECT_EQ(Net().BuildBridge(200, 100, 200, 100, 0), 0);
    EXPECT_EQ(Net().BuildBridge(200, 100, 201, 101, 0), 0);
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    EXPECT_EQ(Net().BuildBridge(90, 9, 90, 13, 0), 1);
    EXPECT_EQ(Net().BuildBridge(30, 10, 30, 14, 0), 1);
}

TEST_F(BridgeTest, EndsAreLinkedAcrossTheBridgeAndUnlinkedWithIt) {
    DragRoad(10, 5, 10, 9, kWayGravelRoad);
    DragRoad(8, 5, 12, 5, kWayGravelRoad);  // T at (10, 5)
    DragRoad(10, 16, 10, 20, kWayGravelRoad);
    DragRoad(8, 20, 12, 20, kWayGravelRoad);  // T at (10, 20)
    DragRoad(5, 12, 15, 12, kWayGravelRoad);  // to pass beneath, with a node there
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildBridge(10, 10, 10, 15, 0), 1);
    Net().CreateNode(10, 12);
    LinkBox(0, 0, 20, 20);
    EXPECT_EQ(std::tuple(LinkTarget(10, 5, kDirIndexS), LinkCost(10, 5, kDirIndexS)),
              std::tuple(NodeAt(10, 20), 15));
    EXPECT_EQ(std::tuple(LinkTarget(10, 12, kDirIndexN), LinkTarget(10, 12, kDirIndexS)),
              std::tuple(0, 0));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 40, 40));
    // A vehicle under the bridge does not stop its removal, one on it does;
    // a span field or a field beside measures nothing.
    CVehicle& vehicle = services_.AddVehicle(10, 12, kDirN);
    EXPECT_EQ(MeasureBridgeRun(10, 15), 6 * 160);
    EXPECT_EQ(F(10, 10).laenge(), 1);  // the far end is marked
    vehicle.on_bridge = 1;
    EXPECT_EQ(MeasureBridgeRun(10, 15), -1);
    vehicle.on_bridge = 0;
    EXPECT_EQ(MeasureBridgeRun(10, 12) + MeasureBridgeRun(11, 15), 0);
    const int64_t cash = Cash();
    const int32_t length = NetworkLength();
    EXPECT_EQ(Net().DemolishBridge(10, 15), 1);
    EXPECT_EQ(std::tuple(cash - Cash(), length - NetworkLength()), std::tuple(6 * 160, 6));
    EXPECT_EQ(LinkTarget(10, 5, kDirIndexS), 0);
    EXPECT_FALSE(F(10, 12).bridge_flag());
    EXPECT_EQ(F(10, 15).wegtyp(), 0);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 40, 40));
}

TEST_F(TunnelTest, AOneFieldHillGivesAThreeFieldTunnelAVehicleInsideKeepsIt) {
    SetHeights(10, 49, 30, 50, 3);
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildTunnel(20, 50), 1);
    EXPECT_EQ(std::tuple(kStartCash - Cash(), NetworkLength()), std::tuple(3 * 2320, 2));
    EXPECT_TRUE(F(20, 48).tportal());
    EXPECT_EQ(std::tuple(F(20, 48).wegteil(), F(20, 50).gleisr(), F(20, 48).gleisr()),
              std::tuple(1, kDirN, kDirS));
    EXPECT_EQ(F(20, 49).tunnel_hoehe(), 3);
    EXPECT_FALSE(F(20, 47).tunnel());
    // A vehicle in another tunnel does not count; one in this one stops the
    // removal, free of charge, and the far portal is marked all the same.
    services_.AddVehicle(100, 100, kDirN).in_tunnel = 1;
    EXPECT_EQ(MeasureTunnelRun(20, 50), 3 * 290);
    services_.AddVehicle(20, 49, kDirN).in_tunnel = 1;
    F(20, 48).set_laenge(0);
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(MeasureTunnelRun(20, 50), -1);
    EXPECT_EQ(F(20, 48).laenge(), 1);
    EXPECT_EQ(Net().DemolishTunnel(20, 50), 0);
    F(20, 48).set_laenge(0);
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    // A portal without a far portal before the edge measures nothing.
    F(30, 30).set_teile_diff(2);
    F(30, 30).set_tportal(true);
    EXPECT_EQ(MeasureTunnelRun(30, 30), 0);
}

TEST_F(TunnelTest, AHillThatComesDownToTheEntryLevelRefuses) {
    SetHeights(10, 40, 30, 50, 3);
    Net().SetWayType(kWayRail - 1);
    // Sets corner (x, y), checks the shape of field (20, 45) in the run and
    // that a tunnel from the entry is refused.
    const auto refused = [&](int32_t x, int32_t y, int32_t height, int32_t entryX, int32_t entryY,
                             int32_t level, int32_t shape) {
        SetHeights(x, y, x, y, height);
        EXPECT_EQ(std::tuple(F(20, 45).hoehe(), F(20, 45).teile_diff()), std::tuple(level, shape));
        const WorldSnapshot before = TakeSnapshot();
        EXPECT_EQ(Net().BuildTunnel(entryX, entryY), 0) << shape;
        EXPECT_TRUE(SameWorld(before, TakeSnapshot(), true)) << shape;
        SetHeights(x, y, x, y, 3);
    };
    // Northwards from (20, 50), entry at height 3: fields of the run at 3
    // must not be shaped 10 or 11.
    refused(21, 45, 2, 20, 50, 3, 11);  // north-east corner down
    SetHeights(20, 46, 21, 46, 4);
    refused(21, 45, 4, 20, 50, 3, 10);  // north-west corner down
    SetHeights(20, 46, 21, 46, 3);
    // Eastwards from (9, 45), entry at height 2: a field of the run whose
    // north-west corner comes down to 2 refuses.
    refused(20, 45, 2, 9, 45, 2, 10);
    EXPECT_EQ(Net().BuildTunnel(9, 45), 1);
    EXPECT_TRUE(F(30, 45).tportal());
}

TEST_F(TunnelTest, ARidgeGivesTwoPortalsGravelInTheEditorIsFreeRefusalsChangeNothing) {
    SetHeights(10, 60, 30, 60, 3);
    Net().SetWayType(kWayAsphaltRoad - 1);
    ASSERT_EQ(Net().BuildTunnel(20, 60), 1);
    EXPECT_EQ(std::tuple(F(20, 60).richtung(), F(20, 59).richtung()), std::tuple(kDirN, kDirS));
    EXPECT_EQ(std::tuple(kStartCash - Cash(), NetworkLength()), std::tuple(2 * 1760, 1));
    GS().cash[0] = kStartCash;
    GS().game_mode = kModeEditor;
    SetHeights(10, 49, 30, 50, 3);
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildTunnel(20, 50), 1);
    EXPECT_EQ(MeasureTunnelRun(20, 50), 0);
    EXPECT_EQ(Net().DemolishTunnel(20, 50), 1);
    EXPECT_EQ(Cash(), kStartCash);
    SetHeights(60, 60, 70, 70, 3);
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildTunnel(59, 65), 1);  // east-west under the plateau
    ASSERT_EQ(F(70, 65).richtung(), kDirW);
    SetHeights(100, 0, 120, 3, 3);  // a hill that reaches the north border
    SetHeights(10, 49, 30, 50, 3);
    F(12, 48).set_teile_art(0);  // the far portal is water
    F(14, 50).set_stadtnum(1);
    F(14, 50).set_stadtb(3);  // a city house on the entry
    F(22, 49).set_hoehe(1);   // a gap below the entry level
    const WorldSnapshot before = TakeSnapshot();
    Net().SetWayType(kWayRail - 1);
    EXPECT_EQ(Net().BuildTunnel(12, 50), 0);
    EXPECT_EQ(Net().BuildTunnel(14, 50), 0);
    EXPECT_EQ(Net().BuildTunnel(22, 50), 0);
    EXPECT_EQ(Net().BuildTunnel(65, 70), 0);   // would cross the first tunnel
    EXPECT_EQ(Net().BuildTunnel(110, 3), 0);   // reaches the border
    EXPECT_EQ(Net().BuildTunnel(140, 20), 0);  // a flat field
    EXPECT_EQ(Net().BuildTunnel(60, 60), 0);   // a corner shape
    EXPECT_EQ(Net().BuildTunnel(-1, 5), 0);
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
}

TEST_F(TunnelTest, EastwardTunnelLinksBothSidesOutwards) {
    SetHeights(60, 60, 70, 70, 3);
    // Roads to junctions on both sides of the plateau's row 65.
    DragRoad(50, 65, 58, 65, kWayGravelRoad);
    DragRoad(54, 62, 54, 68, kWayGravelRoad);
    DragRoad(72, 65, 80, 65, kWayGravelRoad);
    DragRoad(76, 62, 76, 68, kWayGravelRoad);
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildTunnel(59, 65), 1);
    // The far portal's outside neighbour is not a road yet: link the last
    // field of the east road.
    DragRoad(70, 65, 72, 65, kWayGravelRoad);
    EXPECT_EQ(F(70, 65).richtung(), kDirsEW);
    // A crossing on the plateau right above the tunnel keeps to itself.
    DragRoad(62, 65, 68, 65, kWayGravelRoad);
    DragRoad(65, 62, 65, 68, kWayGravelRoad);
    ASSERT_NE(NodeAt(65, 65), 0);
    EXPECT_EQ(std::tuple(LinkTarget(54, 65, kDirIndexE), LinkCost(54, 65, kDirIndexE)),
              std::tuple(NodeAt(76, 65), 22));
    EXPECT_TRUE(GraphMatchesMap(Net(), 40, 40, 100, 100));
}

TEST_F(TunnelTest, RemovingATunnelKeepsTheWaysAboveIt) {
    SetHeights(60, 60, 70, 70, 3);
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildTunnel(65, 70), 1);  // north from (65, 70) to (65, 59)
    // On the plateau: a junction at (65, 66), a curve at (65, 69) right above
    // the tunnel's first field, and a junction at (68, 69).
    DragRoad(63, 66, 67, 66, kWayGravelRoad);
    DragRoad(65, 66, 65, 69, kWayGravelRoad);
    DragRoad(65, 69, 68, 69, kWayGravelRoad);
    DragRoad(68, 67, 68, 70, kWayGravelRoad);
    ASSERT_EQ(F(65, 69).richtung(), kDirN | kDirE);
    const int32_t corner = F(68, 69).knotennummer();
    ASSERT_NE(corner, 0);
    ASSERT_EQ(LinkTarget(65, 66, kDirIndexS), corner);
    const int64_t cash = Cash();
    const int32_t length = NetworkLength();
    EXPECT_EQ(MeasureTunnelRun(65, 70), 12 * 290);
    EXPECT_EQ(Net().DemolishTunnel(65, 70), 1);
    EXPECT_EQ(std::tuple(cash - Cash(), length - NetworkLength()), std::tuple(12 * 290, 11));
    for (int32_t y = 59; y <= 70; ++y) EXPECT_FALSE(F(65, y).tunnel() || F(65, y).tportal()) << y;
    EXPECT_EQ(LinkTarget(65, 66, kDirIndexS), corner);
    EXPECT_TRUE(GraphMatchesMap(Net(), 40, 40, 100, 100));
}

}  // namespace
