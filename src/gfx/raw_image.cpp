#include "gfx/raw_image.h"

#include <cstring>

#include "gfx/picture_load.h"

bool RawImage::LoadJgd(const std::string& name) {
    Free();
    PictureLoadScope scope(name);
    std::unique_ptr<PackedDib> dib = OpenDibOrAsk(name);
    if (dib == nullptr) return false;
    // 4-bit and run-length pictures are held as one byte a pixel like the
    // rest: copied as they lie in the file, their rows would be noise.
    UnpackDib(dib.get());

    const int32_t w = dib->Width();
    const int32_t rows = dib->Rows();
    memory.reset(new uint8_t[size_t(w) * size_t(rows)]());
    pixels = memory.get();
    width = w;
    height = -rows;
    // File rows are padded to 4 bytes; each picture row is `width` bytes.
    for (int32_t r = 0; r < rows; ++r) {
        std::memcpy(pixels + size_t(r) * size_t(w), dib->TopRow(r), size_t(w));
    }
    return true;
}

void RawImage::Free() {
    memory.reset();
    pixels = nullptr;
    width = 0;
    height = 0;
}
