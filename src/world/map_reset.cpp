#include "world/map_reset.h"

#include "state/game_state.h"
#include "state/map_field.h"
#include "world/way_network.h"

void ResetMapFields() {
    if (g_pGameState == nullptr) return;
    for (MapField& f : g_pGameState->fields) {
        f = MapField{};
        f.set_feldchange(true);
    }
    // No field names a node any more: a node left behind would be an orphan
    // that the next level file saves.
    if (g_pWayNetwork != nullptr) g_pWayNetwork->FreeAllNodes();
    g_pGameState->redraw_terrain = 1;
    g_pGameState->redraw_objects = 1;
}
