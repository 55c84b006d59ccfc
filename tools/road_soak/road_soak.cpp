// Trucks and city cars on a road grid through the main loop for many game
// years: reports every truck that has not moved for a whole game year (a
// slow jam that builds up over decades) and checks the vehicles' road marks
// along the way. Usage: fv-road-soak YEARS TRUCKS [TICK_MS]
//   YEARS    game years to run (from January 1960)
//   TRUCKS   trucks on the roads, bought one every 15 frames at the start
//   TICK_MS  the game tick (default the game's own, 15000 ms; a shorter tick
//            packs more years into fewer frames, and a game year with it)
// Prints one line per stuck truck and a summary; the exit status is 0 when
// no truck was stuck and the marks held, 1 otherwise, 2 on bad arguments.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "transport/city_car.h"
#include "transport/transport_world.h"
#include "transport/truck.h"

namespace {

struct SoakOptions {
    int32_t years = 50;
    int32_t trucks = 200;
    uint32_t tick_ms = 15000;
};
SoakOptions g_options;
bool g_stuck_found = false;

constexpr uint32_t kFrameMs = 26;
constexpr int32_t kTicksPerYear = 48;
constexpr int32_t kOrigin = 60;  // the first grid point
constexpr int32_t kCity = 1;     // the links of the grid's north-west corner are its streets
constexpr int32_t kPoints = 10, kSpacing = 8;
constexpr int32_t kDepots = 40;

// A 10 x 10 grid of crossings, every link built, one link east through a
// tunnel and one south over a bridge, forty depots beside the roads.
class RoadSoak : public transporttest::RoadWorld {
  protected:
    ~RoadSoak() override { g_TickLength = saved_tick_; }

    void Build(uint32_t seed) {
        rng_.seed(seed);
        plat::Srand(seed);
        City(kCity, kOrigin - 2, kOrigin - 2);
        for (int32_t i = 0; i < kPoints; ++i) {
            for (int32_t j = 0; j < kPoints; ++j) {
                if (i + 1 < kPoints) Segment(i, j, true, i == 6 && j == 4);
                if (j + 1 < kPoints) Segment(i, j, false, i == 4 && j == 6);
            }
        }
        for (int32_t k = 0; k < kDepots; ++k) PlaceDepot();
        Finish(kOrigin - 10, kOrigin - 10, P(kPoints) + 10, P(kPoints) + 10, true);
    }

    int32_t Pick(int32_t n) { return static_cast<int32_t>(rng_() % static_cast<uint32_t>(n)); }
    static int32_t P(int32_t i) { return kOrigin + kSpacing * i; }

    // The link from crossing (i, j) east (through a tunnel if `special`) or
    // south (over a bridge).
    void Segment(int32_t i, int32_t j, bool east, bool special) {
        const int32_t dx = east ? 1 : 0, dy = east ? 0 : 1;
        const int32_t x = P(i), y = P(j);
        const int32_t x2 = x + dx * kSpacing, y2 = y + dy * kSpacing;
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
        for (int32_t p = 20; p < 24; ++p) depot.stock[p] = 1000000;
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

    int64_t Delivered() const {
        int64_t puts = 0;
        for (const auto& terminal : terminals_) puts += terminal->puts;
        return puts;
    }

    std::mt19937 rng_;
    std::vector<std::pair<int32_t, int32_t>> spots_;
    uint32_t saved_tick_ = g_TickLength;
};

TEST_F(RoadSoak, NoTruckStandsStillForAGameYear) {
    const SoakOptions& o = g_options;
    Build(2024);
    g_TickLength = o.tick_ms;
    game_.state().opt_autosave = 0;  // no files: the run is about the roads
    game_.state().timers.tick_time = host_.Now();
    const int32_t last_year = 1960 + o.years;
    // A game year in frames: 48 ticks of more than the tick length each.
    const int64_t year_frames = int64_t{kTicksPerYear} * (o.tick_ms / kFrameMs + 1);
    struct Seen {  // where and since when each truck (by number) stands
        uint8_t x = 0, y = 0;
        int64_t frame = -1;
        bool reported = false;
    };
    std::vector<Seen> seen;
    int64_t frame = 0;
    int32_t stuck = 0, longest_number = 0;
    int64_t longest = 0;
    while (game_.state().year < last_year) {
        if (frame < int64_t{o.trucks} * 15 && frame % 15 == 0) NewTruck();
        if (frame % 7 == 0) SpawnCityCar(12);
        host_.AdvanceClock(kFrameMs);
        app_.OnIdle(0);
        ++frame;
        for (CVehicle* v : Listed(kVehicleTruck)) {
            const size_t number = static_cast<size_t>(v->number);
            if (number >= seen.size()) seen.resize(number + 1);
            Seen& s = seen[number];
            if (s.frame < 0 || s.x != v->pos_x || s.y != v->pos_y) {
                s = Seen{v->pos_x, v->pos_y, frame, false};
                continue;
            }
            const int64_t standing = frame - s.frame;
            if (standing > longest) {
                longest = standing;
                longest_number = v->number;
            }
            if (standing >= year_frames && !s.reported) {
                s.reported = true;
                ++stuck;
                std::printf("stuck: truck %d on %d,%d since frame %lld (year %d, month %d)\n",
                            v->number, int(v->pos_x), int(v->pos_y),
                            static_cast<long long>(s.frame), game_.state().year,
                            game_.state().month + 1);
            }
        }
        if (frame % 5000 == 0) {
            const ::testing::AssertionResult marks = MarksConsistent();
            if (!marks) {
                std::printf("marks: %s at frame %lld\n", marks.message(),
                            static_cast<long long>(frame));
                g_stuck_found = true;
                break;
            }
        }
        if (frame % (year_frames * 10) == 0) {
            std::printf("year %d: %zu trucks, %lld deliveries\n", game_.state().year,
                        Listed(kVehicleTruck).size(), static_cast<long long>(Delivered()));
            std::fflush(stdout);
        }
    }
    std::printf(
        "%d game years, %lld frames (a game year is %lld frames), %zu trucks, %zu city cars, "
        "%lld deliveries; %d trucks stood still for a game year or more; the longest stand: "
        "%lld frames (truck %d)\n",
        game_.state().year - 1960, static_cast<long long>(frame),
        static_cast<long long>(year_frames), Listed(kVehicleTruck).size(),
        Listed(kVehicleCityCar).size(), static_cast<long long>(Delivered()), stuck,
        static_cast<long long>(longest), longest_number);
    if (stuck > 0) g_stuck_found = true;
}

bool ParseNumber(const char* text, int64_t low, int64_t high, int64_t* value) {
    char* end = nullptr;
    const long long parsed = std::strtoll(text, &end, 10);
    if (end == text || *end != 0 || parsed < low || parsed > high) return false;
    *value = parsed;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int64_t years = 0, trucks = 0, tick = 15000;
    if (argc < 3 || argc > 4 || !ParseNumber(argv[1], 1, 1000, &years) ||
        !ParseNumber(argv[2], 1, 400, &trucks) ||
        (argc == 4 && !ParseNumber(argv[3], kFrameMs, 60000, &tick))) {
        std::fprintf(stderr, "usage: fv-road-soak YEARS(1..1000) TRUCKS(1..400) [TICK_MS]\n");
        return 2;
    }
    g_options = {static_cast<int32_t>(years), static_cast<int32_t>(trucks),
                 static_cast<uint32_t>(tick)};
    int gtest_argc = 1;
    ::testing::InitGoogleTest(&gtest_argc, argv);
    const int result = RUN_ALL_TESTS();
    return result != 0 || g_stuck_found ? 1 : 0;
}
