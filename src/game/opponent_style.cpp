#include "game/opponent_style.h"

#include <algorithm>

namespace {

constexpr int32_t kRailHaul = 40;
constexpr int32_t kRailRisk = 60;
constexpr int32_t kShortestHaul = 14;
constexpr int32_t kHaulPerTurnWeek = 3;

}  // namespace

OpponentStyle StyleOfProfile(const OpponentProfile& profile) {
    OpponentStyle style;
    const int64_t capital = std::max(0, profile.start_capital);
    const int32_t kept = std::clamp(100 - profile.percent_b, 0, 100);
    style.reserve = std::clamp<int64_t>(capital * kept / 100, 0,
                                        std::max<int64_t>(0, capital - kSmallestChainCost));
    style.risk = std::clamp(profile.percent_a, 0, 100);
    style.max_haul = 30 + style.risk;
    // Companies that plan rarely like longer hauls: their chains are fewer
    // and set apart from the quick planners', which take the near towns.
    style.haul = std::min(style.max_haul,
                          kShortestHaul + kHaulPerTurnWeek * std::max(0, profile.turn_interval));
    style.trucks = style.risk >= 60 ? 3 : 2;
    style.max_trucks = 2 * style.trucks;
    style.max_chains = 2 + static_cast<int32_t>(capital / 250000);
    style.patience = style.risk >= 50 ? 3 : 2;
    style.rail_from = style.risk >= kRailRisk ? kRailHaul : 0;
    style.payback_cap = 24 + style.risk;
    return style;
}
