#pragma once
// Field animations of the world view: a small picture sequence on the field
// of some buildings, advanced on a timer and drawn through the draw list.
// Types 0..6 loop; types 8..11 are one-shot: they rest on their last frame
// until a random restart runs them for a number of rounds.

#include <cstdint>

// The shown frame of an animation not drawn yet.
constexpr uint8_t kFrameNotShown = 0xFF;

struct ViewAnimation {
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t frame = 0;
    uint8_t prev_frame = 0;
    uint8_t countdown = 0;  // ticks to the next frame, or rounds left (one-shot)
    uint8_t type = 0;
    uint8_t in_view = 0;
    // The frame the last item drew; kFrameNotShown before the first item and
    // after the field left the view. The quiet main loop draws nothing while
    // a screen covers the view, so steps go undrawn there and `prev_frame`
    // alone would not tell the first frame after the cover that this
    // picture is behind; with it, that frame draws the current cell. It also
    // tells which pictures were drawn when their field leaves the view.
    uint8_t shown_frame = kFrameNotShown;
};

// One record per animation type; offsets are zoom-1 pixels from the field
// corner.
struct AnimationType {
    uint8_t width;
    uint8_t height;
    uint8_t layer;  // 0: drawn above everything (kind 10); 1: into the ground (kind 11)
    int8_t dx;
    int8_t dy;
    uint8_t delay;
    uint8_t frame_count;
};

constexpr int32_t kAnimationTypeCount = 12;
constexpr int32_t kFirstOneShotAnimation = 8;
// Ticks without a restart after which RandomAnimation runs.
constexpr int32_t kAnimationRestartTicks = 144;

// The record of an animation type; null for type 7 and unknown types.
const AnimationType* AnimationTypeOf(int32_t type);
