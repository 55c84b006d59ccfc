// The world view on the default generated world at 1024 x 768: a full
// redraw with every field changed and every display option on, a plain
// copy of the view's size as the baseline, and one frame update with
// nothing moving (which must never touch the whole view).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "app/game_app.h"
#include "bench_data.h"
#include "cities/city_manager.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "standin.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "view/world_view.h"
#include "world/map_reset.h"
#include "world/terrain.h"

namespace {

class LoopOnlyApp : public CGameApp {
  public:
    bool InitInstance() override { return true; }
};

// A generated world (seed 20260, autumn) shown by a world view.
class BenchView {
  public:
    BenchView() {
        for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
            const bool base = recipe.path.find('/') == std::string::npos;
            if (!base && recipe.path.rfind("autumn/", 0) != 0) continue;
            folder_.Write(recipe.path, recipe.make());
        }
        state_ = std::make_unique<CGameState>();
        g_pGameState = state_.get();
        tables_ = std::make_unique<CLookupTables>();
        g_pLookupTables = tables_.get();
        folder_.PointDataPaths(*state_);
        state_->game_mode = kModeGame;
        state_->season = 3;
        state_->screen_width = 1024;
        state_->screen_height = 768;
        state_->show_grid = state_->show_trees = state_->show_city_buildings = 1;
        state_->show_city_names = state_->show_building_names = state_->show_production = 1;
        GetWorldImageHooks().load_tree_images = &LoadTreeImages;
        LoadWorldImages();
        terrain_ = std::make_unique<CTerrain>();
        g_pTerrain = terrain_.get();
        view_ = new SPIEL_FELD;
        view_->CreateView(nullptr);
        g_pSpielFeld = view_;
        plat::Srand(20260);
        ResetMapFields();
        g_pCityManager->RemoveAllCities();
        terrain_->GenerateLandscape();
        view_->centre_x = 0.0;
        view_->centre_y = 107.0;
        view_->zoom = 1;
        view_->SetupProjection();
    }
    ~BenchView() {
        g_pSpielFeld = nullptr;
        delete view_;
        g_pTerrain = nullptr;
        terrain_.reset();
        FreeWorldImages();
        g_pLookupTables = nullptr;
        tables_.reset();
        state_->Destroy();
        g_pGameState = nullptr;
        GetWorldImageHooks().load_tree_images = nullptr;
    }

    plat::HeadlessBackend host;
    LoopOnlyApp app;
    SPIEL_FELD* view_ = nullptr;

  private:
    BenchDataFolder folder_{"view"};
    std::unique_ptr<CGameState> state_;
    std::unique_ptr<CLookupTables> tables_;
    std::unique_ptr<CTerrain> terrain_;
};

void BM_WorldViewFullRedraw(benchmark::State& state) {
    BenchView bench;
    for (auto _ : state) {
        MarkAllFieldsChanged();
        g_pGameState->redraw_terrain = 1;
        g_pGameState->redraw_objects = 1;
        bench.view_->RedrawView();
        benchmark::DoNotOptimize(g_pGameState->images.composite_buffer.pixels[0]);
    }
}
BENCHMARK(BM_WorldViewFullRedraw)->Unit(benchmark::kMicrosecond);

void BM_WorldViewCopyBaseline(benchmark::State& state) {
    std::vector<uint8_t> from(860 * 766, 7);
    std::vector<uint8_t> to(860 * 766);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WorldViewCopyBaseline)->Unit(benchmark::kMicrosecond);

void BM_WorldViewIdleFrame(benchmark::State& state) {
    BenchView bench;
    g_pGameState->paused = 0;
    for (auto _ : state) {
        bench.host.AdvanceClock(26);  // one frame step is due
        bench.app.UpdateFrame();
    }
}
BENCHMARK(BM_WorldViewIdleFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
