// The world view on the default generated world at 1024 x 768: a full
// redraw with every field changed and every display option on, a plain
// copy of the view's size as the baseline, one frame update with nothing
// moving (which must never touch the whole view), a line scroll down and
// back up at each zoom, and one vehicle frame with
// 500 vehicles moving in view: trucks, trains with three wagons each and
// four traffic cars for every city of the world.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

#include "app/game_app.h"
#include "bench_data.h"
#include "cities/city.h"
#include "cities/city_manager.h"
#include "platform/headless/headless_backend.h"
#include "platform/messages.h"
#include "platform/random.h"
#include "standin.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "transport/city_car.h"
#include "transport/train.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"
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

// One line down and one back up, as the edge strip sends them, at zoom
// range(0): the shifts and the areas drawn anew.
void BM_WorldViewScrollLineDownAndUp(benchmark::State& state) {
    BenchView bench;
    SPIEL_FELD& view = *bench.view_;
    view.zoom = static_cast<int32_t>(state.range(0));
    view.SetupProjection();
    view.ForceFullRedraw();
    for (auto _ : state) {
        view.SendMessage(WM_VSCROLL, plat::MakeWParam(SB_LINEDOWN, 1), 0);
        view.SendMessage(WM_VSCROLL, plat::MakeWParam(SB_LINEUP, 1), 0);
        benchmark::DoNotOptimize(g_pGameState->images.composite_buffer.pixels[0]);
    }
}
BENCHMARK(BM_WorldViewScrollLineDownAndUp)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

// One moving part on one of the fields, heading one of four ways; a third
// of them turning.
template <typename Part>
void PutInView(Part& part, std::mt19937& rng,
               const std::vector<std::pair<int32_t, int32_t>>& in_view) {
    const auto& [x, y] = in_view[rng() % in_view.size()];
    part.drawn_x = static_cast<uint8_t>(x);
    part.drawn_y = static_cast<uint8_t>(y);
    const uint8_t exit = static_cast<uint8_t>(1u << (rng() % 4));
    const uint8_t entry = rng() % 3 == 0 ? static_cast<uint8_t>(1u << (rng() % 4)) : exit;
    part.direction = static_cast<uint8_t>(exit << 4 | entry);
    part.phase = static_cast<int32_t>(rng() % 32);
}

// The fields the vehicles of a traffic frame stand on: with `all_in_view`
// every field the view counts as visible, else the streets and roads of the
// whole world (the cities' streets), as in a running game.
std::vector<std::pair<int32_t, int32_t>> TrafficFields(SPIEL_FELD& view, bool all_in_view) {
    std::vector<std::pair<int32_t, int32_t>> fields;
    for (int32_t x = 0; x < 254; ++x) {
        for (int32_t y = 0; y < 254; ++y) {
            const bool way = FieldAt(x, y)->wegtyp() != 0;
            if (all_in_view ? view.IsTileInView(x, y) == 1 : way) fields.emplace_back(x, y);
        }
    }
    return fields;
}

// One vehicle frame of 500 vehicles at zoom 1; range(0) 1 puts them all in
// view (the worst case), 0 on the world's streets.
void BM_WorldViewTrafficFrame(benchmark::State& state) {
    BenchView bench;
    SPIEL_FELD& view = *bench.view_;
    MarkAllFieldsChanged();
    g_pGameState->redraw_terrain = 1;
    g_pGameState->redraw_objects = 1;
    view.RedrawView();
    const std::vector<std::pair<int32_t, int32_t>> in_view =
        TrafficFields(view, state.range(0) == 1);
    int32_t cities = 0;
    for (const CCity* city : g_pCityManager->cities) cities += city != nullptr ? 1 : 0;
    std::mt19937 rng(500);
    constexpr int32_t kVehicles = 500;
    constexpr int32_t kTrains = 40;
    const int32_t cars = 4 * cities;
    std::vector<CVehicle*> vehicles;
    for (int32_t i = 0; i < kVehicles; ++i) {
        CVehicle* v = nullptr;
        if (i < cars) {
            v = new CCityCar(VehicleLoadOnly{});
            std::tie(v->vehicle_class, v->model) = std::pair(kVehicleCityCar, 25 + i % 5);
        } else if (i < cars + kTrains) {
            v = new CTrain(VehicleLoadOnly{});
            std::tie(v->vehicle_class, v->model) = std::pair(kVehicleRail, 10 + i % 9);
            for (int32_t w = 0; w < 3; ++w) {
                auto* wagon = new CWagon(0, 0, "W", w % 2 == 0 ? 0 : 4, w);
                PutInView(*wagon, rng, in_view);
                wagon->amount = w % 2;
                v->wagons[w] = wagon;
            }
            v->wagon_count = 3;
        } else {
            v = new CTruck(VehicleLoadOnly{});
            std::tie(v->vehicle_class, v->model) = std::pair(kVehicleTruck, i % 10);
            std::tie(v->product_carried, v->amount_carried) = std::pair(4, i % 2);
        }
        PutInView(*v, rng, in_view);
        v->visible = view.IsTileInView(v->drawn_x, v->drawn_y);
        RegisterVehicle(v);
        vehicles.push_back(v);
    }
    for (auto _ : state) {
        for (CVehicle* v : vehicles) {
            v->phase = (v->phase + 1) & 31;
            for (CWagon* w : v->wagons) {
                if (w != nullptr) w->phase = (w->phase + 1) & 31;
            }
        }
        view.DrawVehicles(1);
        benchmark::DoNotOptimize(g_pGameState->images.composite_buffer.pixels[0]);
    }
    int32_t drawn = 0;
    for (const CVehicle* v : vehicles) drawn += v->screen_box[0] != -1 ? 1 : 0;
    state.counters["cities"] = cities;
    state.counters["vehicles"] = kVehicles;
    state.counters["on_screen"] = drawn;
    DeleteAllVehicles();
}
BENCHMARK(BM_WorldViewTrafficFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
