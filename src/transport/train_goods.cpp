// The train at its stop: unloading the wagons the schedule no longer wants
// there, making up the wagons it wants and filling them. Each wagon serves
// one cargo column of the schedule and carries one unit at most.

#include "economy/building_table.h"
#include "state/map_field.h"
#include "transport/train.h"
#include "transport/vehicle_trip.h"
#include "transport/wagon.h"

namespace {

// The product of column k at stop s, -1 for none.
int32_t Planned(const CVehicle& v, int32_t s, int32_t k) {
    if (s < 0 || s >= kScheduleStops || k < 0 || k >= kWagonSlots) return -1;
    return static_cast<int8_t>(v.cargo_plan[s][k][0]);
}

// Units unloaded per product at one stop.
struct Tally {
    int32_t product[kWagonSlots];
    int32_t count[kWagonSlots];

    Tally() {
        for (int32_t i = 0; i < kWagonSlots; ++i) {
            product[i] = -1;
            count[i] = 0;
        }
    }
    void Add(int32_t p) {
        for (int32_t i = 0; i < kWagonSlots; ++i) {
            if (product[i] == p) {
                ++count[i];
                return;
            }
        }
        for (int32_t i = 0; i < kWagonSlots; ++i) {
            if (product[i] == -1) {
                product[i] = p;
                count[i] = 1;
                return;
            }
        }
    }
};

}  // namespace

void CTrain::DropWagon(int32_t index) {
    const CWagon* w = wagons[index];
    // The picture of the wagon is to be redrawn with the train's.
    if (w->screen_box[0] <= w->screen_box[1] && w->screen_box[2] <= w->screen_box[3]) {
        if (screen_box[0] < 0 || w->screen_box[0] < screen_box[0]) screen_box[0] = w->screen_box[0];
        if (w->screen_box[1] > screen_box[1]) screen_box[1] = w->screen_box[1];
        if (screen_box[2] < 0 || w->screen_box[2] < screen_box[2]) screen_box[2] = w->screen_box[2];
        if (w->screen_box[3] > screen_box[3]) screen_box[3] = w->screen_box[3];
    }
    RemoveWagon(index);
}

void CTrain::UnloadGoods() {
    lane = 0;
    // The stores ask which opponent's train is delivering.
    g_pVehicleAtTerminal = owner > 0 ? this : nullptr;
    const int32_t s = target_stop;
    const int32_t n = stop_count;
    CBuilding* building = StopBuildingAt(pos_x, pos_y);
    // A schedule without stops neither loads nor unloads: the stop before s
    // is taken modulo the stop count, and with no stop that divides by zero.
    if (building == nullptr || n < 1 || n > kScheduleStops || s < 0 || s >= kScheduleStops) {
        g_pVehicleAtTerminal = nullptr;
        return;
    }
    building->Refresh();
    const int32_t before = (s - 1 + n) % n;
    Tally tally;
    // Columns whose product changes here give up their wagon.
    for (int32_t k = 0; k < kWagonSlots; ++k) {
        const int32_t cur = Planned(*this, s, k);
        const int32_t prev = Planned(*this, before, k);
        if (prev < 0 || prev == cur) continue;
        const int32_t i = FindWagon(prev, k);
        if (i < 0) continue;
        if (wagons[i]->amount > 0) tally.Add(prev);
        DropWagon(i);
    }
    // Wagons that do not carry what their column planned before here go too.
    for (int32_t i = 0; i < wagon_count && i < kWagonSlots;) {
        const CWagon* w = wagons[i];
        if (w->cargo_key == Planned(*this, before, w->index)) {
            ++i;
            continue;
        }
        if (w->amount > 0 && w->cargo_key >= 0) tally.Add(w->cargo_key);
        DropWagon(i);
        i = 0;
    }
    for (int32_t i = 0; i < kWagonSlots; ++i) {
        if (tally.product[i] >= 0 && tally.count[i] > 0) {
            UnloadAtTerminal(tally.product[i], tally.count[i]);
        }
    }
    FinishUnloading(*building);
}

int32_t CTrain::LoadGoods() {
    lane = 0;
    const LoadingStop stop = BeginLoading();
    if (stop.result >= 0) return stop.result;
    const int32_t s = stop_served;
    const int32_t n = stop_count;
    if (stop.building != nullptr) {
        const int32_t before = (s - 1 + n) % n;
        int32_t wanted[kWagonSlots];
        for (int32_t k = 0; k < kWagonSlots; ++k) {
            const int32_t cur = Planned(*this, s, k);
            const int32_t want = cur >= 0 && cur != Planned(*this, before, k) ? cur : -1;
            wanted[k] = want;
            if (want < 0) {
                int32_t drop = -1;
                for (int32_t i = 0; i < wagon_count; ++i) {
                    if (wagons[i]->index == k && wagons[i]->cargo_key != cur) drop = i;
                }
                if (drop >= 0) DropWagon(drop);
            } else if (FindWagon(want, k) < 0) {
                CWagon* other = nullptr;
                for (int32_t i = 0; i < wagon_count; ++i) {
                    if (wagons[i]->index == k) other = wagons[i];
                }
                if (other != nullptr) {
                    other->cargo_key = want;
                    other->amount = 0;
                } else {
                    AddWagon(g_VehicleNameCounter, want, k);
                }
            }
        }
        for (int32_t k = 0; k < kWagonSlots; ++k) {
            const int32_t p = wanted[k];
            if (p < 0) continue;
            // Whole units only: what the station hands out is shared one by
            // one among the wagons of the product that have room.
            int32_t sum = 0;
            for (int32_t i = 0; i < wagon_count; ++i) {
                const int32_t room = wagons[i]->GetFreeRoom();
                if (wagons[i]->cargo_key == p && room > 0) {
                    const int32_t got = LoadAtTerminal(p, room);
                    if (got > 0) sum += got;
                }
            }
            for (int32_t i = 0; i < wagon_count && sum > 0; ++i) {
                CWagon* w = wagons[i];
                if (w->cargo_key == p && w->GetFreeRoom() > 0) {
                    ++w->amount;
                    --sum;
                }
            }
        }
    }
    RefreshInfoPanelIfSelected();
    if (halted != 0) return 0;
    if (wait_until_loaded[s] != 0 && wagon_count > 0) {
        for (int32_t i = 0; i < wagon_count; ++i) {
            if (wagons[i]->GetFreeRoom() > 0) return 0;
        }
    }
    return 1;
}
