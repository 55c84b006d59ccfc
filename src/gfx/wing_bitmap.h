#pragma once
// WinGBitmap: an 8-bit top-down off-screen bitmap selected into its own
// device context; drawing buffers, layers and some picture sets. All the
// renderer's copies, fills and text draw into one of these.
//
//   WinGBitmap buffer;
//   buffer.Create(g_pGameState->images.main_font, 640, 480);  // zeroed pixels
//   buffer.FillRect(0, 0, 640, 480, 0);
//   buffer.BlitImageKeyed(sheet, x, y, src_x, src_y, w, h);   // colour 0 transparent
//   buffer.DrawText("Cash", kFont1Advances, 10, 10, font);     // font 1, colour 10
//   BlitDC(*window_dc, 0, 0, 640, 480, *buffer.dc, 0, 0);      // to a window
//
// Every copy and text call draws nothing when its source is empty.

#include <cstdint>
#include <string>

#include "gfx/dib.h"
#include "gfx/pixel_surface.h"
#include "gfx/text.h"
#include "platform/gdi.h"

struct PaletteImage;
struct RawImage;

struct WinGBitmap {
    plat::DcHandle dc;
    int32_t width = 0;
    int32_t height = 0;  // negative: rows top-down
    plat::BitmapHandle bitmap;
    plat::BitmapHandle old_bitmap;
    uint8_t* pixels = nullptr;  // top row first; null = empty

    WinGBitmap() = default;
    ~WinGBitmap() { Free(); }
    WinGBitmap(WinGBitmap&&) = default;
    WinGBitmap& operator=(WinGBitmap&&) = default;

    // A new w x h bitmap with the colour table of `colour_source`; its pixels
    // start at 0. Without memory `pixels` stays null (false).
    bool Create(const PaletteImage& colour_source, int32_t w, int32_t h);
    bool Create(const RgbQuad* colours, int32_t w, int32_t h);
    void Free();
    // A bitmap of the picture's size holding its pixels and colours; a
    // missing file raises the retry/cancel box (Cancel: stays empty).
    bool LoadJgd(const std::string& name);
    bool ReloadJgd(const std::string& name);

    bool Loaded() const { return pixels != nullptr; }
    int32_t Rows() const { return -height; }
    // Rows are addressed by the bitmap's padded stride, not by the width: a
    // bitmap whose width is no multiple of 4 would otherwise be drawn
    // sheared, each row a few bytes further off than the one above.
    int32_t Stride() const { return bitmap ? bitmap->Stride() : 0; }
    PixelSurface Surface() const { return {pixels, width, -height, Stride()}; }

    // Keyed copies: source pixels equal to `key` stay transparent; the
    // destination gets (w / divisor) x (h / divisor) pixels (divisor 1, 2,
    // 4 or 16; others draw nothing).
    void BlitImageKeyed(const PaletteImage& src, int32_t x, int32_t y, int32_t src_x, int32_t src_y,
                        int32_t w, int32_t h, uint8_t key = 0, int32_t divisor = 1);
    void BlitRawKeyed(const RawImage& src, int32_t x, int32_t y, int32_t src_x, int32_t src_y,
                      int32_t w, int32_t h, uint8_t key = 0, int32_t divisor = 1);
    void BlitBitmapKeyed(const WinGBitmap& src, int32_t x, int32_t y, int32_t src_x, int32_t src_y,
                         int32_t w, int32_t h, uint8_t key = 0, int32_t divisor = 1);
    // The same within the destination area clip_left <= x < clip_right,
    // clip_top <= y < clip_bottom (negative edges count as 0).
    void BlitImageKeyedClip(const PaletteImage& src, int32_t x, int32_t y, int32_t src_x,
                            int32_t src_y, int32_t w, int32_t h, uint8_t key, int32_t divisor,
                            int32_t clip_left, int32_t clip_right, int32_t clip_top,
                            int32_t clip_bottom);
    void BlitRawKeyedClip(const RawImage& src, int32_t x, int32_t y, int32_t src_x, int32_t src_y,
                          int32_t w, int32_t h, uint8_t key, int32_t divisor, int32_t clip_left,
                          int32_t clip_right, int32_t clip_top, int32_t clip_bottom);
    // One-colour masks: every source pixel other than `key` writes `colour`.
    void BlitGlyph(const PaletteImage& src, int32_t x, int32_t y, int32_t src_x, int32_t src_y,
                   int32_t w, int32_t h, uint8_t key, int32_t divisor, uint8_t colour);
    void BlitGlyphRaw(const RawImage& src, int32_t x, int32_t y, int32_t src_x, int32_t src_y,
                      int32_t w, int32_t h, uint8_t key, int32_t divisor, uint8_t colour);
    // Moves the whole picture by (dx, dy) within itself, safe for any
    // overlap; pixels moved out are lost and the uncovered band keeps its old
    // pixels (the caller fills it). A shift of the full width or height or
    // more moves nothing.
    void Shift(int32_t dx, int32_t dy);
    // Fills the rectangle cut to the bitmap; width or height below 1: nothing.
    void FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t colour);

    // Text in font 1 (PaletteImage strip, 16 x 16) or font 2 (RawImage strip,
    // 8 x 8); returns the advance. Font 2 takes the 70-entry table.
    uint32_t DrawText(const char* text, AdvanceTable advances, int32_t x, int32_t y,
                      const PaletteImage& strip, int32_t cell_height = 16, int32_t glyph_width = 16,
                      uint8_t colour = 10);
    uint32_t DrawTextRaw(const char* text, AdvanceTable advances, int32_t x, int32_t y,
                         const RawImage& strip, int32_t cell_height = 8, int32_t glyph_width = 8,
                         uint8_t colour = 10);
    // Characters 123 and above as 16 x 16 icons in their own colours; returns
    // the width of the run.
    uint32_t DrawIcons(const char* text, AdvanceTable advances, int32_t x, int32_t y,
                       const PaletteImage& icons, int32_t = 0, int32_t = 0, int32_t = 0);
};
