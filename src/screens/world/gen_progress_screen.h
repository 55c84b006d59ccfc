#pragma once
// FS_GEN_FORTSCHRITT: the generation-progress screen. A 320 x 200 picture in
// the middle of the screen with a lamp for each of the four stages of the
// world generator (land, cities, woods, industries), the running stage's
// caption and a progress bar. The frame opens it on WM_USER+100 and closes it
// on WM_USER+101 (the generator sends both).
//
// While it is open it receives the generator's progress reports
// (state/progress_events.h) and the cities make no traffic cars. The
// generator runs inside a message handler of the main frame, so nothing
// repaints the screen by itself meanwhile: each report draws at once.

#include <cstdint>

#include "gfx/wing_bitmap.h"
#include "platform/geometry.h"
#include "screens/full_screen.h"
#include "screens/screen_entry.h"
#include "state/progress_events.h"

constexpr int32_t kGenCaptionLength = 50;

class FS_GEN_FORTSCHRITT : public FullScreen, public GenerationProgress {
  public:
    FS_GEN_FORTSCHRITT();
    // Stops receiving the reports.
    ~FS_GEN_FORTSCHRITT() override;

    // Loads "scr_42.jgd" and the lamp sheet "scb_42.jgd", centres the
    // picture and creates the window as a top-most popup over the game area,
    // owned by `parent`; from then on it receives the reports. False when
    // the window could not be made.
    bool Show(plat::Window* parent);
    // Draws the picture with the lamps, the caption and the bar now. Does
    // nothing without a window.
    void UpdateProgress();

    char captions[kGenStages][kGenCaptionLength] = {};
    plat::Rect lamp_rects[kGenStages] = {};  // client coordinates
    // The sheet holds the lit lamp at x 0, the unlit one at x 16.
    WinGBitmap back_buffer;
    WinGBitmap picture;
    WinGBitmap scratch;  // 16 x 16

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    void Shown() override { UpdateProgress(); }

  private:
    void OnPaint();
    // Command OK: the screen black, the game's palettes back, the window hidden.
    void OnOk();
    // Steps 2 to 7 of a paint into the given window context.
    void DrawProgress(plat::DeviceContext& dc);
};

// Made, shown and painted at once; before it is deleted it gets command OK.
extern const ScreenEntry kGenProgressScreenEntry;
