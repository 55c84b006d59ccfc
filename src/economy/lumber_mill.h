#pragma once
// CLumberMill: a 3 x 3 mill that cuts the forest around it field by field.
// Every nonzero tree count of a forest field is worth 96 units of wood; the
// mill refills its stock from the wood cut and stops for good once the forest
// no longer covers a refill.

#include <cstdint>

#include "economy/raw_material_site.h"

constexpr int32_t kForestGridSize = 11;  // the square x-4..x+6, y-4..y+6
constexpr int32_t kWoodPerTreeCount = 96;

class CLumberMill : public CSingleGoodSite {
  public:
    // `loading`: the mill reads its record next; otherwise it is new: its
    // capacity is that of the decade and it cuts its first forest field (0
    // capacity when there is none).
    CLumberMill(int32_t x, int32_t y, bool loading = false);

    // 523 bytes: last cut field, tree state, wood left, forest grid, stock,
    // capacity, cost, site flag.
    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    void Update() override;
    void AfterLoad() override;
    int32_t GetProduct() override { return kWood; }
    // The wood the forest around the mill still holds.
    int32_t GetPeriodFigure() override;

    // One cutting step: the first forest field of the square (column by
    // column) that is not the field cut last loses one tree count. True when
    // wood was found. `redraw`: the view redraws at once.
    bool CutForest(bool redraw);

    static constexpr int32_t kWood = 0;

    int32_t forest_grid[kForestGridSize][kForestGridSize] = {};  // [x offset][y offset]
    int32_t wood_left = 0;
    int32_t last_x = -1;
    int32_t last_y = -1;
    uint8_t tree_state[3] = {};

  protected:
    int32_t PanelObjectType() const override { return 6; }

  private:
    int32_t DecadeCapacity() const;
};
