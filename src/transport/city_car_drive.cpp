// The city car's decision at the middle of every field: on along the road,
// random turns at junctions, waiting behind vehicles, and relocation where
// the street ends.

#include "platform/random.h"
#include "state/map_field.h"
#include "transport/city_car.h"
#include "transport/road_driving.h"
#include "world/way_network.h"
#include "world/way_queries.h"

namespace {

constexpr int32_t kCarSpeedModel = 6;
constexpr int32_t kMaxPlaceAttempts = 10;
constexpr int32_t kJunctionWait = 32;
constexpr int32_t kQueueWait = 8;

}  // namespace

void CCityCar::Drive() {
    g_CityCarPlaceAttempts = 0;
    const int32_t tunnel0 = in_tunnel;
    const int32_t bridge0 = on_bridge;
    RoadStep step;
    if (!LookAhead(*this, step)) {
        Relocate();
    } else {
        UpdateTunnelBridgeFlags(*this, step);
        const bool ground = !OffGround(*this);
        const bool junctionAhead = ground && IsJunctionField(step.ax, step.ay);
        if (junctionAhead && JunctionSideBusy(step.ax, step.ay, step.entry_index)) {
            WaitHere(*this, kJunctionWait, tunnel0, bridge0);
            return;
        }
        phase = kDecisionPhase;
        // Where the car cannot go on it moves off the street and reappears
        // elsewhere in its city.
        auto leave = [&]() {
            if (step.ahead_on_map) {
                left_x = pos_x;
                left_y = pos_y;
                pos_x = static_cast<uint8_t>(step.ax);
                pos_y = static_cast<uint8_t>(step.ay);
            }
            Relocate();
        };
        if (!step.ahead_on_map || GetTerminalKindAt(step.ax, step.ay) == 1) {
            leave();
        } else if (ground && IsDeadEndAhead(step)) {
            const RoadEntry entry = PlanEntry(*this, step);
            if (IsEntryFree(step, entry)) {
                MoveInto(*this, step, entry);
            } else {
                leave();
            }
        } else if (!WayContinues(*this, step)) {
            leave();
        } else if (junctionAhead) {
            speed_limit = kCarSpeedModel;
            const MapField* a = FieldAt(step.ax, step.ay);
            const WayNode* node =
                g_pWayNetwork != nullptr ? g_pWayNetwork->Node(a->knotennummer()) : nullptr;
            int32_t exits[4] = {};
            int32_t count = 0;
            for (int32_t i = 0; i < 4 && node != nullptr; ++i) {
                if (node->ziel[i] > 0 && i != step.entry_index) exits[count++] = i;
            }
            if (count == 0) {
                leave();
            } else {
                // The car drives onto the junction whatever lies beyond its
                // exit; it waits there, on its next field, when that is taken.
                EnterJunction(*this, step, exits[plat::Rand() % count]);
            }
        } else {
            const RoadEntry entry = PlanEntry(*this, step);
            if (IsEntryFree(step, entry)) {
                MoveInto(*this, step, entry);
            } else {
                WaitBehind(*this, step.ax, step.ay, entry.lane, kQueueWait, tunnel0, bridge0);
            }
        }
    }
    if (g_CityCarPlaceAttempts > kMaxPlaceAttempts) removal_flag = 1;
}
