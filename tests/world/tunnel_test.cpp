// Tunnels through hills: the far portal rules, the refusals, prices, linking
// and their removal.

#include "construction_fixture.h"
#include "world/field_queries.h"

namespace {

class TunnelTest : public ConstructionTest {
  protected:
    // A plateau of height 3 over the corners x0..x1, y0..y1 on land of 2.
    void Plateau(int32_t x0, int32_t y0, int32_t x1, int32_t y1) { SetHeights(x0, y0, x1, y1, 3); }
};

TEST_F(TunnelTest, AOneFieldHillGivesAThreeFieldTunnel) {
    Plateau(10, 49, 30, 50);
    ASSERT_EQ(F(20, 50).teile_diff(), 1);
    ASSERT_EQ(F(20, 48).teile_diff(), 3);
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildTunnel(20, 50), 1);
    EXPECT_EQ(kStartCash - Cash(), 3 * 2320);
    EXPECT_EQ(NetworkLength(), 2);
    EXPECT_TRUE(F(20, 48).tportal());
    EXPECT_EQ(F(20, 48).wegteil(), 1);
    EXPECT_EQ(F(20, 50).gleisr(), kDirN);
    EXPECT_EQ(F(20, 48).gleisr(), kDirS);
    EXPECT_EQ(F(20, 49).tunnel_hoehe(), 3);
    EXPECT_FALSE(F(20, 47).tunnel());
    EXPECT_EQ(MeasureTunnelRun(20, 50), 3 * 290);
    // A vehicle inside stops its removal, free of charge.
    services_.AddVehicle(20, 49, kDirN).in_tunnel = 1;
    F(20, 48).set_laenge(0);
    const WorldSnapshot before = TakeSnapshot();
    EXPECT_EQ(MeasureTunnelRun(20, 50), -1);
    EXPECT_EQ(Net().DemolishTunnel(20, 50), 0);
    F(20, 48).set_laenge(0);  // the far portal mark of the cost query
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
}

TEST_F(TunnelTest, RefusalsChangeNothing) {
    Plateau(60, 60, 70, 70);
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildTunnel(59, 65), 1);  // east-west under the plateau
    ASSERT_EQ(F(70, 65).richtung(), kDirW);

    Plateau(100, 0, 120, 3);  // a hill that reaches the north border
    ASSERT_EQ(F(110, 3).teile_diff(), 1);
    Plateau(10, 49, 30, 50);
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

TEST_F(TunnelTest, AHillThatComesDownToTheEntryLevelRefuses) {
    Plateau(10, 40, 30, 50);
    Net().SetWayType(kWayRail - 1);
    // Sets corner (x, y), checks the shape of field (20, 45) in the run and
    // that a tunnel from the entry is refused.
    const auto refused = [&](int32_t x, int32_t y, int32_t height, int32_t entryX, int32_t entryY,
                             int32_t level, int32_t shape) {
        SetHeights(x, y, x, y, height);
        EXPECT_EQ(F(20, 45).hoehe(), level);
        EXPECT_EQ(F(20, 45).teile_diff(), shape);
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

    ASSERT_EQ(F(9, 45).teile_diff(), 2);
    EXPECT_EQ(Net().BuildTunnel(9, 45), 1);
    EXPECT_TRUE(F(30, 45).tportal());
}

TEST_F(TunnelTest, ARidgeGivesTwoPortalsAndGravelInTheEditorIsFree) {
    Plateau(10, 60, 30, 60);
    Net().SetWayType(kWayAsphaltRoad - 1);
    ASSERT_EQ(Net().BuildTunnel(20, 60), 1);
    EXPECT_EQ(F(20, 60).richtung(), kDirN);
    EXPECT_EQ(F(20, 59).richtung(), kDirS);
    EXPECT_EQ(kStartCash - Cash(), 2 * 1760);
    EXPECT_EQ(NetworkLength(), 1);
    GS().cash[0] = kStartCash;
    GS().game_mode = kModeEditor;
    Plateau(10, 49, 30, 50);
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildTunnel(20, 50), 1);
    EXPECT_EQ(Cash(), kStartCash);
    EXPECT_EQ(MeasureTunnelRun(20, 50), 0);
    EXPECT_EQ(Net().DemolishTunnel(20, 50), 1);
    EXPECT_EQ(Cash(), kStartCash);
}

TEST_F(TunnelTest, EastwardTunnelLinksBothSidesOutwards) {
    Plateau(60, 60, 70, 70);
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
    const WayNode* west = Net().Node(F(54, 65).knotennummer());
    ASSERT_NE(west, nullptr);
    EXPECT_EQ(west->ziel[kDirIndexE], F(76, 65).knotennummer());
    EXPECT_EQ(west->cost[kDirIndexE], 22);
    EXPECT_TRUE(GraphMatchesMap(Net(), 40, 40, 100, 100));
}

TEST_F(TunnelTest, RemovingATunnelKeepsTheWaysAboveIt) {
    Plateau(60, 60, 70, 70);
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildTunnel(65, 70), 1);  // north from (65, 70) to (65, 59)
    ASSERT_TRUE(F(65, 59).tportal());
    // On the plateau: a junction at (65, 66), a curve at (65, 69) right above
    // the tunnel's first field, and a junction at (68, 69).
    DragRoad(63, 66, 67, 66, kWayGravelRoad);
    DragRoad(65, 66, 65, 69, kWayGravelRoad);
    DragRoad(65, 69, 68, 69, kWayGravelRoad);
    DragRoad(68, 67, 68, 70, kWayGravelRoad);
    ASSERT_EQ(F(65, 69).richtung(), kDirN | kDirE);
    const int32_t top = F(65, 66).knotennummer();
    const int32_t corner = F(68, 69).knotennummer();
    ASSERT_NE(top, 0);
    ASSERT_NE(corner, 0);
    ASSERT_EQ(Net().Node(top)->ziel[kDirIndexS], corner);
    ASSERT_TRUE(GraphMatchesMap(Net(), 40, 40, 100, 100));

    const int64_t cash = Cash();
    const int32_t length = NetworkLength();
    EXPECT_EQ(MeasureTunnelRun(65, 70), 12 * 290);
    EXPECT_EQ(Net().DemolishTunnel(65, 70), 1);
    EXPECT_EQ(cash - Cash(), 12 * 290);
    EXPECT_EQ(length - NetworkLength(), 11);
    EXPECT_FALSE(F(65, 70).tportal());
    EXPECT_FALSE(F(65, 59).tportal());
    for (int32_t y = 59; y <= 70; ++y) EXPECT_FALSE(F(65, y).tunnel()) << y;
    EXPECT_EQ(Net().Node(top)->ziel[kDirIndexS], corner);
    EXPECT_TRUE(GraphMatchesMap(Net(), 40, 40, 100, 100));
}

}  // namespace
