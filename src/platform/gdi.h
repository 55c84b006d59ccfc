#pragma once
// Device contexts and drawing on the 8-bit display model.
//
// A device context draws into one 8-bit pixel block: the selected bitmap of a
// memory context, or the retained surface of a window for a window context
// (client area, clipped to it). Pixel values are palette indices: drawing
// copies indices as they stand, and colour references are turned into an index
// through the context's palette (window contexts) or its bitmap's colour table
// (memory contexts). Drawing onto a window context marks the screen as changed;
// the compositor shows it at the next present.
//
// Objects (bitmaps, pens, brushes, palettes) are shared handles: a context
// keeps what is selected into it alive, so the order in which an owner
// releases them never leaves a context pointing at freed memory.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "platform/colour.h"
#include "platform/dib.h"
#include "platform/geometry.h"
#include "platform/palette.h"

namespace plat {

class Window;

// An 8-bit top-down pixel block; empty when `pixels` is null.
struct PixelView {
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;

    uint8_t* Row(int32_t y) const { return pixels + size_t(y) * size_t(stride); }
};

// An 8-bit top-down bitmap with its colour table; rows padded to 4 bytes.
class Bitmap {
  public:
    Bitmap(int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Stride() const { return stride_; }
    uint8_t* Pixels() { return bits_.get(); }
    PixelView View() { return {bits_.get(), width_, height_, stride_}; }
    std::array<RgbQuad, 256>& ColourTable() { return colours_; }
    const std::array<RgbQuad, 256>& ColourTable() const { return colours_; }

  private:
    int32_t width_;
    int32_t height_;
    int32_t stride_;
    std::unique_ptr<uint8_t[]> bits_;
    std::array<RgbQuad, 256> colours_{};
};
using BitmapHandle = std::shared_ptr<Bitmap>;

// Null when the size is not positive or too large (no memory).
BitmapHandle CreateBitmap8(int32_t width, int32_t height);

enum class PenStyle { Solid = 0, Null = 5 };
struct Pen {
    PenStyle style = PenStyle::Solid;
    int32_t width = 1;  // below 1 counts as 1
    ColourRef colour = 0;
};
using PenHandle = std::shared_ptr<const Pen>;
PenHandle CreatePen(PenStyle style, int32_t width, ColourRef colour);
PenHandle StockBlackPen();
PenHandle StockWhitePen();
PenHandle StockNullPen();

struct Brush {
    bool hollow = false;
    ColourRef colour = 0;
};
using BrushHandle = std::shared_ptr<const Brush>;
BrushHandle CreateSolidBrush(ColourRef colour);
BrushHandle StockWhiteBrush();
BrushHandle StockBlackBrush();
BrushHandle StockNullBrush();

// Raster operations of the bit-block transfers.
enum class RasterOp : uint32_t {
    SrcCopy = 0x00CC0020,
    Blackness = 0x00000042,  // fills with palette index 0
    Whiteness = 0x00FF0062,  // fills with palette index 255
};

constexpr int32_t kStretchBlackOnWhite = 1;
constexpr int32_t kStretchWhiteOnBlack = 2;
constexpr int32_t kStretchColourOnColour = 3;
constexpr int32_t kStretchHalftone = 4;

enum class BackgroundMode { Transparent = 1, Opaque = 2 };

class DeviceContext {
  public:
    enum class Kind { Memory, Window, Screen };

    virtual ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    Kind GetKind() const { return kind_; }
    // The pixels this context draws into; empty for the screen context and for
    // a window context whose window is gone.
    virtual PixelView Target() = 0;
    // The window of a window context, else null.
    virtual Window* GetWindow() const { return nullptr; }
    // Called after drawing changed the target: anywhere, or only in `area`
    // (target pixels).
    virtual void Touched() {}
    virtual void Touched(const Rect& /*area*/) { Touched(); }

    // Memory contexts: the bitmap drawn into (initially a 1 x 1 stock bitmap).
    // Selecting null keeps the current one and returns null.
    BitmapHandle SelectBitmap(BitmapHandle bitmap);
    const BitmapHandle& SelectedBitmap() const { return bitmap_; }

    PenHandle SelectPen(PenHandle pen);
    BrushHandle SelectBrush(BrushHandle brush);
    const PenHandle& SelectedPen() const { return pen_; }
    const BrushHandle& SelectedBrush() const { return brush_; }
    const PaletteHandle& SelectedPalette() const { return palette_; }
    bool PaletteIsBackground() const { return paletteBackground_; }

    int32_t SetStretchMode(int32_t mode);
    int32_t StretchMode() const { return stretchMode_; }
    ColourRef SetTextColour(ColourRef colour);
    ColourRef SetBackgroundColour(ColourRef colour);
    BackgroundMode SetBackgroundMode(BackgroundMode mode);

    // The pixel value a colour reference draws with in this context.
    uint8_t ResolveColour(ColourRef colour) const;

  protected:
    explicit DeviceContext(Kind kind);

  private:
    friend PaletteHandle SelectPalette(DeviceContext&, PaletteHandle, bool);
    friend void TextOut(DeviceContext&, int32_t, int32_t, std::string_view);

    Kind kind_;
    BitmapHandle bitmap_;
    PenHandle pen_;
    BrushHandle brush_;
    PaletteHandle palette_;
    bool paletteBackground_ = false;
    int32_t stretchMode_ = kStretchBlackOnWhite;
    ColourRef textColour_ = Rgb(0, 0, 0);
    ColourRef backgroundColour_ = Rgb(255, 255, 255);
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
};

using DcHandle = std::unique_ptr<DeviceContext>;

// A memory context with the stock 1 x 1 bitmap selected.
DcHandle CreateMemoryDC();
// The context of the whole display: palette work only (drawing into it shows
// nothing, the screen is composed from the windows).
DcHandle GetScreenDC();
// A context for the client area of a window: draws into the window's
// retained surface. Released by destroying it; a window destroyed before its
// context makes the context draw nothing.
class WindowDC : public DeviceContext {
  public:
    explicit WindowDC(Window& window);
    PixelView Target() override;
    Window* GetWindow() const override { return window_; }
    void Touched() override;
    void Touched(const Rect& area) override;

  private:
    Window* window_;
};
DcHandle GetWindowDC(Window& window);

// The context of a paint cycle: begins painting the window (validating its
// update region) when made and ends it when destroyed.
class PaintDC : public WindowDC {
  public:
    explicit PaintDC(Window& window);
    ~PaintDC() override;
    // The update rectangle at the start of painting (client coordinates).
    const Rect& PaintRect() const { return paintRect_; }

  private:
    Rect paintRect_;
};

// Copies a w x h block from `src` at (sx, sy) to `dst` at (x, y), clipped to
// both pixel blocks (what lies outside either is not touched). BLACKNESS and
// WHITENESS fill the destination block and need no source. False when a
// required source is missing.
bool BitBlt(DeviceContext& dst, int32_t x, int32_t y, int32_t w, int32_t h, DeviceContext* src,
            int32_t sx, int32_t sy, RasterOp rop);

// Draws a DIB (rows bottom-up for a positive height, top-down for a negative
// one; 1, 4 or 8 bits per pixel, uncompressed) into the context, scaled by
// point sampling from the source rectangle (in DIB coordinates, origin at the
// lower left for bottom-up DIBs) to the destination rectangle. `colourTable`
// holds RgbQuads (usage kDibRgbColours) or 16-bit indices into the context's
// palette (kDibPalColours). Returns the number of rows drawn.
int32_t StretchDIBits(DeviceContext& dst, int32_t x, int32_t y, int32_t w, int32_t h, int32_t sx,
                      int32_t sy, int32_t sw, int32_t sh, const void* bits,
                      const BitmapInfoHeader& header, const void* colourTable, int32_t usage,
                      RasterOp rop);

int32_t SetStretchBltMode(DeviceContext& dc, int32_t mode);

// Lines with the selected pen. Width 1 leaves out the last point of each
// line, as a cosmetic pen does; wider pens draw round-ended strokes.
bool Polyline(DeviceContext& dc, std::span<const Point> points);
// `counts` gives the number of points of each polyline, taken in turn.
bool PolyPolyline(DeviceContext& dc, std::span<const Point> points,
                  std::span<const uint32_t> counts);
// A closed outline with the pen, filled with the selected brush (alternate
// filling).
bool Polygon(DeviceContext& dc, std::span<const Point> points);

// Fills the rectangle (right and bottom exclusive) with the brush's colour.
bool FillRect(DeviceContext& dc, const Rect& rect, const BrushHandle& brush);
// Fills the rectangle with a pixel value as it stands.
bool FillRectIndex(DeviceContext& dc, const Rect& rect, uint8_t index);

// Text in the built-in 6 x 10 font (printable ASCII; anything else shows as a
// box), in the text colour, on the background colour when opaque.
void TextOut(DeviceContext& dc, int32_t x, int32_t y, std::string_view text);
constexpr int32_t kBuiltinFontWidth = 6;
constexpr int32_t kBuiltinFontHeight = 10;

// The context's drawable area: (0, 0, width, height) of its pixel block;
// for the screen context the screen size. Returns 2 (a simple region), or 1
// (null region) when the block is empty.
int32_t GetClipBox(DeviceContext& dc, Rect* box);

// Makes what was drawn visible: the screen is presented now when a present is
// due (at most once per display refresh).
void GdiFlush();

}  // namespace plat
