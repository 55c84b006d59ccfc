#include "gfx/blit.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/random.h"

namespace {

// An owned pixel block for tests, stride padded like a device bitmap.
struct Canvas {
    std::vector<uint8_t> bytes;
    PixelSurface surface;

    Canvas(int32_t w, int32_t h, uint8_t fill = 0)
        : bytes(size_t(PaddedStride(w)) * size_t(h), fill) {
        surface = {bytes.data(), w, h, PaddedStride(w)};
    }
    uint8_t& At(int32_t x, int32_t y) { return bytes[size_t(y) * surface.stride + size_t(x)]; }
    uint8_t Get(int32_t x, int32_t y) const {
        return bytes[size_t(y) * surface.stride + size_t(x)];
    }
};

// Source picture whose pixel (x, y) is a recognisable non-zero value.
Canvas Numbered(int32_t w, int32_t h) {
    Canvas c(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) c.At(x, y) = uint8_t(1 + (x + 7 * y) % 250);
    return c;
}

// The meaning of every copy without its loop structure: destination pixel
// (x + i, y + j) gets source pixel (sx + i d, sy + j d) when both lie inside
// their pictures (and the clip), the source pixel is not the key.
void Reference(Canvas& dst, const Canvas& src, BlitRect r, uint8_t key, int32_t d, ClipRect clip,
               int mask_colour = -1) {
    const int32_t cl = std::max(clip.left, 0), ct = std::max(clip.top, 0);
    const int32_t cr = std::min(clip.right, dst.surface.width);
    const int32_t cb = std::min(clip.bottom, dst.surface.height);
    for (int32_t j = 0; j < r.height / d; ++j) {
        for (int32_t i = 0; i < r.width / d; ++i) {
            const int32_t X = r.x + i, Y = r.y + j;
            const int32_t SX = r.src_x + i * d, SY = r.src_y + j * d;
            if (X < cl || X >= cr || Y < ct || Y >= cb) continue;
            if (SX < 0 || SY < 0 || SX >= src.surface.width || SY >= src.surface.height) continue;
            const uint8_t s = src.Get(SX, SY);
            if (s != key) dst.At(X, Y) = mask_colour < 0 ? s : uint8_t(mask_colour);
        }
    }
}

ClipRect NoClip() {
    return {-1000000, 1000000, -1000000, 1000000};
}

TEST(BlitKeyed, MatchesThePerPixelMeaningAtEveryEdgeAndDivisor) {
    plat::Srand(1234);
    const int32_t divisors[] = {1, 2, 4, 16};
    for (int round = 0; round < 3000; ++round) {
        const int32_t sw = 1 + plat::Rand() % 90, sh = 1 + plat::Rand() % 50;
        Canvas src(sw, sh);
        for (auto& b : src.bytes) b = (plat::Rand() % 3 == 0) ? uint8_t(plat::Rand() % 256) : 0;
        const int32_t dw = 1 + plat::Rand() % 70, dh = 1 + plat::Rand() % 40;
        const int32_t d = divisors[plat::Rand() % 4];
        BlitRect r;
        r.x = plat::Rand() % (dw + 60) - 40;
        r.y = plat::Rand() % (dh + 60) - 40;
        r.width = plat::Rand() % 120;
        r.height = plat::Rand() % 120;
        r.src_y = plat::Rand() % (sh + 10) - 5;
        const int mode = round % 3;  // keyed, clipped, mask
        ClipRect clip = NoClip();
        if (mode == 1) {
            clip.left = plat::Rand() % (dw + 10) - 5;
            clip.top = plat::Rand() % (dh + 10) - 5;
            clip.right = clip.left + plat::Rand() % (dw + 10);
            clip.bottom = clip.top + plat::Rand() % (dh + 10);
        }
        // Keep clear of the right-edge wrap rule, which has its own test.
        const int32_t first_column = std::max({r.x, 0, mode == 1 ? clip.left : 0});
        const int32_t shift = (first_column - r.x) * d;
        r.src_x = plat::Rand() % (sw + 10) - 5;
        if (r.src_x + shift > sw) r.src_x = sw - shift;

        Canvas expected(dw, dh, 99), actual(dw, dh, 99);
        Reference(expected, src, r, 0, d, clip, mode == 2 ? 7 : -1);
        if (mode == 0) BlitKeyed(actual.surface, src.surface, r, 0, d);
        if (mode == 1) BlitKeyedClipped(actual.surface, src.surface, r, 0, d, clip);
        if (mode == 2) BlitMask(actual.surface, src.surface, r, 0, d, 7);
        ASSERT_EQ(expected.bytes, actual.bytes)
            << "round " << round << " mode " << mode << " d " << d << " at " << r.x << "," << r.y
            << " src " << r.src_x << "," << r.src_y << " size " << r.width << "x" << r.height;
    }
}

// A source x past the sheet's width reads its last 64-pixel cell; a sheet
// narrower than 64 reads from a negative column, which counts as transparent.
TEST(BlitKeyed, SourceXPastTheWidthReadsTheLastCell) {
    const Canvas sheet = Numbered(128, 8);
    Canvas a(64, 8), b(64, 8);
    BlitKeyed(a.surface, sheet.surface, {0, 0, 500, 0, 64, 8}, 0, 1);
    BlitKeyed(b.surface, sheet.surface, {0, 0, 64, 0, 64, 8}, 0, 1);
    EXPECT_EQ(a.bytes, b.bytes);
    const Canvas narrow = Numbered(40, 4);
    Canvas c(64, 4, 200);
    BlitKeyed(c.surface, narrow.surface, {0, 0, 41, 0, 64, 4}, 0, 1);
    EXPECT_EQ(c.Get(23, 0), 200);
    EXPECT_EQ(c.Get(24, 0), narrow.Get(0, 0));
    EXPECT_EQ(c.Get(63, 3), narrow.Get(39, 3));
}

// Groups of four zero source bytes are skipped whatever the key, so zeros
// inside a group with ink are drawn when the key is another colour.
TEST(BlitKeyed, ZeroGroupsAreSkippedWhateverTheKey) {
    Canvas src(9, 1);
    const uint8_t row[9] = {0, 0, 0, 0, 5, 0, 16, 0, 0};
    std::copy(row, row + 9, src.bytes.begin());
    Canvas dst(9, 1, 77);
    BlitKeyed(dst.surface, src.surface, {0, 0, 0, 0, 9, 1}, 16, 1);
    const std::vector<uint8_t> want = {77, 77, 77, 77, 5, 0, 77, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(dst.bytes.begin(), dst.bytes.begin() + 9), want);
    // d = 2 tests eight source bytes per group, even those it does not sample.
    Canvas src2(16, 2);
    src2.At(9, 0) = 3;
    Canvas dst2(8, 1, 77);
    BlitKeyed(dst2.surface, src2.surface, {0, 0, 0, 0, 16, 2}, 16, 2);
    EXPECT_EQ(dst2.bytes, (std::vector<uint8_t>{77, 77, 77, 77, 0, 0, 0, 0}));
}

TEST(BlitKeyed, NothingForBadDivisorsEmptyImagesOrEmptyFills) {
    const Canvas src = Numbered(32, 32);
    Canvas dst(32, 32, 9);
    const std::vector<uint8_t> before = dst.bytes;
    PixelSurface empty;
    for (int32_t d : {0, 3, 8, -1, 32}) {
        BlitKeyed(dst.surface, src.surface, {0, 0, 0, 0, 32, 32}, 0, d);
        BlitMask(dst.surface, src.surface, {0, 0, 0, 0, 32, 32}, 0, d, 1);
        BlitKeyedClipped(dst.surface, src.surface, {0, 0, 0, 0, 32, 32}, 0, d, NoClip());
    }
    BlitKeyed(dst.surface, empty, {0, 0, 0, 0, 32, 32}, 0, 1);
    BlitKeyed(empty, src.surface, {0, 0, 0, 0, 32, 32}, 0, 1);
    FillSurface(empty, 0, 0, 5, 5, 1);
    FillSurface(dst.surface, 2, 2, 0, 5, 4);
    FillSurface(dst.surface, 40, 0, 5, 5, 4);
    EXPECT_EQ(dst.bytes, before);
    // Fills are cut at the edges.
    FillSurface(dst.surface, -5, 30, 10, 10, 4);
    EXPECT_EQ(dst.Get(4, 31), 4);
    EXPECT_EQ(dst.Get(5, 31), 9);
    EXPECT_EQ(dst.Get(4, 29), 9);
}

// The one-pass compose gives the pixels of a copy of the base followed by
// key-0 copies of the middle and front layers, at every edge and width.
TEST(ComposeLayers, MatchesCopyThenTwoKeyedCopies) {
    plat::Srand(4321);
    for (int round = 0; round < 400; ++round) {
        const int32_t w = 1 + plat::Rand() % 70, h = 1 + plat::Rand() % 20;
        Canvas base(w, h), middle(w, h), front(w, h);
        for (Canvas* c : {&base, &middle, &front}) {
            for (auto& b : c->bytes) b = plat::Rand() % 2 == 0 ? uint8_t(plat::Rand() % 256) : 0;
        }
        const int32_t x = plat::Rand() % (w + 20) - 10, y = plat::Rand() % (h + 10) - 5;
        const int32_t cw = plat::Rand() % (w + 20), ch = plat::Rand() % (h + 10);
        Canvas expected(w, h, 99), actual(w, h, 99);
        CopyPixels(expected.surface, x, y, base.surface, x, y, cw, ch);
        BlitKeyed(expected.surface, middle.surface, {x, y, x, y, cw, ch}, 0, 1);
        BlitKeyed(expected.surface, front.surface, {x, y, x, y, cw, ch}, 0, 1);
        ASSERT_TRUE(ComposeLayers(actual.surface, {base.surface, middle.surface, front.surface}, x,
                                  y, cw, ch));
        ASSERT_EQ(expected.bytes, actual.bytes) << "round " << round;
    }
    // Layers of differing sizes or a layer that is the target: not composed.
    Canvas a(8, 8, 1), b(9, 8, 2), target(8, 8, 3);
    EXPECT_FALSE(ComposeLayers(target.surface, {a.surface, b.surface, a.surface}, 0, 0, 8, 8));
    EXPECT_FALSE(ComposeLayers(a.surface, {a.surface, a.surface, a.surface}, 0, 0, 8, 8));
    EXPECT_EQ(target.bytes, std::vector<uint8_t>(target.bytes.size(), 3));
}

// Negative clip edges mean the image edge.
TEST(BlitKeyedClipped, NegativeClipEdgesMeanTheImageEdge) {
    const Canvas src = Numbered(16, 16);
    Canvas a(16, 16), b(16, 16);
    BlitKeyedClipped(a.surface, src.surface, {2, 3, 0, 0, 16, 16}, 0, 1, {-50, 10, -7, 12});
    BlitKeyedClipped(b.surface, src.surface, {2, 3, 0, 0, 16, 16}, 0, 1, {0, 10, 0, 12});
    EXPECT_EQ(a.bytes, b.bytes);
    EXPECT_EQ(a.Get(9, 11), src.Get(7, 8));
    EXPECT_EQ(a.Get(10, 3), 0);
}

}  // namespace
