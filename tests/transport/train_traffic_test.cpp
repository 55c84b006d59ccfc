// Trains on random single-track networks: every frame each train's units
// stand on fields it holds, no field or link is held by two trains, and every
// mark and link flag belongs to a train; over fifty game years every train
// keeps serving its stops.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_globals.h"
#include "platform/random.h"
#include "rail_layouts.h"
#include "transport/vehicle_list.h"

namespace {

using railtest::TestStation;

class TrainReservationProperty : public railtest::RandomRailWorld,
                                 public ::testing::WithParamInterface<int> {};

// Rings with passing loops and stations of every orientation and length.
TEST_P(TrainReservationProperty, MarksAndReservationsStayWithTheirTrains) {
    plat::Srand(static_cast<uint32_t>(GetParam()));
    BuildRandomNetwork();
    std::vector<CTrain*> trains = BuildRandomTrains(14);
    ASSERT_GE(trains.size(), 2u);
    std::vector<int32_t> last(trains.size(), -2);
    int32_t arrivals = 0;
    for (int32_t frame = 0; frame < 4000; ++frame) {
        ASSERT_TRUE(Consistent()) << "seed " << GetParam() << " frame " << frame;
        Frames(1);
        for (size_t i = 0; i < trains.size(); ++i) {
            arrivals += trains[i]->stop_served != last[i];
            last[i] = trains[i]->stop_served;
        }
    }
    EXPECT_GT(arrivals, static_cast<int32_t>(trains.size()));
}

INSTANTIATE_TEST_SUITE_P(Seeds, TrainReservationProperty, ::testing::Range(1, 9));

class TrainAcceptance : public railtest::RandomRailWorld {
  protected:
    ~TrainAcceptance() override { g_TickLength = saved_tick_; }
    uint32_t saved_tick_ = g_TickLength;
};

// Sixty trains on twenty-four lines with passing loops and two-row termini
// through the main loop (a game tick every 24 frames instead of every 600
// keeps it to seconds). Meeting trains may delay one by a few trips, never
// for good: no train goes 12,000 frames without serving its next stop.
TEST_F(TrainAcceptance, SixtyTrainsRunFiftyYears) {
    plat::Srand(7);
    std::vector<CTrain*> trains;
    auto add = [&](const TestStation* from, int32_t row, int32_t k, const TestStation* to) {
        const auto [x, y] = from->RowField(row, k);
        CTrain* t = Train(x, y, 10 + plat::Rand() % 5);
        SetSchedule(*t, {from, to});
        t->cargo_plan[0][0][0] = 1;
        t->cargo_plan[1][1][0] = 2;
        trains.push_back(t);
    };
    std::vector<std::pair<TestStation*, TestStation*>> lines;
    for (int32_t i = 0; i < 24; ++i) {
        const int32_t x0 = i % 2 == 0 ? 6 : 130;
        lines.push_back(AddLine(12 + (i / 2) * 20, x0, x0 + 110, 2 + plat::Rand() % 2));
    }
    Finish();
    // Two trains from opposite ends on every line, a third on every other.
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto [a, b] = lines[i];
        add(a, 0, 0, b);
        add(b, 0, 3, a);
        if (i % 2 == 0) add(a, 1, 0, b);
    }
    g_TickLength = 26 * 24;
    const size_t n = trains.size();
    std::vector<int32_t> served(n, -2), arrivals(n, 0), lastArrival(n, 0), longestGap(n, 0);
    int32_t frame = 0;
    while (game_.state().year < 2010) {
        host_.AdvanceClock(26);
        app_.OnIdle(0);
        ++frame;
        if (frame % 256 == 0) {
            ASSERT_TRUE(Consistent()) << "frame " << frame;
        }
        for (size_t i = 0; i < n; ++i) {
            if (trains[i]->stop_served == served[i]) continue;
            served[i] = trains[i]->stop_served;
            longestGap[i] = std::max(longestGap[i], frame - lastArrival[i]);
            lastArrival[i] = frame;
            ++arrivals[i];
        }
    }
    EXPECT_EQ(game_.state().year, 2010);
    for (size_t i = 0; i < n; ++i) {
        EXPECT_GE(arrivals[i], 10) << "train " << trains[i]->number;
        EXPECT_LT(std::max(longestGap[i], frame - lastArrival[i]), 12000)
            << "train " << trains[i]->number;
    }
}

}  // namespace
