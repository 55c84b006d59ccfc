#pragma once
// The world view's answer to whether a field is on screen; the builders use it
// to decide whether a change needs a redraw. The world view implements it.

#include <cstdint>

// 1 when field (x, y) lies inside the visible part of the world view (with a
// margin of 4 fields), else 0.
int32_t IsTileInView(int32_t x, int32_t y);
