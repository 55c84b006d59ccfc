#pragma once
// The control panel's pictures, 160 pixels wide:
// - the panel background "butt640.jgd", "butt800.jgd", "butt102.jgd" (as high
//   as the screen): date and capital boxes 160 x 16 at y 2 and 19, the
//   heading grid (0, 39)-(160, 135) with every heading unpressed in its
//   32 x 32 cell, and a plain sidebar from y 136;
// - "butt000.jgd" (160 x 96): the same grid with every heading pressed;
// - the entry-row strips "butt001.jgd" and "butt002.jgd" (320 x 438): row
//   faces 160 x 20, unchecked at y 96 + 20r and checked at 236 + 20r; at
//   x 160 the overview legend, its header 160 x 18 at y 0 and twenty rows
//   160 x 10, on at y 18 + 10i and dimmed at 238 + 10i.
// The editor's variants (an "e" before the dot) show the editor's headings
// and its four legend rows (flags 4..7).
// "inf_ps.jgd" (1440 x 32): icon 0 "none", icon i + 1 the goods i.

#include <string>

#include "canvas.h"

namespace standin {

Canvas MakePanelBackground(int height, bool editor);
Canvas MakePanelHeadingsPressed(bool editor);
Canvas MakePanelRowStrip(bool editor);
Canvas MakeGoodsIcons();
// The label on the face of heading 0..14 (game) or 15..24 (editor).
std::string PanelHeadingLabel(int heading);

}  // namespace standin
