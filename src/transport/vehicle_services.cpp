// The vehicle queries of the world map, answered from the engines' positions
// and the marks of the fields they stand on. The train classes extend the
// walk to their wagons.

#include "transport/vehicle_services.h"

#include "world/map_field.h"

namespace {

// 1 when (x, y) lies on the straight run from (x1, y1) to (x2, y2).
bool OnRun(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    auto between = [](int32_t v, int32_t a, int32_t b) {
        return a <= b ? a <= v && v <= b : b <= v && v <= a;
    };
    if (x1 == x2) return x == x1 && between(y, y1, y2);
    if (y1 == y2) return y == y1 && between(x, x1, x2);
    return false;
}

template <typename Counts>
int32_t AnyVehicleOnRun(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Counts counts) {
    for (VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        const CVehicle* v = node->vehicle;
        if (v == nullptr || !OnRun(v->pos_x, v->pos_y, x1, y1, x2, y2)) continue;
        const MapField* field = FieldAt(v->pos_x, v->pos_y);
        if (field != nullptr && counts(*field)) return 1;
    }
    return 0;
}

}  // namespace

CVehicle* FindVehicleAtField(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || field->belegt() == 0) return nullptr;
    for (VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        CVehicle* v = node->vehicle;
        if (v == nullptr || v->pos_x != x || v->pos_y != y) continue;
        return v->vehicle_class == kVehicleCityCar ? nullptr : v;
    }
    return nullptr;
}

int32_t IsVehicleOnColumn(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return AnyVehicleOnRun(x1, y1, x2, y2,
                           [](const MapField& f) { return f.tunnel() || f.tportal(); });
}

int32_t IsVehicleOnRow(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return AnyVehicleOnRun(x1, y1, x2, y2,
                           [](const MapField& f) { return f.bridge_flag() || f.bridge_end(); });
}
