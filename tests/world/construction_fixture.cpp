#include "construction_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "state/game_state.h"
#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

int32_t TestBuilding::Extend() {
    ++length;
    const int32_t price = g_pGameState->building_types[6].build_price / 2;
    g_pGameState->cash[0] -= price;
    return price;
}

void TestBuildingTable::DemolishBuilding(int32_t number) {
    demolished.push_back(number);
    const CBuilding* building = At(number);
    if (building == nullptr) return;
    const int32_t type = static_cast<const TestBuilding*>(building)->type;
    // The footprint: every field around the anchor that names the building.
    std::vector<std::pair<int32_t, int32_t>> footprint;
    for (int32_t x = building->anchor_x - 8; x <= building->anchor_x + 8; ++x) {
        for (int32_t y = building->anchor_y - 8; y <= building->anchor_y + 8; ++y) {
            if (GetBuildingNumberAt(x, y) == number) footprint.emplace_back(x, y);
        }
    }
    // A station's track lines go with it, a depot's road too.
    for (const auto& [fx, fy] : footprint) {
        if (g_pWayNetwork == nullptr || FieldAt(fx, fy)->wegtyp() == 0) continue;
        if (type >= 6 && type <= 9) g_pWayNetwork->DemolishStation(fx, fy, 0);
        if (type >= 0 && type <= 3) g_pWayNetwork->DemolishWayField(fx, fy, 0);
    }
    for (const auto& [fx, fy] : footprint) {
        MapField* field = FieldAt(fx, fy);
        field->set_data_word(0);
        field->set_building_flag(false);
        field->set_spieler(0);
        field->set_feldchange(true);
    }
    buildings[number] = nullptr;
    // Ways on and beside the footprint are re-fitted, then re-linked.
    if (g_pWayNetwork == nullptr) return;
    CBuildHelper helper;
    for (const bool link : {false, true}) {
        for (const auto& [fx, fy] : footprint) {
            for (int32_t x = fx - 1; x <= fx + 1; ++x) {
                for (int32_t y = fy - 1; y <= fy + 1; ++y) {
                    const MapField* field = FieldAt(x, y);
                    if (!link) helper.UpdateWayPiecesAround(x, y);
                    for (int32_t i = 0; link && field != nullptr && i < 4; ++i) {
                        const uint8_t bit = DirBitFromIndex(i);
                        if (((field->richtung() | field->gleisr()) & bit) == 0) continue;
                        field->knoten() ? g_pWayNetwork->LinkFromField(x, y, bit)
                                        : void(g_pWayNetwork->RelinkField(x, y, bit));
                    }
                }
            }
        }
    }
}

Scope::Scope(fvtest::GameScope& game)
    : view(game.UseView()), panel(game.UsePanel()), sound(game.UseSound()) {
    g_ppBuildings = &buildings;
    g_pCityManager = &cities;
    g_pVehicleList = nullptr;
}

Scope::~Scope() {
    g_ppBuildings = nullptr;
    g_pCityManager = nullptr;
    g_pVehicleList = nullptr;
}

TestBuilding& Scope::AddBuilding(int32_t number, int32_t anchorX, int32_t anchorY) {
    auto& building = *building_objects_.emplace_back(std::make_unique<TestBuilding>());
    building.anchor_x = anchorX;
    building.anchor_y = anchorY;
    EXPECT_TRUE(number >= 1 && number < kBuildingSlots) << "building number " << number;
    if (number >= 1 && number < kBuildingSlots) buildings.buildings[number] = &building;
    return building;
}

TestCity& Scope::AddCity(int32_t number, int32_t originX, int32_t originY) {
    auto& city = *city_objects_.emplace_back(std::make_unique<TestCity>());
    city.origin_x = originX;
    city.origin_y = originY;
    cities.cities[number - 1] = &city;
    return city;
}

CVehicle& Scope::AddVehicle(int32_t x, int32_t y, uint8_t dirBits) {
    auto vehicle = std::make_unique<TestVehicle>();
    vehicle->pos_x = vehicle->left_x = static_cast<uint8_t>(x);
    vehicle->pos_y = vehicle->left_y = static_cast<uint8_t>(y);
    vehicle->vehicle_class = kVehicleRail;
    vehicle->direction = static_cast<uint8_t>(dirBits << 4);
    auto node = std::make_unique<VehicleListNode>(VehicleListNode{vehicle.get(), g_pVehicleList});
    g_pVehicleList = node.get();
    return *vehicles_.emplace_back(std::move(vehicle), std::move(node)).first;
}

WorldSnapshot TakeSnapshot() {
    WorldSnapshot s;
    s.fields.assign(g_pGameState->fields, g_pGameState->fields + kMapFieldCount);
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        const WayNode* node = g_pWayNetwork->Node(n);
        if (node == nullptr) continue;
        std::array<int32_t, 13> record{n};
        for (int32_t i = 0; i < 4; ++i) {
            record[1 + i] = node->ziel[i];
            record[5 + i] = node->cost[i];
            record[9 + i] = node->belegt[i] * 256 + node->back[i];
        }
        s.nodes.push_back(record);
    }
    for (int32_t p = 0; p < 4; ++p) s.cash[p] = g_pGameState->cash[p];
    s.statistics.assign(g_Statistics.words, g_Statistics.words + kStatisticsWords);
    return s;
}

::testing::AssertionResult SameWorld(const WorldSnapshot& before, const WorldSnapshot& after,
                                     bool ignoreViewBits) {
    for (int32_t i = 0; i < kMapFieldCount; ++i) {
        MapField a = before.fields[i];
        MapField b = after.fields[i];
        if (ignoreViewBits) {
            for (MapField* f : {&a, &b}) {
                f->set_feldchange(false);
                f->set_cursor(0);
                f->set_cursorricht(false);
            }
        }
        if (!std::equal(a.bytes, a.bytes + 12, b.bytes)) {
            return ::testing::AssertionFailure()
                   << "field (" << i / kMapSize << ", " << i % kMapSize << ") changed";
        }
    }
    if (before.nodes != after.nodes) return ::testing::AssertionFailure() << "the graph changed";
    if (before.cash != after.cash) return ::testing::AssertionFailure() << "cash changed";
    if (before.statistics != after.statistics) {
        return ::testing::AssertionFailure() << "the statistics changed";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult HeightsSmooth(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) {
            for (const auto& [dx, dy] : {std::pair{1, -1}, {1, 0}, {1, 1}, {0, 1}}) {
                const MapField* n = FieldAt(x + dx, y + dy);
                if (n != nullptr && std::abs(n->hoehe() - FieldAt(x, y)->hoehe()) > 1) {
                    return ::testing::AssertionFailure()
                           << "corner (" << x << ", " << y << ") jumps";
                }
            }
        }
    }
    return ::testing::AssertionSuccess();
}

ConstructionTest::ConstructionTest() {
    terrain_ = std::make_unique<CTerrain>();
    game_.Set(g_pTerrain, terrain_.get());
    for (MapField& f : GS().fields) {
        f.set_teile_art(1);
        f.set_hoehe(2);
        f.set_feldchange(false);
    }
    GS().game_mode = kModeGame;
    static constexpr int32_t kResidents[7] = {9, 40, 80, 160, 320, 640, 20};
    for (int32_t i = 0; i < 7; ++i) GS().geb_einw[i] = kResidents[i];
    GS().cash[0] = kStartCash;
}

ConstructionTest::~ConstructionTest() {
    terrain_.reset();
}

void ConstructionTest::SetPath(const std::vector<std::pair<int32_t, int32_t>>& cells) {
    Net().FreePath();
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        Net().PushPathCell(static_cast<uint8_t>(it->first), static_cast<uint8_t>(it->second));
    }
}

namespace {

std::vector<std::pair<int32_t, int32_t>> StraightCells(int32_t x1, int32_t y1, int32_t x2,
                                                       int32_t y2) {
    std::vector<std::pair<int32_t, int32_t>> cells;
    const int32_t dx = (x2 > x1) - (x2 < x1);
    const int32_t dy = (y2 > y1) - (y2 < y1);
    for (int32_t x = x1, y = y1; x != x2 || y != y2;) {
        x += dx;
        y += dy;
        cells.emplace_back(x, y);
    }
    return cells;
}

}  // namespace

void ConstructionTest::DragRoad(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType) {
    Net().SetWayType(static_cast<uint8_t>(wayType - 1));
    SetPath(StraightCells(x1, y1, x2, y2));
    Net().LayRoadAlongPath(x1, y1, x2, y2);
}

void ConstructionTest::DragTrack(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType) {
    Net().SetWayType(static_cast<uint8_t>(wayType - 1));
    SetPath(StraightCells(x1, y1, x2, y2));
    Net().LayTrackAlongPath(x1, y1, x2, y2);
}

TestBuilding& ConstructionTest::Place(int32_t number, int32_t type, int32_t x, int32_t y, int32_t w,
                                      int32_t h) {
    int32_t ax = x;
    int32_t ay = y;
    if (type == 6) ay = y + 1;
    if (type == 9) ax = x + 1;
    if (type >= 6 && type <= 9) {
        w = type == 6 || type == 8 ? 4 : 2;
        h = type == 6 || type == 8 ? 2 : 4;
    }
    TestBuilding& building = services_.AddBuilding(number, ax, ay);
    building.type = type;
    building.length = type >= 6 && type <= 9 ? 1 : type <= 3 ? 1 : 0;
    if (type <= 3) {
        GS().selected_building_type = 0;
        GS().build_orientation = type;
    } else if (type >= 6 && type <= 9) {
        GS().selected_building_type = 6;
        GS().build_orientation = type - 6;
    } else {
        GS().selected_building_type = type;
        GS().build_orientation = 0;
    }
    Terrain().PlaceStructure(x, y, number, w, h);
    return building;
}

void ConstructionTest::SetHeights(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t height) {
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) F(x, y).set_hoehe(static_cast<uint32_t>(height));
    }
    for (int32_t x = std::max(0, x0 - 1); x <= std::min(255, x1); ++x) {
        for (int32_t y = std::max(0, y0 - 1); y <= std::min(255, y1); ++y) {
            Terrain().UpdateSlopeShapes(x, y);
        }
    }
}

void ConstructionTest::LayWay(const std::vector<std::pair<int32_t, int32_t>>& cells,
                              int32_t wayType, int32_t player) {
    int32_t x0 = 255, y0 = 255, x1 = 0, y1 = 0;
    for (auto [x, y] : cells) {
        MapField& field = F(x, y);
        field.set_wegtyp(static_cast<uint32_t>(wayType));
        if (field.wegteil() == 0) field.set_wegteil(1);
        field.set_spieler(static_cast<uint32_t>(player));
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    }
    RefitBox(x0 - 1, y0 - 1, x1 + 1, y1 + 1);
}

void ConstructionTest::LayLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType) {
    std::vector<std::pair<int32_t, int32_t>> cells = StraightCells(x1, y1, x2, y2);
    cells.insert(cells.begin(), {x1, y1});
    LayWay(cells, wayType);
}

void ConstructionTest::RefitBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    for (const bool masks : {false, true}) {
        for (int32_t x = std::max(0, x0); x <= std::min(255, x1); ++x) {
            for (int32_t y = std::max(0, y0); y <= std::min(255, y1); ++y) {
                if (masks) {
                    Helper().UpdateWayPiecesAround(x, y);
                } else {
                    UpdateRoadPieceShape(x, y);
                    UpdateTrackPieceShape(x, y);
                }
            }
        }
    }
}

void ConstructionTest::LinkBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    for (int32_t x = std::max(0, x0); x <= std::min(255, x1); ++x) {
        for (int32_t y = std::max(0, y0); y <= std::min(255, y1); ++y) {
            const MapField& field = F(x, y);
            if (!field.knoten()) continue;
            const uint8_t bits = field.richtung() | field.gleisr();
            for (int32_t i = 0; i < 4; ++i) {
                if (bits & DirBitFromIndex(i)) Net().LinkFromField(x, y, DirBitFromIndex(i));
            }
        }
    }
}
