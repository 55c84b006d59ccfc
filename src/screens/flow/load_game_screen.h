#pragma once
// FS_LOAD_GAME: the choice of a saved game to load. One row per save slot
// with the description typed when it was saved, "Empty" for a free slot (in
// the editor only the used slots are listed), and "AUTOSAVE" when the yearly
// autosave exists (never in the editor). A slot counts as used only when both
// its description and its level file are there. OK on a used row leaves the
// slot in the panel's `popup_result.slot` and answers 0; cancel answers 1.

#include <cstdint>

#include "panel/list_box.h"
#include "panel/popup_protocol.h"
#include "screens/flow/flow_popup.h"

// OK and cancel under the list of the load and save screens.
extern const ButtonLayout kFileButtons[2];

class FS_LOAD_GAME : public FlowPopup {
  public:
    FS_LOAD_GAME();
    ~FS_LOAD_GAME() override;

    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);
    void FillList();

    int32_t selected = 0;  // the chosen row; after OK the slot
    int32_t slot_map[11];  // the slot of each row, -1 for "Empty"
    LISTBOX* list = nullptr;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnDialogOk() override;
    HAUPTDIALOG* panel_ = nullptr;
};
