#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace standin {

void Canvas::FillRect(int x, int y, int w, int h, uint8_t c) {
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, width), y1 = std::min(y + h, height);
    for (int yy = y0; yy < y1; ++yy) {
        for (int xx = x0; xx < x1; ++xx) pixels[Index(xx, yy)] = c;
    }
}

void Canvas::FrameRect(int x, int y, int w, int h, uint8_t c) {
    if (w <= 0 || h <= 0) return;
    FillRect(x, y, w, 1, c);
    FillRect(x, y + h - 1, w, 1, c);
    FillRect(x, y, 1, h, c);
    FillRect(x + w - 1, y, 1, h, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, uint8_t c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (true) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::FillPolygon(const std::vector<float>& xy, uint8_t c) {
    const size_t n = xy.size() / 2;
    if (n < 3) return;
    float minY = xy[1], maxY = xy[1];
    for (size_t i = 0; i < n; ++i) {
        minY = std::min(minY, xy[2 * i + 1]);
        maxY = std::max(maxY, xy[2 * i + 1]);
    }
    int yStart = std::max(0, static_cast<int>(std::floor(minY)));
    int yEnd = std::min(height - 1, static_cast<int>(std::ceil(maxY)));
    std::vector<float> crossings;
    for (int y = yStart; y <= yEnd; ++y) {
        const float sy = y + 0.5f;
        crossings.clear();
        for (size_t i = 0; i < n; ++i) {
            float ax = xy[2 * i], ay = xy[2 * i + 1];
            float bx = xy[2 * ((i + 1) % n)], by = xy[2 * ((i + 1) % n) + 1];
            if ((ay <= sy && by > sy) || (by <= sy && ay > sy)) {
                crossings.push_back(ax + (sy - ay) * (bx - ax) / (by - ay));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            int xa = std::max(0, static_cast<int>(std::ceil(crossings[i] - 0.5f)));
            int xb = std::min(width - 1, static_cast<int>(std::ceil(crossings[i + 1] - 0.5f)) - 1);
            for (int x = xa; x <= xb; ++x) pixels[Index(x, y)] = c;
        }
    }
}

void Canvas::FillEllipse(float cx, float cy, float rx, float ry, uint8_t c) {
    if (rx <= 0 || ry <= 0) return;
    int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float nx = (x + 0.5f - cx) / rx, ny = (y + 0.5f - cy) / ry;
            if (nx * nx + ny * ny <= 1.0f) Set(x, y, c);
        }
    }
}

void Canvas::Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy, bool keyed) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!src.Inside(sx + x, sy + y)) continue;
            uint8_t c = src.pixels[src.Index(sx + x, sy + y)];
            if (keyed && c == 0) continue;
            Set(dx + x, dy + y, c);
        }
    }
}

void Canvas::BlitMask(const Canvas& mask, int dx, int dy, uint8_t c) {
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (mask.pixels[mask.Index(x, y)] != 0) Set(dx + x, dy + y, c);
        }
    }
}

}  // namespace standin
