// Linking way fields into the network: walks over plain fields, through
// tunnels and over bridges.

#include <gtest/gtest.h>

#include "construction_fixture.h"
#include "world/way_piece_tables.h"

namespace {

constexpr int32_t N = 0, E = 1, S = 2, W = 3;

class LinkingTest : public ConstructionTest {
  protected:
    // A road from (9, 20) to (15, 20) with crossings at (10, 20) and (14, 20).
    void TwoCrossings() {
        LayLine(9, 20, 15, 20, kWayGravelRoad);
        Crossing(10, 20);
        Crossing(14, 20);
    }
};

TEST_F(LinkingTest, CrossingsJoinedByPlainFieldsAreLinkedBothWays) {
    TwoCrossings();
    LinkBox(0, 0, 30, 30);
    const int32_t a = NodeAt(10, 20);
    const int32_t b = NodeAt(14, 20);
    ASSERT_NE(b, 0);
    EXPECT_EQ(LinkTarget(10, 20, E), b);
    EXPECT_EQ(LinkCost(10, 20, E), 4);
    EXPECT_EQ(LinkTarget(14, 20, W), a);
    EXPECT_EQ(LinkCost(14, 20, W), 4);
    // The stubs end without a node: no links there.
    EXPECT_EQ(LinkTarget(10, 20, N), 0);
    EXPECT_EQ(F(10, 19).knotennummer(), 0);
    // The road is cut at (12, 20): from (10, 20) it now ends at (11, 20).
    F(12, 20).set_wegtyp(0);
    F(12, 20).set_wegteil(0);
    RefitBox(11, 19, 13, 21);
    Net().LinkFromField(10, 20, kDirE);
    EXPECT_EQ(LinkTarget(10, 20, E), 0);
    EXPECT_EQ(LinkCost(10, 20, E), 0);
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
    // A crossing whose east arm turns north: the walk from the crossing
    // follows the bend and ends at the dead end, so no node is made.
    Crossing(10, 20);
    LayWay({{11, 20}, {12, 20}, {12, 19}, {12, 18}}, kWayGravelRoad);
    LinkBox(0, 0, 30, 30);
    EXPECT_EQ(LinkTarget(10, 20, E), 0);
    EXPECT_EQ(F(12, 18).knotennummer(), 0);
    // A field whose directions do not lead back (a plain field entered from
    // a side it does not have) ends the walk and gets a node.
    F(12, 19).set_richtung(kDirsEW);
    Net().LinkFromField(10, 20, kDirE);
    const int32_t end = F(12, 19).knotennummer();
    ASSERT_NE(end, 0);
    EXPECT_EQ(LinkTarget(10, 20, E), end);
    EXPECT_EQ(LinkCost(10, 20, E), 3);
    EXPECT_EQ(Net().Node(end)->ziel[S], NodeAt(10, 20));
}

TEST_F(LinkingTest, TunnelIsFollowedFromPortalToPortal) {
    // A(10,20) - (11,20) - portal (12,20) ~ tunnel (13..15,20) ~ portal
    // (16,20) - (17,20) - B(18,20). A crossing road with a node stands on
    // the ground above the tunnel at (14,20).
    Crossing(10, 20);
    Crossing(18, 20);
    LayWay({{11, 20}, {17, 20}}, kWayGravelRoad);
    for (int32_t x = 12; x <= 16; ++x) {
        F(x, 20).set_tunnel(true);
        F(x, 20).set_tunnel_hoehe(1);
    }
    for (auto [x, slope] : {std::pair{12, 2}, {16, 4}}) {
        MapField& portal = F(x, 20);
        portal.set_tportal(true);
        portal.set_teile_diff(static_cast<uint32_t>(slope));
        portal.set_wegtyp(kWayGravelRoad);
        portal.set_wegteil(PortalWayPiece[slope - 1]);
        Helper().ConnectRoadPieces(x, 20);
    }
    for (int32_t x = 9; x <= 19; ++x) Helper().UpdateWayPiecesAround(x, 20);
    EXPECT_EQ(F(12, 20).richtung(), kDirsEW);
    EXPECT_EQ(F(16, 20).richtung(), kDirsEW);
    LayLine(14, 17, 14, 23, kWayGravelRoad);
    Net().CreateNode(14, 20);
    LinkBox(0, 0, 30, 30);
    const int32_t a = NodeAt(10, 20);
    const int32_t b = NodeAt(18, 20);
    EXPECT_EQ(LinkTarget(10, 20, E), b);
    EXPECT_EQ(LinkCost(10, 20, E), 8);
    EXPECT_EQ(LinkTarget(18, 20, W), a);
    EXPECT_EQ(LinkCost(18, 20, W), 8);
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
}

TEST_F(LinkingTest, BridgeIsFollowedOverAWayBeneath) {
    // A(28,20) - (29,20) - end (30,20) = span (31..33,20) = end (34,20) -
    // (35,20) - B(36,20). A north-south road with a crossing node runs under
    // the span at (32,20).
    Crossing(28, 20);
    Crossing(36, 20);
    LayWay({{29, 20}, {35, 20}}, kWayGravelRoad);
    LayLine(32, 17, 32, 23, kWayGravelRoad);
    Net().CreateNode(32, 20);
    for (int32_t x = 30; x <= 34; ++x) F(x, 20).set_bridge_flag(true);
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
        Helper().ConnectRoadPieces(x, 20);
    }
    for (int32_t x = 27; x <= 37; ++x) Helper().UpdateWayPiecesAround(x, 20);
    EXPECT_EQ(F(30, 20).richtung(), kDirsEW);
    LinkBox(0, 0, 40, 40);
    EXPECT_EQ(LinkTarget(28, 20, E), NodeAt(36, 20));
    EXPECT_EQ(LinkCost(28, 20, E), 8);
    EXPECT_EQ(LinkTarget(36, 20, W), NodeAt(28, 20));
    // The road beneath keeps its own links.
    EXPECT_EQ(LinkTarget(32, 20, E), 0);
    EXPECT_EQ(LinkTarget(32, 20, N), 0);
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
}

TEST_F(LinkingTest, TrackPastAnOccupiedFieldIsReserved) {
    LayLine(49, 10, 56, 10, kWayRail);
    Crossing(50, 10, kWayRail);
    Crossing(55, 10, kWayRail);
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
}

TEST_F(LinkingTest, RelinkOnALoopWithoutNodesChangesNothing) {
    LayWay({{100, 100}, {101, 100}, {101, 101}, {100, 101}}, kWayGravelRoad);
    EXPECT_EQ(Net().RelinkField(100, 100, kDirE), 0);
    EXPECT_EQ(Net().NodeCount(), 0);
    EXPECT_EQ(Net().UnlinkFromField(100, 100, kDirE), 0);
}

TEST_F(LinkingTest, RelinkAndUnlinkTouchTheFarNodeOfTheStretch) {
    TwoCrossings();
    // Only the far crossing is linked, from a plain field of the stretch.
    EXPECT_EQ(Net().RelinkField(12, 20, kDirE), 1);
    EXPECT_EQ(LinkTarget(14, 20, W), NodeAt(10, 20));
    EXPECT_EQ(LinkCost(14, 20, W), 4);
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

TEST_F(LinkingTest, StationPlatformWithATrainReservesItsLink) {
    // Two rail nodes with a station body field at the west node.
    LayLine(119, 60, 126, 60, kWayRail);
    Crossing(120, 60, kWayRail);
    Crossing(125, 60, kWayRail);
    MapField& platform = F(120, 60);
    platform.set_building_flag(true);
    platform.set_geb_num(7);
    platform.set_geb_typ(6);
    services_.AddBuilding(7, 120, 61);  // head row 61: (120,60) is a body field
    platform.set_belegt(3);
    services_.AddVehicle(120, 60, kDirS);
    LinkBox(110, 50, 130, 70);
    const WayNode* node = Net().Node(NodeAt(120, 60));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->belegt[S], 1);
    EXPECT_EQ(node->belegt[E], 0);
}

TEST_F(LinkingTest, WalksEndAtTheMapEdge) {
    LayLine(0, 5, 3, 5, kWayGravelRoad);
    Crossing(2, 5);
    F(0, 5).set_richtung(kDirsEW);  // a way leading off the map
    Net().LinkFromField(2, 5, kDirW);
    const int32_t edge = F(0, 5).knotennummer();
    ASSERT_NE(edge, 0);
    EXPECT_EQ(LinkTarget(2, 5, W), edge);
    EXPECT_EQ(Net().RelinkField(255, 255, kDirE), 0);
}

}  // namespace
