#include "screens/flow/level_select_screen.h"

#include <cstdio>
#include <string>

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "panel/control_panel.h"
#include "platform/file.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "screens/flow/flow_screen_layout.h"
#include "screens/full_screen.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace fs = flow_screens;

namespace {

constexpr int32_t kListId = 1019;
constexpr int32_t kMaxLevels = 11;
constexpr int32_t kTitleBytes = 99;
constexpr int32_t kOwnScenarios = 3;  // the group of the editor's scenarios
constexpr int32_t kMarkSize = 16;
constexpr int32_t kDialogScreenCode = 7;
constexpr plat::Rect kListRect{21, 63, 349, 250};

constexpr ButtonLayout kButtons[] = {PopupButton(44, kCmdDialogOk, 140),
                                     PopupButton(212, kCmdDialogCancel, 32)};

// The description file of level n of group g.
std::string DescriptionFile(LevelSelectScreen::Kind kind, int32_t g, int32_t n) {
    const CGameState& gs = *g_pGameState;
    char name[32];
    int32_t folder = kPathMission;
    if (kind == LevelSelectScreen::Kind::Missions) {
        std::snprintf(name, sizeof name, "m%d_%d.dir", g, n);
    } else if (g < kOwnScenarios) {
        folder = kPathScenario;
        std::snprintf(name, sizeof name, "s%d_%d.dir", g, n);
    } else {
        folder = kPathSave;
        std::snprintf(name, sizeof name, "s_%d.dir", n);
    }
    return std::string(gs.DataPath(folder)) + "\\" + name;
}

}  // namespace

LevelSelectScreen::LevelSelectScreen(Kind k)
    : FlowPopup(k == Kind::Missions ? kMsgPanelMissionSelectDone : kMsgPanelScenarioSelectDone),
      kind(k),
      tab_count(k == Kind::Missions ? 3 : 4) {
    for (int32_t& file : entry_files) file = -1;
}

LevelSelectScreen::~LevelSelectScreen() {
    delete list;
    tab_scratch.Free();
}

bool LevelSelectScreen::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    panel_ = &panel;
    selected = 0;
    group = 0;
    const bool missions = kind == Kind::Missions;
    if (!LoadPictures(missions ? fs::kMissionSelectPicture : fs::kScenarioSelectPicture,
                      missions ? fs::kMissionSelectSheet : fs::kScenarioSelectSheet)) {
        return false;
    }
    tab_scratch.Create(sheet, kMarkSize, kMarkSize);
    for (int32_t t = 0; t < tab_count; ++t) {
        tab_rects[t] = {fs::kTabLefts[t], fs::kTabTop, fs::kTabLefts[t] + fs::kTabWidth,
                        fs::kTabTop + fs::kTabHeight};
    }
    if (!CreatePopup(&panel, request.rect, kButtons)) return false;
    if (!MakeList(list, kListRect, kListId, kMsgFirstListClicked, fs::kSelectStripY)) return false;
    LoadTitles();
    ConfineCursor();
    return true;
}

int32_t LevelSelectScreen::FilledRows() const {
    int32_t n = 0;
    while (n < kMaxLevels && entry_files[n] >= 0) ++n;
    return n;
}

void LevelSelectScreen::LoadTitles() {
    for (int32_t& file : entry_files) file = -1;
    entry_count = 0;
    if (list == nullptr) return;
    list->Clear();
    for (int32_t n = 0; n < kMaxLevels; ++n) {
        plat::TextFile file;
        if (!file.Open(DescriptionFile(kind, group, n))) continue;
        std::string title;
        file.ReadLineCut(title, kTitleBytes);
        file.Close();
        list->AddLine(title.c_str());
        entry_files[entry_count++] = n;
    }
    list->SelectLine(0);
}

void LevelSelectScreen::DrawTabs(bool show) {
    if (!background.Loaded() || !tab_scratch.Loaded()) return;
    for (int32_t t = 0; t < tab_count; ++t) {
        const plat::Rect& r = tab_rects[t];
        BlitDC(*tab_scratch.dc, 0, 0, kMarkSize, kMarkSize, *background.dc, r.left, r.top);
        tab_scratch.BlitImageKeyed(sheet, 0, 0, 0, t == group ? 0 : kMarkSize, kMarkSize,
                                   kMarkSize);
        BlitDC(*background.dc, r.left, r.top, kMarkSize, kMarkSize, *tab_scratch.dc, 0, 0);
    }
    if (!show || !IsWindow()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    SelectPictureOutputPalette(*dc, background.dc.get(), sheet.palette);
    BlitDC(*dc, fs::kTabLefts[0], fs::kTabTop, 340, fs::kTabHeight, *background.dc,
           fs::kTabLefts[0], fs::kTabTop);
    RestoreDefaultPalette(*dc);
}

void LevelSelectScreen::OnPaint() {
    if (kind == Kind::Scenarios) {
        ConfineCursor();
        const plat::Rect r = GetWindowRect();
        plat::SetCursorPos({r.left + 242, r.top + 289});
    }
    DrawTabs(false);
    PaintWithList(list);
}

void LevelSelectScreen::OnDialogOk() {
    FreeCursor();
    const int32_t row = selected;
    selected = row >= 0 && row < kMaxLevels ? entry_files[row] : -1;
    const bool missions = kind == Kind::Missions;
    if (!missions && selected < 0) {
        selected = row;
        return;
    }
    if (panel_ != nullptr) {
        panel_->CloseDropDown();
        panel_->popup_result.slot = group;
        panel_->popup_result.choice = selected;
    }
    if (g_pSpielFeld != nullptr) g_pSpielFeld->tool = kToolNone;
    g_pGameState->pending_view_code = kDialogScreenCode;
    SendResult(missions && entry_count == 0 ? 1 : 0);
}

void LevelSelectScreen::OnDialogCancel() {
    FreeCursor();
    RealizeWorldPalette(*this);
    SendResult(1);
}

plat::LResult LevelSelectScreen::OnMessage(uint32_t message, plat::WParam wParam,
                                           plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_LBUTTONDOWN: {
            const plat::Point p{plat::XFromLParam(lParam), plat::YFromLParam(lParam)};
            for (int32_t t = 0; t < tab_count; ++t) {
                if (!tab_rects[t].Contains(p)) continue;
                group = t;
                selected = 0;  // a new group starts at its first row
                LoadTitles();
                DrawTabs(true);
                if (list != nullptr) list->Redraw(true);
                return 0;
            }
            return 0;
        }
        case kMsgFirstListClicked: {
            const int32_t row = list != nullptr ? list->last_clicked : -1;
            const int32_t filled = kind == Kind::Missions ? entry_count : FilledRows();
            if (filled > 0 && row >= 0 && row < filled) selected = row;
            if (list != nullptr) list->Redraw(true);
            return 0;
        }
        default:
            if (OnDialogMessage(message, wParam)) return 0;
            return DefaultMessage(message, wParam, lParam);
    }
}
