#pragma once
// The overlay of the world view: outlines of the marked fields, drawn with
// pens straight onto the window over the finished picture (the next copy of
// the composite erases them).

#include <cstdint>

// What an overlay item draws.
enum class OverlayKind : int32_t { Outline = 0, Arrow = 1, Square = 2, ThickOutline = 3 };

struct OverlayItem {
    int32_t left = 0;  // screen box of the field picture (64 x 40 at zoom 1)
    int32_t right = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t colour = 0;  // outline colour 0..2 (white, yellow, red), or the arrow orientation
    int32_t shape = 0;   // tile shape 0..14
    int32_t flag_a = 0;  // 1 for tile outlines
    int32_t flag_b = 0;
    OverlayKind kind = OverlayKind::Outline;
};

// Outlines of one colour drawn by one overlay at most; later items are not
// drawn at all.
constexpr int32_t kMaxOverlayOutlines = 1000;
