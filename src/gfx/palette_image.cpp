#include "gfx/palette_image.h"

#include <algorithm>
#include <cstring>

#include "gfx/bitmap_release.h"
#include "gfx/blit.h"
#include "gfx/palette.h"
#include "gfx/picture_load.h"
#include "platform/wing.h"

namespace {

constexpr int kColourEntries = 256;

void CopyInfoFromDib(DibInfo& info, const PackedDib& dib) {
    info.header = dib.header;
    std::fill(std::begin(info.colors), std::end(info.colors), RgbQuad{});
    const size_t n = std::min<size_t>(dib.colors.size(), kColourEntries);
    std::copy_n(dib.colors.begin(), n, info.colors);
}

plat::RgbQuad ToPlat(const RgbQuad& q) {
    return {q.blue, q.green, q.red, q.reserved};
}

}  // namespace

int32_t PaletteImage::Reset() {
    Free();
    return 0;
}

bool PaletteImage::Load(const std::string& name, const PaletteImage* colour_source,
                        int32_t release) {
    RgbQuad source_colours[kColourEntries];
    if (colour_source != nullptr)
        std::copy_n(colour_source->info.colors, kColourEntries, source_colours);
    Free();
    dib.reset();
    PictureLoadScope scope(name);
    ClearSystemPalette();
    std::unique_ptr<PackedDib> file = OpenDibOrAsk(name);
    if (file == nullptr) return false;

    // The pixels of a 4-bit picture are 0..15, and entries 0..9 of an
    // identity palette are the system's fixed colours: made from its own
    // colour table as it stands, ten of its sixteen colours would be shown
    // as fixed ones. Its colours move behind the fixed ones, the pixels with
    // them, and it goes on as an 8-bit picture. With a colour source the
    // source's colours are shown at the picture's own indices.
    if (colour_source == nullptr) WidenFourBitPicture(file.get(), StaticColoursAtEachEnd());
    CopyInfoFromDib(info, *file);
    if (colour_source != nullptr) {
        for (int i = 0; i < kColourEntries; ++i) {
            info.colors[i].red = source_colours[i].red;
            info.colors[i].green = source_colours[i].green;
            info.colors[i].blue = source_colours[i].blue;
        }
    }

    if (IsPaletteDisplay()) {
        palette = CreateIdentityPalette(info.colors, kColourEntries);
        dc_palette = CreateIdentityPalette(info.colors, kColourEntries);
        // On the display model of this platform (system version 4) the file's
        // pixel indices are used as they stand; elsewhere they are first
        // mapped to the nearest colours of the identity palette.
        if (plat::OsMajorVersion() != 4) {
            DibMapToPalette(file.get(), palette);
            CopyInfoFromDib(info, *file);
        }
        DibToPalette(file.get(), palette, 1);
    } else {
        // No halftone palette exists on this platform: the picture's own
        // colours serve both roles.
        palette = CreateIdentityPalette(info.colors, kColourEntries);
        dc_palette = palette;
    }

    const int32_t rows = file->Rows();
    info.header.size = 40;
    info.header.width = file->Width();
    info.header.height = -rows;
    width = file->Width();
    height = -rows;

    plat::RgbQuad table[kColourEntries];
    for (int i = 0; i < kColourEntries; ++i) table[i] = ToPlat(info.colors[i]);
    plat::BitmapInfoHeader header;
    plat::RecommendDibFormat(&header);
    header.width = width;
    header.height = height;
    dc = plat::CreateOffscreenDC();
    bitmap = plat::CreateDib8(header, table, &pixels);
    if (!dc || !bitmap || pixels == nullptr) {
        Free();
        return false;
    }
    old_bitmap = dc->SelectBitmap(bitmap);
    plat::SetDibColourTable(*dc, 0, kColourEntries, table);
    plat::SelectPalette(*dc, dc_palette, false);
    plat::RealizePalette(*dc);
    plat::SetStretchBltMode(*dc, plat::kStretchColourOnColour);

    // The file's rows, bottom-up and padded to 4 bytes, go into the top-down
    // bitmap as palette indices, one byte each.
    UnpackDib(file.get());
    const int32_t stride = bitmap->Stride();
    for (int32_t r = 0; r < rows; ++r) {
        std::memcpy(pixels + size_t(r) * size_t(stride), file->TopRow(r), size_t(width));
    }
    if (release == 0) dib = std::move(file);
    return true;
}

void PaletteImage::Free() {
    if (pixels != nullptr && dc) {
        plat::SelectPalette(*dc, plat::StockDefaultPalette(), true);
        plat::RealizePalette(*dc);
    }
    ReleaseSelectedBitmap(*this);
    palette = nullptr;
    dc_palette = nullptr;
}

bool PaletteImage::Clone(const std::string& name) {
    if (!Loaded()) return false;
    PaletteImage other;
    if (!other.Load(name, nullptr, 1)) return false;
    if (other.width != width || other.height != height) return false;
    CopyPixels(Surface(), 0, 0, other.Surface(), 0, 0, width, -height);
    return true;
}

void PaletteImage::FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t colour) {
    FillSurface(Surface(), x, y, w, h, colour);
}

void PaletteImage::BlitGlyph(const PaletteImage& source, int32_t x, int32_t y, int32_t src_x,
                             int32_t src_y, int32_t w, int32_t h, uint8_t key, int32_t divisor,
                             uint8_t colour) {
    BlitMask(Surface(), source.Surface(), {x, y, src_x, src_y, w, h}, key, divisor, colour);
}

uint32_t PaletteImage::DrawText(const char* text, AdvanceTable advances, int32_t x, int32_t y,
                                const PaletteImage& strip, int32_t cell_height, int32_t glyph_width,
                                uint8_t colour) {
    return DrawTextOnSurface(Surface(), text, x, y,
                             {strip.Surface(), advances, cell_height, glyph_width, colour});
}
