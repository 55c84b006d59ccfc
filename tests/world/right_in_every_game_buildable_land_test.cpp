// A new free game with the default settings, on the stand-in landscape
// templates, leaves land a player can build roads on: few land fields with a
// slope no way can use (a corner, ridge or valley shape), and most short
// road drags round the largest city find a route with the road tool's
// planner.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "landscape_templates.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "support/generator_scope.h"
#include "world/map_reset.h"
#include "world/terrain.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kDefaultSeason = 3;  // the new-game screen's first landscape
constexpr int32_t kLastRampShape = 4;  // shapes 0..4: flat or a plain ramp
constexpr int32_t kCityCentre = 13;    // from a city's origin
constexpr int32_t kAroundCity = 20;    // drag starts this far from the centre
constexpr int32_t kStartStep = 5;
constexpr int32_t kShortestDrag = 3;
constexpr int32_t kLongestDrag = 8;

bool IsLand(const MapField& f) {
    return f.teile_art() != 0;
}

// A field a player might begin or end a road drag on: land without a
// building or a city building.
bool IsDragEnd(int32_t x, int32_t y) {
    if (x < 1 || y < 1 || x > 254 || y > 254) return false;
    const MapField& f = *FieldAt(x, y);
    return IsLand(f) && f.BuildingNumber() == 0;
}

double UnusableSlopeShare() {
    int32_t land = 0, unusable = 0;
    for (const MapField& f : g_pGameState->fields) {
        if (!IsLand(f)) continue;
        ++land;
        unusable += f.teile_diff() > kLastRampShape;
    }
    return land == 0 ? 1.0 : double(unusable) / land;
}

const CCity* LargestCity(const CCityManager& cities) {
    const CCity* largest = nullptr;
    for (const CCity* c : cities.cities) {
        if (c != nullptr && (largest == nullptr || c->residents > largest->residents)) largest = c;
    }
    return largest;
}

// Drags in the eight compass directions, 3 to 8 fields long, from every fifth
// field round the city's centre; the share that the road planner routes.
double RoutedDragShare(const CCity& city, int32_t* drags) {
    static constexpr int32_t kDirections[8][2] = {{0, -1}, {1, -1}, {1, 0},  {1, 1},
                                                  {0, 1},  {-1, 1}, {-1, 0}, {-1, -1}};
    const int32_t cx = city.origin_x + kCityCentre, cy = city.origin_y + kCityCentre;
    int32_t routed = 0;
    *drags = 0;
    for (int32_t x = cx - kAroundCity; x <= cx + kAroundCity; x += kStartStep) {
        for (int32_t y = cy - kAroundCity; y <= cy + kAroundCity; y += kStartStep) {
            if (!IsDragEnd(x, y)) continue;
            for (const auto& d : kDirections) {
                for (int32_t n = kShortestDrag; n <= kLongestDrag; ++n) {
                    const int32_t ex = x + d[0] * n, ey = y + d[1] * n;
                    if (!IsDragEnd(ex, ey)) continue;
                    ++*drags;
                    routed += g_pWayNetwork->PlanRoadPath(x, y, ex, ey);
                    g_pWayNetwork->FreePath();
                }
            }
        }
    }
    return *drags == 0 ? 0.0 : double(routed) / *drags;
}

TEST(RightInEveryGame, DefaultWorldsLeaveLandThatRoadsCanBeBuiltOn) {
    fvtest::TempFolder folder;
    folder.Write("autumn/3berge", [] {
        const std::vector<uint8_t> bytes =
            standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(kDefaultSeason));
        return std::string(bytes.begin(), bytes.end());
    }());
    fvtest::GeneratorScope world(folder.Path(), kDefaultSeason);
    CTerrain& terrain = world.terrain();
    CCityManager& cities = world.cities();
    CBuildingTable& buildings = world.buildings();

    for (const uint32_t seed : {20260u, 1234u, 77u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        cities.RemoveAllCities();
        buildings.DeleteAll();
        plat::Srand(seed);
        ResetMapFields();
        terrain.GenerateLandscape();
        const CCity* city = LargestCity(cities);
        ASSERT_NE(city, nullptr);
        const double unusable = UnusableSlopeShare();
        int32_t drags = 0;
        const double routed = RoutedDragShare(*city, &drags);
        std::printf("seed %u: %.1f %% of the land sloped for no way, %.1f %% of %d drags routed\n",
                    seed, 100 * unusable, 100 * routed, drags);
        EXPECT_LE(unusable, 0.10);
        EXPECT_GE(routed, 0.80);
    }
    cities.RemoveAllCities();
    buildings.FreeAll();
}

}  // namespace
