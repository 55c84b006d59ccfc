// Trains: the goods exchange, wagons, steps, the record, dead ends, links,
// loops, meetings, tunnels and bridges, and random single-track networks.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "app/app_globals.h"
#include "platform/file.h"
#include "platform/random.h"
#include "state/le_io.h"
#include "support/fnv_hash.h"
#include "transport/vehicle_level.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_services.h"
#include "transport/wagon.h"
#include "transport_world.h"

namespace {

using transporttest::TestStation;

// Stations A (x 20..23) and B (x 40..43) on y = 50 joined by track.
class TwoStations : public transporttest::RailWorld {
  protected:
    void SetUp() override {
        a = &Station(6, 20, 51, 1, 1);
        b = &Station(6, 40, 51, 1, 2);
        RailLine(24, 50, 39, 50);
        Finish();
    }
    CTrain* NewTrain(int32_t model = 10) {
        t = Train(20, 50, model);
        SetSchedule(*t, {a, b});
        return t;
    }
    // The train put by hand on the east end of stop s: unload, then load.
    int32_t ExchangeAt(int32_t s) {
        const int32_t x = s == 0 ? 23 : 43;
        t->held.ReleaseAllFields();
        t->pos_x = t->left_x = t->drawn_x = static_cast<uint8_t>(x);
        t->held.MarkField(x, 50);
        t->AlignWagons();
        t->target_stop = s;
        t->UnloadGoods();
        t->stop_served = s;
        return t->LoadGoods();
    }
    void Plan(int32_t s, int32_t k, int32_t product) {
        t->cargo_plan[s][k][0] = static_cast<uint8_t>(product);
    }
    // Train 13 under way from A to B with three wagons and a path; false
    // when it does not get there.
    bool TrainUnderWay() {
        for (int32_t p = 1; p <= 3; ++p) a->stock[p] = 50;
        NewTrain(13);
        for (int32_t k = 0; k < 3; ++k) Plan(0, k, k + 1);
        t->wait_until_loaded[1] = 1;
        t->halt_at_stop[0] = 1;
        return FramesUntil([&] { return t->pos_x >= 30 && t->phase == 20; }, 3000);
    }
    TestStation* a = nullptr;
    TestStation* b = nullptr;
    CTrain* t = nullptr;
};

// Wagons are made up by the cargo plan, share units from the first, and are
// unloaded and dropped where their column plans nothing or another product.
TEST_F(TwoStations, WagonsAreMadeUpLoadedAndDroppedByTheCargoPlan) {
    struct Wagon {
        int32_t key;
        int32_t amount;
    };
    const struct {
        const char* what;
        std::vector<std::pair<int32_t, int32_t>> plan_a, plan_b;  // column, product
        int32_t stock_a, stock_b;  // of the first product planned at A and at B
        std::vector<Wagon> after_a, after_b;
        int32_t put_at_b;  // units of A's product at B in the end
    } cases[] = {
        {"column planned at A only", {{1, 3}}, {}, 5, 0, {{3, 1}}, {}, 1},
        {"product changing in a column", {{2, 5}}, {{2, 7}}, 1, 1, {{5, 1}}, {{7, 1}}, 1},
        {"units shared", {{0, 4}, {1, 4}, {2, 4}}, {}, 2, 0, {{4, 1}, {4, 1}, {4, 0}}, {}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteAllVehicles();
        NewTrain();
        for (const auto& [k, product] : c.plan_a) Plan(0, k, product);
        for (const auto& [k, product] : c.plan_b) Plan(1, k, product);
        const int32_t product_a = c.plan_a.front().second;
        a->stock[product_a] = c.stock_a;
        if (!c.plan_b.empty()) b->stock[c.plan_b.front().second] = c.stock_b;
        b->stock[product_a] = 0;
        for (int32_t s = 0; s < 2; ++s) {
            EXPECT_EQ(ExchangeAt(s), 1);
            const std::vector<Wagon>& expected = s == 0 ? c.after_a : c.after_b;
            ASSERT_EQ(t->wagon_count, static_cast<int32_t>(expected.size())) << s;
            for (size_t i = 0; i < expected.size(); ++i) {
                EXPECT_EQ(std::tuple(t->wagons[i]->cargo_key, t->wagons[i]->amount),
                          std::tuple(expected[i].key, expected[i].amount))
                    << s << i;
            }
        }
        EXPECT_EQ(b->stock[product_a], c.put_at_b);
    }
    EXPECT_GE(b->refreshes, 2);
}

TEST_F(TwoStations, WaitUntilLoadedKeepsTheTrainUntilGoodsArrive) {
    NewTrain();
    Plan(0, 0, 6);
    t->wait_until_loaded[0] = 1;
    // The train's first frame plans its route and asks the station.
    Frames(1);
    EXPECT_EQ(std::tuple(t->loading_state, t->wait_counter, a->takes), std::tuple(1, 256, 1));
    Frames(256);
    EXPECT_EQ(a->takes, 1);
    Frames(1);
    EXPECT_EQ(std::tuple(t->loading_state, a->takes), std::tuple(1, 2));
    a->stock[6] = 1;
    Frames(257);
    EXPECT_EQ(std::tuple(t->loading_state, t->wait_counter, t->wagons[0]->amount),
              std::tuple(0, 32, 1));
}

TEST_F(TwoStations, NoStopsNeitherLoadNorUnload) {
    NewTrain();
    Plan(0, 0, 3);
    t->AddWagon("A", 3, 0);
    t->wagons[0]->amount = 1;
    t->stop_count = 0;
    t->target_stop = 0;
    t->UnloadGoods();
    t->stop_served = 0;
    EXPECT_EQ(t->LoadGoods(), 1);
    EXPECT_EQ(std::tuple(t->wagon_count, a->puts + a->takes, g_pVehicleAtTerminal),
              std::tuple(1, 0, nullptr));
}

TEST_F(TwoStations, OpponentsTrainIsAtTheTerminalOnlyWhileItUnloadsAndAHaltHolds) {
    NewTrain();
    Plan(0, 0, 3);
    // The opponent's train is named to the terminal, the player's never.
    for (const int32_t owner : {2, 0}) {
        a->stock[3] = 1;
        t->owner = owner;
        ExchangeAt(0);
        ExchangeAt(1);
        EXPECT_EQ(b->at_terminal_during_put.back(), owner == 0 ? nullptr : t);
        EXPECT_EQ(g_pVehicleAtTerminal, nullptr);
    }
    EXPECT_EQ(b->at_terminal_during_put.size(), 2u);
    // Told to halt at B, the train stays there: the exchange reports nothing.
    t->halt_at_stop[1] = 1;
    ExchangeAt(0);
    EXPECT_EQ(t->halted, 0);
    EXPECT_EQ(ExchangeAt(1), 0);
    EXPECT_EQ(t->halted, 1);
    EXPECT_EQ(ExchangeAt(0), 0);
}

TEST_F(TwoStations, RouteBackJumpsTheEngineToThePlatformsOtherEnd) {
    NewTrain();
    a->stock[3] = 10;
    // Product 3 planned at both stops stays on board for ever.
    for (int32_t k = 0; k < 2; ++k) {
        Plan(0, k, 3);
        Plan(1, k, 3);
        t->AddWagon("A", 3, k);
        t->wagons[k]->amount = 1;
    }
    const int64_t cash = game_.state().cash[0];
    Frames(1);
    ASSERT_EQ(t->stop_served, 0);
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 1; }, 3000));
    EXPECT_LT(game_.state().cash[0], cash);  // running costs booked on arrival
    // Arrived at B's east end, the train turned: engine at the west end.
    ASSERT_EQ(t->wagon_count, 2);
    EXPECT_EQ(std::tuple(t->pos_x, t->Heading(), t->turned, t->wagons[0]->x, t->wagons[1]->x,
                         t->wagons[0]->direction >> 4, F(43, 50).belegt()),
              std::tuple(40, kDirW, 1, 41, 41, kDirW, 0u));
    EXPECT_TRUE(Consistent());
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 0; }, 3000));
    EXPECT_EQ(std::tuple(t->pos_x, t->Heading(), t->wagon_count,
                         t->wagons[0]->amount + t->wagons[1]->amount, a->stock[3],
                         b->puts + b->takes + a->puts + a->takes),
              std::tuple(23, kDirE, 2, 2, 10, 0));
    // Without wagons the engine covers only the end it jumps to: on the field
    // behind it the train standing there is found, not this one.
    DeleteAllVehicles();
    CTrain* other = Train(21, 50);
    NewTrain();  // at the platform's east end, facing east
    t->TurnAround();
    EXPECT_EQ(std::tuple(t->pos_x, t->Heading(), FindVehicleAtField(21, 50)),
              std::tuple(20, kDirW, other));
}

TEST_F(TwoStations, WagonsStandInSlotOrderMoveUpWhenRemovedAndAreAtMostSix) {
    NewTrain();
    t->AddWagon("A", 5, 0);
    t->AddWagon("A", 6, 1);
    t->AddWagon("A", 8, 3);
    t->AddWagon("A", 7, 2);
    // The second pair two fields behind.
    EXPECT_EQ(std::tuple(t->FindWagon(7, 2), t->FindWagon(7, 1), t->wagons[3]->x),
              std::tuple(2, -1, 21));
    EXPECT_TRUE(Consistent());
    t->RemoveWagon(0);
    t->RemoveWagon(0);
    ASSERT_EQ(t->wagon_count, 2);
    EXPECT_EQ(
        std::tuple(t->wagons[0]->cargo_key, t->wagons[1]->x, t->wagons[2], F(21, 50).belegt()),
        std::tuple(7, 22, nullptr, 0u));
    EXPECT_TRUE(Consistent());
    for (int32_t k = 2; k < 7; ++k) t->AddWagon("A", k, k < 6 ? k : 5);
    EXPECT_EQ(std::tuple(t->wagon_count, t->FindWagon(6, 5)), std::tuple(6, -1));
}

TEST_F(TwoStations, WagonsNeverLeaveTheMap) {
    NewTrain();
    check_at_end_ = false;
    // An engine near the west edge heading east (set by hand).
    t->held.ReleaseAllFields();
    t->pos_x = t->left_x = 1;
    for (int32_t i = 0; i < 6; ++i) t->AddWagon("A", i + 1, i);
    EXPECT_EQ(std::tuple(t->wagon_count, t->wagons[0]->x, t->wagons[2]->x, t->wagons[5]->x),
              std::tuple(6, 0, 0, 0));
    t->AlignWagons();
    EXPECT_EQ(t->wagons[0]->prev_x, 0);
}

TEST_F(TwoStations, FourStepsPerFramePassAFieldMiddleOnce) {
    game_.state().vehicle_models[14].speed_a = 4;
    NewTrain(14);
    t->needs_route = 0;
    t->loading_state = 0;
    t->base_speed = 4;
    t->accel_counter = 80;
    Frames(1);
    // 15 -> 19: the middle at 16 was passed once and the engine moved on.
    EXPECT_EQ(std::tuple(t->phase, t->pos_x), std::tuple(19, 24));
    Frames(4);
    EXPECT_EQ(std::tuple(t->phase, t->drawn_x), std::tuple(3, 24));
    Frames(4);
    EXPECT_EQ(t->pos_x, 25);
}

// Trains round-trip byte for byte with their marks; the link flags kept by
// the way network's record are taken over at once by the trains loaded.
TEST_F(TwoStations, TrainsRoundTripByteForByteAndTakeOverTheReservations) {
    ASSERT_TRUE(TrainUnderWay());
    ASSERT_EQ(t->wagon_count, 3);
    CTrain* second = Train(43, 50, 11);
    SetSchedule(*second, {b, a});
    Frames(7);
    // The vehicle record, three 109-byte wagons and the path.
    const std::string one = WriteWith("train", [&](plat::FileHandle f) { t->Save(f); });
    EXPECT_EQ(one.size(), 473u + 3u * kWagonRecordSize + 4u + 8u * t->path.Count());
    const int32_t engineX = t->pos_x, wagonX = t->wagons[2]->x;
    ASSERT_GT(FlagCount(), 0);
    const std::string part = SaveAndLoadVehicles();
    ASSERT_EQ(CountVehicles(), 2);
    EXPECT_EQ(std::tuple(F(engineX, 50).belegt(), F(wagonX, 50).belegt()), std::tuple(3u, 3u));
    // Read back in the reverse order: t (class code and record) now comes first.
    const size_t last = 4 + one.size();
    EXPECT_EQ(WriteWith("again", WriteVehicleRecords), part.substr(0, 4) +
                                                           part.substr(part.size() - last) +
                                                           part.substr(4, part.size() - 4 - last));
    EXPECT_TRUE(Consistent());
    Frames(3000);
}

// Loaded while the first train heads back to A on the link it holds and the
// second stands on B's platform, whose link it holds: each keeps its link,
// and the flag of A's platform link, which no train's position or record
// implies, is cleared.
TEST_F(TwoStations, LoadedTrainsHoldingReservationsLeaveNoFlagUnheld) {
    ASSERT_TRUE(TrainUnderWay());
    CTrain* second = Train(43, 50, 11);
    SetSchedule(*second, {b, a});
    Frames(200);
    ASSERT_TRUE(Consistent());
    ASSERT_GT(FlagCount(), 0);
    Net().SetLinkFlag(F(20, 50).knotennummer(), kDirE);
    SaveAndLoadVehicles();
    EXPECT_TRUE(Consistent());
}

// A train without wagons on its target platform keeps the link it came
// along until it arrives, also over a load.
TEST_F(TwoStations, LoadedTrainOnItsPlatformKeepsTheLinkItCameAlong) {
    NewTrain();
    ASSERT_TRUE(FramesUntil([&] { return t->pos_x == 42; }, 3000));
    ASSERT_EQ(t->junction_node, F(40, 50).knotennummer());
    SaveAndLoadVehicles();
}

TEST_F(TwoStations, RecordOfAnotherKindIsNoTrain) {
    CTrain* t = Train(20, 50, 10);
    t->way_kind = kWayGravelRoad;
    const std::string bytes = WriteWith("train", [&](plat::FileHandle f) { t->Save(f); });
    t->way_kind = kWayRail;
    const std::string good = WriteWith("good", [&](plat::FileHandle f) { t->Save(f); });
    // That record, and a train's record cut short.
    for (const std::string& bad : {bytes, good.substr(0, good.size() - 3)}) {
        CTrain loaded{VehicleLoadOnly{}};
        EXPECT_FALSE(ReadWith(bad, [&](plat::FileHandle f) { return loaded.Load(f); }));
        EXPECT_EQ(loaded.wagon_count, 0);
    }
}

// Station A with `rows` rows (y 50, 49), B when asked for.
class RailWorld : public transporttest::RailWorld {
  protected:
    void Stations(int32_t rows, bool withB) {
        a = &Station(6, 20, 51, rows, 1);
        if (withB) b = &Station(6, 40, 51, 1, 2);
    }
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

// Before a dead-end node the train turns where it stands, and arrives back.
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
    EXPECT_EQ(std::tuple(easternmost, t->Heading()), std::tuple(29, kDirW));
    ASSERT_TRUE(FramesUntil([&] { return t->reversals == 0 && t->loading_state == 1; }, 2000));
    EXPECT_EQ(t->pos_x, 20);
}

// The field ahead has no track: 32 frames at phase 15 on the last field,
// again and again until the track is laid on.
TEST_F(RailWorld, TrainWaitsAtATrackEndUntilTheTrackGoesOn) {
    Stations(1, false);
    RailLine(24, 50, 30, 50);
    Finish(false);
    CTrain* t = Runaway();
    ASSERT_TRUE(FramesUntil([&] { return t->wait_counter > 0; }, 2000));
    EXPECT_EQ(std::tuple(t->pos_x, t->phase, t->wait_counter), std::tuple(30, 15, 32));
    Frames(33 * 5);
    EXPECT_EQ(std::tuple(t->pos_x, t->phase, t->reversals, t->Heading()),
              std::tuple(30, 15, 0, kDirE));
}

// Before a platform of its stop whose track was taken up, or whose link
// another train holds, the train waits again and again and counts no field;
// on the platform's first field it counts that one alone.
TEST_F(RailWorld, TrainBeforeAPlatformItCannotEnterCountsNone) {
    Stations(1, true);
    RailLine(24, 50, 39, 50);
    Finish();
    // A train on the platform's far end holding the link on from its first field.
    const auto park = [&] {
        CTrain* parked = Train(43, 50);
        parked->held.ReleaseAllFields();
        parked->held.ReleaseAllLinks();
        parked->pos_x = parked->left_x = parked->drawn_x = 43;
        parked->held.MarkField(43, 50);
        parked->running_flag = 0;
        return parked->held.ReserveLink(F(40, 50).knotennummer(), kDirIndexE);
    };
    for (bool trackGone : {true, false}) {
        DeleteAllVehicles();
        F(40, 50).set_wegtyp(trackGone ? 0 : kWayRail);
        if (!trackGone) {
            ASSERT_TRUE(park());
        }
        CTrain* t = FromA(0);
        ASSERT_TRUE(FramesUntil([&] { return t->pos_x == 39 && t->wait_counter > 0; }, 3000));
        EXPECT_FALSE(FramesUntil([&] { return t->arrival_counter != 0 || t->pos_x != 39; }, 170))
            << trackGone;
    }
    // On the platform's first field, a node, waiting for the held link on it
    // counts that field alone.
    DeleteAllVehicles();
    ASSERT_TRUE(park());
    CTrain* t = Runaway();
    SetSchedule(*t, {a, b});
    std::tie(t->stop_served, t->target_stop, t->arrival_counter) = std::tuple(0, 1, 1);
    t->held.ReleaseAllFields();
    t->pos_x = t->left_x = t->drawn_x = 40;
    t->direction = t->next_direction = t->prev_direction = (kDirE << 4) | kDirW;
    t->held.MarkField(40, 50);
    EXPECT_FALSE(FramesUntil([&] { return t->arrival_counter != 1 || t->pos_x != 40; }, 170));
}

// At the end of a platform the train waits once, then turns back.
TEST_F(RailWorld, TrainAtAPlatformsEndTurnsBackAfterOneWait) {
    Stations(1, false);
    RailLine(24, 50, 30, 50);
    Finish();
    CTrain* t = Runaway();
    t->direction = t->next_direction = t->prev_direction = (kDirW << 4) | kDirE;
    ASSERT_TRUE(FramesUntil([&] { return t->wait_counter > 0; }, 100));
    EXPECT_EQ(std::tuple(t->pos_x, t->reversals), std::tuple(20, 0));
    Frames(33);
    EXPECT_EQ(std::tuple(t->pos_x, t->reversals, t->Heading()), std::tuple(20, 1, kDirE));
}

// On a single line the second train waits at the node until the first
// train's last wagon is on B's platform.
TEST_F(RailWorld, FollowerWaitsAtTheNodeUntilTheLinkIsFree) {
    Stations(2, true);
    Rail(24, 49);
    RailLine(24, 50, 39, 50);
    Finish();
    a->stock[1] = a->stock[2] = 100;
    CTrain* first = FromA(0);
    CTrain* second = FromA(1);
    bool waited = false, entered = false;
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

// With a loop's straight track held, the next train takes the loop at once.
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

// The way on from the node at the spur is held and the spur is a dead end:
// the search again from the node leads back to B, and the train turns.
TEST_F(RailWorld, OnlyWayOnLeadingBackTurnsTheTrainAtTheNode) {
    Stations(1, true);
    RailLine(24, 50, 39, 50);
    RailLine(30, 51, 30, 53);
    Finish();
    const int32_t node = F(30, 50).knotennummer();
    CTrain* parked = Train(43, 50);
    parked->held.ReleaseAllLinks();
    ASSERT_TRUE(parked->held.ReserveLink(node, kDirIndexW));
    parked->running_flag = 0;
    CTrain* t = Runaway();
    SetSchedule(*t, {a, b});
    t->stop_served = 0;
    t->target_stop = 1;
    t->held.ReleaseAllFields();
    t->pos_x = t->left_x = t->drawn_x = 34;
    t->direction = t->next_direction = t->prev_direction = (kDirW << 4) | kDirE;
    t->held.MarkField(34, 50);
    // Put by hand in a link it does not hold, so that the search finds the
    // way back free: a running train holds that link and waits instead.
    check_at_end_ = false;
    t->path.PushFront(node, kDirIndexW);
    ASSERT_TRUE(FramesUntil([&] { return t->reversals > 0 || t->wait_counter > 0; }, 500));
    EXPECT_EQ(std::tuple(t->pos_x, t->reversals, t->Heading()), std::tuple(31, 1, kDirE));
}

// Speed doubles after 8, 24, 48 and 80 sub-steps up to the limit; climbing a
// slope (not on a portal) the train runs at the model's grade speed.
TEST_F(RailWorld, SpeedDoublesAtItsThresholdsAndClimbsAtTheGradeSpeed) {
    Stations(1, false);
    Finish();
    game_.state().vehicle_models[10].speed_b = 3;
    CTrain* t = Runaway();
    t->speed_limit = 12;
    std::vector<std::pair<int32_t, int32_t>> changes;  // sub-step, new speed
    for (int32_t step = 1; step <= 100; ++step) {
        const int32_t before = t->steps_per_frame;
        t->UpdateSpeed();
        if (t->steps_per_frame != before) changes.emplace_back(step, t->steps_per_frame);
    }
    EXPECT_EQ(changes,
              (std::vector<std::pair<int32_t, int32_t>>{{8, 2}, {24, 4}, {48, 8}, {80, 12}}));
    MapField& here = F(t->pos_x, t->pos_y);
    std::vector<int32_t> speeds;
    for (auto [piece, portal] : {std::pair{14, false}, {12, false}, {14, true}}) {
        here.set_wegteil(static_cast<uint32_t>(piece));
        here.set_tportal(portal);
        t->UpdateSpeed();
        speeds.push_back(t->steps_per_frame);
    }
    here.set_tportal(false);
    here.set_wegteil(2);
    EXPECT_EQ(speeds, (std::vector<int32_t>{3, 12, 12}));
}

// Lined up, even wagons stand at phase 15 and odd ones at 31 of their field,
// each pair one field further back, coming from the field behind.
TEST_F(RailWorld, AlignedWagonsStandAtTheirPhases) {
    Stations(1, false);
    Finish();
    CTrain* t = Train(23, 50);
    for (int32_t k = 0; k < 3; ++k) t->AddWagon("A", k + 1, k);
    t->AlignWagons();
    std::vector<std::tuple<int32_t, int32_t, int32_t>> units;  // fields behind, phase, previous
    for (int32_t i = 0; i < 3; ++i) {
        const CWagon& w = *t->wagons[i];
        units.emplace_back(std::abs(w.x - t->pos_x), w.phase, std::abs(w.prev_x - t->pos_x));
    }
    EXPECT_EQ(units, (std::vector<std::tuple<int32_t, int32_t, int32_t>>{
                         {1, 15, 2}, {1, 31, 2}, {2, 15, 3}}));
}

// Turned where it stands on the platform of the stop it serves, the train
// counts the engine and the even wagons there and serves that stop again.
TEST_F(RailWorld, ReversalOnTheServedPlatformCountsItsFields) {
    Stations(1, true);
    RailLine(24, 50, 39, 50);
    Finish();
    CTrain* t = FromA(0);
    t->held.ReleaseAllFields();
    t->pos_x = t->left_x = t->drawn_x = 24;
    t->held.MarkField(24, 50);
    for (int32_t k = 0; k < 4; ++k) t->AddWagon("A", k + 1, k);
    t->stop_served = 0;
    t->target_stop = 1;
    t->Reverse();
    // Engine on 22, wagons 0 and 1 on 23, 2 and 3 on 24.
    EXPECT_EQ(std::tuple(t->pos_x, t->arrival_counter, t->target_stop), std::tuple(22, 2, 0));
}

// Entering a platform of another station counts on only while the schedule
// has changed and counting has begun.
TEST_F(RailWorld, OtherStationsPlatformCountsOnOnlyWhileTheScheduleChanged) {
    Stations(1, true);
    RailLine(24, 50, 39, 50);
    Finish();
    std::vector<int32_t> counts;
    CTrain* t = Runaway();
    SetSchedule(*t, {b, b});
    for (auto [changed, count] : {std::pair{1, 1}, {1, 0}, {0, 1}}) {
        t->held.ReleaseAllFields();
        t->pos_x = t->left_x = t->drawn_x = 21;
        t->held.MarkField(21, 50);
        t->path.PushFront(F(23, 50).knotennummer(), kDirIndexE);
        t->stop_served = t->target_stop = 1;
        t->schedule_changed = changed;
        t->arrival_counter = count;
        t->Drive();
        counts.push_back(t->arrival_counter);
    }
    EXPECT_EQ(counts, (std::vector<int32_t>{2, 0, 0}));
}

// A train with wagons under way keeps every field of its record and of its
// wagons' records in its place.
TEST_F(RailWorld, TrainRecordWithWagonsKeepsItsGoldenHash) {
    Stations(1, true);
    RailLine(24, 50, 39, 50);
    Finish();
    a->stock[1] = a->stock[2] = 100;
    CTrain* t = FromA(0);
    t->cargo_plan[0][1][0] = 2;
    t->wait_until_loaded[1] = 1;
    ASSERT_TRUE(FramesUntil([&] { return t->pos_x >= 30 && t->phase == 20; }, 3000));
    ASSERT_EQ(t->wagon_count, 2);
    // Small fields told apart (a wagon's bridge flag and drawing state among
    // them), so that no two of them may change places.
    std::tie(t->lane, t->reversals, t->turned, t->halted, t->retry_count) =
        std::tuple(1, 2, 3, 4, 5);
    std::tie(t->wagons[1]->on_bridge, t->wagons[1]->hidden) = std::tuple(1, 2);
    const std::string bytes = WriteWith("train", [&](plat::FileHandle f) { t->Save(f); });
    std::tie(t->wagons[1]->on_bridge, t->wagons[1]->hidden) = std::tuple(0, 0);
    ASSERT_EQ(bytes.size(), 473u + 2u * kWagonRecordSize + 4u + 8u * t->path.Count());
    EXPECT_EQ(fvtest::Fnv1a(bytes.data(), bytes.size()), 14432753810685480931u);
}

// Waiting for goods on B's far end, a train whose orders now lead back west
// turns and leaves; a train from beyond that end then reaches B.
TEST_F(RailWorld, TrainTurningOnItsPlatformFreesTheLinkBeyondTheEndItLeft) {
    Stations(1, true);
    TestStation* c = &Station(6, 60, 51, 1, 3);
    RailLine(24, 50, 39, 50);
    RailLine(44, 50, 59, 50);
    Finish();
    CTrain* waiting = Train(43, 50);
    SetSchedule(*waiting, {b, c});
    waiting->cargo_plan[0][0][0] = 1;
    waiting->wait_until_loaded[0] = 1;
    CTrain* beyond = Train(63, 50);
    SetSchedule(*beyond, {c, b});
    Frames(500);
    ASSERT_TRUE(waiting->held.HoldsLink(F(43, 50).knotennummer(), kDirIndexE));
    SetSchedule(*waiting, {a, c});
    EXPECT_TRUE(FramesUntil([&] { return beyond->stop_served == 1; }, 3000));
}

// A train jumping along its platform from the end it came in by gives up
// the link it came along once no unit of it stands there: at once with the
// wagon it takes along; without wagons, once the engine that stood on the
// platform's first node, leaving the field before it, has jumped away. A
// junction at x = 39 makes that link one without a field between its nodes.
TEST_F(RailWorld, TrainJumpingAlongItsPlatformGivesUpTheLinkItCameAlong) {
    for (const bool wagon : {true, false}) {
        Stations(1, true);
        RailLine(24, 50, 39, 50);
        RailLine(39, 51, 39, 53);
        Finish(true);
        CTrain* t = Train(40, 50);
        t->running_flag = 0;
        t->direction = t->next_direction = t->prev_direction = (kDirE << 4) | kDirW;
        const int32_t node = F(40, 50).knotennummer();
        if (wagon) {
            t->AddWagon("A", 1, 0);
            t->TurnAround();
        } else {
            t->left_x = 39;
            t->held.MarkField(39, 50);
            ASSERT_TRUE(t->held.ReserveLink(node, kDirIndexW));
            std::tie(t->junction_node, t->junction_exit) = std::tuple(node, kDirW);
            SetSchedule(*t, {b, a});
            t->target_stop = 0;
            t->PlanRoute();
            Frames(1);
        }
        // The platform's own link it keeps: it stands in it, or without
        // wagons on its far node, until it has left that node.
        EXPECT_EQ(std::tuple(t->pos_x, t->held.HoldsLink(node, kDirIndexW),
                             t->held.HoldsLink(node, kDirIndexE)),
                  std::tuple(uint8_t{43}, false, true))
            << wagon;
        DeleteAllVehicles();
    }
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
    // Puts a wagonless train by hand on (x, 50), heading `heading`, waiting
    // at phase 15.
    static void Put(CTrain* train, int32_t x, uint8_t heading) {
        train->held.ReleaseAllFields();
        train->pos_x = train->left_x = train->drawn_x = static_cast<uint8_t>(x);
        train->direction = static_cast<uint8_t>((heading << 4) | OppositeDirBits(heading));
        train->next_direction = train->prev_direction = train->direction;
        train->phase = 15;
        train->lane = 1;
        train->held.MarkField(x, 50);
    }
};

// Both turn in the same frame, each in front of the junction.
TEST_F(MeetingTest, TrainsMeetingNoseToNoseBothTurnBack) {
    CTrain* east = Train(20, 50);
    SetSchedule(*east, {a, b});
    CTrain* west = Train(43, 50);
    SetSchedule(*west, {b, a});
    ASSERT_TRUE(FramesUntil([&] { return east->reversals + west->reversals > 0; }, 3000));
    EXPECT_EQ(std::tuple(east->reversals, west->reversals, east->Heading(), west->Heading()),
              std::tuple(1, 1, kDirW, kDirE));
    EXPECT_LT(east->pos_x, 31);
    EXPECT_GT(west->pos_x, 31);
}

// The trains are put by hand nose to nose in one link, which running
// trains never come to: the rows check the head-on test alone.
TEST_F(MeetingTest, HeadOnTestLooksOnlyAtTheFieldAheadWithoutAWayOn) {
    check_at_end_ = false;
    CTrain* t = Train(20, 50);
    CTrain* other = Train(43, 50);
    Put(t, 28, kDirE);
    Put(other, 30, kDirW);
    // An empty path, or a path ending here, has no second field.
    EXPECT_EQ(t->IsPathBlocked(), 0);
    t->path.PushFront(F(31, 50).knotennummer(), -1);
    EXPECT_EQ(t->IsPathBlocked(), 0);
    EXPECT_EQ(other->reversals, 0);
    // With a way on to the east the train two fields ahead is seen.
    t->path.Clear();
    t->path.PushFront(F(31, 50).knotennummer(), kDirIndexE);
    EXPECT_EQ(t->IsPathBlocked(), 1);
    EXPECT_EQ(std::tuple(other->reversals, other->Heading()), std::tuple(1, kDirE));
}

// Two fields ahead a waiting train counts as met also when its own path is
// empty or leads on the way this train's does.
TEST_F(MeetingTest, WaitingTrainTwoAheadWithoutAWayOfItsOwnIsMet) {
    check_at_end_ = false;
    CTrain* t = Train(20, 50);
    CTrain* other = Train(43, 50);
    Put(t, 28, kDirE);
    Put(other, 30, kDirE);
    t->path.PushFront(F(31, 50).knotennummer(), kDirIndexE);
    EXPECT_EQ(t->IsPathBlocked(), 1);
    EXPECT_EQ(other->Heading(), kDirW);
    // Facing away with a way of its own elsewhere it is not.
    Put(other, 30, kDirE);
    other->path.PushFront(F(31, 50).knotennummer(), kDirIndexS);
    EXPECT_EQ(t->IsPathBlocked(), 0);
    // Nose to nose with its wagon two fields ahead, it is met on the field ahead.
    Put(other, 29, kDirW);
    other->AddWagon("A", 1, 0);
    other->path.Clear();
    other->path.PushFront(F(23, 50).knotennummer(), kDirIndexW);
    EXPECT_EQ(t->IsPathBlocked(), 1);
    EXPECT_EQ(std::tuple(other->pos_x, other->Heading()), std::tuple(30, kDirE));
}

// Turning on a node, an engine keeps the link it reserved on from there
// until it leaves the node.
TEST_F(MeetingTest, EngineTurningOnANodeKeepsItsLinkUntilItLeaves) {
    CTrain* t = Runaway();
    const int32_t n = F(31, 50).knotennummer();
    Put(t, 31, kDirE);
    ASSERT_TRUE(t->held.ReserveLink(n, kDirIndexE));
    t->Reverse();
    EXPECT_TRUE(t->held.HoldsLink(n, kDirIndexE));
    ASSERT_TRUE(FramesUntil([&] { return t->pos_x != 31; }, 200));
    EXPECT_FALSE(t->held.HoldsLink(n, kDirIndexE));
}

// An engine on a node does not drive onto a link another train holds: the two
// would meet between the nodes.
TEST_F(MeetingTest, EngineOnANodeWaitsForTheLinkItLeavesBy) {
    CTrain* parked = Train(43, 50);
    ASSERT_TRUE(parked->held.ReserveLink(F(31, 50).knotennummer(), kDirIndexE));
    parked->running_flag = 0;
    CTrain* t = Runaway();
    Put(t, 31, kDirE);
    Frames(40);
    EXPECT_EQ(std::tuple(t->pos_x, t->lane), std::tuple(31, 1));
}

// B, a terminus whose rows grow south from y = 50, lengthened to three rows:
// its third row lies in line with A and is nearest, and the train pulls in.
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
    // Turned at once for the way back: the engine at the row's west end.
    EXPECT_EQ(std::tuple(t->pos_x, t->pos_y, b->stock[1]), std::tuple(40, 50, 1));
    // Rows 2 and 3 built while the train heads back to A, where it plans anew.
    b = &Station(8, 40, 49, 3, 2);
    Finish();
    SetSchedule(*t, {a, b});
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 0; }, 3000));
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 1; }, 3000));
    EXPECT_EQ(std::tuple(t->pos_x, t->pos_y, b->stock[1]), std::tuple(40, 52, 1));
}

// A and B (x 60..63) with a tunnel (x 30..36) and a bridge (x 45..50)
// between; tracks down x 33 and x 35 (next to the east portal) cross over the
// tunnel, one down x 47 under the bridge, each between two stations (rows
// y 36..39 and 61..64).
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
        for (const int32_t x : {33, 35, 47}) {
            crossings.push_back({&Station(7, x - 1, 36, 1, x), &Station(7, x - 1, 61, 1, x + 1)});
            RailLine(x, 40, x, 60);
        }
        Finish();
        a->stock[1] = 100;
        t = Train(20, 50, 11);
        SetSchedule(*t, {a, b});
        t->cargo_plan[0][0][0] = t->cargo_plan[0][1][0] = 1;
    }
    CTrain* t = nullptr;
    std::vector<std::pair<TestStation*, TestStation*>> crossings;  // north, south
};

// No marks underground or on the span; the run queries see the train.
TEST_F(TunnelBridgeTest, TrainPassesUndergroundAndOverTheSpanWithoutMarks) {
    Frames(1);          // the first frame plans the route and loads at A
    bool seen[5] = {};  // in the tunnel, on the bridge, hidden, wagon hidden, drawn on bridge
    ASSERT_TRUE(FramesUntil(
        [&] {
            EXPECT_TRUE(Consistent());
            for (int32_t x = 31; x <= 50; ++x)
                EXPECT_EQ(F(x, 50).belegt() * (x <= 35 || x >= 45), 0);
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
    EXPECT_EQ(IsVehicleOnColumn(30, 50, 36, 50) + IsVehicleOnRow(45, 50, 50, 50), 0);
}

// One phase a frame: the engine's drawing state changes at its threshold phase
// (east, rotation 0): shown at 18 out of the tunnel and off the bridge at 23.
// The tunnel flag comes at the portal's middle, so the train hides at 17; on
// the ramp of the bridge end it steps two phases a frame, so the bridge drawing
// set at 17 is first seen at 18.
TEST_F(TunnelBridgeTest, DrawingStateChangesAtItsThresholdPhase) {
    Frames(1);  // plans the route and loads at A
    t->speed_limit = 1;
    std::vector<std::pair<int32_t, int32_t>> changes;  // new layer, phase
    int32_t layer = t->draw_layer;
    ASSERT_TRUE(FramesUntil(
        [&] {
            if (t->draw_layer != layer) changes.emplace_back(layer = t->draw_layer, t->phase);
            return t->stop_served == 1;
        },
        8000));
    EXPECT_EQ(changes,
              (std::vector<std::pair<int32_t, int32_t>>{{1, 17}, {0, 18}, {2, 18}, {0, 23}}));
}

// Trains deleted on the bridge give back their reservations; a second train
// whose bridge flag is set with no bridge end ahead walks to the map's edge.
TEST_F(TunnelBridgeTest, TrainDeletedOnTheBridgeGivesBackItsReservations) {
    ASSERT_TRUE(FramesUntil([&] { return t->on_bridge != 0 && t->pos_x == 48; }, 4000));
    ASSERT_GT(FlagCount(), 0);
    Train(20, 50, 10)->on_bridge = 1;
    DeleteAllVehicles();
}

// A wagon or engine leaving a bridge end comes off the bridge, also into a tunnel mouth
// right behind it (put on field 44 by hand).
TEST_F(TunnelBridgeTest, EngineAndWagonLeavingABridgeEndIntoATunnelAreOffTheBridge) {
    MapField& mouth = F(44, 50);
    mouth.set_tportal(true);
    mouth.set_teile_diff(4);  // into the hill heading west
    t->AddWagon("A", 1, 0);
    CWagon& w = *t->wagons[0];
    std::tie(w.x, w.phase, w.on_bridge) = std::tuple(45, 15, 1);
    w.direction = w.next_direction = (kDirW << 4) | kDirE;
    t->AdvanceWagons();
    EXPECT_EQ(std::tuple(w.x, w.in_tunnel, w.on_bridge), std::tuple(44, 1, 0));
    // A wagon comes off also when it was in a tunnel and on the bridge at once.
    std::tie(w.x, w.phase, w.in_tunnel, w.on_bridge) = std::tuple(45, 15, 1, 1);
    t->AdvanceWagons();
    EXPECT_EQ(std::tuple(w.x, w.on_bridge), std::tuple(44, 0));
    // The engine too, heading for A from the bridge end.
    t->RemoveWagon(0);
    t->held.ReleaseAllFields();
    std::tie(t->pos_x, t->on_bridge, t->target_stop) = std::tuple(45, 1, 0);
    t->direction = t->next_direction = t->prev_direction = (kDirW << 4) | kDirE;
    ASSERT_TRUE(FramesUntil([&] { return t->pos_x != 45; }, 200));
    mouth.set_tportal(false);
    EXPECT_EQ(std::tuple(t->pos_x, t->in_tunnel, t->on_bridge), std::tuple(44, 1, 0));
}

// Loaded while the first train passes the tracks across, having just left
// the tunnel's field below the first two (once still in the tunnel, once on
// the east portal, out of it) and then the span above the third, and a train
// on each track waits for goods on its north platform's end, holding the link
// south that passes the crossing: each keeps its link, and every train
// arrives once the goods come.
TEST_F(TunnelBridgeTest, TrainsWaitingBeforeTheCrossingsKeepTheirLinksOverLoads) {
    std::vector<int32_t> waiting;
    for (auto [north, south] : crossings) {
        CTrain* y = Train(north->anchor_x + 1, 39, 11);
        SetSchedule(*y, {north, south});
        y->cargo_plan[0][0][0] = 1;
        y->wait_until_loaded[0] = 1;
        waiting.push_back(y->number);
    }
    const int32_t number = t->number;
    for (const int32_t x : {33, 35, 47}) {
        ASSERT_TRUE(FramesUntil(
            [&] {
                t = TrainNumbered(number);
                return t->pos_x == x + 1 && t->left_x == x &&
                       t->in_tunnel + t->on_bridge == (x != 35);
            },
            2000));
        SaveAndLoadVehicles();
    }
    for (auto [north, south] : crossings) north->stock[1] = 100;
    waiting.push_back(number);
    for (const int32_t n : waiting) {
        EXPECT_TRUE(FramesUntil([&] { return TrainNumbered(n)->stop_served == 1; }, 2000)) << n;
    }
}

class TrainReservationProperty : public transporttest::RandomRailWorld,
                                 public ::testing::WithParamInterface<std::tuple<int, bool>> {};

// Rings with passing loops and stations of every orientation and length;
// long trains: all six cargo columns filled, the game saved and loaded
// every 97 frames.
TEST_P(TrainReservationProperty, MarksAndReservationsStayWithTheirTrains) {
    const auto [seed, longTrains] = GetParam();
    plat::Srand(static_cast<uint32_t>(seed));
    BuildRandomNetwork();
    std::vector<CTrain*> trains = BuildRandomTrains(14);
    ASSERT_GE(trains.size(), 2u);
    std::vector<int32_t> numbers;
    for (CTrain* t : trains) {
        numbers.push_back(t->number);
        for (int32_t s = 0; s < t->stop_count && longTrains; ++s) {
            for (int32_t k = 3; k < 6; ++k)
                t->cargo_plan[s][k][0] = static_cast<uint8_t>(1 + transporttest::R(6));
        }
    }
    std::vector<int32_t> last(trains.size(), -2);
    int32_t arrivals = 0;
    for (int32_t frame = 0; frame < 4000; ++frame) {
        ASSERT_TRUE(Consistent()) << "seed " << seed << " frame " << frame;
        if (longTrains && frame % 97 == 96) SaveAndLoadVehicles(false);
        Frames(1);
        for (size_t i = 0; i < numbers.size(); ++i) {
            const int32_t served = TrainNumbered(numbers[i])->stop_served;
            arrivals += served != last[i];
            last[i] = served;
        }
    }
    EXPECT_GT(arrivals, static_cast<int32_t>(trains.size()));
}

INSTANTIATE_TEST_SUITE_P(Seeds, TrainReservationProperty,
                         ::testing::Combine(::testing::Range(1, 9), ::testing::Bool()));

using TrainAcceptance = transporttest::RandomRailWorld;  // the scope restores the tick

// Sixty trains on 24 lines with loops: none goes 12,000 frames without a stop.
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
        ASSERT_TRUE(frame % 256 != 0 || Consistent()) << "frame " << frame;
        ASSERT_EQ(TrainsApartBreach(), "") << "frame " << frame;
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

namespace {

// Stations A and B of one orientation, each with two platform rows, the
// first row of each joined by track to the other's.
struct RowLayout {
    int32_t type;
    int32_t ax, ay, bx, by;  // anchors
    int32_t x1, y1, x2, y2;  // the track between the first rows
};
constexpr RowLayout kRowLayouts[] = {
    {6, 20, 51, 40, 51, 24, 50, 39, 50},
    {8, 20, 49, 40, 49, 24, 50, 39, 50},
    {7, 49, 20, 49, 40, 50, 24, 50, 39},
    {9, 51, 20, 51, 40, 50, 24, 50, 39},
};

class TrainStartOnRow : public transporttest::RailWorld,
                        public ::testing::WithParamInterface<std::tuple<int, int32_t>> {};

// A train made on any field of a platform row heads along the row out of
// the station, stays listed and runs to the other station.
TEST_P(TrainStartOnRow, EveryFieldOfTheRowStartsAlongIt) {
    const RowLayout& l = kRowLayouts[std::get<0>(GetParam())];
    const int32_t k = std::get<1>(GetParam());
    TestStation* a = &Station(l.type, l.ax, l.ay, 2, 1);
    TestStation* b = &Station(l.type, l.bx, l.by, 2, 2);
    RailLine(l.x1, l.y1, l.x2, l.y2);
    Finish();
    const auto [x, y] = a->RowField(0, k);
    CTrain* t = Train(x, y);
    SetSchedule(*t, {a, b});
    // Along the row, towards the track that leads out of the station.
    EXPECT_EQ(t->Heading(), l.type == 6 || l.type == 8 ? kDirE : kDirS);
    const auto gone = [] { return Listed().empty(); };
    ASSERT_FALSE(FramesUntil(gone, 40));
    ASSERT_TRUE(FramesUntil([&] { return gone() || t->stop_served == 1; }, 3000));
    ASSERT_EQ(Listed(), std::vector<CVehicle*>{t});
    EXPECT_EQ(t->stop_served, 1);
}

INSTANTIATE_TEST_SUITE_P(FourOrientations, TrainStartOnRow,
                         ::testing::Combine(::testing::Range(0, 4), ::testing::Range(0, 4)));

}  // namespace
