#include "economy/building_kinds.h"

#include "state/game_state.h"
#include "state/map_field.h"

namespace {

// Floor sizes as the building-type table holds them, for code that runs
// without a game state.
constexpr Floor kFloors[kBuildingTypeCount] = {
    {1, 1}, {1, 1}, {1, 1}, {1, 1}, {4, 1}, {1, 4}, {4, 2}, {2, 4}, {4, 2}, {2, 4}, {2, 2},
    {3, 3}, {4, 4}, {4, 4}, {5, 5}, {4, 4}, {4, 4}, {4, 4}, {4, 4}, {3, 3}, {4, 4}, {2, 2},
    {2, 2}, {2, 2}, {2, 2}, {2, 2}, {2, 2}, {1, 1}, {2, 2}, {2, 2}, {2, 3}, {3, 3},
};

}  // namespace

Floor FloorOfType(int32_t type) {
    if (type < 0 || type >= kBuildingTypeCount) return {1, 1};
    if (g_pGameState == nullptr) return kFloors[type];
    const BuildingType& entry = g_pGameState->building_types[type];
    if (entry.floor_width < 1 || entry.floor_depth < 1) return kFloors[type];
    return {entry.floor_width, entry.floor_depth};
}

int32_t PriceOfType(int32_t type) {
    if (type < 0 || type >= kBuildingTypeCount || g_pGameState == nullptr) return 0;
    return g_pGameState->building_types[type].build_price;
}

int32_t AnimationKindOfType(int32_t type) {
    switch (type) {
        case kTypeLumberMill:
            return 2;
        case kTypeChemicalPlant:
            return 1;
        case kTypeSteelMill:
            return 0;
        case kTypeWoodIndustry:
            return 4;
        case kTypeElectronicsIndustry:
            return 6;
        case kTypeSportsIndustry:
            return 3;
        case kTypeToyIndustry:
            return 5;
        case kTypeCulturalCenter + 1:
            return 8;
        case kTypeCulturalCenter + 2:
            return 9;
        case kTypeCulturalCenter + 3:
            return 10;
        case kTypeRaceTrack:
            return 11;
        default:
            return -1;
    }
}

int32_t BuiltCountIndex(int32_t type) {
    switch (type) {
        case kTypeWoodIndustry:
            return 0;
        case kTypeSportsIndustry:
            return 1;
        case kTypeToyIndustry:
            return 2;
        case kTypeJewelryIndustry:
            return 3;
        case kTypeElectronicsIndustry:
            return 4;
        case kTypeMotorIndustry:
            return 5;
        default:
            return -1;
    }
}

void MarkForDemolition(int32_t x, int32_t y, int32_t w, int32_t h) {
    for (int32_t fx = x; fx < x + w; ++fx) {
        for (int32_t fy = y; fy < y + h; ++fy) {
            MapField* field = FieldAt(fx, fy);
            if (field != nullptr) field->set_laenge(1);
        }
    }
}
