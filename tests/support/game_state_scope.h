#pragma once
// Gives a test a fresh game state: a new CGameState in g_pGameState, cleared
// statistics and reset counters. The previous state pointer comes back when
// the scope ends.

#include <memory>

#include "state/game_state.h"

class GameStateScope {
  public:
    GameStateScope();
    ~GameStateScope();
    GameStateScope(const GameStateScope&) = delete;
    GameStateScope& operator=(const GameStateScope&) = delete;

    CGameState& state() { return *state_; }

  private:
    std::unique_ptr<CGameState> state_;
    CGameState* previous_;
};
