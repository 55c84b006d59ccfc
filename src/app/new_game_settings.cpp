#include "app/new_game_settings.h"

#include "app/game_state.h"

void ResetNewGameSettings(CGameState& gs) {
    gs.city_size_choice = 0;
    gs.names_list_number = 0;
    gs.mine_kind = 0;
    gs.forest_style = 0;
    gs.forest_density = 0;
    gs.way_kind = 2;
    gs.ng_land = 2;
    gs.ng_mountains = 2;
    gs.ng_forests = 2;
    gs.ng_towns = 2;
    gs.ng_site_distance = 2;
    gs.regen_cities = 1;
    gs.regen_industries = 1;
    gs.regen_woods = 1;
    gs.regen_world = 1;
    gs.selected_building_type = -1;
}
