#include "transport/road_marks.h"

#include "state/map_field.h"
#include "world/way_network.h"
#include "world/way_queries.h"

namespace {

constexpr uint8_t kBridgeLaneMask = 0x0F;

uint8_t LaneBit(uint8_t lane) {
    return lane == 2 ? 2 : 1;
}

WayNode* NodeOf(int32_t number) {
    return g_pWayNetwork != nullptr ? g_pWayNetwork->Node(number) : nullptr;
}

void SetTunnelLane(MapField& field, uint8_t lane, bool value) {
    if (lane == 2) {
        field.set_tunnel_belegt(value);
    } else {
        field.set_geb_change(value);
    }
}

}  // namespace

bool IsJunctionField(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || !field->knoten()) return false;
    if (field->tportal() || field->bridge_end()) return false;
    return GetTerminalKindAt(x, y) == 0;
}

MarkKind MarkKindAt(int32_t x, int32_t y, bool in_tunnel, bool on_bridge) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return MarkKind::None;
    if (field->tportal() || (in_tunnel && field->tunnel())) return MarkKind::Tunnel;
    if (on_bridge && field->bridge_flag() && !field->bridge_end()) return MarkKind::Bridge;
    if (IsJunctionField(x, y)) return MarkKind::Junction;
    return MarkKind::Lane;
}

uint8_t HeadingLane(uint8_t heading) {
    return (heading == kDirN || heading == kDirW) ? 2 : 1;
}

uint8_t LaneFor(int32_t x, int32_t y, MarkKind kind, uint8_t heading) {
    if (kind == MarkKind::Junction || kind == MarkKind::Bridge) return HeadingLane(heading);
    const MapField* field = FieldAt(x, y);
    if (kind == MarkKind::Tunnel && field != nullptr && !field->tportal()) {
        return HeadingLane(heading);
    }
    const int32_t lane = GetRoadLane(x, y, heading);
    return lane == 1 || lane == 2 ? static_cast<uint8_t>(lane) : HeadingLane(heading);
}

bool IsLaneFree(int32_t x, int32_t y, MarkKind kind, uint8_t lane) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return false;
    const uint8_t bit = LaneBit(lane);
    switch (kind) {
        case MarkKind::Lane:
            return (field->belegt() & bit) == 0;
        case MarkKind::Bridge:
            return (field->bytes[9] & bit) == 0;
        case MarkKind::Tunnel:
            return TestFieldFlag(x, y, lane == 2 ? 2 : 1) == 0;
        case MarkKind::Junction:
            return true;
        case MarkKind::None:
            return false;
    }
    return false;
}

bool JunctionSideBusy(int32_t x, int32_t y, int32_t side) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || side < 0 || side > 3) return false;
    const WayNode* node = NodeOf(field->knotennummer());
    return node != nullptr && node->belegt[side] != 0;
}

void TakeMark(RoadMark& mark, int32_t x, int32_t y, MarkKind kind, uint8_t lane, int32_t exit,
              bool raise_counters) {
    ReleaseMark(mark);
    MapField* field = FieldAt(x, y);
    if (field == nullptr || kind == MarkKind::None) return;
    mark.kind = kind;
    mark.x = static_cast<uint8_t>(x);
    mark.y = static_cast<uint8_t>(y);
    mark.lane = LaneBit(lane);
    mark.node = 0;
    mark.exit = -1;
    switch (kind) {
        case MarkKind::Lane:
            field->set_belegt(field->belegt() | mark.lane);
            break;
        case MarkKind::Bridge:
            field->bytes[9] = static_cast<uint8_t>(field->bytes[9] | mark.lane);
            break;
        case MarkKind::Tunnel:
            SetTunnelLane(*field, mark.lane, true);
            break;
        case MarkKind::Junction: {
            if (field->belegt() < 3) field->set_belegt(field->belegt() + 1u);
            mark.node = field->knotennummer();
            mark.exit = exit >= 0 && exit <= 3 ? exit : -1;
            WayNode* node = NodeOf(mark.node);
            if (node == nullptr) break;
            if (!raise_counters) break;
            for (int32_t side = 0; side < 4; ++side) {
                if (side != mark.exit && node->belegt[side] < 255) ++node->belegt[side];
            }
            break;
        }
        case MarkKind::None:
            break;
    }
}

void ReleaseMark(RoadMark& mark) {
    const MarkKind kind = mark.kind;
    mark.kind = MarkKind::None;
    MapField* field = FieldAt(mark.x, mark.y);
    if (field == nullptr) return;
    switch (kind) {
        case MarkKind::Lane:
            if (IsJunctionField(mark.x, mark.y)) {
                // A way joined the field under the vehicle: its bits now count
                // the vehicles in the junction, on top of this lane's value.
                const uint32_t bits = field->belegt();
                field->set_belegt(bits > mark.lane ? bits - mark.lane : 0u);
            } else {
                field->set_belegt(field->belegt() & ~static_cast<uint32_t>(mark.lane));
            }
            break;
        case MarkKind::Bridge:
            field->bytes[9] = static_cast<uint8_t>(field->bytes[9] & ~mark.lane);
            break;
        case MarkKind::Tunnel:
            SetTunnelLane(*field, mark.lane, false);
            break;
        case MarkKind::Junction: {
            if (field->belegt() > 0) field->set_belegt(field->belegt() - 1u);
            WayNode* node = NodeOf(mark.node);
            if (node == nullptr) break;
            for (int32_t side = 0; side < 4; ++side) {
                if (side != mark.exit && node->belegt[side] > 0) --node->belegt[side];
            }
            break;
        }
        case MarkKind::None:
            break;
    }
}

uint8_t BridgeLaneBits(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    return field != nullptr ? static_cast<uint8_t>(field->bytes[9] & kBridgeLaneMask) : 0;
}
