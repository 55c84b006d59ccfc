#include "state/statistics.h"

#include <cassert>
#include <initializer_list>

#include "state/game_state.h"

StatisticsBlock g_Statistics{};
NewGameCountersBlock g_NewGameCounters{};

namespace {

constexpr int32_t kCreditWord = 1648;
constexpr int32_t kTakeOverWord = 1649;
constexpr int32_t kPairWords = 2 * kPlayerCount;
constexpr int32_t kSeriesWords = kSeriesSlots * kPlayerCount;

struct SeriesPlace {
    int32_t monthly;
    int32_t yearly;
};

// Word positions of the monthly and yearly series, in StatSeries order. Note
// that the yearly "Points" series comes before the monthly one.
constexpr SeriesPlace kSeriesPlaces[kStatSeriesCount] = {
    {64, 116},     // TotalCosts
    {176, 228},    // TotalReceipts
    {280, 332},    // RevenueCars
    {384, 436},    // RevenueLumber
    {488, 540},    // RevenueSports
    {592, 644},    // RevenueToys
    {696, 748},    // RevenueJewelry
    {800, 852},    // RevenueElectronics
    {912, 964},    // AnnualProfit
    {1024, 1076},  // OverallProfit
    {1128, 1180},  // CompanyWorth
    {1232, 1284},  // VehicleCount
    {1336, 1388},  // BuildingCount
    {1440, 1492},  // NetworkLength
    {1596, 1544},  // Points
};

// Pairs A..H lie together at the start; I, J and K between the series.
constexpr int32_t kPairPlaces[kStatPairCount] = {0, 8, 16, 24, 32, 40, 48, 56, 168, 904, 1016};

// Statistics whose running slot restarts at 0 with each period.
constexpr StatSeries kFlowSeries[] = {
    StatSeries::TotalCosts,     StatSeries::TotalReceipts,      StatSeries::RevenueCars,
    StatSeries::RevenueLumber,  StatSeries::RevenueSports,      StatSeries::RevenueToys,
    StatSeries::RevenueJewelry, StatSeries::RevenueElectronics, StatSeries::AnnualProfit,
};

int32_t Wrap(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

int32_t TakeOverSum() {
    return Wrap(static_cast<int64_t>(g_TakeOverCount[0]) + g_TakeOverCount[1] + g_TakeOverCount[2]);
}

int32_t PointsOf(int32_t worth, int32_t player) {
    int64_t points = worth / 2000000;
    if (player == 0) points += 100 * static_cast<int64_t>(TakeOverSum());
    return Wrap(points);
}

void ShiftSeries(StatSeries s, StatPeriod period, int32_t player) {
    for (int32_t slot = 0; slot < kCurrentSlot; ++slot) {
        g_Statistics.Series(s, period, player, slot) =
            g_Statistics.Series(s, period, player, slot + 1);
    }
}

void ShiftAll(StatPeriod period, int32_t player) {
    for (int32_t s = 0; s < kStatSeriesCount; ++s) {
        ShiftSeries(static_cast<StatSeries>(s), period, player);
    }
}

void ClearFlows(StatPeriod period, int32_t player) {
    for (StatSeries s : kFlowSeries) g_Statistics.Series(s, period, player, kCurrentSlot) = 0;
}

void CarryLevel(StatSeries s, StatPeriod period, int32_t player) {
    g_Statistics.Series(s, period, player, kCurrentSlot) =
        g_Statistics.Series(s, period, player, kLastSlot);
}

}  // namespace

int32_t& g_Credit = g_Statistics.words[kCreditWord];
int32_t* const g_TakeOverCount = &g_Statistics.words[kTakeOverWord];

int32_t StatisticsBlock::SeriesWord(StatSeries s, StatPeriod period, int32_t player, int32_t slot) {
    const int32_t index = static_cast<int32_t>(s);
    assert(index >= 0 && index < kStatSeriesCount);
    assert(player >= 0 && player < kPlayerCount);
    assert(slot >= 0 && slot < kSeriesSlots);
    const SeriesPlace& place = kSeriesPlaces[index];
    const int32_t base = period == StatPeriod::Monthly ? place.monthly : place.yearly;
    return base + player * kSeriesSlots + slot;
}

int32_t StatisticsBlock::PairWord(StatPair p, int32_t player, bool running) {
    const int32_t index = static_cast<int32_t>(p);
    assert(index >= 0 && index < kStatPairCount);
    assert(player >= 0 && player < kPlayerCount);
    return kPairPlaces[index] + 2 * player + (running ? 1 : 0);
}

void StatisticsBlock::Book(StatSeries s, int32_t player, int32_t amount) {
    if (player < 0 || player >= kPlayerCount) return;
    int32_t& m = Monthly(s, player);
    m = Wrap(static_cast<int64_t>(m) + amount);
    int32_t& y = Yearly(s, player);
    y = Wrap(static_cast<int64_t>(y) + amount);
}

void StatisticsBlock::BookPair(StatPair p, int32_t player, int32_t amount) {
    if (player < 0 || player >= kPlayerCount) return;
    int32_t& w = PairThis(p, player);
    w = Wrap(static_cast<int64_t>(w) + amount);
}

void ClearStatistics() {
    for (int32_t& w : g_Statistics.words) w = 0;
}

void MonthlyRollOver() {
    for (int32_t p = 0; p < kPlayerCount; ++p) {
        ShiftAll(StatPeriod::Monthly, p);
        ClearFlows(StatPeriod::Monthly, p);
        for (StatSeries s :
             {StatSeries::OverallProfit, StatSeries::CompanyWorth, StatSeries::VehicleCount,
              StatSeries::BuildingCount, StatSeries::NetworkLength}) {
            CarryLevel(s, StatPeriod::Monthly, p);
        }

        // The month just ended gets the cash into its worth; the running slot
        // keeps only the non-cash worth that other code books during a month.
        const int64_t cash = g_pGameState ? g_pGameState->cash[p] : 0;
        const int32_t cashLow = static_cast<int32_t>(static_cast<uint32_t>(cash));
        const int32_t debt = g_Statistics.words[kCreditWord + p];
        int32_t& worthEnded = g_Statistics.Monthly(StatSeries::CompanyWorth, p, kLastSlot);
        worthEnded = Wrap(static_cast<int64_t>(worthEnded) + cashLow - debt);

        for (int32_t slot : {kLastSlot, kCurrentSlot}) {
            g_Statistics.Monthly(StatSeries::Points, p, slot) =
                PointsOf(g_Statistics.Monthly(StatSeries::CompanyWorth, p, slot), p);
        }
    }
}

void YearlyRollOver() {
    for (int32_t p = 0; p < kPlayerCount; ++p) {
        for (int32_t i = 0; i < kStatPairCount; ++i) {
            const StatPair pair = static_cast<StatPair>(i);
            g_Statistics.PairLast(pair, p) = g_Statistics.PairThis(pair, p);
            if (pair != StatPair::K) g_Statistics.PairThis(pair, p) = 0;
        }
        ShiftAll(StatPeriod::Yearly, p);
        ClearFlows(StatPeriod::Yearly, p);
        for (StatSeries s : {StatSeries::OverallProfit, StatSeries::VehicleCount,
                             StatSeries::BuildingCount, StatSeries::NetworkLength}) {
            CarryLevel(s, StatPeriod::Yearly, p);
        }
        for (int32_t slot : {kLastSlot, kCurrentSlot}) {
            const int32_t worth = g_Statistics.Monthly(StatSeries::CompanyWorth, p, slot);
            g_Statistics.Yearly(StatSeries::CompanyWorth, p, slot) = worth;
            g_Statistics.Yearly(StatSeries::Points, p, slot) = PointsOf(worth, p);
        }
    }
}

void BookWayConstruction(int32_t amount, int32_t fields, int32_t player) {
    g_Statistics.Book(StatSeries::TotalCosts, player, amount);
    g_Statistics.Book(StatSeries::CompanyWorth, player, amount);
    g_Statistics.BookPair(StatPair::C, player, amount);
    g_Statistics.Book(StatSeries::AnnualProfit, player, Wrap(-static_cast<int64_t>(amount)));
    g_Statistics.Book(StatSeries::OverallProfit, player, Wrap(-static_cast<int64_t>(amount)));
    g_Statistics.BookPair(StatPair::J, player, Wrap(-static_cast<int64_t>(amount)));
    g_Statistics.BookPair(StatPair::K, player, Wrap(-static_cast<int64_t>(amount)));
    g_Statistics.Book(StatSeries::NetworkLength, player, fields);
}

void ResetGameCounters() {
    int32_t* w = g_NewGameCounters.words;
    const int32_t keptCareerValue = w[kNgcCareerValue2];
    const int32_t keptTagHigh = w[kNgcCareerLevelTag] & static_cast<int32_t>(0xFFFF0000u);
    for (int32_t i = 0; i < kNewGameCounterWords; ++i) w[i] = 0;
    w[kNgcMoney] = 300000;
    w[kNgcMoney2] = 300000;
    w[kNgcYear1] = 1960;
    w[kNgcYear2] = 1960;
    w[kNgcCareerValue] = -1;
    w[kNgcCareerLevelTag] = keptTagHigh;
    w[kNgcCareerValue2] = keptCareerValue;
}

int32_t AnnounceCounterWord(int32_t producer_kind) {
    switch (producer_kind) {
        case 9:
            return kNgcMotor;
        case 10:
            return kNgcLumber;
        case 11:
            return kNgcElectronics;
        case 12:
            return kNgcSports;
        case 13:
            return kNgcToys;
        case 14:
            return kNgcJewelry;
        default:
            return -1;
    }
}
