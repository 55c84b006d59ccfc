#include "economy/building_level.h"

#include "economy/building_table.h"
#include "state/le_io.h"

void WriteBuildingRecords(plat::FileHandle file) {
    if (g_ppBuildings != nullptr) {
        g_ppBuildings->Save(file);
        return;
    }
    le::WriteU32(file, 0);
}

bool SkipBuildingRecords(plat::FileHandle file, int32_t (*types)[kBuildingSlots],
                         int32_t (*anchors)[kBuildingSlots]) {
    return CBuildingTable::CheckRecord(file, types, anchors);
}

bool ReadBuildingRecords(plat::FileHandle file) {
    if (g_ppBuildings != nullptr) return g_ppBuildings->Load(file);
    return CBuildingTable::CheckRecord(file);
}

void DeleteAllBuildings() {
    if (g_ppBuildings != nullptr) g_ppBuildings->DeleteAll();
}

void AfterLoadAllBuildings() {
    if (g_ppBuildings != nullptr) g_ppBuildings->AfterLoadAll();
}
