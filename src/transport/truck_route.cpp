// Route planning of the truck over the way network, and turning on a depot.

#include "transport/road_driving.h"
#include "transport/truck.h"
#include "world/field_queries.h"
#include "world/map_field.h"
#include "world/way_network.h"
#include "world/way_queries.h"

namespace {

constexpr int32_t kNoRouteCost = 65535;

struct DepotStart {
    uint8_t heading;
    uint8_t entered;
};
constexpr DepotStart kDepotStarts[4] = {
    {kDirN, kDirS}, {kDirE, kDirW}, {kDirS, kDirN}, {kDirW, kDirE}};

int32_t NodeAt(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    return field != nullptr ? field->knotennummer() : 0;
}

// The cost of the route to `node` found by the last search: the link costs
// summed back along the predecessors; -1 when it has no route back to start.
int32_t RouteCost(const CWayNetwork& network, int32_t start, int32_t node) {
    int32_t cost = 0;
    int32_t n = node;
    for (int32_t steps = 0; n != start; ++steps) {
        const RouteRecord& record = network.Route(n);
        const WayNode* prev = network.Node(record.prev);
        if (prev == nullptr || record.dir < 0 || record.dir > 3 || steps >= kMaxWayNodes) {
            return -1;
        }
        cost += prev->cost[record.dir];
        if (cost >= kNoRouteCost) return -1;
        n = record.prev;
    }
    return cost;
}

}  // namespace

void CTruck::PlanPathFrom(int32_t start_node) {
    path.Clear();
    CWayNetwork* network = g_pWayNetwork;
    if (network == nullptr || target_stop < 0 || target_stop >= kScheduleStops) return;
    network->FindRoutes(start_node);
    if (start_node <= 0) return;
    const ScheduleStop& stop = schedule[target_stop];
    int32_t winner = 0;
    int32_t best = kNoRouteCost;
    for (int32_t i = 0; i < 4; ++i) {
        if (stop.x[i] == kNoStopField) continue;
        const int32_t candidate = NodeAt(stop.x[i], stop.y[i]);
        if (candidate <= 0 || candidate >= kWayNodeSlots) continue;
        if (network->Route(candidate).prev == 0) continue;
        const int32_t cost = RouteCost(*network, start_node, candidate);
        if (cost >= 0 && cost < best) {
            best = cost;
            winner = candidate;
        }
    }
    if (winner == 0) return;
    path.PushFront(winner, -1);
    for (int32_t n = winner, steps = 0; n != start_node && steps < kMaxWayNodes; ++steps) {
        const RouteRecord& record = network->Route(n);
        path.PushFront(record.prev, record.dir);
        n = record.prev;
    }
}

void CTruck::PlanRoute() {
    schedule_changed = 0;
    stop_served = target_stop;
    int32_t next = target_stop + 1;
    if (next >= kScheduleStops || next < 0 || schedule[next].IsEmpty()) next = 0;
    target_stop = next;
    PlanPathFrom(NodeAt(pos_x, pos_y));
    int32_t node = 0;
    int32_t dir = 0;
    if (path.PopFront(node, dir) == 0) return;
    if (dir >= 0 && dir <= 3 && DirBitFromIndex(dir) != Heading()) TurnAround();
}

void CTruck::ReplanFromPathFront() {
    int32_t node = 0;
    int32_t dir = 0;
    if (path.PeekFront(node, dir) == 0) node = 0;
    PlanPathFrom(node);
}

void CTruck::TurnAround() {
    const int32_t type = GetBuildingTypeAt(pos_x, pos_y);
    if (type < 0 || type > 3) return;
    left_x = pos_x;
    left_y = pos_y;
    direction =
        static_cast<uint8_t>((kDepotStarts[type].heading << 4) | kDepotStarts[type].entered);
    drawn_x = pos_x;
    drawn_y = pos_y;
    prev_direction = direction;
    next_direction = direction;
    // The truck moves to the lane of its new heading, unless another truck
    // holds it: then it keeps the lane it has.
    const int32_t want = GetRoadLane(pos_x, pos_y, Heading());
    const uint8_t wantLane = want == 2 ? 2 : 1;
    if (!HoldsMark() || mark.lane != wantLane) {
        if (IsLaneFree(pos_x, pos_y, MarkKind::Lane, wantLane)) {
            TakeMark(mark, pos_x, pos_y, MarkKind::Lane, wantLane, -1);
        }
    }
    if (HoldsMark()) lane = mark.lane;
}
