#pragma once
// A plain view of 8-bit pixels: what the blit, fill and text loops work on.
// Every image record (RawImage, WinGBitmap, PaletteImage) hands out one.

#include <cstdint>

struct PixelSurface {
    uint8_t* pixels = nullptr;  // top row first; null = empty image
    int32_t width = 0;
    int32_t height = 0;  // rows, positive
    int32_t stride = 0;  // bytes from one row to the next

    bool Empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
};

struct ConstPixelSurface {
    const uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;

    ConstPixelSurface() = default;
    ConstPixelSurface(const uint8_t* p, int32_t w, int32_t h, int32_t s)
        : pixels(p), width(w), height(h), stride(s) {}
    ConstPixelSurface(const PixelSurface& s)  // NOLINT: a mutable view reads as well
        : pixels(s.pixels), width(s.width), height(s.height), stride(s.stride) {}

    bool Empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
};

// Row stride of 8-bit device-independent bitmaps: rows padded to 4 bytes.
constexpr int32_t PaddedStride(int32_t width) {
    return (width + 3) & ~3;
}
