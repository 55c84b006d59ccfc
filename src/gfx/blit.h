#pragma once
// The software renderer's primitives on plain pixel surfaces: keyed copies
// with an integer zoom divisor (point sampling), the same with a clip
// rectangle, one-colour mask copies (glyphs) and rectangle fills.
//
// Shared rules of every copy:
// - An empty source or destination draws nothing.
// - The divisor d must be 1, 2, 4 or 16; any other value draws nothing.
// - A source pixel equal to the key is not written. With d = 1 and d = 2 a
//   group of four destination pixels whose source bytes (4 or 8 of them) are
//   all 0 is skipped as a whole, whatever the key.
// - A source x beyond the source width is read from width - 64 (the sprite
//   sheets rely on it); after that, source pixels outside the source picture
//   count as transparent.
// The image records' member operations are thin wrappers over these.

#include <cstdint>

#include "gfx/pixel_surface.h"

struct BlitRect {
    int32_t x = 0, y = 0;           // destination top-left
    int32_t src_x = 0, src_y = 0;   // source top-left
    int32_t width = 0, height = 0;  // source pixels
};

struct ClipRect {
    int32_t left = 0, right = 0, top = 0, bottom = 0;  // left <= x < right, top <= y < bottom
};

void BlitKeyed(const PixelSurface& dst, const ConstPixelSurface& src, BlitRect r, uint8_t key,
               int32_t divisor);

// The rows a key-0 copy at divisor 1 touches, cut to both surfaces: `rows`
// rows of `columns` source bytes from `src` (rows `src_stride` apart) to the
// destination at (x, y). Drawing them with key 0 writes the same pixels as
// BlitKeyed(dst, src, r, 0, 1); no rows when that copy writes nothing. False
// when the surfaces share memory (copy with BlitKeyed then).
struct ZeroKeyCopy {
    int64_t x = 0, y = 0;
    const uint8_t* src = nullptr;
    int64_t src_stride = 0, columns = 0, rows = 0;
};
bool PlaceZeroKeyCopy(const PixelSurface& dst, const ConstPixelSurface& src, const BlitRect& r,
                      ZeroKeyCopy& copy);

void BlitKeyedClipped(const PixelSurface& dst, const ConstPixelSurface& src, BlitRect r,
                      uint8_t key, int32_t divisor, ClipRect clip);

// Writes `colour` for every source pixel that differs from the key.
void BlitMask(const PixelSurface& dst, const ConstPixelSurface& src, BlitRect r, uint8_t key,
              int32_t divisor, uint8_t colour);

// Composes three layers of one size into `dst` over the rectangle (x, y, w,
// h), cut to all four surfaces: a pixel takes the front layer's colour where
// it is not 0, else the middle layer's where that is not 0, else the base's.
// The same pixels as CopyPixels from `base` followed by key-0 copies of
// `middle` and `front`, in one pass. Returns false, drawing nothing, when a
// surface is empty, the layers differ in size or `dst` shares memory with a
// layer (compose step by step then).
struct LayerStack {
    ConstPixelSurface base, middle, front;
};
bool ComposeLayers(const PixelSurface& dst, const LayerStack& layers, int32_t x, int32_t y,
                   int32_t w, int32_t h);

// Keys `middle` and then `front` (colour 0 transparent) over the rectangle
// (x, y, w, h) of `dst` at the same place, cut to the three surfaces: the
// same pixels as two key-0 copies in that order, in one pass. Returns false,
// drawing nothing, when `dst` shares memory with a layer.
bool CoverWithLayers(const PixelSurface& dst, const ConstPixelSurface& middle,
                     const ConstPixelSurface& front, int32_t x, int32_t y, int32_t w, int32_t h);

// Fills the rectangle cut to the surface; a width or height below 1 draws nothing.
void FillSurface(const PixelSurface& dst, int32_t x, int32_t y, int32_t w, int32_t h,
                 uint8_t colour);

// Copies the rectangle unchanged (no key), cut to both surfaces.
void CopyPixels(const PixelSurface& dst, int32_t x, int32_t y, const ConstPixelSurface& src,
                int32_t src_x, int32_t src_y, int32_t w, int32_t h);
