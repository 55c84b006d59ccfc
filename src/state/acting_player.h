#pragma once
// The player on whose behalf the builders and the vehicle services act: 0 for
// the human player (the tools of the screens), 1..3 while a computer
// opponent's turn runs. Builders charge that player's cash, give new
// buildings and way fields that owner, and play their sounds only for the
// human player.

#include <cstdint>

inline int32_t g_ActingPlayer = 0;

// Sets the acting player for its lifetime and puts the previous one back.
class ActingPlayerScope {
  public:
    explicit ActingPlayerScope(int32_t player) : previous_(g_ActingPlayer) {
        g_ActingPlayer = player >= 0 && player <= 3 ? player : 0;
    }
    ~ActingPlayerScope() { g_ActingPlayer = previous_; }
    ActingPlayerScope(const ActingPlayerScope&) = delete;
    ActingPlayerScope& operator=(const ActingPlayerScope&) = delete;

  private:
    int32_t previous_;
};
