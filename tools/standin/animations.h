#pragma once
// Field animation sheets "ani_N.jgd" (N = animation type + 1): frames of the
// type's size side by side; one-shot types (8..11) have 17 cells, the last a
// resting picture. Every cell of a type drawn into the ground (all but type
// 0) shows the same opaque ground under its moving part (a court, a pool, a
// yard) and nothing off it, so that each cell covers the ink of every other:
// a new cell drawn over the old one leaves nothing of it.

#include "canvas.h"
#include "cell_mark.h"

namespace standin {

struct AnimationSize {
    int width, height, frames;  // frames = cells in the sheet
};
constexpr int kAnimationTypes = 12;
// Width 0 for the types without a sheet (6 and 7: no building carries them).
AnimationSize AnimationCellSize(int type);

Canvas MakeAnimationSheet(int type);

// How far in from the edge of that ground the animated picture of its
// building leaves a window open, so that the window's edge stays on the
// ground at every zoom.
constexpr int kAnimationWindowMargin = 4;

// Where each cell of a type carries its mark: on the ground of a
// ground-level type just inside its edge, which the building covers; on the
// chimney mouth below the smoke of type 0.
CellPoint AnimationMarkPoint(int type);

// The colour of the rim of a ground-level type's ground; false for the
// other types.
bool AnimationGroundRim(int type, uint8_t* colour);

// Whether cell pixel (x, y) of a ground-level type lies on its ground at
// least `margin` pixels in from the edge; false for the other types.
bool OnAnimationGround(int type, int x, int y, int margin);

}  // namespace standin
