// Acceptance scenario: fifty game years on a synthetic map through the main
// loop (a short tick length keeps the run to seconds), 200 trucks carrying
// goods between 40 depots and city traffic on. No vehicle may end up stuck
// for good, and once every vehicle is deleted the map carries no occupancy
// mark and no junction counter.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "app/app_globals.h"
#include "platform/random.h"
#include "road_world.h"
#include "transport/city_car.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"

namespace {

using roadtest::RoadWorld;

constexpr int32_t kPoints = 10;  // grid points per side
constexpr int32_t kSpacing = 8;
constexpr int32_t kOrigin = 40;
constexpr int32_t kCity = 1;
constexpr int32_t kTrucks = 200;
constexpr int32_t kDepots = 40;
constexpr int32_t kCarsWanted = 12;
constexpr uint32_t kFrameMs = 26;
constexpr uint32_t kFramesPerTick = 5;

class AcceptanceTest : public RoadWorld {
  protected:
    void SetUp() override {
        rng_.seed(2024);
        plat::Srand(7);
        game_.state().opt_city_traffic = 1;
        City(kCity, kOrigin - 2, kOrigin - 2);
        BuildGrid();
        PlaceDepots();
        Finish(kOrigin - 4, kOrigin - 4, kOrigin + kSpacing * kPoints + 4,
               kOrigin + kSpacing * kPoints + 4, true);
        // The city keeps its traffic going as the cities' traffic rule does.
        cities_.onTick = [this] { SpawnCityTraffic(); };
        g_TickLength = kFrameMs * kFramesPerTick;
        game_.state().timers.tick_time = host_.Now();
    }
    void TearDown() override { g_TickLength = 15000; }

    int32_t Pick(int32_t n) { return static_cast<int32_t>(rng_() % static_cast<uint32_t>(n)); }
    static int32_t P(int32_t i) { return kOrigin + kSpacing * i; }

    void BuildGrid() {
        for (int32_t i = 0; i < kPoints; ++i) {
            for (int32_t j = 0; j < kPoints; ++j) {
                if (i + 1 < kPoints) Segment(P(i), P(j), true, i, j);
                if (j + 1 < kPoints) Segment(P(i), P(j), false, i, j);
            }
        }
    }

    // The segment from grid point (x, y) east or south. The north-west
    // corner is the city; one segment runs through a tunnel, one over a
    // bridge.
    void Segment(int32_t x, int32_t y, bool east, int32_t i, int32_t j) {
        const int32_t dx = east ? 1 : 0;
        const int32_t dy = east ? 0 : 1;
        const int32_t x2 = x + dx * kSpacing;
        const int32_t y2 = y + dy * kSpacing;
        if (i < 3 && j < 3 && (east ? i < 2 : j < 2)) {
            Street(x, y, x2, y2, kCity);
            return;
        }
        const int32_t way = (i + j) % 3 == 0 ? kWayAsphaltRoad : kWayGravelRoad;
        const bool tunnel = east && i == 6 && j == 4;
        const bool bridge = !east && i == 4 && j == 6;
        if (!tunnel && !bridge) {
            Line(x, y, x2, y2, way);
            return;
        }
        Line(x, y, x + dx, y + dy, way);
        if (tunnel) Tunnel(x + 2 * dx, y + 2 * dy, x + 6 * dx, y + 6 * dy, way);
        if (bridge) Bridge(x + 2 * dx, y + 2 * dy, x + 6 * dx, y + 6 * dy, way);
        Line(x + 7 * dx, y + 7 * dy, x2, y2, way);
    }

    void PlaceDepots() {
        while (static_cast<int32_t>(spots_.size()) < kDepots) {
            const int32_t i = Pick(kPoints - 1);
            const int32_t j = Pick(kPoints);
            const int32_t along = 2 + Pick(kSpacing - 3);
            const bool horizontal = Pick(2) == 0;
            const int32_t rx = horizontal ? P(i) + along : P(j);
            const int32_t ry = horizontal ? P(j) : P(i) + along;
            const int32_t side = Pick(2) == 0 ? -1 : 1;
            const int32_t x = horizontal ? rx : rx + side;
            const int32_t y = horizontal ? ry + side : ry;
            const MapField& road = F(rx, ry);
            if (road.wegtyp() == 0 || road.wegtyp() == kWayCityStreet || road.tunnel() ||
                road.bridge_flag() || !Free(x, y, rx, ry)) {
                continue;
            }
            const int32_t type = horizontal ? (side < 0 ? 2 : 0) : (side < 0 ? 1 : 3);
            spots_.push_back({x, y});
            roadtest::TestTerminal& depot = Depot(x, y, type, static_cast<int32_t>(spots_.size()));
            for (int32_t p = 20; p < 24; ++p) depot.stock[p] = 100;
        }
    }

    bool Free(int32_t x, int32_t y, int32_t rx, int32_t ry) {
        if (F(x, y).wegtyp() != 0 || F(x, y).bridge_flag() || F(x, y).tunnel()) return false;
        for (int32_t i = 0; i < 4; ++i) {
            const int32_t nx = x + DirDx(i);
            const int32_t ny = y + DirDy(i);
            if ((nx != rx || ny != ry) && (F(nx, ny).wegtyp() != 0 || F(nx, ny).bridge_flag())) {
                return false;
            }
        }
        return true;
    }

    void NewTruck() {
        const int32_t start = Pick(kDepots);
        CTruck* truck = new CTruck(spots_[start].first, spots_[start].second, "A", Pick(10));
        std::vector<std::pair<int32_t, int32_t>> stops{spots_[start]};
        const int32_t count = 2 + Pick(2);
        for (int32_t s = 1; s < count; ++s) {
            int32_t k = Pick(kDepots);
            while (spots_[k] == stops.back() || (s == count - 1 && spots_[k] == stops.front())) {
                k = (k + 1) % kDepots;
            }
            stops.push_back(spots_[k]);
        }
        SetSchedule(*truck, stops);
        for (int32_t s = 0; s < count; ++s) {
            truck->cargo_plan[s][0][0] = static_cast<uint8_t>(20 + Pick(4));
        }
    }

    void SpawnCityTraffic() {
        CCity* city = cities_.City(kCity);
        if (game_.state().opt_city_traffic != 1 || city->car_count >= kCarsWanted) return;
        int32_t x = -1;
        int32_t y = -1;
        city->FindStreetField(x, y);
        if (x < 0) return;
        new CCityCar(x, y, "A", 0, kCity);
        city->car_count += 1;
    }

    void RefillTerminals() {
        for (auto& terminal : terminals_) {
            for (int32_t p = 20; p < 24; ++p) {
                if (terminal->stock[p] < 100) terminal->stock[p] += 10;
            }
        }
    }

    std::mt19937 rng_;
    std::vector<std::pair<int32_t, int32_t>> spots_;
};

TEST_F(AcceptanceTest, FiftyYearsWithTwoHundredTrucksAndCityTraffic) {
    struct Seen {
        uint8_t x, y;
        int64_t frame;
    };
    std::vector<Seen> lastMove(kTrucks * 2 + 1, Seen{0, 0, -1});  // by truck number
    int64_t frame = 0;
    int32_t lastMonth = game_.state().month;
    int32_t bought = 0;
    while (game_.state().year < 2010) {
        if (bought < kTrucks && frame % 15 == 0) {
            NewTruck();
            ++bought;
        }
        host_.AdvanceClock(kFrameMs);
        app_.OnIdle(0);
        ++frame;
        if (game_.state().month != lastMonth) {
            lastMonth = game_.state().month;
            RefillTerminals();
        }
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            const CVehicle* v = n->vehicle;
            if (v->vehicle_class != kVehicleTruck) continue;
            Seen& seen = lastMove.at(static_cast<size_t>(v->number));
            if (seen.frame < 0 || seen.x != v->pos_x || seen.y != v->pos_y) {
                seen = Seen{v->pos_x, v->pos_y, frame};
            }
        }
        if (frame % 2000 == 0) {
            ASSERT_TRUE(MarksConsistent()) << "frame " << frame;
        }
    }
    EXPECT_EQ(game_.state().year, 2010);

    // Every truck still moves: none has stood on one field for the last
    // few thousand frames.
    int32_t trucks = 0;
    int32_t delivered = 0;
    for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
        const CVehicle* v = n->vehicle;
        if (v->vehicle_class != kVehicleTruck) continue;
        ++trucks;
        EXPECT_LT(frame - lastMove.at(static_cast<size_t>(v->number)).frame, 4000)
            << "truck " << v->number << " stuck on " << int(v->pos_x) << "," << int(v->pos_y);
    }
    for (const auto& terminal : terminals_) delivered += terminal->puts;
    EXPECT_EQ(trucks, kTrucks);
    EXPECT_GT(delivered, 1000);
    EXPECT_GT(cities_.City(kCity)->car_count, 0);
    EXPECT_TRUE(MarksConsistent());

    DeleteAllVehicles();
    EXPECT_EQ(MarkSum(), 0);
}

}  // namespace
