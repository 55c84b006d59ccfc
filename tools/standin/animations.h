#pragma once
// Field animation sheets "ani_N.jgd" (N = animation type + 1): frames of the
// type's size side by side; one-shot types (8..11) have 17 cells, the last a
// resting picture.

#include "canvas.h"

namespace standin {

struct AnimationSize {
    int width, height, frames;  // frames = cells in the sheet
};
constexpr int kAnimationTypes = 12;
// Width 0 for the types without a sheet (6 and 7: no building carries them).
AnimationSize AnimationCellSize(int type);

Canvas MakeAnimationSheet(int type);

}  // namespace standin
