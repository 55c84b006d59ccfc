// Drawing: palettes, windows composed into the screen, presents and the
// screenshot; off-screen bitmaps with copies, stretched DIBs, lines and fills.

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "platform/compositor.h"
#include "platform/gdi.h"
#include "platform/headless/headless_backend.h"
#include "platform/palette.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "platform/screen_changes.h"
#include "platform/window.h"
#include "platform/wing.h"
#include "temp_folder.h"
#include "test_window.h"

namespace {

using plat_test::TestWindow;

void Fill(plat::Window& window, uint8_t colour) {
    plat::FillRectIndex(*plat::GetWindowDC(window), window.GetClientRect(), colour);
}

std::array<plat::PaletteEntry, 256> SystemEntries() {
    std::array<plat::PaletteEntry, 256> entries{};
    EXPECT_EQ(plat::GetSystemPaletteEntries(0, 256, entries.data()), 256);
    return entries;
}

// The identity palette a picture gets: the system's static colours at both
// ends, the picture's own colours (i, green, 255 - i) reserved in between.
plat::PaletteHandle IdentityPalette(uint8_t green) {
    std::array<plat::PaletteEntry, 256> entries = SystemEntries();
    for (int i = 10; i < 246; ++i) {
        entries[size_t(i)] = {uint8_t(i), green, uint8_t(255 - i), plat::kPcReserved};
    }
    return plat::CreatePalette(entries);
}

void RealizeIdentity(plat::DeviceContext& dc, uint8_t green) {
    plat::SelectPalette(dc, IdentityPalette(green), false);
    plat::RealizePalette(dc);
}

class Palettes : public ::testing::Test {
  protected:
    Palettes() { plat::ResetSystemPalette(); }
    ~Palettes() override { plat::ResetSystemPalette(); }
    plat::DcHandle screen = plat::GetScreenDC();
};

TEST_F(Palettes, OnlyAForegroundScreenRealizeChangesEntries10To245) {
    const auto before = SystemEntries();
    plat::PaletteHandle picture = IdentityPalette(40);
    // Background and memory-context realizes leave the system palette.
    plat::SelectPalette(*screen, picture, true);
    EXPECT_EQ(plat::RealizePalette(*screen), 0);
    plat::DcHandle memory = plat::CreateMemoryDC();
    plat::SelectPalette(*memory, picture, false);
    EXPECT_EQ(plat::RealizePalette(*memory), 0);
    EXPECT_EQ(SystemEntries()[100].red, 0);
    EXPECT_EQ(plat::SelectPalette(*screen, picture, false), picture);
    const uint32_t generation = plat::SystemPaletteGeneration();
    EXPECT_EQ(plat::RealizePalette(*screen), 236);
    EXPECT_NE(plat::SystemPaletteGeneration(), generation);
    const auto after = SystemEntries();
    for (int i = 0; i < 256; ++i) {
        const auto& e = after[size_t(i)];
        const auto& want = i < 10 || i > 245
                               ? before[size_t(i)]
                               : plat::PaletteEntry{uint8_t(i), 40, uint8_t(255 - i), 0};
        EXPECT_EQ(std::tie(e.red, e.green, e.blue), std::tie(want.red, want.green, want.blue)) << i;
        ASSERT_EQ(picture->SystemIndexOf(i), i);  // index i is shown with system entry i
    }
    // Realizing it again, or the stock palette as background, changes nothing.
    EXPECT_EQ(plat::RealizePalette(*screen), 0);
    plat::SelectPalette(*screen, plat::StockDefaultPalette(), true);
    EXPECT_EQ(plat::RealizePalette(*screen), 0);
    EXPECT_EQ(SystemEntries()[100].red, 100);
}

TEST_F(Palettes, SmallPaletteSharesStaticColoursAndTakesFreeSlots) {
    std::vector<plat::PaletteEntry> entries = {
        {255, 0, 0, 0},                  // the static red: shared
        {1, 2, 3, 0},                    // new: takes the first free slot
        {1, 2, 3, 0},                    // same colour again: shared
        {0, 0, 0, plat::kPcNoCollapse},  // black, but wants its own slot
    };
    plat::PaletteHandle palette = plat::CreatePalette(entries);
    plat::SelectPalette(*screen, palette, false);
    plat::RealizePalette(*screen);
    for (const auto& [index, system] : {std::pair{0, 249}, {1, 10}, {2, 10}, {3, 11}}) {
        EXPECT_EQ(palette->SystemIndexOf(index), system) << index;
    }
    EXPECT_EQ(SystemEntries()[10].blue, 3);
    EXPECT_FALSE(plat::CreatePalette({}));
}

// Ties go to the lowest index; palette-relative colours go through the
// selected palette, plain colours keep to the static colours.
TEST_F(Palettes, NearestIndexAndColourReferences) {
    plat::PaletteHandle picture = IdentityPalette(0);  // entry 100 is (100, 0, 155)
    EXPECT_EQ(std::tuple(plat::GetNearestPaletteIndex(picture, plat::Rgb(100, 2, 155)),
                         plat::GetNearestPaletteIndex(picture, plat::Rgb(100, 1, 156)),
                         plat::GetNearestPaletteIndex(nullptr, plat::Rgb(1, 1, 1))),
              std::tuple(100, 99, -1));
    plat::SelectPalette(*screen, picture, false);
    plat::RealizePalette(*screen);
    EXPECT_EQ(std::tuple(screen->ResolveColour(plat::PaletteRgb(200, 0, 55)),
                         screen->ResolveColour(plat::PaletteRgb(255, 255, 8)),  // static yellow
                         screen->ResolveColour(plat::Rgb(200, 0, 55))),
              std::tuple(200, 251, 249));
    std::array<plat::PaletteEntry, 4> some{};
    EXPECT_EQ(plat::GetPaletteEntries(picture, 254, 4, some.data()), 2);
}

class Composition : public ::testing::Test {
  protected:
    Composition() : host({200, 150}) {
        plat::ResetSystemPalette();
        plat::ResetCompositor();
        plat::InstallCompositor();
    }
    ~Composition() override {
        for (plat::Window* w : windows) delete w;
        plat::ResetSystemPalette();
        plat::ResetCompositor();
    }
    // A window that paints itself in one palette index.
    TestWindow* Make(uint8_t colour, const plat::Rect& rect, uint32_t style, uint32_t exStyle = 0,
                     plat::Window* parent = nullptr) {
        auto* w = new TestWindow;
        w->On(WM_PAINT, [w, colour](plat::WParam, plat::LParam) {
            plat::PaintDC dc(*w);
            plat::FillRectIndex(dc, w->GetClientRect(), colour);
            return 0;
        });
        EXPECT_TRUE(w->Create(parent, rect, style | WS_VISIBLE, exStyle));
        windows.insert(windows.begin(), w);  // children go before their parents
        return w;
    }
    uint8_t Shown(int x, int y) { return host.LastPresentedScreen().Row(y)[x]; }
    plat::HeadlessBackend host;
    std::vector<plat::Window*> windows;
};

TEST_F(Composition, TopMostPopupStaysIntactOverAWindowThatKeepsRedrawing) {
    TestWindow* view = Make(5, plat::Rect{0, 0, 200, 150}, WS_POPUP);
    TestWindow* popup = Make(9, plat::Rect{50, 40, 110, 90}, WS_POPUP, WS_EX_TOPMOST);
    Make(4, plat::Rect{0, 0, 200, 2}, WS_POPUP, WS_EX_TOPMOST | WS_EX_TRANSPARENT);  // not drawn
    // A child is cut at its parent's edge; a border is black.
    TestWindow* parent = Make(3, plat::Rect{120, 100, 160, 140}, WS_POPUP | WS_BORDER);
    Make(7, plat::Rect{20, 20, 80, 80}, WS_CHILD, 0, parent);
    host.RunUntilIdle();
    // {x, y, index}: the parent's frame at (159, 139), the child cut beyond it.
    for (auto [x, y, index] : {std::tuple{10, 10, 5},
                               {10, 1, 5},
                               {125, 105, 3},
                               {158, 138, 7},
                               {159, 139, 0},
                               {165, 145, 5}}) {
        EXPECT_EQ(plat::ScreenPixel(x, y), index) << x << "," << y;
    }
    // The view redraws itself every 25 ms beneath the popup.
    for (int frame = 0; frame < 8; ++frame) {
        Fill(*view, uint8_t(20 + frame));
        plat::GdiFlush();
        host.AdvanceClock(25);
        host.RunUntilIdle();
        ASSERT_EQ(std::tuple(plat::ScreenPixel(50, 40), plat::ScreenPixel(109, 89),
                             plat::ScreenPixel(49, 40), plat::ScreenPixel(110, 89)),
                  std::tuple(9, 9, 20 + frame, 20 + frame));
    }
    EXPECT_EQ(std::tuple(Shown(70, 60), popup->Count(WM_PAINT)), std::tuple(9, 1u));
    // Hiding the popup shows the view's retained pixels before it paints again.
    const size_t viewPaints = view->Count(WM_PAINT);
    popup->ShowWindow(SW_HIDE);
    EXPECT_EQ(std::tuple(plat::ScreenPixel(60, 50), view->Count(WM_PAINT)),
              std::tuple(27, viewPaints));
}

// A screen that flushes while it paints is not shown before the buttons on it
// have painted too: the first frame of a screen is whole. Long work that
// draws without letting the buttons paint is still shown after a while.
TEST_F(Composition, AScreenJustShownAppearsOnlyWithItsChildrenPainted) {
    TestWindow* screen = Make(3, plat::Rect{0, 0, 200, 150}, WS_POPUP);
    std::vector<uint8_t> buttonPixels;  // the button's place in every present
    screen->On(WM_PAINT, [&](plat::WParam, plat::LParam) {
        plat::PaintDC dc(*screen);
        plat::FillRectIndex(dc, screen->GetClientRect(), 3);
        const int before = host.PresentCount();
        plat::GdiFlush();  // as every picture blit does
        if (host.PresentCount() != before) buttonPixels.push_back(Shown(30, 30));
        return 0;
    });
    Make(8, plat::Rect{20, 20, 60, 40}, WS_CHILD, 0, screen);
    Make(9, plat::Rect{20, 60, 60, 80}, WS_CHILD, 0, screen);
    host.RunUntilIdle();
    plat::PresentScreen();
    buttonPixels.push_back(Shown(30, 30));
    for (uint8_t pixel : buttonPixels) EXPECT_EQ(pixel, 8);
    EXPECT_EQ(Shown(30, 70), 9);
    // Shown again: its old pixels stay until it has painted; a hide before
    // the paint leaves nothing waiting.
    TestWindow* late = Make(4, plat::Rect{100, 100, 150, 140}, WS_POPUP);
    host.AdvanceClock(100);
    EXPECT_FALSE(plat::PresentIfDue());
    host.AdvanceClock(plat::kFirstPaintWaitMs);
    EXPECT_TRUE(plat::PresentIfDue());  // work that never lets it paint is still seen
    late->ShowWindow(SW_HIDE);
    Fill(*screen, 5);
    host.AdvanceClock(100);
    EXPECT_TRUE(plat::PresentIfDue());
}

TEST_F(Composition, PresentsAtMostOncePerRefreshAndOnlyWhenChanged) {
    TestWindow* view = Make(5, plat::Rect{0, 0, 200, 150}, WS_POPUP);
    host.RunUntilIdle();
    EXPECT_TRUE(plat::PresentIfDue());
    const int presents = host.PresentCount();
    EXPECT_FALSE(plat::PresentIfDue());  // nothing changed
    Fill(*view, 6);
    plat::GdiFlush();  // changed, but within the same refresh
    host.AdvanceClock(plat::kPresentIntervalMs - 1);
    EXPECT_FALSE(plat::PresentIfDue());
    host.AdvanceClock(1);
    plat::PresentScreen();  // the loop's call
    EXPECT_EQ(host.PresentCount(), presents + 1);
    EXPECT_EQ(Shown(10, 10), 6);
    host.AdvanceClock(100);
    EXPECT_FALSE(plat::PresentIfDue());
}

// Only what differs from the last present is passed on: the same pixels drawn
// again present nothing, a small change presents its own rectangle, drawing
// in a window that another one covers presents nothing, and a palette change
// presents the whole screen.
TEST_F(Composition, PresentsOnlyTheRectanglesThatDiffer) {
    TestWindow* view = Make(5, plat::Rect{0, 0, 200, 150}, WS_POPUP);
    host.RunUntilIdle();
    plat::PresentNow();
    const std::vector<plat::Rect> whole = {{0, 0, 200, 150}};
    EXPECT_EQ(host.LastPresentedRects(), whole);
    plat::DcHandle dc = plat::GetWindowDC(*view);
    const int presents = host.PresentCount();
    host.AdvanceClock(20);
    Fill(*view, 5);
    EXPECT_FALSE(plat::PresentIfDue());
    host.AdvanceClock(20);
    plat::FillRectIndex(*dc, {10, 20, 14, 23}, 7);
    plat::FillRectIndex(*dc, {150, 20, 152, 21}, 7);  // far off: a rectangle of its own
    const int64_t pixels = host.PresentedPixels();
    EXPECT_TRUE(plat::PresentIfDue());
    EXPECT_EQ(host.LastPresentedRects(),
              (std::vector<plat::Rect>{{10, 20, 14, 23}, {150, 20, 152, 21}}));
    EXPECT_EQ(std::tuple(host.PresentedPixels() - pixels, host.PresentCount(), Shown(11, 21)),
              std::tuple(int64_t{14}, presents + 1, 7));
    // A screen over all of it: the view's drawing is not seen.
    TestWindow* screen = Make(9, plat::Rect{0, 0, 200, 150}, WS_POPUP, WS_EX_TOPMOST);
    host.RunUntilIdle();
    host.AdvanceClock(20);
    EXPECT_TRUE(plat::PresentIfDue());
    EXPECT_TRUE(plat::WindowCovered(view));
    EXPECT_FALSE(plat::WindowCovered(screen));
    host.AdvanceClock(20);
    Fill(*view, 6);
    EXPECT_FALSE(plat::PresentIfDue());
    screen->ShowWindow(SW_HIDE);
    host.AdvanceClock(20);
    EXPECT_TRUE(plat::PresentIfDue());
    EXPECT_EQ(std::tuple(host.LastPresentedRects(), Shown(11, 21)), std::tuple(whole, 6));
    EXPECT_FALSE(plat::WindowCovered(view));
    // New colours, no pixel changed: all of it again.
    host.AdvanceClock(20);
    RealizeIdentity(*dc, 33);
    EXPECT_TRUE(plat::PresentIfDue());
    EXPECT_EQ(host.LastPresentedRects(), whole);
}

// A palette change recolours the screen at the next present; the all-black
// clearing before an image load keeps the old colours on screen until the
// picture's palette arrives, so that no black frame flashes.
TEST_F(Composition, PaletteChangesAndTheClearingWithoutABlackFlash) {
    TestWindow* view = Make(100, plat::Rect{0, 0, 200, 150}, WS_POPUP);
    host.RunUntilIdle();
    plat::DcHandle dc = plat::GetWindowDC(*view);
    RealizeIdentity(*dc, 11);
    plat::PresentNow();
    EXPECT_EQ(host.LastPresentedPalette()[100][1], 11);
    host.AdvanceClock(20);
    RealizeIdentity(*dc, 22);  // no pixel changes
    EXPECT_TRUE(plat::PresentIfDue());
    EXPECT_EQ(host.LastPresentedPalette()[100][1], 22);
    EXPECT_EQ(host.LastPresentedPalette()[249][0], 255);  // static red untouched
    // Lines in palette-relative colours use the realized palette's indices.
    dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, 1, plat::PaletteRgb(150, 22, 105)));
    std::vector<plat::Point> line = {{0, 5}, {10, 5}};
    plat::Polyline(*dc, line);
    EXPECT_EQ(plat::ScreenPixel(3, 5), 150);
    {
        std::array<plat::PaletteEntry, 256> black{};
        for (auto& e : black) e.flags = plat::kPcNoCollapse;
        plat::DcHandle screen = plat::GetScreenDC();
        plat::PaletteHandle previous =
            plat::SelectPalette(*screen, plat::CreatePalette(black), false);
        plat::RealizePalette(*screen);
        plat::SelectPalette(*screen, previous, false);
    }
    EXPECT_TRUE(plat::SystemPaletteCleared());
    host.AdvanceClock(50);
    Fill(*view, 101);
    plat::SelectPalette(*dc, plat::StockDefaultPalette(), true);
    plat::RealizePalette(*dc);  // the stock palette as background does not end the hold
    EXPECT_TRUE(plat::SystemPaletteCleared());
    EXPECT_TRUE(plat::PresentIfDue());
    EXPECT_EQ(host.LastPresentedPalette()[101][1], 22);
    host.AdvanceClock(50);
    RealizeIdentity(*dc, 44);
    EXPECT_FALSE(plat::SystemPaletteCleared());
    EXPECT_TRUE(plat::PresentIfDue());
    EXPECT_EQ(host.LastPresentedPalette()[101][1], 44);
}

TEST_F(Composition, HeadlessScreenshotIsWrittenAsPng) {
    Make(120, plat::Rect{10, 10, 130, 100}, WS_POPUP);
    Make(200, plat::Rect{70, 60, 190, 140}, WS_POPUP | WS_BORDER, WS_EX_TOPMOST);
    host.RunUntilIdle();
    RealizeIdentity(*plat::GetScreenDC(), 128);
    fvtest::TempFolder folder;
    const std::string path = folder.Path() + "/screen.png";
    ASSERT_TRUE(plat::SaveScreenPng(path));
    EXPECT_FALSE(plat::SaveScreenPng(folder.Path() + "/missing/x.png"));
    // Read it back: size, and the index and colour of a pixel of each window.
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    EXPECT_EQ(std::tuple(image.width, image.height, image.colormap_entries),
              std::tuple(200u, 150u, 256u));
    image.format = PNG_FORMAT_RGB_COLORMAP;
    std::vector<uint8_t> pixels(200 * 150), colours(3 * 256);
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, colours.data()));
    // The popup's frame at (70, 60).
    EXPECT_EQ(std::tuple(pixels[20 * 200 + 20], pixels[100 * 200 + 100], pixels[60 * 200 + 70],
                         colours[3 * 120 + 1]),
              std::tuple(120, 200, 0, 128));
}

// An off-screen bitmap in its own memory context, as the graphics engine
// makes them; pixel (x, y) starts as `fill`, or 1 + x + 16 y when patterned.
struct Offscreen {
    plat::DcHandle dc = plat::CreateMemoryDC();
    plat::BitmapHandle bitmap;
    uint8_t* pixels = nullptr;
    int32_t width, height;
    Offscreen(int32_t w, int32_t h, int fill = 0) : width(w), height(h) {
        plat::BitmapInfoHeader header;
        EXPECT_TRUE(plat::RecommendDibFormat(&header));
        header.width = w;
        header.height = -h;
        bitmap = plat::CreateDib8(header, nullptr, &pixels);
        EXPECT_NE(dc->SelectBitmap(bitmap), nullptr);  // the stock bitmap comes back
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) At(x, y) = uint8_t(fill < 0 ? 1 + x + 16 * y : fill);
        }
    }
    uint8_t& At(int32_t x, int32_t y) { return pixels[y * bitmap->Stride() + x]; }
    int Count(uint8_t value) {
        return int(std::count(pixels, pixels + height * bitmap->Stride(), value));
    }
    void Pen(int width, uint8_t colour) {
        dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, width, plat::PaletteIndex(colour)));
    }
};

// Only 8-bit sections are made; the clip box is the bitmap; a plain colour
// on a memory context is the nearest colour-table entry (the padded rows
// and the colour table itself are checked through the graphics engine).
// The changed rectangles of random pictures: every differing pixel lies in
// one, and each has a differing pixel on every edge (none is larger than its
// changes). Two changes on the same rows far apart stay two rectangles.
// Within an area only its changes count; overlapping rectangles are joined.
TEST(ScreenChanges, EveryDifferingPixelIsCoveredAndNoRectangleIsLargerThanItsChanges) {
    auto differs = [](const plat::Surface& a, const plat::Surface& b, int32_t x, int32_t y) {
        return a.Row(y)[x] != b.Row(y)[x];
    };
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        plat::Srand(seed);
        plat::Surface before, after;
        before.Resize(97 + int(seed % 5), 61);
        for (int32_t y = 0; y < before.height; ++y)
            for (int32_t x = 0; x < before.width; ++x) before.Row(y)[x] = uint8_t(plat::Rand());
        after = before;
        // A few sprites of random size; a lone pixel now and then.
        const int32_t sprites = plat::Rand() % 5;
        for (int32_t s = 0; s < sprites; ++s) {
            const int32_t w = 1 + plat::Rand() % 20, h = 1 + plat::Rand() % 15;
            const int32_t x0 = plat::Rand() % (after.width - w),
                          y0 = plat::Rand() % (after.height - h);
            for (int32_t y = y0; y < y0 + h; ++y)
                for (int32_t x = x0; x < x0 + w; ++x)
                    if (plat::Rand() % 3 != 0) after.Row(y)[x] = uint8_t(after.Row(y)[x] + 1);
        }
        if (seed % 3 == 0) after.Row(seed % 61)[seed % 97] ^= 0x40;
        const std::vector<plat::Rect> rects = plat::ChangedRects(before, after);
        for (int32_t y = 0; y < after.height; ++y) {
            for (int32_t x = 0; x < after.width; ++x) {
                if (!differs(before, after, x, y)) continue;
                ASSERT_TRUE(std::any_of(rects.begin(), rects.end(),
                                        [&](const plat::Rect& r) {
                                            return r.Contains({x, y});
                                        }))
                    << x << "," << y;
            }
        }
        for (const plat::Rect& r : rects) {
            bool top = false, bottom = false, left = false, right = false;
            for (int32_t x = r.left; x < r.right; ++x) {
                top = top || differs(before, after, x, r.top);
                bottom = bottom || differs(before, after, x, r.bottom - 1);
            }
            for (int32_t y = r.top; y < r.bottom; ++y) {
                left = left || differs(before, after, r.left, y);
                right = right || differs(before, after, r.right - 1, y);
            }
            EXPECT_TRUE(top && bottom && left && right)
                << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
        }
        EXPECT_EQ(rects.empty(), before.pixels == after.pixels);
    }
    // {gap between two 4 x 3 changes on the same rows, rectangles}.
    for (auto [gap, count] : {std::pair{plat::kChangeGap - 1, size_t{1}}, {plat::kChangeGap, 2u}}) {
        plat::Surface before, after;
        before.Resize(200, 20);
        after = before;
        for (int32_t y = 5; y < 8; ++y)
            for (int32_t x : {10, 11, 12, 13, 14 + gap, 15 + gap, 16 + gap, 17 + gap})
                after.Row(y)[x] = 1;
        EXPECT_EQ(plat::ChangedRects(before, after).size(), count) << gap;
        // Within an area only its own change is found.
        EXPECT_EQ(plat::ChangedRects(before, after, {12 + gap, 0, 200, 20}),
                  (std::vector<plat::Rect>{{14 + gap, 5, 18 + gap, 8}}));
    }
    // Overlapping rectangles joined, also through a join (a-c via b), the
    // rest and the empty ones as they are.
    EXPECT_EQ(plat::JoinOverlapping(
                  {{0, 0, 4, 4}, {9, 9, 9, 12}, {12, 0, 14, 2}, {5, 5, 11, 6}, {3, 3, 6, 6}}),
              (std::vector<plat::Rect>{{0, 0, 11, 6}, {12, 0, 14, 2}}));
}

TEST(Offscreen, EightBitSectionsClipBoxAndNearestColour) {
    plat::BitmapInfoHeader header;
    ASSERT_TRUE(plat::RecommendDibFormat(&header));
    header.width = 30;
    header.height = -2;
    header.bitCount = 4;
    uint8_t* pixels = nullptr;
    EXPECT_EQ((std::tuple{plat::CreateDib8(header, nullptr, &pixels), pixels}),
              std::tuple(nullptr, nullptr));
    Offscreen image(30, 40);
    plat::Rect box;
    EXPECT_EQ((std::tuple{plat::GetClipBox(*image.dc, &box), box}),
              std::tuple(2, plat::Rect{0, 0, 30, 40}));
    std::array<plat::RgbQuad, 256> table{};
    for (int i = 0; i < 256; ++i) table[size_t(i)] = {uint8_t(i), uint8_t(255 - i), 7, 0};
    EXPECT_EQ(plat::SetDibColourTable(*image.dc, 250, 10, table.data()), 6);  // cut at 256
    EXPECT_EQ(plat::SetDibColourTable(*image.dc, 0, 256, table.data()), 256);
    EXPECT_EQ(image.dc->ResolveColour(plat::Rgb(7, 155, 100)), 100);
}

TEST(BitBlt, ClipsAgainstDestinationAndSource) {
    Offscreen source(16, 8, -1);
    // {target size, destination rectangle, source origin}: every target pixel
    // is copied from the source when both lie inside their bitmaps, else kept.
    struct Case {
        int32_t tw, th, x, y, w, h, sx, sy;
    };
    for (const Case& c : {Case{40, 8, -3, 0, 10, 1, 0, 0}, Case{10, 5, 6, 3, 10, 10, 0, 0},
                          Case{40, 20, 0, 0, 40, 20, 12, 5}, Case{20, 10, 0, 0, 5, 5, -2, -1},
                          Case{10, 10, 10, 0, 5, 5, 0, 0}, Case{10, 10, 0, 0, -5, 5, 0, 0}}) {
        Offscreen target(c.tw, c.th, 0xEE);
        plat::BitBlt(*target.dc, c.x, c.y, c.w, c.h, source.dc.get(), c.sx, c.sy,
                     plat::RasterOp::SrcCopy);
        for (int32_t y = 0; y < c.th; ++y) {
            for (int32_t x = 0; x < c.tw; ++x) {
                const int32_t sx = x - c.x + c.sx, sy = y - c.y + c.sy;
                const bool copied = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h &&
                                    sx >= 0 && sx < 16 && sy >= 0 && sy < 8;
                ASSERT_EQ(target.At(x, y), copied ? source.At(sx, sy) : 0xEE)
                    << c.x << "," << c.y << " at " << x << "," << y;
            }
        }
    }
    // Extreme coordinates neither wrap nor crash; a copy needs a source.
    Offscreen target(10, 10, 0xEE);
    plat::BitBlt(*target.dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, source.dc.get(), 0, 0,
                 plat::RasterOp::SrcCopy);
    plat::BitBlt(*target.dc, INT32_MAX, 0, INT32_MAX, 5, source.dc.get(), INT32_MIN, 0,
                 plat::RasterOp::SrcCopy);
    EXPECT_FALSE(plat::BitBlt(*target.dc, 0, 0, 1, 1, nullptr, 0, 0, plat::RasterOp::SrcCopy));
    // Blackness fills index 0 without a source.
    ASSERT_TRUE(plat::BitBlt(*target.dc, 2, -1, 20, 3, nullptr, 0, 0, plat::RasterOp::Blackness));
    EXPECT_EQ(std::tuple(target.At(2, 1), target.At(1, 1), target.At(2, 2)),
              std::tuple(0, 0xEE, 0xEE));
    // An overlapping copy within one bitmap moves the block, either way.
    for (const auto [dx, dy, sx, sy] : {std::array{1, 2, 0, 0}, std::array{0, 0, 2, 3}}) {
        Offscreen image(8, 8, -1);
        plat::BitBlt(*image.dc, dx, dy, 6, 5, image.dc.get(), sx, sy, plat::RasterOp::SrcCopy);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 6; ++x)
                ASSERT_EQ(image.At(x + dx, y + dy), uint8_t(1 + x + sx + 16 * (y + sy)));
        }
    }
}

// Bottom-up file rows land top-down as palette indices; the source rectangle
// of a bottom-up DIB counts its rows from the bottom; 4-bit pixels are
// doubled by point sampling; compressed pixels draw nothing.
TEST(StretchDIBits, BottomUpFileRowsFourBitPixelsAndScaling) {
    // A 5 x 3 bottom-up DIB, rows padded to 8 bytes; pixel = 10 * row-from-top + x.
    std::vector<uint8_t> bits(8 * 3, 0xCD);
    for (int r = 0; r < 3; ++r) {
        for (int x = 0; x < 5; ++x) bits[size_t((2 - r) * 8 + x)] = uint8_t(10 * r + x);
    }
    plat::BitmapInfoHeader header;
    header.width = 5;
    header.height = 3;
    std::array<uint16_t, 256> indices;
    for (int i = 0; i < 256; ++i) indices[size_t(i)] = uint16_t(i);
    auto draw = [&](Offscreen& target, plat::Rect to, int32_t sx, int32_t sy, int32_t sw,
                    int32_t sh) {
        return plat::StretchDIBits(*target.dc, to.left, to.top, to.Width(), to.Height(), sx, sy, sw,
                                   sh, bits.data(), header, indices.data(), plat::kDibPalColours,
                                   plat::RasterOp::SrcCopy);
    };
    Offscreen target(8, 4, 0xEE);
    EXPECT_EQ(draw(target, {0, 0, 5, 3}, 0, 0, 5, 3), 3);
    EXPECT_EQ(std::tuple(target.At(4, 2), target.At(5, 2), target.At(0, 3)),
              std::tuple(24, 0xEE, 0xEE));
    Offscreen small(3, 3, 0xEE);
    draw(small, {1, 1, 3, 3}, 1, 0, 2, 2);
    EXPECT_EQ(std::tuple(small.At(1, 1), small.At(2, 2), small.At(0, 0)), std::tuple(11, 22, 0xEE));
    header.compression = plat::kBiRle8;
    EXPECT_EQ(draw(target, {0, 0, 5, 3}, 0, 0, 5, 3), 0);
    // 4 x 2, 4 bits, top-down: rows "1 2 3 4" and "5 6 7 8".
    bits = {0x12, 0x34, 0, 0, 0x56, 0x78, 0, 0};
    header = {};
    header.width = 4;
    header.height = -2;
    header.bitCount = 4;
    Offscreen scaled(8, 4);
    draw(scaled, {0, 0, 8, 4}, 0, 0, 4, 2);
    EXPECT_EQ(std::tuple(scaled.At(1, 0), scaled.At(7, 3), scaled.At(2, 2)), std::tuple(1, 8, 6));
}

TEST(Lines, PolylinesLeaveOutTheLastPointAndThickOnesAreClipped) {
    Offscreen canvas(10, 10);
    canvas.Pen(1, 7);
    ASSERT_TRUE(plat::Polyline(*canvas.dc, std::vector<plat::Point>{{1, 1}, {5, 1}, {5, 4}}));
    EXPECT_EQ(std::tuple(canvas.At(5, 3), canvas.At(5, 4), canvas.Count(7)), std::tuple(7, 0, 7));
    // A width-3 outline along every edge: nothing is written outside (the
    // sanitizer build checks that), the strokes reach into the edge rows.
    Offscreen edge(16, 12);
    edge.Pen(3, 9);
    ASSERT_TRUE(plat::Polyline(
        *edge.dc, std::vector<plat::Point>{{0, 0}, {15, 0}, {15, 11}, {0, 11}, {0, 0}}));
    // Three rows wide: -1, 0, 1.
    EXPECT_EQ(std::tuple(edge.At(7, 1), edge.At(7, 2), edge.At(13, 6)), std::tuple(9, 0, 0));
    Offscreen far(8, 8);
    far.Pen(3, 4);
    ASSERT_TRUE(plat::Polyline(
        *far.dc,
        std::vector<plat::Point>{{-100000, 4}, {100000, 4}, {4, INT32_MIN / 2}, {-3, -3}}));
    for (int x = 0; x < 8; ++x) EXPECT_EQ(far.At(x, 4), 4);
    // Rectangle fills are clipped and half open.
    Offscreen rects(10, 6);
    ASSERT_TRUE(plat::FillRectIndex(*rects.dc, {-5, 2, 3, 100}, 6));
    plat::FillRectIndex(*rects.dc, {8, 0, 4, 3}, 1);  // empty
    EXPECT_EQ(std::tuple(rects.Count(6), rects.Count(1)), std::tuple(3 * 4, 0));
}

}  // namespace
