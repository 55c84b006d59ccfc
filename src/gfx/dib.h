#pragma once
// .jgd picture files: Windows device-independent bitmaps, with or without the
// 14-byte file header, with a 40-byte info header or a 12-byte core header.
// A file is read whole into a PackedDib: the 40-byte header, the colour table
// and the pixel rows in file order.
//
// The game's pictures are 8-bit, uncompressed, 256 colours; 4-bit pictures
// and 8-bit pictures compressed with runs (RLE8) are read too, and
// UnpackDib turns them into 8-bit rows. Any other depth or compression, and
// every damaged file (colour count above 256, width below 1, height 0, a
// colour table or pixel rows past the end of the file, runs that leave the
// picture or end inside a run or an escape) is refused.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct DibInfoHeader {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;  // positive: rows bottom-up in the file; negative: top-down
    uint16_t planes = 1;
    uint16_t bit_count = 8;
    uint32_t compression = 0;
    uint32_t image_size = 0;
    int32_t x_pels_per_meter = 0;
    int32_t y_pels_per_meter = 0;
    uint32_t colors_used = 0;
    uint32_t colors_important = 0;
};

struct RgbQuad {
    uint8_t blue = 0, green = 0, red = 0, reserved = 0;
    bool operator==(const RgbQuad&) const = default;
};

// Header and 256 colour entries, the layout every loaded picture carries.
struct DibInfo {
    DibInfoHeader header;
    RgbQuad colors[256] = {};
};

struct PackedDib {
    DibInfoHeader header;         // always in the 40-byte form
    std::vector<RgbQuad> colors;  // header.colors_used entries
    std::vector<uint8_t> bits;    // header.image_size bytes, as in the file

    int32_t Width() const { return header.width; }
    int32_t Rows() const { return header.height < 0 ? -header.height : header.height; }
    // Bytes of one row of 8-bit pixels, padded to 4.
    int64_t Stride() const { return (int64_t{Width()} + 3) & ~int64_t{3}; }
    // Row `top_row` counted from the top of the picture; 8-bit uncompressed
    // pictures only (see UnpackDib).
    const uint8_t* TopRow(int32_t top_row) const;
    uint8_t* TopRow(int32_t top_row);
};

// Turns a 4-bit or RLE8 picture into 8-bit uncompressed rows in the file's
// row order, pixel for pixel; an 8-bit uncompressed one stays as it is.
// Pixels that runs skip are 0.
void UnpackDib(PackedDib* dib);

// Rewrites every pixel of the picture as table[pixel]: each byte of an 8-bit
// picture, the value of every run and every byte of every literal of an RLE8
// picture; a 4-bit picture is first unpacked to 8 bits.
void TranslatePixels(PackedDib* dib, const uint8_t (&table)[256]);

// Widens a 4-bit picture to 8 bits with its colours moved to entries
// `first` .. `first` + 15 of a 256-entry table, each pixel following its
// colour; any other picture stays as it is.
void WidenFourBitPicture(PackedDib* dib, int32_t first);

// Parses a whole file held in memory; null when it is not a usable picture.
std::unique_ptr<PackedDib> ParseDib(const uint8_t* data, size_t size);

// Reads and parses the named file (a Windows path); null when it cannot be
// opened or is not a usable picture.
std::unique_ptr<PackedDib> OpenDibFile(const std::string& name);

// Writes a PackedDib as an 8-bit file with both headers (tests and tools).
std::vector<uint8_t> EncodeDib(const PackedDib& dib);
