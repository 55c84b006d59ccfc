#include "fuzz_game.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/busy_game.h"
#include "app/level_file.h"
#include "game/opponent.h"
#include "game/opponent_fill.h"
#include "game/opponent_roster.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "state/market_events.h"
#include "state/statistics.h"
#include "transport/vehicle_list.h"
#include "world/way_network.h"

namespace fvfuzz {

namespace {

uint32_t g_state = 1;
uint32_t Next() {
    g_state = g_state * 1664525u + 1013904223u;
    return g_state >> 8;
}

plat::HeadlessBackend* g_host = nullptr;
std::string g_scratch;
fvtest::BusyGame* g_busy = nullptr;

// Random fields name no building, city or node (the game holds none of them
// for those), so that the reader's reference checks accept the grid.
void WithoutReferences(MapField& field) {
    field.set_wegtyp(field.wegtyp() % 7);
    field.set_stadtnum(0);
    field.set_knotennummer(0);
    if (!field.no_building_mask()) field.set_geb_num(0);
}

}  // namespace

plat::HeadlessBackend& Host() {
    return *g_host;
}

void SetUpGame() {
    g_host = new plat::HeadlessBackend;
    g_pGameState = new CGameState;
    [[maybe_unused]] static CLookupTables* tables = new CLookupTables;
    g_pWayNetwork = new CWayNetwork;
    ClearStatistics();
    ResetGameCounters();
    RecreateOpponents();
    g_pGameState->game_mode = kModeGame;
    g_pGameState->opt_autosave = 0;  // a new year must not write files
    g_busy = new fvtest::BusyGame;
}

void MakeBusyGame(int32_t seed) {
    plat::Srand(static_cast<uint32_t>(seed));
    g_busy->Build(seed);
    fvtest::BusyGame::Run(*g_host, kBusyFrames);
}

std::vector<uint8_t> SaveRunningGame(const std::string& path) {
    if (!SaveGameFile(path)) return {};
    const std::vector<uint8_t> file = ReadFile(path);
    std::remove(path.c_str());
    return file;
}

const std::vector<uint8_t>& BusyGrid() {
    static const std::vector<uint8_t> grid = [] {
        MakeBusyGame(1);
        std::vector<uint8_t> bytes(kGridBytes);
        std::memcpy(bytes.data(), g_pGameState->fields, kGridBytes);
        return bytes;
    }();
    return grid;
}

void MakeGame(int32_t seed) {
    CGameState& gs = *g_pGameState;
    g_state = static_cast<uint32_t>(seed) * 2654435761u;
    DeleteAllVehicles();
    g_busy->buildings.FreeAll();
    g_busy->cities.FreeAll();
    RecreateOpponents();
    gs.game_mode = kModeGame;
    for (MapField& field : gs.fields) {
        for (uint8_t& b : field.bytes) b = static_cast<uint8_t>(Next());
        WithoutReferences(field);
    }
    ClearTransientFieldBits();
    g_pWayNetwork->FreeAllNodes();
    for (int32_t number = 1 + seed; number < kWayNodeSlots; number += 150 + seed * 7) {
        WayNode* node = g_pWayNetwork->nodes[number] = new WayNode;
        for (int32_t i = 0; i < 4; ++i) {
            node->ziel[i] = static_cast<int32_t>(Next() % kWayNodeSlots);
            node->cost[i] = static_cast<int32_t>(Next() % 3000);
            node->belegt[i] = static_cast<uint8_t>(Next() % 2);
            node->back[i] = Next() % 5 == 4 ? kNoBackDirection : static_cast<uint8_t>(Next() % 4);
        }
    }
    for (int32_t& count : gs.built_counts) count = static_cast<int32_t>(Next() % 9);
    gs.board_votes = seed * 7;
    gs.cash[0] = (int64_t{1} << 33) + seed;
    gs.season = 1 + seed % 3;
    gs.week = seed % 4;
    gs.month = (seed * 5) % 12;
    gs.year = 1960 + seed * 9;
    gs.rotation = seed % 4;
    gs.player_colors[0] = static_cast<uint8_t>(seed % 4);
    gs.active_event = static_cast<int8_t>(seed % 3 == 0 ? -2 : seed);
    gs.event_pause = static_cast<uint8_t>(seed);
    for (int32_t& word : g_Statistics.words) word = static_cast<int32_t>(Next());
    for (int32_t i = 0; i < kOpponentCount; ++i) g_TakeOverCount[i] = int32_t(Next() % 2);
    for (int32_t i = 0; i < kNewGameCounterWords; ++i) g_NewGameCounters.words[i] = i * 3 - seed;
    InitMarketEvents();
    for (MarketEvent& event : gs.market_events) event.event_state = uint8_t(Next() % 3);
    for (int32_t slot = 0; slot < kOpponentCount; ++slot)
        fvtest::FillOpponent(*gs.opponents[slot], slot + seed, {});
    gs.active_opponent = seed % 3 - 1;
    for (auto& bookmark : gs.bookmarks)
        bookmark = {static_cast<int32_t>(Next() % 256), static_cast<int32_t>(Next() % 256)};
}

const std::vector<uint8_t>& FixedGrid() {
    static const std::vector<uint8_t> grid = [] {
        std::vector<uint8_t> bytes(kGridBytes);
        uint32_t state = 7;
        for (uint8_t& b : bytes) {
            state = state * 1664525u + 1013904223u;
            b = static_cast<uint8_t>(state >> 24);
        }
        for (size_t at = 0; at < bytes.size(); at += sizeof(MapField)) {
            MapField field;
            std::memcpy(field.bytes, &bytes[at], sizeof field.bytes);
            WithoutReferences(field);
            std::memcpy(&bytes[at], field.bytes, sizeof field.bytes);
        }
        return bytes;
    }();
    return grid;
}

std::vector<uint8_t> FileOfInput(const uint8_t* data, size_t size) {
    if (size == 0) return {};
    const uint8_t *rest = data + 1, *end = data + size;
    if ((data[0] & kFlagWholeFile) != 0 || size - 1 < kHeadBytes) return {rest, end};
    std::vector<uint8_t> file(rest, rest + kHeadBytes);
    const std::vector<uint8_t>& grid = (data[0] & kFlagBusyGrid) != 0 ? BusyGrid() : FixedGrid();
    file.insert(file.end(), grid.begin(), grid.end());
    file.insert(file.end(), rest + kHeadBytes, end);
    return file;
}

std::vector<uint8_t> InputOfFile(const std::vector<uint8_t>& file, uint8_t flags) {
    std::vector<uint8_t> input{flags};
    const bool whole = (flags & kFlagWholeFile) != 0 || file.size() < kHeadBytes + kGridBytes;
    const std::vector<uint8_t>& grid = (flags & kFlagBusyGrid) != 0 ? BusyGrid() : FixedGrid();
    if (whole || !std::equal(grid.begin(), grid.end(), file.begin() + kHeadBytes)) {
        input[0] |= kFlagWholeFile;
        input.insert(input.end(), file.begin(), file.end());
        return input;
    }
    input.insert(input.end(), file.begin(), file.begin() + kHeadBytes);
    input.insert(input.end(), file.begin() + kHeadBytes + kGridBytes, file.end());
    return input;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void SetUpScratch() {
    SetUpGame();
    g_scratch =
        (std::filesystem::temp_directory_path() / ("ferrovane-fuzz-" + std::to_string(::getpid())))
            .string();
    std::filesystem::create_directories(g_scratch);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(g_scratch, ignored);
    });
    for (auto& path : g_pGameState->data_paths) {
        std::snprintf(path, kDataPathLength, "%s", g_scratch.c_str());
    }
}

std::string ScratchPath(const std::string& name) {
    return g_scratch + "/" + name;
}

std::string WriteInput(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = ScratchPath(name);
    WriteFile(path, std::vector<uint8_t>(data, data + size));
    return path;
}

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

}  // namespace fvfuzz
