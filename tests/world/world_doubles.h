#pragma once
// Doubles of the services the world map calls in other subsystems: the
// building table and its buildings, vehicles on the vehicle list, the city
// manager and its cities (view, panel and sound come from the game scope).

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

// A building with the answers the world map asks for.
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

// DemolishBuilding takes a station's track and a depot's road away and
// clears the footprint, as the buildings subsystem does.
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

// Installs fresh doubles in the globals until it ends.
class Scope {
  public:
    explicit Scope(fvtest::GameScope& game);
    ~Scope();
    TestBuilding& AddBuilding(int32_t number, int32_t anchorX, int32_t anchorY);
    TestCity& AddCity(int32_t number, int32_t originX, int32_t originY);  // number 1..63
    // A rail vehicle on (x, y) heading `dirBits`, listed in g_pVehicleList.
    CVehicle& AddVehicle(int32_t x, int32_t y, uint8_t dirBits);
    TestBuildingTable buildings;
    TestCityManager cities;
    fvtest::RecordingView& view;
    fvtest::RecordingPanel& panel;
    fvtest::RecordingSound& sound;

  private:
    std::vector<std::unique_ptr<TestBuilding>> building_objects_;
    std::vector<std::unique_ptr<TestCity>> city_objects_;
    std::vector<std::pair<std::unique_ptr<CVehicle>, std::unique_ptr<VehicleListNode>>> vehicles_;
};

}  // namespace doubles
