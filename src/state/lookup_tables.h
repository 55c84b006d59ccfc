#pragma once
// CLookupTables: the fixed number tables of the game, built once when the
// main frame is created and reached through g_pLookupTables. Its constructor
// also writes the start values of several game-state tables and settings
// (season folders, city-growth tables, new-game settings) and fills the
// goods, building-type, market-event and vehicle-model tables.

#include <cstdint>

constexpr int32_t kPickTableCount = 15;
constexpr int32_t kPickTableSize = 100;
constexpr int32_t kPickClasses = 11;
constexpr int32_t kBalanceSequenceLength = 105;

class CLookupTables {
  public:
    // Works on its own tables and on g_pGameState.
    CLookupTables();

    // Five colour indices.
    uint8_t colours[5] = {};
    // Demand change of a price step -5..+5 (index step + 5), in percent;
    // entries 5..10 are the price mark-ups 0, 10, 20, 30, 40, 50.
    int8_t price_steps[11] = {};
    // Demand change of advertising levels 0..3, in percent (mark-downs).
    int8_t advertising[4] = {};

    // Balance tables for weighted random choices of the economy and the
    // cities: two building-type lists ended by -1, a sequence of 105 numbers
    // 0..30, twelve percentages followed by twelve of 100, and fifteen pick
    // tables of 100 classes each (index with a random number 0..99).
    int32_t type_list_a[7] = {};
    int32_t type_list_b[8] = {};
    int32_t balance_sequence[kBalanceSequenceLength] = {};
    uint8_t balance_percents[24] = {};
    uint8_t pick_tables[kPickTableCount][kPickTableSize] = {};

    // The percentages of each class in the pick tables (rows 0..14).
    static const uint8_t kPickRows[kPickTableCount][kPickClasses];

  private:
    void InitBalanceTables();
    static void InitGameStateDefaults();
};

extern CLookupTables* g_pLookupTables;
