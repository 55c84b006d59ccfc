#include "screens/flow/result_screens.h"

#include <cstdio>
#include <span>

#include "gfx/palette.h"
#include "panel/control_panel.h"
#include "panel/list_box.h"
#include "platform/gdi.h"
#include "screens/close_popup_on_key.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace {

constexpr uint8_t kEnter = 13;
constexpr int32_t kListId = 1021;
constexpr plat::Rect kListRect{4, 60, 360, 298};
constexpr int32_t kLastAssignment = 9;

constexpr ButtonLayout Button(int32_t x, uint16_t command, int32_t face_x) {
    return {.x = x,
            .y = 311,
            .command = command,
            .width = 108,
            .height = 40,
            .normal = {face_x, 0},
            .pressed = {face_x, 40}};
}
constexpr ButtonLayout kMissionButtons[] = {Button(128, kCmdOk, 0)};
// Enter presses the first: go on.
constexpr ButtonLayout kFailedButtons[] = {Button(212, kCmdGoOn, 0), Button(44, kCmdTryAgain, 108)};
constexpr ButtonLayout kDoneButtons[] = {Button(128, kCmdGoOn, 0)};

struct KindInfo {
    const char* picture;
    const char* sheet;
    uint32_t answer;
    std::span<const ButtonLayout> buttons;
};

KindInfo Info(ResultKind kind) {
    switch (kind) {
        case ResultKind::MissionFailed:
            return {"scr_34.jgd", "scb_34.jgd", kMsgPanelOpenMissionFailed + 1, kMissionButtons};
        case ResultKind::MissionDone:
            return {"scr_33.jgd", "scb_33.jgd", kMsgPanelOpenMissionDone + 1, kMissionButtons};
        case ResultKind::AssignmentFailed:
            return {"scr_36.jgd", "scb_36.jgd", kMsgPanelOpenAssignmentFailed + 1, kFailedButtons};
        case ResultKind::AssignmentDone:
        default:
            return {"scr_35.jgd", "scb_35.jgd", kMsgPanelOpenAssignmentDone + 1, kDoneButtons};
    }
}

std::string Format(const char* format, int32_t value) {
    char text[100];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::vector<std::string> ResultLines(ResultKind kind, const CGameState& gs) {
    const int32_t a = gs.career_level & 0xFF;
    switch (kind) {
        case ResultKind::MissionFailed:
            return {"Unfortunately you didn't meet the contract terms!",
                    "",
                    "We're glad that,generally speaking,you are ",
                    "competentto bring this mission to",
                    "a successful close.",
                    "Simply try the same mission again.",
                    "Or decide now to followa career path.",
                    "",
                    "Despite having a bit of trouble that won't keep us ",
                    "from puting you forward as ",
                    "a new member of the board!",
                    "",
                    "Good luck!"};
        case ResultKind::MissionDone:
            return {"Outstanding!",
                    "",
                    "You completed the mission successfully.",
                    "",
                    "If you're looking for a new challenge we can now ",
                    "offer you a complete career with a difficulty level",
                    "of your own choosing.",
                    "We are extremly pleased with your overall",
                    "competence and as a member of the board to",
                    "continue on the road of success."};
        case ResultKind::AssignmentFailed: {
            std::vector<std::string> lines = {
                "Unfortunately you weren't able to meet the ",
                "expectations of the assignment!",
                "",
                "No one on the board is very pleased with the ",
                "quality of your performance.You can try once ",
                "more to successfully fulfill the assignment or  ",
                "continue on your career path with the next step.",
                "",
                Format("Assignment  %d/10: Not carried through", a + 1),
                Format("Dificulty: %d%%", gs.career_difficulty),
                Format("Executive board votes: %d out of 100", gs.board_votes),
                ""};
            if (a < kLastAssignment) lines.push_back(Format("Next assignment: %d/10", a + 2));
            return lines;
        }
        case ResultKind::AssignmentDone:
        default:
            return {"Well done! You completed this assignment",
                    "exceptionally well.",
                    "With the successful completion of this",
                    Format("assignment you thoroughly impressed %d board ", gs.board_votes),
                    "members with the quality of your work.",
                    "",
                    "You can now continue on to ",
                    "the next step in your promising career.",
                    "",
                    Format("Assignmnet %d/10: completed", a + 1),
                    Format("Difficulty: %d%%", gs.career_difficulty),
                    Format("Executive board votes: %d out of 100", gs.board_votes),
                    "",
                    Format("Next assignment: %d/10", a + 2)};
    }
}

ResultScreen::ResultScreen(ResultKind k) : FlowPopup(Info(k).answer), kind(k) {}

ResultScreen::~ResultScreen() {
    delete text_list;
}

bool ResultScreen::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    const KindInfo info = Info(kind);
    if (!LoadPictures(info.picture, info.sheet)) return false;
    if (!CreatePopup(&panel, request.rect, info.buttons)) return false;
    text_list = new LISTBOX;
    if (!text_list->CreateList({.rect = kListRect,
                                .parent = this,
                                .control_id = kListId,
                                .background = background.dc.get(),
                                .image = &sheet,
                                .source_x = kListRect.left,
                                .source_y = kListRect.top,
                                .selectable = false})) {
        return false;
    }
    text_list->Clear();
    for (const std::string& line : ResultLines(kind, *g_pGameState)) {
        text_list->AddLine(line.c_str());
    }
    ConfineCursor();
    return true;
}

plat::LResult ResultScreen::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT: {
            plat::PaintDC dc(*this);
            PaintBackground(dc);
            RestoreDefaultPalette(dc);
            if (text_list != nullptr) text_list->Redraw(true);
            return 0;
        }
        case WM_CHAR:
            if (wParam == kEnter && !buttons.empty()) {
                PressButton(0);
                SendMessage(WM_COMMAND, Info(kind).buttons[0].command, 0);
            }
            return 0;
        case WM_COMMAND: {
            const uint16_t command = plat::LoWord(wParam);
            if (command != kCmdOk && command != kCmdGoOn && command != kCmdTryAgain) return 0;
            FreeCursor();
            // Only the failed assignment has two answers: 0 again, 1 go on.
            const bool goOn = kind == ResultKind::AssignmentFailed && command == kCmdGoOn;
            SendResult(goOn ? 1 : 0);
            return 0;
        }
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}
