// Placing and demolishing buildings, with their prices and bookings.

#include <algorithm>

#include "economy/building_factory.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/economy_bookings.h"
#include "economy/train_station.h"
#include "state/acting_player.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"
#include "world/build_helper.h"
#include "world/building_footprint.h"
#include "world/way_network.h"

namespace {

// The placed-factory counts are the human player's.
void ChangeBuiltCount(int32_t type, int32_t change, int32_t player) {
    if (player != 0) return;
    const int32_t i = BuiltCountIndex(type);
    if (i >= 0 && g_pGameState != nullptr) g_pGameState->built_counts[i] += change;
}

void MarkChanged(int32_t x, int32_t y, int32_t w, int32_t h) {
    for (int32_t fx = x; fx < x + w; ++fx) {
        for (int32_t fy = y; fy < y + h; ++fy) {
            if (MapField* field = FieldAt(fx, fy)) field->set_feldchange(true);
        }
    }
}

// The rectangle of a station's head line and platform rows.
void StationRect(const CTrainStation& s, int32_t& x, int32_t& y, int32_t& w, int32_t& h) {
    const int32_t lines = s.length + 1;
    x = s.anchor_x;
    y = s.anchor_y;
    w = 4;
    h = lines;
    if (s.type == 7 || s.type == 9) std::swap(w, h);
    if (s.type == 6) y -= s.length;
    if (s.type == 9) x -= s.length;
}

// The depot's own stretch of road goes with it (without a charge: the
// demolition price covers it); the roads around it are re-fitted so that
// none keeps a direction towards the removed field.
void RemoveDepotWay(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    if (field->knoten() && field->knotennummer() != 0 && g_pWayNetwork != nullptr) {
        g_pWayNetwork->DeleteNode(field->knotennummer());
    }
    field->set_wegteil(0);
    field->set_wegtyp(0);
    field->set_gleisr(0);
    field->set_richtung(0);
    field->set_tunnel_hoehe(0);
    field->set_knoten(false);
    field->set_knotennummer(0);
    field->set_belegt(0);
    CBuildHelper helper;
    for (int32_t i = 0; i < 4; ++i) helper.UpdateWayPiecesAround(x + DirDx(i), y + DirDy(i));
}

}  // namespace

int32_t CBuildingTable::PlaceBuilding(int32_t x, int32_t y) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return 0;
    int32_t type = gs->selected_building_type;
    if (type == kTypeTruckDepot || type == kTypeTrainStation) {
        type += std::clamp(gs->build_orientation, 0, 3);
    }
    if (!HasBuildingClass(type)) return 0;
    int32_t slot = kFirstBuildingSlot;
    while (slot <= kLastBuildingSlot && buildings[slot] != nullptr) ++slot;
    if (slot > kLastBuildingSlot) return 0;

    // The anchor of a station is the first field of its head line.
    int32_t ax = x;
    int32_t ay = y;
    if (type == 6) ay = y + 1;
    if (type == 9) ax = x + 1;
    const int32_t mineProduct = std::clamp(gs->mine_kind, 0, 2) + 5;
    CBuilding* building = CreateBuilding(type, ax, ay, false, mineProduct);
    if (building == nullptr) return 0;
    if (IsRawSiteType(type)) {
        building->owner = kOwnerNobody;
    } else if (IsAttractionType(type)) {
        building->owner = kOwnerAttraction;
    } else {
        building->owner = g_ActingPlayer;
    }
    buildings[slot] = building;
    if (IsTruckDepotType(type)) gs->redraw_terrain = 1;

    const int32_t price = PriceOfType(type);
    if (IsInvestmentType(type)) BookBuildingInvestment(g_ActingPlayer, price, +1);
    if (!IsStationType(type)) {
        ChangeBuiltCount(type, +1, g_ActingPlayer);
        const int32_t animation = AnimationKindOfType(type);
        if (gs->opt_animations == 1 && animation >= 0) {
            Views().AddAnimation(x, y, animation);
        }
    }
    if (price != 0) ChargeCost(g_ActingPlayer, price, kCostConstruction);
    return slot;
}

void CBuildingTable::DemolishBuilding(int32_t number) {
    CBuilding* building = At(number);
    if (building == nullptr) return;
    const int32_t type = building->type;
    if (!HasBuildingClass(type) || IsAttractionType(type)) return;
    // The building's owner pays for its demolition.
    const int32_t payer = building->owner <= 3 ? building->owner : 0;
    const int32_t ax = building->anchor_x;
    const int32_t ay = building->anchor_y;
    const Floor floor = FloorOfType(type);

    if (IsTruckDepotType(type)) {
        ClearReferences(ax, ay, 5, number);
        ClearBuildingFootprint(ax, ay, 1, 1);
        MarkChanged(ax - 1, ay - 1, 3, 3);
        RemoveDepotWay(ax, ay);
    } else if (IsStationType(type)) {
        auto* station = static_cast<CTrainStation*>(building);
        const StationGeometry g = station->geometry();
        const int32_t kind = type == 6 || type == 8 ? 5 : 4;
        ClearReferences(g.line_x(1, 0), g.line_y(1, 0), kind, number);
        for (int32_t line = 1; line <= station->length; ++line) {
            bool way = false;
            for (int32_t k = 0; k < 4; ++k) {
                const MapField* field = FieldAt(g.line_x(line, k), g.line_y(line, k));
                way = way || (field != nullptr && field->wegtyp() != 0);
            }
            if (way && g_pWayNetwork != nullptr) {
                g_pWayNetwork->DemolishStation(g.line_x(line, 0), g.line_y(line, 0), payer);
            }
        }
        int32_t sx = 0;
        int32_t sy = 0;
        int32_t sw = 0;
        int32_t sh = 0;
        StationRect(*station, sx, sy, sw, sh);
        MarkChanged(sx - 1, sy - 1, sw + 2, sh + 2);
        ClearBuildingFootprint(sx, sy, sw, sh);
    } else {
        ClearBuildingFootprint(ax, ay, floor.width, floor.depth);
        // Its animation's stamp in the ground may reach over the fields
        // around it: they are painted anew too.
        MarkChanged(ax - 1, ay - 1, floor.width + 2, floor.depth + 2);
        if (type != kTypeMine) Views().RemoveAnimationAt(ax, ay);
        ChangeBuiltCount(type, -1, payer);
    }

    delete building;
    buildings[number] = nullptr;
    if (IsInvestmentType(type)) {
        ChargeCost(payer, DemolitionPriceOfType(type), kCostDemolition);
        BookBuildingInvestment(payer, PriceOfType(type), -1);
    }
}
