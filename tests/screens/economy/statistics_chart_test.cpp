// The chart arithmetic of the statistics screens, apart from any drawing.

#include "screens/economy/statistics_chart.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace stat_chart;

TEST(StatisticsChart, UnsignedTopIsRoundedUpToTheDigitBelowItsLength) {
    const struct {
        int64_t largest;
        int64_t top;
    } kCases[] = {{0, 100},
                  {-500, 100},
                  {99, 100},
                  {999, 999},
                  {1'000, 1'000},
                  {1'234, 2'000},
                  {10'000, 10'000},
                  {10'001, 20'000},
                  {56'789, 60'000},
                  {60'000, 60'000},
                  {150'000, 200'000},
                  {999'999'999, 1'000'000'000},
                  {2'100'000'000, 3'000'000'000}};
    for (const auto& c : kCases) {
        const std::vector<int64_t> values{c.largest, -7, 0};
        EXPECT_EQ(ChartAxis(values, false).top, c.top) << c.largest;
        EXPECT_EQ(ChartAxis(values, false).bottom, 0);
    }
}

TEST(StatisticsChart, SignedBottomIsRoundedAwayFromZeroOrDropped) {
    const struct {
        int64_t smallest;
        int64_t bottom;
    } kCases[] = {{-1'234, -2'000},
                  {-50, 0},
                  {-99, 0},
                  {-100, -100},
                  {-999, -999},
                  {-10'001, -20'000},
                  {-2'100'000'000, -3'000'000'000}};
    for (const auto& c : kCases) {
        const std::vector<int64_t> values{c.smallest, 500};
        const Axis axis = ChartAxis(values, true);
        EXPECT_EQ(axis.bottom, c.bottom) << c.smallest;
        EXPECT_EQ(axis.top, 500);
    }
}

TEST(StatisticsChart, ElevenLabelsFromTopToBottom) {
    EXPECT_EQ(AxisLabels({100, 0}, false),
              (std::array<int64_t, 11>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 0}));
    EXPECT_EQ(AxisLabels({999, 0}, false),
              (std::array<int64_t, 11>{999, 900, 800, 700, 600, 500, 400, 300, 200, 100, 0}));
    EXPECT_EQ(AxisLabels({1'000, -2'000}, true),
              (std::array<int64_t, 11>{1000, 700, 400, 100, -200, -500, -800, -1100, -1400, -1700,
                                       -2000}));
    // A range of six billion keeps its labels in 64 bits.
    const auto wide = AxisLabels({3'000'000'000, -3'000'000'000}, true);
    EXPECT_EQ(wide[0], 3'000'000'000);
    EXPECT_EQ(wide[10], -3'000'000'000);
}

TEST(StatisticsChart, PointsRunFromTheBottomLineToTheTopLine) {
    EXPECT_EQ(PointY(0, {100, 0}), 210);
    EXPECT_EQ(PointY(100, {100, 0}), 10);
    EXPECT_EQ(PointY(-50, {100, 0}), 310);  // no clamping: below the axis
    EXPECT_EQ(PointY(-3'000'000'000, {3'000'000'000, -3'000'000'000}), 210);
    EXPECT_EQ(PointY(2'100'000'000, {3'000'000'000, 0}), 70);
}

TEST(StatisticsChart, MonthsBeforeTheGameStartAreHidden) {
    PlayerValues values{};
    for (auto& row : values) row.fill(-400);
    values[0][11] = 1'000;
    // March 1960: elements 0..9 lie before January 1960.
    const LineChart months = MakeLineChart(values, false, Period::Months, 2, 1960);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(months.values[0][k], 0) << k;
    EXPECT_EQ(months.values[0][10], -400);
    EXPECT_EQ(months.period_labels[11], 1);  // "F": February was last month
    EXPECT_EQ(months.period_labels[0], 2);
    const LineChart signed_months = MakeLineChart(values, true, Period::Months, 2, 1960);
    EXPECT_EQ(signed_months.axis.bottom, -400);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(signed_months.values[1][k], -400) << k;
    EXPECT_EQ(signed_months.y[1][0], 210);
    // From 1962 on nothing is hidden.
    EXPECT_EQ(MakeLineChart(values, false, Period::Months, 0, 1962).values[0][0], -400);
}

TEST(StatisticsChart, YearsBeforeTheGameStartAreHidden) {
    PlayerValues values{};
    for (auto& row : values) row.fill(7);
    const LineChart years = MakeLineChart(values, false, Period::Years, 4, 1965);
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(years.period_labels[k], 53 + k);
        EXPECT_EQ(years.values[2][k], k < 7 ? 0 : 7) << k;
    }
    EXPECT_EQ(MakeLineChart(values, false, Period::Years, 0, 2005).period_labels[11], 4);
}

TEST(StatisticsChart, StatisticCodesNameTheirSeries) {
    EXPECT_EQ(SeriesOfStatistic(2), StatSeries::TotalReceipts);
    EXPECT_EQ(SeriesOfStatistic(3), StatSeries::RevenueLumber);
    EXPECT_EQ(SeriesOfStatistic(8), StatSeries::RevenueCars);
    EXPECT_EQ(SeriesOfStatistic(9), StatSeries::VehicleCount);
    EXPECT_EQ(SeriesOfStatistic(13), StatSeries::Points);
    for (int code = 0; code < kStatisticCount; ++code) {
        EXPECT_EQ(IsSignedStatistic(code), code <= 1 || code >= 12) << code;
    }
}

TEST(StatisticsChart, BarChartAxisAndHeights) {
    std::vector<int64_t> months(12, 20'000);
    months[5] = 150'000;
    const BarAxis axis = BarChartAxis(months);
    EXPECT_TRUE(axis.drawn);
    EXPECT_EQ(axis.top, 200'000);
    const auto labels = BarLabels(axis.top);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(labels[k], 200'000 - 20'000 * k);
    EXPECT_EQ(BarHeight(150'000, axis.top), 150);
    EXPECT_LT(BarHeight(-5'000, axis.top), 1);  // a loss has no bar
    EXPECT_EQ(BarChartAxis(std::vector<int64_t>(12, 0)).top, 100);
    // Beyond 32-bit products: 900 million times 200.
    EXPECT_EQ(BarHeight(900'000'000, 1'000'000'000), 180);
    EXPECT_FALSE(BarChartAxis(std::vector<int64_t>{1'000'000'000}).drawn);
    EXPECT_TRUE(BarChartAxis(std::vector<int64_t>{999'999'999}).drawn);
}

}  // namespace
