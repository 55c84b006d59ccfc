// The goal of missions and career assignments: the targets, the boundaries
// of the value, failure only at a new year and no test while the game stands.

#include "game/level_goal.h"

#include <gtest/gtest.h>

#include "state/game_state.h"
#include "state/statistics.h"
#include "support/game_scope.h"

namespace {

TEST(LevelGoal, AssignmentTargetsGrowWithTheAssignmentAndTheDifficulty) {
    struct Case {
        int32_t assignment, difficulty;
        int64_t target;
    };
    for (const Case& c :
         {Case{0, 50, 1000000}, Case{0, 70, 1400000}, Case{0, 100, 2000000}, Case{1, 50, 2000000},
          Case{4, 70, 7000000}, Case{9, 50, 10000000}, Case{9, 100, 20000000}}) {
        EXPECT_EQ(AssignmentTarget(c.assignment, c.difficulty), c.target)
            << c.assignment << " " << c.difficulty;
    }
    EXPECT_EQ(kMissionTarget, 2000000);
}

TEST(LevelGoal, TheValueAtTheTargetFinishesOneBelowDoesNot) {
    struct Case {
        int32_t mode, assignment, difficulty;
        int64_t value;
        GoalStep step;
    };
    const Case cases[] = {
        {kModeMission, 0, 50, 1999999, GoalStep::None},
        {kModeMission, 0, 50, 2000000, GoalStep::MissionDone},
        {kModeMission, 7, 100, 2000000,
         GoalStep::MissionDone},  // the career's figures do not count
        {kModeCareer, 0, 50, 999999, GoalStep::None},
        {kModeCareer, 0, 50, 1000000, GoalStep::AssignmentDone},
        {kModeCareer, 3, 70, 5599999, GoalStep::None},
        {kModeCareer, 3, 70, 5600000, GoalStep::AssignmentDone},
        {kModeCareer, 9, 100, 19999999, GoalStep::None},
        {kModeCareer, 9, 100, 20000000, GoalStep::AssignmentDone},
    };
    for (const Case& c : cases) {
        for (const bool new_year : {false, true}) {
            const GoalState s{.game_mode = c.mode,
                              .value = c.value,
                              .assignment = c.assignment,
                              .difficulty = c.difficulty,
                              .new_year = new_year};
            EXPECT_EQ(DecideLevelGoal(s), c.step) << c.mode << " " << c.value;
        }
    }
}

TEST(LevelGoal, ANegativeValueFailsOnlyAtANewYear) {
    struct Case {
        int32_t mode;
        int64_t value;
        bool new_year;
        GoalStep step;
    };
    const Case cases[] = {
        {kModeMission, -1, false, GoalStep::None},
        {kModeMission, -1, true, GoalStep::MissionFailed},
        {kModeMission, 0, true, GoalStep::None},
        {kModeCareer, -5000000, false, GoalStep::None},
        {kModeCareer, -1, true, GoalStep::AssignmentFailed},
        {kModeCareer, 0, true, GoalStep::None},
    };
    for (const Case& c : cases) {
        const GoalState s{.game_mode = c.mode, .value = c.value, .new_year = c.new_year};
        EXPECT_EQ(DecideLevelGoal(s), c.step) << c.mode << " " << c.value << " " << c.new_year;
    }
}

TEST(LevelGoal, OtherModesHaveNoGoalHere) {
    for (const int32_t mode : {0, int32_t{kModeEditor}, int32_t{kModeGame}}) {
        for (const int64_t value : {int64_t{-1}, int64_t{2000000000}}) {
            EXPECT_EQ(DecideLevelGoal({.game_mode = mode, .value = value, .new_year = true}),
                      GoalStep::None)
                << mode;
        }
    }
}

// The running game: the score sheet's value, the assignment in the low byte
// of the career level, and no test while the goal is reached, the game is
// halted or the player paused it.
TEST(LevelGoal, TheRunningGameIsTestedWithTheScoreSheetsValueUnlessItStands) {
    fvtest::GameScope scope;
    ClearStatistics();
    CGameState& gs = scope.state();
    gs.game_mode = kModeCareer;
    gs.career_level = (1 << 8) | 2;  // set 1, assignment 2: 3,000,000 at difficulty 50
    gs.career_difficulty = 50;
    gs.cash[0] = 2500000;
    g_Statistics.Monthly(StatSeries::CompanyWorth, 0) = 700000;
    scope.Set(g_Credit, 200001);
    EXPECT_EQ(TestLevelGoal(gs, false), GoalStep::None);  // 2,999,999
    g_Credit = 200000;
    EXPECT_EQ(TestLevelGoal(gs, false), GoalStep::AssignmentDone);
    // Only the low 32 bits of the cash count, as on the score sheet.
    gs.cash[0] += int64_t{1} << 32;
    EXPECT_EQ(TestLevelGoal(gs, false), GoalStep::AssignmentDone);
    for (int32_t CGameState::*stop :
         {&CGameState::goal_reached, &CGameState::sim_halted, &CGameState::user_pause}) {
        gs.*stop = 1;
        EXPECT_EQ(TestLevelGoal(gs, true), GoalStep::None);
        gs.*stop = 0;
    }
    gs.cash[0] = -1000000;
    EXPECT_EQ(TestLevelGoal(gs, false), GoalStep::None);
    EXPECT_EQ(TestLevelGoal(gs, true), GoalStep::AssignmentFailed);
    gs.game_mode = kModeGame;
    EXPECT_EQ(TestLevelGoal(gs, true), GoalStep::None);
    ClearStatistics();
}

}  // namespace
