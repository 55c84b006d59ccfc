#include "world/editor_start_screen.h"

#include "world/world_screen_layout.h"

namespace ws = world_screens;

FS_EDITORSTART::FS_EDITORSTART()
    : ChoiceScreen(ws::kEditorStartPicture, ws::kEditorStartSheet, kMsgEditorStartDone) {
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
