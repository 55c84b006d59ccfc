#include "game/opponent_fleet.h"

#include <algorithm>
#include <array>

#include "economy/building.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/store.h"
#include "economy/train_station.h"
#include "game/opponent.h"
#include "state/acting_player.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_purchase.h"

namespace {

// The buildings a chain of its own owns (0: none yet): its factory and
// store and their depots and stations. The raw-material site is not its own.
std::array<int32_t, 7> OwnedBuildings(const Chain& chain) {
    return {chain.factory,
            chain.store,
            chain.terminals[kStoreDepot],
            chain.terminals[kSiteDepot],
            chain.terminals[kFactoryDepot],
            chain.terminals[kSiteStation],
            chain.terminals[kFactoryStation]};
}

constexpr int32_t kTruckTypes = 4;
constexpr int32_t kTrainUnitsPaced = 6;  // a trainload
constexpr int32_t kFirstRailModel = 10;
constexpr int32_t kLastRailModel = 14;

// A stop of the schedule: the terminal, the product loaded there in
// `columns` cargo columns (kNoProduct: none, everything is unloaded), and
// whether the vehicle waits there until it is loaded.
struct ChainStop {
    const CBuilding* terminal = nullptr;
    int32_t product = kNoProduct;
    int32_t columns = 1;
};

// The stop fields of a terminal: a truck depot's own field; a station's
// first field of every platform row.
ScheduleStop StopOf(const CBuilding& terminal) {
    ScheduleStop stop = EmptyScheduleStop();
    if (!IsStationType(terminal.type)) {
        stop.x[0] = static_cast<uint8_t>(terminal.anchor_x);
        stop.y[0] = static_cast<uint8_t>(terminal.anchor_y);
        return stop;
    }
    const StationGeometry g{terminal.type, terminal.anchor_x, terminal.anchor_y};
    const int32_t rows = std::clamp(terminal.GetLength(), 1, kMaxStationLength);
    for (int32_t row = 0; row < rows; ++row) {
        const int32_t x = g.line_x(row + 1, 0);
        const int32_t y = g.line_y(row + 1, 0);
        if (!InMap(x, y)) continue;
        stop.x[row] = static_cast<uint8_t>(x);
        stop.y[row] = static_cast<uint8_t>(y);
    }
    return stop;
}

void SetSchedule(CVehicle& v, const std::vector<ChainStop>& stops) {
    for (ScheduleStop& stop : v.schedule) stop = EmptyScheduleStop();
    for (auto& stop : v.cargo_plan) {
        for (auto& slot : stop) slot[0] = kNoProduct;
    }
    for (size_t i = 0; i < stops.size(); ++i) {
        v.schedule[i] = StopOf(*stops[i].terminal);
        if (stops[i].product == kNoProduct) continue;
        for (int32_t c = 0; c < stops[i].columns; ++c) {
            v.cargo_plan[i][c][0] = static_cast<uint8_t>(stops[i].product);
        }
        v.wait_until_loaded[i] = 1;
    }
    v.stop_count = static_cast<int32_t>(stops.size());
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

int32_t FastestRailModel() {
    if (g_pGameState == nullptr) return -1;
    int32_t best = -1;
    for (int32_t model = kFirstRailModel; model <= kLastRailModel; ++model) {
        if (!IsModelAvailable(model)) continue;
        const VehicleModel& m = g_pGameState->vehicle_models[model];
        if (best < 0) {
            best = model;
            continue;
        }
        const VehicleModel& b = g_pGameState->vehicle_models[best];
        if (m.speed_a > b.speed_a || (m.speed_a == b.speed_a && m.speed_b > b.speed_b)) {
            best = model;
        }
    }
    return best;
}

namespace {

// Buys `model` on (x, y) for the chain with its stops and records it.
CVehicle* BuyForChain(COpponent& opponent, const Chain& chain, int64_t reserve, int32_t model,
                      const std::vector<ChainStop>& stops, const CBuilding& start, ChainLeg leg) {
    for (const ChainStop& stop : stops) {
        if (stop.terminal == nullptr) return nullptr;
    }
    if (model < 0) return nullptr;
    const int32_t p = opponent.player_number;
    if (g_pGameState->cash[p] - g_pGameState->vehicle_models[model].model_price < reserve) {
        return nullptr;
    }
    const ScheduleStop at = StopOf(start);
    CVehicle* vehicle = BuyVehicle(p, model, at.x[0], at.y[0], kWayRail);
    if (vehicle == nullptr) return nullptr;
    SetSchedule(*vehicle, stops);
    PlanNode node;
    node.vehicle = vehicle;
    node.number = chain.id;
    node.byte_1 = static_cast<uint8_t>(leg);
    opponent.plan_list_a.push_back(node);
    return vehicle;
}

}  // namespace

CVehicle* BuyChainTruck(COpponent& opponent, const Chain& chain, int64_t reserve) {
    const CBuilding* store = Building(chain.terminals[kStoreDepot]);
    const CBuilding* site = Building(chain.terminals[kSiteDepot]);
    const CBuilding* factory = Building(chain.terminals[kFactoryDepot]);
    std::vector<ChainStop> stops{{store, kNoProduct, 1}};
    if (chain.mode == ChainMode::Road) stops.push_back({site, chain.raw, 1});
    stops.push_back({factory, chain.product, 1});
    const CBuilding* start = chain.mode == ChainMode::Road ? site : factory;
    if (start == nullptr) return nullptr;
    return BuyForChain(opponent, chain, reserve, CheapestTruckModel(), stops, *start,
                       ChainLeg::Road);
}

CVehicle* BuyChainTrain(COpponent& opponent, const Chain& chain, int64_t reserve) {
    const CBuilding* factory = Building(chain.terminals[kFactoryStation]);
    const CBuilding* site = Building(chain.terminals[kSiteStation]);
    if (factory == nullptr || !IsStationType(factory->type)) return nullptr;
    const std::vector<ChainStop> stops{{factory, kNoProduct, 1}, {site, chain.raw, kWagonSlots}};
    return BuyForChain(opponent, chain, reserve, FastestRailModel(), stops, *factory,
                       ChainLeg::Rail);
}

std::vector<CVehicle*> ChainVehicles(const COpponent& opponent, int32_t chain_id) {
    std::vector<CVehicle*> vehicles;
    for (const PlanNode& node : opponent.plan_list_a) {
        if (node.number == chain_id && node.vehicle != nullptr) vehicles.push_back(node.vehicle);
    }
    return vehicles;
}

std::vector<CVehicle*> ChainVehicles(const COpponent& opponent, int32_t chain_id, ChainLeg leg) {
    std::vector<CVehicle*> vehicles;
    for (const PlanNode& node : opponent.plan_list_a) {
        if (node.number == chain_id && node.vehicle != nullptr &&
            node.byte_1 == static_cast<uint8_t>(leg)) {
            vehicles.push_back(node.vehicle);
        }
    }
    return vehicles;
}

void ReleaseHaltedTrucks(const COpponent& opponent, const Chain& chain) {
    CBuilding* store = Building(chain.store);
    if (store == nullptr) return;
    const int32_t delivered = store->GetMonthlyDeliveries(kCurrentMonth, chain.product);
    if (delivered >= store->GetMonthlyDemand(kCurrentMonth, chain.product)) return;
    for (CVehicle* vehicle : ChainVehicles(opponent, chain.id, ChainLeg::Road)) {
        vehicle->halted = 0;
        vehicle->halt_at_stop[0] = 0;
    }
}

void PaceChainTrain(const COpponent& opponent, const Chain& chain, bool short_of_cash) {
    CBuilding* factory = Building(chain.factory);
    if (factory == nullptr || chain.mode != ChainMode::Rail) return;
    int32_t n = 0;
    int32_t d = 1;
    const int32_t held = std::max(0, factory->GetStock(chain.raw, n, d)) +
                         std::max(0, factory->GetStock(chain.product, n, d));
    const bool enough = held >= kTrainUnitsPaced || short_of_cash;
    for (CVehicle* train : ChainVehicles(opponent, chain.id, ChainLeg::Rail)) {
        // Stop 0 is the factory's station: the train stays there while the
        // factory holds a trainload.
        train->halt_at_stop[0] = enough ? 1 : 0;
        if (!enough) train->halted = 0;
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
        for (const int32_t number : OwnedBuildings(chain)) {
            const CBuilding* building = number != 0 ? Building(number) : nullptr;
            if (building != nullptr && building->owner != p) return false;
        }
    }
    return true;
}

bool PlannedPropertySound(const COpponent& opponent,
                          const std::function<int32_t(int32_t)>& owner_of,
                          std::set<const CVehicle*>& claimed) {
    for (const PlanNode& node : opponent.plan_list_a) {
        if (node.vehicle == nullptr) continue;
        if (node.vehicle->vehicle_class == kVehicleCityCar) return false;
        if (claimed.count(node.vehicle) != 0) return false;
    }
    for (const PlanNode& node : opponent.plan_list_a) {
        if (node.vehicle != nullptr) claimed.insert(node.vehicle);
    }
    for (const PlanNode& node : opponent.plan_list_b) {
        const Chain chain = DecodeChain(node);
        if (chain.state == ChainState::GivenUp) continue;
        for (const int32_t number : OwnedBuildings(chain)) {
            const int32_t owner = number > 0 ? owner_of(number) : -1;
            if (owner >= 0 && owner != opponent.player_number) return false;
        }
    }
    return true;
}
