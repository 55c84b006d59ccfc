#include "gfx/buttons.h"

#include <utility>

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "gfx/palette_image.h"
#include "gfx/wing_bitmap.h"
#include "platform/input.h"
#include "platform/messages.h"

BUTTONS::BUTTONS() = default;

BUTTONS::~BUTTONS() {
    // Only its own capture: releasing whatever window holds it would cut off
    // an edge strip's scrolling or another button's press in the middle.
    if (plat::GetCapture() == this) plat::ReleaseCapture();
    DestroyWindow();
}

bool BUTTONS::Create(const ButtonLayout& layout, plat::Window* parent, const WinGBitmap& sheet,
                     plat::PaletteHandle palette) {
    return CreateOnSheet(layout, parent, sheet.dc.get(), std::move(palette));
}

bool BUTTONS::CreateFromImage(const ButtonLayout& layout, plat::Window* parent,
                              const PaletteImage& sheet) {
    return CreateOnSheet(layout, parent, sheet.dc.get(), sheet.palette);
}

bool BUTTONS::CreateOnSheet(const ButtonLayout& layout, plat::Window* parent,
                            plat::DeviceContext* dc, plat::PaletteHandle palette) {
    command_id = layout.command;
    button_width = layout.width;
    button_height = layout.height;
    normal_x = layout.normal.x;
    normal_y = layout.normal.y;
    pressed_x = layout.pressed.x;
    pressed_y = layout.pressed.y;
    sheet_dc = dc;
    sheet_palette = std::move(palette);
    return CreateWindowAt(layout.x, layout.y, parent);
}

bool BUTTONS::CreateWindowAt(int32_t x, int32_t y, plat::Window* parent) {
    return plat::Window::Create(parent, {x, y, x + button_width, y + button_height},
                                WS_CHILD | WS_VISIBLE, WS_EX_TOPMOST, "BUTTON", 0);
}

uint32_t BUTTONS::ClassStyle() const {
    return CS_DBLCLKS;
}

void BUTTONS::Redraw() {
    DrawImage(state != 0);
}

void BUTTONS::Refresh() {
    Redraw();
}

void BUTTONS::DrawImage(bool pressed) {
    if (!IsWindow() || sheet_dc == nullptr) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    if (!dc) return;
    SelectPictureOutputPalette(*dc, sheet_dc, sheet_palette);
    BlitDC(*dc, 0, 0, button_width, button_height, *sheet_dc, pressed ? pressed_x : normal_x,
           pressed ? pressed_y : normal_y);
    RestoreDefaultPalette(*dc);
}

bool BUTTONS::Inside(plat::LParam lParam) const {
    const int32_t x = plat::XFromLParam(lParam);
    const int32_t y = plat::YFromLParam(lParam);
    return x >= 0 && x <= button_width && y >= 0 && y <= button_height;
}

void BUTTONS::Fire() {
    plat::PostMessage(GetParent(), WM_COMMAND, command_id, 0);
}

void BUTTONS::OnLButtonDown() {
    if (state == 2) state = 0;
    plat::SetCapture(this);
    if (mode == 1 && state == 0) {
        state = 1;
        Fire();
    }
    DrawImage(true);
}

void BUTTONS::OnMouseMove(plat::WParam keys, plat::LParam lParam) {
    // Only moves with the left button alone count.
    if (keys != MK_LBUTTON) return;
    if (!Inside(lParam)) {
        state = 0;
        DrawImage(false);
        return;
    }
    if (state == 0) {
        if (mode == 1) {
            state = 1;
            Fire();
        } else {
            // Dragged in from elsewhere, the button looks normal; pressed
            // only while it holds the capture from its own press.
            DrawImage(plat::GetCapture() == this);
        }
    } else if (state == 2) {
        state = 0;
        DrawImage(false);
    }
}

void BUTTONS::OnLButtonUp(plat::LParam lParam) {
    if (plat::GetCapture() != this) return;
    if (Inside(lParam)) {
        state = 1;
        DrawImage(false);
        plat::ReleaseCapture();
        if (mode != 1) Fire();
        state = 0;
    } else {
        state = 0;
        DrawImage(false);
        plat::ReleaseCapture();
    }
}

plat::LResult BUTTONS::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            OnLButtonDown();
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(lParam);
            return 0;
        case WM_LBUTTONDBLCLK:
            // The second press of a fast double click neither draws nor fires.
            return 0;
        case WM_PAINT:
            BeginPaint();
            Redraw();
            EndPaint();
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}
