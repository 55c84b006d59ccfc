#pragma once
// The game's font advance tables (the glyph pictures must respect them: the
// ink of a character lies in columns 0 .. advance - 1) and what the stand-in
// fonts draw for each code.

#include <array>
#include <cstdint>

#include "gfx/font_tables.h"

namespace standin {

using ::kFont1Advances;
using ::kFont2Advances;

constexpr int kFirstFontChar = kFirstGlyphChar;
constexpr int kFont1Chars = 97;   // 26..122
constexpr int kFont1Cells = 230;  // 26..255: text glyphs, then 16 x 16 icons
constexpr int kFont2Chars = 70;   // 26..95

// The character drawn for a font code: codes 26..31 hold the umlauts
// (Windows-1252 capitals A, O, U and small a, o, u with diaeresis).
uint8_t FontCodeToCharacter(int code);

}  // namespace standin
