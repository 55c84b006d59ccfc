#pragma once
// An 8-bit picture in memory (top-down rows, one palette index per pixel) and
// the small set of drawing operations the generator needs.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace standin {

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    Canvas() = default;
    Canvas(int w, int h, uint8_t fill = 0)
        : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t Get(int x, int y) const { return Inside(x, y) ? pixels[Index(x, y)] : 0; }
    void Set(int x, int y, uint8_t c) {
        if (Inside(x, y)) pixels[Index(x, y)] = c;
    }
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * width + x; }

    void FillRect(int x, int y, int w, int h, uint8_t c);
    // One-pixel outline of the rectangle.
    void FrameRect(int x, int y, int w, int h, uint8_t c);
    void Line(int x0, int y0, int x1, int y1, uint8_t c);
    // Fills a convex or concave polygon by the even-odd rule, sampling pixel
    // centres; points are in pixels (corner coordinates).
    void FillPolygon(const std::vector<float>& xy, uint8_t c);
    void FillEllipse(float cx, float cy, float rx, float ry, uint8_t c);
    // Copies a rectangle of another canvas; with keyed set, source 0 is skipped.
    void Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy, bool keyed);
    // Every non-zero source pixel becomes colour c (text and shapes from masks).
    void BlitMask(const Canvas& mask, int dx, int dy, uint8_t c);
};

}  // namespace standin
