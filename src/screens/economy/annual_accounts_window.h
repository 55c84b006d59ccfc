#pragma once
// The annual accounts: a small bordered window over the world view with the
// player's accounts of last year beside this year and the current credit,
// with buttons that take up or pay back credit in steps of 50,000. The
// control panel opens it on WM_USER+0x35 (its year-summary heading, or the
// game tick at a new year before 1965); OK sends the panel WM_USER+0x36,
// which deletes it. While it is shown the cursor stays inside it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/buttons.h"
#include "gfx/palette_image.h"
#include "gfx/wing_bitmap.h"
#include "panel/control_panel.h"
#include "panel/popup_protocol.h"
#include "platform/window.h"

// The texts of the table: last year's and this year's cell of each row
// (the years first), and the credit line.
struct AccountsTable {
    std::array<std::array<std::string, 2>, 11> cells;
    std::string credit;
};
AccountsTable MakeAccountsTable();

// What the credit buttons do to the player's credit and cash; false when
// nothing changes.
bool TakeUpCredit();
bool PayBackCredit();

class YearSummaryWindow : public plat::Window, public FS_YEAR_SUMMARY {
  public:
    ~YearSummaryWindow() override;

    // Loads the pictures and makes the window over the world view; false
    // when a picture is missing or there is no view.
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);
    // Writes the table into the window (only after a paint since it was
    // last shown).
    void Draw() override;

    int32_t window_x = 0;
    int32_t window_y = 0;
    int32_t painted = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<std::unique_ptr<BUTTONS>> buttons;
    WinGBitmap background;
    PaletteImage sheet;
    WinGBitmap canvas;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnShown();
    void OnPaint();
    void OnOk();
    void ResumeMusic();

    HAUPTDIALOG* panel_ = nullptr;
};
