#include "road_world.h"

#include <algorithm>

#include "platform/random.h"
#include "transport/vehicle_list.h"
#include "world/way_piece_tables.h"

namespace roadtest {

RoadWorld::~RoadWorld() {
    DeleteAllVehicles();
}

void RoadWorld::TearDown() {
    plat::SetRandSourceForTests({});
    EXPECT_TRUE(MarksConsistent());
    DeleteAllVehicles();
    EXPECT_EQ(MarkSum(), 0);
}

void RoadWorld::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType) {
    EachOnLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) { Road(x, y, wayType); });
}

TestTerminal& RoadWorld::Depot(int32_t x, int32_t y, int32_t type, int32_t number) {
    auto terminal = std::make_unique<TestTerminal>();
    terminal->anchor_x = x;
    terminal->anchor_y = y;
    buildings_.buildings[number] = terminal.get();
    terminals_.push_back(std::move(terminal));
    MapField& field = F(x, y);
    Road(x, y);
    field.set_building_flag(true);
    field.set_geb_num(static_cast<uint32_t>(number));
    field.set_geb_typ(static_cast<uint32_t>(type));
    depots_.emplace_back(x, y);
    return *terminals_.back();
}

void RoadWorld::DepotRoad(int32_t x, int32_t y) {
    Road(x, y);
    depots_.emplace_back(x, y);
}

void RoadWorld::WayEnd(int32_t, int32_t, MapField& field) {
    field.set_richtung(field.tportal()
                           ? SlopeDirection(static_cast<int32_t>(field.teile_diff()))
                           : BridgeCodeDirection(static_cast<int32_t>(field.bridge_piece())));
}

void RoadWorld::Finish(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool dead_end_nodes) {
    const auto each = [&](auto f) {
        for (int32_t x = x0; x <= x1; ++x) {
            for (int32_t y = y0; y <= y1; ++y) f(x, y, F(x, y));
        }
    };
    each([&](int32_t x, int32_t y, const MapField& field) {
        if (field.wegtyp() != 0 && !field.tportal() && !field.bridge_end()) {
            UpdateRoadPieceShape(x, y);
        }
    });
    each([&](int32_t x, int32_t y, const MapField&) { helper_.UpdateWayPiecesAround(x, y); });
    for (auto [x, y] : depots_) {
        if (F(x, y).knotennummer() == 0) Net().CreateNode(x, y);
    }
    each([&](int32_t x, int32_t y, const MapField& field) {
        if (dead_end_nodes && !field.tportal() && !field.bridge_end() &&
            IsRoadWay(field.wegtyp()) && DirIndexFromBit(field.richtung()) >= 0 &&
            field.knotennummer() == 0) {
            Net().CreateNode(x, y);
        }
    });
    each([&](int32_t x, int32_t y, const MapField& field) {
        for (int32_t i = 0; i < 4 && field.knoten(); ++i) {
            if (field.richtung() & DirBitFromIndex(i))
                Net().LinkFromField(x, y, DirBitFromIndex(i));
        }
    });
}

CCity& RoadWorld::City(int32_t n, int32_t x, int32_t y) {
    auto city = std::make_unique<CCity>(n, x, y, 1);
    cities_.cities[n - 1] = city.get();
    city_objects_.push_back(std::move(city));
    return *city_objects_.back();
}

void RoadWorld::Street(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t city) {
    EachOnLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) {
        Road(x, y, kWayCityStreet);
        F(x, y).set_stadtnum(static_cast<uint32_t>(city));
    });
}

void RoadWorld::SetSchedule(CVehicle& v, const std::vector<std::pair<int32_t, int32_t>>& stops) {
    for (ScheduleStop& stop : v.schedule) stop = EmptyScheduleStop();
    for (size_t i = 0; i < stops.size() && i < kScheduleStops; ++i) {
        v.schedule[i].x[0] = static_cast<uint8_t>(stops[i].first);
        v.schedule[i].y[0] = static_cast<uint8_t>(stops[i].second);
    }
    v.stop_count = static_cast<int32_t>(stops.size());
    v.needs_route = 1;
}

int64_t RoadWorld::MarkSum() const {
    int64_t sum = 0;
    for (int32_t i = 0; i < kMapFieldCount; ++i) {
        const MapField& field = g_pGameState->fields[i];
        sum += field.belegt();
        sum += field.geb_change() ? 1 : 0;
        sum += field.tunnel_belegt() ? 1 : 0;
        if (field.bridge_flag() && !field.bridge_end()) sum += field.bytes[9] & 0x0F;
    }
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        const WayNode* node = network_->Node(n);
        if (node == nullptr) continue;
        for (uint8_t b : node->belegt) sum += b;
    }
    return sum;
}

::testing::AssertionResult RoadWorld::MarksConsistent() const {
    const auto fail = [](int32_t x, int32_t y, const char* what) {
        return ::testing::AssertionFailure() << what << " on " << x << "," << y;
    };
    // The marks the listed vehicles hold, field by field.
    std::vector<uint8_t> lanes(kMapFieldCount), tunnels(kMapFieldCount), bridges(kMapFieldCount);
    std::vector<uint8_t> counts(kMapFieldCount);
    std::vector<int32_t> sides(kWayNodeSlots * 4);
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        const CVehicle& v = *node->vehicle;
        const RoadMark& m = v.mark;
        if (m.kind == MarkKind::None) continue;
        if (m.x != v.pos_x || m.y != v.pos_y) return fail(m.x, m.y, "a mark away from its vehicle");
        const int32_t index = FieldIndex(m.x, m.y);
        uint8_t* lane = m.kind == MarkKind::Lane     ? &lanes[index]
                        : m.kind == MarkKind::Tunnel ? &tunnels[index]
                        : m.kind == MarkKind::Bridge ? &bridges[index]
                                                     : nullptr;
        if (lane != nullptr) {
            if ((*lane & m.lane) != 0) return fail(m.x, m.y, "two vehicles in one lane");
            *lane |= m.lane;
            continue;
        }
        counts[index] += 1;
        for (int32_t side = 0; side < 4 && m.node > 0 && m.node < kWayNodeSlots; ++side) {
            if (side != m.exit) sides[m.node * 4 + side] += 1;
        }
    }
    for (int32_t x = box_x0_; x <= box_x1_; ++x) {
        for (int32_t y = box_y0_; y <= box_y1_; ++y) {
            const int32_t i = FieldIndex(x, y);
            const MapField& field = g_pGameState->fields[i];
            if (counts[i] != 0 && lanes[i] != 0) return fail(x, y, "lane and junction marks");
            if (field.belegt() != (counts[i] != 0 ? counts[i] : lanes[i])) {
                return fail(x, y, "field marks not the vehicles'");
            }
            if (((field.geb_change() ? 1 : 0) | (field.tunnel_belegt() ? 2 : 0)) != tunnels[i]) {
                return fail(x, y, "tunnel marks not the vehicles'");
            }
            if (field.bridge_flag() && !field.bridge_end() &&
                (field.bytes[9] & 0x0F) != bridges[i]) {
                return fail(x, y, "bridge marks not the vehicles'");
            }
        }
    }
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        const WayNode* node = network_->Node(n);
        for (int32_t side = 0; side < 4 && node != nullptr; ++side) {
            if (node->belegt[side] != sides[n * 4 + side])
                return fail(n, side, "node side counter");
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace roadtest
