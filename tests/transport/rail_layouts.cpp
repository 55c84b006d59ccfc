#include "rail_layouts.h"

#include <algorithm>

#include "platform/random.h"

namespace railtest {

namespace {

int32_t R(int32_t n) {
    return n > 0 ? plat::Rand() % n : 0;
}

}  // namespace

std::pair<int32_t, int32_t> RandomRailWorld::At(const Side& side, int32_t s, int32_t across) {
    if (side.horizontal) return {s, side.c + side.inward * across};
    return {side.c + side.inward * across, s};
}

void RandomRailWorld::AddStation(const Side& side, int32_t s, int32_t length, bool grows_inward) {
    // Rows grow across the side; `g` is the growth in map coordinates.
    const int32_t g = grows_inward ? side.inward : -side.inward;
    const auto [fx, fy] = At(side, s + 1, 0);
    int32_t type = 0;
    int32_t ax = fx;
    int32_t ay = fy;
    if (side.horizontal) {
        type = g < 0 ? 6 : 8;
        ay = fy - g;
    } else {
        type = g > 0 ? 7 : 9;
        ax = fx - g;
    }
    TestStation& station = Station(type, ax, ay, length, next_number_++);
    all_stations_.push_back(&station);
    const int32_t across = grows_inward ? 1 : -1;
    for (int32_t i = 1; i < length; ++i) {
        const auto [lx, ly] = At(side, s, across * i);
        const auto [rx, ry] = At(side, s + 5, across * i);
        Rail(lx, ly);
        Rail(rx, ry);
    }
    for (int32_t row = 0; row < length; ++row) {
        const auto [x, y] = station.RowField(row, R(2) == 0 ? 0 : 3);
        starts_.push_back({x, y, &station});
    }
}

void RandomRailWorld::AddLoop(const Side& side, int32_t s, int32_t length, int32_t sign) {
    for (int32_t a = 1; a <= 2; ++a) {
        const auto [x1, y1] = At(side, s, sign * a);
        const auto [x2, y2] = At(side, s + length, sign * a);
        Rail(x1, y1);
        Rail(x2, y2);
    }
    for (int32_t k = 0; k <= length; ++k) {
        const auto [x, y] = At(side, s + k, sign * 2);
        Rail(x, y);
    }
}

void RandomRailWorld::BuildRandomNetwork() {
    const int32_t x0 = 30 + R(10);
    const int32_t y0 = 30 + R(10);
    const int32_t x1 = x0 + 50 + R(30);
    const int32_t y1 = y0 + 50 + R(30);
    RailPath({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}});
    const Side sides[4] = {{true, y0, x0, x1, +1},
                           {false, x1, y0, y1, -1},
                           {true, y1, x0, x1, -1},
                           {false, x0, y0, y1, +1}};
    for (const Side& side : sides) {
        for (int32_t s = side.s0 + 4;;) {
            s += 3 + R(6);
            const int32_t kind = R(4);
            if (kind == 0 || kind == 3) {
                if (s + 6 > side.s1 - 4) break;
                AddStation(side, s, 1 + R(3), R(2) == 0);
                s += 6;
            } else if (kind == 1) {
                const int32_t length = 6 + R(8);
                if (s + length > side.s1 - 4) break;
                AddLoop(side, s, length, R(2) == 0 ? 1 : -1);
                s += length + 1;
            } else if ((s += 2) > side.s1 - 4) {
                break;
            }
        }
    }
    for (const TestStation* station : all_stations_) {
        for (int32_t p = 1; p <= 6; ++p) const_cast<TestStation*>(station)->stock[p] = 100000;
    }
    Finish();
}

std::pair<TestStation*, TestStation*> RandomRailWorld::AddLine(int32_t y, int32_t x0, int32_t x1,
                                                               int32_t loops) {
    TestStation& a = Station(6, x0, y + 1, 2, next_number_++);
    TestStation& b = Station(6, x1 - 3, y + 1, 2, next_number_++);
    all_stations_.push_back(&a);
    all_stations_.push_back(&b);
    // Ladders join the second rows to the line; the track between is single.
    Rail(x0 + 4, y - 1);
    Rail(x1 - 4, y - 1);
    RailLine(x0 + 4, y, x1 - 4, y);
    const int32_t span = (x1 - 4) - (x0 + 4);
    const int32_t step = span / (loops + 1);
    for (int32_t i = 1; i <= loops; ++i) {
        const int32_t p = x0 + 4 + step * i - 4;
        RailPath({{p, y}, {p, y + 2}, {p + 8, y + 2}, {p + 8, y}});
    }
    return {&a, &b};
}

std::vector<CTrain*> RandomRailWorld::BuildRandomTrains(int32_t count) {
    std::vector<CTrain*> trains;
    std::vector<StartField> starts = starts_;
    for (size_t i = starts.size(); i > 1; --i) {
        std::swap(starts[i - 1], starts[static_cast<size_t>(R(static_cast<int32_t>(i)))]);
    }
    const int32_t stations = static_cast<int32_t>(all_stations_.size());
    for (const StartField& start : starts) {
        if (static_cast<int32_t>(trains.size()) >= count || stations < 2) break;
        if (F(start.x, start.y).belegt() != 0) continue;
        CTrain* t = Train(start.x, start.y, 10 + R(5));
        std::vector<const TestStation*> stops = {start.station};
        const int32_t n = std::min(2 + R(3), stations);
        while (static_cast<int32_t>(stops.size()) < n) {
            const TestStation* next = all_stations_[static_cast<size_t>(R(stations))];
            if (next == stops.back()) continue;
            if (static_cast<int32_t>(stops.size()) == n - 1 && next == stops.front()) continue;
            stops.push_back(next);
        }
        SetSchedule(*t, stops);
        for (int32_t s = 0; s < n; ++s) {
            for (int32_t k = 0; k < 3; ++k) {
                t->cargo_plan[s][k][0] = R(3) == 0 ? kNoProduct : static_cast<uint8_t>(1 + R(6));
            }
        }
        trains.push_back(t);
    }
    return trains;
}

}  // namespace railtest
