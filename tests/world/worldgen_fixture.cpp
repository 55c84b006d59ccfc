#include "worldgen_fixture.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "app/data_tables.h"
#include "landscape_templates.h"
#include "platform/random.h"
#include "world/build_helper.h"
#include "world/field_queries.h"
#include "world/way_network.h"

namespace worldgen {
namespace {

constexpr int32_t kArmLength[4] = {2, 3, 4, 6};  // by the size asked for, 0..3

// Residents a city of each size would reach, as the city growth aims.
int32_t TargetResidents(int32_t size) {
    switch (size) {
        case 0:
            return 400 - plat::Rand() % 40;
        case 1:
            return 400 + plat::Rand() % 160;
        case 2:
            return 1500 + plat::Rand() % 600;
        default:
            return 3000 + plat::Rand() % 1200;
    }
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

bool IsJunctionPiece(int32_t piece) {
    return (piece >= 2 && piece <= 5) || piece == 10;
}

// Pieces, masks and links of the ways in the box, as the street builders
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
    // T-junctions and crossings carry a node, as the cities make them.
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) {
            const MapField& f = *FieldAt(x, y);
            if (f.wegtyp() == kWayCityStreet && f.knotennummer() == 0 &&
                IsJunctionPiece(f.wegteil() - 1)) {
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

void GenCity::ClearFields() {
    for (int32_t x = std::max(0, origin_x); x <= std::min(255, origin_x + 26); ++x) {
        for (int32_t y = std::max(0, origin_y); y <= std::min(255, origin_y + 26); ++y) {
            MapField& f = *FieldAt(x, y);
            if (f.stadtnum() != number) continue;
            if (!f.building_flag() && !f.no_building_mask() && f.stadtb() > 0) f.set_data_word(0);
            f.set_stadtnum(0);
            if (f.wegtyp() == kWayCityStreet && f.wegteil() != 0) {
                if (f.knoten() && f.knotennummer() != 0) {
                    g_pWayNetwork->DeleteNode(f.knotennummer());
                }
                f.set_wegteil(0);
                f.set_wegtyp(0);
                f.set_richtung(0);
                f.set_gleisr(0);
                f.set_knoten(false);
                f.set_knotennummer(0);
                f.set_belegt(0);
                f.set_ende(false);
                f.set_feldchange(true);
            }
        }
    }
}

GenCityManager::~GenCityManager() {
    for (CCity*& city : cities) {
        delete city;
        city = nullptr;
    }
}

int32_t GenCityManager::GetOrCreateCityAt(int32_t x, int32_t y) {
    ++creations;
    if (!InMap(x, y)) return -2;
    if (FieldAt(x, y)->stadtnum() != 0) return FieldAt(x, y)->stadtnum() - 1;
    if (refuse_all) return -1;
    int32_t slot = 0;
    while (slot < kCitySlots && cities[slot] != nullptr) ++slot;
    if (slot == kCitySlots || !FreeFlatLand(x, y)) return -1;  // no start street

    auto* city = new GenCity;
    city->number = slot + 1;
    city->origin_x = x - 13;
    city->origin_y = y - 13;
    cities[slot] = city;
    auto& streets_of = streets[city->number];
    streets_of.clear();

    const int32_t size = std::clamp(g_pGameState->found_city_size, 0, 3);
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
        }
    }
    RefitAndLink(x - arm - 1, y - arm - 1, x + arm + 1, y + arm + 1);
    const int32_t target = fixed_residents >= 0 ? fixed_residents : TargetResidents(size);
    city->residents = target * laid / (4 * arm);
    return slot;
}

void GenCityManager::RemoveAllCities() {
    for (CCity*& city : cities) {
        if (city == nullptr) continue;
        city->ClearFields();
        city->ClearBuildingList();
        delete city;
        city = nullptr;
    }
}

int32_t GenCityManager::Count() const {
    return static_cast<int32_t>(std::count_if(std::begin(cities), std::end(cities),
                                              [](const CCity* c) { return c != nullptr; }));
}

GenBuildingTable::~GenBuildingTable() {
    for (CBuilding*& b : buildings) {
        delete b;
        b = nullptr;
    }
}

int32_t GenBuildingTable::PlaceBuilding(int32_t x, int32_t y) {
    const int32_t type = g_pGameState->selected_building_type;
    if (type < 0 || type >= kBuildingTypeCount) return 0;
    int32_t slot = 1;
    while (slot < kBuildingSlots && buildings[slot] != nullptr) ++slot;
    if (slot == kBuildingSlots) return 0;
    auto* building = new GenBuilding;
    building->type = type;
    building->size = g_pGameState->building_types[type].floor_width;
    building->anchor_x = x;
    building->anchor_y = y;
    if (type == 10) building->mine_product = g_pGameState->mine_kind + 5;
    const int32_t check = g_pBuildHelper->CanBuildHere(x, y, building->size, building->size);
    placements.push_back({slot, type, x, y, building->size, check});
    buildings[slot] = building;
    for (int32_t fx = x; fx < x + building->size; ++fx) {
        for (int32_t fy = y; fy < y + building->size; ++fy) {
            if (MapField* f = FieldAt(fx, fy)) f->set_geb_num(static_cast<uint32_t>(slot));
        }
    }
    return slot;
}

void GenBuildingTable::DemolishBuilding(int32_t number) {
    auto* building = static_cast<GenBuilding*>(At(number));
    if (building == nullptr) return;
    demolished.push_back(number);
    ClearBuildingFootprint(building->anchor_x, building->anchor_y, building->size, building->size);
    delete building;
    buildings[number] = nullptr;
}

void GenBuildingTable::DeleteAll() {
    for (int32_t slot = 1; slot < kBuildingSlots; ++slot) {
        delete buildings[slot];
        buildings[slot] = nullptr;
    }
}

int32_t GenBuildingTable::Count() const {
    return static_cast<int32_t>(std::count_if(std::begin(buildings), std::end(buildings),
                                              [](const CBuilding* b) { return b != nullptr; }));
}

namespace {

class TemplateFolderHolder {
  public:
    TemplateFolderHolder() {
        path_ = (std::filesystem::temp_directory_path() /
                 ("ferrovane-worldgen-" + std::to_string(::getpid())))
                    .string();
        for (int32_t season = 1; season <= 3; ++season) {
            const std::filesystem::path folder =
                std::filesystem::path(path_) / (season == 1   ? "spring"
                                                : season == 2 ? "summer"
                                                              : "autumn");
            std::filesystem::create_directories(folder);
            const std::vector<uint8_t> bytes =
                standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(season));
            std::ofstream out(folder / (std::to_string(season) + "berge"), std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        }
    }
    ~TemplateFolderHolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string path_;
};

}  // namespace

const std::string& TemplateFolder() {
    static TemplateFolderHolder holder;
    return holder.path_;
}

WorldGenTest::WorldGenTest() {
    tables_ = std::make_unique<CLookupTables>();
    g_pLookupTables = tables_.get();
    terrain_ = std::make_unique<CTerrain>();
    g_pTerrain = terrain_.get();
    g_pCityManager = &cities_;
    g_ppBuildings = &buildings_;
    GS().game_mode = kModeGame;
    GS().install_index = 0;
    UseDataFolder(TemplateFolder());
}

WorldGenTest::~WorldGenTest() {
    g_pCityManager = nullptr;
    g_ppBuildings = nullptr;
    // Cities and buildings go before the network they name.
    cities_.RemoveAllCities();
    buildings_.DeleteAll();
    g_pTerrain = nullptr;
    terrain_.reset();
    g_pLookupTables = nullptr;
}

void WorldGenTest::UseDataFolder(const std::string& folder) {
    for (auto& path : GS().data_paths) std::snprintf(path, kDataPathLength, "%s", folder.c_str());
}

void WorldGenTest::Generate(uint32_t seed, int32_t season) {
    GS().season = season;
    plat::Srand(seed);
    ResetMapFields();
    cities_.RemoveAllCities();
    Terrain().GenerateLandscape();
}

std::vector<uint8_t> GridBytes() {
    const auto* bytes = reinterpret_cast<const uint8_t*>(g_pGameState->fields);
    return {bytes, bytes + sizeof(MapField) * kMapFieldCount};
}

}  // namespace worldgen
