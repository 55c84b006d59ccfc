#pragma once
// Byte vectors of the compiler's vector extension (GCC and Clang): SSE2 on
// x86-64, NEON on arm64, plain code elsewhere. A comparison yields 0xFF in
// each byte where it holds and 0x00 elsewhere. Shared by the pixel loops.

#include <cstdint>
#include <cstring>

namespace bytevec {

using Bytes16 = uint8_t __attribute__((vector_size(16)));
using Bytes8 = uint8_t __attribute__((vector_size(8)));

template <class V>
inline V Load(const uint8_t* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class V>
inline void Store(uint8_t* p, V v) {
    std::memcpy(p, &v, sizeof v);
}

// `top` over `below`: top's bytes where they are not 0, below's elsewhere.
template <class V>
inline V Over(V top, V below) {
    return top | (below & V(top == 0));
}

}  // namespace bytevec
