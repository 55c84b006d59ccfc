#include "game/opponent_style.h"

#include <algorithm>

namespace {

constexpr int32_t kRailHaul = 40;
constexpr int32_t kRailRisk = 60;

}  // namespace

OpponentStyle StyleOfProfile(const OpponentProfile& profile) {
    OpponentStyle style;
    const int64_t capital = std::max(0, profile.start_capital);
    const int32_t kept = std::clamp(100 - profile.percent_b, 0, 100);
    style.reserve = capital * kept / 100;
    style.risk = std::clamp(profile.percent_a, 0, 100);
    style.max_haul = 30 + style.risk;
    style.trucks = style.risk >= 60 ? 3 : 2;
    style.max_trucks = 2 * style.trucks;
    style.max_chains = 2 + static_cast<int32_t>(capital / 250000);
    style.patience = style.risk >= 50 ? 3 : 2;
    style.rail_from = style.risk >= kRailRisk ? kRailHaul : 0;
    style.payback_cap = 24 + style.risk;
    return style;
}
