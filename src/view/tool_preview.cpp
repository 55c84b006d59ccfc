// The preview half of the world view's picking: after the mouse moved onto
// another field, the current tool marks the fields it would touch (through
// the tile marker), the panel shows what the action would cost, and the view
// is presented again with the overlay of the new marks. Only the mark bits
// of the fields change.

#include <cstdlib>

#include "panel/control_panel.h"
#include "platform/messages.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "view/world_view.h"
#include "world/build_helper.h"
#include "world/terrain.h"
#include "world/tile_marker.h"

namespace {

// Demolition works on at most this many fields a side.
constexpr int32_t kDemolitionSide = 10;

// Pulls v to within kDemolitionSide - 1 fields of `from`.
int32_t ClampToDemolitionSide(int32_t from, int32_t v) {
    if (v - from >= kDemolitionSide) return from + kDemolitionSide - 1;
    if (from - v >= kDemolitionSide) return from - kDemolitionSide + 1;
    return v;
}

// How far the catchment area of a selected building type reaches beyond its
// footprint; 0 for types without one.
int32_t CatchmentMargin(int32_t selected) {
    if (selected >= 0 && selected < 10) return 5;
    if (selected == 10 || selected == 11) return 4;
    if (selected >= 21 && selected <= 26) return 3;
    return 0;
}

// The four fields of a train station's track row that carry the arrow.
void MarkStationArrows(CTileMarker& marker, int32_t x, int32_t y, int32_t orientation) {
    for (int32_t i = 0; i < 4; ++i) {
        switch (orientation & 3) {
            case 0:
                marker.MarkArrow(x + i, y);
                break;
            case 1:
                marker.MarkArrow(x + 1, y + i);
                break;
            case 2:
                marker.MarkArrow(x + i, y + 1);
                break;
            default:
                marker.MarkArrow(x, y + i);
                break;
        }
    }
}

void PreviewBuilding(CTileMarker& marker, int32_t x, int32_t y) {
    const CGameState& gs = *g_pGameState;
    const int32_t selected = gs.selected_building_type;
    const bool oriented = selected == 0 || selected == 6;
    const int32_t type = selected + (oriented ? gs.build_orientation : 0);
    if (selected < 0 || type >= kBuildingTypeCount) return;
    const int32_t w = gs.building_types[type].floor_width;
    const int32_t h = gs.building_types[type].floor_depth;
    const bool placeable =
        g_pBuildHelper != nullptr && g_pBuildHelper->CanBuildHere(x, y, w, h) != 0;
    marker.ClearAll();
    if (const int32_t m = CatchmentMargin(selected); m > 0) {
        marker.MarkRect(x - m, y - m, x + w + m - 1, y + h + m - 1, 2);
    }
    if (selected == 0) marker.MarkArrow(x, y);
    if (selected == 6) MarkStationArrows(marker, x, y, gs.build_orientation);
    marker.MarkRect(x, y, x + w - 1, y + h - 1, placeable ? 1 : 3);
    HAUPTDIALOG* panel = g_pHauptDialog;
    if (panel == nullptr) return;
    if (selected >= 21 && selected <= 26) {
        panel->DrawProductPricePanel();
    } else if (gs.game_mode != kModeEditor) {
        panel->DrawPricePanel();
    }
}

}  // namespace

void SPIEL_FELD::UpdateToolPreview(plat::WParam flags) {
    if (tool < 0 || tool == kToolNone || tool == kInformationTool || tool == kToolOverviewZoom) {
        return;
    }
    if (cursor_x == prev_cursor_x && cursor_y == prev_cursor_y) return;
    CTileMarker* marker = g_pTileMarker;
    if (marker == nullptr) return;
    CGameState& gs = *g_pGameState;
    HAUPTDIALOG* panel = g_pHauptDialog;
    const bool editor = gs.game_mode == kModeEditor;
    const bool held = (flags & MK_LBUTTON) != 0;
    const bool dragging = held && drag_start_x >= 0;

    // The cursor mark moves to the new field; tool 0 marks the field its
    // corner stands for.
    marker->MarkField(prev_cursor_x, prev_cursor_y, 0);
    int32_t mx = cursor_x;
    int32_t my = cursor_y;
    if (tool == kToolRaiseLower && (gs.rotation & 3) != 0) AdjustCorner(gs.rotation, mx, my);
    marker->MarkField(mx, my, 1);
    if (tool == kToolRaiseLower) {
        const int32_t n = panel != nullptr ? panel->brush_size : 1;
        marker->ClearAll();
        marker->MarkRect(mx, my, mx + n - 1, my + n - 1, 1);
        if (!editor && panel != nullptr) panel->DrawTerrainCost();
    }
    prev_cursor_x = cursor_x;
    prev_cursor_y = cursor_y;
    // The obstacle a refused height change highlighted is let go.
    if (g_pTerrain != nullptr && g_pTerrain->refused == 1) {
        const MapField* f = FieldAt(g_pTerrain->obstacle_x, g_pTerrain->obstacle_y);
        if (f != nullptr && f->cursor() == 2) {
            marker->MarkField(g_pTerrain->obstacle_x, g_pTerrain->obstacle_y, 0);
        }
        g_pTerrain->refused = 0;
    }

    switch (tool) {
        case kToolTrack:
        case kToolRoad: {
            const bool cash = gs.cash[0] > 0;
            if (tunnel_mode != 0 && cash) {
                marker->PreviewTunnel(cursor_x, cursor_y);
            } else if (dragging && bridge_mode != 0) {
                marker->ClearAll();
                ClearOverlay();
                if (cash) marker->PreviewBridge(drag_start_x, drag_start_y, cursor_x, cursor_y);
            } else if (dragging) {
                marker->ClearAll();
                const auto family = tool == kToolRoad ? CTileMarker::WayFamily::Road
                                                      : CTileMarker::WayFamily::Track;
                if (cash) {
                    marker->PreviewRoute(drag_start_x, drag_start_y, cursor_x, cursor_y, family);
                }
            }
            if (!editor && panel != nullptr) panel->DrawRoadCost();
            break;
        }
        case kToolDemolish:
            if (!dragging) break;
            marker->ClearAll();
            cursor_x = ClampToDemolitionSide(drag_start_x, cursor_x);
            cursor_y = ClampToDemolitionSide(drag_start_y, cursor_y);
            marker->MarkRect(drag_start_x, drag_start_y, cursor_x, cursor_y, 1);
            if (!editor && panel != nullptr) panel->DrawDemolitionCost();
            break;
        case kToolRectangle:
            marker->ClearAll();
            marker->MarkRunX(drag_start_x, cursor_x, drag_start_y, 1);
            marker->MarkRunX(drag_start_x, cursor_x, cursor_y, 1);
            marker->MarkRunY(drag_start_y, cursor_y, drag_start_x, 1);
            marker->MarkRunY(drag_start_y, cursor_y, cursor_x, 1);
            break;
        case kToolForest:
        case kToolSites:
            if (!dragging) break;
            marker->ClearAll();
            marker->MarkSquare(drag_start_x, drag_start_y, cursor_x, cursor_y, 1);
            break;
        case kToolBuilding:
            PreviewBuilding(*marker, cursor_x, cursor_y);
            break;
        default:
            break;
    }
    // Present the unchanged picture; the redraw adds the overlay.
    gs.redraw_terrain = 0;
    gs.redraw_objects = 0;
    RedrawView();
}
