// Producers and stores: factories by recipe, raw-material sites and the lumber
// mill's forest, stores' demand, prices, sales and customers.

#include "economy/chemical_plant.h"
#include "economy/factory_types.h"
#include "economy/lumber_mill.h"
#include "economy/store_types.h"
#include "economy/terminal.h"
#include "economy_fixture.h"
#include "state/data_tables.h"
#include "support/resident_class_edges.h"

namespace econ {
namespace {

constexpr int32_t kWood = 0;
constexpr int32_t kSteel = 4;
constexpr int32_t kFurniture = 26;  // 1 steel sheet + 2 wood
constexpr int32_t kSkis = 17;       // 1 wood

class ProductionTest : public EconomyTest {
  protected:
    CFactory& Factory(int32_t type, int32_t product) {
        CFactory& f = B<CFactory>(Place(type, 100, 100));
        f.SetProduct(product);
        return f;
    }
    GoodsSlot Stock(CFactory& f, int32_t p) {
        const int32_t i = f.FindGoodsSlot(p);
        return i >= 0 ? f.stock[i] : kEmptySlot;
    }
};

TEST_F(ProductionTest, ScarcestInputBoundsTheUnitsMadeAndTheOwnerPays) {
    CFactory& f = Factory(kTypeWoodIndustry, kFurniture);
    f.stock[0] = {kWood, 7, 1};
    f.stock[1] = {kSteel, 3, 1};
    const int64_t cash = Cash();
    const int32_t costs = g_Statistics.Monthly(StatSeries::TotalCosts, 0);
    f.Update();
    f.Update();  // nothing more to make: nothing changes, nothing is paid
    // Steel used up: its slot is free again.
    EXPECT_EQ(std::tuple(WholeUnits(Stock(f, kFurniture)), WholeUnits(Stock(f, kWood)),
                         f.FindGoodsSlot(kSteel)),
              std::tuple(3, 1, -1));
    const int32_t paid = 3 * GoodsAt(kFurniture)->own_cost;
    EXPECT_EQ(std::tuple(Cash(), g_Statistics.Monthly(StatSeries::TotalCosts, 0),
                         g_Statistics.PairThis(StatPair::G, 0)),
              std::tuple(cash - paid, costs + paid, paid));
    // Setting a product takes it as given and changes nothing else.
    f.SetProduct(kSkis);
    EXPECT_EQ(std::pair(f.GetProduct(), WholeUnits(Stock(f, kFurniture))), std::pair(kSkis, 3));
}

TEST_F(ProductionTest, FractionsStayAndAChangedProductLeavesTheOldOutputForLoading) {
    CFactory& f = Factory(kTypeSportsIndustry, kSkis);
    f.stock[4] = {kWood, 5, 2};
    f.Update();
    EXPECT_EQ(WholeUnits(Stock(f, kSkis)), 2);
    f.SetProduct(18);  // bicycles: 1 steel sheet
    EXPECT_EQ(std::tuple(f.AcceptsProduct(kWood), f.AcceptsProduct(kSteel)), std::tuple(0, 1));
    f.Update();  // no steel: nothing is made, the wood is not consumed
    EXPECT_EQ(Frac(Stock(f, kWood)), Fraction(1, 2));
    EXPECT_GE(f.FindGoodsSlot(18), 0);  // but the output's slot is bound
    EXPECT_EQ(f.TakeGoods(kSkis, 1, 1, 0), 1);
    EXPECT_EQ(WholeUnits(Stock(f, kSkis)), 1);
}

TEST_F(ProductionTest, RecipeGuards) {
    CFactory& f = Factory(kTypeSportsIndustry, kSkis);
    GoodsRecord& skis = *GoodsAt(kSkis);
    // The same good in two places counts with both amounts.
    skis.inputs[1] = kWood;
    skis.input_amounts[1] = 2;
    EXPECT_EQ(f.AcceptsProduct(kWood), 3);
    f.stock[0] = {kWood, 10, 1};
    f.Update();
    EXPECT_EQ(WholeUnits(Stock(f, kSkis)), 3);
    // An amount of 0 is no input; a recipe without inputs makes nothing.
    skis.input_amounts[0] = 0;
    skis.input_amounts[1] = 0;
    EXPECT_EQ(f.AcceptsProduct(kWood), 0);
    const int64_t cash = Cash();
    f.Update();
    EXPECT_EQ(std::pair(WholeUnits(Stock(f, kSkis)), Cash()), std::pair(3, cash));
    // One update makes at most five thousand.
    skis.input_amounts[0] = 1;
    f.stock[0] = {kWood, 12000, 1};
    f.Update();
    EXPECT_EQ(WholeUnits(Stock(f, kSkis)), 3 + kProductionBound);
}

TEST_F(ProductionTest, AFactoryWithEverySlotBoundMakesNothingAndLosesDeliveries) {
    CFactory& f = Factory(kTypeWoodIndustry, kFurniture);  // four slots
    f.stock[0] = {kWood, 4, 1};
    f.stock[1] = {kSteel, 2, 1};
    f.stock[2] = {9, 1, 1};
    f.stock[3] = {10, 1, 1};
    f.Update();
    EXPECT_EQ(std::tuple(f.FindGoodsSlot(kFurniture), WholeUnits(Stock(f, kWood))),
              std::tuple(-1, 4));
    EXPECT_EQ(f.PutGoods(11, 3, 1), 3);
    EXPECT_EQ(f.FindGoodsSlot(11), -1);
    // Outputs bound while nothing of them was made leave room for the inputs.
    CFactory& g = B<CFactory>(Place(kTypeWoodIndustry, 120, 100));
    for (int32_t p : {27, 28, kFurniture}) {
        g.SetProduct(p);
        g.Update();
    }
    g.PutGoods(kWood, 2, 1);
    g.PutGoods(kSteel, 1, 1);
    g.Update();
    EXPECT_EQ(WholeUnits(Stock(g, kFurniture)), 1);
}

using RawSitesTest = EconomyTest;

TEST_F(RawSitesTest, CapacitiesGrowWithTheDecadeAndSitesSellOnlyTheirOwnGoods) {
    GS().year = 1975;
    GS().mine_kind = 2;
    CChemicalPlant& chem = B<CChemicalPlant>(Place(kTypeChemicalPlant, 10, 10));
    CSteelMill& steel = B<CSteelMill>(Place(kTypeSteelMill, 30, 10));
    CMine& mine = B<CMine>(Place(kTypeMine, 40, 10));
    EXPECT_EQ(mine.TakeGoods(5, 1, 1, 0), 0);  // the mine of this game gives good 7
    EXPECT_EQ(mine.TakeGoods(7, 24, 1, 0), 24);
    EXPECT_EQ(std::tuple(mine.stock.product, mine.PutGoods(7, 1, 1)), std::tuple(-1, 0));
    EXPECT_EQ(steel.TakeGoods(1, 1, 1, 0), 0);
    EXPECT_EQ(steel.TakeGoods(3, 1, 1, 0), 1);
    EXPECT_EQ(steel.GetDemolitionCost(30, 10), -1);
    Table().UpdateRawMaterialSites();
    EXPECT_EQ(std::tuple(WholeUnits(chem.stock), WholeUnits(steel.stock[1]), WholeUnits(mine.stock),
                         mine.stock.product),
              std::tuple(45, 41, kMineCapacity, 7));
    GS().year = 1950;  // before 1960: the first decade's
    Table().UpdateRawMaterialSites();
    EXPECT_EQ(WholeUnits(chem.stock), 40);
    // A decade starts with its year 0.
    for (const auto& [year, plastic] : {std::pair{1969, 40}, {1970, 45}, {1979, 45}, {1980, 50}}) {
        GS().year = year;
        Table().UpdateRawMaterialSites();
        EXPECT_EQ(WholeUnits(chem.stock), plastic) << year;
    }
}

TEST_F(RawSitesTest, BuyingInPortionsFromSeveralMinesPaysEachPortion) {
    GoodsAt(5)->own_cost = 1001;
    const int32_t depot = Place(kTypeTruckDepot, 100, 100);
    const int32_t mines[] = {Place(kTypeMine, 96, 96), Place(kTypeMine, 101, 96)};
    CTerminal& t = B<CTerminal>(depot);
    t.Refresh();
    const int64_t cash = Cash();
    // Units come in halves, each half paid 500 of the 1,001.
    EXPECT_EQ(t.TakeGoods(5, 3, 0, 0), 3);
    EXPECT_EQ(std::tuple(Cash(), g_Statistics.PairThis(StatPair::G, 0)),
              std::tuple(cash - 6 * 500, int32_t{6 * 500}));
    for (int32_t n : mines) EXPECT_EQ(WholeUnits(B<CMine>(n).stock), 22) << n;
    // A third mine: thirds, charged to the buyer (player 2).
    const int32_t third = Place(kTypeMine, 96, 102);
    t.Refresh();
    EXPECT_EQ(t.TakeGoods(5, 1, 0, 2), 1);
    // In sixths, each paid on its own.
    EXPECT_EQ(std::tuple(Cash(), GS().cash[2], Frac(B<CMine>(third).stock)),
              std::tuple(cash - 6 * 500, int64_t{-6 * 166}, Fraction(71, 3)));
}

TEST_F(RawSitesTest, TheChemicalPlantIsHeardWhenInView) {
    CChemicalPlant& chem = B<CChemicalPlant>(Place(kTypeChemicalPlant, 10, 10));
    fvtest::RecordingSound& sound = game_.UseSound();
    chem.Update();  // out of view: not heard
    view_.tile_in_view = 1;
    chem.Update();
    ASSERT_EQ(sound.effects.size(), 1u);
    EXPECT_EQ(std::tuple(sound.effects[0].effect, sound.effects[0].channel, sound.effects[0].pan),
              std::tuple(23, 3, 7));
}

TEST_F(RawSitesTest, ALumberMillCutsItsOnlyForestFieldOnceAndStops) {
    Forest(12, 12, 5, 6);
    CLumberMill& mill = B<CLumberMill>(Place(kTypeLumberMill, 10, 15));
    // The first cut took the upper count: 96 wood, 24 of them in stock.
    EXPECT_EQ(std::tuple(WholeUnits(mill.stock), mill.wood_left, FieldAt(12, 12)->data_word()),
              std::tuple(24, 72, 6u));
    // Sold out and refilled every month from the wood cut.
    for (int32_t wood : {48, 24, 0}) {
        EXPECT_EQ(mill.TakeGoods(0, 24, 1, 0), 24);
        mill.Update();
        EXPECT_EQ(std::tuple(WholeUnits(mill.stock), mill.wood_left), std::tuple(24, wood));
    }
    // The field cut last is skipped: nothing to cut, the mill stops for good.
    EXPECT_EQ(mill.TakeGoods(0, 24, 1, 0), 24);
    mill.Update();
    mill.Update();
    EXPECT_EQ(std::tuple(mill.capacity, mill.stock.product), std::tuple(0, -1));
    // A loaded game gives it the capacity of the decade again.
    mill.capacity = 48;
    mill.AfterLoad();
    EXPECT_EQ(mill.capacity, 24);
}

TEST_F(RawSitesTest, TwoForestFieldsAreCutInTurnAndNoForestNoWood) {
    Forest(12, 12, 1, 1);
    Forest(13, 12, 1, 0);
    CLumberMill& mill = B<CLumberMill>(Place(kTypeLumberMill, 10, 15));
    EXPECT_TRUE(mill.CutForest(false));
    EXPECT_EQ(std::tuple(mill.last_x, FieldAt(13, 12)->forest_flag()), std::tuple(13, false));
    EXPECT_TRUE(mill.CutForest(true));
    EXPECT_EQ(std::tuple(mill.last_x, FieldAt(12, 12)->forest_flag(), view_.redraws),
              std::tuple(12, false, 1));
    EXPECT_FALSE(mill.CutForest(false));
    EXPECT_EQ(mill.wood_left, 3 * 96 - 24);
    CLumberMill& bare = B<CLumberMill>(Place(kTypeLumberMill, 100, 150));
    bare.Update();
    EXPECT_EQ(bare.capacity + bare.TakeGoods(0, 1, 1, 0), 0);
    // Wood left that just covers the refill is used up without a further cut.
    Forest(62, 62, 1, 1);
    Forest(63, 62, 1, 1);
    CLumberMill& exact = B<CLumberMill>(Place(kTypeLumberMill, 60, 65));
    EXPECT_EQ(exact.TakeGoods(0, 24, 1, 0), 24);
    exact.wood_left = 24;
    exact.Update();
    EXPECT_EQ(std::tuple(WholeUnits(exact.stock), exact.wood_left, exact.last_x),
              std::tuple(24, 0, 62));
}

constexpr int32_t kWoodenTrain = 8;  // 50 residents per unit, price 3032, factory 1460
constexpr int32_t kDolls = 10;       // declines to 80 % from 1980, 60 % from 1985

class StoreTest : public EconomyTest {
  protected:
    StoreTest() : city(AddCity(1, 50, 50)) {}
    CStore& Store(int32_t type, int32_t x, int32_t y) { return B<CStore>(Place(type, x, y)); }
    // The city's monthly pass for one store type.
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
    // Each band of city buildings ends at its last number; 42 on buy nothing.
    CStore& edge = Store(kTypeToyStore, 70, 70);
    for (const auto& [k, residents] : fvtest::kResidentsAtClassEdges) {
        PutCityBuilding(72, 72, 1, k);
        Month({&edge});
        EXPECT_EQ(edge.customers, residents) << k;
    }
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
    GS().year = 1980;  // the first year of the decline
    s.PutGoods(kDolls, 1, 1);
    EXPECT_EQ(Cash(), cash + 2 * (3173 * 80 / 100) + 3173 * 60 / 100);
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
    // The last opponent's store too.
    train.halt_at_stop[0] = 0;
    s.owner = 3;
    s.PutGoods(kWoodenTrain, 1, 1);
    EXPECT_EQ(train.halt_at_stop[0], 1);
}

}  // namespace
}  // namespace econ
