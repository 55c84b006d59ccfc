#pragma once
// The control panel and the screens it holds, as the main loop uses them. The
// control-panel subsystem owns these classes and completes them (the
// operations are declared abstract only until it exists); until then
// g_pHauptDialog stays null and every call is skipped.

#include <cstdint>

#include "platform/window.h"

// The city-growth progress screen that runs before a game.
class FS_CITY_GROWTH {
  public:
    virtual ~FS_CITY_GROWTH() = default;
    virtual void DrawProgress() = 0;

    int32_t step_count = 0;  // raised by one per idle pass
    int32_t finished = 0;    // 1 = growth done
};

// The opponent-information window.
class FS_OPPONENT_INFO {
  public:
    virtual ~FS_OPPONENT_INFO() = default;
    virtual void DrawFigures() = 0;

    int32_t shown_player = 0;  // player number 1..3 whose figures are shown
};

// The annual accounts window.
class FS_YEAR_SUMMARY {
  public:
    virtual ~FS_YEAR_SUMMARY() = default;
    virtual void Draw() = 0;
};

class HAUPTDIALOG : public plat::Window {
  public:
    // Redraw the sidebar date line and capital line.
    virtual void DrawSidebarDate() = 0;
    virtual void DrawSidebarCapital() = 0;
    // Writes "autosave.lvl" in the save folder.
    virtual void SaveAutosave() = 0;
    // Draws "Action not possible:" and the reason for `action_refusal` 1..5
    // (nothing until the panel overrides it).
    virtual void ShowActionNotPossible() {}

    int32_t action_refusal = 0;  // reason 0..5 of the last station extension
    int32_t brush_size = 1;      // terrain brush 1..6

    FS_CITY_GROWTH* city_growth_screen = nullptr;
    FS_OPPONENT_INFO* opponent_info = nullptr;
    FS_YEAR_SUMMARY* year_summary = nullptr;
};

inline HAUPTDIALOG* g_pHauptDialog = nullptr;
