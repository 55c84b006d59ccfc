#include "gfx/blit.h"

#include <algorithm>
#include <cstring>

#include "gfx/byte_vectors.h"

namespace {

// Where a copy lands after clipping: destination origin, source origin and
// the number of destination columns and rows. 64-bit so that no caller value
// can overflow the arithmetic.
struct Placement {
    int64_t x, y, src_x, src_y, columns, rows;
};

using bytevec::Bytes16;
using bytevec::Bytes8;
using bytevec::Load;
using bytevec::Over;
using bytevec::Store;

struct WriteSource {
    void operator()(uint8_t& d, uint8_t s) const { d = s; }
    template <class V>
    V Block(V s, V d) const {
        return Over(s, d);
    }
};

struct WriteColour {
    uint8_t colour;
    void operator()(uint8_t& d, uint8_t) const { d = colour; }
    template <class V>
    V Block(V s, V d) const {
        const V ink = V(s != 0);
        return (ink & colour) | (d & ~ink);
    }
};

template <class V, class Write>
void SelectBlock(uint8_t* dst, const uint8_t* src, Write write) {
    Store(dst, write.Block(Load<V>(src), Load<V>(dst)));
}

// Rows of a copy for divisor 1 and key 0, the common case: `count` source
// bytes of each row, all inside the source, in blocks of 16 (or 8) bytes. A
// row that is no whole number of blocks ends with a block that overlaps the
// one before it, which is harmless as the source and destination do not
// overlap: a byte selected twice comes out the same. Both of those blocks
// read their destination bytes before either is written, so that the last
// one never reads bytes still on their way to memory (which stalls a
// processor until the store is done).
template <class V, class Write>
void SelectOverlappingBlocks(uint8_t* dst, const uint8_t* src, int64_t count, Write write) {
    const int64_t last = count - static_cast<int64_t>(sizeof(V));
    const V front = write.Block(Load<V>(src), Load<V>(dst));
    const V back = write.Block(Load<V>(src + last), Load<V>(dst + last));
    Store(dst, front);
    Store(dst + last, back);
}

template <class Write>
void DrawRowsZeroKey(uint8_t* dst, int64_t dst_stride, const uint8_t* src, int64_t src_stride,
                     int64_t count, int64_t rows, Write write) {
    for (int64_t row = 0; row < rows; ++row, dst += dst_stride, src += src_stride) {
        if (count >= 16) {
            int64_t i = 0;
            for (; i + 32 <= count; i += 16) SelectBlock<Bytes16>(dst + i, src + i, write);
            if (i + 16 == count) {
                SelectBlock<Bytes16>(dst + i, src + i, write);
            } else {
                SelectOverlappingBlocks<Bytes16>(dst + i, src + i, count - i, write);
            }
        } else if (count >= 8) {
            SelectOverlappingBlocks<Bytes8>(dst, src, count, write);
        } else {
            for (int64_t i = 0; i < count; ++i) {
                if (src[i] != 0) write(dst[i], src[i]);
            }
        }
    }
}

// Whether two surfaces share memory (a copy within one picture).
bool Overlap(const PixelSurface& dst, const ConstPixelSurface& src) {
    const auto begin = [](const auto& s) { return reinterpret_cast<uintptr_t>(s.pixels); };
    const auto end = [&](const auto& s) {
        return begin(s) + uintptr_t(s.height - 1) * uintptr_t(s.stride) + uintptr_t(s.width);
    };
    return begin(dst) < end(src) && begin(src) < end(dst);
}

template <int D>
bool GroupIsZero(const uint8_t* p) {
    if constexpr (D == 1) {
        uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v == 0;
    } else {
        uint64_t v;
        std::memcpy(&v, p, sizeof v);
        return v == 0;
    }
}

// One destination row. Destination column i reads source column
// src_x + i * D of `row`; columns outside [0, src_width) are transparent.
// Without that test a copy reaching past a source edge (a sprite clipped at
// the screen's left, a cell at the sheet's right end) would read the
// neighbouring row's pixels, or memory past the picture's last row.
// Groups of four are aligned to the first destination column, as the
// zero-group skip depends on it.
template <int D, class Write>
void DrawRow(uint8_t* dst, const uint8_t* row, int64_t src_x, int64_t src_width, int64_t columns,
             uint8_t key, Write write) {
    constexpr int64_t kGroupSpan = D <= 2 ? 4 * D : 3 * D + 1;  // source bytes a group reads
    const int64_t groups = columns / 4;
    for (int64_t g = 0; g < groups; ++g) {
        const int64_t first = src_x + g * 4 * D;
        uint8_t* out = dst + g * 4;
        if (first >= 0 && first + kGroupSpan <= src_width) {
            const uint8_t* p = row + first;
            if constexpr (D <= 2) {
                if (GroupIsZero<D>(p)) continue;
            }
            for (int k = 0; k < 4; ++k) {
                const uint8_t b = p[k * D];
                if (b != key) write(out[k], b);
            }
            continue;
        }
        // The group reaches over a source edge: bytes outside read as 0 and
        // are never written.
        if constexpr (D <= 2) {
            bool zero = true;
            for (int64_t c = std::max<int64_t>(first, 0);
                 c < std::min(first + kGroupSpan, src_width); ++c) {
                if (row[c] != 0) {
                    zero = false;
                    break;
                }
            }
            if (zero) continue;
        }
        for (int k = 0; k < 4; ++k) {
            const int64_t c = first + k * D;
            if (c < 0 || c >= src_width) continue;
            const uint8_t b = row[c];
            if (b != key) write(out[k], b);
        }
    }
    for (int64_t i = groups * 4; i < columns; ++i) {
        const int64_t c = src_x + i * D;
        if (c < 0 || c >= src_width) continue;
        const uint8_t b = row[c];
        if (b != key) write(dst[i], b);
    }
}

// With key 0 at divisor 1 the zero-group skip changes nothing, and columns
// and rows outside the source are never drawn: cut them off once.
__attribute__((always_inline)) inline bool CutToSource(const ConstPixelSurface& src,
                                                       const Placement& p, ZeroKeyCopy& c) {
    const int64_t first = std::max<int64_t>(p.src_x, 0);
    const int64_t end = std::min<int64_t>(p.src_x + p.columns, src.width);
    const int64_t row_first = std::max<int64_t>(p.src_y, 0);
    const int64_t row_end = std::min<int64_t>(p.src_y + p.rows, src.height);
    if (p.columns <= 0 || p.rows <= 0 || first >= end || row_first >= row_end) return false;
    c.x = p.x + (first - p.src_x);
    c.y = p.y + (row_first - p.src_y);
    c.src = src.pixels + row_first * src.stride + first;
    c.src_stride = src.stride;
    c.columns = end - first;
    c.rows = row_end - row_first;
    return true;
}

template <int D, class Write>
void DrawRows(const PixelSurface& dst, const ConstPixelSurface& src, const Placement& p,
              uint8_t key, Write write) {
    if constexpr (D == 1) {
        if (key == 0 && !Overlap(dst, src)) {
            ZeroKeyCopy c;
            if (!CutToSource(src, p, c)) return;
            DrawRowsZeroKey(dst.pixels + c.y * dst.stride + c.x, dst.stride, c.src, c.src_stride,
                            c.columns, c.rows, write);
            return;
        }
    }
    for (int64_t j = 0; j < p.rows; ++j) {
        const int64_t src_row = p.src_y + j * D;
        // Rows above or below the source are transparent too, not memory
        // outside the picture.
        if (src_row < 0 || src_row >= src.height) continue;
        uint8_t* out = dst.pixels + (p.y + j) * dst.stride + p.x;
        DrawRow<D>(out, src.pixels + src_row * src.stride, p.src_x, src.width, p.columns, key,
                   write);
    }
}

template <class Write>
void Draw(const PixelSurface& dst, const ConstPixelSurface& src, const Placement& p,
          int32_t divisor, uint8_t key, Write write) {
    if (p.columns <= 0 || p.rows <= 0) return;
    switch (divisor) {
        case 1:
            DrawRows<1>(dst, src, p, key, write);
            break;
        case 2:
            DrawRows<2>(dst, src, p, key, write);
            break;
        case 4:
            DrawRows<4>(dst, src, p, key, write);
            break;
        case 16:
            DrawRows<16>(dst, src, p, key, write);
            break;
        default:
            break;
    }
}

bool ValidDivisor(int32_t d) {
    return d == 1 || d == 2 || d == 4 || d == 16;
}

// Sprite sheets are addressed past their right edge on purpose; such reads
// come from the last 64-pixel cell.
int64_t WrapSourceX(int64_t src_x, const ConstPixelSurface& src) {
    return src_x > src.width ? int64_t{src.width} - 64 : src_x;
}

__attribute__((always_inline)) inline Placement PlaceKeyed(const PixelSurface& dst,
                                                           const ConstPixelSurface& src,
                                                           const BlitRect& r, int64_t d) {
    int64_t x = r.x, y = r.y, sx = r.src_x, sy = r.src_y, w = r.width, h = r.height;
    if (x < 0) {
        sx += d * -x;
        w -= d * -x;
        x = 0;
    }
    if (y < 0) {
        sy += d * -y;
        h -= d * -y;
        y = 0;
    }
    int64_t dw = w / d, dh = h / d;
    sx = WrapSourceX(sx, src);
    if (x + dw > dst.width) dw = dst.width - x;
    if (y + dh > dst.height) dh = dst.height - y;
    return {x, y, sx, sy, dw, dh};
}

template <class Write>
void Keyed(const PixelSurface& dst, const ConstPixelSurface& src, const BlitRect& r, uint8_t key,
           int32_t divisor, Write write) {
    if (dst.Empty() || src.Empty() || !ValidDivisor(divisor)) return;
    Draw(dst, src, PlaceKeyed(dst, src, r, divisor), divisor, key, write);
}

}  // namespace

bool PlaceZeroKeyCopy(const PixelSurface& dst, const ConstPixelSurface& src, const BlitRect& r,
                      ZeroKeyCopy& copy) {
    copy = ZeroKeyCopy{};
    if (dst.Empty() || src.Empty()) return true;
    if (Overlap(dst, src)) return false;
    if (!CutToSource(src, PlaceKeyed(dst, src, r, 1), copy)) copy = ZeroKeyCopy{};
    return true;
}

void BlitKeyed(const PixelSurface& dst, const ConstPixelSurface& src, BlitRect r, uint8_t key,
               int32_t divisor) {
    Keyed(dst, src, r, key, divisor, WriteSource{});
}

void BlitMask(const PixelSurface& dst, const ConstPixelSurface& src, BlitRect r, uint8_t key,
              int32_t divisor, uint8_t colour) {
    Keyed(dst, src, r, key, divisor, WriteColour{colour});
}

void BlitKeyedClipped(const PixelSurface& dst, const ConstPixelSurface& src, BlitRect r,
                      uint8_t key, int32_t divisor, ClipRect clip) {
    if (dst.Empty() || src.Empty() || !ValidDivisor(divisor)) return;
    const int64_t d = divisor;
    // Negative clip edges mean the destination's own edge.
    const int64_t left = std::max<int64_t>(clip.left, 0);
    const int64_t top = std::max<int64_t>(clip.top, 0);
    int64_t x = r.x, y = r.y, sx = r.src_x, sy = r.src_y, w = r.width, h = r.height;
    if (x < 0) {
        sx += d * -x;
        w -= d * -x;
        x = 0;
    }
    if (x < left) {
        sx += (left - x) * d;
        w -= (left - x) * d;
        x = left;
    }
    if (y < 0) {
        sy += d * -y;
        h -= d * -y;
        y = 0;
    }
    if (y < top) {
        sy += (top - y) * d;
        h -= (top - y) * d;
        y = top;
    }
    int64_t dw = w / d, dh = h / d;
    const int64_t right = std::min<int64_t>(clip.right, dst.width);
    const int64_t bottom = std::min<int64_t>(clip.bottom, dst.height);
    sx = WrapSourceX(sx, src);
    if (x + dw > right) dw = right - x;
    if (y + dh > bottom) dh = bottom - y;
    Draw(dst, src, Placement{x, y, sx, sy, dw, dh}, divisor, key, WriteSource{});
}

void FillSurface(const PixelSurface& dst, int32_t x, int32_t y, int32_t w, int32_t h,
                 uint8_t colour) {
    if (dst.Empty()) return;
    int64_t fx = x, fy = y, fw = w, fh = h;
    if (fx < 0) {
        fw += fx;
        fx = 0;
    }
    if (fy < 0) {
        fh += fy;
        fy = 0;
    }
    if (fx + fw > dst.width) fw = dst.width - fx;
    if (fy + fh > dst.height) fh = dst.height - fy;
    if (fw < 1 || fh < 1) return;
    for (int64_t row = 0; row < fh; ++row) {
        std::memset(dst.pixels + (fy + row) * dst.stride + fx, colour, static_cast<size_t>(fw));
    }
}

void CopyPixels(const PixelSurface& dst, int32_t x, int32_t y, const ConstPixelSurface& src,
                int32_t src_x, int32_t src_y, int32_t w, int32_t h) {
    if (dst.Empty() || src.Empty()) return;
    int64_t dx = x, dy = y, sx = src_x, sy = src_y, cw = w, ch = h;
    // Cut the rectangle at the four edges of both surfaces.
    const int64_t shift_x = std::max({int64_t{0}, -dx, -sx});
    const int64_t shift_y = std::max({int64_t{0}, -dy, -sy});
    dx += shift_x;
    sx += shift_x;
    cw -= shift_x;
    dy += shift_y;
    sy += shift_y;
    ch -= shift_y;
    cw = std::min({cw, dst.width - dx, src.width - sx});
    ch = std::min({ch, dst.height - dy, src.height - sy});
    if (cw <= 0 || ch <= 0) return;
    for (int64_t row = 0; row < ch; ++row) {
        std::memmove(dst.pixels + (dy + row) * dst.stride + dx,
                     src.pixels + (sy + row) * src.stride + sx, static_cast<size_t>(cw));
    }
}

bool ComposeLayers(const PixelSurface& dst, const LayerStack& layers, int32_t x, int32_t y,
                   int32_t w, int32_t h) {
    const ConstPixelSurface& base = layers.base;
    auto same_size = [&](const ConstPixelSurface& s) {
        return !s.Empty() && s.width == base.width && s.height == base.height;
    };
    if (dst.Empty() || !same_size(base) || !same_size(layers.middle) || !same_size(layers.front) ||
        Overlap(dst, base) || Overlap(dst, layers.middle) || Overlap(dst, layers.front)) {
        return false;
    }
    const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
    const int64_t x1 = std::min<int64_t>({int64_t{x} + w, dst.width, base.width});
    const int64_t y1 = std::min<int64_t>({int64_t{y} + h, dst.height, base.height});
    if (x0 >= x1 || y0 >= y1) return true;
    const int64_t count = x1 - x0;
    for (int64_t row = y0; row < y1; ++row) {
        uint8_t* out = dst.pixels + row * dst.stride + x0;
        const uint8_t* b = base.pixels + row * base.stride + x0;
        const uint8_t* m = layers.middle.pixels + row * layers.middle.stride + x0;
        const uint8_t* f = layers.front.pixels + row * layers.front.stride + x0;
        auto compose = [&](int64_t i) {
            const Bytes16 middle = Over(Load<Bytes16>(m + i), Load<Bytes16>(b + i));
            Store(out + i, Over(Load<Bytes16>(f + i), middle));
        };
        if (count >= 16) {
            // The last block may overlap the one before; it computes the
            // same bytes again.
            int64_t i = 0;
            for (; i + 16 <= count; i += 16) compose(i);
            if (i < count) compose(count - 16);
            continue;
        }
        for (int64_t i = 0; i < count; ++i) {
            out[i] = f[i] != 0 ? f[i] : m[i] != 0 ? m[i] : b[i];
        }
    }
    return true;
}

bool CoverWithLayers(const PixelSurface& dst, const ConstPixelSurface& middle,
                     const ConstPixelSurface& front, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (dst.Empty() || middle.Empty() || front.Empty()) return true;
    if (Overlap(dst, middle) || Overlap(dst, front)) return false;
    const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
    const int64_t x1 = std::min<int64_t>({int64_t{x} + w, dst.width, middle.width, front.width});
    const int64_t y1 = std::min<int64_t>({int64_t{y} + h, dst.height, middle.height, front.height});
    if (x0 >= x1 || y0 >= y1) return true;
    const int64_t count = x1 - x0;
    for (int64_t row = y0; row < y1; ++row) {
        uint8_t* out = dst.pixels + row * dst.stride + x0;
        const uint8_t* m = middle.pixels + row * middle.stride + x0;
        const uint8_t* f = front.pixels + row * front.stride + x0;
        if (count < 16) {
            for (int64_t i = 0; i < count; ++i) {
                out[i] = f[i] != 0 ? f[i] : m[i] != 0 ? m[i] : out[i];
            }
            continue;
        }
        // The last block may overlap the one before; covering twice gives
        // the same bytes. Its destination bytes are read before the block
        // before it is stored (a load from bytes just stored in part stalls).
        auto cover = [&](int64_t i, Bytes16 below) {
            const Bytes16 layers = Over(Load<Bytes16>(f + i), Load<Bytes16>(m + i));
            Store(out + i, Over(layers, below));
        };
        const int64_t last = count - 16;
        const Bytes16 tail = Load<Bytes16>(out + last);
        for (int64_t i = 0; i < last; i += 16) cover(i, Load<Bytes16>(out + i));
        cover(last, tail);
    }
    return true;
}
