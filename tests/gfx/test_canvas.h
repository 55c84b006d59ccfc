#pragma once
// An owned pixel block for the drawing tests, its stride padded like a
// device bitmap's; a copy views its own bytes.

#include <cstdint>
#include <vector>

#include "gfx/pixel_surface.h"

namespace gfxtest {

struct Canvas {
    std::vector<uint8_t> bytes;
    PixelSurface surface;
    Canvas(int32_t w, int32_t h, uint8_t fill = 0)
        : bytes(size_t(PaddedStride(w)) * size_t(h), fill) {
        surface = {bytes.data(), w, h, PaddedStride(w)};
    }
    Canvas(const Canvas& other) : bytes(other.bytes), surface(other.surface) {
        surface.pixels = bytes.data();
    }
    Canvas& operator=(const Canvas& other) {
        bytes = other.bytes;
        surface = other.surface;
        surface.pixels = bytes.data();
        return *this;
    }
    uint8_t& At(int32_t x, int32_t y) { return bytes[size_t(y) * surface.stride + size_t(x)]; }
    uint8_t Get(int32_t x, int32_t y) const {
        return bytes[size_t(y) * surface.stride + size_t(x)];
    }
};

}  // namespace gfxtest
