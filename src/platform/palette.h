#pragma once
// The 8-bit palette display: a system palette of 256 entries whose first and
// last ten hold the 20 static colours, logical palettes that are selected into
// device contexts and realized, and the capability answers of such a display.
//
// Pixel values on the screen are system palette indices. Realizing a logical
// palette as foreground palette gives its entries slots of the system palette;
// an identity palette (static colours at 0-9 and 246-255, its own colours with
// PC_RESERVED or PC_NOCOLLAPSE at 10-245) lands exactly on slots 10-245, so its
// index i is shown with system entry i. The screen recolours at the next
// present.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/colour.h"

namespace plat {

class DeviceContext;

constexpr int kSystemPaletteSize = 256;
constexpr int kStaticColourCount = 20;  // ten at each end of the system palette
constexpr uint16_t kPaletteVersion = 0x300;

class Palette {
  public:
    explicit Palette(std::span<const PaletteEntry> entries);

    int Size() const { return int(entries_.size()); }
    const PaletteEntry& Entry(int index) const { return entries_[size_t(index)]; }
    // Copies entries [start, start + count) clipped to the palette; returns the
    // number copied.
    int GetEntries(int start, int count, PaletteEntry* out) const;
    int SetEntries(int start, int count, const PaletteEntry* in);
    // Index of the entry closest to the colour (squared RGB distance, lowest
    // index on ties). A palette-index reference is returned as it stands when
    // it is in range.
    int NearestIndex(ColourRef colour) const;
    // System palette index that logical entry `index` is shown with: its slot
    // after the last realize, else the nearest system colour.
    uint8_t SystemIndexOf(int index) const;

  private:
    friend int RealizePalette(DeviceContext& dc);
    std::vector<PaletteEntry> entries_;
    std::vector<uint8_t> systemIndex_;  // filled by a realize
    uint32_t mapGeneration_ = 0;        // system palette generation of that map
    bool mapForeground_ = false;        // that map came from a foreground realize
};

using PaletteHandle = std::shared_ptr<Palette>;

// A logical palette of 1 to 256 entries (the layout of version 0x300). Null
// for an empty entry list.
PaletteHandle CreatePalette(std::span<const PaletteEntry> entries);
// The stock default palette: the 20 static colours (entries 0-9 are system
// entries 0-9, entries 10-19 are system entries 246-255).
PaletteHandle StockDefaultPalette();

int GetPaletteEntries(const PaletteHandle& palette, int start, int count, PaletteEntry* out);
int GetNearestPaletteIndex(const PaletteHandle& palette, ColourRef colour);

// Selects the palette into the context for its later realize; returns the one
// selected before. `forceBackground` realizes it as a background palette,
// which maps onto the system palette without changing it. A null palette
// selects nothing and returns null.
PaletteHandle SelectPalette(DeviceContext& dc, PaletteHandle palette, bool forceBackground);
// Realizes the context's palette; returns the number of system palette
// entries whose colour changed.
int RealizePalette(DeviceContext& dc);

// Current system palette entries [start, start + count), clipped; returns the
// number copied. Flags read 0.
int GetSystemPaletteEntries(int start, int count, PaletteEntry* out);
constexpr int kSystemPaletteStatic = 1;  // the static colours are in use
constexpr int kSystemPaletteNoStatic = 2;
int GetSystemPaletteUse();

// Capability indices answered by GetDeviceCaps.
constexpr int kCapsHorizontalResolution = 8;
constexpr int kCapsVerticalResolution = 10;
constexpr int kCapsBitsPerPixel = 12;
constexpr int kCapsPlanes = 14;
constexpr int kCapsNumberOfColours = 24;  // the reserved (static) colours
constexpr int kCapsRasterCaps = 38;
constexpr int kCapsSizePalette = 104;
constexpr int kCapsNumberReserved = 106;
constexpr int kCapsColourResolution = 108;
constexpr int kRasterCapsPalette = 0x0100;
// A context may be null (the display). Unknown indices answer 0.
int GetDeviceCaps(const DeviceContext* dc, int index);

// The major version of the operating system this display model stands for.
int OsMajorVersion();

// --- For the compositor and tests -----------------------------------------

using RgbTable = std::array<std::array<uint8_t, 3>, kSystemPaletteSize>;

// The colours of the system palette as they are now.
const RgbTable& SystemPaletteRgb();
// Counts every change of the system palette colours.
uint32_t SystemPaletteGeneration();
// True from the foreground realize of an all-black palette (the clearing
// before an image load) until a foreground realize changes the system
// palette again: meanwhile the screen keeps showing the colours it had, so
// no black flash is seen.
bool SystemPaletteCleared();
// Back to the static colours with black in 10-245.
void ResetSystemPalette();

}  // namespace plat
