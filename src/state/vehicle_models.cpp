#include "state/data_tables.h"
#include "state/game_state.h"

namespace {

// Name, kind, price, byte A, running cost per field, first year of sale,
// speed bytes A..D. Models 0..9 are trucks (three places per truck type but
// the last), 10..14 trains, 15..17 monorail trains, 18 the superconductor.
// clang-format off
const VehicleModel kVehicleModels[kVehicleModelCount] = {
    {"UAF D200 Ranger", "3-Axis-Truck (Diesel)", 2400, 0, 6, 1959, 1, 2, 1, 1},
    {"UAF D200 Ranger", "3-Axis-Truck (Diesel)", 2400, 0, 6, 1959, 1, 2, 1, 1},
    {"UAF D200 Ranger", "3-Axis-Truck (Diesel)", 2400, 0, 6, 1959, 1, 2, 1, 1},
    {"UAF D320 Worldtec", "2-Axis-Truck (Diesel)", 3100, 0, 4, 1965, 2, 2, 1, 1},
    {"UAF D320 Worldtec", "2-Axis-Truck (Diesel)", 3100, 0, 4, 1965, 2, 2, 1, 1},
    {"UAF D320 Worldtec", "2-Axis-Truck (Diesel)", 3100, 0, 4, 1965, 2, 2, 1, 1},
    {"UAF D360 TurboCooler", "3-Axis-Truck (Diesel)", 4400, 0, 3, 1974, 2, 2, 2, 2},
    {"UAF D360 TurboCooler", "3-Axis-Truck (Diesel)", 4400, 0, 3, 1974, 2, 2, 2, 2},
    {"UAF D360 TurboCooler", "3-Axis-Truck (Diesel)", 4400, 0, 3, 1974, 2, 2, 2, 2},
    {"UAF H100 Streamline", "2-Axis-Truck (Hybrid)", 12200, 0, 2, 1998, 2, 3, 2, 2},
    {"SGB \"Fox\" V24", "Short haul train", 12500, 4, 42, 1959, 2, 1, 0, 0},
    {"SGB \"Croco\" V28", "Short haul train", 18400, 3, 35, 1964, 2, 2, 0, 0},
    {"Napa TRO-1609", "Middle haul train", 26800, 2, 32, 1972, 3, 2, 0, 0},
    {"SGB \"Weasel\" V34", "Middle haul train", 33700, 1, 31, 1978, 3, 3, 0, 0},
    {"Kanlo Model 12", "Long distance train", 41000, 0, 28, 1984, 4, 3, 0, 0},
    {"SteelCo \"Shark\" MT21", "Monorail (long distance)", 74200, 0, 40, 1990, 4, 4, 0, 0},
    {"SteelCo \"Dolphin\" MT42", "Monorail (long distance)", 89300, 1, 37, 1995, 5, 5, 0, 0},
    {"SteelCo \"Cheetah\" MT84", "Monorail (long distance)", 105500, 0, 35, 2000, 6, 6, 0, 0},
    {"SGB \"Supradupa\" V69", "Superconductor (long distance)", 157700, 0, 39, 2010, 8, 8, 0, 0},
};
// clang-format on

}  // namespace

const VehicleModel& StockVehicleModel(int32_t model) {
    return kVehicleModels[model >= 0 && model < kVehicleModelCount ? model : 0];
}

void InitVehicleModels() {
    if (g_pGameState == nullptr) return;
    for (int32_t i = 0; i < kVehicleModelCount; ++i) {
        g_pGameState->vehicle_models[i] = kVehicleModels[i];
    }
}
