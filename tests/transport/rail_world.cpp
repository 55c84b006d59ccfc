#include "rail_world.h"

#include <algorithm>
#include <map>

#include "platform/random.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"
#include "world/field_queries.h"
#include "world/way_piece_tables.h"

namespace railtest {

namespace {

// A link by its end with the lower node number (then the lower direction).
std::pair<int32_t, int32_t> LinkKey(int32_t node, int32_t dir, int32_t far, int32_t far_dir) {
    if (node < far || (node == far && dir < far_dir)) return {node, dir};
    return {far, far_dir};
}

bool TrackOrCrossing(const MapField& f) {
    return IsTrackWay(f.wegtyp()) || f.wegteil() == 16 || f.wegteil() == 17;
}

int32_t R(int32_t n) {
    return n > 0 ? plat::Rand() % n : 0;
}

}  // namespace

std::pair<int32_t, int32_t> TestStation::RowField(int32_t row, int32_t k) const {
    const int32_t line = row + 1;
    switch (type) {
        case 6:
            return {anchor_x + k, anchor_y - line};
        case 8:
            return {anchor_x + k, anchor_y + line};
        case 7:
            return {anchor_x + line, anchor_y + k};
        default:
            return {anchor_x - line, anchor_y + k};
    }
}

RailWorld::~RailWorld() {
    DeleteAllVehicles();
}

void RailWorld::TearDown() {
    if (check_at_end_) EXPECT_TRUE(Consistent());
    DeleteAllVehicles();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(FlagCount(), 0);
}

void RailWorld::Rail(int32_t x, int32_t y) {
    Way(x, y, kWayRail);
    track_.emplace_back(x, y);
}

void RailWorld::RailLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    EachOnLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) { Rail(x, y); });
}

void RailWorld::RailPath(const Points& corners) {
    for (size_t i = 1; i < corners.size(); ++i) {
        RailLine(corners[i - 1].first, corners[i - 1].second, corners[i].first, corners[i].second);
    }
}

TestStation& RailWorld::Station(int32_t type, int32_t ax, int32_t ay, int32_t length,
                                int32_t number) {
    auto station = std::make_unique<TestStation>();
    station->type = type;
    station->number = number;
    station->length = length;
    station->anchor_x = ax;
    station->anchor_y = ay;
    buildings_.buildings[number] = station.get();
    stations_.push_back(std::move(station));
    TestStation& s = *stations_.back();
    // The head line and the platform rows carry the station's building word.
    for (int32_t line = 0; line <= length; ++line) {
        for (int32_t k = 0; k < 4; ++k) {
            const auto [x, y] =
                line == 0 ? std::pair<int32_t, int32_t>{type == 6 || type == 8 ? ax + k : ax,
                                                        type == 6 || type == 8 ? ay : ay + k}
                          : s.RowField(line - 1, k);
            Grow(x, y);
            MapField& field = F(x, y);
            field.set_building_flag(true);
            field.set_geb_num(static_cast<uint32_t>(number));
            field.set_geb_typ(static_cast<uint32_t>(type));
            if (line > 0) {
                field.set_wegtyp(kWayRail);
                field.set_wegteil(type == 6 || type == 8 ? 2 : 1);
            }
        }
    }
    return s;
}

void RailWorld::WayEnd(int32_t x, int32_t y, MapField&) {
    track_.emplace_back(x, y);
}

void RailWorld::Finish(bool dead_end_nodes) {
    for (auto [x, y] : track_) {
        const MapField& field = F(x, y);
        if (field.tportal() || field.bridge_end() || field.wegteil() >= 12) continue;
        if (field.building_flag()) continue;  // station rows keep their straight track
        UpdateTrackPieceShape(x, y);
    }
    for (auto [x, y] : track_) helper_.UpdateWayPiecesAround(x, y);
    for (const auto& s : stations_) {
        for (int32_t row = 0; row < s->length; ++row) {
            const auto [x, y] = s->RowField(row, 1);
            Net().LayStationTrack(x, y, 0);
        }
    }
    for (auto [x, y] : track_) helper_.UpdateWayPiecesAround(x, y);
    if (dead_end_nodes) {
        for (auto [x, y] : track_) {
            const MapField& field = F(x, y);
            if (DirIndexFromBit(field.gleisr()) >= 0 && field.knotennummer() == 0) {
                Net().CreateNode(x, y);
            }
        }
    }
    std::vector<std::pair<int32_t, int32_t>> all = track_;
    for (const auto& s : stations_) {
        for (int32_t row = 0; row < s->length; ++row) {
            for (int32_t k = 0; k < 4; ++k) all.push_back(s->RowField(row, k));
        }
    }
    for (auto [x, y] : all) {
        const MapField& field = F(x, y);
        if (!field.knoten()) continue;
        for (int32_t i = 0; i < 4; ++i) {
            if (field.gleisr() & DirBitFromIndex(i)) Net().LinkFromField(x, y, DirBitFromIndex(i));
        }
    }
}

void RailWorld::SetSchedule(CVehicle& v, const std::vector<const TestStation*>& stops) {
    for (ScheduleStop& stop : v.schedule) stop = EmptyScheduleStop();
    for (size_t i = 0; i < stops.size() && i < kScheduleStops; ++i) {
        for (int32_t row = 0; row < 4; ++row) {
            if (row >= stops[i]->length) continue;
            const auto [x, y] = stops[i]->RowField(row, 0);
            v.schedule[i].x[row] = static_cast<uint8_t>(x);
            v.schedule[i].y[row] = static_cast<uint8_t>(y);
        }
    }
    v.stop_count = static_cast<int32_t>(stops.size());
}

::testing::AssertionResult RailWorld::Consistent() const {
    using Key = std::pair<int32_t, int32_t>;
    std::map<Key, const CTrain*> fieldOwner, linkOwner, unitOwner;
    const auto fail = [](const CTrain* t, const char* what, int32_t a, int32_t b) {
        return ::testing::AssertionFailure()
               << "train " << (t ? t->number : -1) << ": " << what << " " << a << "," << b;
    };
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        const CTrain* t = dynamic_cast<const CTrain*>(node->vehicle);
        if (t == nullptr) continue;
        const TrainHoldings& h = t->held;
        // Each unit stands on a field no other train's unit stands on and
        // that its train holds (underground and on bridges, and on portals
        // and bridge ends, the field does not count).
        auto unitOk = [&](int32_t x, int32_t y, int32_t tunnel, int32_t bridge) {
            const MapField* f = FieldAt(x, y);
            if ((tunnel == 0 || f->tportal()) && (bridge == 0 || f->bridge_end())) {
                const auto found = unitOwner.find({x, y});
                if (found != unitOwner.end() && found->second != t) return false;
                unitOwner[{x, y}] = t;
            }
            return tunnel != 0 || bridge != 0 || f->tportal() || f->bridge_end() ||
                   h.HoldsField(x, y);
        };
        if (!unitOk(t->pos_x, t->pos_y, t->in_tunnel, t->on_bridge)) {
            return fail(t, "engine shares or does not hold", t->pos_x, t->pos_y);
        }
        for (int32_t i = 0; i < t->wagon_count; ++i) {
            const CWagon* w = t->wagons[i];
            if (!unitOk(w->x, w->y, w->in_tunnel, w->on_bridge)) {
                return fail(t, "wagon shares or does not hold", w->x, w->y);
            }
        }
        for (int32_t i = 0; i < h.FieldCount(); ++i) {
            const TrainField& f = h.FieldAtIndex(i);
            if (!fieldOwner.emplace(Key{f.x, f.y}, t).second) {
                return fail(t, "holds a field another train holds", f.x, f.y);
            }
            if (FieldAt(f.x, f.y)->belegt() != 3) return fail(t, "holds unmarked", f.x, f.y);
        }
        for (int32_t i = 0; i < h.LinkCount(); ++i) {
            const TrainLink& l = h.LinkAtIndex(i);
            if (!linkOwner.emplace(LinkKey(l.node, l.dir, l.far_node, l.far_dir), t).second) {
                return fail(t, "holds a link another train holds", l.node, l.dir);
            }
            const WayNode* wn = network_->Node(l.node);
            if (wn == nullptr || wn->belegt[l.dir] == 0)
                return fail(t, "holds unflagged", l.node, l.dir);
        }
        if (h.LinkCount() > 8) return fail(t, "holds links:", h.LinkCount(), 0);
    }
    for (int32_t x = box_x0_; x <= box_x1_; ++x) {
        for (int32_t y = box_y0_; y <= box_y1_; ++y) {
            const MapField& f = *FieldAt(x, y);
            if (f.belegt() != 0 && TrackOrCrossing(f) && fieldOwner.count({x, y}) == 0) {
                return fail(nullptr, "nobody holds marked field", x, y);
            }
        }
    }
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        const WayNode* wn = network_->nodes[n];
        for (int32_t i = 0; i < 4 && wn != nullptr; ++i) {
            if (wn->belegt[i] != 0 && wn->ziel[i] != 0 &&
                linkOwner.count(LinkKey(n, i, wn->ziel[i], wn->back[i])) == 0) {
                return fail(nullptr, "nobody holds flagged link", n, i);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

int32_t RailWorld::MarkCount() const {
    int32_t count = 0;
    for (int32_t i = 0; i < kMapFieldCount; ++i) count += g_pGameState->fields[i].belegt() != 0;
    return count;
}

int32_t RailWorld::FlagCount() const {
    int32_t count = 0;
    WayNode* const* nodes = network_->nodes;
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        const WayNode* wn = nodes[n];
        if (wn == nullptr) continue;
        for (int32_t i = 0; i < 4; ++i) count += wn->belegt[i] != 0 && wn->ziel[i] != 0;
    }
    return count;
}

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
