// The monthly city update and the store refresh: a city recounts its
// residents and then drives its stores, one store type after the other,
// lending each store its area through the shared city grid.

#include <algorithm>
#include <bitset>

#include "app/game_state.h"
#include "cities/city.h"
#include "cities/city_area.h"
#include "economy/building_table.h"
#include "world/field_queries.h"

void CCity::MonthlyUpdate() {
    CountResidents();
    for (int32_t type = 21; type <= 26; ++type) {
        RefreshStores(type);
        // TODO(economy): Update of each listed store once the building base
        // class offers it.
        store_list.clear();
    }
}

void CCity::RefreshStores(int32_t type) {
    store_list.clear();
    for (auto& row : g_pGameState->shared_city_grid) std::fill(std::begin(row), std::end(row), -1);
    if (type < 21 || type > 26) return;
    std::bitset<kBuildingSlots> listed;
    std::vector<int32_t> found;
    ForEachAreaField(*this, [&](int32_t dx, int32_t dy, int32_t x, int32_t y, MapField& f) {
        if (f.stadtnum() != number) return;
        g_pGameState->shared_city_grid[dx][dy] = 0;
        if (GetBuildingTypeAt(x, y) != type) return;
        const int32_t id = f.geb_num();
        if (listed[id]) return;
        listed[id] = true;
        found.push_back(id);
    });
    // The list runs from the last store met to the first.
    store_list.assign(found.rbegin(), found.rend());
}
