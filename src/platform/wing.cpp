#include "platform/wing.h"

#include <algorithm>
#include <limits>

namespace plat {

bool RecommendDibFormat(BitmapInfoHeader* header) {
    if (header == nullptr) return false;
    *header = BitmapInfoHeader{};
    header->width = 0;
    header->height = -1;
    return true;
}

BitmapHandle CreateDib8(const BitmapInfoHeader& header, const RgbQuad* colours, uint8_t** pixels) {
    if (pixels) *pixels = nullptr;
    if (header.bitCount != 8 || header.compression != kBiRgb ||
        header.height == std::numeric_limits<int32_t>::min()) {
        return nullptr;
    }
    BitmapHandle bitmap =
        CreateBitmap8(header.width, header.height < 0 ? -header.height : header.height);
    if (!bitmap) return nullptr;
    if (colours) std::copy_n(colours, 256, bitmap->ColourTable().begin());
    if (pixels) *pixels = bitmap->Pixels();
    return bitmap;
}

int32_t SetDibColourTable(DeviceContext& dc, int32_t start, int32_t count, const RgbQuad* colours) {
    const BitmapHandle& bitmap = dc.SelectedBitmap();
    if (!bitmap || dc.GetKind() != DeviceContext::Kind::Memory || colours == nullptr || start < 0 ||
        start >= 256 || count <= 0) {
        return 0;
    }
    int32_t n = std::min(count, 256 - start);
    std::copy_n(colours, n, bitmap->ColourTable().begin() + start);
    return n;
}

int32_t GetDibColourTable(DeviceContext& dc, int32_t start, int32_t count, RgbQuad* colours) {
    const BitmapHandle& bitmap = dc.SelectedBitmap();
    if (!bitmap || dc.GetKind() != DeviceContext::Kind::Memory || colours == nullptr || start < 0 ||
        start >= 256 || count <= 0) {
        return 0;
    }
    int32_t n = std::min(count, 256 - start);
    std::copy_n(bitmap->ColourTable().begin() + start, n, colours);
    return n;
}

}  // namespace plat
