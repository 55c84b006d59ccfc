// The level readers on mutated level files: every input is loaded or
// rejected without a crash, a rejected one leaves the running game exactly as
// it was, and an accepted one runs frames of the main loop and a month's
// first tick, so that what a load let through shows itself.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/busy_game.h"
#include "app/game_tick.h"
#include "app/level_file.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "fuzz_game.h"
#include "game/opponent.h"
#include "platform/headless/headless_backend.h"
#include "platform/messages.h"
#include "state/game_state.h"
#include "state/statistics.h"
#include "support/fnv_hash.h"
#include "transport/vehicle.h"
#include "world/way_network.h"

namespace {

std::string g_path;

// Everything of the running game that a load writes; a load makes new
// buildings, vehicles and cities, so their addresses tell whether any was replaced.
uint64_t GameFingerprint() {
    uint64_t hash = fvtest::kHashStart;
    auto add = [&](const void* data, size_t size) { hash = fvtest::Fnv1a(data, size, hash); };
    add(g_pGameState, sizeof *g_pGameState);
    add(g_Statistics.words, sizeof g_Statistics.words);
    add(g_NewGameCounters.words, sizeof g_NewGameCounters.words);
    for (const COpponent* o : g_pGameState->opponents) {
        if (o == nullptr) continue;
        for (int32_t value : {o->takeover_year, o->takeover_percent, o->turn_pending, o->in_use})
            add(&value, sizeof value);
    }
    for (const CBuilding* b : g_ppBuildings->buildings) add(&b, sizeof b);
    for (const VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
        add(&n->vehicle, sizeof n->vehicle);
        if (n->vehicle != nullptr) add(&n->vehicle->pos_x, sizeof n->vehicle->pos_x);
    }
    for (const CCity* c : g_pCityManager->cities) add(&c, sizeof c);
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        if (const WayNode* node = g_pWayNetwork->Node(n)) {
            add(&n, sizeof n);
            add(node, sizeof *node);
        }
    }
    return hash;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fvfuzz::SetUpGame();
    fvfuzz::BusyGrid();
    fvfuzz::MakeBusyGame(1);
    g_path = (std::filesystem::temp_directory_path() /
              ("ferrovane-fuzz-" + std::to_string(::getpid()) + ".lvl"))
                 .string();
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove(g_path, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t flags = data[0];
    fvfuzz::WriteFile(g_path, fvfuzz::FileOfInput(data, size));
    g_pGameState->game_mode = (flags & fvfuzz::kFlagEditor) != 0 ? kModeEditor : kModeGame;
    const uint64_t before = GameFingerprint();
    fvfuzz::Host().QueueMessageBoxAnswer(IDOK);
    const LevelLoadResult result = (flags & fvfuzz::kFlagLevelStart) != 0 ? LoadLevel(g_path)
                                   : (flags & fvfuzz::kFlagPrepared) != 0 ? LoadPreparedGame(g_path)
                                                                          : LoadSavedGame(g_path);
    fvfuzz::Require(result != LevelLoadResult::Rejected || GameFingerprint() == before,
                    "a rejected file leaves the running game");
    fvfuzz::Require(result == LevelLoadResult::Loaded || result == LevelLoadResult::Rejected,
                    "a file is loaded or rejected");
    if (result == LevelLoadResult::Loaded) {
        CGameState& gs = *g_pGameState;
        gs.opt_autosave = 0;
        fvtest::BusyGame::Run(fvfuzz::Host(), fvfuzz::kBusyFrames);
        gs.week = 3;
        RunGameTick(nullptr);
    }
    return 0;
}
