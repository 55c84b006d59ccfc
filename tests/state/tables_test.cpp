#include <gtest/gtest.h>

#include <cstring>

#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "support/game_scope.h"

namespace {

// The production cost of a made good is derived when the tables are built:
// its own cost plus its inputs' costs (one good keeps its table value).
TEST(TablesTest, ProductionCostsAreDerivedFromTheInputs) {
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    CLookupTables tables;
    for (int i = kRawMaterialCount; i < kGoodsCount; ++i) {
        const GoodsRecord& g = gs.goods[i];
        int32_t sum = g.own_cost;
        for (int k = 0; k < 3; ++k) {
            if (g.inputs[k] == kNoGood) continue;
            const GoodsRecord& in = gs.goods[g.inputs[k]];
            sum += g.input_amounts[k] *
                   (g.inputs[k] < kRawMaterialCount ? in.own_cost : in.production_cost);
        }
        EXPECT_EQ(g.production_cost, i == 31 ? sum + 270 : sum) << i;
    }
    EXPECT_EQ(GoodsAt(-1), nullptr);
    EXPECT_EQ(GoodsAt(44), nullptr);
    // Every row of a pick table holds exactly its classes, in order.
    for (int row = 0; row < kPickTableCount; ++row) {
        int counts[kPickClasses] = {};
        for (int i = 0; i < kPickTableSize; ++i) {
            ASSERT_LT(tables.pick_tables[row][i], kPickClasses);
            ASSERT_LE(tables.pick_tables[row][i > 0 ? i - 1 : 0], tables.pick_tables[row][i]);
            ++counts[tables.pick_tables[row][i]];
        }
        for (int c = 0; c < kPickClasses; ++c)
            EXPECT_EQ(counts[c], CLookupTables::kPickRows[row][c]) << row;
    }
}

TEST(GameStateDefaultsTest, NamesFitAndTheDataPathFallsBackToTheFirstCopy) {
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    for (const OpponentProfile& profile : gs.opponent_profiles)
        EXPECT_LT(std::strlen(profile.name), static_cast<size_t>(kCompanyNameLength));
    std::strcpy(gs.data_paths[kPathSave * 3 + 0], "copy0");
    std::strcpy(gs.data_paths[kPathSave * 3 + 1], "copy1");
    gs.install_index = 1;
    EXPECT_STREQ(gs.DataPath(kPathSave), "copy1");
    gs.install_index = 7;  // out of range: the first copy
    EXPECT_STREQ(gs.DataPath(kPathSave), "copy0");
    EXPECT_STREQ(gs.DataPath(9), "");
    EXPECT_STREQ(gs.DataPath(-1), "");
}

}  // namespace
