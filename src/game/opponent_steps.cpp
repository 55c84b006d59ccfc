#include "game/opponent_steps.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "economy/building.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/train_station.h"
#include "game/opponent.h"
#include "game/opponent_build.h"
#include "game/opponent_fleet.h"
#include "game/opponent_survey.h"
#include "platform/window.h"
#include "state/acting_player.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/panel_events.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

namespace {

constexpr int32_t kWaitMonths = 12;
constexpr int32_t kRefusalsToAbandon = 2;
// A depot refused tries the next sites around its building (two a turn):
// it costs nothing but time, so it is given more turns.
constexpr int32_t kDepotRefusalsToAbandon = 4;
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
        case kFactoryStation:
            return chain.factory;
        case kSiteStation:
            return chain.site;
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

// Whether a road can go on from a depot's front field (x, y): a neighbour
// other than the depot's own field (dx, dy) carries a road it may use or is
// land a road may be laid on.
bool FrontOpen(int32_t x, int32_t y, int32_t dx, int32_t dy) {
    for (int32_t d = 0; d < 4; ++d) {
        const int32_t nx = x + DirDx(d);
        const int32_t ny = y + DirDy(d);
        if ((nx == dx && ny == dy) || !FrontFits(nx, ny)) continue;
        const MapField* f = FieldAt(nx, ny);
        const bool house = f->stadtnum() > 0 && !f->no_building_mask() && f->stadtb() != 0;
        if (!house || (IsRoadWay(f->wegtyp()) && f->wegteil() > 0)) return true;
    }
    return false;
}

// A station's track may leave onto free flat land or the acting player's
// own rails.
bool TrackFits(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    if (f == nullptr || x < 1 || y < 1 || x > 253 || y > 253) return false;
    if (f->teile_diff() != 0 || f->teile_art() == 0 || f->bridge_flag() || f->tunnel()) {
        return false;
    }
    if (f->building_flag()) return false;
    if (f->wegtyp() == kWayRail && f->spieler() == g_ActingPlayer) return true;
    if (f->spieler() != 0 || f->wegtyp() != kWayNone || f->wegteil() != 0) return false;
    return f->data_word() == 0 || f->forest_flag();
}

// The two ends of a station's track line: the outer line fields and the
// fields beyond them along the line.
struct TrackEnd {
    int32_t x = 0;  // the last field of the track line
    int32_t y = 0;
    int32_t out_x = 0;  // the field beyond it
    int32_t out_y = 0;
};

// The ends of the track line of a station of type `type` (6..9) whose
// footprint starts at (x, y), as the placement lays it.
std::array<TrackEnd, 2> TrackEnds(int32_t type, int32_t x, int32_t y) {
    const bool along_x = type == 6 || type == 8;
    const int32_t tx = type == 7 ? x + 1 : x;
    const int32_t ty = type == 8 ? y + 1 : y;
    const int32_t dx = along_x ? 1 : 0;
    const int32_t dy = along_x ? 0 : 1;
    return {TrackEnd{tx, ty, tx - dx, ty - dy},
            TrackEnd{tx + 3 * dx, ty + 3 * dy, tx + 4 * dx, ty + 4 * dy}};
}

// The ends of a standing station's first platform row.
std::array<TrackEnd, 2> StationEnds(const CBuilding& station) {
    const StationGeometry g{station.type, station.anchor_x, station.anchor_y};
    const bool along_x = station.type == 6 || station.type == 8;
    const int32_t x = g.line_x(1, 0);
    const int32_t y = g.line_y(1, 0);
    const int32_t dx = along_x ? 1 : 0;
    const int32_t dy = along_x ? 0 : 1;
    return {TrackEnd{x, y, x - dx, y - dy},
            TrackEnd{x + 3 * dx, y + 3 * dy, x + 4 * dx, y + 4 * dy}};
}

int32_t Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return std::abs(x1 - x2) + std::abs(y1 - y2);
}

// The fields a building stands on, corner to corner.
struct FloorBox {
    int32_t x0, y0, x1, y1;
};

FloorBox FloorOf(const CBuilding& b) {
    const BuildingType& kind = g_pGameState->building_types[b.type];
    return {b.anchor_x, b.anchor_y, b.anchor_x + kind.floor_width - 1,
            b.anchor_y + kind.floor_depth - 1};
}

struct StationSite {
    Placement placement;
    int32_t distance = 0;
};

struct DepotSite {
    Placement placement;
    int64_t price = 0;
    int32_t distance = 0;
};

// The network node of a terminal: a depot's own field, a station's first
// platform row's first field.
int32_t NodeOfTerminal(int32_t terminal) {
    const CBuilding* b = BuildingNumbered(terminal);
    if (b == nullptr) return 0;
    int32_t x = b->anchor_x;
    int32_t y = b->anchor_y;
    if (IsStationType(b->type)) {
        const StationGeometry g{b->type, b->anchor_x, b->anchor_y};
        x = g.line_x(1, 0);
        y = g.line_y(1, 0);
    }
    const MapField* f = FieldAt(x, y);
    return f != nullptr ? f->knotennummer() : 0;
}

OpponentSteps::Outcome OutcomeOf(ActionResult r) {
    switch (r) {
        case ActionResult::Done:
            return OpponentSteps::Outcome::Done;
        case ActionResult::Wait:
            return OpponentSteps::Outcome::Wait;
        case ActionResult::OutOfTurn:
            return OpponentSteps::Outcome::OutOfTurn;
        default:
            return OpponentSteps::Outcome::Refused;
    }
}

}  // namespace

bool DepotFront(int32_t depot, int32_t& x, int32_t& y) {
    const CBuilding* b = BuildingNumbered(depot);
    if (b == nullptr || !IsTruckDepotType(b->type)) return false;
    x = b->anchor_x + DirDx(b->type - kTypeTruckDepot);
    y = b->anchor_y + DirDy(b->type - kTypeTruckDepot);
    return true;
}

std::vector<Placement> DepotSitesAround(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t tx,
                                        int32_t ty) {
    const auto inside = [&](int32_t x, int32_t y) {
        return x >= x0 && x <= x1 && y >= y0 && y <= y1;
    };
    // A depot stands on flat land without a way or a company's building.
    const auto depot_fits = [](int32_t x, int32_t y) {
        const MapField* f = FieldAt(x, y);
        return f != nullptr && f->teile_diff() == 0 && f->teile_art() != 0 && !f->bridge_flag() &&
               f->wegtyp() == kWayNone && f->wegteil() == 0 && !f->building_flag() &&
               f->spieler() == 0;
    };
    std::vector<std::pair<Placement, int32_t>> sites;
    for (int32_t y = y0 - kDepotReach; y <= y1 + kDepotReach; ++y) {
        for (int32_t x = x0 - kDepotReach; x <= x1 + kDepotReach; ++x) {
            if (inside(x, y) || !depot_fits(x, y)) continue;
            for (int32_t o = 0; o < 4; ++o) {
                const int32_t fx = x + DirDx(o);
                const int32_t fy = y + DirDy(o);
                if (inside(fx, fy) || !FrontFits(fx, fy) || !FrontOpen(fx, fy, x, y)) continue;
                sites.push_back({Placement{kTypeTruckDepot + o, x, y}, Distance(fx, fy, tx, ty)});
            }
        }
    }
    std::stable_sort(sites.begin(), sites.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    std::vector<Placement> placements;
    placements.reserve(sites.size());
    for (const auto& site : sites) placements.push_back(site.first);
    return placements;
}

bool DepotsJoined(int32_t from, int32_t to) {
    const int32_t a = NodeOfTerminal(from);
    const int32_t b = NodeOfTerminal(to);
    if (a == 0 || b == 0 || g_pWayNetwork == nullptr) return false;
    g_pWayNetwork->FindRoutes(a);
    return g_pWayNetwork->Route(b).dist >= 0;
}

void OpponentSteps::StartChain(const ChainChoice& choice) {
    Chain chain;
    chain.id = ++o_.state_8;
    chain.state = ChainState::Building;
    chain.mode = choice.mode;
    chain.raw = choice.raw;
    chain.product = choice.product;
    chain.factory_x = choice.factory.x;
    chain.factory_y = choice.factory.y;
    chain.site = choice.site;
    chain.city_slot = choice.city_slot;
    chain.start_month = GameMonth();
    chain.last_check = chain.start_month;
    chain.lean = choice.trucks < style_.trucks;
    UseAgain(choice, chain);
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
    if (chain.mode == ChainMode::Rail) {
        // The raw material goes by train, the product by truck.
        add(StepKind::Station, 0, 0, kSiteStation, 0);
        add(StepKind::Station, 0, 0, kFactoryStation, 0);
        add(StepKind::Depot, 0, 0, kFactoryDepot, 0);
        add(StepKind::Depot, 0, 0, kStoreDepot, 0);
        add(StepKind::Track, 0, 0, kSiteStation, kFactoryStation);
        add(StepKind::Road, 0, 0, kFactoryDepot, kStoreDepot);
        add(StepKind::Train, 0, 0, 1, 0);
    } else {
        add(StepKind::Depot, 0, 0, kSiteDepot, 0);
        add(StepKind::Depot, 0, 0, kFactoryDepot, 0);
        add(StepKind::Depot, 0, 0, kStoreDepot, 0);
        add(StepKind::Road, 0, 0, kSiteDepot, kFactoryDepot);
        add(StepKind::Road, 0, 0, kFactoryDepot, kStoreDepot);
    }
    add(StepKind::Trucks, 0, 0, choice.trucks, 0);
}

void OpponentSteps::UseAgain(const ChainChoice& choice, Chain& chain) {
    const int32_t p = o_.player_number;
    const auto own = [p](int32_t number) {
        const CBuilding* b = BuildingNumbered(number);
        return b != nullptr && b->owner == p ? number : 0;
    };
    chain.store = own(choice.store_number);
    chain.factory = own(choice.factory_number);
    if (CBuilding* factory = BuildingNumbered(chain.factory)) factory->SetProduct(chain.product);
    // The depots and stations of a given-up chain beside them come along.
    for (const PlanNode& node : o_.plan_list_b) {
        const Chain old = DecodeChain(node);
        if (old.state != ChainState::GivenUp) continue;
        if (chain.store != 0 && old.store == chain.store && chain.terminals[kStoreDepot] == 0) {
            chain.terminals[kStoreDepot] = own(old.terminals[kStoreDepot]);
        }
        if (chain.factory != 0 && old.factory == chain.factory) {
            for (const int32_t t : {kFactoryDepot, kFactoryStation}) {
                if (chain.terminals[t] == 0) chain.terminals[t] = own(old.terminals[t]);
            }
        }
    }
    if (chain.factory != 0) {
        const CBuilding* factory = BuildingNumbered(chain.factory);
        chain.factory_x = factory->anchor_x;
        chain.factory_y = factory->anchor_y;
    }
}

int64_t OpponentSteps::ReserveOf(const Chain& chain) const {
    return chain.lean ? LeanReserve(style_) : style_.reserve;
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
        if (outcome == Outcome::Refused && !repairs && step.kind == StepKind::Road &&
            step.refusals == 0 && PlaceAgain(step, chain, *node, steps)) {
            continue;
        }
        if (outcome == Outcome::Refused) {
            ++step.refusals;
            steps.front() = EncodeStep(step);
            const int32_t limit =
                step.kind == StepKind::Depot ? kDepotRefusalsToAbandon : kRefusalsToAbandon;
            if (step.refusals >= limit) {
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

bool OpponentSteps::PlaceAgain(BuildStep& road, Chain& chain, PlanNode& node, StepList& steps) {
    // A road its planner cannot find: the depot at its far end goes
    // elsewhere (a new depot beside the same building) before the road is
    // refused for good.
    const int32_t to = road.args[1];
    int32_t fx = 0;
    int32_t fy = 0;
    if (to < 0 || to >= kChainTerminals || !DepotFront(chain.terminals[to], fx, fy)) return false;
    ++road.refusals;
    steps.front() = EncodeStep(road);
    chain.terminals[to] = 0;
    EncodeChain(chain, node);
    BuildStep depot;
    depot.kind = StepKind::Depot;
    depot.x = fx;
    depot.y = fy;
    depot.args = {to, 0, chain.id};
    steps.push_front(EncodeStep(depot));
    return true;
}

OpponentSteps::Outcome OpponentSteps::Execute(BuildStep& step, Chain& chain, PlanNode& node) {
    const auto map = [](ActionResult r) { return OutcomeOf(r); };
    switch (step.kind) {
        case StepKind::Store:
        case StepKind::Factory: {
            int32_t& slot = step.kind == StepKind::Store ? chain.store : chain.factory;
            if (BuildingNumbered(slot) != nullptr) return Outcome::Done;
            if (!budget_.TakeAction()) return Outcome::OutOfTurn;
            int32_t number = 0;
            const ActionResult r = PlaceForActingPlayer({step.args[0], step.x, step.y},
                                                        ReserveOf(chain), number, &budget_);
            if (r == ActionResult::Refused) {
                // The site was taken since the survey: the store moves to
                // another site of the same city, the factory to another site
                // near the store. Only when there is none is it a refusal.
                const auto site = step.kind == StepKind::Store
                                      ? FindNewStoreSite(chain.city_slot, step.args[0], budget_)
                                      : FindNewFactorySite(chain, step.args[0], budget_);
                if (!site && budget_.checks <= 0) return Outcome::OutOfTurn;
                if (site && (site->x != step.x || site->y != step.y)) {
                    step.x = site->x;
                    step.y = site->y;
                    if (step.kind == StepKind::Factory) {
                        chain.factory_x = site->x;
                        chain.factory_y = site->y;
                        EncodeChain(chain, node);
                    }
                    return Outcome::Wait;
                }
            }
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
            return PlaceDepot(step, ServedBuilding(chain, step.args[0]), chain);
        case StepKind::Road:
            return LayRoad(step.args[0], step.args[1], chain);
        case StepKind::Station:
            return PlaceStation(step.args[0], ServedBuilding(chain, step.args[0]), chain);
        case StepKind::Track:
            return LayTrack(step.args[0], step.args[1], chain);
        case StepKind::Trucks:
        case StepKind::Train:
            while (step.args[0] > 0) {
                if (!budget_.TakeAction()) return Outcome::OutOfTurn;
                const CVehicle* bought = step.kind == StepKind::Trucks
                                             ? BuyChainTruck(o_, chain, ReserveOf(chain))
                                             : BuyChainTrain(o_, chain, ReserveOf(chain));
                if (bought == nullptr) return Outcome::Wait;
                --step.args[0];
            }
            return Outcome::Done;
    }
    return Outcome::Refused;
}

OpponentSteps::Outcome OpponentSteps::PlaceTerminal(const Placement& placement, int32_t terminal,
                                                    Chain& chain) {
    budget_.TakeAction();
    int32_t number = 0;
    const ActionResult r = PlaceForActingPlayer(placement, ReserveOf(chain), number, &budget_);
    if (r != ActionResult::Done) return OutcomeOf(r);
    budget_.map_changed = true;
    chain.terminals[terminal] = number;
    if (PlanNode* node = ChainNode(chain.id)) EncodeChain(chain, *node);
    return Outcome::Done;
}

OpponentSteps::Outcome OpponentSteps::PlaceDepot(const BuildStep& step, int32_t served,
                                                 Chain& chain) {
    const int32_t terminal = step.args[0];
    if (terminal < 0 || terminal >= kChainTerminals) return Outcome::Refused;
    int32_t& depot = chain.terminals[terminal];
    const CBuilding* standing = BuildingNumbered(depot);
    if (standing != nullptr && IsTruckDepotType(standing->type) &&
        standing->owner == o_.player_number) {
        return Outcome::Done;
    }
    const CBuilding* b = BuildingNumbered(served);
    if (b == nullptr) return Outcome::Refused;
    if (budget_.actions <= 0) return Outcome::OutOfTurn;
    const FloorBox floor = FloorOf(*b);
    const int32_t x0 = floor.x0;
    const int32_t y0 = floor.y0;
    const int32_t x1 = floor.x1;
    const int32_t y1 = floor.y1;
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
                if (inside(fx, fy) || !FrontFits(fx, fy) || !FrontOpen(fx, fy, x, y)) continue;
                // A depot placed again keeps off the front whose road failed.
                if (step.x != 0 && fx == step.x && fy == step.y) continue;
                const Placement placement{kTypeTruckDepot + o, x, y};
                const int64_t price = PreviewPlacement(placement, &budget_);
                if (price == kNoCheckLeft) return Outcome::OutOfTurn;
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
    if (sites.empty()) return AdoptDepot(served, terminal, chain);
    // The second depot of a road leg: the first site whose front a road from
    // the leg's other depot reaches (a refused try starts further down the
    // list).
    int32_t px = 0;
    int32_t py = 0;
    const int32_t partner = PartnerDepot(chain, terminal);
    if (partner < 0 || !DepotFront(chain.terminals[partner], px, py)) {
        return PlaceTerminal(sites.front().placement, terminal, chain);
    }
    constexpr size_t kTriesPerRefusal = 2;
    for (size_t i = static_cast<size_t>(step.refusals) * kTriesPerRefusal; i < sites.size(); ++i) {
        if (!budget_.TakePlan()) return Outcome::OutOfTurn;
        const Placement& p = sites[i].placement;
        const int32_t o = p.type - kTypeTruckDepot;
        const bool planned = PlanRoadForActingPlayer(px, py, p.x + DirDx(o), p.y + DirDy(o)) >= 0;
        if (g_pWayNetwork != nullptr) g_pWayNetwork->FreePath();
        if (planned) return PlaceTerminal(p, terminal, chain);
        if (i + 1 >= (static_cast<size_t>(step.refusals) + 1) * kTriesPerRefusal) break;
    }
    return Outcome::Refused;
}

int32_t OpponentSteps::PartnerDepot(const Chain& chain, int32_t terminal) const {
    if (terminal == kStoreDepot) return kFactoryDepot;
    if (terminal == kFactoryDepot && chain.mode == ChainMode::Road) return kSiteDepot;
    return -1;
}

OpponentSteps::Outcome OpponentSteps::AdoptDepot(int32_t served, int32_t terminal, Chain& chain) {
    // No room for a new depot: one of the opponent's own beside the building
    // (left by a given-up chain) serves.
    const CBuilding* b = BuildingNumbered(served);
    if (b == nullptr) return Outcome::Refused;
    const FloorBox floor = FloorOf(*b);
    for (int32_t y = floor.y0 - kDepotReach; y <= floor.y1 + kDepotReach; ++y) {
        for (int32_t x = floor.x0 - kDepotReach; x <= floor.x1 + kDepotReach; ++x) {
            const MapField* f = FieldAt(x, y);
            const int32_t number = f != nullptr && f->building_flag() ? f->BuildingNumber() : 0;
            const CBuilding* d = BuildingNumbered(number);
            if (d == nullptr || !IsTruckDepotType(d->type) || d->owner != o_.player_number) {
                continue;
            }
            if (std::find(chain.terminals.begin(), chain.terminals.end(), number) !=
                chain.terminals.end()) {
                continue;
            }
            chain.terminals[terminal] = number;
            if (PlanNode* node = ChainNode(chain.id)) EncodeChain(chain, *node);
            return Outcome::Done;
        }
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
    const ActionResult r = LayRoadForActingPlayer(x1, y1, x2, y2, ReserveOf(chain));
    if (r == ActionResult::Done) {
        budget_.map_changed = true;
        for (const int32_t depot : {chain.terminals[from], chain.terminals[to]}) {
            const CBuilding* b = BuildingNumbered(depot);
            int32_t fx = 0;
            int32_t fy = 0;
            if (DepotFront(depot, fx, fy)) JoinDepotToRoad(b->anchor_x, b->anchor_y, fx, fy);
        }
    }
    return OutcomeOf(r);
}

OpponentSteps::Outcome OpponentSteps::PlaceStation(int32_t terminal, int32_t served, Chain& chain) {
    if (terminal != kSiteStation && terminal != kFactoryStation) return Outcome::Refused;
    int32_t& station = chain.terminals[terminal];
    const CBuilding* standing = BuildingNumbered(station);
    if (standing != nullptr && IsStationType(standing->type) &&
        standing->owner == o_.player_number) {
        return Outcome::Done;
    }
    const CBuilding* b = BuildingNumbered(served);
    if (b == nullptr) return Outcome::Refused;
    if (budget_.actions <= 0) return Outcome::OutOfTurn;
    const FloorBox floor = FloorOf(*b);
    const int32_t x0 = floor.x0;
    const int32_t y0 = floor.y0;
    const int32_t x1 = floor.x1;
    const int32_t y1 = floor.y1;
    // The track leaves towards the other end of the rail leg.
    const CBuilding* toward =
        BuildingNumbered(terminal == kSiteStation ? chain.factory : chain.site);
    const int32_t tx = toward != nullptr ? toward->anchor_x : chain.factory_x;
    const int32_t ty = toward != nullptr ? toward->anchor_y : chain.factory_y;
    std::vector<StationSite> sites;
    for (int32_t type = kTypeTrainStation; type < kTypeTrainStation + 4; ++type) {
        const bool along_x = type == 6 || type == 8;
        const int32_t w = along_x ? 4 : 2;
        const int32_t h = along_x ? 2 : 4;
        for (int32_t y = y0 - kDepotReach - h + 1; y <= y1 + kDepotReach; ++y) {
            for (int32_t x = x0 - kDepotReach - w + 1; x <= x1 + kDepotReach; ++x) {
                if (x <= x1 && x + w - 1 >= x0 && y <= y1 && y + h - 1 >= y0) continue;
                int32_t best = -1;
                for (const TrackEnd& end : TrackEnds(type, x, y)) {
                    if (!TrackFits(end.out_x, end.out_y)) continue;
                    const int32_t d = Distance(end.out_x, end.out_y, tx, ty);
                    if (best < 0 || d < best) best = d;
                }
                if (best >= 0) sites.push_back({{type, x, y}, best});
            }
        }
    }
    // The site whose track leaves nearest the other end; each look is a
    // construction check, so the first accepted one is taken.
    std::stable_sort(sites.begin(), sites.end(), [](const StationSite& a, const StationSite& c) {
        return a.distance < c.distance;
    });
    for (const StationSite& site : sites) {
        const int64_t price = PreviewPlacement(site.placement, &budget_);
        if (price == kNoCheckLeft) return Outcome::OutOfTurn;
        if (price < 0) continue;
        return PlaceTerminal(site.placement, terminal, chain);
    }
    return Outcome::Refused;
}

OpponentSteps::Outcome OpponentSteps::LayTrack(int32_t from, int32_t to, const Chain& chain) {
    if (from < 0 || to < 0 || from >= kChainTerminals || to >= kChainTerminals) {
        return Outcome::Refused;
    }
    const CBuilding* a = BuildingNumbered(chain.terminals[from]);
    const CBuilding* b = BuildingNumbered(chain.terminals[to]);
    if (a == nullptr || b == nullptr || !IsStationType(a->type) || !IsStationType(b->type)) {
        return Outcome::Refused;
    }
    // The pair of row ends nearest each other.
    TrackEnd ea;
    TrackEnd eb;
    int32_t best = -1;
    for (const TrackEnd& i : StationEnds(*a)) {
        for (const TrackEnd& j : StationEnds(*b)) {
            const int32_t d = Distance(i.out_x, i.out_y, j.out_x, j.out_y);
            if (best < 0 || d < best) {
                best = d;
                ea = i;
                eb = j;
            }
        }
    }
    if (budget_.actions <= 0 || budget_.plans <= 0) return Outcome::OutOfTurn;
    budget_.TakeAction();
    budget_.TakePlan();
    const ActionResult r = LayTrackForActingPlayer(ea.x, ea.y, eb.x, eb.y, ReserveOf(chain));
    if (r == ActionResult::Done) budget_.map_changed = true;
    return OutcomeOf(r);
}

void OpponentSteps::PlanRepair(PlanNode& node) {
    const Chain chain = DecodeChain(node);
    if (budget_.searches <= 0) return;
    --budget_.searches;
    const bool rail = chain.mode == ChainMode::Rail;
    const int32_t start = NodeOfTerminal(chain.terminals[rail ? kSiteStation : kSiteDepot]);
    if (start == 0 || g_pWayNetwork == nullptr) return;
    g_pWayNetwork->FindRoutes(start);
    const auto reached = [&](int32_t terminal) {
        const int32_t n = NodeOfTerminal(chain.terminals[terminal]);
        return n != 0 && g_pWayNetwork->Route(n).dist >= 0;
    };
    const auto add = [&](StepKind kind, int32_t a0, int32_t a1) {
        BuildStep step;
        step.kind = kind;
        step.args = {a0, a1, chain.id};
        o_.step_lists[1].push_back(EncodeStep(step));
    };
    const auto missing = [&](ChainLeg leg, int32_t wanted) {
        return wanted - static_cast<int32_t>(ChainVehicles(o_, chain.id, leg).size());
    };
    if (rail) {
        // One search: the rail leg. The road leg's step lays only what is
        // missing (nothing costs nothing).
        if (!reached(kFactoryStation)) add(StepKind::Track, kSiteStation, kFactoryStation);
        add(StepKind::Road, kFactoryDepot, kStoreDepot);
        if (missing(ChainLeg::Rail, 1) > 0) add(StepKind::Train, 1, 0);
    } else {
        const bool factory = reached(kFactoryDepot);
        if (!factory) add(StepKind::Road, kSiteDepot, kFactoryDepot);
        if (!factory || !reached(kStoreDepot)) add(StepKind::Road, kFactoryDepot, kStoreDepot);
    }
    const int32_t trucks = missing(ChainLeg::Road, chain.lean ? 1 : style_.trucks);
    if (trucks > 0) add(StepKind::Trucks, trucks, 0);
}

void OpponentSteps::GiveUp(PlanNode& node) {
    Chain chain = DecodeChain(node);
    if (chain.state == ChainState::GivenUp) return;
    ScrapChainVehicles(o_, chain.id);
    for (StepList* steps : {&o_.step_lists[0], &o_.step_lists[1]}) {
        steps->remove_if([&](const StepNode& s) { return DecodeStep(s).args[2] == chain.id; });
    }
    const SetAside reason =
        chain.state == ChainState::Running ? SetAside::Lost : SetAside::Unfinished;
    chain.state = ChainState::GivenUp;
    EncodeChain(chain, node);
    o_.step_list_c.push_back(
        EncodeGivenUp({chain.site, chain.city_slot, chain.product, GameMonth(), reason}));
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
    Panel().OpponentNews(o_.player_number - 1);
}
