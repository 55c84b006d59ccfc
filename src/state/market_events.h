#pragma once
// Market events: temporary changes of the selling prices of a group of goods.
// At most one event runs at a time (`active_event` of the game state, -1 none,
// -2 events switched off for this game).
//
// Lifecycle: when the monthly pick starts event n, its counter is loaded with
// its duration, the goods it names take its event prices, its state rises by
// one and `active_event` = n. At each following month start the counter falls
// by one; when it reaches 0 the goods get their normal prices back,
// `active_event` = -1 and `event_pause` = 11. An event index outside 0..39 and
// a goods index outside 0..43 are ignored wherever they would be used.

#include <cstdint>

#include "platform/file.h"
#include "state/game_records.h"

constexpr int32_t kMarketEventRecordSize = 92;  // bytes per record in level files
constexpr uint8_t kEventPauseAfterEvent = 11;

// Writes all 40 records: 27 filled, 28..39 cleared.
void InitMarketEvents();

// The record of an index, or null outside 0..39 (or without a game state).
MarketEvent* MarketEventAt(int32_t index);

// Starts event n (0..39) as described above; false for an index outside 0..39.
bool StartMarketEvent(int32_t n);
// The month-start count-down of the running event (ends it when it runs out).
void CountDownMarketEvent();
// The monthly random pick of a free game: in neither March nor July, with no
// event running, no pause left and before 2061, with a chance of one half,
// draws one of events 0..24 and starts it when its state is below 2 and its
// year has come.
void MaybeStartRandomMarketEvent();
// Writes the event prices of the running event into its goods (the level
// readers call it after reading a game with a running event).
void ApplyRunningEventPrices();

// One record in its 92-byte file form.
void WriteMarketEvent(plat::FileHandle file, const MarketEvent& event);
// Returns the bytes that arrived; the record is filled only when all 92 did.
uint32_t ReadMarketEvent(plat::FileHandle file, MarketEvent& event);
void EncodeMarketEvent(const MarketEvent& event, uint8_t* bytes);
void DecodeMarketEvent(const uint8_t* bytes, MarketEvent& event);
