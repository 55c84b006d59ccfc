#pragma once
// FS_SAVE_GAME: the choice of a save slot and the description to save under.
// The list shows the ten slots ("Empty" for a free one); choosing a row puts
// its text into the description field. OK on a free slot leaves the slot and
// the description in the panel's `popup_result` and answers 0; on a used one
// it first asks whether to overwrite (the save screen shrinks out of sight
// meanwhile): yes saves, no cancels the save. Cancel answers 1.

#include <cstdint>

#include "panel/list_box.h"
#include "panel/popup_protocol.h"
#include "platform/edit_control.h"
#include "screens/flow/flow_popup.h"

// The description field: at most 30 bytes, 289 pixels in the panel font, and
// only bytes the font can draw.
class DescriptionField : public plat::EditControl {
  public:
    WinGBitmap* background = nullptr;  // the save screen's picture under the field
    const PaletteImage* sheet = nullptr;

  protected:
    bool AcceptChar(uint8_t c, std::string_view candidate) const override;
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
};

// Makes the overwrite confirmation over the save screen; it answers the save
// screen with WM_USER+123 (lParam 0 = yes). Null when none can be made.
using OverwriteConfirmMaker = plat::Window* (*)(plat::Window& save_screen);
OverwriteConfirmMaker& OverwriteConfirmScreenMaker();

class FS_SAVE_GAME : public FlowPopup {
  public:
    FS_SAVE_GAME();
    ~FS_SAVE_GAME() override;

    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);
    void FillList();

    char description[32] = {};
    int32_t description_length = 0;
    int32_t selected = 0;  // the chosen slot (list row)
    LISTBOX* list = nullptr;
    DescriptionField* field = nullptr;
    plat::Window* confirm = nullptr;  // the open overwrite confirmation

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void TakeRow(int32_t row);
    void OnDialogOk() override;
    void OnDialogCancel() override { Answer(1); }
    void OpenOverwriteConfirm();
    void OnOverwriteConfirmDone(plat::LParam answer);
    void Answer(plat::LParam answer);
    HAUPTDIALOG* panel_ = nullptr;
};
