#pragma once
// The two glyph strips of the game: "font_1.jgd" (16 x 16 cells: text glyphs
// for characters 26..122, then 16 x 16 icons for 123..255) and "font_2.jgd"
// (8 x 8 cells for characters 26..95).

#include "canvas.h"

namespace standin {

// Every text glyph of font 1 is drawn as wide as its advance less one common
// gap, from the cell's first column: each character leaves the same gap to
// the next.
constexpr int kFont1Gap = 1;
constexpr int Font1InkWidth(int advance) {
    return advance - kFont1Gap;
}

Canvas MakeFont1();
Canvas MakeFont2();

}  // namespace standin
