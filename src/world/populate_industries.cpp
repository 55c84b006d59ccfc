// The raw-material phase of the world generator: chemical plants and steel
// mills in a ring around every large city, then more of them, lumber mills
// and mines anywhere. Every site goes through the construction check, the
// building table and the structure placement like a player's building.

#include <cmath>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/progress_events.h"
#include "world/build_helper.h"
#include "world/field_queries.h"
#include "world/terrain.h"

namespace {

constexpr int32_t kMine = 10;
constexpr int32_t kLumberMill = 11;
constexpr int32_t kChemicalPlant = 12;
constexpr int32_t kSteelMill = 13;
constexpr int32_t kPlacementAttempts = 500;
constexpr int32_t kLargeCityResidents = 1500;
constexpr int32_t kMinLumberTrees = 50;
constexpr int32_t kMinMineHeight = 5;
constexpr int32_t kMines = 4;

// Sites of each kind anywhere, by `ng_towns` 0..4.
constexpr int32_t kSiteCounts[5] = {8, 9, 11, 13, 15};
// The ring around a large city, by `ng_site_distance` 0..4.
constexpr int32_t kInnerRadius[5] = {18, 16, 14, 12, 10};
constexpr int32_t kOuterRadius[5] = {45, 40, 30, 25, 20};

int32_t Level(int32_t v) {
    return v < 0 ? 0 : v > 4 ? 4 : v;
}

int32_t FootprintOf(int32_t type) {
    switch (type) {
        case kMine:
            return 2;
        case kLumberMill:
            return 3;
        default:
            return 4;
    }
}

// Another site of the same type within reach of (x, y).
bool SameTypeNearby(int32_t type, int32_t x, int32_t y) {
    const int32_t reach = type == kMine ? 11 : 13;
    for (int32_t fx = x - 10; fx <= x + reach; ++fx) {
        for (int32_t fy = y - 10; fy <= y + reach; ++fy) {
            if (GetBuildingTypeAt(fx, fy) == type) return true;
        }
    }
    return false;
}

// Tree layers in the 11 x 11 square x - 4 .. x + 6, y - 4 .. y + 6.
int32_t TreeLayersAround(int32_t x, int32_t y) {
    int32_t layers = 0;
    for (int32_t fx = x - 4; fx <= x + 6; ++fx) {
        for (int32_t fy = y - 4; fy <= y + 6; ++fy) {
            const MapField* f = FieldAt(fx, fy);
            if (f == nullptr || !f->forest_flag()) continue;
            const uint16_t word = f->data_word();
            layers += ((word >> 7) & 0x7F) != 0;
            layers += (word & 0x7F) != 0;
        }
    }
    return layers;
}

// No building on the ring of fields around the w x w footprint (fields off
// the map pass).
bool RingIsFree(int32_t x, int32_t y, int32_t w) {
    auto free = [](int32_t fx, int32_t fy) {
        const MapField* f = FieldAt(fx, fy);
        return f == nullptr || f->BuildingNumber() == 0;
    };
    for (int32_t fx = x - 1; fx <= x + w; ++fx) {
        if (!free(fx, y - 1) || !free(fx, y + w)) return false;
    }
    for (int32_t fy = y; fy < y + w; ++fy) {
        if (!free(x - 1, fy) || !free(x + w, fy)) return false;
    }
    return true;
}

enum class Attempt { Placed, Failed, FailedTwice };

Attempt TryPlaceSite(CGameState& gs, int32_t type, int32_t x, int32_t y) {
    const int32_t w = FootprintOf(type);
    gs.selected_building_type = type;
    if (g_pBuildHelper == nullptr || g_pBuildHelper->CanBuildHere(x, y, w, w) != 1) {
        return Attempt::Failed;
    }
    if (SameTypeNearby(type, x, y)) return Attempt::Failed;
    if (type == kLumberMill && TreeLayersAround(x, y) < kMinLumberTrees)
        return Attempt::FailedTwice;
    if (type == kMine && GetHeightAt(x, y) < kMinMineHeight) return Attempt::Failed;
    if (!RingIsFree(x, y, w)) return Attempt::Failed;
    if (type == kMine) gs.mine_kind = plat::Rand() % 3;
    const int32_t slot = g_ppBuildings != nullptr ? g_ppBuildings->PlaceBuilding(x, y) : 0;
    if (slot <= 0) return Attempt::Failed;
    g_pTerrain->PlaceStructure(x, y, slot, w, w);
    return Attempt::Placed;
}

// Up to 500 attempts at the sites `draw` gives; true when one was placed.
template <typename DrawSite>
bool PlaceSite(CGameState& gs, int32_t type, DrawSite draw) {
    for (int32_t attempts = 0; attempts < kPlacementAttempts;) {
        int32_t x = 0;
        int32_t y = 0;
        draw(x, y);
        const Attempt result = TryPlaceSite(gs, type, x, y);
        if (result == Attempt::Placed) return true;
        attempts += result == Attempt::FailedTwice ? 2 : 1;
    }
    return false;
}

void AnywhereOnTheMap(int32_t& x, int32_t& y) {
    x = plat::Rand() % 255;
    y = plat::Rand() % 255;
}

// A site in the ring around a city centre: drawn again (not counted as an
// attempt) until it lies strictly between the two radii.
struct RingSite {
    int32_t cx;
    int32_t cy;
    int32_t inner;
    int32_t outer;
    void operator()(int32_t& x, int32_t& y) const {
        for (;;) {
            x = plat::Rand() % (2 * outer) + cx - outer;
            y = plat::Rand() % (2 * outer) + cy - outer;
            if (x < 0 || y < 0) continue;
            const double distance =
                std::sqrt(static_cast<double>((x - cx) * (x - cx) + (y - cy) * (y - cy)));
            if (distance > inner && distance < outer) return;
        }
    }
};

}  // namespace

void CTerrain::GenerateIndustries() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    const int32_t saved_type = gs->selected_building_type;
    // The construction kind is the type plus the orientation; sites have none.
    const int32_t saved_orientation = gs->build_orientation;
    gs->build_orientation = 0;
    const int32_t k = kSiteCounts[Level(gs->ng_towns)];
    const int32_t n = k + 5;
    Progress().Stage(3, 3 * k + 17);

    int32_t chemical_plants = 0;
    int32_t steel_mills = 0;
    if (g_pCityManager != nullptr) {
        const int32_t ring = Level(gs->ng_site_distance);
        for (const CCity* city : g_pCityManager->cities) {
            if (city == nullptr || city->residents <= kLargeCityResidents) continue;
            // A centre off the map has no ring on it to draw from.
            if (!InMap(city->origin_x + 13, city->origin_y + 13)) continue;
            const RingSite site{city->origin_x + 13, city->origin_y + 13, kInnerRadius[ring],
                                kOuterRadius[ring]};
            if (PlaceSite(*gs, kChemicalPlant, site)) {
                ++chemical_plants;
                Progress().Step();
            }
            if (PlaceSite(*gs, kSteelMill, site)) {
                ++steel_mills;
                Progress().Step();
            }
        }
    }
    for (int32_t i = 0; i < n; ++i) {
        if (chemical_plants < n) {
            chemical_plants += PlaceSite(*gs, kChemicalPlant, AnywhereOnTheMap);
            Progress().Step();
        }
        if (steel_mills < n) {
            steel_mills += PlaceSite(*gs, kSteelMill, AnywhereOnTheMap);
            Progress().Step();
        }
        PlaceSite(*gs, kLumberMill, AnywhereOnTheMap);
        Progress().Step();
    }
    for (int32_t mine = 0; mine < kMines; ++mine) {
        PlaceSite(*gs, kMine, AnywhereOnTheMap);
        Progress().Step();
    }
    gs->build_orientation = saved_orientation;
    gs->selected_building_type = saved_type;
    Progress().StageDone(3);
}
