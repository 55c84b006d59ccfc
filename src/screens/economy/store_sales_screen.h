#pragma once
// FS_VERKAUF: the screen of one store (types 21..26). The player picks one of
// the products the store sells, sets its price step against the suggested
// price (-5..+5, 5 % each) and the store's advertising, and sees the price,
// margin, demand and deliveries that follow; the right column shows the
// store's stock. Changes live in the screen until OK writes them (only into
// the player's own store). The frame opens it on WM_USER+0x0E with the
// store's building number; OK and cancel answer WM_USER+0x0F, statistics
// WM_USER+0x10. While the statistics are shown the screen is hidden and
// comes back as the player left it.

#include <cstdint>
#include <memory>

#include "screens/economy/building_screen.h"
#include "screens/screen_entry.h"

class FS_POPUP_LIST;
class LISTBOX;

class FS_VERKAUF : public BuildingScreen {
  public:
    FS_VERKAUF();
    ~FS_VERKAUF() override;

    // False when `building` is no store.
    bool Open(plat::Window* parent, int32_t building);

    // The figures of the shown product as the screen prints them.
    std::string SuggestedPriceText() const;
    int64_t Price() const;
    int64_t DemandFigure() const;

    int32_t m_product = 0;
    int32_t m_storeType = 0;
    int32_t m_advertising = 0;
    int32_t m_priceSteps[9] = {};
    int32_t m_firstProduct = 0;
    std::unique_ptr<FS_POPUP_LIST> m_productPopup;
    LISTBOX* m_advertisingList = nullptr;

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    int32_t StepOf(int32_t product) const;
    void FillProducts();
    void FillAdvertisingList(int32_t level);
    void DrawStockColumn();
    void DrawFigures();
    // The page with the product and its figures in the canvas.
    void ComposeCanvas();
    void DrawSalesPanel();
    void RedrawFigures();
    void ChangeStep(int32_t by);
    void OnAdvertisingSelected();
    void OnProductChosen();
    void OnOk();
};

// The open sales screen (at most one), null while there is none.
extern FS_VERKAUF* g_pStoreSalesScreen;

extern const ScreenEntry kStoreSalesScreenEntry;
