#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "support/game_scope.h"

namespace {

class TablesTest : public ::testing::Test {
  protected:
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    CLookupTables tables;  // fills every table of the game state
};

TEST_F(TablesTest, GoodsAvailableFromTheStart) {
    std::set<int> available;
    for (int i = 0; i < kGoodsCount; ++i) {
        if (gs.goods[i].available) available.insert(i);
    }
    EXPECT_EQ(available,
              (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17, 18, 26, 27, 29, 30, 31}));
}

TEST_F(TablesTest, ProductionCostIsOwnCostPlusInputs) {
    for (int i = kRawMaterialCount; i < kGoodsCount; ++i) {
        SCOPED_TRACE(i);
        const GoodsRecord& g = gs.goods[i];
        int32_t sum = g.own_cost;
        for (int k = 0; k < 3; ++k) {
            if (g.inputs[k] == kNoGood) {
                EXPECT_EQ(g.input_amounts[k], 0);
                continue;
            }
            ASSERT_LT(g.inputs[k], kGoodsCount);
            const GoodsRecord& in = gs.goods[g.inputs[k]];
            sum += g.input_amounts[k] *
                   (g.inputs[k] < kRawMaterialCount ? in.own_cost : in.production_cost);
        }
        // Good 31 keeps its table value, 270 above its inputs.
        if (i == 31) {
            EXPECT_EQ(sum, 21697);
            EXPECT_EQ(g.production_cost, 21967);
        } else {
            EXPECT_EQ(g.production_cost, sum);
        }
    }
    for (int i = 0; i < kRawMaterialCount; ++i) {
        EXPECT_EQ(gs.goods[i].production_cost, 0);
        EXPECT_EQ(gs.goods[i].price, 0);
        EXPECT_EQ(gs.goods[i].inputs[0], kNoGood);
    }
}

TEST_F(TablesTest, GoodsKeptAsGivenAndIndexedSafely) {
    EXPECT_STREQ(gs.goods[11].name, "Plastic cars ");  // trailing space kept
    EXPECT_STREQ(gs.goods[11].upper_name, "PLASTIC CARS");
    EXPECT_EQ(gs.goods[38].demand_per_1000, 500000);  // residents per unit of demand
    for (int i = kRawMaterialCount; i < kGoodsCount; ++i) {
        const int kind = gs.goods[i].producer_kind;
        EXPECT_GE(kind, kProducerMotor);
        EXPECT_LE(kind, kProducerJewelry);
    }
    EXPECT_EQ(GoodsAt(-1), nullptr);
    EXPECT_EQ(GoodsAt(44), nullptr);
    EXPECT_EQ(GoodsAt(43), &gs.goods[43]);
}

TEST_F(TablesTest, BuildingGroupsAndModelSpeeds) {
    for (int t = 0; t < kBuildingTypeCount; ++t) EXPECT_EQ(gs.building_types[t].intro_year, 1959);
    const int expected[32] = {0,  0,  0,  0,  1,  1,  17, 17, 17, 17, 5,  6,  8,  7,  9,  10,
                              11, 12, 13, 14, 15, 16, 16, 16, 16, 16, 16, -1, -1, -1, -1, -1};
    for (int t = 0; t < 32; ++t) EXPECT_EQ(GetBuildingGroup(t), expected[t]) << t;
    EXPECT_EQ(GetBuildingGroup(-2), -2);
    EXPECT_EQ(GetBuildingGroup(-1), -1);
    EXPECT_EQ(GetBuildingGroup(40), -1);
    // Trucks: B on flat roads, D on slopes; rail: A on flat track, B on grades.
    EXPECT_EQ(gs.vehicle_models[0].speed_b, 2);
    EXPECT_EQ(gs.vehicle_models[0].speed_d, 1);
    EXPECT_EQ(gs.vehicle_models[10].speed_a, 2);
    EXPECT_EQ(gs.vehicle_models[10].speed_b, 1);
    const int32_t einw[7] = {9, 40, 80, 160, 320, 640, 20};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(gs.geb_einw[i], einw[i]);
}

TEST_F(TablesTest, PickTablesHoldExactlyTheirRows) {
    for (int row = 0; row < kPickTableCount; ++row) {
        SCOPED_TRACE(row);
        int sum = 0;
        for (int c = 0; c < kPickClasses; ++c) sum += CLookupTables::kPickRows[row][c];
        EXPECT_EQ(sum, kPickTableSize);
        int counts[kPickClasses] = {};
        for (int i = 0; i < kPickTableSize; ++i) {
            ASSERT_LT(tables.pick_tables[row][i], kPickClasses);
            if (i > 0) {
                EXPECT_LE(tables.pick_tables[row][i - 1], tables.pick_tables[row][i]);
            }
            ++counts[tables.pick_tables[row][i]];
        }
        for (int c = 0; c < kPickClasses; ++c)
            EXPECT_EQ(counts[c], CLookupTables::kPickRows[row][c]);
    }
    for (int v : tables.balance_sequence) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 30);
    }
}

TEST(GameStateDefaultsTest, OpponentProfilesHaveNamesThatFit) {
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    for (int p = 0; p < kOpponentProfileCount; ++p) {
        const OpponentProfile& profile = gs.opponent_profiles[p];
        EXPECT_EQ(profile.turn_interval, 2 * (p + 1));
        EXPECT_GT(std::strlen(profile.name), 0u);
        EXPECT_LT(std::strlen(profile.name), static_cast<size_t>(kCompanyNameLength));
    }
    for (const Bookmark& b : gs.bookmarks) EXPECT_EQ(b.x, -1);
}

TEST(GameStateDefaultsTest, DataPathUsesTheInstallationCopy) {
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
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
