#pragma once
// The find screen: lists the player's terminals (depots and stations) by
// name in building-slot order; OK (also Enter) selects the chosen one's field
// in the world view and tells the control panel, which centres the view on
// it. With no terminal OK acts as Cancel.

#include <cstdint>
#include <memory>
#include <vector>

#include "panel/list_box.h"
#include "panel/popup_protocol.h"
#include "screens/panel/panel_screen.h"

class FindScreen : public PanelScreen {
  public:
    ~FindScreen() override;
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

    std::vector<int32_t> numbers;  // the building number of each line
    int32_t chosen = 0;            // the chosen line
    LISTBOX* list = nullptr;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    void OnPaint() override;

  private:
    void Page(int32_t lines);
    void Finish(bool ok);

    HAUPTDIALOG* panel_ = nullptr;
};

plat::Window* OpenFind(HAUPTDIALOG& panel, const PopupRequest& request);
