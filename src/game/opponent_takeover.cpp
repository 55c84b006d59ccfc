#include "game/opponent_takeover.h"

#include "economy/economy_bookings.h"
#include "game/opponent.h"
#include "state/game_state.h"
#include "state/statistics.h"

namespace {

int32_t Low32(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

const COpponent* OpponentIn(const CGameState& gs, int32_t slot) {
    if (slot < 0 || slot >= kOpponentCount) return nullptr;
    return gs.opponents[slot];
}

}  // namespace

OpponentFigures FiguresOfOpponent(const CGameState& gs, int32_t slot) {
    OpponentFigures f;
    const COpponent* o = OpponentIn(gs, slot);
    if (o == nullptr) return f;
    f.slot = slot;
    f.player = slot + 1;
    f.capital = Low32(gs.cash[f.player]);
    f.last_profit = g_Statistics.PairLast(kPairAnnualProfit, f.player);
    f.vehicles = g_Statistics.Monthly(StatSeries::VehicleCount, f.player);
    f.way_length = g_Statistics.Monthly(StatSeries::NetworkLength, f.player);
    f.worth = int64_t{f.capital} + g_Statistics.Monthly(StatSeries::CompanyWorth, f.player);
    f.points = f.worth / kWorthPerOpponentPoint;
    f.take_over_open = gs.year >= o->takeover_year;
    // In 64 bits: a worth near the 32-bit limit must not turn the price
    // negative, which would pay the player for the take-over.
    // The share is taken as (worth / 100) x percent plus the rest's share:
    // the same figure as worth x percent / 100, without the product that
    // a damaged percentage could carry past 64 bits.
    const int64_t percent = o->takeover_percent;
    f.price = f.worth / 100 * percent + f.worth % 100 * percent / 100 + f.worth / 2;
    return f;
}

TakeOver TakeOverOpponent(CGameState& gs, int32_t slot, bool pay) {
    const COpponent* o = OpponentIn(gs, slot);
    if (o == nullptr || o->turn_pending == 0) return TakeOver::NoOpponent;
    const OpponentFigures f = FiguresOfOpponent(gs, slot);
    if (!f.take_over_open) return TakeOver::TooEarly;
    // A price of 0 is paid like any other. A negative one (a negative worth,
    // or a percentage read from a damaged file) would pay the player for the
    // take-over, so it is refused.
    if (f.price < 0) return TakeOver::NoPrice;
    if (gs.cash[0] <= f.price) return TakeOver::TooDear;
    if (!pay) return TakeOver::Possible;
    ChargeCost(0, f.price, kCostTakeOver);
    g_TakeOverCount[slot] += 1;
    gs.opponents[slot]->turn_pending = 0;
    return TakeOver::Done;
}
