// Property test of the road occupancy marks: on random road networks with
// depots, junctions, city streets, a tunnel and a bridge, many trucks and
// city cars drive for thousands of frames while schedules change and
// vehicles are scrapped. The marks on the map are always exactly the marks
// the vehicles hold, no two vehicles share a lane, and once every vehicle
// is deleted the map's marks and junction counters are all zero again.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/random.h"
#include "road_world.h"
#include "transport/city_car.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"

namespace {

using roadtest::RoadWorld;

constexpr int32_t kGrid = 6;        // grid points per side
constexpr int32_t kSpacing = 6;     // fields between grid points
constexpr int32_t kOrigin = 60;     // first grid point
constexpr int32_t kCityNumber = 1;  // the west half of the grid is a city

class OccupancyProperty : public RoadWorld, public ::testing::WithParamInterface<uint32_t> {
  protected:
    void SetUp() override {
        rng_.seed(GetParam());
        plat::Srand(GetParam());
        City(kCityNumber, kOrigin - 2, kOrigin - 2);
        BuildGrid();
        BuildTunnelAndBridge();
        PlaceDepots();
        Finish(kOrigin - 10, kOrigin - 10, 140, 120, true);
    }

    int32_t Pick(int32_t n) { return static_cast<int32_t>(rng_() % static_cast<uint32_t>(n)); }
    int32_t GridX(int32_t i) const { return kOrigin + kSpacing * i; }

    void Segment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        const bool city = x1 < GridX(2) && x2 <= GridX(2);
        if (city) {
            Street(x1, y1, x2, y2, kCityNumber);
        } else {
            Line(x1, y1, x2, y2, Pick(3) == 0 ? kWayAsphaltRoad : kWayGravelRoad);
        }
    }

    void BuildGrid() {
        for (int32_t i = 0; i < kGrid; ++i) {
            for (int32_t j = 0; j < kGrid; ++j) {
                // The outer ring always, inner links at random.
                const bool ringRow = j == 0 || j == kGrid - 1;
                const bool ringCol = i == 0 || i == kGrid - 1;
                if (i + 1 < kGrid && (ringRow || Pick(10) < 6)) {
                    Segment(GridX(i), GridX(j), GridX(i + 1), GridX(j));
                }
                if (j + 1 < kGrid && (ringCol || Pick(10) < 6)) {
                    Segment(GridX(i), GridX(j), GridX(i), GridX(j + 1));
                }
            }
        }
    }

    // East of the grid: a road through a tunnel, over a bridge that spans a
    // north-south road, on to a depot; from a random grid row.
    void BuildTunnelAndBridge() {
        const int32_t y = GridX(1 + Pick(kGrid - 2));
        const int32_t x0 = GridX(kGrid - 1);
        Line(x0 + 1, y, x0 + 3, y);
        Tunnel(x0 + 4, y, x0 + 8, y);
        Line(x0 + 9, y, x0 + 11, y);
        Bridge(x0 + 12, y, x0 + 16, y);
        Line(x0 + 14, y - 6, x0 + 14, y + 6);  // under the bridge...
        Line(x0 + 9, y - 6, x0 + 13, y - 6);   // ...joined to the tunnel road
        Line(x0 + 9, y - 5, x0 + 9, y - 1);
        Line(x0 + 17, y, x0 + 20, y);
        depotSpots_.push_back({x0 + 21, y, 3});
        depotSpots_.push_back({x0 + 14, y - 7, 2});
        depotSpots_.push_back({x0 + 14, y + 7, 0});
    }

    // Depots beside random straight road fields of the grid.
    void PlaceDepots() {
        for (int32_t k = 0; k < 8; ++k) {
            for (int32_t attempt = 0; attempt < 50; ++attempt) {
                const int32_t i = Pick(kGrid - 1);
                const int32_t j = Pick(kGrid);
                const int32_t along = 1 + Pick(kSpacing - 1);
                const bool horizontal = Pick(2) == 0;
                const int32_t rx = horizontal ? GridX(i) + along : GridX(j);
                const int32_t ry = horizontal ? GridX(j) : GridX(i) + along;
                const int32_t side = Pick(2) == 0 ? -1 : 1;
                const int32_t dx = horizontal ? rx : rx + side;
                const int32_t dy = horizontal ? ry + side : ry;
                if (F(rx, ry).wegtyp() == 0 || !FreeAround(dx, dy, rx, ry)) continue;
                // The depot's exit faces the road field.
                const int32_t type = horizontal ? (side < 0 ? 2 : 0) : (side < 0 ? 1 : 3);
                depotSpots_.push_back({dx, dy, type});
                F(dx, dy).set_wegtyp(kWayGravelRoad);  // keeps the next depot away
                break;
            }
        }
        for (size_t k = 0; k < depotSpots_.size(); ++k) {
            const DepotSpot& d = depotSpots_[k];
            F(d.x, d.y).set_wegtyp(0);
            roadtest::TestTerminal& terminal = Depot(d.x, d.y, d.type, static_cast<int32_t>(k) + 1);
            for (int32_t p = 20; p < 24; ++p) terminal.stock[p] = 1000;
        }
    }

    // Nothing but the road field (rx, ry) next to (x, y).
    bool FreeAround(int32_t x, int32_t y, int32_t rx, int32_t ry) {
        if (F(x, y).wegtyp() != 0) return false;
        for (int32_t i = 0; i < 4; ++i) {
            const int32_t nx = x + DirDx(i);
            const int32_t ny = y + DirDy(i);
            if ((nx != rx || ny != ry) && F(nx, ny).wegtyp() != 0) return false;
        }
        return true;
    }

    void NewTruck() {
        const DepotSpot& start = depotSpots_[Pick(static_cast<int32_t>(depotSpots_.size()))];
        CTruck* truck = new CTruck(start.x, start.y, "A", Pick(10));
        std::vector<std::pair<int32_t, int32_t>> stops;
        const int32_t count = 2 + Pick(3);
        int32_t last = -1;
        for (int32_t s = 0; s < count; ++s) {
            // Stops in a row are different depots.
            int32_t k = Pick(static_cast<int32_t>(depotSpots_.size()));
            if (k == last) k = (k + 1) % static_cast<int32_t>(depotSpots_.size());
            if (s == count - 1 && k == static_cast<int32_t>(&start - depotSpots_.data()) &&
                count > 2) {
                k = (k + 1) % static_cast<int32_t>(depotSpots_.size());
            }
            last = k;
            const DepotSpot& d = depotSpots_[k];
            stops.emplace_back(d.x, d.y);
            truck->cargo_plan[s][0][0] = static_cast<uint8_t>(Pick(3) == 0 ? 255 : 20 + Pick(4));
        }
        SetSchedule(*truck, stops);
        truck->owner = Pick(4);
        trucks_.push_back(truck);
    }

    void NewCityCar() {
        int32_t x = 0;
        int32_t y = 0;
        for (int32_t attempt = 0; attempt < 20; ++attempt) {
            x = GridX(Pick(3));
            y = GridX(Pick(kGrid)) + 1 + Pick(kSpacing - 1);
            if (F(x, y).wegtyp() == kWayCityStreet && F(x, y).belegt() == 0) break;
        }
        new CCityCar(x, y, "A", 0, kCityNumber);
    }

    int32_t CountClass(int32_t vehicle_class) const {
        int32_t n = 0;
        for (VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
            n += node->vehicle->vehicle_class == vehicle_class ? 1 : 0;
        }
        return n;
    }

    // A random listed truck, or null.
    CVehicle* AnyTruck() {
        std::vector<CVehicle*> all;
        for (VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
            if (node->vehicle->vehicle_class == kVehicleTruck) all.push_back(node->vehicle);
        }
        return all.empty() ? nullptr : all[Pick(static_cast<int32_t>(all.size()))];
    }

    struct DepotSpot {
        int32_t x, y, type;
    };
    std::vector<DepotSpot> depotSpots_;
    std::vector<CTruck*> trucks_;
    std::mt19937 rng_;
};

TEST_P(OccupancyProperty, EveryMarkIsHeldByOneVehicleAndReleasedOnce) {
    constexpr int32_t kFrames = 4000;
    constexpr int32_t kTrucks = 40;
    constexpr int32_t kCars = 25;
    bool seen[5] = {};
    for (int32_t frame = 0; frame < kFrames; ++frame) {
        if (CountClass(kVehicleTruck) < kTrucks && frame % 10 == 0) NewTruck();
        if (CountClass(kVehicleCityCar) < kCars && frame % 7 == 0) NewCityCar();
        if (frame % 97 == 0) {
            if (CVehicle* v = AnyTruck()) v->schedule_changed = 1;  // schedule changed
        }
        if (frame % 211 == 0) {
            if (CVehicle* v = AnyTruck()) v->removal_flag = 1;  // scrapped
        }
        Frames(1);
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            const RoadMark& m = n->vehicle->mark;
            seen[static_cast<int>(m.kind)] = true;
        }
        if (frame % 5 == 0) {
            ASSERT_TRUE(MarksConsistent()) << "frame " << frame;
        }
    }
    ASSERT_TRUE(MarksConsistent());
    EXPECT_GT(CountVehicles(), kTrucks / 2);
    EXPECT_TRUE(seen[static_cast<int>(MarkKind::Lane)]);
    EXPECT_TRUE(seen[static_cast<int>(MarkKind::Junction)]);
    EXPECT_TRUE(seen[static_cast<int>(MarkKind::Tunnel)]);
    EXPECT_TRUE(seen[static_cast<int>(MarkKind::Bridge)]);
    int32_t delivered = 0;
    for (const auto& terminal : terminals_) delivered += terminal->puts;
    EXPECT_GT(delivered, 20);
    DeleteAllVehicles();
    EXPECT_EQ(MarkSum(), 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, OccupancyProperty, ::testing::Values(1u, 2u, 3u));

}  // namespace
