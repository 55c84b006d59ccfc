#include "state/data_tables.h"
#include "state/game_state.h"

namespace {

// Floor width and depth, price, name, image-name suffix, images per player
// colour, catchment zone; every type can be built from the start (1959).
// clang-format off
const BuildingType kBuildingTypes[kBuildingTypeCount] = {
    {1, 1, 4000, "Truck-Depot", "_23", 1, 5, 1959},
    {1, 1, 4000, "Truck-Depot", "_24", 1, 5, 1959},
    {1, 1, 4000, "Truck-Depot", "_25", 1, 5, 1959},
    {1, 1, 4000, "Truck-Depot", "_26", 1, 5, 1959},
    {4, 1, 8000, "Terminal", "_27", 0, 5, 1959},
    {1, 4, 8000, "Terminal", "_28", 0, 5, 1959},
    {4, 2, 4000, "Train station", "_18", 1, 5, 1959},
    {2, 4, 4000, "Train station", "_19", 1, 5, 1959},
    {4, 2, 4000, "Train station", "_20", 1, 5, 1959},
    {2, 4, 4000, "Train station", "_21", 1, 5, 1959},
    {2, 2, 0, "Gold mine", "_5", 0, 0, 1959},
    {3, 3, 0, "Lumber mill", "_6", 0, 4, 1959},
    {4, 4, 0, "Chemical plant", "_7", 0, 0, 1959},
    {4, 4, 0, "Steel mill", "_8", 0, 0, 1959},
    {5, 5, 1130000, "Motor industry", "_9", 0, 0, 1959},
    {4, 4, 136000, "Wood industry", "_10", 0, 0, 1959},
    {4, 4, 642000, "Electronics industry", "_11", 0, 0, 1959},
    {4, 4, 190000, "Sports industry", "_12", 0, 0, 1959},
    {4, 4, 142000, "Toy industry", "_13", 0, 0, 1959},
    {3, 3, 275000, "Jewelry industry", "_14", 0, 0, 1959},
    {4, 4, 112000, "Depot", "_15", 0, 0, 1959},
    {2, 2, 98000, "Toy store", "_0", 1, 3, 1959},
    {2, 2, 98000, "Sports store", "_1", 1, 3, 1959},
    {2, 2, 98000, "Furniture store", "_2", 1, 3, 1959},
    {2, 2, 98000, "Jeweler", "_3", 1, 3, 1959},
    {2, 2, 98000, "Electronics outlet", "_4", 1, 3, 1959},
    {2, 2, 98000, "Car dealership", "_5", 1, 3, 1959},
    {1, 1, 25000, "Cultural center", "_29", 0, 0, 1959},
    {2, 2, 42000, "Tennis court", "_30", 0, 0, 1959},
    {2, 2, 64000, "Swimming pool", "_31", 0, 0, 1959},
    {2, 3, 134000, "Sports stadium", "_32", 0, 0, 1959},
    {3, 3, 148000, "Race track", "_33", 0, 0, 1959},
};
// clang-format on

}  // namespace

void InitBuildingTypes() {
    if (g_pGameState == nullptr) return;
    for (int32_t i = 0; i < kBuildingTypeCount; ++i) {
        g_pGameState->building_types[i] = kBuildingTypes[i];
    }
}

int32_t GetBuildingGroup(int32_t type) {
    if (type < 0) return type;
    if (type <= 3) return 0;
    if (type <= 5) return 1;
    if (type <= 9) return 17;
    switch (type) {
        case kTypeMine:
            return 5;
        case kTypeLumberMill:
            return 6;
        case kTypeChemicalPlant:
            return 8;
        case kTypeSteelMill:
            return 7;
        default:
            break;
    }
    if (type <= kTypeJewelryIndustry) return type - kTypeMotorIndustry + 9;  // 9..14
    if (type == kTypeDepot) return 15;
    if (type <= kTypeCarDealership) return 16;
    return -1;
}
