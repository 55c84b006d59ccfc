#include "screens/flow/title_screen.h"

#include <string>

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/file.h"
#include "platform/gdi.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace {

constexpr int32_t kPictureWidth = 640;
constexpr int32_t kPictureHeight = 480;

// A 160 x 32 button on the right edge; the sheet holds its normal face at
// y 0 and its pressed face at y 32 of its column.
constexpr ButtonLayout TitleButton(int32_t y, int32_t column, uint16_t command) {
    return {.x = 480,
            .y = y,
            .command = command,
            .width = 160,
            .height = 32,
            .normal = {column, 0},
            .pressed = {column, 32}};
}

// Top to bottom.
constexpr ButtonLayout kButtons[kTitleButtonCount] = {
    TitleButton(23, 640, kCmdTitleContinue),   TitleButton(68, 800, kCmdTitleLoadGame),
    TitleButton(113, 480, kCmdTitleNewGame),   TitleButton(158, 0, kCmdTitleScenario),
    TitleButton(203, 160, kCmdTitleMission),   TitleButton(248, 320, kCmdTitleCareer),
    TitleButton(293, 960, kCmdTitleEditor),    TitleButton(338, 1120, kCmdTitleHighScores),
    TitleButton(383, 1440, kCmdTitleTutorial), TitleButton(428, 1280, kCmdTitleQuit),
};

// What each button reports.
struct Choice {
    uint16_t command;
    int32_t choice;
};
constexpr Choice kChoices[] = {
    {kCmdTitleContinue, kChoiceContinue}, {kCmdTitleLoadGame, kChoiceLoadGame},
    {kCmdTitleNewGame, kChoiceNewGame},   {kCmdTitleScenario, kChoiceScenario},
    {kCmdTitleMission, kChoiceMission},   {kCmdTitleCareer, kChoiceCareer},
    {kCmdTitleEditor, kChoiceEditor},     {kCmdTitleHighScores, kChoiceHighScores},
    {kCmdTitleTutorial, kChoiceTutorial}, {kCmdTitleQuit, kChoiceQuit},
};

}  // namespace

FS_START::FS_START() : FullScreen(kMsgStartScreenResult) {}

FS_START::~FS_START() {
    if (g_pSound != nullptr) g_pSound->StopMusic();
    background.Free();
}

bool FS_START::Open(plat::Window* parent) {
    const std::string folder = g_pGameState->DataPath(kPathBase);
    if (!background.LoadJgd(folder + "\\scr_0.jgd")) return false;
    if (!sheet.Load(folder + "\\scb_0.jgd", nullptr, 1)) return false;
    // The title leaves the mouse free.
    return CreateScreen(
        parent,
        {.area = {kPictureWidth, kPictureHeight}, .free_cursor = true, .buttons = kButtons});
}

plat::LResult FS_START::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_COMMAND:
            OnCommand(plat::LoWord(wParam));
            return 0;
        default:
            return FullScreen::OnMessage(message, wParam, lParam);
    }
}

void FS_START::OnPaint() {
    if (g_pSound != nullptr) g_pSound->PlayTitleMusic();
    plat::PaintDC dc(*this);
    const plat::Rect client = GetClientRect();
    plat::BitBlt(dc, 0, 0, client.Width(), client.Height(), nullptr, 0, 0,
                 plat::RasterOp::Blackness);
    RealizeSheetPalette(dc);
    if (background.Loaded()) {
        plat::SelectPalette(*background.dc, sheet.dc_palette, false);
        plat::RealizePalette(*background.dc);
        BlitDC(dc, origin_x, origin_y, kPictureWidth, kPictureHeight, *background.dc, 0, 0);
    }
    RestoreDefaultPalette(dc);
}

void FS_START::OnCommand(uint16_t command) {
    if (command == kCmdTitleQuit) {
        plat::PostMessage(Frame(), kMsgStartScreenResult, 0, kChoiceQuit);
        return;
    }
    if (command == kCmdTitleContinue) {
        const std::string last = std::string(g_pGameState->DataPath(kPathSave)) + "\\lastsave.lvl";
        const plat::FileHandle file = plat::OpenFile(last, plat::OpenMode::ReadWrite);
        if (file == plat::kInvalidFile) return;
        plat::CloseFile(file);
    }
    for (const Choice& c : kChoices) {
        if (c.command == command) {
            FinishBlack(c.choice);
            return;
        }
    }
}

const ScreenEntry kTitleScreenEntry = {
    .slot = FrameScreen::Start,
    .done_message = kMsgStartScreenResult,
    .cancel_command = kCmdDialogCancel,
    .open_steps = kOpenCommon,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_START>(frame); },
    .before_open =
        [](plat::Window&, plat::WParam, plat::LParam) {
            CGameState& gs = *g_pGameState;
            gs.year = 1960;
            gs.board_votes = 0;
            gs.start_marker = 1;
        },
};
