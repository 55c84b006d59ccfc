// The six display options of the control panel's view heading: the grid on
// the ground tiles, trees, city buildings, city names, building names and
// production signs. Each flips its option of the game state (saved with the
// game) and redraws the layers the option shows in.

#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "view/world_view.h"

void SPIEL_FELD::ToggleDisplayOption(int32_t CGameState::*option, bool terrain, bool objects) {
    CGameState& gs = *g_pGameState;
    gs.*option = gs.*option != 0 ? 0 : 1;
    if (terrain) gs.redraw_terrain = 1;
    if (objects) gs.redraw_objects = 1;
    RedrawView();
}

void SPIEL_FELD::ToggleGrid() {
    CGameState& gs = *g_pGameState;
    gs.show_grid = gs.show_grid != 0 ? 0 : 1;
    // The grid is drawn into the ground tiles: the other sheet replaces them.
    LoadTileSheet();
    if (GetWorldImageHooks().resume_music != nullptr) GetWorldImageHooks().resume_music();
    MarkAllFieldsChanged();
    gs.redraw_terrain = 1;
    RedrawView();
}

void SPIEL_FELD::ToggleTrees() {
    CGameState& gs = *g_pGameState;
    gs.show_trees = gs.show_trees != 0 ? 0 : 1;
    LoadTreeImages();  // trees, or the stumps picture while they are hidden
    gs.redraw_objects = 1;
    RedrawView();
}

void SPIEL_FELD::ToggleCityBuildings() {
    ToggleDisplayOption(&CGameState::show_city_buildings, true, true);
}

void SPIEL_FELD::ToggleCityNames() {
    ToggleDisplayOption(&CGameState::show_city_names, false, true);
}

void SPIEL_FELD::ToggleBuildingNames() {
    ToggleDisplayOption(&CGameState::show_building_names, false, true);
}

void SPIEL_FELD::ToggleProduction() {
    ToggleDisplayOption(&CGameState::show_production, false, true);
}

bool SPIEL_FELD::OnDisplayCommand(uint16_t command) {
    switch (command) {
        case kCmdShowGrid:
            ToggleGrid();
            return true;
        case kCmdShowTrees:
            ToggleTrees();
            return true;
        case kCmdShowCityBuildings:
            ToggleCityBuildings();
            return true;
        case kCmdShowCityNames:
            ToggleCityNames();
            return true;
        case kCmdShowBuildingNames:
            ToggleBuildingNames();
            return true;
        case kCmdShowProduction:
            ToggleProduction();
            return true;
        default:
            return false;
    }
}
