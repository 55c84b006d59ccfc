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
constexpr int32_t kSlopeCodeCount = 15;
constexpr int32_t kWayPieceColumns = 18;
constexpr int32_t kTreeOffsetEntries = 32;  // 30 with values, 30 and 31 zero
constexpr int32_t kPathSteps = 32;

// One picture of a moving sprite in its strip (zoom 1 pixels).
struct SpriteFrame {
    uint8_t src_x;
    uint8_t src_y;
    int8_t dx;
    int8_t dy;
    uint8_t width;
    uint8_t height;
    bool operator==(const SpriteFrame&) const = default;
};
// A path step: the offset from the top-left corner of the field's picture.
struct PathPoint {
    int8_t x;
    int8_t y;
    bool operator==(const PathPoint&) const = default;
};

class CLookupTables {
  public:
    // Works on its own tables and on g_pGameState.
    CLookupTables();

    // Where a moving sprite stands within its field and which picture it
    // shows (sprite_tables.cpp): ramps, straight moves and chords between
    // edge midpoints, the 60 frames (five groups of 12: from * 3 + k), the
    // 24 turning frames (turn * 3 + stage) and the rounded turns.
    PathPoint slope_paths[8][kPathSteps] = {};
    PathPoint flat_paths[12][kPathSteps] = {};
    SpriteFrame sprite_frames[60] = {};
    SpriteFrame turn_frames[24] = {};
    PathPoint curve_paths[8][kPathSteps] = {};

    // The world view's rotation tables: the ground-tile column of a slope
    // code, the "streets.jgd" column of a way piece, and the two tree
    // offsets {xA, yA, xB, yB} of a forest field (2 * tile shape + variant).
    uint8_t tile_shapes[4][kSlopeCodeCount] = {};
    uint8_t piece_columns[4][kWayPieceColumns] = {};
    int32_t tree_offsets[kTreeOffsetEntries][4] = {};

    void InitSpriteFrames();
    void InitPathOffsetsA();
    void InitPathOffsetsB();

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
    void InitFlatPaths();
    void InitTurnFrames();
    void InitViewTables();
    static void InitGameStateDefaults();
};

extern CLookupTables* g_pLookupTables;
