#pragma once
// The "City growth in progress" window: before a free game that starts in a
// later decade the cities grow through `total` growth ticks, one per idle
// pass of the main loop (which runs the tick, counts `step_count` and calls
// DrawProgress). A bar shows how far it got; the stop button ends it after
// one more tick. `finished` is 1 once all ticks ran or stop was pressed; the
// main loop then deletes the window.

#include <cstdint>

#include "panel/control_panel.h"
#include "screens/flow/flow_popup.h"

class CityGrowthScreen : public FlowPopup, public FS_CITY_GROWTH {
  public:
    CityGrowthScreen();
    ~CityGrowthScreen() override;

    // Loads "scr_63.jgd" and "scb_63.jgd" and shows the window over the
    // view rectangle, owned by `owner`. False when it could not be made.
    bool Open(plat::Window* owner, const plat::Rect& view, int32_t ticks);

    // The picture, the state's text, the bar; all ticks run: finished.
    void DrawProgress() override;

    int32_t total = 1;  // ticks to run, never 0
    char texts[2][100] = {"City growth in progress", "Growth will be stopped"};
    WinGBitmap back_buffer;  // the clean picture
    WinGBitmap window_image;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    // The back buffer, the text (when `with_text`) and the bar drawn into
    // the window image and shown.
    void Draw(bool with_text);
};

// The growth screen of `steps` ticks over the panel's view; null when it
// could not be made.
FS_CITY_GROWTH* OpenCityGrowthScreen(HAUPTDIALOG& panel, int32_t steps);
