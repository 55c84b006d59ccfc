#pragma once
// A small synthetic rail world for the train tests: a fresh game state on
// flat ground with the vehicle models, a way network, a building table of
// test stations that keep whole units of goods, doubles of the city manager
// and the world view, and the real frame update on the headless back end's
// clock. Helpers lay track and stations straight into the grid, fit the
// pieces and link the network the way the builders do, build trains and
// check the invariants of marks and reservations.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "app/game_app.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/headless/headless_backend.h"
#include "state/map_field.h"
#include "support/game_scope.h"
#include "transport/train.h"
#include "world/build_helper.h"
#include "world/way_network.h"

namespace railtest {

// A train station (types 6..9) with whole units of goods per product: it
// hands out what it has and takes every unit put to it.
class TestStation : public CBuilding {
  public:
    int32_t TakeGoods(int32_t product, int32_t amount, int32_t, int32_t) override {
        ++takes;
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
    int32_t GetLength() const override { return length; }

    // The first field of platform row `row` (0-based): a stop's track head.
    std::pair<int32_t, int32_t> Head(int32_t row) const;
    // Field k (0..3) of platform row `row`.
    std::pair<int32_t, int32_t> RowField(int32_t row, int32_t k) const;

    int32_t number = 0;
    int32_t length = 1;
    std::map<int32_t, int32_t> stock;
    int32_t takes = 0;
    int32_t puts = 0;
    int32_t updates = 0;
    int32_t refreshes = 0;
    std::vector<CVehicle*> at_terminal_during_put;
};

class TestBuildingTable : public CBuildingTable {
  public:
    void UpdateRawMaterialSites() override {}
};

class TestCityManager : public CCityManager {
  public:
    void Tick() override {}
    void MonthlyUpdate() override {}
};

using Points = std::vector<std::pair<int32_t, int32_t>>;

class RailWorld : public ::testing::Test {
  protected:
    RailWorld();
    ~RailWorld() override;

    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CWayNetwork& Net() { return *network_; }

    // Track of `wayType` on one field, and a straight line of it between two
    // fields of a row or column.
    void Rail(int32_t x, int32_t y, int32_t wayType = kWayRail);
    void RailLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = kWayRail);
    // Straight lines through the corner points in turn.
    void RailPath(const Points& corners, int32_t wayType = kWayRail);
    // A station of `type` 6..9 with its anchor (the first field of its head
    // line) at (ax, ay), `length` platform rows and building number `number`.
    // Its rows get track of `wayType`; Finish lays and links them.
    TestStation& Station(int32_t type, int32_t ax, int32_t ay, int32_t length, int32_t number,
                         int32_t wayType = kWayRail);
    // A bridge between the end fields (x1, y1) and (x2, y2) on flat ground,
    // the smaller coordinate first, and a tunnel between two portals; track
    // must lead to both ends.
    void Bridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = kWayRail);
    void Tunnel(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = kWayRail);
    // A slope of the ramp piece for a grade: the field keeps its track.
    void Grade(int32_t x, int32_t y, int32_t wegteil);
    // Fits pieces and direction masks, lays the station rows and links the
    // network. `dead_end_nodes` gives the ends of track nodes.
    void Finish(bool dead_end_nodes = false);

    // A train of `model` built at (x, y) (a station row field).
    CTrain* Train(int32_t x, int32_t y, int32_t model = 10, int32_t wayKind = kWayRail);
    // A schedule of the stations (every platform row a head of the stop).
    static void SetSchedule(CVehicle& v, const std::vector<const TestStation*>& stops);

    void Frames(int32_t n);
    template <typename Done>
    bool FramesUntil(Done done, int32_t limit) {
        for (int32_t i = 0; i < limit; ++i) {
            if (done()) return true;
            Frames(1);
        }
        return done();
    }

    // The marks and reservations of every listed train against the map and
    // the network: each unit's field marked and held by its train, no field
    // or link held by two trains, every mark and every link flag held by
    // some train.
    ::testing::AssertionResult Consistent() const;
    // Number of `belegt` marks, and of flags of links, left anywhere (a flag
    // on a side without a link reserves nothing).
    int32_t MarkCount() const;
    int32_t FlagCount() const;

    plat::HeadlessBackend host_;
    fvtest::GameScope game_;
    std::unique_ptr<CWayNetwork> network_;
    CBuildHelper helper_;
    TestBuildingTable buildings_;
    std::vector<std::unique_ptr<TestStation>> stations_;
    TestCityManager cities_;
    fvtest::RecordingView& view_ = game_.UseView();  // every field in view
    CGameApp app_;

  private:
    void Grow(int32_t x, int32_t y);

    std::vector<std::pair<int32_t, int32_t>> track_;
    int32_t box_x0_ = 255;
    int32_t box_y0_ = 255;
    int32_t box_x1_ = 0;
    int32_t box_y1_ = 0;
};

}  // namespace railtest
