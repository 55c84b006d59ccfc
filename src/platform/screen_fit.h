#pragma once
// Where the game's fixed-size screen appears inside a host window of any
// size: scaled to fill as much as it can with its shape kept, centred, with
// bars on two sides. Also maps points and rectangles between the two.

#include <cstdint>

#include "platform/geometry.h"

namespace plat {

struct ScreenFit {
    Size screen{1, 1};  // the game's screen
    Rect picture;       // where it appears in the window
};

ScreenFit FitScreen(Size window, Size screen);

// The screen pixel under a window point; points on the bars give the nearest
// edge pixel (so the edge-scroll strips work when the pointer rests on a bar).
Point WindowToScreen(const ScreenFit& fit, Point window);

// The window point at the centre of a screen pixel.
Point ScreenToWindow(const ScreenFit& fit, Point screen);

// The window area covering a screen rectangle (at least one pixel each way).
Rect ScreenRectToWindow(const ScreenFit& fit, const Rect& screen);

// How many window pixels a screen pixel takes, rounded, at least 1: the
// scale for things drawn at screen resolution, such as cursors.
int32_t WholeScale(const ScreenFit& fit);

// How the picture is sampled. At 1:1 and above every window pixel shows one
// whole screen pixel (nearest neighbour: sharp edges, no blur). Below 1:1
// nearest neighbour would drop whole rows and columns and cut letters apart,
// so the picture is filtered linearly instead.
enum class ScreenFilter { Nearest, Linear };
ScreenFilter FilterFor(const ScreenFit& fit);

}  // namespace plat
