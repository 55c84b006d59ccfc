// The three image records and the copies to device contexts.

#include <gtest/gtest.h>

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

// A loaded picture realized on the screen shows its own colours at its own
// indices (the static colours stay), and its pixels are the file's indices;
// and a colour source gives another picture's palette its colours.
TEST_F(Images, PaletteImagesShowTheirColoursAtTheirOwnIndices) {
    const TestPicture pic = TestPicture::Numbered(12, 6);
    PaletteImage image;
    ASSERT_TRUE(image.Load(folder.WritePicture("tilesg.jgd", pic), nullptr, 1));
    EXPECT_EQ(image.palette->Entry(10).flags, plat::kPcReserved);
    plat::DcHandle screen = plat::GetScreenDC();
    plat::SelectPalette(*screen, image.palette, false);
    plat::RealizePalette(*screen);
    const plat::RgbTable& rgb = plat::SystemPaletteRgb();
    for (int i = 10; i < 246; ++i) {
        ASSERT_EQ(rgb[i][0], pic.colors[i].red) << i;
        ASSERT_EQ(rgb[i][2], pic.colors[i].blue) << i;
    }
    EXPECT_EQ(rgb[249][0], 255);
    EXPECT_EQ(image.pixels[3 * image.Stride() + 5], pic.At(5, 3));

    TestPicture other = TestPicture::Filled(12, 6, 9);
    for (auto& c : other.colors) c = RgbQuad{1, 2, 3, 0};
    PaletteImage shown;
    ASSERT_TRUE(shown.Load(folder.WritePicture("b.jgd", other), &image, 1));
    EXPECT_EQ(shown.palette->Entry(100).blue, pic.colors[100].blue);
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
    ASSERT_TRUE(bitmap.LoadJgd(folder.WritePicture("odd.jgd", pic)));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(bitmap.pixels[y * bitmap.Stride() + x], pic.At(x, y));
    ASSERT_TRUE(bitmap.ReloadJgd(folder.WritePicture("odd2.jgd", TestPicture::Filled(4, 4, 3))));
    EXPECT_EQ(bitmap.width, 4);
    EXPECT_EQ(bitmap.pixels[0], 3);
}

TEST_F(Images, BlitDCCutsAtEveryEdge) {
    RgbQuad colours[256] = {};
    WinGBitmap src, dst;
    src.Create(colours, 100, 100);
    dst.Create(colours, 120, 50);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) src.pixels[y * src.Stride() + x] = uint8_t(x + y);
    dst.FillRect(0, 0, 120, 50, 255);
    auto at = [&](int32_t x, int32_t y) { return dst.pixels[y * dst.Stride() + x]; };
    EXPECT_EQ(BlitDC(*dst.dc, -30, 0, 60, 10, *src.dc, 0, 0), 1);
    EXPECT_EQ(at(0, 0), 30);   // from source x + 30
    EXPECT_EQ(at(29, 0), 59);  // 30 columns
    EXPECT_EQ(at(30, 0), 255);
    BlitDC(*dst.dc, 100, 45, 50, 50, *src.dc, 0, 0);
    EXPECT_EQ(at(119, 49), 23);
    BlitDC(*dst.dc, 200, 0, 50, 50, *src.dc, 0, 0);
    BlitDC(*dst.dc, 0, 20, 50, 50, *src.dc, 100, 0);
    EXPECT_EQ(at(0, 20), 255);
}

}  // namespace
