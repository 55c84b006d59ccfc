#pragma once
// FS_KARRIERE: the start of a career. Three buttons pick the difficulty
// (`career_difficulty` 100, 70 or 50) and ask the frame to start the career
// with WM_USER+65 lParam 0; back sends lParam 1. The picture is centred on
// any screen, the tile picture around it. The frame opens it on WM_USER+64.

#include "gfx/wing_bitmap.h"
#include "screens/full_screen.h"
#include "screens/screen_entry.h"

class FS_KARRIERE : public FullScreen {
  public:
    FS_KARRIERE();
    ~FS_KARRIERE() override;

    // Loads "scr_25.jgd" and "scb_25.jgd" and opens the screen over the
    // whole screen. False when it could not be made.
    bool Open(plat::Window* parent);

    WinGBitmap background;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnPaint();
};

// The frame adds starting the career (or the title after back).
extern const ScreenEntry kCareerScreenEntry;
