#pragma once
// The screen-table entries of world making: the generation-progress screen
// (WM_USER+100 / +101), the editor's new-world screen (WM_USER+41 / +42),
// whose OK regenerates the world it asks for, and the editor-start screen
// (WM_USER+47 / +48), whose OK starts the editor with the chosen capital.

#include "app/frame_screens.h"

ScreenEntry GenProgressScreenEntry();
ScreenEntry NewWorldScreenEntry();
ScreenEntry EditorStartScreenEntry();
