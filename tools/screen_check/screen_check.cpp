// Developer check of the drawing layer on the SDL back end: shows two
// overlapping windows drawn with an identity palette, then (optionally) writes
// the composed screen as a PNG and ends.
//
//   fv-screen-check [--window] [--screen WxH] [--seconds N] [--png file.png]
//
// Without a display, under a virtual X server:
//   Xvfb :98 -screen 0 1280x1024x24 &
//   DISPLAY=:98 build/asan/fv-screen-check --window --screen 800x600 --png /tmp/composed.png &
//   sleep 2; DISPLAY=:98 xwd -root -silent | convert xwd:- /tmp/window.png
// /tmp/window.png (the SDL window) and /tmp/composed.png (the 8-bit screen
// through the system palette) should show the same picture.
//
// What should be seen: a colour ramp window (blue to red through the 236
// colours of the identity palette) at the upper left, partly covered by a
// top-most popup with a black frame, a yellow thick outline, a white arrow
// and a line of text in the static colours.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/app.h"
#include "platform/clock.h"
#include "platform/compositor.h"
#include "platform/gdi.h"
#include "platform/host_backend.h"
#include "platform/palette.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

// Entries 10-245 run from blue to red; both ends keep the static colours.
plat::PaletteHandle RampPalette() {
    std::vector<plat::PaletteEntry> entries(256);
    plat::GetSystemPaletteEntries(0, 256, entries.data());
    for (int i = 10; i < 246; ++i) {
        int t = (i - 10) * 255 / 235;
        entries[size_t(i)] = {uint8_t(t), uint8_t(t < 128 ? 2 * t : 2 * (255 - t)),
                              uint8_t(255 - t), plat::kPcReserved};
    }
    return plat::CreatePalette(entries);
}

class RampWindow : public plat::Window {
  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message != WM_PAINT) return DefaultMessage(message, w, l);
        plat::PaintDC dc(*this);
        plat::Rect client = GetClientRect();
        for (int32_t x = 0; x < client.right; ++x) {
            uint8_t index = uint8_t(10 + x * 236 / client.right);
            plat::FillRectIndex(dc, {x, 0, x + 1, client.bottom}, index);
        }
        return 0;
    }
};

class PopupWindow : public plat::Window {
  public:
    explicit PopupWindow(plat::PaletteHandle palette) : palette_(std::move(palette)) {}

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message != WM_PAINT) return DefaultMessage(message, w, l);
        plat::PaintDC dc(*this);
        plat::SelectPalette(dc, palette_, false);
        plat::RealizePalette(dc);
        plat::Rect client = GetClientRect();
        plat::FillRectIndex(dc, client, 8);  // static pale green
        for (int32_t y = 20; y < client.bottom - 20; y += 8) {
            plat::FillRectIndex(dc, {20, y, client.right - 20, y + 4}, uint8_t(10 + y));
        }
        dc.SelectPen(plat::CreatePen(plat::PenStyle::Solid, 3, plat::PaletteRgb(255, 255, 8)));
        std::vector<plat::Point> outline = {{10, 10},
                                            {client.right - 11, 10},
                                            {client.right - 11, client.bottom - 11},
                                            {10, client.bottom - 11},
                                            {10, 10}};
        plat::Polyline(dc, outline);
        dc.SelectPen(plat::StockWhitePen());
        dc.SelectBrush(plat::StockWhiteBrush());
        std::vector<plat::Point> arrow = {{129, 29}, {142, 29}, {142, 36}, {137, 33},
                                          {121, 41}, {119, 40}, {135, 32}};
        plat::Polygon(dc, arrow);
        dc.SetTextColour(plat::Rgb(0, 0, 0));
        dc.SetBackgroundColour(plat::Rgb(255, 255, 255));
        plat::TextOut(dc, 24, client.bottom - 40, "Identity palette: 10-245");
        plat::SelectPalette(dc, plat::StockDefaultPalette(), true);
        plat::RealizePalette(dc);
        return 0;
    }

  private:
    plat::PaletteHandle palette_;
};

class CheckApp : public plat::Application {
  public:
    CheckApp(uint32_t seconds, std::string png) : seconds_(seconds), png_(std::move(png)) {}

    bool InitInstance() override {
        plat::InstallCompositor();
        palette_ = RampPalette();
        ramp_ = new RampWindow;
        ramp_->Create(nullptr, {40, 40, 440, 340}, WS_POPUP | WS_VISIBLE);
        popup_ = new PopupWindow(palette_);
        popup_->Create(ramp_, {300, 220, 600, 420}, WS_POPUP | WS_BORDER | WS_VISIBLE,
                       WS_EX_TOPMOST);
        mainWindow = ramp_;
        start_ = plat::TimeGetTime();
        return true;
    }

    bool OnIdle(long) override {
        if (plat::TimeGetTime() - start_ < seconds_ * 1000) return true;
        if (!png_.empty()) {
            bool saved = plat::SaveScreenPng(png_);
            std::printf("%s %s\n", saved ? "wrote" : "could not write", png_.c_str());
        }
        plat::PostQuit(0);
        return false;
    }

    int ExitInstance() override {
        delete popup_;
        delete ramp_;
        return 0;
    }

  private:
    uint32_t seconds_;
    std::string png_;
    uint32_t start_ = 0;
    plat::PaletteHandle palette_;
    plat::Window* ramp_ = nullptr;
    plat::Window* popup_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    uint32_t seconds = 3;
    std::string png;
    std::vector<const char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            seconds = uint32_t(std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
            png = argv[++i];
        } else {
            rest.push_back(argv[i]);
        }
    }
    plat::LaunchOptions options;
    std::string error;
    if (!plat::ParseLaunchOptions(int(rest.size()), rest.data(), &options, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    std::unique_ptr<plat::Backend> backend = plat::CreateHostBackend(options, &error);
    if (!backend) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    CheckApp app(seconds, png);
    return plat::RunApplication(app, *backend);
}
