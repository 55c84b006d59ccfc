#pragma once
// Synthetic .jgd pictures for the graphics tests, written in any of the
// layouts a DIB file may have, and a temporary folder to put them in.

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/dib.h"
#include "platform/temp_folder.h"

namespace gfxtest {

struct TestPicture {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;  // top row first, stride = width
    RgbQuad colors[256];
    uint8_t At(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    // Pixel (x, y) = 1 + (x + 11 y) mod 250; colour i = (i, 255 - i, i / 2).
    static TestPicture Numbered(int32_t w, int32_t h) {
        TestPicture p{.width = w, .height = h, .pixels = {}, .colors = {}};
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) p.pixels.push_back(uint8_t(1 + (x + 11 * y) % 250));
        for (int i = 0; i < 256; ++i)
            p.colors[i] = {uint8_t(i / 2), uint8_t(255 - i), uint8_t(i), 0};
        return p;
    }
    static TestPicture Filled(int32_t w, int32_t h, uint8_t value) {
        TestPicture p = Numbered(w, h);
        p.pixels.assign(p.pixels.size(), value);
        return p;
    }
};

// How to write the file; fields left at their defaults give a plain 8-bit
// bottom-up file with both headers. Overrides let tests damage the header.
// -1: the picture's size, the padded size, the offset or header size written.
struct DibLayout {
    bool file_header = true, core_header = false, top_down = false;
    int64_t width = -1, height = -1, colors_used = 256, image_size = -1, bits_offset = -1,
            header_size = -1;
    uint16_t bit_count = 8;
    uint32_t compression = 0, gap_before_bits = 0;  // bytes between colour table and rows
};

inline std::vector<uint8_t> DibBytes(const TestPicture& pic, const DibLayout& l) {
    const int32_t stride = (pic.width + 3) & ~3;
    std::vector<uint8_t> rows(size_t(stride) * size_t(pic.height), 0xEE);
    for (int32_t r = 0; r < pic.height; ++r) {
        const int32_t src = l.top_down ? r : pic.height - 1 - r;
        for (int32_t x = 0; x < pic.width; ++x) rows[size_t(r) * stride + x] = pic.At(x, src);
    }
    const uint32_t header_size = l.header_size >= 0 ? uint32_t(l.header_size)
                                 : l.core_header    ? 12u
                                                    : 40u;
    const uint32_t entry = l.core_header ? 3 : 4;
    const uint32_t offset =
        (l.file_header ? 14 : 0) + header_size + entry * 256 + l.gap_before_bits;
    const int64_t w = l.width >= 0 || l.width < -1 ? l.width : pic.width;
    int64_t h = l.height >= 0 ? l.height : pic.height;
    if (l.top_down) h = -h;
    std::vector<uint8_t> o;
    auto put = [&o](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) o.push_back(uint8_t(v >> (8 * i)));
    };
    if (l.file_header) {
        put(0x4D42, 2);
        put(uint32_t(offset + rows.size()), 4);
        put(0, 4);
        put(l.bits_offset >= 0 ? uint32_t(l.bits_offset) : offset, 4);
    }
    const int dimension = l.core_header ? 2 : 4;
    put(header_size, 4);
    put(uint32_t(w), dimension);
    put(uint32_t(h), dimension);
    put(1, 2);
    put(l.bit_count, 2);
    if (!l.core_header) {
        put(l.compression, 4);
        put(l.image_size >= 0 ? uint32_t(l.image_size) : uint32_t(rows.size()), 4);
        for (uint32_t v : {2835u, 2835u, uint32_t(l.colors_used), 0u}) put(v, 4);
        for (uint32_t i = 40; i < header_size; ++i) o.push_back(0);
    }
    for (const RgbQuad& c : pic.colors) put(c.blue | c.green << 8 | c.red << 16, int(entry));
    o.insert(o.end(), l.gap_before_bits, 0xCC);
    o.insert(o.end(), rows.begin(), rows.end());
    return o;
}

// A temporary folder that takes pictures.
class TempDataFolder : public fvtest::TempFolder {
  public:
    // Writes the picture as `relative` ('/' between folders); returns its full path.
    std::string WritePicture(const std::string& relative, const TestPicture& pic,
                             const DibLayout& layout = {}) const {
        const std::vector<uint8_t> bytes = DibBytes(pic, layout);
        return Write(relative, std::string(bytes.begin(), bytes.end()));
    }
};

}  // namespace gfxtest
