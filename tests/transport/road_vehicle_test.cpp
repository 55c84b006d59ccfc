// Trucks and city cars on small road worlds and on random grids (the map's
// marks always exactly the vehicles'), and the vehicles' record: round trips
// with the marks put back. The vehicle list's own tests are in
// vehicle_list_test.cpp.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <initializer_list>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/level_file.h"
#include "cities/city.h"
#include "cities/city_traffic.h"
#include "economy/building_kinds.h"
#include "game/opponent.h"
#include "game/opponent_roster.h"
#include "platform/file.h"
#include "platform/random.h"
#include "state/data_tables.h"
#include "state/le_io.h"
#include "state/lookup_tables.h"
#include "state/statistics.h"
#include "support/fnv_hash.h"
#include "support/unchecked_level.h"
#include "transport/city_car.h"
#include "transport/road_marks.h"
#include "transport/truck.h"
#include "transport/vehicle_level.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_lookup.h"
#include "transport/vehicle_purchase.h"
#include "transport/vehicle_references.h"
#include "transport/vehicle_trip.h"
#include "transport/wagon.h"
#include "transport_world.h"

namespace {

using transporttest::RoadWorld;
using transporttest::TestTerminal;

constexpr int32_t kProduct = 20;

// A road along y = 50 with a mine's depot at (45, 49) and a factory's at (55, 49).
class TruckTest : public RoadWorld {
  protected:
    void SetUp() override {
        Line(40, 50, 60, 50);
        mine = &Depot(45, 49, 2, 1);
        factory = &Depot(55, 49, 2, 2);
        Finish(30, 40, 70, 60);
    }
    CTruck* NewTruck() {
        CTruck* truck = new CTruck(45, 49, "A", 0);
        SetSchedule(*truck, {{45, 49}, {55, 49}});
        truck->cargo_plan[0][0][0] = kProduct;
        return truck;
    }
    TestTerminal* mine = nullptr;
    TestTerminal* factory = nullptr;
};

// Trucks carry every unit; the owner buys and pays; only an opponent's
// truck is named to the terminal while it unloads.
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
        EXPECT_EQ(std::tuple(mine->last_buyer, truck->amount_carried, game_.state().cash[owner],
                             g_Statistics.PairThis(StatPair::D, owner),
                             g_Statistics.Monthly(StatSeries::TotalCosts, owner)),
                  std::tuple(owner, 0, cashBefore - 72, costsBefore + 72, monthBefore + 72));
        EXPECT_EQ(factory->at_terminal_during_put.at(0), owner == 0 ? nullptr : truck);
        EXPECT_EQ(g_pVehicleAtTerminal, nullptr);
        // Back at stop 0 the trip's costs move to the last trip.
        ASSERT_TRUE(FramesUntil([&] { return truck->cost_last_trip != 0; }, 2000));
        EXPECT_EQ(std::tuple(truck->cost_last_trip, truck->cost_this_trip), std::tuple(144, 0));
        ASSERT_TRUE(FramesUntil([&] { return factory->stock[kProduct] == 3; }, 6000));
        EXPECT_EQ(mine->stock[kProduct], 0);
    }
}

// A vehicle model can be bought from July of its model year on.
TEST_F(TruckTest, AModelComesInTheJulyOfItsYear) {
    const int32_t year = static_cast<int32_t>(game_.state().vehicle_models[3].model_year);
    for (auto [y, month, available] : {std::tuple{year - 1, 11, false},
                                       {year, 5, false},
                                       {year, 6, true},
                                       {year + 1, 0, true}}) {
        std::tie(game_.state().year, game_.state().month) = std::tuple(y, month);
        EXPECT_EQ(IsModelAvailable(3), available) << y << " " << month;
    }
}

TEST_F(TruckTest, WaitUntilLoadedRetriesEvery128Frames) {
    CTruck* truck = NewTruck();
    truck->wait_until_loaded[0] = 1;
    Frames(1);
    EXPECT_EQ(truck->wait_counter, 128);
    Frames(128);
    EXPECT_EQ(mine->takes, 1);
    mine->stock[kProduct] = 1;
    Frames(1);
    EXPECT_EQ(
        std::tuple(mine->takes, truck->amount_carried, truck->loading_state, truck->wait_counter),
        std::tuple(2, 1, 0, 32));
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
    EXPECT_EQ(std::tuple(factory->puts + mine->takes, truck->amount_carried), std::tuple(0, 1));
}

// Without stops nothing is exchanged; the truck waits in steps of 32 frames.
TEST_F(TruckTest, ZeroStopsNeitherLoadsNorUnloads) {
    CTruck* truck = NewTruck();
    truck->amount_carried = 1;
    truck->product_carried = kProduct;
    truck->stop_count = 0;
    truck->target_stop = 0;
    truck->UnloadGoods();
    truck->stop_served = 0;
    EXPECT_EQ(truck->LoadGoods(), 1);
    EXPECT_EQ(std::tuple(mine->puts + mine->takes, truck->amount_carried), std::tuple(0, 1));
    truck->needs_route = 1;
    Frames(1);
    EXPECT_EQ(truck->wait_counter, 32);
}

// One stop is no schedule either: the truck waits and plans no route.
TEST_F(TruckTest, OneStopPlansNoRoute) {
    CTruck* truck = NewTruck();
    for (int32_t stops : {1, 2}) {
        truck->stop_count = stops;
        truck->target_stop = 0;
        std::tie(truck->needs_route, truck->schedule_changed, truck->wait_counter) =
            std::tuple(1, 0, 0);
        Frames(1);
        EXPECT_EQ(truck->needs_route, stops == 1 ? 1 : 0) << stops;
    }
}

TEST_F(TruckTest, OwnFieldIsNoRouteCandidate) {
    CTruck* truck = NewTruck();
    SetSchedule(*truck, {{55, 49}, {45, 49}});
    truck->target_stop = 0;
    truck->PlanRoute();  // to stop 1, the truck's own depot
    EXPECT_EQ(std::tuple(truck->target_stop, truck->path.Count()), std::tuple(1, 0));
    truck->PlanRoute();  // to stop 0 across the road
    EXPECT_EQ(truck->target_stop, 0);
    EXPECT_GT(truck->path.Count(), 0);
    // After the tenth stop the schedule goes on at stop 0.
    for (int32_t s = 2; s < kScheduleStops; ++s) truck->schedule[s] = truck->schedule[s % 2];
    truck->stop_count = kScheduleStops;
    truck->target_stop = kScheduleStops - 1;
    truck->PlanRoute();
    EXPECT_EQ(truck->target_stop, 0);
}

// Of the heads of a stop the cheapest route below 65535 wins, the first of
// equal costs; the path then leaves the start by the winner's link.
TEST_F(TruckTest, CheapestStopHeadWinsAndTheFirstOfEqualCosts) {
    CWayNetwork& net = *g_pWayNetwork;
    int32_t start = 1;
    while (net.Node(start) == nullptr) ++start;
    const int32_t heads[2] = {kWayNodeSlots - 2, kWayNodeSlots - 3};
    ScheduleStop stop = EmptyScheduleStop();
    for (int32_t i = 0; i < 2; ++i) {
        stop.x[i] = static_cast<uint8_t>(10 + i);
        stop.y[i] = 10;
        F(10 + i, 10).set_knotennummer(static_cast<uint32_t>(heads[i]));
        net.routes[heads[i]] = {.dist = 0, .prev = start, .dir = i};
    }
    WayNode& from = *net.Node(start);
    const int32_t kept[2] = {from.cost[0], from.cost[1]};
    for (const auto& [first, second, link] :
         {std::array{40, 40, 0}, {41, 40, 1}, {65535, 65534, 1}, {65535, 65535, -1}}) {
        from.cost[0] = first;
        from.cost[1] = second;
        CPairList path;
        PathToCheapestStopField(net, start, stop, path);
        int32_t node = -1;
        int32_t dir = -1;
        path.PeekFront(node, dir);
        EXPECT_EQ(dir, link) << first << " " << second;
    }
    from.cost[0] = kept[0];
    from.cost[1] = kept[1];
    for (int32_t i = 0; i < 2; ++i) F(10 + i, 10).set_knotennummer(0);
}

// Goods the plan does not expect at a stop are handed to its terminal; a
// truck that carries its unit asks the terminal for none.
TEST_F(TruckTest, UnplannedGoodsAreHandedOverAndAFullTruckAsksForNone) {
    mine->stock[kProduct] = 5;
    CTruck* truck = NewTruck();
    std::tie(truck->product_carried, truck->amount_carried, truck->target_stop) =
        std::tuple(21, 1, 0);
    truck->UnloadGoods();
    EXPECT_EQ(std::tuple(mine->stock[21], truck->product_carried, truck->amount_carried),
              std::tuple(1, -1, 0));
    std::tie(truck->product_carried, truck->amount_carried, truck->stop_served) =
        std::tuple(kProduct, 1, 0);
    EXPECT_EQ(truck->LoadGoods(), 1);
    EXPECT_EQ(std::tuple(mine->stock[kProduct], truck->amount_carried), std::tuple(5, 1));
}

TEST_F(TruckTest, HaltAtStopKeepsTheTruckLoading) {
    mine->stock[kProduct] = 1;
    CTruck* truck = NewTruck();
    truck->halt_at_stop[1] = 1;
    ASSERT_TRUE(FramesUntil([&] { return truck->halted == 1; }, 2000));
    Frames(1000);
    EXPECT_EQ(std::tuple(truck->loading_state, truck->pos_x, truck->pos_y), std::tuple(1, 55, 49));
}

// A lane mark on a field that became a junction still comes off.
TEST_F(TruckTest, LaneMarkComesOffAFieldThatBecameAJunction) {
    for (const uint8_t lane : {1, 2}) {
        RoadMark lane_mark, junction;
        TakeMark(lane_mark, 50, 50, MarkKind::Lane, lane, -1);
        F(50, 50).set_knoten(true);
        TakeMark(junction, 50, 50, MarkKind::Junction, 1, -1);
        ReleaseMark(lane_mark);
        ReleaseMark(junction);
        EXPECT_EQ(F(50, 50).belegt(), 0) << int(lane);
        F(50, 50).set_knoten(false);
    }
    // A junction field counts up to three vehicles, and never below 0.
    F(50, 50).set_knoten(true);
    RoadMark marks[4];
    for (RoadMark& m : marks) TakeMark(m, 50, 50, MarkKind::Junction, 1, -1);
    EXPECT_EQ(F(50, 50).belegt(), 3u);
    F(50, 50).set_belegt(0);
    ReleaseMark(marks[0]);
    EXPECT_EQ(F(50, 50).belegt(), 0u);
    for (RoadMark& m : marks) ReleaseMark(m);
    F(50, 50).set_knoten(false);
}

// A crossing with a depot at its east arm's end and one no road reaches.
class DrivingTest : public RoadWorld {
  protected:
    void SetUp() override {
        Line(45, 50, 55, 50);
        Line(50, 45, 50, 55);
        Depot(55, 49, 2, 1);
        Line(60, 40, 60, 42);
        Depot(60, 43, 0, 2);
        Finish(30, 30, 70, 70);
    }
    // A truck on (x, y) heading `heading`, about to decide, bound for (55, 49).
    CTruck* Place(int32_t x, int32_t y, uint8_t heading) {
        CTruck* truck = new CTruck(x, y, "A", 0);
        ReleaseMark(truck->mark);
        truck->direction = static_cast<uint8_t>((heading << 4) | OppositeDirBits(heading));
        truck->next_direction = truck->direction;
        const MarkKind kind = MarkKindAt(x, y, false, false);
        TakeMark(truck->mark, x, y, kind, LaneFor(x, y, kind, heading), DirIndexFromBit(heading));
        truck->lane = truck->mark.lane;
        SetSchedule(*truck, {{55, 49}, {60, 43}});
        truck->target_stop = 0;
        truck->stop_served = 1;
        truck->needs_route = truck->loading_state = 0;
        truck->phase = 15;
        return truck;
    }
};

TEST_F(DrivingTest, StalePathIsReplannedFromTheJunction) {
    CTruck* truck = Place(50, 53, kDirN);
    truck->path.PushFront(F(50, 55).knotennummer(), -1);  // a node behind the truck
    ASSERT_TRUE(FramesUntil([&] { return truck->pos_y == 50; }, 100));
    // Exit 1: east, towards the depot.
    EXPECT_EQ(std::tuple(truck->replan_x, truck->replan_y, truck->junction_exit),
              std::tuple(50, 51, 1));
}

TEST_F(DrivingTest, TruckWithoutRouteTurnsBeforeTheJunction) {
    CTruck* truck = Place(50, 53, kDirN);
    truck->target_stop = 1;  // the depot that no road reaches
    ASSERT_TRUE(FramesUntil([&] { return truck->Heading() == kDirS; }, 200));
    EXPECT_EQ(std::tuple(truck->pos_y, truck->path.Count()), std::tuple(51, 0));
}

TEST_F(DrivingTest, DeadEndTurnsOnlyWhenTheOtherLaneIsFree) {
    CTruck* truck = Place(46, 50, kDirW);
    ASSERT_TRUE(FramesUntil([&] { return truck->Heading() == kDirE; }, 200));
    EXPECT_EQ(std::tuple(truck->pos_x, truck->lane), std::tuple(45, 1));
    EXPECT_TRUE(MarksConsistent());
    // With the other lane taken it waits at the end, still heading west.
    DeleteAllVehicles();
    Place(45, 50, kDirE)->wait_counter = 1000;
    truck = Place(46, 50, kDirW);
    ASSERT_TRUE(FramesUntil([&] { return truck->pos_x == 45; }, 100));
    ASSERT_TRUE(FramesUntil([&] { return truck->wait_counter == 32; }, 100));
    EXPECT_EQ(truck->Heading(), kDirW);
}

// Behind a truck in its lane a truck waits 8 frames at a time and takes the
// slower model of that truck, not of one in the other lane of the field.
TEST_F(DrivingTest, TruckQueuesBehindTheOneInItsLaneAtItsModel) {
    CTruck* ahead = Place(48, 50, kDirE);
    CTruck* other = Place(48, 50, kDirW);
    std::tie(ahead->wait_counter, ahead->speed_limit) = std::tuple(1000, 4);
    std::tie(other->wait_counter, other->speed_limit) = std::tuple(1000, 1);
    CTruck* behind = Place(46, 50, kDirE);
    behind->model = behind->speed_limit = 5;
    ASSERT_TRUE(FramesUntil([&] { return behind->wait_counter > 0; }, 200));
    EXPECT_EQ(std::tuple(behind->pos_x, behind->phase, behind->wait_counter, behind->speed_limit),
              std::tuple(47, 15, 8, 4));
}

// On a junction the lane follows the exit: 2 leaving north or west, else 1.
TEST_F(DrivingTest, JunctionLaneFollowsTheExit) {
    Finish(30, 30, 70, 70, true);  // every arm linked to its end
    for (auto [exit, lane] : {std::pair{0, 2}, {1, 1}, {3, 2}}) {
        DeleteAllVehicles();
        CTruck* truck = Place(50, 51, kDirN);
        truck->path.PushFront(F(50, 50).knotennummer(), exit);
        ASSERT_TRUE(FramesUntil([&] { return truck->pos_y == 50; }, 100));
        EXPECT_EQ(std::tuple(truck->junction_exit, truck->lane), std::tuple(exit, lane));
    }
    // With its exit lane taken beyond the junction it waits before it.
    DeleteAllVehicles();
    Place(51, 50, kDirE)->wait_counter = 1000;
    CTruck* truck = Place(50, 51, kDirN);
    truck->path.PushFront(F(50, 50).knotennummer(), 1);
    Frames(100);
    EXPECT_EQ(std::tuple(truck->pos_y, truck->wait_counter > 0), std::tuple(51, true));
}

TEST_F(DrivingTest, TruckOnItsDepotWaitsForItsExitAndDoesNotTurn) {
    Place(55, 50, kDirW)->wait_counter = 1000;
    CTruck* truck = Place(55, 49, kDirS);
    truck->target_stop = 1;
    truck->stop_served = 0;
    truck->path.PushFront(F(50, 50).knotennummer(), 3);
    Frames(1);
    EXPECT_GT(truck->wait_counter, 0);
    Frames(200);
    EXPECT_EQ(std::tuple(truck->pos_y, truck->Heading()), std::tuple(49, kDirS));
}

// The crossing (50, 50) has a depot on its north side instead of a road.
class DepotBesideJunctionTest : public DrivingTest {
  protected:
    void SetUp() override {
        Line(45, 50, 55, 50);
        Line(50, 51, 50, 55);
        Depot(50, 49, 2, 3);
        Depot(55, 49, 2, 1);
        Line(60, 40, 60, 42);
        Depot(60, 43, 0, 2);
        Finish(30, 30, 70, 70);
    }
};

// A truck bound for a taken depot waits before the junction in front of it;
// the truck on the depot must not in turn wait for its exit lane behind that
// junction, or the two can hold each other in a ring of waiting trucks.
TEST_F(DepotBesideJunctionTest, TruckOnTheDepotDrivesOntoTheJunctionWhenItsExitLaneIsTaken) {
    ASSERT_TRUE(IsJunctionField(50, 50));
    Place(51, 50, kDirE)->wait_counter = 1000;  // holds the lane east of the crossing
    CTruck* truck = Place(50, 49, kDirS);
    truck->path.PushFront(F(50, 50).knotennummer(), 1);
    ASSERT_TRUE(FramesUntil([&] { return truck->pos_y == 50; }, 200));
    EXPECT_EQ(std::tuple(truck->pos_x, truck->junction_exit), std::tuple(50, 1));
    EXPECT_EQ(F(50, 49).belegt(), 0u);
    EXPECT_TRUE(MarksConsistent());
}

// A truck on a depot it does not serve, without a route from the junction
// ahead, waits facing the junction and leaves once a road leads to its stop.
TEST_F(DepotBesideJunctionTest, TruckWithoutRouteOnADepotWaitsFacingItsExit) {
    CTruck* truck = Place(50, 49, kDirS);
    truck->target_stop = 1;  // the depot that no road reaches yet
    truck->stop_served = 0;
    Frames(100);
    EXPECT_EQ(std::tuple(truck->pos_y, truck->Heading()), std::tuple(49, kDirS));
    Line(56, 50, 62, 50);
    Line(62, 40, 62, 49);
    Line(61, 40, 61, 40);
    Finish(30, 30, 70, 70);
    EXPECT_TRUE(FramesUntil([&] { return truck->pos_y != 49; }, 500));
}

// Without a route the truck on its depot plans again at its next step.
TEST_F(DrivingTest, TruckWithoutRouteOnItsDepotPlansAgainAtOnce) {
    CTruck* truck = Place(55, 49, kDirS);
    truck->stop_served = 0;  // the next stop, (60, 43), no road reaches
    Frames(1);
    EXPECT_EQ(std::tuple(truck->target_stop, truck->path.Count(), truck->wait_counter),
              std::tuple(1, 0, 0));
}

TEST_F(DrivingTest, ArrivalWaitsWhileTheDepotIsTaken) {
    Place(55, 49, kDirS)->wait_counter = 1000;
    CTruck* truck = Place(54, 50, kDirE);
    ASSERT_TRUE(FramesUntil([&] { return truck->wait_counter == 32; }, 200));
    EXPECT_EQ(truck->arrival_counter, 0);
    EXPECT_NE(truck->pos_y, 49);
}

TEST_F(DrivingTest, RoadIntoTheBackOfTheTargetDepotIsNoArrival) {
    Line(55, 45, 55, 48);  // a dead end from the north meets the depot's back
    Finish(30, 30, 70, 70);
    CTruck* truck = Place(55, 46, kDirS);
    ASSERT_TRUE(FramesUntil([&] { return truck->Heading() == kDirN; }, 200));
    Frames(100);
    EXPECT_EQ(std::tuple(truck->target_stop, truck->stop_served, truck->cost_last_trip),
              std::tuple(0, 1, 0));
    EXPECT_GT(truck->running_cost, 0);  // nothing booked
}

TEST_F(DrivingTest, InvalidHeadingRemovesTheTruck) {
    Place(47, 50, kDirE)->direction = 0x30;
    Frames(1);
    EXPECT_EQ(CountVehicles(), 0);
}

// City 1 (area from (10, 10)) with streets crossing at (20, 20).
class CityCarTest : public RoadWorld {
  protected:
    void SetUp() override {
        city = &City(1, 10, 10);
        Street(12, 20, 30, 20, 1);
        Street(20, 12, 20, 30, 1);
        Finish(0, 0, 60, 60, true);
    }
    static void FixRand(int32_t value) {
        plat::SetRandSourceForTests([value] { return value; });
    }
    // City 2 from (100, 100) with the given streets, finished.
    void City2(std::initializer_list<std::array<int32_t, 4>> streets, bool deadEndNodes) {
        City(2, 100, 100);
        for (const auto& s : streets) Street(s[0], s[1], s[2], s[3], 2);
        Finish(90, 90, 130, 130, deadEndNodes);
    }
    CCity* city = nullptr;
};

TEST_F(CityCarTest, CityWithoutFreeStreetRemovesTheCar) {
    // Every straight street field is taken in both lanes (by hand).
    auto mark = [&](uint32_t lanes) {
        for (int32_t x = 10; x < 37; ++x) {
            for (int32_t y = 10; y < 37; ++y) {
                if (F(x, y).wegtyp() == kWayCityStreet) F(x, y).set_belegt(lanes);
            }
        }
    };
    mark(3);
    int32_t fx = 0, fy = 0;
    city->FindStreetField(fx, fy);
    EXPECT_EQ(std::tuple(fx, fy), std::tuple(-1, -1));
    EXPECT_EQ((new CCityCar(20, 20, "A", 0, 1))->removal_flag, 1);
    Frames(1);
    EXPECT_EQ(CountVehicles(), 0);
    mark(0);
}

TEST_F(CityCarTest, TenFailedPlacementsRemoveTheCar) {
    // The one free street field leads north; the car draws south.
    City2({{110, 110, 110, 111}}, false);
    F(110, 111).set_wegtyp(0);
    F(110, 110).set_richtung(kDirN);
    FixRand(1);
    CCityCar* car = new CCityCar(110, 110, "A", 0, 2);
    EXPECT_EQ(std::tuple(g_CityCarPlaceAttempts, car->removal_flag, car->HoldsMark(),
                         F(110, 110).belegt()),
              std::tuple(11, 1, false, 0u));
    // Placed at the tenth attempt: the car stays. The first nine attempts use
    // up 30 draws, all of them 1 (south); the tenth draws 0 (north).
    constexpr int32_t kDrawsOfNineFailures = 30;
    int32_t draws = 0;
    plat::SetRandSourceForTests([&draws] { return ++draws <= kDrawsOfNineFailures ? 1 : 0; });
    CCityCar* tenth = new CCityCar(110, 110, "A", 0, 2);
    EXPECT_EQ(std::tuple(g_CityCarPlaceAttempts, tenth->removal_flag, tenth->HoldsMark()),
              std::tuple(10, 0, true));
}

TEST_F(CityCarTest, EmptyCitySlotRemovesTheCarAtItsRelocation) {
    FixRand(0);
    CCityCar* car = new CCityCar(15, 20, "A", 0, 1);
    cities_.cities[0] = nullptr;
    car->arrival_counter = 0;
    ASSERT_TRUE(FramesUntil([&] { return CountVehicles() == 0; }, 100));
}

// At a junction a car takes a random exit, never the way back.
TEST_F(CityCarTest, JunctionExitsNeverReverse) {
    for (int32_t r = 0; r < 8; ++r) {
        FixRand(0);
        CCityCar* car = new CCityCar(19, 20, "A", 0, 1);  // heading east
        ASSERT_EQ(car->Heading(), kDirE);
        FixRand(r);
        ASSERT_TRUE(FramesUntil([&] { return car->pos_x == 20; }, 100));
        EXPECT_EQ(car->junction_exit, r < 3 ? r : car->junction_exit);
        EXPECT_NE(car->junction_exit, 3);
        EXPECT_EQ(car->speed_limit, 6);
        EXPECT_TRUE(MarksConsistent());
        DeleteAllVehicles();
        ASSERT_EQ(MarkSum(), 0);
    }
    // The lane beyond the exit it drew (north) is taken: it enters all the same.
    FixRand(0);
    CCityCar* car = new CCityCar(19, 20, "A", 0, 1);
    F(20, 19).set_belegt(3);
    EXPECT_TRUE(FramesUntil([&] { return car->pos_x == 20; }, 100));
    F(20, 19).set_belegt(0);
}

TEST_F(CityCarTest, JunctionWithOnlyTheWayBackRelocates) {
    // The street's west end (12, 20) is a node linked only to the east.
    const WayNode* node = Net().Node(F(12, 20).knotennummer());
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(node->ziel[0] + node->ziel[2] + node->ziel[3], 0);
    FixRand(1);
    CCityCar* car = new CCityCar(13, 20, "A", 0, 1);  // heading west
    ASSERT_EQ(car->Heading(), kDirW);
    Frames(1);
    EXPECT_FALSE(car->pos_x == 12 && car->pos_y == 20);
    EXPECT_EQ(std::tuple(car->arrival_counter, F(12, 20).belegt(), car->HoldsMark()),
              std::tuple(20, 0u, true));
}

TEST_F(CityCarTest, LifetimeRunsOutOnCityStreetsThenTheCarRelocates) {
    // A ring of streets without junctions or ends.
    City2({{102, 102, 114, 102}, {114, 102, 114, 114}, {114, 114, 102, 114}, {102, 114, 102, 102}},
          true);
    FixRand(0);
    CCityCar* car = new CCityCar(105, 102, "A", 0, 2);
    ASSERT_EQ(car->Heading(), kDirE);
    int32_t before = car->arrival_counter;
    ASSERT_TRUE(FramesUntil(
        [&] {
            const bool relocated = before == 0 && car->arrival_counter == 20;
            before = car->arrival_counter;
            return relocated;
        },
        2000));
}

class RecordTest : public RoadWorld {
  protected:
    void SetUp() override {
        InitGoodsTable();
        InitBuildingTypes();
        g_pLookupTables = &tables_;
        GetLevelPictureHooks() = LevelPictureHooks{};
        RecreateOpponents();
        // A crossing, a tunnel, a bridge, two depots and a city street.
        Line(40, 50, 60, 50);
        Line(50, 40, 50, 49);
        Line(50, 51, 50, 54);
        Tunnel(50, 55, 50, 58);
        Line(50, 59, 50, 62);
        Bridge(50, 63, 50, 66);
        Line(50, 67, 50, 70);
        PlaceDepot(45, 49, 2);
        PlaceDepot(50, 71, 0);
        City(1, 30, 30);
        Street(30, 30, 38, 30, 1);
        Finish(20, 20, 80, 80);
    }
    void TearDown() override {
        RoadWorld::TearDown();
        buildings_.FreeAll();
        g_pLookupTables = nullptr;
    }

    // A level read replaces the fixture's own cities: they go first.
    void LeaveNoCity() {
        cities_.cities[0] = nullptr;
        for (int32_t x = 30; x <= 38; ++x) F(x, 30).set_stadtnum(0);
    }

    void PlaceDepot(int32_t x, int32_t y, int32_t orientation) {
        game_.state().selected_building_type = kTypeTruckDepot;
        game_.state().build_orientation = orientation;
        const int32_t number = buildings_.PlaceBuilding(x, y);
        ASSERT_GT(number, 0);
        F(x, y).set_geb_num(static_cast<uint32_t>(number));
        F(x, y).set_geb_typ(static_cast<uint32_t>(kTypeTruckDepot + orientation));
        F(x, y).set_building_flag(true);
        DepotRoad(x, y);
    }

    std::string WriteVehicles(const std::string& name) {
        return WriteWith(name, WriteVehicleRecords);
    }

    std::vector<int32_t> Numbers() const {
        std::vector<int32_t> out;
        for (CVehicle* v : Listed()) out.push_back(v->number);
        return out;
    }

    // Trucks spread over the roads, tunnel, bridge and crossing; two cars.
    void Populate(bool cars) {
        for (int i = 0; i < 4; ++i) {
            CTruck* down = new CTruck(45, 49, "A", i);
            SetSchedule(*down, {{45, 49}, {50, 71}});
            down->cargo_plan[0][0][0] = static_cast<uint8_t>(20 + i);
            Frames(150);
            CTruck* up = new CTruck(50, 71, "A", 9 - i);
            SetSchedule(*up, {{50, 71}, {45, 49}});
            Frames(90);
        }
        if (cars) new CCityCar(32, 30, "A", 0, 1);
        if (cars) new CCityCar(36, 30, "A", 0, 1);
        Frames(37);
    }

    // As the level reader: the grid and the way network back as saved, the
    // transient marks cleared, the vehicles read.
    bool Reload(const std::string& bytes) {
        std::vector<MapField> grid(game_.state().fields, game_.state().fields + kMapFieldCount);
        std::vector<WayNode> nodes(kWayNodeSlots);
        for (int32_t n = 1; n < kWayNodeSlots; ++n)
            nodes[n] = Net().Node(n) ? *Net().Node(n) : nodes[n];
        DeleteAllVehicles();
        g_MaxVehicleNumber = 0;
        std::memcpy(game_.state().fields, grid.data(), grid.size() * sizeof(MapField));
        for (int32_t n = 1; n < kWayNodeSlots; ++n) {
            if (Net().Node(n) != nullptr) *Net().Node(n) = nodes[n];
        }
        ClearTransientFieldBits();
        return ReadWith(bytes, ReadVehicleRecords);
    }

    CLookupTables tables_;
};

// One phase a frame southwards (rotation 0): the truck is hidden in the tunnel
// mouth at phase 8, shown at 14, drawn on the bridge once the phase exceeds 19
// and off it at 15 of the field after.
TEST_F(RecordTest, TruckDrawingStateChangesAtItsThresholdPhase) {
    VehicleModel& model = game_.state().vehicle_models[0];
    model.speed_b = model.speed_d = 1;
    CTruck* truck = new CTruck(45, 49, "A", 0);
    SetSchedule(*truck, {{45, 49}, {50, 71}});
    std::vector<std::pair<int32_t, int32_t>> changes;  // new layer, phase
    int32_t layer = truck->draw_layer;
    ASSERT_TRUE(FramesUntil(
        [&] {
            if (truck->draw_layer != layer)
                changes.emplace_back(layer = truck->draw_layer, truck->phase);
            return truck->pos_y == 70;
        },
        3000));
    EXPECT_EQ(changes,
              (std::vector<std::pair<int32_t, int32_t>>{{1, 8}, {0, 14}, {2, 20}, {0, 15}}));
}

// A read lists the vehicles in the reverse of the file's order: a second
// round trip gives the first file back byte for byte.
TEST_F(RecordTest, LoadListsTheVehiclesReversedWithTheMarksBack) {
    Populate(true);
    const std::vector<CVehicle*> before = Listed();
    ASSERT_EQ(before.size(), 10u);
    std::set<MarkKind> kinds;
    for (CVehicle* v : before) kinds.insert(v->mark.kind);
    EXPECT_EQ(kinds.size(), 4u);  // lane, tunnel, bridge and junction marks
    ASSERT_TRUE(MarksConsistent());
    const std::vector<int32_t> numbers = Numbers();
    const std::vector<MapField> marked(game_.state().fields, game_.state().fields + kMapFieldCount);
    const std::string first = WriteVehicles("first");

    ASSERT_TRUE(Reload(first));
    EXPECT_EQ(Numbers(), std::vector<int32_t>(numbers.rbegin(), numbers.rend()));
    for (CVehicle* v : Listed()) EXPECT_EQ(v->owner, v->vehicle_class == kVehicleCityCar);
    EXPECT_EQ(g_MaxVehicleNumber, 8);
    EXPECT_TRUE(MarksConsistent());
    for (int32_t i = 0; i < kMapFieldCount; ++i) {
        ASSERT_EQ(std::memcmp(marked[i].bytes, game_.state().fields[i].bytes, 12), 0)
            << "field " << i / 256 << "," << i % 256;
    }
    const std::string second = WriteVehicles("second");
    EXPECT_NE(second, first);
    ASSERT_TRUE(Reload(second));
    EXPECT_EQ(WriteVehicles("third"), first);
    Frames(500);  // the loaded vehicles drive on
}

// On the north-south bridge a truck heading south takes lane 1, one heading
// north lane 2.
TEST_F(RecordTest, BridgeLaneFollowsTheSideEntered) {
    CTruck* down = new CTruck(45, 49, "A", 0);
    SetSchedule(*down, {{45, 49}, {50, 71}});
    CTruck* up = new CTruck(50, 71, "A", 0);
    SetSchedule(*up, {{50, 71}, {45, 49}});
    std::set<std::pair<int32_t, int32_t>> seen;  // heading, lane on the span
    ASSERT_TRUE(FramesUntil(
        [&] {
            for (CTruck* t : {down, up}) {
                if (t->mark.kind == MarkKind::Bridge) seen.emplace(t->Heading(), t->lane);
            }
            return down->pos_y == 70 && up->pos_y < 60;
        },
        3000));
    EXPECT_EQ(seen, (std::set<std::pair<int32_t, int32_t>>{{kDirN, 2}, {kDirS, 1}}));
}

// A truck whose saved fields all differ, byte for byte: no two fields of the
// record may stand in each other's place.
TEST_F(RecordTest, TruckRecordIsTheKnownOne) {
    CTruck t{VehicleLoadOnly{}};
    int32_t k = 1;
    for (int32_t* f :
         {&t.spare_word,       &t.target_stop,      &t.replan_x,        &t.replan_y,
          &t.wagon_count,      &t.loading_state,    &t.running_flag,    &t.wait_counter,
          &t.vehicle_class,    &t.number,           &t.model,           &t.halted,
          &t.schedule_changed, &t.screen_box[0],    &t.screen_box[1],   &t.screen_box[2],
          &t.screen_box[3],    &t.screen_box_spare, &t.phase,           &t.stop_served,
          &t.stop_count,       &t.retry_count,      &t.running_cost,    &t.junction_node,
          &t.junction_exit,    &t.steps_per_frame,  &t.base_speed,      &t.accel_counter,
          &t.speed_limit,      &t.turned,           &t.arrival_counter, &t.in_tunnel,
          &t.on_bridge,        &t.draw_layer,       &t.amount_carried,  &t.product_carried,
          &t.way_kind}) {
        *f = k++ * 16777259;
    }
    for (int32_t i = 0; i < kScheduleStops; ++i) {
        t.halt_at_stop[i] = k++ * 16777259;
        t.wait_until_loaded[i] = k++ * 16777259;
    }
    std::tie(t.needs_route, t.state) = std::tuple(3, 2);
    uint8_t b = 0;
    for (uint8_t* f :
         {&t.pos_x, &t.pos_y, &t.drawn_x, &t.drawn_y, &t.next_direction, &t.direction,
          &t.prev_direction, &t.left_x, &t.left_y, &t.lane, &t.reversals, &t.spare_bytes[0],
          &t.spare_bytes[4], &t.movement_spare[0], &t.movement_spare[1], &t.movement_spare[2],
          &t.movement_spare[3], &t.movement_spare[4]}) {
        *f = ++b;
    }
    for (size_t i = 0; i < sizeof t.cargo_plan; ++i) (&t.cargo_plan[0][0][0])[i] = ++b;
    for (ScheduleStop& stop : t.schedule) {
        for (uint8_t* f : {&stop.x[0], &stop.x[3], &stop.spare_a, &stop.y[0], &stop.y[3]}) *f = ++b;
    }
    const std::string record = WriteWith("golden", [&](plat::FileHandle f) { t.Save(f); });
    ASSERT_EQ(record.size(), 473u + 4u);  // and an empty path
    EXPECT_EQ(fvtest::Fnv1a(record.data(), record.size()), 11452362836081906528u);
}

TEST_F(RecordTest, CarPlacedOnANodeFieldGetsItsJunctionMarkBack) {
    // A car placed heading east on the node at the street's west end.
    Finish(25, 25, 40, 35, true);
    ASSERT_TRUE(IsJunctionField(30, 30));
    plat::SetRandSourceForTests([] { return 0; });
    CCityCar* car = new CCityCar(30, 30, "A", 0, 1);
    plat::SetRandSourceForTests({});
    ASSERT_EQ(car->mark.kind, MarkKind::Junction);
    EXPECT_EQ(std::tuple(car->junction_exit, car->junction_node),
              std::tuple(1, F(30, 30).knotennummer()));
    ASSERT_TRUE(Reload(WriteVehicles("car")));
}

TEST_F(RecordTest, TruckSavedWhileWaitingForItsLaneWaitsAgain) {
    CTruck* first = new CTruck(45, 49, "A", 0);
    CTruck* second = new CTruck(45, 49, "A", 1);  // its lane on the depot is taken
    ASSERT_FALSE(second->HoldsMark());
    for (CTruck* t : {first, second}) SetSchedule(*t, {{45, 49}, {50, 71}});
    ASSERT_TRUE(Reload(WriteVehicles("waiting")));
    ASSERT_EQ(CountVehicles(), 2);
    EXPECT_NE(Listed()[0]->HoldsMark(), Listed()[1]->HoldsMark());
    for (int i = 0; i < 40; ++i) {
        Frames(50);
        ASSERT_TRUE(MarksConsistent()) << "frame " << i * 50;
    }
    for (CVehicle* v : Listed()) EXPECT_TRUE(v->HoldsMark());
}

TEST_F(RecordTest, DamagedRecordsEndTheRead) {
    new CTruck(45, 49, "A", 0);
    new CTruck(45, 49, "A", 1);  // waits for its lane: holds no mark
    const std::string good = WriteVehicles("good");
    ASSERT_TRUE(Reload(good));
    ASSERT_EQ(CountVehicles(), 2);
    // Offsets: the count, then per vehicle its class code and 477-byte record.
    const struct {
        uint32_t at;
        int32_t value;
        int32_t left;  // vehicles read before the damage
    } patches[] = {
        {485, 0, 1},     {485, 5, 1},  {485, 6, 1},
        {485, 7, 1},                                             // unknown class codes
        {485, 9, 1},     {485, -1, 1}, {4, kVehicleCityCar, 0},  // not the record's class
        {24, 7, 0},      {24, 1, 0},   {24, -1, 0},              // wagon counts
        {481, 65537, 0},                                         // a path past the map's size
        {12, 10, 0},                                             // a stop index no schedule has
    };
    for (const auto& patch : patches) {
        std::string bad = good;
        le::PutU32(reinterpret_cast<uint8_t*>(bad.data()) + patch.at,
                   static_cast<uint32_t>(patch.value));
        EXPECT_FALSE(Reload(bad)) << patch.at << ": " << patch.value;
        EXPECT_EQ(CountVehicles(), patch.left) << patch.at << ": " << patch.value;
    }
    // A file that ends inside a record; no count at all: no vehicles.
    EXPECT_FALSE(Reload(good.substr(0, good.size() - 3)));
    EXPECT_EQ(CountVehicles(), 1);
    EXPECT_TRUE(Reload(""));
    EXPECT_EQ(CountVehicles(), 0);
}

// Through the level file the vehicles come back byte for byte; a saved game
// whose vehicles name what does not exist is refused, the game unchanged.
using NothingLost = RecordTest;
TEST_F(NothingLost, VehiclesNamingWhatDoesNotExistAreRefused) {
    LeaveNoCity();
    Populate(false);
    const std::vector<int32_t> numbers = Numbers();
    const std::string first = WriteVehicles("first");
    const std::string good = Path("good.lvl");
    const std::string bad = Path("bad.lvl");
    ASSERT_TRUE(SaveGameFile(good));
    EXPECT_NE(folder_.Read("good.lvl").find(first), std::string::npos);
    ASSERT_EQ(LoadSavedGame(good), LevelLoadResult::Loaded);
    EXPECT_EQ(Numbers(), std::vector<int32_t>(numbers.rbegin(), numbers.rend()));
    EXPECT_TRUE(MarksConsistent());
    const struct {
        const char* damage;
        void (*apply)(CTruck& first, CTruck& second);
    } cases[] = {
        {"stop on a field without a building", [](CTruck& t, CTruck&) { t.schedule[1].x[0] = 5; }},
        {"stop on a road",
         [](CTruck& t, CTruck&) {
             t.schedule[0] = {{55, 255, 255, 255}, 0, {50, 255, 255, 255}, 0};
         }},
        {"model 9999", [](CTruck& t, CTruck&) { t.model = 9999; }},
        {"number -5", [](CTruck& t, CTruck&) { t.number = -5; }},
        {"two vehicles of one number", [](CTruck& t, CTruck& u) { u.number = t.number; }},
        {"way kind 99", [](CTruck& t, CTruck&) { t.way_kind = 99; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.damage);
        ASSERT_EQ(LoadSavedGame(good), LevelLoadResult::Loaded);
        const std::vector<CVehicle*> trucks = Listed();
        c.apply(dynamic_cast<CTruck&>(*trucks[1]), dynamic_cast<CTruck&>(*trucks[0]));
        ASSERT_TRUE(fvtest::WriteLevelUnchecked(bad));  // the saver would not write it
        ASSERT_EQ(LoadSavedGame(good), LevelLoadResult::Loaded);
        const std::string before = WriteVehicles("before");
        EXPECT_EQ(LoadSavedGame(bad), LevelLoadResult::Rejected);
        EXPECT_TRUE(WriteVehicles("after") == before);
    }
    Frames(600);
}

constexpr int32_t kOrigin = 60;  // the first grid point
constexpr int32_t kCity = 1;     // the links of the grid's north-west corner are its streets
constexpr int32_t kPoints = 6, kSpacing = 6;

class RoadGrid : public transporttest::RoadWorld {
  protected:
    // A grid with depots; a road east of it through a tunnel and over a bridge.
    void Build(uint32_t seed) {
        rng_.seed(seed);
        plat::Srand(seed);
        City(kCity, kOrigin - 2, kOrigin - 2);
        for (int32_t i = 0; i < kPoints; ++i) {
            for (int32_t j = 0; j < kPoints; ++j) {
                const bool ringRow = j == 0 || j == kPoints - 1;
                const bool ringCol = i == 0 || i == kPoints - 1;
                if (i + 1 < kPoints && (ringRow || Pick(100) < 60)) Segment(i, j, true);
                if (j + 1 < kPoints && (ringCol || Pick(100) < 60)) Segment(i, j, false);
            }
        }
        const int32_t y = P(1 + Pick(kPoints - 2)), x0 = P(kPoints - 1);
        Line(x0 + 1, y, x0 + 3, y);
        Tunnel(x0 + 4, y, x0 + 8, y);
        Line(x0 + 9, y, x0 + 11, y);
        Bridge(x0 + 12, y, x0 + 16, y);
        Line(x0 + 14, y - 6, x0 + 14, y + 6);  // under the bridge...
        Line(x0 + 9, y - 6, x0 + 13, y - 6);   // ...joined to the tunnel road
        Line(x0 + 9, y - 5, x0 + 9, y - 1);
        Line(x0 + 17, y, x0 + 20, y);
        AddDepot(x0 + 21, y, 3);
        AddDepot(x0 + 14, y - 7, 2);
        AddDepot(x0 + 14, y + 7, 0);
        for (int32_t k = 0; k < 8; ++k) PlaceDepot();
        Finish(kOrigin - 10, kOrigin - 10, P(kPoints) + 30, P(kPoints) + 10, true);
    }

    int32_t Pick(int32_t n) { return static_cast<int32_t>(rng_() % static_cast<uint32_t>(n)); }
    static int32_t P(int32_t i) { return kOrigin + kSpacing * i; }

    // The link from crossing (i, j) east or south.
    void Segment(int32_t i, int32_t j, bool east) {
        const int32_t x = P(i), y = P(j);
        const int32_t x2 = x + (east ? kSpacing : 0), y2 = y + (east ? 0 : kSpacing);
        if (P(2) >= x2 && P(2) >= y2) return Street(x, y, x2, y2, kCity);
        Line(x, y, x2, y2, Pick(3) == 0 ? kWayAsphaltRoad : kWayGravelRoad);
    }

    void AddDepot(int32_t x, int32_t y, int32_t type) {
        spots_.emplace_back(x, y);
        transporttest::TestTerminal& depot = Depot(x, y, type, static_cast<int32_t>(spots_.size()));
        for (int32_t p = 20; p < 24; ++p) depot.stock[p] = 1000;
    }

    // A depot facing a straight road (no street), nothing else beside it.
    void PlaceDepot() {
        const auto clear = [&](int32_t x, int32_t y) {
            return F(x, y).wegtyp() == 0 && !F(x, y).tunnel() && !F(x, y).bridge_flag();
        };
        for (;;) {
            const int32_t i = Pick(kPoints - 1), j = Pick(kPoints);
            const int32_t along = 2 + Pick(kSpacing - 3);
            const bool horizontal = Pick(2) == 0;
            const int32_t side = Pick(2) == 0 ? -1 : 1;
            const int32_t rx = horizontal ? P(i) + along : P(j),
                          ry = horizontal ? P(j) : P(i) + along;
            const int32_t x = horizontal ? rx : rx + side, y = horizontal ? ry + side : ry;
            const MapField& road = F(rx, ry);
            bool free = road.wegtyp() != 0 && road.wegtyp() != kWayCityStreet && !road.tunnel() &&
                        !road.bridge_flag() && clear(x, y);
            for (int32_t d = 0; d < 4; ++d) {
                const int32_t nx = x + DirDx(d), ny = y + DirDy(d);
                free = free && ((nx == rx && ny == ry) || clear(nx, ny));
            }
            if (!free) continue;
            AddDepot(x, y, horizontal ? (side < 0 ? 2 : 0) : (side < 0 ? 1 : 3));
            return;
        }
    }

    // A random truck with 2..4 stops, each loading one of 20..23 or none.
    void NewTruck() {
        const int32_t n = static_cast<int32_t>(spots_.size());
        int32_t k = Pick(n);
        CTruck* truck = new CTruck(spots_[k].first, spots_[k].second, "A", Pick(10));
        std::vector<std::pair<int32_t, int32_t>> stops{spots_[k]};
        const int32_t count = 2 + Pick(3);
        for (int32_t s = 1; s < count; ++s) {
            do {
                k = (k + 1 + Pick(n - 1)) % n;
            } while (s == count - 1 && spots_[k] == stops.front());
            stops.push_back(spots_[k]);
        }
        SetSchedule(*truck, stops);
        for (int32_t s = 0; s < count; ++s) {
            truck->cargo_plan[s][0][0] = static_cast<uint8_t>(Pick(4) == 0 ? 255 : 20 + Pick(4));
        }
        truck->owner = Pick(4);
    }

    // The cities' traffic rule: a car on a free street field, up to `wanted`.
    void SpawnCityCar(int32_t wanted) {
        CCity* city = cities_.City(kCity);
        if (city->car_count >= wanted) return;
        int32_t x = -1, y = -1;
        city->FindStreetField(x, y);
        if (x < 0) return;
        new CCityCar(x, y, "A", 0, kCity);
        city->car_count += 1;
    }

    int32_t Delivered() const {
        int32_t puts = 0;
        for (const auto& terminal : terminals_) puts += terminal->puts;
        return puts;
    }

    std::mt19937 rng_;
    std::vector<std::pair<int32_t, int32_t>> spots_;
};

class RoadOccupancyProperty : public RoadGrid, public ::testing::WithParamInterface<uint32_t> {};

// Schedules change and trucks are scrapped on the way.
TEST_P(RoadOccupancyProperty, EveryMarkIsHeldByOneVehicleAndReleasedOnce) {
    Build(GetParam());
    bool seen[5] = {};
    for (int32_t frame = 0; frame < 4000; ++frame) {
        std::vector<CVehicle*> trucks = Listed(kVehicleTruck);
        if (trucks.size() < 40 && frame % 10 == 0) NewTruck();
        if (frame % 7 == 0) SpawnCityCar(25);
        const int32_t n = static_cast<int32_t>(trucks.size());
        if (n > 0 && frame % 97 == 0) trucks[Pick(n)]->schedule_changed = 1;
        if (n > 0 && frame % 211 == 0) trucks[Pick(n)]->removal_flag = 1;
        Frames(1);
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            seen[static_cast<int>(n->vehicle->mark.kind)] = true;
        }
        ASSERT_TRUE(frame % 5 != 0 || MarksConsistent()) << "frame " << frame;
    }
    EXPECT_GT(CountVehicles(), 20);
    for (MarkKind kind : {MarkKind::Lane, MarkKind::Junction, MarkKind::Tunnel, MarkKind::Bridge}) {
        EXPECT_TRUE(seen[static_cast<int>(kind)]) << static_cast<int>(kind);
    }
    EXPECT_GT(Delivered(), 20);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RoadOccupancyProperty, ::testing::Values(1u, 2u, 3u));

}  // namespace
