#include "game/level_goal.h"

#include "game/final_score.h"
#include "state/game_state.h"

int64_t AssignmentTarget(int32_t assignment, int32_t difficulty) {
    return (static_cast<int64_t>(assignment) + 1) * 1000000 * difficulty / 50;
}

GoalStep DecideLevelGoal(const GoalState& s) {
    const bool mission = s.game_mode == kModeMission;
    if ((!mission && s.game_mode != kModeCareer) || s.stopped) return GoalStep::None;
    const int64_t target = mission ? kMissionTarget : AssignmentTarget(s.assignment, s.difficulty);
    if (s.value >= target) return mission ? GoalStep::MissionDone : GoalStep::AssignmentDone;
    if (s.value < 0 && s.new_year) {
        return mission ? GoalStep::MissionFailed : GoalStep::AssignmentFailed;
    }
    return GoalStep::None;
}

GoalStep TestLevelGoal(const CGameState& gs, bool new_year) {
    return DecideLevelGoal(
        {.game_mode = gs.game_mode,
         .stopped = gs.goal_reached != 0 || gs.sim_halted != 0 || gs.user_pause != 0,
         .value = CompanyValue(gs),
         .assignment = gs.career_level & 0xFF,
         .difficulty = gs.career_difficulty,
         .new_year = new_year});
}
