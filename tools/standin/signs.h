#pragma once
// Name plates "signs.jgd" (192 x 75: one 15-pixel band per player colour
// 0..3 and the city band 4; right border column at x 191), the production
// signs "prosgn_%d.jgd" (37 signs of 32 x 32 per player colour) and the
// unused "sf.jgd".

#include "canvas.h"

namespace standin {

Canvas MakeSignSheet();
Canvas MakeProductionSigns(int colour);
Canvas MakeSfSheet();

// A good's name in at most five letters (empty outside 0..43).
const char* GoodsShortName(int good);

}  // namespace standin
