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
    State::PlacedVehicle placed{x, y, std::make_unique<TestVehicle>(), nullptr};
    placed.vehicle->direction = static_cast<uint8_t>(dirBits << 4);
    placed.node =
        std::make_unique<VehicleListNode>(VehicleListNode{placed.vehicle.get(), g_pVehicleList});
    g_pVehicleList = placed.node.get();
    state_->vehicles.push_back(std::move(placed));
    return *state_->vehicles.back().vehicle;
}

}  // namespace doubles

CVehicle* FindVehicleAtField(int32_t x, int32_t y) {
    doubles::State* state = doubles::Current();
    if (state == nullptr) return nullptr;
    for (auto& placed : state->vehicles) {
        if (placed.x == x && placed.y == y) return placed.vehicle.get();
    }
    return nullptr;
}

int32_t IsVehicleOnColumn(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    doubles::State* state = doubles::Current();
    if (state == nullptr) return 0;
    state->column_queries.push_back({x1, y1, x2, y2});
    return state->vehicle_on_run;
}

int32_t IsVehicleOnRow(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    doubles::State* state = doubles::Current();
    if (state == nullptr) return 0;
    state->row_queries.push_back({x1, y1, x2, y2});
    return state->vehicle_on_run;
}
