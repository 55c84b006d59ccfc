#pragma once
// Test doubles of the services the world map calls in other subsystems: the
// building table, the vehicle list with its field queries, the city manager
// and the world view's visibility test. Each test resets them.

#include <cstdint>
#include <memory>
#include <vector>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "transport/vehicle_services.h"
#include "view/spiel_feld.h"

namespace doubles {

struct RunQuery {
    int32_t x1, y1, x2, y2;
};

class TestBuildingTable : public CBuildingTable {
  public:
    void UpdateRawMaterialSites() override {}
};

class TestVehicle : public CVehicle {
  public:
    void Move() override {}
};

class TestCityManager : public CCityManager {
  public:
    void Tick() override {}
    void MonthlyUpdate() override {}
};

// The world view: answers only whether a field is in view.
class TestWorldView : public SPIEL_FELD {
  public:
    void RedrawView() override {}
    void TickAnimations() override {}
    void DrawVehicles(int32_t) override {}
    int32_t IsTileInView(int32_t, int32_t) override { return tile_in_view; }

    int32_t tile_in_view = 0;
};

struct State {
    TestBuildingTable buildings;
    std::vector<std::unique_ptr<CBuilding>> building_objects;
    TestCityManager cities;
    std::vector<std::unique_ptr<CCity>> city_objects;

    // Vehicles standing on fields, answered by FindVehicleAtField.
    struct PlacedVehicle {
        int32_t x, y;
        std::unique_ptr<CVehicle> vehicle;
        std::unique_ptr<VehicleListNode> node;
    };
    std::vector<PlacedVehicle> vehicles;
    // Answer of IsVehicleOnColumn / IsVehicleOnRow, and the calls made.
    int32_t vehicle_on_run = 0;
    std::vector<RunQuery> column_queries;
    std::vector<RunQuery> row_queries;

    TestWorldView view;
};

// Installs fresh doubles in the globals; the destructor removes them.
class Scope {
  public:
    Scope();
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    State& state() { return *state_; }
    // A building record in slot `number` with its anchor.
    CBuilding& AddBuilding(int32_t number, int32_t anchorX, int32_t anchorY);
    // A city of number 1..63 with the origin of its area.
    CCity& AddCity(int32_t number, int32_t originX, int32_t originY);
    // A vehicle on field (x, y) travelling in direction bits `dirBits`.
    CVehicle& AddVehicle(int32_t x, int32_t y, uint8_t dirBits);

  private:
    std::unique_ptr<State> state_;
};

State* Current();

}  // namespace doubles
