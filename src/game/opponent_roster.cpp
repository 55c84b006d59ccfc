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

void ForgetVehicleInOpponents(const CVehicle* vehicle) {
    if (g_pGameState == nullptr) return;
    for (COpponent* opponent : g_pGameState->opponents) {
        if (opponent != nullptr) opponent->ForgetVehicle(vehicle);
    }
}
