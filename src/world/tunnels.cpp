// Tunnels: a straight road or track from a ramp through the hill it rises
// into, to the first ramp on the far side that descends to the same level.
// Every rule is tested before a field is written; a refused tunnel changes
// nothing.

#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/construction_costs.h"
#include "world/tile_marker.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

namespace {

// The far portal and the fields the run may not cross, by entry slope 1..4.
struct TunnelRule {
    int32_t farSlope;
    int32_t farHeightStep;  // far portal `hoehe` = entry `hoehe` + this
    int32_t refusedSlopeA;  // slopes refused on fields at the entry's height
    int32_t refusedSlopeB;
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

void WritePortal(int32_t x, int32_t y, bool alongX, uint8_t wayType, uint8_t intoHill) {
    ClearForestAt(x, y);
    MapField& f = *FieldAt(x, y);
    f.set_tportal(true);
    f.set_wegteil(alongX ? 2 : 1);
    f.set_feldchange(true);
    f.set_wegtyp(wayType);
    if (IsTrackWay(wayType)) {
        f.set_gleisr(intoHill);
    } else {
        f.set_richtung(intoHill);
    }
}

}  // namespace

int32_t CWayNetwork::BuildTunnel(int32_t x, int32_t y) {
    if (g_pTileMarker != nullptr) g_pTileMarker->ClearAll();
    const MapField* entry = FieldAt(x, y);
    if (entry == nullptr) return 0;
    const int32_t slope = entry->teile_diff();
    if (slope < 1 || slope > 4) return 0;
    if (!PortalFits(*entry)) return 0;
    const TunnelRule& rule = kTunnelRules[slope - 1];
    const uint8_t d = SlopeDirection(slope);
    const int32_t index = DirIndexFromBit(d);
    const int32_t h = entry->hoehe();

    // Walk into the hill until the far portal; every field is tested.
    int32_t farSteps = -1;
    for (int32_t k = 0; farSteps < 0; ++k) {
        const int32_t fx = x + DirDx(index) * k;
        const int32_t fy = y + DirDy(index) * k;
        const MapField* f = FieldAt(fx, fy);
        if (f == nullptr) return 0;
        const int32_t fh = f->hoehe();
        const int32_t fs = f->teile_diff();
        if (fs == rule.farSlope && fh == h + rule.farHeightStep) {
            farSteps = k;
        } else if (fh < h) {
            return 0;  // the hill has a gap
        }
        if (fh == h && (fs == rule.refusedSlopeA || fs == rule.refusedSlopeB)) return 0;
        if (f->tunnel()) return 0;
        if (OnBorder(fx, fy, index)) return 0;
    }
    const int32_t farX = x + DirDx(index) * farSteps;
    const int32_t farY = y + DirDy(index) * farSteps;
    if (!PortalFits(*FieldAt(farX, farY))) return 0;

    const uint8_t wayType = current_way_type;
    const bool alongX = index == kDirIndexE || index == kDirIndexW;
    const uint8_t back = OppositeDirBits(d);
    WritePortal(x, y, alongX, wayType, d);
    WritePortal(farX, farY, alongX, wayType, back);
    for (int32_t k = 0; k <= farSteps; ++k) {
        MapField& f = *FieldAt(x + DirDx(index) * k, y + DirDy(index) * k);
        f.set_tunnel(true);
        f.set_tunnel_hoehe(static_cast<uint32_t>(h));
    }

    CBuildHelper helper;
    const int32_t behindX = x - DirDx(index);
    const int32_t behindY = y - DirDy(index);
    if (index == kDirIndexE) {
        helper.UpdateWayPiecesAround(x, y);
        helper.UpdateWayPiecesAround(behindX, behindY);
    } else {
        helper.UpdateWayPiecesAround(behindX, behindY);
        helper.UpdateWayPiecesAround(x, y);
    }
    helper.UpdateWayPiecesAround(farX, farY);
    helper.UpdateWayPiecesAround(farX + DirDx(index), farY + DirDy(index));

    RelinkField(x, y, back);
    RelinkField(farX, farY, d);
    const int32_t fields = farSteps + 1;
    ChargeWayConstruction(0, fields * TunnelFieldPrice(wayType), farSteps);
    return 1;
}
