#include "transport/vehicle_purchase.h"

#include "state/game_state.h"
#include "state/statistics.h"
#include "transport/train.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"

namespace {

constexpr int32_t kLastTruckModel = 9;

// A purchase of price P: costs, worth and vehicle count up, profits down. A
// replacement raises the worth by `worth` only and keeps the count.
void BookPurchase(int32_t player, int32_t price, int32_t worth, int32_t count) {
    g_Statistics.BookPair(StatPair::A, player, price);
    g_Statistics.Book(StatSeries::TotalCosts, player, price);
    g_Statistics.Book(StatSeries::CompanyWorth, player, worth);
    if (count != 0) g_Statistics.Book(StatSeries::VehicleCount, player, count);
    g_Statistics.Book(StatSeries::AnnualProfit, player, -price);
    g_Statistics.Book(StatSeries::OverallProfit, player, -price);
    g_Statistics.BookPair(StatPair::J, player, -price);
    g_Statistics.BookPair(StatPair::K, player, -price);
}

void AdvanceNameCounter() {
    g_VehicleNameCounter[0] = static_cast<char>(g_VehicleNameCounter[0] + 1);
}

}  // namespace

bool IsModelAvailable(int32_t model) {
    const CGameState* gs = g_pGameState;
    if (gs == nullptr || model < 0 || model >= kVehicleModelCount) return false;
    const int32_t year = static_cast<int32_t>(gs->vehicle_models[model].model_year);
    return gs->year > year || (gs->year == year && gs->month >= 6);
}

CVehicle* BuyVehicle(int32_t player, int32_t model, int32_t x, int32_t y, int32_t way_type) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr || player < 0 || player >= kPlayerCount || !IsModelAvailable(model)) {
        return nullptr;
    }
    const int64_t price = gs->vehicle_models[model].model_price;
    if (gs->cash[player] < price) return nullptr;
    CVehicle* vehicle = nullptr;
    if (model <= kLastTruckModel) {
        vehicle = new CTruck(x, y, g_VehicleNameCounter, model);
    } else {
        vehicle = new CTrain(x, y, g_VehicleNameCounter, model, way_type);
    }
    vehicle->owner = player;
    vehicle->running_flag = 1;
    gs->cash[player] -= price;
    BookPurchase(player, static_cast<int32_t>(price), static_cast<int32_t>(price), 1);
    AdvanceNameCounter();
    return vehicle;
}

bool ReplaceVehicleModel(int32_t player, CVehicle* vehicle, int32_t model) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr || vehicle == nullptr || player < 0 || player >= kPlayerCount) return false;
    if (vehicle->owner != player || !IsModelAvailable(model)) return false;
    const bool truck = vehicle->vehicle_class == kVehicleTruck;
    if (!truck && (vehicle->vehicle_class < kVehicleRail ||
                   vehicle->vehicle_class > kVehicleSuperconductor)) {
        return false;
    }
    if (truck != (model <= kLastTruckModel)) return false;
    const int64_t price = gs->vehicle_models[model].model_price;
    if (gs->cash[player] < price) return false;
    const int32_t old_model = vehicle->model;
    const int64_t old_price = old_model >= 0 && old_model < kVehicleModelCount
                                  ? gs->vehicle_models[old_model].model_price
                                  : 0;
    gs->cash[player] -= price;
    BookPurchase(player, static_cast<int32_t>(price), static_cast<int32_t>(price - old_price), 0);
    vehicle->speed_limit = truck ? model : gs->vehicle_models[model].speed_a;
    vehicle->running_flag = 0;
    vehicle->model = model;
    AdvanceNameCounter();
    return true;
}

bool ScrapVehicle(int32_t player, CVehicle* vehicle) {
    if (vehicle == nullptr || vehicle->owner != player) return false;
    if (vehicle->vehicle_class == kVehicleCityCar) return false;
    if (!UnlinkVehicle(vehicle)) return false;
    delete vehicle;
    // The vehicle leaves the player's fleet: the count falls with it.
    g_Statistics.Book(StatSeries::VehicleCount, player, -1);
    return true;
}
