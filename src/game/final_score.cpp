#include "game/final_score.h"

#include <algorithm>
#include <limits>

#include "state/game_state.h"
#include "state/statistics.h"

namespace {

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

int64_t CompanyValue(const CGameState& gs) {
    const int64_t cashLow = static_cast<int32_t>(static_cast<uint32_t>(gs.cash[0]));
    return cashLow + g_Statistics.Monthly(StatSeries::CompanyWorth, 0) - g_Credit;
}

FinalScore ComputeFinalScore(const CGameState& gs, bool ended_by_next_level) {
    FinalScore s;
    s.value = CompanyValue(gs);
    s.points = Clamp32(s.value / kValuePerPoint);
    s.take_overs =
        Clamp32(static_cast<int64_t>(g_TakeOverCount[0]) + g_TakeOverCount[1] + g_TakeOverCount[2]);
    s.years = (!ended_by_next_level && gs.year < kLastGameYear) ? kLastGameYear - gs.year : 0;
    s.total = Clamp32(static_cast<int64_t>(s.points) +
                      static_cast<int64_t>(s.take_overs) * kPointsPerTakeOver +
                      static_cast<int64_t>(s.years) * kPointsPerYear);
    return s;
}
