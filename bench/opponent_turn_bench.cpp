// A computer opponent's turn on a generated world that three opponents
// (profiles 0, 3 and 4) have played for five game years through the main
// loop: the worst turn (a new opponent's survey) against one road plan
// of 60 fields on the same map, the routine unit of an opponent's building.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <unistd.h>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "app/game_tick.h"
#include "bench_data.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "game/opponent_build.h"
#include "game/opponent_chain.h"
#include "game/opponent_roster.h"
#include "game/opponent_steps.h"
#include "landscape_templates.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "state/acting_player.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "transport/vehicle_list.h"
#include "world/map_reset.h"
#include "world/terrain.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kSummer = 2;
constexpr uint32_t kFrameMs = 26;
constexpr uint32_t kFramesPerTick = 150;
constexpr int32_t kYears = 5;
constexpr int32_t kPlanLength = 60;
constexpr int32_t kSurveyingSlot = 2;

// The soak world: the generated map with its cities and sites, three
// opponents, the main loop on the headless clock, five years played.
class OpponentBenchWorld {
  public:
    OpponentBenchWorld() {
        folder_.Write(std::filesystem::path("summer") / "2berge",
                      standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(kSummer)));

        state_ = std::make_unique<CGameState>();
        g_pGameState = state_.get();
        tables_ = std::make_unique<CLookupTables>();
        g_pLookupTables = tables_.get();
        InitGoodsTable();
        InitBuildingTypes();
        InitVehicleModels();
        terrain_ = std::make_unique<CTerrain>();
        g_pTerrain = terrain_.get();
        g_ppBuildings = &buildings_;
        g_pCityManager = &cities_;
        CGameState& gs = *state_;
        folder_.PointDataPaths(gs);
        gs.season = kSummer;
        gs.game_mode = kModeGame;
        gs.opt_city_traffic = 0;
        gs.opt_animations = 0;
        gs.opt_autosave = 0;
        gs.year = 1960;
        MarkGoodsAvailableByDate();
        g_TickLength = kFrameMs * kFramesPerTick;
        plat::Srand(11);
        ResetMapFields();
        terrain_->GenerateLandscape();
        RecreateOpponents({0, 3, 4});
        const int32_t end = GameMonth() + kYears * 12;
        while (GameMonth() < end) {
            host_.AdvanceClock(kFrameMs);
            app_.OnIdle(0);
        }
    }
    ~OpponentBenchWorld() {
        DeleteAllVehicles();
        DeleteOpponents();
        cities_.FreeAll();
        buildings_.FreeAll();
        g_pCityManager = nullptr;
        g_ppBuildings = nullptr;
        g_pTerrain = nullptr;
        terrain_.reset();
        g_pLookupTables = nullptr;
        state_->Destroy();
        g_pGameState = nullptr;
    }

    // A new opponent in the surveying slot with its start capital: its turn
    // surveys the map and starts a chain.
    COpponent& FreshOpponent() {
        CGameState& gs = *state_;
        delete gs.opponents[kSurveyingSlot];
        gs.opponents[kSurveyingSlot] = new COpponent(kSurveyingSlot, 0);
        COpponent& o = *gs.opponents[kSurveyingSlot];
        gs.cash[o.player_number] = gs.opponent_profiles[0].start_capital;
        return o;
    }

    // Two fields 60 fields apart that a road can be planned between, the
    // first at a running chain's store depot.
    std::optional<std::pair<std::pair<int32_t, int32_t>, std::pair<int32_t, int32_t>>> PlanEnds() {
        for (const PlanNode& node : state_->opponents[0]->plan_list_b) {
            const Chain chain = DecodeChain(node);
            int32_t x = 0;
            int32_t y = 0;
            if (chain.state != ChainState::Running || !DepotFront(chain.terminals[0], x, y)) {
                continue;
            }
            for (int32_t dx = -kPlanLength; dx <= kPlanLength; ++dx) {
                for (const int32_t sign : {1, -1}) {
                    const int32_t tx = x + dx;
                    const int32_t ty = y + sign * (kPlanLength - std::abs(dx));
                    const MapField* f = FieldAt(tx, ty);
                    if (f == nullptr || f->teile_diff() != 0 || f->wegtyp() != 0 ||
                        f->data_word() != 0) {
                        continue;
                    }
                    const ActingPlayerScope acting(1);
                    const bool planned = PlanRoadForActingPlayer(x, y, tx, ty) >= 0;
                    g_pWayNetwork->FreePath();
                    if (planned) return std::pair{std::pair{x, y}, std::pair{tx, ty}};
                }
            }
        }
        return std::nullopt;
    }

  private:
    BenchDataFolder folder_{"opponents"};
    plat::HeadlessBackend host_;
    std::unique_ptr<CGameState> state_;
    std::unique_ptr<CLookupTables> tables_;
    std::unique_ptr<CTerrain> terrain_;
    CBuildingTable buildings_;
    CCityManager cities_;
    CGameApp app_;
};

OpponentBenchWorld& World() {
    static OpponentBenchWorld world;
    return world;
}

// The first turn of a new opponent: a whole survey of the map, with the
// looks for sites that the turn's checks and plans allow (a look that finds
// nothing sets its combination aside, one that finds sites starts a chain).
void BM_OpponentWorstTurn(benchmark::State& state) {
    OpponentBenchWorld& world = World();
    bool looked = false;
    for (auto _ : state) {
        state.PauseTiming();
        COpponent& o = world.FreshOpponent();
        state.ResumeTiming();
        o.TakeTurn();
        state.PauseTiming();
        looked = !o.plan_list_b.empty() || !o.step_list_c.empty();
        state.ResumeTiming();
        if (!looked) break;
    }
    if (!looked) state.SkipWithError("the survey looked for no sites");
}
BENCHMARK(BM_OpponentWorstTurn)->Unit(benchmark::kMicrosecond);

void BM_OpponentRoadPlan(benchmark::State& state) {
    const auto ends = World().PlanEnds();
    if (!ends) {
        state.SkipWithError("no 60-field road plan on the map");
        return;
    }
    const auto [from, to] = *ends;
    const ActingPlayerScope acting(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            PlanRoadForActingPlayer(from.first, from.second, to.first, to.second));
        g_pWayNetwork->FreePath();
    }
}
BENCHMARK(BM_OpponentRoadPlan)->Unit(benchmark::kMicrosecond);

}  // namespace
