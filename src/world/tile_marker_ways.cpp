// The way previews of the tile marker: the route the road and track tools
// would lay, a tunnel from a ramp and a straight bridge. They test what the
// builders test, mark the fields the builder would write and price them as
// the builder charges per field, without changing anything else.

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"
#include "world/construction_costs.h"
#include "world/field_queries.h"
#include "world/tile_marker.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"
#include "world/way_sites.h"

namespace {

constexpr int32_t kMaxBridgeFields = 10;

uint8_t CurrentWayType() {
    return g_pWayNetwork != nullptr ? g_pWayNetwork->current_way_type : 0;
}

// The route planner labels the fields of its box in their work byte; the
// guard puts every field's byte back when the plan is made.
class LabelGuard {
  public:
    static constexpr int kLabelByte = 7;
    LabelGuard() {
        saved_.reserve(kMapFieldCount);
        for (const MapField& f : g_pGameState->fields) saved_.push_back(f.bytes[kLabelByte]);
    }
    ~LabelGuard() {
        size_t i = 0;
        for (MapField& f : g_pGameState->fields) f.bytes[kLabelByte] = saved_[i++];
    }
    LabelGuard(const LabelGuard&) = delete;
    LabelGuard& operator=(const LabelGuard&) = delete;

  private:
    std::vector<uint8_t> saved_;
};

// A field the way layers charge for: it carries neither a road nor a track.
// The preview counts what the release pays for: counting every field of
// another way type would price the fields over an existing road or track,
// which the release lays for nothing.
bool IsNewWayField(const MapField& f) {
    const bool road = IsRoadWay(f.wegtyp()) && f.wegteil() != 0;
    const bool track = IsTrackWay(f.wegtyp()) || IsLevelCrossing(f.wegteil());
    return !road && !track;
}

// What the layers charge for the station rows the path reaches: a segment
// along a row's axis lays the whole row, and the row's fields without a way
// are paid beside the path's own. Priced by the path alone, a drag into one
// field of a row would show three fields less than the release takes. Each
// row counts once, and its fields on the path are the path's.
int32_t StationRowsCharge(int32_t x1, int32_t y1,
                          const std::vector<std::pair<int32_t, int32_t>>& cells, uint8_t wayType) {
    std::set<int32_t> laying{FieldIndex(x1, y1)};
    for (const auto& [x, y] : cells) laying.insert(FieldIndex(x, y));
    std::set<int32_t> rows;
    int32_t charge = 0;
    std::pair<int32_t, int32_t> prev{x1, y1};
    for (const auto& cell : cells) {
        const int32_t kind = prev.first != cell.first ? 5 : 4;  // the rows along the segment
        for (const auto& [x, y] : {prev, cell}) {
            if (GetBuildingTypeAt(x, y) != kind) continue;
            int32_t row = -1;
            const int32_t amount = CWayNetwork::StationTrackCharge(x, y, laying, wayType, row);
            if (row >= 0 && rows.insert(row).second) charge += amount;
        }
        prev = cell;
    }
    return charge;
}

}  // namespace

void CTileMarker::PreviewRoute(int32_t x1, int32_t y1, int32_t x2, int32_t y2, WayFamily family) {
    cost = 0;
    CWayNetwork* network = g_pWayNetwork;
    int32_t found = 0;
    if (network != nullptr && g_pGameState != nullptr) {
        LabelGuard guard;
        found = family == WayFamily::Road ? network->PlanRoadPath(x1, y1, x2, y2)
                                          : network->PlanTrackPath(x1, y1, x2, y2);
    }
    Views().ClearOverlay();
    ClearAll();
    marks_changed = 1;
    if (found == 0) return;
    std::vector<std::pair<int32_t, int32_t>> cells;
    bool blocked = false;
    int32_t new_fields = 0;
    for (const PathCell* c = network->path_list; c != nullptr; c = c->next) {
        const MapField* f = FieldAt(c->x, c->y);
        cells.emplace_back(c->x, c->y);
        if (f == nullptr) continue;
        if (f->belegt() != 0) {
            blocked = true;
            break;
        }
        if (IsNewWayField(*f)) ++new_fields;
    }
    if (blocked) {
        // The release lays nothing of a path a vehicle stands on.
        network->FreePath();
        MarkField(x1, y1, 1);
        MarkField(x2, y2, 0);
        return;
    }
    for (const auto& [x, y] : cells) MarkField(x, y, 1);
    MarkField(x1, y1, 1);
    MarkField(x2, y2, 1);
    const MapField* start = FieldAt(x1, y1);
    if (start != nullptr && IsNewWayField(*start)) ++new_fields;
    // The layers' price per field: a gravel road costs nothing to lay, and a
    // preview of 160 a field would show a price the release never charges.
    cost = new_fields * WayFieldPrice(CurrentWayType()) +
           StationRowsCharge(x1, y1, cells, CurrentWayType());
}

void CTileMarker::PreviewTunnel(int32_t x, int32_t y) {
    cost = 0;
    ClearAll();
    marks_changed = 1;
    if (g_pGameState == nullptr || g_pGameState->cash[0] <= 0) return;
    // The tunnel builder's own test of the run: a preview with tests of its
    // own would show tunnels the click then refuses, or refuse ones it builds.
    const int32_t steps = TunnelSteps(x, y);
    if (steps < 0) return;
    const int32_t index = DirIndexFromBit(SlopeDirection(FieldAt(x, y)->teile_diff()));
    for (int32_t k = 0; k <= steps; ++k) MarkField(x + DirDx(index) * k, y + DirDy(index) * k, 1);
    cost = (steps + 1) * TunnelFieldPrice(CurrentWayType());
}

void CTileMarker::PreviewBridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    cost = 0;
    marks_changed = 1;
    const bool along_x = y1 == y2 && x1 != x2;
    const bool along_y = x1 == x2 && y1 != y2;
    if (!along_x && !along_y) {
        MarkField(x1, y1, 1);
        return;
    }
    const int32_t from = along_x ? x1 : y1;
    const int32_t to = along_x ? x2 : y2;
    const int32_t line = along_x ? y1 : x1;
    const int32_t n = std::abs(to - from) + 1;
    const int32_t field_price = BridgeFieldPrice(CurrentWayType());
    // Too long a run is not tested or marked, only priced at its n fields:
    // the builder refuses it, so there is no charge to match.
    if (n > kMaxBridgeFields) {
        cost = n * field_price;
        return;
    }
    // The bridge builder charges one field more than the bridge has; a price
    // of n fields would show less than the release takes.
    const int32_t price = (n + 1) * field_price;
    // The bridge builder's own test of the site, so that the preview marks
    // exactly the bridges the release builds.
    if (!BridgeSiteFits(along_x, line, std::min(from, to), std::max(from, to))) return;
    for (int32_t p = std::min(from, to); p <= std::max(from, to); ++p) {
        MarkField(along_x ? p : line, along_x ? line : p, 1);
    }
    cost = price;
}
