// Level files of other shapes: the older layout without a market-event
// count, other counts, files that end early, and the values a reader refuses
// or corrects.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "app/level_file.h"
#include "app/level_file_fixture.h"
#include "game/opponent.h"
#include "platform/messages.h"
#include "state/market_events.h"
#include "state/statistics.h"

namespace {

using fvtest::Bytes;
using fvtest::GetI32;
using fvtest::LevelFileTest;
using fvtest::OffsetsOf;
using fvtest::PutI32;
using fvtest::ReadFileBytes;
using fvtest::WriteFileBytes;

class LevelLayout : public LevelFileTest {
  protected:
    // A saved game whose records differ from those of the running game.
    Bytes SavedGame(int32_t seed = 1) {
        MakeGame(seed);
        for (int32_t i = 0; i < kMarketEventSlots; ++i) gs.market_events[i].event_state = 9;
        return SaveToBytes("saved.lvl");
    }
    LevelLoadResult Load(const Bytes& file) {
        WriteFileBytes(FilePath("patched.lvl"), file);
        host.QueueMessageBoxAnswer(IDOK);  // for a damaged-file box
        return LoadSavedGame(FilePath("patched.lvl"));
    }
    // The opponents' records of the file as the running game holds them.
    void ExpectOpponentsOfSeed(int32_t seed) {
        for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
            EXPECT_EQ(gs.opponents[slot]->in_use, 7 + slot + seed) << slot;
            EXPECT_EQ(gs.opponents[slot]->takeover_year, 1990 + slot + seed) << slot;
        }
    }
};

TEST_F(LevelLayout, OlderLayoutHasTwentySevenRecordsAndNoCount) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    // Drop the count and records 27..39: the first record's year (1960)
    // stands where the count would be.
    file.erase(file.begin() + at.events + 27 * 92, file.begin() + at.opponents);
    file.erase(file.begin() + at.event_count, file.begin() + at.events);
    ASSERT_EQ(GetI32(file, at.event_count), 1960);

    MakeGame(4);
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    for (int32_t i = 0; i < 27; ++i) EXPECT_EQ(gs.market_events[i].event_state, 9) << i;
    // Records 28 to 40 keep what the built-in table gave them.
    for (int32_t i = 27; i < kMarketEventSlots; ++i) {
        EXPECT_EQ(gs.market_events[i].event_state, 0) << i;
        EXPECT_EQ(gs.market_events[i].event_goods[0], kNoGood) << i;
    }
    ExpectOpponentsOfSeed(1);
}

TEST_F(LevelLayout, CountOfTwentyFiveReadsTwentyFiveRecordsAndGoesOn) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    PutI32(file, at.event_count, 25);
    file.erase(file.begin() + at.events + 25 * 92, file.begin() + at.opponents);
    ASSERT_EQ(file.size(), OffsetsOf(SavedGame()).end - 15 * 92);

    MakeGame(4);
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    for (int32_t i = 0; i < 25; ++i) EXPECT_EQ(gs.market_events[i].event_state, 9) << i;
    EXPECT_EQ(gs.market_events[25].event_state, 0);
    ExpectOpponentsOfSeed(1);
}

TEST_F(LevelLayout, CountAboveFortyReadsFortyAndSkipsTheRest) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    PutI32(file, at.event_count, 43);
    Bytes surplus(3 * 92, 0x5A);
    file.insert(file.begin() + at.opponents, surplus.begin(), surplus.end());
    MakeGame(4);
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    for (int32_t i = 0; i < kMarketEventSlots; ++i) EXPECT_EQ(gs.market_events[i].event_state, 9);
    ExpectOpponentsOfSeed(1);

    // A count far beyond the file skips to its end: the opponents are missing
    // and replaced by new ones.
    PutI32(file, at.event_count, std::numeric_limits<int32_t>::max());
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    for (const COpponent* o : gs.opponents) {
        EXPECT_EQ(o->takeover_year, 2060);
        EXPECT_EQ(o->turn_pending, 1000);
    }
}

TEST_F(LevelLayout, NegativeCountMarksTheFileDamaged) {
    Bytes file = SavedGame();
    PutI32(file, OffsetsOf(file).event_count, -1);
    MakeGame(4);
    const Bytes before = Snapshot();
    EXPECT_EQ(Load(file), LevelLoadResult::Rejected);
    EXPECT_TRUE(Snapshot() == before);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, DamagedLevelText(FilePath("patched.lvl")));
    EXPECT_EQ(host.MessageBoxes()[0].caption, "Ferrovane");
}

TEST_F(LevelLayout, FileEndingAfterTheBookmarks) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    file.resize(at.options);
    MakeGame(4);
    gs.show_production = 0;
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    for (const COpponent* o : gs.opponents) {
        EXPECT_EQ(o->takeover_year, 2060);
        EXPECT_EQ(o->takeover_percent, 100);
    }
    for (const Bookmark& mark : gs.bookmarks) {
        EXPECT_EQ(mark.x, -1);
        EXPECT_EQ(mark.y, -1);
    }
    EXPECT_EQ(gs.show_production, 0);               // not in the file: as it was
    EXPECT_EQ(gs.opponents[2]->in_use, 7 + 2 + 1);  // the records themselves were read
}

TEST_F(LevelLayout, FileEndingInsideTheCalendar) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    file.resize(at.calendar + 4);  // the week only
    MakeGame(4);
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.week, 1 % 4);
    EXPECT_EQ(gs.month, 0);
    EXPECT_EQ(gs.year, 0);
    // Nothing further arrived: a level start's statistics and counters, the
    // built-in events, new opponents without take-over terms or bookmarks.
    for (int32_t word : g_Statistics.words) ASSERT_EQ(word, 0);
    EXPECT_EQ(g_NewGameCounters.words[kNgcMoney], 300000);
    EXPECT_EQ(gs.market_events[0].event_state, 0);
    for (const COpponent* o : gs.opponents) EXPECT_EQ(o->takeover_year, 2060);
    EXPECT_EQ(gs.bookmarks[0].x, -1);
}

TEST_F(LevelLayout, FilesCutBeforeTheCalendarAreDamaged) {
    const Bytes good = SavedGame();
    const auto at = OffsetsOf(good);
    MakeGame(4);
    const Bytes before = Snapshot();
    for (size_t length : {size_t{0}, size_t{3}, size_t{31}, at.network - 1, at.network + 2,
                          at.cash + 5, at.calendar - 1}) {
        SCOPED_TRACE(length);
        Bytes cut(good.begin(), good.begin() + length);
        EXPECT_EQ(Load(cut), LevelLoadResult::Rejected);
        EXPECT_TRUE(Snapshot() == before);
    }
}

TEST_F(LevelLayout, ActiveEventOutsideTheTableMeansNone) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    for (int value : {45, 127, -3, -128}) {
        file[at.event] = static_cast<uint8_t>(value);
        ASSERT_EQ(Load(file), LevelLoadResult::Loaded) << value;
        EXPECT_EQ(gs.active_event, -1) << value;
    }
    // Events switched off: kept, and no prices are touched.
    file[at.event] = static_cast<uint8_t>(-2);
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.active_event, -2);
    // The last table record is a valid running event.
    file[at.event] = 39;
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.active_event, 39);
    file[at.event] = 7;
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    const MarketEvent& event = gs.market_events[7];
    for (int k = 0; k < 9; ++k) {
        if (event.event_goods[k] < kGoodsCount) {
            EXPECT_EQ(gs.goods[event.event_goods[k]].price, event.event_prices[k]);
        }
    }
}

TEST_F(LevelLayout, TakeOverCountsAboveOneAreCleared) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    for (int i = 0; i < 3; ++i) PutI32(file, at.statistics + 4 * (1649 + i), i == 0 ? 1 : 2 + i);
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    EXPECT_EQ(g_TakeOverCount[0], 1);
    EXPECT_EQ(g_TakeOverCount[1], 0);
    EXPECT_EQ(g_TakeOverCount[2], 0);
}

TEST_F(LevelLayout, TransientBitsClearedExceptInTheLastRowAndColumn) {
    SavedGame();
    for (MapField& field : gs.fields) {
        field.set_belegt(3);
        field.set_geb_change(true);
        field.set_tunnel_belegt(true);
        field.set_cursor(2);
    }
    Bytes file = SaveToBytes("bits.lvl");
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    for (int32_t x = 0; x < 256; ++x) {
        for (int32_t y = 0; y < 256; ++y) {
            const MapField& f = *FieldAt(x, y);
            const bool kept = x == 255 || y == 255;
            ASSERT_EQ(f.belegt(), kept ? 3 : 0) << x << "," << y;
            ASSERT_EQ(f.geb_change(), kept) << x << "," << y;
            ASSERT_EQ(f.tunnel_belegt(), kept) << x << "," << y;
            ASSERT_EQ(f.cursor(), 2);  // not a transient bit of the file
        }
    }
}

TEST_F(LevelLayout, ValuesNoGameHoldsAreRefused) {
    const Bytes good = SavedGame();
    const auto at = OffsetsOf(good);
    struct Patch {
        size_t offset;
        int32_t value;
    };
    const Patch patches[] = {
        {0, 0},
        {0, 5},  // game mode
        {at.cash + 32, 0},
        {at.cash + 32, 4},  // season
        {at.calendar, 4},
        {at.calendar, -1},  // week
        {at.calendar + 4, 12},
        {at.calendar + 4, -1},  // month
        {at.calendar + 8, 2147483647},
        {at.calendar + 8, -1},  // year
        {at.cash + 4, 2147483647},
        {at.cash + 4, -2147483647 - 1},  // cash
        {at.camera + 16, 3},
        {at.camera + 16, 0},  // zoom
        {at.camera + 20, 4},
        {at.camera + 20, -1},      // rotation
        {at.network, 8192},        // node count
        {at.network + 4, 0},       // node number
        {at.cash + 36, 1},         // a building the file cannot hold
        {at.cash + 40, 1},         // a vehicle
        {at.cash + 44 + 2048, 1},  // a city
    };
    MakeGame(4);
    const Bytes before = Snapshot();
    for (const Patch& patch : patches) {
        SCOPED_TRACE(patch.offset);
        Bytes file = good;
        PutI32(file, patch.offset, patch.value);
        EXPECT_EQ(Load(file), LevelLoadResult::Rejected);
        EXPECT_TRUE(Snapshot() == before);
    }
    // Colour and camera.
    for (double centre : {std::nan(""), std::numeric_limits<double>::infinity(), -1e9}) {
        Bytes file = good;
        std::memcpy(&file[at.camera + 8], &centre, 8);
        EXPECT_EQ(Load(file), LevelLoadResult::Rejected);
    }
    Bytes file = good;
    file[at.camera + 24] = 4;
    EXPECT_EQ(Load(file), LevelLoadResult::Rejected);
    EXPECT_TRUE(Snapshot() == before);
}

TEST_F(LevelLayout, CompanyNamesAreAlwaysTerminated) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    std::memset(&file[at.names], 'A', 140);
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    for (const auto& name : gs.company_names) EXPECT_EQ(std::strlen(name), 34u);
}

}  // namespace
