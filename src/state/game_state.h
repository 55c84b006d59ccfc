#pragma once
// CGameState: all state of the running program that is not a window, a
// building, a vehicle or a city. One object, created at start-up and reached
// through g_pGameState; a new game or a loaded level refills it.
//
// It is an ordinary C++ record: level files write its blocks field by field
// (see state/le_io.h), never the object as a whole. Fields keep the names and
// the order of the game's design; a flag is a 32-bit word holding 0 or 1.

#include <cstdint>

#include "state/game_images.h"
#include "state/game_records.h"
#include "state/map_field.h"
#include "state/schedule_stop.h"
#include "state/statistics.h"

class COpponent;

constexpr int32_t kOpponentCount = 3;
constexpr int32_t kCompanyNameLength = 35;

// Data folders: 9 groups of 3 copies; group g uses entry g * 3 + install_index.
constexpr int32_t kDataPathGroups = 9;
constexpr int32_t kDataPathCopies = 3;
constexpr int32_t kDataPathCount = kDataPathGroups * kDataPathCopies;
constexpr int32_t kDataPathLength = 250;
enum DataPathGroup : int32_t {
    kPathBase = 0,      // screens, panel images, fonts, settings file
    kPathVehicles = 1,  // vehicle pictures
    kPathWorld = 2,     // world graphics
    kPathGraphics = 3,  // further graphics
    kPathSound = 4,     // "\fx"
    kPathMission = 5,   // "\mission"
    kPathScenario = 6,  // "\scenario"
    kPathCareer = 7,    // "\karriere"
    kPathSave = 8,      // "\save": saved games, best.sav
};

// Game modes (`game_mode`).
enum GameMode : int32_t {
    kModeEditor = 1,
    kModeGame = 2,  // free game, also continued, loaded or started from a scenario
    kModeCareer = 3,
    kModeMission = 4,
};

// Millisecond stamps of the main loop (differences are taken unsigned).
struct FrameTimers {
    uint32_t frame_time = 0;
    uint32_t frame_now = 0;
    uint32_t frame_elapsed = 0;
    uint32_t anim_time = 0;
    uint32_t anim_now = 0;
    uint32_t anim_elapsed = 0;
    uint32_t tick_time = 0;
    uint32_t tick_now = 0;
    uint32_t tick_elapsed = 0;
    uint32_t opponent_time = 0;
    uint32_t opponent_now = 0;
    uint32_t opponent_elapsed = 0;
};

// The last schedule confirmed for a new truck (kept while the program runs).
struct TruckScheduleMemory {
    int32_t opened_at_depot = 0;  // 1 when the screen was reached from a truck depot
    int32_t depot_x = 0;
    int32_t depot_y = 0;
    int32_t truck_variant = 0;
    ScheduleStop stops[10] = {};
    uint8_t goods[120] = {};  // sixty goods bytes, at every second byte
    int32_t wait_flags[10] = {};
    int32_t halt_flags[10] = {};
};

class CGameState {
  public:
    // Builds the empty record with the defaults before any game, then resets
    // g_NewGameCounters.
    CGameState();
    CGameState(const CGameState&) = delete;
    CGameState& operator=(const CGameState&) = delete;

    // Called before the object is freed at shutdown: releases every image
    // holder. The opponents are deleted first (DeleteOpponents).
    void Destroy();

    // The new-game settings as a running game is ended or a saved game is
    // read: the set-up choices back to their defaults, no building type
    // selected, the world generator's working values cleared.
    void ResetNewGameSettings();

    // The data folder of a group for the installation in use ("" for a group
    // outside 0..8).
    const char* DataPath(int32_t group) const;
    // "\spring", "\summer" or "\autumn" for season 1..3 ("" otherwise).
    const char* SeasonFolder(int32_t season_number) const;

    int32_t sound_enabled = 0;                    // settings key "Sound"
    COpponent* opponents[kOpponentCount] = {};    // players 1..3; null = none
    Bookmark bookmarks[kBookmarkCount];           // written whole in level files
    HighScoreEntry high_scores[kHighScoreCount];  // stored whole as best.sav
    OpponentProfile opponent_profiles[kOpponentProfileCount];
    char data_paths[kDataPathCount][kDataPathLength] = {};
    int32_t install_index = 1;  // 0..2
    int32_t sim_halted = 0;     // a dialog screen is open or the game has ended
    int32_t user_pause = 0;     // the player's pause
    int32_t city_growth_running = 0;
    char company_names[4][kCompanyNameLength] = {};  // written whole in level files
    int32_t lookup_words[6] = {};                    // set by the lookup tables: 1, 2, 6, 5, 3, 7
    int32_t week = 0;                                // tick within the month, 0..3
    int32_t taskbar_state = 0;
    int32_t schedule_words[3] = {0, -1, -1};  // schedule screen and level readers

    // State of the screens and the panel.
    int32_t start_screen_marker = 0;  // 1 while the load screen or set-up runs from the start
    int32_t text_from_menu = 0;       // the assignment text was opened from the panel
    int32_t level_start_pending = 0;  // a level is being started
    int32_t zoom_request = 0;         // zoom the view is asked to take: 1, 2, 4, 16
    int32_t pending_view_code = 0;    // 7 after a screen that leaves the view without a tool
    int32_t group_edit = 0;           // schedule opened with Shift
    int32_t schedule_source = 0;      // schedule or purchase opened from 0 a vehicle, 1 a depot
    int32_t last_overview_kind = 0;
    int32_t factory_overview_sort = 0;
    int32_t demolish_mode = 0;

    int32_t month = 0;  // 0..11, 0 = January
    int32_t month_word = 0;
    int32_t show_city_buildings = 1;
    int32_t show_city_names = 1;
    int32_t show_building_names = 1;
    int32_t show_production = 1;
    int32_t show_trees = 1;
    int32_t show_grid = 1;
    int32_t opt_animations = 1;  // settings key "Animationen"
    int32_t panel_side = 1;
    int32_t opt_music = 1;           // "Audio"
    int32_t opt_vehicle_sounds = 1;  // "Fahrzeug"
    int32_t opt_ambient_sounds = 1;  // "Umgebung"
    int32_t opt_seasons = 1;         // "Jahreszeiten"
    int32_t opt_city_traffic = 1;    // "Stadtverkehr"
    int32_t opt_autosave = 1;        // "Autosave"
    uint8_t opt_scroll_speed = 1;    // "Scrollspeed" (low 8 bits)
    int32_t active_opponent = -1;    // opponent whose turn runs, -1 none
    int32_t build_orientation = 0;   // 0..3
    int32_t word_two = 2;
    int32_t news_ids[5] = {-1, -1, -1, -1, -1};  // product, vehicle, building, business, opponent
    int32_t year = 1960;
    int32_t selected_object_type = 0;
    int32_t career_difficulty = 50;  // 50, 70 or 100
    int32_t view_dialog_words[4] = {};
    int32_t board_votes = 0;       // out of 100
    int32_t assignment_votes = 0;  // the board votes the finished career assignment earns
    int8_t active_event = -1;      // running market event, -1 none, -2 events off
    uint8_t event_pause = 11;      // months before a random market event may start
    int32_t built_counts[6] = {};  // placed factories of types 15, 17, 18, 19, 16, 14
    int32_t screen_open = 0;       // a full-screen or modal screen is open
    int32_t paused = 0;            // simulation and animation stopped
    uint8_t player_colors[4] = {};
    int32_t start_marker = 1;  // 1 until a game is continued from lastsave.lvl
    int32_t career_level = 0;
    int32_t goal_reached = 0;
    int32_t screen_width = 0;
    int32_t screen_height = 0;
    int32_t origin_x = 0;
    int32_t origin_y = 0;
    int32_t game_mode = 0;  // GameMode
    char season_folders[3][kDataPathLength] = {};
    BuildingType building_types[kBuildingTypeSlots] = {};
    VehicleModel vehicle_models[kVehicleModelSlots] = {};
    MarketEvent market_events[kMarketEventSlots] = {};
    uint8_t path_exit_mask[kMapFieldCount] = {};  // per-field exits for the path planners
    ScheduleStop schedule_edit[10] = {};          // working copy of the edited schedule
    TruckScheduleMemory truck_schedule_memory;
    FrameTimers timers;

    // City growth.
    int32_t size_class_thresholds[4] = {};  // residents for city size classes 1..4
    uint8_t target_mix[5][6] = {};          // percent per building class, by city size
    int32_t geb_einw[7] = {};               // residents per city-building class

    // New-game settings and the world generator's working values.
    int32_t city_size_choice = 0;   // 0..4
    int32_t names_list_number = 0;  // city names file number - 1
    int32_t mine_kind = 0;          // 0 gold, 1 silver, 2 diamonds
    int32_t forest_style = 0;
    int32_t forest_density = 0;
    int32_t way_kind = 2;
    int32_t ng_land = 2;
    int32_t ng_mountains = 2;
    int32_t ng_forests = 2;
    int32_t ng_towns = 2;
    int32_t ng_site_distance = 2;
    int32_t found_city_size = 0;
    int32_t regen_cities = 1;
    int32_t regen_industries = 1;
    int32_t regen_woods = 1;
    int32_t regen_world = 1;
    int32_t selected_building_type = -1;  // building type of the placement tool, -1 none
    int32_t placement_city = -1;          // city of the last accepted store or attraction site
    int32_t growth_target = 0;

    // Choices the purchase and overview screens keep while the program runs.
    int32_t last_truck_model = 0;
    int32_t last_rail_model_row = 0;
    int32_t last_monorail_model_row = 0;
    int32_t store_overview_filter[8] = {1, 1, 1, 1, 1, 1, 1, 1};

    int32_t shared_city_grid[27][27] = {};  // lent to one city at a time
    int32_t rotation = 0;                   // map rotation 0..3; saved
    int32_t view_width = 0;
    int32_t view_height = 0;
    GameImages images;
    int32_t season = 3;  // 1..3; saved
    int32_t construction_word = 0;
    int32_t redraw_terrain = 0;
    int32_t redraw_objects = 0;
    MapField fields[kMapFieldCount] = {};  // record of (x, y) at x * 256 + y
    GoodsRecord goods[kGoodsCount] = {};
    int64_t cash[kPlayerCount] = {300000, 0, 0, 0};  // written whole in level files
    int64_t cash_shown[kPlayerCount] = {300000, 0, 0, 0};
};

extern CGameState* g_pGameState;
