// The tunnel and bridge run queries of demolition: is a vehicle or a wagon
// standing on the run?

#include <algorithm>

#include "state/map_field.h"
#include "transport/vehicle_services.h"
#include "transport/wagon.h"

namespace {

struct Run {
    bool column;  // x fixed, y between lo and hi
    int32_t fixed;
    int32_t lo;
    int32_t hi;

    bool Holds(int32_t x, int32_t y) const {
        const int32_t along = column ? y : x;
        const int32_t across = column ? x : y;
        return across == fixed && along >= lo && along <= hi;
    }
};

// False when the two ends share neither a column nor a row. The ends come in
// either order: tunnel and bridge demolition and their measuring pass the far
// end of the run first, which lies east or south of the clicked end (at the
// higher coordinate) whenever the click was on the west or north end; taking
// the ends as low to high would then give an empty range, find no vehicle and
// let a run with a vehicle on it be removed.
bool MakeRun(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Run& run) {
    if (x1 == x2) {
        run = {true, x1, std::min(y1, y2), std::max(y1, y2)};
        return true;
    }
    if (y1 == y2) {
        run = {false, y1, std::min(x1, x2), std::max(x1, x2)};
        return true;
    }
    return false;
}

bool IsPortal(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    return field != nullptr && field->tportal();
}

bool IsBridgeEnd(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    return field != nullptr && field->bridge_end();
}

// Walks the list; a unit counts when its test holds and it stands on the run.
// A train's wagons are asked whenever its engine did not count, also when the
// engine is in another tunnel or on another bridge: a train running from one
// run into the next close by has its engine in the second and its last wagons
// still in the first, and skipping them would let the first be demolished
// over them.
template <typename EngineCounts, typename WagonCounts>
int32_t AnyOnRun(const Run& run, EngineCounts engineCounts, WagonCounts wagonCounts) {
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        const CVehicle* v = node->vehicle;
        if (v == nullptr) continue;
        if (engineCounts(*v) && run.Holds(v->pos_x, v->pos_y)) return 1;
        if (!MayHaveWagons(v->vehicle_class)) continue;
        for (int32_t i = 0; i < v->wagon_count && i < kWagonSlots; ++i) {
            const CWagon* w = v->wagons[i];
            if (w != nullptr && wagonCounts(*w) && run.Holds(w->x, w->y)) return 1;
        }
    }
    return 0;
}

}  // namespace

int32_t IsVehicleOnColumn(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Run run;
    if (!MakeRun(x1, y1, x2, y2, run)) return 0;
    return AnyOnRun(
        run, [](const CVehicle& v) { return v.in_tunnel != 0 || IsPortal(v.pos_x, v.pos_y); },
        [](const CWagon& w) { return w.in_tunnel != 0 || IsPortal(w.x, w.y); });
}

int32_t IsVehicleOnRow(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Run run;
    if (!MakeRun(x1, y1, x2, y2, run)) return 0;
    return AnyOnRun(
        run,
        [](const CVehicle& v) {
            return v.on_bridge != 0 || (IsBridgeEnd(v.pos_x, v.pos_y) && v.in_tunnel == 0);
        },
        [](const CWagon& w) {
            return w.on_bridge != 0 || (IsBridgeEnd(w.x, w.y) && w.in_tunnel == 0);
        });
}
