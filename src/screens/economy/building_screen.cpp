#include "screens/economy/building_screen.h"

#include "economy/building.h"
#include "economy/building_table.h"
#include "state/map_field.h"

CBuilding* BuildingScreen::Building() const {
    return g_ppBuildings != nullptr ? g_ppBuildings->At(m_building) : nullptr;
}

bool BuildingScreen::OwnedByPlayer() const {
    const CBuilding* building = Building();
    return building != nullptr && building->owner == 0;
}

int32_t BuildingScreen::TakeBuilding(int32_t building) {
    m_building = building;
    const CBuilding* b = Building();
    if (b == nullptr) return -1;
    const MapField* anchor = FieldAt(b->anchor_x, b->anchor_y);
    return anchor != nullptr ? static_cast<int32_t>(anchor->geb_typ()) : b->type;
}
