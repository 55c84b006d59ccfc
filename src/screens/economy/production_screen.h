#pragma once
// FS_PRODUKTION: the screen of one factory (types 14..19). The player
// chooses what the factory makes, from the goods of its kind that are on the
// market, or no production; the screen shows the product's picture, its cost
// and margin per unit, the goods one unit needs, and the factory's stock. OK
// writes the choice into the player's own factory. The frame opens it on
// WM_USER+0x06 with the factory's building number; OK and cancel answer
// WM_USER+0x07.

#include <cstdint>
#include <memory>

#include "screens/economy/building_screen.h"
#include "screens/screen_entry.h"

class FS_POPUP_LIST;
class LISTBOX;

class FS_PRODUKTION : public BuildingScreen {
  public:
    FS_PRODUKTION();
    ~FS_PRODUKTION() override;

    // False when `building` is no factory.
    bool Open(plat::Window* parent, int32_t building);

    int32_t m_product = -1;
    int32_t m_pageNumber = 0;
    std::unique_ptr<FS_POPUP_LIST> m_productPopup;
    LISTBOX* m_costList = nullptr;
    LISTBOX* m_stockList = nullptr;
    WinGBitmap m_productPicture;

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void LoadProductPicture();
    void FillProductPopup(int32_t producer_kind);
    void FillCostList();
    void FillStockList();
    void DrawProductionPanel();
    void ScrollStock(int32_t by);
    void OnProductChosen();
    void OnOk();
};

// Units of goods as a row of unit icons (character 123 of font 1): `units`
// icons, at most `most`.
std::string UnitIcons(int32_t units, int32_t most);
// The spacing of such a row: 16 pixels, 8 above `wide` units, 4 above `narrow`.
int32_t UnitIconSpacing(int32_t units, int32_t wide, int32_t narrow);

extern const ScreenEntry kProductionScreenEntry;
