// The cities phase of the world generator: cities of four size classes
// founded where the ground is dry and gentle enough and no other city is
// near, each kept only when it grew to its class's residents.

#include <algorithm>

#include "cities/city_manager.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/progress_events.h"
#include "world/slope_shape.h"
#include "world/terrain.h"

namespace {

constexpr int32_t kSizeClasses = 4;  // class 0 the largest
constexpr int32_t kMaxFailures = 100;

// Cities of each size class by `ng_towns` 0..4.
constexpr int32_t kCityCounts[5][kSizeClasses] = {
    {2, 6, 8, 8}, {2, 7, 9, 9}, {3, 8, 10, 10}, {4, 9, 11, 11}, {5, 10, 12, 12},
};

// Residents a new city of a class must reach to remain: the city-size
// thresholds 3,000, 1,500 and 400, and 44 for the smallest class.
int32_t ResidentsToRemain(const CGameState& gs, int32_t size_class) {
    switch (size_class) {
        case 0:
            return gs.size_class_thresholds[2];
        case 1:
            return gs.size_class_thresholds[1];
        case 2:
            return gs.size_class_thresholds[0];
        default:
            return 44;
    }
}

// Another city's centre lies in the 26 x 26 square around (x, y).
bool TooCloseToACity(const CCityManager& manager, int32_t x, int32_t y) {
    for (const CCity* city : manager.cities) {
        if (city == nullptr) continue;
        const int32_t cx = city->origin_x + 13;
        const int32_t cy = city->origin_y + 13;
        if (cx >= x - 13 && cx < x + 13 && cy >= y - 13 && cy < y + 13) return true;
    }
    return false;
}

// Fields of the 11 x 11 square around (x, y) that are gentle enough to build
// on: slope shape below 5 (flat or a plain ramp) and not flat water.
int32_t GentleFields(int32_t x, int32_t y) {
    int32_t good = 0;
    for (int32_t fx = x - 5; fx <= x + 5; ++fx) {
        for (int32_t fy = y - 5; fy <= y + 5; ++fy) {
            const MapField* f = FieldAt(fx, fy);
            if (f == nullptr) continue;
            const int32_t shape = GetSlopeShape(fx, fy);
            if (shape < 5 && !(f->teile_art() == 0 && shape == 0)) ++good;
        }
    }
    return good;
}

// Share of water fields, in whole percent, of the 27 x 27 square around
// (x, y); fields off the map are no water.
int32_t WaterPercent(int32_t x, int32_t y) {
    int32_t water = 0;
    for (int32_t fx = x - 13; fx <= x + 13; ++fx) {
        for (int32_t fy = y - 13; fy <= y + 13; ++fy) {
            const MapField* f = FieldAt(fx, fy);
            if (f != nullptr && f->teile_art() == 0) ++water;
        }
    }
    return water * 100 / 729;
}

bool SiteSuitsClass(const CCityManager& manager, int32_t x, int32_t y, int32_t size_class) {
    if (TooCloseToACity(manager, x, y)) return false;
    if (size_class < 3 && GentleFields(x, y) < (size_class == 0 ? 80 : 60)) return false;
    if (WaterPercent(x, y) > 50) return false;
    return FieldAt(x, y)->stadtnum() == 0;
}

// Takes a city that did not grow large enough off the map again.
void RemoveCity(CCityManager& manager, int32_t slot) {
    CCity* city = manager.cities[slot];
    if (city == nullptr) return;
    city->ClearFields();
    city->ClearBuildingList();
    delete city;
    manager.cities[slot] = nullptr;
}

// One founding attempt of a city of the class; true when a city remains.
bool TryFoundCity(CGameState& gs, CCityManager& manager, int32_t size_class) {
    const int32_t x = plat::Rand() % 255;
    const int32_t y = plat::Rand() % 255;
    if (!SiteSuitsClass(manager, x, y, size_class)) return false;
    // The start size the founding lays the new city out to.
    gs.city_size_choice = 3 - size_class;
    const int32_t slot = manager.GetOrCreateCityAt(x, y);
    // A creation that failed, also for want of a free slot, is a failed
    // attempt in every class, so that the phase always ends.
    if (slot < 0 || slot >= kCitySlots || manager.cities[slot] == nullptr) return false;
    if (manager.cities[slot]->residents >= ResidentsToRemain(gs, size_class)) return true;
    RemoveCity(manager, slot);
    return false;
}

}  // namespace

void CTerrain::GenerateCities() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    const int32_t saved_size = gs->city_size_choice;
    int32_t count[kSizeClasses] = {};
    const bool editor = gs->game_mode == kModeEditor;
    const int32_t row = std::clamp(gs->ng_towns, 0, 4);
    int32_t sum = 0;
    for (int32_t c = 0; c < kSizeClasses; ++c) {
        count[c] = editor && row == 0 ? 0 : kCityCounts[row][c];
        sum += count[c];
    }
    Progress().Stage(1, sum);

    CCityManager* manager = g_pCityManager;
    int32_t c = 0;
    while (c < kSizeClasses && count[c] == 0) ++c;
    int32_t failures = 0;
    while (manager != nullptr && c < kSizeClasses && count[c] > 0) {
        if (TryFoundCity(*gs, *manager, c)) {
            --count[c];
            Progress().Step();
            failures = 0;
        } else {
            ++failures;
        }
        if (count[c] == 0) {
            ++c;
        } else if (c < kSizeClasses - 1 && failures == kMaxFailures) {
            // A class that cannot be filled hands its rest to the next.
            count[c + 1] += count[c];
            ++c;
            failures = 0;
        }
        if (failures >= kMaxFailures) break;
    }
    Progress().StageDone(1);
    gs->city_size_choice = saved_size;
}
