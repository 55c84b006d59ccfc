#include "screens/flow/level_text_screen.h"

#include <cstdio>

#include "panel/control_panel.h"
#include "platform/app.h"
#include "platform/file.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "screens/flow/flow_screen_layout.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace fs = flow_screens;

namespace {

constexpr int32_t kListId = 1021;
constexpr int32_t kLineBytes = 99;
constexpr plat::Rect kListRect{0, 60, 356, 298};

constexpr ButtonLayout kMissionButtons[] = {PopupButton(128, kCmdOk, 0)};
constexpr ButtonLayout kAssignmentButtons[] = {PopupButton(212, kCmdOk, 0)};
constexpr ButtonLayout kAssignmentMenuButtons[] = {PopupButton(212, kCmdOk, 0),
                                                   PopupButton(44, kCmdBack, 108)};

struct Remap {
    uint8_t from, to;
};
constexpr Remap kRemaps[] = {{196, 26}, {214, 27}, {220, 28}, {228, 29},
                             {246, 30}, {252, 31}, {180, 39}};

}  // namespace

std::string RemapTextLine(std::string line) {
    for (char& c : line) {
        for (const Remap& r : kRemaps) {
            if (static_cast<uint8_t>(c) == r.from) {
                c = static_cast<char>(r.to);
                break;
            }
        }
    }
    return line;
}

LevelTextScreen::LevelTextScreen(Kind k)
    : FlowPopup(k == Kind::Mission ? kMsgPanelMissionTextDone : kMsgPanelAssignmentTextDone),
      kind(k) {}

LevelTextScreen::~LevelTextScreen() {
    delete text_list;
}

std::string LevelTextScreen::FileName() const {
    const bool mission = kind == Kind::Mission;
    char name[32];
    std::snprintf(name, sizeof name, mission ? "m%d_%d.txt" : "k%d_%d.txt", text_group,
                  text_number);
    return std::string(g_pGameState->DataPath(mission ? kPathMission : kPathCareer)) + "\\" + name;
}

bool LevelTextScreen::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    CGameState& gs = *g_pGameState;
    text_group = static_cast<int32_t>(request.wParam);
    text_number = static_cast<int32_t>(request.lParam);
    const bool mission = kind == Kind::Mission;
    if (!LoadPictures(mission ? fs::kMissionTextPicture : fs::kAssignmentTextPicture,
                      mission ? fs::kMissionTextSheet : fs::kAssignmentTextSheet)) {
        return false;
    }
    std::span<const ButtonLayout> layouts = kMissionButtons;
    if (!mission) {
        layouts = gs.text_from_menu == 1 ? std::span<const ButtonLayout>(kAssignmentMenuButtons)
                                         : std::span<const ButtonLayout>(kAssignmentButtons);
    }
    // Hidden while another screen is in front: the panel shows it later.
    if (!CreatePopup(&panel, request.rect, layouts, !request.screen_in_front)) return false;
    if (!MakeTextList(text_list, kListRect, kListId)) return false;
    if (g_pSound != nullptr) g_pSound->PauseMusic();
    LoadText();
    if (plat::QuitRequested()) return false;  // cancelled: the program ends
    if (gs.level_start_pending == 0 && g_pSound != nullptr) g_pSound->ResumeMusic();
    if (IsWindowVisible()) SendMessage(WM_SHOWWINDOW, 1, 0);
    return true;
}

void LevelTextScreen::LoadText() {
    if (text_list == nullptr) return;
    text_list->Clear();
    const std::string name = FileName();
    plat::TextFile file;
    while (!file.Open(name)) {
        if (plat::QuitRequested()) return;  // the program is ending: no more boxes
        const std::string text = "The following text information couldn\xb4t be located:\n " +
                                 name +
                                 " \n Check to make sure the information is available: For "
                                 "instance, is the CD inserted in the player.";
        const int32_t answer = plat::MessageBox(this, text, "Ferrovane",
                                                MB_RETRYCANCEL | MB_ICONSTOP | MB_SYSTEMMODAL);
        if (answer == IDRETRY) continue;
        // As for a missing picture: the program ends.
        plat::QuitWithFailure("the text " + name + " is missing");
        FreeCursor();
        if (plat::Application* app = plat::CurrentApplication(); app != nullptr) {
            plat::SendMessage(app->mainWindow, kMsgAbort);
        }
        return;
    }
    std::string line;
    while (file.ReadLine(line, kLineBytes)) text_list->AddLine(RemapTextLine(line).c_str());
    file.Close();
}

void LevelTextScreen::OnPaint() {
    if (kind == Kind::Assignment) ConfineCursor();
    PaintWithList(text_list);
}

plat::LResult LevelTextScreen::OnMessage(uint32_t message, plat::WParam wParam,
                                         plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_SHOWWINDOW:
            if (wParam == 1) CentreCursor();
            return 0;
        case WM_CHAR:
            EnterPresses(wParam, kCmdOk);
            return 0;
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdOk) {
                FreeAndAnswer(0);
            } else if (plat::LoWord(wParam) == kCmdBack && kind == Kind::Assignment) {
                FreeAndAnswer(1);
            }
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}
