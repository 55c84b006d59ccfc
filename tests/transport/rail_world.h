#pragma once
// A small synthetic rail world for the train tests on the transport test
// base. Helpers lay track and stations straight into the grid, fit the
// pieces and link the network the way the builders do, build trains and
// check the invariants of marks and reservations.

#include <memory>
#include <utility>
#include <vector>

#include "transport/train.h"
#include "transport_world.h"

namespace railtest {

// A train station (types 6..9) with its platform rows.
class TestStation : public transporttest::TestTerminal {
  public:
    // The first field of platform row `row` (0-based): a stop's track head.
    std::pair<int32_t, int32_t> Head(int32_t row) const;
    // Field k (0..3) of platform row `row`.
    std::pair<int32_t, int32_t> RowField(int32_t row, int32_t k) const;
};

using Points = std::vector<std::pair<int32_t, int32_t>>;

class RailWorld : public transporttest::TransportWorld {
  protected:
    ~RailWorld() override;
    // The marks and reservations are the trains' own (when `check_at_end_`),
    // and deleting the trains leaves none.
    void TearDown() override;

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
    RailWorld() { default_way_ = kWayRail; }
    // Bridge and tunnel ends are track to fit and link.
    void WayEnd(int32_t x, int32_t y, MapField& field) override;
    // Fits pieces and direction masks, lays the station rows and links the
    // network. `dead_end_nodes` gives the ends of track nodes.
    void Finish(bool dead_end_nodes = false);

    // A train of `model` built at (x, y) (a station row field).
    CTrain* Train(int32_t x, int32_t y, int32_t model = 10, int32_t wayKind = kWayRail);
    // A schedule of the stations (every platform row a head of the stop).
    static void SetSchedule(CVehicle& v, const std::vector<const TestStation*>& stops);

    // The marks and reservations of every listed train against the map and
    // the network: each unit's field marked and held by its train, no field
    // or link held by two trains, every mark and every link flag held by
    // some train.
    ::testing::AssertionResult Consistent() const;
    // Number of `belegt` marks, and of flags of links, left anywhere (a flag
    // on a side without a link reserves nothing).
    int32_t MarkCount() const;
    int32_t FlagCount() const;

    std::vector<std::unique_ptr<TestStation>> stations_;
    bool check_at_end_ = true;

  private:
    std::vector<std::pair<int32_t, int32_t>> track_;
};

}  // namespace railtest
