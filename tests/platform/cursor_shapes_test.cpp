#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/cursor_shapes.h"

namespace {

constexpr int32_t kGameCursors[] = {151, 152, 153, 154, 155, 156, 157, 158,
                                    198, 200, 201, 204, 209, 210, 211};

TEST(CursorShapes, EveryGameCursorIsDrawnAroundItsHotSpot) {
    for (int32_t id : kGameCursors) {
        for (int32_t scale : {1, 2}) {
            const plat::CursorShape shape = plat::DrawGameCursor(id, scale);
            ASSERT_EQ(shape.size, 32 * scale) << id;
            ASSERT_GE(shape.hotX, 0);
            ASSERT_LT(shape.hotX, shape.size);
            ASSERT_GE(shape.hotY, 0);
            ASSERT_LT(shape.hotY, shape.size);
            // Something is drawn within two grid cells of the hot spot.
            bool near = false;
            for (int y = 0; y < shape.size; ++y) {
                for (int x = 0; x < shape.size; ++x) {
                    if (shape.At(x, y) != plat::CursorShape::kClear &&
                        std::abs(x - shape.hotX) <= 2 * scale &&
                        std::abs(y - shape.hotY) <= 2 * scale) {
                        near = true;
                    }
                }
            }
            EXPECT_TRUE(near) << id;
        }
    }
    EXPECT_EQ(plat::DrawGameCursor(32512, 1).size, 0);  // the host draws the arrow
    EXPECT_EQ(plat::DrawGameCursor(0, 1).size, 0);
}

TEST(CursorShapes, OppositeEdgeArrowsAreMirrorImages) {
    const plat::CursorShape left = plat::DrawGameCursor(151, 1);
    const plat::CursorShape right = plat::DrawGameCursor(154, 1);
    const plat::CursorShape up = plat::DrawGameCursor(153, 1);
    const plat::CursorShape down = plat::DrawGameCursor(152, 1);
    const plat::CursorShape upLeft = plat::DrawGameCursor(155, 1);
    const plat::CursorShape downRight = plat::DrawGameCursor(158, 1);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(left.At(x, y), right.At(31 - x, y)) << x << "," << y;
            ASSERT_EQ(up.At(x, y), down.At(x, 31 - y)) << x << "," << y;
            ASSERT_EQ(up.At(x, y), left.At(y, x)) << x << "," << y;
            ASSERT_EQ(upLeft.At(x, y), downRight.At(31 - x, 31 - y)) << x << "," << y;
        }
    }
    EXPECT_LT(left.hotX, 8);
    EXPECT_GT(right.hotX, 24);
    EXPECT_LT(up.hotY, 8);
    EXPECT_GT(down.hotY, 24);
}

}  // namespace
