#pragma once
// Colour records of the 8-bit display model: palette entries, DIB colour-table
// quads and packed colour references (plain RGB, palette-relative RGB or a
// palette index), laid out as the game's files and records expect them.

#include <cstdint>

namespace plat {

// Flags of a logical palette entry.
constexpr uint8_t kPcReserved = 1;    // entry may be animated: never shared
constexpr uint8_t kPcExplicit = 2;    // entry names a system palette index
constexpr uint8_t kPcNoCollapse = 4;  // entry gets a slot of its own

struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};
static_assert(sizeof(PaletteEntry) == 4);

// One colour of a DIB colour table, in file order.
struct RgbQuad {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
};
static_assert(sizeof(RgbQuad) == 4);

// A packed colour reference: 0x00bbggrr is a plain colour, 0x02bbggrr a colour
// matched against the selected palette, 0x0100iiii an index of that palette.
using ColourRef = uint32_t;

constexpr ColourRef Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}
constexpr ColourRef PaletteRgb(uint8_t r, uint8_t g, uint8_t b) {
    return 0x02000000u | Rgb(r, g, b);
}
constexpr ColourRef PaletteIndex(uint16_t index) {
    return 0x01000000u | index;
}

constexpr uint8_t RedOf(ColourRef c) {
    return uint8_t(c & 0xFF);
}
constexpr uint8_t GreenOf(ColourRef c) {
    return uint8_t((c >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(ColourRef c) {
    return uint8_t((c >> 16) & 0xFF);
}
constexpr bool IsPaletteIndex(ColourRef c) {
    return (c >> 24) == 0x01;
}

}  // namespace plat
