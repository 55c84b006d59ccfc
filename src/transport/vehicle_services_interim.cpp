// Interim answers of the vehicle queries that the way network asks, over the
// vehicle list as it stands: by each vehicle's own field only. The vehicle
// list replaces this file with the full queries (wagons, tunnel and bridge
// flags) when it arrives.

#include <algorithm>

#include "transport/vehicle_services.h"
#include "world/map_field.h"

namespace {

bool OnRun(const CVehicle& v, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t x = v.pos_x;
    const int32_t y = v.pos_y;
    if (x1 == x2) return x == x1 && y >= std::min(y1, y2) && y <= std::max(y1, y2);
    return y == y1 && x >= std::min(x1, x2) && x <= std::max(x1, x2);
}

int32_t AnyVehicleOnRun(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        if (node->vehicle != nullptr && OnRun(*node->vehicle, x1, y1, x2, y2)) return 1;
    }
    return 0;
}

}  // namespace

CVehicle* FindVehicleAtField(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || field->belegt() == 0) return nullptr;
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        CVehicle* v = node->vehicle;
        if (v == nullptr || v->pos_x != x || v->pos_y != y) continue;
        return v->vehicle_class == kVehicleCityCar ? nullptr : v;
    }
    return nullptr;
}

int32_t IsVehicleOnColumn(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return AnyVehicleOnRun(x1, y1, x2, y2);
}

int32_t IsVehicleOnRow(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return AnyVehicleOnRun(x1, y1, x2, y2);
}
