#pragma once
// The tunnel flag of a vehicle or wagon on a tunnel portal.

#include <cstdint>

#include "state/map_field.h"
#include "world/way_piece_tables.h"

// In the tunnel when it heads into the hill. The flag follows from the slope
// and is not flipped at every portal: the two agree for every unit that
// drives through a portal, but a train or truck that turns back on a portal
// it came onto from outside would keep the flag of the tunnel while it ran
// on in the open, marking none of the fields it crosses.
inline int32_t TunnelFlagOnPortal(const MapField& portal, uint8_t heading) {
    return heading == SlopeDirection(static_cast<int32_t>(portal.teile_diff())) ? 1 : 0;
}
