// The end of a game as the player sees it: the score sheet, its total
// entering the high-score list, the list and the way back to the title.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "app/app_globals.h"
#include "app/main_frame.h"
#include "game/final_score.h"
#include "game/high_scores.h"
#include "panel/control_panel.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/game_end_screen.h"
#include "screens/flow/high_score_screen.h"
#include "state/game_records.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "support/frame_host.h"

namespace {

using flowtest::FlowHost;

constexpr uint8_t kEnter = 13;

std::string LineAt(const std::vector<ScoreLine>& lines, int32_t y) {
    for (const ScoreLine& line : lines) {
        if (line.y == y) return line.text;
    }
    return "";
}

TEST(ScoreSheet, LinesPrintPointsTakeOversAndYears) {
    struct Case {
        FinalScore score;
        const char* points;
        const char* take_overs;
        const char* value;
    };
    const Case cases[] = {
        {{.value = 1999999, .points = 0}, "(0 Points)", "0 (0 Points)", "1,999,999"},
        {{.value = -2000000, .points = -1}, "(-1 Points)", "0 (0 Points)", "-2,000,000"},
        {{.value = 999999999, .points = 999}, "(999 Points)", "0 (0 Points)", "999,999,999"},
        {{.value = 1000000000, .points = 1000}, "(1,000 Points)", "0 (0 Points)", "1,000,000,000"},
        {{.value = 2468000000, .points = 1234, .take_overs = 3},
         "(1,234 Points)",
         "3 (30 Points)",
         "2,468,000,000"},
    };
    for (const Case& c : cases) {
        const std::vector<ScoreLine> lines = ScoreSheetLines(c.score, 55);
        EXPECT_EQ(LineAt(lines, 216), c.points);
        EXPECT_EQ(LineAt(lines, 267), c.take_overs);
        EXPECT_EQ(LineAt(lines, 199), c.value);
        EXPECT_EQ(LineAt(lines, 97), "55");
    }
    // Counts from a damaged saved game print clamped, without overflowing.
    const std::vector<ScoreLine> damaged =
        ScoreSheetLines({.take_overs = std::numeric_limits<int32_t>::min(), .years = 300000000}, 0);
    EXPECT_EQ(std::tuple(LineAt(damaged, 267), LineAt(damaged, 352)),
              std::tuple("-2147483648 (-2147483648 Points)", "2147483647 Points"));
    const std::vector<ScoreLine> lines = ScoreSheetLines({.years = 0, .total = 7}, 0);
    EXPECT_EQ(std::tuple(LineAt(lines, 335), LineAt(lines, 352), LineAt(lines, 403)),
              std::tuple("0 Years before end:", "0 Points", "7"));
}

TEST(ScoreSheet, EnterTakesTheTotalIntoTheListThenOkGoesToTheTitle) {
    FlowHost f;
    g_LogoShown[0] = g_LogoShown[1] = 1;
    ClearStatistics();
    CGameState& gs = f.gs();
    std::strcpy(gs.company_names[0], "Northern Rail");
    gs.cash[0] = 4000000;
    gs.year = 2050;
    gs.board_votes = 100;
    g_TakeOverCount[1] = 1;
    f.h.frame->SendMessage(kMsgGameEnd, 0, kEndPictureWon);
    auto* sheet = f.Screen<FS_SPIELENDE>(FrameScreen::GameEnd);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->total_points, 112);  // known before the first paint
    f.h.Run();
    EXPECT_EQ(std::tuple(gs.paused, gs.screen_open), std::tuple(1, 1));
    EXPECT_EQ(sheet->total_points, 2 + 10 + 100);
    fvtest::MaybeSaveScreen("flow_score_sheet");
    const uint64_t hash = fvtest::ScreenHash(1024, 768);
    EXPECT_EQ(hash, 0x8f60d3176ae49c6bull) << std::hex << hash;

    f.Char(kEnter);
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::GameEnd), nullptr);
    ASSERT_NE(f.Screen<FS_BESTENLISTE>(FrameScreen::HighScores), nullptr);
    EXPECT_STREQ(gs.high_scores[0].name, "Northern Rail");
    EXPECT_EQ(gs.high_scores[0].points, 112u);
    EXPECT_EQ(HighScoreLine(gs.high_scores[1]), "No entry (0)");
    fvtest::MaybeSaveScreen("flow_high_scores");

    const plat::Point o = f.Origin();
    f.Click(o.x + 464 + 50, o.y + 431 + 20);  // OK
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::HighScores), nullptr);
    EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
    ClearStatistics();
}

TEST(ScoreSheet, ATotalBelowTheListGoesStraightToTheTitle) {
    FlowHost f;
    g_LogoShown[0] = g_LogoShown[1] = 1;
    ClearStatistics();
    CGameState& gs = f.gs();
    for (HighScoreEntry& e : gs.high_scores) e.points = 500;
    gs.cash[0] = 0;
    gs.year = 2070;
    f.h.frame->SendMessage(kMsgGameEnd, 0, kEndPictureLost);
    f.h.Run();
    ASSERT_NE(f.Screen<FS_SPIELENDE>(FrameScreen::GameEnd), nullptr);
    const plat::Point o = f.Origin();
    f.Click(o.x + 488 + 50, o.y + 431 + 20);  // OK
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::HighScores), nullptr);
    EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
    EXPECT_EQ(gs.high_scores[9].points, 500u);
}

TEST(ScoreSheet, TheSheetTakesThePanelsNewsAwayBeforeItOpens) {
    FlowHost f;
    g_LogoShown[0] = g_LogoShown[1] = 1;
    ASSERT_TRUE(f.h.frame->StartWorldView(kModeGame));
    CGameState& gs = f.gs();
    gs.screen_open = 0;
    gs.level_start_pending = 0;
    plat::SendMessage(g_pHauptDialog, kMsgProductNews, 8, 0);   // shown
    plat::SendMessage(g_pHauptDialog, kMsgVehicleNews, 11, 0);  // waiting behind it
    f.h.Run();
    ASSERT_NE(g_pHauptDialog->Popup(PanelPopup::ProductNews), nullptr);
    ASSERT_NE(g_pHauptDialog->Popup(PanelPopup::VehicleNews), nullptr);
    f.h.frame->SendMessage(kMsgGameEnd, 0, kEndPictureWon);
    f.h.Run();
    ASSERT_NE(f.Screen<FS_SPIELENDE>(FrameScreen::GameEnd), nullptr);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::ProductNews), nullptr);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::VehicleNews), nullptr);
    EXPECT_EQ(std::tuple(gs.paused, gs.screen_open), std::tuple(1, 1));
    ClearStatistics();
}

TEST(HighScoreList, TheFreshListShowsTenEmptyEntries) {
    FlowHost f;
    g_LogoShown[0] = g_LogoShown[1] = 1;
    CGameState& gs = f.gs();
    gs.high_scores[3].points = 1000;
    std::strcpy(gs.high_scores[3].name, "Thousand");
    gs.high_scores[4].points = 999;
    std::strcpy(gs.high_scores[4].name, "Nines");
    EXPECT_EQ(HighScoreLine(gs.high_scores[3]), "Thousand (1,000)");
    EXPECT_EQ(HighScoreLine(gs.high_scores[4]), "Nines (999)");
    gs.high_scores[3] = gs.high_scores[0];
    gs.high_scores[4] = gs.high_scores[0];
    for (const HighScoreEntry& e : gs.high_scores) EXPECT_EQ(HighScoreLine(e), "No entry (0)");
    f.h.frame->SendMessage(kMsgOpenHighScores);
    f.h.Run();
    ASSERT_NE(f.Screen<FS_BESTENLISTE>(FrameScreen::HighScores), nullptr);
    EXPECT_EQ(gs.paused, 1);
    fvtest::MaybeSaveScreen("flow_high_scores_empty");
    const uint64_t hash = fvtest::ScreenHash(1024, 768);
    EXPECT_EQ(hash, 0x3f636f63600ce891ull) << std::hex << hash;
    f.Char(kEnter);
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::HighScores), nullptr);
    EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
}

}  // namespace
