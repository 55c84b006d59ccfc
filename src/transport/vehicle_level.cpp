#include "transport/vehicle_level.h"

#include <memory>

#include "state/le_io.h"
#include "transport/city_car.h"
#include "transport/train.h"
#include "transport/truck.h"

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

// Reads the records; with `keep` the vehicles are listed and marked, else
// each one is only checked and dropped, or handed to `read`.
bool WalkVehicleRecords(plat::FileHandle file, bool keep,
                        std::vector<std::unique_ptr<CVehicle>>* read = nullptr) {
    uint32_t count = 0;
    if (!le::ReadU32(file, count)) return true;
    for (uint32_t i = 0; i < count; ++i) {
        int32_t classCode = 0;
        if (!le::ReadI32(file, classCode)) return false;
        std::unique_ptr<CVehicle> vehicle(NewVehicleForLoad(classCode));
        if (vehicle == nullptr) return false;
        const bool ok = keep ? vehicle->Load(file) : vehicle->ReadFields(file);
        if (!ok || vehicle->vehicle_class != classCode) return false;
        // Each vehicle read goes to the head: the list holds them in the
        // reverse of the file's order.
        if (keep) RegisterVehicle(vehicle.release());
        if (read != nullptr) read->push_back(std::move(vehicle));
    }
    return true;
}

}  // namespace

void WriteVehicleRecords(plat::FileHandle file) {
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

bool SkipVehicleRecords(plat::FileHandle file, std::vector<std::unique_ptr<CVehicle>>* read) {
    return WalkVehicleRecords(file, false, read);
}

bool ReadVehicleRecords(plat::FileHandle file) {
    const bool read = WalkVehicleRecords(file, true);
    std::vector<CTrain*> trains;
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        if (auto* train = dynamic_cast<CTrain*>(node->vehicle)) trains.push_back(train);
    }
    CTrain::TakeOverReservations(trains);
    return read;
}
