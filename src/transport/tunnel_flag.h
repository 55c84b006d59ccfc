#pragma once
// The tunnel flag of a vehicle or wagon on a tunnel portal, and the tunnel
// and bridge flags of a train's engine or wagon stepping onto a field.

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

// A train's engine or wagon stepping from `from` onto `to` with `heading`: a
// portal ahead sets the tunnel flag as above; a bridge end reached from off
// the bridge outside a tunnel puts the unit on the bridge, and leaving a
// bridge end for a field without bridge takes it off. Whether it leaves the
// bridge end inside a tunnel is asked of the field it leaves: asked after the
// portal ahead has put it in the tunnel, a unit going from a bridge end
// straight into a tunnel mouth would stay on the bridge through the tunnel
// and beyond, marking no field (and an engine passing every junction).
inline void StepTunnelAndBridgeFlags(const MapField& from, const MapField& to, uint8_t heading,
                                     int32_t& in_tunnel, int32_t& on_bridge) {
    const int32_t left_in_tunnel = in_tunnel;
    if (to.tportal()) in_tunnel = TunnelFlagOnPortal(to, heading);
    if (to.bridge_end() && !from.bridge_flag() && in_tunnel == 0) on_bridge = 1;
    if (from.bridge_end() && !to.bridge_flag() && left_in_tunnel == 0) on_bridge = 0;
}
