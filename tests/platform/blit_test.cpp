// Drawing into off-screen bitmaps: copies, stretched DIBs, lines and fills.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/gdi.h"
#include "platform/wing.h"

namespace {

// An off-screen bitmap in its own memory context, as the graphics engine
// makes them; pixel (x, y) starts as `fill`, or 1 + x + 16 y when patterned.
struct Offscreen {
    plat::DcHandle dc = plat::CreateMemoryDC();
    plat::BitmapHandle bitmap;
    uint8_t* pixels = nullptr;
    int32_t width, height;

    Offscreen(int32_t w, int32_t h, int fill = 0) : width(w), height(h) {
        plat::BitmapInfoHeader header;
        EXPECT_TRUE(plat::RecommendDibFormat(&header));
        header.width = w;
        header.height = -h;
        bitmap = plat::CreateDib8(header, nullptr, &pixels);
        EXPECT_NE(dc->SelectBitmap(bitmap), nullptr);  // the stock bitmap comes back
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) At(x, y) = uint8_t(fill < 0 ? 1 + x + 16 * y : fill);
        }
    }
    uint8_t& At(int32_t x, int32_t y) { return pixels[y * bitmap->Stride() + x]; }
    int Count(uint8_t value) {
        return int(std::count(pixels, pixels + height * bitmap->Stride(), value));
    }
    void Pen(int width, uint8_t colour) {
        dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, width, plat::PaletteIndex(colour)));
    }
};

}  // namespace

// Only 8-bit sections are made; the clip box is the bitmap; a plain colour
// on a memory context is the nearest colour-table entry (the padded rows
// and the colour table itself are checked through the graphics engine).
TEST(Offscreen, EightBitSectionsClipBoxAndNearestColour) {
    plat::BitmapInfoHeader header;
    ASSERT_TRUE(plat::RecommendDibFormat(&header));
    header.width = 30;
    header.height = -2;
    header.bitCount = 4;
    uint8_t* pixels = nullptr;
    EXPECT_FALSE(plat::CreateDib8(header, nullptr, &pixels));
    EXPECT_EQ(pixels, nullptr);

    Offscreen image(30, 40);
    plat::Rect box;
    EXPECT_EQ(plat::GetClipBox(*image.dc, &box), 2);
    EXPECT_EQ(box, (plat::Rect{0, 0, 30, 40}));
    std::array<plat::RgbQuad, 256> table{};
    for (int i = 0; i < 256; ++i) table[size_t(i)] = {uint8_t(i), uint8_t(255 - i), 7, 0};
    EXPECT_EQ(plat::SetDibColourTable(*image.dc, 250, 10, table.data()), 6);  // cut at 256
    EXPECT_EQ(plat::SetDibColourTable(*image.dc, 0, 256, table.data()), 256);
    EXPECT_EQ(image.dc->ResolveColour(plat::Rgb(7, 155, 100)), 100);
}

TEST(BitBlt, ClipsAgainstDestinationAndSource) {
    Offscreen source(16, 8, -1);
    // {target size, destination rectangle, source origin}: every target pixel
    // is copied from the source when both lie inside their bitmaps, else kept.
    struct Case {
        int32_t tw, th, x, y, w, h, sx, sy;
    };
    for (const Case& c : {Case{40, 8, -3, 0, 10, 1, 0, 0}, Case{10, 5, 6, 3, 10, 10, 0, 0},
                          Case{40, 20, 0, 0, 40, 20, 12, 5}, Case{20, 10, 0, 0, 5, 5, -2, -1},
                          Case{10, 10, 10, 0, 5, 5, 0, 0}, Case{10, 10, 0, 0, -5, 5, 0, 0}}) {
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
    // Extreme coordinates neither wrap nor crash; a copy needs a source.
    Offscreen target(10, 10, 0xEE);
    plat::BitBlt(*target.dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, source.dc.get(), 0, 0,
                 plat::RasterOp::SrcCopy);
    plat::BitBlt(*target.dc, INT32_MAX, 0, INT32_MAX, 5, source.dc.get(), INT32_MIN, 0,
                 plat::RasterOp::SrcCopy);
    EXPECT_FALSE(plat::BitBlt(*target.dc, 0, 0, 1, 1, nullptr, 0, 0, plat::RasterOp::SrcCopy));
    // Blackness fills index 0 without a source.
    ASSERT_TRUE(plat::BitBlt(*target.dc, 2, -1, 20, 3, nullptr, 0, 0, plat::RasterOp::Blackness));
    EXPECT_EQ(target.At(2, 1), 0);
    EXPECT_EQ(target.At(1, 1), 0xEE);
    EXPECT_EQ(target.At(2, 2), 0xEE);
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapMovesTheBlock) {
    Offscreen original(8, 8, -1);
    for (const auto [dx, dy, sx, sy] : {std::array{1, 2, 0, 0}, std::array{0, 0, 2, 3}}) {
        Offscreen image(8, 8, -1);
        plat::BitBlt(*image.dc, dx, dy, 6, 5, image.dc.get(), sx, sy, plat::RasterOp::SrcCopy);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 6; ++x)
                ASSERT_EQ(image.At(x + dx, y + dy), original.At(x + sx, y + sy));
        }
    }
}

// Bottom-up file rows land top-down as palette indices; the source rectangle
// of a bottom-up DIB counts its rows from the bottom; 4-bit pixels are
// doubled by point sampling; compressed pixels draw nothing.
TEST(StretchDIBits, BottomUpFileRowsFourBitPixelsAndScaling) {
    // A 5 x 3 bottom-up DIB, rows padded to 8 bytes; pixel = 10 * row-from-top + x.
    std::vector<uint8_t> bits(8 * 3, 0xCD);
    for (int r = 0; r < 3; ++r) {
        for (int x = 0; x < 5; ++x) bits[size_t((2 - r) * 8 + x)] = uint8_t(10 * r + x);
    }
    plat::BitmapInfoHeader header;
    header.width = 5;
    header.height = 3;
    std::array<uint16_t, 256> indices;
    for (int i = 0; i < 256; ++i) indices[size_t(i)] = uint16_t(i);
    auto draw = [&](Offscreen& target, plat::Rect to, int32_t sx, int32_t sy, int32_t sw,
                    int32_t sh) {
        return plat::StretchDIBits(*target.dc, to.left, to.top, to.Width(), to.Height(), sx, sy, sw,
                                   sh, bits.data(), header, indices.data(), plat::kDibPalColours,
                                   plat::RasterOp::SrcCopy);
    };
    Offscreen target(8, 4, 0xEE);
    EXPECT_EQ(draw(target, {0, 0, 5, 3}, 0, 0, 5, 3), 3);
    EXPECT_EQ(target.At(4, 2), 24);
    EXPECT_EQ(target.At(5, 2), 0xEE);
    EXPECT_EQ(target.At(0, 3), 0xEE);
    Offscreen small(3, 3, 0xEE);
    draw(small, {1, 1, 3, 3}, 1, 0, 2, 2);
    EXPECT_EQ(small.At(1, 1), 11);
    EXPECT_EQ(small.At(2, 2), 22);
    EXPECT_EQ(small.At(0, 0), 0xEE);
    header.compression = plat::kBiRle8;
    EXPECT_EQ(draw(target, {0, 0, 5, 3}, 0, 0, 5, 3), 0);

    // 4 x 2, 4 bits, top-down: rows "1 2 3 4" and "5 6 7 8".
    bits = {0x12, 0x34, 0, 0, 0x56, 0x78, 0, 0};
    header = {};
    header.width = 4;
    header.height = -2;
    header.bitCount = 4;
    Offscreen scaled(8, 4);
    draw(scaled, {0, 0, 8, 4}, 0, 0, 4, 2);
    EXPECT_EQ(scaled.At(1, 0), 1);
    EXPECT_EQ(scaled.At(7, 3), 8);
    EXPECT_EQ(scaled.At(2, 2), 6);
}

TEST(Lines, PolylinesLeaveOutTheLastPointAndThickOnesAreClipped) {
    Offscreen canvas(10, 10);
    canvas.Pen(1, 7);
    ASSERT_TRUE(plat::Polyline(*canvas.dc, std::vector<plat::Point>{{1, 1}, {5, 1}, {5, 4}}));
    EXPECT_EQ(canvas.At(5, 3), 7);
    EXPECT_EQ(canvas.At(5, 4), 0);  // the last point
    EXPECT_EQ(canvas.Count(7), 7);
    // A width-3 outline along every edge: nothing is written outside (the
    // sanitizer build checks that), the strokes reach into the edge rows.
    Offscreen edge(16, 12);
    edge.Pen(3, 9);
    ASSERT_TRUE(plat::Polyline(
        *edge.dc, std::vector<plat::Point>{{0, 0}, {15, 0}, {15, 11}, {0, 11}, {0, 0}}));
    EXPECT_EQ(edge.At(7, 1), 9);  // three rows wide: -1, 0, 1
    EXPECT_EQ(edge.At(7, 2), 0);
    EXPECT_EQ(edge.At(13, 6), 0);
    Offscreen far(8, 8);
    far.Pen(3, 4);
    ASSERT_TRUE(plat::Polyline(
        *far.dc,
        std::vector<plat::Point>{{-100000, 4}, {100000, 4}, {4, INT32_MIN / 2}, {-3, -3}}));
    for (int x = 0; x < 8; ++x) EXPECT_EQ(far.At(x, 4), 4);
    // Rectangle fills are clipped and half open.
    Offscreen rects(10, 6);
    ASSERT_TRUE(plat::FillRectIndex(*rects.dc, {-5, 2, 3, 100}, 6));
    EXPECT_EQ(rects.Count(6), 3 * 4);
    plat::FillRectIndex(*rects.dc, {8, 0, 4, 3}, 1);  // empty
    EXPECT_EQ(rects.Count(1), 0);
}
