#include "gfx/layer_sweep.h"

#include <algorithm>
#include <cassert>

#include "gfx/layer_spans.h"

namespace {

bool Overlaps(const PixelSurface& dst, const ConstPixelSurface& s) {
    const auto begin = [](const auto& p) { return reinterpret_cast<uintptr_t>(p.pixels); };
    const auto end = [&](const auto& p) {
        return begin(p) + uintptr_t(p.height - 1) * uintptr_t(p.stride) + uintptr_t(p.width);
    };
    return begin(dst) < end(s) && begin(s) < end(dst);
}

}  // namespace

bool LayerSweep::Keeps(const LayerStack& layers, uint64_t revision) const {
    auto same = [](const ConstPixelSurface& a, const ConstPixelSurface& b) {
        return a.pixels == b.pixels && a.width == b.width && a.height == b.height &&
               a.stride == b.stride;
    };
    return kept_.valid && kept_.revision == revision && same(kept_.layers.base, layers.base) &&
           same(kept_.layers.middle, layers.middle) && same(kept_.layers.front, layers.front);
}

void LayerSweep::LayersChangedIn(const LayerStack& layers, uint64_t revision,
                                 const PixelRect& rect) {
    if (!Keeps(layers, revision)) return;  // composed afresh when next drawn
    const int32_t left = std::max(rect.left, 0);
    const int32_t top = std::max(rect.top, 0);
    const int32_t right = std::min(rect.right, layers.base.width);
    const int32_t bottom = std::min(rect.bottom, layers.base.height);
    if (left >= right || top >= bottom) return;
    const int64_t width = layers.base.width;
    auto at = [&](const ConstPixelSurface& s) { return s.pixels + int64_t{top} * s.stride + left; };
    const LayerRows rows{kept_.clean.data() + top * width + left,
                         at(layers.base),
                         at(layers.middle),
                         at(layers.front),
                         width,
                         layers.base.stride,
                         layers.middle.stride,
                         layers.front.stride};
    ComposeAndCoverRows(rows, kept_.cover.data() + top * width + left, width, right - left,
                        bottom - top);
}

bool LayerSweep::KeptMatchesLayers(const LayerStack& layers) const {
    const int64_t width = layers.base.width;
    std::vector<uint8_t> composed;
    for (const PixelRect& r : restores_) {
        const int64_t count = r.right - r.left;
        composed.resize(static_cast<size_t>(count));
        for (int64_t y = r.top; y < r.bottom; ++y) {
            auto at = [&](const ConstPixelSurface& s) { return s.pixels + y * s.stride + r.left; };
            ComposeSpan(composed.data(), at(layers.base), at(layers.middle), at(layers.front),
                        count);
            const size_t kept = static_cast<size_t>(y * width + r.left);
            for (int64_t i = 0; i < count; ++i) {
                const bool covered = at(layers.middle)[i] != 0 || at(layers.front)[i] != 0;
                if (kept_.clean[kept + i] != composed[i] ||
                    kept_.cover[kept + i] != (covered ? 0xFF : 0)) {
                    return false;
                }
            }
        }
    }
    return true;
}

void LayerSweep::Keep(const LayerStack& layers, uint64_t revision) {
    if (Keeps(layers, revision)) return;
    const int32_t width = layers.base.width;
    const size_t bytes = size_t(width) * size_t(layers.base.height);
    kept_.clean.resize(bytes);
    kept_.cover.resize(bytes);
    const LayerRows rows{
        kept_.clean.data(), layers.base.pixels,   layers.middle.pixels, layers.front.pixels, width,
        layers.base.stride, layers.middle.stride, layers.front.stride};
    ComposeAndCoverRows(rows, kept_.cover.data(), width, width, layers.base.height);
    kept_.layers = layers;
    kept_.revision = revision;
    kept_.valid = true;
}

const std::vector<uint32_t>& LayerSweep::TopDownOrder(int32_t height) {
    const size_t n = restores_.size();
    order_.resize(n);
    bool sorted = true;
    for (size_t i = 0; i < n; ++i) {
        order_[i] = static_cast<uint32_t>(i);
        sorted = sorted && (i == 0 || restores_[i - 1].top <= restores_[i].top);
    }
    if (sorted) return order_;
    // A counting sort by the top row, stable.
    starts_.assign(static_cast<size_t>(height) + 1, 0);
    for (const PixelRect& r : restores_) ++starts_[r.top + 1];
    for (int32_t y = 0; y < height; ++y) starts_[y + 1] += starts_[y];
    for (size_t i = 0; i < n; ++i) order_[starts_[restores_[i].top]++] = static_cast<uint32_t>(i);
    return order_;
}

bool LayerSweep::Draw(const PixelSurface& dst, const LayerStack& layers, uint64_t revision,
                      const PixelSurface* copy_to) {
    auto same = [&](const ConstPixelSurface& s) {
        return !s.Empty() && s.width == dst.width && s.height == dst.height && !Overlaps(dst, s);
    };
    if (dst.Empty() || !same(layers.base) || !same(layers.middle) || !same(layers.front)) {
        return false;
    }
    if (copy_to != nullptr && !copy_to->Empty() &&
        (Overlaps(*copy_to, dst) || Overlaps(*copy_to, layers.base) ||
         Overlaps(*copy_to, layers.middle) || Overlaps(*copy_to, layers.front))) {
        return false;
    }
    const bool copying = copy_to != nullptr && !copy_to->Empty();
    if (restores_.empty()) return true;
    Keep(layers, revision);
    assert(KeptMatchesLayers(layers));
    auto row_of = [](const auto& s, int64_t y) { return s.pixels + y * s.stride; };
    const int64_t kept_stride = dst.width;
    auto kept_at = [&](const std::vector<uint8_t>& kept, int64_t x, int64_t y) {
        return kept.data() + y * kept_stride + x;
    };
    // A window as large as the picture takes each byte as it is written;
    // a smaller one gets the finished rectangles, cut to it, at the end.
    const bool mirroring = copying && copy_to->width >= dst.width && copy_to->height >= dst.height;
    uint8_t* const mirror_pixels = mirroring ? copy_to->pixels : nullptr;
    const int64_t mirror_stride = mirroring ? copy_to->stride : 0;
    auto mirror_at = [&](int64_t x, int64_t y) {
        return mirroring ? mirror_pixels + y * mirror_stride + x : nullptr;
    };
    auto restore = [&](const PixelRect& r) {
        CopyRows(row_of(dst, r.top) + r.left, dst.stride, kept_at(kept_.clean, r.left, r.top),
                 kept_stride, r.right - r.left, r.bottom - r.top, mirror_at(r.left, r.top),
                 mirror_stride);
    };
    // The rectangles are taken from the top down, and each picture as soon
    // as every rectangle reaching into its rows is restored: a rectangle
    // restored later starts below every picture drawn so far, so this gives
    // the pixels of restoring all rectangles first, while the picture's rows
    // are still at hand.
    const std::vector<uint32_t>& order = TopDownOrder(dst.height);
    size_t next = 0;
    for (const ZeroKeyCopy& p : pictures_) {
        while (next < order.size() && restores_[order[next]].top < p.y + p.rows) {
            restore(restores_[order[next++]]);
        }
        const UncoveredRows at{row_of(dst, p.y) + p.x,
                               p.src,
                               kept_at(kept_.cover, p.x, p.y),
                               mirror_at(p.x, p.y),
                               dst.stride,
                               p.src_stride,
                               kept_stride,
                               mirror_stride};
        DrawRowsUncovered(at, p.columns, p.rows);
    }
    while (next < order.size()) restore(restores_[order[next++]]);
    if (!copying || mirroring) return true;
    for (const PixelRect& r : restores_) {
        const int32_t y1 = std::min(r.bottom, copy_to->height);
        const int32_t x1 = std::min(r.right, copy_to->width);
        if (r.left >= x1 || r.top >= y1) continue;
        CopyRows(row_of(*copy_to, r.top) + r.left, copy_to->stride, row_of(dst, r.top) + r.left,
                 dst.stride, x1 - r.left, y1 - r.top);
    }
    return true;
}
