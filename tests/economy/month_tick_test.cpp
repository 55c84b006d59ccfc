// The game clock's month reaches the buildings: the city drives its stores'
// monthly sales, then the raw-material sites are refilled.

#include <gtest/gtest.h>

#include "app/game_tick.h"
#include "economy/mine.h"
#include "economy/store.h"
#include "economy_fixture.h"
#include "state/data_tables.h"
#include "state/statistics.h"

namespace econ {
namespace {

using MonthTickTest = EconomyTest;

TEST_F(MonthTickTest, ANewMonthSellsInStoresAndRefillsSites) {
    cities_.run_cities = true;
    AddCity(1, 50, 50);
    PutCityBuilding(62, 62, 1, 40);  // 640 residents: a demand of 12 wooden trains
    CStore& store = B<CStore>(Place(kTypeToyStore, 60, 60));
    store.stock[0] = {8, 30, 1};
    CMine& mine = B<CMine>(Place(kTypeMine, 150, 150));
    mine.TakeGoods(5, 20, 1, 0);
    GS().week = 0;
    GS().month = 4;
    for (int32_t tick = 0; tick < 3; ++tick) RunGameTick(nullptr);
    EXPECT_EQ(WholeUnits(mine.stock), 4);
    EXPECT_EQ(store.GetUnitsSoldThisMonth(8), 0);
    RunGameTick(nullptr);  // the first tick of June
    EXPECT_EQ(GS().month, 5);
    EXPECT_EQ(WholeUnits(mine.stock), kMineCapacity);
    EXPECT_EQ(store.customers, 640);
    EXPECT_EQ(store.GetUnitsSoldThisMonth(8), 12);
    EXPECT_EQ(WholeUnits(store.stock[0]), 18);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::RevenueToys, 0), 12 * 3032);
}

}  // namespace
}  // namespace econ
