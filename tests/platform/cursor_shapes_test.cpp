#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/cursor_shapes.h"

namespace {

// Every game cursor is drawn with ink near its hot spot at both scales, the
// host draws the arrow itself, and opposite edge arrows are mirror images.
TEST(CursorShapes, GameCursorsAreDrawnAroundTheirHotSpotsAndMirrored) {
    for (int32_t id : {151, 152, 153, 154, 155, 156, 157, 158, 198, 200, 201, 204, 209, 210, 211}) {
        for (int32_t scale : {1, 2}) {
            const plat::CursorShape shape = plat::DrawGameCursor(id, scale);
            ASSERT_EQ(shape.size, 32 * scale) << id;
            bool near = false;
            for (int y = 0; y < shape.size; ++y) {
                for (int x = 0; x < shape.size; ++x) {
                    near |= shape.At(x, y) != plat::CursorShape::kClear &&
                            std::abs(x - shape.hotX) <= 2 * scale &&
                            std::abs(y - shape.hotY) <= 2 * scale;
                }
            }
            EXPECT_TRUE(near) << id;
        }
    }
    EXPECT_EQ(plat::DrawGameCursor(32512, 1).size, 0);

    const plat::CursorShape left = plat::DrawGameCursor(151, 1),
                            right = plat::DrawGameCursor(154, 1), up = plat::DrawGameCursor(153, 1),
                            down = plat::DrawGameCursor(152, 1);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(left.At(x, y), right.At(31 - x, y)) << x << "," << y;
            ASSERT_EQ(up.At(x, y), down.At(x, 31 - y)) << x << "," << y;
            ASSERT_EQ(up.At(x, y), left.At(y, x)) << x << "," << y;
        }
    }
    EXPECT_LT(left.hotX, 8);
    EXPECT_GT(down.hotY, 24);
}

}  // namespace
