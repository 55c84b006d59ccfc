// The train's decision at the middle of every field: the step onto the next
// field along the planned route, keeping trains apart by field marks and by
// link reservations (which act as block signals between nodes), waiting,
// reversing, and counting the fields of the target platform.

#include "state/map_field.h"
#include "transport/train.h"
#include "transport/tunnel_flag.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"

namespace {

constexpr int32_t kRefusedWait = 32;

bool SingleBit(int32_t bits) {
    return DirIndexFromBit(static_cast<uint8_t>(bits)) >= 0;
}

const WayNode* NodeOf(int32_t n) {
    return g_pWayNetwork != nullptr ? g_pWayNetwork->Node(n) : nullptr;
}

bool HasLink(int32_t node, int32_t dir) {
    const WayNode* n = NodeOf(node);
    return n != nullptr && dir >= 0 && dir <= 3 && n->ziel[dir] > 0;
}

bool LinkFlagged(int32_t node, int32_t dir) {
    const WayNode* n = NodeOf(node);
    return n != nullptr && dir >= 0 && dir <= 3 && n->belegt[dir] != 0;
}

}  // namespace

struct CTrain::Step {
    uint8_t heading = 0;  // travel direction bit
    int32_t h = 0;        // its index
    int32_t nx = 0;       // the next field
    int32_t ny = 0;
    uint8_t entry = 0;  // the next field's side facing the train
    int32_t entry_index = 0;
    MapField* next = nullptr;
    int32_t tunnel0 = 0;  // flags before the step
    int32_t bridge0 = 0;
    int32_t count0 = 0;    // platform count before the step
    bool passing = false;  // straight on inside a tunnel or on a bridge
    int32_t node = 0;      // the next field's node, 0 none (or passed over)
};

bool CTrain::IsTargetPlatform(int32_t x, int32_t y) const {
    if (in_tunnel != 0 || GetTerminalKindAt(x, y) != 4) return false;
    if (target_stop < 0 || target_stop >= kScheduleStops) return false;
    const ScheduleStop& stop = schedule[target_stop];
    return !stop.IsEmpty() &&
           GetBuildingNumberAt(x, y) == GetBuildingNumberAt(stop.x[0], stop.y[0]);
}

bool CTrain::IsServedPlatform(int32_t x, int32_t y) const {
    if (GetTerminalKindAt(x, y) != 4) return false;
    if (stop_served < 0 || stop_served >= kScheduleStops) return false;
    const ScheduleStop& stop = schedule[stop_served];
    return !stop.IsEmpty() &&
           GetBuildingNumberAt(x, y) == GetBuildingNumberAt(stop.x[0], stop.y[0]);
}

// The platform count taken for the field ahead is put back with the flags:
// counted again at every try, a train waiting before the target platform
// would reach 4 and unload while still standing outside the station.
void CTrain::RefuseStep(const Step& step, int32_t frames) {
    in_tunnel = step.tunnel0;
    on_bridge = step.bridge0;
    arrival_counter = step.count0;
    WaitHere(frames);
}

bool CTrain::PrepareStep(Step& step) {
    step.heading = Heading();
    step.h = DirIndexFromBit(step.heading);
    if (step.h < 0) return false;
    step.nx = pos_x + DirDx(step.h);
    step.ny = pos_y + DirDy(step.h);
    step.entry = OppositeDirBits(step.heading);
    step.entry_index = OppositeDirIndex(step.h);
    step.next = FieldAt(step.nx, step.ny);
    step.tunnel0 = in_tunnel;
    step.bridge0 = on_bridge;
    step.count0 = arrival_counter;
    if (step.next == nullptr) return true;
    StepTunnelAndBridgeFlags(*FieldAt(pos_x, pos_y), *step.next, step.heading, TrainUnit::Engine,
                             in_tunnel, on_bridge);
    step.passing = PassesUnderOrOver(*step.next, in_tunnel, on_bridge);
    step.node = !step.passing && step.next->knoten() ? step.next->knotennummer() : 0;
    return true;
}

void CTrain::Drive() {
    removal_flag = 0;
    Step step;
    if (!PrepareStep(step)) {
        removal_flag = 1;
        return;
    }
    // The edge of the map ends every track.
    if (step.next == nullptr) return RefuseStep(step, kRefusedWait);

    // An occupied field ahead is never entered.
    if (step.next->belegt() != 0 && in_tunnel == 0 && on_bridge == 0) {
        lane = 1;
        in_tunnel = step.tunnel0;
        on_bridge = step.bridge0;
        if (IsPathBlocked() == 1) {
            phase = kWaitPhase;
            Reverse();
        } else {
            WaitHere(kRefusedWait);
        }
        return;
    }

    // After three reversals the route is searched anew from the node ahead.
    if (reversals == 3 && path.Count() == 0 && step.node != 0) {
        path.PushFront(step.node, 0);
        SearchRoute();
        int32_t n = 0;
        int32_t d = 0;
        if (path.PeekFront(n, d) == 0 || d == step.entry_index) {
            path.Clear();
            path.PushFront(step.node, -1);
            SearchRouteExcluding();
        }
        if (path.Count() == 0) {
            if (GetTerminalKindAt(pos_x, pos_y) != 4 || !IsServedPlatform(pos_x, pos_y)) {
                target_stop = stop_served;
            }
            path.PushFront(step.node, 0);
            reversals = 2;
            SearchRoute();
        } else {
            reversals = 0;
        }
    }

    // A train on a platform without a route. It plans there only on a node:
    // a route searched from a field without one is always empty, so a train
    // planning again and again in the middle of its platform would never
    // leave it. Elsewhere it goes on to the node at the platform's end and
    // plans there.
    const bool onNode = FieldAt(pos_x, pos_y)->knoten();
    if (path.Count() == 0 && GetTerminalKindAt(pos_x, pos_y) == 4) {
        if (schedule_changed == 0 && reversals == 0) {
            if (IsServedPlatform(pos_x, pos_y) && onNode) {
                target_stop = stop_served;
                phase = kWaitPhase;
                PlanRoute();
                WaitHere(kRefusedWait);
                in_tunnel = 0;
                on_bridge = 0;
                return;
            }
            if (step.nx == replan_x && step.ny == replan_y && step.node != 0) {
                path.PushFront(step.node, -1);
                SearchRouteExcluding();
                if (path.Count() == 0) {
                    path.PushFront(step.node, 0);
                    SearchRoute();
                }
            }
        } else if (schedule_changed == 1 && onNode) {
            in_tunnel = step.tunnel0;
            on_bridge = step.bridge0;
            target_stop = stop_served;
            phase = kWaitPhase;
            PlanRoute();
            return;
        }
    }

    phase = kDecisionPhase;
    if (GetTerminalKindAt(step.nx, step.ny) == 4 && in_tunnel == 0) {
        if (IsTargetPlatform(step.nx, step.ny)) {
            ++arrival_counter;
        } else if (schedule_changed == 1 && arrival_counter > 0) {
            ++arrival_counter;
        } else {
            arrival_counter = 0;
        }
    } else {
        arrival_counter = 0;
    }

    // The track must go on into the next field from this side.
    if (!step.passing) {
        const bool typeFits = GetPieceConnections(step.nx, step.ny, way_kind) != 0;
        const int32_t dirs = GetWayDirections(step.nx, step.ny, kWayRail);
        if (!typeFits || (dirs & step.entry) == 0) {
            // The track ends: the train waits until it is laid on. At the
            // end of a platform it turns back after one wait: no track goes
            // on there, and a train waiting for it would stand there for
            // ever, shutting in the trains behind it. Two kinds of train come
            // to face that end: one whose turn on the platform was refused
            // because another train stood on the platform's other end (it
            // stays facing the way it came in), and one whose platform count
            // a reversal has put back, which reaches the end short of its
            // stop.
            const bool platformEnd = GetTerminalKindAt(pos_x, pos_y) == 4;
            if (platformEnd && lane == 1) {
                in_tunnel = step.tunnel0;
                on_bridge = step.bridge0;
                arrival_counter = step.count0;
                phase = kWaitPhase;
                Reverse();
                return;
            }
            RefuseStep(step, kRefusedWait);
            if (platformEnd) lane = 1;
            return;
        }
    }

    if (step.node != 0) {
        EnterNode(step);
        return;
    }
    if (!DepartureLinkHeld(step)) return;
    // The way on across a plain field: its other exit.
    uint8_t exit = step.heading;
    if (!step.passing) {
        int32_t exits = GetPieceConnections(step.nx, step.ny, way_kind);
        if (exits == 0) exits = GetWayDirections(step.nx, step.ny, kWayRail);
        exits &= ~step.entry;
        if (SingleBit(exits)) {
            exit = static_cast<uint8_t>(exits);
        } else if (exits != 0 && (exits & step.heading) == 0) {
            exit = static_cast<uint8_t>(exits & -exits);
        }
    }
    StepOnto(step, exit);
}

bool CTrain::DepartureLinkHeld(const Step& step) {
    const MapField* here = FieldAt(pos_x, pos_y);
    if (here == nullptr || !here->knoten()) return true;
    // A node of the ground above or below is passed.
    if ((step.tunnel0 != 0 && !here->tportal()) || (step.bridge0 != 0 && !here->bridge_end())) {
        return true;
    }
    const int32_t node = here->knotennummer();
    if (!HasLink(node, step.h) || held.ReserveLink(node, step.h)) return true;
    // Another train holds the link the train would leave by.
    lane = 1;
    in_tunnel = step.tunnel0;
    on_bridge = step.bridge0;
    arrival_counter = step.count0;
    if (HeadOnAhead(step.h) == 1) {
        phase = kWaitPhase;
        Reverse();
    } else {
        WaitHere(kRefusedWait);
    }
    return false;
}

void CTrain::StepOnto(const Step& step, uint8_t exit_bit) {
    const MapField* here = FieldAt(pos_x, pos_y);
    const bool nodeHere =
        here != nullptr && here->knoten() &&
        !((step.tunnel0 != 0 && !here->tportal()) || (step.bridge0 != 0 && !here->bridge_end()));
    const int32_t node = nodeHere ? here->knotennummer() : 0;
    const bool served = nodeHere && IsServedPlatform(pos_x, pos_y);
    left_x = pos_x;
    left_y = pos_y;
    pos_x = static_cast<uint8_t>(step.nx);
    pos_y = static_cast<uint8_t>(step.ny);
    state = 0;
    lane = 0;
    next_direction = static_cast<uint8_t>((exit_bit << 4) | step.entry);
    if (Markable(step.nx, step.ny, in_tunnel, on_bridge)) held.MarkField(step.nx, step.ny);
    ReleaseUncoveredFields();
    if (node == 0) return;
    // Leaving a node: without wagons the link behind is free now that the
    // engine has left the node (not on the target platform, where the train
    // may still turn back); trains with wagons free it when the last wagon
    // passes.
    if (wagon_count == 0 && arrival_counter < 2) {
        ReleaseHeldLink(node, DirIndexFromBit(static_cast<uint8_t>(direction & 0x0F)));
    }
    if (served) held.ReserveLink(node, step.h);
}

bool CTrain::EnterNode(Step& step) {
    const int32_t node = step.node;
    const bool onTarget = IsTargetPlatform(step.nx, step.ny);
    int32_t frontNode = 0;
    int32_t frontDir = -1;
    const bool fromPath = path.PeekFront(frontNode, frontDir) != 0 && frontNode == node;
    int32_t exit = -1;
    if (onTarget) {
        // Along the target platform the way is straight on.
        exit = step.h;
    } else if (fromPath) {
        exit = frontDir;
    } else {
        // No route through this node: plan again, from the node ahead (the
        // engine's own field mostly has no node, and a route searched from a
        // field without one is always empty: the train would wait here for
        // ever), on forward where a way leads on, back only where none does,
        // and try again. A new route that may lead straight back whenever
        // that is shorter sends trains to and fro between nodes, hundreds of
        // times, without ever reaching their stop.
        SearchAhead(node, step.entry_index);
        if (path.Count() == 0) {
            path.PushFront(node, 0);
            SearchRoute();
        }
        RefuseStep(step, kRefusedWait);
        return false;
    }

    const bool reserves = !onTarget || arrival_counter == 1;
    const bool reservedByOther = reserves && LinkFlagged(node, exit) && !held.HoldsLink(node, exit);
    const bool blocked = reserves && (exit < 0 || exit > 3 || !HasLink(node, exit) ||
                                      exit == step.entry_index || reservedByOther);
    if (blocked) {
        replan_x = step.nx;
        replan_y = step.ny;
        path.Clear();
        path.PushFront(node, -1);
        SearchRouteExcluding();
        int32_t n = 0;
        int32_t d = -1;
        if (path.PeekFront(n, d) == 0) {
            in_tunnel = step.tunnel0;
            on_bridge = step.bridge0;
            arrival_counter = step.count0;
            if (reservedByOther) {
                lane = 1;
                if (HeadOnAhead(exit) == 1) {
                    phase = kWaitPhase;
                    Reverse();
                } else {
                    WaitHere(kRefusedWait);
                }
            } else if (exit == step.entry_index) {
                phase = kWaitPhase;
                Reverse();
            } else {
                WaitHere(kRefusedWait);
            }
            return false;
        }
        if (d == step.entry_index) {
            in_tunnel = step.tunnel0;
            on_bridge = step.bridge0;
            arrival_counter = step.count0;
            phase = kWaitPhase;
            Reverse();
            return false;
        }
        exit = d;
    }
    if (!DepartureLinkHeld(step)) return false;
    int32_t n = 0;
    int32_t d = 0;
    if (path.PeekFront(n, d) != 0 && n == node) path.PopFront(n, d);
    StepOnto(step, DirBitFromIndex(exit));
    if (reserves && held.ReserveLink(node, exit)) {
        junction_node = node;
        junction_exit = step.entry;
    }
    return true;
}
