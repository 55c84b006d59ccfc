#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "app/data_tables.h"
#include "app/game_state.h"
#include "app/lookup_tables.h"
#include "support/game_state_scope.h"

namespace {

class TablesTest : public ::testing::Test {
  protected:
    GameStateScope scope;
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

TEST_F(TablesTest, GoodsTextsAndSpecialValues) {
    EXPECT_STREQ(gs.goods[11].name, "Plastic cars ");
    EXPECT_STREQ(gs.goods[11].upper_name, "PLASTIC CARS");
    EXPECT_STREQ(gs.goods[32].upper_name, "CARS (MOD.80");
    EXPECT_STREQ(gs.goods[38].name, "Electron.components");
    EXPECT_EQ(gs.goods[38].demand_per_1000, 500000);
    EXPECT_EQ(gs.goods[38].store_type, 0);
    EXPECT_EQ(gs.goods[10].decline_year_1, 1980);
    EXPECT_EQ(gs.goods[10].decline_percent_1, 80);
    EXPECT_EQ(gs.goods[10].decline_year_2, 1985);
    EXPECT_EQ(gs.goods[10].decline_percent_2, 60);
    EXPECT_EQ(gs.goods[0].mark, 1);
    for (int i : {2, 3, 4}) EXPECT_EQ(gs.goods[i].mark, 2);
    EXPECT_EQ(gs.goods[43].intro_year, 2029);
    // Stores sell the goods of their industry.
    for (int i = kRawMaterialCount; i < kGoodsCount; ++i) {
        const int kind = gs.goods[i].producer_kind;
        EXPECT_GE(kind, kProducerMotor);
        EXPECT_LE(kind, kProducerJewelry);
    }
    EXPECT_EQ(GoodsAt(-1), nullptr);
    EXPECT_EQ(GoodsAt(44), nullptr);
    EXPECT_EQ(GoodsAt(43), &gs.goods[43]);
}

TEST_F(TablesTest, BuildingTypesAndGroups) {
    EXPECT_STREQ(gs.building_types[0].type_name, "Truck-Depot");
    EXPECT_STREQ(gs.building_types[25].type_name, "Elecectronic outlet");
    EXPECT_EQ(gs.building_types[14].build_price, 1130000);
    EXPECT_EQ(gs.building_types[14].floor_width, 5);
    EXPECT_EQ(gs.building_types[30].floor_width, 2);
    EXPECT_EQ(gs.building_types[30].floor_depth, 3);
    EXPECT_STREQ(gs.building_types[31].image_suffix, "_33");
    EXPECT_EQ(gs.building_types[11].zone_size, 4);
    for (int t = 0; t < kBuildingTypeCount; ++t) EXPECT_EQ(gs.building_types[t].intro_year, 1959);
    EXPECT_EQ(gs.building_types[32].floor_width, 0);  // the spare record stays empty

    const int expected[32] = {0,  0,  0,  0,  1,  1,  17, 17, 17, 17, 5,  6,  8,  7,  9,  10,
                              11, 12, 13, 14, 15, 16, 16, 16, 16, 16, 16, -1, -1, -1, -1, -1};
    for (int t = 0; t < 32; ++t) EXPECT_EQ(GetBuildingGroup(t), expected[t]) << t;
    EXPECT_EQ(GetBuildingGroup(-2), -2);
    EXPECT_EQ(GetBuildingGroup(-1), -1);
    EXPECT_EQ(GetBuildingGroup(40), -1);
}

TEST_F(TablesTest, VehicleModels) {
    for (int m : {0, 1, 2, 10}) EXPECT_EQ(gs.vehicle_models[m].model_year, 1959u) << m;
    EXPECT_EQ(gs.vehicle_models[18].model_year, 2010u);
    EXPECT_STREQ(gs.vehicle_models[10].model_name, "SGB \"Fox\" V24");
    EXPECT_STREQ(gs.vehicle_models[18].model_description, "Superconductor (long distance)");
    EXPECT_EQ(gs.vehicle_models[9].model_price, 12200u);
    // Trucks: B on flat roads, D on slopes; rail: A on flat track, B on grades.
    EXPECT_EQ(gs.vehicle_models[0].speed_b, 2);
    EXPECT_EQ(gs.vehicle_models[0].speed_d, 1);
    EXPECT_EQ(gs.vehicle_models[10].speed_a, 2);
    EXPECT_EQ(gs.vehicle_models[10].speed_b, 1);
    EXPECT_EQ(gs.vehicle_models[12].model_byte_a, 2);
    EXPECT_EQ(gs.vehicle_models[19].model_price, 0u);
}

TEST_F(TablesTest, GameStateStartValues) {
    EXPECT_STREQ(gs.SeasonFolder(1), "\\spring");
    EXPECT_STREQ(gs.SeasonFolder(3), "\\autumn");
    EXPECT_STREQ(gs.SeasonFolder(0), "");
    EXPECT_STREQ(gs.SeasonFolder(4), "");
    const int32_t words[6] = {1, 2, 6, 5, 3, 7};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(gs.lookup_words[i], words[i]);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(gs.player_colors[i], i);
    const int32_t einw[7] = {9, 40, 80, 160, 320, 640, 20};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(gs.geb_einw[i], einw[i]);
    EXPECT_EQ(gs.size_class_thresholds[3], 6000);
    EXPECT_EQ(gs.target_mix[4][5], 3);
    EXPECT_EQ(gs.selected_building_type, -1);
    EXPECT_EQ(gs.ng_site_distance, 2);
    EXPECT_EQ(gs.regen_world, 1);
    EXPECT_EQ(gs.view_width, 620);
    EXPECT_EQ(gs.view_height, 438);
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
    EXPECT_EQ(tables.pick_tables[9][99], 10);
    EXPECT_EQ(tables.type_list_a[6], -1);
    EXPECT_EQ(tables.type_list_b[7], -1);
    EXPECT_EQ(tables.balance_sequence[0], 27);
    EXPECT_EQ(tables.balance_sequence[104], 18);
    for (int v : tables.balance_sequence) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 30);
    }
    EXPECT_EQ(tables.balance_percents[11], 30);
    EXPECT_EQ(tables.balance_percents[12], 100);
    EXPECT_EQ(tables.price_steps[5], 0);
    EXPECT_EQ(tables.price_steps[10], 50);
    EXPECT_EQ(tables.advertising[3], -50);
}

TEST(GameStateDefaultsTest, ConstructorValues) {
    GameStateScope scope;
    CGameState& gs = scope.state();
    EXPECT_EQ(gs.install_index, 1);
    EXPECT_STREQ(gs.company_names[0], "Player 1");
    EXPECT_STREQ(gs.high_scores[9].name, "No entry");
    EXPECT_EQ(gs.high_scores[0].points, 0u);
    for (const Bookmark& b : gs.bookmarks) {
        EXPECT_EQ(b.x, -1);
        EXPECT_EQ(b.y, -1);
    }
    EXPECT_EQ(gs.cash[0], 300000);
    EXPECT_EQ(gs.cash_shown[0], 300000);
    EXPECT_EQ(gs.year, 1960);
    EXPECT_EQ(gs.active_event, -1);
    EXPECT_EQ(gs.event_pause, 11);
    EXPECT_EQ(gs.active_opponent, -1);
    EXPECT_EQ(gs.news_ids[4], -1);
    EXPECT_EQ(gs.season, 3);
    EXPECT_EQ(gs.start_marker, 1);
    EXPECT_EQ(gs.images.palette_word, 1);
    const int32_t capital[5] = {1000000, 850000, 700000, 550000, 400000};
    for (int p = 0; p < kOpponentProfileCount; ++p) {
        const OpponentProfile& profile = gs.opponent_profiles[p];
        EXPECT_EQ(profile.turn_interval, 2 * (p + 1));
        EXPECT_EQ(profile.start_capital, capital[p]);
        EXPECT_EQ(profile.founding_year, 1959);
        EXPECT_EQ(profile.value_100, 100);
        EXPECT_GT(std::strlen(profile.name), 0u);
        EXPECT_LT(std::strlen(profile.name), static_cast<size_t>(kCompanyNameLength));
    }
    EXPECT_EQ(g_NewGameCounters.words[kNgcMoney], 300000);
}

TEST(GameStateDefaultsTest, DataPathUsesTheInstallationCopy) {
    GameStateScope scope;
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
