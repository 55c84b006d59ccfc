#include "building_types.h"

namespace standin {

const BuildingInfo kBuildings[kBuildingTypes] = {
    {1, 1, "_23", true},  {1, 1, "_24", true},  {1, 1, "_25", true},  {1, 1, "_26", true},
    {4, 1, "_27", false}, {1, 4, "_28", false}, {4, 2, "_18", true},  {2, 4, "_19", true},
    {4, 2, "_20", true},  {2, 4, "_21", true},  {2, 2, "_5", false},  {3, 3, "_6", false},
    {4, 4, "_7", false},  {4, 4, "_8", false},  {5, 5, "_9", false},  {4, 4, "_10", false},
    {4, 4, "_11", false}, {4, 4, "_12", false}, {4, 4, "_13", false}, {3, 3, "_14", false},
    {4, 4, "_15", false}, {2, 2, "_0", true},   {2, 2, "_1", true},   {2, 2, "_2", true},
    {2, 2, "_3", true},   {2, 2, "_4", true},   {2, 2, "_5", true},   {1, 1, "_29", false},
    {2, 2, "_30", false}, {2, 2, "_31", false}, {2, 3, "_32", false}, {3, 3, "_33", false},
};

bool HasAnimatedVariant(int type) {
    switch (type) {
        case 11:
        case 12:
        case 17:
        case 18:
        case 28:
        case 29:
        case 30:
        case 31:
            return true;
        default:
            return false;
    }
}

}  // namespace standin
