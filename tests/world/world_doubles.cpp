#include "world_doubles.h"

namespace doubles {
namespace {
State* g_state = nullptr;
}

State* Current() {
    return g_state;
}

Scope::Scope() : state_(std::make_unique<State>()) {
    g_state = state_.get();
    g_ppBuildings = &state_->buildings;
    g_pCityManager = &state_->cities;
    g_pVehicleList = nullptr;
    g_pSpielFeld = &state_->view;
}

Scope::~Scope() {
    g_state = nullptr;
    g_ppBuildings = nullptr;
    g_pCityManager = nullptr;
    g_pVehicleList = nullptr;
    g_pSpielFeld = nullptr;
}

CBuilding& Scope::AddBuilding(int32_t number, int32_t anchorX, int32_t anchorY) {
    auto building = std::make_unique<CBuilding>();
    building->anchor_x = anchorX;
    building->anchor_y = anchorY;
    state_->buildings.buildings[number] = building.get();
    state_->building_objects.push_back(std::move(building));
    return *state_->building_objects.back();
}

CCity& Scope::AddCity(int32_t number, int32_t originX, int32_t originY) {
    auto city = std::make_unique<CCity>();
    city->origin_x = originX;
    city->origin_y = originY;
    state_->cities.cities[number - 1] = city.get();
    state_->city_objects.push_back(std::move(city));
    return *state_->city_objects.back();
}

CVehicle& Scope::AddVehicle(int32_t x, int32_t y, uint8_t dirBits) {
    State::PlacedVehicle placed{std::make_unique<TestVehicle>(), nullptr};
    placed.vehicle->pos_x = static_cast<uint8_t>(x);
    placed.vehicle->pos_y = static_cast<uint8_t>(y);
    placed.vehicle->left_x = static_cast<uint8_t>(x);
    placed.vehicle->left_y = static_cast<uint8_t>(y);
    placed.vehicle->vehicle_class = kVehicleRail;
    placed.vehicle->direction = static_cast<uint8_t>(dirBits << 4);
    placed.node =
        std::make_unique<VehicleListNode>(VehicleListNode{placed.vehicle.get(), g_pVehicleList});
    g_pVehicleList = placed.node.get();
    state_->vehicles.push_back(std::move(placed));
    return *state_->vehicles.back().vehicle;
}

}  // namespace doubles
