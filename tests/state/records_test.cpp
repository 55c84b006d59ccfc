// The game state's records: map field bits and grid, the statistics block,
// short reads and writes, goods, data paths and market events.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/le_io.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "state/market_events.h"
#include "state/statistics.h"
#include "support/game_scope.h"
#include "world/map_reset.h"

namespace {

struct FieldCase {
    const char* name;
    int byte;
    uint8_t mask;  // bits of that byte the field owns
    uint32_t max;
    std::function<void(MapField&, uint32_t)> set;
    std::function<uint32_t(const MapField&)> get;
};

// clang-format off
#define FV_FIELD(NAME, BYTE, MASK, MAX)                                              \
    FieldCase{#NAME, BYTE, MASK, MAX, [](MapField& f, uint32_t v) { f.set_##NAME(v); }, \
              [](const MapField& f) { return static_cast<uint32_t>(f.NAME()); }}
#define FV_FLAG(NAME, BYTE, MASK)                                                         \
    FieldCase{#NAME, BYTE, MASK, 1, [](MapField& f, uint32_t v) { f.set_##NAME(v != 0); }, \
              [](const MapField& f) { return static_cast<uint32_t>(f.NAME()); }}
const FieldCase kFields[] = {
    FV_FIELD(teile_art, 0, 0x0F, 15), FV_FLAG(bridge_flag, 0, 0x10), FV_FLAG(forest_flag, 0, 0x20),
    FV_FIELD(cursor, 0, 0xC0, 3), FV_FIELD(gleisr, 1, 0x0F, 15), FV_FIELD(hoehe, 1, 0xF0, 15),
    FV_FLAG(feldchange, 2, 0x01), FV_FIELD(wegtyp, 2, 0x0E, 7), FV_FIELD(teile_diff, 2, 0xF0, 15),
    FV_FIELD(tunnel_hoehe, 3, 0x0F, 15), FV_FIELD(belegt, 3, 0x30, 3), FV_FLAG(cursorricht, 3, 0x40),
    FV_FLAG(bridge_end, 3, 0x80), FV_FLAG(tunnel, 4, 0x01), FV_FLAG(knoten, 4, 0x02),
    FV_FIELD(stadtnum, 4, 0xFC, 63), FV_FIELD(richtung, 5, 0x0F, 15), FV_FLAG(tportal, 5, 0x10),
    FV_FLAG(heben_senken, 5, 0x20), FV_FLAG(building_flag, 5, 0x40), FV_FLAG(geb_change, 5, 0x80),
    FV_FIELD(wegteil, 6, 0x1F, 31), FV_FIELD(spieler, 6, 0x60, 3), FV_FLAG(ende, 6, 0x80),
    FV_FLAG(tunnel_belegt, 7, 0x01), FV_FIELD(laenge, 7, 0xFE, 127), FV_FIELD(stadtb, 8, 0x3F, 63),
    FV_FIELD(bridge_piece, 8, 0x0F, 15), FV_FIELD(bridge_wegtyp, 8, 0xF0, 15)};
// clang-format on

// Set alone in an empty record only the field's bits change; cleared in a
// full record every other bit survives; values are cut to the field's width.
TEST(MapFieldTest, EachFieldOwnsExactlyItsBitsAndTheBuildingNumberRule) {
    for (const FieldCase& c : kFields) {
        SCOPED_TRACE(c.name);
        MapField f{}, g, h{};
        std::memset(g.bytes, 0xFF, sizeof g.bytes);
        c.set(f, c.max);
        c.set(g, 0);
        c.set(h, c.max + 1);
        for (int b = 0; b < 12; ++b) {
            EXPECT_EQ(f.bytes[b], b == c.byte ? c.mask : 0) << "byte " << b;
            EXPECT_EQ(g.bytes[b], b == c.byte ? static_cast<uint8_t>(~c.mask) : 0xFF) << b;
        }
        EXPECT_EQ(std::tuple(c.get(f), c.get(g), h.bytes[c.byte] & ~c.mask),
                  std::tuple(c.max, 0u, 0));
    }
    // The words: little-endian, the building number and type share one.
    MapField f{};
    f.set_knotennummer(8191);
    EXPECT_EQ(f.bytes[10] | f.bytes[11] << 8, 0x1FFF);
    f.set_geb_num(1023);
    f.set_geb_typ(31);
    EXPECT_EQ(f.bytes[8] | f.bytes[9] << 8, 0x7FFF);
    f.set_geb_num(5);
    EXPECT_EQ(std::tuple(f.geb_typ(), f.geb_num()), std::tuple(31u, 5u));
    // The building number: bridge or forest none, in a city the city building
    // unless the building flag is set.
    f = MapField{};
    f.set_geb_num(77);
    f.set_geb_typ(21);
    EXPECT_EQ(f.BuildingNumber(), 77);
    for (auto set : {&MapField::set_forest_flag, &MapField::set_bridge_flag}) {
        (f.*set)(true);
        EXPECT_EQ(f.BuildingNumber(), 0);
        (f.*set)(false);
    }
    f.set_stadtnum(3);
    EXPECT_EQ(f.BuildingNumber(), 77 & 0x3F);
    f.set_stadtb(12);
    EXPECT_EQ(f.BuildingNumber(), 12);
    f.set_building_flag(true);
    EXPECT_EQ(f.BuildingNumber(), f.geb_num());
}

class StateRecords : public ::testing::Test {
  protected:
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    StatisticsBlock& st = g_Statistics;
};

TEST_F(StateRecords, OutOfRangeAndShortReadsAnswerNothingShortWritesSetTheError) {
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {256, 0}, {0, 256}, {-1, 256}}) {
        EXPECT_EQ(FieldAt(x, y), nullptr);
        for (int32_t got : {GetBuildingNumberAt(x, y), GetCityNumberAt(x, y), GetWayPieceAt(x, y),
                            GetWayTypeAt(x, y), GetHeightAt(x, y)})
            EXPECT_EQ(got, kOffMap) << x << "," << y;
    }
    // The corners are ordinary fields; the grid is x-major.
    FieldAt(255, 0)->set_hoehe(7);
    FieldAt(0, 255)->set_stadtnum(9);
    EXPECT_EQ(
        std::tuple(gs.fields[255 * 256].hoehe(), GetHeightAt(255, 0), GetCityNumberAt(0, 255)),
        std::tuple(7u, 7, 9));
    for (MapField& f : gs.fields) std::memset(f.bytes, 0xA5, sizeof f.bytes);
    ResetMapFields();
    for (const MapField& f : gs.fields)
        for (int b = 0; b < 12; ++b) ASSERT_EQ(f.bytes[b], b == 2 ? 0x01 : 0) << b;
    ClearAllFieldsChanged();
    FieldAt(3, 4)->set_wegtyp(kWayRail);
    EXPECT_FALSE(std::any_of(std::begin(gs.fields), std::end(gs.fields),
                             [](const MapField& f) { return f.feldchange(); }));
    MarkAllFieldsChanged();
    for (const MapField& f : gs.fields) ASSERT_TRUE(f.feldchange());
    EXPECT_EQ(FieldAt(3, 4)->wegtyp(), kWayRail);
    // Goods outside the table are no goods; a data path outside the copies
    // falls back to the first.
    EXPECT_EQ(std::tuple(GoodsAt(-1), GoodsAt(44)), std::tuple(nullptr, nullptr));
    std::strcpy(gs.data_paths[kPathSave * 3 + 0], "copy0");
    std::strcpy(gs.data_paths[kPathSave * 3 + 1], "copy1");
    gs.install_index = 1;
    EXPECT_STREQ(gs.DataPath(kPathSave), "copy1");
    gs.install_index = 7;
    EXPECT_STREQ(gs.DataPath(kPathSave), "copy0");
    EXPECT_EQ(std::string(gs.DataPath(9)) + gs.DataPath(-1), "");
    // The level files' round trips and the recorded hash of a saved world pin
    // the byte order; here the reads and writes that come short.
    fvtest::TempFolder folder;
    const std::string path = folder.Path() + "/record.bin";
    folder.Write("record.bin", std::string("\x01\x02\x03\x04\x05\x06", 6));
    plat::FileHandle f = plat::OpenFile(path, plat::OpenMode::Read);
    int32_t words[3] = {7, 7, 7};
    EXPECT_EQ(le::ReadI32Array(f, words, 3), 6u);
    EXPECT_FALSE(le::ReadI32(f, words[2]));
    // A word with only two bytes, or none, stays as it was.
    EXPECT_EQ(std::tie(words[0], words[1], words[2]), std::tuple(0x04030201, 7, 7));
    plat::CloseFile(f);
    int64_t v = 5;
    EXPECT_FALSE(le::ReadI64(plat::kInvalidFile, v));
    EXPECT_EQ(v, 5);
    f = plat::OpenFile(path, plat::OpenMode::Create);
    le::WriteI32(f, 1);
    EXPECT_EQ(g_WriteError, 0);
    plat::SetWriteLimitForTests(2);
    le::WriteI32(f, 2);
    const int32_t short_write = g_WriteError;
    g_WriteError = 0;
    plat::SetWriteLimitForTests(-1);
    le::WriteI32(plat::kInvalidFile, 1);
    EXPECT_EQ(std::tuple(short_write, g_WriteError), std::tuple(1, 1));
    plat::CloseFile(f);
}

// Own cost, production cost and price of goods 0..43, four to a line.
// clang-format off
const std::array<int32_t, 3> kGoodsPrices[kGoodsCount] = {
    {820, 0, 0}, {450, 0, 0}, {760, 0, 0}, {870, 0, 0},
    {540, 0, 0}, {3200, 0, 0}, {2700, 0, 0}, {5780, 0, 0},
    {640, 1460, 3032}, {950, 1490, 3190}, {1075, 1525, 3173}, {1200, 1650, 3780},
    {1675, 2215, 4197}, {2513, 3833, 5983}, {1612, 2062, 4340}, {5182, 7262, 11228},
    {7080, 12050, 16504}, {1145, 1965, 3590}, {2933, 3473, 5273}, {2280, 2820, 5063},
    {1465, 2225, 4107}, {1650, 2100, 4567}, {4817, 5807, 9107}, {2348, 3168, 7665},
    {3040, 4030, 7532}, {6133, 7493, 12093}, {4900, 7080, 10077}, {400, 1220, 2427},
    {747, 2387, 4962}, {10267, 13467, 18060}, {9238, 11938, 15453}, {12717, 21967, 27977},
    {26700, 29550, 42617}, {32400, 38900, 54617}, {29600, 41060, 59810}, {6400, 8260, 12368},
    {3797, 5117, 8787}, {7109, 8969, 13433}, {3200, 4520, 4520}, {9323, 14833, 22439},
    {5778, 10748, 17595}, {9237, 19487, 28267}, {6332, 11302, 18637}, {9600, 14570, 23385}};
// clang-format on

TEST_F(StateRecords, EveryGoodHasItsCostsAndPrice) {
    InitGoodsTable();
    for (int32_t g = 0; g < kGoodsCount; ++g) {
        const GoodsRecord& r = gs.goods[g];
        EXPECT_EQ((std::array<int32_t, 3>{r.own_cost, r.production_cost, r.price}), kGoodsPrices[g])
            << g;
    }
}

TEST_F(StateRecords, MonthlyWorthPointsFlowsLevelsAndPairs) {
    gs.cash[0] = 5000000;
    g_Credit = 1000000;
    g_TakeOverCount[0] = 1;
    gs.cash[1] = (int64_t{1} << 32) + 4000000;
    gs.cash[2] = 3000000000LL;  // -1,294,967,296 as a 32-bit value
    gs.cash[3] = 4000000;       // the last player rolls over too
    MonthlyRollOver();
    // A take-over raises the player's points; an opponent's worth loses the
    // take-over count word that stands in its credit's place.
    for (const auto& [player, worth, points] :
         {std::tuple{0, 4000000, 102}, {1, 3999999, 1}, {2, -1294967296, -647}, {3, 4000000, 2}}) {
        EXPECT_EQ(std::tuple(st.Monthly(StatSeries::CompanyWorth, player, kLastSlot),
                             st.Monthly(StatSeries::Points, player, kLastSlot),
                             st.Monthly(StatSeries::CompanyWorth, player, kCurrentSlot)),
                  std::tuple(worth, points, 0));
    }
    // Flows restart, levels carry over, years move the pairs.
    gs.cash[1] = 2000000;
    for (int i = 0; i < kStatPairCount; ++i) st.BookPair(static_cast<StatPair>(i), 1, 10 + i);
    st.Book(StatSeries::TotalCosts, 1, 500);
    st.Book(StatSeries::OverallProfit, 1, -430);
    st.Book(StatSeries::VehicleCount, 1, 3);
    st.BookPair(StatPair::A, 3, 7);
    MonthlyRollOver();
    // The last series moves on like the others.
    EXPECT_EQ(st.Monthly(StatSeries::Points, 0, kLastSlot - 1), 102);
    // Flows restart, levels carry over; the year's flows sum until its end.
    EXPECT_EQ(
        std::tuple(st.Monthly(StatSeries::TotalCosts, 1, kLastSlot),
                   st.Monthly(StatSeries::TotalCosts, 1), st.Monthly(StatSeries::OverallProfit, 1),
                   st.Monthly(StatSeries::VehicleCount, 1), st.Yearly(StatSeries::TotalCosts, 1)),
        std::tuple(500, 0, -430, 3, 500));
    YearlyRollOver();
    EXPECT_EQ(std::tuple(st.PairLast(StatPair::A, 3), st.PairThis(StatPair::A, 3)),
              std::tuple(7, 0));
    for (int i = 0; i < kStatPairCount; ++i) {
        const StatPair pair = static_cast<StatPair>(i);
        EXPECT_EQ(st.PairLast(pair, 1), 10 + i);
        EXPECT_EQ(st.PairThis(pair, 1), pair == StatPair::K ? 10 + i : 0);
    }
    EXPECT_EQ(
        std::tuple(st.Yearly(StatSeries::TotalCosts, 1, kLastSlot),
                   st.Yearly(StatSeries::TotalCosts, 1), st.Yearly(StatSeries::OverallProfit, 1)),
        std::tuple(500, 0, -430));
    // Twelve more months: the oldest slot falls out, the level stays.
    for (int m = 0; m < 12; ++m) MonthlyRollOver();
    EXPECT_EQ(st.Monthly(StatSeries::TotalCosts, 1, 0), 0);
    EXPECT_EQ(st.Monthly(StatSeries::OverallProfit, 1, 0), -430);
}

// The block is the file's record: every word has one owner, and the credit
// and take-over counts stand after the series.
TEST_F(StateRecords, LayoutAndBookingsWrapAndBookingsForNoSuchPlayerChangeNothing) {
    std::vector<int> uses(kStatisticsWords, 0);
    for (int s = 0; s < kStatSeriesCount; ++s) {
        for (StatPeriod period : {StatPeriod::Monthly, StatPeriod::Yearly})
            for (int p = 0; p < kPlayerCount; ++p)
                for (int slot = 0; slot < kSeriesSlots; ++slot)
                    ++uses[StatisticsBlock::SeriesWord(StatSeries(s), period, p, slot)];
    }
    for (int i = 0; i < kStatPairCount; ++i)
        for (int p = 0; p < kPlayerCount; ++p)
            for (bool last : {false, true}) ++uses[StatisticsBlock::PairWord(StatPair(i), p, last)];
    for (int w = 0; w < 1648; ++w) EXPECT_EQ(uses[w], 1) << "word " << w;
    EXPECT_EQ(&g_Credit, &st.words[1648]);
    EXPECT_EQ(&g_TakeOverCount[2], &st.words[1651]);
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
    // A new game's counters: the money and the years reset, the career words kept.
    for (int32_t& w : g_NewGameCounters.words) w = 0x12345678;
    ResetGameCounters();
    const int32_t* w = g_NewGameCounters.words;
    EXPECT_EQ((std::vector<int32_t>(w + 12, w + 20)),
              (std::vector<int32_t>{0, 300000, 1960, 1960, -1, 0x12340000, 0x12345678, 0}));
    EXPECT_EQ(w[0], 300000);
}

class MarketEventsTest : public ::testing::Test {
  protected:
    void SetUp() override { Prepare(gs); }
    // A game where an event may start; the random generator answers with
    // `draws`, then 0.
    void Prepare(CGameState& g) {
        g.game_mode = kModeGame;
        g.month = 4;
        g.year = 1975;
        g.event_pause = 0;
        plat::SetRandSourceForTests([this] {
            if (draws.empty()) return 0;
            const int32_t v = draws.front();
            draws.pop_front();
            return v;
        });
    }
    void TearDown() override { plat::SetRandSourceForTests({}); }
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    CLookupTables tables;
    std::deque<int32_t> draws;
};

// The main-loop tests run an event through its months and back.
TEST_F(MarketEventsTest, BadIndicesAreIgnoredAndRecordsKeepEveryByte) {
    gs.active_event = 9;  // from a level file with its counter at 0: ends next month
    gs.goods[15].price = 5614;
    CountDownMarketEvent();
    EXPECT_EQ(std::tuple(gs.active_event, gs.goods[15].price), std::tuple(-1, 11228));
    EXPECT_FALSE(StartMarketEvent(-1) || StartMarketEvent(40));
    for (int8_t event : {45, -2}) {  // outside the table; events switched off
        gs.active_event = event;
        CountDownMarketEvent();
        ApplyRunningEventPrices();
        EXPECT_EQ(gs.active_event, event);
    }
    // A goods index outside 0..43 in a record is skipped.
    MarketEvent& e = gs.market_events[30];
    std::tie(e.event_goods[0], e.event_goods[1], e.event_goods[2]) = std::tuple(200, 44, 12);
    e.event_prices[2] = 777;
    e.event_duration = 1;
    ASSERT_TRUE(StartMarketEvent(30));
    EXPECT_EQ(gs.goods[12].price, 777);
    // Every byte of a record survives decode and encode (the level files'
    // round trip covers the records of the built-in table).
    uint8_t bytes[kMarketEventRecordSize], again[kMarketEventRecordSize];
    for (size_t i = 0; i < sizeof bytes; ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 5);
    MarketEvent back{};
    DecodeMarketEvent(bytes, back);
    EncodeMarketEvent(back, again);
    EXPECT_EQ(0, std::memcmp(bytes, again, sizeof bytes));
    EXPECT_EQ(back.event_counter, bytes[89]);  // the month counter
}

TEST_F(MarketEventsTest, RandomPickGatesAndLateEventsNeverDrawn) {
    const std::pair<const char*, void (*)(CGameState&)> cases[] = {
        {"March", [](CGameState& g) { g.month = 2; }},
        {"July", [](CGameState& g) { g.month = 6; }},
        {"editor", [](CGameState& g) { g.game_mode = kModeEditor; }},
        {"career", [](CGameState& g) { g.game_mode = kModeCareer; }},
        {"mission", [](CGameState& g) { g.game_mode = kModeMission; }},
        {"events off", [](CGameState& g) { g.active_event = -2; }},
        {"pause", [](CGameState& g) { g.event_pause = 1; }},
        {"2061", [](CGameState& g) { g.year = 2061; }},
        {"picked twice", [](CGameState& g) { g.market_events[2].event_state = 2; }},
        {"too early", [](CGameState& g) { g.year = 1959; }},
    };
    draws = {2, 2};  // an even first draw: no event this month
    MaybeStartRandomMarketEvent();
    EXPECT_EQ(gs.active_event, -1);
    draws = {1, 25 + 2};  // odd: try; 27 mod 25 = event 2 (1960)
    MaybeStartRandomMarketEvent();
    EXPECT_EQ(std::tuple(gs.active_event, gs.goods[17].price), std::tuple(2, 5385));
    draws = {1, 3};  // another event running: none is drawn
    MaybeStartRandomMarketEvent();
    EXPECT_EQ(gs.active_event, 2);
    // Each gate alone keeps a fresh game from drawing.
    for (const auto& [name, setup] : cases) {
        SCOPED_TRACE(name);
        fvtest::GameScope fresh;  // it resets the random source
        CLookupTables t;
        Prepare(fresh.state());
        setup(fresh.state());
        const int8_t before = fresh.state().active_event;
        draws = {1, 2};
        MaybeStartRandomMarketEvent();
        EXPECT_EQ(fresh.state().active_event, before);
    }
    Prepare(gs);
    gs.year = 2060;
    for (int32_t draw = 0; draw < 32768; draw += 7) {
        gs.active_event = -1;
        draws = {1, draw};
        MaybeStartRandomMarketEvent();
        EXPECT_LT(gs.active_event, kMarketEventPickable);
        if (gs.active_event >= 0) gs.market_events[gs.active_event].event_state = 0;
    }
    EXPECT_EQ(gs.market_events[25].event_state + gs.market_events[26].event_state, 0);
}

}  // namespace
