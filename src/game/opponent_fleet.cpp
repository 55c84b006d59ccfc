#include "game/opponent_fleet.h"

#include "economy/building.h"
#include "economy/building_table.h"
#include "economy/store.h"
#include "game/opponent.h"
#include "state/acting_player.h"
#include "state/game_state.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_purchase.h"

namespace {

constexpr int32_t kTruckTypes = 4;

void SetStop(CVehicle& v, int32_t index, const CBuilding* depot) {
    ScheduleStop& stop = v.schedule[index];
    stop = EmptyScheduleStop();
    stop.x[0] = static_cast<uint8_t>(depot->anchor_x);
    stop.y[0] = static_cast<uint8_t>(depot->anchor_y);
}

// Stops [store depot: none, site depot: r, factory depot: q], waiting to
// load at the site and the factory.
void SetRoadSchedule(CVehicle& v, const Chain& chain, const CBuilding* stops[3]) {
    for (ScheduleStop& stop : v.schedule) stop = EmptyScheduleStop();
    for (auto& stop : v.cargo_plan) {
        for (auto& slot : stop) slot[0] = kNoProduct;
    }
    for (int32_t i = 0; i < 3; ++i) SetStop(v, i, stops[i]);
    v.cargo_plan[1][0][0] = static_cast<uint8_t>(chain.raw);
    v.cargo_plan[2][0][0] = static_cast<uint8_t>(chain.product);
    v.wait_until_loaded[1] = 1;
    v.wait_until_loaded[2] = 1;
    v.stop_count = 3;
    v.needs_route = 1;
}

CBuilding* Building(int32_t number) {
    return g_ppBuildings != nullptr ? g_ppBuildings->At(number) : nullptr;
}

bool Listed(const CVehicle* vehicle) {
    for (const VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
        if (n->vehicle == vehicle) return true;
    }
    return false;
}

}  // namespace

int32_t CheapestTruckModel() {
    if (g_pGameState == nullptr) return -1;
    int32_t best = -1;
    for (int32_t type = 0; type < kTruckTypes; ++type) {
        const int32_t model = type * 3;
        if (!IsModelAvailable(model)) continue;
        const uint32_t cost = g_pGameState->vehicle_models[model].running_cost;
        if (best < 0 || cost < g_pGameState->vehicle_models[best].running_cost) best = model;
    }
    return best;
}

CVehicle* BuyChainTruck(COpponent& opponent, const Chain& chain, int64_t reserve) {
    const CBuilding* stops[3] = {Building(chain.terminals[kStoreDepot]),
                                 Building(chain.terminals[kSiteDepot]),
                                 Building(chain.terminals[kFactoryDepot])};
    for (const CBuilding* stop : stops) {
        if (stop == nullptr) return nullptr;
    }
    const int32_t model = CheapestTruckModel();
    if (model < 0) return nullptr;
    const int32_t p = opponent.player_number;
    if (g_pGameState->cash[p] - g_pGameState->vehicle_models[model].model_price < reserve) {
        return nullptr;
    }
    CVehicle* truck = BuyVehicle(p, model, stops[1]->anchor_x, stops[1]->anchor_y);
    if (truck == nullptr) return nullptr;
    SetRoadSchedule(*truck, chain, stops);
    PlanNode node;
    node.vehicle = truck;
    node.number = chain.id;
    node.byte_1 = static_cast<uint8_t>(ChainLeg::Road);
    opponent.plan_list_a.push_back(node);
    return truck;
}

std::vector<CVehicle*> ChainVehicles(const COpponent& opponent, int32_t chain_id) {
    std::vector<CVehicle*> vehicles;
    for (const PlanNode& node : opponent.plan_list_a) {
        if (node.number == chain_id && node.vehicle != nullptr) vehicles.push_back(node.vehicle);
    }
    return vehicles;
}

void ReleaseHaltedTrucks(const COpponent& opponent, const Chain& chain) {
    CBuilding* store = Building(chain.store);
    if (store == nullptr) return;
    const int32_t delivered = store->GetMonthlyDeliveries(kCurrentMonth, chain.product);
    if (delivered >= store->GetMonthlyDemand(kCurrentMonth, chain.product)) return;
    for (CVehicle* vehicle : ChainVehicles(opponent, chain.id)) {
        vehicle->halted = 0;
        vehicle->halt_at_stop[0] = 0;
    }
}

void ScrapChainVehicles(COpponent& opponent, int32_t chain_id) {
    for (CVehicle* vehicle : ChainVehicles(opponent, chain_id)) {
        // Deleting the vehicle drops its plan node through the vehicle hook.
        ScrapVehicle(opponent.player_number, vehicle);
    }
    opponent.plan_list_a.remove_if([&](const PlanNode& n) { return n.number == chain_id; });
}

bool ClaimPlannedProperty(COpponent& opponent) {
    const int32_t p = opponent.player_number;
    for (PlanNode& node : opponent.plan_list_a) {
        CVehicle* vehicle = node.vehicle;
        // Only vehicles of the vehicle list are the game's (a reader without
        // the list resolves none).
        if (vehicle == nullptr || !Listed(vehicle)) continue;
        if (vehicle->vehicle_class == kVehicleCityCar) return false;
        if (vehicle->owner != 0 && vehicle->owner != p) return false;
        vehicle->owner = p;
    }
    for (const PlanNode& node : opponent.plan_list_b) {
        const Chain chain = DecodeChain(node);
        if (chain.state == ChainState::GivenUp) continue;
        for (const int32_t number : {chain.factory, chain.store, chain.terminals[kStoreDepot],
                                     chain.terminals[kSiteDepot], chain.terminals[kFactoryDepot]}) {
            const CBuilding* building = number != 0 ? Building(number) : nullptr;
            if (building != nullptr && building->owner != p) return false;
        }
    }
    return true;
}
