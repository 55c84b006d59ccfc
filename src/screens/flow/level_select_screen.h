#pragma once
// The twin popups on which the player picks a mission (FS_MISSION_SELECT, 3
// groups) or a scenario (FS_SCENARIO_SELECT, 4 groups, the last the
// scenarios saved in the editor). Tabs choose the group, the list shows the
// first line of each level's description file ("m<g>_<n>.dir",
// "s<g>_<n>.dir", "s_<n>.dir"). OK leaves the group and the level number in
// the panel's `popup_result` (slot, choice) and answers 0; back answers 1.
// With no level in the group the mission screen's OK answers as back and
// the scenario screen's does nothing.

#include <cstdint>

#include "panel/list_box.h"
#include "panel/popup_protocol.h"
#include "screens/flow/flow_popup.h"

class LevelSelectScreen : public FlowPopup {
  public:
    enum class Kind { Missions, Scenarios };
    explicit LevelSelectScreen(Kind kind);
    ~LevelSelectScreen() override;

    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);
    // Lists the titles of group `group`'s levels 0..10 in ascending order.
    void LoadTitles();
    // The number of filled rows.
    int32_t FilledRows() const;

    Kind kind;
    int32_t entry_files[11];  // the level number of each row, -1 none
    int32_t selected = 0;     // the chosen row; after OK the level number
    int32_t group = 0;
    int32_t entry_count = 0;
    plat::Rect tab_rects[4] = {};
    int32_t tab_count = 3;
    WinGBitmap tab_scratch;
    LISTBOX* list = nullptr;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnPaint();
    void DrawTabs(bool show);
    void OnDialogOk() override;
    void OnDialogCancel() override;
    HAUPTDIALOG* panel_ = nullptr;
};

class FS_MISSION_SELECT : public LevelSelectScreen {
  public:
    FS_MISSION_SELECT() : LevelSelectScreen(Kind::Missions) {}
};

class FS_SCENARIO_SELECT : public LevelSelectScreen {
  public:
    FS_SCENARIO_SELECT() : LevelSelectScreen(Kind::Scenarios) {}
};
