#pragma once
// A full screen of printed options in the style of the new-game set-up: a
// 640 x 480 picture in the middle of the screen whose option rectangles are
// clicked, a small marker on the chosen rows of each group, and two image
// buttons, OK (kCmdOk, also the Enter key) and back (kCmdBack unless the
// screen names another). Both fill
// the screen black and report to the parent with the screen's done message,
// lParam 0 for OK and 1 for back; OK first lets the screen take its choices.
// The editor's new-world and editor-start screens are made of it.

#include <cstdint>
#include <vector>

#include "gfx/wing_bitmap.h"
#include "screens/full_screen.h"
#include "screens/world/world_screen_layout.h"
#include "state/messages.h"

// How a group shows its choice: a marker on the chosen row only, markers on
// the chosen row and every row below it, or (a group of one row) a switch
// whose marker shows when its choice is 1; a click on a switch flips it.
enum class ChoiceDisplay { Single, Bar, Switch };

// Where the sheet holds the marker and the faces of OK and back (normal at
// y 0, pressed 40 below), and the command of the back button (the screen's
// cancel command).
struct ChoiceSheet {
    int32_t marker_x = world_screens::kMarkerX;
    int32_t ok_face_x = world_screens::kOkFaceX;
    int32_t back_face_x = world_screens::kBackFaceX;
    uint16_t back_command = kCmdBack;
};

struct ChoiceGroup {
    int32_t left = 0;                   // column of the rectangles in the 640 x 480 area
    const int32_t* row_tops = nullptr;  // top of each row's rectangle
    int32_t rows = 0;
    ChoiceDisplay display = ChoiceDisplay::Single;
    // The height of the marker strip restored from the clean picture; 0:
    // from the first row's top to the last row's bottom.
    int32_t strip_height = 0;
};

class ChoiceScreen : public FullScreen {
  public:
    ~ChoiceScreen() override;

    // Loads the picture and its sheet from the group-0 data folder, centres
    // the picture and creates the screen as a top-most child of `parent`
    // over the whole screen. False when the window could not be made.
    bool Open(plat::Window* parent);

    std::vector<ChoiceGroup> groups;
    std::vector<int32_t> choices;  // one per group
    WinGBitmap background;         // the picture with the markers
    WinGBitmap clean_background;   // the untouched picture
    // The sheet holds the marker and the button faces; buttons[0] is OK,
    // buttons[1] back.

  protected:
    ChoiceScreen(const char* picture_file, const char* sheet_file, uint32_t done_message,
                 const ChoiceSheet& layout = {});

    // OK: copies the choices into the game state.
    virtual void TakeChoices() = 0;
    // A choice changed by a click.
    virtual void OnChoiceChanged(int32_t /*group*/) {}

    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    // Restores the group's marker strip from the clean picture and draws its
    // markers; with `show` the strip is copied to the screen.
    void RedrawGroup(size_t group, bool show);

  private:
    void OnPaint();
    void OnLButtonDown(int32_t x, int32_t y);
    bool MarkerShown(size_t group, int32_t row) const;

    const char* picture_name_;
    const char* sheet_name_;
    ChoiceSheet layout_;
    ButtonLayout button_layouts_[2];
};
