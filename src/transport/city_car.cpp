// The city traffic car: placement, relocation, the per-frame step, speed,
// draw layers and the car's record.

#include "transport/city_car.h"

#include "cities/city.h"
#include "cities/city_manager.h"
#include "cities/city_traffic.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "state/le_io.h"
#include "state/map_field.h"
#include "transport/road_driving.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_trip.h"

namespace {

constexpr int32_t kCarSpeedModel = 6;
constexpr int32_t kCarLifetime = 20;
constexpr int32_t kMaxPlaceAttempts = 10;
constexpr int32_t kFirstCarModel = 25;
constexpr int32_t kCarModels = 5;

// Phase from which a car on a bridge end is drawn on the bridge, by heading
// index and view rotation.
constexpr int32_t kBridgeEndPhases[4][4] = {
    {18, 17, 20, 20}, {17, 20, 20, 18}, {20, 20, 18, 17}, {20, 18, 17, 20}};

// Start heading on a street piece from one random value r: straight and ramp
// pieces along y go north (even r) or south, along x east (even r) or west.
uint8_t StartHeading(int32_t piece, int32_t r) {
    if (piece == 1 || piece == 12 || piece == 15) return r % 2 == 0 ? kDirN : kDirS;
    if (piece == 2 || piece == 13 || piece == 14) return r % 2 == 0 ? kDirE : kDirW;
    return 0;
}

}  // namespace

CCityCar::CCityCar(int32_t x, int32_t y, const char* name, int32_t model_, int32_t city)
    : CVehicle(x, y, name, model_, kVehicleCityCar) {
    RegisterVehicle(this);
    wagon_count = 0;
    way_kind = 1;
    vehicle_class = kVehicleCityCar;
    product_carried = 0;
    amount_carried = 0;
    removal_flag = 0;
    speed_limit = kCarSpeedModel;
    StopSpeed();
    arrival_counter = kCarLifetime;
    owner = city;
    running_flag = 1;
    in_tunnel = 0;
    on_bridge = 0;
    draw_layer = 0;
    g_CityCarPlaceAttempts = 0;
    const bool placed = SetUpOnField();
    phase = kWaitPhase;
    next_direction = direction;
    drawn_x = pos_x;
    drawn_y = pos_y;
    if (!placed && owner > 0) PlanRoute();
    if (g_CityCarPlaceAttempts > kMaxPlaceAttempts) removal_flag = 1;
}

CCityCar::CCityCar(VehicleLoadOnly) : CVehicle(VehicleLoadOnly{}) {}

namespace {

CVehicle* MakeCityCar(int32_t x, int32_t y, const char* name, int32_t model, int32_t city) {
    return new CCityCar(x, y, name, model, city);
}

}  // namespace

void InstallCityCarMaker() {
    g_MakeCityCar = &MakeCityCar;
}

CCityCar::~CCityCar() {
    ReleaseMark(mark);
    path.Clear();
}

bool CCityCar::SetUpOnField() {
    const MapField* field = FieldAt(pos_x, pos_y);
    const int32_t piece = field != nullptr ? field->wegteil() : 0;
    const uint8_t heading = StartHeading(piece, plat::Rand());
    direction = static_cast<uint8_t>((heading << 4) | OppositeDirBits(heading));
    lane = HeadingLane(heading);
    if (field == nullptr || heading == 0 || (field->richtung() & heading) == 0) return false;
    const MarkKind kind = MarkKindAt(pos_x, pos_y, false, false);
    if (kind != MarkKind::Junction && !IsLaneFree(pos_x, pos_y, kind, lane)) return false;
    TakeVehicleMark(*this, pos_x, pos_y, kind, lane, DirIndexFromBit(heading));
    return true;
}

void CCityCar::PlanRoute() {
    ReleaseMark(mark);
    int32_t x = -1;
    int32_t y = -1;
    // A car whose city is gone finds no field and is removed.
    CCity* city = g_pCityManager != nullptr ? g_pCityManager->City(owner) : nullptr;
    if (city != nullptr) city->FindStreetField(x, y);
    ++g_CityCarPlaceAttempts;
    if (x < 0) {
        removal_flag = 1;
        return;
    }
    if (g_CityCarPlaceAttempts > kMaxPlaceAttempts) return;
    pos_x = static_cast<uint8_t>(x);
    pos_y = static_cast<uint8_t>(y);
    wagon_count = 0;
    way_kind = 1;
    vehicle_class = kVehicleCityCar;
    model = kFirstCarModel + plat::Rand() % kCarModels;
    product_carried = 0;
    amount_carried = 0;
    arrival_counter = kCarLifetime;
    steps_per_frame = 1;
    speed_limit = kCarSpeedModel;
    accel_counter = 0;
    base_speed = 1;
    phase = kWaitPhase;
    drawn_x = left_x = pos_x;
    drawn_y = left_y = pos_y;
    in_tunnel = 0;
    on_bridge = 0;
    draw_layer = 0;
    const bool placed = SetUpOnField();
    next_direction = prev_direction = direction;
    if (!placed) PlanRoute();
}

void CCityCar::Relocate() {
    ReleaseMark(mark);
    PlanRoute();
}

void CCityCar::UpdateSpeed() {
    const MapField* field = FieldAt(pos_x, pos_y);
    const VehicleModel* m = VehicleModelRecord(speed_limit);
    if (field == nullptr) return;
    switch (field->wegtyp()) {
        case kWayCityStreet:
            steps_per_frame = 1;
            break;
        case kWayGravelRoad:
            if (m != nullptr) steps_per_frame = m->speed_a;
            break;
        case kWayAsphaltRoad:
            if (m != nullptr) steps_per_frame = m->speed_b;
            break;
        default:
            break;
    }
    // A borrowed model without speed would stop the car for good.
    if (steps_per_frame < 1) steps_per_frame = 1;
}

void CCityCar::UpdateDrawLayer() {
    const MapField* drawn = FieldAt(drawn_x, drawn_y);
    if (drawn != nullptr && drawn->tportal() && phase == kDecisionPhase) {
        if (draw_layer == 1) {
            if (in_tunnel == 0) draw_layer = on_bridge != 0 ? 2 : 0;
        } else if (in_tunnel != 0) {
            draw_layer = 1;
        }
    }
    const MapField* field = FieldAt(pos_x, pos_y);
    const int32_t h = DirIndexFromBit(Heading());
    if (on_bridge != 0 && draw_layer == 0 && field != nullptr && field->bridge_end() && h >= 0 &&
        phase >= kBridgeEndPhases[h][ViewRotation()]) {
        draw_layer = 2;
    }
    const MapField* left = FieldAt(left_x, left_y);
    if (on_bridge == 0 && draw_layer == 2 && left != nullptr && left->bridge_end() &&
        phase == kWaitPhase) {
        draw_layer = 0;
    }
}

int32_t CCityCar::Move() {
    if (wait_counter > 0 || removal_flag != 0) {
        if (wait_counter > 0) --wait_counter;
        visible = FieldInView(pos_x, pos_y);
        return 0;
    }
    for (int32_t done = 0; done < steps_per_frame; ++done) {
        UpdateSpeed();
        phase = (phase + 1) % kPhasesPerField;
        UpdateDrawLayer();
        if (phase == kDecisionPhase) {
            if (arrival_counter <= 0) {
                ReleaseMark(mark);
                g_CityCarPlaceAttempts = 0;
                PlanRoute();
            } else {
                Drive();
                visible = FieldInView(pos_x, pos_y);
            }
            if (removal_flag != 0) return 0;
        }
        if (phase == 0) {
            drawn_x = pos_x;
            drawn_y = pos_y;
            const MapField* field = FieldAt(pos_x, pos_y);
            if (field != nullptr) {
                if (field->bridge_end() && draw_layer == 0) {
                    draw_layer = 2;
                } else if (!field->bridge_end() && !field->bridge_flag() && draw_layer == 2) {
                    draw_layer = 0;
                }
            }
            prev_direction = direction;
            direction = next_direction;
            if (field != nullptr && !IsJunctionField(pos_x, pos_y) &&
                field->wegtyp() == kWayCityStreet) {
                --arrival_counter;
            }
        }
        if (wait_counter != 0) return 0;
    }
    return 0;
}

void CCityCar::Save(plat::FileHandle file) {
    const int32_t head[6] = {wagon_count, running_flag, wait_counter, vehicle_class, number, model};
    le::WriteI32Array(file, head, 6);
    WriteScreenBox(file);
    WriteMovementBlock(file);
    const int32_t tail[6] = {arrival_counter, in_tunnel, on_bridge, draw_layer, way_kind, owner};
    le::WriteI32Array(file, tail, 6);
}

bool CCityCar::ReadFields(plat::FileHandle file) {
    int32_t head[6] = {};
    int32_t tail[6] = {};
    const bool ok = le::ReadI32Array(file, head, 6) == 24 && ReadScreenBox(file) &&
                    ReadMovementBlock(file) && le::ReadI32Array(file, tail, 6) == 24;
    if (!ok) return false;
    wagon_count = head[0];
    running_flag = head[1];
    wait_counter = head[2];
    vehicle_class = head[3];
    number = head[4];
    model = head[5];
    arrival_counter = tail[0];
    in_tunnel = tail[1];
    on_bridge = tail[2];
    draw_layer = tail[3];
    way_kind = tail[4];
    owner = tail[5];
    return vehicle_class == kVehicleCityCar && wagon_count == 0 && owner >= 1 && owner <= 63;
}

bool CCityCar::Load(plat::FileHandle file) {
    if (!ReadFields(file)) return false;
    on_map = true;

    const MarkKind kind = MarkKindAt(pos_x, pos_y, in_tunnel != 0, on_bridge != 0);
    uint8_t want = lane == 2 ? 2 : 1;
    if (kind == MarkKind::Tunnel) want = HeadingLane(Heading());
    PutBackLoadedMark(*this, kind, want);
    running_flag = 1;
    return true;
}
