// Trains on the track: turning back at dead ends and track ends, waiting at a
// reserved link, taking the free loop track, trains meeting nose to nose,
// lengthened stations, tunnels and bridges.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "rail_world.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_services.h"
#include "transport/wagon.h"

namespace {

using railtest::TestStation;

// Station A of type 6 with `rows` rows (y 50, 49) at x 20..23, its west end
// a dead end, track east of it along y = 50; B (x 40..43) when asked for.
class RailWorld : public railtest::RailWorld {
  protected:
    void Stations(int32_t rows, bool withB) {
        a = &Station(6, 20, 51, rows, 1);
        if (withB) b = &Station(6, 40, 51, 1, 2);
    }
    // A new train at A's east end with an empty path and nothing to do.
    CTrain* Runaway() {
        CTrain* t = Train(20, 50);
        t->needs_route = t->loading_state = 0;
        return t;
    }
    CTrain* FromA(int32_t row) {
        const auto [x, y] = a->RowField(row, 0);
        CTrain* t = Train(x, y);
        SetSchedule(*t, {a, b});
        t->cargo_plan[0][0][0] = 1;
        t->cargo_plan[0][1][0] = 2;
        return t;
    }
    TestStation* a = nullptr;
    TestStation* b = nullptr;
};

// Before a dead-end node the train plans from there, finds the way on leads
// back and turns where it stands; back on its platform it arrives at the
// row's far end.
TEST_F(RailWorld, TrainTurnsBackInFrontOfADeadEndNode) {
    Stations(1, false);
    RailLine(24, 50, 30, 50);
    Finish(true);
    CTrain* t = Runaway();
    int32_t easternmost = 0;
    ASSERT_TRUE(FramesUntil(
        [&] {
            easternmost = std::max<int32_t>(easternmost, t->pos_x);
            return t->reversals == 1;
        },
        2000));
    EXPECT_EQ(easternmost, 29);
    EXPECT_EQ(t->Heading(), kDirW);
    ASSERT_TRUE(FramesUntil([&] { return t->reversals == 0 && t->loading_state == 1; }, 2000));
    EXPECT_EQ(t->pos_x, 20);
}

// The field ahead has no track: 32 frames at phase 15 on the last field.
TEST_F(RailWorld, TrainWaitsOnceAtATrackEndThenTurnsBack) {
    Stations(1, false);
    RailLine(24, 50, 30, 50);
    Finish(false);
    CTrain* t = Runaway();
    ASSERT_TRUE(FramesUntil([&] { return t->wait_counter > 0; }, 2000));
    EXPECT_EQ(t->pos_x, 30);
    EXPECT_EQ(t->phase, 15);
    EXPECT_EQ(t->wait_counter, 32);
    Frames(32);
    EXPECT_EQ(t->reversals, 0);
    Frames(1);
    EXPECT_EQ(t->reversals, 1);
    EXPECT_EQ(t->Heading(), kDirW);
}

// A's two rows join at x = 24 a single line to B: the second train waits at
// the node until the first train's last wagon is on B's platform.
TEST_F(RailWorld, FollowerWaitsAtTheNodeUntilTheLinkIsFree) {
    Stations(2, true);
    Rail(24, 49);
    RailLine(24, 50, 39, 50);
    Finish();
    a->stock[1] = a->stock[2] = 100;
    CTrain* first = FromA(0);
    CTrain* second = FromA(1);
    bool waited = false;
    bool entered = false;
    for (int32_t frame = 0; frame < 4000 && !entered; ++frame) {
        Frames(1);
        ASSERT_TRUE(Consistent());
        if (second->lane == 1 && second->pos_x == 24 && second->pos_y == 49) waited = true;
        if (second->pos_y == 50 && second->pos_x >= 25) {
            entered = true;
            const int32_t n = first->wagon_count;
            EXPECT_GE(n > 0 ? first->wagons[n - 1]->x : first->pos_x, 40);
        }
    }
    EXPECT_TRUE(waited);
    EXPECT_TRUE(entered);
    ASSERT_TRUE(FramesUntil([&] { return second->stop_served == 1; }, 4000));
}

// A train parked at B holds the straight track of a passing loop (x 30..36):
// the next train takes the loop track without waiting.
TEST_F(RailWorld, TrainTakesTheOtherLoopTrackWithoutWaiting) {
    Stations(2, true);
    Rail(24, 49);
    RailLine(24, 50, 39, 50);
    RailPath({{30, 50}, {30, 52}, {36, 52}, {36, 50}});
    Finish();
    CTrain* parked = Train(43, 50);
    ASSERT_TRUE(parked->held.ReserveLink(F(30, 50).knotennummer(), kDirIndexE));
    parked->running_flag = 0;
    CTrain* t = FromA(0);
    bool onLoop = false;
    ASSERT_TRUE(FramesUntil(
        [&] {
            if (t->pos_x >= 27 && t->pos_x <= 30 && t->pos_y == 50) {
                EXPECT_EQ(t->lane, 0) << "waited before the loop";
            }
            onLoop = onLoop || t->pos_y == 52;
            return t->pos_x >= 36;
        },
        3000));
    EXPECT_TRUE(onLoop);
}

// A line from A to B with a junction at x = 31 where a siding leads south.
class MeetingTest : public RailWorld {
  protected:
    void SetUp() override {
        Stations(1, true);
        RailLine(24, 50, 39, 50);
        RailLine(31, 51, 31, 53);
        Finish(true);
    }
};

// Both turn in the same frame, each in front of the junction.
TEST_F(MeetingTest, TrainsMeetingNoseToNoseBothTurnBack) {
    CTrain* east = Train(20, 50);
    SetSchedule(*east, {a, b});
    CTrain* west = Train(43, 50);
    SetSchedule(*west, {b, a});
    ASSERT_TRUE(FramesUntil([&] { return east->reversals + west->reversals > 0; }, 3000));
    EXPECT_EQ(east->reversals, 1);
    EXPECT_EQ(west->reversals, 1);
    EXPECT_EQ(east->Heading(), kDirW);
    EXPECT_EQ(west->Heading(), kDirE);
    EXPECT_LT(east->pos_x, 31);
    EXPECT_GT(west->pos_x, 31);
}

TEST_F(MeetingTest, HeadOnTestLooksOnlyAtTheFieldAheadWithoutAWayOn) {
    CTrain* t = Train(20, 50);
    CTrain* other = Train(43, 50);
    // Both put by hand, wagonless, waiting at phase 15.
    for (auto [train, x, heading] : {std::tuple{t, 28, kDirE}, std::tuple{other, 30, kDirW}}) {
        train->held.ReleaseAllFields();
        train->pos_x = train->left_x = train->drawn_x = static_cast<uint8_t>(x);
        train->direction = static_cast<uint8_t>((heading << 4) | OppositeDirBits(heading));
        train->next_direction = train->prev_direction = train->direction;
        train->phase = 15;
        train->lane = 1;
        train->held.MarkField(x, 50);
    }
    // An empty path, or a path ending here, has no second field.
    EXPECT_EQ(t->IsPathBlocked(), 0);
    t->path.PushFront(F(31, 50).knotennummer(), -1);
    EXPECT_EQ(t->IsPathBlocked(), 0);
    EXPECT_EQ(other->reversals, 0);
    // With a way on to the east the train two fields ahead is seen.
    t->path.Clear();
    t->path.PushFront(F(31, 50).knotennummer(), kDirIndexE);
    EXPECT_EQ(t->IsPathBlocked(), 1);
    EXPECT_EQ(other->reversals, 1);
    EXPECT_EQ(other->Heading(), kDirE);
}

// A (x 20..23 on y = 52) and B, a terminus of type 8 whose rows grow south
// from y = 50; the line climbs a ladder at x = 39 to B's first row.
// Lengthened to three rows, B's third row lies in line and is nearest: the
// train pulls into it, all of it on that row.
TEST_F(RailWorld, LengthenedStationTrainArrivesOnTheRowItsRouteLeadsTo) {
    a = &Station(6, 20, 53, 1, 1);
    b = &Station(8, 40, 49, 1, 2);
    RailLine(24, 52, 39, 52);
    RailLine(39, 50, 39, 51);
    Finish();
    a->stock[1] = 100;
    CTrain* t = Train(20, 52);
    SetSchedule(*t, {a, b});
    t->cargo_plan[0][0][0] = 1;
    Frames(1);
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 1; }, 3000));
    // (turned at once for the way back: the engine at the row's west end)
    EXPECT_EQ(t->pos_y, 50);
    EXPECT_EQ(t->pos_x, 40);
    EXPECT_EQ(b->stock[1], 1);
    // Rows 2 and 3 built while the train heads back to A, where it plans anew.
    b = &Station(8, 40, 49, 3, 2);
    Finish();
    SetSchedule(*t, {a, b});
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 0; }, 3000));
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 1; }, 3000));
    EXPECT_EQ(t->pos_y, 52);
    EXPECT_EQ(t->pos_x, 40);
    EXPECT_EQ(b->stock[1], 1);
}

// A (x 20..23) and B (x 60..63) on y = 50; between them a tunnel from x 30
// to 36 and a bridge from x 45 to 50.
class TunnelBridgeTest : public RailWorld {
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
        t->cargo_plan[0][0][0] = t->cargo_plan[0][1][0] = 1;
    }
    CTrain* t = nullptr;
};

// No marks underground or on the span; the engine and wagons are hidden in
// the tunnel and drawn on the bridge layer; the run queries of demolition
// see the train.
TEST_F(TunnelBridgeTest, TrainPassesUndergroundAndOverTheSpanWithoutMarks) {
    Frames(1);          // the first frame plans the route and loads at A
    bool seen[5] = {};  // in the tunnel, on the bridge, hidden, wagon hidden, drawn on bridge
    ASSERT_TRUE(FramesUntil(
        [&] {
            EXPECT_TRUE(Consistent());
            for (int32_t x = 31; x <= 50; ++x) {
                if (x <= 35 || x >= 45) EXPECT_EQ(F(x, 50).belegt(), 0);
            }
            if (t->in_tunnel != 0 && t->pos_x > 31 && t->pos_x < 36) {
                seen[0] = true;
                EXPECT_EQ(IsVehicleOnColumn(30, 50, 36, 50), 1);
            }
            if (t->on_bridge != 0 && t->pos_x > 45 && t->pos_x < 50) {
                seen[1] = true;
                EXPECT_EQ(IsVehicleOnRow(45, 50, 50, 50), 1);
            }
            seen[2] = seen[2] || t->draw_layer == 1;
            seen[4] = seen[4] || t->draw_layer == 2;
            for (int32_t i = 0; i < t->wagon_count; ++i) seen[3] = seen[3] || t->wagons[i]->hidden;
            return t->stop_served == 1;
        },
        4000));
    for (bool s : seen) EXPECT_TRUE(s);
    EXPECT_EQ(t->in_tunnel + t->on_bridge + t->draw_layer, 0);
    EXPECT_EQ(b->stock[1], 2);
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 0; }, 4000));
    EXPECT_EQ(IsVehicleOnColumn(30, 50, 36, 50), 0);
    EXPECT_EQ(IsVehicleOnRow(45, 50, 50, 50), 0);
}

// Trains deleted on the bridge give back their reservations; a second train
// whose bridge flag is set with no bridge end ahead walks to the map's edge.
TEST_F(TunnelBridgeTest, TrainDeletedOnTheBridgeGivesBackItsReservations) {
    ASSERT_TRUE(FramesUntil([&] { return t->on_bridge != 0 && t->pos_x == 48; }, 4000));
    ASSERT_GT(FlagCount(), 0);
    Train(20, 50, 10)->on_bridge = 1;
    DeleteAllVehicles();
}

}  // namespace
