#pragma once
// FS_LOGO: one of the two start-up logos, a black screen with the logo
// picture in the middle. Logo 0 stays more than 4000 ms, logo 1 more than
// 3000 ms (counted from the last paint, in 16-bit milliseconds); Escape ends
// it at once. When it ends it asks the main frame for the start screen
// (which closes the logo and shows what comes next).

#include <cstdint>

#include "screens/full_screen.h"
#include "screens/screen_entry.h"

class FS_LOGO : public FullScreen {
  public:
    ~FS_LOGO() override;

    // Loads "logo<index>.jgd" and opens the logo over the whole screen as a
    // top-most window owned by `parent`. False when it could not be opened.
    bool Open(int32_t index, plat::Window* parent);

    int32_t logo_index = 0;
    PaletteImage picture;
    uint16_t elapsed = 0;
    uint16_t start_time = 0;
    uint16_t now = 0;
    uint32_t timer_id = 0;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnPaint();
    void OnTimer();
    void End();
};

// Opened on WM_USER+116 with the logo's index as wParam, closed on WM_USER+117;
// no steps around it.
extern const ScreenEntry kLogoScreenEntry;
