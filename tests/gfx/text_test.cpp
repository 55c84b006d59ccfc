#include "gfx/text.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/font_tables.h"

namespace {

// A glyph strip whose glyph g is a solid block of g's advance width (at
// least one column), in colour 200 + g % 50, 16 x 16 cells.
struct Strip {
    int32_t cell;
    std::vector<uint8_t> bytes;
    ConstPixelSurface surface;

    Strip(int32_t cell_size, int32_t glyphs, AdvanceTable advances) : cell(cell_size) {
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

TEST(Text, AdvancesFollowTheTable) {
    const Strip font(16, 97, kFont1Advances);
    Target t(200, 20);
    const uint32_t adv =
        DrawTextOnSurface(t.surface, "A B", 0, 0, {font.surface, kFont1Advances, 16, 16, 10});
    EXPECT_EQ(adv, uint32_t(kFont1Advances['A' - 26] + 6 + kFont1Advances['B' - 26]));
    EXPECT_EQ(GetTextWidth("A B", kFont1Advances), adv);
    // Ink is one colour; the space glyph (a block) is drawn too, but B starts
    // after A's and the space's advances.
    EXPECT_EQ(t.Get(0, 0), 10);
    EXPECT_EQ(t.Get(int32_t(kFont1Advances['A' - 26] + 6), 5), 10);
    EXPECT_EQ(GetTextWidth("", kFont1Advances), 0u);
    EXPECT_EQ(DrawTextOnSurface(t.surface, "", 0, 0, {font.surface, kFont1Advances, 16, 16, 10}),
              0u);
}

TEST(Text, ControlCodesAndHighBytesTakeNoRoom) {
    const Strip font(16, 230, kFont1Advances);
    Target t(100, 20);
    EXPECT_EQ(DrawTextOnSurface(t.surface, "\n", 0, 0, {font.surface, kFont1Advances, 16, 16, 10}),
              0u);
    EXPECT_EQ(t.Ink(), 0);
    // An umlaut (228 in Windows-1252) is skipped in text output.
    const char text[] = {'A', char(228), 'B', 0};
    const uint32_t adv =
        DrawTextOnSurface(t.surface, text, 0, 0, {font.surface, kFont1Advances, 16, 16, 10});
    EXPECT_EQ(adv, GetTextWidth("AB", kFont1Advances));
    EXPECT_EQ(GetTextWidth(text, kFont1Advances), adv);
}

TEST(Text, SmallFontStopsAtItsLastEntry) {
    // Font 2 has entries for 26..95 only: lower case is skipped, never read
    // past the table or the strip.
    const Strip font(8, 70, kFont2Advances);
    Target t(100, 10);
    const uint32_t adv =
        DrawTextOnSurface(t.surface, "A_az{", 0, 0, {font.surface, kFont2Advances, 8, 8, 3});
    EXPECT_EQ(adv, uint32_t(kFont2Advances['A' - 26] + kFont2Advances['_' - 26]));
    EXPECT_EQ(GetTextWidth("az", kFont2Advances), 0u);
}

TEST(Text, GlyphsAreCutAtTheImageEdges) {
    const Strip font(16, 97, kFont1Advances);
    Target t(40, 10);
    // 'M' has a 12 pixel wide block; at x = -8 only its last 4 columns show,
    // and only the 10 rows that fit.
    DrawTextOnSurface(t.surface, "M", -8, 0, {font.surface, kFont1Advances, 16, 16, 10});
    EXPECT_EQ(t.Ink(), 4 * 10);
    Target below(40, 10);
    DrawTextOnSurface(below.surface, "M", 0, 12, {font.surface, kFont1Advances, 16, 16, 10});
    EXPECT_EQ(below.Ink(), 0);
}

TEST(Text, IconsAreDrawnInTheirOwnColours) {
    const Strip icons(16, 230, kFont1Advances);
    Target t(64, 16);
    const char text[] = {'x', char(228), char(123), 0};
    const uint32_t w = DrawIconsOnSurface(t.surface, text, kFont1Advances, 0, 0, icons.surface);
    EXPECT_EQ(w, 32u);
    EXPECT_EQ(t.Get(0, 0), 200 + 202 % 50);  // glyph 228 - 26 of the icon strip
    EXPECT_EQ(t.Get(16, 0), 200 + 97 % 50);  // glyph 123 - 26
    EXPECT_EQ(t.Get(32, 0), 0);
    EXPECT_EQ(DrawIconsOnSurface(t.surface, "", kFont1Advances, 0, 0, icons.surface), 0u);
}

}  // namespace
