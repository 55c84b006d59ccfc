// Turning a train round: on its platform before it leaves (TurnAround), and
// where it stands when it meets another train nose to nose or finds no way on
// (Reverse, IsPathBlocked).

#include <vector>

#include "economy/building_table.h"
#include "state/map_field.h"
#include "transport/train.h"
#include "transport/tunnel_flag.h"
#include "transport/vehicle_services.h"
#include "transport/wagon.h"
#include "world/field_queries.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"

namespace {

uint8_t Swapped(uint8_t direction_byte) {
    return static_cast<uint8_t>((direction_byte << 4) | (direction_byte >> 4));
}

uint8_t DirectionByte(uint8_t heading, uint8_t entered) {
    return static_cast<uint8_t>((heading << 4) | (entered & 0x0F));
}

bool IsTrain(const CVehicle& v) {
    return v.vehicle_class >= kVehicleRail && v.vehicle_class <= kVehicleSuperconductor;
}

// The tunnel and bridge flags and draw layer of a unit heading `heading` on
// (x, y) after turning there: on a portal it is in the tunnel when it heads
// into the hill (hidden then), on a bridge end it is on the bridge.
void FlagsAfterTurn(int32_t x, int32_t y, uint8_t heading, int32_t& in_tunnel, int32_t& on_bridge,
                    int32_t& layer) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    if (field->tportal()) {
        in_tunnel = TunnelFlagOnPortal(*field, heading);
        layer = in_tunnel;
    }
    if (field->bridge_end() && in_tunnel == 0) {
        on_bridge = 1;
        layer = 2;
    }
}

}  // namespace

void CTrain::Reverse() {
    ++reversals;
    lane = 0;
    if (wagon_count <= 0) {
        // The engine keeps the link it reserved on from its node: it becomes
        // the entry side, given up when the engine leaves the node.
        ReverseEngineOnly();
        return;
    }
    // With wagons the engine leaves its node at the other end of the train,
    // and the last wagon gives up only the links it comes along: the link
    // reserved on from the node would stay reserved for ever and stop every
    // train behind it, so it is given up now.
    const MapField* here = FieldAt(pos_x, pos_y);
    const int32_t heading = DirIndexFromBit(Heading());
    if (here != nullptr && here->knoten() && !PassesUnderOrOver(*here, in_tunnel, on_bridge) &&
        heading >= 0) {
        ReleaseHeldLink(here->knotennummer(), heading);
    }
    ReverseWithWagons();
    path.Clear();
    wait_counter = 0;
    arrival_counter = 0;
    CountPlatformAfterReverse();
}

void CTrain::ReverseEngineOnly() {
    arrival_counter = 0;
    phase = kWaitPhase;
    last_phase = kWaitPhase;
    path.Clear();
    direction = Swapped(direction);
    next_direction = direction;
    prev_direction = direction;
    // The field behind, now ahead, is given up.
    left_x = pos_x;
    left_y = pos_y;
    ReleaseUncoveredFields();
    wait_counter = 0;
    FlagsAfterTurn(pos_x, pos_y, Heading(), in_tunnel, on_bridge, draw_layer);
}

void CTrain::ReverseWithWagons() {
    // The fields the train covers from its front to its back, each with the
    // direction byte of the unit on it (the direction it crosses that field
    // with) and its flags.
    struct Cell {
        uint8_t x, y, dir;
        int32_t in_tunnel, on_bridge, layer;
    };
    std::vector<Cell> cells;
    auto add = [&cells](uint8_t x, uint8_t y, int32_t ph, uint8_t now, uint8_t next, int32_t t,
                        int32_t b, int32_t layer) {
        if (!cells.empty() && cells.back().x == x && cells.back().y == y) return;
        cells.push_back({x, y, ph < kDecisionPhase ? now : next, t, b, layer});
    };
    add(pos_x, pos_y, phase, direction, next_direction, in_tunnel, on_bridge, draw_layer);
    for (int32_t i = 0; i < wagon_count && i < kWagonSlots; ++i) {
        const CWagon* w = wagons[i];
        if (w == nullptr) continue;
        add(w->x, w->y, w->phase, w->direction, w->next_direction, w->in_tunnel, w->on_bridge,
            w->hidden);
    }
    // The back becomes the front; every unit turns on its field.
    const int32_t n = static_cast<int32_t>(cells.size());
    auto cell = [&](int32_t k) -> const Cell& { return cells[n - 1 - (k < n ? k : n - 1)]; };

    const Cell& head = cell(0);
    pos_x = head.x;
    pos_y = head.y;
    drawn_x = pos_x;
    drawn_y = pos_y;
    direction = Swapped(head.dir);
    next_direction = direction;
    prev_direction = direction;
    in_tunnel = head.in_tunnel;
    on_bridge = head.on_bridge;
    draw_layer = head.layer;
    FlagsAfterTurn(pos_x, pos_y, Heading(), in_tunnel, on_bridge, draw_layer);
    phase = kWaitPhase;
    last_phase = kWaitPhase;
    const Cell& behind = cell(1);
    left_x = behind.x;
    left_y = behind.y;

    for (int32_t i = 0; i < wagon_count && i < kWagonSlots; ++i) {
        CWagon* w = wagons[i];
        if (w == nullptr) continue;
        const int32_t k = i / 2 + 1;
        const Cell& c = cell(k);
        const Cell& back = cell(k + 1);
        const bool even = i % 2 == 0;
        w->x = c.x;
        w->y = c.y;
        w->direction = Swapped(even ? c.dir : back.dir);
        w->next_direction = Swapped(c.dir);
        w->prev_direction = w->direction;
        w->drawn_x = even ? c.x : back.x;
        w->drawn_y = even ? c.y : back.y;
        w->prev_x = back.x;
        w->prev_y = back.y;
        w->phase = even ? kWaitPhase : kPhasesPerField - 1;
        w->in_tunnel = c.in_tunnel;
        w->on_bridge = c.on_bridge;
        w->hidden = c.layer;
        FlagsAfterTurn(w->x, w->y, static_cast<uint8_t>(Swapped(c.dir) >> 4), w->in_tunnel,
                       w->on_bridge, w->hidden);
    }
    ReleaseUncoveredFields();
}

void CTrain::CountPlatformAfterReverse() {
    if (turned == 1) return;
    if (IsServedPlatform(pos_x, pos_y)) arrival_counter = 1;
    for (int32_t i = 0; i < wagon_count && i < kWagonSlots; i += 2) {
        const CWagon* w = wagons[i];
        if (w != nullptr && IsServedPlatform(w->x, w->y)) ++arrival_counter;
    }
    if (arrival_counter > 0) target_stop = stop_served;
}

void CTrain::TurnAround() {
    const int32_t kind = GetBuildingTypeAt(pos_x, pos_y);
    if (kind != 4 && kind != 5) return;
    const int32_t number = GetBuildingNumberAt(pos_x, pos_y);
    const CBuilding* station = g_ppBuildings != nullptr ? g_ppBuildings->At(number) : nullptr;
    if (station == nullptr) return;
    // The platform track runs along y (kind 4) from the station's row, or
    // along x (kind 5) from its column, four fields long. From either end the
    // engine jumps to the other. From a middle field (where a train bought
    // on the platform, or one that turned on it, may stand) it goes to the
    // end that lies in its new heading, the reverse of the one it has:
    // jumping three fields from there, as from an end, would put it one or
    // two fields beyond the platform, on track that may not go on, on another
    // train's field or off the map.
    uint8_t heading = 0;
    int32_t x = pos_x;
    int32_t y = pos_y;
    if (kind == 4) {
        heading = pos_y == station->anchor_y ? kDirS : Heading() == kDirS ? kDirN : kDirS;
        if (pos_y == station->anchor_y + 3) heading = kDirN;
        y = heading == kDirS ? station->anchor_y + 3 : station->anchor_y;
    } else {
        heading = pos_x == station->anchor_x ? kDirE : Heading() == kDirE ? kDirW : kDirE;
        if (pos_x == station->anchor_x + 3) heading = kDirW;
        x = heading == kDirE ? station->anchor_x + 3 : station->anchor_x;
    }
    const MapField* target = FieldAt(x, y);
    // The other end must be free (it is the train's own when it covers it):
    // jumping onto an end where another train stands would put two trains on
    // one field. Refused, the train stays and leaves the way it faces.
    if (target == nullptr || (target->belegt() != 0 && !held.HoldsField(x, y))) return;
    const uint8_t entered = OppositeDirBits(heading);
    // The links the wagons stand in now: the wagons jump with the engine, so
    // those they leave behind are given up as if the last wagon had passed
    // their nodes. Kept, such a link (the one before the platform, which a
    // train that came in only as far as the platform's first node still
    // stands in) would stop every train from that side until this train came
    // back through it.
    const std::vector<TrainLink> before =
        wagon_count > 0 ? LinksStoodIn() : std::vector<TrainLink>{};
    pos_x = static_cast<uint8_t>(x);
    pos_y = static_cast<uint8_t>(y);
    const int32_t h = DirIndexFromBit(heading);
    // With wagons the field behind the engine is its first wagon's and counts
    // as the one it left. A train without wagons covers only its new field:
    // naming the field behind, which is not its own, would make the field
    // lookup report this train for whatever stands there, and a train
    // meeting that one nose to nose would examine this train instead, miss
    // the meeting and wait for ever.
    if (wagon_count > 0) {
        left_x = static_cast<uint8_t>(x - DirDx(h));
        left_y = static_cast<uint8_t>(y - DirDy(h));
    } else {
        left_x = pos_x;
        left_y = pos_y;
    }
    direction = DirectionByte(heading, entered);
    next_direction = direction;
    prev_direction = direction;
    drawn_x = pos_x;
    drawn_y = pos_y;
    if (Markable(x, y, in_tunnel, on_bridge)) held.MarkField(x, y);
    held.ReserveLink(target->knotennummer(), h);
    AlignWagons();
    ReleaseUncoveredFields();
    for (const TrainLink& link : before) {
        if (!SameLink(target->knotennummer(), h, link.node, link.dir) &&
            !StandsInLink(link.node, link.dir)) {
            ReleaseHeldLink(link.node, link.dir);
        }
    }
}

int32_t CTrain::IsPathBlocked() {
    int32_t node = 0;
    int32_t dir = -1;
    int32_t dir2 = -1;
    if (path.PeekFront(node, dir) != 0 && dir >= 0 && dir <= 3) dir2 = dir;
    // Entering a platform the way on is along the platform.
    if (arrival_counter == 1) dir2 = DirIndexFromBit(Heading());
    return HeadOnAhead(dir2);
}

int32_t CTrain::HeadOnAhead(int32_t dir2) {
    const int32_t h = DirIndexFromBit(Heading());
    if (h < 0 || lane != 1) return 0;
    const int32_t ax = pos_x + DirDx(h);
    const int32_t ay = pos_y + DirDy(h);
    if (!InMap(ax, ay)) return 0;
    // Only trains are examined: a truck on a level crossing has its lane
    // where a train has its waiting flag, so a truck in lane 1 would count as
    // a waiting train, and this train would turn back for it while the truck
    // does not turn.
    auto waitingTrain = [this](const CVehicle* other) {
        return other != nullptr && other != this && IsTrain(*other) && other->lane == 1 &&
               other->phase == kWaitPhase;
    };
    // A waiting train whose next field is (bx, by).
    auto facing = [&](const CVehicle* other, int32_t bx, int32_t by) {
        if (!waitingTrain(other)) return false;
        const int32_t oh = DirIndexFromBit(other->Heading());
        return oh >= 0 && other->pos_x + DirDx(oh) == bx && other->pos_y + DirDy(oh) == by;
    };
    // The field ahead is looked at first. A train with wagons standing nose
    // to nose with this one also covers the field behind its engine, two
    // fields ahead: examined there instead, whenever a vehicle stands there,
    // it is tested against the field between, which it does not face, and
    // the meeting is missed, leaving both trains to wait for ever.
    CVehicle* ahead = FindVehicleAtField(ax, ay);
    if (facing(ahead, pos_x, pos_y)) {
        ahead->Reverse();
        return 1;
    }
    if (dir2 >= 0 && InMap(ax + DirDx(dir2), ay + DirDy(dir2))) {
        CVehicle* twoAhead = FindVehicleAtField(ax + DirDx(dir2), ay + DirDy(dir2));
        int32_t node = 0;
        int32_t otherDir = -1;
        const bool wayOn = twoAhead != nullptr && twoAhead->path.PeekFront(node, otherDir) != 0;
        if (facing(twoAhead, ax, ay) || (waitingTrain(twoAhead) && (!wayOn || otherDir == dir2))) {
            twoAhead->Reverse();
            return 1;
        }
    }
    return 0;
}
