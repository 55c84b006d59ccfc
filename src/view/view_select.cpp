// The selecting clicks of the world view: the information tool (what the
// control panel's sidebar shows), the click without a tool (which opens the
// screen of the vehicle or building under the point) and the right click
// without a tool (which halts or releases a vehicle).

#include "economy/building.h"
#include "economy/building_table.h"
#include "panel/control_panel.h"
#include "platform/input.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"
#include "view/world_view.h"
#include "world/way_queries.h"

namespace {

constexpr int32_t kMineType = 10;
constexpr int32_t kSelectedVehicle = 20;
// From this model on (city traffic) a vehicle is halted or released only
// when its owner field is 0.
constexpr int32_t kFirstOwnerCheckedModel = 22;

// The sidebar panel of each building type; 0 leaves the choice as it is.
// Mines (type 10) choose by their product.
constexpr int32_t kPanelOfType[32] = {16, 16, 16, 16, 17, 17, 17, 17, 17, 17, 0,
                                      6,  4,  5,  7,  8,  9,  10, 11, 12, 0,  24,
                                      25, 26, 27, 29, 28, 15, 15, 15, 15, 15};

// A mine's panel: 1, 2 or 3 for gold, silver or diamonds; 0 otherwise.
int32_t MinePanel(int32_t number) {
    CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(number) : nullptr;
    const int32_t product = b != nullptr ? b->GetProduct() : -1;
    return product >= 5 && product <= 7 ? product - 4 : 0;
}

bool HasBuilding(const MapField& f) {
    return f.building_flag() && !f.no_building_mask() && f.geb_num() != 0;
}

// The player may halt or release the vehicle: it is not being removed, and
// from kFirstOwnerCheckedModel on its owner field is 0.
bool MayToggle(const CVehicle& v) {
    return v.removal_flag == 0 && (v.model < kFirstOwnerCheckedModel || v.owner == 0);
}

}  // namespace

CVehicle* SPIEL_FELD::HitVehicle(plat::Point point) {
    if (g_pVehicleList == nullptr) return nullptr;
    last_hit_point = point;
    return PickVehicleAt(point);
}

void SPIEL_FELD::SelectAt(plat::Point point) {
    CGameState& gs = *g_pGameState;
    gs.selected_object_type = 0;
    drag_start_x = drag_start_y = -1;
    PickField(point.x, point.y);
    HAUPTDIALOG* panel = g_pHauptDialog;
    if (panel != nullptr && panel->selected_vehicle != nullptr) {
        panel->selected_vehicle->selected = 0;
    }
    CVehicle* vehicle = HitVehicle(point);
    if (panel != nullptr) panel->selected_vehicle = vehicle;
    const MapField* f = FieldAt(cursor_x, cursor_y);
    if (f == nullptr) return;
    // The way and city-object panels show the clicked field.
    if (panel != nullptr) {
        panel->selected_x = cursor_x;
        panel->selected_y = cursor_y;
    }
    if (vehicle != nullptr) {
        gs.selected_object_type = kSelectedVehicle;
        // Only a panel that keeps the vehicle can deselect it again.
        if (panel != nullptr) {
            panel->selected_x = cursor_x;
            panel->selected_y = cursor_y;
            vehicle->selected = 1;
        }
    } else {
        if (f->wegtyp() == 1) gs.selected_object_type = 22;
        if (f->wegtyp() > 1) gs.selected_object_type = 23;
        if (HasBuilding(*f)) {
            const int32_t type = f->geb_typ();
            int32_t chosen = type < 32 ? kPanelOfType[type] : 0;
            if (type == kMineType) chosen = MinePanel(f->geb_num());
            if (chosen != 0) gs.selected_object_type = chosen;
            if (panel != nullptr) {
                panel->selected_x = cursor_x;
                panel->selected_y = cursor_y;
                panel->selected_structure = f->geb_num();
            }
        } else if (f->stadtnum() > 0 && !f->no_building_mask() && f->stadtb() > 0) {
            gs.selected_object_type = 21;
        }
    }
    if (panel != nullptr) plat::SendMessage(panel, kMsgRefreshInfoPanel);
}

void SPIEL_FELD::OpenAt(plat::WParam flags, plat::Point point) {
    CGameState& gs = *g_pGameState;
    drag_start_x = drag_start_y = -1;
    PickField(point.x, point.y);
    gs.group_edit = 0;
    const MapField* f = FieldAt(cursor_x, cursor_y);
    if (f == nullptr) return;
    plat::Window* frame = GetParent();
    const bool own_field = f->spieler() == 0;
    if (CVehicle* vehicle = own_field ? HitVehicle(point) : nullptr; vehicle != nullptr) {
        if (vehicle->removal_flag != 0) return;
        if ((flags & MK_SHIFT) != 0) gs.group_edit = 1;
        plat::PostMessage(frame, kMsgOpenSchedule);
        gs.schedule_source = 0;
        return;
    }
    if (!HasBuilding(*f)) return;
    const CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(f->geb_num()) : nullptr;
    if (b == nullptr) return;
    const int32_t terminal = GetTerminalKindAt(cursor_x, cursor_y);
    const bool free_depot = terminal == 1 && f->belegt() == 0;
    const bool free_platform = terminal == 4 && f->belegt() == 0 && f->wegtyp() > 0;
    if (free_depot || free_platform) {
        // A vehicle is bought only at the player's own free terminal.
        if (b->IsTileOccupied(cursor_x, cursor_y) == 0 && own_field) {
            plat::PostMessage(frame, free_depot ? kMsgOpenTruckPurchase : kMsgOpenRailPurchase);
            if (free_depot) gs.schedule_source = 1;
        }
        return;
    }
    const int32_t group = GetBuildingGroup(f->geb_typ());
    if (group >= 5 && group <= 8) {
        plat::SendMessage(g_pHauptDialog, kMsgPanelOpenStructureInfo);
    } else if (group >= 9 && group <= 14) {
        plat::SendMessage(frame, kMsgOpenProduction);
    } else if (group == 15) {
        plat::SendMessage(frame, kMsgOpenDepot);
    } else if (group == 16) {
        plat::SendMessage(frame, kMsgOpenStoreSales);
    }
}

void SPIEL_FELD::ToggleVehicleAt(plat::Point point) {
    PickField(point.x, point.y);
    CVehicle* vehicle = HitVehicle(point);
    if (vehicle != nullptr && MayToggle(*vehicle)) vehicle->halted = vehicle->halted != 0 ? 0 : 1;
}
