#include "game/opponent_steps.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "economy/building.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "game/opponent_build.h"
#include "game/opponent_fleet.h"
#include "panel/hauptdialog.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "state/acting_player.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

namespace {

// The panel's request to show the opponent news (wParam: the slot).
constexpr uint32_t kMsgOpponentNews = WM_USER + 0x6D;
constexpr int32_t kWaitMonths = 12;
constexpr int32_t kRefusalsToAbandon = 2;
constexpr int32_t kDepotReach = 2;

CBuilding* BuildingNumbered(int32_t number) {
    return number != 0 && g_ppBuildings != nullptr ? g_ppBuildings->At(number) : nullptr;
}

// The building a chain terminal's depot serves.
int32_t ServedBuilding(const Chain& chain, int32_t terminal) {
    switch (terminal) {
        case kSiteDepot:
            return chain.site;
        case kFactoryDepot:
            return chain.factory;
        default:
            return chain.store;
    }
}

// A depot's road may leave onto a plain road of nobody or of the acting
// player, or onto free flat land.
bool FrontFits(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    if (f == nullptr || x < 1 || y < 1 || x > 253 || y > 253) return false;
    if (f->teile_diff() != 0 || f->teile_art() == 0 || f->bridge_flag() || f->tunnel()) {
        return false;
    }
    if (f->spieler() != 0 && f->spieler() != g_ActingPlayer) return false;
    if (IsRoadWay(f->wegtyp()) && f->wegteil() > 0) {
        return !IsLevelCrossing(f->wegteil()) && !f->tportal();
    }
    if (f->wegtyp() != kWayNone || f->wegteil() != 0 || f->building_flag()) return false;
    return f->data_word() == 0 || f->forest_flag();
}

struct DepotSite {
    Placement placement;
    int64_t price = 0;
    int32_t distance = 0;
};

int32_t NodeOfDepot(int32_t depot) {
    const CBuilding* b = BuildingNumbered(depot);
    const MapField* f = b != nullptr ? FieldAt(b->anchor_x, b->anchor_y) : nullptr;
    return f != nullptr ? f->knotennummer() : 0;
}

}  // namespace

bool DepotFront(int32_t depot, int32_t& x, int32_t& y) {
    const CBuilding* b = BuildingNumbered(depot);
    if (b == nullptr || !IsTruckDepotType(b->type)) return false;
    x = b->anchor_x + DirDx(b->type - kTypeTruckDepot);
    y = b->anchor_y + DirDy(b->type - kTypeTruckDepot);
    return true;
}

bool DepotsJoined(int32_t from, int32_t to) {
    const int32_t a = NodeOfDepot(from);
    const int32_t b = NodeOfDepot(to);
    if (a == 0 || b == 0 || g_pWayNetwork == nullptr) return false;
    g_pWayNetwork->FindRoutes(a);
    return g_pWayNetwork->Route(b).dist >= 0;
}

void OpponentSteps::StartChain(const ChainChoice& choice) {
    Chain chain;
    chain.id = ++o_.state_8;
    chain.state = ChainState::Building;
    chain.mode = ChainMode::Road;
    chain.raw = choice.raw;
    chain.product = choice.product;
    chain.factory_x = choice.factory.x;
    chain.factory_y = choice.factory.y;
    chain.site = choice.site;
    chain.city_slot = choice.city_slot;
    chain.start_month = GameMonth();
    chain.last_check = chain.start_month;
    PlanNode node;
    EncodeChain(chain, node);
    o_.plan_list_b.push_front(node);
    o_.state_7 = static_cast<int32_t>(ChainState::Building);

    const int32_t id = chain.id;
    StepList& steps = o_.step_lists[0];
    steps.clear();
    const auto add = [&](StepKind kind, int32_t x, int32_t y, int32_t a0, int32_t a1) {
        BuildStep step;
        step.kind = kind;
        step.x = x;
        step.y = y;
        step.args = {a0, a1, id};
        steps.push_back(EncodeStep(step));
    };
    add(StepKind::Store, choice.store.x, choice.store.y, choice.store.type, 0);
    add(StepKind::Factory, choice.factory.x, choice.factory.y, choice.factory.type, choice.product);
    add(StepKind::Depot, 0, 0, kSiteDepot, 0);
    add(StepKind::Depot, 0, 0, kFactoryDepot, 0);
    add(StepKind::Depot, 0, 0, kStoreDepot, 0);
    add(StepKind::Road, 0, 0, kSiteDepot, kFactoryDepot);
    add(StepKind::Road, 0, 0, kFactoryDepot, kStoreDepot);
    add(StepKind::Trucks, 0, 0, style_.trucks, 0);
}

bool OpponentSteps::Building() const {
    for (const PlanNode& node : o_.plan_list_b) {
        if (DecodeChain(node).state == ChainState::Building) return true;
    }
    return false;
}

PlanNode* OpponentSteps::ChainNode(int32_t id) {
    for (PlanNode& node : o_.plan_list_b) {
        if (node.number == id) return &node;
    }
    return nullptr;
}

void OpponentSteps::Run() {
    RunList(o_.step_lists[1], true);
    RunList(o_.step_lists[0], false);
}

void OpponentSteps::RunList(StepList& steps, bool repairs) {
    while (!steps.empty()) {
        BuildStep step = DecodeStep(steps.front());
        PlanNode* node = ChainNode(step.args[2]);
        Chain chain = node != nullptr ? DecodeChain(*node) : Chain{};
        if (node == nullptr || chain.state == ChainState::GivenUp) {
            steps.pop_front();
            continue;
        }
        o_.turn_ref_1 = node;
        const Outcome outcome = Execute(step, chain, *node);
        if (outcome == Outcome::OutOfTurn || outcome == Outcome::Wait) {
            steps.front() = EncodeStep(step);  // keeps a step's progress
        }
        if (outcome == Outcome::OutOfTurn) return;
        if (outcome == Outcome::Done) {
            steps.pop_front();
            const bool last = std::none_of(steps.begin(), steps.end(), [&](const StepNode& s) {
                return DecodeStep(s).args[2] == chain.id;
            });
            chain = DecodeChain(*node);
            if (last && chain.state == ChainState::Building) {
                chain.state = ChainState::Running;
                chain.start_month = GameMonth();
                chain.last_check = chain.start_month;
                EncodeChain(chain, *node);
                o_.state_7 = static_cast<int32_t>(ChainState::Running);
            }
            continue;
        }
        if (outcome == Outcome::Refused) {
            ++step.refusals;
            steps.front() = EncodeStep(step);
            if (step.refusals >= kRefusalsToAbandon) {
                if (repairs) {
                    steps.remove_if(
                        [&](const StepNode& s) { return DecodeStep(s).args[2] == chain.id; });
                } else {
                    GiveUp(*node);
                }
            }
            return;
        }
        // Waiting for money: a chain under construction waits a year at most.
        if (!repairs && GameMonth() - chain.start_month >= kWaitMonths) GiveUp(*node);
        return;
    }
}

OpponentSteps::Outcome OpponentSteps::Execute(BuildStep& step, Chain& chain, PlanNode& node) {
    const auto map = [](ActionResult r) {
        return r == ActionResult::Done   ? Outcome::Done
               : r == ActionResult::Wait ? Outcome::Wait
                                         : Outcome::Refused;
    };
    switch (step.kind) {
        case StepKind::Store:
        case StepKind::Factory: {
            int32_t& slot = step.kind == StepKind::Store ? chain.store : chain.factory;
            if (BuildingNumbered(slot) != nullptr) return Outcome::Done;
            if (!budget_.TakeAction()) return Outcome::OutOfTurn;
            int32_t number = 0;
            const ActionResult r =
                PlaceForActingPlayer({step.args[0], step.x, step.y}, style_.reserve, number);
            if (r != ActionResult::Done) return map(r);
            budget_.map_changed = true;
            slot = number;
            EncodeChain(chain, node);
            if (step.kind == StepKind::Factory) {
                BuildingNumbered(number)->SetProduct(step.args[1]);
                SendNews(node);
            }
            return Outcome::Done;
        }
        case StepKind::Depot:
            return PlaceDepot(step.args[0], ServedBuilding(chain, step.args[0]), chain);
        case StepKind::Road:
            return LayRoad(step.args[0], step.args[1], chain);
        case StepKind::Trucks:
            while (step.args[0] > 0) {
                if (!budget_.TakeAction()) return Outcome::OutOfTurn;
                if (BuyChainTruck(o_, chain, style_.reserve) == nullptr) return Outcome::Wait;
                --step.args[0];
            }
            return Outcome::Done;
    }
    return Outcome::Refused;
}

OpponentSteps::Outcome OpponentSteps::PlaceDepot(int32_t terminal, int32_t served, Chain& chain) {
    if (terminal < 0 || terminal >= kChainTerminals) return Outcome::Refused;
    int32_t& depot = chain.terminals[terminal];
    if (BuildingNumbered(depot) != nullptr && IsTruckDepotType(BuildingNumbered(depot)->type))
        return Outcome::Done;
    const CBuilding* b = BuildingNumbered(served);
    if (b == nullptr) return Outcome::Refused;
    if (budget_.actions <= 0) return Outcome::OutOfTurn;
    const BuildingType& kind = g_pGameState->building_types[b->type];
    const int32_t x0 = b->anchor_x;
    const int32_t y0 = b->anchor_y;
    const int32_t x1 = x0 + kind.floor_width - 1;
    const int32_t y1 = y0 + kind.floor_depth - 1;
    const auto inside = [&](int32_t x, int32_t y) {
        return x >= x0 && x <= x1 && y >= y0 && y <= y1;
    };
    // Towards the chain's next building: the factory from the site and the
    // store, the store from the factory.
    const CBuilding* toward =
        BuildingNumbered(terminal == kFactoryDepot ? chain.store : chain.factory);
    const int32_t tx = toward != nullptr ? toward->anchor_x : chain.factory_x;
    const int32_t ty = toward != nullptr ? toward->anchor_y : chain.factory_y;
    std::vector<DepotSite> sites;
    for (int32_t y = y0 - kDepotReach; y <= y1 + kDepotReach; ++y) {
        for (int32_t x = x0 - kDepotReach; x <= x1 + kDepotReach; ++x) {
            if (inside(x, y)) continue;
            for (int32_t o = 0; o < 4; ++o) {
                const int32_t fx = x + DirDx(o);
                const int32_t fy = y + DirDy(o);
                if (inside(fx, fy) || !FrontFits(fx, fy)) continue;
                const Placement placement{kTypeTruckDepot + o, x, y};
                const int64_t price = PreviewPlacement(placement);
                if (price < 0) continue;
                const int32_t distance = std::abs(fx - tx) + std::abs(fy - ty);
                sites.push_back({placement, price, distance});
            }
        }
    }
    // The cheapest site (no city buildings to pay for), then the one nearest
    // the chain's next building.
    std::stable_sort(sites.begin(), sites.end(), [](const DepotSite& a, const DepotSite& c) {
        return a.price != c.price ? a.price < c.price : a.distance < c.distance;
    });
    for (const DepotSite& site : sites) {
        budget_.TakeAction();
        int32_t number = 0;
        const ActionResult r = PlaceForActingPlayer(site.placement, style_.reserve, number);
        if (r == ActionResult::Wait) return Outcome::Wait;
        if (r != ActionResult::Done) return Outcome::Refused;
        budget_.map_changed = true;
        depot = number;
        PlanNode* node = ChainNode(chain.id);
        if (node != nullptr) EncodeChain(chain, *node);
        return Outcome::Done;
    }
    return Outcome::Refused;
}

OpponentSteps::Outcome OpponentSteps::LayRoad(int32_t from, int32_t to, const Chain& chain) {
    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = 0;
    int32_t y2 = 0;
    if (from < 0 || to < 0 || from >= kChainTerminals || to >= kChainTerminals) {
        return Outcome::Refused;
    }
    if (!DepotFront(chain.terminals[from], x1, y1) || !DepotFront(chain.terminals[to], x2, y2)) {
        return Outcome::Refused;
    }
    if (budget_.actions <= 0 || budget_.plans <= 0) return Outcome::OutOfTurn;
    budget_.TakeAction();
    budget_.TakePlan();
    const ActionResult r = LayRoadForActingPlayer(x1, y1, x2, y2, style_.reserve);
    if (r == ActionResult::Done) {
        budget_.map_changed = true;
        for (const int32_t depot : {chain.terminals[from], chain.terminals[to]}) {
            const CBuilding* b = BuildingNumbered(depot);
            int32_t fx = 0;
            int32_t fy = 0;
            if (DepotFront(depot, fx, fy)) JoinDepotToRoad(b->anchor_x, b->anchor_y, fx, fy);
        }
    }
    return r == ActionResult::Done   ? Outcome::Done
           : r == ActionResult::Wait ? Outcome::Wait
                                     : Outcome::Refused;
}

void OpponentSteps::PlanRepair(PlanNode& node) {
    const Chain chain = DecodeChain(node);
    if (budget_.searches <= 0) return;
    --budget_.searches;
    const int32_t start = NodeOfDepot(chain.terminals[kSiteDepot]);
    if (start == 0 || g_pWayNetwork == nullptr) return;
    g_pWayNetwork->FindRoutes(start);
    const auto reached = [&](int32_t terminal) {
        const int32_t n = NodeOfDepot(chain.terminals[terminal]);
        return n != 0 && g_pWayNetwork->Route(n).dist >= 0;
    };
    const auto add = [&](StepKind kind, int32_t a0, int32_t a1) {
        BuildStep step;
        step.kind = kind;
        step.args = {a0, a1, chain.id};
        o_.step_lists[1].push_back(EncodeStep(step));
    };
    const bool factory = reached(kFactoryDepot);
    if (!factory) add(StepKind::Road, kSiteDepot, kFactoryDepot);
    if (!factory || !reached(kStoreDepot)) add(StepKind::Road, kFactoryDepot, kStoreDepot);
    const int32_t missing =
        style_.trucks - static_cast<int32_t>(ChainVehicles(o_, chain.id).size());
    if (missing > 0) add(StepKind::Trucks, missing, 0);
}

void OpponentSteps::GiveUp(PlanNode& node) {
    Chain chain = DecodeChain(node);
    if (chain.state == ChainState::GivenUp) return;
    ScrapChainVehicles(o_, chain.id);
    for (StepList* steps : {&o_.step_lists[0], &o_.step_lists[1]}) {
        steps->remove_if([&](const StepNode& s) { return DecodeStep(s).args[2] == chain.id; });
    }
    chain.state = ChainState::GivenUp;
    EncodeChain(chain, node);
    o_.step_list_c.push_back(
        EncodeGivenUp({chain.site, chain.city_slot, chain.product, GameMonth()}));
    if (o_.turn_ref_1 == &node) o_.turn_ref_1 = nullptr;
}

void OpponentSteps::SendNews(PlanNode& node) {
    // The chain whose factory now stands goes to the front: the news
    // popup shows the first chain's factory.
    for (auto it = o_.plan_list_b.begin(); it != o_.plan_list_b.end(); ++it) {
        if (&*it == &node) {
            o_.plan_list_b.splice(o_.plan_list_b.begin(), o_.plan_list_b, it);
            break;
        }
    }
    if (g_pHauptDialog != nullptr) {
        plat::SendMessage(g_pHauptDialog, kMsgOpponentNews,
                          static_cast<plat::WParam>(o_.player_number - 1), 0);
    }
}
