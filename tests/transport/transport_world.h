#pragma once
// Road and rail worlds driven by the main loop on the fake clock, laid as
// the builders leave them, with checks of the vehicles' marks.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/file.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/data_tables.h"
#include "state/map_field.h"
#include "support/game_scope.h"
#include "transport/train.h"
#include "transport/vehicle.h"
#include "transport/vehicle_level.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"
#include "world/build_helper.h"
#include "world/field_queries.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

namespace transporttest {

// A link by its end with the lower node number (then the lower direction).
inline std::pair<int32_t, int32_t> LinkKey(int32_t node, int32_t dir, int32_t far,
                                           int32_t far_dir) {
    if (node < far || (node == far && dir < far_dir)) return {node, dir};
    return {far, far_dir};
}

inline bool TrackOrCrossing(const MapField& f) {
    return IsTrackWay(f.wegtyp()) || f.wegteil() == 16 || f.wegteil() == 17;
}

inline int32_t R(int32_t n) {
    return n > 0 ? plat::Rand() % n : 0;
}

// A depot or station: hands out the whole units it has, takes every unit.
class TestTerminal : public CBuilding {
  public:
    int32_t TakeGoods(int32_t product, int32_t amount, int32_t, int32_t buyer) override {
        ++takes;
        last_buyer = buyer;
        const int32_t given = std::max(0, std::min(amount, stock[product]));
        stock[product] -= given;
        return given;
    }
    int32_t PutGoods(int32_t product, int32_t amount, int32_t) override {
        ++puts;
        at_terminal_during_put.push_back(g_pVehicleAtTerminal);
        stock[product] += amount;
        return amount;
    }
    void Refresh() override { ++refreshes; }
    int32_t GetLength() const override { return length; }

    int32_t number = 0;
    int32_t length = 0;  // platform rows of a station
    std::map<int32_t, int32_t> stock;
    int32_t takes = 0, puts = 0, refreshes = 0, last_buyer = -1;
    std::vector<CVehicle*> at_terminal_during_put;
};

class TestBuildingTable : public CBuildingTable {
  public:
    void UpdateRawMaterialSites() override {}
};

class TestCityManager : public CCityManager {
  public:
    void Tick() override {}
    void MonthlyUpdate() override {}
};

class TransportWorld : public ::testing::Test {
  protected:
    TransportWorld() : network_(std::make_unique<CWayNetwork>()) {
        game_.Set(g_pWayNetwork, network_.get());
        game_.Set(g_ppBuildings, &buildings_);
        game_.Set(g_pCityManager, &cities_);
        view_.tile_in_view = 1;
        for (int32_t i = 0; i < kMapFieldCount; ++i) {
            game_.state().fields[i].set_teile_art(1);
            game_.state().fields[i].set_hoehe(2);
        }
        game_.state().game_mode = kModeGame;
        InitVehicleModels();
        host_.SetClock(1000000);
        game_.state().timers.frame_time = host_.Now();
    }

    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CWayNetwork& Net() { return *network_; }
    // A way on the field, its piece fitted by Finish.
    void Way(int32_t x, int32_t y, int32_t wayType) {
        Grow(x, y);
        MapField& field = F(x, y);
        field.set_wegtyp(static_cast<uint32_t>(wayType));
        if (field.wegteil() == 0) field.set_wegteil(1);
    }
    // `each(x, y)` for the fields from (x1, y1) to (x2, y2) on a row or column.
    template <typename Each>
    static void EachOnLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Each each) {
        const int32_t dx = (x2 > x1) - (x2 < x1), dy = (y2 > y1) - (y2 < y1);
        for (int32_t x = x1, y = y1;; x += dx, y += dy) {
            each(x, y);
            if (x == x2 && y == y2) break;
        }
    }
    // Frames of the main loop; FramesUntil stops once `done` holds.
    void Frames(int32_t n) {
        for (int32_t i = 0; i < n; ++i) {
            host_.AdvanceClock(26);
            app_.UpdateFrame();
        }
    }
    template <typename Done>
    bool FramesUntil(Done done, int32_t limit) {
        for (int32_t i = 0; i < limit; ++i, Frames(1)) {
            if (done()) return true;
        }
        return done();
    }
    std::string Path(const std::string& name) const { return folder_.Path() + "/" + name; }
    template <typename Writer>
    std::string WriteWith(const std::string& name, Writer writer) {
        plat::FileHandle file = plat::OpenFile(Path(name), plat::OpenMode::Create);
        writer(file);
        plat::CloseFile(file);
        return folder_.Read(name);
    }
    template <typename Reader>
    bool ReadWith(const std::string& bytes, Reader reader) {
        plat::FileHandle file = plat::OpenFile(folder_.Write("in", bytes), plat::OpenMode::Read);
        const bool ok = reader(file);
        plat::CloseFile(file);
        return ok;
    }
    static std::vector<CVehicle*> Listed(int32_t vehicleClass = -1) {
        std::vector<CVehicle*> all;
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            if (vehicleClass < 0 || n->vehicle->vehicle_class == vehicleClass)
                all.push_back(n->vehicle);
        }
        return all;
    }
    // Widens the box the checks scan.
    void Grow(int32_t x, int32_t y) {
        box_x0_ = std::min(box_x0_, std::max(0, x - 1));
        box_y0_ = std::min(box_y0_, std::max(0, y - 1));
        box_x1_ = std::max(box_x1_, std::min(255, x + 1));
        box_y1_ = std::max(box_y1_, std::min(255, y + 1));
    }
    // A bridge or tunnel, smaller coordinate first (way type 0: the world's).
    void Bridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = 0) {
        Span(false, x1, y1, x2, y2, wayType);
    }
    void Tunnel(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = 0) {
        Span(true, x1, y1, x2, y2, wayType);
    }
    void Span(bool tunnel, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType) {
        wayType = wayType != 0 ? wayType : default_way_;
        const bool alongY = x1 == x2;
        const uint32_t typeBits = static_cast<uint32_t>(wayType) << 4;
        const int32_t length = alongY ? y2 - y1 : x2 - x1;
        for (int32_t k = 0; k <= length; ++k) {
            const int32_t x = alongY ? x1 : x1 + k, y = alongY ? y1 + k : y1;
            const bool end = k == 0 || k == length;
            Grow(x, y);
            MapField& field = F(x, y);
            if (tunnel) {
                field.set_tunnel(true);
                field.set_tunnel_hoehe(2);
                // The low portal's ramp rises towards the high one (slope S or
                // E), the high portal's towards the low one (N or W).
                field.set_tportal(end);
                if (end) field.set_teile_diff(alongY ? (k == 0 ? 3 : 1) : (k == 0 ? 2 : 4));
                if (end) field.set_wegteil(alongY ? 1 : 2);
            } else {
                // Flat end codes: south 1, north 2, west 5, east 6; spans 9 (N-S) or 11.
                const uint32_t code = !end     ? (alongY ? 9 : 11)
                                      : alongY ? (k == 0 ? 2 : 1)
                                               : (k == 0 ? 5 : 6);
                field.set_bridge_flag(true);
                field.set_data_word(code + typeBits);
                field.set_bridge_end(end);
                if (end) field.set_wegteil(BridgeEndWayPiece[code - 1]);
            }
            if (end) field.set_wegtyp(static_cast<uint32_t>(wayType));
            if (end) WayEnd(x, y, field);
        }
    }
    virtual void WayEnd(int32_t x, int32_t y, MapField& field) = 0;

    plat::HeadlessBackend host_;
    fvtest::GameScope game_;
    std::unique_ptr<CWayNetwork> network_;
    CBuildHelper helper_;
    TestBuildingTable buildings_;
    TestCityManager cities_;
    fvtest::RecordingView& view_ = game_.UseView();
    CGameApp app_;
    fvtest::TempFolder folder_;
    int32_t box_x0_ = 255, box_y0_ = 255, box_x1_ = 0, box_y1_ = 0;
    int32_t default_way_ = kWayGravelRoad;
};

class RoadWorld : public TransportWorld {
  protected:
    ~RoadWorld() override { DeleteAllVehicles(); }
    // Marks exactly the vehicles', none once deleted.
    void TearDown() override {
        plat::SetRandSourceForTests({});
        EXPECT_TRUE(MarksConsistent());
        DeleteAllVehicles();
        EXPECT_EQ(MarkSum(), 0);
    }

    void Road(int32_t x, int32_t y, int32_t wayType = kWayGravelRoad) { Way(x, y, wayType); }
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType = kWayGravelRoad) {
        EachOnLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) { Road(x, y, wayType); });
    }
    // A truck depot of `type` 0..3 (exit N, E, S, W); DepotRoad: the road
    // of a depot the building table placed.
    TestTerminal& Depot(int32_t x, int32_t y, int32_t type, int32_t number) {
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
    void DepotRoad(int32_t x, int32_t y) {
        Road(x, y);
        depots_.emplace_back(x, y);
    }
    void WayEnd(int32_t, int32_t, MapField& field) override {
        field.set_richtung(field.tportal()
                               ? SlopeDirection(static_cast<int32_t>(field.teile_diff()))
                               : BridgeCodeDirection(static_cast<int32_t>(field.bridge_piece())));
    }
    // Fits the box's pieces and links it (nodes on road ends if asked).
    void Finish(int32_t x0 = 0, int32_t y0 = 0, int32_t x1 = 255, int32_t y1 = 255,
                bool dead_end_nodes = false) {
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
    CCity& City(int32_t n, int32_t x, int32_t y) {
        auto city = std::make_unique<CCity>(n, x, y);
        cities_.cities[n - 1] = city.get();
        city_objects_.push_back(std::move(city));
        return *city_objects_.back();
    }
    void Street(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t city) {
        EachOnLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) {
            Road(x, y, kWayCityStreet);
            F(x, y).set_stadtnum(static_cast<uint32_t>(city));
        });
    }
    static void SetSchedule(CVehicle& v, const std::vector<std::pair<int32_t, int32_t>>& stops) {
        for (ScheduleStop& stop : v.schedule) stop = EmptyScheduleStop();
        for (size_t i = 0; i < stops.size() && i < kScheduleStops; ++i) {
            v.schedule[i].x[0] = static_cast<uint8_t>(stops[i].first);
            v.schedule[i].y[0] = static_cast<uint8_t>(stops[i].second);
        }
        v.stop_count = static_cast<int32_t>(stops.size());
        v.needs_route = 1;
    }
    // Every occupancy mark of the map and the nodes.
    int64_t MarkSum() const {
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
    // The vehicles' marks explain the map's exactly; no lane is shared.
    ::testing::AssertionResult MarksConsistent() const {
        const auto fail = [](int32_t x, int32_t y, const char* what) {
            return ::testing::AssertionFailure() << what << " on " << x << "," << y;
        };
        // The marks the listed vehicles hold, field by field.
        std::vector<uint8_t> lanes(kMapFieldCount), tunnels(kMapFieldCount),
            bridges(kMapFieldCount);
        std::vector<uint8_t> counts(kMapFieldCount);
        std::vector<int32_t> sides(kWayNodeSlots * 4);
        for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
            const CVehicle& v = *node->vehicle;
            const RoadMark& m = v.mark;
            if (m.kind == MarkKind::None) continue;
            if (m.x != v.pos_x || m.y != v.pos_y)
                return fail(m.x, m.y, "a mark away from its vehicle");
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
                if (((field.geb_change() ? 1 : 0) | (field.tunnel_belegt() ? 2 : 0)) !=
                    tunnels[i]) {
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

    std::vector<std::unique_ptr<TestTerminal>> terminals_;
    std::vector<std::unique_ptr<CCity>> city_objects_;

  private:
    std::vector<std::pair<int32_t, int32_t>> depots_;
};

// A train station (types 6..9): field k (0..3) of platform row `row`.
class TestStation : public TestTerminal {
  public:
    std::pair<int32_t, int32_t> RowField(int32_t row, int32_t k) const {
        const int32_t line = row + 1;
        if (type == 6 || type == 8) return {anchor_x + k, anchor_y + (type == 6 ? -line : line)};
        return {anchor_x + (type == 7 ? line : -line), anchor_y + k};
    }
};

using Points = std::vector<std::pair<int32_t, int32_t>>;

class RailWorld : public TransportWorld {
  protected:
    RailWorld() { default_way_ = kWayRail; }
    ~RailWorld() override { DeleteAllVehicles(); }
    // Consistent (if `check_at_end_`), none once deleted.
    void TearDown() override {
        if (check_at_end_) {
            EXPECT_TRUE(Consistent());
        }
        DeleteAllVehicles();
        EXPECT_EQ(std::pair(MarkCount(), FlagCount()), std::pair(0, 0));
    }
    void Rail(int32_t x, int32_t y) {
        Way(x, y, kWayRail);
        track_.emplace_back(x, y);
    }
    void RailLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        EachOnLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) { Rail(x, y); });
    }
    void RailPath(const Points& corners) {
        for (size_t i = 1; i < corners.size(); ++i) {
            RailLine(corners[i - 1].first, corners[i - 1].second, corners[i].first,
                     corners[i].second);
        }
    }
    // A station with its anchor (first field of the head line) at (ax, ay).
    TestStation& Station(int32_t type, int32_t ax, int32_t ay, int32_t length, int32_t number) {
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
    void WayEnd(int32_t x, int32_t y, MapField&) override { track_.emplace_back(x, y); }
    void Finish(bool dead_end_nodes = false) {
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
                if (field.gleisr() & DirBitFromIndex(i))
                    Net().LinkFromField(x, y, DirBitFromIndex(i));
            }
        }
    }

    CTrain* Train(int32_t x, int32_t y, int32_t model = 10) {
        return new CTrain(x, y, "A", model, kWayRail);
    }
    static void SetSchedule(CVehicle& v, const std::vector<const TestStation*>& stops) {
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

    // The trains kept apart (each unit on a field its train marks, alone,
    // and in links its train holds), nothing held twice, every mark and link
    // flag held by some train.
    ::testing::AssertionResult Consistent() const {
        using Key = std::pair<int32_t, int32_t>;
        std::map<Key, const CTrain*> fieldOwner, linkOwner;
        const auto fail = [](const CTrain* t, const char* what, int32_t a, int32_t b) {
            return ::testing::AssertionFailure()
                   << "train " << (t ? t->number : -1) << ": " << what << " " << a << "," << b;
        };
        for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
            const CTrain* t = dynamic_cast<const CTrain*>(node->vehicle);
            if (t == nullptr) continue;
            const TrainHoldings& h = t->held;
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
        if (const std::string breach = TrainsApartBreach(); !breach.empty()) {
            return ::testing::AssertionFailure() << breach;
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
    // The number of the train holding each held link.
    static std::map<std::pair<int32_t, int32_t>, int32_t> LinkHolders() {
        std::map<std::pair<int32_t, int32_t>, int32_t> holders;
        for (const CVehicle* v : Listed()) {
            const CTrain* t = dynamic_cast<const CTrain*>(v);
            for (int32_t i = 0; t != nullptr && i < t->held.LinkCount(); ++i) {
                const TrainLink& l = t->held.LinkAtIndex(i);
                holders[LinkKey(l.node, l.dir, l.far_node, l.far_dir)] = t->number;
            }
        }
        return holders;
    }
    static CTrain* TrainNumbered(int32_t number) {
        for (CVehicle* v : Listed()) {
            if (v->number == number) return dynamic_cast<CTrain*>(v);
        }
        return nullptr;
    }
    // The vehicle records written and read back as a game is saved and
    // loaded: the way network's record keeps the link flags, the field
    // marks go. Every link keeps its holder (where one train's position or
    // record implies it: `same_holders`). The records written are returned.
    std::string SaveAndLoadVehicles(bool same_holders = true) {
        const auto holders = LinkHolders();
        const std::string part = WriteWith("part", WriteVehicleRecords);
        std::vector<std::array<uint8_t, 4>> flags(kWayNodeSlots);
        for (int32_t n = 1; n < kWayNodeSlots; ++n) {
            if (const WayNode* node = Net().Node(n)) std::copy_n(node->belegt, 4, flags[n].begin());
        }
        DeleteAllVehicles();
        for (int32_t n = 1; n < kWayNodeSlots; ++n) {
            if (WayNode* node = Net().nodes[n]) std::copy_n(flags[n].begin(), 4, node->belegt);
        }
        ClearTransientFieldBits();
        EXPECT_TRUE(ReadWith(part, ReadVehicleRecords));
        if (same_holders) {
            EXPECT_EQ(LinkHolders(), holders);
        }
        return part;
    }
    int32_t MarkCount() const {
        int32_t count = 0;
        for (int32_t i = 0; i < kMapFieldCount; ++i) count += g_pGameState->fields[i].belegt() != 0;
        return count;
    }
    int32_t FlagCount() const {
        int32_t count = 0;
        WayNode* const* nodes = network_->nodes;
        for (int32_t n = 1; n < kWayNodeSlots; ++n) {
            const WayNode* wn = nodes[n];
            if (wn == nullptr) continue;
            for (int32_t i = 0; i < 4; ++i) count += wn->belegt[i] != 0 && wn->ziel[i] != 0;
        }
        return count;
    }

    std::vector<std::unique_ptr<TestStation>> stations_;
    bool check_at_end_ = true;

  private:
    std::vector<std::pair<int32_t, int32_t>> track_;
};

// Random rail networks: a single-track ring with stations of every kind and
// passing loops, or lines between two-row termini; trains on random schedules.
class RandomRailWorld : public RailWorld {
  protected:
    // Every station stocks products 1..6.
    void BuildRandomNetwork() {
        const int32_t x0 = 30 + R(10), y0 = 30 + R(10);
        const int32_t x1 = x0 + 50 + R(30), y1 = y0 + 50 + R(30);
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
    // Up to `count` trains on free platform row ends, schedules of 2..4 stops.
    std::vector<CTrain*> BuildRandomTrains(int32_t count) {
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
                    t->cargo_plan[s][k][0] =
                        R(3) == 0 ? kNoProduct : static_cast<uint8_t>(1 + R(6));
                }
            }
            trains.push_back(t);
        }
        return trains;
    }
    // Two-row termini at x0 and x1 on y, single track with `loops` loops.
    std::pair<TestStation*, TestStation*> AddLine(int32_t y, int32_t x0, int32_t x1,
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

  private:
    using RailWorld::Rail;
    void Rail(std::pair<int32_t, int32_t> at) { Rail(at.first, at.second); }
    struct Side {
        bool horizontal;  // the side runs along x
        int32_t c;        // its fixed coordinate
        int32_t s0, s1;   // its range along the side
        int32_t inward;   // +1 or -1 across the side towards the ring's inside
    };
    static std::pair<int32_t, int32_t> At(const Side& side, int32_t s, int32_t across) {
        if (side.horizontal) return {s, side.c + side.inward * across};
        return {side.c + side.inward * across, s};
    }
    void AddStation(const Side& side, int32_t s, int32_t length, bool grows_inward) {
        // Rows grow across the side; `g` is the growth in map coordinates.
        const int32_t g = grows_inward ? side.inward : -side.inward;
        const auto [fx, fy] = At(side, s + 1, 0);
        const int32_t type = side.horizontal ? (g < 0 ? 6 : 8) : (g > 0 ? 7 : 9);
        TestStation& station = Station(type, side.horizontal ? fx : fx - g,
                                       side.horizontal ? fy - g : fy, length, next_number_++);
        all_stations_.push_back(&station);
        const int32_t across = grows_inward ? 1 : -1;
        for (int32_t i = 1; i < length; ++i) Rail(At(side, s, across * i));
        for (int32_t i = 1; i < length; ++i) Rail(At(side, s + 5, across * i));
        for (int32_t row = 0; row < length; ++row) {
            const auto [x, y] = station.RowField(row, R(2) == 0 ? 0 : 3);
            starts_.push_back({x, y, &station});
        }
    }
    void AddLoop(const Side& side, int32_t s, int32_t length, int32_t sign) {
        for (int32_t a = 1; a <= 2; ++a) Rail(At(side, s, sign * a));
        for (int32_t a = 1; a <= 2; ++a) Rail(At(side, s + length, sign * a));
        for (int32_t k = 0; k <= length; ++k) Rail(At(side, s + k, sign * 2));
    }

    struct StartField {
        int32_t x, y;
        const TestStation* station;
    };
    std::vector<const TestStation*> all_stations_;
    std::vector<StartField> starts_;
    int32_t next_number_ = 1;
};

}  // namespace transporttest
