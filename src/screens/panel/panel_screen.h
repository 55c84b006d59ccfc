#pragma once
// PanelScreen: what the small modal screens over a running game share. Each
// is a top-most bordered popup centred over the world view, as large as its
// picture (plus the border), drawn from the picture "scr_<n>.jgd" with image
// buttons cut from the sheet "scb_<n>.jgd" of the picture folder. While it
// is open the mouse cursor stays inside it. The Enter key shows the first
// button pressed and sends its command to the screen itself.
//
//   constexpr ButtonLayout kButtons[] = {
//       {.x = 148, .y = 101, .command = kCmdDialogOk, .width = 108, .height = 40,
//        .normal = {108, 0}, .pressed = {108, 40}},
//   };
//   bool FS_X::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
//       return OpenOver(&panel, request.rect, {.picture = 21, .buttons = kButtons});
//   }
//
// The destructor frees the pictures, deletes the buttons, frees the cursor
// (when the screen is still shown) and destroys the window.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gfx/buttons.h"
#include "gfx/palette_image.h"
#include "gfx/wing_bitmap.h"
#include "platform/geometry.h"
#include "platform/window.h"

struct PanelScreenShape {
    int32_t picture = 0;  // n of "scr_<n>.jgd" and "scb_<n>.jgd"
    std::span<const ButtonLayout> buttons{};
    bool clip_cursor = true;     // the cursor kept inside from the start
    bool centre_cursor = false;  // and put at the screen's middle
};

class PanelScreen : public plat::Window {
  public:
    ~PanelScreen() override;

    int32_t left = 0;  // the window's place (screen coordinates)
    int32_t top = 0;
    int32_t width = 0;  // the picture's size; the window is two pixels larger
    int32_t height = 0;
    WinGBitmap background;                          // the picture
    PaletteImage sheet;                             // button faces and marks
    std::vector<std::unique_ptr<BUTTONS>> buttons;  // in the order of the table

  protected:
    PanelScreen() = default;

    // Loads the picture and its sheet, then makes the window centred over
    // `view` (screen coordinates) as a child of `parent`, and its buttons.
    // False when the picture is missing or the window could not be made.
    bool OpenOver(plat::Window* parent, const plat::Rect& view, const PanelScreenShape& shape);

    // The cursor kept inside the window, or free again.
    void ClipCursorToWindow();
    static void FreeCursor();
    // Shows the first button pressed and sends its command to this window.
    void PressFirstButton();
    // Copies w x h of `from` at (src_x, src_y) to the window at (x, y).
    void Present(const WinGBitmap& from, int32_t x, int32_t y, int32_t w, int32_t h, int32_t src_x,
                 int32_t src_y);
    // The game's screen palette (the sheet's while none is loaded).
    const plat::PaletteHandle& ScreenPalette() const;
    // The picture folder's file "<name>".
    static std::string PictureFile(const std::string& name);

    // Paints the picture on WM_PAINT (OnPaint), answers Enter, and hands
    // everything else to the default handling.
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    // The whole picture; screens with figures draw them over it afterwards.
    virtual void OnPaint();
};
