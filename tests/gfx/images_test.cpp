// The three image records and the copies to device contexts.

#include <gtest/gtest.h>

#include <tuple>

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "gfx/palette_image.h"
#include "gfx/raw_image.h"
#include "gfx/wing_bitmap.h"
#include "gfx_host.h"
#include "gfx_test_files.h"
#include "platform/palette.h"
#include "platform/wing.h"

namespace {

using gfxtest::TestPicture;

class Images : public ::testing::Test {
  protected:
    gfxtest::GfxHost host;
    gfxtest::TempDataFolder folder;
};

TEST_F(Images, IdentityPaletteKeepsTheSystemsStaticColoursAndShowsThePicturesOwn) {
    const TestPicture pic = TestPicture::Numbered(8, 8);
    plat::PaletteHandle palette = CreateIdentityPalette(pic.colors, 256);
    plat::PaletteEntry system[256];
    plat::GetSystemPaletteEntries(0, 256, system);
    EXPECT_EQ(palette->Entry(249).red, system[249].red);  // the static red
    EXPECT_EQ(palette->Entry(249).flags, 0);
    EXPECT_EQ(palette->Entry(10).flags, plat::kPcReserved);

    // A loaded picture realized on the screen shows its colours at its own
    // indices, and its pixels are the file's indices, unchanged.
    PaletteImage image;
    ASSERT_TRUE(image.Load(folder.WritePicture("scr_0.jgd", pic), nullptr, 1));
    plat::DcHandle screen = plat::GetScreenDC();
    plat::SelectPalette(*screen, image.palette, false);
    plat::RealizePalette(*screen);
    const plat::RgbTable& rgb = plat::SystemPaletteRgb();
    for (int i = 10; i < 246; ++i) {
        ASSERT_EQ(rgb[i][0], pic.colors[i].red) << i;
        ASSERT_EQ(rgb[i][1], pic.colors[i].green) << i;
        ASSERT_EQ(rgb[i][2], pic.colors[i].blue) << i;
    }
    EXPECT_EQ(image.pixels[3 * image.Stride() + 5], pic.At(5, 3));

    // A colour source gives another picture's palette its colours.
    TestPicture other = TestPicture::Numbered(8, 8);
    for (auto& c : other.colors) c = RgbQuad{1, 2, 3, 0};
    PaletteImage shown;
    ASSERT_TRUE(shown.Load(folder.WritePicture("b.jgd", other), &image, 1));
    EXPECT_EQ(shown.palette->Entry(100).blue, pic.colors[100].blue);
}

TEST_F(Images, CloneTakesPixelsOfTheSameSizeOnly) {
    PaletteImage image;
    ASSERT_TRUE(
        image.Load(folder.WritePicture("tilesg.jgd", TestPicture::Filled(12, 6, 7)), nullptr, 1));
    const RgbQuad before = image.info.colors[50];
    TestPicture other = TestPicture::Filled(12, 6, 9);
    for (auto& c : other.colors) c = RgbQuad{9, 9, 9, 0};
    EXPECT_TRUE(image.Clone(folder.WritePicture("tiles.jgd", other)));
    EXPECT_EQ(image.pixels[5 * image.Stride() + 11], 9);
    EXPECT_EQ(image.info.colors[50], before);
    EXPECT_FALSE(image.Clone(folder.WritePicture("small.jgd", TestPicture::Filled(8, 6, 3))));
    EXPECT_EQ(image.pixels[0], 9);
}

TEST_F(Images, WinGBitmapsCreatedZeroedOrLoadedWithOddWidthRowsApart) {
    PaletteImage source;
    ASSERT_TRUE(source.Load(folder.WritePicture("s.jgd", TestPicture::Numbered(4, 4)), nullptr, 1));
    WinGBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(source, 30, 7));
    EXPECT_EQ(bitmap.Stride(), 32);
    for (int i = 0; i < 32 * 7; ++i) ASSERT_EQ(bitmap.pixels[i], 0);
    plat::RgbQuad table[256];
    ASSERT_EQ(plat::GetDibColourTable(*bitmap.dc, 0, 256, table), 256);
    EXPECT_EQ(table[77].red, source.info.colors[77].red);

    const TestPicture pic = TestPicture::Numbered(13, 5);
    WinGBitmap odd;
    ASSERT_TRUE(odd.LoadJgd(folder.WritePicture("odd.jgd", pic)));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x) ASSERT_EQ(odd.pixels[y * odd.Stride() + x], pic.At(x, y));
    ASSERT_TRUE(odd.ReloadJgd(folder.WritePicture("odd2.jgd", TestPicture::Filled(4, 4, 3))));
    EXPECT_EQ(odd.width, 4);
    EXPECT_EQ(odd.pixels[0], 3);
}

// A memory context whose pixel (x, y) is `value(x, y)`, for the copy tests.
struct Board {
    WinGBitmap bitmap;
    template <typename Value>
    Board(int32_t w, int32_t h, Value value) {
        RgbQuad colours[256] = {};
        bitmap.Create(colours, w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) bitmap.pixels[y * bitmap.Stride() + x] = value(x, y);
    }
    uint8_t At(int32_t x, int32_t y) const { return bitmap.pixels[y * bitmap.Stride() + x]; }
};
auto Value(uint8_t v) {
    return [v](int, int) { return v; };
}

TEST_F(Images, BlitDCCutsAtEveryEdgeAndTilesInBlocks) {
    Board src(100, 100, [](int x, int y) { return uint8_t(x + y); });
    Board dst(120, 50, Value(255));
    EXPECT_EQ(BlitDC(*dst.bitmap.dc, -30, 0, 60, 10, *src.bitmap.dc, 0, 0), 1);
    EXPECT_EQ(dst.At(0, 0), 30);   // from source x + 30
    EXPECT_EQ(dst.At(29, 0), 59);  // 30 columns
    EXPECT_EQ(dst.At(30, 0), 255);
    BlitDC(*dst.bitmap.dc, 100, 45, 50, 50, *src.bitmap.dc, 0, 0);
    EXPECT_EQ(dst.At(119, 49), 23);
    BlitDC(*dst.bitmap.dc, 200, 0, 50, 50, *src.bitmap.dc, 0, 0);
    BlitDC(*dst.bitmap.dc, 0, 20, 50, 50, *src.bitmap.dc, 100, 0);
    EXPECT_EQ(dst.At(0, 20), 255);

    Board screen(640, 480, Value(255));
    EXPECT_EQ(BlitDCInBlocks(*screen.bitmap.dc, 0, 0, 640, 480, *src.bitmap.dc), 1);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) ASSERT_EQ(screen.At(x, y), uint8_t(x % 100 + y % 100));
}

}  // namespace
