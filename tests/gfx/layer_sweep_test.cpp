// The sweep that composes changed rectangles and draws pictures beneath two
// keyed layers gives the pixels of the step-by-step passes it replaces: a
// compose per rectangle, then per picture a key-0 copy covered by both
// layers. Also the span loops it is made of, at every run length.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gfx/blit.h"
#include "gfx/layer_spans.h"
#include "gfx/layer_sweep.h"
#include "platform/random.h"
#include "test_canvas.h"

namespace {

using gfxtest::Canvas;

// Bytes that are 0 about `zero_share` of the time (in percent), else any
// colour.
void Scatter(Canvas& c, int32_t zero_share) {
    for (auto& b : c.bytes) {
        b = static_cast<int32_t>(plat::Rand() % 100) < zero_share ? 0 : uint8_t(plat::Rand() % 256);
    }
}

// A rectangle lying within w x h.
PixelRect RandomRect(int32_t w, int32_t h) {
    const int32_t left = plat::Rand() % w;
    const int32_t top = plat::Rand() % h;
    const int32_t right = std::min(w, left + 1 + plat::Rand() % 60);
    const int32_t bottom = std::min(h, top + 1 + plat::Rand() % 40);
    return {left, top, right, bottom};
}

}  // namespace

TEST(LayerSweep, MatchesComposeThenCoveredCopiesInOrder) {
    plat::Srand(2121);
    LayerSweep sweep;
    for (int round = 0; round < 300; ++round) {
        const int32_t w = 20 + plat::Rand() % 200, h = 10 + plat::Rand() % 120;
        Canvas base(w, h), middle(w, h), front(w, h), sheet(96, 64), start(w, h);
        Scatter(base, 10);
        Scatter(middle, round % 3 == 0 ? 100 : 85);  // sometimes empty, as often in play
        Scatter(front, 80);
        Scatter(sheet, 40);
        Scatter(start, 0);
        const LayerStack layers{base.surface, middle.surface, front.surface};
        Canvas expected = start;
        Canvas actual = start;
        sweep.Clear();
        std::vector<PixelRect> rects;
        const int32_t count = plat::Rand() % 30;
        for (int32_t i = 0; i < count; ++i) {
            const PixelRect r = RandomRect(w, h);
            rects.push_back(r);
            sweep.AddRestore(r);
            ASSERT_TRUE(ComposeLayers(expected.surface, layers, r.left, r.top, r.right - r.left,
                                      r.bottom - r.top));
        }
        // Pictures inside the rectangles, some reaching past the sheet or
        // starting beyond its width.
        for (int32_t i = 0; i < count; ++i) {
            const PixelRect& r = rects[plat::Rand() % rects.size()];
            BlitRect b;
            b.x = r.left + plat::Rand() % (r.right - r.left);
            b.y = r.top + plat::Rand() % (r.bottom - r.top);
            b.width = 1 + plat::Rand() % (r.right - b.x);
            b.height = 1 + plat::Rand() % (r.bottom - b.y);
            b.src_x = plat::Rand() % 130 - 10;  // past the width: the last cell
            b.src_y = plat::Rand() % 70 - 10;
            ASSERT_TRUE(sweep.AddPicture(actual.surface, sheet.surface, b));
            BlitKeyed(expected.surface, sheet.surface, b, 0, 1);
            ASSERT_TRUE(CoverWithLayers(expected.surface, middle.surface, front.surface, b.x, b.y,
                                        b.width, b.height));
        }
        // Every other round copies the rectangles into a window of another
        // size as well: the bytes copying them after the sweep gives.
        if (round % 2 == 0) {
            ASSERT_TRUE(sweep.Draw(actual.surface, layers, round));
        } else {
            Canvas window(w - 7 + plat::Rand() % 14, h - 5 + plat::Rand() % 10);
            Scatter(window, 0);
            Canvas expected_window = window;
            ASSERT_TRUE(sweep.Draw(actual.surface, layers, round, &window.surface));
            for (const PixelRect& r : rects) {
                for (int32_t y = r.top; y < std::min(r.bottom, window.surface.height); ++y) {
                    for (int32_t x = r.left; x < std::min(r.right, window.surface.width); ++x) {
                        expected_window.bytes[size_t(y) * size_t(window.surface.stride) + x] =
                            expected.bytes[size_t(y) * size_t(expected.surface.stride) + x];
                    }
                }
            }
            ASSERT_EQ(expected_window.bytes, window.bytes) << "round " << round;
        }
        ASSERT_EQ(expected.bytes, actual.bytes) << "round " << round;
    }
}

// A new revision composes the layers afresh, and a change said to lie
// within a rectangle is taken over that rectangle.
TEST(LayerSweep, ComposesAfreshForANewRevisionOrWithinAChangedRectangle) {
    Canvas base(40, 20, 5), middle(40, 20), front(40, 20), out(40, 20);
    const LayerStack layers{base.surface, middle.surface, front.surface};
    LayerSweep sweep;
    auto restore = [&](uint64_t revision) {
        sweep.Clear();
        sweep.AddRestore({0, 0, 40, 20});
        EXPECT_TRUE(sweep.Draw(out.surface, layers, revision));
        return out.bytes[size_t(3) * size_t(out.surface.stride) + 7];
    };
    EXPECT_EQ(restore(1), 5);
    EXPECT_EQ(restore(1), 5);
    middle.bytes[size_t(3) * size_t(middle.surface.stride) + 7] = 9;
    EXPECT_EQ(restore(2), 9);
    middle.bytes[size_t(3) * size_t(middle.surface.stride) + 7] = 4;
    sweep.LayersChangedIn(layers, 2, {6, 2, 9, 4});
    EXPECT_EQ(restore(2), 4);
    front.bytes[size_t(3) * size_t(front.surface.stride) + 7] = 6;
    sweep.LayersChangedIn(layers, 1, {0, 0, 40, 20});  // not the kept revision: composed afresh
    EXPECT_EQ(restore(3), 6);
}

TEST(LayerSweep, DrawsNothingOnLayersOfAnotherSizeOrSharedMemory) {
    Canvas a(16, 8, 1), b(17, 8, 2), target(16, 8, 3);
    LayerSweep sweep;
    sweep.AddRestore({0, 0, 16, 8});
    EXPECT_FALSE(sweep.Draw(target.surface, {a.surface, b.surface, a.surface}, 0));
    EXPECT_FALSE(sweep.Draw(a.surface, {a.surface, a.surface, a.surface}, 0));
    EXPECT_FALSE(sweep.Draw(target.surface, {a.surface, a.surface, a.surface}, 0, &a.surface));
    EXPECT_EQ(target.bytes, std::vector<uint8_t>(target.bytes.size(), 3));
}

// The span loops at every run length from 0 to 40, each byte checked
// against its one-pixel meaning.
TEST(LayerSpans, EveryRunLengthMatchesThePixelRule) {
    plat::Srand(77);
    constexpr int64_t kSpan = 72;
    for (int64_t count = 0; count <= 64; ++count) {
        for (int round = 0; round < 20; ++round) {
            std::vector<uint8_t> base(kSpan), middle(kSpan), front(kSpan), src(kSpan), out(kSpan);
            for (auto* v : {&base, &middle, &front, &src, &out}) {
                for (auto& b : *v) b = plat::Rand() % 2 == 0 ? 0 : uint8_t(1 + plat::Rand() % 255);
            }
            std::vector<uint8_t> composed = out;
            std::vector<uint8_t> copied = out;
            ComposeSpan(composed.data(), base.data(), middle.data(), front.data(), count);
            std::vector<uint8_t> copied_twice = out;
            CopyRows(copied.data(), 0, src.data(), 0, count, 1, copied_twice.data(), 0);
            std::vector<uint8_t> copied_alone = out;
            CopyRows(copied_alone.data(), 0, src.data(), 0, count, 1);
            EXPECT_EQ(copied_alone, copied) << count;
            // The cover map of the two layers, and a mirror holding `out`.
            std::vector<uint8_t> cover(kSpan), beneath = out, mirror = out;
            for (int64_t i = 0; i < kSpan; ++i)
                cover[i] = middle[i] != 0 || front[i] != 0 ? 0xFF : 0;
            DrawRowsUncovered({beneath.data(), src.data(), cover.data(), mirror.data()}, count, 1);
            EXPECT_EQ(mirror, beneath) << count;
            std::vector<uint8_t> beneath_alone = out;
            DrawRowsUncovered({beneath_alone.data(), src.data(), cover.data(), nullptr}, count, 1);
            EXPECT_EQ(beneath_alone, beneath) << count;
            EXPECT_EQ(copied_twice, copied) << count;
            std::vector<uint8_t> kept = out, kept_cover = out;
            ComposeAndCoverRows({kept.data(), base.data(), middle.data(), front.data()},
                                kept_cover.data(), 0, count, 1);
            EXPECT_EQ(kept, composed) << count;
            for (int64_t i = 0; i < kSpan; ++i) {
                EXPECT_EQ(kept_cover[i], i < count ? cover[i] : out[i]) << count << " " << i;
            }
            for (int64_t i = 0; i < kSpan; ++i) {
                const bool in = i < count;
                const uint8_t layered = front[i] != 0 ? front[i] : middle[i] != 0 ? middle[i] : 0;
                EXPECT_EQ(composed[i], !in            ? out[i]
                                       : layered != 0 ? layered
                                                      : base[i])
                    << count << " " << i;
                EXPECT_EQ(copied[i], in ? src[i] : out[i]) << count << " " << i;
                const bool drawn = in && src[i] != 0 && layered == 0;
                EXPECT_EQ(beneath[i], drawn ? src[i] : out[i]) << count << " " << i;
            }
        }
    }
}
