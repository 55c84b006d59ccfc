#include "view/traffic_world.h"

#include <climits>
#include <map>
#include <tuple>

#include "app/game_app.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/factory.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/train.h"
#include "transport/truck.h"
#include "world/build_helper.h"
#include "world/way_network.h"

namespace viewtest {

namespace {

void Mark(int32_t x, int32_t y, int32_t number, int32_t type) {
    MapField& f = *FieldAt(x, y);
    f.set_geb_num(static_cast<uint32_t>(number));
    f.set_geb_typ(static_cast<uint32_t>(type));
    f.set_building_flag(true);
}

ScheduleStop StopAt(int32_t x, int32_t y) {
    ScheduleStop stop = EmptyScheduleStop();
    stop.x[0] = static_cast<uint8_t>(x);
    stop.y[0] = static_cast<uint8_t>(y);
    return stop;
}

// Fields of the box that are not plain land: water, slopes, cities, ways
// and buildings.
int32_t Obstacles(int32_t x0, int32_t y0, int32_t w, int32_t d) {
    int32_t n = 0;
    for (int32_t x = x0; x < x0 + w; ++x) {
        for (int32_t y = y0; y < y0 + d; ++y) {
            const MapField& f = *FieldAt(x, y);
            n += f.teile_art() == 0 || f.teile_diff() != 0 || f.stadtnum() != 0 ||
                         f.wegtyp() != 0 || f.building_flag()
                     ? 1
                     : 0;
        }
    }
    return n;
}

}  // namespace

TrafficWorld::TrafficWorld(ViewHost& host) : host_(host) {
    CGameState& gs = host.gs();
    int32_t best = INT_MAX;
    for (int32_t x = 8; x + kWidth < 246; x += 6) {
        for (int32_t y = 8; y + kDepth < 246; y += 6) {
            const int32_t n = Obstacles(x, y, kWidth, kDepth);
            if (n < best) std::tie(best, x0, y0) = std::tuple(n, x, y);
        }
    }
    // The box becomes flat land at its most common height, forests cleared.
    std::map<int32_t, int32_t> heights;
    for (int32_t x = x0; x < x0 + kWidth; ++x)
        for (int32_t y = y0; y < y0 + kDepth; ++y) ++heights[FieldAt(x, y)->hoehe()];
    int32_t height = 0;
    int32_t most = 0;
    for (const auto& [h, n] : heights) {
        if (n > most) std::tie(height, most) = std::pair(h, n);
    }
    height = std::max(height, 1);
    for (int32_t x = x0; x <= x0 + kWidth; ++x) {
        for (int32_t y = y0; y <= y0 + kDepth; ++y) {
            MapField& f = *FieldAt(x, y);
            f.set_hoehe(static_cast<uint32_t>(height));
            if (x == x0 + kWidth || y == y0 + kDepth) continue;
            f = MapField{};
            f.set_hoehe(static_cast<uint32_t>(height));
            f.set_teile_art(1);
        }
    }
    gs.opt_animations = 1;
    gs.cash[0] = 100000000;
    // Five roads, a depot at each end south of the road; four trucks each.
    for (int32_t k = 0; k < 5; ++k) {
        const int32_t row = y0 + 3 + 4 * k;
        const int32_t a = x0 + 3;
        const int32_t b = x0 + 27;
        Way(x0 + 1, row, x0 + 30, row, kWayGravelRoad + k % 2);
        for (int32_t depot_x : {a, b}) {
            Place(kTypeTruckDepot + 2, depot_x, row - 1);
            Way(depot_x, row - 1, depot_x, row - 1, kWayGravelRoad);
        }
    }
    FinishWays(x0, y0, x0 + kWidth - 1, y0 + kDepth - 1);
    // Three animated factories with signs beside the roads.
    constexpr int32_t kFactories[3][2] = {
        {kTypeWoodIndustry, 26}, {kTypeSportsIndustry, 18}, {kTypeToyIndustry, 10}};
    for (int32_t i = 0; i < 3; ++i) {
        const int32_t number = Place(kFactories[i][0], x0 + 34, y0 + 2 + 6 * i);
        if (number > 0) {
            static_cast<CFactory*>(g_ppBuildings->At(number))->SetProduct(kFactories[i][1]);
        }
    }
    // Three depots of the opponents, whose plates show their colours.
    for (int32_t owner = 1; owner < 4; ++owner) {
        const int32_t x = x0 + 41;
        const int32_t y = y0 + 10 * owner - 4;
        const int32_t number = Place(kTypeTruckDepot + 2, x, y);
        Way(x, y, x, y, kWayGravelRoad);
        if (number > 0) FieldAt(x, y)->set_spieler(static_cast<uint32_t>(owner));
    }
    // Five rail lines between two stations each.
    for (int32_t k = 0; k < 5; ++k) {
        const int32_t row = y0 + 23 + 3 * k;
        Way(x0 + 6, row, x0 + 27, row, kWayRail);
        FinishWays(x0, row - 1, x0 + kWidth - 1, row + 1);
        Station(x0 + 2, row);
        Station(x0 + 28, row);
    }
    for (int32_t k = 0; k < 5; ++k) {
        const int32_t row = y0 + 3 + 4 * k;
        for (int32_t i = 0; i < 4; ++i) {
            const int32_t from = i % 2 == 0 ? x0 + 3 : x0 + 27;
            const int32_t to = i % 2 == 0 ? x0 + 27 : x0 + 3;
            auto* truck = new CTruck(from, row - 1, "T", (k * 4 + i) % 10);
            truck->schedule[0] = StopAt(from, row - 1);
            truck->schedule[1] = StopAt(to, row - 1);
            std::tie(truck->stop_count, truck->needs_route) = std::tuple(2, 1);
            truck->cargo_plan[0][0][0] = static_cast<uint8_t>(i % 3 == 0 ? 0 : 4);
            trucks.push_back(truck);
            Run(40);  // the depot clears before the next truck leaves
        }
    }
    for (int32_t k = 0; k < 5; ++k) {
        const int32_t row = y0 + 23 + 3 * k;
        auto* train = new CTrain(x0 + 2, row, "Z", 10 + k % 3, kWayRail);
        train->schedule[1] = StopAt(x0 + 28, row);
        train->stop_count = 2;
        for (int32_t w = 0; w < 3; ++w) {
            train->cargo_plan[0][w][0] = static_cast<uint8_t>(w == 0 ? 0 : 4);
            train->cargo_plan[1][w][0] = static_cast<uint8_t>(20 + w);
        }
        trains.push_back(train);
    }
    MarkAllFieldsChanged();
}

int32_t TrafficWorld::Place(int32_t type, int32_t x, int32_t y) {
    CGameState& gs = host_.gs();
    const bool depot = IsTruckDepotType(type);
    gs.selected_building_type = depot ? kTypeTruckDepot : type;
    gs.build_orientation = depot ? type - kTypeTruckDepot : 0;
    const int32_t number = g_ppBuildings->PlaceBuilding(x, y);
    if (number <= 0) return number;
    const Floor floor = FloorOfType(type);
    for (int32_t fx = x; fx < x + floor.width; ++fx)
        for (int32_t fy = y; fy < y + floor.depth; ++fy) Mark(fx, fy, number, type);
    return number;
}

void TrafficWorld::Way(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t way_type) {
    const int32_t dx = (x2 > x1) - (x2 < x1);
    const int32_t dy = (y2 > y1) - (y2 < y1);
    for (int32_t x = x1, y = y1;; x += dx, y += dy) {
        MapField& field = *FieldAt(x, y);
        field.set_wegtyp(static_cast<uint32_t>(way_type));
        if (field.wegteil() == 0) field.set_wegteil(1);
        if (x == x2 && y == y2) break;
    }
}

void TrafficWorld::FinishWays(int32_t xa, int32_t ya, int32_t xb, int32_t yb) {
    CWayNetwork& net = *g_pWayNetwork;
    CBuildHelper helper;
    for (int32_t pass = 0; pass < 4; ++pass) {
        for (int32_t x = xa; x <= xb; ++x) {
            for (int32_t y = ya; y <= yb; ++y) {
                const MapField& field = *FieldAt(x, y);
                if (pass == 0 && IsRoadWay(field.wegtyp())) UpdateRoadPieceShape(x, y);
                if (pass == 0 && IsTrackWay(field.wegtyp())) UpdateTrackPieceShape(x, y);
                if (pass == 1) helper.UpdateWayPiecesAround(x, y);
                const bool depot = field.building_flag() && IsTruckDepotType(field.geb_typ()) &&
                                   IsRoadWay(field.wegtyp());
                if (pass == 2 && depot && field.knotennummer() == 0) net.CreateNode(x, y);
                if (pass != 3 || !field.knoten()) continue;
                const uint8_t dirs = IsTrackWay(field.wegtyp()) ? field.gleisr() : field.richtung();
                for (int32_t i = 0; i < 4; ++i) {
                    if (dirs & DirBitFromIndex(i)) net.LinkFromField(x, y, DirBitFromIndex(i));
                }
            }
        }
    }
}

// A station of type 6: its platform row on y (the head), its building line
// south of it.
void TrafficWorld::Station(int32_t x, int32_t y) {
    CGameState& gs = host_.gs();
    gs.selected_building_type = kTypeTrainStation;
    gs.build_orientation = 0;
    const int32_t number = g_ppBuildings->PlaceBuilding(x, y);
    for (int32_t k = 0; k < 4; ++k) {
        Mark(x + k, y, number, 6);
        Mark(x + k, y + 1, number, 6);
        FieldAt(x + k, y)->set_wegtyp(kWayRail);
    }
    g_pWayNetwork->LayStationTrack(x + 1, y, 0);
}

void TrafficWorld::Run(int32_t frames) {
    CGameApp app;
    for (int32_t i = 0; i < frames; ++i) {
        host_.h.host.AdvanceClock(26);
        app.UpdateFrame();
    }
}

void TrafficWorld::Look(int32_t x, int32_t y, int32_t rotation, int32_t zoom) {
    SPIEL_FELD& v = host_.view();
    const int32_t origin = v.view_origin;
    v.centre_x = (x - y) * 0.5;
    v.centre_y = (x + y) * 0.5 - origin;
    host_.Show(rotation, zoom);
}

}  // namespace viewtest
