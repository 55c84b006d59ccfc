// The truck at its stop: unloading and loading by the schedule's cargo plan.

#include "economy/building_table.h"
#include "state/map_field.h"
#include "transport/truck.h"
#include "transport/vehicle_trip.h"

namespace {

// The product planned at stop s (first wagon slot), -1 for none.
int32_t PlannedProduct(const CVehicle& v, int32_t s) {
    const int8_t product = static_cast<int8_t>(v.cargo_plan[s][0][0]);
    return product;
}

// The stop before s in a schedule of n stops.
int32_t StopBefore(int32_t s, int32_t n) {
    return (s - 1 + n) % n;
}

}  // namespace

void CTruck::UnloadGoods() {
    const int32_t s = target_stop;
    const int32_t n = stop_count;
    // A schedule without stops neither loads nor unloads: the stop before s
    // is taken modulo the stop count, and with no stop that divides by zero.
    if (n < 1 || n > kScheduleStops || s < 0 || s >= kScheduleStops) return;
    CBuilding* building = StopBuildingAt(pos_x, pos_y);
    if (building == nullptr) return;
    building->Refresh();

    const int32_t current = PlannedProduct(*this, s);
    const int32_t previous = PlannedProduct(*this, StopBefore(s, n));
    const int32_t unload = current != previous ? previous : -1;
    // An opponent's truck, like its train, is named to the terminal while it
    // unloads: a store whose month's demand is met then halts the truck at
    // its stop 0. The opponents' road chains are paced by that halt; their
    // turn lets the trucks go again once the store's deliveries fall short.
    g_pVehicleAtTerminal = owner >= 1 && owner <= 3 ? this : nullptr;
    if (unload != -1 && unload == product_carried) {
        UnloadAtTerminal(unload, amount_carried);
        product_carried = -1;
        amount_carried = 0;
    }
    // Goods that the plan does not expect here are handed over as well.
    if (previous != product_carried && product_carried >= 0) {
        UnloadAtTerminal(product_carried, amount_carried);
        product_carried = -1;
        amount_carried = 0;
    }
    FinishUnloading(*building);
}

int32_t CTruck::LoadGoods() {
    const LoadingStop stop = BeginLoading();
    if (stop.result >= 0) return stop.result;
    const int32_t s = stop_served;
    const int32_t n = stop_count;
    if (stop.building != nullptr) {
        const int32_t current = PlannedProduct(*this, s);
        // A product planned at two stops in a row stays on board.
        if (current >= 0 && PlannedProduct(*this, StopBefore(s, n)) != current) {
            product_carried = current;
            const int32_t got = LoadAtTerminal(current, 1 - amount_carried);
            if (got > 0) amount_carried += got;
            if (amount_carried > 1) amount_carried = 1;
        }
    }
    RefreshInfoPanelIfSelected();
    if (halted != 0) return 0;
    if (wait_until_loaded[s] == 0) return 1;
    return amount_carried >= 1 ? 1 : 0;
}
