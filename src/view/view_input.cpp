// Mouse input of the world view: the throttled pick on mouse moves, the
// tools' actions on clicks, and after each pick of a new field the tool
// preview.

#include <string>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "panel/control_panel.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "screens/panel/debug_window.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/sound_events.h"
#include "view/world_view.h"
#include "world/build_helper.h"
#include "world/terrain.h"
#include "world/tile_marker.h"
#include "world/way_network.h"

namespace {

constexpr uint32_t kPickInterval = 251;
constexpr int64_t kDemolitionConfirmLimit = 10000;

void RedrawBoth(SPIEL_FELD& view) {
    g_pGameState->redraw_terrain = 1;
    g_pGameState->redraw_objects = 1;
    view.RedrawView();
}

int32_t BrushSize() {
    return g_pHauptDialog != nullptr ? g_pHauptDialog->brush_size : 1;
}

void ClearMarks() {
    if (g_pTileMarker != nullptr) g_pTileMarker->ClearAll();
}

void MarkField(int32_t x, int32_t y, int32_t mark) {
    if (g_pTileMarker != nullptr) g_pTileMarker->MarkField(x, y, mark);
}

// The picking's values in the debug window: the mouse, the field, the tool.
void DumpPick(const SPIEL_FELD& view, plat::Point mouse) {
    auto line = [](const char* label, int32_t value) {
        return std::string(label) + std::to_string(value);
    };
    WriteDebugLines({line("Mouse x: ", mouse.x), line("Mouse y: ", mouse.y),
                     line("Field x: ", view.cursor_x), line("Field y: ", view.cursor_y),
                     line("Tool: ", view.tool)});
}

}  // namespace

void SPIEL_FELD::OnMouseMove(plat::WParam flags) {
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
    if (p.x >= 0 && p.y >= 0) {
        PickField(p.x, p.y);
        UpdateToolPreview(flags);
        if (g_pDebugWindow != nullptr) DumpPick(*this, p);
    }
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
            OpenAt(flags, point);
            break;
        case kToolRaiseLower:
            ChangeGround(true);
            break;
        case kToolRoad:
        case kToolTrack:
            if (tunnel_mode != 0) {
                reset_drag();
                PickField(point.x, point.y);
                UpdateToolPreview(flags);
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
            UpdateToolPreview(flags);
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
            UpdateToolPreview(flags);
            if (g_pCityManager != nullptr) g_pCityManager->GetOrCreateCityAt(cursor_x, cursor_y);
            reset_drag();
            RedrawBoth(*this);
            break;
        case kToolForest:
        case kToolDemolish:
        case kToolRectangle:
            start_drag();
            break;
        case kToolSites:
            if (g_pTerrain != nullptr) g_pTerrain->GenerateIndustries();
            RedrawBoth(*this);
            break;
        case kToolOverviewZoom: {
            reset_drag();
            // The zoom the panel's view list asks for; the overview or no
            // request yet (0) zooms nowhere.
            const int32_t wanted = gs.zoom_request;
            if (wanted != 1 && wanted != 2 && wanted != 4) break;
            PickField(point.x, point.y);
            zoom = wanted;
            if (g_pHauptDialog != nullptr) g_pHauptDialog->Repaint();
            const double x = cursor_x;
            const double y = cursor_y;
            centre_x = (x - y) * 0.5;
            centre_y = (x + y) * 0.5 - view_origin;
            if (gs.screen_width <= 640) centre_y = (x + y) * 0.5 - (view_origin - zoom);
            ClearOverlay();
            if (g_pTileMarker != nullptr) g_pTileMarker->ClearAll();
            RedrawAfterJump();
            break;
        }
        default:
            break;
    }
}

void SPIEL_FELD::ChangeGround(bool raise) {
    const int32_t brush = BrushSize();
    if (g_pTerrain != nullptr) {
        if (brush != 1) {
            raise ? g_pTerrain->EditRaiseLand(cursor_x, cursor_y)
                  : g_pTerrain->EditLowerLand(cursor_x, cursor_y);
        } else {
            raise ? g_pTerrain->RaiseLand(cursor_x, cursor_y, 0)
                  : g_pTerrain->LowerLand(cursor_x, cursor_y, 0);
        }
    }
    g_pGameState->redraw_terrain = 1;
    drag_start_x = drag_start_y = -1;
    ClearOverlay();
    // The picked field is a corner; the marks go on the fields it stands for.
    int32_t x = cursor_x;
    int32_t y = cursor_y;
    AdjustCorner(g_pGameState->rotation, x, y);
    if (g_pTileMarker != nullptr) g_pTileMarker->MarkRect(x, y, x + brush - 1, y + brush - 1, 1);
    // The obstacle that refused the change.
    if (g_pTerrain != nullptr && g_pTerrain->refused == 1) {
        MarkField(g_pTerrain->obstacle_x, g_pTerrain->obstacle_y, 2);
    }
    RedrawView();
    DrawMarkOverlay();
    if (g_pHauptDialog != nullptr) g_pHauptDialog->DrawTerrainCost();
}

void SPIEL_FELD::DemolishArea() {
    if (g_pTerrain == nullptr || drag_start_x < 0) return;
    g_pTerrain->DemolishArea(drag_start_x, drag_start_y, cursor_x, cursor_y);
}

void SPIEL_FELD::ReleaseWay() {
    CGameState& gs = *g_pGameState;
    if (bridge_mode != 0) {
        if (gs.cash[0] > 0 && drag_start_x >= 0 && g_pWayNetwork != nullptr) {
            g_pWayNetwork->BuildBridge(drag_start_x, drag_start_y, cursor_x, cursor_y, 0);
            // The sound follows the drag's first field, not the builder's
            // answer: a drag from an older bridge's end sounds, built or not.
            const MapField* start = FieldAt(drag_start_x, drag_start_y);
            if (start != nullptr && start->bridge_end()) {
                Sounds().PlayEffect(2, 0, 0);
            }
        }
        if (g_pHauptDialog != nullptr) g_pHauptDialog->ClearBridgeCheck();
        bridge_mode = 0;
        drag_start_x = drag_start_y = -1;
        RedrawBoth(*this);
        return;
    }
    if (tunnel_mode != 0 || suppress_release != 0 || drag_start_x < 0 || g_pWayNetwork == nullptr) {
        return;
    }
    if (tool == kToolRoad) {
        g_pWayNetwork->LayRoadAlongPath(drag_start_x, drag_start_y, cursor_x, cursor_y);
    } else {
        g_pWayNetwork->LayTrackAlongPath(drag_start_x, drag_start_y, cursor_x, cursor_y);
    }
    FinishDragOnGround();
}

void SPIEL_FELD::FinishDragOnGround() {
    g_pGameState->redraw_terrain = 1;
    drag_start_x = drag_start_y = -1;
    ClearMarks();
    ClearOverlay();
    MarkField(cursor_x, cursor_y, 1);
    RedrawView();
    DrawMarkOverlay();
}

void SPIEL_FELD::OnLButtonUp(plat::WParam flags, plat::Point /*point*/) {
    CGameState& gs = *g_pGameState;
    switch (tool) {
        case kToolRoad:
        case kToolTrack:
            ReleaseWay();
            break;
        case kToolForest:
            if (g_pTerrain != nullptr && drag_start_x >= 0) {
                g_pTerrain->PlantForest(drag_start_x, drag_start_y, cursor_x, cursor_y);
            }
            gs.redraw_objects = 1;
            RedrawView();
            break;
        case kToolRectangle:
            EmptyTerrainStub(drag_start_x, drag_start_y, cursor_x, cursor_y);
            break;
        case kToolDemolish: {
            const int64_t cost = g_pHauptDialog != nullptr ? g_pHauptDialog->demolition_cost : 0;
            if (cost >= 0 && cost <= gs.cash[0] && (flags & MK_SHIFT) == 0) {
                if (cost > kDemolitionConfirmLimit && g_pHauptDialog != nullptr) {
                    // The confirmation demolishes from the drag start, kept.
                    plat::SendMessage(g_pHauptDialog, kMsgPanelConfirmDemolition,
                                      static_cast<plat::WParam>(drag_start_x), drag_start_y);
                    return;
                }
                DemolishArea();
            }
            FinishDragOnGround();
            break;
        }
        default:
            break;
    }
    drag_start_x = drag_start_y = -1;
    suppress_release = 0;
    if (tool != kInformationTool) ClearMarks();
}

void SPIEL_FELD::OnRButtonDown(plat::WParam flags, plat::Point point) {
    if (tool == kToolRaiseLower) {
        ChangeGround(false);
    } else if (tool == kToolNone) {
        ToggleVehicleAt(point);
    } else if (tool == kToolCity) {
        PickField(point.x, point.y);
        UpdateToolPreview(flags);
        const MapField* f = FieldAt(cursor_x, cursor_y);
        if (f != nullptr && !f->forest_flag() && f->stadtnum() > 0 && g_pCityManager != nullptr) {
            g_pCityManager->RemoveCityAt(cursor_x, cursor_y);
            RedrawBoth(*this);
        }
    }
}
