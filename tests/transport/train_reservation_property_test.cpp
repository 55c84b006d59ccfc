// Property test of the block signals: on random single-track networks with
// passing loops, multi-row stations of every orientation and terminus spurs,
// many trains run for thousands of frames. Every frame each train's units
// stand on fields it holds, no field and no link is held by two trains, every
// mark and every link flag belongs to a train; once every train is deleted
// nothing is left.

#include <gtest/gtest.h>

#include "platform/random.h"
#include "rail_layouts.h"
#include "transport/vehicle_list.h"

namespace {

using railtest::LayoutOptions;
using railtest::RandomRailWorld;

class TrainReservationProperty : public RandomRailWorld,
                                 public ::testing::WithParamInterface<int> {};

TEST_P(TrainReservationProperty, MarksAndReservationsStayWithTheirTrains) {
    plat::Srand(static_cast<uint32_t>(GetParam()));
    BuildRandomNetwork(LayoutOptions{});
    std::vector<CTrain*> trains = BuildRandomTrains(14);
    ASSERT_GE(trains.size(), 2u);
    ASSERT_TRUE(Consistent());
    std::vector<int32_t> served(trains.size(), 0);
    std::vector<int32_t> last(trains.size(), -2);
    int32_t arrivals = 0;
    for (int32_t frame = 0; frame < 4000; ++frame) {
        Frames(1);
        ASSERT_TRUE(Consistent()) << "seed " << GetParam() << " frame " << frame;
        for (size_t i = 0; i < trains.size(); ++i) {
            if (trains[i]->stop_served != last[i]) {
                last[i] = trains[i]->stop_served;
                ++served[i];
                ++arrivals;
            }
        }
    }
    EXPECT_GT(arrivals, static_cast<int32_t>(trains.size()));
    DeleteAllVehicles();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(FlagCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, TrainReservationProperty, ::testing::Range(1, 9));

}  // namespace
