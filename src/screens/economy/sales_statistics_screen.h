#pragma once
// FS_VERKAUF_STATISTIK: a store's last 12 months of one product as a bar
// chart, either the monthly profit or the monthly demand beside the units
// supplied. Reached from the store's sales screen (WM_USER+0x10), which is
// hidden meanwhile; its back button shows the sales screen again and keeps
// this screen for the next time; OK and Close answer WM_USER+0x11, on which
// the frame closes the sales screen with its OK (its changes kept) and then
// this screen.

#include <cstdint>
#include <memory>
#include <string>

#include "screens/economy/economy_screen.h"
#include "screens/screen_entry.h"

class CBuilding;
class FS_POPUP_LIST;
class LISTBOX;

class FS_VERKAUF_STATISTIK : public EconomyScreen {
  public:
    FS_VERKAUF_STATISTIK();
    ~FS_VERKAUF_STATISTIK() override;

    // False when `building` is no store.
    bool Open(plat::Window* parent, int32_t building, int32_t product);

    // The period caption of the chart, e.g. "Feb 1989 - Jan 1990".
    static std::string PeriodCaption(int32_t month, int32_t year);
    // Left edge of the caption in the chart: its place, or further left so
    // that it ends inside the chart.
    static int32_t PeriodCaptionX(const std::string& caption);

    int32_t building = 0;
    int32_t product = 0;
    int32_t store_type = 0;
    int32_t mode = 0;  // 0 "Profit", 1 "Demand/Supplied units"
    int32_t first_product = 0;
    std::unique_ptr<FS_POPUP_LIST> product_popup;
    LISTBOX* mode_list = nullptr;
    WinGBitmap chart_image;

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    CBuilding* Store() const;
    void FillPopup();
    void Draw();
    void DrawChart();
    void HideSalesScreen();
};

// The open sales statistics screen, null while there is none.
extern FS_VERKAUF_STATISTIK* g_pSalesStatisticsScreen;

extern const ScreenEntry kSalesStatisticsScreenEntry;
