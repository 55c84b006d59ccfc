#include "panel/list_box.h"

#include <algorithm>
#include <cstring>

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "gfx/palette_image.h"
#include "platform/gdi.h"
#include "platform/messages.h"
#include "state/game_state.h"

namespace {

constexpr int32_t kLargeLineHeight = 17;
constexpr uint8_t kDefaultColour = 10;
constexpr uint8_t kSelectedColour = 0;
constexpr int32_t kDefaultValue = 16;

bool InList(int32_t line, int32_t count) {
    return line >= 0 && line < count;
}

}  // namespace

LISTBOX::LISTBOX() {
    colours_.fill(kDefaultColour);
    values_.fill(kDefaultValue);
}

LISTBOX::~LISTBOX() {
    Clear();
}

bool LISTBOX::CreateList(const ListLayout& layout) {
    multi_select = (layout.style & kListMultiSelect) != 0 ? 1 : 0;
    highlight_y = layout.highlight_y;
    source_x = layout.source_x;
    source_y = layout.source_y;
    selectable = layout.selectable ? 1 : 0;
    per_line_marker = layout.per_line_marker ? 1 : 0;
    notify_message = layout.notify;
    text_right_aligned = layout.right_aligned ? 1 : 0;
    image_ = layout.image;
    background_ = layout.background;
    if (!Create(layout.parent, layout.rect, WS_CHILD | WS_VISIBLE, WS_EX_NOPARENTNOTIFY, {},
                layout.control_id)) {
        return false;
    }
    const plat::Rect client = GetClientRect();
    if (image_ == nullptr || !image_->Loaded()) return true;
    return bitmap_.Create(*image_, client.right, client.bottom);
}

bool LISTBOX::AppendText(const char* text) {
    if (line_count >= kListMaxLines) return false;
    const char* source = text != nullptr ? text : "";
    texts_.emplace_back(source, strnlen(source, kListTextBytes - 1));
    ++line_count;
    return true;
}

// A line keeps the value its slot had, even across Clear.
void LISTBOX::AddLine(const char* text) {
    AppendText(text);
}

void LISTBOX::AddLineWithValue(const char* text, int32_t value) {
    if (AppendText(text)) values_[line_count - 1] = value;
}

void LISTBOX::SetLineColour(int32_t line, uint8_t colour) {
    if (InList(line, kListMaxLines)) colours_[line] = colour;
}

std::string LISTBOX::GetLine(int32_t line) const {
    return InList(line, line_count) ? texts_[line] : std::string();
}

bool LISTBOX::IsLineSelected(int32_t line) const {
    return InList(line, kListMaxLines) && selected_[line] != 0;
}

void LISTBOX::SelectLine(int32_t line) {
    if (!InList(line, kListMaxLines)) return;
    selected_[line] = 1;
    last_clicked = line;
}

void LISTBOX::Clear() {
    for (int32_t line = line_count - 1; line >= 0; --line) {
        selected_[line] = 0;
        colours_[line] = kDefaultColour;
    }
    texts_.clear();
    line_count = 0;
    // A refilled list must take the first click on any line, so the last
    // clicked line goes too.
    last_clicked = -1;
}

void LISTBOX::Redraw(bool present) {
    if (!bitmap_.Loaded()) return;
    const int32_t width = bitmap_.width;
    const int32_t height = bitmap_.Rows();
    if (background_ != nullptr) {
        BlitDC(*bitmap_.dc, 0, 0, width, height, *background_, source_x, source_y);
    }
    const int32_t rows = line_height > 0 ? height / line_height : 0;
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t line = top_line + r;
        const int32_t row_y = r * line_height;
        if (selectable != 0 && IsLineSelected(line)) DrawSelectionBar(line, row_y);
        if (InList(line, line_count)) DrawLineText(line, row_y);
    }
    if (value_column != 0) {
        for (int32_t r = 0; r < rows; ++r) {
            const int32_t line = top_line + r;
            if (InList(line, line_count)) DrawLineIcons(line, r * line_height);
        }
    }
    if (present) Present();
}

void LISTBOX::DrawSelectionBar(int32_t line, int32_t row_y) {
    if (image_ == nullptr || !image_->dc) return;
    // BlitDC cuts both copies to the picture, so a marker column past its
    // right edge draws nothing.
    const int32_t marker_x = per_line_marker != 0 ? (line + 1) * text_indent : 0;
    BlitDC(*bitmap_.dc, 0, row_y, text_indent, line_height, *image_->dc, marker_x, highlight_y);
    BlitDC(*bitmap_.dc, text_indent, row_y, bitmap_.width - text_indent, line_height, *image_->dc,
           text_indent, highlight_y);
}

void LISTBOX::DrawLineText(int32_t line, int32_t row_y) {
    const GameImages& images = g_pGameState->images;
    const bool large = line_height == kLargeLineHeight;
    const AdvanceTable advances =
        large ? AdvanceTable(kFont1Advances) : AdvanceTable(kFont2Advances);
    const char* text = texts_[line].c_str();
    const bool selected = selectable != 0 && selected_[line] != 0;
    uint8_t colour = colours_[line];
    if (selected && (colour == kDefaultColour || text_right_aligned != 0)) colour = kSelectedColour;
    int32_t x = text_indent;
    if (text_right_aligned != 0)
        x = bitmap_.width - static_cast<int32_t>(GetTextWidth(text, advances));
    if (large) {
        bitmap_.DrawText(text, advances, x, row_y, images.main_font, 16, 16, colour);
    } else {
        bitmap_.DrawTextRaw(text, advances, x, row_y, images.small_font, kFont2Cell, kFont2Cell,
                            colour);
    }
}

void LISTBOX::DrawLineIcons(int32_t line, int32_t row_y) {
    std::array<uint8_t, kFont1Advances.size()> advances = kFont1Advances;
    advances[kIconAdvanceEntry] = static_cast<uint8_t>(std::clamp(values_[line], 0, 255));
    const char* text = texts_[line].c_str();
    int32_t x = text_indent;
    if (value_column_right != 0) {
        int32_t icons = 0;
        for (const char* p = text; *p != '\0'; ++p) {
            if (static_cast<uint8_t>(*p) > kLastTextChar) ++icons;
        }
        if (icons == 0) return;
        x = bitmap_.width - ((icons - 1) * advances[kIconAdvanceEntry] + 16);
    }
    bitmap_.DrawIcons(text, advances, x, row_y, g_pGameState->images.main_font);
}

void LISTBOX::Present() {
    plat::DcHandle dc = plat::GetWindowDC(*this);
    if (!dc || image_ == nullptr) return;
    SelectPictureOutputPalette(*dc, bitmap_.dc.get(), image_->palette);
    BlitDC(*dc, 0, 0, bitmap_.width, bitmap_.Rows(), *bitmap_.dc, 0, 0);
    RestoreDefaultPalette(*dc);
}

void LISTBOX::OnLButtonDown(int32_t y) {
    if (selectable == 0 || line_height <= 0 || y < 0) return;
    const int32_t line = top_line + y / line_height;
    if (!InList(line, line_count)) return;
    if (multi_select != 0) {
        selected_[line] = selected_[line] != 0 ? 0 : 1;
    } else if (line != last_clicked) {
        selected_[line] = selected_[line] != 0 ? 0 : 1;
        if (InList(last_clicked, kListMaxLines)) selected_[last_clicked] = 0;
    }
    last_clicked = line;
    if (notify_message != 0) plat::SendMessage(GetParent(), notify_message, 0, 0);
}

plat::LResult LISTBOX::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT: {
            BeginPaint();
            plat::DcHandle dc = plat::GetWindowDC(*this);
            if (dc && image_ != nullptr) {
                SelectPictureOutputPalette(*dc, bitmap_.dc.get(), image_->palette);
            }
            EndPaint();
            return 0;
        }
        case WM_LBUTTONDOWN:
            OnLButtonDown(plat::YFromLParam(lParam));
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}
