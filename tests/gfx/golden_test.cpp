// Golden pixels: whole scenes drawn through the engine and shown in a window,
// compared by the hash of the composed screen. A changed hash means changed
// pixels: look at the picture (set FV_GOLDEN_PNG to a folder to get PNGs of
// the scenes) before storing the new value.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "gfx/palette_image.h"
#include "gfx/raw_image.h"
#include "gfx/wing_bitmap.h"
#include "gfx_host.h"
#include "gfx_test_files.h"
#include "platform/compositor.h"
#include "platform/window.h"

namespace {

using gfxtest::GfxHost;
using gfxtest::TempDataFolder;
using gfxtest::TestPicture;

uint64_t Fnv1a(const plat::Surface& s, int32_t w, int32_t h) {
    uint64_t hash = 1469598103934665603ull;
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* row = s.Row(y);
        for (int32_t x = 0; x < w; ++x) {
            hash ^= row[x];
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

void MaybeSavePng(const char* name) {
    const char* folder = std::getenv("FV_GOLDEN_PNG");
    if (folder != nullptr) plat::SaveScreenPng(std::string(folder) + "/" + name + ".png");
}

class Screen : public plat::Window {};

// Colours far apart from their neighbours, so that the PNGs can be read.
TestPicture WithSceneColours(TestPicture p) {
    for (int i = 0; i < 256; ++i) {
        p.colors[i] = RgbQuad{uint8_t(i * 173), uint8_t(i * 91), uint8_t(i * 37), 0};
    }
    return p;
}

// A glyph strip in which every glyph is a frame of its advance width with a
// diagonal, so that text shows where each character starts and ends.
TestPicture GlyphStrip(int32_t cell, int32_t glyphs, AdvanceTable advances) {
    TestPicture p = TestPicture::Filled(cell, cell * glyphs, 0);
    for (int32_t g = 0; g < glyphs; ++g) {
        const int32_t w = g < int32_t(advances.size()) ? std::max<int>(advances[g] - 1, 1) : cell;
        for (int32_t y = 0; y < cell; ++y) {
            for (int32_t x = 0; x < std::min(w, cell); ++x) {
                const bool frame = y == 0 || y == cell - 1 || x == 0 || x == w - 1;
                const bool diagonal = x == (y * w) / cell;
                if (frame || diagonal) p.pixels[size_t(g * cell + y) * size_t(cell) + x] = 200;
            }
        }
    }
    return p;
}

// A 64 x 40 diamond sprite with a coloured rim and transparent corners.
TestPicture Sprite() {
    TestPicture p = TestPicture::Filled(64, 40, 0);
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            const int32_t dx = std::abs(2 * x - 63), dy = std::abs(2 * y - 39) * 64 / 40;
            if (dx + dy < 60) p.pixels[size_t(y) * 64 + x] = uint8_t(dx + dy > 52 ? 240 : 20 + x);
        }
    }
    return p;
}

TEST(Golden, ScreenWithTextSpritesFillsAndTiles) {
    GfxHost host;
    TempDataFolder folder;
    TestPicture tile = TestPicture::Numbered(100, 100);
    for (int32_t y = 0; y < 100; ++y)
        for (int32_t x = 0; x < 100; ++x)
            tile.pixels[size_t(y) * 100 + x] = uint8_t(((x / 10 + y / 10) % 2) ? 30 : 31);
    WinGBitmap tile_bitmap;
    ASSERT_TRUE(tile_bitmap.LoadJgd(folder.WritePicture("tile.jgd", tile)));
    PaletteImage font;
    ASSERT_TRUE(font.Load(
        folder.WritePicture("font_1.jgd", WithSceneColours(GlyphStrip(16, 230, kFont1Advances))),
        nullptr, 1));
    RawImage small_font;
    ASSERT_TRUE(
        small_font.LoadJgd(folder.WritePicture("font_2.jgd", GlyphStrip(8, 70, kFont2Advances))));
    RawImage sprite;
    ASSERT_TRUE(sprite.LoadJgd(folder.WritePicture("sprite.jgd", Sprite())));

    WinGBitmap buffer;
    ASSERT_TRUE(buffer.Create(font, 640, 480));
    BlitDCInBlocks(*buffer.dc, 0, 0, 640, 480, *tile_bitmap.dc);
    buffer.FillRect(20, 20, 300, 60, 12);
    buffer.DrawText("Ferrovane 1960: A B", kFont1Advances, 30, 30, font);
    buffer.DrawText("cash \xe4 1,000", kFont1Advances, 30, 50, font, 16, 16, 243);
    buffer.DrawTextRaw("SMALL FONT az", kFont2Advances, 30, 90, small_font, 8, 8, 10);
    const char icons[] = {char(123), char(200), char(255), 0};
    buffer.DrawIcons(icons, kFont1Advances, 400, 30, font);
    int32_t x = 20;
    for (int32_t d : {1, 2, 4, 16}) {
        buffer.BlitRawKeyed(sprite, x, 200, 0, 0, 64, 40, 0, d);
        x += 80;
    }
    buffer.BlitRawKeyedClip(sprite, 360, 200, 0, 0, 64, 40, 0, 1, 370, 400, 210, 230);
    buffer.BlitRawKeyed(sprite, -20, 460, 0, 0, 64, 40, 0, 1);
    buffer.BlitGlyphRaw(sprite, 500, 300, 0, 0, 64, 40, 0, 2, 100);

    auto* screen = new Screen;
    screen->Create(nullptr, {0, 0, 640, 480}, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    {
        plat::DcHandle dc = plat::GetWindowDC(*screen);
        SelectPictureOutputPalette(*dc, buffer.dc.get(), font.palette);
        BlitDC(*dc, 0, 0, 640, 480, *buffer.dc, 0, 0);
        RestoreDefaultPalette(*dc);
    }
    const plat::Surface& composed = plat::ComposeScreen();
    MaybeSavePng("scene_synthetic");
    EXPECT_EQ(composed.Row(30)[30], 10);  // the first glyph's corner, in the text colour
    EXPECT_EQ(composed.Row(21)[21], 12);  // the fill
    EXPECT_EQ(Fnv1a(composed, 640, 480), 0x583c76b887723c7aull)
        << std::hex << Fnv1a(composed, 640, 480);
    delete screen;
}

}  // namespace
