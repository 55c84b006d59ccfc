// The train as an object: construction at a station, destruction, the speed
// rule and the file record.

#include "transport/train.h"

#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/tunnel_flag.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_trip.h"
#include "transport/wagon.h"
#include "world/field_queries.h"
#include "world/way_network.h"
#include "world/way_queries.h"

namespace {

int32_t ClassForWayKind(int32_t way_kind) {
    if (way_kind == kWayMonorail) return kVehicleMonorail;
    if (way_kind == kWaySuperconductor) return kVehicleSuperconductor;
    return kVehicleRail;
}

// Relinks the field in the four directions N, S, W, E with the network's
// force-link flag set, which rebuilds the links and drops their flags.
void RelinkAround(int32_t x, int32_t y) {
    CWayNetwork* network = g_pWayNetwork;
    if (network == nullptr || !InMap(x, y)) return;
    const int32_t before = network->force_link;
    network->force_link = 1;
    for (const int32_t d : {kDirN, kDirS, kDirW, kDirE}) network->RelinkField(x, y, d);
    network->force_link = before;
}

bool UnheldFlag(int32_t n, int32_t i) {
    const WayNode* node = g_pWayNetwork->Node(n);
    return node != nullptr && i >= 0 && i <= 3 && node->ziel[i] > 0 && node->belegt[i] != 0 &&
           !TrainHoldings::AnyoneHoldsLink(n, i);
}

}  // namespace

CTrain::CTrain(int32_t x, int32_t y, const char* name, int32_t model_, int32_t way_kind_)
    : CVehicle(x, y, name, model_, kVehicleRail) {
    RegisterVehicle(this);
    wagon_count = 0;
    way_kind = way_kind_ >= kWayRail && way_kind_ <= kWaySuperconductor ? way_kind_ : kWayRail;
    vehicle_class = ClassForWayKind(way_kind);
    const VehicleModel* m = VehicleModelRecord(model);
    speed_limit = m != nullptr ? m->speed_a : 1;
    StopSpeed();
    phase = kWaitPhase;
    retry_count = 0;
    lane = 0;
    reversals = 0;
    state = 0;
    next_direction = direction;
    draw_layer = 0;
    // The start field is the train's whole (the base marked half of it).
    if (Markable(pos_x, pos_y, 0, 0)) held.MarkField(pos_x, pos_y);

    // A train bought at a station serves the station's platform rows first.
    const MapField* start = FieldAt(pos_x, pos_y);
    const int32_t number = start != nullptr && !start->no_building_mask() ? start->geb_num() : 0;
    const CBuilding* station = g_ppBuildings != nullptr ? g_ppBuildings->At(number) : nullptr;
    const int32_t type =
        station != nullptr ? GetBuildingTypeAt(station->anchor_x, station->anchor_y) : -1;
    if (type >= 6 && type <= 9) {
        const int32_t bx = station->anchor_x;
        const int32_t by = station->anchor_y;
        int32_t length = station->GetLength();
        if (length < 1) length = 1;
        if (length > 4) length = 4;
        ScheduleStop& stop = schedule[0];
        for (int32_t i = 0; i < 4; ++i) {
            int32_t hx = kNoStopField;
            int32_t hy = kNoStopField;
            if (i < length) {
                hx = type == 7 ? bx + 1 + i : type == 9 ? bx - 1 - i : bx;
                hy = type == 6 ? by - 1 - i : type == 8 ? by + 1 + i : by;
            }
            // A head off the map cannot be a stop field.
            if (!InMap(hx, hy)) hx = hy = kNoStopField;
            stop.x[i] = static_cast<uint8_t>(hx);
            stop.y[i] = static_cast<uint8_t>(hy);
        }
        // The platform link of the row the train stands on.
        if (type == 6 || type == 8) {
            held.ReserveLink(WayNodeAt(bx, pos_y), kDirIndexE);
        } else {
            held.ReserveLink(WayNodeAt(pos_x, by), kDirIndexS);
        }
    }
    // The link the train is about to take; dropped again should the train
    // turn before it leaves.
    const int32_t heading = DirIndexFromBit(Heading());
    const int32_t node = WayNodeAt(pos_x, pos_y);
    if (heading >= 0 && node > 0 && held.ReserveLink(node, heading)) {
        junction_node = node;
        junction_exit = Heading();
    } else {
        junction_node = 0;
    }
    drawn_x = pos_x;
    drawn_y = pos_y;
}

CTrain::CTrain(VehicleLoadOnly) : CVehicle(VehicleLoadOnly{}) {}

CTrain::~CTrain() {
    path.Clear();
    if (!on_map) return;  // only read for a check: it holds nothing
    // A train on a bridge gives back the links of the bridge's far end.
    const int32_t heading = DirIndexFromBit(Heading());
    if (on_bridge != 0 && heading >= 0) {
        int32_t x = pos_x;
        int32_t y = pos_y;
        for (int32_t steps = 0; steps < kMapSize && InMap(x, y); ++steps) {
            if (FieldAt(x, y)->bridge_end()) {
                RelinkAround(x, y);
                break;
            }
            x += DirDx(heading);
            y += DirDy(heading);
        }
    }
    held.ReleaseAllFields();
    held.ReleaseAllLinks();
    RelinkAround(pos_x, pos_y);
    for (int32_t i = 0; i < wagon_count && i < kWagonSlots; ++i) {
        if (wagons[i] != nullptr) RelinkAround(wagons[i]->x, wagons[i]->y);
    }
    // Relinking dropped the flags of the links around; those that other
    // trains hold are theirs still.
    TrainHoldings::ReassertAll();
}

bool CTrain::Markable(int32_t x, int32_t y, int32_t in_tunnel_, int32_t on_bridge_) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || in_tunnel_ != 0 || on_bridge_ != 0) return false;
    return !field->tportal() && !field->bridge_end();
}

void CTrain::ReleaseUncoveredFields() {
    held.ReleaseFieldsExcept([this](int32_t x, int32_t y) {
        if ((pos_x == x && pos_y == y) || (left_x == x && left_y == y)) return true;
        for (int32_t i = 0; i < wagon_count && i < kWagonSlots; ++i) {
            const CWagon* w = wagons[i];
            if (w != nullptr && w->x == x && w->y == y) return true;
        }
        return false;
    });
}

bool CTrain::SameLink(int32_t n1, int32_t d1, int32_t n2, int32_t d2) {
    if (n1 == n2 && d1 == d2) return true;
    const WayNode* node = g_pWayNetwork != nullptr ? g_pWayNetwork->Node(n1) : nullptr;
    return node != nullptr && d1 >= 0 && d1 <= 3 && node->ziel[d1] == n2 && node->back[d1] == d2;
}

void CTrain::ReleaseHeldLink(int32_t node, int32_t dir) {
    if (junction_node != 0 &&
        SameLink(junction_node, DirIndexFromBit(static_cast<uint8_t>(junction_exit)), node, dir)) {
        junction_node = 0;
    }
    // A link a unit still stands in stays held until no unit does: until the
    // last unit has passed one of its nodes, or the units were put elsewhere
    // on the platform (ReleaseLinksLeft). Given up earlier, say by a train
    // planning its route on its platform's end node with a wagon still on
    // the platform behind it, the link looks free to the next train at the
    // far node, which drives in: the two trains then stand in one link, on
    // a single track facing each other, and neither can ever leave.
    if (StandsInLink(node, dir)) {
        held.ReleaseWhenLeft(node, dir);
        return;
    }
    held.ReleaseLink(node, dir);
}

void CTrain::ReleaseLinksLeft() {
    if (!held.AnyReleaseWaiting()) return;
    const std::vector<TrainLink> in = LinksStoodIn();
    held.ReleaseLeftLinks([&in](const TrainLink& link) {
        for (const TrainLink& stood : in) {
            if (stood.Names(link.node, link.dir)) return true;
        }
        return false;
    });
}

void CTrain::WaitHere(int32_t frames) {
    wait_counter = frames;
    phase = kWaitPhase;
    StopSpeed();
}

void CTrain::UpdateSpeed() {
    if (base_speed < speed_limit) {
        ++accel_counter;
        if (accel_counter == 8 || accel_counter == 24 || accel_counter == 48 ||
            accel_counter == 80) {
            base_speed = base_speed * 2 < speed_limit ? base_speed * 2 : speed_limit;
        }
    }
    steps_per_frame = base_speed;
    if (steps_per_frame > speed_limit) {
        base_speed = speed_limit;
        steps_per_frame = speed_limit;
    }
    const MapField* field = FieldAt(pos_x, pos_y);
    const int32_t piece = field != nullptr ? field->wegteil() : 0;
    if (piece >= 12 && piece <= 15 && !field->tportal()) {
        const uint8_t h = Heading();
        const bool climbing = (piece == 12 && h == kDirN) || (piece == 13 && h == kDirW) ||
                              (piece == 14 && h == kDirE) || (piece == 15 && h == kDirS);
        const VehicleModel* m = VehicleModelRecord(model);
        if (climbing && m != nullptr) steps_per_frame = m->speed_b;
    }
    // A model without speed would never reach its next field.
    if (steps_per_frame < 1) steps_per_frame = 1;
}

bool CTrain::ReadFields(plat::FileHandle file) {
    const bool train = ReadRecord(file) && vehicle_class >= kVehicleRail &&
                       vehicle_class <= kVehicleSuperconductor && way_kind >= kWayRail &&
                       way_kind <= kWaySuperconductor;
    if (train) return true;
    FreeWagons();
    return false;
}

bool CTrain::Load(plat::FileHandle file) {
    if (!ReadFields(file)) return false;
    on_map = true;
    if (number > g_MaxVehicleNumber) g_MaxVehicleNumber = number;
    // Every unit's ground field is marked again, the field the engine is
    // leaving among them, as the running train kept it until its next field
    // step: left unmarked, that field looks free to another train, which
    // steps onto it while the engine is still leaving it.
    for (const TrainUnitSpot& spot : UnitSpots()) {
        if (!spot.passing && Markable(spot.x, spot.y, 0, 0)) held.MarkField(spot.x, spot.y);
    }
    removal_flag = 0;
    return true;
}

// The link flags come back with the way network, but what each train holds
// is not saved. Left without holders, the flags would stop the trains for
// good: the field step takes a flag nobody holds for another train's, so
// two trains facing each other on a single track, each on or before a link
// it reserved itself, would wait for ever on flags nobody holds; and a
// train leaving a node adopts such a flag, so it could drive into a link
// another loaded train stands in. Only the flags read get holders and none
// is set, so no link is reserved that was free before the save.
//
// The record does not say which train reserved a link, so a load keeps a
// link's holder only where one train's position or record implies it. Two
// engines on the two end nodes of one link, both facing into it, both imply
// it, and the first train in the list takes it: the other waits for it as
// it waited for the first, and no unit of either stands in it.
void CTrain::TakeOverReservations(const std::vector<CTrain*>& trains) {
    CWayNetwork* network = g_pWayNetwork;
    if (network == nullptr) return;
    // Every flagged track link, named at one end or at both.
    struct Flag {
        int32_t node;
        int32_t dir;
    };
    std::vector<Flag> flags;
    for (int32_t x = 0; x < kMapSize; ++x) {
        for (int32_t y = 0; y < kMapSize; ++y) {
            const MapField* field = FieldAt(x, y);
            if (!field->knoten()) continue;
            const int32_t n = field->knotennummer();
            for (int32_t i = 0; i < 4; ++i) {
                if (!UnheldFlag(n, i)) continue;
                const int32_t far =
                    network->WalkTrackLink(x, y, DirBitFromIndex(i), [](int32_t, int32_t, bool) {});
                if (far != 0 && far == network->Node(n)->ziel[i]) flags.push_back({n, i});
            }
        }
    }
    // The links the trains stand in.
    for (CTrain* t : trains) {
        for (const TrainLink& link : t->LinksStoodIn()) {
            if (UnheldFlag(link.node, link.dir)) t->held.ReserveLink(link.node, link.dir);
        }
    }
    // The links an engine on a node came along and leaves by.
    for (CTrain* t : trains) {
        const MapField* here = FieldAt(t->pos_x, t->pos_y);
        if (here == nullptr || !here->knoten() ||
            PassesUnderOrOver(*here, t->in_tunnel, t->on_bridge)) {
            continue;
        }
        const int32_t n = here->knotennummer();
        for (const int32_t bits : {t->next_direction >> 4, t->next_direction & 0x0F}) {
            const int32_t i = DirIndexFromBit(static_cast<uint8_t>(bits));
            if (UnheldFlag(n, i)) t->held.ReserveLink(n, i);
        }
    }
    // The link kept for the next route planning.
    for (CTrain* t : trains) {
        const int32_t i = DirIndexFromBit(static_cast<uint8_t>(t->junction_exit));
        if (UnheldFlag(t->junction_node, i)) t->held.ReserveLink(t->junction_node, i);
    }
    // What is left was kept by a train standing away from it, which neither
    // its position nor its record implies: a game saved by an earlier build
    // can hold the link beyond the platform end a turned train left, or the
    // link before the platform that a train jumping along it left behind.
    // Held by nobody after the load, such a flag would stop every other
    // train before it for ever.
    for (const Flag& flag : flags) {
        if (UnheldFlag(flag.node, flag.dir)) {
            network->ClearLinkFlag(flag.node, DirBitFromIndex(flag.dir));
        }
    }
}
