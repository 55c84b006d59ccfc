#pragma once
// A world for the city tests: flat ground, a way network, the construction
// helper, a building table double and a real city manager.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "cities/city_area.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/random.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "support/game_scope.h"
#include "world/build_helper.h"
#include "world/slope_shape.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

class TestBuildingTable : public CBuildingTable {
  public:
    void UpdateRawMaterialSites() override {}
};

class CityTest : public ::testing::Test {
  protected:
    CityTest()
        : tables_(std::make_unique<CLookupTables>()),
          network_(std::make_unique<CWayNetwork>()),
          manager_(std::make_unique<CCityManager>()) {
        game_.Set(g_pWayNetwork, network_.get());
        game_.Set(g_pBuildHelper, &helper_);
        game_.Set(g_pCityManager, manager_.get());
        game_.Set(g_ppBuildings, &buildings_);
        State().game_mode = kModeGame;
        State().opt_city_traffic = 0;
        FlatWorld();
    }
    ~CityTest() override { manager_->FreeAll(); }

    CGameState& State() { return game_.state(); }
    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CWayNetwork& Net() { return *network_; }
    CCityManager& Cities() { return *manager_; }

    // Every field flat, ground kind 1, height 2, nothing on it.
    void FlatWorld() {
        for (MapField& field : State().fields) {
            field = MapField{};
            field.set_teile_art(1);
            field.set_hoehe(2);
        }
    }
    // Hills, lakes, ramps, forests, a few player roads and a railway.
    void SyntheticWorld(uint32_t seed) {
        plat::Srand(seed);
        const double px = plat::Rand() % 100 / 10.0;
        const double py = plat::Rand() % 100 / 10.0;
        // Smooth waves: neighbouring heights differ by one at most.
        const auto height = [&](int32_t x, int32_t y) {
            const double f = 5.0 + 2.2 * std::sin(x / 23.0 + px) + 1.8 * std::cos(y / 19.0 + py) +
                             1.2 * std::sin((x + 2 * y) / 41.0);
            return std::clamp(static_cast<int32_t>(std::floor(f)), 0, 15);
        };
        for (int32_t x = 0; x < kMapSize; ++x) {
            for (int32_t y = 0; y < kMapSize; ++y) {
                MapField& field = F(x, y);
                field = MapField{};
                field.set_hoehe(static_cast<uint32_t>(height(x, y)));
            }
        }
        for (int32_t x = 0; x < kMapSize; ++x) {
            for (int32_t y = 0; y < kMapSize; ++y) {
                MapField& field = F(x, y);
                const int32_t slope = GetSlopeShape(x, y);
                field.set_teile_diff(static_cast<uint32_t>(slope));
                const int32_t h = field.hoehe();
                int32_t kind = h <= 1 ? 0 : (h <= 5 ? 1 + (x * 7 + y * 3) % 4 : 5 + (x + y) % 4);
                if (slope >= 1 && slope <= 4 && plat::Rand() % 3 == 0) kind = 0;
                field.set_teile_art(static_cast<uint32_t>(kind));
                const bool forest = kind != 0 && std::sin(x / 7.0) * std::cos(y / 5.0) > 0.55 &&
                                    plat::Rand() % 4 != 0;
                if (forest) {
                    field.set_forest_flag(true);
                    field.set_data_word(static_cast<uint32_t>(plat::Rand() & 0x3FFF));
                }
            }
        }
        // A few player roads and a railway across the land.
        LayLine(10, 60, 240, 60, kWayGravelRoad);
        LayLine(70, 5, 70, 250, kWayAsphaltRoad);
        LayLine(128, 20, 128, 235, kWayRail);
        LayLine(20, 190, 230, 190, kWayGravelRoad);
    }
    // A road or track on the cells, fitted and linked as the builders do.
    void LayWay(const std::vector<std::pair<int32_t, int32_t>>& cells, int32_t wayType) {
        int32_t x0 = 255, y0 = 255, x1 = 0, y1 = 0;
        for (auto [x, y] : cells) {
            MapField& field = F(x, y);
            if (field.forest_flag()) {
                field.set_forest_flag(false);
                field.set_data_word(0);
            }
            // No crossings of road and track here.
            if ((IsTrackWay(wayType) && IsRoadWay(field.wegtyp())) ||
                (IsRoadWay(wayType) && IsTrackWay(field.wegtyp()))) {
                continue;
            }
            field.set_wegtyp(static_cast<uint32_t>(wayType));
            if (field.wegteil() == 0) field.set_wegteil(1);
            x0 = std::min(x0, std::max(0, x - 1));
            y0 = std::min(y0, std::max(0, y - 1));
            x1 = std::max(x1, std::min(255, x + 1));
            y1 = std::max(y1, std::min(255, y + 1));
        }
        const auto each = [&](auto f) {
            for (int32_t x = x0; x <= x1; ++x) {
                for (int32_t y = y0; y <= y1; ++y) f(x, y);
            }
        };
        each([&](int32_t x, int32_t y) {
            UpdateRoadPieceShape(x, y);
            UpdateTrackPieceShape(x, y);
        });
        each([&](int32_t x, int32_t y) { helper_.UpdateWayPiecesAround(x, y); });
        each([&](int32_t x, int32_t y) {
            const MapField& field = F(x, y);
            if (!field.knoten()) return;
            if (field.knotennummer() == 0) Net().CreateNode(x, y);
            for (int32_t i = 0; i < 4; ++i) {
                if ((field.richtung() | field.gleisr()) & DirBitFromIndex(i)) {
                    Net().LinkFromField(x, y, DirBitFromIndex(i));
                }
            }
        });
    }
    void LayLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType) {
        LayWay(LineCells(x1, y1, x2, y2), wayType);
    }
    static std::vector<std::pair<int32_t, int32_t>> LineCells(int32_t x1, int32_t y1, int32_t x2,
                                                              int32_t y2) {
        std::vector<std::pair<int32_t, int32_t>> cells;
        const int32_t dx = (x2 > x1) - (x2 < x1), dy = (y2 > y1) - (y2 < y1);
        for (int32_t x = x1, y = y1;; x += dx, y += dy) {
            cells.emplace_back(x, y);
            if (x == x2 && y == y2) return cells;
        }
    }
    // A company building of `type` in slot `id` covering w x h fields.
    CBuilding& PlaceBuilding(int32_t id, int32_t type, int32_t x, int32_t y, int32_t w, int32_t h) {
        auto building = std::make_unique<CBuilding>();
        building->anchor_x = x;
        building->anchor_y = y;
        buildings_.buildings[id] = building.get();
        for (int32_t fx = x; fx < x + w; ++fx) {
            for (int32_t fy = y; fy < y + h; ++fy) {
                MapField& field = F(fx, fy);
                field.set_forest_flag(false);
                field.set_data_word(0);
                field.set_geb_num(static_cast<uint32_t>(id));
                field.set_geb_typ(static_cast<uint32_t>(type));
                field.set_building_flag(true);
            }
        }
        building_objects_.push_back(std::move(building));
        return *building_objects_.back();
    }
    // A city building number b of city `number` on a field.
    void PutCityBuilding(int32_t x, int32_t y, int32_t b, int32_t number) {
        MapField& field = F(x, y);
        field.set_forest_flag(false);
        field.set_data_word(static_cast<uint32_t>(b) | (static_cast<uint32_t>(number) << 9));
        field.set_building_flag(false);
        field.set_stadtnum(static_cast<uint32_t>(number));
    }
    // A city street of city `number` along a line, linked like the city's own.
    void PutCityStreetLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t number) {
        LayLine(x1, y1, x2, y2, kWayCityStreet);
        for (auto [x, y] : LineCells(x1, y1, x2, y2))
            F(x, y).set_stadtnum(static_cast<uint32_t>(number));
    }
    // The city building on a field (0 for none).
    int32_t CityBuildingOfField(int32_t x, int32_t y) { return CityBuildingOf(F(x, y)); }
    // Some field of city `number` ((-1, -1) when none).
    std::pair<int32_t, int32_t> FieldOfCity(int32_t number) {
        for (int32_t x = 0; x < kMapSize; ++x) {
            for (int32_t y = 0; y < kMapSize; ++y) {
                if (F(x, y).stadtnum() == number) return {x, y};
            }
        }
        return {-1, -1};
    }
    // A city record in its slot without founding (nothing on the map).
    CCity& AddEmptyCity(int32_t number, int32_t originX, int32_t originY) {
        auto* city = new CCity(number, originX, originY);
        Cities().cities[number - 1] = city;
        return *city;
    }
    // Founds a city with the size choice; the slot index or a negative result.
    int32_t Found(int32_t x, int32_t y, int32_t sizeChoice) {
        State().city_size_choice = sizeChoice;
        return Cities().GetOrCreateCityAt(x, y);
    }
    // Runs the game's growth ticks of every city for `years` (48 a year).
    void GrowYears(int32_t years) {
        for (int32_t tick = 0; tick < years * 48; ++tick) Cities().Tick();
    }

    fvtest::GameScope game_;
    std::unique_ptr<CLookupTables> tables_;
    std::unique_ptr<CWayNetwork> network_;
    CBuildHelper helper_;
    std::unique_ptr<CCityManager> manager_;
    TestBuildingTable buildings_;
    std::vector<std::unique_ptr<CBuilding>> building_objects_;
};
