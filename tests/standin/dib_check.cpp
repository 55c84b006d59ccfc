#include <fstream>
#include <iterator>

#include "data_folder_fixture.h"

namespace standin_test {
namespace {

uint32_t U16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}

}  // namespace

ParsedDib ParseDib(const std::vector<uint8_t>& b) {
    ParsedDib d;
    auto fail = [&](const char* why) {
        d.problem = why;
        return d;
    };
    if (b.size() < 14 + 40 + 1024) return fail("too short");
    if (b[0] != 'B' || b[1] != 'M') return fail("no BM");
    if (U32(b, 2) != b.size()) return fail("file size field");
    const uint32_t offset = U32(b, 10);
    if (offset != 14 + 40 + 1024) return fail("pixel offset");
    if (U32(b, 14) != 40) return fail("info header size");
    const int32_t w = static_cast<int32_t>(U32(b, 18)), h = static_cast<int32_t>(U32(b, 22));
    if (w <= 0 || h <= 0) return fail("size (bottom-up expected)");
    if (U16(b, 26) != 1 || U16(b, 28) != 8) return fail("planes or bit count");
    if (U32(b, 30) != 0) return fail("compression");
    const uint32_t stride = (static_cast<uint32_t>(w) + 3) & ~3u;
    if (U32(b, 34) != stride * static_cast<uint32_t>(h)) return fail("image size");
    if (U32(b, 46) != 256) return fail("colours used");
    if (offset + stride * static_cast<uint64_t>(h) != b.size()) return fail("pixel data size");
    d.width = w;
    d.height = h;
    for (int i = 0; i < 256; ++i) {
        if (b[54 + 4 * i + 3] != 0) return fail("reserved byte of a colour");
        d.palette.push_back(b[54 + 4 * i + 2]);
        d.palette.push_back(b[54 + 4 * i + 1]);
        d.palette.push_back(b[54 + 4 * i]);
    }
    d.pixels.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const size_t row = offset + static_cast<size_t>(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) d.pixels[static_cast<size_t>(y) * w + x] = b[row + x];
        for (uint32_t x = w; x < stride; ++x) {
            if (b[row + x] != 0) return fail("row padding not zero");
        }
    }
    d.ok = true;
    return d;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace standin_test
