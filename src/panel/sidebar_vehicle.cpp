// The information panel of a truck or a train: model, number, the travel
// costs of its last trip, the terminal it heads for, and a load diagram with
// one row per cargo unit (one for a truck, six wagon places for a train).

#include <cstring>

#include "economy/building.h"
#include "economy/building_table.h"
#include "panel/amount_text.h"
#include "panel/sidebar_info.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/vehicle.h"
#include "transport/vehicle_trip.h"
#include "transport/wagon.h"

namespace {

constexpr int32_t kLeft = 8;
constexpr int32_t kDiagramTop = 251;
constexpr int32_t kIconX = 8;
constexpr int32_t kMarkX = 46;
constexpr int32_t kMarkDown = 10;  // the frame stands 10 pixels below the icon's top

std::string ModelName(int32_t model) {
    const VehicleModel* m = VehicleModelRecord(model);
    if (m == nullptr) return {};
    return std::string(m->model_name, strnlen(m->model_name, sizeof m->model_name));
}

// The name of the building on the first field of the stop the vehicle heads
// for; empty when that field holds none.
std::string Destination(const CVehicle& v) {
    if (v.target_stop < 0 || v.target_stop >= kScheduleStops) return {};
    const ScheduleStop& stop = v.schedule[v.target_stop];
    const int32_t number = GetBuildingNumberAt(stop.x[0], stop.y[0]);
    CBuilding* b = g_ppBuildings != nullptr && number > 0 ? g_ppBuildings->At(number) : nullptr;
    const char* name = b != nullptr ? b->GetName() : nullptr;
    return name != nullptr ? name : "";
}

void AddRow(SidebarContent& c, int32_t row, int32_t icon, bool filled) {
    const int32_t y = kDiagramTop + kGoodsIconSize * row;
    if (icon >= 0) c.icons.push_back({kIconX, y, icon});
    c.marks.push_back({kMarkX, y + kMarkDown, filled});
}

}  // namespace

SidebarContent DescribeVehicle(const CVehicle& v) {
    SidebarContent c;
    c.shown = true;
    c.labels = {{kLeft, 180, "Travel costs:"}, {kLeft, 214, "Next destination:"}};
    c.values = {{kLeft, 143, ModelName(v.model)},
                {kLeft, 163, "Vehicle number: " + std::to_string(v.number)},
                {96, 180, FormatAmount(v.cost_last_trip, AmountGroups::UpToThousands)},
                {kLeft, 231, Destination(v)}};
    // The icon and frame columns, whatever rows the next vehicle fills.
    c.extra_boxes = {{kIconX, kDiagramTop, kGoodsIconSize, 194}, {kMarkX, 263, 12, 174}};
    if (v.vehicle_class == kVehicleTruck) {
        const bool cargo = v.product_carried > -1;
        AddRow(c, 0, cargo ? v.product_carried + 1 : 0, cargo && v.amount_carried != 0);
    } else if (v.vehicle_class >= kVehicleRail && v.vehicle_class <= kVehicleSuperconductor) {
        for (int32_t row = 0; row < kWagonSlots; ++row) {
            const CWagon* w = v.wagons[row];
            if (w == nullptr) {
                AddRow(c, row, 0, false);
            } else if (w->cargo_key > -1) {
                AddRow(c, row, w->cargo_key + 1, w->amount != 0);
            } else {
                AddRow(c, row, -1, false);  // a wagon without goods: frame only
            }
        }
    }
    return c;
}
