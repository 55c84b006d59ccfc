#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi.h"
#include "platform/wing.h"

namespace {

struct Canvas {
    plat::DcHandle dc = plat::CreateMemoryDC();
    plat::BitmapHandle bitmap;
    explicit Canvas(int32_t w, int32_t h) : bitmap(plat::CreateBitmap8(w, h)) {
        dc->SelectBitmap(bitmap);
    }
    uint8_t At(int32_t x, int32_t y) const { return bitmap->View().Row(y)[x]; }
    int Count(uint8_t value) const {
        int n = 0;
        for (int y = 0; y < bitmap->Height(); ++y) {
            for (int x = 0; x < bitmap->Width(); ++x) n += At(x, y) == value;
        }
        return n;
    }
};

}  // namespace

TEST(Lines, CosmeticPolylineLeavesOutItsLastPoint) {
    Canvas canvas(10, 10);
    canvas.dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, 1, plat::PaletteIndex(7)));
    std::vector<plat::Point> points = {{1, 1}, {5, 1}, {5, 4}};
    ASSERT_TRUE(plat::Polyline(*canvas.dc, points));
    for (int x = 1; x <= 5; ++x) EXPECT_EQ(canvas.At(x, 1), 7) << x;
    EXPECT_EQ(canvas.At(5, 3), 7);
    EXPECT_EQ(canvas.At(5, 4), 0);  // the last point
    EXPECT_EQ(canvas.Count(7), 7);
}

TEST(Lines, ThickPolylineAtTheSurfaceEdgeIsClipped) {
    // A width-3 outline running along and across every edge of a small
    // bitmap: nothing is written outside (the sanitizer build checks that),
    // and the strokes reach into the edge rows and columns.
    Canvas canvas(16, 12);
    canvas.dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, 3, plat::PaletteIndex(9)));
    std::vector<plat::Point> outline = {{0, 0}, {15, 0}, {15, 11}, {0, 11}, {0, 0}};
    ASSERT_TRUE(plat::Polyline(*canvas.dc, outline));
    EXPECT_EQ(canvas.At(0, 0), 9);
    EXPECT_EQ(canvas.At(15, 11), 9);
    EXPECT_EQ(canvas.At(7, 1), 9);  // three rows wide: -1, 0, 1
    EXPECT_EQ(canvas.At(7, 2), 0);
    EXPECT_EQ(canvas.At(14, 6), 9);  // and three columns: 14, 15, 16
    EXPECT_EQ(canvas.At(13, 6), 0);

    Canvas far(8, 8);
    far.dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, 3, plat::PaletteIndex(4)));
    std::vector<plat::Point> wild = {{-100000, 4}, {100000, 4}, {4, INT32_MIN / 2}, {-3, -3}};
    ASSERT_TRUE(plat::Polyline(*far.dc, wild));
    for (int x = 0; x < 8; ++x) EXPECT_EQ(far.At(x, 4), 4);
    EXPECT_EQ(far.At(0, 0), 0);
}

TEST(Lines, PolyPolylineTakesItsCountsInTurn) {
    Canvas canvas(10, 10);
    canvas.dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, 1, plat::PaletteIndex(3)));
    std::vector<plat::Point> points = {{0, 0}, {4, 0}, {0, 5}, {0, 9}, {9, 9}};
    std::vector<uint32_t> counts = {2, 3};
    ASSERT_TRUE(plat::PolyPolyline(*canvas.dc, points, counts));
    EXPECT_EQ(canvas.At(3, 0), 3);
    EXPECT_EQ(canvas.At(4, 0), 0);
    EXPECT_EQ(canvas.At(0, 4), 0);  // no line joins the two polylines
    EXPECT_EQ(canvas.At(0, 8), 3);
    EXPECT_EQ(canvas.At(8, 9), 3);
    std::vector<uint32_t> tooMany = {2, 4};
    EXPECT_FALSE(plat::PolyPolyline(*canvas.dc, points, tooMany));
}

TEST(Lines, PolygonIsFilledWithTheBrushAndOutlinedWithThePen) {
    Canvas canvas(12, 12);
    canvas.dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, 1, plat::PaletteIndex(1)));
    canvas.dc->SelectBrush(plat::CreateSolidBrush(plat::PaletteIndex(2)));
    std::vector<plat::Point> square = {{2, 2}, {9, 2}, {9, 9}, {2, 9}};
    ASSERT_TRUE(plat::Polygon(*canvas.dc, square));
    EXPECT_EQ(canvas.At(2, 2), 1);
    EXPECT_EQ(canvas.At(9, 5), 1);
    EXPECT_EQ(canvas.At(5, 5), 2);
    EXPECT_EQ(canvas.At(1, 5), 0);
    EXPECT_EQ(canvas.At(10, 5), 0);

    canvas.dc->SelectBrush(plat::StockNullBrush());
    canvas.dc->SelectPen(plat::StockNullPen());
    std::vector<plat::Point> other = {{0, 0}, {11, 0}, {11, 11}};
    plat::Polygon(*canvas.dc, other);
    EXPECT_EQ(canvas.At(10, 1), 0);
}

TEST(Fill, RectanglesAreClippedAndHalfOpen) {
    Canvas canvas(10, 6);
    ASSERT_TRUE(plat::FillRectIndex(*canvas.dc, {-5, 2, 3, 100}, 6));
    EXPECT_EQ(canvas.Count(6), 3 * 4);
    EXPECT_EQ(canvas.At(2, 5), 6);
    EXPECT_EQ(canvas.At(3, 5), 0);
    EXPECT_EQ(canvas.At(2, 1), 0);
    plat::FillRect(*canvas.dc, {5, 0, 7, 1}, plat::CreateSolidBrush(plat::PaletteIndex(8)));
    EXPECT_EQ(canvas.Count(8), 2);
    plat::FillRectIndex(*canvas.dc, {8, 0, 4, 3}, 1);  // empty
    EXPECT_EQ(canvas.Count(1), 0);
}

TEST(Text, BuiltinFontDrawsOpaqueCells) {
    Canvas canvas(40, 12);
    canvas.dc->SetTextColour(plat::PaletteIndex(5));
    canvas.dc->SetBackgroundColour(plat::PaletteIndex(6));
    plat::TextOut(*canvas.dc, 1, 1, "I|");
    // Two opaque cells of 6 x 10: every pixel is ink or paper.
    EXPECT_EQ(canvas.Count(5) + canvas.Count(6),
              2 * plat::kBuiltinFontWidth * plat::kBuiltinFontHeight);
    EXPECT_EQ(canvas.At(3, 2), 5);  // top of the I's stem
    EXPECT_EQ(canvas.At(9, 5), 5);  // the bar
    EXPECT_EQ(canvas.At(1, 1), 6);  // the empty row above the glyph
    canvas.dc->SetBackgroundMode(plat::BackgroundMode::Transparent);
    plat::TextOut(*canvas.dc, 38, 8, "\xb4W");  // a box, cut at both edges
    EXPECT_EQ(canvas.At(38, 9), 5);
}
