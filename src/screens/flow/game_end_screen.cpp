#include "screens/flow/game_end_screen.h"

#include <cstdio>
#include <string>

#include "game/final_score.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "panel/amount_text.h"
#include "panel/control_panel.h"
#include "platform/gdi.h"
#include "screens/flow/game_end_layout.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace ge = game_end_screens;

namespace {

constexpr uint8_t kEnter = 13;
constexpr uint8_t kTextColour = 10;
// The panel's answer that ended the game by going on past the last level.
constexpr uint8_t kAnswerNextLevel = 4;

constexpr ButtonLayout kButtons[] = {
    {.x = ge::kScoreOkX,
     .y = ge::kOkY,
     .command = kCmdClose,
     .width = 108,
     .height = 40,
     .normal = {0, 0},
     .pressed = {0, 40}},
};

std::string Printf(const char* format, int32_t a, int32_t b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

}  // namespace

std::vector<ScoreLine> ScoreSheetLines(const FinalScore& score, int32_t board_votes) {
    const int32_t x = ge::kColumnX;
    return {
        {ge::kVotesX, ge::kVotesY, Printf("%d", board_votes)},
        {x, ge::kValueLabelY, "Company value:"},
        {x, ge::kValueY, FormatAmount(score.value)},
        {x, ge::kPointsY,
         score.points >= 1000 ? "(" + FormatAmount(score.points) + " Points)"
                              : Printf("(%d Points)", score.points)},
        {x, ge::kTakeOverLabelY, "No. of take overs:"},
        {x, ge::kTakeOverY,
         Printf("%d (%d Points)", score.take_overs, score.take_overs * kPointsPerTakeOver)},
        {x, ge::kVotedLabelY, "Voted by"},
        {x, ge::kConsentLabelY, "common consent"},
        {x, ge::kYearsY, Printf("%d Years before end:", score.years)},
        {x, ge::kYearPointsY, Printf("%d Points", score.years * kPointsPerYear)},
        {x, ge::kTotalLabelY, "Total points:"},
        {x, ge::kTotalY, Printf("%d", score.total)},
    };
}

FS_SPIELENDE::FS_SPIELENDE() : FullScreen(kMsgGameEndDone) {}

FS_SPIELENDE::~FS_SPIELENDE() {
    score_picture.Free();
}

bool FS_SPIELENDE::Open(plat::Window* parent, int32_t picture) {
    CGameState& gs = *g_pGameState;
    const std::string folder = gs.DataPath(kPathBase);
    const std::string number = std::to_string(picture);
    if (!score_picture.LoadJgd(folder + "\\scr_" + number + ".jgd")) return false;
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

plat::LResult FS_SPIELENDE::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
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

void FS_SPIELENDE::DrawLines() {
    const CGameState& gs = *g_pGameState;
    const bool nextLevel =
        g_pHauptDialog != nullptr && g_pHauptDialog->answer_code == kAnswerNextLevel;
    const FinalScore score = ComputeFinalScore(gs, nextLevel);
    total_points = score.total;
    if (!gs.images.main_font.Loaded()) return;
    for (const ScoreLine& line : ScoreSheetLines(score, gs.board_votes)) {
        score_picture.DrawText(line.text.c_str(), kFont1Advances, line.x, line.y,
                               gs.images.main_font, 16, 16, kTextColour);
    }
}

void FS_SPIELENDE::OnPaint() {
    plat::PaintDC dc(*this);
    if (!score_picture.Loaded()) return;
    DrawLines();
    SelectPictureOutputPalette(dc, score_picture.dc.get(), sheet.palette);
    BlitDC(dc, origin_x, origin_y, ge::kPageWidth, ge::kPageHeight, *score_picture.dc, 0, 0);
    RestoreDefaultPalette(dc);
}

const ScreenEntry kGameEndScreenEntry = {
    .slot = FrameScreen::GameEnd,
    .open_message = kMsgGameEnd,
    .done_message = kMsgGameEndDone,
    .cancel_command = kCmdClose,
    .open_steps = kOpenCommon,
    .open = [](plat::Window& frame, plat::WParam, plat::LParam picture) -> plat::Window* {
        auto* screen = new FS_SPIELENDE;
        if (screen->Open(&frame, picture == kEndPictureWon ? kEndPictureWon : kEndPictureLost)) {
            return screen;
        }
        delete screen;
        return nullptr;
    },
    .before_open =
        [](plat::Window&, plat::WParam, plat::LParam) {
            g_pGameState->paused = 1;
            if (g_pHauptDialog != nullptr) g_pHauptDialog->DeleteChildren();
        },
};
