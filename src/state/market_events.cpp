#include "state/market_events.h"

#include "platform/random.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/le_io.h"

namespace {

// Year, goods (255 = empty place), padding, event prices, normal prices,
// duration in months, counter, state, padding.
// clang-format off
const MarketEvent kMarketEvents[kMarketEventFilled] = {
    // 0
    {1960, {8, 9, 10, 11, 12, 13, 14, 15, 16}, {}, {4548, 4785, 4760, 5670, 6296, 8975, 6510, 16842, 24756}, {3032, 3190, 3173, 3780, 4197, 5983, 4340, 11228, 16504}, 40, 0, 0, 0},
    // 1
    {1970, {8, 9, 10, 11, 12, 13, 14, 15, 16}, {}, {2426, 2552, 2538, 3024, 3358, 4786, 3472, 8982, 13203}, {3032, 3190, 3173, 3780, 4197, 5983, 4340, 11228, 16504}, 26, 0, 0, 0},
    // 2
    {1960, {17, 18, 19, 20, 21, 22, 23, 24, 25}, {}, {5385, 7910, 7595, 6161, 6851, 13661, 11498, 11298, 18140}, {3590, 5273, 5063, 4107, 4567, 9107, 7665, 7532, 12093}, 32, 0, 0, 0},
    // 3
    {1970, {17, 18, 19, 20, 21, 22, 23, 24, 25}, {}, {2992, 4394, 4219, 3423, 3806, 7589, 6388, 6277, 10078}, {3590, 5273, 5063, 4107, 4567, 9107, 7665, 7532, 12093}, 28, 0, 0, 0},
    // 4
    {1960, {17, 23, 25, 255, 255, 255, 255, 255, 255}, {}, {7180, 15330, 24186, 0, 0, 0, 0, 0, 0}, {3590, 7665, 12093, 0, 0, 0, 0, 0, 0}, 13, 0, 0, 0},
    // 5
    {1960, {18, 20, 21, 22, 24, 255, 255, 255, 255}, {}, {7910, 6161, 6851, 13661, 11298, 0, 0, 0, 0}, {5273, 4107, 4567, 9107, 7532, 0, 0, 0, 0}, 14, 0, 0, 0},
    // 6
    {1970, {8, 11, 255, 255, 255, 255, 255, 255, 255}, {}, {2426, 7560, 0, 0, 0, 0, 0, 0, 0}, {3032, 3780, 0, 0, 0, 0, 0, 0, 0}, 35, 0, 0, 0},
    // 7
    {2005, {18, 22, 255, 255, 255, 255, 255, 255, 255}, {}, {7382, 12750, 0, 0, 0, 0, 0, 0, 0}, {5273, 9107, 0, 0, 0, 0, 0, 0, 0}, 47, 0, 0, 0},
    // 8
    {1970, {20, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {8214, 0, 0, 0, 0, 0, 0, 0, 0}, {4107, 0, 0, 0, 0, 0, 0, 0, 0}, 33, 0, 0, 0},
    // 9
    {1985, {15, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {5614, 0, 0, 0, 0, 0, 0, 0, 0}, {11228, 0, 0, 0, 0, 0, 0, 0, 0}, 11, 0, 0, 0},
    // 10
    {1978, {21, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {9134, 0, 0, 0, 0, 0, 0, 0, 0}, {4567, 0, 0, 0, 0, 0, 0, 0, 0}, 34, 0, 0, 0},
    // 11
    {1980, {21, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {3806, 0, 0, 0, 0, 0, 0, 0, 0}, {4567, 0, 0, 0, 0, 0, 0, 0, 0}, 19, 0, 0, 0},
    // 12
    {1996, {16, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {11789, 0, 0, 0, 0, 0, 0, 0, 0}, {16504, 0, 0, 0, 0, 0, 0, 0, 0}, 14, 0, 0, 0},
    // 13
    {1994, {16, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {20630, 0, 0, 0, 0, 0, 0, 0, 0}, {16504, 0, 0, 0, 0, 0, 0, 0, 0}, 32, 0, 0, 0},
    // 14
    {1970, {19, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {10126, 0, 0, 0, 0, 0, 0, 0, 0}, {5063, 0, 0, 0, 0, 0, 0, 0, 0}, 38, 0, 0, 0},
    // 15
    {1996, {24, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {9792, 0, 0, 0, 0, 0, 0, 0, 0}, {7532, 0, 0, 0, 0, 0, 0, 0, 0}, 33, 0, 0, 0},
    // 16
    {1980, {14, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {8680, 0, 0, 0, 0, 0, 0, 0, 0}, {4340, 0, 0, 0, 0, 0, 0, 0, 0}, 32, 0, 0, 0},
    // 17
    {1982, {32, 33, 34, 255, 255, 255, 255, 255, 255}, {}, {53271, 68271, 74763, 0, 0, 0, 0, 0, 0}, {42617, 54617, 59810, 0, 0, 0, 0, 0, 0}, 36, 0, 0, 0},
    // 18
    {1990, {32, 33, 34, 255, 255, 255, 255, 255, 255}, {}, {28411, 36411, 39873, 0, 0, 0, 0, 0, 0}, {42617, 54617, 59810, 0, 0, 0, 0, 0, 0}, 23, 0, 0, 0},
    // 19
    {1960, {26, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {18139, 0, 0, 0, 0, 0, 0, 0, 0}, {10077, 0, 0, 0, 0, 0, 0, 0, 0}, 29, 0, 0, 0},
    // 20
    {1974, {13, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {8376, 0, 0, 0, 0, 0, 0, 0, 0}, {5983, 0, 0, 0, 0, 0, 0, 0, 0}, 27, 0, 0, 0},
    // 21
    {1970, {8, 11, 255, 255, 255, 255, 255, 255, 255}, {}, {4548, 3150, 0, 0, 0, 0, 0, 0, 0}, {3032, 3780, 0, 0, 0, 0, 0, 0, 0}, 28, 0, 0, 0},
    // 22
    {2000, {40, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {22874, 0, 0, 0, 0, 0, 0, 0, 0}, {17595, 0, 0, 0, 0, 0, 0, 0, 0}, 35, 0, 0, 0},
    // 23
    {1990, {35, 37, 255, 255, 255, 255, 255, 255, 255}, {}, {16697, 18135, 0, 0, 0, 0, 0, 0, 0}, {12368, 13433, 0, 0, 0, 0, 0, 0, 0}, 25, 0, 0, 0},
    // 24
    {1990, {39, 255, 255, 255, 255, 255, 255, 255, 255}, {}, {26927, 0, 0, 0, 0, 0, 0, 0, 0}, {22439, 0, 0, 0, 0, 0, 0, 0, 0}, 26, 0, 0, 0},
    // 25
    {2003, {8, 9, 10, 11, 12, 13, 14, 15, 16}, {}, {1516, 1595, 1587, 1890, 2099, 2992, 2170, 5614, 8252}, {3032, 3190, 3173, 3780, 4197, 5983, 4340, 11228, 16504}, 140, 0, 0, 0},
    // 26
    {2013, {17, 23, 25, 255, 255, 255, 255, 255, 255}, {}, {1795, 3833, 5625, 0, 0, 0, 0, 0, 0}, {3590, 7665, 11250, 0, 0, 0, 0, 0, 0}, 140, 0, 0, 0},
};
// clang-format on

MarketEvent* ActiveEvent() {
    if (g_pGameState == nullptr) return nullptr;
    return MarketEventAt(g_pGameState->active_event);
}

// Writes one price set of an event into its goods.
void ApplyPrices(const MarketEvent& event, const int32_t (&prices)[9]) {
    for (int32_t k = 0; k < 9; ++k) {
        if (GoodsRecord* good = GoodsAt(event.event_goods[k])) good->price = prices[k];
    }
}

}  // namespace

void InitMarketEvents() {
    if (g_pGameState == nullptr) return;
    for (int32_t i = 0; i < kMarketEventSlots; ++i) {
        MarketEvent& event = g_pGameState->market_events[i];
        if (i < kMarketEventFilled) {
            event = kMarketEvents[i];
        } else {
            event = MarketEvent{};
            for (uint8_t& g : event.event_goods) g = kNoGood;
        }
    }
}

MarketEvent* MarketEventAt(int32_t index) {
    if (g_pGameState == nullptr || index < 0 || index >= kMarketEventSlots) return nullptr;
    return &g_pGameState->market_events[index];
}

bool StartMarketEvent(int32_t n) {
    MarketEvent* event = MarketEventAt(n);
    if (event == nullptr) return false;
    event->event_counter = event->event_duration;
    ApplyPrices(*event, event->event_prices);
    ++event->event_state;
    g_pGameState->active_event = static_cast<int8_t>(n);
    return true;
}

void CountDownMarketEvent() {
    MarketEvent* event = ActiveEvent();
    if (event == nullptr) return;
    if (event->event_counter > 0) --event->event_counter;
    if (event->event_counter > 0) return;
    ApplyPrices(*event, event->normal_prices);
    g_pGameState->active_event = -1;
    g_pGameState->event_pause = kEventPauseAfterEvent;
}

void MaybeStartRandomMarketEvent() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    if (gs->game_mode != kModeGame || gs->month == 2 || gs->month == 6) return;
    if (gs->active_event != -1 || gs->event_pause != 0 || gs->year >= 2061) return;
    if ((plat::Rand() & 1) == 0) return;
    const int32_t n = plat::Rand() % kMarketEventPickable;
    const MarketEvent& event = gs->market_events[n];
    if (event.event_state < 2 && event.event_year <= gs->year) StartMarketEvent(n);
}

void ApplyRunningEventPrices() {
    if (const MarketEvent* event = ActiveEvent()) ApplyPrices(*event, event->event_prices);
}

void EncodeMarketEvent(const MarketEvent& event, uint8_t* bytes) {
    le::PutU32(bytes, static_cast<uint32_t>(event.event_year));
    for (int32_t k = 0; k < 9; ++k) bytes[4 + k] = event.event_goods[k];
    for (int32_t k = 0; k < 3; ++k) bytes[13 + k] = event.padding_a[k];
    for (int32_t k = 0; k < 9; ++k) {
        le::PutU32(bytes + 16 + 4 * k, static_cast<uint32_t>(event.event_prices[k]));
        le::PutU32(bytes + 52 + 4 * k, static_cast<uint32_t>(event.normal_prices[k]));
    }
    bytes[88] = event.event_duration;
    bytes[89] = event.event_counter;
    bytes[90] = event.event_state;
    bytes[91] = event.padding_b;
}

void DecodeMarketEvent(const uint8_t* bytes, MarketEvent& event) {
    event.event_year = static_cast<int32_t>(le::GetU32(bytes));
    for (int32_t k = 0; k < 9; ++k) event.event_goods[k] = bytes[4 + k];
    for (int32_t k = 0; k < 3; ++k) event.padding_a[k] = bytes[13 + k];
    for (int32_t k = 0; k < 9; ++k) {
        event.event_prices[k] = static_cast<int32_t>(le::GetU32(bytes + 16 + 4 * k));
        event.normal_prices[k] = static_cast<int32_t>(le::GetU32(bytes + 52 + 4 * k));
    }
    event.event_duration = bytes[88];
    event.event_counter = bytes[89];
    event.event_state = bytes[90];
    event.padding_b = bytes[91];
}

void WriteMarketEvent(plat::FileHandle file, const MarketEvent& event) {
    uint8_t bytes[kMarketEventRecordSize];
    EncodeMarketEvent(event, bytes);
    le::WriteBytes(file, bytes, kMarketEventRecordSize);
}

uint32_t ReadMarketEvent(plat::FileHandle file, MarketEvent& event) {
    uint8_t bytes[kMarketEventRecordSize];
    const uint32_t got = le::ReadBytes(file, bytes, kMarketEventRecordSize);
    if (got == kMarketEventRecordSize) DecodeMarketEvent(bytes, event);
    return got;
}
