#include "economy/building_table.h"

#include "economy/building_kinds.h"
#include "state/map_field.h"

void CBuildingTable::FreeAll() {
    for (CBuilding*& slot : buildings) {
        delete slot;
        slot = nullptr;
    }
}

void CBuildingTable::DeleteAll() {
    for (int32_t i = kFirstBuildingSlot; i <= kLastBuildingSlot; ++i) {
        delete buildings[i];
        buildings[i] = nullptr;
    }
}

void CBuildingTable::AfterLoadAll() {
    for (int32_t i = kFirstBuildingSlot; i <= kLastBuildingSlot; ++i) {
        if (buildings[i] != nullptr) buildings[i]->AfterLoad();
    }
}

void CBuildingTable::UpdateRawMaterialSites() {
    for (int32_t i = kFirstBuildingSlot; i <= kLastBuildingSlot; ++i) {
        if (buildings[i] != nullptr && IsRawSiteType(buildings[i]->type)) buildings[i]->Update();
    }
}

void CBuildingTable::ClearScanMarks() {
    for (int32_t i = kFirstBuildingSlot; i <= kLastBuildingSlot; ++i) {
        if (buildings[i] != nullptr) buildings[i]->scan_mark = 0;
    }
}

CBuilding* BuildingOnField(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || g_ppBuildings == nullptr || field->no_building_mask()) return nullptr;
    if (!field->building_flag() && field->stadtnum() != 0) return nullptr;
    return g_ppBuildings->At(field->geb_num());
}
