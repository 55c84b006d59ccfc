#pragma once
// FS_POPUP_LIST: the small picker that a screen opens over itself to choose
// one item (a product, a goods kind) from pictures grouped under headings: a
// column of group names on the left, a 3 x 3 grid of the selected group's
// item pictures on the right, and a close box.
//
//   popup.Create(this, 2, sheet.palette);    // "scp_2.jgd", hidden
//   popup.AddItem(0, "Toys");
//   popup.AddToGroup(0, 8);
//   popup.ShowCentred();                      // choice back to -2
//   ... WM_USER+0x23 arrives: read popup.choice, popup.Hide()
//
// A left click on an item (or on the close box while `closable` is 1) frees
// the cursor, stores the choice (the id, -1 for the close box), tells the open
// schedule screen which button chose (0 left, 1 right) and posts the parent
// WM_USER+0x23. A right click does nothing while no schedule screen is open.
// Hit rectangles are half-open: their right and bottom edges hit nothing.

#include <cstdint>

#include "gfx/wing_bitmap.h"
#include "platform/geometry.h"
#include "platform/palette.h"
#include "platform/window.h"
#include "state/messages.h"

// The schedule screen as the popup sees it: which mouse button chose.
struct PopupChooser {
    int32_t chosen_button = 0;  // 0 left, 1 right
};
// The open schedule screen, null while there is none.
extern PopupChooser* g_pScheduleScreen;

inline constexpr int32_t kPopupMaxGroups = 7;
inline constexpr int32_t kPopupMaxIds = 9;
inline constexpr int32_t kPopupNoChoice = -2;
inline constexpr int32_t kPopupClosed = -1;
// Picture and item strip geometry.
inline constexpr int32_t kPopupWidth = 304;
inline constexpr int32_t kPopupHeight = 350;
inline constexpr int32_t kPopupItemWidth = 64;
inline constexpr int32_t kPopupItemHeight = 90;
inline constexpr plat::Rect kPopupGridRect{108, 42, 300, 312};
inline constexpr plat::Rect kPopupCloseRect{36, 42, 100, 108};
inline constexpr int32_t kPopupColumnLeft = 8;
inline constexpr int32_t kPopupColumnTop = 133;
inline constexpr int32_t kPopupColumnWidth = 96;
inline constexpr int32_t kPopupRowHeight = 17;
// Group names stand this far right of the column's left edge.
inline constexpr int32_t kPopupNameIndent = 4;

class FS_POPUP_LIST : public plat::Window {
  public:
    FS_POPUP_LIST();
    ~FS_POPUP_LIST() override;

    // Loads "scp_<picture>.jgd" and "ps.jgd" from the base data folder and
    // makes the hidden child window of `parent` at (0, 0), as large as the
    // picture. Drawn with `palette`. False when the window was not made.
    bool Create(plat::Window* parent, int32_t picture, const plat::PaletteHandle& palette);
    // No groups, no ids, group 0 selected, choice -2.
    void Reset();
    // Names group `group` and counts it; false past the seventh group.
    bool AddItem(int32_t group, const char* text);
    // Appends an id to a group; false past the ninth id or for a group not
    // yet named.
    bool AddToGroup(int32_t group, int32_t id);
    // Selects the (last) group holding the id and redraws.
    void SelectById(int32_t id);
    // Shown again in the middle of the parent, its choice reset to -2.
    void ShowCentred();
    void Hide();
    // The column rectangle for the groups counted so far.
    plat::Rect GroupColumn() const;

    int32_t selected_group = 0;
    int32_t choice = kPopupNoChoice;
    int32_t ids_per_group[kPopupMaxGroups] = {};
    int32_t group_count = 0;
    int32_t picture_number = 0;  // 1: the cursor stays free
    int32_t closable = 1;        // 1: the close box chooses -1
    char group_names[kPopupMaxGroups][50] = {};
    int32_t ids[kPopupMaxGroups][kPopupMaxIds] = {};
    WinGBitmap work;        // the composed picture
    WinGBitmap background;  // the clean picture
    WinGBitmap items;       // "ps.jgd": item i at x 64 i

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnPaint();
    void OnClick(plat::Point p, int32_t button);
    void Choose(int32_t value, int32_t button);
    void DrawColumn();
    void DrawGrid();
    void Present(int32_t x, int32_t y, int32_t w, int32_t h);

    plat::PaletteHandle palette_;
};
