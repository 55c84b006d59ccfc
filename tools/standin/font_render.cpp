#include "font_render.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <tuple>

#include "pixel_font.h"

#ifdef FV_HAVE_FREETYPE
#include <ft2build.h>
#include FT_FREETYPE_H
#endif

namespace standin {
namespace {

#ifdef FV_HAVE_FREETYPE
// Windows-1252 to Unicode for the bytes 0x80..0x9F; the rest equals Latin-1.
uint32_t ToUnicode(uint8_t ch) {
    static constexpr uint16_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    if (ch >= 0x80 && ch < 0xA0) return kHigh[ch - 0x80];
    return ch;
}

class FreeTypeFonts {
  public:
    FreeTypeFonts() {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            return;
        }
        const char* kRegular[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};
        const char* kBold[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};
        for (const char* p : kRegular) {
            if (!regular_ && FT_New_Face(library_, p, 0, &regular_) != 0) regular_ = nullptr;
        }
        for (const char* p : kBold) {
            if (!bold_ && FT_New_Face(library_, p, 0, &bold_) != 0) bold_ = nullptr;
        }
        if (!bold_) bold_ = regular_;
    }
    ~FreeTypeFonts() {
        if (bold_ && bold_ != regular_) FT_Done_Face(bold_);
        if (regular_) FT_Done_Face(regular_);
        if (library_) FT_Done_FreeType(library_);
    }
    FT_Face Face(FontStyle style) const { return style == FontStyle::Bold ? bold_ : regular_; }
    bool Ok() const { return regular_ != nullptr; }

  private:
    FT_Library library_ = nullptr;
    FT_Face regular_ = nullptr;
    FT_Face bold_ = nullptr;
};

FreeTypeFonts& Fonts() {
    static FreeTypeFonts fonts;
    return fonts;
}

// Small sizes: FreeType's hinted one-bit rendering keeps details such as
// the dot of the i apart from the stem. A pixel width other than 0 draws the
// outline that many pixels per em wide: narrower or wider than the face.
Canvas RenderOutlineMono(uint8_t ch, int pixelSize, FontStyle style, int* advance,
                         int pixelWidth = 0) {
    FT_Face face = Fonts().Face(style);
    FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(pixelWidth), static_cast<FT_UInt>(pixelSize));
    if (FT_Load_Char(face, ToUnicode(ch), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
        *advance = 0;
        return Canvas();
    }
    FT_GlyphSlot slot = face->glyph;
    *advance = static_cast<int>((slot->advance.x + 32) / 64);
    const FT_Bitmap& bm = slot->bitmap;
    const int left = slot->bitmap_left, top = slot->bitmap_top;
    const int width = std::max(1, std::max(left + static_cast<int>(bm.width), *advance));
    Canvas out(width, LineHeight(pixelSize));
    const int baseline = Baseline(pixelSize);
    for (int by = 0; by < static_cast<int>(bm.rows); ++by) {
        for (int bx = 0; bx < static_cast<int>(bm.width); ++bx) {
            const uint8_t byte = bm.buffer[by * bm.pitch + bx / 8];
            if (byte & (0x80 >> (bx % 8))) out.Set(left + bx, baseline - top + by, 1);
        }
    }
    return out;
}

// Larger sizes: rendered at four times the size and reduced with a coverage
// threshold, which gives smoother outlines than one-bit rendering.
Canvas RenderOutline(uint8_t ch, int pixelSize, FontStyle style, int* advance) {
    if (pixelSize <= 16) return RenderOutlineMono(ch, pixelSize, style, advance);
    constexpr int kScale = 4;
    FT_Face face = Fonts().Face(style);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize * kScale));
    const int lineHeight = LineHeight(pixelSize), baseline = Baseline(pixelSize);
    if (FT_Load_Char(face, ToUnicode(ch), FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) {
        *advance = 0;
        return Canvas();
    }
    FT_GlyphSlot slot = face->glyph;
    *advance = static_cast<int>(std::lround(slot->advance.x / 64.0 / kScale));
    const FT_Bitmap& bm = slot->bitmap;
    const int left = slot->bitmap_left, top = slot->bitmap_top;  // at the large size
    // The mask spans from x 0 (pen position) to the ink's right edge.
    const int inkRight = (left + static_cast<int>(bm.width) + kScale - 1) / kScale;
    const int width = std::max(1, std::max(inkRight, *advance));
    Canvas out(width, lineHeight);
    for (int y = 0; y < lineHeight; ++y) {
        for (int x = 0; x < width; ++x) {
            int sum = 0;
            for (int sy = 0; sy < kScale; ++sy) {
                // Source row relative to the bitmap's top.
                int by = (y - baseline) * kScale + sy + top;
                if (by < 0 || by >= static_cast<int>(bm.rows)) continue;
                for (int sx = 0; sx < kScale; ++sx) {
                    int bx = x * kScale + sx - left;
                    if (bx < 0 || bx >= static_cast<int>(bm.width)) continue;
                    sum += bm.buffer[by * bm.pitch + bx];
                }
            }
            if (sum >= 255 * kScale * kScale * 40 / 100) out.Set(x, y, 1);
        }
    }
    return out;
}
#endif

// Columns holding ink: [*first, *last], or *last < *first when there is none.
void InkColumns(const Canvas& mask, int* first, int* last) {
    *first = mask.width;
    *last = -1;
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (mask.Get(x, y) == 0) continue;
            *first = std::min(*first, x);
            *last = std::max(*last, x);
        }
    }
}

int InkWidth(const Canvas& mask) {
    int first = 0, last = 0;
    InkColumns(mask, &first, &last);
    return last >= first ? last - first + 1 : 0;
}

Canvas RenderPixel(uint8_t ch, int pixelSize, int* advance) {
    const int scale = std::max(1, pixelSize / 8);
    const int lineHeight = LineHeight(pixelSize), baseline = Baseline(pixelSize);
    if (ch == ' ') {
        *advance = 3 * scale;
        return Canvas(1, lineHeight);
    }
    Canvas g = PixelGlyph(ch);
    if (g.width == 0) {
        *advance = 0;
        return Canvas();
    }
    *advance = (g.width + 1) * scale;
    Canvas out(g.width * scale, lineHeight);
    // Pixel-font capitals stand on row 6 of their 8 rows.
    const int top = baseline - 7 * scale;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < g.width; ++x) {
            if (g.Get(x, y)) out.FillRect(x * scale, top + y * scale, scale, scale, 1);
        }
    }
    return out;
}

struct CacheKey {
    uint8_t ch;
    int size;
    FontStyle style;
    bool operator<(const CacheKey& o) const {
        return std::tie(ch, size, style) < std::tie(o.ch, o.size, o.style);
    }
};

struct CachedGlyph {
    Canvas mask;
    int advance;
};

const CachedGlyph& Glyph(uint8_t ch, int pixelSize, FontStyle style) {
    static std::map<CacheKey, CachedGlyph> cache;
    CacheKey key{ch, pixelSize, style};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    CachedGlyph g;
#ifdef FV_HAVE_FREETYPE
    if (Fonts().Ok()) {
        g.mask = RenderOutline(ch, pixelSize, style, &g.advance);
    } else {
        g.mask = RenderPixel(ch, pixelSize, &g.advance);
    }
#else
    g.mask = RenderPixel(ch, pixelSize, &g.advance);
#endif
    return cache.emplace(key, std::move(g)).first->second;
}

}  // namespace

bool HaveOutlineFont() {
#ifdef FV_HAVE_FREETYPE
    return Fonts().Ok();
#else
    return false;
#endif
}

int LineHeight(int pixelSize) {
    return pixelSize + (pixelSize + 2) / 3;
}
int Baseline(int pixelSize) {
    return pixelSize;
}

Canvas RenderGlyph(uint8_t ch, int pixelSize, FontStyle style, int* advance) {
    const CachedGlyph& g = Glyph(ch, pixelSize, style);
    *advance = g.advance;
    return g.mask;
}

Canvas RenderGlyphFitted(uint8_t ch, int pixelSize, FontStyle style, int maxInk) {
    int advance = 0;
    Canvas natural = RenderGlyph(ch, pixelSize, style, &advance);
    const int width = InkWidth(natural);
    if (width == 0 || maxInk <= 0 || width == maxInk) return natural;
#ifdef FV_HAVE_FREETYPE
    if (Fonts().Ok() && pixelSize <= 16) {
        // The widest drawing whose ink still fits; among equally wide ones the
        // one closest to the face's own proportions.
        Canvas best;
        int bestWidth = 0, bestDistance = 0;
        for (int em = pixelSize * 2 / 3; em <= pixelSize * 3 / 2; ++em) {
            Canvas mask = RenderOutlineMono(ch, pixelSize, style, &advance, em);
            const int w = InkWidth(mask);
            const int distance = std::abs(em - pixelSize);
            if (w == 0 || w > maxInk) continue;
            if (w > bestWidth || (w == bestWidth && distance < bestDistance)) {
                best = std::move(mask);
                bestWidth = w;
                bestDistance = distance;
            }
        }
        if (bestWidth > 0) return best;
    }
#endif
    return natural;
}

int TextWidth(const std::string& text, int pixelSize, FontStyle style) {
    int w = 0;
    for (char c : text) w += Glyph(static_cast<uint8_t>(c), pixelSize, style).advance;
    return w;
}

namespace {

TextWatcher& Watcher() {
    static TextWatcher watcher;
    return watcher;
}

void DrawLine(Canvas& canvas, int x, int y, const std::string& text, int pixelSize, FontStyle style,
              uint8_t colour) {
    for (char c : text) {
        const CachedGlyph& g = Glyph(static_cast<uint8_t>(c), pixelSize, style);
        canvas.BlitMask(g.mask, x, y, colour);
        x += g.advance;
    }
}

void Draw(Canvas& canvas, int x, int y, const std::string& text, int pixelSize, FontStyle style,
          uint8_t colour, uint8_t shadow, const TextRoom& room) {
    if (Watcher()) {
        const TextRoom drawn{x, y, TextWidth(text, pixelSize, style) + (shadow != 0 ? 1 : 0),
                             LineHeight(pixelSize)};
        Watcher()(PlacedText{canvas.width, canvas.height, text, drawn, room});
    }
    if (shadow != 0) DrawLine(canvas, x + 1, y + 1, text, pixelSize, style, shadow);
    DrawLine(canvas, x, y, text, pixelSize, style, colour);
}

TextRoom WholePicture(const Canvas& canvas) {
    return {0, 0, canvas.width, canvas.height};
}

}  // namespace

void DrawText(Canvas& canvas, int x, int y, const std::string& text, int pixelSize, FontStyle style,
              uint8_t colour) {
    Draw(canvas, x, y, text, pixelSize, style, colour, 0, WholePicture(canvas));
}

void DrawTextCentred(Canvas& canvas, int cx, int y, const std::string& text, int pixelSize,
                     FontStyle style, uint8_t colour, uint8_t shadow) {
    const int x = cx - TextWidth(text, pixelSize, style) / 2;
    Draw(canvas, x, y, text, pixelSize, style, colour, shadow, WholePicture(canvas));
}

int FittingSize(const std::string& text, int maxWidth, int size, FontStyle style) {
    constexpr int kSmallest = 7;
    while (size > kSmallest && TextWidth(text, size, style) > maxWidth) --size;
    return size;
}

void DrawTextInRoom(Canvas& canvas, const TextRoom& room, const std::string& text, int size,
                    FontStyle style, uint8_t colour, uint8_t shadow) {
    const int shadowWidth = shadow != 0 ? 1 : 0;
    const int fitted = FittingSize(text, room.width - shadowWidth, size, style);
    const int x = room.x + (room.width - shadowWidth - TextWidth(text, fitted, style)) / 2;
    const int y = room.y + std::max(0, (room.height - LineHeight(fitted)) / 2);
    Draw(canvas, x, y, text, fitted, style, colour, shadow, room);
}

void WatchTexts(TextWatcher watcher) {
    Watcher() = std::move(watcher);
}

}  // namespace standin
