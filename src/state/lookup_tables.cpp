#include "state/lookup_tables.h"

#include <cstdio>

#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/market_events.h"

CLookupTables* g_pLookupTables = nullptr;

// clang-format off
const uint8_t CLookupTables::kPickRows[kPickTableCount][kPickClasses] = {
    {30, 10, 30, 10, 10, 10, 0, 0, 0, 0, 0},
    {25, 5, 30, 5, 5, 15, 15, 0, 0, 0, 0},
    {0, 0, 10, 15, 15, 30, 30, 0, 0, 0, 0},
    {0, 0, 10, 5, 5, 35, 35, 10, 0, 0, 0},
    {0, 0, 10, 0, 0, 30, 30, 30, 0, 0, 0},
    {30, 40, 30, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 30, 30, 10, 10, 10, 10, 0, 0, 0, 0},
    {0, 0, 0, 25, 25, 25, 25, 0, 0, 0, 0},
    {0, 0, 0, 15, 15, 15, 15, 5, 0, 5, 30},
    {0, 0, 0, 0, 0, 0, 10, 10, 10, 5, 65},
    {5, 25, 0, 20, 50, 0, 0, 0, 0, 0, 0},
    {0, 5, 25, 10, 60, 0, 0, 0, 0, 0, 0},
    {0, 0, 20, 0, 45, 25, 10, 0, 0, 0, 0},
    {0, 0, 5, 0, 40, 40, 10, 5, 0, 0, 0},
    {0, 0, 0, 0, 30, 30, 20, 20, 0, 0, 0},
};

namespace {

const int32_t kBalanceSequence[kBalanceSequenceLength] = {
    27, 18, 7, 7, 15, 2, 5, 13, 17, 0, 4, 19, 14, 16, 6, 7, 17, 14, 8, 11, 29, 0, 15, 19, 27,
    16, 5, 0, 20, 11, 9, 17, 19, 1, 7, 17, 16, 15, 7, 1, 18, 10, 4, 4, 22, 17, 6, 0, 17, 2,
    11, 8, 30, 16, 14, 0, 24, 15, 9, 2, 24, 1, 15, 17, 24, 2, 4, 13, 14, 15, 6, 4, 14, 2, 8,
    16, 23, 18, 12, 1, 22, 17, 12, 1, 26, 0, 13, 15, 25, 3, 14, 15, 23, 16, 14, 1, 24, 1, 6,
    15, 18, 16, 7, 0, 18,
};
// clang-format on

constexpr uint8_t kColours[5] = {226, 231, 236, 241, 246};
constexpr int8_t kPriceSteps[11] = {-30, -25, -20, -15, -10, 0, 10, 20, 30, 40, 50};
constexpr int8_t kAdvertising[4] = {0, -10, -35, -50};
constexpr int32_t kTypeListA[7] = {3, 6, 16, 22, 19, 9, -1};
constexpr int32_t kTypeListB[8] = {21, 6, 9, 19, 25, 15, 14, -1};

constexpr int32_t kSizeClassThresholds[4] = {400, 1500, 3000, 6000};
constexpr uint8_t kTargetMix[5][6] = {
    {40, 60, 0, 0, 0, 0},   {40, 40, 20, 0, 0, 0},   {35, 35, 20, 10, 0, 0},
    {30, 25, 30, 10, 5, 0}, {22, 20, 30, 15, 10, 3},
};
constexpr int32_t kGebEinw[7] = {9, 40, 80, 160, 320, 640, 20};
constexpr int32_t kLookupWords[6] = {1, 2, 6, 5, 3, 7};
constexpr const char* kSeasonFolders[3] = {"\\spring", "\\summer", "\\autumn"};

}  // namespace

CLookupTables::CLookupTables() {
    InitGameStateDefaults();
    for (int32_t i = 0; i < 5; ++i) colours[i] = kColours[i];
    for (int32_t i = 0; i < 11; ++i) price_steps[i] = kPriceSteps[i];
    for (int32_t i = 0; i < 4; ++i) advertising[i] = kAdvertising[i];
    InitBalanceTables();
    InitFlatPaths();
    InitPathOffsetsB();
    InitPathOffsetsA();
    InitSpriteFrames();
    InitTurnFrames();
    InitViewTables();
}

void CLookupTables::InitGameStateDefaults() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    for (int32_t i = 0; i < 3; ++i) {
        std::snprintf(gs->season_folders[i], kDataPathLength, "%s", kSeasonFolders[i]);
    }
    for (int32_t i = 0; i < 6; ++i) gs->lookup_words[i] = kLookupWords[i];
    gs->rotation = 0;
    for (int32_t i = 0; i < 4; ++i) gs->player_colors[i] = static_cast<uint8_t>(i);

    // New-game settings.
    gs->city_size_choice = 0;
    gs->names_list_number = 0;
    gs->mine_kind = 0;
    gs->forest_style = 0;
    gs->forest_density = 0;
    gs->way_kind = 2;
    gs->ng_land = 2;
    gs->ng_mountains = 2;
    gs->ng_forests = 2;
    gs->ng_towns = 2;
    gs->ng_site_distance = 2;
    gs->found_city_size = 0;
    gs->regen_cities = 1;
    gs->regen_industries = 1;
    gs->regen_woods = 1;
    gs->regen_world = 1;
    gs->selected_building_type = -1;

    // City growth.
    for (int32_t i = 0; i < 4; ++i) gs->size_class_thresholds[i] = kSizeClassThresholds[i];
    for (int32_t s = 0; s < 5; ++s) {
        for (int32_t c = 0; c < 6; ++c) gs->target_mix[s][c] = kTargetMix[s][c];
    }
    for (int32_t i = 0; i < 7; ++i) gs->geb_einw[i] = kGebEinw[i];

    gs->view_width = 620;
    gs->view_height = 438;

    InitBuildingTypes();
    InitGoodsTable();
    InitMarketEvents();
    InitVehicleModels();
}

void CLookupTables::InitBalanceTables() {
    for (int32_t i = 0; i < 7; ++i) type_list_a[i] = kTypeListA[i];
    for (int32_t i = 0; i < 8; ++i) type_list_b[i] = kTypeListB[i];
    for (int32_t i = 0; i < kBalanceSequenceLength; ++i) balance_sequence[i] = kBalanceSequence[i];
    constexpr uint8_t kPercents[4] = {90, 70, 50, 30};
    for (int32_t i = 0; i < 12; ++i) balance_percents[i] = kPercents[i % 4];
    for (int32_t i = 12; i < 24; ++i) balance_percents[i] = 100;

    // Each row becomes a table of exactly 100 classes: class c written as
    // many times as the row's entry c says, classes in ascending order.
    for (int32_t row = 0; row < kPickTableCount; ++row) {
        int32_t n = 0;
        for (int32_t c = 0; c < kPickClasses; ++c) {
            for (int32_t k = 0; k < kPickRows[row][c] && n < kPickTableSize; ++k) {
                pick_tables[row][n++] = static_cast<uint8_t>(c);
            }
        }
    }
}
