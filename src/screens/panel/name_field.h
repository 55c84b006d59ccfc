#pragma once
// NameField: the text field of the name-entry screens. It takes spaces,
// letters and digits the large font can draw (nothing above byte 122), at
// most 30 of them and at most 192 pixels wide in the large font, and paints
// itself as a strip cleared to the text colour with the text and a "_"
// cursor in colour 0 over the screen's picture.

#include <cstdint>
#include <string_view>

#include "gfx/wing_bitmap.h"
#include "platform/edit_control.h"
#include "platform/geometry.h"

inline constexpr int32_t kNameFieldId = 1006;
inline constexpr size_t kNameLimit = 30;
inline constexpr int32_t kNameWidthLimit = 192;  // pixels in the large font

class NameField : public plat::EditControl {
  public:
    // Makes the field at `rect` of `parent`, limited to 30 bytes, holding
    // `text` all selected, with the focus. `picture` is the screen's
    // picture (in the parent's coordinates) that the field paints over, and
    // `strip` where its strip stands there.
    bool CreateField(plat::Window* parent, const plat::Rect& rect, std::string_view text,
                     const WinGBitmap* picture, plat::Point strip);

    // Whether the byte may stand in a name (by itself, without the limits).
    static bool NameByte(uint8_t c);

  protected:
    bool AcceptChar(uint8_t c, std::string_view candidate) const override;
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnPaint();

    const WinGBitmap* picture_ = nullptr;
    plat::Rect rect_{};
    plat::Point strip_{};
    WinGBitmap work_;
};
