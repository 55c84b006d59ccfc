#pragma once
// The two glyph strips of the game: "font_1.jgd" (16 x 16 cells: text glyphs
// for characters 26..122, then 16 x 16 icons for 123..255) and "font_2.jgd"
// (8 x 8 cells for characters 26..95).

#include "canvas.h"

namespace standin {

Canvas MakeFont1();
Canvas MakeFont2();

}  // namespace standin
