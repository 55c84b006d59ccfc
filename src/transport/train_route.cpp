// Route planning of the train over the way network: advancing to the next
// stop, the cheapest route to one of its platform rows, and the searches
// again from a node on the way.

#include "state/map_field.h"
#include "transport/train.h"
#include "transport/vehicle_trip.h"
#include "world/way_network.h"

void CTrain::RebuildPath(int32_t start) {
    path.Clear();
    const CWayNetwork* network = g_pWayNetwork;
    if (network == nullptr || start <= 0 || target_stop < 0 || target_stop >= kScheduleStops) {
        return;
    }
    PathToCheapestStopField(*network, start, schedule[target_stop], path);
}

void CTrain::SearchFrom(int32_t start, bool excluding) {
    path.Clear();
    if (g_pWayNetwork == nullptr) return;
    if (excluding) {
        g_pWayNetwork->FindRoutesExcluding(start, start);
    } else {
        g_pWayNetwork->FindRoutes(start);
    }
    RebuildPath(start);
}

void CTrain::SearchAhead(int32_t node, int32_t entry_index) {
    path.Clear();
    CWayNetwork* network = g_pWayNetwork;
    WayNode* start = network != nullptr ? network->Node(node) : nullptr;
    if (start == nullptr || entry_index < 0 || entry_index > 3) return;
    // The link the train comes along is taken out of the graph for this one
    // search: the start is settled first, so it is never entered again, and
    // leaving it by that side is all that is excluded.
    const int32_t back = start->ziel[entry_index];
    start->ziel[entry_index] = 0;
    network->FindRoutes(node);
    start->ziel[entry_index] = back;
    RebuildPath(node);
}

void CTrain::SearchRoute() {
    SearchFrom(PathFrontNode(), false);
}

void CTrain::SearchRouteExcluding() {
    SearchFrom(PathFrontNode(), true);
}

void CTrain::PlanRoute() {
    AdvanceTargetStop();
    const int32_t start = WayNodeAt(pos_x, pos_y);
    bool found = false;
    if (retry_count > 4) {
        path.Clear();
        path.PushFront(start, -1);
        SearchRouteExcluding();
        found = path.Count() > 0;
    }
    if (!found) SearchFrom(start, false);

    int32_t node = 0;
    int32_t dir = 0;
    if (path.PopFront(node, dir) == 0) return;
    const int32_t heading = DirIndexFromBit(Heading());
    if (dir >= 0 && dir <= 3 && dir != heading) {
        // The train leaves the other way. It gives up two links. A link
        // another train holds stays that train's, a flag no train holds is
        // cleared, and a link a unit of this train still stands in is kept
        // until none does (ReleaseHeldLink):
        // - the link kept for route planning (junction_node/junction_exit):
        //   the one it came along into the last node where it reserved its
        //   way on, or, for a train bought here, the one it faced. Unlike a
        //   plain replan, the turn itself never gives it up: the train
        //   jumps to the platform's other end, so no unit of it passes that
        //   node again to free it, and, kept, the link would stop every
        //   train from that side for good. Given up before the turn,
        //   because TurnAround reserves the link the train then faces,
        //   which may be this one.
        // - when TurnAround has reversed its heading, the link leaving the
        //   node it stood on (`start`) in its old heading: the link beyond
        //   the platform end it left, reserved there to leave by. Its wagons
        //   are behind it, so no unit of it stands in that link, and it need
        //   never come back through that end: kept, the link would stop
        //   every train coming from that side before the platform for good.
        //   A refused turn (the train stays facing that way and leaves by
        //   that link) keeps it, and so does a link that leads round to the
        //   end the train now faces (the one TurnAround has just reserved).
        if (junction_node != 0) {
            ReleaseHeldLink(junction_node, DirIndexFromBit(static_cast<uint8_t>(junction_exit)));
        }
        TurnAround();
        turned = 1;
        const int32_t now = DirIndexFromBit(Heading());
        if (heading >= 0 && now == OppositeDirIndex(heading) &&
            !SameLink(start, heading, WayNodeAt(pos_x, pos_y), now)) {
            ReleaseHeldLink(start, heading);
        }
        path.PopFront(node, dir);
    } else if (junction_node != 0) {
        turned = 0;
        ReleaseHeldLink(junction_node, DirIndexFromBit(static_cast<uint8_t>(junction_exit)));
        if (heading >= 0) held.ReserveLink(start, heading);
    }
}
