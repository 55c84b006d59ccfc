#pragma once
// Where two pictures of the screen differ, as rectangles: each row's runs of
// differing pixels (runs closer than kChangeGap pixels joined), and the runs
// of consecutive rows that overlap joined into one rectangle. Every differing
// pixel lies in a rectangle, and a rectangle holds no column or row of equal
// pixels at its edges beyond the gap, so a moving sprite gives about its own
// old and new place.

#include <vector>

#include "platform/geometry.h"
#include "platform/surface.h"

namespace plat {

inline constexpr int32_t kChangeGap = 32;

// Both pictures have the same size.
std::vector<Rect> ChangedRects(const Surface& before, const Surface& after);
// The same within `area` only (cut to the pictures).
std::vector<Rect> ChangedRects(const Surface& before, const Surface& after, const Rect& area);

// Rectangles that overlap joined into the rectangle around them, until no
// two overlap; empty ones dropped. Covers every pixel the input covers.
std::vector<Rect> JoinOverlapping(std::vector<Rect> rects);

}  // namespace plat
