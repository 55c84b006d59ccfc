#pragma once
// The arithmetic of the statistics charts, apart from any drawing: the value
// axis (top, bottom and the eleven or ten labels), the hiding of periods
// before the game's start, the line points and the bar heights. Everything in
// 64 bits: a rounded top reaches 3,000,000,000 and a signed range about
// 6,000,000,000, beyond what 32-bit products hold.

#include <array>
#include <cstdint>
#include <span>

#include "state/statistics.h"

namespace stat_chart {

constexpr int32_t kPoints = 12;
constexpr int32_t kLabels = 11;
constexpr int32_t kChartHeight = 200;  // pixels from the bottom line to the top line
constexpr int32_t kBaseY = 210;        // the bottom line in the chart picture
constexpr int32_t kFirstX = 123;       // the first point
constexpr int32_t kStepX = 20;
constexpr int32_t kFirstGameYear = 1960;

// A maximum rounded up to a whole multiple of the power of ten one below its
// number of digits (1,234 -> 2,000; 56,789 -> 60,000); 999 and less stay.
int64_t RoundUpMagnitude(int64_t value);

struct Axis {
    int64_t top = 100;
    int64_t bottom = 0;
};

// The axis over all values: top from the largest (at least 0), rounded up and
// at least 100; with `signed_chart` the bottom from the smallest (at most 0),
// rounded away from zero and 0 when its magnitude is then below 100.
Axis ChartAxis(std::span<const int64_t> values, bool signed_chart);

// The value labels from the top down: eleven for the statistics chart.
std::array<int64_t, kLabels> AxisLabels(const Axis& axis, bool signed_chart);

// The y of a value on the chart: 210 at the bottom, 10 at the top.
int64_t PointY(int64_t value, const Axis& axis);

// The periods a chart shows: the twelve months or years before the running one.
enum class Period : int32_t { Years = 0, Months = 1 };

// Whether element k (0..11, oldest first) lies before January 1960.
bool BeforeGameStart(Period period, int32_t month, int32_t year, int32_t k);

// The period label of element k: the year mod 100 for years, else the index
// into the month letters.
int32_t PeriodLabel(Period period, int32_t month, int32_t year, int32_t k);

// The statistic codes 0..13 of the statistics screen.
constexpr int32_t kStatisticCount = 14;
StatSeries SeriesOfStatistic(int32_t code);
bool IsSignedStatistic(int32_t code);

// The four players' twelve shown values of one series (element 12, the
// running period, is not shown).
using PlayerValues = std::array<std::array<int64_t, kPoints>, kPlayerCount>;

// Everything the line chart draws: the axis, its labels, the values after
// the hiding of periods before the game's start, and each player's points
// in chart coordinates.
struct LineChart {
    Axis axis;
    std::array<int64_t, kLabels> labels{};
    PlayerValues values{};
    std::array<std::array<int64_t, kPoints>, kPlayerCount> y{};
    std::array<int32_t, kPoints> period_labels{};
};
LineChart MakeLineChart(const PlayerValues& raw, bool signed_chart, Period period, int32_t month,
                        int32_t year);

// The sales statistics' bar chart over 12 or 24 values: the top (rounded as
// above, at least 100); `drawn` false when the top is above 999,999,999.
struct BarAxis {
    int64_t top = 100;
    bool drawn = true;
};
BarAxis BarChartAxis(std::span<const int64_t> values);
// The ten labels from the top down, top - k * top / 10.
std::array<int64_t, 10> BarLabels(int64_t top);
// A bar's height in pixels, value * 200 / top; negative for a loss.
int64_t BarHeight(int64_t value, int64_t top);

}  // namespace stat_chart
