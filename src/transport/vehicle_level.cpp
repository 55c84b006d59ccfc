#include "transport/vehicle_level.h"

#include "app/le_io.h"
#include "game/opponent_roster.h"
#include "transport/vehicle.h"

void WriteVehicleRecords(plat::FileHandle file) {
    le::WriteU32(file, 0);
}

bool SkipVehicleRecords(plat::FileHandle file) {
    uint32_t count = 0;
    return le::ReadU32(file, count) && count == 0;
}

bool ReadVehicleRecords(plat::FileHandle file) {
    return SkipVehicleRecords(file);
}

void DeleteAllVehicles() {
    while (g_pVehicleList != nullptr) {
        VehicleListNode* node = g_pVehicleList;
        g_pVehicleList = node->next;
        // Opponents' plans may still name the vehicle; they must not keep a
        // pointer to a deleted one.
        ForgetVehicleInOpponents(node->vehicle);
        delete node->vehicle;
        delete node;
    }
}
