#include "gfx/dib.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/dib.h"
#include "platform/file.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint16_t kBitmapMagic = 0x4D42;  // "BM"
constexpr int32_t kMaxColors = 256;
// Runs can describe a huge picture in a few bytes: no more pixels than this
// (4096 x 4096) are unpacked from them, a dozen times the largest sheet the
// game draws from.
constexpr int64_t kMaxRunPixels = int64_t{1} << 24;

// RLE8 escapes: a zero count followed by one of these.
constexpr uint8_t kRleEndOfLine = 0;
constexpr uint8_t kRleEndOfBitmap = 1;
constexpr uint8_t kRleDelta = 2;

// Bytes of one file row of `width` pixels of `bit_count` bits, padded to 4.
int64_t FileStride(int64_t width, int32_t bit_count) {
    return (width * bit_count + 31) / 32 * 4;
}

// Walks an RLE8 stream, calling piece(x, y, count, offset, literal) for each
// run: an encoded run repeats data[offset] count times, a literal run copies
// data[offset .. offset + count - 1]; row y counts from the stream's first
// (bottom) row. False when a run or a move leaves the picture, or the data
// ends inside a run (a count without its value, a literal cut short) or an
// escape (a lone 0, a move without its two steps). The stream may end
// without its end-of-picture mark, and a literal run at its very end
// without its padding byte.
template <typename Data, typename Piece>
bool WalkRle8(Data& data, int64_t width, int64_t rows, Piece piece) {
    size_t i = 0;
    int64_t x = 0, y = 0;
    while (i + 1 < data.size()) {
        const uint8_t count = data[i], value = data[i + 1];
        i += 2;
        if (count > 0) {
            if (y >= rows || x + count > width) return false;
            piece(x, y, count, i - 1, false);
            x += count;
            continue;
        }
        if (value == kRleEndOfLine) {
            x = 0;
            ++y;
        } else if (value == kRleEndOfBitmap) {
            return true;
        } else if (value == kRleDelta) {
            if (data.size() - i < 2) return false;
            x += data[i];
            y += data[i + 1];
            i += 2;
            if (x > width || y > rows) return false;
        } else {
            if (data.size() - i < value || y >= rows || x + value > width) return false;
            piece(x, y, value, i, true);
            x += value;
            i += (value + 1u) & ~1u;  // literal runs are padded to an even count
        }
    }
    return i >= data.size();  // a byte left over is a count or an escape cut short
}

// The 8-bit rows of a 4-bit or RLE8 picture, in the file's row order.
std::vector<uint8_t> UnpackedRows(const PackedDib& dib) {
    const int64_t stride = dib.Stride(), rows = dib.Rows(), width = dib.Width();
    std::vector<uint8_t> out(size_t(stride * rows), 0);
    if (dib.header.compression == plat::kBiRle8) {
        WalkRle8(dib.bits, width, rows,
                 [&](int64_t x, int64_t y, uint8_t count, size_t offset, bool literal) {
                     uint8_t* row = out.data() + y * stride + x;
                     if (literal) {
                         std::memcpy(row, dib.bits.data() + offset, count);
                     } else {
                         std::memset(row, dib.bits[offset], count);
                     }
                 });
        return out;
    }
    const int64_t source_stride = FileStride(width, dib.header.bit_count);
    for (int64_t r = 0; r < rows; ++r) {
        const uint8_t* source = dib.bits.data() + r * source_stride;
        for (int64_t x = 0; x < width; ++x) {
            const uint8_t pair = source[x / 2];
            out[size_t(r * stride + x)] = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
        }
    }
    return out;
}

uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

const uint8_t* PackedDib::TopRow(int32_t top_row) const {
    const int32_t file_row = header.height > 0 ? Rows() - 1 - top_row : top_row;
    return bits.data() + static_cast<size_t>(file_row) * static_cast<size_t>(Stride());
}

uint8_t* PackedDib::TopRow(int32_t top_row) {
    return const_cast<uint8_t*>(static_cast<const PackedDib*>(this)->TopRow(top_row));
}

std::unique_ptr<PackedDib> ParseDib(const uint8_t* data, size_t size) {
    if (data == nullptr || size < kFileHeaderSize) return nullptr;

    // Optional file header: present exactly when the file starts with "BM".
    size_t start = 0;
    uint64_t bits_offset = 0;
    if (Read16(data) == kBitmapMagic) {
        bits_offset = Read32(data + 10);
        start = kFileHeaderSize;
    }
    if (size - start < 4) return nullptr;
    const uint8_t* h = data + start;
    const uint32_t header_size = Read32(h);

    auto dib = std::make_unique<PackedDib>();
    DibInfoHeader& info = dib->header;
    size_t entry_size = 4;
    if (header_size == kCoreHeaderSize) {
        if (size - start < kCoreHeaderSize) return nullptr;
        info.width = Read16(h + 4);
        info.height = Read16(h + 6);
        info.planes = Read16(h + 8);
        info.bit_count = Read16(h + 10);
        entry_size = 3;
    } else if (header_size >= kInfoHeaderSize) {
        // Later header versions start with the same 40 bytes.
        if (size - start < header_size) return nullptr;
        info.width = static_cast<int32_t>(Read32(h + 4));
        info.height = static_cast<int32_t>(Read32(h + 8));
        info.planes = Read16(h + 12);
        info.bit_count = Read16(h + 14);
        info.compression = Read32(h + 16);
        info.image_size = Read32(h + 20);
        info.x_pels_per_meter = static_cast<int32_t>(Read32(h + 24));
        info.y_pels_per_meter = static_cast<int32_t>(Read32(h + 28));
        info.colors_used = Read32(h + 32);
        info.colors_important = Read32(h + 36);
    } else {
        return nullptr;
    }
    info.size = kInfoHeaderSize;

    const bool plain =
        info.compression == plat::kBiRgb && (info.bit_count == 8 || info.bit_count == 4);
    const bool runs = info.compression == plat::kBiRle8 && info.bit_count == 8;
    if (!plain && !runs) return nullptr;
    if (info.width <= 0 || info.height == 0 || info.height == INT32_MIN) return nullptr;
    // Runs are stored bottom row first.
    if (runs && (info.height < 0 || int64_t{info.width} * dib->Rows() > kMaxRunPixels))
        return nullptr;
    if (info.colors_used > static_cast<uint32_t>(kMaxColors)) return nullptr;
    if (info.colors_used == 0) info.colors_used = 1u << info.bit_count;

    const uint64_t table_start = start + header_size;
    const uint64_t table_end = table_start + uint64_t{info.colors_used} * entry_size;
    if (table_end > size) return nullptr;
    dib->colors.resize(info.colors_used);
    for (uint32_t i = 0; i < info.colors_used; ++i) {
        const uint8_t* e = data + table_start + i * entry_size;
        dib->colors[i] = RgbQuad{e[0], e[1], e[2], entry_size == 4 ? e[3] : uint8_t{0}};
    }

    // The bits start at the file header's offset when it gives one, else
    // right behind the colour table. Rows are padded to 4 bytes and must all
    // be there; runs take the image-size bytes, as far as the file goes.
    const uint64_t bits_start = bits_offset != 0 ? bits_offset : table_end;
    if (bits_start > size) return nullptr;
    const uint64_t padded =
        uint64_t(FileStride(info.width, info.bit_count)) * uint64_t(dib->Rows());
    uint64_t needed = padded;
    if (runs)
        needed =
            std::min<uint64_t>(info.image_size != 0 ? info.image_size : padded, size - bits_start);
    if (size - bits_start < needed) return nullptr;
    info.image_size = static_cast<uint32_t>(needed);
    dib->bits.assign(data + bits_start, data + bits_start + needed);
    const auto nothing = [](int64_t, int64_t, uint8_t, size_t, bool) {};
    if (runs && !WalkRle8(dib->bits, info.width, dib->Rows(), nothing)) return nullptr;
    return dib;
}

void UnpackDib(PackedDib* dib) {
    if (dib == nullptr || (dib->header.bit_count == 8 && dib->header.compression == plat::kBiRgb))
        return;
    dib->bits = UnpackedRows(*dib);
    dib->header.bit_count = 8;
    dib->header.compression = plat::kBiRgb;
    dib->header.image_size = static_cast<uint32_t>(dib->bits.size());
}

void TranslatePixels(PackedDib* dib, const uint8_t (&table)[256]) {
    if (dib == nullptr) return;
    // A 4-bit picture is widened first: a nibble cannot hold a palette index
    // above 15, and a colour mapped there would come out as another one.
    if (dib->header.compression == plat::kBiRgb && dib->header.bit_count == 4) UnpackDib(dib);
    if (dib->header.compression == plat::kBiRle8) {
        WalkRle8(dib->bits, dib->Width(), dib->Rows(),
                 [&](int64_t, int64_t, uint8_t count, size_t offset, bool literal) {
                     for (size_t k = 0; k < (literal ? count : 1u); ++k)
                         dib->bits[offset + k] = table[dib->bits[offset + k]];
                 });
        return;
    }
    if (dib->header.compression != plat::kBiRgb) return;
    for (uint8_t& b : dib->bits) b = table[b];
}

void WidenFourBitPicture(PackedDib* dib, int32_t first) {
    if (dib == nullptr || dib->header.bit_count != 4 || dib->header.compression != plat::kBiRgb)
        return;
    constexpr int32_t kNibbleValues = 16;
    first = std::clamp(first, 0, kMaxColors - kNibbleValues);
    uint8_t table[kMaxColors] = {};
    std::vector<RgbQuad> colors(kMaxColors);
    for (int32_t i = 0; i < kNibbleValues; ++i) {
        table[i] = static_cast<uint8_t>(first + i);
        if (static_cast<size_t>(i) < dib->colors.size())
            colors[size_t(first + i)] = dib->colors[size_t(i)];
    }
    TranslatePixels(dib, table);  // widens to 8 bits first
    dib->colors = std::move(colors);
    dib->header.colors_used = kMaxColors;
}

std::unique_ptr<PackedDib> OpenDibFile(const std::string& name) {
    const plat::FileHandle file = plat::OpenFile(name, plat::OpenMode::Read);
    if (file == plat::kInvalidFile) return nullptr;
    std::vector<uint8_t> bytes;
    const int32_t length = plat::SeekFile(file, 0, plat::SeekFrom::End);
    if (length > 0 && plat::SeekFile(file, 0, plat::SeekFrom::Begin) == 0) {
        bytes.resize(static_cast<size_t>(length));
        const int32_t got = plat::ReadFile(file, bytes.data(), static_cast<uint32_t>(length));
        bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
    }
    plat::CloseFile(file);
    return ParseDib(bytes.data(), bytes.size());
}

std::vector<uint8_t> EncodeDib(const PackedDib& dib) {
    std::vector<uint8_t> out;
    const uint32_t colors = static_cast<uint32_t>(dib.colors.size());
    const uint32_t offset = static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * colors);
    Put16(out, kBitmapMagic);
    Put32(out, offset + static_cast<uint32_t>(dib.bits.size()));
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, offset);
    const DibInfoHeader& h = dib.header;
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(h.width));
    Put32(out, static_cast<uint32_t>(h.height));
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(dib.bits.size()));
    Put32(out, static_cast<uint32_t>(h.x_pels_per_meter));
    Put32(out, static_cast<uint32_t>(h.y_pels_per_meter));
    Put32(out, colors);
    Put32(out, h.colors_important);
    for (const RgbQuad& q : dib.colors) {
        out.push_back(q.blue);
        out.push_back(q.green);
        out.push_back(q.red);
        out.push_back(q.reserved);
    }
    out.insert(out.end(), dib.bits.begin(), dib.bits.end());
    return out;
}
