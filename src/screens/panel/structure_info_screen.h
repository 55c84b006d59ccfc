#pragma once
// The structure information window: the live figures of one raw-material
// site (mine, lumber mill, chemical plant, steel mill) written into a picture
// that names them. The control panel opens it for the building on the view's
// selected field and holds it as `structure_info`; while it is open the site
// repaints the figures (DrawFigures) whenever they change. The close button
// and Enter report kMsgPanelStructureInfoDone to the panel, which deletes it.

#include <cstdint>

#include "panel/control_panel.h"
#include "panel/popup_protocol.h"
#include "screens/panel/panel_screen.h"

class CBuilding;

class StructureInfoScreen : public PanelScreen, public FS_STRUCTURE_INFO {
  public:
    // Shows building `number` as a child of `parent`, centred over `view`.
    // Only the raw-material sites (types 10..13) have a window: for any other
    // building, and for none, nothing opens (false).
    bool Create(plat::Window* parent, int32_t number, const plat::Rect& view);
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

    // The picture of a site: 1 gold, 2 silver, 3 diamond mine, 4 lumber
    // mill, 5 chemical plant, 6 steel mill; 0 for anything else.
    static int32_t PictureOf(CBuilding* building);

    // Writes every figure over a freshly restored strip of the picture.
    void DrawFigures() override;

    int32_t picture = 0;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    void OnPaint() override;

  private:
    void DrawFigure(int32_t value, int32_t src_x, int32_t src_y, int32_t width, int32_t x,
                    int32_t y);
    void OnCloseButton();

    plat::Window* panel_ = nullptr;
    WinGBitmap strip_;  // one figure's strip
};

plat::Window* OpenStructureInfo(HAUPTDIALOG& panel, const PopupRequest& request);
