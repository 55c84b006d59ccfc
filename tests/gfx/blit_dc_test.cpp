// Copying many blocks to the same places in one call gives the pixels of one
// BlitDC per block, for blocks reaching past every edge of either context.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gfx/blit_dc.h"
#include "platform/random.h"

namespace {

struct MemoryContext {
    plat::DcHandle dc = plat::CreateMemoryDC();
    plat::BitmapHandle bitmap;
    MemoryContext(int32_t w, int32_t h) : bitmap(plat::CreateBitmap8(w, h)) {
        dc->SelectBitmap(bitmap);
    }
    std::vector<uint8_t> Bytes() const {
        const uint8_t* p = bitmap->Pixels();
        return {p, p + size_t(bitmap->Stride()) * size_t(bitmap->Height())};
    }
    void Fill(uint32_t seed) {
        uint8_t* p = bitmap->Pixels();
        for (size_t i = 0; i < size_t(bitmap->Stride()) * size_t(bitmap->Height()); ++i) {
            p[i] = uint8_t(seed + i * 7 + plat::Rand() % 3);
        }
    }
};

}  // namespace

TEST(BlitDCSamePlaces, MatchesOneBlitDCPerBlock) {
    plat::Srand(4711);
    for (int round = 0; round < 200; ++round) {
        const int32_t sw = 1 + plat::Rand() % 90, sh = 1 + plat::Rand() % 70;
        const int32_t dw = 1 + plat::Rand() % 90, dh = 1 + plat::Rand() % 70;
        MemoryContext src(sw, sh), expected(dw, dh), actual(dw, dh);
        src.Fill(round);
        expected.Fill(round * 3);
        std::memcpy(actual.bitmap->Pixels(), expected.bitmap->Pixels(), expected.Bytes().size());
        std::vector<SamePlaceBlock> blocks;
        const int32_t count = plat::Rand() % 40;
        for (int32_t i = 0; i < count; ++i) {
            const SamePlaceBlock b{plat::Rand() % 120 - 20, plat::Rand() % 100 - 20,
                                   plat::Rand() % 70 - 5, plat::Rand() % 50 - 5};
            blocks.push_back(b);
            BlitDC(*expected.dc, b.x, b.y, b.w, b.h, *src.dc, b.x, b.y);
        }
        BlitDCSamePlaces(*actual.dc, *src.dc, blocks.data(), blocks.size());
        ASSERT_EQ(expected.Bytes(), actual.Bytes()) << "round " << round;
    }
}
