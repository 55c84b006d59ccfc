#include "fonts.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "font_render.h"
#include "font_tables.h"
#include "palette.h"
#include "pixel_font.h"

namespace standin {
namespace {

constexpr int kFont1PixelSize = 12;

// Glyphs of font 1 drawn by hand where the outline font squeezed into its
// ink width reads as another character: round brackets only 3 pixels wide,
// the capital J that the table gives the width of an N, and the V, whose
// outline drawn wider gets a bar across.
struct DrawnGlyph {
    uint8_t ch;
    int top;               // cell row of the first row
    const char* rows[12];  // '#' ink; a null row ends the glyph
};

constexpr DrawnGlyph kDrawnFont1[] = {
    {'(', 2, {"..#", ".#.", ".#.", "##.", "#..", "#..", "#..", "#..", "##.", ".#.", ".#.", "..#"}},
    {')', 2, {"#..", ".#.", ".#.", ".##", "..#", "..#", "..#", "..#", ".##", ".#.", ".#.", "#.."}},
    {'V',
     3,
     {"##....##", "##....##", ".##..##.", ".##..##.", ".##..##.", "..####..", "..####..",
      "...##...", "...##...", nullptr}},
    {'J',
     3,
     {".....##", ".....##", ".....##", ".....##", ".....##", ".....##", "##...##", "##...##",
      ".#####.", nullptr}},
};

const DrawnGlyph* FindDrawn(uint8_t ch) {
    for (const DrawnGlyph& g : kDrawnFont1) {
        if (g.ch == ch) return &g;
    }
    return nullptr;
}

void PlaceDrawn(Canvas& strip, const DrawnGlyph& g, int top, uint8_t colour) {
    for (int row = 0; row < 12 && g.rows[row] != nullptr; ++row) {
        for (int x = 0; g.rows[row][x] != '\0'; ++x) {
            if (g.rows[row][x] == '#') strip.Set(x, top + g.top + row, colour);
        }
    }
}

// The columns holding ink: [*first, *last]; *last is -1 when there is none.
void InkColumns(const Canvas& ink, int* first, int* last) {
    *first = ink.width;
    *last = -1;
    for (int y = 0; y < ink.height; ++y) {
        for (int x = 0; x < ink.width; ++x) {
            if (ink.Get(x, y) == 0) continue;
            *first = std::min(*first, x);
            *last = std::max(*last, x);
        }
    }
}

// Copies glyph ink into columns left .. left + width - 1 of the cell at
// (0, top), squeezed or stretched to exactly that width.
void PlaceInk(Canvas& strip, const Canvas& ink, int top, int left, int width, uint8_t colour) {
    int x0 = 0, x1 = 0;
    InkColumns(ink, &x0, &x1);
    if (width <= 0 || x1 < 0) return;
    const int inkWidth = x1 - x0 + 1;
    for (int y = 0; y < ink.height; ++y) {
        for (int tx = 0; tx < width; ++tx) {
            // Source columns that map onto target column tx.
            const int s0 = x0 + tx * inkWidth / width, s1 = x0 + (tx + 1) * inkWidth / width;
            bool on = false;
            for (int sx = s0; sx < std::max(s1, s0 + 1); ++sx) on = on || ink.Get(sx, y);
            if (on) strip.Set(left + tx, top + y, colour);
        }
    }
}

// Letters (umlauts included) and digits; the rest are punctuation and signs.
bool IsLetterOrDigit(int code) {
    return code < 32 || std::isalnum(code) != 0;
}

// A sign keeps the outline's own width and left bearing where they fit the
// room its advance leaves before the gap: a comma stretched to the advance
// would read as a bar.
void PlaceSign(Canvas& strip, uint8_t ch, int top, int room, uint8_t colour) {
    int unused = 0;
    Canvas ink = RenderGlyph(ch, kFont1PixelSize, FontStyle::Bold, &unused);
    int first = 0, last = 0;
    InkColumns(ink, &first, &last);
    if (last < 0) return;
    int width = last - first + 1;
    if (width > room) {
        ink = RenderGlyphFitted(ch, kFont1PixelSize, FontStyle::Bold, room);
        InkColumns(ink, &first, &last);
        width = std::min(last - first + 1, room);
    }
    PlaceInk(strip, ink, top, std::clamp(first, 0, room - width), width, colour);
}

// Icons: a small framed tile in a colour that varies with the code, showing
// the character in the pixel font when it has one. Code 123 is the stock
// unit icon, a crate.
void DrawIcon(Canvas& strip, int code, int top) {
    if (code == 123) {
        strip.FillRect(2, top + 4, 12, 10, pal::Shade(pal::kEarth, 4));
        strip.FrameRect(2, top + 4, 12, 10, pal::Shade(pal::kEarth, 1));
        strip.Line(2, top + 4, 13, top + 13, pal::Shade(pal::kEarth, 2));
        strip.Line(13, top + 4, 2, top + 13, pal::Shade(pal::kEarth, 2));
        strip.FillRect(2, top + 2, 12, 2, pal::Shade(pal::kEarth, 6));
        return;
    }
    static constexpr Ramp kRamps[] = {pal::kSlate, pal::kTeal,   pal::kPurple,
                                      pal::kBrick, pal::kOrange, pal::kFoliage};
    const Ramp r = kRamps[code % 6];
    strip.FillRect(1, top + 1, 14, 14, pal::Shade(r, 2));
    strip.FrameRect(1, top + 1, 14, 14, pal::Shade(r, 5));
    Canvas g = PixelGlyph(static_cast<uint8_t>(code));
    if (g.width > 0) {
        strip.BlitMask(g, 8 - g.width / 2, top + 4, pal::kWhite);
    } else {
        strip.FillRect(6, top + 6, 4, 4, pal::Shade(r, 6));
    }
}

}  // namespace

Canvas MakeFont1() {
    Canvas strip(16, 16 * kFont1Cells);
    for (int code = kFirstFontChar; code < kFirstFontChar + kFont1Chars; ++code) {
        const int advance = kFont1Advances[code - kFirstFontChar];
        if (advance == 0) continue;
        const int top = (code - kFirstFontChar) * 16;
        const DrawnGlyph* drawn = FindDrawn(FontCodeToCharacter(code));
        if (drawn != nullptr) {
            PlaceDrawn(strip, *drawn, top, pal::kText);
            continue;
        }
        const int width = Font1InkWidth(advance);
        const uint8_t ch = FontCodeToCharacter(code);
        if (!IsLetterOrDigit(code)) {
            PlaceSign(strip, ch, top, width, pal::kText);
            continue;
        }
        Canvas ink = RenderGlyphFitted(ch, kFont1PixelSize, FontStyle::Bold, width);
        PlaceInk(strip, ink, top, 0, width, pal::kText);
    }
    for (int code = 123; code < 256; ++code) DrawIcon(strip, code, (code - kFirstFontChar) * 16);
    return strip;
}

Canvas MakeFont2() {
    Canvas strip(8, 8 * kFont2Chars);
    for (int code = kFirstFontChar; code < kFirstFontChar + kFont2Chars; ++code) {
        const int advance = kFont2Advances[code - kFirstFontChar];
        if (advance == 0) continue;
        // The pixel font's glyphs keep their own width where the advance
        // leaves a column of gap after it.
        Canvas ink = PixelGlyph(FontCodeToCharacter(code));
        int first = 0, last = 0;
        InkColumns(ink, &first, &last);
        const int room = advance > 2 ? advance - 1 : advance;
        PlaceInk(strip, ink, (code - kFirstFontChar) * 8, 0, std::min(last - first + 1, room),
                 pal::kText);
    }
    return strip;
}

}  // namespace standin
