#pragma once
// FS_START: the title screen. A 640 x 480 picture with ten image buttons
// down its right edge; each button reports one choice to the main frame
// (message WM_USER+46, lParam = the TitleChoice). Quit is posted, every other
// choice is sent after the screen was filled black. "Continue" does nothing
// while the save folder holds no "lastsave.lvl" that can be opened. The
// frame opens it on the start-screen request (no open message of its own).

#include <cstdint>

#include "gfx/wing_bitmap.h"
#include "screens/full_screen.h"
#include "screens/screen_entry.h"

constexpr int32_t kTitleButtonCount = 10;

class FS_START : public FullScreen {
  public:
    FS_START();
    ~FS_START() override;

    // Loads "scr_0.jgd" and the button sheet "scb_0.jgd" and opens the
    // screen over the whole screen as a top-most window owned by `parent`,
    // the picture centred. False when a picture or the window could not be
    // made.
    bool Open(plat::Window* parent);

    WinGBitmap background;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnPaint();
    void OnCommand(uint16_t command);
};

// Before it opens, the year goes back to 1960, the board votes to 0 and the
// start marker to 1. The frame adds what it does with the choice.
extern const ScreenEntry kTitleScreenEntry;
