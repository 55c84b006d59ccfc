// Factories: production by recipe, its bounds and cost, and the products.

#include <gtest/gtest.h>

#include "economy/factory.h"
#include "economy/factory_types.h"
#include "economy_fixture.h"
#include "state/data_tables.h"
#include "state/statistics.h"

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
    EXPECT_EQ(WholeUnits(Stock(f, kFurniture)), 3);
    EXPECT_EQ(WholeUnits(Stock(f, kWood)), 1);
    EXPECT_EQ(f.FindGoodsSlot(kSteel), -1);  // used up: the slot is free again
    const int32_t paid = 3 * GoodsAt(kFurniture)->own_cost;
    EXPECT_EQ(Cash(), cash - paid);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::TotalCosts, 0), costs + paid);
    EXPECT_EQ(g_Statistics.PairThis(StatPair::G, 0), paid);
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
    EXPECT_EQ(f.AcceptsProduct(kWood), 0);
    EXPECT_EQ(f.AcceptsProduct(kSteel), 1);
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
    EXPECT_EQ(f.FindGoodsSlot(kFurniture), -1);
    EXPECT_EQ(WholeUnits(Stock(f, kWood)), 4);
    EXPECT_EQ(f.PutGoods(11, 3, 1), 3);
    EXPECT_EQ(f.FindGoodsSlot(11), -1);
}

}  // namespace
}  // namespace econ
