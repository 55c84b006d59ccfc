#pragma once
// Where the game's fixed-size screen appears inside a host window of any
// size: scaled to fill as much as it can with its shape kept, centred, with
// bars on two sides. Also maps points and rectangles between the two.

#include <cstdint>

namespace plat {

struct ScreenFit {
    int32_t screenWidth = 0;  // the game's screen
    int32_t screenHeight = 0;
    int32_t x = 0;  // the picture inside the window
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct WindowPoint {
    int32_t x;
    int32_t y;
};

struct WindowRect {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

ScreenFit FitScreen(int32_t windowWidth, int32_t windowHeight, int32_t screenWidth,
                    int32_t screenHeight);

// The screen pixel under a window point; points on the bars give the nearest
// edge pixel (so the edge-scroll strips work when the pointer rests on a bar).
WindowPoint WindowToScreen(const ScreenFit& fit, int32_t windowX, int32_t windowY);

// The window point at the centre of a screen pixel.
WindowPoint ScreenToWindow(const ScreenFit& fit, int32_t screenX, int32_t screenY);

// The window area covering the screen pixels left..right-1, top..bottom-1
// (at least one window pixel each way).
WindowRect ScreenRectToWindow(const ScreenFit& fit, int32_t left, int32_t top, int32_t right,
                              int32_t bottom);

}  // namespace plat
