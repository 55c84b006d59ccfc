#pragma once
// PaletteImage: a picture loaded from a .jgd file with its own off-screen
// device context, its colour table and two palettes (the screen palette that
// windows select before showing it, and the palette of its own context).
// Screen backgrounds, button sheets, the large font and the tile sheet are
// PaletteImages.
//
//   PaletteImage background;
//   background.Load(path, nullptr, 1);   // missing file: retry/cancel box
//   if (background.Loaded()) ...          // Cancel leaves it empty
//   background.Free();

#include <cstdint>
#include <memory>
#include <string>

#include "gfx/dib.h"
#include "gfx/pixel_surface.h"
#include "gfx/text.h"
#include "platform/gdi.h"

struct PaletteImage {
    DibInfo info;  // header (height negative: top-down) and the colour table
    plat::DcHandle dc;
    plat::BitmapHandle bitmap;
    plat::BitmapHandle old_bitmap;
    std::unique_ptr<PackedDib> dib;  // the file's DIB, kept when the load was asked to keep it
    plat::PaletteHandle palette;     // screen palette
    plat::PaletteHandle dc_palette;  // palette of `dc`
    uint8_t* pixels = nullptr;       // top row first; non-null means loaded
    int32_t width = 0;
    int32_t height = 0;  // minus the picture's height

    PaletteImage() = default;
    ~PaletteImage() { Free(); }
    PaletteImage(PaletteImage&&) = default;
    PaletteImage& operator=(PaletteImage&&) = default;

    // Empties the record (as Free); returns 0.
    int32_t Reset();

    // Loads the picture file. With a colour source the picture is shown with
    // the source's colours; with a non-zero `release` the file's DIB is not
    // kept. A missing or damaged file raises the retry/cancel box; after
    // Cancel the record stays empty. Answers whether the picture loaded.
    bool Load(const std::string& name, const PaletteImage* colour_source, int32_t release);
    void Free();
    // Replaces the pixels by those of another file of the same size; the
    // colours and palettes stay. A file of another size is refused (false).
    bool Clone(const std::string& name);

    bool Loaded() const { return pixels != nullptr; }
    int32_t Rows() const { return -height; }
    // Rows are addressed by the bitmap's padded stride, not by the width: a
    // picture whose width is no multiple of 4 would otherwise be drawn
    // sheared, each row a few bytes further off than the one above.
    int32_t Stride() const { return bitmap ? bitmap->Stride() : 0; }
    PixelSurface Surface() const { return {pixels, width, -height, Stride()}; }

    // Drawing into the picture itself.
    void FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t colour);
    void BlitGlyph(const PaletteImage& source, int32_t x, int32_t y, int32_t src_x, int32_t src_y,
                   int32_t w, int32_t h, uint8_t key, int32_t divisor, uint8_t colour);
    uint32_t DrawText(const char* text, AdvanceTable advances, int32_t x, int32_t y,
                      const PaletteImage& strip, int32_t cell_height = 16, int32_t glyph_width = 16,
                      uint8_t colour = 10);
};
