#pragma once
// FS_LAGERHALLE: what a warehouse (the depot, type 20) holds, one entry per
// good in stock with its picture, name, amount and a bar of unit icons, drawn
// once when the screen opens. It changes nothing. The frame opens it on
// WM_USER+0x17 with the depot's building number; OK answers WM_USER+0x18.

#include <cstdint>
#include <string>

#include "screens/economy/building_screen.h"
#include "screens/screen_entry.h"

class FS_LAGERHALLE : public BuildingScreen {
  public:
    FS_LAGERHALLE();
    ~FS_LAGERHALLE() override;

    // False when `building` is no depot.
    bool Open(plat::Window* parent, int32_t building);

    int32_t m_pageNumber = 13;
    int32_t m_entries = 0;  // goods shown
    WinGBitmap m_content;   // 608 x 324, shown at (16, 57)
    WinGBitmap m_goodsPictures;

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;

  private:
    void FillContent();
};

// The amount line of an entry: the grouped amount, then the plain number in
// parentheses ("1,250 (1250)").
std::string DepotStockText(int32_t units);

extern const ScreenEntry kDepotScreenEntry;
