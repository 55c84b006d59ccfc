#pragma once
// EconomyScreen: what the full screens of buildings, statistics and vehicles
// share. A 640 x 480 page (a "scr_" picture) in the middle of the screen, the
// rest tiled with "tile.jgd"; image buttons from a "scb_" sheet whose palette
// is the screen's; a composition bitmap (`canvas`) that the screen draws its
// figures into before they are copied to the window; text in font 1; Enter
// presses the OK button; OK and cancel blacken the screen, give the world
// view its palettes back and report to the frame.
//
//   bool FS_X::Open(plat::Window* parent) {
//       if (!LoadPage("scr_13.jgd", "scb_13.jgd")) return false;
//       return CreatePage(parent, kButtons, kCmdClose);
//   }
//   void FS_X::OnPaint(plat::DeviceContext& dc) { ShowCanvas(dc); }
//   ... Close(0);   // the done message to the frame, lParam 0

#include <cstdint>
#include <span>
#include <string>

#include "gfx/wing_bitmap.h"
#include "panel/amount_text.h"
#include "screens/full_screen.h"

class LISTBOX;
struct ListLayout;

class EconomyScreen : public FullScreen {
  public:
    ~EconomyScreen() override;

    WinGBitmap background;  // the page as loaded
    WinGBitmap canvas;      // the page with the screen's figures

  protected:
    explicit EconomyScreen(uint32_t done_message) : FullScreen(done_message) {}

    // Loads the page and the sheet from the base data folder and makes the
    // canvas (a copy of the page in the sheet's colours). False when the
    // page or the sheet is missing.
    bool LoadPage(const std::string& page, const std::string& sheet_name);
    // Creates the window over the whole game area with the buttons of the
    // table; `ok_command` is what Enter sends. With `tile_now` the margin is
    // tiled at once (screens that do not repaint it on every paint).
    bool CreatePage(plat::Window* parent, std::span<const ButtonLayout> table, uint16_t ok_command,
                    bool tile_now);

    // What the screen draws on WM_PAINT; the default shows the canvas.
    virtual void OnPaint(plat::DeviceContext& dc);
    // A command of a button or of Enter; false when not the screen's.
    virtual bool OnCommand(uint16_t /*command*/) { return false; }
    // Enter: the OK button shown pressed and its command sent.
    virtual void OnEnter() {
        if (ok_command_ != 0) PressButton(ok_command_);
    }
    // Other messages of the screen (list notices, clicks); false = not handled.
    virtual bool OnScreenMessage(uint32_t /*message*/, plat::WParam /*wParam*/,
                                 plat::LParam /*lParam*/) {
        return false;
    }

    // Covers the screen beside the page with the tile picture.
    void TileMargin(plat::DeviceContext& dc);
    // The canvas restored from the page.
    void RestoreCanvas();
    // Copies a rectangle of the canvas (page coordinates) to the window.
    void ShowCanvas(plat::DeviceContext& dc, const plat::Rect& area);
    void ShowCanvas(const plat::Rect& area);
    void ShowCanvas(plat::DeviceContext& dc);
    // Text in font 1 into the canvas, left-aligned at x or right-aligned to x.
    void Text(const std::string& text, int32_t x, int32_t y, uint8_t colour = 10);
    void TextRight(const std::string& text, int32_t right, int32_t y, uint8_t colour = 10);
    // A list over the page; its background piece is the page's.
    LISTBOX* MakeList(const plat::Rect& rect, uint32_t id, bool clickable, uint32_t notify);
    // Blackens the screen, gives the world view its palettes back and sends
    // the frame the done message with `result` as lParam.
    void Close(plat::LParam result);
    // Enter: the button of `command` shown pressed, then the command sent.
    void PressButton(uint16_t command);
    // An overview hands one of its buildings to the production or sales
    // screen: the building is kept for that screen, the overview waits
    // hidden, and the frame is asked with `open_message`.
    void OpenForBuilding(int32_t building, uint32_t open_message);

    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    uint16_t ok_command_ = 0;
};

// The view's selected field becomes (x, y), leaving the overview zoom, so
// that the frame centres the view there when an overview closes with 1.
void SelectFieldInView(int32_t x, int32_t y);

// Amounts with comma-separated thousands groups ("1,130,000", "-1,234"); the
// screens print at most three groups unless they say otherwise.
inline std::string Amount(int64_t value, AmountGroups groups = AmountGroups::UpToMillions) {
    return FormatAmount(value, groups);
}
