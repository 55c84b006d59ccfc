#include "cities/city_growth_rules.h"

#include <algorithm>

#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"

namespace {

bool InView(int32_t x, int32_t y) {
    return Views().IsTileInView(x, y);
}

}  // namespace

int32_t SizeClassOf(int32_t residents) {
    int32_t sizeClass = 0;
    for (int32_t i = 0; i < 4; ++i) {
        if (residents > g_pGameState->size_class_thresholds[i]) sizeClass = i + 1;
    }
    return sizeClass;
}

int32_t CountdownFor(int32_t evaluation) {
    const int64_t ticks = (3000 - static_cast<int64_t>(evaluation)) / 100;
    return static_cast<int32_t>(std::clamp<int64_t>(ticks, 0, INT32_MAX));
}

bool ClearForest(MapField& field) {
    if (!field.forest_flag()) return false;
    field.set_forest_flag(false);
    field.set_data_word(0);
    return true;
}

void MarkObjectsChanged(int32_t x, int32_t y) {
    if (g_pGameState != nullptr && InView(x, y)) g_pGameState->redraw_objects = 1;
}

void MarkTerrainChanged(int32_t x, int32_t y) {
    if (g_pGameState != nullptr && InView(x, y)) g_pGameState->redraw_terrain = 1;
}
