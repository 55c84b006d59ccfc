// Route planning of the truck over the way network, and turning on a depot.

#include "state/map_field.h"
#include "transport/road_driving.h"
#include "transport/truck.h"
#include "transport/vehicle_trip.h"
#include "world/field_queries.h"
#include "world/way_network.h"
#include "world/way_queries.h"

namespace {

struct DepotStart {
    uint8_t heading;
    uint8_t entered;
};
constexpr DepotStart kDepotStarts[4] = {
    {kDirN, kDirS}, {kDirE, kDirW}, {kDirS, kDirN}, {kDirW, kDirE}};

}  // namespace

void CTruck::PlanPathFrom(int32_t start_node) {
    path.Clear();
    CWayNetwork* network = g_pWayNetwork;
    if (network == nullptr || target_stop < 0 || target_stop >= kScheduleStops) return;
    network->FindRoutes(start_node);
    if (start_node <= 0) return;
    PathToCheapestStopField(*network, start_node, schedule[target_stop], path);
}

void CTruck::PlanRoute() {
    AdvanceTargetStop();
    PlanPathFrom(WayNodeAt(pos_x, pos_y));
    int32_t node = 0;
    int32_t dir = 0;
    if (path.PopFront(node, dir) == 0) return;
    if (dir >= 0 && dir <= 3 && DirBitFromIndex(dir) != Heading()) TurnAround();
}

void CTruck::ReplanFromPathFront() {
    PlanPathFrom(PathFrontNode());
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
