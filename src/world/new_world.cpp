#include "world/new_world.h"

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/progress_events.h"
#include "state/view_events.h"
#include "world/building_footprint.h"
#include "world/map_reset.h"
#include "world/terrain.h"

namespace {

void OpenScreen(plat::Window* frame) {
    plat::SendMessage(frame, kMsgOpenGenProgress);
}

void CloseScreen(plat::Window* frame) {
    plat::SendMessage(frame, kMsgGenProgressDone);
}

void RemoveAllCities() {
    if (g_pCityManager != nullptr) g_pCityManager->RemoveAllCities();
}

void RedrawWorldView() {
    if (Views().ShowsOverviewMap()) {
        Views().DrawOverviewMap();
    } else {
        g_pGameState->redraw_terrain = 1;
        g_pGameState->redraw_objects = 1;
        Views().RedrawView();
    }
}

}  // namespace

void DemolishAllBuildings() {
    CBuildingTable* table = g_ppBuildings;
    if (table == nullptr || g_pGameState == nullptr) return;
    for (int32_t slot = 1; slot < kBuildingSlots; ++slot) {
        if (table->At(slot) != nullptr) table->DemolishBuilding(slot);
    }
    // A building that demolition leaves standing (a city attraction) must
    // not leave its number on the map once the table forgets it.
    for (int32_t slot = 1; slot < kBuildingSlots; ++slot) {
        const CBuilding* b = table->At(slot);
        if (b == nullptr || b->type < 0 || b->type >= kBuildingTypeCount) continue;
        const BuildingType& type = g_pGameState->building_types[b->type];
        ClearBuildingFootprint(b->anchor_x, b->anchor_y, type.floor_width, type.floor_depth);
    }
    table->DeleteAll();
}

void GenerateNewGameWorld(plat::Window* frame) {
    if (g_pGameState == nullptr || g_pTerrain == nullptr) return;
    MarkAllFieldsChanged();
    OpenScreen(frame);
    Progress().Reset();
    ResetMapFields();
    RemoveAllCities();
    g_pTerrain->GenerateLandscape();
    CloseScreen(frame);
}

void RegenerateWorld(plat::Window* frame, plat::LParam lParam) {
    CGameState* gs = g_pGameState;
    if (lParam != 0 || gs == nullptr || g_pTerrain == nullptr) return;
    if (gs->regen_world == 1) {
        OpenScreen(frame);
        Progress().Reset();
        DemolishAllBuildings();
        g_pTerrain->ClearForests();
        RemoveAllCities();
        ResetMapFields();
        g_pTerrain->GenerateLandscape();
        RedrawWorldView();
        CloseScreen(frame);
        return;
    }
    const bool any = gs->regen_cities == 1 || gs->regen_woods == 1 || gs->regen_industries == 1;
    if (any) OpenScreen(frame);
    if (gs->regen_woods == 1) Progress().StageCleared(2);
    if (gs->regen_industries == 1) Progress().StageCleared(3);
    if (gs->regen_cities == 1) {
        OpenScreen(frame);
        Progress().Phase(1);
        RemoveAllCities();
        g_pTerrain->GenerateCities();
    }
    if (gs->regen_woods == 1) {
        OpenScreen(frame);
        Progress().Phase(2);
        g_pTerrain->ClearForests();
        g_pTerrain->GenerateWoods();
    }
    if (gs->regen_industries == 1) {
        OpenScreen(frame);
        Progress().Phase(3);
        DemolishAllBuildings();
        g_pTerrain->GenerateIndustries();
    }
    RedrawWorldView();
    CloseScreen(frame);
}
