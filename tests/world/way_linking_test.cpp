// Linking way fields into the network: walks over plain fields, through
// tunnels and over bridges, reservations, and the map edge.

#include <gtest/gtest.h>

#include "construction_fixture.h"
#include "world/way_piece_tables.h"

namespace {

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

TEST_F(LinkingTest, CrossingsJoinedByPlainFieldsAreLinkedBothWays) {
    Stretch(9, 15, 20);
    LinkBox(0, 0, 30, 30);
    EXPECT_EQ(Link(10, 20, E), std::pair(NodeAt(14, 20), 4));
    EXPECT_EQ(Link(14, 20, W), std::pair(NodeAt(10, 20), 4));
    // The stubs end without a node: no links there.
    EXPECT_EQ(LinkTarget(10, 20, N), 0);
    EXPECT_EQ(F(10, 19).knotennummer(), 0);
    // Cut at (12, 20): from (10, 20) the road now ends at (11, 20).
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
    EXPECT_EQ(F(62, 30).gleisr(), kDirW);
    EXPECT_EQ(F(63, 30).gleisr(), kDirE);
    EXPECT_EQ(F(71, 30).gleisr(), kDirW);
}

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

// A(10,20) - portal (12,20) ~ tunnel ~ portal (16,20) - B(18,20), and the
// same over a bridge (30..34, 20); a road with a node crosses above the
// tunnel and beneath the span. The walks go through, the crossings keep
// their own links.
TEST_F(LinkingTest, TunnelsAndBridgesAreFollowedPastWaysAboveAndBeneath) {
    for (int32_t x0 : {9, 27}) Stretch(x0, x0 + 10, 20);
    for (int32_t x = 12; x <= 16; ++x) {
        F(x, 20).set_tunnel(true);
        F(x, 20).set_tunnel_hoehe(1);
        F(x + 18, 20).set_bridge_flag(true);
        for (MapField* f : {&F(x, 20), &F(x + 18, 20)}) {
            f->set_wegtyp(0);
            f->set_wegteil(0);
        }
    }
    for (auto [x, slope] : {std::pair{12, 2}, {16, 4}}) {
        MapField& portal = F(x, 20);
        portal.set_tportal(true);
        portal.set_teile_diff(static_cast<uint32_t>(slope));
        portal.set_wegtyp(kWayGravelRoad);
        portal.set_wegteil(PortalWayPiece[slope - 1]);
    }
    for (int32_t x = 31; x <= 33; ++x) {
        F(x, 20).set_bridge_piece(11);
        F(x, 20).set_bridge_wegtyp(kWayGravelRoad);
    }
    for (auto [x, code] : {std::pair{30, 5}, {34, 6}}) {
        MapField& end = F(x, 20);
        end.set_bridge_end(true);
        end.set_bridge_piece(static_cast<uint32_t>(code));
        end.set_bridge_wegtyp(kWayGravelRoad);
        end.set_wegtyp(kWayGravelRoad);
        end.set_wegteil(BridgeEndWayPiece[code - 1]);
    }
    for (int32_t x : {12, 16, 30, 34}) Helper().ConnectRoadPieces(x, 20);
    for (int32_t x = 9; x <= 37; ++x) Helper().UpdateWayPiecesAround(x, 20);
    for (int32_t x : {12, 16, 30}) EXPECT_EQ(F(x, 20).richtung(), kDirsEW) << x;
    for (int32_t x : {14, 32}) {
        LayLine(x, 17, x, 23, kWayGravelRoad);
        Net().CreateNode(x, 20);
    }
    LinkBox(0, 0, 40, 40);
    for (int32_t x : {10, 28}) {
        EXPECT_EQ(Link(x, 20, E), std::pair(NodeAt(x + 8, 20), 8)) << x;
        EXPECT_EQ(Link(x + 8, 20, W), std::pair(NodeAt(x, 20), 8)) << x;
    }
    EXPECT_EQ(LinkTarget(32, 20, E), 0);
    EXPECT_EQ(LinkTarget(32, 20, N), 0);
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
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

TEST_F(LinkingTest, RelinkAndUnlinkTouchTheFarNodeOfTheStretch) {
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
