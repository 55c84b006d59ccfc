#include "screens/economy/statistics_chart.h"

#include <algorithm>

namespace stat_chart {

namespace {

constexpr int64_t kNoRounding = 999;
constexpr int64_t kMinTop = 100;
constexpr int64_t kLargestBarTop = 999'999'999;

}  // namespace

int64_t RoundUpMagnitude(int64_t value) {
    if (value <= kNoRounding) return value;
    int64_t unit = 1;
    while (value / unit >= 10) unit *= 10;
    return (value + unit - 1) / unit * unit;
}

Axis ChartAxis(std::span<const int64_t> values, bool signed_chart) {
    int64_t top = 0;
    int64_t bottom = 0;
    for (int64_t v : values) {
        top = std::max(top, v);
        bottom = std::min(bottom, v);
    }
    Axis axis;
    axis.top = std::max(RoundUpMagnitude(top), kMinTop);
    if (signed_chart) {
        const int64_t magnitude = RoundUpMagnitude(-bottom);
        axis.bottom = magnitude < kMinTop ? 0 : -magnitude;
    }
    return axis;
}

std::array<int64_t, kLabels> AxisLabels(const Axis& axis, bool signed_chart) {
    std::array<int64_t, kLabels> labels{};
    const int64_t step = (axis.top - axis.bottom) / 10;
    for (int32_t k = 0; k < kLabels; ++k) {
        labels[k] = signed_chart ? axis.top - k * step : axis.top - k * axis.top / 10;
    }
    return labels;
}

int64_t PointY(int64_t value, const Axis& axis) {
    return kBaseY - (value - axis.bottom) * kChartHeight / (axis.top - axis.bottom);
}

bool BeforeGameStart(Period period, int32_t month, int32_t year, int32_t k) {
    if (period == Period::Years) return year - kPoints + k < kFirstGameYear;
    return year < kFirstGameYear + 2 && month + (year - kFirstGameYear) * 12 + k < kPoints;
}

int32_t PeriodLabel(Period period, int32_t month, int32_t year, int32_t k) {
    if (period == Period::Years) return (year - kPoints + k) % 100;
    return (month + k) % 12;
}

StatSeries SeriesOfStatistic(int32_t code) {
    static constexpr StatSeries kSeries[kStatisticCount] = {
        StatSeries::AnnualProfit,   StatSeries::OverallProfit,
        StatSeries::TotalReceipts,  StatSeries::RevenueLumber,
        StatSeries::RevenueJewelry, StatSeries::RevenueToys,
        StatSeries::RevenueSports,  StatSeries::RevenueElectronics,
        StatSeries::RevenueCars,    StatSeries::VehicleCount,
        StatSeries::NetworkLength,  StatSeries::TotalCosts,
        StatSeries::CompanyWorth,   StatSeries::Points};
    return code >= 0 && code < kStatisticCount ? kSeries[code] : StatSeries::AnnualProfit;
}

bool IsSignedStatistic(int32_t code) {
    return code == 0 || code == 1 || code == 12 || code == 13;
}

LineChart MakeLineChart(const PlayerValues& raw, bool signed_chart, Period period, int32_t month,
                        int32_t year) {
    LineChart chart;
    std::array<int64_t, kPoints * kPlayerCount> all{};
    for (int32_t p = 0; p < kPlayerCount; ++p) {
        std::copy(raw[p].begin(), raw[p].end(), all.begin() + p * kPoints);
    }
    chart.axis = ChartAxis(all, signed_chart);
    chart.labels = AxisLabels(chart.axis, signed_chart);
    chart.values = raw;
    const int64_t hidden = signed_chart ? chart.axis.bottom : 0;
    for (int32_t k = 0; k < kPoints; ++k) {
        chart.period_labels[k] = PeriodLabel(period, month, year, k);
        if (!BeforeGameStart(period, month, year, k)) continue;
        for (auto& row : chart.values) row[k] = hidden;
    }
    for (int32_t p = 0; p < kPlayerCount; ++p) {
        for (int32_t k = 0; k < kPoints; ++k)
            chart.y[p][k] = PointY(chart.values[p][k], chart.axis);
    }
    return chart;
}

BarAxis BarChartAxis(std::span<const int64_t> values) {
    int64_t top = 0;
    for (int64_t v : values) top = std::max(top, v);
    BarAxis axis;
    axis.drawn = top <= kLargestBarTop;
    axis.top = std::max(RoundUpMagnitude(top), kMinTop);
    return axis;
}

std::array<int64_t, 10> BarLabels(int64_t top) {
    std::array<int64_t, 10> labels{};
    for (int32_t k = 0; k < 10; ++k) labels[k] = top - k * top / 10;
    return labels;
}

int64_t BarHeight(int64_t value, int64_t top) {
    return top > 0 ? value * kChartHeight / top : 0;
}

}  // namespace stat_chart
