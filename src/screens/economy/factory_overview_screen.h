#pragma once
// FS_FA_UEBER: the player's factories three at a time, by product or by
// location: type and nearest city, the product with its cost and margin,
// and up to twelve stocked goods. A row opens the factory's production
// screen (this screen waits hidden and comes back refreshed) or jumps the
// world view to the factory. The frame opens it on WM_USER+0x89; it answers
// WM_USER+0x8A (lParam 1: centre the view on its selected field).

#include <array>
#include <cstdint>

#include "screens/economy/building_overview.h"
#include "screens/screen_entry.h"

class LISTBOX;

// The slot of the city nearest to field (x, y), measured from each city's
// centre (origin + 13); the lowest slot on a tie; -1 without a city.
int32_t NearestCity(int32_t x, int32_t y);

struct FactoryRow {
    int32_t type = 0;
    int32_t building = 0;
    int32_t city = -1;
    int32_t product = -1;
    std::array<int32_t, 12> amounts{};
    std::array<int32_t, 12> goods{};
};

class FS_FA_UEBER : public BuildingOverview {
  public:
    FS_FA_UEBER();
    ~FS_FA_UEBER() override;

    bool Open(plat::Window* parent);
    // The stock entries of every row again, then drawn.
    void RebuildRows();
    // The product and stock of the row whose production screen was opened.
    void RefreshRows();

    std::array<FactoryRow, kMaxRows> rows{};
    std::array<std::array<int32_t, kMaxRows>, 2> row_order{};
    int32_t first_row = 0;
    int32_t sort = 0;  // 0 "Production", 1 "Location"
    LISTBOX* sort_list = nullptr;

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    int32_t RecordAt(int32_t position) const override;
    int32_t BuildingOf(int32_t record) const override { return rows[record].building; }
    void KeepChoice() override;
    void DrawRecords(const plat::Rect& panel) override;

  private:
    void BuildRows();
    // False when the row's slot no longer holds one of the player's factories.
    bool ReadStock(FactoryRow& row);
};

extern FS_FA_UEBER* g_pFactoryOverview;
extern const ScreenEntry kFactoryOverviewScreenEntry;
