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
    int32_t trucks = 2;        // trucks a new chain starts with
    int32_t max_trucks = 4;    // trucks a chain may grow to
    int32_t max_chains = 2;    // chains running or being built at once
    int32_t patience = 2;      // strikes before a chain is given up
    int32_t rail_from = 0;     // haul from which it builds rail, 0 never
    int32_t payback_cap = 24;  // months of payback it accepts once it has a chain
};

OpponentStyle StyleOfProfile(const OpponentProfile& profile);
