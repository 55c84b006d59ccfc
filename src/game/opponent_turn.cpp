// A computer opponent's turn, in one idle pass: upkeep of its plans, the
// release of halted trucks, the monthly check of its chains, the steps of
// the chain it is building, and a survey for a new chain when nothing is
// being built. The turn works with the player's own builders for its player
// number and leaves the shared tool state as it found it.

#include <algorithm>
#include <utility>
#include <vector>

#include "cities/city_manager.h"
#include "economy/building.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/store.h"
#include "game/opponent.h"
#include "game/opponent_build.h"
#include "game/opponent_chain.h"
#include "game/opponent_fleet.h"
#include "game/opponent_steps.h"
#include "game/opponent_survey.h"
#include "state/acting_player.h"
#include "state/game_state.h"
#include "state/view_events.h"
#include "transport/vehicle.h"
#include "world/build_helper.h"
#include "world/terrain.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kRunningMonthsBeforeChecks = 4;
constexpr int32_t kBrokenMonths = 3;
constexpr int32_t kLosingMonths = 6;

// The tool state the player's screens keep between their actions; the turn
// uses the same fields and puts them back.
class ToolStateKeeper {
  public:
    ToolStateKeeper() : gs_(*g_pGameState) {
        selected_ = gs_.selected_building_type;
        orientation_ = gs_.build_orientation;
        mine_kind_ = gs_.mine_kind;
        city_ = gs_.placement_city;
        if (g_pWayNetwork != nullptr) {
            way_type_ = g_pWayNetwork->current_way_type;
            for (const PathCell* c = g_pWayNetwork->path_list; c != nullptr; c = c->next) {
                path_.push_back(*c);
            }
        }
    }
    ~ToolStateKeeper() {
        gs_.selected_building_type = selected_;
        gs_.build_orientation = orientation_;
        gs_.mine_kind = mine_kind_;
        gs_.placement_city = city_;
        if (g_pWayNetwork != nullptr) {
            g_pWayNetwork->current_way_type = way_type_;
            g_pWayNetwork->FreePath();
            // PushPathCell puts a cell at the front: push in reverse.
            for (auto it = path_.rbegin(); it != path_.rend(); ++it) {
                g_pWayNetwork->PushPathCell(it->x, it->y);
            }
        }
    }
    ToolStateKeeper(const ToolStateKeeper&) = delete;
    ToolStateKeeper& operator=(const ToolStateKeeper&) = delete;

  private:
    CGameState& gs_;
    int32_t selected_ = 0;
    int32_t orientation_ = 0;
    int32_t mine_kind_ = 0;
    int32_t city_ = 0;
    uint8_t way_type_ = 0;
    std::vector<PathCell> path_;
};

CBuilding* Building(int32_t number) {
    return number != 0 && g_ppBuildings != nullptr ? g_ppBuildings->At(number) : nullptr;
}

int64_t Sum(CBuilding& store, int32_t product, int32_t months, bool profit) {
    int64_t sum = 0;
    for (int32_t m = kCurrentMonth - months; m < kCurrentMonth; ++m) {
        sum += profit ? store.GetMonthlyProfit(m, product) : store.GetMonthlyDeliveries(m, product);
    }
    return sum;
}

}  // namespace

// The state of one turn: the opponent, its style and the turn's limits.
class OpponentTurn {
  public:
    explicit OpponentTurn(COpponent& o)
        : o_(o),
          style_(StyleOfProfile(g_pGameState->opponent_profiles[o.profile_index])),
          steps_(o, style_, budget_) {}

    void Run() {
        Upkeep();
        for (PlanNode& node : o_.plan_list_b) {
            const Chain chain = DecodeChain(node);
            if (chain.state != ChainState::Running) continue;
            ReleaseHaltedTrucks(o_, chain);
            PaceChainTrain(o_, chain, g_pGameState->cash[o_.player_number] < style_.reserve / 2);
        }
        CheckChains();
        GiveUpWorstWhenPoor();
        DemolishUnservedStore();
        steps_.Run();
        if (!steps_.Building()) Survey();
    }

    bool MapChanged() const { return budget_.map_changed; }

  private:
    // Drops what the opponent no longer owns: a chain whose factory or
    // store is gone is given up.
    void Upkeep() {
        o_.plan_list_a.remove_if([](const PlanNode& n) { return n.vehicle == nullptr; });
        for (PlanNode& node : o_.plan_list_b) {
            Chain chain = DecodeChain(node);
            if (chain.state == ChainState::GivenUp) continue;
            for (const int32_t number : {chain.factory, chain.store}) {
                const CBuilding* b = Building(number);
                const bool lost = number != 0 && (b == nullptr || b->owner != o_.player_number);
                if (lost && chain.state != ChainState::GivenUp) {
                    steps_.GiveUp(node);
                    chain = DecodeChain(node);
                }
            }
        }
    }

    // Monthly, for chains running 4 months or more: a strike for a broken
    // or losing month, a truck more for a healthy chain short of supply.
    void CheckChains() {
        const int32_t now = GameMonth();
        for (PlanNode& node : o_.plan_list_b) {
            Chain chain = DecodeChain(node);
            if (chain.state != ChainState::Running || chain.last_check == now) continue;
            if (now - chain.start_month < kRunningMonthsBeforeChecks) continue;
            CBuilding* store = Building(chain.store);
            if (store == nullptr) continue;
            chain.last_check = now;
            const bool broken = Sum(*store, chain.product, kBrokenMonths, false) == 0;
            const int64_t delivered = Sum(*store, chain.product, kLosingMonths, false);
            const int64_t profit = Sum(*store, chain.product, kLosingMonths, true);
            const bool losing = profit < delivered * CostPerUnit(chain);
            if (broken || losing) {
                ++chain.strikes;
                if (broken && chain.repairs == 0) {
                    // A repaired chain starts its probation again: its store
                    // needs months to show deliveries.
                    chain.repairs = 1;
                    chain.strikes = 0;
                    chain.start_month = now;
                    EncodeChain(chain, node);
                    steps_.PlanRepair(node);
                    chain = DecodeChain(node);
                }
            } else {
                chain.strikes = 0;
                chain.repairs = 0;
            }
            EncodeChain(chain, node);
            if (chain.strikes >= style_.patience) {
                steps_.GiveUp(node);
                continue;
            }
            if (!broken && !losing) GrowWhenShort(chain, *store);
        }
    }

    // The cost of a unit: per leg the mean cost of the last trip of its
    // vehicles over the units a trip (a truck carries one, a train six).
    int64_t CostPerUnit(const Chain& chain) const {
        int64_t cost = 0;
        for (const auto& [leg, units] :
             {std::pair{ChainLeg::Road, 1}, std::pair{ChainLeg::Rail, 6}}) {
            const std::vector<CVehicle*> vehicles = ChainVehicles(o_, chain.id, leg);
            if (vehicles.empty()) continue;
            int64_t sum = 0;
            for (const CVehicle* v : vehicles) sum += v->cost_last_trip;
            cost += sum / static_cast<int64_t>(vehicles.size()) / units;
        }
        return cost;
    }

    // A truck more while the store wanted 2 units more than it got and the
    // trucks' source (the site, on a rail chain the factory) holds 2.
    void GrowWhenShort(const Chain& chain, CBuilding& store) {
        const int32_t last = kCurrentMonth - 1;
        const int32_t short_by = store.GetMonthlyDemand(last, chain.product) -
                                 store.GetMonthlyDeliveries(last, chain.product);
        if (short_by < 2) return;
        const bool rail = chain.mode == ChainMode::Rail;
        CBuilding* source = Building(rail ? chain.factory : chain.site);
        int32_t n = 0;
        int32_t d = 1;
        if (source == nullptr || source->GetStock(rail ? chain.product : chain.raw, n, d) < 2) {
            return;
        }
        const size_t trucks = ChainVehicles(o_, chain.id, ChainLeg::Road).size();
        if (static_cast<int32_t>(trucks) >= style_.max_trucks) return;
        if (!budget_.TakeAction()) return;
        BuyChainTruck(o_, chain, style_.reserve);
    }

    // Below half its reserve the opponent gives up its worst chain (the
    // lowest profit over the last six months), one a turn, when that chain
    // loses money: a chain that earns is what brings the cash back.
    void GiveUpWorstWhenPoor() {
        if (g_pGameState->cash[o_.player_number] >= style_.reserve / 2) return;
        PlanNode* worst = nullptr;
        int64_t worst_profit = 0;
        for (PlanNode& node : o_.plan_list_b) {
            const Chain chain = DecodeChain(node);
            CBuilding* store = Building(chain.store);
            if (chain.state != ChainState::Running || store == nullptr) continue;
            const int64_t profit = Sum(*store, chain.product, kLosingMonths, true);
            if (worst == nullptr || profit < worst_profit) {
                worst = &node;
                worst_profit = profit;
            }
        }
        if (worst != nullptr && worst_profit < 0) steps_.GiveUp(*worst);
    }

    // A store a given-up chain left without a depot (no depot site at it
    // could be reached) would only be taken again by the next chain for its
    // town and fail the same way: it is demolished, one a turn, and the
    // town is free for a store on a better site.
    void DemolishUnservedStore() {
        for (PlanNode& node : o_.plan_list_b) {
            Chain chain = DecodeChain(node);
            if (chain.state != ChainState::GivenUp || chain.terminals[kStoreDepot] != 0) continue;
            const CBuilding* store = Building(chain.store);
            if (store == nullptr || store->owner != o_.player_number || StoreInUse(chain.store)) {
                continue;
            }
            if (!budget_.TakeAction()) return;
            if (DemolishForActingPlayer(chain.store, LeanReserve(style_)) != ActionResult::Done) {
                return;
            }
            budget_.map_changed = true;
            chain.store = 0;
            EncodeChain(chain, node);
            return;
        }
    }

    bool StoreInUse(int32_t number) const {
        for (const PlanNode& node : o_.plan_list_b) {
            const Chain chain = DecodeChain(node);
            if (chain.state != ChainState::GivenUp && chain.store == number) return true;
        }
        return false;
    }

    void Survey() {
        const int32_t now = GameMonth();
        if (o_.state_9 == now) return;
        int32_t open = 0;
        bool running = false;
        for (const PlanNode& node : o_.plan_list_b) {
            const Chain chain = DecodeChain(node);
            open += chain.state != ChainState::GivenUp;
            running = running || chain.state == ChainState::Running;
        }
        if (open >= style_.max_chains) return;
        const int32_t surveyed = o_.state_9;
        o_.state_9 = now;
        const auto choice = SurveyChains(o_, style_, running, budget_);
        if (choice) {
            steps_.StartChain(*choice);
        } else if (SurveyCutShort(budget_)) {
            o_.state_9 = surveyed;  // cut short: the next turn surveys again
        }
    }

    COpponent& o_;
    OpponentStyle style_;
    TurnBudget budget_;
    OpponentSteps steps_;
};

void COpponent::TakeTurn() {
    CGameState* gs = g_pGameState;
    const bool world = gs != nullptr && g_pWayNetwork != nullptr && g_ppBuildings != nullptr &&
                       g_pCityManager != nullptr && g_pBuildHelper != nullptr &&
                       g_pTerrain != nullptr;
    if (world && gs->game_mode == kModeGame && turn_pending != 0) {
        const ToolStateKeeper keeper;
        const ActingPlayerScope acting(player_number);
        OpponentTurn turn(*this);
        turn.Run();
        if (turn.MapChanged()) {
            gs->redraw_terrain = 1;
            gs->redraw_objects = 1;
            Views().RedrawView();
        }
    }
    ResetTurn();
}
