#pragma once
// Row loops over the three layers of one size that make up a picture (a
// base and two keyed layers, colour 0 transparent): composing a run of a row
// and drawing a run of picture bytes beneath the two keyed layers. The
// callers cut the runs to the surfaces; none of the rows may overlap.

#include <cstdint>

// out[i] = front[i] if not 0, else middle[i] if not 0, else base[i].
void ComposeSpan(uint8_t* out, const uint8_t* base, const uint8_t* middle, const uint8_t* front,
                 int64_t count);

// A key-0 copy of `src` into `out` that leaves every byte alone where
// `middle` or `front` is not 0: the bytes a key-0 copy followed by key-0
// copies of `middle` and `front` over the run gives, wherever `out` already
// held the composition of the three layers there.
void DrawSpanBeneath(uint8_t* out, const uint8_t* src, const uint8_t* middle, const uint8_t* front,
                     int64_t count);
