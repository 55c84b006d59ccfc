// The city's evaluation of itself and its resident count. The score rewards
// city buildings, stores, attractions and open buildable land around the
// city and punishes industry inside it; it sets how soon the next growth
// step comes.

#include <bitset>

#include "cities/city.h"
#include "cities/city_area.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "world/field_queries.h"

namespace {

// Score of an open field of no city by its ground.
int32_t OpenLandScore(const MapField& f) {
    int32_t score = 0;
    const int32_t slope = f.teile_diff();
    const int32_t kind = f.teile_art();
    if (slope == 0) {
        if (kind >= 1 && kind <= 4) score += 2;
        if (kind >= 5 && kind <= 8) score += 1;
    } else if (slope < 5) {
        score += kind == 0 ? 6 : 1;
    }
    if (f.forest_flag()) score += 1;
    return score;
}

// Score of a company building of type t inside the city (counted once).
int32_t BuildingScore(int32_t type) {
    if (type >= 10 && type <= 20) return -250;
    if (type >= 21 && type <= 25) return 100;
    if (type == 26) return 150;
    if (type >= 27 && type <= 31) return (type - 26) * 100;
    return 0;
}

// Residents of the city building on a field of the city, 0 for none.
int32_t ResidentsOf(const MapField& f) {
    const int32_t b = CityBuildingOf(f);
    if (b < 1 || b > kLastResidentialBuilding) return 0;
    return g_pGameState->geb_einw[GetCityBuildingClass(b)];
}

}  // namespace

int32_t CCity::Evaluate() {
    for (int32_t& count : attraction_counts) count = 0;
    residents = 0;
    int32_t score = 0;
    std::bitset<kBuildingSlots> counted;
    ForEachAreaField(*this, [&](int32_t, int32_t, int32_t x, int32_t y, MapField& f) {
        if (f.stadtnum() == 0) {
            score += OpenLandScore(f);
            return;
        }
        if (f.stadtnum() != number) return;
        const int32_t b = CityBuildingOf(f);
        if (b >= 1 && b <= kLastResidentialBuilding) {
            score += 4 * (GetCityBuildingClass(b) + 1);
            residents += ResidentsOf(f);
            return;
        }
        if (!HasTableBuilding(f)) return;
        const int32_t id = f.geb_num();
        if (counted[id]) return;
        counted[id] = true;
        const int32_t type = GetBuildingTypeAt(x, y);
        score += BuildingScore(type);
        if (type >= 27 && type <= 31) attraction_counts[type - 27] += 1;
    });
    const int32_t* t = g_pGameState->size_class_thresholds;
    if (residents > t[0]) score += 50;
    if (residents > t[1]) score += 100;
    if (residents > t[2]) score += 150;
    if (residents > t[3]) score += 200;
    evaluation = score;
    return score;
}

void CCity::CountResidents() {
    int32_t sum = 0;
    ForEachAreaField(*this, [&](int32_t, int32_t, int32_t, int32_t, MapField& f) {
        if (f.stadtnum() == number) sum += ResidentsOf(f);
    });
    residents = sum;
}
