#include "world_doubles.h"

#include <gtest/gtest.h>

#include "state/game_state.h"
#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/way_network.h"

namespace doubles {

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
    // Ways on and beside the footprint are re-fitted and re-linked.
    if (g_pWayNetwork == nullptr) return;
    CBuildHelper helper;
    for (const auto& [fx, fy] : footprint) {
        for (int32_t x = fx - 1; x <= fx + 1; ++x) {
            for (int32_t y = fy - 1; y <= fy + 1; ++y) helper.UpdateWayPiecesAround(x, y);
        }
    }
    for (const auto& [fx, fy] : footprint) {
        for (int32_t x = fx - 1; x <= fx + 1; ++x) {
            for (int32_t y = fy - 1; y <= fy + 1; ++y) {
                const MapField* field = FieldAt(x, y);
                if (field == nullptr) continue;
                const uint8_t bits = field->richtung() | field->gleisr();
                for (int32_t i = 0; i < 4; ++i) {
                    const uint8_t bit = DirBitFromIndex(i);
                    if ((bits & bit) == 0) continue;
                    if (field->knoten())
                        g_pWayNetwork->LinkFromField(x, y, bit);
                    else
                        g_pWayNetwork->RelinkField(x, y, bit);
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

}  // namespace doubles
