// Trains between two stations: the goods exchange at a stop, turning at the
// end of a platform, the train's wagons, speed and steps, and its record.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/file.h"
#include "rail_world.h"
#include "record_files.h"
#include "state/le_io.h"
#include "transport/vehicle_level.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"

namespace {

using railtest::TestStation;

// Stations A (row x 20..23) and B (x 40..43) of type 6 on y = 50, joined by
// 16 fields of track; the west end of A's row is a dead end.
class TwoStations : public railtest::RailWorld, protected transporttest::RecordFiles {
  protected:
    void SetUp() override {
        a = &Station(6, 20, 51, 1, 1);
        b = &Station(6, 40, 51, 1, 2);
        RailLine(24, 50, 39, 50);
        Finish();
    }
    // A train of `model` at A, bound for B.
    CTrain* NewTrain(int32_t model = 10) {
        t = Train(20, 50, model);
        SetSchedule(*t, {a, b});
        return t;
    }
    // The train at stop s having arrived (moved there by hand, to the east
    // end of the station's row): unload, then make up and load.
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
    // A train under way from A to B with three wagons and a path.
    CTrain* Running() {
        for (int32_t p = 1; p <= 3; ++p) a->stock[p] = 50;
        NewTrain(13);
        for (int32_t k = 0; k < 3; ++k) Plan(0, k, k + 1);
        t->wait_until_loaded[1] = 1;
        t->halt_at_stop[0] = 1;
        EXPECT_TRUE(FramesUntil([&] { return t->pos_x >= 30 && t->phase == 20; }, 3000));
        EXPECT_EQ(t->wagon_count, 3);
        EXPECT_GT(t->path.Count(), 0);
        return t;
    }

    TestStation* a = nullptr;
    TestStation* b = nullptr;
    CTrain* t = nullptr;
};

// The exchange at A, then at B: wagons are made up by the cargo plan, share
// whole units from the first, are unloaded and dropped where their column
// plans nothing or another product.
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
        {"units shared from the first wagon",
         {{0, 4}, {1, 4}, {2, 4}},
         {},
         2,
         0,
         {{4, 1}, {4, 1}, {4, 0}},
         {},
         2},
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
                EXPECT_EQ(t->wagons[i]->cargo_key, expected[i].key) << s << i;
                EXPECT_EQ(t->wagons[i]->amount, expected[i].amount) << s << i;
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
    EXPECT_EQ(t->loading_state, 1);
    EXPECT_EQ(t->wait_counter, 256);
    EXPECT_EQ(a->takes, 1);
    Frames(256);
    EXPECT_EQ(a->takes, 1);
    Frames(1);
    EXPECT_EQ(a->takes, 2);
    EXPECT_EQ(t->loading_state, 1);
    a->stock[6] = 1;
    Frames(257);
    EXPECT_EQ(t->loading_state, 0);
    EXPECT_EQ(t->wait_counter, 32);
    EXPECT_EQ(t->wagons[0]->amount, 1);
}

TEST_F(TwoStations, HaltAtStopKeepsTheTrainThere) {
    NewTrain();
    Plan(0, 0, 6);
    t->halt_at_stop[1] = 1;
    ExchangeAt(0);
    EXPECT_EQ(t->halted, 0);
    EXPECT_EQ(ExchangeAt(1), 0);
    EXPECT_EQ(t->halted, 1);
    EXPECT_EQ(ExchangeAt(0), 0);
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
    EXPECT_EQ(t->wagon_count, 1);
    EXPECT_EQ(a->puts + a->takes, 0);
    EXPECT_EQ(g_pVehicleAtTerminal, nullptr);
}

TEST_F(TwoStations, OpponentsTrainIsAtTheTerminalOnlyWhileItUnloads) {
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
}

TEST_F(TwoStations, RouteBackJumpsTheEngineToThePlatformsOtherEnd) {
    NewTrain();
    a->stock[3] = 10;
    // Both stops plan product 3 in columns 0 and 1: the two loaded wagons
    // the train starts with stay on board for ever.
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
    // Arrived at B's east end, the route back west turned the train: the
    // engine at the west end heading west, its wagons lined up behind it.
    EXPECT_EQ(t->pos_x, 40);
    EXPECT_EQ(t->Heading(), kDirW);
    EXPECT_EQ(t->turned, 1);
    ASSERT_EQ(t->wagon_count, 2);
    EXPECT_EQ(t->wagons[0]->x, 41);
    EXPECT_EQ(t->wagons[1]->x, 41);
    EXPECT_EQ(t->wagons[0]->direction >> 4, kDirW);
    EXPECT_EQ(F(43, 50).belegt(), 0);
    EXPECT_TRUE(Consistent());
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 0; }, 3000));
    EXPECT_EQ(t->pos_x, 23);
    EXPECT_EQ(t->Heading(), kDirE);
    EXPECT_EQ(t->wagon_count, 2);
    EXPECT_EQ(t->wagons[0]->amount + t->wagons[1]->amount, 2);
    EXPECT_EQ(a->stock[3], 10);
    EXPECT_EQ(b->puts + b->takes + a->puts + a->takes, 0);
}

TEST_F(TwoStations, WagonsStandInSlotOrderMoveUpWhenRemovedAndAreAtMostSix) {
    NewTrain();
    t->AddWagon("A", 5, 0);
    t->AddWagon("A", 6, 1);
    t->AddWagon("A", 8, 3);
    t->AddWagon("A", 7, 2);
    EXPECT_EQ(t->FindWagon(7, 2), 2);
    EXPECT_EQ(t->FindWagon(7, 1), -1);
    EXPECT_EQ(t->wagons[3]->x, 21);  // the second pair two fields behind
    EXPECT_TRUE(Consistent());
    t->RemoveWagon(0);
    t->RemoveWagon(0);
    ASSERT_EQ(t->wagon_count, 2);
    EXPECT_EQ(t->wagons[0]->cargo_key, 7);
    EXPECT_EQ(t->wagons[1]->x, 22);
    EXPECT_EQ(t->wagons[2], nullptr);
    EXPECT_EQ(F(21, 50).belegt(), 0);
    EXPECT_TRUE(Consistent());
    for (int32_t k = 2; k < 7; ++k) t->AddWagon("A", k, k < 6 ? k : 5);
    EXPECT_EQ(t->wagon_count, 6);
    EXPECT_EQ(t->FindWagon(6, 5), -1);
}

TEST_F(TwoStations, WagonsNeverLeaveTheMap) {
    NewTrain();
    check_at_end_ = false;
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

TEST_F(TwoStations, FourStepsPerFramePassAFieldMiddleOnce) {
    game_.state().vehicle_models[14].speed_a = 4;
    NewTrain(14);
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
    EXPECT_EQ(t->drawn_x, 24);
    Frames(4);
    EXPECT_EQ(t->pos_x, 25);
}

// Trains with wagons and a path round-trip byte for byte in list order and
// put their marks back; the way network's record keeps the link flags, which
// belong to no train right after the load and to their trains again once
// both have been round their schedules.
TEST_F(TwoStations, TrainsRoundTripByteForByteAndTakeOverTheReservations) {
    Running();
    CTrain* second = Train(43, 50, 11);
    SetSchedule(*second, {b, a});
    Frames(7);
    // The vehicle record, three 109-byte wagons and the path.
    const std::string one = WriteWith("train", [&](plat::FileHandle f) { t->Save(f); });
    EXPECT_EQ(one.size(), 473u + 3u * kWagonRecordSize + 4u + 8u * t->path.Count());
    const int32_t engineX = t->pos_x;
    const int32_t wagonX = t->wagons[2]->x;
    const std::string part = WriteWith("part", WriteVehicleRecords);
    std::vector<std::array<uint8_t, 4>> flags(kWayNodeSlots);
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        if (const WayNode* node = Net().Node(n)) std::copy_n(node->belegt, 4, flags[n].begin());
    }
    ASSERT_GT(FlagCount(), 0);
    DeleteAllVehicles();
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        if (WayNode* node = Net().nodes[n]) std::copy_n(flags[n].begin(), 4, node->belegt);
    }
    ClearTransientFieldBits();
    ASSERT_TRUE(ReadWith(part, ReadVehicleRecords));
    ASSERT_EQ(CountVehicles(), 2);
    EXPECT_EQ(F(engineX, 50).belegt(), 3);
    EXPECT_EQ(F(wagonX, 50).belegt(), 3);
    EXPECT_EQ(WriteWith("again", WriteVehicleRecords), part);
    EXPECT_FALSE(Consistent());
    Frames(3000);
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

}  // namespace
