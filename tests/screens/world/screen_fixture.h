#pragma once
// The generation-progress screen on the headless back end: a frame window
// that answers the screen's open and close messages with its own entry, a
// fresh game state whose data folder holds small synthetic pictures (plain
// colours, so that pixels can be checked), and the main font and background
// tile loaded from them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "gfx/gfx_host.h"
#include "support/game_scope.h"

namespace worldgen {

// Colours of the synthetic pictures.
constexpr uint8_t kTileInk = 7;
constexpr uint8_t kPictureInk = 3;
constexpr uint8_t kLitLampInk = 200;
constexpr uint8_t kUnlitLampInk = 100;
constexpr uint8_t kGlyphInk = 9;

class ProgressFrame : public gfxtest::FrameWindow {
  public:
    plat::Window* progress = nullptr;  // the open progress screen
    void CloseProgress();

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override;
};

class ScreenTest : public ::testing::Test {
  protected:
    ScreenTest();
    ~ScreenTest() override;

    // Writes a picture into the data folder.
    void WritePicture(const std::string& name, const standin::Canvas& picture);
    // A pixel of a window's surface.
    static uint8_t Pixel(plat::Window& window, int32_t x, int32_t y) {
        return window.GetSurface().Row(y)[x];
    }
    // FNV-1a of a window's surface.
    static uint64_t SurfaceHash(plat::Window& window);

    gfxtest::GfxHost host_;
    ProgressFrame* frame_ = nullptr;
    fvtest::GameScope game_;
    std::string folder_;
};

}  // namespace worldgen
