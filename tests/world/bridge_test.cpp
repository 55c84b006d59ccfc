// Bridges: lengths, end codes for either drag direction, the side, end and
// span rules, prices and the joining of the ends to the network.

#include "construction_fixture.h"
#include "world/field_queries.h"
#include "world/way_piece_tables.h"

namespace {

class BridgeTest : public ConstructionTest {
  protected:
    // A copy of the fields of column or row `line` from `a` to `b`.
    std::vector<MapField> Run(bool alongX, int32_t line, int32_t a, int32_t b) {
        std::vector<MapField> run;
        for (int32_t p = a; p <= b; ++p) run.push_back(alongX ? F(p, line) : F(line, p));
        return run;
    }
    static bool SameRun(const std::vector<MapField>& a, const std::vector<MapField>& b) {
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i].data_word() != b[i].data_word() || a[i].wegteil() != b[i].wegteil() ||
                a[i].wegtyp() != b[i].wegtyp() || a[i].richtung() != b[i].richtung() ||
                a[i].gleisr() != b[i].gleisr()) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(BridgeTest, TwoToTenFieldsAreBuiltAndPriced) {
    Net().SetWayType(kWayAsphaltRoad - 1);
    for (int32_t n = 2; n <= 10; ++n) {
        const int32_t x = 10 + 6 * n;
        const int64_t cash = Cash();
        const int32_t length = NetworkLength();
        ASSERT_EQ(Net().BuildBridge(x, 100, x, 100 + n - 1, 0), 1) << n;
        EXPECT_EQ(cash - Cash(), (n + 1) * 880) << n;
        EXPECT_EQ(NetworkLength() - length, n);
        EXPECT_TRUE(F(x, 100 + n - 1).bridge_end());
        if (n > 2) {
            EXPECT_EQ(F(x, 101).bridge_piece(), 9);
            EXPECT_EQ(F(x, 101).bridge_wegtyp(), kWayAsphaltRoad);
        }
    }
}

TEST_F(BridgeTest, BuildingAndRemovalAreBookedAsWayConstruction) {
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildBridge(50, 50, 54, 50, 0), 1);  // 5 fields: 6 x 1,160
    ASSERT_EQ(Net().DemolishBridge(50, 50), 1);          // 5 x 290
    const int32_t total = 6 * 1160 + 5 * 290;
    EXPECT_EQ(kStartCash - Cash(), total);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::TotalCosts, 0), total);
    EXPECT_EQ(g_Statistics.Yearly(StatSeries::CompanyWorth, 0), total);
    EXPECT_EQ(g_Statistics.Yearly(StatSeries::OverallProfit, 0), -total);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::NetworkLength, 0), 0);
    EXPECT_EQ(g_Statistics.PairThis(StatPair::C, 0), total);
}

TEST_F(BridgeTest, CodesPiecesAndDirectionsDoNotDependOnTheDragDirection) {
    // Flat ends along y, ramp ends along x.
    SetHeights(140, 0, 255, 255, 3);  // ramp rising east at column 139
    SetHeights(0, 0, 120, 255, 3);    // ramp rising west at column 120
    for (int32_t y : {10, 20}) ASSERT_EQ(F(139, y).teile_diff(), 2);
    ASSERT_EQ(F(120, 10).teile_diff(), 4);

    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildBridge(120, 10, 139, 10, 0), 0);  // 20 fields: too long
    // Build the flat-ended bridges in both directions and compare.
    ASSERT_EQ(Net().BuildBridge(130, 40, 130, 45, 0), 1);
    ASSERT_EQ(Net().BuildBridge(135, 45, 135, 40, 0), 1);
    const auto south = Run(false, 130, 40, 45);
    const auto north = Run(false, 135, 40, 45);
    EXPECT_TRUE(SameRun(south, north));
    EXPECT_EQ(F(130, 40).bridge_piece(), 2);  // north end, flat
    EXPECT_EQ(F(130, 40).wegteil(), 15);
    EXPECT_EQ(F(130, 40).gleisr(), kDirS);
    EXPECT_EQ(F(130, 40).richtung(), 0);  // the other nibble is untouched
    EXPECT_EQ(F(130, 45).bridge_piece(), 1);

    // Along x between the two ramps: codes 7 (west ramp) and 8 (east ramp).
    Net().SetWayType(kWayGravelRoad - 1);
    SetHeights(0, 0, 255, 255, 2);
    SetHeights(0, 0, 100, 255, 3);    // ramp rising west at column 100
    SetHeights(109, 0, 255, 255, 3);  // ramp rising east at column 108
    ASSERT_EQ(F(100, 60).teile_diff(), 4);
    ASSERT_EQ(F(108, 60).teile_diff(), 2);
    ASSERT_EQ(Net().BuildBridge(100, 60, 108, 60, 0), 1);
    ASSERT_EQ(Net().BuildBridge(108, 70, 100, 70, 0), 1);
    const auto east = Run(true, 60, 100, 108);
    const auto west = Run(true, 70, 100, 108);
    EXPECT_TRUE(SameRun(east, west));
    EXPECT_EQ(F(100, 60).bridge_piece(), 7);
    EXPECT_EQ(F(100, 60).wegteil(), 2);
    EXPECT_EQ(F(100, 60).richtung(), kDirE);
    EXPECT_EQ(F(108, 60).bridge_piece(), 8);
    EXPECT_EQ(F(104, 60).bridge_piece(), 11);
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
    EXPECT_EQ(Cash(), kStartCash);
    EXPECT_EQ(NetworkLength(), 5);
    EXPECT_EQ(MeasureBridgeRun(10, 10), 0);
    EXPECT_EQ(Net().DemolishBridge(10, 10), 1);
    EXPECT_EQ(Cash(), kStartCash);
    EXPECT_EQ(NetworkLength(), 0);
}

TEST_F(BridgeTest, SpansCrossWaysAtRightAnglesAndRefusalsChangeNothing) {
    DragRoad(5, 20, 15, 20, kWayGravelRoad);
    DragRoad(10, 10, 10, 30, kWayGravelRoad);  // crossing at (10, 20)
    const uint16_t node = F(7, 20).knotennummer();
    Net().SetWayType(kWayRail - 1);
    // Over the east-west road at column 7: kept underneath.
    ASSERT_EQ(Net().BuildBridge(7, 18, 7, 22, 0), 1);
    EXPECT_EQ(F(7, 20).wegteil(), 2);
    EXPECT_EQ(F(7, 20).knotennummer(), node);
    EXPECT_EQ(F(7, 20).data_word(), 9 + (kWayRail << 4));

    // Water at an end; a building beside the span, beyond an end, under the
    // span or diagonally beyond an end; a way at an end.
    F(40, 10).set_teile_art(0);
    F(30, 12).set_teile_art(0);  // water under the span is fine
    const auto building = [&](int32_t x, int32_t y) {
        F(x, y).set_building_flag(true);
        F(x, y).set_data_word((14 << 10) | 3);
    };
    building(51, 12);
    F(60, 15).set_stadtnum(2);
    F(60, 15).set_stadtb(4);
    building(70, 12);
    building(89, 15);
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

TEST_F(BridgeTest, EndsAreLinkedAcrossTheBridge) {
    DragRoad(10, 5, 10, 9, kWayGravelRoad);
    DragRoad(8, 5, 12, 5, kWayGravelRoad);  // T at (10, 5)
    DragRoad(10, 16, 10, 20, kWayGravelRoad);
    DragRoad(8, 20, 12, 20, kWayGravelRoad);  // T at (10, 20)
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildBridge(10, 10, 10, 15, 0), 1);
    const WayNode* north = Net().Node(F(10, 5).knotennummer());
    ASSERT_NE(north, nullptr);
    EXPECT_EQ(north->ziel[kDirIndexS], F(10, 20).knotennummer());
    EXPECT_EQ(north->cost[kDirIndexS], 15);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 40, 40));

    // Removing the bridge unlinks both sides and leaves the roads.
    const int64_t cash = Cash();
    const int32_t length = NetworkLength();
    EXPECT_EQ(MeasureBridgeRun(10, 15), 6 * 160);
    EXPECT_EQ(Net().DemolishBridge(10, 15), 1);
    EXPECT_EQ(cash - Cash(), 6 * 160);
    EXPECT_EQ(length - NetworkLength(), 6);
    EXPECT_EQ(north->ziel[kDirIndexS], 0);
    EXPECT_FALSE(F(10, 12).bridge_flag());
    EXPECT_EQ(F(10, 15).wegtyp(), 0);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 40, 40));
}

}  // namespace
