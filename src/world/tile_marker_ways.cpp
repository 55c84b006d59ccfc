// The way previews of the tile marker: the route the road and track tools
// would lay, a tunnel from a ramp and a straight bridge. They test what the
// builders test, mark the fields the builder would write and price them as
// the builder charges per field, without changing anything else.

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"
#include "world/construction_costs.h"
#include "world/tile_marker.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

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
bool IsNewWayField(const MapField& f) {
    const bool road = IsRoadWay(f.wegtyp()) && f.wegteil() != 0;
    const bool track = IsTrackWay(f.wegtyp()) || IsLevelCrossing(f.wegteil());
    return !road && !track;
}

// The far portal and the fields a tunnel may not cross, by entry slope 1..4
// (the tunnel builder's rules).
struct TunnelRule {
    int32_t far_slope;
    int32_t far_height_step;
    int32_t refused_slope_a;  // refused on fields at the entry's height
    int32_t refused_slope_b;
};
constexpr TunnelRule kTunnelRules[4] = {
    {3, -1, 10, 11}, {4, +1, 9, 10}, {1, +1, 9, 12}, {2, -1, 9, 10}};

bool PortalFits(const MapField& f) {
    return f.teile_art() > 0 && f.BuildingNumber() == 0 && f.wegtyp() == kWayNone;
}

bool OnTunnelBorder(int32_t x, int32_t y, int32_t index) {
    switch (index) {
        case kDirIndexN:
            return y == 0;
        case kDirIndexE:
            return x == kMapSize - 1;
        case kDirIndexS:
            return y == kMapSize - 1;
        default:
            return x == 0;
    }
}

// Steps from the ramp (x, y) to the far portal, or -1 when the builder
// would refuse the tunnel.
int32_t TunnelSteps(int32_t x, int32_t y) {
    const MapField* entry = FieldAt(x, y);
    if (entry == nullptr) return -1;
    const int32_t slope = entry->teile_diff();
    if (slope < 1 || slope > 4 || !PortalFits(*entry)) return -1;
    const TunnelRule& rule = kTunnelRules[slope - 1];
    const int32_t index = DirIndexFromBit(SlopeDirection(slope));
    const int32_t h = entry->hoehe();
    for (int32_t k = 0;; ++k) {
        const int32_t fx = x + DirDx(index) * k;
        const int32_t fy = y + DirDy(index) * k;
        const MapField* f = FieldAt(fx, fy);
        if (f == nullptr) return -1;
        const int32_t fh = f->hoehe();
        const int32_t fs = f->teile_diff();
        const bool far = fs == rule.far_slope && fh == h + rule.far_height_step;
        if (!far && fh < h) return -1;
        if (fh == h && (fs == rule.refused_slope_a || fs == rule.refused_slope_b)) return -1;
        if (f->tunnel() || OnTunnelBorder(fx, fy, index)) return -1;
        if (far) return PortalFits(*f) ? k : -1;
    }
}

// The bridge builder's tests along one axis; `line` is the fixed coordinate.
class BridgeRun {
  public:
    BridgeRun(bool along_x, int32_t line, int32_t low, int32_t high)
        : along_x_(along_x), line_(line), low_(low), high_(high) {}

    bool Accepted() const {
        for (int32_t across = -1; across <= 1; ++across) {
            if (!SideFree(low_ - 1, across) || !SideFree(high_ + 1, across)) return false;
        }
        for (int32_t p = low_; p <= high_; ++p) {
            if (!SideFree(p, -1) || !SideFree(p, 1)) return false;
        }
        if (!EndFits(low_, along_x_ ? kDirW : kDirN)) return false;
        if (!EndFits(high_, along_x_ ? kDirE : kDirS)) return false;
        for (int32_t p = low_ + 1; p < high_; ++p) {
            if (!SpanFits(p)) return false;
        }
        return true;
    }
    int32_t X(int32_t p, int32_t across = 0) const { return along_x_ ? p : line_ + across; }
    int32_t Y(int32_t p, int32_t across = 0) const { return along_x_ ? line_ + across : p; }

  private:
    // Beyond the map a side field counts as free; nothing there is read.
    bool SideFree(int32_t p, int32_t across) const {
        const MapField* f = FieldAt(X(p, across), Y(p, across));
        return f == nullptr || (f->BuildingNumber() == 0 && !f->bridge_flag());
    }
    bool EndFits(int32_t p, uint8_t outwards) const {
        const MapField* f = FieldAt(X(p), Y(p));
        if (f == nullptr || f->wegtyp() != kWayNone || f->BuildingNumber() != 0 ||
            f->bridge_flag()) {
            return false;
        }
        if (f->teile_diff() == 0) return f->teile_art() > 0;
        return SlopeDirection(f->teile_diff()) == outwards;
    }
    bool SpanFits(int32_t p) const {
        const MapField* f = FieldAt(X(p), Y(p));
        const int32_t crossing = along_x_ ? 1 : 2;
        if (f == nullptr || f->teile_diff() != 0) return false;
        if (f->wegteil() != 0 && f->wegteil() != crossing) return false;
        return f->BuildingNumber() == 0 && !f->bridge_flag();
    }

    bool along_x_;
    int32_t line_;
    int32_t low_;
    int32_t high_;
};

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
    cost = new_fields * WayFieldPrice(CurrentWayType());
}

void CTileMarker::PreviewTunnel(int32_t x, int32_t y) {
    cost = 0;
    ClearAll();
    if (g_pGameState == nullptr || g_pGameState->cash[0] <= 0) return;
    const int32_t steps = TunnelSteps(x, y);
    if (steps < 0) return;
    const int32_t index = DirIndexFromBit(SlopeDirection(FieldAt(x, y)->teile_diff()));
    for (int32_t k = 0; k <= steps; ++k) MarkField(x + DirDx(index) * k, y + DirDy(index) * k, 1);
    cost = (steps + 1) * TunnelFieldPrice(CurrentWayType());
}

void CTileMarker::PreviewBridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    cost = 0;
    const bool along_x = y1 == y2 && x1 != x2;
    const bool along_y = x1 == x2 && y1 != y2;
    if (!along_x && !along_y) {
        MarkField(x1, y1, 1);
        return;
    }
    const int32_t from = along_x ? x1 : y1;
    const int32_t to = along_x ? x2 : y2;
    const BridgeRun run(along_x, along_x ? y1 : x1, std::min(from, to), std::max(from, to));
    const int32_t n = std::abs(to - from) + 1;
    // The bridge builder charges one field more than the bridge has.
    const int32_t price = (n + 1) * BridgeFieldPrice(CurrentWayType());
    // Too long a run is not tested or marked, only priced.
    if (n > kMaxBridgeFields) {
        cost = price;
        return;
    }
    if (!run.Accepted()) return;
    for (int32_t p = std::min(from, to); p <= std::max(from, to); ++p) {
        MarkField(run.X(p), run.Y(p), 1);
    }
    cost = price;
}
