#pragma once
// Cell marks: every cell of a sprite or tile sheet written by the stand-in
// generator carries its own number in two horizontally adjacent pixels, so
// that a test which draws a scene can read back which cell landed where.
//
// Encoding: the left pixel holds kMarkFirst + index / kMarkRadix, the right
// pixel kMarkFirst + index % kMarkRadix. Both values lie in
// kMarkFirst .. kMarkFirst + kMarkRadix - 1 (palette entries used by nothing
// else; they are near-black, so a mark looks like a small dark dot).
// Indices 0 .. kMarkMaxIndex are possible.
//
// Where the mark sits, relative to the cell's top-left corner (the left
// pixel; the right one is next to it), and what the index counts:
//   ground tiles tiles.jgd / tilesg.jgd (64 x 40): (kTileMarkX, kTileMarkY) =
//       (30, 1), just below the field's top corner; index = ground kind * 15
//       + tile shape. Row 1 is never sampled at the zoom divisors 2, 4, 16.
//   ueber.jgd (64 x 40 cells): (30, 1); index = row * 15 + column.
//   streets.jgd (64 x 40): StreetMarkPoint(column), the centre of the field
//       surface ((31, 16) on flat pieces); index = (way type - 1) * 21 + column.
//   bridge.jgd (64 x 64): BridgeMarkPoint(column); index = (way type - 2) * 12
//       + column.
//   hang.jgd (64 x 40): (30, 4) for columns 0..4, on the stone of the arch for
//       the tunnel fronts 5..8 (see terrain_tiles.cpp); index = column.
//   vehicle sheets lk/lo/wa/ck: (width / 2 - 1, height / 2) of each picture
//       (see SheetColumns in vehicles.h); index = row * 8 + heading column.
//   tree sheets baum/trees6/stumpf (44 x 72): (kTreeMarkX, kTreeMarkY) =
//       (21, 70), the trunk's foot; index = month row * 33 + tree column.
//   animation sheets ani_N: AnimationMarkPoint(type) of each frame (in
//       animations.h: on the ground just inside its edge, where the building
//       covers it; the chimney mouth for the smoke of type 0); index = frame.
//   building pictures: (32 a - 1, height - 2), just above the bottom corner of
//       the footprint, where a is the number of fields along the screen's
//       down-right axis (PictureExtents in buildings.h); index = building type,
//       33 + kind for city buildings. Depots (types 0..3) carry the type at
//       (31, 54) of the base and (31, 96) of the roof picture, platform sheets
//       (types 4, 5) at (31, 97) and (127, 97) on the plates.
//   production signs prosgn_N (32 x 32): (0, 31); index = column.
// The terrain mask t_mask.jgd, the fonts, signs.jgd and the screens carry no
// mark: their pixel values are data (mask classes, glyph ink, plate colours).

#include <cstdint>
#include <utility>

namespace standin {

constexpr uint8_t kMarkFirst = 210;
constexpr int kMarkRadix = 20;
constexpr int kMarkMaxIndex = kMarkRadix * kMarkRadix - 1;

constexpr bool IsMarkDigit(uint8_t p) {
    return p >= kMarkFirst && p < kMarkFirst + kMarkRadix;
}

// The two pixel values for a cell index (0 .. kMarkMaxIndex).
constexpr std::pair<uint8_t, uint8_t> EncodeMark(int index) {
    return {static_cast<uint8_t>(kMarkFirst + index / kMarkRadix),
            static_cast<uint8_t>(kMarkFirst + index % kMarkRadix)};
}

// The cell index from the two pixels, or -1 when they are no mark.
constexpr int DecodeMark(uint8_t left, uint8_t right) {
    if (!IsMarkDigit(left) || !IsMarkDigit(right)) return -1;
    return (left - kMarkFirst) * kMarkRadix + (right - kMarkFirst);
}

struct Canvas;

// A pixel of a cell, from its top-left corner.
struct CellPoint {
    int x, y;
};

// Writes the mark of `index` at (x, y) and (x + 1, y).
void PutMark(Canvas& canvas, int x, int y, int index);

}  // namespace standin
