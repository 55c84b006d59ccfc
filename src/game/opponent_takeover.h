#pragma once
// An opponent's company as the player sees it (capital, last year's profit,
// worth, points, fleet and network) and the take-over: the player buys the
// opponent out at its price. The price and the purchase go through one
// function, so the price the screens show is the price paid.

#include <cstdint>

class CGameState;

inline constexpr int64_t kWorthPerOpponentPoint = 2000000;

struct OpponentFigures {
    int32_t slot = -1;            // 0..2; -1 when there is no such opponent
    int32_t player = 0;           // slot + 1
    int32_t capital = 0;          // the low 32 bits of the player's cash
    int32_t last_profit = 0;      // the annual profit of the year before
    int32_t vehicles = 0;         // the running count
    int32_t way_length = 0;       // fields of way laid
    int64_t worth = 0;            // capital plus the non-cash worth
    int64_t points = 0;           // worth / 2,000,000, toward zero
    bool take_over_open = false;  // the year has reached the opponent's take-over year
    int64_t price = 0;            // only meaningful while take_over_open
};

// The figures of the opponent in `slot` (a missing opponent or a slot
// outside 0..2 gives slot -1 and zeros).
OpponentFigures FiguresOfOpponent(const CGameState& gs, int32_t slot);

enum class TakeOver {
    Possible,    // the player can pay: the preview's answer
    Done,        // paid, counted, and the opponent is out of the game
    NoOpponent,  // no opponent in that slot, or one that no longer takes part
    TooEarly,    // before the opponent's take-over year
    NoPrice,     // a negative price is never paid (it would pay the player)
    TooDear,     // the player's cash is not above the price
};

// With `pay` false only answers whether the take-over of the opponent in
// `slot` may happen now (Possible or why not). With `pay` true and the
// take-over possible: the price leaves player 0's cash and is booked as a
// take-over cost, the opponent's take-over count rises by one and it takes
// no more turns (turn_pending 0); its property stays with its player number.
TakeOver TakeOverOpponent(CGameState& gs, int32_t slot, bool pay);
