// The vehicle record of the level file (trucks and trains; city cars write a
// shorter record of their own from the same blocks).

#include <vector>

#include "state/le_io.h"
#include "state/map_field.h"
#include "transport/movement_head.h"
#include "transport/vehicle.h"
#include "transport/wagon.h"

namespace {

// A path never holds more pairs than the map has fields.
constexpr uint32_t kMaxPathPairs = kMapFieldCount;

bool ValidStopIndex(int32_t s) {
    return s >= -1 && s < kScheduleStops;
}

void WriteStops(plat::FileHandle file, const ScheduleStop* stops) {
    for (int32_t i = 0; i < kScheduleStops; ++i) {
        le::WriteBytes(file, stops[i].x, 4);
        le::WriteU8(file, stops[i].spare_a);
        le::WriteBytes(file, stops[i].y, 4);
        le::WriteU8(file, stops[i].spare_b);
    }
}

bool ReadStops(plat::FileHandle file, ScheduleStop* stops) {
    bool ok = true;
    for (int32_t i = 0; i < kScheduleStops && ok; ++i) {
        ok = le::ReadBytes(file, stops[i].x, 4) == 4 && le::ReadU8(file, stops[i].spare_a) &&
             le::ReadBytes(file, stops[i].y, 4) == 4 && le::ReadU8(file, stops[i].spare_b);
    }
    return ok;
}

void WritePath(plat::FileHandle file, const CPairList& path) {
    le::WriteU32(file, static_cast<uint32_t>(path.Count()));
    for (const PairNode* p = path.Front(); p != nullptr; p = p->next) {
        le::WriteI32(file, p->a);
        le::WriteI32(file, p->b);
    }
}

// False for a record that ends early or claims more pairs than the map has
// fields; the path is left empty then.
bool ReadPath(plat::FileHandle file, CPairList& path) {
    path.Clear();
    uint32_t count = 0;
    if (!le::ReadU32(file, count) || count > kMaxPathPairs) return false;
    std::vector<PairNode> pairs(count);
    for (PairNode& pair : pairs) {
        if (!le::ReadI32(file, pair.a) || !le::ReadI32(file, pair.b)) return false;
    }
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) path.PushFront(it->a, it->b);
    return true;
}

}  // namespace

void CVehicle::WriteScreenBox(plat::FileHandle file) const {
    le::WriteI32Array(file, screen_box, 4);
    le::WriteI32(file, screen_box_spare);
}

bool CVehicle::ReadScreenBox(plat::FileHandle file) {
    return le::ReadI32Array(file, screen_box, 4) == 16 && le::ReadI32(file, screen_box_spare);
}

MovementHead CVehicle::Head() const {
    auto* self = const_cast<CVehicle*>(this);
    return {&self->pos_x,          &self->pos_y,   self->movement_spare,  &self->phase,
            &self->drawn_x,        &self->drawn_y, &self->next_direction, &self->direction,
            &self->prev_direction, &self->left_x,  &self->left_y,         &self->movement_spare[2]};
}

void CVehicle::WriteMovementBlock(plat::FileHandle file) const {
    WriteMovementHead(file, Head());
    const int32_t words[11] = {stop_served,   stop_count,    retry_count,     running_cost,
                               junction_node, junction_exit, steps_per_frame, base_speed,
                               accel_counter, speed_limit,   turned};
    le::WriteI32Array(file, words, 11);
    le::WriteU8(file, lane);
    le::WriteU8(file, reversals);
    le::WriteBytes(file, movement_spare + 3, 2);
}

bool CVehicle::ReadMovementBlock(plat::FileHandle file) {
    bool ok = ReadMovementHead(file, Head());
    int32_t words[11] = {};
    ok = ok && le::ReadI32Array(file, words, 11) == 44;
    ok = ok && le::ReadU8(file, lane) && le::ReadU8(file, reversals) &&
         le::ReadBytes(file, movement_spare + 3, 2) == 2;
    if (!ok) return false;
    stop_served = words[0];
    stop_count = words[1];
    retry_count = words[2];
    running_cost = words[3];
    junction_node = words[4];
    junction_exit = words[5];
    steps_per_frame = words[6];
    base_speed = words[7];
    accel_counter = words[8];
    speed_limit = words[9];
    turned = words[10];
    return phase >= 0 && phase < kPhasesPerField;
}

void CVehicle::Save(plat::FileHandle file) {
    const int32_t head[11] = {spare_word,    target_stop,   replan_x,     replan_y,
                              wagon_count,   loading_state, running_flag, wait_counter,
                              vehicle_class, number,        model};
    le::WriteI32Array(file, head, 11);
    le::WriteBytes(file, cargo_plan, sizeof cargo_plan);
    le::WriteI32Array(file, halt_at_stop, kScheduleStops);
    le::WriteI32(file, halted);
    le::WriteBytes(file, spare_bytes, sizeof spare_bytes);
    le::WriteI32(file, schedule_changed);
    WriteScreenBox(file);
    WriteMovementBlock(file);
    le::WriteI32(file, static_cast<int32_t>((static_cast<uint32_t>(needs_route) << 16) |
                                            static_cast<uint32_t>(state)));
    const int32_t tail[6] = {arrival_counter, in_tunnel,      on_bridge,
                             draw_layer,      amount_carried, product_carried};
    le::WriteI32Array(file, tail, 6);
    le::WriteI32Array(file, wait_until_loaded, kScheduleStops);
    le::WriteI32(file, way_kind);
    WriteStops(file, schedule);
    if (MayHaveWagons(vehicle_class)) {
        for (int32_t i = 0; i < wagon_count && i < kWagonSlots; ++i) {
            if (wagons[i] != nullptr) wagons[i]->Save(file);
        }
    }
    WritePath(file, path);
}

bool CVehicle::ReadRecord(plat::FileHandle file) {
    FreeWagons();
    int32_t head[11] = {};
    bool ok = le::ReadI32Array(file, head, 11) == 44;
    if (!ok) return false;
    spare_word = head[0];
    target_stop = head[1];
    replan_x = head[2];
    replan_y = head[3];
    const int32_t wagons_in_record = head[4];
    loading_state = head[5];
    running_flag = head[6];
    wait_counter = head[7];
    vehicle_class = head[8];
    number = head[9];
    model = head[10];
    ok = le::ReadBytes(file, cargo_plan, sizeof cargo_plan) == sizeof cargo_plan &&
         le::ReadI32Array(file, halt_at_stop, kScheduleStops) == 40 && le::ReadI32(file, halted) &&
         le::ReadBytes(file, spare_bytes, sizeof spare_bytes) == sizeof spare_bytes &&
         le::ReadI32(file, schedule_changed) && ReadScreenBox(file) && ReadMovementBlock(file);
    int32_t packed = 0;
    int32_t tail[6] = {};
    ok = ok && le::ReadI32(file, packed) && le::ReadI32Array(file, tail, 6) == 24 &&
         le::ReadI32Array(file, wait_until_loaded, kScheduleStops) == 40 &&
         le::ReadI32(file, way_kind) && ReadStops(file, schedule);
    if (!ok) return false;
    state = packed & 0xFF;
    needs_route = packed >> 16;
    arrival_counter = tail[0];
    in_tunnel = tail[1];
    on_bridge = tail[2];
    draw_layer = tail[3];
    amount_carried = tail[4];
    product_carried = tail[5];

    // Records this code cannot have written end the read as damaged.
    if (wagons_in_record < 0 || wagons_in_record > kWagonSlots) return false;
    if (wagons_in_record > 0 && !MayHaveWagons(vehicle_class)) return false;
    if (!ValidStopIndex(stop_served) || !ValidStopIndex(target_stop)) return false;
    if (stop_count < 0 || stop_count > kScheduleStops) return false;

    for (int32_t i = 0; i < wagons_in_record; ++i) {
        wagons[i] = new CWagon(0, 0, "a", 0, i);
        wagon_count = i + 1;
        if (!wagons[i]->Load(file)) return false;
    }
    if (!ReadPath(file, path)) return false;

    for (int32_t& v : screen_box) v = -1;
    owner = 0;
    return true;
}

bool CVehicle::ReadFields(plat::FileHandle file) {
    if (ReadRecord(file)) return true;
    FreeWagons();
    return false;
}

bool CVehicle::Load(plat::FileHandle file) {
    if (!ReadFields(file)) return false;
    on_map = true;
    if (number > g_MaxVehicleNumber) g_MaxVehicleNumber = number;
    // A train holds both lane bits of its field outside tunnels and bridges.
    MapField* field = FieldAt(pos_x, pos_y);
    const bool train = vehicle_class >= kVehicleRail && vehicle_class <= kVehicleSuperconductor;
    if (train && field != nullptr && in_tunnel == 0 && on_bridge == 0 && !field->tportal() &&
        !field->bridge_end()) {
        field->set_belegt(3);
    }
    for (int32_t i = 0; i < wagon_count; ++i) wagons[i]->MarkField();
    return true;
}
