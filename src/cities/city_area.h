#pragma once
// Walking a city's 27 x 27 area. A city founded near the map edge has area
// cells outside the map; every loop over an area goes through this walker,
// which visits only the cells whose field lies on the map, dx outer and dy
// inner, so no loop can touch a field off the map.

#include <algorithm>
#include <cstdint>

#include "cities/city.h"
#include "state/game_state.h"
#include "state/map_field.h"

// The range of area cells along one axis whose fields lie on the map.
struct AreaSpan {
    int32_t first;
    int32_t last;  // below first when no cell lies on the map
};

inline AreaSpan ClippedAreaSpan(int32_t origin) {
    const int64_t first = std::max<int64_t>(0, -static_cast<int64_t>(origin));
    const int64_t last =
        std::min<int64_t>(kCityAreaSize - 1, kMapSize - 1 - static_cast<int64_t>(origin));
    return {static_cast<int32_t>(first), static_cast<int32_t>(std::max<int64_t>(last, first - 1))};
}

// The field of (x, y), or null off the map: FieldAt, inline for the loops
// that walk a city's area and the neighbours of its cells several times in
// every growth step.
inline MapField* AreaField(int32_t x, int32_t y) {
    if (!InMap(x, y) || g_pGameState == nullptr) return nullptr;
    return &g_pGameState->fields[FieldIndex(x, y)];
}

// Calls fn(dx, dy, x, y, field) for every area cell on the map.
template <typename Fn>
void ForEachAreaField(int32_t origin_x, int32_t origin_y, Fn&& fn) {
    const AreaSpan sx = ClippedAreaSpan(origin_x);
    const AreaSpan sy = ClippedAreaSpan(origin_y);
    for (int32_t dx = sx.first; dx <= sx.last; ++dx) {
        for (int32_t dy = sy.first; dy <= sy.last; ++dy) {
            MapField* field = AreaField(origin_x + dx, origin_y + dy);
            if (field != nullptr) fn(dx, dy, origin_x + dx, origin_y + dy, *field);
        }
    }
}

template <typename Fn>
void ForEachAreaField(const CCity& city, Fn&& fn) {
    ForEachAreaField(city.origin_x, city.origin_y, fn);
}

// The city building on a field: `stadtb` when the field belongs to a city
// and neither a forest, a bridge nor a company building hides it, else 0.
inline int32_t CityBuildingOf(const MapField& field) {
    if (field.stadtnum() == 0 || field.no_building_mask() || field.building_flag()) return 0;
    return field.stadtb();
}

// A company building (of the building table) stands on the field.
inline bool HasTableBuilding(const MapField& field) {
    if (field.no_building_mask() || field.geb_num() == 0) return false;
    return field.building_flag() || field.stadtnum() == 0;
}

// A city street of city `number`.
inline bool IsCityStreetOf(const MapField* field, int32_t number) {
    return field != nullptr && field->wegtyp() == kWayCityStreet && field->stadtnum() == number;
}

// The word at bytes 8-9 of a city building: its number with the city number
// from bit 9 on.
inline uint32_t CityBuildingWord(int32_t b, int32_t number) {
    return static_cast<uint32_t>(b) | (static_cast<uint32_t>(number) << 9);
}
