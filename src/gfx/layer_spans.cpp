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

// The bytes of a key-0 copy of `src` over `out` where `cover` is 0 (the
// cover map holds 0 or 0xFF only).
template <class V>
V Uncovered(const uint8_t* src, const uint8_t* cover, int64_t i, V out) {
    const V s = Load<V>(src + i);
    const V keep = V(s == 0) | Load<V>(cover + i);
    return (out & keep) | (s & ~keep);
}

// Stores a block into `out` and, where there is one, the same bytes into
// `mirror`.
template <class V>
inline void StoreTwice(uint8_t* out, uint8_t* mirror, int64_t i, V v) {
    Store(out + i, v);
    if (mirror != nullptr) Store(mirror + i, v);
}

// A key-0 copy of `src` into `out` (and `mirror`, unless null, which then
// holds the bytes `out` holds) where `cover` is 0, for the runs shorter than
// 8 or longer than 48 bytes.
__attribute__((always_inline)) inline void DrawSpanUncovered(uint8_t* out, const uint8_t* src,
                                                             const uint8_t* cover, int64_t count,
                                                             uint8_t* mirror) {
    // A run that is no whole number of blocks ends with a block overlapping
    // the one before. Its destination bytes are read before anything is
    // stored (a load from bytes just stored in part stalls), and a byte
    // selected twice comes out the same: the choice depends on the source
    // and the cover map only, and an unselected byte keeps its first value.
    if (count >= 16) {
        const int64_t last = count - 16;
        const Bytes16 tail = Load<Bytes16>(out + last);
        for (int64_t i = 0; i < last; i += 16) {
            StoreTwice(out, mirror, i, Uncovered(src, cover, i, Load<Bytes16>(out + i)));
        }
        StoreTwice(out, mirror, last, Uncovered(src, cover, last, tail));
    } else {
        for (int64_t i = 0; i < count; ++i) {
            if (src[i] != 0 && cover[i] == 0) out[i] = src[i];
            if (mirror != nullptr) mirror[i] = out[i];
        }
    }
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

void ComposeSpan(uint8_t* out, const uint8_t* base, const uint8_t* middle, const uint8_t* front,
                 int64_t count) {
    ComposeSpanInline(out, base, middle, front, count);
}

namespace {

// Rows of `count` bytes as `kBlocks` blocks of V, the last one ending at the
// run's end and overlapping the one before unless the run fills them:
// sizeof(V) * (kBlocks - 1) <= count <= sizeof(V) * kBlocks. The way is
// chosen once for all the rows of a moving picture, most of which are 16
// to 32 bytes wide; a byte written twice comes out the same.
template <class V, int kBlocks>
constexpr int64_t BlockAt(int b, int64_t last) {
    return b + 1 < kBlocks ? b * static_cast<int64_t>(sizeof(V)) : last;
}

// Stores a row's blocks where BlockAt puts them.
template <class V, int kBlocks>
inline void StoreBlocks(uint8_t* to, const V (&blocks)[kBlocks], int64_t last) {
    for (int b = 0; b < kBlocks; ++b) Store(to + BlockAt<V, kBlocks>(b, last), blocks[b]);
}

template <class V, int kBlocks, bool kMirror>
void CopyBlockRows(uint8_t* out, int64_t out_stride, const uint8_t* in, int64_t in_stride,
                   int64_t count, int64_t rows, uint8_t* mirror, int64_t mirror_stride) {
    const int64_t last = count - static_cast<int64_t>(sizeof(V));
    for (int64_t row = 0; row < rows; ++row) {
        V blocks[kBlocks];
        for (int b = 0; b < kBlocks; ++b) blocks[b] = Load<V>(in + BlockAt<V, kBlocks>(b, last));
        StoreBlocks(out, blocks, last);
        if constexpr (kMirror) {
            StoreBlocks(mirror, blocks, last);
            mirror += mirror_stride;
        }
        out += out_stride;
        in += in_stride;
    }
}

template <class V, int kBlocks, bool kMirror>
void DrawBlockRowsUncovered(const UncoveredRows& at, int64_t count, int64_t rows) {
    const int64_t last = count - static_cast<int64_t>(sizeof(V));
    uint8_t* out = at.out;
    const uint8_t* src = at.src;
    const uint8_t* cover = at.cover;
    uint8_t* mirror = at.mirror;
    // In locals: the stores through byte pointers would make the compiler
    // read them from `at` again on every row.
    const int64_t out_stride = at.out_stride;
    const int64_t src_stride = at.src_stride;
    const int64_t cover_stride = at.cover_stride;
    const int64_t mirror_stride = at.mirror_stride;
    for (int64_t row = 0; row < rows; ++row) {
        // Every block reads its destination bytes before any is stored.
        V blocks[kBlocks];
        for (int b = 0; b < kBlocks; ++b) {
            const int64_t i = BlockAt<V, kBlocks>(b, last);
            blocks[b] = Uncovered(src, cover, i, Load<V>(out + i));
        }
        StoreBlocks(out, blocks, last);
        if constexpr (kMirror) {
            StoreBlocks(mirror, blocks, last);
            mirror += mirror_stride;
        }
        out += out_stride;
        src += src_stride;
        cover += cover_stride;
    }
}

template <class V, int kBlocks, class Kernel>
bool RunBlocks(bool mirror, const Kernel& kernel) {
    if (mirror) {
        kernel.template Run<V, kBlocks, true>();
    } else {
        kernel.template Run<V, kBlocks, false>();
    }
    return true;
}

// Runs the kernel in blocks for the runs of 8 to 48 bytes; false for other
// widths, which take the loops that choose the way on each row.
template <class Kernel>
bool RunInBlocks(int64_t count, bool mirror, const Kernel& kernel) {
    if (count >= 8 && count < 16) return RunBlocks<Bytes8, 2>(mirror, kernel);
    if (count >= 16 && count <= 32) return RunBlocks<Bytes16, 2>(mirror, kernel);
    if (count > 32 && count <= 48) return RunBlocks<Bytes16, 3>(mirror, kernel);
    return false;
}

struct CopyKernel {
    uint8_t* out;
    int64_t out_stride;
    const uint8_t* in;
    int64_t in_stride, count, rows;
    uint8_t* mirror;
    int64_t mirror_stride;
    template <class V, int kBlocks, bool kMirror>
    void Run() const {
        CopyBlockRows<V, kBlocks, kMirror>(out, out_stride, in, in_stride, count, rows, mirror,
                                           mirror_stride);
    }
};

struct UncoveredKernel {
    const UncoveredRows& at;
    int64_t count, rows;
    template <class V, int kBlocks, bool kMirror>
    void Run() const {
        DrawBlockRowsUncovered<V, kBlocks, kMirror>(at, count, rows);
    }
};

}  // namespace

void CopyRows(uint8_t* out, int64_t out_stride, const uint8_t* in, int64_t in_stride, int64_t count,
              int64_t rows, uint8_t* mirror, int64_t mirror_stride) {
    const CopyKernel kernel{out, out_stride, in, in_stride, count, rows, mirror, mirror_stride};
    if (RunInBlocks(count, mirror != nullptr, kernel)) return;
    auto copy = [count](uint8_t* to, const uint8_t* from) {
        // Whole blocks, the last one overlapping the one before.
        if (count >= 16) {
            const int64_t last = count - 16;
            for (int64_t i = 0; i < last; i += 16) std::memcpy(to + i, from + i, 16);
            std::memcpy(to + last, from + last, 16);
        } else {
            for (int64_t i = 0; i < count; ++i) to[i] = from[i];
        }
    };
    for (int64_t row = 0; row < rows; ++row, out += out_stride, in += in_stride) {
        copy(out, in);
        if (mirror != nullptr) {
            copy(mirror, in);
            mirror += mirror_stride;
        }
    }
}

void DrawRowsUncovered(const UncoveredRows& at, int64_t count, int64_t rows) {
    if (RunInBlocks(count, at.mirror != nullptr, UncoveredKernel{at, count, rows})) return;
    for (int64_t row = 0; row < rows; ++row) {
        uint8_t* mirror = at.mirror != nullptr ? at.mirror + row * at.mirror_stride : nullptr;
        DrawSpanUncovered(at.out + row * at.out_stride, at.src + row * at.src_stride,
                          at.cover + row * at.cover_stride, count, mirror);
    }
}

void ComposeAndCoverRows(const LayerRows& at, uint8_t* cover, int64_t cover_stride, int64_t count,
                         int64_t rows) {
    for (int64_t row = 0; row < rows; ++row) {
        uint8_t* out = at.out + row * at.out_stride;
        const uint8_t* base = at.base + row * at.base_stride;
        const uint8_t* middle = at.middle + row * at.middle_stride;
        const uint8_t* front = at.front + row * at.front_stride;
        uint8_t* c = cover + row * cover_stride;
        if (count < 16) {
            ComposeSpanInline(out, base, middle, front, count);
            for (int64_t i = 0; i < count; ++i) c[i] = middle[i] == 0 && front[i] == 0 ? 0 : 0xFF;
            continue;
        }
        // Each block read once for both; the last one overlaps the one
        // before and writes the same bytes again.
        auto block = [&](int64_t i) {
            const Bytes16 m = Load<Bytes16>(middle + i);
            const Bytes16 f = Load<Bytes16>(front + i);
            Store(out + i, Over(f, Over(m, Load<Bytes16>(base + i))));
            Store(c + i, ~(Bytes16(m == 0) & Bytes16(f == 0)));
        };
        int64_t i = 0;
        for (; i + 16 <= count; i += 16) block(i);
        if (i < count) block(count - 16);
    }
}
