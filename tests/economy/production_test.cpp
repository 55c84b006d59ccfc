// Producers: factories by recipe with its bounds and cost; raw-material
// sites with capacities by decade, buying in portions, the monthly refill
// and the lumber mill's cutting of its forest.

#include "economy/chemical_plant.h"
#include "economy/factory_types.h"
#include "economy/lumber_mill.h"
#include "economy/mine.h"
#include "economy/steel_mill.h"
#include "economy/terminal.h"
#include "economy_fixture.h"
#include "state/data_tables.h"

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
    // Products of another family are no choice.
    f.SetProduct(kSkis);
    EXPECT_EQ(f.GetProduct(), -1);
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
    EXPECT_EQ(WholeUnits(Stock(f, kSkis)), 3);
    EXPECT_EQ(Cash(), cash);
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
}

class RawSitesTest : public EconomyTest {
  protected:
    // A forest field with its two tree counts.
    void Forest(int32_t x, int32_t y, uint32_t upper, uint32_t lower) {
        MapField* f = FieldAt(x, y);
        f->set_forest_flag(true);
        f->set_data_word((upper << 7) | lower);
    }
};

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
    EXPECT_EQ(std::tuple(Cash(), GS().cash[2]), std::tuple(cash - 6 * 500, int64_t{-6 * 166}));
    EXPECT_EQ(Frac(B<CMine>(third).stock), Fraction(71, 3));
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
    // The field was cut last and is skipped: nothing more to cut, so the
    // mill stops for good.
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
    EXPECT_EQ(std::tuple(mill.last_x, FieldAt(12, 12)->forest_flag()), std::tuple(12, false));
    EXPECT_EQ(view_.redraws, 1);
    EXPECT_FALSE(mill.CutForest(false));
    EXPECT_EQ(mill.wood_left, 3 * 96 - 24);
    CLumberMill& bare = B<CLumberMill>(Place(kTypeLumberMill, 100, 150));
    bare.Update();
    EXPECT_EQ(bare.capacity + bare.TakeGoods(0, 1, 1, 0), 0);
}

}  // namespace
}  // namespace econ
