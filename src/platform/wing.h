#pragma once
// Off-screen 8-bit bitmaps with directly writable pixels, in the manner the
// graphics engine expects: a memory device context, a bitmap created from a
// header (whose pixel pointer the caller writes), the colour table of the
// bitmap selected into a context, and block copies between contexts.
//
// The recommended (and only) format is 8 bits per pixel, top-down: row 0 is
// the top row and the stride is the width padded to a multiple of 4.

#include <cstdint>

#include "platform/dib.h"
#include "platform/gdi.h"

namespace plat {

// A memory context with the stock 1 x 1 bitmap selected.
inline DcHandle CreateOffscreenDC() {
    return CreateMemoryDC();
}

// Fills in the recommended format: 40-byte header, width 0, height -1
// (top-down), 1 plane, 8 bits, uncompressed, no colours used. The colour
// table is left alone. False for a null pointer.
bool RecommendDibFormat(BitmapInfoHeader* header);

// An 8-bit bitmap of header.width x |header.height| pixels, always top-down.
// Its colour table is taken from `colours` (256 quads) when given. The pixel
// pointer is stored in *pixels (null on failure); its contents start zeroed.
// Null when the header is not 8-bit uncompressed or the size is not positive.
BitmapHandle CreateDib8(const BitmapInfoHeader& header, const RgbQuad* colours, uint8_t** pixels);

// The colour table of the bitmap selected into a memory context: entries
// [start, start + count) clipped to 256. Return the number of entries moved
// (0 for other contexts).
int32_t SetDibColourTable(DeviceContext& dc, int32_t start, int32_t count, const RgbQuad* colours);
int32_t GetDibColourTable(DeviceContext& dc, int32_t start, int32_t count, RgbQuad* colours);

// A plain copy of pixel indices (the off-screen blit): BitBlt with SRCCOPY.
inline bool OffscreenBlit(DeviceContext& dst, int32_t x, int32_t y, int32_t w, int32_t h,
                          DeviceContext& src, int32_t sx, int32_t sy) {
    return BitBlt(dst, x, y, w, h, &src, sx, sy, RasterOp::SrcCopy);
}

}  // namespace plat
