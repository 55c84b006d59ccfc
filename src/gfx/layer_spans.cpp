#include "gfx/layer_spans.h"

#include <algorithm>
#include <cstring>

#include "gfx/byte_vectors.h"

namespace {

using bytevec::Bytes16;
using bytevec::Bytes8;
using bytevec::Load;
using bytevec::Over;
using bytevec::Store;

// The bytes of a key-0 copy of `src` over `out` where both layers are 0.
template <class V>
V Beneath(const uint8_t* src, const uint8_t* middle, const uint8_t* front, V out) {
    const V s = Load<V>(src);
    const V write = V(s != 0) & V(Load<V>(middle) == 0) & V(Load<V>(front) == 0);
    return (s & write) | (out & ~write);
}

}  // namespace

__attribute__((always_inline)) inline void ComposeSpanInline(uint8_t* out, const uint8_t* base,
                                                             const uint8_t* middle,
                                                             const uint8_t* front, int64_t count) {
    if (count >= 8 && count < 16) {
        // Two blocks of eight, overlapping unless the run is eight long.
        for (const int64_t i : {int64_t{0}, count - 8}) {
            const Bytes8 below = Over(Load<Bytes8>(middle + i), Load<Bytes8>(base + i));
            Store(out + i, Over(Load<Bytes8>(front + i), below));
        }
        return;
    }
    if (count < 16) {
        for (int64_t i = 0; i < count; ++i) {
            out[i] = front[i] != 0 ? front[i] : middle[i] != 0 ? middle[i] : base[i];
        }
        return;
    }
    // The last block may overlap the one before; it computes the same bytes
    // again.
    auto compose = [&](int64_t i) {
        const Bytes16 below = Over(Load<Bytes16>(middle + i), Load<Bytes16>(base + i));
        Store(out + i, Over(Load<Bytes16>(front + i), below));
    };
    int64_t i = 0;
    for (; i + 16 <= count; i += 16) compose(i);
    if (i < count) compose(count - 16);
}

__attribute__((always_inline)) inline void DrawSpanBeneathInline(uint8_t* out, const uint8_t* src,
                                                                 const uint8_t* middle,
                                                                 const uint8_t* front,
                                                                 int64_t count) {
    // A run that is no whole number of blocks ends with a block overlapping
    // the one before. Its destination bytes are read before anything is
    // stored (a load from bytes just stored in part stalls), and a byte
    // selected twice comes out the same: the choice depends on the source
    // and the layers only, and an unselected byte keeps its first value.
    if (count >= 16) {
        const int64_t last = count - 16;
        const Bytes16 tail = Load<Bytes16>(out + last);
        for (int64_t i = 0; i < last; i += 16) {
            Store(out + i, Beneath(src + i, middle + i, front + i, Load<Bytes16>(out + i)));
        }
        Store(out + last, Beneath(src + last, middle + last, front + last, tail));
    } else if (count >= 8) {
        const int64_t last = count - 8;
        const Bytes8 head = Load<Bytes8>(out);
        const Bytes8 tail = Load<Bytes8>(out + last);
        Store(out, Beneath(src, middle, front, head));
        Store(out + last, Beneath(src + last, middle + last, front + last, tail));
    } else {
        for (int64_t i = 0; i < count; ++i) {
            if (src[i] != 0 && middle[i] == 0 && front[i] == 0) out[i] = src[i];
        }
    }
}

void ComposeSpan(uint8_t* out, const uint8_t* base, const uint8_t* middle, const uint8_t* front,
                 int64_t count) {
    ComposeSpanInline(out, base, middle, front, count);
}

void DrawSpanBeneath(uint8_t* out, const uint8_t* src, const uint8_t* middle, const uint8_t* front,
                     int64_t count) {
    DrawSpanBeneathInline(out, src, middle, front, count);
}

void ComposeRows(const LayerRows& at, int64_t count, int64_t rows) {
    uint8_t* out = at.out;
    const uint8_t* base = at.base;
    const uint8_t* middle = at.middle;
    const uint8_t* front = at.front;
    for (int64_t row = 0; row < rows; ++row) {
        ComposeSpanInline(out, base, middle, front, count);
        out += at.out_stride;
        base += at.base_stride;
        middle += at.middle_stride;
        front += at.front_stride;
    }
}

void DrawRowsBeneath(const LayerRows& at, const uint8_t* src, int64_t src_stride, int64_t count,
                     int64_t rows) {
    uint8_t* out = at.out;
    const uint8_t* middle = at.middle;
    const uint8_t* front = at.front;
    for (int64_t row = 0; row < rows; ++row) {
        DrawSpanBeneathInline(out, src, middle, front, count);
        out += at.out_stride;
        src += src_stride;
        middle += at.middle_stride;
        front += at.front_stride;
    }
}

void CopyRows(uint8_t* out, int64_t out_stride, const uint8_t* in, int64_t in_stride, int64_t count,
              int64_t rows) {
    for (int64_t row = 0; row < rows; ++row, out += out_stride, in += in_stride) {
        // Whole blocks, the last one overlapping the one before.
        if (count >= 16) {
            const int64_t last = count - 16;
            for (int64_t i = 0; i < last; i += 16) std::memcpy(out + i, in + i, 16);
            std::memcpy(out + last, in + last, 16);
        } else if (count >= 8) {
            std::memcpy(out, in, 8);
            std::memcpy(out + count - 8, in + count - 8, 8);
        } else {
            for (int64_t i = 0; i < count; ++i) out[i] = in[i];
        }
    }
}
