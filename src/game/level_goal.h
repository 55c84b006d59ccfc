#pragma once
// The goal of a mission or a career assignment, tested after each month's
// processing while the game runs: the company value of the score sheet at or
// above the level's target finishes it; a negative value at a new year fails
// it. Missions aim at 2,000,000; career assignment a (0..9) at
// (a + 1) x 1,000,000 x difficulty / 50.

#include <cstdint>

class CGameState;

inline constexpr int64_t kMissionTarget = 2000000;
// The board votes a finished assignment earns.
inline constexpr int32_t kAssignmentVoteReward = 10;

enum class GoalStep { None, MissionDone, MissionFailed, AssignmentDone, AssignmentFailed };

// What the goal test looks at.
struct GoalState {
    int32_t game_mode = 0;
    bool stopped = false;    // goal already reached, simulation halted or paused by the player
    int64_t value = 0;       // the score sheet's company value
    int32_t assignment = 0;  // career assignment 0..9
    int32_t difficulty = 50;
    bool new_year = false;  // the month just processed opened a year
};

// The target of career assignment `assignment` at `difficulty` (50, 70, 100).
int64_t AssignmentTarget(int32_t assignment, int32_t difficulty);

// The step the goal asks for; None outside missions and careers.
GoalStep DecideLevelGoal(const GoalState& s);

// The goal test on the running game (its value through the score sheet's
// computation).
GoalStep TestLevelGoal(const CGameState& gs, bool new_year);
