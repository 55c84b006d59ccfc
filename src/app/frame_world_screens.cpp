#include "app/frame_world_screens.h"

#include "app/hauptfenster.h"
#include "cities/city_manager.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "view/world_view.h"
#include "world/editor_start_screen.h"
#include "world/gen_progress_screen.h"
#include "world/new_world.h"
#include "world/new_world_screen.h"

namespace {

// The editor-start screen's capital, taken before the screen is deleted.
int32_t g_EditorStartCapital = 0;

// The editor on an empty world with the chosen capital.
void StartEditor(HAUPTFENSTER& frame) {
    CGameState& gs = *g_pGameState;
    gs.build_orientation = 0;
    if (!frame.StartWorldView(kModeEditor)) {
        frame.SendMessage(kMsgShowStartScreen);
        return;
    }
    if (g_pCityManager != nullptr) g_pCityManager->LoadNames();
    gs.year = 1960;
    gs.month = 0;
    gs.goal_reached = 0;
    gs.board_votes = 0;
    gs.cash[0] = g_EditorStartCapital;
    g_Credit = 0;
    gs.cash_shown[0] = gs.cash[0];
    gs.paused = 0;
    MarkAllFieldsChanged();
    gs.redraw_terrain = 1;
    gs.redraw_objects = 1;
    gs.show_grid = gs.show_trees = gs.show_city_buildings = 1;
    gs.show_city_names = gs.show_building_names = gs.show_production = 1;
    for (Bookmark& b : gs.bookmarks) b = {-1, -1};
    if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
    frame.LoadKeys();
}

}  // namespace

ScreenEntry GenProgressScreenEntry() {
    return {.slot = FrameScreen::GenProgress,
            .open_message = kMsgOpenGenProgress,
            .done_message = kMsgGenProgressDone,
            .open = [](HAUPTFENSTER& frame, plat::WParam, plat::LParam) -> plat::Window* {
                return CreateGenProgressScreen(&frame);
            },
            .before_delete = [](HAUPTFENSTER&, plat::Window* screen, plat::WParam,
                                plat::LParam) { screen->SendMessage(WM_COMMAND, kCmdProdOk, 0); },
            .publish =
                [](plat::Window* screen) {
                    PublishGenProgressScreen(static_cast<FS_GEN_FORTSCHRITT*>(screen));
                }};
}

ScreenEntry NewWorldScreenEntry() {
    return {.slot = FrameScreen::NewWorld,
            .open_message = kMsgOpenNewWorld,
            .done_message = kMsgNewWorldDone,
            .open_steps = kOpenDropKeys | kOpenMarkOpen,  // the sound keeps playing
            .done_steps = kDoneRelease | kDoneLoadKeys,
            .open = [](HAUPTFENSTER& frame, plat::WParam,
                       plat::LParam) { return OpenNew<FS_NEUE_WELT>(frame); },
            .after_done =
                [](HAUPTFENSTER& frame, plat::WParam, plat::LParam result) {
                    g_pGameState->build_orientation = 0;
                    RegenerateWorld(&frame, result);
                }};
}

ScreenEntry EditorStartScreenEntry() {
    return {.slot = FrameScreen::EditorStart,
            .open_message = kMsgOpenEditorStart,
            .done_message = kMsgEditorStartDone,
            .open_steps = kOpenCommon,
            .done_steps = kDoneRelease,
            .open = [](HAUPTFENSTER& frame, plat::WParam,
                       plat::LParam) { return OpenNew<FS_EDITORSTART>(frame); },
            .before_open = [](HAUPTFENSTER&, plat::WParam,
                              plat::LParam) { g_pGameState->start_marker = 0; },
            .before_delete =
                [](HAUPTFENSTER&, plat::Window* screen, plat::WParam, plat::LParam) {
                    g_EditorStartCapital = static_cast<FS_EDITORSTART*>(screen)->start_capital;
                },
            .after_done =
                [](HAUPTFENSTER& frame, plat::WParam, plat::LParam result) {
                    if (result != 0) {
                        frame.SendMessage(kMsgShowStartScreen);
                    } else {
                        StartEditor(frame);
                    }
                }};
}
