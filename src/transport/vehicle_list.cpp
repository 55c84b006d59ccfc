#include "transport/vehicle_list.h"

#include "state/map_field.h"
#include "transport/vehicle_lookup.h"
#include "transport/wagon.h"

namespace {

constexpr int32_t kNoRoadVehicle = 1000;

bool InBox(const int32_t box[4], plat::Point p) {
    return p.x >= box[0] && p.x <= box[1] && p.y >= box[2] && p.y <= box[3];
}

// The vehicle list answering the stored-number lookups of other subsystems.
class VehicleListLookup : public CVehicleLookup {
  public:
    CVehicle* FindVehicleByNumber(int32_t number) const override {
        return ::FindVehicleByNumber(number);
    }
    int32_t VehicleNumber(const CVehicle& vehicle) const override { return vehicle.number; }
};

VehicleListLookup g_Lookup;

}  // namespace

CVehicleLookup* g_pVehicleLookup = &g_Lookup;

void RegisterVehicle(CVehicle* vehicle) {
    if (vehicle == nullptr) return;
    g_pVehicleList = new VehicleListNode{vehicle, g_pVehicleList};
}

bool UnlinkVehicle(CVehicle* vehicle) {
    for (VehicleListNode** link = &g_pVehicleList; *link != nullptr; link = &(*link)->next) {
        if ((*link)->vehicle != vehicle) continue;
        VehicleListNode* node = *link;
        *link = node->next;
        delete node;
        return true;
    }
    return false;
}

CVehicle* FindVehicleByNumber(int32_t n) {
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        CVehicle* v = node->vehicle;
        if (v == nullptr || v->number != n) continue;
        return v->vehicle_class == kVehicleCityCar ? nullptr : v;
    }
    return nullptr;
}

CVehicle* FindVehicleAtField(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || field->belegt() == 0) return nullptr;
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        CVehicle* v = node->vehicle;
        if (v == nullptr) continue;
        bool match = (v->pos_x == x && v->pos_y == y) || (v->left_x == x && v->left_y == y);
        if (!match && MayHaveWagons(v->vehicle_class)) {
            for (int32_t i = 0; i < v->wagon_count && i < kWagonSlots && !match; ++i) {
                const CWagon* w = v->wagons[i];
                match = w != nullptr &&
                        ((w->x == x && w->y == y) || (w->prev_x == x && w->prev_y == y));
            }
        }
        if (match) return v->vehicle_class == kVehicleCityCar ? nullptr : v;
    }
    return nullptr;
}

int32_t GetRoadVehicleValueAt(int32_t x, int32_t y, int32_t lane) {
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        const CVehicle* v = node->vehicle;
        if (v == nullptr) continue;
        if (v->vehicle_class != kVehicleTruck && v->vehicle_class != kVehicleCityCar) continue;
        if (v->pos_x == x && v->pos_y == y && v->lane == lane) return v->speed_limit;
    }
    return kNoRoadVehicle;
}

CVehicle* PickVehicleAt(plat::Point point) {
    CVehicle* result = nullptr;
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        CVehicle* v = node->vehicle;
        if (v == nullptr || v->draw_layer == 1) continue;
        if (InBox(v->screen_box, point)) {
            if (v->vehicle_class == kVehicleCityCar) continue;
            if (result == nullptr || v->screen_box[3] >= result->screen_box[3]) result = v;
            continue;
        }
        if (!MayHaveWagons(v->vehicle_class)) continue;
        for (int32_t i = 0; i < v->wagon_count && i < kWagonSlots; ++i) {
            const CWagon* w = v->wagons[i];
            if (w != nullptr && w->hidden != 1 && InBox(w->screen_box, point)) {
                result = v;
                break;
            }
        }
    }
    return result;
}

int32_t CountVehicles() {
    int32_t n = 0;
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) ++n;
    return n;
}

void DeleteAllVehicles() {
    while (g_pVehicleList != nullptr) {
        VehicleListNode* node = g_pVehicleList;
        g_pVehicleList = node->next;
        delete node->vehicle;
        delete node;
    }
    g_MaxVehicleNumber = 0;
}
