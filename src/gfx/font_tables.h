#pragma once
// Advance widths of the two bitmap fonts, by character code from 26 on.
// They belong to the glyph pictures "font_1.jgd" (16 x 16 cells) and
// "font_2.jgd" (8 x 8 cells); whoever draws those pictures keeps every
// glyph's ink inside its advance. Header only, so that the stand-in data
// generator can use the same numbers.

#include <array>
#include <cstdint>

// First character code with a glyph; glyph index = code - kFirstGlyphChar.
constexpr int kFirstGlyphChar = 26;
// Last text character (lower-case z); codes above it are icons in font 1.
constexpr int kLastTextChar = 122;
// Entry of font 1's table that holds the advance of one icon.
constexpr int kIconAdvanceEntry = 97;

// Font 1: characters 26..122, then the icon advance.
constexpr std::array<uint8_t, 98> kFont1Advances = {
    9,  10, 10, 8,  8,  8,  6,  3,  7,  7, 7,  12, 0, 5,  4,  4,   // 26-41
    7,  7,  6,  5,  4,  5,  8,  8,  8,  8, 8,  8,  8, 8,  8,  8,   // 42-57
    4,  6,  8,  8,  8,  8,  13, 9,  10, 9, 10, 9,  8, 10, 10, 4,   // 58-73
    8,  9,  8,  12, 10, 10, 9,  10, 10, 8, 9,  10, 9, 15, 10, 11,  // 74-89
    10, 4,  5,  4,  0,  9,  0,  8,  8,  7, 8,  7,  5, 8,  8,  4,   // 90-105
    5,  7,  4,  12, 8,  8,  8,  8,  5,  7, 5,  8,  9, 11, 9,  9,   // 106-121
    7,  16,                                                        // 122, icon
};

// Font 2: characters 26..95 only (no lower case, no icons).
constexpr std::array<uint8_t, 70> kFont2Advances = {
    5, 5, 5, 0, 0, 0, 3, 2, 4, 0, 6, 5, 0, 0, 3, 3,  // 26-41
    6, 6, 3, 6, 2, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,  // 42-57
    2, 0, 5, 5, 5, 5, 0, 5, 5, 5, 5, 5, 5, 5, 5, 2,  // 58-73
    5, 5, 4, 6, 5, 5, 5, 5, 5, 5, 4, 5, 6, 6, 6, 6,  // 74-89
    6, 3, 5, 3, 0, 5,                                // 90-95
};

// Cell sizes of the glyph strips.
constexpr int kFont1Cell = 16;
constexpr int kFont2Cell = 8;
