#include "game/opponent.h"

#include <cstring>

#include "app/game_state.h"

namespace {

const OpponentProfile* ProfileOf(int32_t profile) {
    if (g_pGameState == nullptr || profile < 0 || profile >= kOpponentProfileCount) return nullptr;
    return &g_pGameState->opponent_profiles[profile];
}

}  // namespace

COpponent::COpponent(int32_t slot, int32_t profile)
    : profile_index(profile), player_number(slot + 1) {
    const OpponentProfile* p = ProfileOf(profile);
    if (p == nullptr) return;
    turn_countdown = p->turn_interval;
    if (slot >= 0 && slot < kOpponentCount) {
        g_pGameState->cash[slot + 1] = p->start_capital;
        // The company name keeps at most 34 characters of the profile's name.
        char* name = g_pGameState->company_names[slot + 1];
        std::memset(name, 0, kCompanyNameLength);
        for (int32_t i = 0; i < kCompanyNameLength - 1 && p->name[i] != '\0'; ++i)
            name[i] = p->name[i];
    }
}

COpponent::~COpponent() = default;

void COpponent::ResetTurn() {
    turn_pending = 0;
    if (const OpponentProfile* p = ProfileOf(profile_index)) turn_countdown = p->turn_interval;
    if (g_pGameState != nullptr) g_pGameState->active_opponent = -1;
}
