#include "economy/attraction_rings.h"

#include "cities/city_manager.h"
#include "economy/building.h"
#include "economy/building_kinds.h"

namespace {

// Adds `amount` to every field of the frame that lies `distance` fields
// outside the footprint.
void AddFrame(CCity& city, int32_t x, int32_t y, int32_t w, int32_t h, int32_t distance,
              int32_t amount) {
    if (amount == 0) return;
    const int32_t left = x - distance;
    const int32_t right = x + w - 1 + distance;
    const int32_t top = y - distance;
    const int32_t bottom = y + h - 1 + distance;
    for (int32_t fx = left; fx <= right; ++fx) {
        city.AddToGrid(fx, top, amount);
        city.AddToGrid(fx, bottom, amount);
    }
    for (int32_t fy = top + 1; fy < bottom; ++fy) {
        city.AddToGrid(left, fy, amount);
        city.AddToGrid(right, fy, amount);
    }
}

}  // namespace

CCity* CityOfSlot(int32_t slot) {
    return g_pCityManager != nullptr ? g_pCityManager->City(slot + 1) : nullptr;
}

void AddAttractionRings(CCity& city, int32_t x, int32_t y, int32_t w, int32_t h, int32_t ring1,
                        int32_t ring2) {
    AddFrame(city, x, y, w, h, 1, ring1);
    AddFrame(city, x, y, w, h, 2, ring2);
}

void AddIndustryRings(const CBuilding& building, int32_t city, int32_t sign) {
    CCity* target = CityOfSlot(city);
    if (target == nullptr) return;
    const Floor floor = FloorOfType(building.type);
    AddAttractionRings(*target, building.anchor_x, building.anchor_y, floor.width, floor.depth,
                       -3 * sign, -2 * sign);
}
