#pragma once
// The tests a tunnel or a bridge must pass before it is built, shared by the
// builders and the tool previews so that a preview never shows what the
// builder would refuse.

#include <cstdint>

// Steps from the ramp at (x, y) along its slope to the far portal, or -1 when
// no tunnel may start there: the hill has a gap, a field on the entry's level
// slopes the wrong way, the run meets another tunnel or the map's border, or
// a portal field holds a way or a building or is water.
int32_t TunnelSteps(int32_t x, int32_t y);

// Whether a bridge may stand on the fields low..high of one line (x when
// `along_x`, else y; `line` is the other coordinate): no building or bridge
// beside it or beyond its ends (off the map counts as free), ends that are
// free flat land or ramps rising away from it, and flat span fields carrying
// at most a way that crosses it at a right angle.
bool BridgeSiteFits(bool along_x, int32_t line, int32_t low, int32_t high);
