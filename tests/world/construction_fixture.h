#pragma once
// A world for the world-map tests: flat land of height 2, the terrain (with
// the way network and construction helper), cash, and doubles of the services
// the map calls elsewhere (buildings, vehicles, cities). Helpers lay ways
// through the real builders or straight into the grid, place buildings, shape
// hills and snapshot what a refusal must not change.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/statistics.h"
#include "support/game_scope.h"
#include "support/way_graph_check.h"
#include "transport/vehicle_services.h"
#include "world/build_helper.h"
#include "world/terrain.h"
#include "world/way_network.h"

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

constexpr int64_t kStartCash = 1000000;

// Everything a builder may change: the grid, the graph, cash and statistics.
struct WorldSnapshot {
    std::vector<MapField> fields;
    std::vector<std::array<int32_t, 13>> nodes;  // number, ziel, cost, belegt and back
    std::array<int64_t, 4> cash{};
    std::vector<int32_t> statistics;
};

WorldSnapshot TakeSnapshot();
// Every corner of the box within one step of its eight neighbours.
::testing::AssertionResult HeightsSmooth(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
// Compares two snapshots; `ignoreViewBits` leaves out the redraw and
// preview marks (`feldchange`, `cursor`, `cursorricht`).
::testing::AssertionResult SameWorld(const WorldSnapshot& before, const WorldSnapshot& after,
                                     bool ignoreViewBits = false);

class ConstructionTest : public ::testing::Test {
  protected:
    ConstructionTest();
    ~ConstructionTest() override;
    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CWayNetwork& Net() { return *g_pWayNetwork; }
    CBuildHelper& Helper() { return *g_pBuildHelper; }
    CTerrain& Terrain() { return *terrain_; }
    CGameState& GS() { return game_.state(); }
    Scope& Services() { return services_; }
    int64_t Cash() { return GS().cash[0]; }
    int32_t NetworkLength(int32_t player = 0) {
        return g_Statistics.Monthly(StatSeries::NetworkLength, player);
    }
    // Ways straight into the grid, then the box around them re-fitted.
    void LayWay(const std::vector<std::pair<int32_t, int32_t>>& cells, int32_t wayType,
                int32_t player = 0);
    void LayLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType);
    // A crossing at (x, y): the field and its four neighbours.
    void Crossing(int32_t x, int32_t y, int32_t wayType = kWayGravelRoad) {
        LayWay({{x, y - 1}, {x, y}, {x, y + 1}, {x - 1, y}, {x + 1, y}}, wayType);
    }
    void RefitBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    // Links every node field of the box in each of its way directions.
    void LinkBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    int32_t NodeAt(int32_t x, int32_t y) { return F(x, y).knotennummer(); }
    // The link of the node on (x, y) in direction index i (-1: no node).
    int32_t LinkTarget(int32_t x, int32_t y, int32_t i) {
        const WayNode* node = Net().Node(NodeAt(x, y));
        return node != nullptr ? node->ziel[i] : -1;
    }
    int32_t LinkCost(int32_t x, int32_t y, int32_t i) {
        const WayNode* node = Net().Node(NodeAt(x, y));
        return node != nullptr ? node->cost[i] : -1;
    }
    // A straight road or track dragged through the path drivers.
    void DragRoad(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType);
    void DragTrack(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType);
    // Puts the cells into the path list, first cell at the front.
    void SetPath(const std::vector<std::pair<int32_t, int32_t>>& cells);
    // A building of `type` (depots 0..3 and stations 6..9 carry their
    // orientation) with its north-west field on (x, y), via PlaceStructure.
    TestBuilding& Place(int32_t number, int32_t type, int32_t x, int32_t y, int32_t w = 1,
                        int32_t h = 1);
    // Sets the corner heights of the rectangle and the shapes around it.
    void SetHeights(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t height);
    fvtest::GameScope game_;
    Scope services_{game_};
    std::unique_ptr<CTerrain> terrain_;
};
