#include "game/opponent_roster.h"

#include "game/opponent.h"
#include "state/game_state.h"

void RecreateOpponents() {
    if (g_pGameState == nullptr) return;
    for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
        COpponent*& opponent = g_pGameState->opponents[slot];
        delete opponent;
        opponent = nullptr;
        opponent = new COpponent(slot, slot);
    }
}

void RecreateOpponents(const int32_t (&picks)[3]) {
    if (g_pGameState == nullptr) return;
    bool taken[kOpponentProfileCount] = {};
    for (const int32_t pick : picks) {
        if (pick >= 0 && pick < kOpponentProfileCount) taken[pick] = true;
    }
    for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
        int32_t profile = picks[slot];
        const bool picked = profile >= 0 && profile < kOpponentProfileCount;
        if (!picked) {
            profile = 0;
            while (profile < kOpponentProfileCount - 1 && taken[profile]) ++profile;
            taken[profile] = true;
        }
        COpponent*& opponent = g_pGameState->opponents[slot];
        delete opponent;
        opponent = new COpponent(slot, profile);
        // A picked opponent keeps the turn_pending its constructor gives
        // (1000) and takes part. Cleared for all three, as the selection's
        // OK would clear them, a free game would have no rival taking turns
        // at all: no countdown runs for an opponent whose value is 0, and
        // the opponent screens and the map legend leave it out.
        if (!picked) opponent->turn_pending = 0;
    }
}

void DeleteOpponents() {
    if (g_pGameState == nullptr) return;
    for (COpponent*& opponent : g_pGameState->opponents) {
        delete opponent;
        opponent = nullptr;
    }
}

void StopOpponentTurns() {
    if (g_pGameState == nullptr) return;
    for (COpponent* opponent : g_pGameState->opponents) {
        if (opponent != nullptr) opponent->turn_pending = 0;
    }
}

void ForgetOpponentWorlds() {
    if (g_pGameState == nullptr) return;
    for (COpponent* opponent : g_pGameState->opponents) {
        if (opponent != nullptr) opponent->ForgetWorld();
    }
    StopOpponentTurns();
}

void ForgetVehicleInOpponents(const CVehicle* vehicle) {
    if (g_pGameState == nullptr) return;
    for (COpponent* opponent : g_pGameState->opponents) {
        if (opponent != nullptr) opponent->ForgetVehicle(vehicle);
    }
}
