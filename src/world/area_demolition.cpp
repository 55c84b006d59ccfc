// Area demolition: the rectangle the player dragged with the demolition tool
// is cleared field by field (forest, city buildings, player 0's buildings,
// roads, tracks, bridges and tunnels). What may not go (another player's
// fields, vehicles, occupied stations and depots, raw-material sites outside
// the editor, attractions) is skipped.

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"
#include "world/construction_costs.h"
#include "world/field_queries.h"
#include "world/terrain.h"
#include "world/tile_marker.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"

namespace {

constexpr int32_t kMaxReach = 9;  // a side covers at most 10 fields
constexpr int32_t kCityBuildingPriceClasses = 7;

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

void SetRedraw(bool terrain, bool objects) {
    if (terrain) g_pGameState->redraw_terrain = 1;
    if (objects) g_pGameState->redraw_objects = 1;
}

void DemolishCityBuilding(int32_t x, int32_t y) {
    MapField& f = *FieldAt(x, y);
    if (IsEditor()) {
        if (g_pCityManager != nullptr) g_pCityManager->RemoveCityAt(x, y);
        SetRedraw(true, true);
        return;
    }
    int32_t q = GetCityBuildingClass(f.stadtb());
    if (q == 7) q = f.stadtb() - 48;
    if (q < 0 || q >= kCityBuildingPriceClasses) return;
    const int32_t price = g_pGameState->geb_einw[q] * 1000;
    ChargeWayConstruction(0, price, 0);
    f.set_data_word(0);
    SetRedraw(false, true);
}

// Whether one of the station's lines beyond its head line holds a vehicle.
bool StationHeadOccupied(CBuilding& station, int32_t x, int32_t y, int32_t type) {
    const int32_t index = type - 6;  // 6 N, 7 E, 8 S, 9 W
    const int32_t length = station.GetLength();
    for (int32_t k = 1; k <= length; ++k) {
        if (station.IsTileOccupied(x + DirDx(index) * k, y + DirDy(index) * k) != 0) return true;
    }
    return false;
}

void DemolishBuildingOn(int32_t x, int32_t y) {
    const MapField& f = *FieldAt(x, y);
    const int32_t type = GetBuildingTypeAt(x, y);
    const int32_t terminal = GetTerminalKindAt(x, y);
    CBuilding* building = g_ppBuildings != nullptr ? g_ppBuildings->At(f.geb_num()) : nullptr;
    if (terminal == 4 && f.wegteil() != 0) {
        const bool occupied = building != nullptr && building->IsTileOccupied(x, y) != 0;
        if (!occupied && f.spieler() == 0 && g_pWayNetwork != nullptr) {
            g_pWayNetwork->DemolishStation(x, y, 0);
            SetRedraw(true, false);
        }
        return;
    }
    const bool rawMaterialSite = type >= 10 && type <= 13;
    if (f.spieler() != 0 || type >= 27 || (rawMaterialSite && !IsEditor())) return;
    if (terminal == 5 && building != nullptr && StationHeadOccupied(*building, x, y, type)) return;
    if (terminal == 1 && f.belegt() != 0) return;
    if (g_ppBuildings != nullptr) g_ppBuildings->DemolishBuilding(f.geb_num());
    SetRedraw(true, true);
}

// Removes the way on a field: a whole tunnel from its portal, a whole bridge
// from its end, or the way of the field alone.
void DemolishWayOn(int32_t x, int32_t y) {
    const MapField& f = *FieldAt(x, y);
    if (f.tportal()) {
        g_pWayNetwork->DemolishTunnel(x, y);
        SetRedraw(true, true);
    } else if (f.bridge_end()) {
        g_pWayNetwork->DemolishBridge(x, y);
        SetRedraw(true, true);
    } else {
        g_pWayNetwork->DemolishWayField(x, y, 0);
        SetRedraw(true, false);
    }
}

void DemolishField(int32_t x, int32_t y) {
    MapField& f = *FieldAt(x, y);
    if (f.forest_flag()) ClearForestAt(x, y);
    const bool cityBuilding =
        f.stadtnum() != 0 && !f.no_building_mask() && !f.building_flag() && f.stadtb() > 0;
    if (cityBuilding) DemolishCityBuilding(x, y);
    if (GetBuildingTypeAt(x, y) != kOffMap) DemolishBuildingOn(x, y);
    if (g_pWayNetwork == nullptr) return;
    const bool free = f.spieler() == 0 && f.belegt() == 0;
    if (IsRoadWay(f.wegtyp()) && f.wegteil() != 0 && free) {
        DemolishWayOn(x, y);
    } else if ((IsTrackWay(f.wegtyp()) || IsLevelCrossing(f.wegteil())) &&
               GetTerminalKindAt(x, y) == 0 && free) {
        DemolishWayOn(x, y);
    }
}

}  // namespace

void CTerrain::DemolishArea(int32_t start_x, int32_t start_y, int32_t& cur_x, int32_t& cur_y) {
    if (g_pGameState == nullptr) return;
    cur_x = Clamp(cur_x, start_x - kMaxReach, start_x + kMaxReach);
    cur_y = Clamp(cur_y, start_y - kMaxReach, start_y + kMaxReach);
    const int32_t x0 = start_x < cur_x ? start_x : cur_x;
    const int32_t x1 = start_x < cur_x ? cur_x : start_x;
    const int32_t y0 = start_y < cur_y ? start_y : cur_y;
    const int32_t y1 = start_y < cur_y ? cur_y : start_y;
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) {
            if (InMap(x, y)) DemolishField(x, y);
        }
    }
    if (g_pTileMarker != nullptr) g_pTileMarker->ClearAll();
    Views().ClearOverlay();
    PlayBuildEffect(3);
    Views().RedrawView();
}
