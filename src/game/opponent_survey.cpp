#include "game/opponent_survey.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "game/opponent_build.h"
#include "game/opponent_chain.h"
#include "game/opponent_fleet.h"
#include "game/opponent_steps.h"
#include "state/acting_player.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "world/construction_costs.h"
#include "world/way_network.h"
#include "world/way_queries.h"

namespace {

constexpr int32_t kMinHaul = 12;
constexpr int32_t kMinResidents = 1000;
constexpr int32_t kTruckFieldsAMonth = 150;
constexpr int32_t kTrainFieldsAMonth = 200;
constexpr int32_t kTrainUnitsATrip = 6;
constexpr int32_t kDepotPrice = 4000;
// A road chain's factory stands near its raw-material site (the short leg
// is the raw material's), a rail chain's near the store (the train runs the
// long leg).
constexpr int32_t kFactoryNearSite = 5;
constexpr int32_t kFactoryFarFromSite = 16;
constexpr int32_t kFactoryNearStore = 6;
constexpr int32_t kFactoryFarFromStore = 24;

const GoodsRecord& Good(int32_t q) {
    return g_pGameState->goods[q];
}

bool Declining(const GoodsRecord& g) {
    return g.decline_year_1 != 0 && g_pGameState->year >= g.decline_year_1;
}

// The raw material of a product with exactly one input of one unit, -1 else.
int32_t SingleRawInput(const GoodsRecord& g) {
    if (g.inputs[0] >= kRawMaterialCount || g.input_amounts[0] != 1) return -1;
    if (g.inputs[1] != kNoGood || g.inputs[2] != kNoGood) return -1;
    return g.inputs[0];
}

// Whether the site (types 10..13) makes raw material r.
bool SiteMakes(CBuilding& site, int32_t r) {
    switch (site.type) {
        case kTypeMine:
            return site.GetProduct() == r;
        case kTypeLumberMill:
        case kTypeChemicalPlant:
            return site.GetProduct() == r;
        case kTypeSteelMill:
            return r >= 2 && r <= 4;
        default:
            return false;
    }
}

// What the site has in stock (its monthly refill): a lumber mill without
// forest around it has nothing to sell.
int32_t SiteUnits(CBuilding& site, int32_t r) {
    int32_t n = 0;
    int32_t d = 1;
    return std::max(0, site.GetStock(r, n, d));
}

// The factory type that makes a product (producer kinds 9..14 are the
// industries of types 14..19).
int32_t FactoryTypeOf(const GoodsRecord& g) {
    return g.producer_kind >= kProducerMotor && g.producer_kind <= kProducerJewelry
               ? g.producer_kind + 5
               : -1;
}

int32_t CentreX(const CCity& city) {
    return city.origin_x + kCityAreaSize / 2;
}
int32_t CentreY(const CCity& city) {
    return city.origin_y + kCityAreaSize / 2;
}

bool Ours(const Chain& chain) {
    return chain.state != ChainState::GivenUp;
}

int32_t CitySlotOf(const CBuilding& b) {
    const MapField* f = FieldAt(b.anchor_x, b.anchor_y);
    return f != nullptr ? static_cast<int32_t>(f->stadtnum()) - 1 : -1;
}

// What the opponents' plans hold when the survey starts: the sites and the
// towns' store types the other opponents serve or build for, the opponent's
// own stores and factories that no chain of its own uses, and the stores of
// every type by town.
class SurveyView {
  public:
    explicit SurveyView(const COpponent& o) : o_(o) {
        for (const COpponent* other : g_pGameState->opponents) {
            if (other == nullptr || other == &o || other->turn_pending == 0) continue;
            for (const PlanNode& node : other->plan_list_b) {
                const Chain chain = DecodeChain(node);
                if (!Ours(chain)) continue;
                rival_sites_.push_back(chain.site);
                if (chain.product >= 0 && chain.product < kGoodsCount) {
                    rival_towns_.push_back({chain.city_slot, Good(chain.product).store_type});
                }
            }
        }
        std::vector<int32_t> used;
        for (const PlanNode& node : o.plan_list_b) {
            const Chain chain = DecodeChain(node);
            if (Ours(chain)) used.insert(used.end(), {chain.store, chain.factory});
        }
        for (int32_t n = kFirstBuildingSlot; n <= kLastBuildingSlot; ++n) {
            const CBuilding* b = g_ppBuildings->At(n);
            if (b == nullptr) continue;
            if (IsStoreType(b->type)) {
                stores_.push_back({n, b->type, CitySlotOf(*b), b->owner});
            }
            const bool idle =
                b->owner == o.player_number && std::find(used.begin(), used.end(), n) == used.end();
            if (idle && IsFactoryType(b->type)) {
                idle_factories_.push_back(n);
            }
            if (idle && IsStoreType(b->type)) {
                idle_stores_.push_back(n);
            }
        }
    }

    bool RivalSite(int32_t site) const {
        return std::find(rival_sites_.begin(), rival_sites_.end(), site) != rival_sites_.end();
    }
    bool RivalTown(int32_t slot, int32_t store_type) const {
        for (const auto& [s, t] : rival_towns_) {
            if (s == slot && t == store_type) return true;
        }
        return false;
    }
    // A store of the type in the town that one of the opponent's own chains
    // uses: the town is served.
    bool Served(int32_t slot, int32_t store_type) const {
        for (const TownStore& store : stores_) {
            if (store.owner == o_.player_number && store.slot == slot && store.type == store_type &&
                !Idle(store.number)) {
                return true;
            }
        }
        return false;
    }
    // The stores of the type in the town that other companies own.
    int32_t OthersStores(int32_t slot, int32_t store_type) const {
        int32_t n = 0;
        for (const TownStore& store : stores_) {
            n += store.owner != o_.player_number && store.slot == slot && store.type == store_type;
        }
        return n;
    }
    // The opponent's idle store of the type in the town, 0 none.
    int32_t IdleStore(int32_t slot, int32_t store_type) const {
        for (const TownStore& store : stores_) {
            if (store.owner == o_.player_number && store.slot == slot && store.type == store_type &&
                Idle(store.number)) {
                return store.number;
            }
        }
        return 0;
    }
    // The opponent's idle factory of the type nearest (x, y) within `reach`
    // fields, 0 none.
    int32_t IdleFactory(int32_t type, int32_t x, int32_t y, int32_t reach) const {
        int32_t best = 0;
        int32_t best_distance = reach + 1;
        for (const int32_t n : idle_factories_) {
            const CBuilding* b = g_ppBuildings->At(n);
            if (b == nullptr || b->type != type) continue;
            const int32_t d = std::abs(b->anchor_x - x) + std::abs(b->anchor_y - y);
            if (d < best_distance) {
                best = n;
                best_distance = d;
            }
        }
        return best;
    }

  private:
    struct TownStore {
        int32_t number, type, slot, owner;
    };
    bool Idle(int32_t number) const {
        return std::find(idle_stores_.begin(), idle_stores_.end(), number) != idle_stores_.end();
    }
    const COpponent& o_;
    std::vector<int32_t> rival_sites_;
    std::vector<std::pair<int32_t, int32_t>> rival_towns_;
    std::vector<TownStore> stores_;
    std::vector<int32_t> idle_stores_;
    std::vector<int32_t> idle_factories_;
};

bool SiteInUse(const COpponent& o, int32_t site) {
    for (const PlanNode& node : o.plan_list_b) {
        const Chain chain = DecodeChain(node);
        if (Ours(chain) && chain.site == site) return true;
    }
    return false;
}

bool SetAsideNow(const COpponent& o, int32_t site, int32_t slot, int32_t q) {
    for (const StepNode& node : o.step_list_c) {
        const GivenUpCombination c = DecodeGivenUp(node);
        if (c.site == site && c.city_slot == slot && c.product == q &&
            GameMonth() - c.month < SetAsideMonths(c.reason)) {
            return true;
        }
    }
    return false;
}

// Sets the combination aside; entries whose time is over are dropped.
void SetAsideCombination(COpponent& o, const GivenUpCombination& combination) {
    o.step_list_c.remove_if([](const StepNode& node) {
        const GivenUpCombination c = DecodeGivenUp(node);
        return GameMonth() - c.month >= SetAsideMonths(c.reason);
    });
    o.step_list_c.push_back(EncodeGivenUp(combination));
}

bool HasWay(int32_t x, int32_t y, int32_t w, int32_t h) {
    for (int32_t fx = x; fx < x + w; ++fx) {
        for (int32_t fy = y; fy < y + h; ++fy) {
            const MapField* f = FieldAt(fx, fy);
            if (f == nullptr || f->wegtyp() != kWayNone || f->wegteil() != 0) return true;
        }
    }
    return false;
}

// A field of a 2 x 2 footprint that costs nothing to clear: no way, no
// city building, no company building (read off the map, no check).
bool ClearField(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    if (f == nullptr || f->wegtyp() != kWayNone || f->wegteil() != 0) return false;
    if (f->building_flag()) return false;
    return f->stadtb() == 0 || f->forest_flag() || f->no_building_mask();
}

bool ClearSite(int32_t x, int32_t y) {
    return ClearField(x, y) && ClearField(x + 1, y) && ClearField(x, y + 1) &&
           ClearField(x + 1, y + 1);
}

// Whether the map alone already rules the footprint out for a company
// building: a slope, water, a way, a building, a bridge, a vehicle or
// another player's field. Only sites that pass run the construction check,
// whose runs a turn has few of.
bool FootprintLooksFree(int32_t x, int32_t y, int32_t w, int32_t h) {
    for (int32_t fx = x; fx < x + w; ++fx) {
        for (int32_t fy = y; fy < y + h; ++fy) {
            const MapField* f = FieldAt(fx, fy);
            if (f == nullptr || f->teile_diff() != 0 || f->teile_art() == 0) return false;
            if (f->wegtyp() != kWayNone || f->wegteil() != 0 || f->building_flag()) return false;
            if (f->bridge_flag() || f->belegt() != 0 || f->spieler() != 0) return false;
            if (f->data_word() != 0 && !f->forest_flag() && f->stadtb() == 0) return false;
        }
    }
    return true;
}

// A plain road or street of nobody on (x, y).
bool PublicRoad(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    return f != nullptr && IsRoadWay(f->wegtyp()) && f->wegteil() > 0 && f->spieler() == 0 &&
           !f->building_flag();
}

// Whether a field beside the sides of the 2 x 2 footprint at (x, y) carries
// a public road.
bool BesideStreet(int32_t x, int32_t y) {
    for (int32_t i = 0; i < 2; ++i) {
        if (PublicRoad(x + i, y - 1) || PublicRoad(x + i, y + 2) || PublicRoad(x - 1, y + i) ||
            PublicRoad(x + 2, y + i)) {
            return true;
        }
    }
    return false;
}

// Whether a truck depot could stand beside the footprint: depots keep five
// fields from each other, so a field next to its sides must have no depot
// within four fields.
bool DepotRoom(int32_t x, int32_t y, int32_t w, int32_t h) {
    constexpr int32_t kDepotSpacing = 4;
    const auto depot_near = [](int32_t px, int32_t py) {
        for (int32_t dy = -kDepotSpacing; dy <= kDepotSpacing; ++dy) {
            for (int32_t dx = -kDepotSpacing; dx <= kDepotSpacing; ++dx) {
                if (GetTerminalKindAt(px + dx, py + dy) == 1) return true;
            }
        }
        return false;
    };
    for (int32_t i = 0; i < std::max(w, h); ++i) {
        if ((i < w && (!depot_near(x + i, y - 1) || !depot_near(x + i, y + h))) ||
            (i < h && (!depot_near(x - 1, y + i) || !depot_near(x + w, y + i)))) {
            return true;
        }
    }
    return false;
}

// The first 2 x 2 store site in rings from the city centre that the
// construction check accepts for this city, without ways. Sites beside a
// street come first (the road comes in along the streets), and among them
// sites on clear land: near the centre every field carries a house worth
// its residents x 1,000 that the store would pay for and the city would
// lose; only when no clear site is accepted is a built-up one taken.
std::optional<Placement> FindStoreSite(const CCity& city, int32_t type, int64_t& price,
                                       TurnBudget& budget) {
    const int32_t cx = CentreX(city);
    const int32_t cy = CentreY(city);
    // Sites beside a street first: the town's streets carry the road in.
    for (const auto& [on_street, clear_only] : {std::pair{true, true}, std::pair{true, false},
                                                std::pair{false, true}, std::pair{false, false}}) {
        for (int32_t ring = 0; ring <= kCityAreaSize / 2; ++ring) {
            for (int32_t y = cy - ring; y <= cy + ring; ++y) {
                for (int32_t x = cx - ring; x <= cx + ring; ++x) {
                    if (std::max(std::abs(x - cx), std::abs(y - cy)) != ring) continue;
                    if (HasWay(x, y, 2, 2) || ClearSite(x, y) != clear_only) continue;
                    if (BesideStreet(x, y) != on_street) continue;
                    if (!FootprintLooksFree(x, y, 2, 2) || !DepotRoom(x, y, 2, 2)) continue;
                    const Placement site{type, x, y};
                    price = PreviewPlacement(site, &budget);
                    if (price == kNoCheckLeft) return std::nullopt;
                    if (price >= 0 && g_pGameState->placement_city == city.number) return site;
                }
            }
        }
    }
    return std::nullopt;
}

bool InsideAnyCity(int32_t x, int32_t y, int32_t w) {
    for (const CCity* city : g_pCityManager->cities) {
        if (city != nullptr && city->OverlapsRect(x - 1, y - 1, w + 2, w + 2)) return true;
    }
    return false;
}

// What the straight line between two points costs a road of the acting
// player: 2 for each field it cannot take (water, a steep slope, a city
// building, another company's way or building), 1 for each slope.
int32_t LineObstacles(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    int32_t obstacles = 0;
    for (int32_t i = 1; i < steps; ++i) {
        const MapField* f = FieldAt(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
        if (f == nullptr) continue;
        const bool water = f->teile_art() == 0 && !f->bridge_flag();
        const bool house = f->stadtnum() > 0 && !f->no_building_mask() && f->stadtb() != 0;
        const bool foreign = f->spieler() != 0 && f->spieler() != g_ActingPlayer;
        const bool built = f->building_flag() && f->spieler() != g_ActingPlayer;
        if (water || f->teile_diff() > 5 || house || foreign || built) {
            obstacles += 2;
        } else if (f->teile_diff() != 0) {
            obstacles += 1;
        }
    }
    return obstacles;
}

// Whether the fields around a footprint, `room` deep, hold no building and
// no other company's way: room for the depots and their roads.
bool RoomAround(int32_t x, int32_t y, int32_t w, int32_t h, int32_t room) {
    for (int32_t fy = y - room; fy < y + h + room; ++fy) {
        for (int32_t fx = x - room; fx < x + w + room; ++fx) {
            const MapField* f = FieldAt(fx, fy);
            if (f == nullptr) return false;
            if (f->building_flag() || (f->spieler() != 0 && f->spieler() != g_ActingPlayer)) {
                return false;
            }
        }
    }
    return true;
}

struct FactorySpot {
    Placement placement;
    int32_t score = 0;
};

constexpr int32_t kFactoryChecks = 40;
constexpr int32_t kObstacleWeight = 4;

// Where a factory is looked for: in rings `near`..`far` around the anchor of
// `around`, with the chain's other end at (tx, ty).
struct FactoryArea {
    Placement around;
    int32_t near = 0;
    int32_t far = 0;
    int32_t tx = 0;
    int32_t ty = 0;
    int32_t room = 2;  // fields around it free of buildings and others' ways
};

// A factory site of the area outside every city's area, with room for its
// depots, that the check accepts: the nearest, towards the other end, with
// open land on the straight lines to both ends first.
std::optional<Placement> FindFactorySite(const FactoryArea& area, int32_t type, int64_t& price,
                                         TurnBudget& budget) {
    const int32_t w = g_pGameState->building_types[type].floor_width;
    const int32_t h = g_pGameState->building_types[type].floor_depth;
    const int32_t ax = area.around.x;
    const int32_t ay = area.around.y;
    std::vector<FactorySpot> spots;
    for (int32_t ring = area.near; ring <= area.far; ++ring) {
        for (int32_t y = ay - ring; y <= ay + ring; ++y) {
            for (int32_t x = ax - ring; x <= ax + ring; ++x) {
                if (std::max(std::abs(x - ax), std::abs(y - ay)) != ring) continue;
                if (!FootprintLooksFree(x, y, w, h) || !RoomAround(x, y, w, h, area.room)) continue;
                if (InsideAnyCity(x, y, w) || !DepotRoom(x, y, w, h)) continue;
                const int32_t cx = x + w / 2;
                const int32_t cy = y + h / 2;
                const int32_t blocked =
                    LineObstacles(cx, cy, area.tx, area.ty) + LineObstacles(cx, cy, ax, ay);
                const int32_t score = ring + (std::abs(cx - area.tx) + std::abs(cy - area.ty)) / 4 +
                                      kObstacleWeight * blocked;
                spots.push_back({{type, x, y}, score});
            }
        }
    }
    std::stable_sort(spots.begin(), spots.end(),
                     [](const FactorySpot& a, const FactorySpot& b) { return a.score < b.score; });
    int32_t looks = 0;
    for (const FactorySpot& spot : spots) {
        if (++looks > kFactoryChecks) break;
        price = PreviewPlacement(spot.placement, &budget);
        if (price == kNoCheckLeft) return std::nullopt;
        if (price >= 0) return spot.placement;
    }
    return std::nullopt;
}

// A factory site for a chain between the raw-material site and the store:
// near the site for a road chain, else (and for a rail chain) near the
// store.
std::optional<Placement> FindChainFactorySite(ChainMode mode, const Placement& site,
                                              const Placement& store, int32_t type, int64_t& price,
                                              TurnBudget& budget) {
    // Two fields of room around it first; where the land is that crowded,
    // one.
    for (const int32_t room : {2, 1}) {
        if (mode == ChainMode::Road) {
            const auto near_site = FindFactorySite(
                {site, kFactoryNearSite, kFactoryFarFromSite, store.x, store.y, room}, type, price,
                budget);
            if (near_site || budget.checks <= 0) return near_site;
        }
        const auto near_store =
            FindFactorySite({store, kFactoryNearStore, kFactoryFarFromStore, site.x, site.y, room},
                            type, price, budget);
        if (near_store || budget.checks <= 0) return near_store;
    }
    return std::nullopt;
}

// A field just outside the footprint (x, y, w, h) a road could start on
// (a plain road first, else flat free land), the one nearest (tx, ty).
std::optional<std::pair<int32_t, int32_t>> RoadEnd(int32_t x, int32_t y, int32_t w, int32_t h,
                                                   int32_t tx, int32_t ty) {
    std::optional<std::pair<int32_t, int32_t>> best;
    int32_t best_distance = 0;
    for (int32_t fy = y - 1; fy <= y + h; ++fy) {
        for (int32_t fx = x - 1; fx <= x + w; ++fx) {
            if (fx >= x && fx < x + w && fy >= y && fy < y + h) continue;
            const MapField* f = FieldAt(fx, fy);
            if (f == nullptr || f->teile_diff() != 0 || f->teile_art() == 0) continue;
            const bool road = IsRoadWay(f->wegtyp()) && f->wegteil() > 0 && f->spieler() == 0;
            if (!road && !FootprintLooksFree(fx, fy, 1, 1)) continue;
            // The planner steps on no city building.
            const bool house = f->stadtnum() > 0 && !f->no_building_mask() && f->stadtb() != 0;
            if (!road && house) continue;
            // A road there already leads on: it comes first.
            const int32_t d = std::abs(fx - tx) + std::abs(fy - ty) + (road ? 0 : kMapSize);
            if (!best || d < best_distance) {
                best = std::pair{fx, fy};
                best_distance = d;
            }
        }
    }
    return best;
}

// Whether a road can be planned between two footprints (the factory's and
// the store's or the site's): on broken land a leg may find no way, and the
// chain would be given up with its buildings paid for.
// What a look found: yes, no, or nothing for sure because the turn's checks
// or plans ran out.
enum class Look { Yes, No, Undecided };

Look RoadPlannable(const Placement& from, const Placement& to, TurnBudget& budget) {
    const BuildingType& f = g_pGameState->building_types[from.type];
    const BuildingType& t = g_pGameState->building_types[to.type];
    const auto a = RoadEnd(from.x, from.y, f.floor_width, f.floor_depth, to.x, to.y);
    const auto b = RoadEnd(to.x, to.y, t.floor_width, t.floor_depth, from.x, from.y);
    if (!a || !b) return Look::No;
    if (!budget.TakePlan()) return Look::Undecided;
    const bool planned = PlanRoadForActingPlayer(a->first, a->second, b->first, b->second) >= 0;
    if (g_pWayNetwork != nullptr) g_pWayNetwork->FreePath();
    return planned ? Look::Yes : Look::No;
}

// Whether a road can be planned from the factory's footprint to the front of
// a depot site at the store that the construction check accepts: in a
// built-up town the fields beside the store may be reached while no depot
// front is. One plan, to the front nearest the factory: a look has a turn's
// two plans for its two legs.
Look StoreDepotReachable(const Placement& factory, const Placement& store, TurnBudget& budget) {
    const BuildingType& f = g_pGameState->building_types[factory.type];
    const BuildingType& t = g_pGameState->building_types[store.type];
    const auto a = RoadEnd(factory.x, factory.y, f.floor_width, f.floor_depth, store.x, store.y);
    if (!a) return Look::No;
    for (const Placement& depot :
         DepotSitesAround(store.x, store.y, store.x + t.floor_width - 1,
                          store.y + t.floor_depth - 1, factory.x, factory.y)) {
        const int64_t price = PreviewPlacement(depot, &budget);
        if (price == kNoCheckLeft) return Look::Undecided;
        if (price < 0) continue;
        if (!budget.TakePlan()) return Look::Undecided;
        const int32_t o = depot.type - kTypeTruckDepot;
        bool planned = PlanRoadForActingPlayer(a->first, a->second, depot.x + DirDx(o),
                                               depot.y + DirDy(o)) >= 0;
        // The store is not standing yet: a road across its floor will not
        // be there.
        const auto on_floor = [&](int32_t x, int32_t y) {
            return x >= store.x && x < store.x + t.floor_width && y >= store.y &&
                   y < store.y + t.floor_depth;
        };
        if (g_pWayNetwork != nullptr) {
            for (const PathCell* c = g_pWayNetwork->path_list; planned && c != nullptr;
                 c = c->next) {
                planned = !on_floor(c->x, c->y);
            }
            g_pWayNetwork->FreePath();
        }
        return planned ? Look::Yes : Look::No;
    }
    return Look::No;
}

struct Candidate {
    ChainChoice choice;
    int64_t payback_scaled = 0;  // months x 1000
};

}  // namespace

namespace {

// What the two kinds of chain share: the factory, the store and three
// depots, 1.25 way fields a field of haul; units a month limited by the
// site and the city.
ChainEstimate Estimate(int32_t product, int32_t haul, int32_t site_units, int32_t residents,
                       int32_t way_type, int64_t by_vehicles, int64_t cost_a_unit) {
    ChainEstimate e;
    const GoodsRecord& g = Good(product);
    const int32_t factory_type = FactoryTypeOf(g);
    const BuildingType* types = g_pGameState->building_types;
    const int64_t way = static_cast<int64_t>(haul) * 5 / 4 * WayFieldPrice(way_type);
    e.cost = (factory_type >= 0 ? types[factory_type].build_price : 0) +
             types[g.store_type].build_price + 3 * kDepotPrice + way;
    const int64_t by_city = g.demand_per_1000 > 0 ? residents / g.demand_per_1000 : 0;
    e.units = std::min<int64_t>({by_vehicles, site_units, by_city});
    const int64_t margin = static_cast<int64_t>(g.price) - g.production_cost;
    e.monthly_net = e.units * (margin - cost_a_unit);
    return e;
}

}  // namespace

ChainEstimate EstimateRoadChain(int32_t product, int32_t haul, int32_t site_units,
                                int32_t residents, int32_t trucks) {
    const int32_t trip = 2 * haul + 16;
    const int32_t model = CheapestTruckModel();
    const int64_t running = model >= 0 ? g_pGameState->vehicle_models[model].running_cost : 0;
    const int64_t by_trucks = static_cast<int64_t>(trucks) * kTruckFieldsAMonth / trip;
    return Estimate(product, haul, site_units, residents, kWayAsphaltRoad, by_trucks,
                    trip * running);
}

ChainEstimate EstimateRailChain(int32_t product, int32_t haul, int32_t site_units,
                                int32_t residents) {
    const int32_t trip = 2 * haul + 16;
    const int32_t model = FastestRailModel();
    if (model < 0) return {};
    const VehicleModel& train = g_pGameState->vehicle_models[model];
    const int64_t by_train = static_cast<int64_t>(kTrainUnitsATrip) * kTrainFieldsAMonth / trip;
    ChainEstimate e = Estimate(product, haul, site_units, residents, kWayRail, by_train,
                               trip * static_cast<int64_t>(train.running_cost) / kTrainUnitsATrip);
    const int64_t station = g_pGameState->building_types[kTypeTrainStation].build_price;
    e.cost += 2 * station + train.model_price;
    return e;
}

namespace {

constexpr int32_t kRescueHaul = 30;
constexpr int64_t kRailMargin = 200000;
constexpr int32_t kFactoryReuseReach = 40;
constexpr size_t kSiteLooks = 16;

// What one gathering of candidates works with: the money, the trucks a chain
// starts with and whether the cheapest chain comes first.
struct Gathering {
    int64_t budget = 0;
    int32_t trucks = 2;
    int32_t max_haul = 0;
    bool cheapest_first = false;
    bool payback_capped = false;
    bool rail = false;  // rail chains too (once a chain earns)
};

// The rank of a candidate: its payback, raised the further its haul is from
// the one the style likes and, for the careful, the more of the money it
// takes.
int64_t Rank(const ChainChoice& c, int64_t payback, const OpponentStyle& style, int64_t budget) {
    const int64_t haul_penalty = 2 * std::abs(c.haul - style.haul);
    const int64_t cost_penalty =
        budget > 0 ? (100 - style.risk) * std::min<int64_t>(c.cost, budget) / budget : 0;
    return payback * (100 + haul_penalty + cost_penalty) / 100;
}

std::vector<Candidate> Gather(const COpponent& o, const OpponentStyle& style,
                              const SurveyView& view, const Gathering& with) {
    std::vector<Candidate> candidates;
    const BuildingType* types = g_pGameState->building_types;
    for (int32_t q = kRawMaterialCount; q < kGoodsCount; ++q) {
        const GoodsRecord& g = Good(q);
        const int32_t r = SingleRawInput(g);
        if (g.available != 1 || Declining(g) || r < 0 || g.price <= g.production_cost) continue;
        if (!IsStoreType(g.store_type) || FactoryTypeOf(g) < 0) continue;
        for (int32_t s = kFirstBuildingSlot; s <= kLastBuildingSlot; ++s) {
            CBuilding* site = g_ppBuildings->At(s);
            if (site == nullptr || !IsRawSiteType(site->type) || !SiteMakes(*site, r)) continue;
            if (SiteInUse(o, s) || view.RivalSite(s)) continue;
            for (int32_t slot = 0; slot < kCitySlots; ++slot) {
                const CCity* city = g_pCityManager->cities[slot];
                if (city == nullptr || city->residents < kMinResidents) continue;
                const int32_t haul = std::abs(CentreX(*city) - site->anchor_x) +
                                     std::abs(CentreY(*city) - site->anchor_y);
                if (haul < kMinHaul || haul > with.max_haul) continue;
                if (view.Served(slot, g.store_type) || view.RivalTown(slot, g.store_type)) continue;
                if (SetAsideNow(o, s, slot, q)) continue;
                // The town's demand is shared with the other companies' stores.
                const int32_t residents =
                    city->residents / (1 + view.OthersStores(slot, g.store_type));
                const int32_t units = SiteUnits(*site, r);
                ChainEstimate e = EstimateRoadChain(q, haul, units, residents, with.trucks);
                ChainMode mode = ChainMode::Road;
                // Rail only where it pays back sooner than the road, the
                // train's running cost counted.
                if (style.rail_from > 0 && haul >= style.rail_from && with.rail) {
                    const ChainEstimate rail = EstimateRailChain(q, haul, units, residents);
                    // A trainload of raw material is bought at once: the
                    // money must hold a few of them beside the chain.
                    const bool sooner = rail.monthly_net > 0 &&
                                        rail.cost + kRailMargin <= with.budget &&
                                        (e.monthly_net <= 0 ||
                                         rail.cost * e.monthly_net < e.cost * rail.monthly_net);
                    if (sooner) {
                        e = rail;
                        mode = ChainMode::Rail;
                    }
                }
                if (e.monthly_net <= 0) continue;
                Candidate c;
                c.choice.store_number = view.IdleStore(slot, g.store_type);
                if (c.choice.store_number != 0) e.cost -= types[g.store_type].build_price;
                const CBuilding* store = g_ppBuildings->At(c.choice.store_number);
                c.choice.factory_number = view.IdleFactory(
                    FactoryTypeOf(g), store != nullptr ? store->anchor_x : CentreX(*city),
                    store != nullptr ? store->anchor_y : CentreY(*city), kFactoryReuseReach);
                if (c.choice.factory_number != 0) e.cost -= types[FactoryTypeOf(g)].build_price;
                if (e.cost > with.budget) continue;
                const int64_t payback = e.cost * 1000 / e.monthly_net;
                if (with.payback_capped && payback > style.payback_cap * 1000LL) continue;
                c.choice.site = s;
                c.choice.raw = r;
                c.choice.product = q;
                c.choice.city_slot = slot;
                c.choice.haul = haul;
                c.choice.cost = e.cost;
                c.choice.monthly_net = e.monthly_net;
                c.choice.mode = mode;
                c.choice.trucks = with.trucks;
                c.payback_scaled =
                    with.cheapest_first ? e.cost : Rank(c.choice, payback, style, with.budget);
                candidates.push_back(c);
            }
        }
    }
    // The best rank first; ties keep the order of site, city, product.
    std::stable_sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
        if (a.payback_scaled != b.payback_scaled) return a.payback_scaled < b.payback_scaled;
        if (a.choice.site != b.choice.site) return a.choice.site < b.choice.site;
        if (a.choice.city_slot != b.choice.city_slot) {
            return a.choice.city_slot < b.choice.city_slot;
        }
        return a.choice.product < b.choice.product;
    });
    return candidates;
}

Placement PlacementOf(int32_t number) {
    const CBuilding* b = g_ppBuildings->At(number);
    return b != nullptr ? Placement{b->type, b->anchor_x, b->anchor_y} : Placement{};
}

// The factory of a choice: the idle one it uses again, or a new site.
std::optional<Placement> FactoryOf(const ChainChoice& choice, const Placement& store,
                                   int64_t& price, TurnBudget& turn) {
    if (choice.factory_number != 0) return PlacementOf(choice.factory_number);
    return FindChainFactorySite(choice.mode, PlacementOf(choice.site), store,
                                FactoryTypeOf(Good(choice.product)), price, turn);
}

// Whether the road legs of a choice can be planned: factory to store and,
// for a road chain, site to factory.
Look LegsPlannable(const ChainChoice& choice, const Placement& factory, const Placement& store,
                   TurnBudget& turn) {
    const Look product = StoreDepotReachable(factory, store, turn);
    if (product != Look::Yes || choice.mode == ChainMode::Rail) return product;
    return RoadPlannable(PlacementOf(choice.site), factory, turn);
}

// The look for one choice's sites: the store (its own idle one or a new
// site), the factory (likewise) and the road legs planned. An idle factory
// the legs cannot reach is left for a new site.
Look LookForChoice(ChainChoice& choice, int64_t budget, int64_t& store_price, TurnBudget& turn) {
    const BuildingType* types = g_pGameState->building_types;
    const GoodsRecord& g = Good(choice.product);
    const CCity& city = *g_pCityManager->cities[choice.city_slot];
    store_price = types[g.store_type].build_price;
    const auto undecided = [&turn] { return turn.checks <= 0 ? Look::Undecided : Look::No; };
    const auto store = choice.store_number != 0
                           ? std::optional<Placement>(PlacementOf(choice.store_number))
                           : FindStoreSite(city, g.store_type, store_price, turn);
    if (!store) return undecided();
    int64_t factory_price = 0;
    auto factory = FactoryOf(choice, *store, factory_price, turn);
    if (!factory) return undecided();
    Look road = LegsPlannable(choice, *factory, *store, turn);
    const int64_t new_factory = types[FactoryTypeOf(g)].build_price;
    if (road == Look::No && choice.factory_number != 0 && turn.plans > 0 &&
        choice.cost + new_factory <= budget) {
        choice.factory_number = 0;
        choice.cost += new_factory;
        factory = FactoryOf(choice, *store, factory_price, turn);
        if (!factory) return undecided();
        road = LegsPlannable(choice, *factory, *store, turn);
    }
    if (road != Look::Yes) return road;
    choice.store = *store;
    choice.factory = *factory;
    return Look::Yes;
}

// Looks for the sites of the best candidates. A candidate whose look finds
// no store site, factory site or road, or that the displaced city buildings
// make too dear, is set aside for a while, so that the next survey goes on
// with the next one.
std::optional<ChainChoice> LookForSites(COpponent& o, std::vector<Candidate>& candidates,
                                        int64_t budget, TurnBudget& turn) {
    const BuildingType* types = g_pGameState->building_types;
    for (size_t i = 0; i < candidates.size() && i < kSiteLooks; ++i) {
        ChainChoice choice = candidates[i].choice;
        int64_t store_price = 0;
        const Look look = LookForChoice(choice, budget, store_price, turn);
        if (look == Look::Undecided) return std::nullopt;
        // The displaced city buildings are part of the price.
        if (look == Look::Yes && choice.store_number == 0) {
            choice.cost += store_price - types[Good(choice.product).store_type].build_price;
        }
        if (look == Look::Yes && choice.cost <= budget) return choice;
        SetAsideCombination(
            o, {choice.site, choice.city_slot, choice.product, GameMonth(), SetAside::NoSites});
        if (SurveyCutShort(turn)) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

bool SurveyCutShort(const TurnBudget& budget) {
    return budget.checks <= 0 || budget.plans <= 0;
}

std::optional<ChainChoice> SurveyChains(COpponent& o, const OpponentStyle& style, bool has_running,
                                        TurnBudget& turn) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr || g_ppBuildings == nullptr || g_pCityManager == nullptr) return {};
    const int64_t cash = gs->cash[o.player_number];
    const SurveyView view(o);
    Gathering normal;
    normal.budget = cash - style.reserve;
    normal.trucks = style.trucks;
    normal.max_haul = style.max_haul;
    normal.payback_capped = has_running;
    // The dearer rail chain waits until a road chain earns.
    normal.rail = has_running;
    std::vector<Candidate> candidates = Gather(o, style, view, normal);
    auto choice = LookForSites(o, candidates, normal.budget, turn);
    if (choice || has_running || SurveyCutShort(turn)) return choice;
    // Nothing earns and nothing that fits the money could be found: the
    // cheapest short chain with one truck, down to the lean reserve, to grow
    // from.
    Gathering rescue;
    rescue.budget = cash - LeanReserve(style);
    rescue.trucks = 1;
    rescue.max_haul = std::min(kRescueHaul, style.max_haul);
    rescue.cheapest_first = true;
    candidates = Gather(o, style, view, rescue);
    return LookForSites(o, candidates, rescue.budget, turn);
}

std::optional<Placement> FindNewStoreSite(int32_t city_slot, int32_t type, TurnBudget& turn) {
    if (g_pCityManager == nullptr || city_slot < 0 || city_slot >= kCitySlots) return {};
    const CCity* city = g_pCityManager->cities[city_slot];
    if (city == nullptr) return {};
    int64_t price = 0;
    return FindStoreSite(*city, type, price, turn);
}

std::optional<Placement> FindNewFactorySite(const Chain& chain, int32_t type, TurnBudget& turn) {
    if (g_ppBuildings == nullptr) return {};
    const CBuilding* store = g_ppBuildings->At(chain.store);
    const CBuilding* site = g_ppBuildings->At(chain.site);
    if (store == nullptr || site == nullptr) return {};
    int64_t price = 0;
    return FindChainFactorySite(chain.mode, PlacementOf(chain.site), PlacementOf(chain.store), type,
                                price, turn);
}
