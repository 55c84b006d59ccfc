#include "screens/panel/find_screen.h"

#include "economy/building.h"
#include "economy/building_table.h"
#include "panel/control_panel.h"
#include "screens/panel/dialog_layout.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace dl = dialog_layout;

namespace {

constexpr int32_t kLastTerminalType = 9;
constexpr uint8_t kPlayer = 0;
constexpr int32_t kPageLines = 10;
constexpr int32_t kClosedViewCode = 7;

constexpr ButtonLayout kButtons[] = {
    {.x = dl::kFindOk.x,
     .y = dl::kFindOk.y,
     .command = kCmdDialogOk,
     .width = dl::kButtonWidth,
     .height = dl::kButtonHeight,
     .normal = {dl::kOkFaceX, 0},
     .pressed = {dl::kOkFaceX, dl::kPressedFaceY}},
    {.x = dl::kFindCancel.x,
     .y = dl::kFindCancel.y,
     .command = kCmdDialogCancel,
     .width = dl::kButtonWidth,
     .height = dl::kButtonHeight,
     .normal = {dl::kCancelFaceX, 0},
     .pressed = {dl::kCancelFaceX, dl::kPressedFaceY}},
    {.x = dl::kFindPageUp.x,
     .y = dl::kFindPageUp.y,
     .command = kCmdPagePrevious,
     .width = dl::kPageWidth,
     .height = dl::kPageHeight,
     .normal = {dl::kPageUpFaceX, 0},
     .pressed = {dl::kPageUpFaceX, dl::kPressedFaceY}},
    {.x = dl::kFindPageDown.x,
     .y = dl::kFindPageDown.y,
     .command = kCmdPageNext,
     .width = dl::kPageWidth,
     .height = dl::kPageHeight,
     .normal = {dl::kPageDownFaceX, 0},
     .pressed = {dl::kPageDownFaceX, dl::kPressedFaceY}},
};

}  // namespace

FindScreen::~FindScreen() {
    delete list;
}

bool FindScreen::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    panel_ = &panel;
    if (!OpenOver(&panel, request.rect,
                  {.picture = dl::kFindPicture, .buttons = kButtons, .centre_cursor = true})) {
        return false;
    }
    list = new LISTBOX;
    if (!list->CreateList({.rect = dl::kFindList,
                           .parent = this,
                           .background = background.dc.get(),
                           .image = &sheet,
                           .source_x = dl::kFindList.left,
                           .source_y = dl::kFindList.top,
                           .notify = kMsgFirstListClicked,
                           .highlight_y = dl::kListBarY})) {
        return false;
    }
    for (int32_t n = 1; g_ppBuildings != nullptr && n < kBuildingSlots; ++n) {
        CBuilding* b = g_ppBuildings->At(n);
        if (b == nullptr || b->type > kLastTerminalType || b->owner != kPlayer) continue;
        if (list->LineCount() >= kListMaxLines) break;
        const char* name = b->GetName();
        list->AddLine(name != nullptr ? name : "");
        numbers.push_back(n);
    }
    chosen = 0;
    if (!numbers.empty()) list->SelectLine(0);
    if (g_pSound != nullptr) g_pSound->ResumeMusic();
    return true;
}

plat::LResult FindScreen::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    if (message == kMsgFirstListClicked && list != nullptr) {
        if (list->last_clicked >= 0) chosen = list->last_clicked;
        list->Redraw(true);
        return 0;
    }
    if (message == WM_COMMAND) {
        switch (plat::LoWord(wParam)) {
            case kCmdDialogOk:
                Finish(true);
                return 0;
            case kCmdDialogCancel:
                Finish(false);
                return 0;
            case kCmdPagePrevious:
                Page(-kPageLines);
                return 0;
            case kCmdPageNext:
                Page(kPageLines);
                return 0;
            default:
                break;
        }
    }
    return PanelScreen::OnMessage(message, wParam, lParam);
}

void FindScreen::OnPaint() {
    PanelScreen::OnPaint();
    if (list != nullptr) list->Redraw(true);
}

void FindScreen::Page(int32_t lines) {
    if (list == nullptr) return;
    const int32_t top = list->top_line + lines;
    if (top < 0 || top > list->LineCount() - 1) return;
    list->SetTopLine(top);
    list->Redraw(true);
}

void FindScreen::Finish(bool ok) {
    const bool found = ok && chosen >= 0 && chosen < static_cast<int32_t>(numbers.size());
    CBuilding* b = found && g_ppBuildings != nullptr ? g_ppBuildings->At(numbers[chosen]) : nullptr;
    SPIEL_FELD* view = g_pSpielFeld;
    if (b != nullptr && view != nullptr) {
        view->cursor_x = b->anchor_x;
        view->cursor_y = b->anchor_y;
    }
    // The year's accounts that came while this screen was open closed the
    // view list under it; their tool stays, so that their closing takes the
    // panel back to no tool. With the view list's tool set again the view
    // heading would stay pressed over a list shown on the screen but closed.
    if (view != nullptr && view->tool != kToolYearSummary) view->tool = kToolOverviewZoom;
    g_pGameState->pending_view_code = kClosedViewCode;
    FreeCursor();
    // The panel deletes this screen while it handles the result.
    plat::SendMessage(panel_, kMsgPanelFindDone, 0, b != nullptr ? 0 : 1);
}

plat::Window* OpenFind(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenPopupScreen<FindScreen>(panel, request);
}
