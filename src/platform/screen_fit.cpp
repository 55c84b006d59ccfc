#include "platform/screen_fit.h"

#include <algorithm>

namespace plat {
namespace {

int32_t Scale(int64_t value, int64_t numerator, int64_t denominator) {
    if (denominator <= 0) return 0;
    // Floor division, also for values left of or above the picture.
    int64_t product = value * numerator;
    int64_t quotient = product / denominator;
    if ((product % denominator != 0) && (product < 0)) --quotient;
    return static_cast<int32_t>(quotient);
}

}  // namespace

ScreenFit FitScreen(int32_t windowWidth, int32_t windowHeight, int32_t screenWidth,
                    int32_t screenHeight) {
    ScreenFit fit;
    fit.screenWidth = std::max(screenWidth, 1);
    fit.screenHeight = std::max(screenHeight, 1);
    windowWidth = std::max(windowWidth, 0);
    windowHeight = std::max(windowHeight, 0);
    // Compare the shapes without rounding: w/h against sw/sh.
    if (int64_t{windowWidth} * fit.screenHeight > int64_t{windowHeight} * fit.screenWidth) {
        fit.height = windowHeight;
        fit.width = Scale(windowHeight, fit.screenWidth, fit.screenHeight);
    } else {
        fit.width = windowWidth;
        fit.height = Scale(windowWidth, fit.screenHeight, fit.screenWidth);
    }
    fit.x = (windowWidth - fit.width) / 2;
    fit.y = (windowHeight - fit.height) / 2;
    return fit;
}

// Both directions go through pixel centres, as nearest-neighbour sampling
// does, so a screen point survives the trip to the window and back whenever
// the picture is at least as large as the screen.
WindowPoint WindowToScreen(const ScreenFit& fit, int32_t windowX, int32_t windowY) {
    const int32_t x =
        Scale(2 * (int64_t{windowX} - fit.x) + 1, fit.screenWidth, 2 * int64_t{fit.width});
    const int32_t y =
        Scale(2 * (int64_t{windowY} - fit.y) + 1, fit.screenHeight, 2 * int64_t{fit.height});
    return {std::clamp(x, 0, fit.screenWidth - 1), std::clamp(y, 0, fit.screenHeight - 1)};
}

WindowPoint ScreenToWindow(const ScreenFit& fit, int32_t screenX, int32_t screenY) {
    return {fit.x + Scale(2 * int64_t{screenX} + 1, fit.width, 2 * int64_t{fit.screenWidth}),
            fit.y + Scale(2 * int64_t{screenY} + 1, fit.height, 2 * int64_t{fit.screenHeight})};
}

WindowRect ScreenRectToWindow(const ScreenFit& fit, int32_t left, int32_t top, int32_t right,
                              int32_t bottom) {
    const int32_t x0 = Scale(left, fit.width, fit.screenWidth);
    const int32_t y0 = Scale(top, fit.height, fit.screenHeight);
    const int32_t x1 = Scale(right, fit.width, fit.screenWidth);
    const int32_t y1 = Scale(bottom, fit.height, fit.screenHeight);
    return {fit.x + x0, fit.y + y0, std::max(x1 - x0, 1), std::max(y1 - y0, 1)};
}

}  // namespace plat
