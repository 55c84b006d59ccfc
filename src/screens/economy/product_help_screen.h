#pragma once
// FS_PRODUKT_HILFE: the reference of the 36 products (goods 8..43). For the
// product picked in a paged list of eight it shows the goods it is made of
// with their amounts and producers, where it is made, its manufacturing
// cost, its margin per unit at today's prices (a running market event's
// price included), its demand per 1,000 residents and the store that sells
// it. It changes nothing. The frame opens it on WM_USER+0x66; OK answers
// WM_USER+0x67 and leaves the world view without a tool.

#include <cstdint>

#include "screens/economy/economy_screen.h"
#include "screens/screen_entry.h"

class FS_PRODUKT_HILFE : public EconomyScreen {
  public:
    FS_PRODUKT_HILFE();
    ~FS_PRODUKT_HILFE() override;

    bool Open(plat::Window* parent);

    // The margin line of the shown product.
    std::string MarginText() const;
    std::string DemandText() const;

    int32_t m_selectedGood = 8;
    int32_t m_firstRow = 8;
    int32_t m_salesPrices[44] = {};
    WinGBitmap m_goodsPictures;

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void DrawProductInfo();
    void DrawGoodsPicture(int32_t good, int32_t x, int32_t y);
};

extern const ScreenEntry kProductHelpScreenEntry;
