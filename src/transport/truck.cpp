// The truck: construction, the per-frame step, speed, arrival at a stop,
// the draw layers at portals and bridges, and the file record.

#include "transport/truck.h"

#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/road_driving.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_trip.h"
#include "world/field_queries.h"
#include "world/way_queries.h"

namespace {

struct DepotStart {
    uint8_t heading;
    uint8_t entered;
};
// Heading and entered-from side on a depot of type 0..3 (its exit side).
constexpr DepotStart kDepotStarts[4] = {
    {kDirN, kDirS}, {kDirE, kDirW}, {kDirS, kDirN}, {kDirW, kDirE}};

// Tunnel portal draw phases by heading index and view rotation: hide a truck
// in the tunnel at the first, show a truck coming out at the second.
struct PortalPhases {
    int32_t hide;
    int32_t show;
};
constexpr PortalPhases kPortalPhases[4][4] = {
    {{18, 28}, {7, 14}, {8, 14}, {20, 28}},
    {{7, 14}, {8, 14}, {20, 28}, {18, 28}},
    {{8, 14}, {20, 28}, {18, 28}, {7, 14}},
    {{20, 28}, {18, 28}, {7, 14}, {8, 14}},
};
// Phase beyond which a truck on a bridge end is drawn on the bridge.
constexpr int32_t kBridgeEndPhases[4][4] = {
    {17, 16, 19, 19}, {16, 19, 19, 17}, {19, 19, 17, 16}, {19, 17, 16, 19}};

int32_t DepotType(int32_t x, int32_t y) {
    const int32_t type = GetBuildingTypeAt(x, y);
    return type >= 0 && type <= 3 ? type : -1;
}

}  // namespace

CTruck::CTruck(int32_t x, int32_t y, const char* name, int32_t model_)
    : CVehicle(x, y, name, model_, kVehicleTruck) {
    RegisterVehicle(this);
    wagon_count = 0;
    way_kind = 1;
    vehicle_class = kVehicleTruck;
    amount_carried = 0;
    product_carried = -1;
    speed_limit = model;
    StopSpeed();
    draw_layer = 0;
    const int32_t type = DepotType(pos_x, pos_y);
    if (type >= 0) {
        direction =
            static_cast<uint8_t>((kDepotStarts[type].heading << 4) | kDepotStarts[type].entered);
        lane = static_cast<uint8_t>(type == 0 || type == 3 ? 2 : 1);
    } else if (lane == 0) {
        lane = 1;
    }
    PlaceOnField();
    phase = kWaitPhase;
    next_direction = direction;
    drawn_x = pos_x;
    drawn_y = pos_y;
}

CTruck::CTruck(VehicleLoadOnly) : CVehicle(VehicleLoadOnly{}) {}

CTruck::~CTruck() {
    ReleaseMark(mark);
    path.Clear();
}

bool CTruck::PlaceOnField() {
    const MarkKind kind = MarkKindAt(pos_x, pos_y, in_tunnel != 0, on_bridge != 0);
    if (kind == MarkKind::None) return false;
    const uint8_t want = lane == 2 ? 2 : 1;
    // The mark taken on the start field at construction is the truck's own.
    const bool own = mark.kind == kind && mark.x == pos_x && mark.y == pos_y;
    if (kind != MarkKind::Junction && !own && !IsLaneFree(pos_x, pos_y, kind, want)) return false;
    TakeVehicleMark(*this, pos_x, pos_y, kind, want, DirIndexFromBit(Heading()));
    return true;
}

void CTruck::UpdateSpeed() {
    const VehicleModel* m = VehicleModelRecord(speed_limit);
    const int32_t maximum = m != nullptr ? m->speed_b : 1;
    const int32_t climbing = m != nullptr ? m->speed_d : 1;
    if (base_speed < maximum) {
        ++accel_counter;
        if (accel_counter == 8 || accel_counter == 24 || accel_counter == 48 ||
            accel_counter == 80) {
            base_speed *= 2;
        }
    }
    steps_per_frame = base_speed;
    const MapField* field = FieldAt(pos_x, pos_y);
    if (field != nullptr) {
        const int32_t piece = field->wegteil();
        const uint8_t h = Heading();
        const bool climb = (piece == 12 && h == kDirN) || (piece == 13 && h == kDirW) ||
                           (piece == 14 && h == kDirE) || (piece == 15 && h == kDirS);
        const int32_t wegtyp = field->wegtyp();
        if (wegtyp == kWayCityStreet) {
            steps_per_frame = 1;
        } else if (wegtyp == kWayGravelRoad || wegtyp == kWayAsphaltRoad) {
            steps_per_frame = climb ? climbing : maximum;
        }
    }
    if (maximum < steps_per_frame) {
        base_speed = maximum;
        steps_per_frame = base_speed;
    }
    // A model without speed would never reach its next decision.
    if (steps_per_frame < 1) steps_per_frame = 1;
}

int32_t CTruck::Move() {
    if (StandsThisFrame()) return 0;
    if (!HoldsMark() && !PlaceOnField()) {
        wait_counter = 32;
        return 0;
    }
    if (state == 1) {
        CountDepartureSound();
        state = 0;
    }
    for (int32_t done = 0; done < steps_per_frame; ++done) {
        UpdateSpeed();
        if (needs_route == 1) {
            if (stop_count < 2) {
                wait_counter = 32;
                return 0;
            }
            if (schedule_changed == 1) {
                RestartSchedule();
            } else {
                PlanRoute();
                loading_state = 1;
                needs_route = 0;
            }
        }
        if (loading_state == 1) {
            ExchangeGoods(128);
            return 0;
        }
        phase = (phase + 1) % kPhasesPerField;
        const MapField* field = FieldAt(pos_x, pos_y);
        if (field != nullptr && field->tportal()) UpdatePortalDrawLayer();
        UpdateBridgeDrawLayer();
        if (phase == kDecisionPhase) {
            if (IsAtStop() != 0) {
                Arrive();
            } else {
                Drive();
                if (removal_flag == 1) return 0;
            }
            visible = FieldInView(pos_x, pos_y);
        }
        if (phase == 0) {
            sound_pending = 0;
            EndField();
        }
        if (wait_counter > 0) return 0;
    }
    return 0;
}

void CTruck::Arrive() {
    SettleRunningCosts();
    CloseRoundTripCosts();
    // The arrival is reported once: standing on the depot is no new arrival.
    arrival_counter = 0;
    UnloadGoods();
    phase = kWaitPhase;
    loading_state = 1;
    wait_counter = 0;
    PlanRoute();
    if (stop_count == 1 && path.Count() == 0) needs_route = 1;
}

void CTruck::UpdatePortalDrawLayer() {
    const int32_t h = DirIndexFromBit(Heading());
    if (h < 0) return;
    const PortalPhases& p = kPortalPhases[h][ViewRotation()];
    if (in_tunnel != 0 && phase == p.hide) {
        draw_layer = 1;
    } else if (in_tunnel == 0 && draw_layer == 1 && phase == p.show) {
        draw_layer = (p.show == 28 && on_bridge != 0) ? 2 : 0;
    }
}

void CTruck::UpdateBridgeDrawLayer() {
    const MapField* field = FieldAt(pos_x, pos_y);
    const int32_t h = DirIndexFromBit(Heading());
    if (on_bridge != 0 && draw_layer == 0 && field != nullptr && field->bridge_end() && h >= 0 &&
        phase > kBridgeEndPhases[h][ViewRotation()]) {
        draw_layer = 2;
    }
    const MapField* left = FieldAt(left_x, left_y);
    if (on_bridge == 0 && draw_layer == 2 && left != nullptr && left->bridge_end() &&
        phase == kWaitPhase) {
        draw_layer = 0;
    }
}

bool CTruck::ReadFields(plat::FileHandle file) {
    if (ReadRecord(file) && vehicle_class == kVehicleTruck && wagon_count == 0) return true;
    FreeWagons();
    return false;
}

bool CTruck::Load(plat::FileHandle file) {
    if (!ReadFields(file)) return false;
    on_map = true;
    if (number > g_MaxVehicleNumber) g_MaxVehicleNumber = number;
    const MarkKind kind = MarkKindAt(pos_x, pos_y, in_tunnel != 0, on_bridge != 0);
    uint8_t want = lane == 2 ? 2 : 1;
    const MapField* field = FieldAt(pos_x, pos_y);
    if (kind == MarkKind::Tunnel && (in_tunnel != 0 || (field != nullptr && !field->tportal()))) {
        want = HeadingLane(Heading());
    }
    PutBackLoadedMark(*this, kind, want);
    removal_flag = 0;
    return true;
}
