// Slope shapes and ground kinds of the whole map after the land passes.

#include "state/game_state.h"
#include "state/map_field.h"
#include "world/slope_shape.h"
#include "world/terrain.h"

void CTerrain::RefreshAllSlopeShapes() {
    for (int32_t x = 0; x < kMapSize; ++x) {
        for (int32_t y = 0; y < kMapSize; ++y) {
            FieldAt(x, y)->set_teile_diff(static_cast<uint32_t>(GetSlopeShape(x, y)));
        }
    }
}

void CTerrain::AssignGroundKinds() {
    if (g_pGameState == nullptr) return;
    RefreshAllSlopeShapes();
    // The ground kind of each field from its height and (refreshed) shape,
    // x outer and y inner, as height editing gives it to a single field.
    for (int32_t x = 0; x < kMapSize; ++x) {
        for (int32_t y = 0; y < kMapSize; ++y) UpdateSlopeShapes(x, y);
    }
}
