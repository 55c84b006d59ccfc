// Trains on random single-track networks. The property test runs many
// trains on rings with passing loops, multi-row stations of every
// orientation and terminus spurs: every frame each train's units stand on
// fields it holds, no field and no link is held by two trains, every mark and
// link flag belongs to a train. The acceptance run puts sixty trains on
// twenty-four lines with passing loops and two-row termini for fifty game
// years through the main loop (a game tick every 24 frames instead of every
// 600 keeps it to seconds): every train keeps serving its stops. Once every
// train is deleted nothing is left.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_globals.h"
#include "platform/random.h"
#include "rail_layouts.h"
#include "transport/vehicle_list.h"

namespace {

using railtest::LayoutOptions;
using railtest::RandomRailWorld;
using railtest::TestStation;

class TrainReservationProperty : public RandomRailWorld,
                                 public ::testing::WithParamInterface<int> {};

TEST_P(TrainReservationProperty, MarksAndReservationsStayWithTheirTrains) {
    plat::Srand(static_cast<uint32_t>(GetParam()));
    BuildRandomNetwork(LayoutOptions{});
    std::vector<CTrain*> trains = BuildRandomTrains(14);
    ASSERT_GE(trains.size(), 2u);
    ASSERT_TRUE(Consistent());
    std::vector<int32_t> last(trains.size(), -2);
    int32_t arrivals = 0;
    for (int32_t frame = 0; frame < 4000; ++frame) {
        Frames(1);
        ASSERT_TRUE(Consistent()) << "seed " << GetParam() << " frame " << frame;
        for (size_t i = 0; i < trains.size(); ++i) {
            arrivals += trains[i]->stop_served != last[i];
            last[i] = trains[i]->stop_served;
        }
    }
    EXPECT_GT(arrivals, static_cast<int32_t>(trains.size()));
    DeleteAllVehicles();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(FlagCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, TrainReservationProperty, ::testing::Range(1, 9));

constexpr int32_t kFramesPerTick = 24;
// No train may go this many frames without serving its next stop: meeting
// trains on the single track may delay it by a few trips, never for good.
constexpr int32_t kLongestGap = 12000;

class TrainAcceptance : public RandomRailWorld {
  protected:
    ~TrainAcceptance() override { g_TickLength = saved_tick_; }
    uint32_t saved_tick_ = g_TickLength;
};

TEST_F(TrainAcceptance, SixtyTrainsRunFiftyYears) {
    plat::Srand(7);
    struct Line {
        TestStation* a;
        TestStation* b;
    };
    std::vector<Line> lines;
    for (int32_t i = 0; i < 24; ++i) {
        const int32_t y = 12 + (i / 2) * 20;
        const int32_t x0 = i % 2 == 0 ? 6 : 130;
        const auto [a, b] = AddLine(y, x0, x0 + 110, 2 + plat::Rand() % 2);
        lines.push_back({a, b});
    }
    Finish();
    // Two trains from opposite ends on every line, a third on every other.
    std::vector<CTrain*> trains;
    auto add = [&](const TestStation* from, int32_t row, int32_t k, const TestStation* to) {
        const auto [x, y] = from->RowField(row, k);
        CTrain* t = Train(x, y, 10 + plat::Rand() % 5);
        SetSchedule(*t, {from, to});
        t->cargo_plan[0][0][0] = 1;
        t->cargo_plan[1][1][0] = 2;
        trains.push_back(t);
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        add(lines[i].a, 0, 0, lines[i].b);
        add(lines[i].b, 0, 3, lines[i].a);
        if (i % 2 == 0) add(lines[i].a, 1, 0, lines[i].b);
    }
    ASSERT_EQ(trains.size(), 60u);
    ASSERT_TRUE(Consistent());

    g_TickLength = 26 * kFramesPerTick;
    const size_t n = trains.size();
    std::vector<int32_t> served(n, -2);
    std::vector<int32_t> arrivals(n, 0);
    std::vector<int32_t> lastArrival(n, 0);
    std::vector<int32_t> longestGap(n, 0);
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
        longestGap[i] = std::max(longestGap[i], frame - lastArrival[i]);
        EXPECT_GE(arrivals[i], 10) << "train " << trains[i]->number;
        EXPECT_LT(longestGap[i], kLongestGap) << "train " << trains[i]->number;
    }
    EXPECT_TRUE(Consistent());
    DeleteAllVehicles();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(FlagCount(), 0);
}

}  // namespace
