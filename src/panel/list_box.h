#pragma once
// LISTBOX: the scrolling text list of the find, file, purchase, overview and
// schedule screens. A child window that draws everything itself: each visible
// line goes into the list's own bitmap over a piece of the owning screen's
// background, in the game's bitmap fonts, with the selection bar cut from the
// screen's picture. It holds up to 1024 lines, each with a colour, a
// selection flag and a value, and tells its parent about clicks.
//
//   auto* list = new LISTBOX;
//   list->CreateList({.rect = {40, 100, 340, 270}, .parent = this,
//                     .background = background.dc.get(), .image = &picture,
//                     .source_x = 40, .source_y = 100, .notify = kMsgLineClicked});
//   list->AddLine("Northfield station");
//   list->Redraw(true);
//
// The owner scrolls it (SetTopLine, then Redraw) and redraws it after a
// click; the list never redraws itself.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/wing_bitmap.h"
#include "platform/geometry.h"
#include "platform/window.h"

struct PaletteImage;

inline constexpr uint32_t kListMultiSelect = 8;  // style flag: clicks toggle lines one by one
inline constexpr int32_t kListMaxLines = 1024;
inline constexpr int32_t kListTextBytes = 100;  // a line keeps at most 99 bytes of text

// Where the list stands and what it draws over.
struct ListLayout {
    uint32_t style = 0;  // kListMultiSelect or 0
    plat::Rect rect{};   // in the parent's client coordinates
    plat::Window* parent = nullptr;
    uint32_t control_id = 0;
    // The screen background the list is drawn over, and the screen's picture
    // (its palette and the selection-bar strip at `highlight_y`).
    plat::DeviceContext* background = nullptr;
    const PaletteImage* image = nullptr;
    int32_t source_x = 0;  // top-left of the background piece the list covers
    int32_t source_y = 0;
    bool selectable = true;
    bool per_line_marker = false;  // the bar's left marker differs per line
    uint32_t notify = 0;           // sent to the parent after a click; 0 = none
    bool right_aligned = false;
    int32_t highlight_y = 88;
};

class LISTBOX : public plat::Window {
  public:
    LISTBOX();
    ~LISTBOX() override;

    // Makes the visible child window and its bitmap of the rectangle's size
    // with the picture's colours. False when either could not be made.
    bool CreateList(const ListLayout& layout);

    // Adds a line (cut to 99 bytes); a line past the 1024th is not added.
    void AddLine(const char* text);
    void AddLineWithValue(const char* text, int32_t value);
    void SetLineColour(int32_t line, uint8_t colour);
    void SetTopLine(int32_t line) { top_line = line; }
    // The line's text; empty for a line outside the list.
    std::string GetLine(int32_t line) const;
    bool IsLineSelected(int32_t line) const;
    // Selects the line and makes it the last clicked one, so that a first
    // click on it keeps it selected.
    void SelectLine(int32_t line);
    // Empties the list: every line unselected with colour 10, no last clicked
    // line. The values and the top line stay.
    void Clear();
    // Draws the visible lines into the list's bitmap; `present` also shows it.
    void Redraw(bool present);

    int32_t LineCount() const { return line_count; }
    const WinGBitmap& Bitmap() const { return bitmap_; }

    int32_t highlight_y = 88;
    int32_t line_height = 17;  // 17: the large font; anything else the small one
    int32_t text_indent = 12;  // also the width of the bar's left marker
    int32_t value_column = 0;  // 1: icon characters drawn spaced by the line's value
    int32_t value_column_right = 0;
    int32_t text_right_aligned = 0;
    int32_t last_clicked = -1;
    int32_t top_line = 0;
    int32_t line_count = 0;
    uint32_t notify_message = 0;
    int32_t selectable = 1;
    int32_t per_line_marker = 0;
    int32_t multi_select = 0;
    int32_t source_x = 0;
    int32_t source_y = 0;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    bool AppendText(const char* text);
    void OnLButtonDown(int32_t y);
    void DrawSelectionBar(int32_t line, int32_t row_y);
    void DrawLineText(int32_t line, int32_t row_y);
    void DrawLineIcons(int32_t line, int32_t row_y);
    void Present();

    std::array<uint8_t, kListMaxLines> colours_;
    std::array<int32_t, kListMaxLines> selected_{};
    std::array<int32_t, kListMaxLines> values_;
    std::vector<std::string> texts_;
    const PaletteImage* image_ = nullptr;
    plat::DeviceContext* background_ = nullptr;
    WinGBitmap bitmap_;
};
