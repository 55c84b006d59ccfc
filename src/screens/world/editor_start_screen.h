#pragma once
// FS_EDITORSTART: the screen before the editor starts, on which the start
// capital of the level to be made is chosen. OK (Start) sends the parent
// WM_USER+48 with lParam 0, after which the main frame reads
// `start_capital`; back sends lParam 1 (the frame returns to the title
// screen). Its back button sends kCmdClose. The frame opens it on
// WM_USER+47 and cancels it with back.

#include <cstdint>

#include "screens/screen_entry.h"
#include "screens/world/choice_screen.h"
#include "state/messages.h"

class FS_EDITORSTART : public ChoiceScreen {
  public:
    FS_EDITORSTART();

    int32_t start_capital = 0;  // follows the chosen row

  protected:
    void TakeChoices() override;
    void OnChoiceChanged(int32_t group) override;
};

// Before it opens the start marker goes to 0; the frame adds taking the
// capital and starting the editor.
extern const ScreenEntry kEditorStartScreenEntry;
