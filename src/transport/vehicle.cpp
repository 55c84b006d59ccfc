// Construction and destruction of the vehicle base, vehicle numbers, wagons
// and the goods hand-over with terminals.

#include "transport/vehicle.h"

#include "economy/building_table.h"
#include "platform/random.h"
#include "state/map_field.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_references.h"
#include "transport/wagon.h"
#include "world/way_queries.h"

namespace {

constexpr int32_t kCityCarModels = 5;
constexpr int32_t kFirstCityCarModel = 25;

// Current direction byte of a start whose track leads in direction index i:
// high nibble the opposite side, low nibble the side itself (N, E, S, W).
constexpr uint8_t kStartDirectionBytes[4] = {0x41, 0x82, 0x14, 0x28};

// True when the track of the building under (x, y) leads out of it in
// direction index `heading`: the run of the building's fields from (x, y)
// that way ends on a field whose track goes on.
bool TrackLeadsOut(int32_t x, int32_t y, int32_t heading) {
    const MapField* start = FieldAt(x, y);
    if (start == nullptr) return false;
    const int32_t building = start->BuildingNumber();
    for (int32_t steps = 0; steps < kMapSize; ++steps) {
        const MapField* next = FieldAt(x + DirDx(heading), y + DirDy(heading));
        if (next == nullptr || next->BuildingNumber() != building) break;
        x += DirDx(heading);
        y += DirDy(heading);
    }
    return (GetWayDirections(x, y, 4) & DirBitFromIndex(heading)) != 0;
}

CBuilding* BuildingAt(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || g_ppBuildings == nullptr) return nullptr;
    return g_ppBuildings->At(field->BuildingNumber());
}

}  // namespace

CVehicle::CVehicle(VehicleLoadOnly) : on_map(false) {
    path.Init();
}

CVehicle::CVehicle(int32_t x, int32_t y, const char* /*name*/, int32_t model_,
                   int32_t vehicle_class_) {
    path.Init();
    const uint8_t sx = static_cast<uint8_t>(x);
    const uint8_t sy = static_cast<uint8_t>(y);
    if (vehicle_class_ == kVehicleCityCar) {
        vehicle_class = kVehicleCityCar;
        number = -1;
        way_kind = 4;
        pos_x = left_x = sx;
        pos_y = left_y = sy;
        phase = 31;
        target_stop = 1;
        model = kFirstCityCarModel + plat::Rand() % kCityCarModels;
        return;
    }

    needs_route = 1;
    three_step_counter = static_cast<uint8_t>(plat::Rand() % 3);
    for (ScheduleStop& stop : schedule) stop = EmptyScheduleStop();
    for (auto& stop : cargo_plan) {
        for (auto& slot : stop) {
            slot[0] = kNoProduct;
            slot[1] = 0;
        }
    }
    running_flag = 1;

    number = FindFreeNumber();
    if (number == -1) number = ++g_MaxVehicleNumber;

    model = model_;
    vehicle_class = vehicle_class_;
    way_kind = 4;
    loading_state = 1;
    stop_count = 1;
    schedule[0].x[0] = sx;
    schedule[0].y[0] = sy;

    // A train bought at a station starts out on the platform track, k - 1
    // fields along it by the terminal kind k (a field of no terminal, k = 0,
    // one field back). A start that would leave the map stays put: its field
    // would lie outside the grid.
    int32_t startX = x;
    int32_t startY = y;
    const int32_t trackMask = GetWayDirections(x, y, 4);
    const int32_t trackIndex = DirIndexFromBit(static_cast<uint8_t>(trackMask));
    if (vehicle_class != kVehicleNoDeparture && trackIndex >= 0) {
        const int32_t k = GetTerminalKindAt(x, y);
        const int32_t nx = x + DirDx(trackIndex) * (k - 1);
        const int32_t ny = y + DirDy(trackIndex) * (k - 1);
        if (InMap(nx, ny)) {
            startX = nx;
            startY = ny;
        }
    }
    pos_x = left_x = static_cast<uint8_t>(startX);
    pos_y = left_y = static_cast<uint8_t>(startY);
    phase = 31;

    MapField* start = FieldAt(startX, startY);
    if (start != nullptr && vehicle_class != kVehicleTruck) {
        start->set_belegt((start->belegt() | 1u) & ~2u);
    } else if (start != nullptr && start->belegt() == 0 &&
               MarkKindAt(startX, startY, false, false) == MarkKind::Lane) {
        // A truck's free start gets lane 1 set and lane 2 clear, held as the
        // truck's own mark (the truck then moves it to its depot's lane). A
        // start another truck stands on is left alone: clearing lane 2 there
        // would wipe that truck's mark, both would stand in one lane and the
        // first to leave would free the field under the other.
        TakeMark(mark, startX, startY, MarkKind::Lane, 1, -1);
    }
    if (start != nullptr) {
        // The vehicle heads away from a free neighbour of its own building.
        // Inside a row (free neighbours on both sides) one heading is kept:
        // the one whose track leads out of the building, else the first.
        // Taking both would give a train bought mid-row a heading of two
        // directions, and its first drive would delete it as invalid.
        const int32_t startMask = GetWayDirections(startX, startY, 4);
        int32_t chosen = -1;
        for (const int32_t i : {kDirIndexN, kDirIndexS, kDirIndexE, kDirIndexW}) {
            if ((startMask & DirBitFromIndex(i)) == 0) continue;
            const MapField* neighbour = FieldAt(startX + DirDx(i), startY + DirDy(i));
            if (neighbour == nullptr || neighbour->belegt() != 0) continue;
            if (neighbour->BuildingNumber() != start->BuildingNumber()) continue;
            if (chosen < 0 || (!TrackLeadsOut(startX, startY, OppositeDirIndex(chosen)) &&
                               TrackLeadsOut(startX, startY, OppositeDirIndex(i)))) {
                chosen = i;
            }
        }
        if (chosen >= 0) direction |= kStartDirectionBytes[chosen];
    }
    prev_direction = direction;
    junction_exit = direction & 15;
    target_stop = 0;
    stop_served = 1;
    replan_x = pos_x;
    replan_y = pos_y;
}

CVehicle::~CVehicle() {
    ReleaseMark(mark);
    FreeWagons();
    path.Clear();
    ForgetVehicle(this);
}

void CVehicle::FreeWagons() {
    for (CWagon*& wagon : wagons) {
        delete wagon;
        wagon = nullptr;
    }
    wagon_count = 0;
}

int32_t CVehicle::FindFreeNumber() const {
    if (g_MaxVehicleNumber < 1) return -1;
    for (int32_t n = 1; n <= g_MaxVehicleNumber; ++n) {
        if (FindVehicleByNumber(n) == nullptr) return n;
    }
    return -1;
}

int32_t CVehicle::FindWagon(int32_t cargo_key, int32_t index) const {
    for (int32_t i = 0; i < wagon_count && i < kWagonSlots; ++i) {
        const CWagon* wagon = wagons[i];
        if (wagon != nullptr && wagon->cargo_key == cargo_key && wagon->index == index) return i;
    }
    return -1;
}

int32_t CVehicle::UnloadAtTerminal(int32_t product, int32_t amount) {
    CBuilding* building = BuildingAt(pos_x, pos_y);
    return building != nullptr ? building->PutGoods(product, amount, 1) : 0;
}

int32_t CVehicle::LoadAtTerminal(int32_t product, int32_t amount) {
    CBuilding* building = BuildingAt(pos_x, pos_y);
    return building != nullptr ? building->TakeGoods(product, amount, 0, owner) : 0;
}
