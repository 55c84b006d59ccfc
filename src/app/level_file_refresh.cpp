// The steps of a load around the file walk: the teardown before reading,
// the season's tables, the mode fix-ups with the availability of career and
// mission levels, and the refresh of pictures, view and panel afterwards.

#include <cstring>
#include <string>

#include "app/level_file.h"
#include "app/level_records.h"
#include "economy/building_level.h"
#include "game/opponent_level.h"
#include "game/opponent_roster.h"
#include "panel/control_panel.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/statistics.h"
#include "state/world_images.h"
#include "transport/vehicle_level.h"
#include "view/world_view.h"

namespace {

constexpr uint16_t kNeverYear = 2079;

// A negative switch word of g_NewGameCounters takes a goods category out of
// a career or mission level: its goods and the store that sells them.
struct CategorySwitch {
    int32_t word;
    int32_t first_good;
    int32_t last_good;
    int32_t store_type;
};
constexpr CategorySwitch kCategorySwitches[] = {
    {kNgcLumber, 26, 28, kTypeFurnitureStore},
    {kNgcSports, 17, 25, kTypeSportsStore},
    {kNgcToys, 8, 16, kTypeToyStore},
    {kNgcJewelry, 29, 31, kTypeJeweler},
    {kNgcElectronics, 35, 43, kTypeElectronicsOutlet},
    {kNgcMotor, 32, 34, kTypeCarDealership},
};

// The building types whose introduction years words 7..12 carry, in order.
constexpr int32_t kLevelYearTypes[6] = {kTypeWoodIndustry,        kTypeSportsIndustry,
                                        kTypeToyIndustry,         kTypeJewelryIndustry,
                                        kTypeElectronicsIndustry, kTypeMotorIndustry};

void LoadObjectAndTreeImages() {
    LoadObjectImages();
    if (GetWorldImageHooks().load_tree_images != nullptr) GetWorldImageHooks().load_tree_images();
}

void RefreshAfterLevelRead() {
    CGameState& gs = *g_pGameState;
    if (GetLevelPictureHooks().load_object_images != nullptr) {
        GetLevelPictureHooks().load_object_images();
    }
    SPIEL_FELD* view = g_pSpielFeld;
    if (view != nullptr) view->SetupProjection();
    if (g_pHauptDialog != nullptr) {
        g_pHauptDialog->DrawSidebarCapital();
        g_pHauptDialog->DrawSidebarDate();
    }
    // Every field is drawn anew (the terrain object, once it exists, also
    // recomputes its per-field terrain values here).
    MarkAllFieldsChanged();
    if (view != nullptr) view->BlackenBackBuffers();
    gs.redraw_terrain = 1;
    gs.redraw_objects = 1;
    if (view == nullptr) return;
    if (view->zoom == 16) {
        if (g_pHauptDialog != nullptr) {
            std::memset(g_pHauptDialog->legend_flags, 1, sizeof g_pHauptDialog->legend_flags);
        }
        view->DrawOverviewMap();
    }
    view->RedrawView();
}

}  // namespace

LevelPictureHooks& GetLevelPictureHooks() {
    static LevelPictureHooks hooks;
    return hooks;
}

void InstallLevelPictureLoaders() {
    // The season's tile sheet, with or without the grid as the option stands;
    // the pictures reloaded after the read take the other one when the
    // file's display options turn the grid the other way.
    GetLevelPictureHooks().load_season_tiles = &LoadTileSheet;
    GetLevelPictureHooks().load_object_images = &LoadObjectAndTreeImages;
}

void TearDownForLevelRead(LevelWalkPart part) {
    CGameState& gs = *g_pGameState;
    // A level reads no opponent records: the opponents' plans of the world
    // that goes must not name the buildings and vehicles of the level's.
    if (part == LevelWalkPart::LevelStart) ForgetOpponentWorlds();
    DeleteAllVehicles();
    for (int32_t& count : gs.built_counts) count = 0;
    gs.schedule_words[1] = -1;
    gs.schedule_words[2] = -1;
    gs.ResetNewGameSettings();
    gs.construction_word = -1;
    if (g_pSpielFeld != nullptr) g_pSpielFeld->ForceFullRedraw();
    DeleteAllBuildings();
    // The game that starts has not reached its goal, whatever the last did,
    // and runs: a level read while the player's pause is on would otherwise
    // keep the pause, and the game read would start frozen, its clock still
    // and BUILD, WAYS, LAND and POINT refusing clicks, with only a mark in
    // the GAME list to say why.
    gs.goal_reached = 0;
    gs.user_pause = 0;
    if (part == LevelWalkPart::LevelStart) {
        ResetGameCounters();
        ClearStatistics();
        for (int32_t* option :
             {&gs.show_grid, &gs.show_trees, &gs.show_city_buildings, &gs.show_city_names,
              &gs.show_building_names, &gs.show_production}) {
            *option = 1;
        }
    }
}

void ReloadSeasonDependentTables() {
    if (GetLevelPictureHooks().load_season_tiles != nullptr) {
        GetLevelPictureHooks().load_season_tiles();
    }
    InitBuildingTypes();
    if (g_pSpielFeld != nullptr) g_pSpielFeld->ClearAnimations();
}

void ApplyLevelAvailability() {
    CGameState& gs = *g_pGameState;
    for (int32_t i = 0; i < 6; ++i) {
        const int32_t word = g_NewGameCounters.words[kNgcBuildingYearFirst + i];
        gs.building_types[kLevelYearTypes[i]].intro_year = static_cast<uint16_t>(word & 0xFFFF);
    }
    for (const CategorySwitch& category : kCategorySwitches) {
        if (g_NewGameCounters.words[category.word] >= 0) continue;
        for (int32_t good = category.first_good; good <= category.last_good; ++good) {
            gs.goods[good].available = 0;
        }
        gs.building_types[category.store_type].intro_year = kNeverYear;
    }
}

void FinishLevelRead(LevelWalkPart part) {
    CGameState& gs = *g_pGameState;
    if (part == LevelWalkPart::LevelStart) {
        // A level start: the opponents stay but rest, no bookmarks.
        ResetOpponentsForLevelStart();
        for (Bookmark& mark : gs.bookmarks) mark = {-1, -1};
    }
    if (gs.game_mode != kModeGame) StopOpponentTurns();
    if (gs.game_mode == kModeCareer || gs.game_mode == kModeMission) ApplyLevelAvailability();
    RefreshAfterLevelRead();
}
