#include "gfx/text.h"

#include <utility>

#include "gfx/blit.h"
#include "gfx/font_tables.h"

namespace {

// Advance table entry of a text character, or -1 when the character is not
// drawn as text (control codes, icons, codes past a short table).
int TextEntry(uint8_t ch, AdvanceTable advances) {
    if (ch < kFirstGlyphChar || ch > kLastTextChar) return -1;
    const size_t entry = ch - kFirstGlyphChar;
    return entry < advances.size() ? static_cast<int>(entry) : -1;
}

constexpr int kIconSize = 16;

std::function<void(const DrawnTextLine&)>& Watcher() {
    static std::function<void(const DrawnTextLine&)> watcher;
    return watcher;
}

}  // namespace

uint32_t GetTextWidth(const char* text, AdvanceTable advances) {
    uint32_t width = 0;
    if (text == nullptr) return 0;
    for (const char* p = text; *p != '\0'; ++p) {
        const int entry = TextEntry(static_cast<uint8_t>(*p), advances);
        if (entry >= 0) width += advances[entry];
    }
    return width;
}

uint32_t DrawTextOnSurface(const PixelSurface& dst, const char* text, int32_t x, int32_t y,
                           const Font& font) {
    uint32_t advance = 0;
    if (text == nullptr) return 0;
    for (const char* p = text; *p != '\0'; ++p) {
        const int entry = TextEntry(static_cast<uint8_t>(*p), font.advances);
        if (entry < 0) continue;
        BlitRect r;
        r.x = x + static_cast<int32_t>(advance);
        r.y = y;
        r.src_x = 0;
        r.src_y = entry * font.cell_height;
        r.width = font.glyph_width;
        r.height = font.cell_height;
        BlitMask(dst, font.strip, r, 0, 1, font.colour);
        advance += font.advances[entry];
    }
    if (Watcher()) {
        Watcher()(DrawnTextLine{text, x, y, static_cast<int32_t>(advance), font.cell_height,
                                dst.width, dst.height});
    }
    return advance;
}

void WatchDrawnText(std::function<void(const DrawnTextLine&)> watcher) {
    Watcher() = std::move(watcher);
}

uint32_t DrawIconsOnSurface(const PixelSurface& dst, const char* text, AdvanceTable advances,
                            int32_t x, int32_t y, const ConstPixelSurface& icons) {
    const uint32_t icon_advance =
        advances.size() > kIconAdvanceEntry ? advances[kIconAdvanceEntry] : kIconSize;
    uint32_t advance = 0;
    if (text != nullptr) {
        for (const char* p = text; *p != '\0'; ++p) {
            const uint8_t ch = static_cast<uint8_t>(*p);
            if (ch <= kLastTextChar) continue;
            BlitRect r;
            r.x = x + static_cast<int32_t>(advance);
            r.y = y;
            r.src_x = 0;
            r.src_y = (ch - kFirstGlyphChar) * kIconSize;
            r.width = kIconSize;
            r.height = kIconSize;
            BlitKeyed(dst, icons, r, 0, 1);
            advance += icon_advance;
        }
    }
    return advance - icon_advance + kIconSize;
}
