// The monthly city update and the store refresh: a city recounts its
// residents and then drives its stores, one store type after the other,
// lending each store its area through the shared city grid.

#include <algorithm>
#include <bitset>
#include <vector>

#include "cities/city.h"
#include "cities/city_area.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "world/field_queries.h"

namespace {

constexpr int32_t kFirstStoreType = 21;
constexpr int32_t kLastStoreType = 26;

CBuilding* BuildingOfNumber(int32_t id) {
    return g_ppBuildings != nullptr ? g_ppBuildings->At(id) : nullptr;
}

}  // namespace

void CCity::MonthlyUpdate() {
    CountResidents();
    for (int32_t type = kFirstStoreType; type <= kLastStoreType; ++type) {
        RefreshStores(type);
        // The list is taken off the city before the stores run, so that a
        // store asking its city for a refresh meanwhile cannot change it.
        const std::vector<int32_t> stores = std::move(store_list);
        store_list.clear();
        for (const int32_t id : stores) {
            if (CBuilding* store = BuildingOfNumber(id)) store->Update();
        }
    }
}

void CCity::RefreshStores(int32_t type) {
    store_list.clear();
    for (auto& row : g_pGameState->shared_city_grid) std::fill(std::begin(row), std::end(row), -1);
    if (type < kFirstStoreType || type > kLastStoreType) return;

    // A store covering several fields of the city is listed once; the list
    // runs from the last store met to the first.
    std::bitset<kBuildingSlots> listed;
    std::vector<int32_t> met;
    ForEachAreaField(*this, [&](int32_t dx, int32_t dy, int32_t x, int32_t y, MapField& f) {
        if (f.stadtnum() != number) return;
        g_pGameState->shared_city_grid[dx][dy] = 0;
        if (GetBuildingTypeAt(x, y) != type) return;
        const int32_t id = f.geb_num();
        if (listed[id] || BuildingOfNumber(id) == nullptr) return;
        listed[id] = true;
        met.push_back(id);
    });
    std::reverse(met.begin(), met.end());
    store_list = met;
    for (const int32_t id : met) {
        if (CBuilding* store = BuildingOfNumber(id)) store->Refresh();
    }
}
