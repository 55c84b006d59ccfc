#pragma once
// Bitmap-font text on pixel surfaces. A font is a glyph strip (glyph g in
// rows g*h .. g*h+h-1) plus an advance table indexed by code - 26. Texts are
// Windows-1252 bytes. Characters 26..122 with an entry in the table are drawn
// as one-colour masks; all others are skipped and take no room. Icons (codes
// 123 and above) are drawn in their own colours by DrawIconsOnSurface only.

#include <cstdint>
#include <functional>
#include <span>

#include "gfx/pixel_surface.h"

using AdvanceTable = std::span<const uint8_t>;

// Sum of the advances of the text characters of a zero-terminated text.
uint32_t GetTextWidth(const char* text, AdvanceTable advances);

// A bitmap font in one ink: its glyph strip, its advance table, the height
// of a glyph cell in the strip, the width drawn of each glyph and the colour
// the glyph masks are drawn in.
struct Font {
    ConstPixelSurface strip;
    AdvanceTable advances;
    int32_t cell_height = 16;
    int32_t glyph_width = 16;
    uint8_t colour = 10;
};

// Draws the text with its top-left corner at (x, y); returns the advance.
uint32_t DrawTextOnSurface(const PixelSurface& dst, const char* text, int32_t x, int32_t y,
                           const Font& font);

// Returns the width of the icon run: n icons measure (n - 1) * advance + 16.
uint32_t DrawIconsOnSurface(const PixelSurface& dst, const char* text, AdvanceTable advances,
                            int32_t x, int32_t y, const ConstPixelSurface& icons);

// A text line as DrawTextOnSurface drew it: where, how wide (its advance) and
// on how large a surface. Tests watch where the screens put their texts.
struct DrawnTextLine {
    const char* text = nullptr;
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t surface_width = 0, surface_height = 0;
};
// Sets the function told about every line drawn; an empty one stops it.
void WatchDrawnText(std::function<void(const DrawnTextLine&)> watcher);
