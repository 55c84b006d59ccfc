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
    void Pen(int width, uint8_t colour) {
        dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, width, plat::PaletteIndex(colour)));
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

TEST(Lines, PolylinesLeaveOutTheLastPointAndThickOnesAreClipped) {
    Canvas canvas(10, 10);
    canvas.Pen(1, 7);
    std::vector<plat::Point> points = {{1, 1}, {5, 1}, {5, 4}};
    ASSERT_TRUE(plat::Polyline(*canvas.dc, points));
    EXPECT_EQ(canvas.At(5, 3), 7);
    EXPECT_EQ(canvas.At(5, 4), 0);  // the last point
    EXPECT_EQ(canvas.Count(7), 7);
    // A width-3 outline along every edge: nothing is written outside (the
    // sanitizer build checks that), the strokes reach into the edge rows.
    Canvas edge(16, 12);
    edge.Pen(3, 9);
    std::vector<plat::Point> outline = {{0, 0}, {15, 0}, {15, 11}, {0, 11}, {0, 0}};
    ASSERT_TRUE(plat::Polyline(*edge.dc, outline));
    EXPECT_EQ(edge.At(7, 1), 9);  // three rows wide: -1, 0, 1
    EXPECT_EQ(edge.At(7, 2), 0);
    EXPECT_EQ(edge.At(13, 6), 0);
    Canvas far(8, 8);
    far.Pen(3, 4);
    std::vector<plat::Point> wild = {{-100000, 4}, {100000, 4}, {4, INT32_MIN / 2}, {-3, -3}};
    ASSERT_TRUE(plat::Polyline(*far.dc, wild));
    for (int x = 0; x < 8; ++x) EXPECT_EQ(far.At(x, 4), 4);
}

TEST(Fill, RectanglesAreClippedAndHalfOpen) {
    Canvas rects(10, 6);
    ASSERT_TRUE(plat::FillRectIndex(*rects.dc, {-5, 2, 3, 100}, 6));
    EXPECT_EQ(rects.Count(6), 3 * 4);
    EXPECT_EQ(rects.At(2, 5), 6);
    plat::FillRectIndex(*rects.dc, {8, 0, 4, 3}, 1);  // empty
    EXPECT_EQ(rects.Count(1), 0);
}

}  // namespace
