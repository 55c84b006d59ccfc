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
#include "state/game_state.h"
#include "state/map_field.h"
#include "world/construction_costs.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kMinHaul = 12;
constexpr int32_t kMinResidents = 1000;
constexpr int32_t kTruckFieldsAMonth = 150;
constexpr int32_t kTrainFieldsAMonth = 200;
constexpr int32_t kTrainUnitsATrip = 6;
constexpr int32_t kDepotPrice = 4000;
constexpr int32_t kGivenUpMonths = 120;
constexpr int32_t kFactoryNear = 6;
constexpr int32_t kFactoryFar = 20;

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

bool SiteInUse(const COpponent& o, int32_t site) {
    for (const PlanNode& node : o.plan_list_b) {
        const Chain chain = DecodeChain(node);
        if (Ours(chain) && chain.site == site) return true;
    }
    return false;
}

bool GivenUpLately(const COpponent& o, int32_t site, int32_t slot, int32_t q) {
    for (const StepNode& node : o.step_list_c) {
        const GivenUpCombination c = DecodeGivenUp(node);
        if (c.site == site && c.city_slot == slot && c.product == q &&
            GameMonth() - c.month < kGivenUpMonths) {
            return true;
        }
    }
    return false;
}

bool HasStoreIn(int32_t player, int32_t store_type, int32_t slot) {
    for (int32_t n = kFirstBuildingSlot; n <= kLastBuildingSlot; ++n) {
        const CBuilding* b = g_ppBuildings->At(n);
        if (b == nullptr || b->owner != player || b->type != store_type) continue;
        const MapField* f = FieldAt(b->anchor_x, b->anchor_y);
        if (f != nullptr && f->stadtnum() == slot + 1) return true;
    }
    return false;
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

// The first 2 x 2 store site in rings from the city centre that the
// construction check accepts for this city, without ways. Sites on clear
// land are tried first: near the centre every field carries a house worth
// its residents x 1,000 that the store would pay for and the city would
// lose; only when no clear site is accepted is a built-up one taken.
std::optional<Placement> FindStoreSite(const CCity& city, int32_t type, int64_t& price,
                                       TurnBudget& budget) {
    const int32_t cx = CentreX(city);
    const int32_t cy = CentreY(city);
    for (const bool clear_only : {true, false}) {
        for (int32_t ring = 0; ring <= kCityAreaSize / 2; ++ring) {
            for (int32_t y = cy - ring; y <= cy + ring; ++y) {
                for (int32_t x = cx - ring; x <= cx + ring; ++x) {
                    if (std::max(std::abs(x - cx), std::abs(y - cy)) != ring) continue;
                    if (HasWay(x, y, 2, 2) || ClearSite(x, y) != clear_only) continue;
                    if (!FootprintLooksFree(x, y, 2, 2)) continue;
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

// The nearest factory site 6..20 fields from the store that the check
// accepts, outside every city's area.
std::optional<Placement> FindFactorySite(const Placement& store, int32_t type, int64_t& price,
                                         TurnBudget& budget) {
    const int32_t w = g_pGameState->building_types[type].floor_width;
    const int32_t h = g_pGameState->building_types[type].floor_depth;
    for (int32_t ring = kFactoryNear; ring <= kFactoryFar; ++ring) {
        for (int32_t y = store.y - ring; y <= store.y + ring; ++y) {
            for (int32_t x = store.x - ring; x <= store.x + ring; ++x) {
                if (std::max(std::abs(x - store.x), std::abs(y - store.y)) != ring) continue;
                if (InsideAnyCity(x, y, w) || !FootprintLooksFree(x, y, w, h)) continue;
                const Placement site{type, x, y};
                price = PreviewPlacement(site, &budget);
                if (price == kNoCheckLeft) return std::nullopt;
                if (price >= 0) return site;
            }
        }
    }
    return std::nullopt;
}

// A field just outside the footprint (x, y, w, h) a road could start on
// (flat free land or a plain road), the one nearest (tx, ty).
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
            const int32_t d = std::abs(fx - tx) + std::abs(fy - ty);
            if (!best || d < best_distance) {
                best = std::pair{fx, fy};
                best_distance = d;
            }
        }
    }
    return best;
}

// Whether a road can be planned between the factory and the store sites:
// on broken land the product leg may find no way, and the chain would be
// given up with its buildings paid for.
bool RoadPlannable(const Placement& factory, const Placement& store, TurnBudget& budget) {
    const BuildingType& f = g_pGameState->building_types[factory.type];
    const auto a = RoadEnd(factory.x, factory.y, f.floor_width, f.floor_depth, store.x, store.y);
    const auto b = RoadEnd(store.x, store.y, 2, 2, factory.x, factory.y);
    if (!a || !b || !budget.TakePlan()) return false;
    const bool planned = PlanRoadForActingPlayer(a->first, a->second, b->first, b->second) >= 0;
    if (g_pWayNetwork != nullptr) g_pWayNetwork->FreePath();
    return planned;
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

std::optional<ChainChoice> SurveyChains(const COpponent& o, const OpponentStyle& style,
                                        bool has_running, TurnBudget& turn) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr || g_ppBuildings == nullptr || g_pCityManager == nullptr) return {};
    const int32_t p = o.player_number;
    const int64_t budget = gs->cash[p] - style.reserve;
    std::vector<Candidate> candidates;
    for (int32_t q = kRawMaterialCount; q < kGoodsCount; ++q) {
        const GoodsRecord& g = Good(q);
        const int32_t r = SingleRawInput(g);
        if (g.available != 1 || Declining(g) || r < 0 || g.price <= g.production_cost) continue;
        if (g.store_type < 21 || g.store_type > 26 || FactoryTypeOf(g) < 0) continue;
        for (int32_t s = kFirstBuildingSlot; s <= kLastBuildingSlot; ++s) {
            CBuilding* site = g_ppBuildings->At(s);
            if (site == nullptr || !IsRawSiteType(site->type) || !SiteMakes(*site, r)) continue;
            if (SiteInUse(o, s)) continue;
            for (int32_t slot = 0; slot < kCitySlots; ++slot) {
                const CCity* city = g_pCityManager->cities[slot];
                if (city == nullptr || city->residents < kMinResidents) continue;
                const int32_t haul = std::abs(CentreX(*city) - site->anchor_x) +
                                     std::abs(CentreY(*city) - site->anchor_y);
                if (haul < kMinHaul || haul > style.max_haul) continue;
                if (HasStoreIn(p, g.store_type, slot) || GivenUpLately(o, s, slot, q)) continue;
                // Long hauls go by rail for the bold.
                const bool rail = style.rail_from > 0 && haul >= style.rail_from;
                const int32_t units = SiteUnits(*site, r);
                const ChainEstimate e =
                    rail ? EstimateRailChain(q, haul, units, city->residents)
                         : EstimateRoadChain(q, haul, units, city->residents, style.trucks);
                if (e.monthly_net <= 0 || e.cost > budget) continue;
                const int64_t payback = e.cost * 1000 / e.monthly_net;
                if (has_running && payback > style.payback_cap * 1000LL) continue;
                Candidate c;
                c.choice.site = s;
                c.choice.raw = r;
                c.choice.product = q;
                c.choice.city_slot = slot;
                c.choice.haul = haul;
                c.choice.cost = e.cost;
                c.choice.monthly_net = e.monthly_net;
                c.choice.mode = rail ? ChainMode::Rail : ChainMode::Road;
                c.payback_scaled = payback;
                candidates.push_back(c);
            }
        }
    }
    // The lowest payback first; ties keep the order of site, city, product.
    std::stable_sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
        if (a.payback_scaled != b.payback_scaled) return a.payback_scaled < b.payback_scaled;
        if (a.choice.site != b.choice.site) return a.choice.site < b.choice.site;
        if (a.choice.city_slot != b.choice.city_slot) {
            return a.choice.city_slot < b.choice.city_slot;
        }
        return a.choice.product < b.choice.product;
    });
    // Sites are looked for only for the best few: each look runs the
    // construction check on the sites the map leaves free and may plan a
    // road; the turn's checks and plans bound the looks as well.
    constexpr size_t kSiteLooks = 16;
    for (size_t i = 0; i < candidates.size() && i < kSiteLooks; ++i) {
        ChainChoice choice = candidates[i].choice;
        const GoodsRecord& g = Good(choice.product);
        const CCity& city = *g_pCityManager->cities[choice.city_slot];
        int64_t store_price = 0;
        int64_t factory_price = 0;
        const auto store = FindStoreSite(city, g.store_type, store_price, turn);
        if (!store) continue;
        const auto factory = FindFactorySite(*store, FactoryTypeOf(g), factory_price, turn);
        if (!factory || !RoadPlannable(*factory, *store, turn)) continue;
        choice.store = *store;
        choice.factory = *factory;
        // The displaced city buildings are part of the price.
        choice.cost += store_price - gs->building_types[g.store_type].build_price;
        if (choice.cost > budget) continue;
        return choice;
    }
    return {};
}

std::optional<Placement> FindNewStoreSite(int32_t city_slot, int32_t type, TurnBudget& turn) {
    if (g_pCityManager == nullptr || city_slot < 0 || city_slot >= kCitySlots) return {};
    const CCity* city = g_pCityManager->cities[city_slot];
    if (city == nullptr) return {};
    int64_t price = 0;
    return FindStoreSite(*city, type, price, turn);
}

std::optional<Placement> FindNewFactorySite(int32_t store, int32_t type, TurnBudget& turn) {
    const CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(store) : nullptr;
    if (b == nullptr) return {};
    int64_t price = 0;
    return FindFactorySite({b->type, b->anchor_x, b->anchor_y}, type, price, turn);
}
