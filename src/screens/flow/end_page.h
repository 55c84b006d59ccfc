#pragma once
// EndPage: what the score sheet and the high-score list share. A 640 x 480
// picture "scr_<N>.jgd" with its sheet "scb_<N>.jgd" over the whole game
// area (the rest tiled), the screen's lines written into the picture on
// every paint, and one OK button (kCmdClose) that Enter presses: it blackens
// the screen and reports to the frame with 0.
//
//   bool FS_X::Open(plat::Window* parent) {
//       return OpenPage(parent, picture, 49, kButtons);
//   }
//   void FS_X::DrawLines() { picture.DrawText(...); }

#include <cstdint>
#include <span>

#include "gfx/wing_bitmap.h"
#include "screens/full_screen.h"
#include "state/messages.h"

// The OK button of an end page at (x, y) (its faces at (0, 0) and (0, 40)).
constexpr ButtonLayout EndPageOk(int32_t x, int32_t y) {
    return {.x = x,
            .y = y,
            .command = kCmdClose,
            .width = 108,
            .height = 40,
            .normal = {0, 0},
            .pressed = {0, 40}};
}

class EndPage : public FullScreen {
  protected:
    explicit EndPage(uint32_t done_message) : FullScreen(done_message) {}

    // Loads picture `number` into `picture` (which the screen owns and the
    // page shows from now on) and its sheet, creates the screen with
    // `buttons` and tiles the margin. False when it could not be made.
    bool OpenPage(plat::Window* parent, WinGBitmap& picture, int32_t number,
                  std::span<const ButtonLayout> buttons);
    // The screen's lines into the picture, before each paint shows it.
    virtual void DrawLines() = 0;

    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnPaint();
    WinGBitmap* page_ = nullptr;
};
