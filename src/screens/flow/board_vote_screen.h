#pragma once
// FS_BOARD_VOTE: how the board of directors votes now. Two bars standing on
// the line y 270 of "scr_24.jgd", one pixel per half vote (against at x 96,
// for the player at x 192), and the two numbers below them. The panel opens
// it on WM_USER+0x52; the close button or Enter answers WM_USER+0x53.

#include <cstdint>
#include <vector>

#include "panel/popup_protocol.h"
#include "screens/flow/flow_popup.h"

class FS_BOARD_VOTE : public FlowPopup {
  public:
    FS_BOARD_VOTE();
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

    int32_t index = 0;  // the opener's, not drawn

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    // Bars and numbers for `votes`, drawn over the clean picture.
    void DrawVotes(int32_t votes);
    std::vector<uint8_t> clean_;  // the picture as loaded
};
