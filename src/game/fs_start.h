#pragma once
// FS_START: the title screen. A 640 x 480 picture with ten image buttons
// down its right edge; each button reports one choice to the main frame
// (message WM_USER+46, lParam = the TitleChoice). Quit is posted, every other
// choice is sent after the screen was filled black. "Continue" does nothing
// while the save folder holds no "lastsave.lvl" that can be opened.

#include <cstdint>

#include "gfx/buttons.h"
#include "gfx/palette_image.h"
#include "gfx/wing_bitmap.h"
#include "platform/window.h"

constexpr int32_t kTitleButtonCount = 10;

class FS_START : public plat::Window {
  public:
    ~FS_START() override;

    // Loads "scr_0.jgd" and "scb_0.jgd" and opens the screen over the whole
    // screen as a top-most window owned by `parent`, the picture centred.
    // False when a picture or the window could not be made.
    bool Open(plat::Window* parent);

    int32_t origin_x = 0;  // where the 640 x 480 picture stands on the screen
    int32_t origin_y = 0;
    BUTTONS* buttons[kTitleButtonCount] = {};
    PaletteImage button_pictures;
    WinGBitmap background;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    int32_t OnCreate();
    void OnPaint();
    void OnCommand(uint16_t command);
    // Fills the screen black and sends the choice to the main frame.
    void Report(int32_t choice);
};
