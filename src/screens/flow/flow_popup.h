#pragma once
// FlowPopup: what the popups of the game flow over the map share (level
// selection, briefings, loading and saving, city growth). A bordered,
// top-most window of its picture's size (plus the border) owned by the
// control panel and centred over the world view, with its picture, a sheet
// of button faces (whose palette the popup shows) and image buttons. It
// confines the cursor while open and answers the panel with its pair's
// result message.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gfx/buttons.h"
#include "gfx/palette_image.h"
#include "gfx/wing_bitmap.h"
#include "platform/window.h"
#include "screens/flow/flow_screen_layout.h"

class HAUPTDIALOG;
class LISTBOX;
struct ListLayout;

// A button of a flow popup's row at y 311: 108 x 40, its faces at
// (face_x, 0) and, pressed, (face_x, 40) of the sheet.
constexpr ButtonLayout PopupButton(int32_t x, uint16_t command, int32_t face_x) {
    return {.x = x,
            .y = 311,
            .command = command,
            .width = flow_screens::kButtonWidth,
            .height = flow_screens::kButtonHeight,
            .normal = {face_x, 0},
            .pressed = {face_x, flow_screens::kPressedFaceY}};
}

class FlowPopup : public plat::Window {
  public:
    ~FlowPopup() override;

    WinGBitmap background;
    PaletteImage sheet;
    std::vector<std::unique_ptr<BUTTONS>> buttons;  // in the order of the table

  protected:
    explicit FlowPopup(uint32_t result_message) : result_message_(result_message) {}

    // Loads the picture and the sheet from the base data folder. False (with
    // the loader's message shown) when one is missing.
    bool LoadPictures(const char* picture, const char* sheet_name);
    // Makes the window over the view rectangle `view` as a child of `owner`
    // (the panel), with the buttons of the table. `visible` false makes it
    // hidden. False when it could not be made.
    bool CreatePopup(plat::Window* owner, const plat::Rect& view,
                     std::span<const ButtonLayout> layouts, bool visible = true);
    // The world view's window rectangle, over which a popup centres itself;
    // `fallback` while there is no view.
    static plat::Rect WorldViewRect(const plat::Rect& fallback);
    // The cursor kept inside the window, or free again.
    void ConfineCursor();
    static void FreeCursor();
    // The cursor kept inside the window and put at its centre.
    void CentreCursor();
    // The picture copied to the window's client area at (0, 0).
    void PaintBackground(plat::DeviceContext& dc);
    // WM_PAINT of a popup with one list: the picture, then the list (when
    // there is one) drawn again.
    void PaintWithList(LISTBOX* list);
    // A list over the picture's piece `rect` (client coordinates) whose rows
    // the player picks: a click sends the popup `notify`, the chosen row
    // shows the sheet's bar at `highlight_y`. `list` is set before the window
    // is made, so that the popup deletes it either way. False when it could
    // not be made.
    bool MakeList(LISTBOX*& list, const plat::Rect& rect, uint32_t id, uint32_t notify,
                  int32_t highlight_y);
    // The same for lines of text that cannot be picked.
    bool MakeTextList(LISTBOX*& list, const plat::Rect& rect, uint32_t id);
    // The Enter key (`key`): button 0 shown pressed, then `command` sent;
    // other keys do nothing.
    void EnterPresses(plat::WParam key, uint16_t command);
    // The cursor freed, then the answer to the panel.
    void FreeAndAnswer(plat::LParam answer);
    // The keys and commands of a popup with OK (kCmdDialogOk) and cancel
    // (kCmdDialogCancel): Enter presses OK, OK runs OnDialogOk and cancel
    // OnDialogCancel. True for every key and command (they are the popup's),
    // false for other messages.
    bool OnDialogMessage(uint32_t message, plat::WParam wParam);
    virtual void OnDialogOk() {}
    // Cancel: the cursor freed and answer 1.
    virtual void OnDialogCancel() { FreeAndAnswer(1); }
    // The answer to the panel (the pair's result message).
    void SendResult(plat::LParam answer);
    // Button `index` shown pressed (the Enter key) before its command.
    void PressButton(size_t index);
    plat::Window* Owner() const { return owner_; }

  private:
    bool MakeListOver(LISTBOX*& list, const ListLayout& layout);
    uint32_t result_message_;
    plat::Window* owner_ = nullptr;
};

// The base data folder's file `name`.
std::string BaseDataFile(const char* name);
