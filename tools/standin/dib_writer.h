#pragma once
// Writes 8-bit pictures as .jgd files: an uncompressed Windows DIB with the
// 14-byte file header, a 40-byte info header, the shared 256-entry colour
// table and bottom-up rows padded to four bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace standin {

constexpr int kDibFileHeaderSize = 14;
constexpr int kDibInfoHeaderSize = 40;
constexpr int kDibColourTableSize = 256 * 4;
constexpr int kDibPixelOffset = kDibFileHeaderSize + kDibInfoHeaderSize + kDibColourTableSize;

// Row stride of an 8-bit DIB of the given width.
constexpr int DibStride(int width) {
    return (width + 3) & ~3;
}

std::vector<uint8_t> EncodeDib(const Canvas& picture);

// Writes the encoded picture; false (with a message in *error) on failure.
bool WriteJgd(const std::string& path, const Canvas& picture, std::string* error);

}  // namespace standin
