#pragma once
// Row loops over the three layers of one size that make up a picture (a
// base and two keyed layers, colour 0 transparent): composing runs, with a
// cover map of where the keyed layers hide the base, copying runs, and
// drawing picture bytes where the cover map leaves the base open. The
// callers cut the runs to the surfaces; none of the rows may overlap.

#include <cstdint>

// out[i] = front[i] if not 0, else middle[i] if not 0, else base[i].
void ComposeSpan(uint8_t* out, const uint8_t* base, const uint8_t* middle, const uint8_t* front,
                 int64_t count);

// Where a block of rows starts in the picture and its three layers, and
// their strides.
struct LayerRows {
    uint8_t* out = nullptr;
    const uint8_t* base = nullptr;
    const uint8_t* middle = nullptr;
    const uint8_t* front = nullptr;
    int64_t out_stride = 0, base_stride = 0, middle_stride = 0, front_stride = 0;
};

// `rows` rows of `count` bytes copied between surfaces that do not overlap
// (into `mirror` as well unless it is null); inline blocks of 16 bytes suit
// the short rows of moving pictures.
void CopyRows(uint8_t* out, int64_t out_stride, const uint8_t* in, int64_t in_stride, int64_t count,
              int64_t rows, uint8_t* mirror = nullptr, int64_t mirror_stride = 0);

// Where a block of rows starts in the picture, its source and its cover map
// (0xFF where a keyed layer covers the base, 0 elsewhere, no other value),
// and in a mirror of the picture (null for none), with their strides.
struct UncoveredRows {
    uint8_t* out = nullptr;
    const uint8_t* src = nullptr;
    const uint8_t* cover = nullptr;
    uint8_t* mirror = nullptr;
    int64_t out_stride = 0, src_stride = 0, cover_stride = 0, mirror_stride = 0;
};

// A key-0 copy of `rows` rows of `count` bytes of the source into the
// picture, leaving every byte alone where the cover map is not 0; the mirror,
// which holds the picture's bytes there, takes the same bytes.
void DrawRowsUncovered(const UncoveredRows& at, int64_t count, int64_t rows);

// ComposeSpan over `rows` rows of `count` bytes, also writing into `cover`
// 0xFF where `middle` or `front` is not 0 and 0 elsewhere.
void ComposeAndCoverRows(const LayerRows& at, uint8_t* cover, int64_t cover_stride, int64_t count,
                         int64_t rows);
