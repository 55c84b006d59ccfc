#include "screens/flow/game_end_screen.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

#include "game/final_score.h"
#include "gfx/font_tables.h"
#include "panel/amount_text.h"
#include "panel/control_panel.h"
#include "screens/flow/game_end_layout.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace ge = game_end_screens;

namespace {

constexpr uint8_t kTextColour = 10;
// The panel's answer that ended the game by going on past the last level.
constexpr uint8_t kAnswerNextLevel = 4;

constexpr ButtonLayout kButtons[] = {EndPageOk(ge::kScoreOkX, ge::kOkY)};

std::string Printf(const char* format, int32_t a, int32_t b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string InBrackets(const std::string& text) {
    std::string out(1, '(');
    out += text;
    out += ')';
    return out;
}

// Ten points per take-over or year, in 64 bits and clamped: the counts of a
// damaged saved game can be anything.
int32_t TimesTen(int32_t count) {
    static_assert(kPointsPerTakeOver == 10 && kPointsPerYear == 10);
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{count} * 10,
                                                    std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

std::vector<ScoreLine> ScoreSheetLines(const FinalScore& score, int32_t board_votes) {
    const int32_t x = ge::kColumnX;
    return {
        {ge::kVotesX, ge::kVotesY, Printf("%d", board_votes)},
        {x, ge::kValueLabelY, "Company value:"},
        {x, ge::kValueY, FormatAmount(score.value)},
        {x, ge::kPointsY,
         score.points >= 1000 ? InBrackets(FormatAmount(score.points) + " Points")
                              : Printf("(%d Points)", score.points)},
        {x, ge::kTakeOverLabelY, "No. of take overs:"},
        {x, ge::kTakeOverY, Printf("%d (%d Points)", score.take_overs, TimesTen(score.take_overs))},
        {x, ge::kVotedLabelY, "Voted by"},
        {x, ge::kConsentLabelY, "common consent"},
        {x, ge::kYearsY, Printf("%d Years before end:", score.years)},
        {x, ge::kYearPointsY, Printf("%d Points", TimesTen(score.years))},
        {x, ge::kTotalLabelY, "Total points:"},
        {x, ge::kTotalY, Printf("%d", score.total)},
    };
}

FS_SPIELENDE::FS_SPIELENDE() : EndPage(kMsgGameEndDone) {}

FS_SPIELENDE::~FS_SPIELENDE() {
    score_picture.Free();
}

bool FS_SPIELENDE::Open(plat::Window* parent, int32_t picture) {
    // The total is known from the start, so an OK that comes before the
    // first paint still takes the game's real total into the list.
    total_points = CurrentScore().total;
    return OpenPage(parent, score_picture, picture, kButtons);
}

FinalScore FS_SPIELENDE::CurrentScore() {
    const bool nextLevel =
        g_pHauptDialog != nullptr && g_pHauptDialog->answer_code == kAnswerNextLevel;
    return ComputeFinalScore(*g_pGameState, nextLevel);
}

void FS_SPIELENDE::DrawLines() {
    const CGameState& gs = *g_pGameState;
    const FinalScore score = CurrentScore();
    total_points = score.total;
    if (!gs.images.main_font.Loaded()) return;
    for (const ScoreLine& line : ScoreSheetLines(score, gs.board_votes)) {
        score_picture.DrawText(line.text.c_str(), kFont1Advances, line.x, line.y,
                               gs.images.main_font, 16, 16, kTextColour);
    }
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
