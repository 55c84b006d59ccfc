#pragma once
// Ground pictures: the tile sheets (15 slope shapes x 12 ground kinds, per
// season, with and without grid lines), the picking mask, the slope
// foundation and tunnel-front sheet, the overview colour sheet and the
// 100 x 100 background tile of wide screens.

#include "canvas.h"

namespace standin {

// season 1..3 (spring, summer, autumn); grid draws the field borders.
Canvas MakeGroundTiles(int season, bool grid);
Canvas MakeTerrainMask();
Canvas MakeSlopeSheet();
Canvas MakeOverviewSheet();
Canvas MakeBackgroundTile();

// Picking-mask classes of t_mask.jgd.
constexpr int kMaskOwnField = 0;
constexpr int kMaskUpperLeft = 1;   // belongs to the neighbour at x - 1 (rotation 0)
constexpr int kMaskUpperRight = 2;  // y - 1; not read by the picking
constexpr int kMaskLowerLeft = 3;   // belongs to the neighbour at y + 1 (rotation 0)
constexpr int kMaskLowerRight = 4;  // x + 1; not read by the picking

// The mark position of a ground tile (all shapes).
constexpr int kTileMarkX = 30;
constexpr int kTileMarkY = 1;

}  // namespace standin
