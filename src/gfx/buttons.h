#pragma once
// BUTTONS: the game's only push-button. A child window that shows one of two
// rectangles of a button sheet (normal and pressed) and posts WM_COMMAND with
// its command id to its parent when it is used.
//
//   auto* ok = new BUTTONS;
//   ok->CreateFromImage({.x = 44, .y = 311, .command = 40186, .width = 108, .height = 40,
//                        .normal = {140, 0}, .pressed = {140, 40}},
//                       this, sheet);
//   ...
//   ok->state = 1; ok->Redraw();   // show it pressed (Enter) without firing
//   delete ok;                     // the owning screen deletes its buttons
//
// Mode 0 (default) fires once per click released over the button; mode 1
// fires at once when pressed (or when dragged onto with the left button
// down) and not again at the release.

#include <cstdint>

#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/window.h"

struct PaletteImage;
struct WinGBitmap;

// Where a button stands in its parent and which rectangles of its sheet it
// shows: the faces are `width` x `height` at `normal` and `pressed`.
struct ButtonLayout {
    int32_t x = 0;
    int32_t y = 0;
    uint32_t command = 0;  // posted to the parent with WM_COMMAND
    int32_t width = 0;
    int32_t height = 0;
    plat::Point normal{};
    plat::Point pressed{};
};

class BUTTONS : public plat::Window {
  public:
    BUTTONS();
    ~BUTTONS() override;

    // Creates the button as `layout` places it in `parent`, its faces cut
    // from `sheet` and shown with `palette`. The sheet must outlive the button.
    bool Create(const ButtonLayout& layout, plat::Window* parent, const WinGBitmap& sheet,
                plat::PaletteHandle palette);
    // The same with a picture as the sheet, shown with the picture's palette.
    bool CreateFromImage(const ButtonLayout& layout, plat::Window* parent,
                         const PaletteImage& sheet);

    // Draws the normal image when `state` is 0, else the pressed one.
    void Redraw();
    virtual void Refresh();

    // 0 normal; 1 shown pressed (or already fired in this press); 2 shown
    // pressed, set only by owners, cleared by the next press or drag over it.
    int32_t state = 0;
    int32_t mode = 0;
    uint32_t command_id = 0;
    plat::DeviceContext* sheet_dc = nullptr;
    plat::PaletteHandle sheet_palette;
    int32_t normal_x = 0, normal_y = 0;
    int32_t button_width = 0, button_height = 0;
    int32_t pressed_x = 0, pressed_y = 0;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    uint32_t ClassStyle() const override;

  private:
    // Stores the fields of both Create forms and makes the window.
    bool CreateOnSheet(const ButtonLayout& layout, plat::Window* parent, plat::DeviceContext* dc,
                       plat::PaletteHandle palette);
    bool CreateWindowAt(int32_t x, int32_t y, plat::Window* parent);
    void DrawImage(bool pressed);
    bool Inside(plat::LParam lParam) const;
    void Fire();
    void OnLButtonDown();
    void OnMouseMove(plat::WParam keys, plat::LParam lParam);
    void OnLButtonUp(plat::LParam lParam);
};
