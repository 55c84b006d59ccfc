#pragma once
// Advance widths of the game's two bitmap fonts, which the glyph pictures
// must respect: the ink of character ch lies in columns 0 .. advance - 1.

#include <array>
#include <cstdint>

namespace standin {

constexpr int kFirstFontChar = 26;
constexpr int kFont1Chars = 97;   // 26..122
constexpr int kFont1Cells = 230;  // 26..255: text glyphs, then 16 x 16 icons
constexpr int kFont2Chars = 70;   // 26..95

// Entries for characters 26..122, then the icon advance.
extern const std::array<uint8_t, 98> kFont1Advances;
// Entries for characters 26..95.
extern const std::array<uint8_t, 70> kFont2Advances;

// The character drawn for a font code: codes 26..31 hold the umlauts
// (Windows-1252 capitals A, O, U and small a, o, u with diaeresis).
uint8_t FontCodeToCharacter(int code);

}  // namespace standin
