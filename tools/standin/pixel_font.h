#pragma once
// A small hand-drawn pixel font: capitals, digits, punctuation and the
// capital umlauts, each at most 5 x 7 pixels. It makes the 8 x 8 font and
// stands in for the outline font when FreeType is not available.

#include <cstdint>
#include <string>

#include "canvas.h"

namespace standin {

// Ink of character ch (Windows-1252; lower case maps to upper case) as a mask
// of its own width and 8 rows (row 7 is the descender row); empty when the
// font has no glyph for it.
Canvas PixelGlyph(uint8_t ch);

// A text line in the pixel font with its top-left corner at (x, y): one
// pixel between glyphs, three for a space.
void DrawSmallText(Canvas& c, int x, int y, const std::string& text, uint8_t colour);
int SmallTextWidth(const std::string& text);

}  // namespace standin
