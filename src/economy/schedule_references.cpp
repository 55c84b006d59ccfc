// The building table's edits of vehicle schedules: stops of a removed
// terminal go, stops of a lengthened station list its new platform rows.

#include <algorithm>
#include <cstring>

#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/train_station.h"
#include "state/game_state.h"
#include "transport/vehicle.h"

namespace {

constexpr uint8_t kNoField = 255;

bool StartsAt(const ScheduleStop& stop, int32_t x, int32_t y) {
    return stop.x[0] != kNoField && stop.x[0] == x && stop.y[0] == y;
}

void ClearFields(ScheduleStop& stop) {
    for (int32_t k = 0; k < 4; ++k) {
        stop.x[k] = kNoField;
        stop.y[k] = kNoField;
    }
}

// Removes stop s: the later stops and their plans and flags move down by
// one, the last stop becomes empty. The wait and halt flags move with their
// stops; left in place, the stop taking the removed one's place would wait
// or halt as the removed stop did.
void RemoveStop(CVehicle& v, int32_t s) {
    const int32_t last = kScheduleStops - 1;
    for (int32_t j = s; j < last; ++j) {
        v.schedule[j] = v.schedule[j + 1];
        std::memcpy(v.cargo_plan[j], v.cargo_plan[j + 1], sizeof v.cargo_plan[j]);
        v.wait_until_loaded[j] = v.wait_until_loaded[j + 1];
        v.halt_at_stop[j] = v.halt_at_stop[j + 1];
    }
    ClearFields(v.schedule[last]);
    std::memset(v.cargo_plan[last], 0, sizeof v.cargo_plan[last]);
    v.wait_until_loaded[last] = 0;
    v.halt_at_stop[last] = 0;
    if (v.stop_count > 0) --v.stop_count;

    // The stop driven to keeps its place in the new order.
    const bool wasTarget = v.target_stop == s;
    if (s <= v.target_stop) {
        --v.target_stop;
        if (v.target_stop < 0) v.target_stop = v.stop_count - 1;
        v.schedule_changed = 1;
    }
    if (wasTarget || v.stop_count == 1 || v.target_stop < 0) v.target_stop = 0;
}

}  // namespace

void CBuildingTable::ClearReferences(int32_t x, int32_t y, int32_t, int32_t) {
    if (CGameState* gs = g_pGameState) {
        bool edited = false;
        for (const ScheduleStop& stop : gs->schedule_edit) {
            for (int32_t k = 0; k < 4; ++k) edited = edited || (stop.x[k] == x && stop.y[k] == y);
        }
        if (edited) {
            gs->schedule_words[1] = -1;
            gs->schedule_words[2] = -1;
        }
    }
    for (VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        CVehicle* v = node->vehicle;
        if (v == nullptr) continue;
        int32_t s = 0;
        int32_t removed = 0;
        while (s < kScheduleStops && removed < kScheduleStops) {
            if (StartsAt(v->schedule[s], x, y)) {
                RemoveStop(*v, s);
                ++removed;  // the same index holds the next stop now
            } else {
                ++s;
            }
        }
    }
}

// The stops list the station's own platform lines 1..n, read from the
// station. The field the station tool passes is the first platform line, so
// counting the lines from it would list one line beyond the station and
// leave the first one out.
void CBuildingTable::RewriteStationStops(int32_t, int32_t, int32_t type, int32_t number) {
    const CBuilding* building = At(number);
    if (building == nullptr || !IsStationType(type) || !IsStationType(building->type)) return;
    const auto* station = static_cast<const CTrainStation*>(building);
    const StationGeometry g = station->geometry();
    const int32_t rows = std::clamp(station->length, 1, kMaxStationLength);
    for (VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        CVehicle* v = node->vehicle;
        if (v == nullptr) continue;
        for (ScheduleStop& stop : v->schedule) {
            // A stop is found by the station under its first field, not by
            // that field alone: a stop read from a level file may begin on
            // any field of the station. Matched by the one field passed, such
            // a stop would keep listing the old rows only, and its trains
            // would never use the row the player has just paid for.
            if (stop.x[0] == kNoField || BuildingOnField(stop.x[0], stop.y[0]) != station) continue;
            ClearFields(stop);
            for (int32_t i = 0; i < rows; ++i) {
                stop.x[i] = static_cast<uint8_t>(g.line_x(i + 1, 0));
                stop.y[i] = static_cast<uint8_t>(g.line_y(i + 1, 0));
            }
        }
    }
}
