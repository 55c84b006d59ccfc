// The result screens of missions and career assignments: their lines for
// the career figures, and their buttons clicked in a running career or
// mission (the level reloaded, the next one loaded, the end of the game or
// the way back to the title).

#include "screens/flow/result_screens.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/level_goal.h"
#include "screens/flow/game_end_screen.h"
#include "screens/flow/level_end_play.h"
#include "state/game_state.h"
#include "support/game_scope.h"

namespace {

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& l : lines) {
        if (l == line) return true;
    }
    return false;
}

TEST(ResultLines, TheFirstAssignmentReadsOneAndTwoOfTenWithAPercentSign) {
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    gs.career_level = (2 << 8) | 0;  // set 2, first assignment
    gs.career_difficulty = 70;
    gs.board_votes = 40;
    const std::vector<std::string> done = ResultLines(ResultKind::AssignmentDone, gs);
    EXPECT_TRUE(Has(done, "Assignmnet 1/10: completed"));
    EXPECT_TRUE(Has(done, "Next assignment: 2/10"));
    EXPECT_TRUE(Has(done, "Difficulty: 70%"));
    EXPECT_TRUE(Has(done, "assignment you thoroughly impressed 40 board "));
    const std::vector<std::string> failed = ResultLines(ResultKind::AssignmentFailed, gs);
    EXPECT_TRUE(Has(failed, "Assignment  1/10: Not carried through"));
    EXPECT_TRUE(Has(failed, "Dificulty: 70%"));
    EXPECT_EQ(failed.back(), "Next assignment: 2/10");
}

TEST(ResultLines, TheTenthAssignmentFailedShowsNoNextLineButDoneAlwaysDoes) {
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    gs.career_level = 9;
    const std::vector<std::string> failed = ResultLines(ResultKind::AssignmentFailed, gs);
    EXPECT_EQ(failed.size(), 12u);
    EXPECT_EQ(failed.back(), "");
    EXPECT_EQ(ResultLines(ResultKind::AssignmentDone, gs).back(), "Next assignment: 11/10");
    EXPECT_EQ(ResultLines(ResultKind::MissionFailed, gs).size(), 13u);
    EXPECT_EQ(ResultLines(ResultKind::MissionDone, gs).front(), "Outstanding!");
}

class ResultScreenClicks : public flowtest::LevelEndPlay {
  protected:
    // The assignment in play made a loss: the year's end fails it.
    FS_ASSIGNMENT_FAILED* FailAssignment(int32_t assignment) {
        CGameState& gs = f.gs();
        gs.career_level = assignment;
        gs.cash[0] = -1;
        gs.month = 11;
        gs.week = 0;
        RunMonth();
        return dynamic_cast<FS_ASSIGNMENT_FAILED*>(Popup(PanelPopup::AssignmentFailed));
    }
    // The capital of stand-in assignment a.
    static int64_t Capital(int32_t a) { return 500000 - 20000 * a; }
};

TEST_F(ResultScreenClicks, TryAgainReloadsTheAssignmentGoOnLoadsTheNext) {
    StartEasyCareer("Second Chance");
    CGameState& gs = f.gs();
    FS_ASSIGNMENT_FAILED* failed = FailAssignment(3);
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(std::tuple(gs.goal_reached, gs.sim_halted), std::tuple(1, 1));
    EXPECT_EQ(failed->text_list->GetLine(8), "Assignment  4/10: Not carried through");
    Shot("result_assignment_failed");

    Press(*failed, kCmdTryAgain);
    EXPECT_EQ(Popup(PanelPopup::AssignmentFailed), nullptr);
    EXPECT_EQ(std::tuple(gs.career_level, gs.cash[0], gs.month, gs.goal_reached, gs.sim_halted),
              std::tuple(3, Capital(3), 0, 0, 0));
    EXPECT_EQ(BriefingLine(PanelPopup::AssignmentText, 0), "Assignment 4 of 10");
    CloseBriefing(PanelPopup::AssignmentText);
    RunMonth();  // the clock runs again
    EXPECT_EQ(gs.month, 1);

    failed = FailAssignment(3);
    ASSERT_NE(failed, nullptr);
    Press(*failed, kCmdGoOn);
    EXPECT_EQ(Popup(PanelPopup::AssignmentFailed), nullptr);
    EXPECT_EQ(std::tuple(gs.career_level, gs.cash[0], gs.goal_reached),
              std::tuple(4, Capital(4), 0));
    EXPECT_EQ(BriefingLine(PanelPopup::AssignmentText, 0), "Assignment 5 of 10");
    EXPECT_TRUE(GameEndPictures().empty());
}

// An assignment fails at the year's end, whose accounts came first: the
// result closes them with the panel's other screens, and its answer (here
// the next level) is carried out at once.
TEST_F(ResultScreenClicks, AResultAtTheYearsEndClosesTheYearsAccountsAndGoesOnAtOnce) {
    StartEasyCareer("Year End");
    CGameState& gs = f.gs();
    FS_ASSIGNMENT_FAILED* failed = FailAssignment(3);
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(std::tuple(Popup(PanelPopup::YearSummary), failed->IsWindowVisible(), gs.month),
              std::tuple(nullptr, true, 0));
    Press(*failed, kCmdGoOn);
    EXPECT_EQ(std::tuple(Popup(PanelPopup::AssignmentFailed), Popup(PanelPopup::YearSummary),
                         gs.screen_open, gs.career_level, gs.goal_reached),
              std::tuple(nullptr, nullptr, 1, 4, 0));
    EXPECT_EQ(BriefingLine(PanelPopup::AssignmentText, 0), "Assignment 5 of 10");
    Shot("result_then_next_assignment");
    CloseBriefing(PanelPopup::AssignmentText);
    EXPECT_EQ(gs.screen_open, 0);
    RunMonth();  // the clock runs again
    EXPECT_EQ(gs.month, 1);
}

TEST_F(ResultScreenClicks, NewsOfAFailedAssignmentGoesWithItAndNeverShowsAfterwards) {
    StartEasyCareer("Old News");
    plat::SendMessage(g_pHauptDialog, kMsgProductNews, 8, 0);
    f.h.Run();
    ASSERT_NE(Popup(PanelPopup::ProductNews), nullptr);
    FS_ASSIGNMENT_FAILED* failed = FailAssignment(3);
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(Popup(PanelPopup::ProductNews), nullptr);
    Press(*failed, kCmdTryAgain);
    CloseBriefing(PanelPopup::AssignmentText);
    EXPECT_EQ(Popup(PanelPopup::ProductNews), nullptr);
    EXPECT_EQ(f.gs().screen_open, 0);
}

TEST_F(ResultScreenClicks, EnterOnTheLastFailedAssignmentGoesOnToTheSheetByTheVotes) {
    StartEasyCareer("Last Try");
    CGameState& gs = f.gs();
    gs.board_votes = 60;
    FS_ASSIGNMENT_FAILED* failed = FailAssignment(9);
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(failed->text_list->GetLine(11), "");  // no next assignment
    f.Char(kEnter);                                 // go on
    EXPECT_EQ(Popup(PanelPopup::AssignmentFailed), nullptr);
    EXPECT_EQ(GameEndPictures(), std::vector<plat::LParam>{kEndPictureLost});
    EXPECT_NE(Screen<FS_SPIELENDE>(FrameScreen::GameEnd), nullptr);
    Shot("result_career_lost_sheet");
    EXPECT_EQ(gs.career_level, 9);  // no level 10
}

// A finished assignment adds its votes first: 75 win the career at once,
// and the last assignment ends it either way, with no result screen.
TEST_F(ResultScreenClicks, EnoughVotesOrTheLastAssignmentEndTheCareerWithoutAResultScreen) {
    struct Case {
        int32_t assignment, votes;
        plat::LParam picture;
    };
    for (const Case& c : {Case{5, 65, kEndPictureWon}, Case{9, 50, kEndPictureLost}}) {
        SCOPED_TRACE(c.assignment);
        StartEasyCareer("Quick Finish");
        f.h.host.Recorder().Clear();
        CGameState& gs = f.gs();
        gs.career_level = c.assignment;
        gs.board_votes = c.votes;
        gs.cash[0] = AssignmentTarget(c.assignment, 50);
        RunMonth();
        EXPECT_EQ(Popup(PanelPopup::AssignmentDone), nullptr);
        EXPECT_EQ(gs.board_votes, c.votes + kAssignmentVoteReward);
        EXPECT_EQ(GameEndPictures(), std::vector<plat::LParam>{c.picture});
        auto* sheet = Screen<FS_SPIELENDE>(FrameScreen::GameEnd);
        ASSERT_NE(sheet, nullptr);
        f.Char(kEnter);  // on to the list (an empty one takes any total), then the title
        f.Char(kEnter);
        ASSERT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
    }
}

TEST_F(ResultScreenClicks, AFinishedMissionsOkGoesBackToTheTitle) {
    StartFirstMission("Mission Made");
    CGameState& gs = f.gs();
    gs.cash[0] = kMissionTarget - 1;
    RunMonth();
    EXPECT_EQ(Popup(PanelPopup::MissionDone), nullptr);
    gs.cash[0] = kMissionTarget;
    RunMonth();
    auto* done = dynamic_cast<FS_MISSION_DONE*>(Popup(PanelPopup::MissionDone));
    ASSERT_NE(done, nullptr);
    Shot("result_mission_done");
    Press(*done, kCmdOk);
    EXPECT_EQ(g_pSpielFeld, nullptr);
    EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
    EXPECT_TRUE(GameEndPictures().empty());
}

// The clock stands while a result is shown: when the next assignment's file
// cannot be read, the career ends at the title rather than standing still.
TEST_F(ResultScreenClicks, AnUnreadableNextAssignmentEndsTheCareerAtTheTitle) {
    for (const uint16_t command : {kCmdGoOn, kCmdTryAgain}) {
        SCOPED_TRACE(command);
        StartEasyCareer("Lost Pages");
        std::filesystem::remove(f.folder + "/karriere/k0_3.lvl");
        std::filesystem::remove(f.folder + "/karriere/k0_4.lvl");
        FS_ASSIGNMENT_FAILED* failed = FailAssignment(3);
        ASSERT_NE(failed, nullptr);
        Press(*failed, command);
        EXPECT_EQ(g_pSpielFeld, nullptr);
        EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
    }
}

}  // namespace
