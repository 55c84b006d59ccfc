#include "dib_writer.h"

#include <cstdio>

#include "palette.h"

namespace standin {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeDib(const Canvas& picture) {
    const int stride = DibStride(picture.width);
    const uint32_t imageSize = static_cast<uint32_t>(stride) * picture.height;
    std::vector<uint8_t> out;
    out.reserve(kDibPixelOffset + imageSize);
    // File header.
    out.push_back('B');
    out.push_back('M');
    Put32(out, kDibPixelOffset + imageSize);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, kDibPixelOffset);
    // Info header.
    Put32(out, kDibInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(picture.width));
    Put32(out, static_cast<uint32_t>(picture.height));
    Put16(out, 1);  // planes
    Put16(out, 8);  // bits per pixel
    Put32(out, 0);  // uncompressed
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 256);  // colours used
    Put32(out, 0);    // all colours important
    // Colour table: blue, green, red, reserved.
    for (const Rgb& c : Palette()) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    // Rows bottom-up.
    for (int y = picture.height - 1; y >= 0; --y) {
        const uint8_t* row = picture.pixels.data() + static_cast<size_t>(y) * picture.width;
        out.insert(out.end(), row, row + picture.width);
        out.insert(out.end(), static_cast<size_t>(stride - picture.width), 0);
    }
    return out;
}

bool WriteJgd(const std::string& path, const Canvas& picture, std::string* error) {
    const std::vector<uint8_t> bytes = EncodeDib(picture);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        if (error) *error = "cannot create " + path;
        return false;
    }
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), f);
    const bool closed = std::fclose(f) == 0;
    if (written != bytes.size() || !closed) {
        if (error) *error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace standin
