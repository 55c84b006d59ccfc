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

    FS_CITY_GROWTH* city_growth_screen = nullptr;
    FS_OPPONENT_INFO* opponent_info = nullptr;
    FS_YEAR_SUMMARY* year_summary = nullptr;
    uint8_t overview_marks[20] = {};  // set to 1 after a level is read at zoom 16
};

inline HAUPTDIALOG* g_pHauptDialog = nullptr;
