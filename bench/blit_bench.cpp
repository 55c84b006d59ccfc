// Speed of the renderer's inner loops: a full screen of 64 x 40 map tiles at
// each zoom divisor, a layer composite and a line of text.

#include <benchmark/benchmark.h>

#include <vector>

#include "gfx/blit.h"
#include "gfx/font_tables.h"
#include "gfx/text.h"

namespace {

struct Pixels {
    std::vector<uint8_t> bytes;
    PixelSurface surface;
    Pixels(int32_t w, int32_t h) : bytes(size_t(PaddedStride(w)) * size_t(h)) {
        surface = {bytes.data(), w, h, PaddedStride(w)};
    }
};

// A tile sheet of 15 x 12 cells whose cells are diamonds on a zero
// background, like the ground tiles.
Pixels TileSheet() {
    Pixels sheet(960, 480);
    for (int32_t y = 0; y < 480; ++y) {
        for (int32_t x = 0; x < 960; ++x) {
            const int32_t cx = x % 64, cy = y % 40;
            const int32_t dx = cx < 32 ? 31 - cx : cx - 32, dy = cy < 20 ? 19 - cy : cy - 20;
            if (dx * 20 + dy * 32 < 640) sheet.bytes[size_t(y) * 960 + x] = uint8_t(20 + cx);
        }
    }
    return sheet;
}

void BM_TileScreen(benchmark::State& state) {
    const int32_t d = int32_t(state.range(0));
    const Pixels sheet = TileSheet();
    Pixels screen(1024, 768);
    for (auto _ : state) {
        for (int32_t row = 0; row < 768 * d / 20 + 1; ++row) {
            for (int32_t col = 0; col < 1024 * d / 64 + 1; ++col) {
                BlitKeyedClipped(screen.surface, sheet.surface,
                                 {col * 64 / d + (row & 1) * 32 / d, row * 20 / d, (col % 15) * 64,
                                  (row % 12) * 40, 64, 40},
                                 0, d, {0, 1024, 0, 768});
            }
        }
        benchmark::DoNotOptimize(screen.bytes.data());
    }
}
BENCHMARK(BM_TileScreen)->Arg(1)->Arg(2)->Arg(4)->Arg(16);

void BM_LayerComposite(benchmark::State& state) {
    Pixels layer(860, 766), target(860, 766);
    for (size_t i = 0; i < layer.bytes.size(); i += 7) layer.bytes[i] = 5;
    for (auto _ : state) {
        BlitKeyed(target.surface, layer.surface, {0, 0, 0, 0, 860, 766}, 0, 1);
        benchmark::DoNotOptimize(target.bytes.data());
    }
}
BENCHMARK(BM_LayerComposite);

void BM_TextLine(benchmark::State& state) {
    Pixels strip(16, 16 * 230);
    for (size_t i = 0; i < strip.bytes.size(); i += 3) strip.bytes[i] = 1;
    Pixels target(640, 32);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawTextOnSurface(target.surface,
                                                   "Revenue (Sports equip.): 1,234,567", 4, 4,
                                                   {strip.surface, kFont1Advances, 16, 16, 10}));
    }
}
BENCHMARK(BM_TextLine);

}  // namespace
