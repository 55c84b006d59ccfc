// Piece shapes, way queries for vehicles, the re-fitting of direction masks
// and the linking of ways into the network; bridges and tunnels: lengths,
// end codes and portals, refusals, prices, removal runs and joining.

#include <gtest/gtest.h>

#include <tuple>

#include "construction_fixture.h"
#include "world/field_queries.h"
#include "world/slope_shape.h"
#include "world/tile_marker.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"

namespace {

class PiecesTest : public ConstructionTest {
  protected:
    // The `wegteil` chosen for a way on (50, 50) with neighbours in `mask`.
    int32_t ChooseFor(uint8_t mask, int32_t wayType) {
        for (int32_t i = 0; i < 4; ++i) {
            const bool on = (mask & DirBitFromIndex(i)) != 0;
            F(50 + DirDx(i), 50 + DirDy(i)).set_wegtyp(on ? static_cast<uint32_t>(wayType) : 0);
            F(50 + DirDx(i), 50 + DirDy(i)).set_wegteil(on ? 1 : 0);
        }
        Way(50, 50, wayType);
        return IsRoadWay(wayType) ? Road(50, 50) : Track(50, 50);
    }
    int32_t Road(int32_t x, int32_t y) { return CWayNetwork::ChooseRoadPiece(x, y) + 1; }
    int32_t Track(int32_t x, int32_t y) { return CWayNetwork::ChooseTrackPiece(x, y) + 1; }
    MapField& Way(int32_t x, int32_t y, int32_t wayType, int32_t piece = 1) {
        F(x, y).set_wegtyp(static_cast<uint32_t>(wayType));
        F(x, y).set_wegteil(static_cast<uint32_t>(piece));
        return F(x, y);
    }
};

TEST_F(PiecesTest, PiecesFollowNeighboursSlopesPortalsAndBridgeEnds) {
    for (const int32_t t : {kWayGravelRoad, kWayMonorail}) {
        EXPECT_EQ(
            std::tuple(ChooseFor(kDirE, t), ChooseFor(kDirN | kDirE, t), ChooseFor(kDirsAll, t)),
            std::tuple(2, 7, 11));  // a straight, not an end piece
    }
    // Road neighbours count whatever their shape: curves pointing away.
    ChooseFor(kDirsAll, kWayAsphaltRoad);
    for (int32_t i = 0; i < 4; ++i) F(50 + DirDx(i), 50 + DirDy(i)).set_wegteil(9);
    EXPECT_EQ(Road(50, 50), 11);
    // Ramps rising N, E, S, W take 12, 14, 15, 13; a portal its straight.
    const int32_t ramp[4] = {12, 14, 15, 13};
    const int32_t high[4][4] = {{1, 1, 0, 0}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 0, 1, 0}};
    for (int32_t slope = 1; slope <= 4; ++slope) {
        const int32_t x = 20 + 4 * slope, y = 20;
        for (int32_t k = 0; k < 4; ++k) F(x + k % 2, y + k / 2).set_hoehe(2 + high[slope - 1][k]);
        ASSERT_EQ(GetSlopeShape(x, y), slope);
        Way(x, y, kWayGravelRoad, 0);
        EXPECT_EQ(std::tuple(Road(x, y), Track(x, y)),
                  std::tuple(ramp[slope - 1], ramp[slope - 1]));
        F(x, y).set_tportal(true);
        EXPECT_EQ(Road(x, y), slope % 2 == 1 ? 1 : 2);
    }
    // A bridge end takes the piece of its code (a ramp rising south for code
    // 2); without a code it keeps the piece of its neighbours.
    MapField& end = F(80, 80);
    end.set_bridge_end(true);
    end.set_bridge_flag(true);
    end.set_bridge_piece(2);
    EXPECT_EQ(Track(80, 80), 15);
    end.set_bridge_piece(0);
    Way(81, 80, kWayGravelRoad, 2);
    EXPECT_EQ(Road(80, 80), 2);
    // The last corners of the map are not taken for a slope.
    F(255, 255).set_hoehe(9);
    EXPECT_EQ(std::tuple(GetSlopeShape(254, 254), GetSlopeShape(256, 0)), std::tuple(0, -2));
}

TEST_F(PiecesTest, RailJoinsALevelCrossingInLineMonorailNeverAndNoPortalFacingAway) {
    // The crossing to the N has its road E-W (17), so its track runs N-S.
    for (int32_t t : {kWayRail, kWayMonorail}) {
        Way(60, 60, t);
        Way(60, 59, kWayGravelRoad, kCrossingRoadEW);
        Way(61, 60, t, 2);
        EXPECT_EQ(Track(60, 60), t == kWayRail ? 7 : 2);
        F(60, 59).set_wegteil(kCrossingRoadNS);  // track E-W: not in line
        EXPECT_EQ(Track(60, 60), 2);
    }
    // A level crossing keeps its shape when re-fitted.
    UpdateTrackPieceShape(60, 59);
    UpdateRoadPieceShape(60, 59);
    EXPECT_EQ(F(60, 59).wegteil(), kCrossingRoadNS);
    Way(70, 70, kWayRail);
    MapField& portal = Way(71, 70, kWayRail, 2);  // E neighbour: counts only with slope 2
    portal.set_tportal(true);
    portal.set_teile_diff(4);
    EXPECT_EQ(Track(70, 70), 1);
    portal.set_teile_diff(2);
    EXPECT_EQ(Track(70, 70), 2);
}

TEST_F(PiecesTest, ShapeUpdatesWriteOnlyChangesAndAskForARedrawInView) {
    LayLine(140, 140, 142, 140, kWayRail);
    Way(141, 141, kWayRail);
    GS().redraw_terrain = 0;
    F(141, 140).set_feldchange(false);
    UpdateTrackPieceShape(141, 140);  // now a T: E, S, W
    EXPECT_EQ(std::tuple(F(141, 140).wegteil(), F(141, 140).feldchange(), GS().redraw_terrain),
              std::tuple(3, true, 0));  // not in view
    Services().view.tile_in_view = 1;
    Way(141, 141, 0, 0);
    UpdateTrackPieceShape(141, 140);
    EXPECT_EQ(std::tuple(F(141, 140).wegteil(), GS().redraw_terrain), std::tuple(2, 1));
    F(141, 140).set_feldchange(false);
    UpdateTrackPieceShape(141, 140);  // unchanged: nothing written
    EXPECT_FALSE(F(141, 140).feldchange());
    // A road piece is re-chosen only on a road field that has a piece.
    Way(150, 150, kWayGravelRoad, 0);
    UpdateRoadPieceShape(150, 150);
    EXPECT_EQ(F(150, 150).wegteil(), 0);
}

TEST_F(PiecesTest, VehicleQueriesOnCrossingsJunctionsAndStations) {
    MapField& f = Way(90, 90, kWayGravelRoad, kCrossingRoadNS);
    f.set_gleisr(kDirsEW);
    f.set_richtung(kDirsNS);
    EXPECT_EQ(
        std::tuple(GetPieceConnections(90, 90, kWayMonorail), GetPieceConnections(90, 90, kWayRail),
                   GetPieceConnections(90, 90, kWayGravelRoad),
                   GetWayDirections(90, 90, kWayRail)),  // the crossing's track
        std::tuple(0, kDirsEW, kDirsNS, kDirsEW));
    // A junction connects only where its mask has a way.
    f.set_wegteil(3);
    f.set_richtung(4);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayGravelRoad), kDirE | kDirS);
    // Pieces from 18 on connect nothing; 17, the last crossing, does.
    f.set_wegteil(18);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayGravelRoad), 0);
    f.set_wegteil(17);
    EXPECT_NE(GetPieceConnections(90, 90, kWayGravelRoad), 0);
    f.set_wegteil(1);
    EXPECT_EQ(std::tuple(GetRoadLane(90, 90, kDirN), GetRoadLane(90, 90, kDirS)), std::tuple(2, 1));
    // A type 6 station anchored at (20, 21): row 21 is its head line.
    for (auto [x, y] : {std::pair{20, 21}, {21, 20}}) {
        F(x, y).set_building_flag(true);
        F(x, y).set_geb_num(2);
        F(x, y).set_geb_typ(6);
    }
    services_.AddBuilding(2, 20, 21);
    EXPECT_EQ(std::tuple(GetTerminalKindAt(20, 21), GetTerminalKindAt(21, 20),
                         GetBuildingTypeAt(21, 20), GetBuildingTypeAt(20, 21)),
              std::tuple(5, 4, 5, 6));
    // A city house holds no building of the table.
    F(30, 30).set_stadtnum(3);
    F(30, 30).set_stadtb(5);
    EXPECT_EQ(std::tuple(GetTerminalKindAt(30, 30), GetBuildingTypeAt(30, 30)), std::tuple(0, -2));
}

constexpr int32_t N = 0, E = 1, S = 2, W = 3;

class LinkingTest : public ConstructionTest {
  protected:
    // (target, cost) of the link of the node on (x, y) in direction i.
    std::pair<int32_t, int32_t> Link(int32_t x, int32_t y, int32_t i) {
        return {LinkTarget(x, y, i), LinkCost(x, y, i)};
    }
    // A road along (x0..x1, y) with crossings at both ends of its inner part.
    void Stretch(int32_t x0, int32_t x1, int32_t y, int32_t wayType = kWayGravelRoad) {
        LayLine(x0, y, x1, y, wayType);
        Crossing(x0 + 1, y, wayType);
        Crossing(x1 - 1, y, wayType);
    }
};

TEST_F(LinkingTest, AWalkThatStopsOnATwoWayFieldMakesANodeThere) {
    // The crossing's east arm turns north to a dead end: no node is made.
    Crossing(10, 20);
    LayWay({{11, 20}, {12, 20}, {12, 19}, {12, 18}}, kWayGravelRoad);
    LinkBox(0, 0, 30, 30);
    EXPECT_EQ(LinkTarget(10, 20, E), 0);
    EXPECT_EQ(F(12, 18).knotennummer(), 0);
    // A field entered from a side it does not have ends the walk with a node.
    F(12, 19).set_richtung(kDirsEW);
    Net().LinkFromField(10, 20, kDirE);
    const int32_t end = F(12, 19).knotennummer();
    ASSERT_NE(end, 0);
    EXPECT_EQ(Link(10, 20, E), std::pair(end, 3));
    EXPECT_EQ(Net().Node(end)->ziel[S], NodeAt(10, 20));
}

TEST_F(LinkingTest, TrackPastAnOccupiedFieldOrAStationWithATrainIsReserved) {
    Stretch(49, 56, 10, kWayRail);
    F(53, 10).set_belegt(3);
    LinkBox(40, 0, 60, 20);
    EXPECT_EQ(LinkTarget(50, 10, E), NodeAt(55, 10));
    EXPECT_EQ(Net().Node(NodeAt(50, 10))->belegt[E], 1);
    EXPECT_EQ(Net().Node(NodeAt(55, 10))->belegt[W], 1);
    F(53, 10).set_belegt(1);  // one lane bit is no train
    Net().force_link = 1;
    Net().LinkFromField(50, 10, kDirE);
    Net().force_link = 0;
    EXPECT_EQ(Net().Node(NodeAt(50, 10))->belegt[E], 0);
    // A station body field at the west node with a train on it.
    Stretch(119, 126, 60, kWayRail);
    MapField& platform = F(120, 60);
    platform.set_building_flag(true);
    platform.set_geb_num(7);
    platform.set_geb_typ(6);
    services_.AddBuilding(7, 120, 61);  // head row 61: (120,60) is a body field
    platform.set_belegt(3);
    services_.AddVehicle(120, 60, kDirS);
    LinkBox(110, 50, 130, 70);
    EXPECT_EQ(Net().Node(NodeAt(120, 60))->belegt[S], 1);
    EXPECT_EQ(Net().Node(NodeAt(120, 60))->belegt[E], 0);
}

TEST_F(LinkingTest, RelinkUnlinkAndLinkAfterACutTouchTheNodesOfTheStretch) {
    Stretch(9, 15, 20);
    // Only the far crossing is linked, from a plain field of the stretch.
    EXPECT_EQ(Net().RelinkField(12, 20, kDirE), 1);
    EXPECT_EQ(Link(14, 20, W), std::pair(NodeAt(10, 20), 4));
    EXPECT_EQ(Net().RelinkField(12, 20, kDirN), 0);  // no way to the north
    EXPECT_EQ(Net().RelinkField(10, 19, kDirN), 0);  // the stub ends at once
    // Unlinking clears the far node's link back only.
    LinkBox(0, 0, 30, 30);
    EXPECT_EQ(Net().UnlinkFromField(12, 20, kDirE), 1);
    EXPECT_EQ(LinkTarget(14, 20, W), 0);
    EXPECT_EQ(LinkTarget(10, 20, E), NodeAt(14, 20));  // the other end is the caller's
    EXPECT_EQ(Net().UnlinkFromField(12, 20, kDirW), 1);
    EXPECT_EQ(LinkTarget(10, 20, E), 0);
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
    // Cut at (12, 20): from (10, 20) the road now ends at (11, 20).
    LinkBox(0, 0, 30, 30);
    F(12, 20).set_wegtyp(0);
    F(12, 20).set_wegteil(0);
    RefitBox(11, 19, 13, 21);
    Net().LinkFromField(10, 20, kDirE);
    EXPECT_EQ(Link(10, 20, E), std::pair(0, 0));
    // Tracks of other kinds or players do not join.
    LayLine(60, 30, 62, 30, kWayRail);
    LayLine(63, 30, 65, 30, kWayMonorail);
    LayWay({{70, 30}, {71, 30}}, kWayRail, 0);
    LayWay({{72, 30}, {73, 30}}, kWayRail, 1);
    EXPECT_EQ(std::tuple(F(62, 30).gleisr(), F(63, 30).gleisr(), F(71, 30).gleisr()),
              std::tuple(kDirW, kDirE, kDirW));
}

TEST_F(LinkingTest, WalksEndAtTheMapEdgeAndALoopWithoutNodesIsLeftAlone) {
    LayLine(0, 5, 3, 5, kWayGravelRoad);
    Crossing(2, 5);
    F(0, 5).set_richtung(kDirsEW);  // a way leading off the map
    Net().LinkFromField(2, 5, kDirW);
    ASSERT_NE(F(0, 5).knotennummer(), 0);
    EXPECT_EQ(LinkTarget(2, 5, W), F(0, 5).knotennummer());
    EXPECT_EQ(Net().RelinkField(255, 255, kDirE), 0);
    LayWay({{100, 100}, {101, 100}, {101, 101}, {100, 101}}, kWayGravelRoad);
    const int32_t nodes = Net().NodeCount();
    EXPECT_EQ(Net().RelinkField(100, 100, kDirE), 0);
    EXPECT_EQ(Net().UnlinkFromField(100, 100, kDirE), 0);
    EXPECT_EQ(Net().NodeCount(), nodes);
}

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
        g_pTileMarker->PreviewBridge(x, 100, x, 100 + n - 1);  // the price shown beforehand
        const int32_t previewed = g_pTileMarker->cost;
        ASSERT_EQ(Net().BuildBridge(x, 100, x, 100 + n - 1, 0), 1) << n;
        EXPECT_EQ(std::tuple(cash - Cash(), NetworkLength() - length, previewed),
                  std::tuple((n + 1) * 880, n, cash - Cash()));
        EXPECT_TRUE(F(x, 100 + n - 1).bridge_end() &&
                    (n == 2 || (F(x, 101).bridge_piece() == 9 &&
                                F(x, 101).bridge_wegtyp() == kWayAsphaltRoad)));
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
    for (auto [x, y] : {std::pair{200, 110}, {200, 100}, {201, 101}}) {  // 11 fields, 1, diagonal
        EXPECT_EQ(Net().BuildBridge(200, 100, x, y, 0), 0);
    }
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    EXPECT_EQ(std::tuple(Net().BuildBridge(90, 9, 90, 13, 0), Net().BuildBridge(30, 10, 30, 14, 0)),
              std::tuple(1, 1));
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
    EXPECT_EQ((std::tuple{MeasureBridgeRun(10, 15), F(10, 10).laenge()}), std::tuple(6 * 160, 1));
    vehicle.on_bridge = 1;
    EXPECT_EQ(MeasureBridgeRun(10, 15), -1);
    vehicle.on_bridge = 0;
    EXPECT_EQ(MeasureBridgeRun(10, 12) + MeasureBridgeRun(11, 15), 0);
    const int64_t cash = Cash();
    const int32_t length = NetworkLength();
    EXPECT_EQ(Net().DemolishBridge(10, 15), 1);
    EXPECT_EQ(std::tuple(cash - Cash(), length - NetworkLength(), LinkTarget(10, 5, kDirIndexS),
                         F(10, 12).bridge_flag(), F(10, 15).wegtyp()),
              std::tuple(6 * 160, 6, 0, false, 0));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 40, 40));
}

TEST_F(TunnelTest, AOneFieldHillGivesAThreeFieldTunnelAVehicleInsideKeepsIt) {
    SetHeights(10, 49, 30, 50, 3);
    Net().SetWayType(kWayRail - 1);
    g_pTileMarker->PreviewTunnel(20, 50);  // the price shown beforehand
    const int32_t previewed = g_pTileMarker->cost;
    ASSERT_EQ(Net().BuildTunnel(20, 50), 1);
    EXPECT_EQ(std::tuple(kStartCash - Cash(), NetworkLength(), previewed),
              std::tuple(3 * 2320, 2, kStartCash - Cash()));
    EXPECT_EQ(std::tuple(F(20, 48).tportal(), F(20, 48).wegteil(), F(20, 50).gleisr(),
                         F(20, 48).gleisr(), F(20, 49).tunnel_hoehe(), F(20, 47).tunnel()),
              std::tuple(true, 1, kDirN, kDirS, 3, false));
    // Every field from the entry to the far portal lies over the tunnel.
    EXPECT_EQ(std::tuple(F(20, 50).tunnel(), F(20, 48).tunnel(), F(20, 48).tunnel_hoehe()),
              std::tuple(true, true, 3));
    // A vehicle in another tunnel does not count; one in this one stops the
    // removal, free of charge, and the far portal is marked all the same.
    services_.AddVehicle(100, 100, kDirN).in_tunnel = 1;
    EXPECT_EQ(MeasureTunnelRun(20, 50), 3 * 290);
    services_.AddVehicle(20, 49, kDirN).in_tunnel = 1;
    F(20, 48).set_laenge(0);
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(
        (std::tuple{MeasureTunnelRun(20, 50), F(20, 48).laenge(), Net().DemolishTunnel(20, 50)}),
        std::tuple(-1, 1, 0));
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
    EXPECT_EQ((std::tuple{MeasureTunnelRun(20, 50), Net().DemolishTunnel(20, 50), Cash()}),
              std::tuple(0, 1, kStartCash));
    SetHeights(60, 60, 70, 70, 3);
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildTunnel(59, 65), 1);  // east-west under the plateau
    ASSERT_EQ(F(70, 65).richtung(), kDirW);
    ASSERT_EQ(Net().BuildTunnel(70, 62), 1);  // westwards, the entry rising to the west
    ASSERT_EQ(F(59, 62).richtung(), kDirE);
    SetHeights(100, 0, 120, 3, 3);  // a hill that reaches the north border
    SetHeights(10, 49, 30, 50, 3);
    F(12, 48).set_teile_art(0);  // the far portal is water
    F(14, 50).set_stadtnum(1);
    F(14, 50).set_stadtb(3);  // a city house on the entry
    F(22, 49).set_hoehe(1);   // a gap below the entry level
    const WorldSnapshot before = TakeSnapshot();
    Net().SetWayType(kWayRail - 1);
    // Also: across the first tunnel, to the border, a flat field, a corner shape, off the map.
    for (auto [x, y] : {std::pair{12, 50},
                        {14, 50},
                        {22, 50},
                        {65, 70},
                        {110, 3},
                        {140, 20},
                        {60, 60},
                        {-1, 5}}) {
        EXPECT_EQ(Net().BuildTunnel(x, y), 0) << x << ", " << y;
    }
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

// Roads already reach both portals: the tunnel itself links the junctions
// on either side through it, in both directions, with nothing built after.
TEST_F(TunnelTest, ATunnelBetweenRoadsLinksThemAtOnce) {
    SetHeights(60, 60, 70, 70, 3);
    DragRoad(50, 65, 58, 65, kWayGravelRoad);
    DragRoad(54, 62, 54, 68, kWayGravelRoad);
    DragRoad(71, 65, 80, 65, kWayGravelRoad);
    DragRoad(76, 62, 76, 68, kWayGravelRoad);
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildTunnel(59, 65), 1);
    ASSERT_NE(NodeAt(54, 65), 0);
    ASSERT_NE(NodeAt(76, 65), 0);
    EXPECT_EQ(std::tuple(LinkTarget(54, 65, kDirIndexE), LinkTarget(76, 65, kDirIndexW)),
              std::tuple(NodeAt(76, 65), NodeAt(54, 65)));
    EXPECT_EQ(LinkCost(54, 65, kDirIndexE), LinkCost(76, 65, kDirIndexW));
    EXPECT_TRUE(GraphMatchesMap(Net(), 40, 40, 100, 100));
}

TEST_F(TunnelTest, RemovingATunnelPaysPerFieldAndShortensTheNetwork) {
    SetHeights(60, 60, 70, 70, 3);
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildTunnel(65, 70), 1);  // north from (65, 70) to (65, 59)
    const int64_t cash = Cash();
    const int32_t length = NetworkLength();
    EXPECT_EQ((std::tuple{MeasureTunnelRun(65, 70), Net().DemolishTunnel(65, 70), cash - Cash(),
                          length - NetworkLength()}),
              std::tuple(12 * 290, 1, 12 * 290, 11));
    for (int32_t y = 59; y <= 70; ++y) EXPECT_FALSE(F(65, y).tunnel() || F(65, y).tportal()) << y;
}

}  // namespace
