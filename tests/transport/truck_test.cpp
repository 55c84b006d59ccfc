// Trucks: construction on a depot, speed, the stop cycle with loading,
// unloading and running costs, and the degenerate schedules.

#include <gtest/gtest.h>

#include "road_world.h"
#include "state/statistics.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"

namespace {

using roadtest::RoadWorld;
using roadtest::TestTerminal;

constexpr int32_t kProduct = 20;

// A road along y = 50 from x = 40 to 60 with a mine's depot at (45, 49) and
// a factory's depot at (55, 49), both leaving south onto the road.
class TruckTest : public RoadWorld {
  protected:
    void SetUp() override {
        Line(40, 50, 60, 50);
        mine = &Depot(45, 49, 2, 1);
        factory = &Depot(55, 49, 2, 2);
        Finish(30, 40, 70, 60);
    }

    CTruck* NewTruck(int32_t model = 0) {
        CTruck* truck = new CTruck(45, 49, "A", model);
        SetSchedule(*truck, {{45, 49}, {55, 49}});
        truck->cargo_plan[0][0][0] = kProduct;
        return truck;
    }

    TestTerminal* mine = nullptr;
    TestTerminal* factory = nullptr;
};

TEST_F(TruckTest, NewTruckOnItsDepotByOrientation) {
    // Depot type 2 leaves south: heading south, entered from the north, lane 1.
    CTruck* truck = new CTruck(45, 49, "A", 0);
    EXPECT_EQ(truck->direction, 0x41);
    EXPECT_EQ(truck->lane, 1);
    EXPECT_EQ(F(45, 49).belegt(), 1);
    EXPECT_EQ(truck->product_carried, -1);
    EXPECT_EQ(g_pVehicleList->vehicle, truck);

    // Type 0 leaves north: heading north in lane 2, bit 5 of `belegt`.
    Line(20, 20, 20, 22);
    Depot(20, 23, 0, 3);
    Finish(10, 10, 30, 30);
    CTruck* north = new CTruck(20, 23, "A", 3);
    EXPECT_EQ(north->Heading(), kDirN);
    EXPECT_EQ(north->lane, 2);
    EXPECT_EQ(F(20, 23).belegt(), 2);

    DeleteAllVehicles();
    EXPECT_EQ(MarkSum(), 0);
}

TEST_F(TruckTest, SpeedByWayTypeAndRamp) {
    // Model 3: maximum 2, climbing 1.
    CTruck* truck = NewTruck(3);
    truck->pos_x = 50;
    truck->pos_y = 50;
    struct Case {
        uint8_t way;
        uint8_t piece;
        uint8_t direction;
        int32_t speed;
    };
    const Case cases[] = {
        {kWayAsphaltRoad, 0, 0x41, 2},
        {kWayCityStreet, 0, 0x41, 1},
        {kWayGravelRoad, 12, 0x14, 1},  // up the ramp
        {kWayGravelRoad, 12, 0x41, 2},  // down the ramp
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.way) << "/" << int(c.piece) << "/" << int(c.direction));
        F(50, 50).set_wegtyp(c.way);
        F(50, 50).set_wegteil(c.piece);
        truck->direction = c.direction;
        truck->UpdateSpeed();
        EXPECT_EQ(truck->steps_per_frame, c.speed);
    }
    // Elsewhere the speed doubles after 8 steps, up to the maximum.
    F(50, 50).set_wegtyp(0);
    F(50, 50).set_wegteil(0);
    truck->base_speed = 1;
    truck->accel_counter = 0;
    for (int i = 0; i < 7; ++i) truck->UpdateSpeed();
    EXPECT_EQ(truck->steps_per_frame, 1);
    truck->UpdateSpeed();
    EXPECT_EQ(truck->steps_per_frame, 2);
}

TEST_F(TruckTest, TwoStopScheduleCarriesGoodsAndBooksRunningCosts) {
    mine->stock[kProduct] = 3;
    const int64_t cashBefore = game_.state().cash[0];
    CTruck* truck = NewTruck();

    // The first leg: 12 fields from the mine's depot to the factory's.
    ASSERT_TRUE(FramesUntil([&] { return factory->stock[kProduct] == 1; }, 2000));
    EXPECT_EQ(mine->stock[kProduct], 2);
    EXPECT_EQ(truck->product_carried, -1);
    EXPECT_EQ(truck->amount_carried, 0);
    EXPECT_EQ(game_.state().cash[0], cashBefore - 12 * 6);
    EXPECT_EQ(g_Statistics.PairThis(StatPair::D, 0), 12 * 6);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::TotalCosts, 0), 12 * 6);
    EXPECT_EQ(truck->cost_this_trip, 12 * 6);
    EXPECT_EQ(factory->updates, 1);
    EXPECT_GE(factory->refreshes, 1);

    // Back at stop 0 the trip's costs move to the last trip.
    ASSERT_TRUE(FramesUntil([&] { return truck->cost_last_trip != 0; }, 2000));
    EXPECT_EQ(truck->cost_last_trip, 2 * 12 * 6);
    EXPECT_EQ(truck->cost_this_trip, 0);

    // Every unit the mine gave arrives at the factory.
    ASSERT_TRUE(FramesUntil([&] { return factory->stock[kProduct] == 3; }, 6000));
    EXPECT_EQ(mine->stock[kProduct], 0);
    EXPECT_TRUE(MarksConsistent());
    DeleteAllVehicles();
    EXPECT_EQ(MarkSum(), 0);
}

TEST_F(TruckTest, WaitUntilLoadedRetriesEvery128Frames) {
    CTruck* truck = NewTruck();
    truck->wait_until_loaded[0] = 1;
    Frames(1);
    EXPECT_EQ(truck->loading_state, 1);
    EXPECT_EQ(truck->wait_counter, 128);
    EXPECT_EQ(mine->takes, 1);
    Frames(128);
    EXPECT_EQ(mine->takes, 1);
    mine->stock[kProduct] = 1;
    Frames(1);
    EXPECT_EQ(mine->takes, 2);
    EXPECT_EQ(truck->amount_carried, 1);
    EXPECT_EQ(truck->loading_state, 0);
    EXPECT_EQ(truck->wait_counter, 32);
}

TEST_F(TruckTest, ProductPlannedAtTwoStopsStaysOnBoard) {
    mine->stock[kProduct] = 5;
    CTruck* truck = NewTruck();
    truck->cargo_plan[1][0][0] = kProduct;
    truck->product_carried = kProduct;
    truck->amount_carried = 1;
    ASSERT_TRUE(FramesUntil([&] { return truck->stop_served == 1; }, 2000));
    Frames(40);
    ASSERT_TRUE(FramesUntil([&] { return truck->stop_served == 0; }, 2000));
    Frames(40);
    EXPECT_EQ(factory->puts, 0);
    EXPECT_EQ(mine->takes, 0);
    EXPECT_EQ(truck->product_carried, kProduct);
    EXPECT_EQ(truck->amount_carried, 1);
}

TEST_F(TruckTest, ZeroStopsNeitherLoadsNorUnloads) {
    CTruck* truck = NewTruck();
    truck->amount_carried = 1;
    truck->product_carried = kProduct;
    truck->stop_count = 0;
    truck->target_stop = 0;
    truck->UnloadGoods();
    truck->stop_served = 0;
    EXPECT_EQ(truck->LoadGoods(), 1);
    EXPECT_EQ(mine->puts + mine->takes, 0);
    EXPECT_EQ(truck->amount_carried, 1);
    // Such a truck waits for a schedule in steps of 32 frames.
    truck->needs_route = 1;
    Frames(1);
    EXPECT_EQ(truck->wait_counter, 32);
}

TEST_F(TruckTest, OwnFieldIsNoRouteCandidate) {
    CTruck* truck = NewTruck();
    SetSchedule(*truck, {{55, 49}, {45, 49}});
    truck->target_stop = 0;
    truck->PlanRoute();  // to stop 1, the truck's own depot
    EXPECT_EQ(truck->target_stop, 1);
    EXPECT_EQ(truck->path.Count(), 0);
    truck->target_stop = 1;
    truck->PlanRoute();  // to stop 0 across the road
    EXPECT_EQ(truck->target_stop, 0);
    EXPECT_GT(truck->path.Count(), 0);
}

TEST_F(TruckTest, OpponentTruckIsTheVehicleAtTheTerminalWhileUnloading) {
    mine->stock[kProduct] = 1;
    CTruck* truck = NewTruck();
    truck->owner = 2;
    ASSERT_TRUE(FramesUntil([&] { return factory->puts > 0; }, 2000));
    ASSERT_EQ(factory->at_terminal_during_put.size(), 1u);
    EXPECT_EQ(factory->at_terminal_during_put[0], truck);
    EXPECT_EQ(g_pVehicleAtTerminal, nullptr);
    EXPECT_EQ(mine->last_buyer, 2);
    // The running costs go to the owner.
    EXPECT_EQ(g_Statistics.PairThis(StatPair::D, 2), 12 * 6);
    EXPECT_EQ(g_Statistics.PairThis(StatPair::D, 0), 0);
}

TEST_F(TruckTest, HaltAtStopKeepsTheTruckLoading) {
    mine->stock[kProduct] = 1;
    CTruck* truck = NewTruck();
    truck->halt_at_stop[1] = 1;
    ASSERT_TRUE(FramesUntil([&] { return truck->halted == 1; }, 2000));
    Frames(1000);
    EXPECT_EQ(truck->loading_state, 1);
    EXPECT_EQ(truck->pos_x, 55);
    EXPECT_EQ(truck->pos_y, 49);
}

TEST_F(TruckTest, TruckBoughtOnAnOccupiedDepotWaitsForItsLane) {
    CTruck* first = NewTruck();
    CTruck* second = NewTruck();
    EXPECT_TRUE(first->HoldsMark());
    EXPECT_FALSE(second->HoldsMark());
    EXPECT_TRUE(MarksConsistent());
    ASSERT_TRUE(FramesUntil([&] { return second->HoldsMark(); }, 2000));
    EXPECT_TRUE(MarksConsistent());
    EXPECT_NE(first->pos_x, 45);
}

}  // namespace
