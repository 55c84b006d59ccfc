#include "screens/panel/popup_list.h"

#include <cstdio>
#include <string>

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "state/game_state.h"

PopupChooser* g_pScheduleScreen = nullptr;

namespace {

constexpr uint8_t kTextColour = 10;
constexpr uint8_t kSelectedTextColour = 0;
constexpr int32_t kGridColumns = 3;
constexpr int32_t kFreeCursorPicture = 1;

std::string BaseFile(const std::string& name) {
    return std::string(g_pGameState->DataPath(kPathBase)) + "\\" + name;
}

}  // namespace

FS_POPUP_LIST::FS_POPUP_LIST() {
    Reset();
}

FS_POPUP_LIST::~FS_POPUP_LIST() {
    plat::ClipCursor(nullptr);
    DestroyWindow();
}

bool FS_POPUP_LIST::Create(plat::Window* parent, int32_t picture,
                           const plat::PaletteHandle& palette) {
    picture_number = picture;
    palette_ = palette;
    const std::string name = "scp_" + std::to_string(picture) + ".jgd";
    background.LoadJgd(BaseFile(name));
    work.LoadJgd(BaseFile(name));
    items.LoadJgd(BaseFile("ps.jgd"));
    const int32_t width = background.Loaded() ? background.width : kPopupWidth;
    const int32_t height = background.Loaded() ? background.Rows() : kPopupHeight;
    return plat::Window::Create(parent, {0, 0, width, height}, WS_CHILD);
}

void FS_POPUP_LIST::Reset() {
    for (int32_t g = 0; g < kPopupMaxGroups; ++g) {
        ids_per_group[g] = 0;
        for (int32_t& id : ids[g]) id = -1;
    }
    // The group count starts again too: kept, a popup refilled after a
    // Reset would count its groups on top of the old ones and show another
    // empty group row each time.
    group_count = 0;
    selected_group = 0;
    choice = kPopupNoChoice;
}

bool FS_POPUP_LIST::AddItem(int32_t group, const char* text) {
    if (group < 0 || group >= kPopupMaxGroups || group_count >= kPopupMaxGroups) return false;
    std::snprintf(group_names[group], sizeof group_names[group], "%s", text);
    ++group_count;
    return true;
}

bool FS_POPUP_LIST::AddToGroup(int32_t group, int32_t id) {
    // Only a named group takes ids: a group without a row in the column can
    // never be selected, so its items would be listed but never offered.
    if (group < 0 || group >= group_count || ids_per_group[group] >= kPopupMaxIds) return false;
    ids[group][ids_per_group[group]++] = id;
    return true;
}

void FS_POPUP_LIST::SelectById(int32_t id) {
    for (int32_t g = 0; g < group_count; ++g) {
        for (int32_t i = 0; i < ids_per_group[g]; ++i) {
            if (ids[g][i] == id) selected_group = g;
        }
    }
    if (!IsWindowVisible()) return;
    DrawColumn();
    DrawGrid();
}

plat::Rect FS_POPUP_LIST::GroupColumn() const {
    return {kPopupColumnLeft, kPopupColumnTop, kPopupColumnLeft + kPopupColumnWidth,
            kPopupColumnTop + kPopupRowHeight * group_count};
}

void FS_POPUP_LIST::ShowCentred() {
    choice = kPopupNoChoice;
    if (plat::Window* parent = GetParent(); parent != nullptr) {
        const plat::Rect area = parent->GetClientRect();
        const plat::Rect own = GetClientRect();
        const int32_t x = (area.Width() - own.Width()) / 2;
        const int32_t y = (area.Height() - own.Height()) / 2;
        MoveWindow({x, y, x + own.Width(), y + own.Height()}, false);
    }
    ShowWindow(SW_SHOW);
    BringWindowToTop();
    Invalidate();
    UpdateWindow();
}

void FS_POPUP_LIST::Hide() {
    plat::ClipCursor(nullptr);
    ShowWindow(SW_HIDE);
}

plat::LResult FS_POPUP_LIST::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            OnClick({plat::XFromLParam(lParam), plat::YFromLParam(lParam)},
                    message == WM_LBUTTONDOWN ? 0 : 1);
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}

void FS_POPUP_LIST::OnPaint() {
    BeginPaint();
    EndPaint();
    if (picture_number != kFreeCursorPicture) {
        const plat::Rect rect = GetWindowRect();
        plat::ClipCursor(&rect);
    }
    if (work.Loaded() && background.Loaded()) {
        plat::BitBlt(*work.dc, 0, 0, work.width, work.Rows(), background.dc.get(), 0, 0,
                     plat::RasterOp::SrcCopy);
        Present(0, 0, work.width, work.Rows());
    }
    DrawColumn();
    DrawGrid();
}

void FS_POPUP_LIST::Present(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!work.Loaded() || !IsWindow()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    SelectPictureOutputPalette(*dc, work.dc.get(), palette_);
    BlitDC(*dc, x, y, w, h, *work.dc, x, y);
    RestoreDefaultPalette(*dc);
}

void FS_POPUP_LIST::DrawColumn() {
    if (!work.Loaded() || !background.Loaded()) return;
    const plat::Rect column = GroupColumn();
    plat::BitBlt(*work.dc, column.left, column.top, column.Width(), column.Height(),
                 background.dc.get(), column.left, column.top, plat::RasterOp::SrcCopy);
    const PaletteImage& font = g_pGameState->images.main_font;
    for (int32_t g = 0; g < group_count; ++g) {
        const int32_t y = kPopupColumnTop + kPopupRowHeight * g;
        uint8_t colour = kTextColour;
        if (g == selected_group) {
            work.FillRect(kPopupColumnLeft, y, kPopupColumnWidth, kPopupRowHeight, kTextColour);
            colour = kSelectedTextColour;
        }
        work.DrawText(group_names[g], kFont1Advances, kPopupColumnLeft + kPopupNameIndent, y, font,
                      16, 16, colour);
    }
    Present(column.left, column.top, column.Width(), column.Height());
}

void FS_POPUP_LIST::DrawGrid() {
    if (!work.Loaded() || !background.Loaded()) return;
    const plat::Rect grid = kPopupGridRect;
    plat::BitBlt(*work.dc, grid.left, grid.top, grid.Width(), grid.Height(), background.dc.get(),
                 grid.left, grid.top, plat::RasterOp::SrcCopy);
    for (int32_t cell = 0; cell < kPopupMaxIds; ++cell) {
        const int32_t id = ids[selected_group][cell];
        if (id < 0 || !items.Loaded()) continue;
        const int32_t x = grid.left + kPopupItemWidth * (cell % kGridColumns);
        const int32_t y = grid.top + kPopupItemHeight * (cell / kGridColumns);
        BlitDC(*work.dc, x, y, kPopupItemWidth, kPopupItemHeight, *items.dc, kPopupItemWidth * id,
               0);
    }
    Present(grid.left, grid.top, grid.Width(), grid.Height());
}

void FS_POPUP_LIST::OnClick(plat::Point p, int32_t button) {
    if (button == 1 && g_pScheduleScreen == nullptr) return;
    if (GroupColumn().Contains(p)) {
        selected_group = (p.y - kPopupColumnTop) / kPopupRowHeight;
        DrawColumn();
        DrawGrid();
        return;
    }
    if (kPopupGridRect.Contains(p)) {
        const int32_t column = (p.x - kPopupGridRect.left) / kPopupItemWidth;
        const int32_t row = (p.y - kPopupGridRect.top) / kPopupItemHeight;
        const int32_t id = ids[selected_group][row * kGridColumns + column];
        if (id != -1) Choose(id, button);
        return;
    }
    if (kPopupCloseRect.Contains(p) && closable == 1) Choose(kPopupClosed, button);
}

void FS_POPUP_LIST::Choose(int32_t value, int32_t button) {
    plat::ClipCursor(nullptr);
    if (g_pScheduleScreen != nullptr) g_pScheduleScreen->chosen_button = button;
    choice = value;
    plat::PostMessage(GetParent(), kMsgPopupChosen, 0, 0);
}
