#include "screens/flow/career_screen.h"

#include <string>

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "screens/flow/flow_screen_layout.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace fs = flow_screens;

namespace {

constexpr ButtonLayout CareerButton(int32_t y, uint16_t command, int32_t face_x) {
    return {.x = 128,
            .y = y,
            .command = command,
            .width = fs::kButtonWidth,
            .height = fs::kButtonHeight,
            .normal = {face_x, 0},
            .pressed = {face_x, fs::kPressedFaceY}};
}

constexpr ButtonLayout kButtons[] = {
    CareerButton(91, kCmdCareerHard, 0),
    CareerButton(141, kCmdCareerMedium, 108),
    CareerButton(191, kCmdCareerEasy, 216),
    CareerButton(311, kCmdDialogCancel, 324),
};

struct Difficulty {
    uint16_t command;
    int32_t value;
};
constexpr Difficulty kDifficulties[] = {
    {kCmdCareerHard, 100}, {kCmdCareerMedium, 70}, {kCmdCareerEasy, 50}};

}  // namespace

FS_KARRIERE::FS_KARRIERE() : FullScreen(kMsgStartCareerGame) {}

FS_KARRIERE::~FS_KARRIERE() {
    background.Free();
}

bool FS_KARRIERE::Open(plat::Window* parent) {
    CGameState& gs = *g_pGameState;
    const std::string folder = gs.DataPath(kPathBase);
    if (!background.LoadJgd(folder + "\\" + fs::kCareerPicture)) return false;
    if (!sheet.Load(folder + "\\" + fs::kCareerSheet, nullptr, 1)) return false;
    if (!CreateScreen(parent, {.area = {background.width, background.Rows()},
                               .centre_always = true,
                               .popup = false,
                               .free_cursor = true,
                               .buttons = kButtons})) {
        return false;
    }
    TileScreen();
    return true;
}

plat::LResult FS_KARRIERE::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_COMMAND: {
            const uint16_t command = plat::LoWord(wParam);
            for (const Difficulty& d : kDifficulties) {
                if (d.command != command) continue;
                g_pGameState->career_difficulty = d.value;
                FinishBlackInWorldPalette(0);
                return 0;
            }
            if (command == kCmdDialogCancel) FinishBlackInWorldPalette(1);
            return 0;
        }
        default:
            return FullScreen::OnMessage(message, wParam, lParam);
    }
}

void FS_KARRIERE::OnPaint() {
    plat::PaintDC dc(*this);
    if (!background.Loaded()) return;
    SelectPictureOutputPalette(dc, background.dc.get(), sheet.palette);
    BlitDC(dc, origin_x, origin_y, background.width, background.Rows(), *background.dc, 0, 0);
    RestoreDefaultPalette(dc);
}

const ScreenEntry kCareerScreenEntry = {
    .slot = FrameScreen::Career,
    .open_message = kMsgOpenCareer,
    .done_message = kMsgStartCareerGame,
    .cancel_command = kCmdDialogCancel,
    // The sound keeps playing while the difficulty is chosen.
    .open_steps = kOpenDropKeys | kOpenMarkOpen,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_KARRIERE>(frame); },
};
