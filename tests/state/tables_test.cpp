#include <gtest/gtest.h>

#include <cstring>

#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "support/game_scope.h"

namespace {

// Every row of a pick table holds exactly its classes, in order, and goods
// outside the table are no goods.
TEST(TablesTest, PickTablesHoldTheirRows) {
    fvtest::GameScope scope;
    CLookupTables tables;
    EXPECT_EQ(GoodsAt(-1), nullptr);
    EXPECT_EQ(GoodsAt(44), nullptr);
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
