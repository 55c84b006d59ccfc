// The terrain object's life cycle and the slope and ground-kind recompute of
// a field.

#include "world/terrain.h"

#include "platform/random.h"
#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/map_reset.h"
#include "world/slope_shape.h"
#include "world/tile_marker.h"
#include "world/way_network.h"

CTerrain* g_pTerrain = nullptr;

CTerrain::CTerrain() {
    g_pTileMarker = new CTileMarker;
    g_pWayNetwork = new CWayNetwork;
    g_pBuildHelper = new CBuildHelper;
    ResetMapFields();
}

CTerrain::~CTerrain() {
    if (g_pTileMarker != nullptr) g_pTileMarker->cost = 0;
    delete g_pTileMarker;
    g_pTileMarker = nullptr;
    delete g_pWayNetwork;
    g_pWayNetwork = nullptr;
    delete g_pBuildHelper;
    g_pBuildHelper = nullptr;
}

void CTerrain::UpdateSlopeShapes(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    const int32_t shape = GetSlopeShape(x, y);
    field->set_teile_diff(static_cast<uint32_t>(shape));
    const int32_t r = plat::Rand() % 3;
    const bool low = IsRisingShape(shape);
    int32_t kind = field->teile_art();
    switch (field->hoehe()) {
        case 0:
            kind = 0;  // water
            break;
        case 1:
            kind = low ? 1 + r : 0;
            break;
        case 2:
        case 3:
            kind = 1 + r;
            break;
        case 4:
            kind = low && shape != 0 ? 4 : 1 + r;
            break;
        case 5:
            kind = low ? 5 + r : 4;
            break;
        case 6:
        case 7:
            kind = 5 + r;
            break;
        case 8:
            kind = low && shape != 0 ? 8 : 5 + r;
            break;
        case 9:
            kind = low ? 9 + r : 8;
            break;
        case 15:
            break;
        default:
            kind = 9 + r;
            break;
    }
    field->set_teile_art(static_cast<uint32_t>(kind));
}
