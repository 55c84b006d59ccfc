#pragma once
// Stand-ins for the subsystems the main loop talks to, for the main-loop
// tests (the view, panel and sound doubles come from the kit).

#include <cstdint>
#include <functional>
#include <vector>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/window.h"
#include "support/recording_hooks.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"

namespace fvtest {

// A plain window that records the messages it gets.
using RecordingFrame = RecordingWindow<plat::Window>;

class TestCities : public CCityManager {
  public:
    int ticks = 0, monthly = 0;
    std::function<void()> onMonthly;
    void Tick() override { ++ticks; }
    void MonthlyUpdate() override {
        ++monthly;
        if (onMonthly) onMonthly();
    }
};

class TestBuildings : public CBuildingTable {
  public:
    int updates = 0;
    void UpdateRawMaterialSites() override { ++updates; }
};

// A vehicle whose step runs a test function; counts its deletions.
class TestVehicle : public CVehicle {
  public:
    explicit TestVehicle(int id, int* deletions = nullptr)
        : CVehicle(VehicleLoadOnly{}), id(id), deletions_(deletions) {}
    ~TestVehicle() override {
        if (deletions_) ++*deletions_;
    }
    int32_t Move() override {
        ++moves;
        if (onMove) onMove(*this);
        return 0;
    }
    int id, moves = 0;
    std::function<void(TestVehicle&)> onMove;

  private:
    int* deletions_;
};

}  // namespace fvtest
