// Random road grids with depots, city streets, tunnels and bridges, driven by
// many trucks and city cars: the map's marks are always exactly the vehicles'.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "app/app_globals.h"
#include "platform/random.h"
#include "transport/city_car.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"
#include "transport_world.h"

namespace {

constexpr int32_t kOrigin = 60;  // the first grid point
constexpr int32_t kCity = 1;     // the links of the grid's north-west corner are its streets

class RoadGrid : public transporttest::RoadWorld {
  protected:
    ~RoadGrid() override { g_TickLength = saved_tick_; }

    // A grid of crossings (outer ring always, inner links by `linkPercent`)
    // and `depots` depots beside it. With `branch` a road east of it runs
    // through a tunnel and over a bridge across a road to three depots;
    // without, one grid link runs through a tunnel and one over a bridge.
    void Build(uint32_t seed, int32_t points, int32_t spacing, int32_t linkPercent, bool branch,
               int32_t depots) {
        rng_.seed(seed);
        plat::Srand(seed);
        points_ = points;
        spacing_ = spacing;
        City(kCity, kOrigin - 2, kOrigin - 2);
        for (int32_t i = 0; i < points; ++i) {
            for (int32_t j = 0; j < points; ++j) {
                const bool ringRow = j == 0 || j == points - 1;
                const bool ringCol = i == 0 || i == points - 1;
                if (i + 1 < points && (ringRow || Pick(100) < linkPercent)) {
                    Segment(i, j, true, !branch && i == 6 && j == 4);
                }
                if (j + 1 < points && (ringCol || Pick(100) < linkPercent)) {
                    Segment(i, j, false, !branch && i == 4 && j == 6);
                }
            }
        }
        if (branch) {
            const int32_t y = P(1 + Pick(points - 2));
            const int32_t x0 = P(points - 1);
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
        }
        for (int32_t k = 0; k < depots; ++k) PlaceDepot();
        Finish(kOrigin - 10, kOrigin - 10, P(points) + 30, P(points) + 10, true);
    }

    int32_t Pick(int32_t n) { return static_cast<int32_t>(rng_() % static_cast<uint32_t>(n)); }
    int32_t P(int32_t i) const { return kOrigin + spacing_ * i; }

    // The link from crossing (i, j) east (a tunnel if `special`) or south
    // (a bridge).
    void Segment(int32_t i, int32_t j, bool east, bool special) {
        const int32_t dx = east ? 1 : 0;
        const int32_t dy = east ? 0 : 1;
        const int32_t x = P(i);
        const int32_t y = P(j);
        const int32_t x2 = x + dx * spacing_;
        const int32_t y2 = y + dy * spacing_;
        if (i + dx < 3 && j + dy < 3) return Street(x, y, x2, y2, kCity);
        const int32_t way = Pick(3) == 0 ? kWayAsphaltRoad : kWayGravelRoad;
        if (!special) return Line(x, y, x2, y2, way);
        Line(x, y, x + dx, y + dy, way);
        if (east) Tunnel(x + 2 * dx, y + 2 * dy, x + 6 * dx, y + 6 * dy, way);
        if (!east) Bridge(x + 2 * dx, y + 2 * dy, x + 6 * dx, y + 6 * dy, way);
        Line(x + 7 * dx, y + 7 * dy, x2, y2, way);
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
            const int32_t i = Pick(points_ - 1), j = Pick(points_);
            const int32_t along = 2 + Pick(spacing_ - 3);
            const bool horizontal = Pick(2) == 0;
            const int32_t side = Pick(2) == 0 ? -1 : 1;
            const int32_t rx = horizontal ? P(i) + along : P(j);
            const int32_t ry = horizontal ? P(j) : P(i) + along;
            const int32_t x = horizontal ? rx : rx + side;
            const int32_t y = horizontal ? ry + side : ry;
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
    int32_t points_ = 0;
    int32_t spacing_ = 0;
    uint32_t saved_tick_ = g_TickLength;
};

class RoadOccupancyProperty : public RoadGrid, public ::testing::WithParamInterface<uint32_t> {};

// Schedules change and trucks are scrapped on the way.
TEST_P(RoadOccupancyProperty, EveryMarkIsHeldByOneVehicleAndReleasedOnce) {
    Build(GetParam(), 6, 6, 60, true, 8);
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

// Fifty game years through the main loop: no truck stays stuck.
TEST_F(RoadGrid, FiftyYearsWithTwoHundredTrucksAndCityTraffic) {
    Build(2024, 10, 8, 100, false, 40);
    cities_.onTick = [this] { SpawnCityCar(12); };
    g_TickLength = 26 * 5;
    game_.state().timers.tick_time = host_.Now();
    struct Seen {  // where and when each truck (by number) last moved
        uint8_t x, y;
        int64_t frame;
    };
    std::vector<Seen> lastMove(401, Seen{0, 0, -1});
    int64_t frame = 0;
    while (game_.state().year < 2010) {
        if (frame < 200 * 15 && frame % 15 == 0) NewTruck();
        host_.AdvanceClock(26);
        app_.OnIdle(0);
        ++frame;
        for (CVehicle* v : Listed(kVehicleTruck)) {
            Seen& seen = lastMove.at(static_cast<size_t>(v->number));
            if (seen.frame < 0 || seen.x != v->pos_x || seen.y != v->pos_y) {
                seen = Seen{v->pos_x, v->pos_y, frame};
            }
        }
        ASSERT_TRUE(frame % 2000 != 0 || MarksConsistent()) << "frame " << frame;
    }
    EXPECT_EQ(game_.state().year, 2010);
    const std::vector<CVehicle*> trucks = Listed(kVehicleTruck);
    EXPECT_EQ(trucks.size(), 200u);
    for (const CVehicle* v : trucks) {
        EXPECT_LT(frame - lastMove.at(static_cast<size_t>(v->number)).frame, 4000)
            << "truck " << v->number << " stuck on " << int(v->pos_x) << "," << int(v->pos_y);
    }
    EXPECT_GT(Delivered(), 1000);
    EXPECT_GT(cities_.City(kCity)->car_count, 0);
}

}  // namespace
