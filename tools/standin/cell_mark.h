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
// Where the mark sits, relative to the cell's top-left corner (left pixel
// given; the right pixel is one to the right), and what the index counts:
//   ground tiles tiles.jgd / tilesg.jgd (64 x 40): (31, 0), the top corner of
//       the field; index = ground kind * 15 + tile shape.
//   way pieces streets.jgd (64 x 40): the centre of the field surface, (31, 16)
//       on flat pieces, (31, 12) on ramps rising away (shapes 1, 4) and (31, 20)
//       on ramps rising towards the viewer (shapes 2, 3) — see MarkPoint below;
//       index = (way type - 1) * 21 + column.
//   bridge.jgd (64 x 64): MarkPoint; index = (way type - 2) * 12 + column.
//   hang.jgd (64 x 40): MarkPoint; index = column.
//   ueber.jgd (64 x 40): (0, 0); index = row * 15 + column.
//   vehicle sheets lk/lo/wa/ck: (0, height - 1) of each picture, the bottom-left
//       pixel; index = row * 8 + picture column (0..7, left to right).
//   tree sheets baum/trees6/stumpf (44 x 72): MarkPoint (the trunk's foot);
//       index = month row * 33 + tree column.
//   animation sheets ani_N: (0, height - 1) of each frame; index = frame.
//   building pictures: MarkPoint — the bottom corner of the footprint,
//       (32 (W + D) - left extent * 32 - 1, height - 2); index = building type
//       (0..31), 33 + k for city building k; station and depot sheets as their
//       types. Only the 64-pixel strip of the front field shows it.
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

// Writes the mark of `index` at (x, y) and (x + 1, y).
void PutMark(Canvas& canvas, int x, int y, int index);

// Where a sheet's cells carry their mark (left pixel, relative to the cell).
struct MarkPoint {
    int x, y;
};
enum class MarkedSheet { Tiles, Streets, Bridge, Hang, Overview, Trees, Building };
// For Streets/Hang/Bridge `cell` is the column; for Tiles the tile shape; for
// Trees anything; for Building pass floor width in `cell` / depth in `extra`
// (see buildings.cpp for the left extent) — use BuildingMarkPoint instead.
MarkPoint SheetMarkPoint(MarkedSheet sheet, int cell);

}  // namespace standin
