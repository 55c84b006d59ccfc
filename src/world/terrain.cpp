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

namespace {

// One fresh draw for a ground kind of the low (1..3), middle (5..7) or high
// (9..11) band. Water, the edges 4 and 8 and a kept kind take no draw: the
// generator's later phases go on with the random sequence from there.
int32_t VariantOf(int32_t firstKind) {
    return firstKind + plat::Rand() % 3;
}

int32_t GroundKindFor(int32_t height, int32_t shape, int32_t oldKind) {
    const bool rising = IsRisingShape(shape);
    const bool risingSlope = rising && shape != 0;
    constexpr int32_t kWater = 0, kLow = 1, kLowEdge = 4, kMiddle = 5, kHighEdge = 8, kHigh = 9;
    switch (height) {
        case 0:
            return kWater;
        case 1:
            return rising ? VariantOf(kLow) : kWater;
        case 2:
        case 3:
            return VariantOf(kLow);
        case 4:
            return risingSlope ? kLowEdge : VariantOf(kLow);
        case 5:
            return rising ? VariantOf(kMiddle) : kLowEdge;
        case 6:
        case 7:
            return VariantOf(kMiddle);
        case 8:
            return risingSlope ? kHighEdge : VariantOf(kMiddle);
        case 9:
            return rising ? VariantOf(kHigh) : kHighEdge;
        case 15:
            return oldKind;
        default:
            return VariantOf(kHigh);
    }
}

}  // namespace

void CTerrain::UpdateSlopeShapes(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    const int32_t shape = GetSlopeShape(x, y);
    field->set_teile_diff(static_cast<uint32_t>(shape));
    const int32_t kind = GroundKindFor(field->hoehe(), shape, field->teile_art());
    field->set_teile_art(static_cast<uint32_t>(kind));
}
