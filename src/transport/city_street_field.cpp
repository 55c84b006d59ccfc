#include "transport/city_street_field.h"

#include <vector>

#include "cities/city_manager.h"
#include "platform/random.h"
#include "world/map_field.h"

namespace {

bool IsCarStreetPiece(int32_t piece) {
    return piece == 1 || piece == 2 || (piece >= 12 && piece <= 15);
}

}  // namespace

void FindCityStreetField(int32_t city, int32_t& x, int32_t& y) {
    x = -1;
    y = -1;
    const CCity* owner = g_pCityManager != nullptr ? g_pCityManager->City(city) : nullptr;
    if (owner == nullptr) return;
    std::vector<int32_t> candidates;
    for (int32_t dx = 0; dx < kCityAreaSize; ++dx) {
        for (int32_t dy = 0; dy < kCityAreaSize; ++dy) {
            const int32_t fx = owner->origin_x + dx;
            const int32_t fy = owner->origin_y + dy;
            const MapField* field = FieldAt(fx, fy);
            if (field == nullptr || field->stadtnum() != city) continue;
            if (field->wegtyp() != kWayCityStreet || !IsCarStreetPiece(field->wegteil())) continue;
            if (field->belegt() != 0) continue;
            candidates.push_back(FieldIndex(fx, fy));
        }
    }
    if (candidates.empty()) return;
    const int32_t pick = candidates[plat::Rand() % static_cast<int32_t>(candidates.size())];
    x = pick / kMapSize;
    y = pick % kMapSize;
}
