#pragma once
// CMine: a 2 x 2 mine of gold (product 5), silver (6) or diamonds (7) with a
// fixed capacity of 24 units a month.

#include <cstdint>

#include "economy/raw_material_site.h"

constexpr int32_t kMineCapacity = 24;

class CMine : public CSingleGoodSite {
  public:
    // A new mine, full. A product outside 5..7 makes gold.
    CMine(int32_t x, int32_t y, int32_t product);
    // A mine about to read its record: product and capacity 0.
    static CMine* ForLoading(int32_t x, int32_t y);

    // Stock, product, capacity, cost, site flag: 28 bytes.
    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    // Monthly refill to the capacity.
    void Update() override;
    void AfterLoad() override;
    int32_t GetProduct() override { return product; }

    int32_t product = 5;

  protected:
    int32_t PanelObjectType() const override { return product - 4; }

  private:
    CMine(int32_t x, int32_t y, int32_t product, int32_t capacity);
};
