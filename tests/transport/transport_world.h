#pragma once
// The road and rail test worlds: flat ground, the vehicle models, a way
// network, test terminals, a city manager double, the world view double and
// the main loop's frame update on the headless back end's clock. Helpers lay
// ways, depots, stations, bridges, tunnels and city streets straight into the
// grid, fit the pieces and link the network the way the builders do, and
// check the marks and reservations the vehicles hold.

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

// A depot or station with whole units of goods per product: it hands out
// what it has and takes every unit put to it.
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
    std::function<void()> onTick;
};

class TransportWorld : public ::testing::Test {
  protected:
    TransportWorld();

    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CWayNetwork& Net() { return *network_; }
    // A way of `wayType` on the field (pieces are fitted when finished).
    void Way(int32_t x, int32_t y, int32_t wayType);
    // Calls `each(x, y)` for the fields from (x1, y1) to (x2, y2) (one row or
    // column).
    template <typename Each>
    static void EachOnLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Each each) {
        const int32_t dx = (x2 > x1) - (x2 < x1);
        const int32_t dy = (y2 > y1) - (y2 < y1);
        for (int32_t x = x1, y = y1;; x += dx, y += dy) {
            each(x, y);
            if (x == x2 && y == y2) break;
        }
    }
    // Runs frames through the main loop's frame update; FramesUntil stops
    // when `done` holds (at most `limit`) and tells whether it did.
    void Frames(int32_t n);
    template <typename Done>
    bool FramesUntil(Done done, int32_t limit) {
        for (int32_t i = 0; i < limit; ++i, Frames(1)) {
            if (done()) return true;
        }
        return done();
    }
    // What a writer puts into a new file, and a reader run on given bytes.
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
    // The listed vehicles in list order (of one class, or all for -1).
    static std::vector<CVehicle*> Listed(int32_t vehicleClass = -1) {
        std::vector<CVehicle*> all;
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            if (vehicleClass < 0 || n->vehicle->vehicle_class == vehicleClass)
                all.push_back(n->vehicle);
        }
        return all;
    }
    // Widens the box of built fields that the consistency checks scan.
    void Grow(int32_t x, int32_t y);
    // A flat bridge between its end fields or a straight tunnel between its
    // portals, the smaller coordinate first, as the builders leave them (way
    // type 0: the world's own); ways must lead to both ends. WayEnd adds what
    // a world keeps of each end.
    void Bridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = 0);
    void Tunnel(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = 0);
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
    ~RoadWorld() override;
    // The map's marks are exactly the vehicles' and deleting them leaves none.
    void TearDown() override;

    void Road(int32_t x, int32_t y, int32_t wayType = kWayGravelRoad) { Way(x, y, wayType); }
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = kWayGravelRoad);
    // A truck depot of `type` 0..3 (exit N, E, S, W) as building `number`;
    // its exit field must carry a road. DepotRoad: the road of a depot that
    // the building table placed.
    TestTerminal& Depot(int32_t x, int32_t y, int32_t type, int32_t number);
    void DepotRoad(int32_t x, int32_t y);
    // Bridge and tunnel ends point along their way.
    void WayEnd(int32_t x, int32_t y, MapField& field) override;
    // Fits every way piece and node of the box and links the network; with
    // `dead_end_nodes` the ends of roads get nodes as dragged roads do.
    void Finish(int32_t x0 = 0, int32_t y0 = 0, int32_t x1 = 255, int32_t y1 = 255,
                bool dead_end_nodes = false);
    // City n with its area from (x, y), and street fields of a city.
    CCity& City(int32_t n, int32_t x, int32_t y);
    void Street(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t city);
    // A schedule of the stops' depot fields (one field each).
    static void SetSchedule(CVehicle& v, const std::vector<std::pair<int32_t, int32_t>>& stops);

    // Every occupancy mark of the map (lane bits, junction counts, tunnel and
    // bridge lane bits, node side counters): 0 on a clean map.
    int64_t MarkSum() const;
    // The marks the listed vehicles hold explain the map's marks exactly and
    // no two vehicles share a lane position.
    ::testing::AssertionResult MarksConsistent() const;

    std::vector<std::unique_ptr<TestTerminal>> terminals_;
    std::vector<std::unique_ptr<CCity>> city_objects_;

  private:
    std::vector<std::pair<int32_t, int32_t>> depots_;
};

// A train station (types 6..9): field k (0..3) of platform row `row`
// (0-based); field 0 is a stop's track head.
class TestStation : public TestTerminal {
  public:
    std::pair<int32_t, int32_t> RowField(int32_t row, int32_t k) const;
};

using Points = std::vector<std::pair<int32_t, int32_t>>;

class RailWorld : public TransportWorld {
  protected:
    RailWorld() { default_way_ = kWayRail; }
    ~RailWorld() override;
    // The marks and reservations are the trains' own (when `check_at_end_`),
    // and deleting the trains leaves none.
    void TearDown() override;

    // Track on a field, on a straight line and through corner points in turn.
    void Rail(int32_t x, int32_t y);
    void RailLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void RailPath(const Points& corners);
    // A station of `type` 6..9 with its anchor (the first field of its head
    // line) at (ax, ay), `length` platform rows and building `number`.
    TestStation& Station(int32_t type, int32_t ax, int32_t ay, int32_t length, int32_t number);
    // Bridge and tunnel ends are track to fit and link.
    void WayEnd(int32_t x, int32_t y, MapField& field) override;
    // Fits pieces, lays the station rows and links the network;
    // `dead_end_nodes` gives the ends of track nodes.
    void Finish(bool dead_end_nodes = false);

    CTrain* Train(int32_t x, int32_t y, int32_t model = 10) {
        return new CTrain(x, y, "A", model, kWayRail);
    }
    // A schedule of the stations (every platform row a head of the stop).
    static void SetSchedule(CVehicle& v, const std::vector<const TestStation*>& stops);

    // Each unit's field marked and held by its train, no field or link held
    // by two trains, every mark and every link flag held by some train.
    ::testing::AssertionResult Consistent() const;
    // `belegt` marks, and flags of links, left anywhere (a flag on a side
    // without a link reserves nothing).
    int32_t MarkCount() const;
    int32_t FlagCount() const;

    std::vector<std::unique_ptr<TestStation>> stations_;
    bool check_at_end_ = true;

  private:
    std::vector<std::pair<int32_t, int32_t>> track_;
};

// Random rail networks for the property and acceptance tests: a single-track
// ring with stations of every orientation and length on its sides and passing
// loops, lines between two-row termini, and trains on random schedules.
class RandomRailWorld : public RailWorld {
  protected:
    // Lays a random ring with plat::Rand (seeded by the caller) and finishes
    // it. Every station gets a large stock of products 1..6.
    void BuildRandomNetwork();
    // Up to `count` trains on free platform row ends, one per row, with
    // random models, schedules of 2..4 stations and cargo plans.
    std::vector<CTrain*> BuildRandomTrains(int32_t count);
    // A line along y = `y` from x0 to x1: a two-row terminus at each end (rows
    // at y and y - 1, outer ends dead ends), single track between them with
    // `loops` passing loops south of it. Returns the two termini.
    std::pair<TestStation*, TestStation*> AddLine(int32_t y, int32_t x0, int32_t x1, int32_t loops);

  private:
    struct Side {
        bool horizontal;  // the side runs along x
        int32_t c;        // its fixed coordinate
        int32_t s0, s1;   // its range along the side
        int32_t inward;   // +1 or -1 across the side towards the ring's inside
    };
    // Field at position `s` along the side and `across` fields inwards.
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
