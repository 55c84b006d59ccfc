// The .jgd picture reader: every input is parsed; a picture that parses is
// unpacked and mapped to its palette, loaded as the game loads its pictures
// and drawn (keyed, scaled, clipped)
// into a bitmap of its own colours.

#include <cstdint>
#include <memory>

#include "fuzz_game.h"
#include "gfx/dib.h"
#include "gfx/palette.h"
#include "gfx/palette_image.h"
#include "gfx/wing_bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::unique_ptr<PackedDib> dib = ParseDib(data, size);
    if (dib == nullptr) return 0;
    PackedDib rows = *dib;
    UnpackDib(&rows);
    fvfuzz::Require(rows.bits.size() >= size_t(rows.Stride()) * size_t(rows.Rows()),
                    "a parsed picture unpacks to all its rows");
    PaletteImage image;
    fvfuzz::Require(image.Load(fvfuzz::WriteInput("picture.jgd", data, size), nullptr, 1),
                    "a parsed picture loads");
    PackedDib mapped = *dib;
    DibMapToPalette(&mapped, image.palette);
    UnpackDib(&mapped);
    fvfuzz::Require(mapped.bits.size() == rows.bits.size(), "a mapped picture keeps its rows");
    WinGBitmap canvas;
    fvfuzz::Require(canvas.Create(image, 96, 64), "a bitmap of the picture's colours");
    const int32_t w = image.width;
    const int32_t h = image.Rows();
    const uint8_t key = data[size / 2];
    canvas.BlitImageKeyed(image, -7, 5, 0, 0, w, h, key);
    canvas.BlitImageKeyed(image, 3, -2, w / 3, h / 4, w, h, 0, 2);
    canvas.BlitImageKeyedClip(image, 10, 10, 1, 1, w, h, key, 4, 5, 90, -3, 60);
    return 0;
}
