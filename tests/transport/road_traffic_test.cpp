// Random road grids with depots, city streets, tunnels and bridges, driven by
// many trucks and city cars: the map's marks are always exactly the vehicles'.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/random.h"
#include "transport/city_car.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"
#include "transport_world.h"

namespace {

constexpr int32_t kOrigin = 60;  // the first grid point
constexpr int32_t kCity = 1;     // the links of the grid's north-west corner are its streets
constexpr int32_t kPoints = 6, kSpacing = 6;

class RoadGrid : public transporttest::RoadWorld {
  protected:
    // A grid of crossings with depots; east of it a road through a tunnel
    // and over a bridge across a road to three depots.
    void Build(uint32_t seed) {
        rng_.seed(seed);
        plat::Srand(seed);
        City(kCity, kOrigin - 2, kOrigin - 2);
        for (int32_t i = 0; i < kPoints; ++i) {
            for (int32_t j = 0; j < kPoints; ++j) {
                const bool ringRow = j == 0 || j == kPoints - 1;
                const bool ringCol = i == 0 || i == kPoints - 1;
                if (i + 1 < kPoints && (ringRow || Pick(100) < 60)) Segment(i, j, true);
                if (j + 1 < kPoints && (ringCol || Pick(100) < 60)) Segment(i, j, false);
            }
        }
        const int32_t y = P(1 + Pick(kPoints - 2)), x0 = P(kPoints - 1);
        Line(x0 + 1, y, x0 + 3, y);
        Tunnel(x0 + 4, y, x0 + 8, y);
        Line(x0 + 9, y, x0 + 11, y);
        Bridge(x0 + 12, y, x0 + 16, y);
        Line(x0 + 14, y - 6, x0 + 14, y + 6);  // under the bridge...
        Line(x0 + 9, y - 6, x0 + 13, y - 6);   // ...joined to the tunnel road
        Line(x0 + 9, y - 5, x0 + 9, y - 1);
        Line(x0 + 17, y, x0 + 20, y);
        AddDepot(x0 + 21, y, 3);
        AddDepot(x0 + 14, y - 7, 2);
        AddDepot(x0 + 14, y + 7, 0);
        for (int32_t k = 0; k < 8; ++k) PlaceDepot();
        Finish(kOrigin - 10, kOrigin - 10, P(kPoints) + 30, P(kPoints) + 10, true);
    }

    int32_t Pick(int32_t n) { return static_cast<int32_t>(rng_() % static_cast<uint32_t>(n)); }
    static int32_t P(int32_t i) { return kOrigin + kSpacing * i; }

    // The link from crossing (i, j) east or south.
    void Segment(int32_t i, int32_t j, bool east) {
        const int32_t x = P(i), y = P(j);
        const int32_t x2 = x + (east ? kSpacing : 0), y2 = y + (east ? 0 : kSpacing);
        if (P(2) >= x2 && P(2) >= y2) return Street(x, y, x2, y2, kCity);
        Line(x, y, x2, y2, Pick(3) == 0 ? kWayAsphaltRoad : kWayGravelRoad);
    }

    void AddDepot(int32_t x, int32_t y, int32_t type) {
        spots_.emplace_back(x, y);
        transporttest::TestTerminal& depot = Depot(x, y, type, static_cast<int32_t>(spots_.size()));
        for (int32_t p = 20; p < 24; ++p) depot.stock[p] = 1000;
    }

    // A depot facing a straight road (no street), nothing else beside it.
    void PlaceDepot() {
        const auto clear = [&](int32_t x, int32_t y) {
            return F(x, y).wegtyp() == 0 && !F(x, y).tunnel() && !F(x, y).bridge_flag();
        };
        for (;;) {
            const int32_t i = Pick(kPoints - 1), j = Pick(kPoints);
            const int32_t along = 2 + Pick(kSpacing - 3);
            const bool horizontal = Pick(2) == 0;
            const int32_t side = Pick(2) == 0 ? -1 : 1;
            const int32_t rx = horizontal ? P(i) + along : P(j),
                          ry = horizontal ? P(j) : P(i) + along;
            const int32_t x = horizontal ? rx : rx + side, y = horizontal ? ry + side : ry;
            const MapField& road = F(rx, ry);
            bool free = road.wegtyp() != 0 && road.wegtyp() != kWayCityStreet && !road.tunnel() &&
                        !road.bridge_flag() && clear(x, y);
            for (int32_t d = 0; d < 4; ++d) {
                const int32_t nx = x + DirDx(d), ny = y + DirDy(d);
                free = free && ((nx == rx && ny == ry) || clear(nx, ny));
            }
            if (!free) continue;
            AddDepot(x, y, horizontal ? (side < 0 ? 2 : 0) : (side < 0 ? 1 : 3));
            return;
        }
    }

    // A random truck with 2..4 stops, each loading one of 20..23 or none.
    void NewTruck() {
        const int32_t n = static_cast<int32_t>(spots_.size());
        int32_t k = Pick(n);
        CTruck* truck = new CTruck(spots_[k].first, spots_[k].second, "A", Pick(10));
        std::vector<std::pair<int32_t, int32_t>> stops{spots_[k]};
        const int32_t count = 2 + Pick(3);
        for (int32_t s = 1; s < count; ++s) {
            do {
                k = (k + 1 + Pick(n - 1)) % n;
            } while (s == count - 1 && spots_[k] == stops.front());
            stops.push_back(spots_[k]);
        }
        SetSchedule(*truck, stops);
        for (int32_t s = 0; s < count; ++s) {
            truck->cargo_plan[s][0][0] = static_cast<uint8_t>(Pick(4) == 0 ? 255 : 20 + Pick(4));
        }
        truck->owner = Pick(4);
    }

    // The cities' traffic rule: a car on a free street field, up to `wanted`.
    void SpawnCityCar(int32_t wanted) {
        CCity* city = cities_.City(kCity);
        if (city->car_count >= wanted) return;
        int32_t x = -1, y = -1;
        city->FindStreetField(x, y);
        if (x < 0) return;
        new CCityCar(x, y, "A", 0, kCity);
        city->car_count += 1;
    }

    int32_t Delivered() const {
        int32_t puts = 0;
        for (const auto& terminal : terminals_) puts += terminal->puts;
        return puts;
    }

    std::mt19937 rng_;
    std::vector<std::pair<int32_t, int32_t>> spots_;
};

class RoadOccupancyProperty : public RoadGrid, public ::testing::WithParamInterface<uint32_t> {};

// Schedules change and trucks are scrapped on the way.
TEST_P(RoadOccupancyProperty, EveryMarkIsHeldByOneVehicleAndReleasedOnce) {
    Build(GetParam());
    bool seen[5] = {};
    for (int32_t frame = 0; frame < 4000; ++frame) {
        std::vector<CVehicle*> trucks = Listed(kVehicleTruck);
        if (trucks.size() < 40 && frame % 10 == 0) NewTruck();
        if (frame % 7 == 0) SpawnCityCar(25);
        const int32_t n = static_cast<int32_t>(trucks.size());
        if (n > 0 && frame % 97 == 0) trucks[Pick(n)]->schedule_changed = 1;
        if (n > 0 && frame % 211 == 0) trucks[Pick(n)]->removal_flag = 1;
        Frames(1);
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            seen[static_cast<int>(n->vehicle->mark.kind)] = true;
        }
        ASSERT_TRUE(frame % 5 != 0 || MarksConsistent()) << "frame " << frame;
    }
    EXPECT_GT(CountVehicles(), 20);
    for (MarkKind kind : {MarkKind::Lane, MarkKind::Junction, MarkKind::Tunnel, MarkKind::Bridge}) {
        EXPECT_TRUE(seen[static_cast<int>(kind)]) << static_cast<int>(kind);
    }
    EXPECT_GT(Delivered(), 20);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RoadOccupancyProperty, ::testing::Values(1u, 2u, 3u));

}  // namespace
