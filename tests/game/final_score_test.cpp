// The final score of a finished game: points from the company value, the
// take-overs and the years before 2060.

#include "game/final_score.h"

#include <gtest/gtest.h>

#include <tuple>

#include "state/statistics.h"
#include "support/game_scope.h"

namespace {

TEST(FinalScore, PointsFollowTheValueTowardZero) {
    struct Case {
        int64_t cash;
        int32_t points;
    };
    fvtest::GameScope scope;
    ClearStatistics();
    scope.state().year = 2060;
    for (const Case& c : {Case{1999999, 0}, Case{2000000, 1}, Case{-2000000, -1}, Case{-1999999, 0},
                          Case{2147483647, 1073}}) {
        scope.state().cash[0] = c.cash;
        const FinalScore s = ComputeFinalScore(scope.state(), false);
        EXPECT_EQ(std::tuple(s.points, s.total), std::tuple(c.points, c.points)) << c.cash;
    }
}

TEST(FinalScore, ValueTakesTheLow32BitsOfCashTheWorthAndTheLoan) {
    fvtest::GameScope scope;
    ClearStatistics();
    CGameState& gs = scope.state();
    gs.year = 2070;
    gs.cash[0] = (int64_t{1} << 32) + 3000000;  // only the low 32 bits count
    g_Statistics.Monthly(StatSeries::CompanyWorth, 0) = 2000000;
    g_Credit = 1000000;
    const FinalScore s = ComputeFinalScore(gs, false);
    EXPECT_EQ(std::tuple(s.value, s.points, s.years), std::tuple(int64_t{4000000}, 2, 0));
    ClearStatistics();
}

TEST(FinalScore, TakeOversAndYearsGiveTenPointsEach) {
    fvtest::GameScope scope;
    ClearStatistics();
    CGameState& gs = scope.state();
    gs.cash[0] = 0;
    gs.year = 2050;
    g_TakeOverCount[0] = 1;
    g_TakeOverCount[2] = 2;
    FinalScore s = ComputeFinalScore(gs, false);
    EXPECT_EQ(std::tuple(s.take_overs, s.years, s.total), std::tuple(3, 10, 130));
    // Going on past the last level ends without year points.
    s = ComputeFinalScore(gs, true);
    EXPECT_EQ(std::tuple(s.years, s.total), std::tuple(0, 30));
    ClearStatistics();
}

}  // namespace
