// One frame update of the main loop with 500 vehicles on the road: 450
// trucks driving between 60 depots of a 12 x 12 road grid and 50 city
// traffic cars.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "app/game_app.h"
#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/city_car.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"
#include "world/build_helper.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kPoints = 12;
constexpr int32_t kSpacing = 8;
constexpr int32_t kOrigin = 30;
constexpr int32_t kCity = 1;

class Terminal : public CBuilding {
  public:
    int32_t TakeGoods(int32_t, int32_t amount, int32_t, int32_t) override { return amount; }
    int32_t PutGoods(int32_t, int32_t amount, int32_t) override { return amount; }
};

class Buildings : public CBuildingTable {
  public:
    void UpdateRawMaterialSites() override {}
};

class Cities : public CCityManager {
  public:
    void Tick() override {}
    void MonthlyUpdate() override {}
};

// The world of the benchmark, installed in the globals.
class VehicleWorld {
  public:
    VehicleWorld()
        : state_(std::make_unique<CGameState>()), network_(std::make_unique<CWayNetwork>()) {
        g_pGameState = state_.get();
        g_pWayNetwork = network_.get();
        g_ppBuildings = &buildings_;
        g_pCityManager = &cities_;
        state_->game_mode = kModeGame;
        InitVehicleModels();
        plat::Srand(500);
        for (MapField& field : state_->fields) {
            field.set_teile_art(1);
            field.set_hoehe(2);
        }
        cities_.cities[kCity - 1] = &city_;
        BuildGrid();
        host_.SetClock(1000000);
        state_->timers.frame_time = host_.Now();
    }
    ~VehicleWorld() {
        DeleteAllVehicles();
        g_pWayNetwork = nullptr;
        g_ppBuildings = nullptr;
        g_pCityManager = nullptr;
        state_->Destroy();
        g_pGameState = nullptr;
    }

    void AddVehicles(int32_t trucks, int32_t cars) {
        std::mt19937 rng(42);
        for (int32_t i = 0; i < trucks; ++i) {
            const auto& start = depots_[rng() % depots_.size()];
            CTruck* truck =
                new CTruck(start.first, start.second, "A", static_cast<int32_t>(rng() % 10));
            std::vector<std::pair<int32_t, int32_t>> stops{start};
            auto next = depots_[rng() % depots_.size()];
            if (next == start) next = depots_[(rng() % (depots_.size() - 1) + 1) % depots_.size()];
            stops.push_back(next);
            for (ScheduleStop& stop : truck->schedule) stop = EmptyScheduleStop();
            for (size_t s = 0; s < stops.size(); ++s) {
                truck->schedule[s].x[0] = static_cast<uint8_t>(stops[s].first);
                truck->schedule[s].y[0] = static_cast<uint8_t>(stops[s].second);
                truck->cargo_plan[s][0][0] = static_cast<uint8_t>(20 + s);
            }
            truck->stop_count = 2;
            truck->needs_route = 1;
            if (i % 9 == 0) Frames(12);  // let the depots clear
        }
        for (int32_t i = 0; i < cars; ++i) {
            int32_t x = -1;
            int32_t y = -1;
            city_.FindStreetField(x, y);
            if (x >= 0) new CCityCar(x, y, "A", 0, kCity);
        }
    }

    void Frames(int32_t n) {
        for (int32_t i = 0; i < n; ++i) {
            host_.AdvanceClock(26);
            app_.UpdateFrame();
        }
    }

  private:
    static int32_t P(int32_t i) { return kOrigin + kSpacing * i; }

    void Road(int32_t x, int32_t y, int32_t way, int32_t city) {
        MapField* field = FieldAt(x, y);
        field->set_wegtyp(static_cast<uint32_t>(way));
        if (field->wegteil() == 0) field->set_wegteil(1);
        if (city != 0) field->set_stadtnum(static_cast<uint32_t>(city));
    }

    void BuildGrid() {
        for (int32_t i = 0; i < kPoints; ++i) {
            for (int32_t j = 0; j < kPoints; ++j) {
                const bool city = i < 3 && j < 3;
                const int32_t way = city ? kWayCityStreet : kWayGravelRoad;
                for (int32_t k = 0; k <= kSpacing; ++k) {
                    if (i + 1 < kPoints && !(city && i == 2))
                        Road(P(i) + k, P(j), way, city ? kCity : 0);
                    if (j + 1 < kPoints && !(city && j == 2))
                        Road(P(i), P(j) + k, way, city ? kCity : 0);
                }
            }
        }
        // A depot south of the middle of every other east-west segment.
        for (int32_t i = 3; i + 1 < kPoints; ++i) {
            for (int32_t j = 0; j < kPoints; j += 2) {
                const int32_t x = P(i) + kSpacing / 2;
                const int32_t y = P(j) + 1;
                Road(x, y, kWayGravelRoad, 0);
                MapField* field = FieldAt(x, y);
                field->set_building_flag(true);
                field->set_geb_num(static_cast<uint32_t>(depots_.size() + 1));
                field->set_geb_typ(0);  // exit north
                auto terminal = std::make_unique<Terminal>();
                buildings_.buildings[depots_.size() + 1] = terminal.get();
                terminals_.push_back(std::move(terminal));
                depots_.emplace_back(x, y);
            }
        }
        const int32_t end = P(kPoints - 1) + 2;
        for (int32_t x = kOrigin - 1; x <= end; ++x) {
            for (int32_t y = kOrigin - 1; y <= end; ++y) {
                if (FieldAt(x, y)->wegtyp() != 0) UpdateRoadPieceShape(x, y);
            }
        }
        for (int32_t x = kOrigin - 1; x <= end; ++x) {
            for (int32_t y = kOrigin - 1; y <= end; ++y) helper_.UpdateWayPiecesAround(x, y);
        }
        for (const auto& [x, y] : depots_) network_->CreateNode(x, y);
        for (int32_t x = kOrigin - 1; x <= end; ++x) {
            for (int32_t y = kOrigin - 1; y <= end; ++y) {
                const MapField* field = FieldAt(x, y);
                if (!field->knoten()) continue;
                for (int32_t d = 0; d < 4; ++d) {
                    if (field->richtung() & DirBitFromIndex(d)) {
                        network_->LinkFromField(x, y, DirBitFromIndex(d));
                    }
                }
            }
        }
    }

    plat::HeadlessBackend host_;
    std::unique_ptr<CGameState> state_;
    std::unique_ptr<CWayNetwork> network_;
    CBuildHelper helper_;
    Buildings buildings_;
    std::vector<std::unique_ptr<Terminal>> terminals_;
    Cities cities_;
    CCity city_{kCity, kOrigin - 2, kOrigin - 2};
    std::vector<std::pair<int32_t, int32_t>> depots_;
    CGameApp app_;
};

void BM_FrameUpdate500Vehicles(benchmark::State& state) {
    VehicleWorld world;
    world.AddVehicles(450, 50);
    world.Frames(500);  // the trucks spread over the roads
    state.counters["vehicles"] = CountVehicles();
    for (auto _ : state) world.Frames(1);
}
BENCHMARK(BM_FrameUpdate500Vehicles)->Unit(benchmark::kMicrosecond);

}  // namespace
