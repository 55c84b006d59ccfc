// Stores: demand by price step and advertising, prices, the monthly sale
// (also as the game clock's month drives it), sales at delivery, the
// twelve-month tables and the customers from the city grid.

#include "app/game_tick.h"
#include "economy/mine.h"
#include "economy/store_types.h"
#include "economy_fixture.h"
#include "state/data_tables.h"

namespace econ {
namespace {

constexpr int32_t kWoodenTrain = 8;  // 50 residents per unit, price 3032, factory 1460
constexpr int32_t kDolls = 10;       // declines to 80 % from 1980, 60 % from 1985

class StoreTest : public EconomyTest {
  protected:
    StoreTest() : city(AddCity(1, 50, 50)) {}
    CStore& Store(int32_t type, int32_t x, int32_t y) { return B<CStore>(Place(type, x, y)); }
    // The city's monthly pass for one store type: the grid, every store's
    // coverage, then every store's month.
    void Month(std::initializer_list<CStore*> stores) {
        PrepareGrid(city);
        for (CStore* s : stores) s->Refresh();
        for (CStore* s : stores) s->Update();
    }
    CCity& city;
};

TEST_F(StoreTest, DemandAndPriceFollowTheStepsAndAdvertising) {
    CStore& s = Store(kTypeToyStore, 60, 60);
    s.customers = 700;
    // f = (100 + 10 x advertising - 10 x step) % of the 50 residents per unit.
    for (const auto [step, ads, demand] : {std::array{5, 3, 700 / 50}, {-5, 0, 700 / 35}}) {
        s.SetPriceSteps(kWoodenTrain, step);
        s.SetAdvertising(ads);
        EXPECT_EQ(s.DemandOf(0), demand) << step;
    }
    // Steps and levels are kept within their ranges; other families ignored.
    s.SetPriceSteps(kWoodenTrain, -9);
    s.SetAdvertising(7);
    s.SetPriceSteps(40, 2);
    EXPECT_EQ(std::tuple(s.GetProductCost(kWoodenTrain), s.GetAdvertising(), s.GetProductCost(40)),
              std::tuple(-5, 3, 0));
    // Each price step is five percent, truncated toward zero.
    for (const auto [price, step, unit] : {std::array{100, -3, 85}, {100, 1, 105}, {10, -3, 9}}) {
        GoodsAt(kWoodenTrain)->price = price;
        s.SetPriceSteps(kWoodenTrain, step);
        EXPECT_EQ(s.UnitPrice(0), unit) << price << " " << step;
    }
    // Indexes past the family have no price and no demand.
    EXPECT_EQ(s.UnitPrice(9) + s.UnitPrice(-1) + s.DemandOf(9), 0);
}

TEST_F(StoreTest, TheMonthSellsToTheCitysResidentsAndTheTablesMoveOn) {
    CStore& s = Store(kTypeToyStore, 60, 60);
    s.stock[0] = {kWoodenTrain, 20, 1};
    Month({&s});  // no city buildings: no customers
    EXPECT_EQ(s.GetUnitsSoldThisMonth(kWoodenTrain), 0);
    PutCityBuilding(62, 62, 1, 40);  // 640 residents: a demand of 12
    GS().week = 2;                   // only the first week of a month sells
    Month({&s});
    EXPECT_EQ(s.GetUnitsSoldThisMonth(kWoodenTrain), 0);
    GS().week = 0;
    const int64_t cash = Cash();
    Month({&s});
    EXPECT_EQ(
        std::tuple(s.customers, s.GetUnitsSoldThisMonth(kWoodenTrain), WholeUnits(s.stock[0])),
        std::tuple(640, 12, 8));
    const int32_t revenue = 12 * 3032;
    const int32_t profit = revenue - 12 * 1460;
    EXPECT_EQ(Cash(), cash + revenue);
    EXPECT_EQ(std::tuple(g_Statistics.PairThis(StatPair::I, 0),
                         g_Statistics.Monthly(StatSeries::RevenueToys, 0),
                         g_Statistics.Monthly(StatSeries::TotalReceipts, 0),
                         s.GetMonthlyProfit(11, kWoodenTrain)),
              std::tuple(revenue, revenue, revenue, profit));
    // Deliveries after the demand was met wait for the next month.
    s.PutGoods(kWoodenTrain, 5, 1);
    EXPECT_EQ(
        std::pair(s.GetUnitsSoldThisMonth(kWoodenTrain), s.GetMonthlyDeliveries(11, kWoodenTrain)),
        std::pair(12, 5));
    Month({&s});  // the tables move one month back
    EXPECT_EQ(std::tuple(s.GetMonthlyDeliveries(10, kWoodenTrain),
                         s.GetMonthlyDeliveries(11, kWoodenTrain),
                         s.GetMonthlyProfit(10, kWoodenTrain), s.GetMonthlyDemand(10, kWoodenTrain),
                         s.GetDeliveredUnits(0, kWoodenTrain), WholeUnits(s.stock[0])),
              std::tuple(5, 0, profit, 12, 5, 1));
    EXPECT_EQ(std::tuple(s.GetPeriodFigure2(), s.GetPeriodFigure(),
                         s.GetProductProfitTotal(kWoodenTrain), s.stock[0].product),
              std::tuple(profit, 2 * profit, 2 * profit, kWoodenTrain));
    // Overlapping stores of a type share the residents; another type not.
    CStore& b = Store(kTypeToyStore, 63, 60);
    CStore& sports = Store(kTypeSportsStore, 58, 64);
    Month({&s, &b});
    EXPECT_EQ(std::pair(s.customers, b.customers), std::pair(320, 320));
    Month({&sports});
    EXPECT_EQ(sports.customers, 640);
}

TEST_F(StoreTest, DeliveriesSellAtOnceUpToTheDemandAndAgeingProductsEarnLess) {
    CStore& s = Store(kTypeToyStore, 60, 60);
    s.customers = 250;  // a demand of 5
    s.PutGoods(kWoodenTrain, 1, 2);
    EXPECT_EQ(s.GetUnitsSoldThisMonth(kWoodenTrain), 0);
    s.PutGoods(kWoodenTrain, 7, 2);  // 4 units in stock now
    EXPECT_EQ(s.GetUnitsSoldThisMonth(kWoodenTrain), 4);
    s.PutGoods(kWoodenTrain, 3, 1);
    EXPECT_EQ(std::tuple(s.GetUnitsSoldThisMonth(kWoodenTrain), WholeUnits(s.stock[0]),
                         s.GetDeliveredUnits(1, kWoodenTrain)),
              std::tuple(5, 2, 7));
    EXPECT_EQ(s.PutGoods(17, 3, 1), 0);  // another family's goods are refused
    GS().year = 1981;
    const int64_t cash = Cash();
    s.PutGoods(kDolls, 1, 1);
    GS().year = 1985;
    s.PutGoods(kDolls, 1, 1);
    EXPECT_EQ(Cash(), cash + 3173 * 80 / 100 + 3173 * 60 / 100);
    // Advertising is paid monthly.
    s.SetAdvertising(2);
    const int64_t before = Cash();
    Month({&s});
    EXPECT_EQ(std::pair(Cash(), g_Statistics.PairThis(StatPair::F, 0)),
              std::pair(before - 30000, 30000));
}

TEST_F(StoreTest, AnOpponentsTrainStaysOnceTheDemandIsDelivered) {
    CStore& s = Store(kTypeToyStore, 60, 60);
    TestVehicle& train = AddVehicle();
    g_pVehicleAtTerminal = &train;
    s.PutGoods(kWoodenTrain, 1, 1);
    EXPECT_EQ(train.halt_at_stop[0], 0);  // the player's store
    s.owner = 2;
    s.customers = 100;  // a demand of 2
    s.PutGoods(kWoodenTrain, 1, 1);
    EXPECT_EQ(train.halt_at_stop[0], 1);
}

using MonthTickTest = EconomyTest;

TEST_F(MonthTickTest, ANewMonthSellsInStoresAndRefillsSites) {
    AddCity(1, 50, 50);
    PutCityBuilding(62, 62, 1, 40);  // 640 residents: a demand of 12 wooden trains
    CStore& store = B<CStore>(Place(kTypeToyStore, 60, 60));
    store.stock[0] = {8, 30, 1};
    CMine& mine = B<CMine>(Place(kTypeMine, 150, 150));
    mine.TakeGoods(5, 20, 1, 0);
    GS().week = 0;
    GS().month = 4;
    for (int32_t tick = 0; tick < 3; ++tick) RunGameTick(nullptr);
    EXPECT_EQ(std::pair(WholeUnits(mine.stock), store.GetUnitsSoldThisMonth(8)), std::pair(4, 0));
    RunGameTick(nullptr);  // the first tick of June
    EXPECT_EQ(std::tuple(GS().month, WholeUnits(mine.stock), store.customers,
                         store.GetUnitsSoldThisMonth(8), WholeUnits(store.stock[0])),
              std::tuple(5, kMineCapacity, 640, 12, 18));
}

}  // namespace
}  // namespace econ
