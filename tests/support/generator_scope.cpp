#include "support/generator_scope.h"

#include <cstdio>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "world/terrain.h"

namespace fvtest {

GeneratorScope::GeneratorScope(const std::string& folder, int32_t season) {
    CGameState& gs = scope_.state();
    for (auto& path : gs.data_paths) std::snprintf(path, kDataPathLength, "%s", folder.c_str());
    gs.install_index = 0;
    gs.game_mode = kModeGame;
    gs.season = season;
    scope_.Make<CLookupTables>(g_pLookupTables);
    terrain_ = &scope_.UseTerrain();
    cities_ = &scope_.Make<CCityManager>(g_pCityManager);
    buildings_ = &scope_.Make<CBuildingTable>(g_ppBuildings);
}

}  // namespace fvtest
