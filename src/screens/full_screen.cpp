#include "screens/full_screen.h"

#include "gfx/blit_dc.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "state/game_state.h"

namespace {

constexpr int32_t kNarrowScreen = 640;

}  // namespace

FullScreen::~FullScreen() {
    buttons.clear();
    sheet.Free();
    DestroyWindow();
}

bool FullScreen::CreateScreen(plat::Window* parent, const ScreenShape& shape) {
    const CGameState& gs = *g_pGameState;
    const bool whole = shape.size.width <= 0 || shape.size.height <= 0;
    const int32_t width = whole ? gs.screen_width : shape.size.width;
    const int32_t height = whole ? gs.screen_height : shape.size.height;
    origin_x = 0;
    origin_y = 0;
    if (shape.centre_always || width > kNarrowScreen) {
        origin_x = (width - shape.area.width) / 2;
        origin_y = (height - shape.area.height) / 2;
    }
    const int32_t left = (gs.screen_width - width) / 2;
    const int32_t top = (gs.screen_height - height) / 2;
    frame_ = parent;
    button_table_ = shape.buttons;
    const bool made = shape.popup ? Create(parent,
                                           {gs.origin_x + left, gs.origin_y + top,
                                            gs.origin_x + left + width, gs.origin_y + top + height},
                                           WS_POPUP | WS_CHILD | WS_VISIBLE, WS_EX_TOPMOST)
                                  : Create(parent, {left, top, left + width, top + height},
                                           WS_CHILD | WS_VISIBLE, WS_EX_TOPMOST);
    if (!made) return false;
    plat::SetFocus(this);  // the keys of the screen (Enter, Escape) come here
    if (shape.free_cursor) plat::ClipCursor(nullptr);
    return true;
}

plat::LResult FullScreen::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    if (message == WM_CREATE) {
        for (const ButtonLayout& layout : button_table_) {
            ButtonLayout placed = layout;
            placed.x += origin_x;
            placed.y += origin_y;
            auto button = std::make_unique<BUTTONS>();
            button->CreateFromImage(placed, this, sheet);
            buttons.push_back(std::move(button));
        }
        return 0;
    }
    return DefaultMessage(message, wParam, lParam);
}

void FullScreen::RealizeSheetPalette(plat::DeviceContext& dc) const {
    plat::SelectPalette(dc, sheet.palette, false);
    plat::RealizePalette(dc);
}

void FullScreen::TileScreen() {
    if (!g_pGameState->images.tile.Loaded()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    TileScreen(*dc);
}

void FullScreen::TileScreen(plat::DeviceContext& dc) {
    const CGameState& gs = *g_pGameState;
    if (!gs.images.tile.Loaded()) return;
    RealizeSheetPalette(dc);
    BlitDCInBlocks(dc, 0, 0, gs.screen_width, gs.screen_height, *gs.images.tile.dc);
}

void FullScreen::Blacken() {
    plat::DcHandle dc = plat::GetWindowDC(*this);
    const plat::Rect client = GetClientRect();
    plat::BitBlt(*dc, 0, 0, client.Width(), client.Height(), nullptr, 0, 0,
                 plat::RasterOp::Blackness);
}

void FullScreen::SendDone(plat::LParam result) {
    plat::SendMessage(frame_, done_message_, 0, result);
}

void FullScreen::FinishBlack(plat::LParam result) {
    Blacken();
    // The frame usually deletes this screen while it handles the message.
    SendDone(result);
}

void FullScreen::FinishBlackInWorldPalette(plat::LParam result) {
    Blacken();
    RealizeWorldPalette(*this);
    SendDone(result);
}

void RealizeWorldPalette(plat::Window& window) {
    plat::DcHandle dc = plat::GetWindowDC(window);
    RealizeWorldPalettes(g_pGameState->images, dc.get());
}
