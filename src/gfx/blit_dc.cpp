#include "gfx/blit_dc.h"

#include <algorithm>

#include "gfx/layer_spans.h"

namespace {

constexpr int32_t kBlockSize = 100;

// Left and top: the part before 0 is dropped and the source moves along.
void CutLeftTop(int32_t& x, int32_t& y, int32_t& w, int32_t& h, int32_t& src_x, int32_t& src_y) {
    if (x < 0) {
        src_x -= x;
        w += x;
        x = 0;
    }
    if (y < 0) {
        src_y -= y;
        h += y;
        y = 0;
    }
}

// The clip box is used as a size only.
void CutToSize(plat::DeviceContext& dc, int32_t x, int32_t y, int32_t& w, int32_t& h) {
    plat::Rect box;
    plat::GetClipBox(dc, &box);
    if (x + w > box.Width()) w = box.Width() - x;
    if (y + h > box.Height()) h = box.Height() - y;
}

}  // namespace

int32_t BlitDC(plat::DeviceContext& dst, int32_t x, int32_t y, int32_t w, int32_t h,
               plat::DeviceContext& src, int32_t src_x, int32_t src_y) {
    CutLeftTop(x, y, w, h, src_x, src_y);
    CutToSize(dst, x, y, w, h);
    CutToSize(src, src_x, src_y, w, h);
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    if (w > 0 && h > 0) plat::BitBlt(dst, x, y, w, h, &src, src_x, src_y, plat::RasterOp::SrcCopy);
    plat::GdiFlush();
    return 1;
}

int32_t BlitDCInBlocks(plat::DeviceContext& dst, int32_t, int32_t, int32_t w, int32_t h,
                       plat::DeviceContext& src) {
    for (int32_t x = 0; x < w; x += kBlockSize) {
        for (int32_t y = 0; y < h; y += kBlockSize) BlitDC(dst, x, y, w, h, src, 0, 0);
    }
    return 1;
}

int32_t BlitDCClipped(plat::DeviceContext& dst, int32_t x, int32_t y, int32_t w, int32_t h,
                      plat::DeviceContext& src, int32_t src_x, int32_t src_y,
                      plat::RasterOp operation) {
    CutLeftTop(x, y, w, h, src_x, src_y);
    CutToSize(dst, x, y, w, h);
    if (w > 0 && h > 0) plat::BitBlt(dst, x, y, w, h, &src, src_x, src_y, operation);
    return 1;
}

void BlitDCSamePlaces(plat::DeviceContext& dst, plat::DeviceContext& src,
                      const SamePlaceBlock* blocks, size_t count) {
    if (count == 0) return;
    const plat::PixelView to = dst.Target();
    const plat::PixelView from = src.Target();
    if (to.pixels != nullptr && to.pixels == from.pixels) {
        for (size_t i = 0; i < count; ++i) {
            const SamePlaceBlock& b = blocks[i];
            BlitDC(dst, b.x, b.y, b.w, b.h, src, b.x, b.y);
        }
        return;
    }
    const PixelSurface target = SamePlaceTarget(dst, src);
    for (size_t i = 0; i < count; ++i) {
        // As BlitDC: the part before 0 dropped (the source moves along,
        // staying at the same place), cut to both clip boxes and surfaces.
        const int32_t x = std::max(blocks[i].x, 0);
        const int32_t y = std::max(blocks[i].y, 0);
        const int32_t w = std::min(blocks[i].w - (x - blocks[i].x), target.width - x);
        const int32_t h = std::min(blocks[i].h - (y - blocks[i].y), target.height - y);
        if (!target.Empty() && w > 0 && h > 0) {
            CopyRows(target.pixels + int64_t{y} * target.stride + x, target.stride, from.Row(y) + x,
                     from.stride, w, h);
            dst.Touched({x, y, x + w, y + h});
        }
        plat::GdiFlush();
    }
}

PixelSurface SamePlaceTarget(plat::DeviceContext& dst, plat::DeviceContext& src) {
    plat::Rect dst_box;
    plat::Rect src_box;
    plat::GetClipBox(dst, &dst_box);
    plat::GetClipBox(src, &src_box);
    const plat::PixelView to = dst.Target();
    const plat::PixelView from = src.Target();
    if (to.pixels == nullptr || from.pixels == nullptr || to.pixels == from.pixels) return {};
    const int32_t w = std::min({dst_box.Width(), src_box.Width(), to.width, from.width});
    const int32_t h = std::min({dst_box.Height(), src_box.Height(), to.height, from.height});
    if (w <= 0 || h <= 0) return {};
    return {to.pixels, w, h, to.stride};
}

void NoteSamePlaceCopies(plat::DeviceContext& dst, const SamePlaceBlock* blocks, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const SamePlaceBlock& b = blocks[i];
        dst.Touched({b.x, b.y, b.x + b.w, b.y + b.h});
    }
    plat::GdiFlush();
}
