// The result screens of missions and career assignments: their lines for
// the career figures.

#include "screens/flow/result_screens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
