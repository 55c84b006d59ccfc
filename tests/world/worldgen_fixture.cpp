#include "worldgen_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "landscape_templates.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/data_tables.h"
#include "world/build_helper.h"
#include "world/map_reset.h"
#include "world/way_network.h"

namespace worldgen {
int32_t GenCityManager::GetOrCreateCityAt(int32_t x, int32_t y) {
    ++creations;
    if (refuse_all) return kNoCityCreated;
    const int32_t slot = CCityManager::GetOrCreateCityAt(x, y);
    if (slot >= 0 && fixed_residents >= 0) cities[slot]->residents = fixed_residents;
    return slot;
}

int32_t GenCityManager::Count() const {
    return static_cast<int32_t>(std::count_if(std::begin(cities), std::end(cities),
                                              [](const CCity* c) { return c != nullptr; }));
}

void GenBuildingTable::DemolishBuilding(int32_t number) {
    if (At(number) != nullptr) demolished.push_back(number);
    CBuildingTable::DemolishBuilding(number);
}

int32_t GenBuildingTable::Count() const {
    return static_cast<int32_t>(Sites().size());
}

std::vector<Site> GenBuildingTable::Sites() const {
    std::vector<Site> sites;
    for (int32_t slot = 1; slot < kBuildingSlots; ++slot) {
        const CBuilding* b = At(slot);
        if (b == nullptr) continue;
        const int32_t size = g_pGameState->building_types[b->type].floor_width;
        sites.push_back({slot, b->type, b->anchor_x, b->anchor_y, size});
    }
    return sites;
}

int32_t CheckSiteInPlace(const Site& site) {
    std::vector<MapField> kept;
    for (int32_t x = site.x; x < site.x + site.size; ++x) {
        for (int32_t y = site.y; y < site.y + site.size; ++y) {
            kept.push_back(*FieldAt(x, y));
            FieldAt(x, y)->set_data_word(0);
            FieldAt(x, y)->set_building_flag(false);
        }
    }
    CGameState& gs = *g_pGameState;
    const int32_t type = gs.selected_building_type;
    const int32_t orientation = gs.build_orientation;
    gs.selected_building_type = site.type;
    gs.build_orientation = 0;
    const int32_t check = g_pBuildHelper->CanBuildHere(site.x, site.y, site.size, site.size);
    gs.selected_building_type = type;
    gs.build_orientation = orientation;
    size_t n = 0;
    for (int32_t x = site.x; x < site.x + site.size; ++x) {
        for (int32_t y = site.y; y < site.y + site.size; ++y) *FieldAt(x, y) = kept[n++];
    }
    return check;
}

const std::string& TemplateFolder() {
    static const fvtest::TempFolder folder;
    static const bool written = [] {
        for (int32_t season = 1; season <= 3; ++season) {
            const std::vector<uint8_t> bytes =
                standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(season));
            folder.Write(std::string(season == 1   ? "spring/"
                                     : season == 2 ? "summer/"
                                                   : "autumn/") +
                             std::to_string(season) + "berge",
                         std::string(bytes.begin(), bytes.end()));
        }
        return true;
    }();
    (void)written;
    return folder.Path();
}

WorldGenTest::WorldGenTest() {
    tables_ = std::make_unique<CLookupTables>();
    game_.Set(g_pLookupTables, tables_.get());
    terrain_ = std::make_unique<CTerrain>();
    game_.Set(g_pTerrain, terrain_.get());
    game_.Set(g_pCityManager, &cities_);
    game_.Set(g_ppBuildings, &buildings_);
    GS().game_mode = kModeGame;
    GS().install_index = 0;
    UseDataFolder(TemplateFolder());
}

WorldGenTest::~WorldGenTest() {
    // Cities and buildings go before the network they name.
    cities_.RemoveAllCities();
    buildings_.FreeAll();
    terrain_.reset();
}

void WorldGenTest::UseDataFolder(const std::string& folder) {
    for (auto& path : GS().data_paths) std::snprintf(path, kDataPathLength, "%s", folder.c_str());
}

void WorldGenTest::Generate(uint32_t seed, int32_t season) {
    GS().season = season;
    plat::Srand(seed);
    cities_.RemoveAllCities();
    buildings_.DeleteAll();
    ResetMapFields();
    Terrain().GenerateLandscape();
}

std::vector<uint8_t> GridBytes() {
    const auto* bytes = reinterpret_cast<const uint8_t*>(g_pGameState->fields);
    return {bytes, bytes + sizeof(MapField) * kMapFieldCount};
}

}  // namespace worldgen
