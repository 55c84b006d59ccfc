#pragma once
// Text rendering for the generator: outline glyphs from a freely licensed
// system font through FreeType (DejaVu Sans), or the hand-drawn pixel font
// when FreeType or the font file is missing. Texts are Windows-1252 bytes.

#include <cstdint>
#include <functional>
#include <string>

#include "canvas.h"

namespace standin {

enum class FontStyle { Regular, Bold };

// Ink mask of one character (1 = ink) for a line of the given pixel size:
// the mask is as wide as the glyph's ink plus its left bearing and
// LineHeight(size) tall with the baseline at Baseline(size). *advance gets the
// pen advance in pixels.
Canvas RenderGlyph(uint8_t ch, int pixelSize, FontStyle style, int* advance);

// Like RenderGlyph, but the outline drawn narrower or wider so that its ink
// is at most maxInk columns wide and, where the face allows, not narrower
// than maxInk - 1: a glyph that fills the advance a fixed width table gives it.
Canvas RenderGlyphFitted(uint8_t ch, int pixelSize, FontStyle style, int maxInk);

int LineHeight(int pixelSize);
int Baseline(int pixelSize);

// Width of a text line in pixels.
int TextWidth(const std::string& text, int pixelSize, FontStyle style);

// Draws a text line with its top-left corner at (x, y).
void DrawText(Canvas& canvas, int x, int y, const std::string& text, int pixelSize, FontStyle style,
              uint8_t colour);
// Centred on x, with an optional one-pixel shadow below right (colour 0 = none).
void DrawTextCentred(Canvas& canvas, int cx, int y, const std::string& text, int pixelSize,
                     FontStyle style, uint8_t colour, uint8_t shadow);

// Room for a text: a rectangle of a picture.
struct TextRoom {
    int x = 0, y = 0, width = 0, height = 0;
};

// The largest pixel size, at most `size` and at least 7, at which the text is
// no wider than maxWidth (7 when none is).
int FittingSize(const std::string& text, int maxWidth, int size, FontStyle style);

// Draws the text centred in the room, at the largest size up to `size` that
// fits its width, with an optional shadow as DrawTextCentred.
void DrawTextInRoom(Canvas& canvas, const TextRoom& room, const std::string& text, int size,
                    FontStyle style, uint8_t colour, uint8_t shadow);

// Every text line drawn, with the room it was drawn for (the whole picture
// when the caller named none). Tests watch what the pictures show with it.
struct PlacedText {
    int pictureWidth = 0, pictureHeight = 0;
    std::string text;
    TextRoom drawn;  // x, y, width and line height of the drawn line
    TextRoom room;
};
using TextWatcher = std::function<void(const PlacedText&)>;
// Sets the watcher (an empty one stops watching).
void WatchTexts(TextWatcher watcher);

// Whether outline glyphs are available (FreeType built in and the font found).
bool HaveOutlineFont();

}  // namespace standin
