#include "transport/road_driving.h"

#include <algorithm>

#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"

namespace {

bool IsSingleDirection(uint8_t bits) {
    return DirIndexFromBit(bits) >= 0;
}

uint8_t DirectionByte(uint8_t heading, uint8_t entered) {
    return static_cast<uint8_t>((heading << 4) | (entered & 0x0F));
}

}  // namespace

bool LookAhead(const CVehicle& v, RoadStep& step) {
    step.heading = v.Heading();
    const int32_t index = DirIndexFromBit(step.heading);
    if (index < 0) return false;
    step.ax = v.pos_x + DirDx(index);
    step.ay = v.pos_y + DirDy(index);
    step.entry_side = OppositeDirBits(step.heading);
    step.entry_index = OppositeDirIndex(index);
    step.ahead_on_map = InMap(step.ax, step.ay);
    return true;
}

void UpdateTunnelBridgeFlags(CVehicle& v, const RoadStep& step) {
    const MapField* a = FieldAt(step.ax, step.ay);
    const MapField* p = FieldAt(v.pos_x, v.pos_y);
    if (a == nullptr || p == nullptr) return;
    const int32_t tunnelBefore = v.in_tunnel;
    if (a->tportal()) v.in_tunnel = step.heading == SlopeDirection(a->teile_diff()) ? 1 : 0;
    if (a->bridge_end() && !p->bridge_flag() && v.in_tunnel == 0) v.on_bridge = 1;
    if (p->bridge_end() && !a->bridge_flag() && (v.in_tunnel == 0 || tunnelBefore == 0)) {
        v.on_bridge = 0;
    }
}

bool OffGround(const CVehicle& v) {
    return v.in_tunnel != 0 || v.on_bridge != 0;
}

bool WayContinues(const CVehicle& v, const RoadStep& step) {
    const MapField* a = FieldAt(step.ax, step.ay);
    const MapField* p = FieldAt(v.pos_x, v.pos_y);
    if (a == nullptr || p == nullptr) return false;
    if (v.in_tunnel != 0 && a->tunnel() && !a->tportal()) return true;
    if (v.on_bridge != 0 && a->bridge_flag() && !a->bridge_end()) return true;
    if (!IsRoadWay(a->wegtyp()) || (a->richtung() & step.entry_side) == 0) return false;
    return p->richtung() != step.entry_side;
}

bool IsDeadEndAhead(const RoadStep& step) {
    const MapField* a = FieldAt(step.ax, step.ay);
    if (a == nullptr || !IsRoadWay(a->wegtyp()) || a->richtung() != step.entry_side) return false;
    return GetTerminalKindAt(step.ax, step.ay) == 0 && !IsJunctionField(step.ax, step.ay);
}

namespace {

RoadEntry PlanEntryWith(bool in_tunnel, bool on_bridge, const RoadStep& step) {
    RoadEntry entry;
    const MapField* a = FieldAt(step.ax, step.ay);
    if (a == nullptr) return entry;
    uint8_t heading = 0;
    if (a->tportal() || a->bridge_end()) {
        heading = static_cast<uint8_t>(a->richtung() & ~step.entry_side & kDirsAll);
    } else if ((in_tunnel && a->tunnel()) || (on_bridge && a->bridge_flag())) {
        heading = step.heading;  // underground and on the bridge the way runs straight
    } else {
        heading = static_cast<uint8_t>(GetPieceConnections(step.ax, step.ay, 1) & ~step.entry_side &
                                       kDirsAll);
    }
    // A piece that does not say where to go on: keep straight on; the next
    // decision then finds the way's end and turns.
    entry.heading = IsSingleDirection(heading) ? heading : step.heading;
    entry.kind = MarkKindAt(step.ax, step.ay, in_tunnel, on_bridge);
    entry.lane = LaneFor(step.ax, step.ay, entry.kind, entry.heading);
    return entry;
}

}  // namespace

RoadEntry PlanEntry(const CVehicle& v, const RoadStep& step) {
    return PlanEntryWith(v.in_tunnel != 0, v.on_bridge != 0, step);
}

bool JunctionExitClear(const RoadStep& step, int32_t exit_index, uint8_t* lane_out) {
    RoadStep beyond;
    beyond.heading = DirBitFromIndex(exit_index);
    beyond.ax = step.ax + DirDx(exit_index);
    beyond.ay = step.ay + DirDy(exit_index);
    beyond.entry_side = OppositeDirBits(beyond.heading);
    beyond.entry_index = OppositeDirIndex(exit_index);
    beyond.ahead_on_map = InMap(beyond.ax, beyond.ay);
    if (lane_out != nullptr) *lane_out = 0;
    if (!beyond.ahead_on_map) return true;
    if (IsJunctionField(beyond.ax, beyond.ay)) {
        return !JunctionSideBusy(beyond.ax, beyond.ay, beyond.entry_index);
    }
    const MapField* b = FieldAt(beyond.ax, beyond.ay);
    if (!IsRoadWay(b->wegtyp()) && !b->tportal() && !b->bridge_end()) return true;
    // Leaving a junction the vehicle is on the ground: tunnels start at a
    // portal, bridges at a bridge end.
    const RoadEntry entry = PlanEntryWith(
        b->tportal() && beyond.heading == SlopeDirection(b->teile_diff()), false, beyond);
    if (lane_out != nullptr) *lane_out = entry.lane;
    return IsEntryFree(beyond, entry);
}

bool IsEntryFree(const RoadStep& step, const RoadEntry& entry) {
    return IsLaneFree(step.ax, step.ay, entry.kind, entry.lane);
}

void TakeVehicleMark(CVehicle& v, int32_t x, int32_t y, MarkKind kind, uint8_t lane, int32_t exit) {
    TakeMark(v.mark, x, y, kind, lane, exit);
    if (v.mark.kind == MarkKind::None) return;
    v.lane = v.mark.lane;
    if (v.mark.kind == MarkKind::Junction) {
        v.junction_node = v.mark.node;
        v.junction_exit = v.mark.exit;
    }
}

void PutBackLoadedMark(CVehicle& v, MarkKind kind, uint8_t lane) {
    v.lane = lane;
    // The grid is read back with the lane bits of the bridge spans; the other
    // lane marks were cleared before the vehicles were read.
    const bool expectedSet = kind == MarkKind::Junction || kind == MarkKind::Bridge;
    if (!expectedSet && !IsLaneFree(v.pos_x, v.pos_y, kind, lane)) return;
    const int32_t exit = v.junction_exit >= 0 && v.junction_exit <= 3 ? v.junction_exit : -1;
    TakeMark(v.mark, v.pos_x, v.pos_y, kind, lane, exit, false);
    if (v.mark.kind != MarkKind::None) v.lane = v.mark.lane;
}

void MoveInto(CVehicle& v, const RoadStep& step, const RoadEntry& entry) {
    v.left_x = v.pos_x;
    v.left_y = v.pos_y;
    v.pos_x = static_cast<uint8_t>(step.ax);
    v.pos_y = static_cast<uint8_t>(step.ay);
    TakeVehicleMark(v, step.ax, step.ay, entry.kind, entry.lane, DirIndexFromBit(entry.heading));
    v.next_direction = DirectionByte(entry.heading, step.entry_side);
}

void EnterJunction(CVehicle& v, const RoadStep& step, int32_t exit_index) {
    const uint8_t exitBit = DirBitFromIndex(exit_index);
    v.left_x = v.pos_x;
    v.left_y = v.pos_y;
    v.pos_x = static_cast<uint8_t>(step.ax);
    v.pos_y = static_cast<uint8_t>(step.ay);
    TakeVehicleMark(v, step.ax, step.ay, MarkKind::Junction, HeadingLane(exitBit), exit_index);
    v.next_direction = DirectionByte(exitBit, step.entry_side);
}

bool TryUTurn(CVehicle& v, int32_t tunnel0, int32_t bridge0) {
    v.in_tunnel = tunnel0;
    v.on_bridge = bridge0;
    const MapField* p = FieldAt(v.pos_x, v.pos_y);
    // Nobody turns on a truck depot: its one way out is ahead. Turned round
    // there, a truck faces the depot's back and waits at every decision; one
    // that stands on a depot it does not serve never plans again and stays
    // for ever, even once a road leads to its stop.
    if (p == nullptr || GetTerminalKindAt(v.pos_x, v.pos_y) == 1) return false;
    const uint8_t heading = v.Heading();
    uint8_t turned = static_cast<uint8_t>(v.direction & 0x0F);
    if (!IsSingleDirection(turned)) turned = OppositeDirBits(heading);
    if (p->tportal()) v.in_tunnel = turned == SlopeDirection(p->teile_diff()) ? 1 : 0;
    if (p->bridge_end() && v.in_tunnel == 0) v.on_bridge = 1;
    const MarkKind kind = MarkKindAt(v.pos_x, v.pos_y, v.in_tunnel != 0, v.on_bridge != 0);
    const uint8_t lane = LaneFor(v.pos_x, v.pos_y, kind, turned);
    const bool sameMark = kind != MarkKind::Junction && v.mark.kind == kind &&
                          v.mark.x == v.pos_x && v.mark.y == v.pos_y && v.mark.lane == lane;
    if (!sameMark && !IsLaneFree(v.pos_x, v.pos_y, kind, lane)) {
        v.in_tunnel = tunnel0;
        v.on_bridge = bridge0;
        return false;
    }
    v.direction = DirectionByte(turned, heading);
    v.next_direction = v.direction;
    if (!sameMark) TakeVehicleMark(v, v.pos_x, v.pos_y, kind, lane, DirIndexFromBit(turned));
    v.accel_counter = 0;
    v.base_speed = 1;
    v.steps_per_frame = 1;
    return true;
}

void WaitHere(CVehicle& v, int32_t frames, int32_t tunnel0, int32_t bridge0) {
    v.phase = kWaitPhase;
    v.wait_counter = frames;
    v.accel_counter = 0;
    v.base_speed = 1;
    v.steps_per_frame = 1;
    v.in_tunnel = tunnel0;
    v.on_bridge = bridge0;
}

void WaitBehind(CVehicle& v, int32_t x, int32_t y, uint8_t lane, int32_t frames, int32_t tunnel0,
                int32_t bridge0) {
    v.speed_limit = std::min(v.speed_limit, GetRoadVehicleValueAt(x, y, lane));
    WaitHere(v, frames, tunnel0, bridge0);
}

int32_t FieldInView(int32_t x, int32_t y) {
    return Views().IsTileInView(x, y) ? 1 : 0;
}

int32_t ViewRotation() {
    return g_pGameState != nullptr ? (g_pGameState->rotation & 3) : 0;
}
