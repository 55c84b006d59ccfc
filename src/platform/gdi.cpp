#include "platform/gdi.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "platform/compositor.h"

namespace plat {

namespace {

constexpr int64_t kMaxBitmapBytes = int64_t(1) << 28;

class MemoryDC final : public DeviceContext {
  public:
    MemoryDC() : DeviceContext(Kind::Memory) {}
    PixelView Target() override {
        const BitmapHandle& bitmap = SelectedBitmap();
        return bitmap ? bitmap->View() : PixelView{};
    }
};

class ScreenDC final : public DeviceContext {
  public:
    ScreenDC() : DeviceContext(Kind::Screen) {}
    PixelView Target() override { return {}; }
};

BitmapHandle StockBitmap() {
    static const BitmapHandle stock = std::make_shared<Bitmap>(1, 1);
    return stock;
}

int NearestInTable(const std::array<RgbQuad, 256>& table, uint8_t r, uint8_t g, uint8_t b) {
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < 256; ++i) {
        const RgbQuad& q = table[size_t(i)];
        int dr = int(q.red) - r, dg = int(q.green) - g, db = int(q.blue) - b;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
            if (d == 0) break;
        }
    }
    return best;
}

// Clips a block copy against a destination and a source of the given sizes,
// moving both origins together.
bool ClipCopy(int32_t& x, int32_t& y, int32_t& w, int32_t& h, int32_t& sx, int32_t& sy,
              int32_t dstW, int32_t dstH, int32_t srcW, int32_t srcH) {
    int64_t X = x, Y = y, W = w, H = h, SX = sx, SY = sy;
    if (X < 0) {
        SX -= X;
        W += X;
        X = 0;
    }
    if (Y < 0) {
        SY -= Y;
        H += Y;
        Y = 0;
    }
    if (SX < 0) {
        X -= SX;
        W += SX;
        SX = 0;
    }
    if (SY < 0) {
        Y -= SY;
        H += SY;
        SY = 0;
    }
    W = std::min({W, int64_t(dstW) - X, int64_t(srcW) - SX});
    H = std::min({H, int64_t(dstH) - Y, int64_t(srcH) - SY});
    if (W <= 0 || H <= 0) return false;
    x = int32_t(X), y = int32_t(Y), w = int32_t(W), h = int32_t(H), sx = int32_t(SX),
    sy = int32_t(SY);
    return true;
}

void FillBlock(const PixelView& view, Rect r, uint8_t value) {
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, view.width);
    r.bottom = std::min(r.bottom, view.height);
    if (r.IsEmpty()) return;
    for (int32_t y = r.top; y < r.bottom; ++y) {
        std::memset(view.Row(y) + r.left, value, size_t(r.Width()));
    }
}

}  // namespace

Bitmap::Bitmap(int32_t width, int32_t height)
    : width_(width), height_(height), stride_(DibStride(width, 8)) {
    bits_.reset(new uint8_t[size_t(stride_) * size_t(height_)]());
}

BitmapHandle CreateBitmap8(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    if (int64_t(DibStride(width, 8)) * height > kMaxBitmapBytes) return nullptr;
    try {
        return std::make_shared<Bitmap>(width, height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

PenHandle CreatePen(PenStyle style, int32_t width, ColourRef colour) {
    return std::make_shared<const Pen>(Pen{style, std::max(width, 1), colour});
}
PenHandle StockBlackPen() {
    static const PenHandle pen = CreatePen(PenStyle::Solid, 1, Rgb(0, 0, 0));
    return pen;
}
PenHandle StockWhitePen() {
    static const PenHandle pen = CreatePen(PenStyle::Solid, 1, Rgb(255, 255, 255));
    return pen;
}
PenHandle StockNullPen() {
    static const PenHandle pen = CreatePen(PenStyle::Null, 1, 0);
    return pen;
}

BrushHandle CreateSolidBrush(ColourRef colour) {
    return std::make_shared<const Brush>(Brush{false, colour});
}
BrushHandle StockWhiteBrush() {
    static const BrushHandle brush = CreateSolidBrush(Rgb(255, 255, 255));
    return brush;
}
BrushHandle StockBlackBrush() {
    static const BrushHandle brush = CreateSolidBrush(Rgb(0, 0, 0));
    return brush;
}
BrushHandle StockNullBrush() {
    static const BrushHandle brush = std::make_shared<const Brush>(Brush{true, 0});
    return brush;
}

DeviceContext::DeviceContext(Kind kind)
    : kind_(kind),
      bitmap_(kind == Kind::Memory ? StockBitmap() : nullptr),
      pen_(StockBlackPen()),
      brush_(StockWhiteBrush()),
      palette_(StockDefaultPalette()) {}

DeviceContext::~DeviceContext() = default;

BitmapHandle DeviceContext::SelectBitmap(BitmapHandle bitmap) {
    if (!bitmap || kind_ != Kind::Memory) return nullptr;
    std::swap(bitmap_, bitmap);
    return bitmap;
}

PenHandle DeviceContext::SelectPen(PenHandle pen) {
    if (!pen) return nullptr;
    std::swap(pen_, pen);
    return pen;
}

BrushHandle DeviceContext::SelectBrush(BrushHandle brush) {
    if (!brush) return nullptr;
    std::swap(brush_, brush);
    return brush;
}

int32_t DeviceContext::SetStretchMode(int32_t mode) {
    if (mode < kStretchBlackOnWhite || mode > kStretchHalftone) return 0;
    std::swap(stretchMode_, mode);
    return mode;
}

ColourRef DeviceContext::SetTextColour(ColourRef colour) {
    std::swap(textColour_, colour);
    return colour;
}

ColourRef DeviceContext::SetBackgroundColour(ColourRef colour) {
    std::swap(backgroundColour_, colour);
    return colour;
}

BackgroundMode DeviceContext::SetBackgroundMode(BackgroundMode mode) {
    std::swap(backgroundMode_, mode);
    return mode;
}

uint8_t DeviceContext::ResolveColour(ColourRef colour) const {
    if (kind_ == Kind::Memory) {
        if (IsPaletteIndex(colour)) return uint8_t(colour & 0xFF);
        const BitmapHandle& bitmap = bitmap_ ? bitmap_ : StockBitmap();
        return uint8_t(
            NearestInTable(bitmap->ColourTable(), RedOf(colour), GreenOf(colour), BlueOf(colour)));
    }
    // Plain colours come from the static colours; palette-relative ones from
    // the selected palette, shown through the slots it was realized into.
    const PaletteHandle& palette = (colour >> 24) == 0 ? StockDefaultPalette() : palette_;
    return palette->SystemIndexOf(palette->NearestIndex(colour & 0x01FFFFFFu));
}

DcHandle CreateMemoryDC() {
    return std::make_unique<MemoryDC>();
}

DcHandle GetScreenDC() {
    InstallCompositor();
    return std::make_unique<ScreenDC>();
}

bool BitBlt(DeviceContext& dst, int32_t x, int32_t y, int32_t w, int32_t h, DeviceContext* src,
            int32_t sx, int32_t sy, RasterOp rop) {
    PixelView to = dst.Target();
    if (rop == RasterOp::Blackness || rop == RasterOp::Whiteness) {
        if (w <= 0 || h <= 0 || !to.pixels) return true;
        int64_t right = int64_t(x) + w, bottom = int64_t(y) + h;
        Rect r{x, y, int32_t(std::min<int64_t>(right, to.width)),
               int32_t(std::min<int64_t>(bottom, to.height))};
        FillBlock(to, r, rop == RasterOp::Blackness ? 0 : 255);
        dst.Touched(r);
        return true;
    }
    if (src == nullptr) return false;
    PixelView from = src->Target();
    if (!to.pixels || !from.pixels) return true;
    if (!ClipCopy(x, y, w, h, sx, sy, to.width, to.height, from.width, from.height)) return true;
    // The same block may be both source and destination: walk the rows in
    // the direction that reads each row before it is overwritten.
    bool upwards = from.pixels == to.pixels && sy < y;
    for (int32_t i = 0; i < h; ++i) {
        int32_t row = upwards ? h - 1 - i : i;
        std::memmove(to.Row(y + row) + x, from.Row(sy + row) + sx, size_t(w));
    }
    dst.Touched({x, y, x + w, y + h});
    return true;
}

int32_t StretchDIBits(DeviceContext& dst, int32_t x, int32_t y, int32_t w, int32_t h, int32_t sx,
                      int32_t sy, int32_t sw, int32_t sh, const void* bits,
                      const BitmapInfoHeader& header, const void* colourTable, int32_t usage,
                      RasterOp rop) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return 0;
    PixelView to = dst.Target();
    if (!to.pixels) return 0;
    if (rop == RasterOp::Blackness || rop == RasterOp::Whiteness) {
        return BitBlt(dst, x, y, w, h, nullptr, 0, 0, rop) ? h : 0;
    }
    int32_t bitCount = header.bitCount;
    if (bits == nullptr || header.compression != kBiRgb ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8) || header.width <= 0 ||
        header.height == 0 || header.height == std::numeric_limits<int32_t>::min()) {
        return 0;
    }
    const int32_t dibW = header.width;
    const int32_t dibH = header.height < 0 ? -header.height : header.height;
    const bool bottomUp = header.height > 0;
    const int64_t stride = DibStride(dibW, bitCount);

    // Pixel value -> value drawn, built once for the whole copy.
    uint32_t tableSize = header.coloursUsed ? header.coloursUsed : (1u << bitCount);
    tableSize = std::min<uint32_t>(tableSize, 256);
    std::array<uint8_t, 256> translate{};
    for (uint32_t i = 0; i < tableSize && colourTable != nullptr; ++i) {
        if (usage == kDibPalColours) {
            uint16_t logical;
            std::memcpy(&logical, static_cast<const uint8_t*>(colourTable) + 2 * i, 2);
            translate[i] = dst.ResolveColour(PaletteIndex(logical));
        } else {
            RgbQuad q;
            std::memcpy(&q, static_cast<const uint8_t*>(colourTable) + 4 * i, 4);
            translate[i] = dst.ResolveColour(PaletteRgb(q.red, q.green, q.blue));
        }
    }

    // The source rectangle's top row, counted from the top of the picture.
    const int64_t sourceTop = bottomUp ? int64_t(dibH) - sy - sh : sy;
    const auto* source = static_cast<const uint8_t*>(bits);
    for (int32_t dy = 0; dy < h; ++dy) {
        int64_t ty = int64_t(y) + dy;
        if (ty < 0 || ty >= to.height) continue;
        int64_t row = sourceTop + int64_t(dy) * sh / h;
        if (row < 0 || row >= dibH) continue;
        const uint8_t* line = source + (bottomUp ? dibH - 1 - row : row) * stride;
        uint8_t* out = to.Row(int32_t(ty));
        for (int32_t dx = 0; dx < w; ++dx) {
            int64_t tx = int64_t(x) + dx;
            if (tx < 0 || tx >= to.width) continue;
            int64_t col = int64_t(sx) + int64_t(dx) * sw / w;
            if (col < 0 || col >= dibW) continue;
            uint8_t value;
            if (bitCount == 8) {
                value = line[col];
            } else if (bitCount == 4) {
                uint8_t pair = line[col / 2];
                value = (col & 1) ? (pair & 0x0F) : uint8_t(pair >> 4);
            } else {
                value = (line[col / 8] >> (7 - col % 8)) & 1;
            }
            out[tx] = translate[value];
        }
    }
    dst.Touched();
    return h;
}

int32_t SetStretchBltMode(DeviceContext& dc, int32_t mode) {
    return dc.SetStretchMode(mode);
}

bool FillRect(DeviceContext& dc, const Rect& rect, const BrushHandle& brush) {
    if (!brush) return false;
    if (brush->hollow) return true;
    return FillRectIndex(dc, rect, dc.ResolveColour(brush->colour));
}

bool FillRectIndex(DeviceContext& dc, const Rect& rect, uint8_t index) {
    PixelView view = dc.Target();
    if (!view.pixels) return true;
    FillBlock(view, rect, index);
    dc.Touched(rect);
    return true;
}

int32_t GetClipBox(DeviceContext& dc, Rect* box) {
    Rect r;
    if (dc.GetKind() == DeviceContext::Kind::Screen) {
        r = {0, 0, ScreenWidth(), ScreenHeight()};
    } else {
        PixelView view = dc.Target();
        r = {0, 0, view.width, view.height};
    }
    if (box) *box = r;
    return r.IsEmpty() ? 1 : 2;
}

int GetDeviceCaps(const DeviceContext*, int index) {
    switch (index) {
        case kCapsHorizontalResolution:
            return ScreenWidth();
        case kCapsVerticalResolution:
            return ScreenHeight();
        case kCapsBitsPerPixel:
            return 8;
        case kCapsPlanes:
            return 1;
        case kCapsNumberOfColours:
            return kStaticColourCount;
        case kCapsRasterCaps:
            return kRasterCapsPalette;
        case kCapsSizePalette:
            return kSystemPaletteSize;
        case kCapsNumberReserved:
            return kStaticColourCount;
        case kCapsColourResolution:
            return 18;
        default:
            return 0;
    }
}

void GdiFlush() {
    PresentIfDue();
}

}  // namespace plat
