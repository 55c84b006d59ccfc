#include "screens/panel/name_field.h"

#include <string>

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "gfx/text.h"
#include "platform/charset.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "state/game_state.h"

namespace {

constexpr uint8_t kLastDrawable = 122;  // the large font's last glyph ('z')
constexpr int32_t kStripWidth = 192;
constexpr int32_t kStripHeight = 17;
constexpr uint8_t kStripColour = 10;
constexpr uint8_t kTextColour = 0;
// Bytes a name never takes (all beyond the font as well).
constexpr uint8_t kRefused[] = {0xDF, 0xF6, 0xE4, 0x98, 0xD6, 0xC4, 0xDC};

}  // namespace

bool NameField::NameByte(uint8_t c) {
    for (uint8_t refused : kRefused) {
        if (c == refused) return false;
    }
    if (c > kLastDrawable) return false;
    return c == ' ' || plat::IsCharAlpha(c) || plat::IsCharAlphaNumeric(c);
}

bool NameField::AcceptChar(uint8_t c, std::string_view candidate) const {
    if (!NameByte(c)) return false;
    const std::string text(candidate);
    return static_cast<int32_t>(GetTextWidth(text.c_str(), kFont1Advances)) <= kNameWidthLimit;
}

bool NameField::CreateField(plat::Window* parent, const plat::Rect& rect, std::string_view text,
                            const WinGBitmap* picture, plat::Point strip) {
    picture_ = picture;
    rect_ = rect;
    strip_ = strip;
    if (!Create(parent, rect, WS_CHILD | WS_VISIBLE, 0, {}, kNameFieldId)) return false;
    if (picture != nullptr && picture->Loaded()) {
        work_.Create(g_pGameState->images.main_font, rect.Width(), rect.Height());
    }
    SetLimit(kNameLimit);
    SetText(text);
    SelectAll();
    plat::SetFocus(this);
    return true;
}

plat::LResult NameField::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    if (message == WM_PAINT) {
        OnPaint();
        return 0;
    }
    return EditControl::OnMessage(message, wParam, lParam);
}

void NameField::OnPaint() {
    plat::PaintDC dc(*this);
    if (!work_.Loaded() || picture_ == nullptr || !picture_->Loaded()) return;
    const int32_t w = rect_.Width();
    const int32_t h = rect_.Height();
    plat::BitBlt(*work_.dc, 0, 0, w, h, picture_->dc.get(), rect_.left, rect_.top,
                 plat::RasterOp::SrcCopy);
    const int32_t sx = strip_.x - rect_.left;
    const int32_t sy = strip_.y - rect_.top;
    work_.FillRect(sx, sy, kStripWidth, kStripHeight, kStripColour);
    const std::string shown = GetText() + "_";
    work_.DrawText(shown.c_str(), kFont1Advances, sx, sy, g_pGameState->images.main_font, 16, 16,
                   kTextColour);
    const plat::PaletteHandle& palette = g_pGameState->images.palette_a;
    SelectPictureOutputPalette(dc, work_.dc.get(), palette);
    BlitDC(dc, 0, 0, w, h, *work_.dc, 0, 0);
    RestoreDefaultPalette(dc);
}
