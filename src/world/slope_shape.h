#pragma once
// The slope shape of a field from the heights of its four corners: the height
// stored in field (x, y) is that of its north-west corner.

#include <cstdint>

// Slope shape 0..14 of field (x, y) (0 flat, 1..4 the plain ramps rising to
// N, E, S, W); -2 off the map. Corners beyond the last two columns and rows
// are not taken, so those fields read flatter than their corners.
int32_t GetSlopeShape(int32_t x, int32_t y);

// The slope shape of corner height differences d10 = h(x+1, y) - h(x, y),
// d01 = h(x, y+1) - h(x, y), d11 = h(x+1, y+1) - h(x, y); 0 for differences
// that no smoothed map has.
int32_t SlopeShapeFromDiffs(int32_t d10, int32_t d01, int32_t d11);

// Slope classes of the shapes 0..14: rising (no corner below the north-west
// corner: 0, 2, 3, 5, 6, 7, 10, 14) or dipping (1, 4, 8, 9, 11, 12, 13).
bool IsRisingShape(int32_t shape);
