#include "screens/panel/panel_screen.h"

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "state/game_state.h"

namespace {

constexpr uint8_t kEnter = 13;

}  // namespace

PanelScreen::~PanelScreen() {
    buttons.clear();
    background.Free();
    sheet.Free();
    // Only a screen on the screen holds the cursor. One deleted while its
    // own answer runs is destroyed at once and freed here later, when
    // another popup may hold the cursor: it freed it before answering.
    if (IsWindow() && IsWindowVisible()) FreeCursor();
    DestroyWindow();
}

std::string PanelScreen::PictureFile(const std::string& name) {
    return std::string(g_pGameState->DataPath(kPathBase)) + "\\" + name;
}

bool PanelScreen::OpenOver(plat::Window* parent, const plat::Rect& view,
                           const PanelScreenShape& shape) {
    const std::string n = std::to_string(shape.picture);
    if (!background.LoadJgd(PictureFile("scr_" + n + ".jgd"))) return false;
    if (!sheet.Load(PictureFile("scb_" + n + ".jgd"), nullptr, 1)) return false;
    width = background.width;
    height = background.Rows();
    // Centred over the view (its top added too, for a game area away from
    // the screen's corner).
    left = view.left + (view.Width() - width) / 2;
    top = view.top + (view.Height() - height) / 2;
    if (!Create(parent, {left, top, left + width + 2, top + height + 2},
                WS_POPUP | WS_CHILD | WS_VISIBLE | WS_BORDER,
                WS_EX_TOPMOST | WS_EX_NOPARENTNOTIFY)) {
        return false;
    }
    for (const ButtonLayout& layout : shape.buttons) {
        auto button = std::make_unique<BUTTONS>();
        button->CreateFromImage(layout, this, sheet);
        buttons.push_back(std::move(button));
    }
    if (shape.clip_cursor) ClipCursorToWindow();
    if (shape.centre_cursor) {
        const plat::Rect r = GetWindowRect();
        plat::SetCursorPos({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    return true;
}

void PanelScreen::ClipCursorToWindow() {
    if (!IsWindow()) return;
    const plat::Rect r = GetWindowRect();
    plat::ClipCursor(&r);
}

void PanelScreen::FreeCursor() {
    plat::ClipCursor(nullptr);
}

void PanelScreen::PressFirstButton() {
    if (buttons.empty()) return;
    buttons[0]->state = 1;
    buttons[0]->Redraw();
    SendMessage(WM_COMMAND, buttons[0]->command_id, 0);
}

const plat::PaletteHandle& PanelScreen::ScreenPalette() const {
    const plat::PaletteHandle& game = g_pGameState->images.palette_a;
    return game ? game : sheet.palette;
}

void PanelScreen::Present(const WinGBitmap& from, int32_t x, int32_t y, int32_t w, int32_t h,
                          int32_t src_x, int32_t src_y) {
    if (!IsWindow() || !from.Loaded()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    SelectPictureOutputPalette(*dc, from.dc.get(), ScreenPalette());
    BlitDC(*dc, x, y, w, h, *from.dc, src_x, src_y);
    RestoreDefaultPalette(*dc);
}

void PanelScreen::OnPaint() {
    plat::PaintDC dc(*this);
    if (!background.Loaded()) return;
    SelectPictureOutputPalette(dc, background.dc.get(), ScreenPalette());
    BlitDC(dc, 0, 0, width, height, *background.dc, 0, 0);
    RestoreDefaultPalette(dc);
}

plat::LResult PanelScreen::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CHAR:
            // Only Enter acts; Escape and the rest do nothing.
            if (wParam == kEnter) PressFirstButton();
            return 0;
        default:
            break;
    }
    return DefaultMessage(message, wParam, lParam);
}
