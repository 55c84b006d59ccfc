#include "support/player_clicks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "gfx/buttons.h"
#include "panel/control_panel.h"
#include "screens/economy/building_purchase_screen.h"
#include "screens/economy/economy_layout.h"
#include "screens/full_screen.h"
#include "screens/panel/popup_list.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/vehicle_layout.h"
#include "state/game_state.h"
#include "view/world_view.h"

namespace fvtest {

namespace {

// Mouse moves reach the view only some time after the last one it took;
// a click comes later than a double click could.
constexpr uint32_t kMoveDelay = 300;
constexpr uint32_t kClickDelay = 1000;
// Points this near the view's edges are left out of the search.
constexpr int32_t kViewMargin = 8;
constexpr int32_t kSearchStep = 4;
// The lists of the building purchase screen.
constexpr int32_t kPurchaseRowHeight = 17;
constexpr int32_t kPurchaseTypeRows = 7;

}  // namespace

void PlayerClicks::ClickAt(plat::Point screen, plat::MouseButton button) {
    Host().AdvanceClock(kClickDelay);
    Host().InjectClick(screen, button);
    Host().RunUntilIdle();
}

void PlayerClicks::MoveTo(plat::Point screen) {
    Host().AdvanceClock(kMoveDelay);
    Host().InjectMouseMove(screen);
    Host().RunUntilIdle();
}

void PlayerClicks::ClickPanel(const plat::Rect& r) {
    ClickAt(g_pHauptDialog->ClientToScreen(plat::Point{(r.left + r.right) / 2, r.top + 5}));
}

void PlayerClicks::Heading(int32_t heading) {
    ClickPanel(g_pHauptDialog->heading_rects[heading]);
}

void PlayerClicks::PanelRow(int32_t command) {
    const HAUPTDIALOG& panel = *g_pHauptDialog;
    for (int32_t r = 0; r < panel.entry_count; ++r) {
        if (panel.entry_command[r] == command) return ClickPanel(panel.row_rects[r]);
    }
    ADD_FAILURE() << "no row " << command;
}

void PlayerClicks::PanelRow(const std::string& label) {
    const HAUPTDIALOG& panel = *g_pHauptDialog;
    for (int32_t r = 0; r < panel.entry_count; ++r) {
        if (label == panel.entry_labels[panel.current_heading][panel.entry_label[r]]) {
            return ClickPanel(panel.row_rects[r]);
        }
    }
    ADD_FAILURE() << "no row " << label;
}

void PlayerClicks::ClickPage(const FullScreen& s, int32_t x, int32_t y) {
    ClickAt(s.ClientToScreen(plat::Point{s.origin_x + x, s.origin_y + y}));
}

void PlayerClicks::Press(const FullScreen& s, uint16_t command) {
    Press(s.buttons, command);
}

void PlayerClicks::Press(const std::vector<std::unique_ptr<BUTTONS>>& buttons, uint16_t command) {
    for (const auto& b : buttons) {
        if (b->command_id != command) continue;
        const plat::Rect r = b->GetWindowRect();
        return ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    ADD_FAILURE() << "no button " << command;
}

void PlayerClicks::PurchaseRow(const FS_GEBAUDE_KAUF& s, const plat::Rect& list, int32_t row) {
    ClickPage(s, list.left + 30, list.top + kPurchaseRowHeight * row + 5);
}

void PlayerClicks::ChooseBuilding(const FS_GEBAUDE_KAUF& s, int32_t category, int32_t type) {
    PurchaseRow(s, economy_screens::kCategoryList, category);
    for (int32_t row = 0; row < kPurchaseTypeRows && s.HighlightedType() != type; ++row) {
        PurchaseRow(s, economy_screens::kTypeList, row);
    }
    EXPECT_EQ(s.HighlightedType(), type);
}

void PlayerClicks::LookAt(int32_t x, int32_t y) {
    SPIEL_FELD& view = *g_pSpielFeld;
    CGameState& gs = *g_pGameState;
    view.centre_x = (x - y) / 2.0;
    view.centre_y = (x + y) / 2.0 - view.view_origin;
    view.SetupProjection();
    view.BlackenBackBuffers();
    gs.redraw_terrain = gs.redraw_objects = 1;
    view.RedrawView();
}

std::optional<plat::Point> PlayerClicks::PointOf(int32_t x, int32_t y) {
    SPIEL_FELD& view = *g_pSpielFeld;
    const CGameState& gs = *g_pGameState;
    const plat::Rect client = view.GetClientRect();
    // The view takes no mouse move right or below its picture.
    const int32_t right = std::min(client.right, gs.view_width) - kViewMargin;
    const int32_t bottom = std::min(client.bottom, gs.view_height) - kViewMargin;
    const auto kept = std::tuple(view.cursor_x, view.cursor_y);
    std::optional<plat::Point> found;
    for (int32_t py = kViewMargin; py < bottom && !found.has_value(); py += kSearchStep) {
        for (int32_t px = kViewMargin; px < right; px += kSearchStep) {
            view.PickField(px, py);
            if (view.cursor_x == x && view.cursor_y == y) {
                found = plat::Point{px, py};
                break;
            }
        }
    }
    std::tie(view.cursor_x, view.cursor_y) = kept;
    return found;
}

std::optional<plat::Point> PlayerClicks::ScreenPointOf(int32_t x, int32_t y) {
    std::optional<plat::Point> p = PointOf(x, y);
    if (!p.has_value()) {
        LookAt(x, y);
        p = PointOf(x, y);
    }
    if (!p.has_value()) {
        ADD_FAILURE() << "field " << x << "," << y << " not in view";
        return std::nullopt;
    }
    return g_pSpielFeld->ClientToScreen(*p);
}

void PlayerClicks::ClickField(int32_t x, int32_t y, plat::MouseButton button) {
    if (const std::optional<plat::Point> p = ScreenPointOf(x, y); p.has_value()) {
        ClickAt(*p, button);
    }
}

void PlayerClicks::MoveToField(int32_t x, int32_t y) {
    if (const std::optional<plat::Point> p = ScreenPointOf(x, y); p.has_value()) MoveTo(*p);
}

void PlayerClicks::DragStart(int32_t x, int32_t y) {
    MoveToField(x, y);
    Host().InjectMouseButton(plat::MouseButton::Left, true);
    Host().RunUntilIdle();
}

void PlayerClicks::DragTo(int32_t x, int32_t y) {
    // The camera stays where the drag began: the end must be in view.
    const std::optional<plat::Point> p = PointOf(x, y);
    if (!p.has_value()) {
        ADD_FAILURE() << "drag end " << x << "," << y << " not in view";
        return;
    }
    MoveTo(g_pSpielFeld->ClientToScreen(*p));
}

void PlayerClicks::DragEnd() {
    Host().InjectMouseButton(plat::MouseButton::Left, false);
    Host().RunUntilIdle();
}

void PlayerClicks::Drag(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    DragStart(x1, y1);
    DragTo(x2, y2);
    DragEnd();
}

void PlayerClicks::ClickMapField(FS_FAHRPLAN_NEU& s, int32_t x, int32_t y) {
    namespace vs = vehicle_screens;
    while (s.page_x > 0 && 2 * x + 3 < 128 * s.page_x) Press(s, kCmdMapLeft);
    while (s.page_x < 2 && 2 * x + 3 >= 128 * s.page_x + vs::kMapViewSize) Press(s, kCmdMapRight);
    while (s.page_y > 0 && 2 * y + 3 < 128 * s.page_y) Press(s, kCmdMapUp);
    while (s.page_y < 2 && 2 * y + 3 >= 128 * s.page_y + vs::kMapViewSize) Press(s, kCmdMapDown);
    ClickPage(s, vs::kMapView.x + 2 * x + 3 - 128 * s.page_x,
              vs::kMapView.y + 2 * y + 3 - 128 * s.page_y);
}

void PlayerClicks::PickInPopup(FS_POPUP_LIST& popup, int32_t id, plat::MouseButton button) {
    for (int32_t g = 0; g < popup.group_count; ++g) {
        for (int32_t k = 0; k < popup.ids_per_group[g]; ++k) {
            if (popup.ids[g][k] != id) continue;
            ClickAt(popup.ClientToScreen(
                plat::Point{kPopupColumnLeft + 20, kPopupColumnTop + kPopupRowHeight * g + 5}));
            return ClickAt(popup.ClientToScreen(
                               plat::Point{kPopupGridRect.left + kPopupItemWidth * (k % 3) + 20,
                                           kPopupGridRect.top + kPopupItemHeight * (k / 3) + 20}),
                           button);
        }
    }
    ADD_FAILURE() << "no item " << id;
}

}  // namespace fvtest
