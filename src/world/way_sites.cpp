#include "world/way_sites.h"

#include "state/map_field.h"
#include "world/way_piece_tables.h"

namespace {

// The far portal and the fields the run may not cross, by entry slope 1..4.
struct TunnelRule {
    int32_t far_slope;
    int32_t far_height_step;  // far portal `hoehe` = entry `hoehe` + this
    int32_t refused_slope_a;  // slopes refused on fields at the entry's height
    int32_t refused_slope_b;
};

constexpr TunnelRule kTunnelRules[4] = {
    {3, -1, 10, 11},  // entry slope 1: runs north
    {4, +1, 9, 10},   // 2: east
    {1, +1, 9, 12},   // 3: south
    {2, -1, 9, 10},   // 4: west
};

// A portal field takes no way and no building and is not water.
bool PortalFits(const MapField& f) {
    return f.teile_art() > 0 && f.BuildingNumber() == 0 && f.wegtyp() == kWayNone;
}

// The border line that a tunnel running in direction index i may not reach.
bool OnBorder(int32_t x, int32_t y, int32_t i) {
    switch (i) {
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

// The fields of a bridge line and beside it.
class BridgeSite {
  public:
    BridgeSite(bool along_x, int32_t line, int32_t low, int32_t high)
        : along_x_(along_x), line_(line), low_(low), high_(high) {}

    bool Fits() const {
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

  private:
    int32_t X(int32_t p, int32_t across = 0) const { return along_x_ ? p : line_ + across; }
    int32_t Y(int32_t p, int32_t across = 0) const { return along_x_ ? line_ + across : p; }

    // A side field must not hold a building or a bridge; off the map it passes.
    bool SideFree(int32_t p, int32_t across) const {
        const MapField* f = FieldAt(X(p, across), Y(p, across));
        return f == nullptr || (f->BuildingNumber() == 0 && !f->bridge_flag());
    }
    // An end takes no way, building or bridge, and is flat land or the ramp
    // that rises away from the bridge.
    bool EndFits(int32_t p, uint8_t outwards) const {
        const MapField* f = FieldAt(X(p), Y(p));
        if (f == nullptr || f->wegtyp() != kWayNone || f->BuildingNumber() != 0 ||
            f->bridge_flag()) {
            return false;
        }
        if (f->teile_diff() == 0) return f->teile_art() > 0;
        return SlopeDirection(f->teile_diff()) == outwards;
    }
    // A span field is flat and carries nothing but a way crossing the bridge
    // at a right angle. A building or another bridge under it would lose
    // its word at bytes 8-9, so those refuse as well.
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

int32_t TunnelSteps(int32_t x, int32_t y) {
    const MapField* entry = FieldAt(x, y);
    if (entry == nullptr) return -1;
    const int32_t slope = entry->teile_diff();
    if (slope < 1 || slope > 4 || !PortalFits(*entry)) return -1;
    const TunnelRule& rule = kTunnelRules[slope - 1];
    const int32_t index = DirIndexFromBit(SlopeDirection(slope));
    const int32_t h = entry->hoehe();
    // Walk into the hill until the far portal; every field is tested.
    for (int32_t k = 0;; ++k) {
        const int32_t fx = x + DirDx(index) * k;
        const int32_t fy = y + DirDy(index) * k;
        const MapField* f = FieldAt(fx, fy);
        if (f == nullptr) return -1;
        const int32_t fh = f->hoehe();
        const int32_t fs = f->teile_diff();
        const bool far = fs == rule.far_slope && fh == h + rule.far_height_step;
        if (!far && fh < h) return -1;  // the hill has a gap
        if (fh == h && (fs == rule.refused_slope_a || fs == rule.refused_slope_b)) return -1;
        if (f->tunnel() || OnBorder(fx, fy, index)) return -1;
        if (far) return PortalFits(*f) ? k : -1;
    }
}

bool BridgeSiteFits(bool along_x, int32_t line, int32_t low, int32_t high) {
    return BridgeSite(along_x, line, low, high).Fits();
}
