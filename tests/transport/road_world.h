#pragma once
// A small synthetic road world for the vehicle tests: a fresh game state on
// flat ground with the vehicle models, a way network, doubles of the
// building table (terminals that keep whole units of goods), of the city
// manager and of the world view, and the real frame update of the main loop
// on the headless back end's clock. Helpers lay roads, depots, bridges and
// tunnels straight into the grid, fit the pieces and link the network the
// way the builders do.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/game_app.h"
#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/headless/headless_backend.h"
#include "state/map_field.h"
#include "support/game_scope.h"
#include "transport/vehicle.h"
#include "world/build_helper.h"
#include "world/way_network.h"

namespace roadtest {

// A terminal with whole units of goods per product. It hands out what it
// has and takes every unit put to it.
class TestTerminal : public CBuilding {
  public:
    int32_t TakeGoods(int32_t product, int32_t amount, int32_t, int32_t buyer) override {
        ++takes;
        last_buyer = buyer;
        const int32_t given = amount < stock[product] ? amount : stock[product];
        if (given > 0) stock[product] -= given;
        return given > 0 ? given : 0;
    }
    int32_t PutGoods(int32_t product, int32_t amount, int32_t) override {
        ++puts;
        at_terminal_during_put.push_back(g_pVehicleAtTerminal);
        stock[product] += amount;
        return amount;
    }
    void Update() override { ++updates; }
    void Refresh() override { ++refreshes; }

    std::map<int32_t, int32_t> stock;
    int32_t takes = 0;
    int32_t puts = 0;
    int32_t updates = 0;
    int32_t refreshes = 0;
    int32_t last_buyer = -1;
    std::vector<CVehicle*> at_terminal_during_put;
};

class TestBuildingTable : public CBuildingTable {
  public:
    void UpdateRawMaterialSites() override {}
};

class TestCityManager : public CCityManager {
  public:
    void Tick() override {
        if (onTick) onTick();
    }
    void MonthlyUpdate() override {}
    std::function<void()> onTick;
};

// Bridge orientation.
enum class Axis { NS, EW };

class RoadWorld : public ::testing::Test {
  protected:
    RoadWorld();
    ~RoadWorld() override;

    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CWayNetwork& Net() { return *network_; }

    // Road of `wayType` on the fields (pieces are fitted by Finish).
    void Road(int32_t x, int32_t y, int32_t wayType = kWayGravelRoad);
    // A straight road from (x1, y1) to (x2, y2) (same row or column).
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = kWayGravelRoad);
    // A truck depot of `type` 0..3 (exit N, E, S, W) on (x, y) as building
    // `number`; its exit field must carry a road.
    TestTerminal& Depot(int32_t x, int32_t y, int32_t type, int32_t number);
    // The road of a depot placed by the building table on (x, y).
    void DepotRoad(int32_t x, int32_t y);
    // A bridge between the end fields (x1, y1) and (x2, y2) on flat ground,
    // the smaller coordinate first; roads must lead to both ends.
    void Bridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = kWayGravelRoad);
    // A tunnel between the portals (x1, y1) and (x2, y2), the smaller
    // coordinate first; roads must lead to both portals.
    void Tunnel(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = kWayGravelRoad);
    // Fits every way piece and node of the box and links the network. With
    // `dead_end_nodes` the ends of roads get nodes too, as the road builder
    // gives them at the ends of a dragged road.
    void Finish(int32_t x0 = 0, int32_t y0 = 0, int32_t x1 = 255, int32_t y1 = 255,
                bool dead_end_nodes = false);
    // A city of number n whose area starts at (x, y); its fields in the box
    // given get its city number.
    CCity& City(int32_t n, int32_t x, int32_t y);
    // City street fields (way type 1 with the city number).
    void Street(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t city);

    // A schedule of the stops' depot fields (one field each).
    static void SetSchedule(CVehicle& v, const std::vector<std::pair<int32_t, int32_t>>& stops);

    // Runs frames through the main loop's frame update.
    void Frames(int32_t n);
    // Frames until `done` holds (at most `limit`); true when it did.
    template <typename Done>
    bool FramesUntil(Done done, int32_t limit) {
        for (int32_t i = 0; i < limit; ++i) {
            if (done()) return true;
            Frames(1);
        }
        return done();
    }

    // Every occupancy mark of the map: lane bits, junction counts, tunnel
    // and bridge lane bits and the node side counters. 0 on a clean map.
    int64_t MarkSum() const;
    // Checks that the marks held by the listed vehicles explain the map's
    // marks exactly and that no two vehicles share a lane position.
    ::testing::AssertionResult MarksConsistent() const;

    plat::HeadlessBackend host_;
    fvtest::GameScope game_;
    std::unique_ptr<CWayNetwork> network_;
    CBuildHelper helper_;
    TestBuildingTable buildings_;
    std::vector<std::unique_ptr<TestTerminal>> terminals_;
    TestCityManager cities_;
    std::vector<std::unique_ptr<CCity>> city_objects_;
    fvtest::RecordingView& view_ = game_.UseView();  // every field in view
    CGameApp app_;

  private:
    // Widens the box of built fields that MarksConsistent scans.
    void Grow(int32_t x, int32_t y);

    std::vector<std::pair<int32_t, int32_t>> depots_;
    int32_t box_x0_ = 255;
    int32_t box_y0_ = 255;
    int32_t box_x1_ = 0;
    int32_t box_y1_ = 0;
};

}  // namespace roadtest
