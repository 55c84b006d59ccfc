#pragma once
// A computer opponent (players 1..3), made from one of the five opponent
// profiles of the game state. This holds what the game state and the main
// loop use; the opponents' own behaviour and level record extend it.

#include <cstdint>

class COpponent {
  public:
    // Player number slot + 1; takes the turn interval, the start capital (into
    // the cash of player slot + 1) and the company name (into company_names
    // entry slot + 1) from profile `profile`.
    COpponent(int32_t slot, int32_t profile);
    ~COpponent();
    COpponent(const COpponent&) = delete;
    COpponent& operator=(const COpponent&) = delete;

    // The opponent's turn: clears turn_pending, reloads the countdown from the
    // profile and ends the turn (active_opponent = -1).
    void ResetTurn();

    int32_t turn_countdown = 0;  // game weeks until the next turn
    int32_t profile_index = 0;   // 0..4
    int32_t takeover_year = 2060;
    int32_t takeover_percent = 100;
    int32_t turn_pending = 1000;  // non-zero: the weekly countdown runs
    int32_t player_number = 1;    // 1..3
};
