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
            ++uses[StatisticsBlock::PairWord(static_cast<StatPair>(i), p, false)];
            ++uses[StatisticsBlock::PairWord(static_cast<StatPair>(i), p, true)];
        }
    }
    for (int w = 0; w < 1648; ++w) EXPECT_EQ(uses[w], 1) << "word " << w;
    // The credit and the take-over counts follow.
    EXPECT_EQ(&g_Credit, &st.words[1648]);
    EXPECT_EQ(&g_TakeOverCount[0], &st.words[1649]);
    EXPECT_EQ(&g_TakeOverCount[2], &st.words[1651]);
}

TEST_F(StatisticsTest, FixedPositions) {
    // The yearly points series comes before the monthly one.
    EXPECT_EQ(StatisticsBlock::SeriesWord(StatSeries::Points, StatPeriod::Yearly, 0, 0), 1544);
    EXPECT_EQ(StatisticsBlock::SeriesWord(StatSeries::Points, StatPeriod::Monthly, 0, 0), 1596);
    // A player's running slot: offset + 52p + 48; pairs at 8 bytes a player.
    EXPECT_EQ(StatisticsBlock::SeriesWord(StatSeries::CompanyWorth, StatPeriod::Monthly, 2, 12) * 4,
              0x11A0 + 52 * 2 + 48);
    EXPECT_EQ(StatisticsBlock::PairWord(StatPair::K, 3, true) * 4, 0xFE0 + 8 * 3 + 4);
}

TEST_F(StatisticsTest, ClearStatisticsClearsTheCredit) {
    for (int32_t& w : st.words) w = 5;
    ClearStatistics();
    EXPECT_EQ(g_Credit, 0);
    for (int32_t w : st.words) ASSERT_EQ(w, 0);
}

TEST_F(StatisticsTest, MonthlyWorthAndPointsFromTheLow32BitsOfCash) {
    gs.cash[0] = 5000000;
    g_Credit = 1000000;
    gs.cash[1] = (int64_t{1} << 32) + 4000000;
    gs.cash[2] = 3000000000LL;  // -1,294,967,296 as a 32-bit value
    MonthlyRollOver();
    struct Case {
        int player;
        int32_t worth, points;
    };
    for (const Case c : {Case{0, 4000000, 2}, Case{1, 4000000, 2}, Case{2, -1294967296, -647}}) {
        SCOPED_TRACE(c.player);
        EXPECT_EQ(st.Monthly(StatSeries::CompanyWorth, c.player, kLastSlot), c.worth);
        EXPECT_EQ(st.Monthly(StatSeries::Points, c.player, kLastSlot), c.points);
        EXPECT_EQ(st.Monthly(StatSeries::CompanyWorth, c.player, kCurrentSlot), 0);
    }
}

TEST_F(StatisticsTest, TakeOversRaiseThePlayersPoints) {
    g_TakeOverCount[0] = 1;
    g_TakeOverCount[2] = 1;
    gs.cash[0] = 0;
    gs.cash[1] = 0;
    MonthlyRollOver();
    EXPECT_EQ(st.Monthly(StatSeries::Points, 0, kLastSlot), 200);
    EXPECT_EQ(st.Monthly(StatSeries::Points, 0, kCurrentSlot), 200);
    // An opponent's worth loses its take-over count word, not the credit.
    EXPECT_EQ(st.Monthly(StatSeries::CompanyWorth, 1, kLastSlot), -1);
    EXPECT_EQ(st.Monthly(StatSeries::Points, 1, kLastSlot), 0);
}

TEST_F(StatisticsTest, FlowsRestartLevelsCarryOver) {
    gs.cash[0] = 0;
    st.Book(StatSeries::TotalCosts, 0, 500);
    st.Book(StatSeries::RevenueToys, 0, 70);
    st.Book(StatSeries::AnnualProfit, 0, -430);
    st.Book(StatSeries::OverallProfit, 0, -430);
    st.Book(StatSeries::VehicleCount, 0, 3);
    st.Book(StatSeries::NetworkLength, 0, 12);
    MonthlyRollOver();
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 0, kLastSlot), 500);
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 0), 0);
    EXPECT_EQ(st.Monthly(StatSeries::RevenueToys, 0), 0);
    EXPECT_EQ(st.Monthly(StatSeries::AnnualProfit, 0), 0);
    EXPECT_EQ(st.Monthly(StatSeries::OverallProfit, 0), -430);
    EXPECT_EQ(st.Monthly(StatSeries::VehicleCount, 0), 3);
    EXPECT_EQ(st.Monthly(StatSeries::NetworkLength, 0), 12);
    // The yearly series move only at the year's end.
    EXPECT_EQ(st.Yearly(StatSeries::TotalCosts, 0), 500);

    // Twelve more months: the oldest slot falls out, the level stays.
    for (int m = 0; m < 12; ++m) MonthlyRollOver();
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 0, 0), 0);
    EXPECT_EQ(st.Monthly(StatSeries::OverallProfit, 0, 0), -430);
}

TEST_F(StatisticsTest, YearlyPairsAndSeries) {
    for (int i = 0; i < kStatPairCount; ++i) st.BookPair(static_cast<StatPair>(i), 1, 10 + i);
    st.Book(StatSeries::OverallProfit, 1, 900);
    st.Book(StatSeries::TotalReceipts, 1, 1200);
    gs.cash[1] = 2000000;
    MonthlyRollOver();
    YearlyRollOver();
    for (int i = 0; i < kStatPairCount; ++i) {
        const StatPair pair = static_cast<StatPair>(i);
        EXPECT_EQ(st.PairLast(pair, 1), 10 + i);
        EXPECT_EQ(st.PairThis(pair, 1), pair == StatPair::K ? 10 + i : 0);
    }
    EXPECT_EQ(st.Yearly(StatSeries::TotalReceipts, 1, kLastSlot), 1200);
    EXPECT_EQ(st.Yearly(StatSeries::TotalReceipts, 1), 0);
    EXPECT_EQ(st.Yearly(StatSeries::OverallProfit, 1), 900);
    // Worth and points of the year come from the December just completed.
    EXPECT_EQ(st.Yearly(StatSeries::CompanyWorth, 1, kLastSlot), 2000000);
    EXPECT_EQ(st.Yearly(StatSeries::Points, 1, kLastSlot), 1);
    // Pair K keeps its running value over any number of years.
    for (int y = 0; y < 5; ++y) YearlyRollOver();
    EXPECT_EQ(st.PairThis(StatPair::K, 1), 10 + 10);
}

TEST_F(StatisticsTest, BookingWrapsInsteadOfOverflowing) {
    st.Monthly(StatSeries::TotalCosts, 0) = 2147483647;
    st.Book(StatSeries::TotalCosts, 0, 1);
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 0), -2147483647 - 1);
}

TEST_F(StatisticsTest, BookingsForNoSuchPlayerChangeNothing) {
    for (int32_t i = 0; i < kStatisticsWords; ++i) st.words[i] = i;
    for (int32_t player : {-1, 4, 1000, -2147483647 - 1}) {
        st.Book(StatSeries::Points, player, 7);
        st.Book(StatSeries::TotalCosts, player, 7);
        st.BookPair(StatPair::K, player, 7);
        st.BookPair(StatPair::A, player, 7);
    }
    for (int32_t i = 0; i < kStatisticsWords; ++i) ASSERT_EQ(st.words[i], i) << "word " << i;
}

TEST_F(StatisticsTest, WayConstructionBooking) {
    BookWayConstruction(1000, 4, 2);
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 2), 1000);
    EXPECT_EQ(st.Yearly(StatSeries::TotalCosts, 2), 1000);
    EXPECT_EQ(st.Monthly(StatSeries::CompanyWorth, 2), 1000);
    EXPECT_EQ(st.PairThis(StatPair::C, 2), 1000);
    EXPECT_EQ(st.Yearly(StatSeries::AnnualProfit, 2), -1000);
    EXPECT_EQ(st.Monthly(StatSeries::OverallProfit, 2), -1000);
    EXPECT_EQ(st.PairThis(StatPair::J, 2), -1000);
    EXPECT_EQ(st.PairThis(StatPair::K, 2), -1000);
    EXPECT_EQ(st.Yearly(StatSeries::NetworkLength, 2), 4);
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 0), 0);
    BookWayConstruction(1000, 4, 4);  // no such player: nothing booked
}

TEST(NewGameCountersTest, ResetValuesKeepTheCareerWords) {
    for (int32_t& w : g_NewGameCounters.words) w = 0x12345678;
    ResetGameCounters();
    const int32_t* w = g_NewGameCounters.words;
    EXPECT_EQ(w[0], 300000);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(w[i], 0) << i;
    EXPECT_EQ(w[13], 300000);
    EXPECT_EQ(w[14], 1960);
    EXPECT_EQ(w[15], 1960);
    EXPECT_EQ(w[16], -1);
    EXPECT_EQ(w[17], 0x12340000);
    EXPECT_EQ(w[18], 0x12345678);
    EXPECT_EQ(w[19], 0);
}

}  // namespace
