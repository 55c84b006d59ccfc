// The ways into a game through the main frame and the control panel's popup
// pairs: a free start from the set-up to the city growth, and a career's
// first assignment.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

#include "app/app_globals.h"
#include "app/game_files.h"
#include "app/main_frame.h"
#include "game/opponent.h"
#include "panel/control_panel.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/level_text_screen.h"
#include "screens/flow/opponent_select_screen.h"
#include "state/game_files.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/statistics.h"

namespace {

using flowtest::FlowHost;
using Kind = plat::MessageTrace::Kind;

constexpr uint8_t kEnter = 13;

// Stands in for the panel's company-name and growth-choice screens, which
// are made elsewhere: any popup that the test answers by message.
struct AnswerLater : plat::Window {
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request) {
        return Create(&panel, request.rect, WS_POPUP | WS_VISIBLE);
    }
};

void StandInPanelChoices() {
    for (PanelPopup slot : {PanelPopup::CompanyName, PanelPopup::CityGrowth}) {
        g_pHauptDialog->SetPopupFactory(slot, OpenPopupScreen<AnswerLater>);
    }
}

size_t SentToPanel(FlowHost& f, uint32_t message) {
    return f.h.host.Recorder().Count(Kind::Sent, g_pHauptDialog, message);
}

TEST(FreeStart, FromTheSetUpThroughNameAndRivalsToTheGrowthChoice) {
    FlowHost f;
    g_LogoShown[0] = g_LogoShown[1] = 1;
    CGameState& gs = f.gs();
    gs.goal_reached = 1;  // a won game before
    gs.board_votes = 80;
    f.h.frame->SendMessage(kMsgOpenNewGameSetup);
    f.Char(kEnter);
    ASSERT_NE(g_pHauptDialog, nullptr);
    EXPECT_EQ(std::tuple(gs.city_growth_running, gs.goal_reached, gs.board_votes, gs.cash[0]),
              std::tuple(1, 0, 0, int64_t{300000}));
    StandInPanelChoices();
    plat::SendMessage(g_pHauptDialog, kMsgPanelOpenCompanyName);
    std::strcpy(g_pHauptDialog->popup_result.text, "Northern Freight");
    plat::SendMessage(g_pHauptDialog, kMsgPanelCompanyNameDone, 0, 0);
    EXPECT_STREQ(gs.company_names[0], "Northern Freight");
    auto* rivals = f.Screen<FS_SELECT_GEGNER>(FrameScreen::OpponentSelect);
    ASSERT_NE(rivals, nullptr);
    const plat::Point o = f.Origin();
    for (int32_t portrait : {3, 1, 4, 1, 0, 2}) f.Click(o.x + 430, o.y + 60 + 80 * portrait + 35);
    f.Char(kEnter);
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
    std::vector<std::tuple<int32_t, int32_t>> made;
    for (const COpponent* op : gs.opponents) made.emplace_back(op->profile_index, op->turn_pending);
    EXPECT_EQ(made, (std::vector<std::tuple<int32_t, int32_t>>{{3, 1000}, {0, 1000}, {4, 1000}}));
    EXPECT_EQ(std::tuple(SentToPanel(f, kMsgPanelOpenCityGrowth), gs.sim_halted),
              std::tuple(1u, 1));
    // No growth: the game starts in 1960 and runs.
    g_pHauptDialog->popup_result.choice = 0;
    plat::SendMessage(g_pHauptDialog, kMsgPanelCityGrowthDone, 0, 0);
    EXPECT_EQ(std::tuple(gs.year, gs.sim_halted, gs.city_growth_running), std::tuple(1960, 0, 0));
    // A later company name (a mission's, say) leads to no selection.
    plat::SendMessage(g_pHauptDialog, kMsgPanelOpenCompanyName);
    plat::SendMessage(g_pHauptDialog, kMsgPanelCompanyNameDone, 0, 1);
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
    const int32_t week = gs.week;
    f.h.host.AdvanceClock(15001);
    f.h.Turn();
    EXPECT_EQ(gs.week, week + 1);
}

TEST(FreeStart, AGrowthChoiceRunsTheGrowthScreenToItsEnd) {
    FlowHost f;
    g_LogoShown[0] = g_LogoShown[1] = 1;
    f.h.frame->SendMessage(kMsgOpenNewGameSetup);
    f.Char(kEnter);
    ASSERT_NE(g_pHauptDialog, nullptr);
    StandInPanelChoices();
    plat::SendMessage(g_pHauptDialog, kMsgPanelOpenCityGrowth);
    g_pHauptDialog->popup_result.choice = 1;
    plat::SendMessage(g_pHauptDialog, kMsgPanelCityGrowthDone, 0, 0);
    EXPECT_EQ(f.gs().year, 1970);
    ASSERT_NE(g_pHauptDialog->city_growth_screen, nullptr);
    f.h.Run();  // the paints
    fvtest::MaybeSaveScreen("flow_growth_in_game");
    int passes = 0;
    while (g_pHauptDialog->city_growth_screen != nullptr && passes < 600) {
        f.h.Turn();
        ++passes;
    }
    EXPECT_EQ(passes, 480);
    EXPECT_EQ(std::tuple(f.gs().city_growth_running, f.gs().sim_halted), std::tuple(0, 0));
}

TEST(CareerStart, TheFirstAssignmentLoadsWithItsTextThenTheCompanyName) {
    FlowHost f({1024, 768}, true);
    g_LogoShown[0] = g_LogoShown[1] = 1;
    InstallLevelFiles();
    f.h.frame->SendMessage(kMsgOpenCareer);
    f.Click(192 + 128 + 50, 144 + 141 + 20);  // medium
    ASSERT_NE(g_pHauptDialog, nullptr);
    CGameState& gs = f.gs();
    EXPECT_EQ(std::tuple(gs.game_mode, gs.career_level, gs.career_difficulty, gs.screen_open),
              std::tuple(int32_t{kModeCareer}, 0, 70, 0));
    EXPECT_STREQ(gs.company_names[0], "Player 1");
    const std::vector<uint32_t> sent = f.h.host.Recorder().Messages(Kind::Sent, g_pHauptDialog);
    const auto text = std::find(sent.begin(), sent.end(), kMsgPanelOpenAssignmentText);
    const auto name = std::find(sent.begin(), sent.end(), kMsgPanelOpenCompanyName);
    EXPECT_TRUE(text < name && name != sent.end());
    auto* assignment =
        dynamic_cast<LevelTextScreen*>(g_pHauptDialog->Popup(PanelPopup::AssignmentText));
    ASSERT_NE(assignment, nullptr);
    EXPECT_EQ(assignment->text_list->GetLine(0), "Assignment 1 of 10");
    EXPECT_NE(assignment->text_list->GetLine(4).find("1,400,000"), std::string::npos);
    InstallGameFiles(nullptr);
}

}  // namespace
