// Trains through a tunnel and over a bridge: no marks underground or on the
// span, the drawing state at the tunnel mouths and bridge ends, the run
// queries of demolition, and trains deleted on a bridge.

#include <gtest/gtest.h>

#include "rail_world.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_services.h"
#include "transport/wagon.h"

namespace {

using railtest::RailWorld;
using railtest::TestStation;

// A (x 20..23) and B (x 60..63) on y = 50; between them a tunnel from x 30
// to 36 and a bridge from x 45 to 50.
class TrainTunnelBridgeTest : public RailWorld {
  protected:
    void SetUp() override {
        a = &Station(6, 20, 51, 1, 1);
        b = &Station(6, 60, 51, 1, 2);
        RailLine(24, 50, 29, 50);
        Tunnel(30, 50, 36, 50);
        RailLine(37, 50, 44, 50);
        Bridge(45, 50, 50, 50);
        RailLine(51, 50, 59, 50);
        Finish();
        a->stock[1] = 100;
        t = Train(20, 50, 11);
        SetSchedule(*t, {a, b});
        t->cargo_plan[0][0][0] = 1;
        t->cargo_plan[0][1][0] = 1;
    }
    TestStation* a = nullptr;
    TestStation* b = nullptr;
    CTrain* t = nullptr;
};

TEST_F(TrainTunnelBridgeTest, TrainPassesUndergroundAndOverTheSpanWithoutMarks) {
    Frames(1);
    ASSERT_EQ(t->stop_served, 0);
    bool hidden = false;
    bool wagonHidden = false;
    bool drawnOnBridge = false;
    bool sawInTunnel = false;
    bool sawOnBridge = false;
    ASSERT_TRUE(FramesUntil(
        [&] {
            EXPECT_TRUE(Consistent());
            for (int32_t x = 31; x <= 35; ++x) EXPECT_EQ(F(x, 50).belegt(), 0);
            for (int32_t x = 45; x <= 50; ++x) EXPECT_EQ(F(x, 50).belegt(), 0);
            if (t->in_tunnel != 0 && t->pos_x > 31 && t->pos_x < 36) {
                sawInTunnel = true;
                EXPECT_EQ(IsVehicleOnColumn(30, 50, 36, 50), 1);
            }
            if (t->on_bridge != 0 && t->pos_x > 45 && t->pos_x < 50) {
                sawOnBridge = true;
                EXPECT_EQ(IsVehicleOnRow(45, 50, 50, 50), 1);
            }
            hidden = hidden || t->draw_layer == 1;
            drawnOnBridge = drawnOnBridge || t->draw_layer == 2;
            for (int32_t i = 0; i < t->wagon_count; ++i) {
                wagonHidden = wagonHidden || t->wagons[i]->hidden == 1;
            }
            return t->stop_served == 1;
        },
        4000));
    EXPECT_TRUE(sawInTunnel);
    EXPECT_TRUE(sawOnBridge);
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(wagonHidden);
    EXPECT_TRUE(drawnOnBridge);
    EXPECT_EQ(t->in_tunnel, 0);
    EXPECT_EQ(t->on_bridge, 0);
    EXPECT_EQ(t->draw_layer, 0);
    EXPECT_EQ(b->stock[1], 2);
    // And back the other way.
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 0; }, 4000));
    EXPECT_TRUE(Consistent());
    EXPECT_EQ(IsVehicleOnColumn(30, 50, 36, 50), 0);
    EXPECT_EQ(IsVehicleOnRow(45, 50, 50, 50), 0);
}

TEST_F(TrainTunnelBridgeTest, TrainDeletedOnTheBridgeGivesBackItsReservations) {
    ASSERT_TRUE(FramesUntil([&] { return t->on_bridge != 0 && t->pos_x == 48; }, 4000));
    ASSERT_GT(FlagCount(), 0);
    // A second train whose bridge flag is set with no bridge end ahead of it
    // walks to the edge of the map.
    Train(20, 50, 10)->on_bridge = 1;
    DeleteAllVehicles();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(FlagCount(), 0);
}

}  // namespace
