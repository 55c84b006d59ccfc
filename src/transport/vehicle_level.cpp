#include "transport/vehicle_level.h"

#include "app/le_io.h"
#include "transport/city_car.h"
#include "transport/train.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"

namespace {

// An empty vehicle of a class code for its record to be read into; null for
// codes that no vehicle has.
CVehicle* NewVehicleForLoad(int32_t class_code) {
    switch (class_code) {
        case kVehicleTruck:
            return new CTruck(VehicleLoadOnly{});
        case kVehicleRail:
        case kVehicleMonorail:
        case kVehicleSuperconductor:
            return new CTrain(VehicleLoadOnly{});
        case kVehicleCityCar:
            return new CCityCar(VehicleLoadOnly{});
        default:
            return nullptr;
    }
}

}  // namespace

void WriteVehicleLevelPart(plat::FileHandle file) {
    uint32_t count = 0;
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        if (node->vehicle != nullptr) ++count;
    }
    le::WriteU32(file, count);
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        CVehicle* vehicle = node->vehicle;
        if (vehicle == nullptr) continue;
        le::WriteU32(file, static_cast<uint32_t>(vehicle->vehicle_class));
        vehicle->Save(file);
    }
}

bool ReadVehicleLevelPart(plat::FileHandle file) {
    uint32_t count = 0;
    if (!le::ReadU32(file, count)) return true;
    for (uint32_t i = 0; i < count; ++i) {
        int32_t classCode = 0;
        if (!le::ReadI32(file, classCode)) return false;
        CVehicle* vehicle = NewVehicleForLoad(classCode);
        if (vehicle == nullptr) return false;
        if (!vehicle->Load(file) || vehicle->vehicle_class != classCode) {
            delete vehicle;
            return false;
        }
        AppendVehicle(vehicle);
    }
    return true;
}
