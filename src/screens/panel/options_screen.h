#pragma once
// The options screen of panel heading 2: sound and display switches and the
// scroll speed, marked on a picture that names them. It edits a copy; OK
// makes each change through the command a panel entry would use and then
// writes the copy back, Cancel writes nothing.

#include <array>
#include <cstdint>

#include "panel/popup_protocol.h"
#include "screens/panel/panel_screen.h"

// The options the screen edits, in the order of the game state's fields.
enum OptionField : int32_t {
    kOptCityBuildings,
    kOptCityNames,
    kOptBuildingNames,
    kOptProduction,
    kOptTrees,
    kOptGrid,
    kOptAnimations,
    kOptPanelSide,
    kOptMusic,
    kOptVehicleSounds,
    kOptAmbientSounds,
    kOptSeasons,
    kOptCityTraffic,
    kOptAutosave,
    kOptScrollSpeed,
    kOptionFieldCount,
};

class OptionsScreen : public PanelScreen {
  public:
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

    std::array<int32_t, kOptionFieldCount> copy{};

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    void OnPaint() override;

  private:
    void DrawMarks();
    void OnRow(int32_t row);
    void Finish(bool ok);

    HAUPTDIALOG* panel_ = nullptr;
    WinGBitmap work_;  // the picture with the marks
};

plat::Window* OpenOptions(HAUPTDIALOG& panel, const PopupRequest& request);
