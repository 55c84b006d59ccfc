// Raw-material sites: capacities by decade, buying in portions, the monthly
// refill and the lumber mill's cutting of its forest.

#include <gtest/gtest.h>

#include "economy/chemical_plant.h"
#include "economy/lumber_mill.h"
#include "economy/mine.h"
#include "economy/steel_mill.h"
#include "economy/terminal.h"
#include "economy_fixture.h"
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

TEST_F(RawSitesTest, CapacitiesGrowWithTheDecadeAndSitesSellOnlyTheirOwnGoods) {
    GS().year = 1975;
    GS().mine_kind = 2;
    CChemicalPlant& chem = B<CChemicalPlant>(Place(kTypeChemicalPlant, 10, 10));
    CSteelMill& steel = B<CSteelMill>(Place(kTypeSteelMill, 30, 10));
    CMine& mine = B<CMine>(Place(kTypeMine, 40, 10));
    EXPECT_EQ(mine.TakeGoods(5, 1, 1, 0), 0);  // the mine of this game gives good 7
    EXPECT_EQ(mine.TakeGoods(7, 24, 1, 0), 24);
    EXPECT_EQ(mine.stock.product, -1);
    EXPECT_EQ(mine.PutGoods(7, 1, 1), 0);
    EXPECT_EQ(steel.TakeGoods(1, 1, 1, 0), 0);
    EXPECT_EQ(steel.TakeGoods(3, 1, 1, 0), 1);
    EXPECT_EQ(steel.GetDemolitionCost(30, 10), -1);
    Table().UpdateRawMaterialSites();
    EXPECT_EQ(WholeUnits(chem.stock), 45);
    EXPECT_EQ(WholeUnits(steel.stock[1]), 41);
    EXPECT_EQ(WholeUnits(mine.stock), kMineCapacity);
    EXPECT_EQ(mine.stock.product, 7);
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
    EXPECT_EQ(Cash(), cash - 6 * 500);
    EXPECT_EQ(g_Statistics.PairThis(StatPair::G, 0), 6 * 500);
    for (int32_t n : mines) EXPECT_EQ(WholeUnits(B<CMine>(n).stock), 22) << n;
    // A third mine: thirds, charged to the buyer (player 2).
    const int32_t third = Place(kTypeMine, 96, 102);
    t.Refresh();
    EXPECT_EQ(t.TakeGoods(5, 1, 0, 2), 1);
    EXPECT_EQ(Cash(), cash - 6 * 500);
    EXPECT_EQ(GS().cash[2], -6 * 166);  // in sixths, each paid on its own
    EXPECT_EQ(Frac(B<CMine>(third).stock), Fraction(71, 3));
}

TEST_F(RawSitesTest, TheChemicalPlantIsHeardWhenInView) {
    CChemicalPlant& chem = B<CChemicalPlant>(Place(kTypeChemicalPlant, 10, 10));
    fvtest::RecordingSound& sound = game_.UseSound();
    chem.Update();
    EXPECT_TRUE(sound.effects.empty());
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
    EXPECT_EQ(WholeUnits(mill.stock), 24);
    EXPECT_EQ(mill.wood_left, 72);
    EXPECT_EQ(FieldAt(12, 12)->data_word(), 6);
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
    mill.Update();
    EXPECT_EQ(mill.capacity, 0);
    EXPECT_EQ(mill.stock.product, -1);
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
    EXPECT_EQ(mill.last_x, 13);
    EXPECT_FALSE(FieldAt(13, 12)->forest_flag());
    EXPECT_TRUE(mill.CutForest(true));
    EXPECT_EQ(mill.last_x, 12);
    EXPECT_FALSE(FieldAt(12, 12)->forest_flag());
    EXPECT_EQ(view_.redraws, 1);
    EXPECT_FALSE(mill.CutForest(false));
    EXPECT_EQ(mill.wood_left, 3 * 96 - 24);

    CLumberMill& bare = B<CLumberMill>(Place(kTypeLumberMill, 100, 150));
    bare.Update();
    EXPECT_EQ(bare.capacity, 0);
    EXPECT_EQ(bare.TakeGoods(0, 1, 1, 0), 0);
}

}  // namespace
}  // namespace econ
