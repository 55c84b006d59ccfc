#pragma once
// How a computer opponent plays, from its profile: the money it keeps back,
// how far and how boldly it reaches and how long it bears a chain that does
// not pay.

#include <cstdint>

#include "state/game_records.h"

struct OpponentStyle {
    int64_t reserve = 0;       // cash the opponent never spends below
    int32_t risk = 0;          // the profile's first percentage
    int32_t max_haul = 0;      // longest site-to-city distance it builds, in fields
    int32_t haul = 0;          // the site-to-city distance it likes best, in fields
    int32_t trucks = 2;        // trucks a new chain starts with
    int32_t max_trucks = 4;    // trucks a chain may grow to
    int32_t max_chains = 2;    // chains running or being built at once
    int32_t patience = 2;      // strikes before a chain is given up
    int32_t rail_from = 0;     // haul from which it builds rail, 0 never
    int32_t payback_cap = 24;  // months of payback it accepts once it has a chain
};

// The cash a first chain needs at the least (a wood industry, a store, three
// depots, a short road and a truck): the reserve never keeps back so much of
// the start capital that this is not left.
constexpr int64_t kSmallestChainCost = 260000;

OpponentStyle StyleOfProfile(const OpponentProfile& profile);

// What an opponent with nothing running keeps back for the one-truck chain
// that brings it back: half its reserve, at most enough for a year of the
// truck's running.
constexpr int64_t kLeanReserveCap = 40000;
inline int64_t LeanReserve(const OpponentStyle& style) {
    return style.reserve / 2 < kLeanReserveCap ? style.reserve / 2 : kLeanReserveCap;
}
