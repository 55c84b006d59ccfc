#include "screens/flow/high_score_screen.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "screens/flow/game_end_layout.h"
#include "state/game_records.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace ge = game_end_screens;

namespace {

constexpr uint8_t kEnter = 13;
constexpr uint8_t kTextColour = 10;
constexpr int32_t kListPicture = 49;

constexpr ButtonLayout kButtons[] = {
    {.x = ge::kHighScoreOkX,
     .y = ge::kOkY,
     .command = kCmdClose,
     .width = 108,
     .height = 40,
     .normal = {0, 0},
     .pressed = {0, 40}},
};

}  // namespace

std::string HighScoreLine(const HighScoreEntry& entry) {
    // The name may fill its field without a terminating zero in a foreign file.
    const std::string name(entry.name, strnlen(entry.name, sizeof entry.name));
    const auto points = static_cast<int32_t>(entry.points);
    char text[80];
    if (points > 999) {
        std::snprintf(text, sizeof text, "%s (%d,%03d)", name.c_str(), points / 1000,
                      points % 1000);
    } else {
        std::snprintf(text, sizeof text, "%s (%d)", name.c_str(), points);
    }
    return text;
}

FS_BESTENLISTE::FS_BESTENLISTE() : FullScreen(kMsgHighScoresDone) {}

FS_BESTENLISTE::~FS_BESTENLISTE() {
    list_picture.Free();
}

bool FS_BESTENLISTE::Open(plat::Window* parent) {
    CGameState& gs = *g_pGameState;
    const std::string folder = gs.DataPath(kPathBase);
    const std::string number = std::to_string(kListPicture);
    if (!list_picture.LoadJgd(folder + "\\scr_" + number + ".jgd")) return false;
    if (!sheet.Load(folder + "\\scb_" + number + ".jgd", nullptr, 1)) return false;
    if (!CreateScreen(parent, {.area = {ge::kPageWidth, ge::kPageHeight},
                               .free_cursor = true,
                               .buttons = kButtons})) {
        return false;
    }
    if (gs.screen_width > ge::kPageWidth && gs.images.tile.Loaded()) {
        plat::DcHandle dc = plat::GetWindowDC(*this);
        RealizeSheetPalette(*dc);
        BlitDCInBlocks(*dc, 0, 0, gs.screen_width, gs.screen_height, *gs.images.tile.dc);
    }
    return true;
}

plat::LResult FS_BESTENLISTE::OnMessage(uint32_t message, plat::WParam wParam,
                                        plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CHAR:
            if (wParam == kEnter && !buttons.empty()) {
                buttons[0]->state = 1;
                buttons[0]->Redraw();
                SendMessage(WM_COMMAND, kCmdClose, 0);
            }
            return 0;
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdClose) FinishBlack(0);
            return 0;
        default:
            return FullScreen::OnMessage(message, wParam, lParam);
    }
}

void FS_BESTENLISTE::OnPaint() {
    plat::PaintDC dc(*this);
    if (!list_picture.Loaded()) return;
    const CGameState& gs = *g_pGameState;
    if (gs.images.main_font.Loaded()) {
        for (int32_t i = 0; i < kHighScoreCount; ++i) {
            const std::string text = HighScoreLine(gs.high_scores[i]);
            list_picture.DrawText(text.c_str(), kFont1Advances, ge::kListX,
                                  ge::kListTop + ge::kListStep * i, gs.images.main_font, 16, 16,
                                  kTextColour);
        }
    }
    SelectPictureOutputPalette(dc, list_picture.dc.get(), sheet.palette);
    BlitDC(dc, origin_x, origin_y, ge::kPageWidth, ge::kPageHeight, *list_picture.dc, 0, 0);
    RestoreDefaultPalette(dc);
}

const ScreenEntry kHighScoreScreenEntry = {
    .slot = FrameScreen::HighScores,
    .open_message = kMsgOpenHighScores,
    .done_message = kMsgHighScoresDone,
    .cancel_command = kCmdClose,
    .open_steps = kOpenCommon,
    .done_steps = kDoneLoadKeys | kDoneShowTitle,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_BESTENLISTE>(frame); },
    .before_open = [](plat::Window&, plat::WParam, plat::LParam) { g_pGameState->paused = 1; },
};
