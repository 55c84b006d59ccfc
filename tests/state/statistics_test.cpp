#include "state/statistics.h"

#include <gtest/gtest.h>

#include <vector>

#include "state/game_state.h"
#include "support/game_scope.h"

namespace {

class StatisticsTest : public ::testing::Test {
  protected:
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    StatisticsBlock& st = g_Statistics;
};

// The block is the file's record: every word has one owner, and a few stand
// at fixed places.
TEST_F(StatisticsTest, LayoutCoversEveryWordOnce) {
    std::vector<int> uses(kStatisticsWords, 0);
    for (int s = 0; s < kStatSeriesCount; ++s) {
        for (StatPeriod period : {StatPeriod::Monthly, StatPeriod::Yearly}) {
            for (int p = 0; p < kPlayerCount; ++p) {
                for (int slot = 0; slot < kSeriesSlots; ++slot) {
                    ++uses[StatisticsBlock::SeriesWord(static_cast<StatSeries>(s), period, p,
                                                       slot)];
                }
            }
        }
    }
    for (int i = 0; i < kStatPairCount; ++i) {
        for (int p = 0; p < kPlayerCount; ++p) {
            for (bool last : {false, true}) ++uses[StatisticsBlock::PairWord(StatPair(i), p, last)];
        }
    }
    for (int w = 0; w < 1648; ++w) EXPECT_EQ(uses[w], 1) << "word " << w;
    EXPECT_EQ(&g_Credit, &st.words[1648]);
    EXPECT_EQ(&g_TakeOverCount[2], &st.words[1651]);
    EXPECT_EQ(StatisticsBlock::SeriesWord(StatSeries::Points, StatPeriod::Yearly, 0, 0), 1544);
    EXPECT_EQ(StatisticsBlock::SeriesWord(StatSeries::CompanyWorth, StatPeriod::Monthly, 2, 12) * 4,
              0x11A0 + 52 * 2 + 48);
    EXPECT_EQ(StatisticsBlock::PairWord(StatPair::K, 3, true) * 4, 0xFE0 + 8 * 3 + 4);
}

TEST_F(StatisticsTest, MonthlyWorthAndPointsFromTheLow32BitsOfCashAndTakeOvers) {
    gs.cash[0] = 5000000;
    g_Credit = 1000000;
    g_TakeOverCount[0] = 1;
    gs.cash[1] = (int64_t{1} << 32) + 4000000;
    gs.cash[2] = 3000000000LL;  // -1,294,967,296 as a 32-bit value
    MonthlyRollOver();
    struct Case {
        int player;
        int32_t worth, points;
    };
    // A take-over raises the player's points; an opponent's worth loses the
    // take-over count word that stands in its credit's place.
    for (const Case c : {Case{0, 4000000, 102}, {1, 3999999, 1}, {2, -1294967296, -647}}) {
        SCOPED_TRACE(c.player);
        EXPECT_EQ(st.Monthly(StatSeries::CompanyWorth, c.player, kLastSlot), c.worth);
        EXPECT_EQ(st.Monthly(StatSeries::Points, c.player, kLastSlot), c.points);
        EXPECT_EQ(st.Monthly(StatSeries::CompanyWorth, c.player, kCurrentSlot), 0);
    }
}

TEST_F(StatisticsTest, FlowsRestartLevelsCarryOverAndYearsMoveThePairs) {
    gs.cash[1] = 2000000;
    for (int i = 0; i < kStatPairCount; ++i) st.BookPair(static_cast<StatPair>(i), 1, 10 + i);
    st.Book(StatSeries::TotalCosts, 1, 500);
    st.Book(StatSeries::OverallProfit, 1, -430);
    st.Book(StatSeries::VehicleCount, 1, 3);
    MonthlyRollOver();
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 1, kLastSlot), 500);
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 1), 0);
    EXPECT_EQ(st.Monthly(StatSeries::OverallProfit, 1), -430);
    EXPECT_EQ(st.Monthly(StatSeries::VehicleCount, 1), 3);
    EXPECT_EQ(st.Yearly(StatSeries::TotalCosts, 1), 500);  // only at the year's end
    YearlyRollOver();
    for (int i = 0; i < kStatPairCount; ++i) {
        const StatPair pair = static_cast<StatPair>(i);
        EXPECT_EQ(st.PairLast(pair, 1), 10 + i);
        EXPECT_EQ(st.PairThis(pair, 1), pair == StatPair::K ? 10 + i : 0);
    }
    EXPECT_EQ(st.Yearly(StatSeries::TotalCosts, 1, kLastSlot), 500);
    EXPECT_EQ(st.Yearly(StatSeries::TotalCosts, 1), 0);
    EXPECT_EQ(st.Yearly(StatSeries::OverallProfit, 1), -430);
    // Worth and points of the year come from the December just completed.
    EXPECT_EQ(st.Yearly(StatSeries::CompanyWorth, 1, kLastSlot), 2000000);
    EXPECT_EQ(st.Yearly(StatSeries::Points, 1, kLastSlot), 1);
    // Twelve more months: the oldest slot falls out, the level stays.
    for (int m = 0; m < 12; ++m) MonthlyRollOver();
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 1, 0), 0);
    EXPECT_EQ(st.Monthly(StatSeries::OverallProfit, 1, 0), -430);
}

TEST_F(StatisticsTest, BookingWrapsAndBookingsForNoSuchPlayerChangeNothing) {
    st.Monthly(StatSeries::TotalCosts, 0) = 2147483647;
    st.Book(StatSeries::TotalCosts, 0, 1);
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 0), -2147483647 - 1);
    for (int32_t i = 0; i < kStatisticsWords; ++i) st.words[i] = i;
    for (int32_t player : {-1, 4, 1000, -2147483647 - 1}) {
        st.Book(StatSeries::Points, player, 7);
        st.BookPair(StatPair::K, player, 7);
        BookWayConstruction(1000, 4, player);
    }
    for (int32_t i = 0; i < kStatisticsWords; ++i) ASSERT_EQ(st.words[i], i) << "word " << i;
    ClearStatistics();
    for (int32_t w : st.words) ASSERT_EQ(w, 0);
}

TEST(NewGameCountersTest, ResetValuesKeepTheCareerWords) {
    for (int32_t& w : g_NewGameCounters.words) w = 0x12345678;
    ResetGameCounters();
    const int32_t* w = g_NewGameCounters.words;
    const int32_t expected[20] = {300000, 0, 0, 0,      0,    0,    0,  0,          0,          0,
                                  0,      0, 0, 300000, 1960, 1960, -1, 0x12340000, 0x12345678, 0};
    for (int i = 0; i < 20; ++i) EXPECT_EQ(w[i], expected[i]) << i;
}

}  // namespace
