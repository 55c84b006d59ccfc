// Trains between two stations: construction at a station, the first route,
// arrival on the platform, unloading, wagon make-up and loading by the
// schedule's cargo plan, and running costs.

#include <gtest/gtest.h>

#include "rail_world.h"
#include "state/statistics.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"

namespace {

using railtest::RailWorld;
using railtest::TestStation;

constexpr int32_t kSteel = 4;

// Two stations of type 6 (rows along x) on one line along y = 50: A with its
// row at x 20..23, B at x 40..43, joined by 16 fields of track.
class TrainTripTest : public RailWorld {
  protected:
    void SetUp() override {
        a = &Station(6, 20, 51, 1, 1);
        b = &Station(6, 40, 51, 1, 2);
        RailLine(24, 50, 39, 50);
        Finish();
    }

    CTrain* NewTrain() {
        CTrain* t = Train(20, 50);
        SetSchedule(*t, {a, b});
        t->cargo_plan[0][0][0] = kSteel;
        return t;
    }

    TestStation* a = nullptr;
    TestStation* b = nullptr;
};

TEST_F(TrainTripTest, NewTrainLeavesByTheOpenEndOfItsRow) {
    CTrain* t = NewTrain();
    // The west end of the row is a dead end: the train starts at the east
    // end, heading east.
    EXPECT_EQ(t->pos_x, 23);
    EXPECT_EQ(t->pos_y, 50);
    EXPECT_EQ(t->Heading(), kDirE);
    EXPECT_EQ(t->vehicle_class, kVehicleRail);
    EXPECT_EQ(t->speed_limit, 2);
    EXPECT_EQ(t->phase, 15);
    EXPECT_EQ(F(23, 50).belegt(), 3);
    // Stop 0 lists the station's row head; the platform link and the link
    // ahead are reserved.
    EXPECT_EQ(t->schedule[0].x[0], 20);
    EXPECT_EQ(t->schedule[0].y[0], 50);
    EXPECT_EQ(t->schedule[0].x[1], kNoStopField);
    EXPECT_EQ(t->held.LinkCount(), 2);
    EXPECT_TRUE(Consistent());
    DeleteAllVehicles();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(FlagCount(), 0);
}

TEST_F(TrainTripTest, CarriesWholeUnitsBetweenTheStations) {
    a->stock[kSteel] = 3;
    const int64_t cashBefore = game_.state().cash[0];
    CTrain* t = NewTrain();
    ASSERT_TRUE(FramesUntil([&] { return b->stock[kSteel] == 1; }, 3000));
    EXPECT_EQ(a->stock[kSteel], 2);
    EXPECT_EQ(t->wagon_count, 0);
    EXPECT_LT(game_.state().cash[0], cashBefore);
    EXPECT_TRUE(Consistent());
    ASSERT_TRUE(FramesUntil([&] { return b->stock[kSteel] == 3; }, 20000));
    EXPECT_EQ(a->stock[kSteel], 0);
    EXPECT_TRUE(Consistent());
    DeleteAllVehicles();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(FlagCount(), 0);
}

}  // namespace
