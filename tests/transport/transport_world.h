#pragma once
// Road and rail test worlds on flat ground, driven by the main loop's frame
// update on the fake clock: ways, depots, stations, bridges, tunnels and city
// streets laid as the builders leave them, and checks of the vehicles' marks.

#include <gtest/gtest.h>

#include <algorithm>
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
#include "platform/file.h"
#include "platform/headless/headless_backend.h"
#include "platform/temp_folder.h"
#include "state/map_field.h"
#include "support/game_scope.h"
#include "transport/train.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"
#include "world/build_helper.h"
#include "world/way_network.h"

namespace transporttest {

// A depot or station: hands out the whole units it has, takes every unit.
class TestTerminal : public CBuilding {
  public:
    int32_t TakeGoods(int32_t product, int32_t amount, int32_t, int32_t buyer) override {
        ++takes;
        last_buyer = buyer;
        const int32_t given = std::max(0, std::min(amount, stock[product]));
        stock[product] -= given;
        return given;
    }
    int32_t PutGoods(int32_t product, int32_t amount, int32_t) override {
        ++puts;
        at_terminal_during_put.push_back(g_pVehicleAtTerminal);
        stock[product] += amount;
        return amount;
    }
    void Refresh() override { ++refreshes; }
    int32_t GetLength() const override { return length; }

    int32_t number = 0;
    int32_t length = 0;  // platform rows of a station
    std::map<int32_t, int32_t> stock;
    int32_t takes = 0, puts = 0, refreshes = 0, last_buyer = -1;
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
    std::function<void()> onTick;  // the city traffic rule of a test
};

class TransportWorld : public ::testing::Test {
  protected:
    TransportWorld();

    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CWayNetwork& Net() { return *network_; }
    void Way(int32_t x, int32_t y, int32_t wayType);  // fitted by Finish
    // `each(x, y)` for the fields from (x1, y1) to (x2, y2) on a row or column.
    template <typename Each>
    static void EachOnLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Each each) {
        const int32_t dx = (x2 > x1) - (x2 < x1);
        const int32_t dy = (y2 > y1) - (y2 < y1);
        for (int32_t x = x1, y = y1;; x += dx, y += dy) {
            each(x, y);
            if (x == x2 && y == y2) break;
        }
    }
    // Frames of the main loop; FramesUntil stops once `done` holds.
    void Frames(int32_t n);
    template <typename Done>
    bool FramesUntil(Done done, int32_t limit) {
        for (int32_t i = 0; i < limit; ++i, Frames(1)) {
            if (done()) return true;
        }
        return done();
    }
    std::string Path(const std::string& name) const { return folder_.Path() + "/" + name; }
    template <typename Writer>
    std::string WriteWith(const std::string& name, Writer writer) {
        plat::FileHandle file = plat::OpenFile(Path(name), plat::OpenMode::Create);
        writer(file);
        plat::CloseFile(file);
        return folder_.Read(name);
    }
    template <typename Reader>
    bool ReadWith(const std::string& bytes, Reader reader) {
        plat::FileHandle file = plat::OpenFile(folder_.Write("in", bytes), plat::OpenMode::Read);
        const bool ok = reader(file);
        plat::CloseFile(file);
        return ok;
    }
    static std::vector<CVehicle*> Listed(int32_t vehicleClass = -1) {
        std::vector<CVehicle*> all;
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            if (vehicleClass < 0 || n->vehicle->vehicle_class == vehicleClass)
                all.push_back(n->vehicle);
        }
        return all;
    }
    void Grow(int32_t x, int32_t y);  // widens the box the checks scan
    // A flat bridge or straight tunnel between its ends (smaller coordinate
    // first; way type 0: the world's own); WayEnd adds what a world keeps.
    void Bridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = 0) {
        Span(false, x1, y1, x2, y2, wayType);
    }
    void Tunnel(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = 0) {
        Span(true, x1, y1, x2, y2, wayType);
    }
    void Span(bool tunnel, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType);
    virtual void WayEnd(int32_t x, int32_t y, MapField& field) = 0;

    plat::HeadlessBackend host_;
    fvtest::GameScope game_;
    std::unique_ptr<CWayNetwork> network_;
    CBuildHelper helper_;
    TestBuildingTable buildings_;
    TestCityManager cities_;
    fvtest::RecordingView& view_ = game_.UseView();
    CGameApp app_;
    fvtest::TempFolder folder_;
    int32_t box_x0_ = 255, box_y0_ = 255, box_x1_ = 0, box_y1_ = 0;
    int32_t default_way_ = kWayGravelRoad;
};

class RoadWorld : public TransportWorld {
  protected:
    ~RoadWorld() override { DeleteAllVehicles(); }
    void TearDown() override;  // marks exactly the vehicles', none once deleted

    void Road(int32_t x, int32_t y, int32_t wayType = kWayGravelRoad) { Way(x, y, wayType); }
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = kWayGravelRoad);
    // A truck depot of `type` 0..3 (exit N, E, S, W); DepotRoad: the road
    // of a depot the building table placed.
    TestTerminal& Depot(int32_t x, int32_t y, int32_t type, int32_t number);
    void DepotRoad(int32_t x, int32_t y);
    void WayEnd(int32_t x, int32_t y, MapField& field) override;
    // Fits the box's pieces and links the network (`dead_end_nodes`: nodes
    // on road ends, as dragged roads get them).
    void Finish(int32_t x0 = 0, int32_t y0 = 0, int32_t x1 = 255, int32_t y1 = 255,
                bool dead_end_nodes = false);
    CCity& City(int32_t n, int32_t x, int32_t y);
    void Street(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t city);
    static void SetSchedule(CVehicle& v, const std::vector<std::pair<int32_t, int32_t>>& stops);
    int64_t MarkSum() const;  // every occupancy mark of the map and the nodes
    // The vehicles' marks explain the map's exactly; no lane is shared.
    ::testing::AssertionResult MarksConsistent() const;

    std::vector<std::unique_ptr<TestTerminal>> terminals_;
    std::vector<std::unique_ptr<CCity>> city_objects_;

  private:
    std::vector<std::pair<int32_t, int32_t>> depots_;
};

// A train station (types 6..9): field k (0..3) of platform row `row`.
class TestStation : public TestTerminal {
  public:
    std::pair<int32_t, int32_t> RowField(int32_t row, int32_t k) const;
};

using Points = std::vector<std::pair<int32_t, int32_t>>;

class RailWorld : public TransportWorld {
  protected:
    RailWorld() { default_way_ = kWayRail; }
    ~RailWorld() override { DeleteAllVehicles(); }
    void TearDown() override;  // Consistent (if `check_at_end_`), none once deleted
    void Rail(int32_t x, int32_t y);
    void RailLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void RailPath(const Points& corners);
    // A station with its anchor (first field of the head line) at (ax, ay).
    TestStation& Station(int32_t type, int32_t ax, int32_t ay, int32_t length, int32_t number);
    void WayEnd(int32_t x, int32_t y, MapField& field) override;
    void Finish(bool dead_end_nodes = false);

    CTrain* Train(int32_t x, int32_t y, int32_t model = 10) {
        return new CTrain(x, y, "A", model, kWayRail);
    }
    static void SetSchedule(CVehicle& v, const std::vector<const TestStation*>& stops);

    // Each unit's field held by its train, nothing held twice, every mark
    // and link flag held by some train.
    ::testing::AssertionResult Consistent() const;
    int32_t MarkCount() const;
    int32_t FlagCount() const;

    std::vector<std::unique_ptr<TestStation>> stations_;
    bool check_at_end_ = true;

  private:
    std::vector<std::pair<int32_t, int32_t>> track_;
};

// Random rail networks (plat::Rand, seeded by the caller): a single-track
// ring with stations of every orientation and length and passing loops, or
// lines between two-row termini; trains on random schedules.
class RandomRailWorld : public RailWorld {
  protected:
    void BuildRandomNetwork();  // every station stocks products 1..6
    // Up to `count` trains on free platform row ends, schedules of 2..4 stops.
    std::vector<CTrain*> BuildRandomTrains(int32_t count);
    // Two-row termini at x0 and x1 on y, single track with `loops` loops.
    std::pair<TestStation*, TestStation*> AddLine(int32_t y, int32_t x0, int32_t x1, int32_t loops);

  private:
    struct Side {
        bool horizontal;  // the side runs along x
        int32_t c;        // its fixed coordinate
        int32_t s0, s1;   // its range along the side
        int32_t inward;   // +1 or -1 across the side towards the ring's inside
    };
    static std::pair<int32_t, int32_t> At(const Side& side, int32_t s, int32_t across);
    void AddStation(const Side& side, int32_t s, int32_t length, bool grows_inward);
    void AddLoop(const Side& side, int32_t s, int32_t length, int32_t sign);

    struct StartField {
        int32_t x, y;
        const TestStation* station;
    };
    std::vector<const TestStation*> all_stations_;
    std::vector<StartField> starts_;
    int32_t next_number_ = 1;
};

}  // namespace transporttest
