#include "state/market_events.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>

#include "platform/random.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "support/game_scope.h"

namespace {

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
TEST_F(MarketEventsTest, BadIndicesAreIgnored) {
    gs.active_event = 9;  // from a level file with its counter at 0: ends next month
    gs.goods[15].price = 5614;
    CountDownMarketEvent();
    EXPECT_EQ(std::tuple(gs.active_event, gs.goods[15].price), std::tuple(-1, 11228));
    EXPECT_FALSE(StartMarketEvent(-1));
    EXPECT_FALSE(StartMarketEvent(40));
    for (int8_t event : {45, -2}) {  // outside the table; events switched off
        gs.active_event = event;
        CountDownMarketEvent();
        ApplyRunningEventPrices();
        EXPECT_EQ(gs.active_event, event);
    }
    // A goods index outside 0..43 in a record is skipped.
    MarketEvent& e = gs.market_events[30];
    e.event_goods[0] = 200;
    e.event_goods[1] = 44;
    e.event_goods[2] = 12;
    e.event_prices[2] = 777;
    e.event_duration = 1;
    ASSERT_TRUE(StartMarketEvent(30));
    EXPECT_EQ(gs.goods[12].price, 777);
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
    EXPECT_EQ(gs.market_events[25].event_state, 0);
    EXPECT_EQ(gs.market_events[26].event_state, 0);
}

// Every byte of the record survives decode and encode (the level files'
// round trip covers the records of the built-in table).
TEST(MarketEventRecordTest, EncodeDecodeRoundTrip) {
    uint8_t bytes[kMarketEventRecordSize], again[kMarketEventRecordSize];
    for (size_t i = 0; i < sizeof bytes; ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 5);
    MarketEvent back{};
    DecodeMarketEvent(bytes, back);
    EncodeMarketEvent(back, again);
    EXPECT_EQ(0, std::memcmp(bytes, again, sizeof bytes));
    EXPECT_EQ(back.event_counter, bytes[89]);  // the month counter
}

}  // namespace
