#pragma once
// An 8-bit pixel surface: palette indices, rows top-down, each row `stride`
// bytes long (the width padded to a multiple of 4). Every window keeps one of
// its client size; the drawing layer paints into it and composes the surfaces
// of all visible windows into the virtual screen.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

struct Surface {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<uint8_t> pixels;

    // Changes the size. Pixels inside both the old and the new size keep
    // their value; new pixels are 0.
    void Resize(int newWidth, int newHeight);

    uint8_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * stride; }
    const uint8_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * stride; }
};

}  // namespace plat
