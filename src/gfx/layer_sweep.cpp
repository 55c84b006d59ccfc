#include "gfx/layer_sweep.h"

#include <algorithm>
#include <cassert>

#include "gfx/layer_spans.h"

namespace {

constexpr int32_t kBandRows = 64;

bool Overlaps(const PixelSurface& dst, const ConstPixelSurface& s) {
    const auto begin = [](const auto& p) { return reinterpret_cast<uintptr_t>(p.pixels); };
    const auto end = [&](const auto& p) {
        return begin(p) + uintptr_t(p.height - 1) * uintptr_t(p.stride) + uintptr_t(p.width);
    };
    return begin(dst) < end(s) && begin(s) < end(dst);
}

}  // namespace

template <class T, class RowsOf>
void LayerSweep::Sort(const std::vector<T>& list, int32_t top, int32_t bands, RowsOf rows_of,
                      Buckets& buckets) {
    buckets.starts.assign(static_cast<size_t>(bands) + 1, 0);
    auto band_range = [&](const T& e, int32_t& first, int32_t& last) {
        int64_t y0 = 0;
        int64_t y1 = 0;
        rows_of(e, y0, y1);
        first = static_cast<int32_t>((y0 - top) / kBandRows);
        last = static_cast<int32_t>((y1 - 1 - top) / kBandRows);
    };
    for (const T& e : list) {
        int32_t first = 0;
        int32_t last = 0;
        band_range(e, first, last);
        for (int32_t b = first; b <= last; ++b) ++buckets.starts[b + 1];
    }
    for (int32_t b = 0; b < bands; ++b) buckets.starts[b + 1] += buckets.starts[b];
    buckets.entries.resize(buckets.starts[bands]);
    std::vector<uint32_t>& fill = fill_;
    fill.assign(buckets.starts.begin(), buckets.starts.end() - 1);
    for (uint32_t i = 0; i < list.size(); ++i) {
        int32_t first = 0;
        int32_t last = 0;
        band_range(list[i], first, last);
        for (int32_t b = first; b <= last; ++b) buckets.entries[fill[b]++] = i;
    }
}

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
                    (kept_.cover[kept + i] != 0) != covered) {
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
    int32_t top = dst.height;
    int32_t bottom = 0;
    for (const PixelRect& r : restores_) {
        top = std::min(top, r.top);
        bottom = std::max(bottom, r.bottom);
    }
    for (const ZeroKeyCopy& p : pictures_) {
        top = std::min<int32_t>(top, static_cast<int32_t>(p.y));
        bottom = std::max<int32_t>(bottom, static_cast<int32_t>(p.y + p.rows));
    }
    const int32_t bands = (bottom - top + kBandRows - 1) / kBandRows;
    Sort(
        restores_, top, bands,
        [](const PixelRect& r, int64_t& y0, int64_t& y1) { y0 = r.top, y1 = r.bottom; },
        restore_bands_);
    Sort(
        pictures_, top, bands,
        [](const ZeroKeyCopy& p, int64_t& y0, int64_t& y1) { y0 = p.y, y1 = p.y + p.rows; },
        picture_bands_);
    auto row_of = [](const auto& s, int64_t y) { return s.pixels + y * s.stride; };
    Keep(layers, revision);
    assert(KeptMatchesLayers(layers));
    const int64_t kept_stride = dst.width;
    auto kept_at = [&](const std::vector<uint8_t>& kept, int64_t x, int64_t y) {
        return kept.data() + y * kept_stride + x;
    };
    // A window as large as the picture takes each byte as it is written;
    // a smaller one gets the finished rectangles, cut to it, band by band.
    const bool mirroring = copying && copy_to->width >= dst.width && copy_to->height >= dst.height;
    uint8_t* const mirror_pixels = mirroring ? copy_to->pixels : nullptr;
    const int64_t mirror_stride = mirroring ? copy_to->stride : 0;
    auto mirror_at = [&](int64_t x, int64_t y) {
        return mirroring ? mirror_pixels + y * mirror_stride + x : nullptr;
    };
    for (int32_t band = 0; band < bands; ++band) {
        const int32_t band_top = top + band * kBandRows;
        const int32_t band_end = std::min(band_top + kBandRows, bottom);
        // Restoring is idempotent: where rectangles overlap, the pixels are
        // copied again, which costs less than finding the union first.
        for (uint32_t k = restore_bands_.starts[band]; k < restore_bands_.starts[band + 1]; ++k) {
            const PixelRect& r = restores_[restore_bands_.entries[k]];
            const int32_t y0 = std::max(r.top, band_top);
            const int32_t y1 = std::min(r.bottom, band_end);
            CopyRows(row_of(dst, y0) + r.left, dst.stride, kept_at(kept_.clean, r.left, y0),
                     kept_stride, r.right - r.left, y1 - y0, mirror_at(r.left, y0), mirror_stride);
        }
        for (uint32_t k = picture_bands_.starts[band]; k < picture_bands_.starts[band + 1]; ++k) {
            const ZeroKeyCopy& p = pictures_[picture_bands_.entries[k]];
            const int64_t y0 = std::max<int64_t>(p.y, band_top);
            const int64_t y1 = std::min<int64_t>(p.y + p.rows, band_end);
            const UncoveredRows at{row_of(dst, y0) + p.x,
                                   p.src + (y0 - p.y) * p.src_stride,
                                   kept_at(kept_.cover, p.x, y0),
                                   mirror_at(p.x, y0),
                                   dst.stride,
                                   p.src_stride,
                                   kept_stride,
                                   mirror_stride};
            DrawRowsUncovered(at, p.columns, y1 - y0);
        }
        if (!copying || mirroring) continue;
        for (uint32_t k = restore_bands_.starts[band]; k < restore_bands_.starts[band + 1]; ++k) {
            const PixelRect& r = restores_[restore_bands_.entries[k]];
            const int32_t y0 = std::max(r.top, band_top);
            const int32_t y1 = std::min({r.bottom, band_end, copy_to->height});
            const int32_t x1 = std::min(r.right, copy_to->width);
            if (r.left >= x1) continue;
            CopyRows(row_of(*copy_to, y0) + r.left, copy_to->stride, row_of(dst, y0) + r.left,
                     dst.stride, x1 - r.left, y1 - y0);
        }
    }
    return true;
}
