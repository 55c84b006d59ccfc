#pragma once
// The one hash of the tests' golden values: 64-bit FNV-1a over bytes, chained
// row by row for pictures. The start value is the one the recorded hashes
// were made with.

#include <cstddef>
#include <cstdint>

namespace fvtest {

constexpr uint64_t kHashStart = 1469598103934665603ull;

inline uint64_t Fnv1a(const void* data, size_t count, uint64_t hash = kHashStart) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

// The top-left w x h pixels of an 8-bit picture whose row y starts at row(y).
template <typename RowOf>
uint64_t PictureHash(int32_t w, int32_t h, RowOf row) {
    uint64_t hash = kHashStart;
    for (int32_t y = 0; y < h; ++y) hash = Fnv1a(row(y), static_cast<size_t>(w), hash);
    return hash;
}

}  // namespace fvtest
