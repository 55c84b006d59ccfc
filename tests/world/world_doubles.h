#pragma once
// Test doubles of the services the world map calls in other subsystems: the
// building table and its buildings, vehicles on the vehicle list, the city
// manager and its cities; the world view, the control panel and the sound
// manager are the recording doubles of the kit, installed by the test's game
// scope.

#include <cstdint>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "support/game_scope.h"
#include "transport/vehicle_services.h"

namespace doubles {

// A building with the answers the world map asks for. Stations grow by
// Extend; occupied fields are listed.
class TestBuilding : public CBuilding {
  public:
    void ApplyAttraction(int32_t city_slot, int32_t amount) override {
        attractions.emplace_back(city_slot, amount);
    }
    int32_t Extend() override;
    int32_t GetLength() const override { return length; }
    int32_t IsTileOccupied(int32_t x, int32_t y) const override {
        return occupied.count({x, y}) != 0 ? 1 : 0;
    }

    int32_t type = -1;  // building type, -1 = not set
    int32_t length = 0;
    std::set<std::pair<int32_t, int32_t>> occupied;
    std::vector<std::pair<int32_t, int32_t>> attractions;  // (city slot, amount)
};

struct StopRewrite {
    int32_t x, y, type, number;
};

// The building table: DemolishBuilding takes the track under a station's
// lines and the road of a depot away and clears the footprint (the fields
// around the anchor that name the building), as the buildings subsystem
// does.
class TestBuildingTable : public CBuildingTable {
  public:
    void UpdateRawMaterialSites() override {}
    void DemolishBuilding(int32_t number) override;
    void RewriteStationStops(int32_t x, int32_t y, int32_t type, int32_t number) override {
        rewrites.push_back({x, y, type, number});
    }

    std::vector<int32_t> demolished;
    std::vector<StopRewrite> rewrites;
};

class TestVehicle : public CVehicle {
  public:
    TestVehicle() : CVehicle(VehicleLoadOnly{}) {}
};

class TestCity : public CCity {
  public:
    void RefreshStores(int32_t type) override { refreshed.push_back(type); }
    std::vector<int32_t> refreshed;
};

class TestCityManager : public CCityManager {
  public:
    void Tick() override {}
    void MonthlyUpdate() override {}
    void RemoveCityAt(int32_t x, int32_t y) override { removed_at.emplace_back(x, y); }
    std::vector<std::pair<int32_t, int32_t>> removed_at;
};

struct State {
    explicit State(fvtest::GameScope& game)
        : view(game.UseView()), panel(game.UsePanel()), sound(game.UseSound()) {}

    TestBuildingTable buildings;
    std::vector<std::unique_ptr<TestBuilding>> building_objects;
    TestCityManager cities;
    std::vector<std::unique_ptr<TestCity>> city_objects;

    // Vehicles standing on fields (listed in g_pVehicleList).
    struct PlacedVehicle {
        std::unique_ptr<CVehicle> vehicle;
        std::unique_ptr<VehicleListNode> node;
    };
    std::vector<PlacedVehicle> vehicles;

    fvtest::RecordingView& view;
    fvtest::RecordingPanel& panel;
    fvtest::RecordingSound& sound;
};

// Installs fresh doubles in the globals (the interface doubles through the
// game scope); the destructor removes them.
class Scope {
  public:
    explicit Scope(fvtest::GameScope& game);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    State& state() { return *state_; }
    // A building record in slot `number` with its anchor.
    TestBuilding& AddBuilding(int32_t number, int32_t anchorX, int32_t anchorY);
    // A city of number 1..63 with the origin of its area.
    TestCity& AddCity(int32_t number, int32_t originX, int32_t originY);
    // A vehicle on field (x, y) travelling in direction bits `dirBits`,
    // listed in g_pVehicleList (the real vehicle queries find it).
    CVehicle& AddVehicle(int32_t x, int32_t y, uint8_t dirBits);

  private:
    std::unique_ptr<State> state_;
};

State* Current();

}  // namespace doubles
