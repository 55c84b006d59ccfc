#pragma once
// Palettes of the 8-bit display: the identity palette that lets pictures be
// copied to the screen without colour translation, the clearing of the
// system palette before each picture load, and the colour-table rewrites of
// packed DIBs.

#include <cstdint>

#include "gfx/dib.h"
#include "platform/palette.h"

namespace plat {
class DeviceContext;
}

// True when the display is a palette device (256 palette entries).
bool IsPaletteDisplay();

// Realizes an all-black palette on the screen so that the next identity
// palette lands on a clean system palette.
void ClearSystemPalette();

// How many of the system's fixed colours stand at each end of the palette
// (10 on a normal display).
int32_t StaticColoursAtEachEnd();

// A 256-entry palette whose static entries (the first and last `reserved / 2`
// of the system palette) are the system's own colours and whose other
// entries are the given colours, so that pixel index i shows system entry i.
plat::PaletteHandle CreateIdentityPalette(const RgbQuad* colours, int32_t count);

// Rewrites the DIB's colour table from the palette (the stock default palette
// for null). Usage 1 writes the indices 0, 1, 2, ... instead of colours.
// Returns 0 for a null DIB, else 1.
int32_t DibToPalette(PackedDib* dib, const plat::PaletteHandle& palette, int32_t usage);

// Changes the DIB's pixels to index the palette's nearest colours and gives it
// the palette's colour table. Does nothing when either is null.
void DibMapToPalette(PackedDib* dib, const plat::PaletteHandle& palette);

// Window output: before a picture is copied to a window, `palette` is
// selected as foreground palette into the window's context and into the
// picture's own context (when given) and realized there.
void SelectPictureOutputPalette(plat::DeviceContext& window_dc, plat::DeviceContext* picture_dc,
                                const plat::PaletteHandle& palette);
// Afterwards the stock default palette goes back into the window's context
// as background palette and is realized.
void RestoreDefaultPalette(plat::DeviceContext& window_dc);
