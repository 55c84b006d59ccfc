#include "screens/world/new_world_screen.h"

#include <algorithm>

#include "screens/world/world_screen_layout.h"
#include "state/game_state.h"
#include "world/new_world.h"

namespace ws = world_screens;

namespace {

// The levels are printed from the most (top row) to the least (bottom row):
// row r stands for the setting 4 - r.
int32_t RowOfLevel(int32_t level) {
    return 4 - std::clamp(level, 0, 4);
}
int32_t LevelOfRow(int32_t row) {
    return 4 - row;
}

}  // namespace

FS_NEUE_WELT::FS_NEUE_WELT()
    : ChoiceScreen(ws::kNewWorldPicture, ws::kNewWorldSheet, kMsgNewWorldDone) {
    const CGameState& gs = *g_pGameState;
    for (int32_t c = 0; c < 5; ++c) {
        const ChoiceDisplay display =
            c == kSiteDistance ? ChoiceDisplay::Single : ChoiceDisplay::Bar;
        groups.push_back({ws::kColumns[c], ws::kUpperRows, 5, display});
    }
    for (int32_t r = 0; r < 4; ++r) {
        groups.push_back({ws::kColumns[0], &ws::kLowerRows[r], 1, ChoiceDisplay::Switch});
    }
    choices = {RowOfLevel(gs.ng_land),          RowOfLevel(gs.ng_mountains),
               RowOfLevel(gs.ng_forests),       RowOfLevel(gs.ng_towns),
               RowOfLevel(gs.ng_site_distance), gs.regen_world == 1 ? 1 : 0,
               gs.regen_cities == 1 ? 1 : 0,    gs.regen_woods == 1 ? 1 : 0,
               gs.regen_industries == 1 ? 1 : 0};
}

void FS_NEUE_WELT::TakeChoices() {
    CGameState& gs = *g_pGameState;
    gs.ng_land = LevelOfRow(choices[kLand]);
    gs.ng_mountains = LevelOfRow(choices[kMountains]);
    gs.ng_forests = LevelOfRow(choices[kWoods]);
    gs.ng_towns = LevelOfRow(choices[kTowns]);
    gs.ng_site_distance = LevelOfRow(choices[kSiteDistance]);
    gs.regen_world = choices[kRegenWorld];
    gs.regen_cities = choices[kRegenCities];
    gs.regen_woods = choices[kRegenWoods];
    gs.regen_industries = choices[kRegenIndustries];
}

const ScreenEntry kNewWorldScreenEntry = {
    .slot = FrameScreen::NewWorld,
    .open_message = kMsgOpenNewWorld,
    .done_message = kMsgNewWorldDone,
    .cancel_command = kCmdBack,
    .open_steps = kOpenDropKeys | kOpenMarkOpen,
    .done_steps = kDoneRelease | kDoneLoadKeys,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_NEUE_WELT>(frame); },
    .after_done =
        [](plat::Window& frame, plat::WParam, plat::LParam result) {
            g_pGameState->build_orientation = 0;
            RegenerateWorld(&frame, result);
        },
};
