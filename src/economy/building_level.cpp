#include "economy/building_level.h"

#include "app/le_io.h"
#include "economy/building_table.h"

void WriteBuildingRecords(plat::FileHandle file) {
    le::WriteU32(file, 0);
}

bool SkipBuildingRecords(plat::FileHandle file) {
    uint32_t count = 0;
    return le::ReadU32(file, count) && count == 0;
}

bool ReadBuildingRecords(plat::FileHandle file) {
    DeleteAllBuildings();
    return SkipBuildingRecords(file);
}

void DeleteAllBuildings() {
    if (g_ppBuildings == nullptr) return;
    for (int32_t slot = 1; slot < kBuildingSlots; ++slot) {
        delete g_ppBuildings->buildings[slot];
        g_ppBuildings->buildings[slot] = nullptr;
    }
}

void AfterLoadAllBuildings() {}
