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
#include "world/way_sites.h"

namespace {

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
    const int32_t farSteps = TunnelSteps(x, y);
    if (farSteps < 0) return 0;
    const uint8_t d = SlopeDirection(slope);
    const int32_t index = DirIndexFromBit(d);
    const int32_t h = entry->hoehe();
    const int32_t farX = x + DirDx(index) * farSteps;
    const int32_t farY = y + DirDy(index) * farSteps;

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
