#pragma once
// FS_GEN_FORTSCHRITT: the generation-progress screen. A 320 x 200 picture in
// the middle of the screen with a lamp for each of the four stages of the
// world generator (land, cities, woods, industries), the running stage's
// caption and a progress bar. At most one exists, in g_pGenProgressScreen.
//
// The generator runs inside a message handler of the main frame, so nothing
// repaints the screen by itself meanwhile: after changing the progress
// members the generator calls UpdateProgress, which draws at once.
//
//   OpenGenProgress(frame);                 // the frame's WM_USER+100
//   g_pGenProgressScreen->stage = 1; ...; g_pGenProgressScreen->UpdateProgress();
//   CloseGenProgress();                     // the frame's WM_USER+101

#include <cstdint>

#include "gfx/palette_image.h"
#include "gfx/wing_bitmap.h"
#include "platform/geometry.h"
#include "platform/window.h"
#include "state/messages.h"

inline constexpr uint16_t kCmdProdOk = 40112;

constexpr int32_t kGenStages = 4;  // 0 land, 1 cities, 2 woods, 3 industries
constexpr int32_t kGenCaptionLength = 50;

class FS_GEN_FORTSCHRITT : public plat::Window {
  public:
    FS_GEN_FORTSCHRITT();
    ~FS_GEN_FORTSCHRITT() override;

    // Loads "scr_42.jgd" and the lamp sheet "scb_42.jgd", centres the
    // picture and creates the window as a top-most popup over the game area,
    // owned by `parent`. False when the window could not be made.
    bool Show(plat::Window* parent);
    // Draws the picture with the lamps, the caption and the bar now. Does
    // nothing without a window.
    void UpdateProgress();

    int32_t origin_y = 0;  // screen position of the picture (client coordinates)
    int32_t origin_x = 0;
    int32_t total = 0;
    int32_t current = 0;
    int32_t stage = 0;
    int32_t stage_done[kGenStages] = {};  // lamp lit when above 0
    char captions[kGenStages][kGenCaptionLength] = {};
    plat::Rect lamp_rects[kGenStages] = {};  // client coordinates
    PaletteImage lamp_sheet;                 // lit lamp at x 0, unlit at x 16
    WinGBitmap back_buffer;
    WinGBitmap picture;
    WinGBitmap scratch;  // 16 x 16

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnPaint();
    void OnProdOk();
    // Steps 2 to 7 of a paint into the given window context.
    void DrawProgress(plat::DeviceContext& dc);
};

inline FS_GEN_FORTSCHRITT* g_pGenProgressScreen = nullptr;

// Constructs the screen over `frame`, shows it and paints it at once; the
// caller keeps it (the main frame in its screen slot).
FS_GEN_FORTSCHRITT* CreateGenProgressScreen(plat::Window* frame);
// Makes `screen` (or none) the open progress screen; while one is open the
// cities make no traffic cars.
void PublishGenProgressScreen(FS_GEN_FORTSCHRITT* screen);

// What the main frame's handlers of WM_USER+100 and WM_USER+101 do, for a
// frame without a screen table. Opening while a screen exists does nothing,
// so a caller may ask once per phase. Answers the open screen.
FS_GEN_FORTSCHRITT* OpenGenProgress(plat::Window* frame);
// Sends the open screen command 40112, deletes it and clears the pointer.
void CloseGenProgress();

// The generator's progress calls: each writes the members of the open
// screen and repaints it; without a screen they do nothing.
void GenProgressStage(int32_t stage, int32_t total);  // stage, current := 0, total (at least 1)
void GenProgressStep();                               // current += 1
void GenProgressStageDone(int32_t stage);             // lamp of the stage lit
