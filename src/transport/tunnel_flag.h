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

// Whether a unit with these flags on `field` runs under or over the ground
// there: inside a tunnel off its portals, or on a bridge off its ends. Such a
// unit passes the node the field may hold, taking and giving up no link.
inline bool PassesUnderOrOver(const MapField& field, int32_t in_tunnel, int32_t on_bridge) {
    return (in_tunnel != 0 && !field.tportal()) || (on_bridge != 0 && !field.bridge_end());
}

// Which unit of a train steps: they come off a bridge by different rules.
enum class TrainUnit : uint8_t { Engine, Wagon };

// A train's engine or wagon stepping from `from` onto `to` with `heading`: a
// portal ahead sets the tunnel flag as above; a bridge end reached from off
// the bridge outside a tunnel puts the unit on the bridge, and leaving a
// bridge end for a field without bridge takes it off: a wagon always, an
// engine only when it leaves the bridge end outside a tunnel. The two differ
// only for a unit that is in a tunnel and on a bridge at once as it leaves
// the bridge end. Whether the engine leaves it inside a tunnel is asked of
// the field it leaves: asked after the portal ahead has put it in the
// tunnel, an engine going from a bridge end straight into a tunnel mouth
// would stay on the bridge through the tunnel and beyond, marking no field
// and passing every junction.
inline void StepTunnelAndBridgeFlags(const MapField& from, const MapField& to, uint8_t heading,
                                     TrainUnit unit, int32_t& in_tunnel, int32_t& on_bridge) {
    const bool may_leave_bridge = unit == TrainUnit::Wagon || in_tunnel == 0;
    if (to.tportal()) in_tunnel = TunnelFlagOnPortal(to, heading);
    if (to.bridge_end() && !from.bridge_flag() && in_tunnel == 0) on_bridge = 1;
    if (from.bridge_end() && !to.bridge_flag() && may_leave_bridge) on_bridge = 0;
}
