// Route planning of the train over the way network: advancing to the next
// stop, the cheapest route to one of its platform rows, and the searches
// again from a node on the way.

#include "transport/train.h"
#include "world/map_field.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kUnreachableCost = 65535;

int32_t NodeAt(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    return field != nullptr ? field->knotennummer() : 0;
}

// The cost of the route to `node` found by the last search: the link costs
// summed back along the predecessors; -1 when it reaches 65535 or does not
// lead back to the start.
int32_t RouteCost(const CWayNetwork& network, int32_t start, int32_t node) {
    int32_t cost = 0;
    int32_t n = node;
    for (int32_t steps = 0; n != start; ++steps) {
        const RouteRecord& record = network.Route(n);
        const WayNode* prev = network.Node(record.prev);
        if (prev == nullptr || record.dir < 0 || record.dir > 3 || steps >= kMaxWayNodes) return -1;
        cost += prev->cost[record.dir];
        if (cost >= kUnreachableCost) return -1;
        n = record.prev;
    }
    return cost;
}

}  // namespace

void CTrain::RebuildPath(int32_t start) {
    path.Clear();
    const CWayNetwork* network = g_pWayNetwork;
    if (network == nullptr || start <= 0 || target_stop < 0 || target_stop >= kScheduleStops) {
        return;
    }
    const ScheduleStop& stop = schedule[target_stop];
    int32_t winner = 0;
    int32_t best = kUnreachableCost;
    for (int32_t i = 0; i < 4; ++i) {
        if (stop.x[i] == kNoStopField) continue;
        const int32_t head = NodeAt(stop.x[i], stop.y[i]);
        if (head <= 0 || head >= kWayNodeSlots || network->Route(head).prev == 0) continue;
        const int32_t cost = RouteCost(*network, start, head);
        if (cost >= 0 && cost < best) {
            best = cost;
            winner = head;
        }
    }
    if (winner == 0) return;
    path.PushFront(winner, -1);
    for (int32_t n = winner, steps = 0; n != start && steps < kMaxWayNodes; ++steps) {
        const RouteRecord& record = network->Route(n);
        path.PushFront(record.prev, record.dir);
        n = record.prev;
    }
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

void CTrain::SearchAhead(int32_t node, int32_t entry_index, bool excluding) {
    path.Clear();
    CWayNetwork* network = g_pWayNetwork;
    WayNode* start = network != nullptr ? network->Node(node) : nullptr;
    if (start == nullptr || entry_index < 0 || entry_index > 3) return;
    // The link the train comes along is taken out of the graph for this one
    // search: the start is settled first, so it is never entered again, and
    // leaving it by that side is all that is excluded.
    const int32_t back = start->ziel[entry_index];
    start->ziel[entry_index] = 0;
    if (excluding) {
        network->FindRoutesExcluding(node, node);
    } else {
        network->FindRoutes(node);
    }
    start->ziel[entry_index] = back;
    RebuildPath(node);
}

void CTrain::SearchRoute() {
    int32_t start = 0;
    int32_t dir = 0;
    if (path.PeekFront(start, dir) == 0) start = 0;
    SearchFrom(start, false);
}

void CTrain::SearchRouteExcluding() {
    int32_t start = 0;
    int32_t dir = 0;
    if (path.PeekFront(start, dir) == 0) start = 0;
    SearchFrom(start, true);
}

void CTrain::PlanRoute() {
    schedule_changed = 0;
    stop_served = target_stop;
    int32_t next = target_stop + 1;
    if (next < 0 || next >= kScheduleStops || schedule[next].IsEmpty()) next = 0;
    target_stop = next;

    const int32_t start = NodeAt(pos_x, pos_y);
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
        // The train leaves the other way: what it reserved towards its old
        // heading is no longer needed.
        if (junction_node != 0) {
            ReleaseHeldLink(junction_node, DirIndexFromBit(static_cast<uint8_t>(junction_exit)));
        }
        TurnAround();
        turned = 1;
        path.PopFront(node, dir);
    } else if (junction_node != 0) {
        turned = 0;
        ReleaseHeldLink(junction_node, DirIndexFromBit(static_cast<uint8_t>(junction_exit)));
        if (heading >= 0) held.ReserveLink(start, heading);
    }
}
