// Field queries: building type on a field, tunnel and bridge run costs and the
// customer count of a store site.

#include "world/field_queries.h"

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/vehicle_services.h"
#include "world/construction_costs.h"
#include "world/way_piece_tables.h"

namespace {
// Walks from (x, y) in direction bit d until a field for which `isEnd` holds;
// the number of steps, or 0 when the walk leaves the map first.
template <typename IsEnd>
int32_t WalkToRunEnd(int32_t x, int32_t y, uint8_t d, IsEnd isEnd, int32_t& endX, int32_t& endY) {
    const int32_t index = DirIndexFromBit(d);
    int32_t cx = x;
    int32_t cy = y;
    for (int32_t steps = 1; steps < kMapSize; ++steps) {
        cx += DirDx(index);
        cy += DirDy(index);
        const MapField* field = FieldAt(cx, cy);
        if (field == nullptr) return 0;
        if (isEnd(*field)) {
            endX = cx;
            endY = cy;
            return steps;
        }
    }
    return 0;
}

int32_t RunCost(int32_t length, bool vehicleOnRun, int32_t wegtyp) {
    if (vehicleOnRun) return -1;
    return (length + 1) * RunRemovalRate(wegtyp);
}

// Size class 0..5 of a city building number; -1 for numbers that hold no
// residents (0 and 42 and above).
int32_t ResidentClass(int32_t stadtb) {
    const int32_t s = stadtb - 1;
    if (s < 0) return -1;
    if (s <= 9) return 0;
    if (s <= 19) return 1;
    if (s <= 27) return 2;
    if (s <= 33) return 3;
    if (s <= 37) return 4;
    if (s <= 40) return 5;
    return -1;
}

}  // namespace

int32_t GetBuildingTypeAt(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return kOffMap;
    if (field->BuildingNumber() == 0 || !field->building_flag()) return kOffMap;
    const int32_t type = field->geb_typ();
    if (type < 6 || type > 9) return type;
    // Station fields outside the head line report the platform kind.
    const CBuilding* station =
        g_ppBuildings != nullptr ? g_ppBuildings->At(field->geb_num()) : nullptr;
    if (station == nullptr) return type;
    if ((type == 6 || type == 8) && y != station->anchor_y) return 5;
    if ((type == 7 || type == 9) && x != station->anchor_x) return 4;
    return type;
}

bool FindTunnelSpan(int32_t x, int32_t y, RunSpan& span) {
    const MapField* portal = FieldAt(x, y);
    if (portal == nullptr || !portal->tportal()) return false;
    span.dir = SlopeDirection(portal->teile_diff());
    if (span.dir == 0) return false;
    span.length = WalkToRunEnd(
        x, y, span.dir, [](const MapField& f) { return f.tportal(); }, span.farX, span.farY);
    return span.length != 0;
}

bool FindBridgeSpan(int32_t x, int32_t y, RunSpan& span) {
    const MapField* end = FieldAt(x, y);
    if (end == nullptr || !end->bridge_flag()) return false;
    span.dir = BridgeCodeDirection(end->bridge_piece());
    if (span.dir == 0) return false;
    span.length = WalkToRunEnd(
        x, y, span.dir, [](const MapField& f) { return f.bridge_end(); }, span.farX, span.farY);
    return span.length != 0;
}

int32_t MeasureTunnelRun(int32_t x, int32_t y) {
    RunSpan span;
    if (!FindTunnelSpan(x, y, span)) return 0;
    FieldAt(span.farX, span.farY)->set_laenge(1);
    const bool vehicle =
        g_pVehicleList != nullptr && IsVehicleOnColumn(span.farX, span.farY, x, y) != 0;
    return RunCost(span.length, vehicle, FieldAt(x, y)->wegtyp());
}

int32_t MeasureBridgeRun(int32_t x, int32_t y) {
    RunSpan span;
    if (!FindBridgeSpan(x, y, span)) return 0;
    FieldAt(span.farX, span.farY)->set_laenge(1);
    const bool vehicle =
        g_pVehicleList != nullptr && IsVehicleOnRow(span.farX, span.farY, x, y) != 0;
    return RunCost(span.length, vehicle, FieldAt(x, y)->wegtyp());
}

int32_t CountCityNeighbourClasses(int32_t x, int32_t y, int32_t city, int32_t type,
                                  int32_t preview) {
    if (city == -1 || x == -1 || y == -1 || type < 21 || type > 26) return 0;
    const CCity* owner = g_pCityManager != nullptr ? g_pCityManager->City(city) : nullptr;
    if (owner == nullptr || g_pGameState == nullptr) return 0;
    int32_t* grid = &g_pGameState->shared_city_grid[0][0];
    auto cell = [&](int32_t fx, int32_t fy) -> int32_t* {
        const int32_t gx = fx - owner->origin_x;
        const int32_t gy = fy - owner->origin_y;
        if (gx < 0 || gx >= kCityAreaSize || gy < 0 || gy >= kCityAreaSize) return nullptr;
        return &grid[gx * kCityAreaSize + gy];
    };

    // The store's own footprint never counts.
    int32_t* own[4] = {cell(x, y), cell(x, y + 1), cell(x + 1, y), cell(x + 1, y + 1)};
    int32_t saved[4] = {};
    for (int32_t k = 0; k < 4; ++k) {
        if (own[k] == nullptr) continue;
        saved[k] = *own[k];
        *own[k] = -1;
    }

    int32_t sum = 0;
    for (int32_t fx = x - 3; fx <= x + 4; ++fx) {
        for (int32_t fy = y - 3; fy <= y + 4; ++fy) {
            const int32_t* coverage = cell(fx, fy);
            const MapField* field = FieldAt(fx, fy);
            if (coverage == nullptr || field == nullptr) continue;
            const int32_t g = *coverage + (preview == 1 ? 1 : 0);
            if (g < 1) continue;
            if (field->stadtnum() < 1 || field->no_building_mask() || field->building_flag()) {
                continue;
            }
            const int32_t k = ResidentClass(field->stadtb());
            if (k < 0) continue;
            sum += g_pGameState->geb_einw[k] / g;
        }
    }

    for (int32_t k = 3; k >= 0; --k) {
        if (own[k] != nullptr) *own[k] = saved[k];
    }
    return sum;
}
