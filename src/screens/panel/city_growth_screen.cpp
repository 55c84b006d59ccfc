#include "screens/panel/city_growth_screen.h"

#include "panel/control_panel.h"
#include "screens/panel/dialog_layout.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace dl = dialog_layout;

namespace {

constexpr int32_t kClosedViewCode = 7;

constexpr ButtonLayout kButtons[] = {{.x = dl::kGrowthOk.x,
                                      .y = dl::kGrowthOk.y,
                                      .command = kCmdDialogOk,
                                      .width = dl::kButtonWidth,
                                      .height = dl::kButtonHeight,
                                      .normal = {dl::kOkFaceX, 0},
                                      .pressed = {dl::kOkFaceX, dl::kPressedFaceY}}};

plat::Rect OptionRect(int32_t k) {
    const int32_t x = dl::kGrowthColumns[k / 3];
    const int32_t y = dl::kGrowthRows[k % 3];
    return {x, y, x + dl::kGrowthCellWidth, y + dl::kGrowthCellHeight};
}

}  // namespace

bool CityGrowthChoiceScreen::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    panel_ = &panel;
    if (!OpenOver(&panel, request.rect,
                  {.picture = dl::kGrowthPicture, .buttons = kButtons, .centre_cursor = true})) {
        return false;
    }
    work_.Create(sheet, width, height);
    return true;
}

plat::LResult CityGrowthChoiceScreen::OnMessage(uint32_t message, plat::WParam wParam,
                                                plat::LParam lParam) {
    if (message == WM_LBUTTONDOWN) {
        const plat::Point p{plat::XFromLParam(lParam), plat::YFromLParam(lParam)};
        for (int32_t k = 0; k < 9; ++k) {
            if (!OptionRect(k).Contains(p)) continue;
            choice = k;
            DrawChoice();
            break;
        }
        return 0;
    }
    if (message == WM_COMMAND && plat::LoWord(wParam) == kCmdDialogOk) {
        OnOk();
        return 0;
    }
    return PanelScreen::OnMessage(message, wParam, lParam);
}

void CityGrowthChoiceScreen::OnPaint() {
    PanelScreen::OnPaint();
    DrawChoice();
}

void CityGrowthChoiceScreen::DrawChoice() {
    if (!work_.Loaded() || !background.Loaded()) return;
    plat::BitBlt(*work_.dc, 0, 0, width, height, background.dc.get(), 0, 0,
                 plat::RasterOp::SrcCopy);
    const plat::Rect r = OptionRect(choice);
    work_.BlitImageKeyed(sheet, r.left, r.top, dl::kMarkChosenX, 0, dl::kMarkSize, dl::kMarkSize);
    Present(work_, 0, 0, width, height, 0, 0);
}

void CityGrowthChoiceScreen::OnOk() {
    FreeCursor();
    if (g_pSpielFeld != nullptr) g_pSpielFeld->tool = kToolNone;
    g_pGameState->pending_view_code = kClosedViewCode;
    panel_->popup_result.choice = choice;
    // The panel deletes this screen while it handles the result.
    plat::SendMessage(panel_, kMsgPanelCityGrowthDone, 0, 0);
}

plat::Window* OpenCityGrowthChoice(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenPopupScreen<CityGrowthChoiceScreen>(panel, request);
}
