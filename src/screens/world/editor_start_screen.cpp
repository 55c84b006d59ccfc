#include "screens/world/editor_start_screen.h"

#include "screens/world/world_screen_layout.h"
#include "state/game_state.h"

namespace ws = world_screens;

FS_EDITORSTART::FS_EDITORSTART()
    : ChoiceScreen(ws::kEditorStartPicture, ws::kEditorStartSheet, kMsgEditorStartDone,
                   {.back_command = kCmdClose}) {
    groups.push_back({ws::kColumns[ws::kCapitalColumn], ws::kUpperRows, 5, ChoiceDisplay::Single});
    choices.push_back(ws::kInitialCapitalRow);
    start_capital = ws::kStartCapitals[ws::kInitialCapitalRow];
}

void FS_EDITORSTART::TakeChoices() {
    start_capital = ws::kStartCapitals[choices[0]];
}

void FS_EDITORSTART::OnChoiceChanged(int32_t) {
    TakeChoices();
}

const ScreenEntry kEditorStartScreenEntry = {
    .slot = FrameScreen::EditorStart,
    .open_message = kMsgOpenEditorStart,
    .done_message = kMsgEditorStartDone,
    .cancel_command = kCmdClose,
    .open_steps = kOpenCommon,
    .done_steps = kDoneRelease,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_EDITORSTART>(frame); },
    .before_open = [](plat::Window&, plat::WParam,
                      plat::LParam) { g_pGameState->start_marker = 0; },
};
