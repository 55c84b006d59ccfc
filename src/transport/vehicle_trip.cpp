// The trip steps that trucks and trains share: the frame start, the end of a
// field, costs at arrival, moving on along the schedule, the route to the
// target stop and the goods exchange's frame around the vehicle's own rule.

#include "transport/vehicle_trip.h"

#include "economy/building_table.h"
#include "platform/app.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/panel_events.h"
#include "state/statistics.h"
#include "state/view_events.h"
#include "transport/road_driving.h"
#include "transport/vehicle.h"
#include "world/pair_list.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kNoRouteCost = 65535;
constexpr int32_t kDepartureWait = 32;

// The cost of the route to `node` found by the last search: the link costs
// summed back along the predecessors; -1 when it reaches 65535 or does not
// lead back to the start.
int32_t RouteCost(const CWayNetwork& network, int32_t start, int32_t node) {
    int32_t cost = 0;
    int32_t n = node;
    for (int32_t steps = 0; n != start; ++steps) {
        const RouteRecord& record = network.Route(n);
        const WayNode* prev = network.Node(record.prev);
        if (prev == nullptr || record.dir < 0 || record.dir > 3 || steps >= kMaxWayNodes) return -1;
        cost += prev->cost[record.dir];
        if (cost >= kNoRouteCost) return -1;
        n = record.prev;
    }
    return cost;
}

void NotifyMainWindow(uint32_t message) {
    plat::Application* app = plat::CurrentApplication();
    if (app != nullptr && app->mainWindow != nullptr) {
        plat::SendMessage(app->mainWindow, message, 0, 0);
    }
}

}  // namespace

const VehicleModel* VehicleModelRecord(int32_t index) {
    if (g_pGameState == nullptr || index < 0 || index >= kVehicleModelSlots) return nullptr;
    return &g_pGameState->vehicle_models[index];
}

void BookRunningCosts(int32_t player, int32_t amount) {
    if (player < 0 || player >= kPlayerCount || amount == 0) return;
    if (g_pGameState != nullptr) g_pGameState->cash[player] -= amount;
    const int32_t minus = static_cast<int32_t>(0u - static_cast<uint32_t>(amount));
    g_Statistics.Book(StatSeries::TotalCosts, player, amount);
    g_Statistics.Book(StatSeries::AnnualProfit, player, minus);
    g_Statistics.Book(StatSeries::OverallProfit, player, minus);
    g_Statistics.BookPair(StatPair::J, player, minus);
    g_Statistics.BookPair(StatPair::K, player, minus);
    g_Statistics.BookPair(StatPair::D, player, amount);
}

int32_t WayNodeAt(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    return field != nullptr ? field->knotennummer() : 0;
}

void PathToCheapestStopField(const CWayNetwork& network, int32_t start, const ScheduleStop& stop,
                             CPairList& path) {
    int32_t winner = 0;
    int32_t best = kNoRouteCost;
    for (int32_t i = 0; i < 4; ++i) {
        if (stop.x[i] == kNoStopField) continue;
        const int32_t head = WayNodeAt(stop.x[i], stop.y[i]);
        if (head <= 0 || head >= kWayNodeSlots || network.Route(head).prev == 0) continue;
        const int32_t cost = RouteCost(network, start, head);
        if (cost >= 0 && cost < best) {
            best = cost;
            winner = head;
        }
    }
    if (winner == 0) return;
    path.PushFront(winner, -1);
    for (int32_t n = winner, steps = 0; n != start && steps < kMaxWayNodes; ++steps) {
        const RouteRecord& record = network.Route(n);
        path.PushFront(record.prev, record.dir);
        n = record.prev;
    }
}

CBuilding* StopBuildingAt(int32_t x, int32_t y) {
    const int32_t number = GetBuildingNumberAt(x, y);
    return g_ppBuildings != nullptr && number > 0 ? g_ppBuildings->At(number) : nullptr;
}

bool CVehicle::StandsThisFrame() {
    if (running_flag != 1) {
        visible = FieldInView(pos_x, pos_y);
        return true;
    }
    if (wait_counter > 0) {
        --wait_counter;
        visible = FieldInView(pos_x, pos_y);
        return true;
    }
    return false;
}

void CVehicle::StopSpeed() {
    steps_per_frame = 1;
    base_speed = 1;
    accel_counter = 0;
}

void CVehicle::CountDepartureSound() {
    three_step_counter = static_cast<uint8_t>((three_step_counter + 1) % 3);
    if (three_step_counter == 2) sound_pending = 1;
}

void CVehicle::ExchangeGoods(int32_t retry_wait) {
    StopSpeed();
    if (LoadGoods() == 0) {
        wait_counter = retry_wait;
        return;
    }
    wait_counter = kDepartureWait;
    loading_state = 0;
    state = 1;
    sound_pending = 0;
}

void CVehicle::RestartSchedule() {
    target_stop = -1;
    PlanRoute();
    needs_route = 0;
    loading_state = 0;
    schedule_changed = 0;
    state = 1;
    sound_pending = 0;
}

void CVehicle::EndField() {
    drawn_x = pos_x;
    drawn_y = pos_y;
    prev_direction = direction;
    direction = next_direction;
    const VehicleModel* m = VehicleModelRecord(model);
    if (m != nullptr) running_cost += static_cast<int32_t>(m->running_cost);
}

void CVehicle::SettleRunningCosts() {
    BookRunningCosts(owner, running_cost);
    cost_this_trip += running_cost;
    running_cost = 0;
}

void CVehicle::CloseRoundTripCosts() {
    if (target_stop != 0) return;
    cost_last_trip = cost_this_trip;
    cost_this_trip = 0;
}

void CVehicle::AdvanceTargetStop() {
    schedule_changed = 0;
    stop_served = target_stop;
    int32_t next = target_stop + 1;
    if (next < 0 || next >= kScheduleStops || schedule[next].IsEmpty()) next = 0;
    target_stop = next;
}

int32_t CVehicle::PathFrontNode() const {
    int32_t node = 0;
    int32_t dir = 0;
    return path.PeekFront(node, dir) != 0 ? node : 0;
}

bool CVehicle::HeadForServedStop() {
    const ScheduleStop& stop = schedule[stop_served];
    if (stop.IsEmpty() ||
        GetBuildingNumberAt(pos_x, pos_y) == GetBuildingNumberAt(stop.x[0], stop.y[0])) {
        return false;
    }
    target_stop = stop_served - 1 < -1 ? -1 : stop_served - 1;
    PlanRoute();
    return true;
}

CVehicle::LoadingStop CVehicle::BeginLoading() {
    if (stop_served < 0 || stop_served >= kScheduleStops) return {.result = 0};
    if (HeadForServedStop()) return {.result = 1};
    CBuilding* building = StopBuildingAt(pos_x, pos_y);
    // Without stops nothing is loaded: the loaders take the stop before the
    // one served modulo the stop count, and with no stop that divides by zero.
    if (building == nullptr || stop_count < 1 || stop_count > kScheduleStops) return {};
    building->Refresh();
    return {.building = building};
}

void CVehicle::RefreshInfoPanelIfSelected() const {
    if (selected != 0 && Views().InformationToolActive()) Panel().RefreshInfoPanel();
}

void CVehicle::FinishUnloading(CBuilding& building) {
    g_pVehicleAtTerminal = nullptr;
    if (halt_at_stop[target_stop] == 1) halted = 1;
    building.Update();
    NotifyMainWindow(kMsgAnimImagesChanged);
}
