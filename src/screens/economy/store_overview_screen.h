#pragma once
// FS_KH_UEBER: the player's stores three at a time, side by side, filtered
// by store kind: type, city, customers, accumulated and last month's profit
// and, per offered product, this month's demand, last month's deliveries
// and the stock. A column opens the store's sales screen (this screen waits
// hidden and comes back refreshed) or jumps the world view to the store.
// Every game tick refreshes the figures. The frame opens it on
// WM_USER+0x87; it answers WM_USER+0x88 (lParam 1: centre the view).

#include <array>
#include <cstdint>

#include "screens/economy/building_overview.h"
#include "screens/screen_entry.h"

class LISTBOX;

struct StoreRow {
    int32_t type = 0;
    int32_t building = 0;
    int32_t city = -1;  // slot of the city the store stands in, -1 outside every city
    int32_t customers = 0;
    int32_t period_figure = 0;
    int32_t last_month_profit = 0;
    std::array<int32_t, 9> demand{};
    std::array<int32_t, 9> stock{};
    std::array<int32_t, 9> goods{};
    std::array<int32_t, 9> delivered{};
};

class FS_KH_UEBER : public BuildingOverview {
  public:
    FS_KH_UEBER();
    ~FS_KH_UEBER() override;

    bool Open(plat::Window* parent);
    // Every record's figures again, then drawn (each game tick).
    void RecalcRows();
    // Customers, demand and stock of the store whose sales screen was opened.
    void RefreshStoreSales();
    // The filter again: the records whose kind is listed and selected.
    void BuildFilter();

    std::array<StoreRow, kMaxRows> stores{};
    std::array<int32_t, kMaxRows> shown{};
    std::array<int32_t, kMaxRows> store_order{};
    std::array<int32_t, 8> kind_flags{};
    std::array<int32_t, 8> line_kinds{};
    int32_t first_column = 0;
    int32_t shown_count = 0;
    LISTBOX* kind_list = nullptr;

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    int32_t RecordAt(int32_t position) const override;
    int32_t BuildingOf(int32_t record) const override { return stores[record].building; }
    void KeepChoice() override;
    void DrawRecords(const plat::Rect& panel) override;

  private:
    void BuildRows();
    // False when the record's slot no longer holds one of the player's stores.
    bool Refresh(StoreRow& row, bool all_figures);
    void FillKindList();
};

extern FS_KH_UEBER* g_pStoreOverview;
extern const ScreenEntry kStoreOverviewScreenEntry;
