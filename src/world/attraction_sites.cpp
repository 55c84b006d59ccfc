// Store and attraction sites: they must touch exactly one city (a city
// street, a city building or another store or attraction beside them) and lie
// inside that city's 27 x 27 zone grid. The checks record the city in
// `placement_city`; the store check also refreshes the city's store
// catchment for the view's preview.

#include "cities/city_manager.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/field_queries.h"

namespace {

constexpr int32_t kCulturalCenter = 27;

bool IsCityBuilding(const MapField& f) {
    return f.stadtnum() >= 1 && !f.no_building_mask() && !f.building_flag() && f.stadtb() >= 1;
}

// Whether a neighbour ties a site to a city: a city street, a city building
// or a company building of a type in minType..31.
bool CountsForCity(int32_t x, int32_t y, int32_t minType, int32_t maxType) {
    const MapField* f = FieldAt(x, y);
    if (f == nullptr) return false;
    if (f->wegtyp() == kWayCityStreet || IsCityBuilding(*f)) return true;
    const int32_t type = GetBuildingTypeAt(x, y);
    return type >= minType && type <= maxType;
}

// Collects the city number of the counting neighbours. The first one sets
// it, a later one while it is still 0; a different non-zero city is a
// conflict.
struct CityCollector {
    bool found = false;
    bool conflict = false;
    int32_t city = 0;

    void Add(int32_t x, int32_t y) {
        const int32_t number = FieldAt(x, y)->stadtnum();
        if (!found) {
            found = true;
            city = number;
        } else if (city == 0) {
            city = number;
        } else if (number != 0 && number != city) {
            conflict = true;
        }
    }
};

// A field a store or attraction may take: level land, no company building
// or bridge, a way only as a city street or empty way piece below the level
// crossings, no vehicle.
bool StoreFieldFits(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    if (f == nullptr || f->teile_diff() != 0 || f->teile_art() == 0) return false;
    if (f->data_word() != 0 && !f->forest_flag() && !IsCityBuilding(*f)) return false;
    if (f->bridge_flag()) return false;
    if (f->wegteil() >= 1 && (f->wegtyp() > kWayCityStreet || f->wegteil() >= 16)) return false;
    return f->belegt() == 0;
}

// The city whose zone grid contains the rectangle from (x, y) to (x2, y2).
CCity* CityContaining(int32_t city, int32_t x, int32_t y, int32_t x2, int32_t y2) {
    CCity* c = g_pCityManager != nullptr ? g_pCityManager->City(city) : nullptr;
    if (c == nullptr) return nullptr;
    const bool inside = c->origin_x <= x && c->origin_x + kCityAreaSize - 1 >= x2 &&
                        c->origin_y <= y && c->origin_y + kCityAreaSize - 1 >= y2;
    return inside ? c : nullptr;
}

// The city of an accepted or previewed site: its store catchment is
// refreshed for the kind and the city is recorded for the placement.
void RecordSiteCity(CCity& city, int32_t number, int32_t kind) {
    city.RefreshStores(kind);
    g_pGameState->placement_city = number;
}

}  // namespace

int32_t CBuildHelper::CheckAttractionSite(int32_t x, int32_t y) {
    if (g_pGameState == nullptr) return 0;
    g_pGameState->placement_city = -1;
    const int32_t kind = g_pGameState->selected_building_type;
    if (kind >= kCulturalCenter && kind <= 31) {
        int32_t result =
            kind == kCulturalCenter ? CheckCulturalCenterSite(x, y) : CheckSportsSite(x, y);
        if (result == 1 && g_pGameState->placement_city > 0) {
            const CCity* city = g_pCityManager != nullptr
                                    ? g_pCityManager->City(g_pGameState->placement_city)
                                    : nullptr;
            // A city has at most one attraction of each kind.
            if (city != nullptr && city->attraction_counts[kind - kCulturalCenter] > 0) result = 0;
        }
        return result;
    }
    if (kind < 21 || kind > 26) return 0;

    // Stores (2 x 2): the eight fields along the sides of the footprint.
    static constexpr int32_t kAround[8][2] = {{0, -1}, {1, -1}, {-1, 0}, {-1, 1},
                                              {0, 2},  {1, 2},  {2, 0},  {2, 1}};
    CityCollector cities;
    for (const auto& offset : kAround) {
        const int32_t nx = x + offset[0];
        const int32_t ny = y + offset[1];
        if (!CountsForCity(nx, ny, 21, 31)) continue;
        cities.Add(nx, ny);
        if (cities.conflict) break;
    }
    bool fits = !cities.conflict;
    for (int32_t dx = 0; dx < 2; ++dx) {
        for (int32_t dy = 0; dy < 2; ++dy) fits = StoreFieldFits(x + dx, y + dy) && fits;
    }
    if (!cities.found) return 0;
    CCity* city = CityContaining(cities.city, x, y, x + 1, y + 1);
    if (city == nullptr) return 0;
    RecordSiteCity(*city, cities.city, kind);
    return fits ? 1 : 0;
}

int32_t CBuildHelper::CheckCulturalCenterSite(int32_t x, int32_t y) {
    if (g_pGameState == nullptr) return 0;
    g_pGameState->placement_city = -1;
    // North, west, south, east; to the north only stores count as buildings.
    static constexpr int32_t kAround[4][3] = {{0, -1, 26}, {-1, 0, 31}, {0, 1, 31}, {1, 0, 31}};
    CityCollector cities;
    for (const auto& n : kAround) {
        if (!CountsForCity(x + n[0], y + n[1], 21, n[2])) continue;
        cities.Add(x + n[0], y + n[1]);
        if (cities.conflict) break;
    }
    const bool fits = !cities.conflict && StoreFieldFits(x, y);
    if (!cities.found) return 0;
    CCity* city = CityContaining(cities.city, x, y, x, y);
    if (city == nullptr) return 0;
    RecordSiteCity(*city, cities.city, kCulturalCenter);
    return fits ? 1 : 0;
}

int32_t CBuildHelper::CheckSportsSite(int32_t x, int32_t y) {
    if (g_pGameState == nullptr) return 0;
    g_pGameState->placement_city = -1;
    const int32_t kind = g_pGameState->selected_building_type;
    int32_t w = 2;
    int32_t h = 2;
    if (kind == 30) {
        h = 3;
    } else if (kind == 31) {
        w = 3;
        h = 3;
    } else if (kind != 28 && kind != 29) {
        return 0;
    }
    for (int32_t dx = 0; dx < w; ++dx) {
        for (int32_t dy = 0; dy < h; ++dy) {
            if (!StoreFieldFits(x + dx, y + dy)) return 0;
        }
    }
    // The ring: north row, west column, south row, east column.
    CityCollector cities;
    auto visit = [&](int32_t fx, int32_t fy) {
        if (cities.conflict || !CountsForCity(fx, fy, 21, 31)) return;
        cities.Add(fx, fy);
    };
    for (int32_t dx = 0; dx < w; ++dx) visit(x + dx, y - 1);
    for (int32_t dy = 0; dy < h; ++dy) visit(x - 1, y + dy);
    for (int32_t dx = 0; dx < w; ++dx) visit(x + dx, y + h);
    for (int32_t dy = 0; dy < h; ++dy) visit(x + w, y + dy);
    if (cities.conflict || !cities.found) return 0;
    if (CityContaining(cities.city, x, y, x + 1, y + 1) == nullptr) return 0;
    g_pGameState->placement_city = cities.city;
    return 1;
}
