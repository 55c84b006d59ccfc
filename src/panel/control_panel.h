#pragma once
// The control panel and the screens it holds, as the main loop uses them. The
// control-panel subsystem owns these classes and completes them (the
// operations are declared abstract only until it exists); until then
// g_pHauptDialog stays null and every call is skipped. The panel answers the
// simulation's panel hooks itself (the frame installs it with
// SetControlPanel).

#include <cstdint>
#include <optional>

#include "platform/window.h"
#include "state/panel_events.h"

class CVehicle;

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

// The structure information window of the control panel.
class FS_STRUCTURE_INFO {
  public:
    virtual ~FS_STRUCTURE_INFO() = default;
    // Redraws the figures of the building shown.
    virtual void DrawFigures() = 0;

    int32_t shown_building = 0;  // building number shown, 0 none
};

class HAUPTDIALOG : public plat::Window, public PanelEvents {
  public:
    // The selected vehicle is a registered vehicle reference: deleting the
    // vehicle clears it.
    HAUPTDIALOG();
    ~HAUPTDIALOG() override;

    // The building the information panel shows (building number, 0 none) and
    // the open structure information window (null when closed).
    int32_t selected_structure = 0;
    FS_STRUCTURE_INFO* structure_info = nullptr;

    // Redraw the sidebar date line and capital line.
    virtual void DrawSidebarDate() = 0;
    virtual void DrawSidebarCapital() = 0;
    // Draws "Action not possible:" and the reason for `action_refusal` 1..5
    // (nothing until the panel overrides it).
    virtual void DrawActionRefusal() {}

    int32_t action_refusal = 0;  // reason 0..5 of the last station extension
    int32_t brush_size = 1;      // terrain brush 1..6

    // Used by the main frame; the control-panel subsystem gives it its
    // effect (until then it does nothing). Shows the first of the panel's popups that is open but
    // hidden (which sets `screen_open` again); nothing when there is none.
    virtual void ShowHiddenPopup() {}

    FS_CITY_GROWTH* city_growth_screen = nullptr;
    FS_OPPONENT_INFO* opponent_info = nullptr;
    FS_YEAR_SUMMARY* year_summary = nullptr;
    // The overview's legend filters (1 = shown): players 0..3, eleven
    // building kinds, the stores, way types 3..6. Set to 1 after a level is
    // read at zoom 16.
    uint8_t legend_flags[20] = {};
    int32_t screen_open_flag = 0;  // a full screen of the main frame is open

    // What the world view sets and asks: the selected vehicle, field and
    // building of the information panel, the demolition cost the panel
    // computed for the dragged rectangle, the zoom the overview click asks
    // for, the tunnel and bridge check marks, a repaint, and the raise/lower
    // costs of the field under the mouse.
    CVehicle* selected_vehicle = nullptr;
    int32_t selected_x = -1;
    int32_t selected_y = -1;
    int64_t demolition_cost = 0;
    int32_t zoom_request = 16;
    virtual void ClearTunnelCheck() {}
    virtual void ClearBridgeCheck() {}
    virtual void Repaint() {}
    virtual void DrawTerrainCost() {}

    // The simulation's panel hooks.
    int32_t BrushSize() override { return brush_size; }
    void ShowActionNotPossible(int32_t code) override {
        action_refusal = code;
        DrawActionRefusal();
    }
    int32_t SelectedStructure() override { return selected_structure; }
    void RefreshInfoPanel() override;
    std::optional<int32_t> StructureInfoBuilding() override;
    void RedrawStructureInfo() override;
    void OpponentNews(int32_t slot) override;
};

inline HAUPTDIALOG* g_pHauptDialog = nullptr;
