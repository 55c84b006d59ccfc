#pragma once
// Copies between device contexts: the only way pictures reach windows.
//
//   plat::DcHandle window_dc = plat::GetWindowDC(*this);
//   SelectPictureOutputPalette(*window_dc, picture.dc.get(), picture.palette);
//   BlitDC(*window_dc, 0, 0, 640, 480, *picture.dc, 0, 0);
//   RestoreDefaultPalette(*window_dc);

#include <cstddef>
#include <cstdint>

#include "gfx/pixel_surface.h"
#include "platform/gdi.h"

// Copies a w x h block and makes it visible at once. The rectangle is cut at
// the left and top (moving the source along), then to the destination's and
// the source's sizes. Returns 1.
int32_t BlitDC(plat::DeviceContext& dst, int32_t x, int32_t y, int32_t w, int32_t h,
               plat::DeviceContext& src, int32_t src_x, int32_t src_y);

// Covers (0, 0)-(w, h) of the destination with copies of the source, one per
// 100 x 100 block (the screens' background tile). Returns 1.
int32_t BlitDCInBlocks(plat::DeviceContext& dst, int32_t, int32_t, int32_t w, int32_t h,
                       plat::DeviceContext& src);

// A plain block transfer with a raster operation, cut at the left and top
// and to the destination's size only. Returns 1.
int32_t BlitDCClipped(plat::DeviceContext& dst, int32_t x, int32_t y, int32_t w, int32_t h,
                      plat::DeviceContext& src, int32_t src_x, int32_t src_y,
                      plat::RasterOp operation);

// A block of a context, copied to the same place in another.
struct SamePlaceBlock {
    int32_t x = 0, y = 0, w = 0, h = 0;
};

// BlitDC(dst, b.x, b.y, b.w, b.h, src, b.x, b.y) for each block in order,
// with the contexts' sizes and pixels looked up once: the same pixels, the
// same change notice after each copy and the same flush after each call.
void BlitDCSamePlaces(plat::DeviceContext& dst, plat::DeviceContext& src,
                      const SamePlaceBlock* blocks, size_t count);

// The pixels BlitDCSamePlaces(dst, src, ...) copies into: the destination's,
// cut to both contexts' clip boxes and pixel surfaces. Empty where either
// context has no pixels or both share them.
PixelSurface SamePlaceTarget(plat::DeviceContext& dst, plat::DeviceContext& src);

// The change notice for each block and the flush that follow copies of the
// blocks made into SamePlaceTarget's pixels.
void NoteSamePlaceCopies(plat::DeviceContext& dst, const SamePlaceBlock* blocks, size_t count);
