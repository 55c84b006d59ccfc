#include "world/building_footprint.h"

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"
#include "world/field_queries.h"

void ClearBuildingFootprint(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!InMap(x, y)) return;
    CBuilding* building = GetBuildingTypeAt(x, y) != kOffMap ? BuildingOnField(x, y) : nullptr;
    if (building != nullptr && g_pCityManager != nullptr) {
        for (int32_t slot = 0; slot < kCitySlots; ++slot) {
            const CCity* city = g_pCityManager->cities[slot];
            if (city != nullptr && city->OverlapsRect(x, y, w, h)) {
                building->ApplyAttraction(slot, -1);
            }
        }
    }
    for (int32_t fx = x; fx < x + w; ++fx) {
        for (int32_t fy = y; fy < y + h; ++fy) {
            MapField* field = FieldAt(fx, fy);
            if (field == nullptr) continue;
            field->set_data_word(0);
            field->set_building_flag(false);
            field->set_spieler(0);
            field->set_feldchange(true);
            if (g_pGameState != nullptr && Views().IsTileInView(fx, fy)) {
                g_pGameState->redraw_terrain = 1;
                g_pGameState->redraw_objects = 1;
            }
        }
    }
}
