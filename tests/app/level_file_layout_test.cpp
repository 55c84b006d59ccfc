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
};

// The market-event count: the older layout has none and 27 records; a count
// up to 40 reads that many; above 40 the surplus is skipped, up to the end of
// the file, where new opponents take the place of the missing ones.
TEST_F(LevelLayout, MarketEventCountsOfOtherShapes) {
    const Bytes good = SavedGame();
    const auto at = OffsetsOf(good);
    auto part = [&](size_t from, size_t to) {
        return Bytes(good.begin() + static_cast<std::ptrdiff_t>(from),
                     good.begin() + static_cast<std::ptrdiff_t>(to));
    };
    struct Shape {
        int32_t count;  // -1: no count (the older layout)
        int32_t records, read;
    };
    for (const Shape c : {Shape{-1, 27, 27}, {25, 25, 25}, {43, 43, 40}, {2147483647, 40, 40}}) {
        SCOPED_TRACE(c.count);
        Bytes file = part(0, c.count >= 0 ? at.events : at.event_count);
        if (c.count >= 0) PutI32(file, at.event_count, c.count);
        const Bytes records = part(at.events, at.events + 92 * size_t(std::min(c.records, 40)));
        file.insert(file.end(), records.begin(), records.end());
        file.insert(file.end(), 92 * size_t(std::max(0, c.records - 40)), 0x5A);
        const Bytes rest = part(at.opponents, at.end);
        file.insert(file.end(), rest.begin(), rest.end());
        MakeGame(4);
        ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
        for (int32_t i = 0; i < kMarketEventSlots; ++i) {
            // Records not read keep what the built-in table gave them.
            ASSERT_EQ(gs.market_events[i].event_state, i < c.read ? 9 : 0) << i;
        }
        for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
            EXPECT_EQ(gs.opponents[slot]->takeover_year,
                      c.count == 2147483647 ? 2060 : 1990 + slot + 1);
        }
    }
}

TEST_F(LevelLayout, FilesEndingAfterTheCalendarLoadWhatTheyHold) {
    const Bytes good = SavedGame();
    const auto at = OffsetsOf(good);
    MakeGame(4);
    gs.show_production = 0;
    ASSERT_EQ(Load(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(at.options))),
              LevelLoadResult::Loaded);
    EXPECT_EQ(gs.opponents[2]->in_use, 7 + 2 + 1);  // the records themselves were read
    for (const COpponent* o : gs.opponents) EXPECT_EQ(o->takeover_year, 2060);
    EXPECT_EQ(gs.bookmarks[0].x, -1);
    EXPECT_EQ(gs.show_production, 0);  // not in the file: as it was

    // The week only: a level start's statistics and counters, the built-in
    // events, new opponents without take-over terms or bookmarks.
    ASSERT_EQ(
        Load(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(at.calendar + 4))),
        LevelLoadResult::Loaded);
    EXPECT_EQ(gs.week, 1 % 4);
    EXPECT_EQ(gs.year, 0);
    for (int32_t word : g_Statistics.words) ASSERT_EQ(word, 0);
    EXPECT_EQ(g_NewGameCounters.words[kNgcMoney], 300000);
    EXPECT_EQ(gs.market_events[0].event_state, 0);
    for (const COpponent* o : gs.opponents) EXPECT_EQ(o->takeover_year, 2060);
}

TEST_F(LevelLayout, ActiveEventOutsideTheTableMeansNone) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    for (int value : {45, -3, -128}) {
        file[at.event] = static_cast<uint8_t>(value);
        ASSERT_EQ(Load(file), LevelLoadResult::Loaded) << value;
        EXPECT_EQ(gs.active_event, -1) << value;
    }
    // Events switched off: kept, and no prices are touched.
    file[at.event] = static_cast<uint8_t>(-2);
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.active_event, -2);
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
        {at.event_count, -1},      // a negative market-event count
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
    // Files cut before the calendar.
    for (size_t length : {size_t{0}, size_t{31}, at.network + 2, at.cash + 5, at.calendar - 1}) {
        EXPECT_EQ(Load(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length))),
                  LevelLoadResult::Rejected)
            << length;
    }
    EXPECT_TRUE(Snapshot() == before);
    ASSERT_FALSE(host.MessageBoxes().empty());
    EXPECT_EQ(host.MessageBoxes()[0].text, DamagedLevelText(FilePath("patched.lvl")));
}

TEST_F(LevelLayout, CompanyNamesAreAlwaysTerminated) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    std::memset(&file[at.names], 'A', 140);
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    for (const auto& name : gs.company_names) EXPECT_EQ(std::strlen(name), 34u);
}

}  // namespace
