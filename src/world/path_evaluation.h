#pragma once
// Per-field exit masks of the automatic path planner: the directions in which
// a planned road or track may step from a field to its neighbour.

#include <cstdint>

uint8_t EvaluateRoadPathField(int32_t x, int32_t y);
// For a track of way type `wayType` (4..6).
uint8_t EvaluateTrackPathField(int32_t x, int32_t y, int32_t wayType);
