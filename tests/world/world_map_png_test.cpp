// The default generated world with the real cities as a picture, one pixel
// per field coloured by height and content: every kind of content is there.
// Set FV_WORLD_PNG to a folder to keep the pictures (world_<season>.png).

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <map>

#include "cities/city.h"
#include "platform/png_writer.h"
#include "platform/temp_folder.h"
#include "support/way_graph_check.h"
#include "world/way_network.h"
#include "worldgen_fixture.h"

namespace worldgen {
namespace {

// Colours 1..15 are land by height, then the contents.
// clang-format off
enum Colour : uint8_t { kWater = 16, kForest, kStreet, kHouse, kMine, kLumberMill, kChemicalPlant,
                        kSteelMill, kOtherBuilding };
// clang-format on

plat::RgbTable MapColours() {
    plat::RgbTable c{};
    // Green lowland turning brown with height, then grey to white peaks.
    for (int h = 1; h <= 15; ++h) {
        const uint8_t g = uint8_t(100 + 10 * h);
        c[h] = h < 9 ? std::array<uint8_t, 3>{uint8_t(90 + 10 * h), uint8_t(190 - 10 * h), 70}
                     : std::array<uint8_t, 3>{g, g, g};
    }
    const std::array<uint8_t, 3> contents[] = {{40, 90, 200}, {20, 90, 30},  {40, 40, 40},
                                               {210, 60, 50}, {255, 215, 0}, {150, 80, 20},
                                               {230, 0, 230}, {0, 230, 230}, {255, 255, 255}};
    for (int k = 0; k < 9; ++k) c[kWater + k] = contents[k];
    return c;
}

Colour FieldColour(const MapField& f) {
    if (f.building_flag() && !f.no_building_mask()) {
        return f.geb_typ() >= 10 && f.geb_typ() <= 13 ? Colour(kMine + f.geb_typ() - 10)
                                                      : kOtherBuilding;
    }
    if (f.wegtyp() == kWayCityStreet && f.wegteil() != 0) return kStreet;
    if (f.stadtnum() != 0 && f.BuildingNumber() != 0) return kHouse;
    if (f.forest_flag()) return kForest;
    if (f.teile_art() == 0) return kWater;
    return Colour(std::max<int>(f.hoehe(), 1));
}

using WorldMapPicture = WorldGenTest;

TEST_F(WorldMapPicture, DefaultWorldShowsLandMountainsWaterWoodsCitiesAndIndustries) {
    const fvtest::TempFolder temp;
    const char* keep = std::getenv("FV_WORLD_PNG");
    const std::string folder = keep != nullptr ? keep : temp.Path();
    CCityManager cities;
    g_pCityManager = &cities;
    for (int32_t season = 1; season <= 3; ++season) {
        cities.RemoveAllCities();
        Generate(20260, season);  // default settings from the lookup tables
        plat::Surface picture;
        picture.Resize(kMapSize, kMapSize);
        std::map<Colour, int32_t> counts;
        int32_t mountains = 0;
        for (int32_t y = 0; y < kMapSize; ++y) {
            for (int32_t x = 0; x < kMapSize; ++x) {
                const Colour c = FieldColour(F(x, y));
                picture.Row(y)[x] = c;
                ++counts[c];
                if (F(x, y).hoehe() >= 8) ++mountains;
            }
        }
        EXPECT_GT(mountains, 100) << season;
        for (auto [kind, least] : {std::pair{kWater, 1000},
                                   {kForest, 1000},
                                   {kStreet, 100},
                                   {kHouse, 100},
                                   {kMine, 0},
                                   {kLumberMill, 0},
                                   {kChemicalPlant, 0},
                                   {kSteelMill, 0}}) {
            EXPECT_GT(counts[kind], least) << season << " colour " << int(kind);
        }
        // The cities' own streets are part of the way network.
        EXPECT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));
        const std::string file = folder + "/world_" + std::to_string(season) + ".png";
        EXPECT_TRUE(plat::WritePng(file, picture, MapColours()));
    }
    cities.RemoveAllCities();
    g_pCityManager = &cities_;
}

}  // namespace
}  // namespace worldgen
