// Writes a running game to continue for the idle check: the tests' busy game
// (a city whose traffic drives on load, two trucks, a train) with ten more
// trucks on the same road, animated buildings between the road and the track
// (toy factories' display boards, smoking steel mills, the ground animations
// of the other factories and a race track), fresh opponents, and the first
// stored map position (F1) on all of them.
//
// Usage: ferrovane-idle-save FILE

#include <cstdio>
#include <memory>
#include <tuple>

#include "app/busy_game.h"
#include "app/level_file.h"
#include "game/opponent_roster.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "state/statistics.h"
#include "transport/truck.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kMoreTruckPairs = 5;
constexpr int32_t kRunFrames = 40;

// Animated buildings in two diagonal rows between the trucks' road (y 104)
// and the train's track (y 134), in view at 1:1 from the stored position.
struct AnimatedPlace {
    int32_t type;
    int32_t x;
    int32_t y;
};
constexpr AnimatedPlace kAnimatedPlaces[] = {
    {kTypeToyIndustry, 106, 106},  {kTypeSteelMill, 111, 111},  {kTypeChemicalPlant, 116, 116},
    {kTypeRaceTrack, 121, 121},    {kTypeSteelMill, 101, 111},  {kTypeToyIndustry, 106, 116},
    {kTypeWoodIndustry, 111, 121}, {kTypeLumberMill, 116, 126},
};

void AddAnimatedBuildings(fvtest::BusyGame& busy) {
    for (const AnimatedPlace& place : kAnimatedPlaces) {
        if (busy.Place(place.type, place.x, place.y) <= 0) {
            std::fprintf(stderr, "cannot place building type %d at (%d, %d)\n", place.type, place.x,
                         place.y);
        }
    }
}

// Trucks between the busy game's two depots (103, 103) and (121, 103).
void AddTrucks() {
    for (int32_t pair = 0; pair < kMoreTruckPairs; ++pair) fvtest::BusyGame::AddDepotTrucks();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    plat::HeadlessBackend host;
    plat::SetCurrentBackend(&host);
    auto state_owner = std::make_unique<CGameState>();
    CGameState& state = *state_owner;
    g_pGameState = &state;
    CLookupTables tables;
    g_pLookupTables = &tables;
    CWayNetwork network;
    g_pWayNetwork = &network;
    ClearStatistics();
    ResetGameCounters();
    state.game_mode = kModeGame;
    state.opt_autosave = 0;
    plat::Srand(1);
    {
        fvtest::BusyGame busy;
        busy.Build(1);
        // Opponents as a new game has them, without the tests' made-up plans.
        RecreateOpponents();
        AddTrucks();
        AddAnimatedBuildings(busy);
        MarkAllFieldsChanged();
        fvtest::BusyGame::Run(host, kRunFrames);
        state.bookmarks[0] = {112, 118};
        if (!SaveGameFile(argv[1])) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
    }
    g_pWayNetwork = nullptr;
    g_pLookupTables = nullptr;
    state.Destroy();
    g_pGameState = nullptr;
    plat::SetCurrentBackend(nullptr);
    return 0;
}
