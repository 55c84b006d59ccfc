#include "gfx/wing_bitmap.h"

#include <cstdlib>
#include <cstring>

#include "gfx/bitmap_release.h"
#include "gfx/blit.h"
#include "gfx/palette_image.h"
#include "gfx/picture_load.h"
#include "gfx/raw_image.h"
#include "platform/wing.h"

namespace {

constexpr int kColourEntries = 256;

}  // namespace

bool WinGBitmap::Create(const PaletteImage& colour_source, int32_t w, int32_t h) {
    return Create(colour_source.info.colors, w, h);
}

bool WinGBitmap::Create(const RgbQuad* colours, int32_t w, int32_t h) {
    Free();
    plat::RgbQuad table[kColourEntries];
    for (int i = 0; i < kColourEntries; ++i) {
        table[i] = {colours[i].blue, colours[i].green, colours[i].red, colours[i].reserved};
    }
    plat::BitmapInfoHeader header;
    plat::RecommendDibFormat(&header);
    header.width = w;
    header.height = -h;
    header.bitCount = 8;
    header.compression = plat::kBiRgb;
    header.coloursUsed = 0;
    dc = plat::CreateOffscreenDC();
    width = w;
    height = -h;
    uint8_t* bits = nullptr;
    bitmap = plat::CreateDib8(header, table, &bits);
    if (!dc || !bitmap || bits == nullptr) {
        Free();
        return false;
    }
    old_bitmap = dc->SelectBitmap(bitmap);
    plat::SetDibColourTable(*dc, 0, kColourEntries, table);
    pixels = bits;
    // Cleared: a new layer or buffer would otherwise show whatever the memory
    // held before (leftovers of freed pictures) wherever nothing is drawn
    // into it before it is shown.
    std::memset(pixels, 0, size_t(Stride()) * size_t(h));
    return true;
}

void WinGBitmap::Free() {
    ReleaseSelectedBitmap(*this);
}

bool WinGBitmap::LoadJgd(const std::string& name) {
    Free();
    PictureLoadScope scope(name);
    PaletteImage picture;
    if (!picture.Load(name, nullptr, 1)) return false;
    if (!Create(picture, picture.width, picture.Rows())) return false;
    CopyPixels(Surface(), 0, 0, picture.Surface(), 0, 0, width, Rows());
    return true;
}

bool WinGBitmap::ReloadJgd(const std::string& name) {
    Free();
    return LoadJgd(name);
}

void WinGBitmap::BlitImageKeyed(const PaletteImage& src, int32_t x, int32_t y, int32_t src_x,
                                int32_t src_y, int32_t w, int32_t h, uint8_t key, int32_t divisor) {
    BlitKeyed(Surface(), src.Surface(), {x, y, src_x, src_y, w, h}, key, divisor);
}

void WinGBitmap::BlitRawKeyed(const RawImage& src, int32_t x, int32_t y, int32_t src_x,
                              int32_t src_y, int32_t w, int32_t h, uint8_t key, int32_t divisor) {
    BlitKeyed(Surface(), src.Surface(), {x, y, src_x, src_y, w, h}, key, divisor);
}

void WinGBitmap::BlitBitmapKeyed(const WinGBitmap& src, int32_t x, int32_t y, int32_t src_x,
                                 int32_t src_y, int32_t w, int32_t h, uint8_t key,
                                 int32_t divisor) {
    BlitKeyed(Surface(), src.Surface(), {x, y, src_x, src_y, w, h}, key, divisor);
}

void WinGBitmap::BlitImageKeyedClip(const PaletteImage& src, int32_t x, int32_t y, int32_t src_x,
                                    int32_t src_y, int32_t w, int32_t h, uint8_t key,
                                    int32_t divisor, int32_t clip_left, int32_t clip_right,
                                    int32_t clip_top, int32_t clip_bottom) {
    BlitKeyedClipped(Surface(), src.Surface(), {x, y, src_x, src_y, w, h}, key, divisor,
                     {clip_left, clip_right, clip_top, clip_bottom});
}

void WinGBitmap::BlitRawKeyedClip(const RawImage& src, int32_t x, int32_t y, int32_t src_x,
                                  int32_t src_y, int32_t w, int32_t h, uint8_t key, int32_t divisor,
                                  int32_t clip_left, int32_t clip_right, int32_t clip_top,
                                  int32_t clip_bottom) {
    BlitKeyedClipped(Surface(), src.Surface(), {x, y, src_x, src_y, w, h}, key, divisor,
                     {clip_left, clip_right, clip_top, clip_bottom});
}

void WinGBitmap::BlitGlyph(const PaletteImage& src, int32_t x, int32_t y, int32_t src_x,
                           int32_t src_y, int32_t w, int32_t h, uint8_t key, int32_t divisor,
                           uint8_t colour) {
    BlitMask(Surface(), src.Surface(), {x, y, src_x, src_y, w, h}, key, divisor, colour);
}

void WinGBitmap::BlitGlyphRaw(const RawImage& src, int32_t x, int32_t y, int32_t src_x,
                              int32_t src_y, int32_t w, int32_t h, uint8_t key, int32_t divisor,
                              uint8_t colour) {
    BlitMask(Surface(), src.Surface(), {x, y, src_x, src_y, w, h}, key, divisor, colour);
}

void WinGBitmap::FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t colour) {
    FillSurface(Surface(), x, y, w, h, colour);
}

uint32_t WinGBitmap::DrawText(const char* text, AdvanceTable advances, int32_t x, int32_t y,
                              const PaletteImage& strip, int32_t cell_height, int32_t glyph_width,
                              uint8_t colour) {
    return DrawTextOnSurface(Surface(), text, x, y,
                             {strip.Surface(), advances, cell_height, glyph_width, colour});
}

uint32_t WinGBitmap::DrawTextRaw(const char* text, AdvanceTable advances, int32_t x, int32_t y,
                                 const RawImage& strip, int32_t cell_height, int32_t glyph_width,
                                 uint8_t colour) {
    return DrawTextOnSurface(Surface(), text, x, y,
                             {strip.Surface(), advances, cell_height, glyph_width, colour});
}

uint32_t WinGBitmap::DrawIcons(const char* text, AdvanceTable advances, int32_t x, int32_t y,
                               const PaletteImage& icons, int32_t, int32_t, int32_t) {
    return DrawIconsOnSurface(Surface(), text, advances, x, y, icons.Surface());
}

void WinGBitmap::Shift(int32_t dx, int32_t dy) {
    const int32_t rows = Rows();
    const int32_t stride = Stride();
    if (pixels == nullptr || std::abs(dx) >= width || std::abs(dy) >= rows) return;
    if (dx == 0 && dy == 0) return;
    const int32_t count = width - std::abs(dx);
    const int32_t src_col = dx < 0 ? -dx : 0;
    const int32_t dst_col = dx > 0 ? dx : 0;
    // Moving down, the rows are copied from the bottom up so that no row is
    // read after it was overwritten; within a row memmove handles the overlap.
    auto move_row = [&](int32_t dst_row) {
        uint8_t* dst = pixels + static_cast<ptrdiff_t>(dst_row) * stride;
        const uint8_t* src = pixels + static_cast<ptrdiff_t>(dst_row - dy) * stride;
        std::memmove(dst + dst_col, src + src_col, static_cast<size_t>(count));
    };
    if (dy > 0) {
        for (int32_t row = rows - 1; row >= dy; --row) move_row(row);
    } else {
        for (int32_t row = 0; row < rows + dy; ++row) move_row(row);
    }
}
