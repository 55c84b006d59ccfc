#include "game/opponent_build.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "state/acting_player.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/construction_costs.h"
#include "world/terrain.h"
#include "world/way_network.h"

namespace {

// Selects the construction kind of the placement the way the building
// purchase screen and the orientation keys do, for as long as it lives: the
// construction check and the placement read the selection, which is the
// player's tool. The player's selection and orientation come back after.
class KindSelection {
  public:
    explicit KindSelection(int32_t type)
        : gs_(*g_pGameState),
          type_(gs_.selected_building_type),
          orientation_(gs_.build_orientation) {
        const bool depot = IsTruckDepotType(type);
        gs_.selected_building_type = depot ? kTypeTruckDepot : type;
        gs_.build_orientation = depot ? type - kTypeTruckDepot : 0;
    }
    ~KindSelection() {
        gs_.selected_building_type = type_;
        gs_.build_orientation = orientation_;
    }
    KindSelection(const KindSelection&) = delete;
    KindSelection& operator=(const KindSelection&) = delete;

  private:
    CGameState& gs_;
    int32_t type_;
    int32_t orientation_;
};

void MarkRedraw() {
    g_pGameState->redraw_terrain = 1;
    g_pGameState->redraw_objects = 1;
}

bool Ready() {
    return g_pGameState != nullptr && g_ppBuildings != nullptr && g_pBuildHelper != nullptr &&
           g_pTerrain != nullptr && g_pWayNetwork != nullptr;
}

}  // namespace

namespace {

// The price of the placement with its kind selected (see PreviewPlacement).
int64_t PriceOfSelected(const Placement& placement, TurnBudget* budget) {
    if (budget != nullptr && !budget->TakeCheck()) return kNoCheckLeft;
    const BuildingType& kind = g_pGameState->building_types[placement.type];
    const int32_t w = kind.floor_width;
    const int32_t h = kind.floor_depth;
    if (g_pBuildHelper->CanBuildHere(placement.x, placement.y, w, h) != 1) return -1;
    return kind.build_price + g_pTerrain->PreviewStructureCost(placement.x, placement.y, w, h);
}

bool Placeable(const Placement& placement) {
    return Ready() && placement.type >= 0 && placement.type < kBuildingTypeCount;
}

}  // namespace

int64_t PreviewPlacement(const Placement& placement, TurnBudget* budget) {
    if (!Placeable(placement)) return -1;
    const KindSelection selection(placement.type);
    return PriceOfSelected(placement, budget);
}

ActionResult PlaceForActingPlayer(const Placement& placement, int64_t reserve, int32_t& number,
                                  TurnBudget* budget) {
    number = 0;
    if (!Placeable(placement)) return ActionResult::Refused;
    const KindSelection selection(placement.type);
    const int64_t price = PriceOfSelected(placement, budget);
    if (price == kNoCheckLeft) return ActionResult::OutOfTurn;
    if (price < 0) return ActionResult::Refused;
    if (g_pGameState->cash[g_ActingPlayer] - price < reserve) return ActionResult::Wait;
    const BuildingType& kind = g_pGameState->building_types[placement.type];
    number = g_ppBuildings->PlaceBuilding(placement.x, placement.y);
    if (number == 0) return ActionResult::Refused;
    g_pTerrain->PlaceStructure(placement.x, placement.y, number, kind.floor_width,
                               kind.floor_depth);
    MarkRedraw();
    return ActionResult::Done;
}

ActionResult DemolishForActingPlayer(int32_t number, int64_t reserve) {
    if (!Ready()) return ActionResult::Refused;
    const CBuilding* b = g_ppBuildings->At(number);
    if (b == nullptr || b->owner != g_ActingPlayer || b->type < 0 ||
        b->type >= kBuildingTypeCount) {
        return ActionResult::Refused;
    }
    const BuildingType& kind = g_pGameState->building_types[b->type];
    const int32_t x = b->anchor_x;
    const int32_t y = b->anchor_y;
    int32_t x1 = x + kind.floor_width - 1;
    int32_t y1 = y + kind.floor_depth - 1;
    const int64_t price = g_pTerrain->DemolitionCost(x, y, x1, y1, g_ActingPlayer);
    if (price < 0) return ActionResult::Refused;
    if (g_pGameState->cash[g_ActingPlayer] - price < reserve) return ActionResult::Wait;
    g_pTerrain->DemolishArea(x, y, x1, y1, g_ActingPlayer);
    MarkRedraw();
    return ActionResult::Done;
}

namespace {

enum class WayKind { Road, Track };

uint8_t WayTypeOf(WayKind kind) {
    return kind == WayKind::Road ? kWayAsphaltRoad : kWayRail;
}

// A field the layers charge: one that carries no way yet.
bool Fresh(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    return f != nullptr && f->wegteil() == 0 && f->wegtyp() == kWayNone;
}

int64_t PlanWay(WayKind kind, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (!Ready()) return -1;
    CWayNetwork& network = *g_pWayNetwork;
    network.current_way_type = WayTypeOf(kind);
    const int32_t planned = kind == WayKind::Road ? network.PlanRoadPath(x1, y1, x2, y2)
                                                  : network.PlanTrackPath(x1, y1, x2, y2);
    if (planned != 1) return -1;
    std::set<std::pair<int32_t, int32_t>> fresh;
    if (Fresh(x1, y1)) fresh.insert({x1, y1});
    for (const PathCell* c = network.path_list; c != nullptr; c = c->next) {
        if (Fresh(c->x, c->y)) fresh.insert({c->x, c->y});
    }
    return static_cast<int64_t>(fresh.size()) * WayFieldPrice(WayTypeOf(kind));
}

ActionResult LayWay(WayKind kind, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int64_t reserve) {
    const int64_t price = PlanWay(kind, x1, y1, x2, y2);
    if (price < 0) return ActionResult::Refused;
    CWayNetwork& network = *g_pWayNetwork;
    if (g_pGameState->cash[g_ActingPlayer] - price < reserve) {
        network.FreePath();
        return ActionResult::Wait;
    }
    // Only the stretch from the field before the first new field to the one
    // after the last is laid: a vehicle on the rest of the path (one
    // queueing at a gap to be mended) would refuse the whole path.
    std::vector<std::pair<int32_t, int32_t>> cells{{x1, y1}};
    for (const PathCell* c = network.path_list; c != nullptr; c = c->next) {
        cells.emplace_back(c->x, c->y);
    }
    const auto fresh = [](const std::pair<int32_t, int32_t>& cell) {
        return Fresh(cell.first, cell.second);
    };
    size_t first = 0;
    while (first < cells.size() && !fresh(cells[first])) ++first;
    if (first == cells.size()) {
        network.FreePath();
        return ActionResult::Done;  // the way is there already
    }
    size_t last = cells.size() - 1;
    while (!fresh(cells[last])) --last;
    const size_t from = first > 0 ? first - 1 : 0;
    const size_t to = std::min(last + 1, cells.size() - 1);
    network.FreePath();
    for (size_t i = to; i > from; --i) {
        network.PushPathCell(static_cast<uint8_t>(cells[i].first),
                             static_cast<uint8_t>(cells[i].second));
    }
    if (kind == WayKind::Road) {
        network.LayRoadAlongPath(cells[from].first, cells[from].second, x2, y2);
    } else {
        network.LayTrackAlongPath(cells[from].first, cells[from].second, x2, y2);
    }
    MarkRedraw();
    for (size_t i = from; i <= to; ++i) {
        if (fresh(cells[i])) return ActionResult::Refused;  // a vehicle stood in the way
    }
    return ActionResult::Done;
}

}  // namespace

int64_t PlanRoadForActingPlayer(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return PlanWay(WayKind::Road, x1, y1, x2, y2);
}

ActionResult LayRoadForActingPlayer(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                    int64_t reserve) {
    return LayWay(WayKind::Road, x1, y1, x2, y2, reserve);
}

int64_t PlanTrackForActingPlayer(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return PlanWay(WayKind::Track, x1, y1, x2, y2);
}

ActionResult LayTrackForActingPlayer(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                     int64_t reserve) {
    return LayWay(WayKind::Track, x1, y1, x2, y2, reserve);
}

void JoinDepotToRoad(int32_t x, int32_t y, int32_t fx, int32_t fy) {
    if (!Ready() || !InMap(fx, fy)) return;
    CWayNetwork& network = *g_pWayNetwork;
    network.current_way_type = kWayAsphaltRoad;
    network.FreePath();
    network.PushPathCell(static_cast<uint8_t>(fx), static_cast<uint8_t>(fy));
    network.LayRoadAlongPath(x, y, fx, fy);
}
