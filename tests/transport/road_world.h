#pragma once
// A small synthetic road world for the vehicle tests on the transport test
// base. Helpers lay roads, depots, bridges and tunnels straight into the
// grid, fit the pieces and link the network the way the builders do.

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

    // Road of `wayType` on the fields (pieces are fitted by Finish).
    void Road(int32_t x, int32_t y, int32_t wayType = kWayGravelRoad) { Way(x, y, wayType); }
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

    // Every occupancy mark of the map: lane bits, junction counts, tunnel
    // and bridge lane bits and the node side counters. 0 on a clean map.
    int64_t MarkSum() const;
    // Checks that the marks held by the listed vehicles explain the map's
    // marks exactly and that no two vehicles share a lane position.
    ::testing::AssertionResult MarksConsistent() const;

    std::vector<std::unique_ptr<TestTerminal>> terminals_;
    std::vector<std::unique_ptr<CCity>> city_objects_;

  private:
    std::vector<std::pair<int32_t, int32_t>> depots_;
};

}  // namespace roadtest
