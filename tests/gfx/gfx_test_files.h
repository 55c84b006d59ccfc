#pragma once
// Synthetic .jgd pictures for the graphics tests, written in any of the
// layouts a DIB file may have, and a temporary data folder to put them in.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "gfx/dib.h"

namespace gfxtest {

struct TestPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // top row first, stride = width
    RgbQuad colors[256];

    uint8_t At(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }

    // Pixel (x, y) = 1 + (x + 11 y) mod 250; colour i = (i, 255 - i, i / 2).
    static TestPicture Numbered(int32_t w, int32_t h) {
        TestPicture p;
        p.width = w;
        p.height = h;
        p.pixels.resize(size_t(w) * size_t(h));
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                p.pixels[size_t(y) * size_t(w) + size_t(x)] = uint8_t(1 + (x + 11 * y) % 250);
        for (int i = 0; i < 256; ++i)
            p.colors[i] = RgbQuad{uint8_t(i / 2), uint8_t(255 - i), uint8_t(i), 0};
        return p;
    }
    static TestPicture Filled(int32_t w, int32_t h, uint8_t value) {
        TestPicture p = Numbered(w, h);
        for (auto& b : p.pixels) b = value;
        return p;
    }
};

// How to write the file; fields left at their defaults give a plain 8-bit
// bottom-up file with both headers. Overrides let tests damage the header.
struct DibLayout {
    bool file_header = true;
    bool core_header = false;
    bool top_down = false;
    int64_t width = -1;  // -1: the picture's
    int64_t height = -1;
    int64_t colors_used = 256;
    int64_t image_size = -1;  // -1: the padded size
    int64_t bits_offset = -1;
    int64_t header_size = -1;
    uint16_t bit_count = 8;
    uint32_t compression = 0;
    uint32_t gap_before_bits = 0;  // bytes between colour table and rows
};

inline void Put16(std::vector<uint8_t>& o, uint32_t v) {
    o.push_back(uint8_t(v));
    o.push_back(uint8_t(v >> 8));
}
inline void Put32(std::vector<uint8_t>& o, uint32_t v) {
    for (int i = 0; i < 4; ++i) o.push_back(uint8_t(v >> (8 * i)));
}

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
    const uint32_t table_entries = 256;
    const uint32_t offset =
        (l.file_header ? 14 : 0) + header_size + entry * table_entries + l.gap_before_bits;
    const int64_t w = l.width >= 0 || l.width < -1 ? l.width : pic.width;
    int64_t h = l.height >= 0 ? l.height : pic.height;
    if (l.top_down) h = -h;

    std::vector<uint8_t> o;
    if (l.file_header) {
        Put16(o, 0x4D42);
        Put32(o, uint32_t(offset + rows.size()));
        Put32(o, 0);
        Put32(o, l.bits_offset >= 0 ? uint32_t(l.bits_offset) : offset);
    }
    if (l.core_header) {
        Put32(o, header_size);
        Put16(o, uint32_t(w));
        Put16(o, uint32_t(h));
        Put16(o, 1);
        Put16(o, l.bit_count);
    } else {
        Put32(o, header_size);
        Put32(o, uint32_t(w));
        Put32(o, uint32_t(h));
        Put16(o, 1);
        Put16(o, l.bit_count);
        Put32(o, l.compression);
        Put32(o, l.image_size >= 0 ? uint32_t(l.image_size) : uint32_t(rows.size()));
        Put32(o, 2835);
        Put32(o, 2835);
        Put32(o, uint32_t(l.colors_used));
        Put32(o, 0);
        for (uint32_t i = 40; i < header_size; ++i) o.push_back(0);
    }
    for (uint32_t i = 0; i < table_entries; ++i) {
        o.push_back(pic.colors[i].blue);
        o.push_back(pic.colors[i].green);
        o.push_back(pic.colors[i].red);
        if (!l.core_header) o.push_back(0);
    }
    o.insert(o.end(), l.gap_before_bits, 0xCC);
    o.insert(o.end(), rows.begin(), rows.end());
    return o;
}

// A fresh folder below the system's temporary folder, removed at the end.
class TempDataFolder {
  public:
    TempDataFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("ferrovane-gfx-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDataFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    std::string Path() const { return path_.string(); }
    // `relative` uses '/'; folders are created. Returns the full path.
    std::string WriteBytes(const std::string& relative, const std::vector<uint8_t>& bytes) const {
        const std::filesystem::path full = path_ / relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream out(full, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return full.string();
    }
    std::string WritePicture(const std::string& relative, const TestPicture& pic,
                             const DibLayout& layout = {}) const {
        return WriteBytes(relative, DibBytes(pic, layout));
    }

  private:
    std::filesystem::path path_;
};

}  // namespace gfxtest
