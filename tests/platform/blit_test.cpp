#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/gdi.h"
#include "platform/wing.h"

namespace {

// An off-screen bitmap in its own memory context, as the graphics engine
// makes them.
struct Offscreen {
    plat::DcHandle dc;
    plat::BitmapHandle bitmap;
    uint8_t* pixels = nullptr;
    int32_t width;
    int32_t height;

    Offscreen(int32_t w, int32_t h, uint8_t fill = 0) : width(w), height(h) {
        plat::BitmapInfoHeader header;
        EXPECT_TRUE(plat::RecommendDibFormat(&header));
        header.width = w;
        header.height = -h;
        dc = plat::CreateMemoryDC();
        bitmap = plat::CreateDib8(header, nullptr, &pixels);
        EXPECT_NE(pixels, nullptr);
        EXPECT_NE(dc->SelectBitmap(bitmap), nullptr);  // the stock bitmap comes back
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) At(x, y) = fill;
        }
    }
    int32_t Stride() const { return bitmap->Stride(); }
    uint8_t& At(int32_t x, int32_t y) { return pixels[y * Stride() + x]; }
};

// Every pixel gets a value from its position, so copies can be traced.
void Pattern(Offscreen& image) {
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) image.At(x, y) = uint8_t(1 + x + 16 * y);
    }
}

}  // namespace

TEST(Offscreen, RecommendedFormatIsEightBitTopDownWithPaddedStride) {
    plat::BitmapInfoHeader header;
    ASSERT_TRUE(plat::RecommendDibFormat(&header));
    EXPECT_EQ(header.size, 40u);
    EXPECT_EQ(header.bitCount, 8);
    EXPECT_LT(header.height, 0);
    EXPECT_EQ(header.compression, plat::kBiRgb);

    header.width = 30;
    header.height = -2;
    uint8_t* pixels = nullptr;
    plat::BitmapHandle bitmap = plat::CreateDib8(header, nullptr, &pixels);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Stride(), 32);
    EXPECT_EQ(pixels, bitmap->Pixels());

    header.bitCount = 4;
    EXPECT_FALSE(plat::CreateDib8(header, nullptr, &pixels));
    EXPECT_EQ(pixels, nullptr);
    header.bitCount = 8;
    header.width = 0;
    EXPECT_FALSE(plat::CreateDib8(header, nullptr, &pixels));
}

TEST(Offscreen, ColourTableOfTheSelectedBitmap) {
    Offscreen image(4, 4);
    std::array<plat::RgbQuad, 256> table{};
    for (int i = 0; i < 256; ++i) table[size_t(i)] = {uint8_t(i), uint8_t(255 - i), 7, 0};
    EXPECT_EQ(plat::SetDibColourTable(*image.dc, 0, 256, table.data()), 256);
    EXPECT_EQ(plat::SetDibColourTable(*image.dc, 250, 10, table.data()), 6);
    std::array<plat::RgbQuad, 256> back{};
    EXPECT_EQ(plat::GetDibColourTable(*image.dc, 0, 256, back.data()), 256);
    EXPECT_EQ(back[100].blue, 100);
    EXPECT_EQ(back[252].blue, 2);  // rewritten from entry 2 by the second call
    // A plain colour on a memory context is the nearest colour-table entry.
    EXPECT_EQ(image.dc->ResolveColour(plat::Rgb(7, 155, 100)), 100);
    EXPECT_EQ(image.dc->ResolveColour(plat::PaletteIndex(77)), 77);
}

TEST(BitBlt, ClipsAgainstDestinationAndSource) {
    Offscreen source(16, 8);
    Pattern(source);
    // {target size, destination rectangle, source origin}: every target pixel
    // is copied from the source when both lie inside their bitmaps, else kept.
    struct Case {
        int32_t tw, th, x, y, w, h, sx, sy;
    };
    for (const Case& c : {Case{40, 8, -3, 0, 10, 1, 0, 0}, Case{10, 5, 6, 3, 10, 10, 0, 0},
                          Case{40, 20, 0, 0, 40, 20, 12, 5}, Case{20, 10, 0, 0, 5, 5, -2, -1},
                          Case{10, 10, 10, 0, 5, 5, 0, 0}, Case{10, 10, -5, 0, 5, 5, 0, 0},
                          Case{10, 10, 0, 0, 5, 5, 16, 0}, Case{10, 10, 0, 0, -5, 5, 0, 0}}) {
        Offscreen target(c.tw, c.th, 0xEE);
        plat::BitBlt(*target.dc, c.x, c.y, c.w, c.h, source.dc.get(), c.sx, c.sy,
                     plat::RasterOp::SrcCopy);
        for (int32_t y = 0; y < c.th; ++y) {
            for (int32_t x = 0; x < c.tw; ++x) {
                const int32_t sx = x - c.x + c.sx, sy = y - c.y + c.sy;
                const bool copied = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h &&
                                    sx >= 0 && sx < 16 && sy >= 0 && sy < 8;
                ASSERT_EQ(target.At(x, y), copied ? source.At(sx, sy) : 0xEE)
                    << c.x << "," << c.y << " at " << x << "," << y;
            }
        }
    }
    // Extreme coordinates neither wrap nor crash.
    Offscreen target(10, 10, 0xEE);
    plat::BitBlt(*target.dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, source.dc.get(), 0, 0,
                 plat::RasterOp::SrcCopy);
    plat::BitBlt(*target.dc, INT32_MAX, 0, INT32_MAX, 5, source.dc.get(), INT32_MIN, 0,
                 plat::RasterOp::SrcCopy);
    EXPECT_FALSE(plat::BitBlt(*target.dc, 0, 0, 1, 1, nullptr, 0, 0, plat::RasterOp::SrcCopy));
}

TEST(BitBlt, BlacknessFillsIndexZeroWithoutASource) {
    Offscreen target(12, 6, 0x55);
    ASSERT_TRUE(plat::BitBlt(*target.dc, 2, -1, 20, 3, nullptr, 0, 0, plat::RasterOp::Blackness));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 12; ++x) {
            EXPECT_EQ(target.At(x, y), (x >= 2 && y < 2) ? 0 : 0x55) << x << "," << y;
        }
    }
    // The padding after each row stays untouched (width 12 is already padded).
    plat::BitBlt(*target.dc, 0, 0, 12, 6, nullptr, 0, 0, plat::RasterOp::Whiteness);
    EXPECT_EQ(target.At(11, 5), 255);
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapMovesTheBlock) {
    Offscreen original(8, 8);
    Pattern(original);
    for (const auto [dx, dy, sx, sy] : {std::array{1, 2, 0, 0}, std::array{0, 0, 2, 3}}) {
        Offscreen image(8, 8);
        Pattern(image);
        plat::BitBlt(*image.dc, dx, dy, 6, 5, image.dc.get(), sx, sy, plat::RasterOp::SrcCopy);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 6; ++x)
                ASSERT_EQ(image.At(x + dx, y + dy), original.At(x + sx, y + sy));
        }
    }
}

TEST(StretchDIBits, BottomUpFileRowsBecomeTopDownWithPaletteIndices) {
    // A 5 x 3 bottom-up DIB, rows padded to 8 bytes; pixel = 10 * row-from-top + x.
    const int w = 5, h = 3, stride = plat::DibStride(w, 8);
    ASSERT_EQ(stride, 8);
    std::vector<uint8_t> bits(size_t(stride * h), 0xCD);
    for (int r = 0; r < h; ++r) {
        for (int x = 0; x < w; ++x) bits[size_t((h - 1 - r) * stride + x)] = uint8_t(10 * r + x);
    }
    plat::BitmapInfoHeader header;
    header.width = w;
    header.height = h;
    header.coloursUsed = 256;
    std::array<uint16_t, 256> indices;
    for (int i = 0; i < 256; ++i) indices[size_t(i)] = uint16_t(i);

    Offscreen target(8, 4, 0xEE);
    target.dc->SetStretchMode(plat::kStretchColourOnColour);
    EXPECT_EQ(target.dc->StretchMode(), plat::kStretchColourOnColour);
    EXPECT_EQ(plat::StretchDIBits(*target.dc, 0, 0, w, h, 0, 0, w, h, bits.data(), header,
                                  indices.data(), plat::kDibPalColours, plat::RasterOp::SrcCopy),
              h);
    for (int r = 0; r < h; ++r) {
        for (int x = 0; x < w; ++x) EXPECT_EQ(target.At(x, r), 10 * r + x);
        EXPECT_EQ(target.At(w, r), 0xEE);
    }
    EXPECT_EQ(target.At(0, 3), 0xEE);

    // Clipped at the destination; the source rectangle of a bottom-up DIB
    // counts its rows from the bottom: (1, 0) 2 x 2 is the lower right part.
    Offscreen small(3, 3, 0xEE);
    plat::StretchDIBits(*small.dc, 1, 1, 2, 2, 1, 0, 2, 2, bits.data(), header, indices.data(),
                        plat::kDibPalColours, plat::RasterOp::SrcCopy);
    EXPECT_EQ(small.At(1, 1), 11);
    EXPECT_EQ(small.At(2, 2), 22);
    EXPECT_EQ(small.At(0, 0), 0xEE);

    // RGB colour usage maps through the target's colour table.
    std::array<plat::RgbQuad, 256> table{};
    for (int i = 0; i < 256; ++i) table[size_t(i)] = {uint8_t(i), 0, 0, 0};
    plat::SetDibColourTable(*target.dc, 0, 256, table.data());
    std::array<plat::RgbQuad, 256> dibColours{};
    for (int i = 0; i < 256; ++i) dibColours[size_t(i)] = {uint8_t(255 - i), 0, 0, 0};
    plat::StretchDIBits(*target.dc, 0, 0, w, h, 0, 0, w, h, bits.data(), header, dibColours.data(),
                        plat::kDibRgbColours, plat::RasterOp::SrcCopy);
    EXPECT_EQ(target.At(2, 1), 255 - 12);

    // Compressed or missing pixels draw nothing.
    header.compression = plat::kBiRle8;
    EXPECT_EQ(plat::StretchDIBits(*target.dc, 0, 0, w, h, 0, 0, w, h, bits.data(), header,
                                  indices.data(), plat::kDibPalColours, plat::RasterOp::SrcCopy),
              0);
}

TEST(StretchDIBits, FourBitPixelsAndScaling) {
    // 4 x 2, 4 bits, top-down: rows "1 2 3 4" and "5 6 7 8".
    std::vector<uint8_t> bits = {0x12, 0x34, 0, 0, 0x56, 0x78, 0, 0};
    plat::BitmapInfoHeader header;
    header.width = 4;
    header.height = -2;
    header.bitCount = 4;
    std::array<uint16_t, 16> indices;
    for (int i = 0; i < 16; ++i) indices[size_t(i)] = uint16_t(100 + i);
    Offscreen target(8, 4);
    plat::StretchDIBits(*target.dc, 0, 0, 8, 4, 0, 0, 4, 2, bits.data(), header, indices.data(),
                        plat::kDibPalColours, plat::RasterOp::SrcCopy);
    EXPECT_EQ(target.At(0, 0), 101);
    EXPECT_EQ(target.At(1, 0), 101);  // doubled by point sampling
    EXPECT_EQ(target.At(7, 3), 108);
    EXPECT_EQ(target.At(2, 2), 106);
}

TEST(Offscreen, ClipBoxIsTheBitmapSize) {
    Offscreen image(64, 40);
    plat::Rect box;
    EXPECT_EQ(plat::GetClipBox(*image.dc, &box), 2);
    EXPECT_EQ(box, (plat::Rect{0, 0, 64, 40}));
    // Freeing in the owner's order: the old bitmap back, then the rest.
    plat::DcHandle dc = plat::CreateMemoryDC();
    plat::BitmapHandle stock = dc->SelectBitmap(image.bitmap);
    EXPECT_EQ(dc->SelectBitmap(stock), image.bitmap);
    plat::GetClipBox(*dc, &box);
    EXPECT_EQ(box, (plat::Rect{0, 0, 1, 1}));
}
