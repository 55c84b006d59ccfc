#include "gfx/text.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/font_tables.h"

namespace {

// A glyph strip whose glyph g is a solid block of g's advance width (at
// least one column), in colour 200 + g % 50.
struct Strip {
    std::vector<uint8_t> bytes;
    ConstPixelSurface surface;

    Strip(int32_t cell, int32_t glyphs, AdvanceTable advances) {
        bytes.assign(size_t(cell) * size_t(cell) * size_t(glyphs), 0);
        for (int32_t g = 0; g < glyphs; ++g) {
            const int32_t w = g < int32_t(advances.size()) ? std::max<int>(advances[g], 1) : cell;
            for (int32_t y = 0; y < cell; ++y)
                for (int32_t x = 0; x < std::min(w, cell); ++x)
                    bytes[size_t(g * cell + y) * size_t(cell) + size_t(x)] = uint8_t(200 + g % 50);
        }
        surface = {bytes.data(), cell, cell * glyphs, cell};
    }
};

struct Target {
    std::vector<uint8_t> bytes;
    PixelSurface surface;
    Target(int32_t w, int32_t h) : bytes(size_t(w) * size_t(h), 0) {
        surface = {bytes.data(), w, h, w};
    }
    uint8_t Get(int32_t x, int32_t y) const { return bytes[size_t(y * surface.stride + x)]; }
    int Ink() const {
        int n = 0;
        for (uint8_t b : bytes) n += b != 0;
        return n;
    }
};

// Text advances by the table, in one ink colour; control codes and high
// bytes (an umlaut, 228) take no room; glyphs are cut at the image edges.
TEST(Text, AdvancesFollowTheTableAndGlyphsAreCut) {
    const Strip font(16, 230, kFont1Advances);
    const Font style{font.surface, kFont1Advances, 16, 16, 10};
    Target t(200, 20);
    const char text[] = {'A', ' ', char(228), '\n', 'B', 0};
    const uint32_t adv = DrawTextOnSurface(t.surface, text, 0, 0, style);
    EXPECT_EQ(adv, uint32_t(kFont1Advances['A' - 26] + 6 + kFont1Advances['B' - 26]));
    EXPECT_EQ(GetTextWidth(text, kFont1Advances), adv);
    EXPECT_EQ(t.Get(0, 0), 10);
    EXPECT_EQ(t.Get(int32_t(kFont1Advances['A' - 26] + 6), 5), 10);  // B after A and the space
    EXPECT_EQ(DrawTextOnSurface(t.surface, "", 0, 0, style), 0u);

    // 'M' has a 12 pixel wide block; at x = -8 only its last 4 columns show,
    // and only the 10 rows that fit.
    Target cut(40, 10);
    DrawTextOnSurface(cut.surface, "M", -8, 0, style);
    DrawTextOnSurface(cut.surface, "M", 0, 12, style);
    EXPECT_EQ(cut.Ink(), 4 * 10);
}

TEST(Text, SmallFontStopsAtItsLastEntryAndIconsKeepTheirColours) {
    // Font 2 has entries for 26..95 only: lower case is skipped, never read
    // past the table or the strip.
    const Strip small(8, 70, kFont2Advances);
    Target t(100, 16);
    EXPECT_EQ(DrawTextOnSurface(t.surface, "A_az{", 0, 0, {small.surface, kFont2Advances, 8, 8, 3}),
              uint32_t(kFont2Advances['A' - 26] + kFont2Advances['_' - 26]));

    const Strip icons(16, 230, kFont1Advances);
    Target i(64, 16);
    const char text[] = {'x', char(228), char(123), 0};
    EXPECT_EQ(DrawIconsOnSurface(i.surface, text, kFont1Advances, 0, 0, icons.surface), 32u);
    EXPECT_EQ(i.Get(0, 0), 200 + 202 % 50);  // glyph 228 - 26 of the icon strip
    EXPECT_EQ(i.Get(16, 0), 200 + 97 % 50);  // glyph 123 - 26
    EXPECT_EQ(i.Get(32, 0), 0);
}

}  // namespace
