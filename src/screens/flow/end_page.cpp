#include "screens/flow/end_page.h"

#include <string>

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "screens/flow/game_end_layout.h"
#include "state/game_state.h"

namespace ge = game_end_screens;

namespace {

constexpr uint8_t kEnter = 13;

}  // namespace

bool EndPage::OpenPage(plat::Window* parent, WinGBitmap& picture, int32_t number,
                       std::span<const ButtonLayout> buttons) {
    CGameState& gs = *g_pGameState;
    page_ = &picture;
    const std::string folder = gs.DataPath(kPathBase);
    const std::string n = std::to_string(number);
    if (!picture.LoadJgd(folder + "\\scr_" + n + ".jgd")) return false;
    if (!sheet.Load(folder + "\\scb_" + n + ".jgd", nullptr, 1)) return false;
    if (!CreateScreen(
            parent,
            {.area = {ge::kPageWidth, ge::kPageHeight}, .free_cursor = true, .buttons = buttons})) {
        return false;
    }
    if (gs.screen_width > ge::kPageWidth) TileScreen();
    return true;
}

plat::LResult EndPage::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CHAR:
            if (wParam == kEnter && !buttons.empty()) {
                buttons[0]->state = 1;
                buttons[0]->Redraw();
                SendMessage(WM_COMMAND, kCmdClose, 0);
            }
            return 0;
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdClose) FinishBlack(0);
            return 0;
        default:
            return FullScreen::OnMessage(message, wParam, lParam);
    }
}

void EndPage::OnPaint() {
    plat::PaintDC dc(*this);
    if (page_ == nullptr || !page_->Loaded()) return;
    DrawLines();
    SelectPictureOutputPalette(dc, page_->dc.get(), sheet.palette);
    BlitDC(dc, origin_x, origin_y, ge::kPageWidth, ge::kPageHeight, *page_->dc, 0, 0);
    RestoreDefaultPalette(dc);
}
