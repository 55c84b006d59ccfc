#pragma once
// The city-growth choice before a new map starts: nine start years printed
// on the picture (1960 to 2040 in steps of ten, three columns of three), one
// of them marked. The chosen k goes to the control panel in the result
// record; the panel starts the game in 1960 + 10k after k x 480 growth steps.

#include <cstdint>

#include "panel/popup_protocol.h"
#include "screens/panel/panel_screen.h"

class CityGrowthChoiceScreen : public PanelScreen {
  public:
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

    int32_t choice = 0;  // k = 3 x column + row

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    void OnPaint() override;

  private:
    void DrawChoice();
    void OnOk();

    HAUPTDIALOG* panel_ = nullptr;
    WinGBitmap work_;  // the picture with the mark
};

plat::Window* OpenCityGrowthChoice(HAUPTDIALOG& panel, const PopupRequest& request);
