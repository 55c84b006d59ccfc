// Trucks: construction on a depot, speed, the stop cycle with loading,
// unloading and running costs, the degenerate schedules, and the decision at
// the field middle: queues, passing, the junction lock, stale paths, turning
// at dead ends and without a route, depots, and the marks under bridges and
// in tunnels. At the end of a test the map's marks are exactly the vehicles'
// and deleting them leaves none.

#include <gtest/gtest.h>

#include "road_world.h"
#include "state/statistics.h"
#include "transport/road_marks.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"

namespace {

using roadtest::TestTerminal;

class RoadWorld : public roadtest::RoadWorld {
  protected:
    void TearDown() override {
        EXPECT_TRUE(MarksConsistent());
        DeleteAllVehicles();
        EXPECT_EQ(MarkSum(), 0);
    }
};

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

// The player's truck and an opponent's: each carries every unit the mine
// gives to the factory, its owner buys and pays the running costs, and only
// the opponent's truck is named to the terminal while it unloads.
TEST_F(TruckTest, TwoStopScheduleCarriesGoodsAndBooksRunningCosts) {
    for (const int32_t owner : {0, 2}) {
        SCOPED_TRACE(owner);
        DeleteAllVehicles();
        mine->stock[kProduct] = 3;
        factory->stock[kProduct] = 0;
        factory->at_terminal_during_put.clear();
        const int64_t cashBefore = game_.state().cash[owner];
        const int64_t costsBefore = g_Statistics.PairThis(StatPair::D, owner);
        const int64_t monthBefore = g_Statistics.Monthly(StatSeries::TotalCosts, owner);
        CTruck* truck = NewTruck();
        truck->owner = owner;
        // The first leg: 12 fields from the mine's depot to the factory's.
        ASSERT_TRUE(FramesUntil([&] { return factory->stock[kProduct] == 1; }, 2000));
        EXPECT_EQ(mine->stock[kProduct], 2);
        EXPECT_EQ(mine->last_buyer, owner);
        EXPECT_EQ(truck->amount_carried, 0);
        EXPECT_EQ(game_.state().cash[owner], cashBefore - 12 * 6);
        EXPECT_EQ(g_Statistics.PairThis(StatPair::D, owner), costsBefore + 12 * 6);
        EXPECT_EQ(g_Statistics.Monthly(StatSeries::TotalCosts, owner), monthBefore + 12 * 6);
        EXPECT_EQ(factory->at_terminal_during_put.at(0), owner == 0 ? nullptr : truck);
        EXPECT_EQ(g_pVehicleAtTerminal, nullptr);
        // Back at stop 0 the trip's costs move to the last trip.
        ASSERT_TRUE(FramesUntil([&] { return truck->cost_last_trip != 0; }, 2000));
        EXPECT_EQ(truck->cost_last_trip, 2 * 12 * 6);
        EXPECT_EQ(truck->cost_this_trip, 0);
        ASSERT_TRUE(FramesUntil([&] { return factory->stock[kProduct] == 3; }, 6000));
        EXPECT_EQ(mine->stock[kProduct], 0);
    }
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

// A crossing at (50, 50) with arms of five fields; the east arm ends in a
// bend up into a depot at (55, 49) (exit south); the west arm is a dead end.
// A road joined to the field under a truck makes it a junction: the truck's
// lane mark and a junction mark taken after it both come off the field.
TEST_F(TruckTest, LaneMarkComesOffAFieldThatBecameAJunction) {
    for (const uint8_t lane : {1, 2}) {
        RoadMark lane_mark;
        TakeMark(lane_mark, 50, 50, MarkKind::Lane, lane, -1);
        F(50, 50).set_knoten(true);
        RoadMark junction;
        TakeMark(junction, 50, 50, MarkKind::Junction, 1, -1);
        ReleaseMark(lane_mark);
        ReleaseMark(junction);
        EXPECT_EQ(F(50, 50).belegt(), 0) << int(lane);
        F(50, 50).set_knoten(false);
    }
}

class DrivingTest : public RoadWorld {
  protected:
    void SetUp() override {
        Line(45, 50, 55, 50);
        Line(50, 45, 50, 55);
        Depot(55, 49, 2, 1);
        Line(60, 40, 60, 42);  // a depot that no road reaches
        Depot(60, 43, 0, 2);
        Finish(30, 30, 70, 70);
    }

    // A truck standing on (x, y) heading in `heading`, about to decide,
    // bound for the depot at (55, 49).
    CTruck* Place(int32_t x, int32_t y, uint8_t heading, int32_t model = 0) {
        CTruck* truck = new CTruck(x, y, "A", model);
        ReleaseMark(truck->mark);
        truck->direction = static_cast<uint8_t>((heading << 4) | OppositeDirBits(heading));
        truck->next_direction = truck->direction;
        const MarkKind kind = MarkKindAt(x, y, false, false);
        const uint8_t lane = LaneFor(x, y, kind, heading);
        TakeMark(truck->mark, x, y, kind, lane, DirIndexFromBit(heading));
        truck->lane = truck->mark.lane;
        SetSchedule(*truck, {{55, 49}, {60, 43}});
        truck->target_stop = 0;
        truck->stop_served = 1;
        truck->needs_route = 0;
        truck->loading_state = 0;
        truck->phase = 15;
        return truck;
    }

    int32_t Node(int32_t x, int32_t y) { return F(x, y).knotennummer(); }
};

TEST_F(DrivingTest, StalePathIsReplannedFromTheJunction) {
    CTruck* truck = Place(50, 53, kDirN);
    truck->path.PushFront(Node(50, 55), -1);  // a node behind the truck
    ASSERT_TRUE(FramesUntil([&] { return truck->pos_y == 50; }, 100));
    EXPECT_EQ(truck->replan_x, 50);
    EXPECT_EQ(truck->replan_y, 51);
    EXPECT_EQ(truck->junction_exit, 1);  // east, towards the depot
}

TEST_F(DrivingTest, TruckWithoutRouteTurnsBeforeTheJunction) {
    CTruck* truck = Place(50, 53, kDirN);
    truck->target_stop = 1;  // the depot that no road reaches
    ASSERT_TRUE(FramesUntil([&] { return truck->Heading() == kDirS; }, 200));
    EXPECT_EQ(truck->pos_x, 50);
    EXPECT_EQ(truck->pos_y, 51);
    EXPECT_EQ(truck->path.Count(), 0);
}

TEST_F(DrivingTest, DeadEndTurnsOnlyWhenTheOtherLaneIsFree) {
    CTruck* truck = Place(46, 50, kDirW);
    ASSERT_TRUE(FramesUntil([&] { return truck->Heading() == kDirE; }, 200));
    EXPECT_EQ(truck->pos_x, 45);
    EXPECT_EQ(truck->lane, 1);
    EXPECT_TRUE(MarksConsistent());

    // With the other lane taken it waits at the end, still heading west.
    DeleteAllVehicles();
    CTruck* parked = Place(45, 50, kDirE);
    parked->wait_counter = 1000;
    truck = Place(46, 50, kDirW);
    ASSERT_TRUE(FramesUntil([&] { return truck->pos_x == 45; }, 100));
    ASSERT_TRUE(FramesUntil([&] { return truck->wait_counter == 32; }, 100));
    EXPECT_EQ(truck->Heading(), kDirW);
}

TEST_F(DrivingTest, TruckOnItsDepotWaitsForItsExitAndDoesNotTurn) {
    CTruck* blocker = Place(55, 50, kDirW);
    blocker->wait_counter = 1000;
    CTruck* truck = Place(55, 49, kDirS);
    truck->target_stop = 1;
    truck->stop_served = 0;
    truck->path.PushFront(Node(50, 50), 3);
    Frames(1);
    EXPECT_GT(truck->wait_counter, 0);
    EXPECT_EQ(truck->Heading(), kDirS);
    EXPECT_EQ(truck->pos_y, 49);
    Frames(200);
    EXPECT_EQ(truck->pos_y, 49);
    EXPECT_EQ(truck->Heading(), kDirS);
}

TEST_F(DrivingTest, ArrivalWaitsWhileTheDepotIsTaken) {
    CTruck* onDepot = Place(55, 49, kDirS);
    onDepot->wait_counter = 1000;
    CTruck* truck = Place(54, 50, kDirE);
    ASSERT_TRUE(FramesUntil([&] { return truck->wait_counter == 32; }, 200));
    EXPECT_EQ(truck->arrival_counter, 0);
    EXPECT_NE(truck->pos_y, 49);
}

TEST_F(DrivingTest, RoadIntoTheBackOfTheTargetDepotIsNoArrival) {
    // A dead-end road from the north meets the depot's back.
    Line(55, 45, 55, 48);
    Finish(30, 30, 70, 70);
    CTruck* truck = Place(55, 46, kDirS);
    ASSERT_TRUE(FramesUntil([&] { return truck->Heading() == kDirN; }, 200));
    Frames(100);
    EXPECT_EQ(truck->target_stop, 0);
    EXPECT_EQ(truck->stop_served, 1);
    EXPECT_EQ(truck->cost_last_trip, 0);
    EXPECT_GT(truck->running_cost, 0);  // nothing booked
}

TEST_F(DrivingTest, InvalidHeadingRemovesTheTruck) {
    CTruck* truck = Place(47, 50, kDirE);
    truck->direction = 0x30;
    Frames(1);
    EXPECT_EQ(CountVehicles(), 0);
    EXPECT_EQ(MarkSum(), 0);
}

}  // namespace
