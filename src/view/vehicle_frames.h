#pragma once
// Where a moving part (an engine, a truck, a city car or a wagon) stands on
// the screen and which picture of its strip it shows: the edge indices of its
// direction byte, its field's corner and the rectangle of its picture.

#include <cstdint>

#include "state/lookup_tables.h"

class SPIEL_FELD;

// The edges a part enters and leaves its field by, on screen (0 upper right,
// 1 lower right, 2 lower left, 3 upper left), the place of `to` among the
// three other edges, and the turn index (-1 when the move is no turn).
struct EdgeIndices {
    int32_t from = 0;
    int32_t to = 2;
    int32_t k = 1;
    int32_t turn = -1;
};
// From a direction byte (low nibble the heading entered with, high nibble
// the heading left with) in rotation r. A missing heading counts as the
// other one (a straight move); with neither the part faces north.
EdgeIndices EdgesOf(uint8_t direction, int32_t rotation);

// What the drawing reads of a moving part.
struct MovingPart {
    int32_t phase = 0;
    int32_t x = 0;  // the field it is drawn on
    int32_t y = 0;
    uint8_t direction = 0;
    int32_t level = 0;  // 1 in a tunnel, 2 on a bridge
};

// The picture of a part: its screen rectangle and the frame record.
struct PartPicture {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    SpriteFrame frame{};
};
// What placing parts reads of the view, worked out once for a frame's many
// parts.
struct PartView {
    int32_t rotation = 0;
    int32_t zoom = 1;
    int32_t scan_a = 0;  // the scan's first field
    int32_t scan_b = 0;
    int32_t left_offset = 0;  // added to every field's screen x
};
PartView PartViewOf(const SPIEL_FELD& view);

// `group` is the frame group (0 trucks, 1 trains, 5 city cars; 4 wagons).
PartPicture PlacePart(const PartView& view, const MovingPart& part, int32_t group);

// The screen corner of field (x, y) for a part at `level`, in the view's
// rotation and zoom.
void PartFieldCorner(const PartView& view, int32_t x, int32_t y, int32_t level, int32_t& left,
                     int32_t& top);
inline void PartFieldCorner(const SPIEL_FELD& view, int32_t x, int32_t y, int32_t level,
                            int32_t& left, int32_t& top) {
    PartFieldCorner(PartViewOf(view), x, y, level, left, top);
}
