#include "platform/screen_fit.h"

#include <algorithm>

namespace plat {
namespace {

// value * numerator / denominator rounded down, also for negative values.
int32_t Scale(int64_t value, int64_t numerator, int64_t denominator) {
    if (denominator <= 0) return 0;
    const int64_t product = value * numerator;
    int64_t quotient = product / denominator;
    if (product % denominator != 0 && product < 0) --quotient;
    return static_cast<int32_t>(quotient);
}

}  // namespace

ScreenFit FitScreen(Size window, Size screen) {
    ScreenFit fit;
    fit.screen = {std::max(screen.width, 1), std::max(screen.height, 1)};
    const int32_t windowWidth = std::max(window.width, 0);
    const int32_t windowHeight = std::max(window.height, 0);
    int32_t width;
    int32_t height;
    // Compare the shapes without rounding: w/h against sw/sh.
    if (int64_t{windowWidth} * fit.screen.height > int64_t{windowHeight} * fit.screen.width) {
        height = windowHeight;
        width = Scale(windowHeight, fit.screen.width, fit.screen.height);
    } else {
        width = windowWidth;
        height = Scale(windowWidth, fit.screen.height, fit.screen.width);
    }
    const int32_t left = (windowWidth - width) / 2;
    const int32_t top = (windowHeight - height) / 2;
    fit.picture = {left, top, left + width, top + height};
    return fit;
}

// Both directions go through pixel centres, as nearest-neighbour sampling
// does, so a screen point survives the trip to the window and back whenever
// the picture is at least as large as the screen.
Point WindowToScreen(const ScreenFit& fit, Point window) {
    const int32_t x = Scale(2 * (int64_t{window.x} - fit.picture.left) + 1, fit.screen.width,
                            2 * int64_t{fit.picture.Width()});
    const int32_t y = Scale(2 * (int64_t{window.y} - fit.picture.top) + 1, fit.screen.height,
                            2 * int64_t{fit.picture.Height()});
    return {std::clamp(x, 0, fit.screen.width - 1), std::clamp(y, 0, fit.screen.height - 1)};
}

Point ScreenToWindow(const ScreenFit& fit, Point screen) {
    return {fit.picture.left + Scale(2 * int64_t{screen.x} + 1, fit.picture.Width(),
                                     2 * int64_t{fit.screen.width}),
            fit.picture.top + Scale(2 * int64_t{screen.y} + 1, fit.picture.Height(),
                                    2 * int64_t{fit.screen.height})};
}

Rect ScreenRectToWindow(const ScreenFit& fit, const Rect& screen) {
    const int32_t left = Scale(screen.left, fit.picture.Width(), fit.screen.width);
    const int32_t top = Scale(screen.top, fit.picture.Height(), fit.screen.height);
    const int32_t right =
        std::max(Scale(screen.right, fit.picture.Width(), fit.screen.width), left + 1);
    const int32_t bottom =
        std::max(Scale(screen.bottom, fit.picture.Height(), fit.screen.height), top + 1);
    return Rect{left, top, right, bottom}.Offset(fit.picture.left, fit.picture.top);
}

ScreenFilter FilterFor(const ScreenFit& fit) {
    const bool shrunk =
        fit.picture.Width() < fit.screen.width || fit.picture.Height() < fit.screen.height;
    return shrunk ? ScreenFilter::Linear : ScreenFilter::Nearest;
}

int32_t WholeScale(const ScreenFit& fit) {
    return std::max(1, (fit.picture.Height() + fit.screen.height / 2) / fit.screen.height);
}

}  // namespace plat
