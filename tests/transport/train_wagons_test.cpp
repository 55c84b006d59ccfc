// The train as an object: wagons added, removed and lined up by the
// placement rule, the limit of six, the map edge, and the speed rule.

#include <gtest/gtest.h>

#include "rail_world.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"

namespace {

using railtest::RailWorld;

// One station of type 6 with its row along y = 50 at x 20..23 and track on
// to the east; a new train stands at the row's east end heading east.
class TrainWagonTest : public RailWorld {
  protected:
    void SetUp() override {
        Station(6, 20, 51, 1, 1);
        RailLine(24, 50, 60, 50);
        Finish(true);
    }
    CTrain* NewTrain(int32_t model = 10) { return Train(20, 50, model); }
};

TEST_F(TrainWagonTest, WagonsStandInPairsBehindTheEngine) {
    CTrain* t = NewTrain();
    ASSERT_EQ(t->pos_x, 23);
    t->AddWagon("A", 5, 0);
    t->AddWagon("A", 6, 1);
    t->AddWagon("A", 7, 2);
    ASSERT_EQ(t->wagon_count, 3);
    // Wagons 0 and 1 one field behind (phases 16 and 0), wagon 2 two.
    EXPECT_EQ(t->wagons[0]->x, 22);
    EXPECT_EQ(t->wagons[0]->phase, 16);
    EXPECT_EQ(t->wagons[1]->x, 22);
    EXPECT_EQ(t->wagons[1]->phase, 0);
    EXPECT_EQ(t->wagons[2]->x, 21);
    EXPECT_EQ(t->wagons[2]->phase, 16);
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(t->wagons[i]->y, 50);
        EXPECT_EQ(t->wagons[i]->prev_x, t->wagons[i]->x);
        EXPECT_EQ(t->wagons[i]->direction, t->direction);
    }
    EXPECT_EQ(F(21, 50).belegt(), 3);
    EXPECT_EQ(F(22, 50).belegt(), 3);
    EXPECT_TRUE(Consistent());

    // Removing wagon 0 moves the other two up into the first pair.
    t->RemoveWagon(0);
    ASSERT_EQ(t->wagon_count, 2);
    EXPECT_EQ(t->wagons[0]->cargo_key, 6);
    EXPECT_EQ(t->wagons[0]->x, 22);
    EXPECT_EQ(t->wagons[1]->cargo_key, 7);
    EXPECT_EQ(t->wagons[1]->x, 22);
    EXPECT_EQ(t->wagons[1]->phase, 0);
    EXPECT_EQ(t->wagons[2], nullptr);
    EXPECT_EQ(F(21, 50).belegt(), 0);
    EXPECT_TRUE(Consistent());

    // Lined up for leaving: even wagons at 15, odd at 31, the previous field
    // one further back.
    t->AlignWagons();
    EXPECT_EQ(t->wagons[0]->phase, 15);
    EXPECT_EQ(t->wagons[1]->phase, 31);
    EXPECT_EQ(t->wagons[0]->prev_x, 21);
    DeleteAllVehicles();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(FlagCount(), 0);
}

TEST_F(TrainWagonTest, WagonsKeepTheOrderOfTheirCargoSlots) {
    CTrain* t = NewTrain();
    t->AddWagon("A", 1, 0);
    t->AddWagon("A", 2, 1);
    t->AddWagon("A", 4, 3);
    t->AddWagon("A", 3, 2);
    ASSERT_EQ(t->wagon_count, 4);
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(t->wagons[i]->index, i);
    EXPECT_EQ(t->FindWagon(3, 2), 2);
    EXPECT_EQ(t->FindWagon(3, 1), -1);
    // Six wagons at most: a seventh is refused.
    t->AddWagon("A", 5, 4);
    t->AddWagon("A", 6, 5);
    t->AddWagon("A", 7, 5);
    EXPECT_EQ(t->wagon_count, 6);
    EXPECT_EQ(t->FindWagon(7, 5), -1);
    // The last pair stands three fields behind the engine.
    EXPECT_EQ(t->wagons[5]->x, 20);
    EXPECT_TRUE(Consistent());
}

TEST_F(TrainWagonTest, WagonsNeverLeaveTheMap) {
    CTrain* t = NewTrain();
    // An engine near the west edge heading east (set by hand).
    t->held.ReleaseAllFields();
    t->pos_x = t->left_x = 1;
    for (int32_t i = 0; i < 6; ++i) t->AddWagon("A", i + 1, i);
    EXPECT_EQ(t->wagon_count, 6);
    EXPECT_EQ(t->wagons[0]->x, 0);
    EXPECT_EQ(t->wagons[2]->x, 0);
    EXPECT_EQ(t->wagons[5]->x, 0);
    t->AlignWagons();
    EXPECT_EQ(t->wagons[0]->prev_x, 0);
}

TEST_F(TrainWagonTest, SpeedDoublesAfter8_24_48And80Steps) {
    game_.state().vehicle_models[10].speed_a = 16;
    CTrain* t = NewTrain(10);
    ASSERT_EQ(t->speed_limit, 16);
    const int32_t expected[4][2] = {{8, 2}, {24, 4}, {48, 8}, {80, 16}};
    int32_t steps = 0;
    for (const auto& [after, speed] : expected) {
        while (steps < after - 1) {
            t->UpdateSpeed();
            ++steps;
        }
        EXPECT_EQ(t->steps_per_frame, speed / 2) << "after " << steps << " steps";
        t->UpdateSpeed();
        ++steps;
        EXPECT_EQ(t->steps_per_frame, speed) << "after " << steps << " steps";
    }
    // At the model's maximum the train stops counting.
    t->UpdateSpeed();
    EXPECT_EQ(t->accel_counter, 80);
}

TEST_F(TrainWagonTest, SpeedStaysAtTheModelsLimitAndItsGradeSpeed) {
    game_.state().vehicle_models[12].speed_a = 6;
    game_.state().vehicle_models[12].speed_b = 2;
    CTrain* t = NewTrain(12);
    for (int32_t i = 0; i < 100; ++i) {
        t->UpdateSpeed();
        const int32_t expect = i + 1 < 8 ? 1 : i + 1 < 24 ? 2 : i + 1 < 48 ? 4 : 6;
        ASSERT_EQ(t->steps_per_frame, expect) << "after " << i + 1 << " steps";
    }
    // Climbing a ramp (piece 14 heading east) the grade speed holds.
    F(23, 50).set_wegteil(14);
    t->UpdateSpeed();
    EXPECT_EQ(t->steps_per_frame, 2);
    EXPECT_EQ(t->base_speed, 6);
    // Going down the same ramp, or through a tunnel mouth, it does not.
    F(23, 50).set_wegteil(13);
    t->UpdateSpeed();
    EXPECT_EQ(t->steps_per_frame, 6);
    F(23, 50).set_wegteil(14);
    F(23, 50).set_tportal(true);
    t->UpdateSpeed();
    EXPECT_EQ(t->steps_per_frame, 6);
    F(23, 50).set_tportal(false);
    // From a standstill on the ramp the grade speed applies at once.
    t->steps_per_frame = t->base_speed = 1;
    t->accel_counter = 0;
    F(23, 50).set_wegteil(14);
    t->UpdateSpeed();
    EXPECT_EQ(t->steps_per_frame, 2);
    EXPECT_EQ(t->base_speed, 1);
}

TEST_F(TrainWagonTest, FourStepsPerFramePassAFieldMiddleOnce) {
    game_.state().vehicle_models[14].speed_a = 4;
    CTrain* t = NewTrain(14);
    t->needs_route = 0;
    t->loading_state = 0;
    t->base_speed = 4;
    t->accel_counter = 80;
    Frames(1);
    // 15 -> 19: the middle at 16 was passed once and the engine moved on.
    EXPECT_EQ(t->phase, 19);
    EXPECT_EQ(t->pos_x, 24);
    Frames(4);
    EXPECT_EQ(t->phase, 3);
    EXPECT_EQ(t->pos_x, 24);
    EXPECT_EQ(t->drawn_x, 24);
    Frames(4);
    EXPECT_EQ(t->pos_x, 25);
    EXPECT_TRUE(Consistent());
}

}  // namespace
