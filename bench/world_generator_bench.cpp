// Generating a whole world with the default settings from the stand-in
// landscape templates: land passes, ground kinds, cities (with their growth
// to their start size), woods and raw-material sites, as a new game does it
// (without the progress screen).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include <unistd.h>

#include "bench_data.h"
#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "landscape_templates.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "world/map_reset.h"
#include "world/terrain.h"

namespace {

// A game state with the default settings whose data folder holds the
// stand-in templates of every season.
class BenchWorld {
  public:
    BenchWorld() {
        const char* seasons[3] = {"spring", "summer", "autumn"};
        for (int season = 1; season <= 3; ++season) {
            folder_.Write(
                std::filesystem::path(seasons[season - 1]) / (std::to_string(season) + "berge"),
                standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(season)));
        }
        state_ = std::make_unique<CGameState>();
        g_pGameState = state_.get();
        tables_ = std::make_unique<CLookupTables>();
        g_pLookupTables = tables_.get();
        folder_.PointDataPaths(*state_);
        state_->game_mode = kModeGame;
        terrain_ = std::make_unique<CTerrain>();
        g_pTerrain = terrain_.get();
        g_pCityManager = &cities_;
        g_ppBuildings = &buildings_;
    }
    ~BenchWorld() {
        g_pCityManager = nullptr;
        g_ppBuildings = nullptr;
        cities_.RemoveAllCities();
        buildings_.FreeAll();
        g_pTerrain = nullptr;
        terrain_.reset();
        g_pLookupTables = nullptr;
        tables_.reset();
        state_->Destroy();
        g_pGameState = nullptr;
    }

    void Generate(int32_t season, uint32_t seed) {
        state_->season = season;
        plat::Srand(seed);
        cities_.RemoveAllCities();
        buildings_.DeleteAll();
        ResetMapFields();
        terrain_->GenerateLandscape();
    }

  private:
    BenchDataFolder folder_{"world"};
    std::unique_ptr<CGameState> state_;
    std::unique_ptr<CLookupTables> tables_;
    std::unique_ptr<CTerrain> terrain_;
    CCityManager cities_;
    CBuildingTable buildings_;
};

void BM_GenerateWorldWithDefaultSettings(benchmark::State& state) {
    BenchWorld world;
    const int32_t season = static_cast<int32_t>(state.range(0));
    uint32_t seed = 1;
    for (auto _ : state) {
        world.Generate(season, seed++);
        benchmark::DoNotOptimize(g_pGameState->fields[FieldIndex(128, 128)]);
    }
}
BENCHMARK(BM_GenerateWorldWithDefaultSettings)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
