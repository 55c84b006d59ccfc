// Area demolition: the rectangle the player dragged with the demolition tool
// is cleared field by field (forest, city buildings, player 0's buildings,
// roads, tracks, bridges and tunnels). What may not go (another player's
// fields, vehicles, occupied stations and depots, raw-material sites outside
// the editor, attractions, city buildings without a price) is skipped.
//
// The same walk also runs as a count that changes nothing: it adds up what
// the demolition would take from player 0's cash and notes whether anything
// in the area may not go. The sidebar shows that figure, and the view only
// demolishes an area whose count found nothing in the way, so the cash
// charged is the figure shown.
//
// A computer opponent runs the same walk for its own fields: what it owns
// may go as what nobody owns does, and it pays what player 0 would.

#include <set>

#include "cities/city_manager.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/train_station.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"
#include "world/construction_costs.h"
#include "world/field_queries.h"
#include "world/terrain.h"
#include "world/tile_marker.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"

namespace {

constexpr int32_t kMaxReach = 9;  // a side covers at most 10 fields

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

void SetRedraw(bool terrain, bool objects) {
    if (terrain) g_pGameState->redraw_terrain = 1;
    if (objects) g_pGameState->redraw_objects = 1;
}

// Whether one of the station's lines beyond its head line holds a vehicle.
bool StationHeadOccupied(CBuilding& station, int32_t x, int32_t y, int32_t type) {
    const int32_t index = type - 6;  // 6 N, 7 E, 8 S, 9 W
    const int32_t length = station.GetLength();
    for (int32_t k = 1; k <= length; ++k) {
        if (station.IsTileOccupied(x + DirDx(index) * k, y + DirDy(index) * k) != 0) return true;
    }
    return false;
}

enum class WalkMode { Charge, Count };

// One walk over the dragged area. Charging demolishes and pays field by
// field. Counting only adds up and remembers what charging would have
// removed by then (buildings, the ways of fields), so that every building,
// station row, way piece, bridge and tunnel counts once, as it is paid once.
class DemolitionWalk {
  public:
    DemolitionWalk(WalkMode mode, int32_t player) : mode_(mode), player_(player) {}

    void Field(int32_t x, int32_t y);

    int64_t cost = 0;      // counted cash of the demolishing player
    bool refused = false;  // something in the area may not go

  private:
    bool Counting() const { return mode_ == WalkMode::Count; }
    // A field of nobody or of the demolishing player.
    bool Ours(const MapField& f) const { return f.spieler() == 0 || f.spieler() == player_; }
    bool WayGone(int32_t x, int32_t y) const { return cleared_ways_.count(FieldIndex(x, y)) != 0; }
    bool BuildingGone(const MapField& f) const {
        return Counting() && f.building_flag() && gone_buildings_.count(f.geb_num()) != 0;
    }
    void ClearWay(int32_t x, int32_t y) { cleared_ways_.insert(FieldIndex(x, y)); }

    void CityBuilding(int32_t x, int32_t y);
    void Building(int32_t x, int32_t y);
    void WholeBuilding(int32_t number);
    void StationRow(const CTrainStation& station, int32_t line, bool paid);
    void Way(int32_t x, int32_t y);
    void WayOn(int32_t x, int32_t y);
    void Run(int32_t x, int32_t y, bool tunnel);

    WalkMode mode_;
    int32_t player_ = 0;
    std::set<int32_t> gone_buildings_;
    std::set<int32_t> cleared_ways_;
};

void DemolitionWalk::Field(int32_t x, int32_t y) {
    MapField& f = *FieldAt(x, y);
    // Clearing the forest empties the field's data word, and with it what
    // else the word holds.
    const bool forest = f.forest_flag();
    if (forest && !Counting()) ClearForestAt(x, y);
    const bool data = !(forest && Counting());
    const bool cityBuilding =
        data && f.stadtnum() != 0 && !f.no_building_mask() && !f.building_flag() && f.stadtb() > 0;
    if (cityBuilding) CityBuilding(x, y);
    if (data && GetBuildingTypeAt(x, y) != kOffMap && !BuildingGone(f)) Building(x, y);
    if (g_pWayNetwork != nullptr) Way(x, y);
}

void DemolitionWalk::CityBuilding(int32_t x, int32_t y) {
    MapField& f = *FieldAt(x, y);
    if (IsEditor()) {
        if (Counting()) return;
        if (g_pCityManager != nullptr) g_pCityManager->RemoveCityAt(x, y);
        SetRedraw(true, true);
        return;
    }
    const int32_t price = CityBuildingPrice(f.stadtb());
    if (price < 0) {
        refused = true;
    } else if (Counting()) {
        cost += price;
    } else {
        ChargeWayConstruction(player_, price, 0);
        f.set_data_word(0);
        SetRedraw(false, true);
    }
}

void DemolitionWalk::Building(int32_t x, int32_t y) {
    const MapField& f = *FieldAt(x, y);
    const int32_t type = GetBuildingTypeAt(x, y);
    const int32_t terminal = GetTerminalKindAt(x, y);
    CBuilding* building = g_ppBuildings != nullptr ? g_ppBuildings->At(f.geb_num()) : nullptr;
    if (terminal == 4 && f.wegteil() != 0 && !WayGone(x, y)) {
        // A platform field with track: the track of its row goes, the
        // station stays.
        const bool occupied = building != nullptr && building->IsTileOccupied(x, y) != 0;
        if (occupied || !Ours(f)) {
            refused = true;
        } else if (g_pWayNetwork != nullptr && Counting()) {
            const auto* station = dynamic_cast<const CTrainStation*>(building);
            if (station != nullptr) StationRow(*station, station->geometry().LineOf(x, y), true);
        } else if (g_pWayNetwork != nullptr) {
            g_pWayNetwork->DemolishStation(x, y, player_);
            SetRedraw(true, false);
        }
        return;
    }
    const bool rawMaterialSite = type >= 10 && type <= 13;
    const bool blocked =
        !Ours(f) || type >= 27 || (rawMaterialSite && !IsEditor()) ||
        (terminal == 5 && building != nullptr && StationHeadOccupied(*building, x, y, type)) ||
        (terminal == 1 && f.belegt() != 0);
    if (blocked) {
        refused = true;
    } else if (Counting()) {
        WholeBuilding(f.geb_num());
    } else if (g_ppBuildings != nullptr) {
        g_ppBuildings->DemolishBuilding(f.geb_num());
        SetRedraw(true, true);
    }
}

// Counts what CBuildingTable::DemolishBuilding takes: the building's
// demolition price and the track of its rows, both paid by its owner.
void DemolitionWalk::WholeBuilding(int32_t number) {
    const CBuilding* building = g_ppBuildings != nullptr ? g_ppBuildings->At(number) : nullptr;
    if (building == nullptr) return;
    const int32_t type = building->type;
    if (!HasBuildingClass(type) || IsAttractionType(type)) {
        refused = true;
        return;
    }
    gone_buildings_.insert(number);
    const bool paid = (building->owner <= 3 ? building->owner : 0) == player_;
    if (paid) cost += DemolitionPriceOfType(type);
    if (IsTruckDepotType(type)) {
        ClearWay(building->anchor_x, building->anchor_y);
    } else if (const auto* station = dynamic_cast<const CTrainStation*>(building);
               station != nullptr && g_pWayNetwork != nullptr) {
        const StationGeometry g = station->geometry();
        for (int32_t line = 1; line <= station->length; ++line) {
            bool way = false;
            for (int32_t k = 0; k < 4; ++k) {
                const MapField* field = FieldAt(g.line_x(line, k), g.line_y(line, k));
                way = way || (field != nullptr && field->wegtyp() != 0 &&
                              !WayGone(g.line_x(line, k), g.line_y(line, k)));
            }
            if (way) StationRow(*station, line, paid);
        }
    }
}

// The four way fields of one station row (CWayNetwork::DemolishStation).
void DemolitionWalk::StationRow(const CTrainStation& station, int32_t line, bool paid) {
    if (line < 1) return;
    const StationGeometry g = station.geometry();
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t fx = g.line_x(line, k);
        const int32_t fy = g.line_y(line, k);
        const MapField* field = FieldAt(fx, fy);
        if (field == nullptr) continue;
        if (paid && !WayGone(fx, fy)) cost += WayRemovalPrice(field->wegtyp());
        ClearWay(fx, fy);
    }
}

void DemolitionWalk::Way(int32_t x, int32_t y) {
    const MapField& f = *FieldAt(x, y);
    if (WayGone(x, y)) return;
    const int32_t terminal = BuildingGone(f) ? 0 : GetTerminalKindAt(x, y);
    const bool road = IsRoadWay(f.wegtyp()) && f.wegteil() != 0;
    const bool track = (IsTrackWay(f.wegtyp()) || IsLevelCrossing(f.wegteil())) && terminal == 0;
    if (!road && !track) return;
    if (!Ours(f) || f.belegt() != 0) {
        refused = true;
        return;
    }
    WayOn(x, y);
}

// Removes the way on a field: a whole tunnel from its portal, a whole bridge
// from its end, or the way of the field alone.
void DemolitionWalk::WayOn(int32_t x, int32_t y) {
    const MapField& f = *FieldAt(x, y);
    if (f.tportal()) {
        Run(x, y, true);
    } else if (f.bridge_end()) {
        Run(x, y, false);
    } else if (Counting()) {
        cost += WayRemovalPrice(f.wegtyp());
        ClearWay(x, y);
    } else {
        g_pWayNetwork->DemolishWayField(x, y, player_);
        SetRedraw(true, false);
    }
}

void DemolitionWalk::Run(int32_t x, int32_t y, bool tunnel) {
    if (!Counting()) {
        if (tunnel) {
            g_pWayNetwork->DemolishTunnel(x, y);
        } else {
            g_pWayNetwork->DemolishBridge(x, y);
        }
        SetRedraw(true, true);
        return;
    }
    RunSpan span;
    if (!(tunnel ? FindTunnelSpan(x, y, span) : FindBridgeSpan(x, y, span))) return;
    // The measure marks the far end; the count leaves the marks as they were.
    MapField& far = *FieldAt(span.farX, span.farY);
    const uint32_t mark = far.laenge();
    const int32_t price = tunnel ? MeasureTunnelRun(x, y) : MeasureBridgeRun(x, y);
    far.set_laenge(mark);
    if (price < 0) {
        refused = true;
        return;
    }
    cost += price;
    ClearWay(x, y);
    ClearWay(span.farX, span.farY);
}

void WalkArea(DemolitionWalk& walk, int32_t start_x, int32_t start_y, int32_t& cur_x,
              int32_t& cur_y) {
    cur_x = Clamp(cur_x, start_x - kMaxReach, start_x + kMaxReach);
    cur_y = Clamp(cur_y, start_y - kMaxReach, start_y + kMaxReach);
    const int32_t x0 = start_x < cur_x ? start_x : cur_x;
    const int32_t x1 = start_x < cur_x ? cur_x : start_x;
    const int32_t y0 = start_y < cur_y ? start_y : cur_y;
    const int32_t y1 = start_y < cur_y ? cur_y : start_y;
    for (int32_t x = x0; x <= x1; ++x) {
        for (int32_t y = y0; y <= y1; ++y) {
            if (InMap(x, y)) walk.Field(x, y);
        }
    }
}

}  // namespace

void CTerrain::DemolishArea(int32_t start_x, int32_t start_y, int32_t& cur_x, int32_t& cur_y,
                            int32_t player) {
    if (g_pGameState == nullptr) return;
    DemolitionWalk walk(WalkMode::Charge, player);
    WalkArea(walk, start_x, start_y, cur_x, cur_y);
    if (player != 0) {
        // A computer opponent's demolition leaves the player's tools alone.
        SetRedraw(true, true);
        return;
    }
    if (g_pTileMarker != nullptr) g_pTileMarker->ClearAll();
    Views().ClearOverlay();
    PlayBuildEffect(3);
    Views().RedrawView();
}

int64_t CTerrain::DemolitionCost(int32_t start_x, int32_t start_y, int32_t& cur_x, int32_t& cur_y,
                                 int32_t player) {
    if (g_pGameState == nullptr) return 0;
    DemolitionWalk walk(WalkMode::Count, player);
    WalkArea(walk, start_x, start_y, cur_x, cur_y);
    return walk.refused ? -1 : walk.cost;
}
