#pragma once
// Device-independent bitmap headers as they lie in memory and in .jgd files.

#include <cstdint>

#include "platform/colour.h"

namespace plat {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitFields = 3;

// Colour usage of a DIB's colour table.
constexpr int kDibRgbColours = 0;  // RgbQuads
constexpr int kDibPalColours = 1;  // 16-bit indices into the selected palette

struct BitmapInfoHeader {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;  // negative: rows top-down
    uint16_t planes = 1;
    uint16_t bitCount = 8;
    uint32_t compression = kBiRgb;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t coloursUsed = 0;
    uint32_t coloursImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

// A header with a full 256-entry colour table (1,064 bytes).
struct BitmapInfo256 {
    BitmapInfoHeader header;
    RgbQuad colours[256];
};
static_assert(sizeof(BitmapInfo256) == 1064);

// Bytes per row of a DIB: rows are padded to a multiple of 4 bytes.
constexpr int32_t DibStride(int32_t width, int32_t bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

}  // namespace plat
