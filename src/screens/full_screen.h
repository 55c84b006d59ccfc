#pragma once
// FullScreen: what every screen of the frame shares. A screen is a top-most
// window over the game area (or, for a smaller screen, a window of its own
// size in the middle of it) with a picture area placed in its middle, image
// buttons cut from one button sheet, the sheet's palette for its output, and
// a frame it reports to.
//
//   constexpr ButtonLayout kButtons[] = {
//       {.x = 204, .y = 422, .command = kCmdOk, .width = 108, .height = 40,
//        .normal = {16, 0}, .pressed = {16, 40}},
//   };
//   bool FS_X::Open(plat::Window* parent) {
//       if (!sheet.Load(...)) return false;
//       return CreateScreen(parent, {.area = {640, 480}, .buttons = kButtons});
//   }
//   ... SendDone(0);   // the done message to the frame, lParam 0
//
// The buttons are made when the window is created (WM_CREATE), at their
// table positions moved by the picture area's origin, and deleted with the
// screen.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "gfx/buttons.h"
#include "gfx/palette_image.h"
#include "platform/geometry.h"
#include "platform/window.h"

// How a screen's window is made.
struct ScreenShape {
    // The window: empty for the whole game area, else this size in its middle.
    plat::Size size{};
    // The picture area, in the middle of the window. On a window of 640
    // pixels or narrower it stays at the corner unless `centre_always`.
    plat::Size area{};
    bool centre_always = false;
    // A top-most popup at the game area's origin; else a top-most child
    // window at (0, 0) of the parent.
    bool popup = true;
    // The cursor clip is lifted once the window exists.
    bool free_cursor = false;
    std::span<const ButtonLayout> buttons{};
};

class FullScreen : public plat::Window {
  public:
    // Deletes the buttons and the window.
    ~FullScreen() override;

    int32_t origin_x = 0;  // the picture area in the window
    int32_t origin_y = 0;
    std::vector<std::unique_ptr<BUTTONS>> buttons;  // in the order of the table
    PaletteImage sheet;                             // the button faces; its palette is the screen's

  protected:
    // `done_message` is what SendDone sends the frame.
    explicit FullScreen(uint32_t done_message = 0) : done_message_(done_message) {}

    // Places the picture area and creates the window as `shape` says, owned
    // by `parent`, which becomes the frame the screen reports to. False when
    // the window could not be made.
    bool CreateScreen(plat::Window* parent, const ScreenShape& shape);
    plat::Window* Frame() const { return frame_; }

    // The sheet's palette selected into `dc` and realized.
    void RealizeSheetPalette(plat::DeviceContext& dc) const;
    // The whole screen covered with the tile picture in the sheet's palette
    // (the margin around a page, which the page then covers); nothing
    // without the tile picture. Without `dc` on the window's own.
    void TileScreen();
    void TileScreen(plat::DeviceContext& dc);
    // The whole window filled black.
    void Blacken();
    // Sends the frame the done message with `result` as lParam.
    void SendDone(plat::LParam result);
    // Fills the window black, then sends the done message.
    void FinishBlack(plat::LParam result);
    // The same with the world palettes realized between (RealizeWorldPalette).
    void FinishBlackInWorldPalette(plat::LParam result);

    // Makes the buttons on WM_CREATE; everything else goes to the default.
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    uint32_t done_message_;
    plat::Window* frame_ = nullptr;
    std::span<const ButtonLayout> button_table_;
};

// The game's world palettes put back before a screen hands over to the map:
// the windows' palette selected into the window's context and realized, the
// buffers' palette into the world back buffer's context likewise.
void RealizeWorldPalette(plat::Window& window);
