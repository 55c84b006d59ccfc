#pragma once
// Taking a building off the field grid.

#include <cstdint>

// Detaches the building standing on (x, y) from every city whose area meets
// the w x h rectangle at (x, y) (its ApplyAttraction with -1) and clears the
// building bits of the rectangle's fields: the building word, the building
// flag and the owner; the fields are marked changed. Nothing when (x, y) is
// off the map.
void ClearBuildingFootprint(int32_t x, int32_t y, int32_t w, int32_t h);
