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
namespace {

constexpr int32_t kArmLength[4] = {2, 3, 4, 6};  // by the size asked for, 0..3

// Residents a city of each size would reach, as the city growth aims.
int32_t TargetResidents(int32_t size) {
    static constexpr int32_t kBase[4] = {400, 400, 1500, 3000};
    static constexpr int32_t kSpread[4] = {-40, 160, 600, 1200};
    const int32_t draw = plat::Rand() % std::abs(kSpread[size]);
    return kBase[size] + (kSpread[size] < 0 ? -draw : draw);
}

bool FreeFlatLand(int32_t x, int32_t y) {
    if (x < 1 || y < 1 || x > 253 || y > 253) return false;
    const MapField& f = *FieldAt(x, y);
    return f.teile_art() != 0 && f.teile_diff() == 0 && f.wegtyp() == 0 && f.stadtnum() == 0 &&
           f.BuildingNumber() == 0 && !f.bridge_flag();
}

void MakeStreet(int32_t x, int32_t y, int32_t number) {
    MapField& f = *FieldAt(x, y);
    f.set_forest_flag(false);
    f.set_data_word(0);
    f.set_wegtyp(kWayCityStreet);
    f.set_wegteil(1);
    f.set_stadtnum(static_cast<uint32_t>(number));
}

// Pieces, masks, nodes and links of the streets in the box, as the cities
// leave them.
void RefitAndLink(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    x0 = std::max(0, x0);
    y0 = std::max(0, y0);
    x1 = std::min(255, x1);
    y1 = std::min(255, y1);
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) UpdateRoadPieceShape(x, y);
    }
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) g_pBuildHelper->UpdateWayPiecesAround(x, y);
    }
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) {
            const MapField& f = *FieldAt(x, y);
            if (f.wegtyp() == kWayCityStreet && f.knotennummer() == 0 &&
                ((f.wegteil() >= 3 && f.wegteil() <= 6) || f.wegteil() == 11)) {
                g_pWayNetwork->CreateNode(x, y);
            }
        }
    }
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) {
            const MapField& f = *FieldAt(x, y);
            if (!f.knoten() || f.wegtyp() != kWayCityStreet) continue;
            for (int32_t i = 0; i < 4; ++i) {
                if (f.richtung() & DirBitFromIndex(i)) {
                    g_pWayNetwork->LinkFromField(x, y, DirBitFromIndex(i));
                }
            }
        }
    }
}

}  // namespace

int32_t GenCityManager::GetOrCreateCityAt(int32_t x, int32_t y) {
    ++creations;
    if (!InMap(x, y)) return -2;
    if (FieldAt(x, y)->stadtnum() != 0) return FieldAt(x, y)->stadtnum() - 1;
    if (refuse_all) return -1;
    int32_t slot = 0;
    while (slot < kCitySlots && cities[slot] != nullptr) ++slot;
    if (slot == kCitySlots || !FreeFlatLand(x, y)) return -1;  // no start street
    auto* city = new CCity(slot + 1, x - 13, y - 13, 1);
    cities[slot] = city;
    auto& streets_of = streets[city->number];
    auto& houses_of = houses[city->number];
    streets_of.clear();
    houses_of.clear();
    const int32_t size = std::clamp(g_pGameState->city_size_choice, 0, 3);
    const int32_t arm = kArmLength[size];
    MakeStreet(x, y, city->number);
    streets_of.emplace_back(x, y);
    int32_t laid = 0;
    for (int32_t d = 0; d < 4; ++d) {
        for (int32_t step = 1; step <= arm; ++step) {
            const int32_t fx = x + DirDx(d) * step;
            const int32_t fy = y + DirDy(d) * step;
            if (!FreeFlatLand(fx, fy)) break;
            MakeStreet(fx, fy, city->number);
            streets_of.emplace_back(fx, fy);
            ++laid;
        }
    }
    // A house beside every street field where the ground allows.
    for (auto [sx, sy] : std::vector<std::pair<int32_t, int32_t>>(streets_of)) {
        for (int32_t d = 0; d < 4; ++d) {
            const int32_t hx = sx + DirDx(d);
            const int32_t hy = sy + DirDy(d);
            if (!FreeFlatLand(hx, hy)) continue;
            MapField& f = *FieldAt(hx, hy);
            f.set_forest_flag(false);
            f.set_data_word(static_cast<uint32_t>(1 + plat::Rand() % 10));
            f.set_stadtnum(static_cast<uint32_t>(city->number));
            houses_of.emplace_back(hx, hy);
        }
    }
    RefitAndLink(x - arm - 1, y - arm - 1, x + arm + 1, y + arm + 1);
    const int32_t target = fixed_residents >= 0 ? fixed_residents : TargetResidents(size);
    city->residents = target * laid / (4 * arm);
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
