#include "levels/standin_levels.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/level_file.h"
#include "app/settings.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "game/opponent_roster.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/market_events.h"
#include "state/statistics.h"
#include "world/new_world.h"
#include "world/terrain.h"

namespace standin {
namespace {

// One world of the generator: its seed and the new-game levels it uses.
struct WorldRecipe {
    uint32_t seed;
    int32_t season;
    int32_t land, mountains, forests, towns, sites;
};
constexpr WorldRecipe kWorlds[] = {
    {1101, 3, 2, 2, 2, 2, 2},
    {2202, 2, 3, 1, 2, 3, 1},
    {3303, 1, 1, 3, 3, 1, 3},
};

struct LevelRecipe {
    const char* path;  // relative to the data folder
    int32_t world;     // index into kWorlds
    int64_t capital;
    int32_t mode;  // the game mode the level starts in
};

// The career's assignments start poorer as they grow harder.
std::vector<LevelRecipe> Levels() {
    std::vector<LevelRecipe> levels;
    static const char* const kCareer[10] = {
        "karriere/k0_0.lvl", "karriere/k0_1.lvl", "karriere/k0_2.lvl", "karriere/k0_3.lvl",
        "karriere/k0_4.lvl", "karriere/k0_5.lvl", "karriere/k0_6.lvl", "karriere/k0_7.lvl",
        "karriere/k0_8.lvl", "karriere/k0_9.lvl"};
    for (int32_t a = 0; a < 10; ++a) {
        levels.push_back({kCareer[a], a % 3, 500000 - 20000 * a, kModeCareer});
    }
    levels.push_back({"mission/m0_0.lvl", 0, 400000, kModeMission});
    levels.push_back({"mission/m0_1.lvl", 1, 300000, kModeMission});
    levels.push_back({"mission/m1_0.lvl", 2, 200000, kModeMission});
    levels.push_back({"mission/m2_0.lvl", 1, 350000, kModeMission});
    levels.push_back({"scenario/s0_0.lvl", 1, 1000000, kModeGame});
    levels.push_back({"scenario/s0_1.lvl", 2, 500000, kModeGame});
    return levels;
}

std::string Amount(int64_t value) {
    const std::string digits = std::to_string(value);
    const size_t n = digits.size();
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// The lines of a text file, joined by CR LF.
std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

struct TextFile {
    std::string path;
    std::string text;
};

std::vector<TextFile> Texts() {
    std::vector<TextFile> texts;
    for (int32_t a = 0; a < 10; ++a) {
        char path[32];
        std::snprintf(path, sizeof path, "karriere/k0_%d.txt", a);
        texts.push_back({path, Lines({"Assignment " + std::to_string(a + 1) + " of 10", "",
                                      "The board asks you to raise the company value to",
                                      Amount(AssignmentGoal(a, 50)) + " on the easy career,",
                                      Amount(AssignmentGoal(a, 70)) + " on the medium career and",
                                      Amount(AssignmentGoal(a, 100)) + " on the hard career.", "",
                                      "Each assignment you finish wins board votes."})});
    }
    const std::string goal = "Goal: a company value of " + Amount(kMissionGoal) + ".";
    texts.push_back({"mission/m0_0.txt",
                     Lines({"Harbour trade", "", "Empty shelves? Don't let the stores run dry:",
                            "carry goods from the harbour industries to the",
                            "cities inland. A gravel road and two truck",
                            "depots are all it takes to start.", "", goal})});
    texts.push_back(
        {"mission/m0_1.txt", Lines({"Mountain pass", "", "The mines lie high in the mountains; the",
                                    "factories wait in the valley. Lay a road",
                                    "over the pass and keep the trucks going.", "", goal})});
    texts.push_back(
        {"mission/m1_0.txt", Lines({"River towns", "", "Three towns along a river have no store",
                                    "of yours yet. Build a chain from wood to",
                                    "furniture and sell in every town.", "", goal})});
    texts.push_back(
        {"mission/m2_0.txt", Lines({"Rails by the lake", "", "The towns by the lake are far apart:",
                                    "too far for trucks to pay. Build two train",
                                    "stations, lay rails into their platforms and",
                                    "buy a train at one of them.", "", goal})});
    texts.push_back({"mission/m0_0.dir", Lines({"Harbour trade"})});
    texts.push_back({"mission/m0_1.dir", Lines({"Mountain pass"})});
    // Each title fits its row of the mission list, and each of the list's
    // three groups holds a mission: an empty group's OK leads back to the
    // title.
    texts.push_back({"mission/m1_0.dir", Lines({"River towns"})});
    texts.push_back({"mission/m2_0.dir", Lines({"Rails by the lake"})});
    texts.push_back({"scenario/s0_0.dir", Lines({"Open country"})});
    texts.push_back({"scenario/s0_1.dir", Lines({"Spring in the hills"})});
    return texts;
}

bool WriteText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

// The game's objects that a level needs, for the time of the writing.
class LevelWorkshop {
  public:
    explicit LevelWorkshop(const std::string& folder) {
        g_pGameState = new CGameState;
        RecreateOpponents();
        BuildDataPaths(folder);
        g_pLookupTables = new CLookupTables;
        g_pTerrain = new CTerrain;
        g_pCityManager = new CCityManager;
        g_ppBuildings = new CBuildingTable;
    }
    ~LevelWorkshop() {
        g_pCityManager->RemoveAllCities();
        delete g_pCityManager;
        g_pCityManager = nullptr;
        g_ppBuildings->FreeAll();
        delete g_ppBuildings;
        g_ppBuildings = nullptr;
        delete g_pTerrain;
        g_pTerrain = nullptr;
        delete g_pLookupTables;
        g_pLookupTables = nullptr;
        DeleteOpponents();
        delete g_pGameState;
        g_pGameState = nullptr;
    }
    LevelWorkshop(const LevelWorkshop&) = delete;
    LevelWorkshop& operator=(const LevelWorkshop&) = delete;

    // A fresh world of the recipe, set up as a level start.
    void MakeWorld(const WorldRecipe& w) {
        CGameState& gs = *g_pGameState;
        ResetGameCounters();
        ClearStatistics();
        InitGoodsTable();
        InitBuildingTypes();
        InitMarketEvents();
        gs.game_mode = kModeEditor;  // the generator runs as for the editor
        gs.season = w.season;
        gs.ng_land = w.land;
        gs.ng_mountains = w.mountains;
        gs.ng_forests = w.forests;
        gs.ng_towns = w.towns;
        gs.ng_site_distance = w.sites;
        gs.regen_world = gs.regen_cities = gs.regen_woods = gs.regen_industries = 1;
        plat::Srand(w.seed);
        g_ppBuildings->DeleteAll();  // the industries of the world before
        g_pCityManager->LoadNames();
        GenerateNewGameWorld(nullptr);
        gs.year = 1960;
        gs.month = 0;
        gs.week = 0;
    }
    // Written in the level's own mode, which the file keeps.
    bool Write(const std::string& path, const LevelRecipe& level) {
        CGameState& gs = *g_pGameState;
        gs.cash[0] = gs.cash_shown[0] = level.capital;
        RecreateOpponents();
        gs.game_mode = level.mode;
        const bool written = SaveGameFile(path);
        gs.game_mode = kModeEditor;
        return written;
    }
};

std::string WindowsPath(const std::filesystem::path& path) {
    std::string text = path.string();
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    return text;
}

}  // namespace

int64_t AssignmentGoal(int32_t assignment, int32_t difficulty) {
    return AssignmentTarget(assignment, difficulty);
}

bool WriteStandinLevels(const std::string& folder, std::string* error) {
    namespace fs = std::filesystem;
    for (const TextFile& t : Texts()) {
        if (!WriteText(fs::path(folder) / t.path, t.text)) {
            if (error) *error = "cannot write " + t.path;
            return false;
        }
    }
    plat::HeadlessBackend host;  // windows, files and boxes without a screen
    LevelWorkshop workshop(folder);
    const std::vector<LevelRecipe> levels = Levels();
    for (size_t w = 0; w < std::size(kWorlds); ++w) {
        workshop.MakeWorld(kWorlds[w]);
        for (const LevelRecipe& level : levels) {
            if (level.world != static_cast<int32_t>(w)) continue;
            const fs::path path = fs::path(folder) / level.path;
            fs::create_directories(path.parent_path());
            if (!workshop.Write(WindowsPath(path), level)) {
                if (error) *error = std::string("cannot write ") + level.path;
                return false;
            }
        }
    }
    return true;
}

}  // namespace standin
