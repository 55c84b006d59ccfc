#include "support/game_state_scope.h"

GameStateScope::GameStateScope() : state_(std::make_unique<CGameState>()), previous_(g_pGameState) {
    g_pGameState = state_.get();
    ClearStatistics();
    ResetGameCounters();
}

GameStateScope::~GameStateScope() {
    state_->Destroy();
    g_pGameState = previous_;
}
