// The truck's decision at the middle of every field: which field comes next,
// when to wait, junctions, dead ends, lanes and the arrival at its stop.

#include "state/map_field.h"
#include "transport/road_driving.h"
#include "transport/truck.h"
#include "world/way_network.h"
#include "world/way_queries.h"

namespace {

constexpr int32_t kLongWait = 32;
constexpr int32_t kQueueWait = 8;

bool OnServedDepot(const CTruck& t) {
    if (GetTerminalKindAt(t.pos_x, t.pos_y) != 1) return false;
    if (t.stop_served < 0 || t.stop_served >= kScheduleStops) return false;
    const ScheduleStop& stop = t.schedule[t.stop_served];
    return stop.x[0] == t.pos_x && stop.y[0] == t.pos_y;
}

bool IsTargetDepot(const CTruck& t, int32_t x, int32_t y) {
    if (t.in_tunnel != 0 || GetTerminalKindAt(x, y) != 1) return false;
    if (t.target_stop < 0 || t.target_stop >= kScheduleStops) return false;
    const ScheduleStop& stop = t.schedule[t.target_stop];
    if (stop.IsEmpty()) return false;
    return GetBuildingNumberAt(x, y) == GetBuildingNumberAt(stop.x[0], stop.y[0]);
}

void TurnOrWait(CTruck& t, int32_t tunnel0, int32_t bridge0) {
    if (!TryUTurn(t, tunnel0, bridge0)) WaitHere(t, kLongWait, tunnel0, bridge0);
}

// Re-plans from the junction's node with (node, -1) at the path's front.
// False when no route is found from there.
bool ReplanFrom(CTruck& t, int32_t node) {
    t.path.Clear();
    t.path.PushFront(node, -1);
    t.replan_x = t.pos_x;
    t.replan_y = t.pos_y;
    t.ReplanFromPathFront();
    return t.path.Count() > 0;
}

bool HasLink(int32_t node, int32_t dir) {
    const WayNode* n = g_pWayNetwork != nullptr ? g_pWayNetwork->Node(node) : nullptr;
    return n != nullptr && dir >= 0 && dir <= 3 && n->ziel[dir] != 0;
}

void DriveThroughJunction(CTruck& t, const RoadStep& step, int32_t tunnel0, int32_t bridge0) {
    t.speed_limit = t.model;
    const MapField* a = FieldAt(step.ax, step.ay);
    const int32_t nodeA = a->knotennummer();
    int32_t n = 0;
    int32_t d = -1;
    // A path whose next node is not this junction is stale: plan once from
    // the junction; without a route the truck turns round. Planning from the
    // truck's own field instead, until the path's next node is the junction,
    // never ends where that field is a node itself (the new path starts
    // there, not at the junction), and finds no route from a field without a
    // node, so that the truck would turn at every junction.
    if (t.path.PeekFront(n, d) == 0 || n != nodeA) {
        if (!ReplanFrom(t, nodeA)) return TurnOrWait(t, tunnel0, bridge0);
        t.path.PeekFront(n, d);
    }
    // A full depot right behind the junction: wait before blocking it.
    if (d >= 0 && d <= 3) {
        const int32_t bx = step.ax + DirDx(d);
        const int32_t by = step.ay + DirDy(d);
        const MapField* beyond = FieldAt(bx, by);
        if (beyond != nullptr && GetTerminalKindAt(bx, by) == 1 && beyond->belegt() != 0) {
            return WaitHere(t, kLongWait, tunnel0, bridge0);
        }
    }
    if (n != nodeA || !HasLink(nodeA, d)) {
        if (!ReplanFrom(t, nodeA)) return TurnOrWait(t, tunnel0, bridge0);
        t.path.PeekFront(n, d);
        if (n != nodeA || !HasLink(nodeA, d)) return TurnOrWait(t, tunnel0, bridge0);
    }
    if (DirBitFromIndex(d) == step.entry_side) {
        t.path.PopFront(n, d);
        return TurnOrWait(t, tunnel0, bridge0);
    }
    // On the road a truck waits before the junction until its exit lane is
    // free. Entering at once and waiting on the junction instead locks the
    // crossing for every other side: on the road grid with 200 trucks that
    // closed rings of waiting trucks from the twelfth year on (109 trucks
    // stood still for good by year 50, deliveries 113938 against 179886 with
    // the wait, which leaves no truck stuck). A truck on a depot drives onto
    // the junction and waits there instead: trucks bound for the depot wait
    // for it to be empty (above), and waiting on the depot for the lane
    // behind the junction can close a ring of trucks that wait for each other.
    uint8_t laneBeyond = 0;
    const bool onDepot = GetTerminalKindAt(t.pos_x, t.pos_y) == 1;
    if (!onDepot && !JunctionExitClear(step, d, &laneBeyond)) {
        return WaitBehind(t, step.ax + DirDx(d), step.ay + DirDy(d), laneBeyond, kQueueWait,
                          tunnel0, bridge0);
    }
    t.path.PopFront(n, d);
    EnterJunction(t, step, d);
}

}  // namespace

void CTruck::Drive() {
    const int32_t tunnel0 = in_tunnel;
    const int32_t bridge0 = on_bridge;
    RoadStep step;
    if (!LookAhead(*this, step)) {
        removal_flag = 1;
        return;
    }
    UpdateTunnelBridgeFlags(*this, step);
    const bool ground = !OffGround(*this);
    const bool junctionAhead = ground && IsJunctionField(step.ax, step.ay);

    // Junction lock: a vehicle on the junction bound elsewhere blocks entry.
    if (junctionAhead && JunctionSideBusy(step.ax, step.ay, step.entry_index)) {
        return WaitHere(*this, kLongWait, tunnel0, bridge0);
    }

    // Without a path on the depot just served (or after a schedule change):
    // plan the way to the next stop.
    if (path.Count() == 0 && (schedule_changed == 1 || OnServedDepot(*this))) {
        target_stop = stop_served;
        phase = kWaitPhase;
        PlanRoute();
        in_tunnel = tunnel0;
        on_bridge = bridge0;
        return;
    }

    phase = kDecisionPhase;
    arrival_counter = IsTargetDepot(*this, step.ax, step.ay) ? arrival_counter + 1 : 0;

    const MapField* a = FieldAt(step.ax, step.ay);
    if (a == nullptr || !WayContinues(*this, step)) {
        // The way ends here: turn, unless the truck stands on a depot or the
        // lane it would meet ahead is taken. A target depot that turns its
        // back on the truck is not reached: counted from the field ahead, the
        // arrival would be reported on the road behind the depot, and the
        // truck would book the trip and go on to its next stop without having
        // been at the terminal.
        arrival_counter = 0;
        uint8_t laneAhead = 0;
        if (a != nullptr && ground && !IsJunctionField(step.ax, step.ay)) {
            const int32_t l = GetRoadLane(step.ax, step.ay, a->richtung() & ~step.entry_side);
            if (l == 1 || l == 2) laneAhead = static_cast<uint8_t>(l);
        }
        const bool takenAhead =
            laneAhead != 0 && !IsLaneFree(step.ax, step.ay, MarkKind::Lane, laneAhead);
        if (takenAhead || GetTerminalKindAt(pos_x, pos_y) == 1) {
            return WaitBehind(*this, step.ax, step.ay, laneAhead, kLongWait, tunnel0, bridge0);
        }
        return TurnOrWait(*this, tunnel0, bridge0);
    }

    if (ground && IsDeadEndAhead(step)) {
        const RoadEntry entry = PlanEntry(*this, step);
        if (!IsEntryFree(step, entry)) {
            return WaitBehind(*this, step.ax, step.ay, entry.lane, kLongWait, tunnel0, bridge0);
        }
        return MoveInto(*this, step, entry);
    }

    const bool tunnelRun = in_tunnel != 0 && a->tunnel() && !a->tportal();
    const bool bridgeSpan = on_bridge != 0 && a->bridge_flag() && !a->bridge_end();
    const bool ordinary = !junctionAhead && a->richtung() != step.entry_side &&
                          GetTerminalKindAt(step.ax, step.ay) == 0 && arrival_counter == 0;
    if (ordinary || tunnelRun || bridgeSpan) {
        const RoadEntry entry = PlanEntry(*this, step);
        if (!IsEntryFree(step, entry)) {
            return WaitBehind(*this, step.ax, step.ay, entry.lane, kQueueWait, tunnel0, bridge0);
        }
        return MoveInto(*this, step, entry);
    }

    if (junctionAhead) return DriveThroughJunction(*this, step, tunnel0, bridge0);

    if (arrival_counter == 1) {
        if (a->belegt() != 0) {
            arrival_counter = 0;
            return WaitHere(*this, kLongWait, tunnel0, bridge0);
        }
        return MoveInto(*this, step, PlanEntry(*this, step));
    }
    // Nothing leads on (a depot that is not the target, a dead end facing
    // the truck): turn round. Ending the decision here without a turn or a
    // wait would leave the truck on its field for ever, passing its middle
    // again and again and paying a field's running cost at every pass.
    arrival_counter = 0;
    TurnOrWait(*this, tunnel0, bridge0);
}
