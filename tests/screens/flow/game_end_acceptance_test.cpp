// The ends of a game, played from the title as a player plays them: a career
// whose assignments are finished by their goal, up to the score sheet and the
// high-score list; a mission that goes below zero; a free game whose board
// votes reach 100. Headless, on the fake clock, with clicks and keys on the
// real screens; every screen on the way is saved as a PNG when
// FV_GOLDEN_PNG names a folder.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "game/final_score.h"
#include "game/high_scores.h"
#include "game/level_goal.h"
#include "screens/flow/game_end_screen.h"
#include "screens/flow/high_score_screen.h"
#include "screens/flow/level_end_play.h"
#include "screens/flow/level_text_screen.h"
#include "screens/flow/result_screens.h"
#include "state/game_records.h"
#include "state/statistics.h"

namespace {

class GameEndAcceptance : public flowtest::LevelEndPlay {};

TEST_F(GameEndAcceptance, ACareerGoesFromAssignmentToAssignmentAndEndsInTheHighScores) {
    CGameState& gs = f.gs();
    // Earlier games in the list: the career's total belongs in third place.
    const std::pair<const char*, uint32_t> earlier[] = {
        {"Old Masters", 5000}, {"Steady Goods", 2000}, {"Small Start", 100}, {"Late Comer", 50}};
    for (size_t i = 0; i < std::size(earlier); ++i) {
        std::strcpy(gs.high_scores[i].name, earlier[i].first);
        gs.high_scores[i].points = earlier[i].second;
    }

    Title();
    Choose(5);  // career
    auto* career = f.h.frame->Screen(FrameScreen::Career);
    ASSERT_NE(career, nullptr);
    f.Click(192 + 128 + 50, 144 + 191 + 20);  // easy
    ASSERT_NE(g_pHauptDialog, nullptr);
    EXPECT_EQ(std::tuple(gs.game_mode, gs.career_level, gs.career_difficulty),
              std::tuple(int32_t{kModeCareer}, 0, 50));
    EXPECT_EQ(BriefingLine(PanelPopup::AssignmentText, 0), "Assignment 1 of 10");
    EXPECT_NE(BriefingLine(PanelPopup::AssignmentText, 3).find("1,000,000"), std::string::npos);
    Shot("end_career_briefing_1");
    // The company's name on top, then the briefing's OK.
    ASSERT_NE(Popup(PanelPopup::CompanyName), nullptr);
    TypeCompanyName("Goal Seekers");
    EXPECT_STREQ(gs.company_names[0], "Goal Seekers");
    Press(*dynamic_cast<FlowPopup*>(Popup(PanelPopup::AssignmentText)), kCmdOk);
    ASSERT_EQ(Popup(PanelPopup::AssignmentText), nullptr);
    EXPECT_EQ(std::tuple(gs.sim_halted, gs.screen_open, gs.cash[0]),
              std::tuple(0, 0, int64_t{500000}));

    // A month below the target goes by; raised to it, the month's end
    // brings the assignment-done screen and the clock stands.
    RunMonth();
    EXPECT_EQ(Popup(PanelPopup::AssignmentDone), nullptr);
    gs.cash[0] = AssignmentTarget(0, 50);
    RunMonth();
    auto* done = dynamic_cast<FS_ASSIGNMENT_DONE*>(Popup(PanelPopup::AssignmentDone));
    ASSERT_NE(done, nullptr);
    Shot("end_assignment_done");
    EXPECT_EQ(std::tuple(gs.goal_reached, gs.sim_halted, gs.board_votes), std::tuple(1, 1, 10));
    EXPECT_EQ(done->text_list->GetLine(9), "Assignmnet 1/10: completed");
    const int32_t stood = GameTicks();
    RunTicks(4);
    EXPECT_EQ(GameTicks(), stood);

    // "Go on": the second assignment with its briefing.
    Press(*done, kCmdGoOn);
    EXPECT_EQ(Popup(PanelPopup::AssignmentDone), nullptr);
    EXPECT_EQ(std::tuple(gs.career_level, gs.goal_reached, gs.cash[0], gs.board_votes),
              std::tuple(1, 0, int64_t{480000}, 10));
    EXPECT_EQ(BriefingLine(PanelPopup::AssignmentText, 0), "Assignment 2 of 10");
    Shot("end_career_briefing_2");
    Press(*dynamic_cast<FlowPopup*>(Popup(PanelPopup::AssignmentText)), kCmdOk);
    ASSERT_EQ(Popup(PanelPopup::AssignmentText), nullptr);
    RunMonth();
    EXPECT_EQ(Popup(PanelPopup::AssignmentDone), nullptr);

    // The last assignment with 80 votes: its goal wins the career, and the
    // score sheet of the reached goal follows with no result screen.
    gs.career_level = 9;
    gs.board_votes = 80;
    gs.cash[0] = AssignmentTarget(9, 50);
    RunMonth();
    f.h.Run();  // the sheet paints
    EXPECT_EQ(Popup(PanelPopup::AssignmentDone), nullptr);
    EXPECT_EQ(GameEndPictures(), std::vector<plat::LParam>{kEndPictureWon});
    auto* sheet = Screen<FS_SPIELENDE>(FrameScreen::GameEnd);
    ASSERT_NE(sheet, nullptr);
    Shot("end_score_sheet_career");
    const int32_t total = sheet->total_points;
    EXPECT_EQ(total, 5 + 100 * 10);  // 10,000,000 and the years left from 1960

    // OK: the total takes third place in the list.
    Press(*sheet, kCmdClose);
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::GameEnd), nullptr);
    auto* list = Screen<FS_BESTENLISTE>(FrameScreen::HighScores);
    ASSERT_NE(list, nullptr);
    Shot("end_high_scores_career");
    EXPECT_EQ(std::tuple(std::string(gs.high_scores[1].name), std::string(gs.high_scores[2].name),
                         gs.high_scores[2].points, std::string(gs.high_scores[3].name)),
              std::tuple(std::string("Steady Goods"), std::string("Goal Seekers"),
                         static_cast<uint32_t>(total), std::string("Small Start")));
    EXPECT_EQ(HighScoreLine(gs.high_scores[2]), "Goal Seekers (1,005)");
    Press(*list, kCmdClose);
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::HighScores), nullptr);
    ASSERT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);

    // Quit: best.sav holds the list with the new entry.
    Choose(9);
    EXPECT_TRUE(plat::QuitRequested());
    EXPECT_FALSE(f.h.frame->IsWindow());
    f.h.DeleteFrame();  // the program's exit
    std::ifstream in(f.folder + "/save/best.sav", std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    ASSERT_EQ(bytes.size(), 400u);
    EXPECT_STREQ(bytes.data() + 2 * 40, "Goal Seekers");
    uint32_t points = 0;
    std::memcpy(&points, bytes.data() + 2 * 40 + 36, 4);
    EXPECT_EQ(points, static_cast<uint32_t>(total));
}

TEST_F(GameEndAcceptance, AMissionBelowZeroFailsAtTheNewYearAndGoesBackToTheTitle) {
    CGameState& gs = f.gs();
    Title();
    Choose(4);  // missions
    ASSERT_NE(Popup(PanelPopup::MissionSelect), nullptr);
    f.Char(kEnter);  // the first: m0_0
    ASSERT_EQ(gs.game_mode, kModeMission);
    EXPECT_EQ(BriefingLine(PanelPopup::MissionText, 7), "Goal: a company value of 2,000,000.");
    Shot("end_mission_briefing");
    TypeCompanyName("Short Haul");
    Press(*dynamic_cast<FlowPopup*>(Popup(PanelPopup::MissionText)), kCmdOk);
    ASSERT_EQ(Popup(PanelPopup::MissionText), nullptr);

    // Deep in debt: the months go by until the year ends.
    gs.cash[0] = -300000;
    ASSERT_LT(CompanyValue(gs), 0);
    while (gs.month != 11) {
        RunMonth();
        ASSERT_EQ(Popup(PanelPopup::MissionFailed), nullptr) << gs.month;
    }
    RunMonth();
    auto* failed = dynamic_cast<FS_MISSION_FAILED*>(Popup(PanelPopup::MissionFailed));
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(std::tuple(gs.year, gs.month, gs.goal_reached), std::tuple(1961, 0, 1));
    EXPECT_EQ(failed->text_list->GetLine(0), "Unfortunately you didn't meet the contract terms!");
    Shot("end_mission_failed");

    // The result closed the year's accounts with it; its OK leads to the title.
    EXPECT_EQ(Popup(PanelPopup::YearSummary), nullptr);
    Press(*failed, kCmdOk);
    EXPECT_EQ(g_pSpielFeld, nullptr);
    EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
    EXPECT_TRUE(GameEndPictures().empty());  // no score sheet after a mission
}

TEST_F(GameEndAcceptance, AFreeGameWonByItsBoardShowsTheSheetAndTheList) {
    CGameState& gs = f.gs();
    Title();
    Choose(2);  // new game
    ASSERT_NE(f.h.frame->Screen(FrameScreen::NewGame), nullptr);
    f.Char(kEnter);
    ASSERT_NE(Popup(PanelPopup::CompanyName), nullptr);
    TypeCompanyName("Vote Winners");
    ASSERT_NE(f.h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
    f.Char(kEnter);  // no rivals
    ASSERT_NE(Popup(PanelPopup::CityGrowth), nullptr);
    f.Char(kEnter);  // no growth: 1960
    ASSERT_EQ(std::tuple(gs.game_mode, gs.year, gs.sim_halted),
              std::tuple(int32_t{kModeGame}, 1960, 0));

    // July brings the news of a model of the year.
    gs.vehicle_models[3].model_year = 1960;
    while (gs.month != 6) RunMonth();
    plat::Window* news = Popup(PanelPopup::VehicleNews);
    ASSERT_NE(news, nullptr);
    Shot("end_free_vehicle_news");
    f.Char(kEnter);
    EXPECT_EQ(Popup(PanelPopup::VehicleNews), nullptr);

    // Half the board in favour with a value of 1,000,000,000.
    gs.cash[0] = 1000000000;
    RunTicks(1);
    EXPECT_EQ(gs.board_votes, 50);
    ChooseInPanel(6, kCmdBoard);
    ASSERT_NE(Popup(PanelPopup::BoardVote), nullptr);
    Shot("end_free_board_vote");
    f.Char(kEnter);
    EXPECT_EQ(Popup(PanelPopup::BoardVote), nullptr);

    // 2,000,000,000: all hundred votes end the game with the goal reached.
    gs.cash[0] = 2000000000;
    RunTicks(1);
    f.h.Run();
    EXPECT_EQ(gs.board_votes, 100);
    EXPECT_EQ(GameEndPictures(), std::vector<plat::LParam>{kEndPictureWon});
    auto* sheet = Screen<FS_SPIELENDE>(FrameScreen::GameEnd);
    ASSERT_NE(sheet, nullptr);
    Shot("end_score_sheet_free");
    EXPECT_EQ(sheet->total_points, 1000 + 100 * 10);
    f.Char(kEnter);
    auto* list = Screen<FS_BESTENLISTE>(FrameScreen::HighScores);
    ASSERT_NE(list, nullptr);
    Shot("end_high_scores_free");
    EXPECT_EQ(HighScoreLine(gs.high_scores[0]), "Vote Winners (2,000)");
    f.Char(kEnter);
    EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
}

}  // namespace
