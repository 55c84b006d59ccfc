// The goods exchange at a stop: which wagons are unloaded and dropped, which
// are made up and how whole units are shared among them, waiting to be
// loaded, halting, the stop count 0 and the opponent's train at a terminal.

#include <gtest/gtest.h>

#include "rail_world.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"

namespace {

using railtest::RailWorld;
using railtest::TestStation;

// Station A (x 20..23) and B (x 40..43) on y = 50. The exchange is driven by
// hand: the train stands at A's east end.
class TrainGoodsTest : public RailWorld {
  protected:
    void SetUp() override {
        a = &Station(6, 20, 51, 1, 1);
        b = &Station(6, 40, 51, 1, 2);
        RailLine(24, 50, 39, 50);
        Finish();
        t = Train(20, 50);
        SetSchedule(*t, {a, b});
    }
    // The train at stop s having arrived (moved there by hand, at the east
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
        t->cargo_plan[s][k][0] = product < 0 ? kNoProduct : static_cast<uint8_t>(product);
    }

    TestStation* a = nullptr;
    TestStation* b = nullptr;
    CTrain* t = nullptr;
};

TEST_F(TrainGoodsTest, ColumnPlannedOnlyAtOneStopIsMadeUpThereAndDroppedAtTheNext) {
    Plan(0, 1, 3);
    a->stock[3] = 5;
    EXPECT_EQ(ExchangeAt(0), 1);
    ASSERT_EQ(t->wagon_count, 1);
    EXPECT_EQ(t->wagons[0]->index, 1);
    EXPECT_EQ(t->wagons[0]->cargo_key, 3);
    EXPECT_EQ(t->wagons[0]->amount, 1);
    EXPECT_EQ(a->stock[3], 4);
    // At B (nothing planned) the wagon's unit is put down and the wagon goes.
    EXPECT_EQ(ExchangeAt(1), 1);
    EXPECT_EQ(t->wagon_count, 0);
    EXPECT_EQ(b->stock[3], 1);
    EXPECT_EQ(b->puts, 1);
    EXPECT_EQ(b->updates, 1);
    EXPECT_GE(b->refreshes, 2);
    EXPECT_TRUE(Consistent());
}

TEST_F(TrainGoodsTest, ProductChangingInAColumnSwapsTheWagon) {
    Plan(0, 2, 5);
    Plan(1, 2, 7);
    a->stock[5] = 1;
    b->stock[7] = 1;
    ExchangeAt(0);
    ASSERT_EQ(t->wagon_count, 1);
    EXPECT_EQ(t->wagons[0]->cargo_key, 5);
    ExchangeAt(1);
    // The product-5 wagon was unloaded and dropped, a product-7 one added.
    ASSERT_EQ(t->wagon_count, 1);
    EXPECT_EQ(t->wagons[0]->cargo_key, 7);
    EXPECT_EQ(t->wagons[0]->amount, 1);
    EXPECT_EQ(b->stock[5], 1);
    EXPECT_EQ(b->stock[7], 0);
}

TEST_F(TrainGoodsTest, ProductPlannedAtEveryStopStaysOnBoard) {
    Plan(0, 0, 3);
    Plan(1, 0, 3);
    t->AddWagon("A", 3, 0);
    t->wagons[0]->amount = 1;
    a->stock[3] = 5;
    ExchangeAt(1);
    ExchangeAt(0);
    ASSERT_EQ(t->wagon_count, 1);
    EXPECT_EQ(t->wagons[0]->amount, 1);
    EXPECT_EQ(a->takes + a->puts + b->takes + b->puts, 0);
}

TEST_F(TrainGoodsTest, WholeUnitsAreSharedAmongTheWagonsOfAProduct) {
    Plan(0, 0, 4);
    Plan(0, 1, 4);
    Plan(0, 2, 4);
    a->stock[4] = 2;
    EXPECT_EQ(ExchangeAt(0), 1);
    ASSERT_EQ(t->wagon_count, 3);
    int32_t loaded = 0;
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_LE(t->wagons[i]->amount, 1);
        loaded += t->wagons[i]->amount;
    }
    // Exactly what left the station, one unit a wagon.
    EXPECT_EQ(loaded, 2);
    EXPECT_EQ(a->stock[4], 0);
    EXPECT_EQ(t->wagons[0]->amount, 1);
    EXPECT_EQ(t->wagons[2]->amount, 0);
}

TEST_F(TrainGoodsTest, WaitUntilLoadedKeepsTheTrainUntilGoodsArrive) {
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

TEST_F(TrainGoodsTest, HaltAtStopKeepsTheTrainThere) {
    Plan(0, 0, 6);
    t->halt_at_stop[1] = 1;
    ExchangeAt(0);
    EXPECT_EQ(t->halted, 0);
    EXPECT_EQ(ExchangeAt(1), 0);
    EXPECT_EQ(t->halted, 1);
    EXPECT_EQ(ExchangeAt(0), 0);
}

TEST_F(TrainGoodsTest, NoStopsNeitherLoadNorUnload) {
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

TEST_F(TrainGoodsTest, OpponentsTrainIsAtTheTerminalOnlyWhileItUnloads) {
    Plan(0, 0, 3);
    a->stock[3] = 1;
    t->owner = 2;
    ExchangeAt(0);
    ExchangeAt(1);
    ASSERT_EQ(b->at_terminal_during_put.size(), 1u);
    EXPECT_EQ(b->at_terminal_during_put[0], t);
    EXPECT_EQ(g_pVehicleAtTerminal, nullptr);
    // The human player's train is never named.
    t->owner = 0;
    a->stock[3] = 1;
    ExchangeAt(0);
    ExchangeAt(1);
    ASSERT_EQ(b->at_terminal_during_put.size(), 2u);
    EXPECT_EQ(b->at_terminal_during_put[1], nullptr);
}

}  // namespace
