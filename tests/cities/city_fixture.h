#pragma once
// A world for the city tests: flat ground, a way network, the construction
// helper, a building table double and a real city manager in the globals.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "cities/city_area.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "support/game_scope.h"
#include "world/build_helper.h"
#include "world/way_network.h"

class TestBuildingTable : public CBuildingTable {
  public:
    void UpdateRawMaterialSites() override {}
};

class CityTest : public ::testing::Test {
  protected:
    CityTest();
    ~CityTest() override;

    CGameState& State() { return game_.state(); }
    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CWayNetwork& Net() { return *network_; }
    CCityManager& Cities() { return *manager_; }

    // Every field flat, ground kind 1, height 2, nothing on it.
    void FlatWorld();
    // A hilly landscape with water, ramps, forests, a few player roads and
    // a railway: heights from smooth waves, slopes from the heights.
    void SyntheticWorld(uint32_t seed);
    // Lays a road (or track) of `wayType` on the cells, fits its pieces and
    // masks and links it into the network as the way builders do.
    void LayWay(const std::vector<std::pair<int32_t, int32_t>>& cells, int32_t wayType);
    void LayLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType) {
        LayWay(LineCells(x1, y1, x2, y2), wayType);
    }
    static std::vector<std::pair<int32_t, int32_t>> LineCells(int32_t x1, int32_t y1, int32_t x2,
                                                              int32_t y2);
    // A company building of `type` in slot `id` covering w x h fields.
    CBuilding& PlaceBuilding(int32_t id, int32_t type, int32_t x, int32_t y, int32_t w, int32_t h);
    // A city building number b of city `number` on a field.
    void PutCityBuilding(int32_t x, int32_t y, int32_t b, int32_t number);
    // A city street of city `number` along a line, linked like the city's own.
    void PutCityStreetLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t number);
    // The city building on a field (0 for none).
    int32_t CityBuildingOfField(int32_t x, int32_t y) { return CityBuildingOf(F(x, y)); }
    // Some field of city `number` ((-1, -1) when none).
    std::pair<int32_t, int32_t> FieldOfCity(int32_t number);
    // A city record in its slot without founding (nothing on the map).
    CCity& AddEmptyCity(int32_t number, int32_t originX, int32_t originY);
    // Founds a city with the size choice; the slot index or a negative result.
    int32_t Found(int32_t x, int32_t y, int32_t sizeChoice);
    // Runs the game's growth ticks of every city for `years` (48 a year).
    void GrowYears(int32_t years);

    fvtest::GameScope game_;
    std::unique_ptr<CLookupTables> tables_;
    std::unique_ptr<CWayNetwork> network_;
    CBuildHelper helper_;
    std::unique_ptr<CCityManager> manager_;
    TestBuildingTable buildings_;
    std::vector<std::unique_ptr<CBuilding>> building_objects_;
};
