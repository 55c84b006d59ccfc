#include "support/game_state_scope.h"

#include "game/opponent_roster.h"

GameStateScope::GameStateScope() : state_(std::make_unique<CGameState>()), previous_(g_pGameState) {
    g_pGameState = state_.get();
    ClearStatistics();
    ResetGameCounters();
}

GameStateScope::~GameStateScope() {
    DeleteOpponents();
    state_->Destroy();
    g_pGameState = previous_;
}
