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
// Type 7 has no record: width 0.
AnimationSize AnimationCellSize(int type);

Canvas MakeAnimationSheet(int type);

}  // namespace standin
