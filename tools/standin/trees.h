#pragma once
// Tree pictures, 44 x 72 each: 33 columns (tree value 1..33 = 3 x type +
// variant + 1, eleven types in three sizes). "baum.jgd" has one row per month
// (1452 x 864), "trees6.jgd" one summer row and "stumpf.jgd" one row of
// stumps (1452 x 72 each). The season folder (landscape) tints them.

#include "canvas.h"

namespace standin {

constexpr int kTreeWidth = 44;
constexpr int kTreeHeight = 72;
constexpr int kTreeColumns = 33;
constexpr int kTreeMarkX = 21;
constexpr int kTreeMarkY = 70;

Canvas MakeTreeSheet(int season);      // baum.jgd
Canvas MakeSummerTreeRow(int season);  // trees6.jgd
Canvas MakeStumpRow();                 // stumpf.jgd

}  // namespace standin
