#pragma once
// Copies between device contexts: the only way pictures reach windows.
//
//   plat::DcHandle window_dc = plat::GetWindowDC(*this);
//   SelectPictureOutputPalette(*window_dc, picture.dc.get(), picture.palette);
//   BlitDC(*window_dc, 0, 0, 640, 480, *picture.dc, 0, 0);
//   RestoreDefaultPalette(*window_dc);

#include <cstdint>

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
