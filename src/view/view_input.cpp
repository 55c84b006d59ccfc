// Mouse input of the world view: the throttled pick on mouse moves and the
// tools' actions on clicks.

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "panel/control_panel.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/sound_events.h"
#include "view/world_view.h"
#include "world/build_helper.h"
#include "world/terrain.h"
#include "world/way_network.h"
#include "world/way_queries.h"

namespace {

constexpr uint32_t kPickInterval = 251;
constexpr int64_t kDemolitionConfirmLimit = 10000;

void RedrawBoth(SPIEL_FELD& view) {
    g_pGameState->redraw_terrain = 1;
    g_pGameState->redraw_objects = 1;
    view.RedrawView();
}

}  // namespace

void SPIEL_FELD::OnMouseMove(plat::WParam /*flags*/) {
    const CGameState& gs = *g_pGameState;
    const plat::Point p = ScreenToClient(plat::GetCursorPos());
    if (p.x > gs.view_width || p.y > gs.view_height) return;
    if ((zoom == kOverviewZoomLevel && tool != kToolCity) || tool < 0 || tool == kToolNone ||
        tool == kInformationTool || tool == kToolOverviewZoom) {
        redraw_pending = 0;
        return;
    }
    const uint32_t now = plat::TimeGetTime();
    if (now - last_pick_time < kPickInterval) return;
    redraw_pending = 1;
    if (p.x >= 0 && p.y >= 0) PickField(p.x, p.y);
    last_pick_time = now;
}

void SPIEL_FELD::OnLButtonDown(plat::WParam flags, plat::Point point) {
    CGameState& gs = *g_pGameState;
    auto reset_drag = [this] { drag_start_x = drag_start_y = -1; };
    auto start_drag = [this] {
        drag_start_x = cursor_x;
        drag_start_y = cursor_y;
    };
    switch (tool) {
        case kToolPlatform: {
            const MapField* f = FieldAt(cursor_x, cursor_y);
            if (f != nullptr && f->spieler() == 0 && g_pBuildHelper != nullptr) {
                g_pBuildHelper->ExtendStation(cursor_x, cursor_y);
                RedrawBoth(*this);
            }
            reset_drag();
            break;
        }
        case kInformationTool:
            SelectAt(point);
            break;
        case kToolNone:
            OpenAt(point);
            break;
        case kToolRaiseLower:
            if (g_pTerrain != nullptr) {
                const int32_t brush = g_pHauptDialog != nullptr ? g_pHauptDialog->brush_size : 1;
                if (brush != 1) {
                    g_pTerrain->EditRaiseLand(cursor_x, cursor_y);
                } else {
                    g_pTerrain->RaiseLand(cursor_x, cursor_y, 0);
                }
            }
            gs.redraw_terrain = 1;
            reset_drag();
            RedrawView();
            break;
        case kToolRoad:
        case kToolTrack:
            if (tunnel_mode != 0) {
                reset_drag();
                PickField(point.x, point.y);
                if (g_pWayNetwork != nullptr) g_pWayNetwork->BuildTunnel(cursor_x, cursor_y);
                if (g_pHauptDialog != nullptr) g_pHauptDialog->ClearTunnelCheck();
                tunnel_mode = 0;
                suppress_release = 1;
                RedrawBoth(*this);
                const MapField* f = FieldAt(cursor_x, cursor_y);
                if (f != nullptr && f->tportal()) Sounds().PlayEffect(2, 0, 0);
            } else {
                start_drag();
            }
            break;
        case kToolBuilding: {
            reset_drag();
            PickField(point.x, point.y);
            const int32_t type = gs.selected_building_type +
                                 (gs.selected_building_type == 0 || gs.selected_building_type == 6
                                      ? gs.build_orientation
                                      : 0);
            if (type < 0 || type >= kBuildingTypeCount || g_pBuildHelper == nullptr ||
                g_ppBuildings == nullptr) {
                break;
            }
            const int32_t w = gs.building_types[type].floor_width;
            const int32_t h = gs.building_types[type].floor_depth;
            if (g_pBuildHelper->CanBuildHere(cursor_x, cursor_y, w, h) == 0) break;
            const int32_t number = g_ppBuildings->PlaceBuilding(cursor_x, cursor_y);
            if (number <= 0) break;
            if (g_pTerrain != nullptr) g_pTerrain->PlaceStructure(cursor_x, cursor_y, number, w, h);
            Sounds().PlayEffect(2, 0, 0);
            RedrawBoth(*this);
            break;
        }
        case kToolCity:
            PickField(point.x, point.y);
            if (g_pCityManager != nullptr) g_pCityManager->GetOrCreateCityAt(cursor_x, cursor_y);
            reset_drag();
            RedrawBoth(*this);
            break;
        case kToolForest:
        case kToolDemolish:
        case kToolRectangle:
            start_drag();
            break;
        case kToolOverviewZoom: {
            reset_drag();
            const int32_t wanted = g_pHauptDialog != nullptr ? g_pHauptDialog->zoom_request : 1;
            if (wanted >= kOverviewZoomLevel) break;
            PickField(point.x, point.y);
            zoom = wanted;
            if (g_pHauptDialog != nullptr) g_pHauptDialog->Repaint();
            const double x = cursor_x;
            const double y = cursor_y;
            centre_x = (x - y) * 0.5;
            centre_y = (x + y) * 0.5 - view_origin;
            if (gs.screen_width <= 640) centre_y = (x + y) * 0.5 - (view_origin - zoom);
            SetupProjection();
            MarkAllFieldsChanged();
            BlackenBackBuffers();
            ClearOverlay();
            RedrawBoth(*this);
            break;
        }
        default:
            break;
    }
    (void)flags;
}

void SPIEL_FELD::SelectAt(plat::Point point) {
    CGameState& gs = *g_pGameState;
    gs.selected_object_type = 0;
    drag_start_x = drag_start_y = -1;
    PickField(point.x, point.y);
    HAUPTDIALOG* panel = g_pHauptDialog;
    const MapField* f = FieldAt(cursor_x, cursor_y);
    if (f == nullptr) return;
    if (f->wegtyp() == 1) gs.selected_object_type = 22;
    if (f->wegtyp() > 1) gs.selected_object_type = 23;
    if (f->building_flag() && !f->no_building_mask() && f->geb_num() != 0) {
        const int32_t type = f->geb_typ();
        static constexpr int32_t kSelection[32] = {16, 16, 16, 16, 17, 17, 17, 17, 17, 17, 1,
                                                   6,  4,  5,  7,  8,  9,  10, 11, 12, 0,  24,
                                                   25, 26, 27, 29, 28, 15, 15, 15, 15, 15};
        if (type != 20 && kSelection[type] != 0) gs.selected_object_type = kSelection[type];
        if (panel != nullptr) {
            panel->selected_x = cursor_x;
            panel->selected_y = cursor_y;
            panel->selected_structure = f->geb_num();
        }
    } else if (f->stadtnum() > 0 && !f->no_building_mask() && f->stadtb() > 0) {
        gs.selected_object_type = 21;
    }
    if (panel != nullptr) plat::SendMessage(panel, kMsgRefreshInfoPanel);
}

void SPIEL_FELD::OpenAt(plat::Point point) {
    drag_start_x = drag_start_y = -1;
    PickField(point.x, point.y);
    g_pGameState->group_edit = 0;
    const MapField* f = FieldAt(cursor_x, cursor_y);
    if (f == nullptr || !f->building_flag() || f->no_building_mask() || f->geb_num() == 0) return;
    const CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(f->geb_num()) : nullptr;
    if (b == nullptr) return;
    plat::Window* frame = GetParent();
    const int32_t terminal = GetTerminalKindAt(cursor_x, cursor_y);
    const bool free_depot = terminal == 1 && f->belegt() == 0;
    const bool free_platform = terminal == 4 && f->belegt() == 0 && f->wegtyp() > 0;
    if (free_depot || free_platform) {
        // A vehicle is bought only at the player's own free terminal.
        if (b->IsTileOccupied(cursor_x, cursor_y) == 0 && f->spieler() == 0) {
            plat::PostMessage(frame, free_depot ? kMsgOpenTruckPurchase : kMsgOpenRailPurchase);
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

void SPIEL_FELD::DemolishArea() {
    if (g_pTerrain == nullptr || drag_start_x < 0) return;
    g_pTerrain->DemolishArea(drag_start_x, drag_start_y, cursor_x, cursor_y);
}

void SPIEL_FELD::OnLButtonUp(plat::WParam flags, plat::Point /*point*/) {
    CGameState& gs = *g_pGameState;
    if ((tool == kToolRoad || tool == kToolTrack) && tunnel_mode == 0 && bridge_mode == 0 &&
        suppress_release == 0 && drag_start_x >= 0 && g_pWayNetwork != nullptr) {
        if (tool == kToolRoad) {
            g_pWayNetwork->LayRoadAlongPath(drag_start_x, drag_start_y, cursor_x, cursor_y);
        } else {
            g_pWayNetwork->LayTrackAlongPath(drag_start_x, drag_start_y, cursor_x, cursor_y);
        }
        gs.redraw_terrain = 1;
        drag_start_x = drag_start_y = -1;
        RedrawView();
    } else if (tool == kToolDemolish) {
        const int64_t cost = g_pHauptDialog != nullptr ? g_pHauptDialog->demolition_cost : 0;
        if (cost >= 0 && cost <= gs.cash[0] && (flags & MK_SHIFT) == 0) {
            if (cost > kDemolitionConfirmLimit && g_pHauptDialog != nullptr) {
                plat::SendMessage(g_pHauptDialog, kMsgPanelConfirmDemolition,
                                  static_cast<plat::WParam>(drag_start_x), drag_start_y);
                return;
            }
            DemolishArea();
        }
        gs.redraw_terrain = 1;
        drag_start_x = drag_start_y = -1;
        RedrawView();
    }
    drag_start_x = drag_start_y = -1;
    suppress_release = 0;
}

void SPIEL_FELD::OnRButtonDown(plat::WParam /*flags*/, plat::Point point) {
    if (tool == kToolRaiseLower && g_pTerrain != nullptr) {
        const int32_t brush = g_pHauptDialog != nullptr ? g_pHauptDialog->brush_size : 1;
        if (brush != 1) {
            g_pTerrain->EditLowerLand(cursor_x, cursor_y);
        } else {
            g_pTerrain->LowerLand(cursor_x, cursor_y, 0);
        }
        g_pGameState->redraw_terrain = 1;
        RedrawView();
    } else if (tool == kToolCity) {
        PickField(point.x, point.y);
        const MapField* f = FieldAt(cursor_x, cursor_y);
        if (f != nullptr && !f->forest_flag() && f->stadtnum() > 0 && g_pCityManager != nullptr) {
            g_pCityManager->RemoveCityAt(cursor_x, cursor_y);
            RedrawBoth(*this);
        }
    }
}
