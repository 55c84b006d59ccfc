#include "platform/png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace plat {

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

// libpng reports errors through longjmp; nothing with a destructor may be
// created between setjmp and the end of the writing.
bool WriteRows(FILE* file, const Surface& surface, const RgbTable& colours) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    png_color palette[256];
    for (int i = 0; i < 256; ++i) {
        palette[i] = {colours[size_t(i)][0], colours[size_t(i)][1], colours[size_t(i)][2]};
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(surface.width), png_uint_32(surface.height), 8,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, palette, 256);
    png_write_info(png, info);
    for (int y = 0; y < surface.height; ++y) {
        png_write_row(png, const_cast<png_bytep>(surface.Row(y)));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const std::string& hostPath, const Surface& surface, const RgbTable& colours) {
    if (surface.width <= 0 || surface.height <= 0 ||
        surface.pixels.size() < size_t(surface.stride) * size_t(surface.height)) {
        return false;
    }
    std::unique_ptr<FILE, FileCloser> file(std::fopen(hostPath.c_str(), "wb"));
    if (!file) return false;
    if (!WriteRows(file.get(), surface, colours)) return false;
    return std::fclose(file.release()) == 0;
}

}  // namespace plat
