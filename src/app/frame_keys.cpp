// The keyboard commands the main frame handles itself: most press a heading
// of the control panel (and pick a row of its list) exactly as a click
// would; the digits switch the display options, M moves the panel to the
// other side, and the function keys store and recall ten view positions.

#include <cmath>

#include "app/main_frame.h"
#include "game/opponent.h"
#include "panel/control_panel.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "view/world_view.h"

namespace {

constexpr int32_t kToolInformationKeys = -6;
constexpr int32_t kToolDisplayList = -3;
constexpr uint16_t kCmdRecallFirst = 40341;
constexpr uint16_t kCmdStoreFirst = 40351;
constexpr uint16_t kCmdFind = 40269;
constexpr uint16_t kCmdViewOneToOne = 40265;

CGameState& Gs() {
    return *g_pGameState;
}
bool InEditor() {
    return Gs().game_mode == kModeEditor;
}
bool MapView() {
    return g_pSpielFeld != nullptr && g_pSpielFeld->zoom < kOverviewZoomLevel;
}
bool Unpaused() {
    return Gs().user_pause == 0;
}
bool Playing() {
    return !InEditor() && MapView() && Unpaused();
}

void Press(int32_t heading) {
    if (g_pHauptDialog != nullptr) g_pHauptDialog->PressHeading(heading);
}
void Mark(int32_t row, uint16_t command) {
    if (g_pHauptDialog != nullptr) g_pHauptDialog->MarkRow(row, command);
}

// As the information list decides whether it holds "Opponent information":
// any activity, a waiting one (below 0) too.
bool AnyOpponentTakesPart() {
    for (const COpponent* o : Gs().opponents) {
        if (o != nullptr && o->turn_pending != 0) return true;
    }
    return false;
}

// E, K and Z: an overview of the information heading. Its row moves down
// by one where the list holds "Opponent information" or "Goal of the Game".
void InformationOverview(int32_t row_without_extra, uint16_t command) {
    if (InEditor()) return;
    if (g_pSpielFeld != nullptr) g_pSpielFeld->tool = kToolInformationKeys;
    Press(6);
    const int32_t mode = Gs().game_mode;
    const bool extra = mode == kModeCareer || (mode == kModeGame && AnyOpponentTakesPart());
    Mark(row_without_extra + (extra ? 1 : 0), command);
}

void ViewRow(int32_t row, uint16_t command) {
    Press(InEditor() ? 19 : 10);
    Mark(row, command);
}

// H and R: the terrain heading with lift and sink (0) or demolition (1).
void Terrain(int32_t demolish_mode) {
    if (!MapView() || !Unpaused()) return;
    Gs().demolish_mode = demolish_mode;
    Press(InEditor() ? 22 : 13);
}

// Digits 5..0: a display option; an open display list shows the new state.
void DisplayOption(int32_t row, uint16_t view_command, const int32_t& option) {
    if (g_pSpielFeld == nullptr) return;
    g_pSpielFeld->OnDisplayCommand(view_command);
    HAUPTDIALOG* panel = g_pHauptDialog;
    if (panel != nullptr && g_pSpielFeld->tool == kToolDisplayList) {
        panel->entry_checked[row] = option;
        panel->DrawDropDown();
    }
}

void StoreBookmark(int32_t n) {
    if (InEditor() || !MapView()) return;
    const SPIEL_FELD& view = *g_pSpielFeld;
    Bookmark& b = Gs().bookmarks[n];
    b.x = static_cast<int32_t>(view.centre_y + view.centre_x) + view.view_origin;
    b.y = static_cast<int32_t>(view.centre_y - view.centre_x) + view.view_origin;
}

void RecallBookmark(int32_t n) {
    const Bookmark b = Gs().bookmarks[n];
    if (InEditor() || g_pSpielFeld == nullptr || b.x == -1 || b.y == -1) return;
    SPIEL_FELD& view = *g_pSpielFeld;
    if (view.zoom == kOverviewZoomLevel) view.zoom = 1;
    if (view.tool == kToolOverviewZoom && g_pHauptDialog != nullptr) {
        plat::SendMessage(g_pHauptDialog, WM_COMMAND, kCmdViewOneToOne);
    }
    // The stored words carry the view's own centre offset, which comes off
    // again here: a fixed offset of 40 for both would bring the camera back
    // 2 to 3 fields away from where it was stored at 1024 x 768 (offset 23).
    // The halves are kept as well: halving by integer division would put a
    // camera stored at a half position (after a find or a zoom-in) one field
    // away.
    view.centre_x = (b.x - b.y) / 2.0;
    view.centre_y = (b.x + b.y) / 2.0 - view.view_origin;
    view.redraw_pending = 0;
    view.RedrawAfterJump();
}

}  // namespace

bool HAUPTFENSTER::OnKeyCommand(uint16_t command) {
    if (g_pGameState == nullptr) return false;
    CGameState& gs = Gs();
    if (command >= kCmdRecallFirst && command < kCmdRecallFirst + kBookmarkCount) {
        RecallBookmark(command - kCmdRecallFirst);
        return true;
    }
    if (command >= kCmdStoreFirst && command < kCmdStoreFirst + kBookmarkCount) {
        StoreBookmark(command - kCmdStoreFirst);
        return true;
    }
    switch (command) {
        case 40335:  // A: no tool
            if (Playing()) Press(14);
            break;
        case 40329:  // B: annual accounts
            if (!InEditor()) Press(7);
            break;
        case 40401:  // E: industries
            InformationOverview(3, 40385);
            break;
        case 40400:  // K: stores
            InformationOverview(2, 40384);
            break;
        case 40399:  // Z: vehicles
            InformationOverview(4, 40386);
            break;
        case 40361:  // F: find
            if (InEditor()) break;
            Press(10);
            Mark(4, kCmdFind);
            break;
        case 40331:  // G: build
            if (Playing()) Press(11);
            break;
        case 40333:  // H: lift and sink
            Terrain(0);
            break;
        case 40334:  // R: demolish
            Terrain(1);
            break;
        case 40330:  // I: rename
            if (MapView()) Press(InEditor() ? 18 : 9);
            break;
        case 40323:  // L: load (the editor too)
            Press(1);
            Mark(0, 40394);
            break;
        case 40324:  // S: save (the editor too)
            Press(1);
            Mark(1, 40239);
            break;
        case 40316:  // M: the panel to the other side
            gs.panel_side = gs.panel_side != 0 ? 0 : 1;
            LayOutViewAndPanel();
            break;
        case 40336:  // N: a new building of the chosen type
            if (!Playing()) break;
            Press(11);
            if (gs.selected_building_type >= 0) Mark(0, 40270);
            break;
        case 40325:  // O: options (the editor too)
            Press(2);
            break;
        case 40365:  // P: pause
            if (InEditor()) break;
            Press(0);
            if (g_pHauptDialog != nullptr) {
                g_pHauptDialog->entry_checked[gs.game_mode == kModeMission ? 4 : 5] =
                    gs.user_pause != 0 ? 0 : 1;
                plat::SendMessage(g_pHauptDialog, WM_COMMAND, 40366);
            }
            break;
        case 40322:  // Q: end
            if (InEditor()) {
                Press(15);
            } else {
                Press(0);
                Mark(0, 40318);
            }
            break;
        case 40332:  // W: ways
            if (Playing()) Press(12);
            break;
        case 40337:
        case 40338:
        case 40339:
        case 40340:  // 1..4: the zoom rows
            ViewRow(command - 40337, static_cast<uint16_t>(kCmdViewOneToOne + command - 40337));
            break;
        case 40089:
            DisplayOption(0, 40245, gs.show_grid);
            break;
        case 40090:
            DisplayOption(1, 40246, gs.show_trees);
            break;
        case 40091:
            DisplayOption(2, 40247, gs.show_city_buildings);
            break;
        case 40327:
            DisplayOption(3, 40248, gs.show_city_names);
            break;
        case 40328:
            DisplayOption(4, 40249, gs.show_building_names);
            break;
        case 40326:
            DisplayOption(5, 40250, gs.show_production);
            break;
        default:
            return false;
    }
    return true;
}

void HAUPTFENSTER::LayOutViewAndPanel() {
    const CGameState& gs = Gs();
    SPIEL_FELD* view = g_pSpielFeld;
    if (view == nullptr) return;
    const int32_t view_window = gs.view_width + 2;
    const int32_t view_x = gs.panel_side != 0 ? gs.screen_width - view_window : 0;
    const int32_t panel_x = gs.panel_side != 0 ? 0 : view_window;
    view->MoveWindow({gs.origin_x + view_x, gs.origin_y, gs.origin_x + view_x + view_window,
                      gs.origin_y + gs.screen_height});
    if (g_pHauptDialog != nullptr) {
        g_pHauptDialog->MoveWindow({gs.origin_x + panel_x, gs.origin_y,
                                    gs.origin_x + panel_x + kPanelWidth + 2,
                                    gs.origin_y + gs.screen_height});
    }
}
