#include "gfx/palette.h"

#include <algorithm>
#include <vector>

#include "platform/gdi.h"

namespace {

constexpr int kPaletteEntries = 256;
constexpr int kPaletteDeviceSize = 256;

}  // namespace

bool IsPaletteDisplay() {
    return plat::GetDeviceCaps(nullptr, plat::kCapsSizePalette) == kPaletteDeviceSize;
}

void ClearSystemPalette() {
    plat::DcHandle screen = plat::GetScreenDC();
    if (!screen) return;
    std::vector<plat::PaletteEntry> black(kPaletteEntries);
    for (auto& e : black) e.flags = plat::kPcNoCollapse;
    plat::PaletteHandle palette = plat::CreatePalette(black);
    if (!palette) return;
    plat::PaletteHandle previous = plat::SelectPalette(*screen, palette, false);
    plat::RealizePalette(*screen);
    if (previous) plat::SelectPalette(*screen, previous, false);
}

int32_t StaticColoursAtEachEnd() {
    return plat::GetDeviceCaps(nullptr, plat::kCapsNumberOfColours) / 2;
}

plat::PaletteHandle CreateIdentityPalette(const RgbQuad* colours, int32_t count) {
    count = std::clamp(count, 0, kPaletteEntries);
    std::vector<plat::PaletteEntry> entries(kPaletteEntries);
    if (plat::GetSystemPaletteUse() == plat::kSystemPaletteNoStatic) {
        for (int i = 0; i < count; ++i) {
            entries[i] = {colours[i].red, colours[i].green, colours[i].blue, plat::kPcNoCollapse};
        }
        for (int i = count; i < kPaletteEntries; ++i) entries[i].flags = plat::kPcNoCollapse;
        entries[0] = {0, 0, 0, 0};
        entries[kPaletteEntries - 1] = {255, 255, 255, 0};
        return plat::CreatePalette(entries);
    }

    const int statics = StaticColoursAtEachEnd();
    std::vector<plat::PaletteEntry> system(kPaletteEntries);
    plat::GetSystemPaletteEntries(0, kPaletteEntries, system.data());
    for (int i = 0; i < statics && i < kPaletteEntries; ++i) {
        entries[i] = system[i];
        entries[i].flags = 0;
    }
    for (int i = statics; i < count - statics; ++i) {
        entries[i] = {colours[i].red, colours[i].green, colours[i].blue, plat::kPcReserved};
    }
    for (int i = std::max(count - statics, statics); i < kPaletteEntries - statics; ++i) {
        entries[i].flags = plat::kPcNoCollapse;
    }
    for (int i = std::max(kPaletteEntries - statics, 0); i < kPaletteEntries; ++i) {
        entries[i] = system[i];
        entries[i].flags = 0;
    }
    return plat::CreatePalette(entries);
}

int32_t DibToPalette(PackedDib* dib, const plat::PaletteHandle& palette, int32_t usage) {
    if (dib == nullptr) return 0;
    const plat::PaletteHandle source = palette ? palette : plat::StockDefaultPalette();
    const int count = static_cast<int>(dib->colors.size());
    if (count == 0) return 1;
    if (usage == 1) {
        // Colour usage "palette indices": the table holds 16-bit indices, two
        // of them in each 4-byte entry.
        std::vector<uint8_t> table(size_t(count) * 4, 0);
        for (int i = 0; i < count; ++i) {
            table[2 * i] = static_cast<uint8_t>(i);
            table[2 * i + 1] = static_cast<uint8_t>(i >> 8);
        }
        for (int i = 0; i < count; ++i) {
            dib->colors[i] =
                RgbQuad{table[4 * i], table[4 * i + 1], table[4 * i + 2], table[4 * i + 3]};
        }
        return 1;
    }
    const int n = std::min({count, kPaletteEntries, source->Size()});
    for (int i = 0; i < n; ++i) {
        const plat::PaletteEntry& e = source->Entry(i);
        dib->colors[i] = RgbQuad{e.blue, e.green, e.red, 0};
    }
    return 1;
}

void DibMapToPalette(PackedDib* dib, const plat::PaletteHandle& palette) {
    if (dib == nullptr || !palette) return;
    const int n = static_cast<int>(dib->colors.size());
    uint8_t table[kPaletteEntries] = {};
    for (int i = 0; i < n; ++i) {
        const RgbQuad& c = dib->colors[i];
        table[i] = static_cast<uint8_t>(
            plat::GetNearestPaletteIndex(palette, plat::Rgb(c.red, c.green, c.blue)));
    }
    TranslatePixels(dib, table);
    const int m = std::min(palette->Size(), kPaletteEntries);
    dib->colors.resize(size_t(m));
    for (int i = 0; i < m; ++i) {
        const plat::PaletteEntry& e = palette->Entry(i);
        dib->colors[i] = RgbQuad{e.blue, e.green, e.red, 0};
    }
    dib->header.colors_used = static_cast<uint32_t>(m);
}

void SelectPictureOutputPalette(plat::DeviceContext& window_dc, plat::DeviceContext* picture_dc,
                                const plat::PaletteHandle& palette) {
    if (!palette) return;
    plat::SelectPalette(window_dc, palette, false);
    plat::RealizePalette(window_dc);
    if (picture_dc != nullptr) {
        plat::SelectPalette(*picture_dc, palette, false);
        plat::RealizePalette(*picture_dc);
    }
}

void RestoreDefaultPalette(plat::DeviceContext& window_dc) {
    plat::SelectPalette(window_dc, plat::StockDefaultPalette(), true);
    plat::RealizePalette(window_dc);
}
