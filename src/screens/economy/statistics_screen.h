#pragma once
// FS_STATISTIK: one company statistic at a time as a line chart, one line per
// company (the player and each opponent taking part), over the last 12 months
// or the last 12 years. The frame opens it on WM_USER+0x38; OK answers
// WM_USER+0x39. It changes nothing.

#include <array>
#include <cstdint>

#include "platform/geometry.h"
#include "screens/economy/economy_screen.h"
#include "screens/economy/statistics_chart.h"
#include "screens/screen_entry.h"

class LISTBOX;

class FS_STATISTIK : public EconomyScreen {
  public:
    FS_STATISTIK();
    ~FS_STATISTIK() override;

    bool Open(plat::Window* parent);

    // The players whose lines are drawn, player 0 always.
    static bool TakesPart(int32_t player);
    // The chart of the chosen statistic and period as it is drawn.
    stat_chart::LineChart Chart() const;

    int32_t period = 0;  // 0 "12 Years", 1 "12 Months"
    int32_t statistic = 0;
    std::array<int32_t, stat_chart::kStatisticCount> line_codes{};
    int32_t line_count = 0;
    // Each player's line in window coordinates.
    std::array<std::array<plat::Point, stat_chart::kPoints>, kPlayerCount> points{};
    LISTBOX* statistic_list = nullptr;
    LISTBOX* period_list = nullptr;
    WinGBitmap chart_image;

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void FillStatisticList();
    void DrawLegend(plat::DeviceContext& dc);
    void DrawChart(plat::DeviceContext& dc);
    void Redraw();
};

extern const ScreenEntry kStatisticsScreenEntry;
