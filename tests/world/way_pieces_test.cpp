// Piece shapes, way queries for vehicles, the re-fitting of direction masks
// and the linking of ways into the network (through tunnels, over bridges).

#include <gtest/gtest.h>

#include <tuple>

#include "construction_fixture.h"
#include "world/field_queries.h"
#include "world/slope_shape.h"
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

}  // namespace
