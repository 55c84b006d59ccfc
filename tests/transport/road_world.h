#pragma once
// A small road world on the transport test base: helpers lay roads, depots,
// bridges, tunnels and city streets straight into the grid, fit the pieces
// and link the network the way the builders do.

#include <memory>
#include <utility>
#include <vector>

#include "cities/city.h"
#include "transport/vehicle.h"
#include "transport_world.h"

namespace roadtest {

using transporttest::TestTerminal;

class RoadWorld : public transporttest::TransportWorld {
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

}  // namespace roadtest
