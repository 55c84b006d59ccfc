#pragma once
// The two glyph strips of the game: "font_1.jgd" (16 x 16 cells: text glyphs
// for characters 26..122, then 16 x 16 icons for 123..255) and "font_2.jgd"
// (8 x 8 cells for characters 26..95).

#include "canvas.h"

namespace standin {

// Every letter and digit of font 1 is drawn as wide as its advance less one
// common gap, from the cell's first column: each leaves the same gap to the
// next character. Signs keep their own width inside that room.
constexpr int kFont1Gap = 1;
constexpr int Font1InkWidth(int advance) {
    return advance - kFont1Gap;
}

Canvas MakeFont1();
Canvas MakeFont2();

}  // namespace standin
