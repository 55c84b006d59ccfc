#include "world/tile_marker.h"

#include "state/game_state.h"

void CTileMarker::ClearAll() {
    if (g_pGameState == nullptr) return;
    for (MapField& field : g_pGameState->fields) {
        field.set_cursor(0);
        field.set_cursorricht(false);
    }
}
