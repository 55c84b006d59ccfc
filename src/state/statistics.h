#pragma once
// The statistics history g_Statistics and the counter block g_NewGameCounters.
// Level files store both whole, as 1,652 and 20 little-endian 32-bit words,
// so their word layout is fixed. Code never uses word offsets directly: the
// series and pairs are named below and reached through the accessors.
//
// A series holds, per player, 13 slots: slot 12 is the running period, slots
// 0..11 the twelve periods before it, oldest first. Every statistic has a
// monthly and a yearly series. A pair holds, per player, the last and the
// running year.

#include <cstdint>

constexpr int32_t kPlayerCount = 4;  // 0 = the human player, 1..3 opponents
constexpr int32_t kSeriesSlots = 13;
constexpr int32_t kCurrentSlot = 12;
constexpr int32_t kLastSlot = 11;  // the period just completed
constexpr int32_t kStatisticsWords = 1652;
constexpr int32_t kNewGameCounterWords = 20;

enum class StatSeries {
    TotalCosts,
    TotalReceipts,
    RevenueCars,
    RevenueLumber,
    RevenueSports,
    RevenueToys,
    RevenueJewelry,
    RevenueElectronics,
    AnnualProfit,
    OverallProfit,
    CompanyWorth,  // running slot: the non-cash worth booked by buildings and vehicles
    VehicleCount,
    BuildingCount,  // not shown by the statistics screen
    NetworkLength,  // "Long distance network"
    Points,
};
constexpr int32_t kStatSeriesCount = 15;

enum class StatPeriod { Monthly, Yearly };

// The yearly pairs. A..H are the rows of the annual accounts.
enum class StatPair {
    A,  // vehicle purchases
    B,  // construction (placement prices, station lengthening)
    C,  // way construction
    D,  // running costs of vehicles
    E,  // demolition
    F,
    G,  // production and purchase of goods
    H,  // interest paid
    I,  // receipts
    J,  // annual profit
    K,  // overall profit: never reset
};
constexpr int32_t kStatPairCount = 11;
constexpr StatPair kPairInterest = StatPair::H;
constexpr StatPair kPairReceipts = StatPair::I;
constexpr StatPair kPairAnnualProfit = StatPair::J;
constexpr StatPair kPairOverallProfit = StatPair::K;

struct StatisticsBlock {
    int32_t words[kStatisticsWords];

    // Word index of a series slot or a pair word (for the few callers that
    // need positions, e.g. tests of the file layout).
    static int32_t SeriesWord(StatSeries s, StatPeriod period, int32_t player, int32_t slot);
    static int32_t PairWord(StatPair p, int32_t player, bool running);

    int32_t& Series(StatSeries s, StatPeriod period, int32_t player, int32_t slot) {
        return words[SeriesWord(s, period, player, slot)];
    }
    int32_t& Monthly(StatSeries s, int32_t player, int32_t slot = kCurrentSlot) {
        return Series(s, StatPeriod::Monthly, player, slot);
    }
    int32_t& Yearly(StatSeries s, int32_t player, int32_t slot = kCurrentSlot) {
        return Series(s, StatPeriod::Yearly, player, slot);
    }
    int32_t& PairThis(StatPair p, int32_t player) { return words[PairWord(p, player, true)]; }
    int32_t& PairLast(StatPair p, int32_t player) { return words[PairWord(p, player, false)]; }

    // Adds an amount to the running slot of both the monthly and the yearly
    // series (32-bit wrap-around, as the stored words are 32-bit). Both
    // bookings ignore a player outside 0..3 (an owner number read from a
    // damaged file must not write beside the block).
    void Book(StatSeries s, int32_t player, int32_t amount);
    // Adds an amount to the running year of a pair.
    void BookPair(StatPair p, int32_t player, int32_t amount);
};
static_assert(sizeof(StatisticsBlock) == kStatisticsWords * 4);

extern StatisticsBlock g_Statistics;
// The human player's loan (a word of g_Statistics).
extern int32_t& g_Credit;
// Take-overs of opponents 1..3: g_TakeOverCount[0..2] (words of g_Statistics).
extern int32_t* const g_TakeOverCount;

// Sets all 1,652 words to 0, the credit and the take-over counts included.
void ClearStatistics();
// Called by the game tick at every new month, before YearlyRollOver.
void MonthlyRollOver();
// Called by the game tick when the new month is January.
void YearlyRollOver();

// Books a way built or removed by player p for `amount` over `fields` fields,
// after the caller has changed the player's cash: "Total costs", "Company
// worth" and pair C rise by the amount; "Annual profit", "Overall profit" and
// pairs J and K fall by it; "Long distance network" rises by the fields.
void BookWayConstruction(int32_t amount, int32_t fields, int32_t player);

// ---------------------------------------------------------------------------
// g_NewGameCounters

enum NewGameCounter : int32_t {
    kNgcMoney = 0,
    // Announce counters of the industries' goods: a negative counter
    // suppresses the March announcement (and, in career and mission levels,
    // the availability) of that industry's goods.
    kNgcLumber = 1,
    kNgcSports = 2,
    kNgcToys = 3,
    kNgcJewelry = 4,
    kNgcElectronics = 5,
    kNgcMotor = 6,
    // Words 7..12: building introduction years of career and mission levels
    // (low 16 bits), for building types 15, 17, 18, 19, 16, 14 in this order.
    kNgcBuildingYearFirst = 7,
    kNgcMoney2 = 13,
    kNgcYear1 = 14,
    kNgcYear2 = 15,
    kNgcCareerValue = 16,
    kNgcCareerLevelTag = 17,  // low 16 bits; the high 16 bits are kept by resets
    kNgcCareerValue2 = 18,    // not reset
    kNgcWord19 = 19,
};

struct NewGameCountersBlock {
    int32_t words[kNewGameCounterWords];
};
extern NewGameCountersBlock g_NewGameCounters;

// Sets g_NewGameCounters to its reset values.
void ResetGameCounters();

// The counter word that gates the announcement of goods made by an industry
// (producer kinds 9..14), or -1 for every other producer kind.
int32_t AnnounceCounterWord(int32_t producer_kind);
