#include "screens/world/choice_screen.h"

#include <string>

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "screens/world/world_screen_layout.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace ws = world_screens;

namespace {

constexpr uint8_t kEnter = 13;

// OK and back side by side under the picture, faces from the sheet.
constexpr ButtonLayout PictureButton(int32_t x, uint16_t command, int32_t face_x) {
    return {.x = x,
            .y = ws::kButtonsY,
            .command = command,
            .width = ws::kButtonWidth,
            .height = ws::kButtonHeight,
            .normal = {face_x, 0},
            .pressed = {face_x, ws::kPressedFaceY}};
}

std::string BaseFile(const char* name) {
    return std::string(g_pGameState->DataPath(kPathBase)) + "\\" + name;
}

}  // namespace

ChoiceScreen::ChoiceScreen(const char* picture_file, const char* sheet_file, uint32_t done_message,
                           const ChoiceSheet& layout)
    : FullScreen(done_message),
      picture_name_(picture_file),
      sheet_name_(sheet_file),
      layout_(layout),
      button_layouts_{PictureButton(ws::kOkButtonX, kCmdOk, layout.ok_face_x),
                      PictureButton(ws::kBackButtonX, layout.back_command, layout.back_face_x)} {}

ChoiceScreen::~ChoiceScreen() {
    background.Free();
    clean_background.Free();
}

bool ChoiceScreen::Open(plat::Window* parent) {
    CGameState& gs = *g_pGameState;
    background.LoadJgd(BaseFile(picture_name_));
    sheet.Load(BaseFile(sheet_name_), nullptr, 1);
    if (background.Loaded() && clean_background.Create(sheet, ws::kAreaWidth, ws::kAreaHeight)) {
        plat::BitBlt(*clean_background.dc, 0, 0, ws::kAreaWidth, ws::kAreaHeight,
                     background.dc.get(), 0, 0, plat::RasterOp::SrcCopy);
    }
    // A top-most popup: the editor's new world opens over its running view.
    if (!CreateScreen(parent, {.area = {ws::kAreaWidth, ws::kAreaHeight},
                               .popup = true,
                               .free_cursor = true,
                               .buttons = button_layouts_})) {
        return false;
    }
    if (gs.screen_width > ws::kAreaWidth && gs.images.tile.Loaded()) {
        plat::DcHandle dc = plat::GetWindowDC(*this);
        BlitDCInBlocks(*dc, 0, 0, gs.screen_width, gs.screen_height, *gs.images.tile.dc);
    }
    return true;
}

plat::LResult ChoiceScreen::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(plat::XFromLParam(lParam), plat::YFromLParam(lParam));
            return 0;
        case WM_CHAR:
            if (wParam != kEnter) break;  // other characters are not ours
            if (!buttons.empty()) {
                buttons[0]->state = 1;
                buttons[0]->Redraw();
            }
            SendMessage(WM_COMMAND, kCmdOk, 0);
            return 0;
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdOk) {
                TakeChoices();
                FinishBlack(0);
                return 0;
            }
            if (plat::LoWord(wParam) == layout_.back_command) {
                FinishBlack(1);
                return 0;
            }
            break;
        default:
            break;
    }
    return FullScreen::OnMessage(message, wParam, lParam);
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
    const int32_t height =
        g.strip_height > 0 ? g.strip_height : g.row_tops[g.rows - 1] + ws::kOptionHeight - top;
    plat::BitBlt(*background.dc, g.left, top, ws::kMarkerSize, height, clean_background.dc.get(),
                 g.left, top, plat::RasterOp::SrcCopy);
    for (int32_t row = 0; row < g.rows; ++row) {
        if (!MarkerShown(group, row)) continue;
        background.BlitImageKeyed(sheet, g.left, g.row_tops[row], layout_.marker_x, ws::kMarkerY,
                                  ws::kMarkerSize, ws::kMarkerSize);
    }
    if (!show || !IsWindow()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    SelectPictureOutputPalette(*dc, background.dc.get(), sheet.palette);
    BlitDC(*dc, origin_x + g.left, origin_y + top, ws::kMarkerSize, height, *background.dc, g.left,
           top);
    RestoreDefaultPalette(*dc);
}

void ChoiceScreen::OnPaint() {
    plat::PaintDC dc(*this);
    if (!background.Loaded()) return;
    for (size_t g = 0; g < groups.size(); ++g) RedrawGroup(g, false);
    SelectPictureOutputPalette(dc, background.dc.get(), sheet.palette);
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
