#pragma once
// The game's own mouse cursors, drawn by the program: white shapes with a
// black outline on a transparent square. The windowed back end turns them
// into host cursors.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

struct CursorShape {
    enum Pixel : uint8_t { kClear = 0, kBlack = 1, kWhite = 2 };
    int32_t size = 0;  // width and height
    int32_t hotX = 0;
    int32_t hotY = 0;
    std::vector<uint8_t> pixels;  // size * size Pixel values, rows top-down

    uint8_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * size + x]; }
};

// The shape of one of the game's cursors (edge-scroll arrows 151-158, tool
// cursors 198, 200, 201, 204, 209, 210, 211), each pixel drawn as a
// scale x scale block. Empty (size 0) for other ids, which are the host's
// standard cursors.
CursorShape DrawGameCursor(int32_t cursorId, int32_t scale);

}  // namespace plat
