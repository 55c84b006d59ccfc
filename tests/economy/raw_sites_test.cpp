// Raw-material sites: capacities by decade, buying in portions, the monthly
// refill and the lumber mill's cutting of its forest.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "economy/chemical_plant.h"
#include "economy/factory.h"
#include "economy/lumber_mill.h"
#include "economy/mine.h"
#include "economy/steel_mill.h"
#include "economy/terminal.h"
#include "economy_fixture.h"
#include "sound/sound_manager.h"
#include "state/data_tables.h"
#include "state/map_field.h"
#include "state/statistics.h"

namespace econ {
namespace {

class RawSitesTest : public EconomyTest {
  protected:
    // A forest field with its two tree counts.
    void Forest(int32_t x, int32_t y, uint32_t upper, uint32_t lower) {
        MapField* f = FieldAt(x, y);
        f->set_forest_flag(true);
        f->set_data_word((upper << 7) | lower);
    }
};

TEST_F(RawSitesTest, CapacitiesGrowWithTheDecade) {
    GS().year = 1975;
    Forest(20, 20, 3, 4);
    CChemicalPlant& chem = B<CChemicalPlant>(Place(kTypeChemicalPlant, 10, 10));
    CSteelMill& steel = B<CSteelMill>(Place(kTypeSteelMill, 30, 10));
    CLumberMill& mill = B<CLumberMill>(Place(kTypeLumberMill, 20, 24));
    CMine& mine = B<CMine>(Place(kTypeMine, 40, 10));
    Table().UpdateRawMaterialSites();
    EXPECT_EQ(WholeUnits(chem.stock), 45);
    EXPECT_EQ(WholeUnits(steel.stock[0]), 35);
    EXPECT_EQ(WholeUnits(steel.stock[1]), 41);
    EXPECT_EQ(WholeUnits(steel.stock[2]), 45);
    EXPECT_EQ(steel.GetCapacity(1), 41);
    EXPECT_EQ(steel.GetCapacity(3), 0);
    EXPECT_EQ(WholeUnits(mill.stock), 29);
    EXPECT_EQ(WholeUnits(mine.stock), kMineCapacity);
    // Before 1960 the capacity stays that of the first decade.
    GS().year = 1950;
    Table().UpdateRawMaterialSites();
    EXPECT_EQ(WholeUnits(chem.stock), 40);
}

TEST_F(RawSitesTest, BuyingOneUnitInPortionsFromThreeMines) {
    GoodsAt(5)->own_cost = 1000;
    const int32_t depot = Place(kTypeTruckDepot, 100, 100);
    const int32_t mine = Place(kTypeMine, 96, 96);
    CTerminal& t = B<CTerminal>(depot);
    t.Refresh();
    int64_t cash = Cash();
    EXPECT_EQ(t.TakeGoods(5, 1, 0, 0), 1);
    EXPECT_EQ(Cash(), cash - 1000);
    EXPECT_EQ(g_Statistics.PairThis(StatPair::G, 0), 1000);
    EXPECT_EQ(WholeUnits(B<CMine>(mine).stock), 23);

    const int32_t second = Place(kTypeMine, 101, 96);
    const int32_t third = Place(kTypeMine, 96, 102);
    t.Refresh();
    cash = Cash();
    EXPECT_EQ(t.TakeGoods(5, 1, 0, 2), 1);  // the buyer is player 2
    EXPECT_EQ(Cash(), cash);
    EXPECT_EQ(GS().cash[2], -3 * 333);
    // Each mine gave a third.
    for (int32_t n : {second, third}) {
        EXPECT_EQ(Frac(B<CMine>(n).stock), Fraction(71, 3));
    }
}

TEST_F(RawSitesTest, EveryPortionIsPaidOnItsOwn) {
    // Two mines: units come in halves, three from each mine for three units;
    // each half of a unit costing 1,001 is paid 500.
    GoodsAt(5)->own_cost = 1001;
    const int32_t depot = Place(kTypeTruckDepot, 100, 100);
    Place(kTypeMine, 96, 96);
    Place(kTypeMine, 101, 96);
    CTerminal& t = B<CTerminal>(depot);
    t.Refresh();
    const int64_t cash = Cash();
    EXPECT_EQ(t.TakeGoods(5, 3, 0, 0), 3);
    EXPECT_EQ(Cash(), cash - 6 * 500);
    EXPECT_EQ(g_Statistics.PairThis(StatPair::G, 0), 6 * 500);
}

TEST_F(RawSitesTest, SitesSellOnlyTheirOwnGoodsAndRefillMonthly) {
    GS().mine_kind = 2;
    CMine& mine = B<CMine>(Place(kTypeMine, 10, 10));
    EXPECT_EQ(mine.GetProduct(), 7);
    EXPECT_EQ(mine.TakeGoods(5, 1, 1, 0), 0);
    EXPECT_EQ(mine.TakeGoods(7, 24, 1, 0), 24);
    EXPECT_EQ(mine.stock.product, -1);
    int32_t num = -5;
    int32_t den = -5;
    EXPECT_EQ(mine.GetStock(7, num, den), 0);
    EXPECT_EQ(mine.TakeGoods(7, 1, 2, 0), 0);
    mine.Update();
    EXPECT_EQ(mine.GetStock(7, num, den), 24);
    EXPECT_EQ(num, 24);
    EXPECT_EQ(den, 1);
    CSteelMill& steel = B<CSteelMill>(Place(kTypeSteelMill, 20, 10));
    EXPECT_EQ(steel.GetProduct(), -1);
    EXPECT_EQ(steel.TakeGoods(1, 1, 1, 0), 0);
    EXPECT_EQ(steel.TakeGoods(3, 1, 1, 0), 1);
    EXPECT_EQ(steel.GetProductCost(3), GoodsAt(3)->own_cost);
    EXPECT_EQ(steel.GetProductCost(1), 0);
    EXPECT_EQ(steel.GetDemolitionCost(20, 10), -1);
    EXPECT_EQ(FieldAt(23, 13)->laenge(), 1);
    EXPECT_EQ(mine.PutGoods(7, 1, 1), 0);
}

TEST_F(RawSitesTest, TheChemicalPlantIsHeardWhenInView) {
    CChemicalPlant& chem = B<CChemicalPlant>(Place(kTypeChemicalPlant, 10, 10));
    fvtest::RecordingSound& sound = game_.UseSound();
    chem.Update();
    EXPECT_TRUE(sound.effects.empty());
    view_.tile_in_view = 1;
    chem.Update();
    ASSERT_EQ(sound.effects.size(), 1u);
    EXPECT_EQ(sound.effects[0].effect, 23);
    EXPECT_EQ(sound.effects[0].channel, 3);
    EXPECT_EQ(sound.effects[0].pan, 7);
}

TEST_F(RawSitesTest, ALumberMillCutsItsOnlyForestFieldOnceAndStops) {
    Forest(12, 12, 5, 6);
    CLumberMill& mill = B<CLumberMill>(Place(kTypeLumberMill, 10, 15));
    // The first cut took the upper count: 96 wood, 24 of them in stock.
    EXPECT_EQ(WholeUnits(mill.stock), 24);
    EXPECT_EQ(mill.wood_left, 72);
    EXPECT_EQ(mill.last_x, 12);
    EXPECT_EQ(mill.last_y, 12);
    EXPECT_TRUE(FieldAt(12, 12)->forest_flag());
    EXPECT_EQ(FieldAt(12, 12)->data_word(), 6);
    EXPECT_EQ(mill.GetPeriodFigure(), 72 + 96);
    // Sold out and refilled every month from the wood cut.
    for (int32_t wood : {48, 24, 0}) {
        EXPECT_EQ(mill.TakeGoods(0, 24, 1, 0), 24);
        mill.Update();
        EXPECT_EQ(WholeUnits(mill.stock), 24);
        EXPECT_EQ(mill.wood_left, wood);
    }
    // The field was cut last and is skipped: nothing more to cut, so the
    // mill stops for good.
    EXPECT_EQ(mill.TakeGoods(0, 24, 1, 0), 24);
    mill.Update();
    EXPECT_EQ(mill.capacity, 0);
    EXPECT_EQ(mill.stock.product, -1);
    mill.Update();
    EXPECT_EQ(mill.capacity, 0);
    // A loaded game gives it the capacity of the decade again.
    mill.capacity = 48;
    mill.AfterLoad();
    EXPECT_EQ(mill.capacity, 24);
}

TEST_F(RawSitesTest, TwoForestFieldsAreCutInTurn) {
    Forest(12, 12, 1, 1);
    Forest(13, 12, 1, 0);
    CLumberMill& mill = B<CLumberMill>(Place(kTypeLumberMill, 10, 15));
    EXPECT_EQ(mill.last_x, 12);
    EXPECT_TRUE(mill.CutForest(false));
    EXPECT_EQ(mill.last_x, 13);
    EXPECT_FALSE(FieldAt(13, 12)->forest_flag());
    EXPECT_EQ(FieldAt(13, 12)->data_word(), 0);
    EXPECT_TRUE(mill.CutForest(true));
    EXPECT_EQ(mill.last_x, 12);
    EXPECT_FALSE(FieldAt(12, 12)->forest_flag());
    EXPECT_EQ(view_.redraws, 1);
    EXPECT_FALSE(mill.CutForest(false));
    EXPECT_EQ(mill.wood_left, 3 * 96 - 24);
}

TEST_F(RawSitesTest, AMillWithoutForestNeverProduces) {
    CLumberMill& mill = B<CLumberMill>(Place(kTypeLumberMill, 10, 15));
    EXPECT_EQ(mill.capacity, 0);
    mill.Update();
    EXPECT_EQ(WholeUnits(mill.stock), 0);
    EXPECT_EQ(mill.TakeGoods(0, 1, 1, 0), 0);
}

}  // namespace
}  // namespace econ
