#include "world/choice_screen.h"

#include <string>

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "state/game_state.h"
#include "world/world_screen_layout.h"

namespace ws = world_screens;

namespace {

constexpr uint8_t kEnter = 13;

std::string BaseFile(const char* name) {
    return std::string(g_pGameState->DataPath(kPathBase)) + "\\" + name;
}

}  // namespace

ChoiceScreen::ChoiceScreen(const char* picture, const char* sheet, uint32_t done_message)
    : picture_name_(picture), sheet_name_(sheet), done_message_(done_message) {}

ChoiceScreen::~ChoiceScreen() {
    delete ok_button;
    delete back_button;
    background.Free();
    clean_background.Free();
    button_pictures.Free();
}

bool ChoiceScreen::Open(plat::Window* parent) {
    CGameState& gs = *g_pGameState;
    background.LoadJgd(BaseFile(picture_name_));
    button_pictures.Load(BaseFile(sheet_name_), nullptr, 1);
    if (background.Loaded() &&
        clean_background.Create(button_pictures, ws::kAreaWidth, ws::kAreaHeight)) {
        plat::BitBlt(*clean_background.dc, 0, 0, ws::kAreaWidth, ws::kAreaHeight,
                     background.dc.get(), 0, 0, plat::RasterOp::SrcCopy);
    }
    if (gs.screen_width > ws::kAreaWidth) {
        origin_x = (gs.screen_width - ws::kAreaWidth) / 2;
        origin_y = (gs.screen_height - ws::kAreaHeight) / 2;
    }
    if (!Create(parent, {0, 0, gs.screen_width, gs.screen_height}, WS_CHILD | WS_VISIBLE,
                WS_EX_TOPMOST)) {
        return false;
    }
    if (gs.screen_width > ws::kAreaWidth && gs.images.tile.Loaded()) {
        plat::DcHandle dc = plat::GetWindowDC(*this);
        BlitDCInBlocks(*dc, 0, 0, gs.screen_width, gs.screen_height, *gs.images.tile.dc);
    }
    plat::ClipCursor(nullptr);
    return true;
}

plat::LResult ChoiceScreen::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(plat::XFromLParam(lParam), plat::YFromLParam(lParam));
            return 0;
        case WM_CHAR:
            if (wParam != kEnter) break;  // other characters are not ours
            if (ok_button != nullptr) {
                ok_button->state = 1;
                ok_button->Redraw();
            }
            SendMessage(WM_COMMAND, kCmdChoiceOk, 0);
            return 0;
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdChoiceOk) {
                TakeChoices();
                Finish(0);
                return 0;
            }
            if (plat::LoWord(wParam) == kCmdChoiceBack) {
                Finish(1);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefaultMessage(message, wParam, lParam);
}

int32_t ChoiceScreen::OnCreate() {
    ok_button = new BUTTONS;
    ok_button->CreateFromImage(0, origin_x + ws::kOkButtonX, origin_y + ws::kButtonsY, this,
                               kCmdChoiceOk, ws::kButtonWidth, ws::kButtonHeight, ws::kOkFaceX, 0,
                               ws::kOkFaceX, ws::kPressedFaceY, button_pictures);
    back_button = new BUTTONS;
    back_button->CreateFromImage(0, origin_x + ws::kBackButtonX, origin_y + ws::kButtonsY, this,
                                 kCmdChoiceBack, ws::kButtonWidth, ws::kButtonHeight,
                                 ws::kBackFaceX, 0, ws::kBackFaceX, ws::kPressedFaceY,
                                 button_pictures);
    return 0;
}

bool ChoiceScreen::MarkerShown(size_t group, int32_t row) const {
    const int32_t choice = choices[group];
    switch (groups[group].display) {
        case ChoiceDisplay::Bar:
            return row >= choice;
        case ChoiceDisplay::Switch:
            return choice == 1;
        default:
            return row == choice;
    }
}

void ChoiceScreen::RedrawGroup(size_t group, bool show) {
    const ChoiceGroup& g = groups[group];
    if (!background.Loaded() || !clean_background.Loaded() || g.rows < 1) return;
    const int32_t top = g.row_tops[0];
    const int32_t height = g.row_tops[g.rows - 1] + ws::kOptionHeight - top;
    plat::BitBlt(*background.dc, g.left, top, ws::kMarkerSize, height, clean_background.dc.get(),
                 g.left, top, plat::RasterOp::SrcCopy);
    for (int32_t row = 0; row < g.rows; ++row) {
        if (!MarkerShown(group, row)) continue;
        background.BlitImageKeyed(button_pictures, g.left, g.row_tops[row], ws::kMarkerX,
                                  ws::kMarkerY, ws::kMarkerSize, ws::kMarkerSize);
    }
    if (!show || !IsWindow()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    SelectPictureOutputPalette(*dc, background.dc.get(), button_pictures.palette);
    BlitDC(*dc, origin_x + g.left, origin_y + top, ws::kMarkerSize, height, *background.dc, g.left,
           top);
    RestoreDefaultPalette(*dc);
}

void ChoiceScreen::OnPaint() {
    plat::PaintDC dc(*this);
    if (!background.Loaded()) return;
    for (size_t g = 0; g < groups.size(); ++g) RedrawGroup(g, false);
    SelectPictureOutputPalette(dc, background.dc.get(), button_pictures.palette);
    BlitDC(dc, origin_x, origin_y, ws::kAreaWidth, ws::kAreaHeight, *background.dc, 0, 0);
    RestoreDefaultPalette(dc);
}

void ChoiceScreen::OnLButtonDown(int32_t x, int32_t y) {
    const plat::Point p{x - origin_x, y - origin_y};
    for (size_t g = 0; g < groups.size(); ++g) {
        const ChoiceGroup& group = groups[g];
        for (int32_t row = 0; row < group.rows; ++row) {
            const plat::Rect option{group.left, group.row_tops[row], group.left + ws::kOptionWidth,
                                    group.row_tops[row] + ws::kOptionHeight};
            if (!option.Contains(p)) continue;
            if (group.display == ChoiceDisplay::Switch) {
                choices[g] = choices[g] == 1 ? 0 : 1;
            } else {
                choices[g] = row;
            }
            RedrawGroup(g, true);
            OnChoiceChanged(static_cast<int32_t>(g));
            return;
        }
    }
}

void ChoiceScreen::Finish(plat::LParam result) {
    {
        plat::DcHandle dc = plat::GetWindowDC(*this);
        const plat::Rect client = GetClientRect();
        plat::BitBlt(*dc, 0, 0, client.Width(), client.Height(), nullptr, 0, 0,
                     plat::RasterOp::Blackness);
    }
    plat::SendMessage(GetParent(), done_message_, 0, result);
}
