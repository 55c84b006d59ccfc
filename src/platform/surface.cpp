// Resizing a pixel surface while keeping what stays visible.

#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace plat {

void Surface::Resize(int newWidth, int newHeight) {
    newWidth = std::max(0, newWidth);
    newHeight = std::max(0, newHeight);
    if (newWidth == width && newHeight == height) return;
    const int newStride = (newWidth + 3) & ~3;
    std::vector<uint8_t> fresh(static_cast<size_t>(newStride) * newHeight, 0);
    const int keepWidth = std::min(width, newWidth);
    const int keepHeight = std::min(height, newHeight);
    for (int y = 0; keepWidth > 0 && y < keepHeight; ++y) {
        std::memcpy(fresh.data() + static_cast<size_t>(y) * newStride, Row(y), keepWidth);
    }
    pixels = std::move(fresh);
    width = newWidth;
    height = newHeight;
    stride = newStride;
}

}  // namespace plat
