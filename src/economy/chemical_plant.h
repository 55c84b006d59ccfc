#pragma once
// CChemicalPlant: a 4 x 4 plant that makes plastic (product 1), refilled each
// month to (decade + 8) x 5 units.

#include <cstdint>

#include "economy/raw_material_site.h"

class CChemicalPlant : public CRawMaterialSite {
  public:
    // `loading`: the plant reads its record next; otherwise it starts full.
    CChemicalPlant(int32_t x, int32_t y, bool loading = false);

    // Stock, capacity, cost, site flag: 24 bytes.
    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    // Refill; the plant is heard when it is in view.
    void Update() override;
    void AfterLoad() override;
    int32_t TakeGoods(int32_t product, int32_t amount, int32_t denominator, int32_t buyer) override;
    int32_t GetStock(int32_t product, int32_t& numerator, int32_t& denominator) override;
    int32_t GetProduct() override { return kPlastic; }
    int32_t GetCapacity(int32_t) override { return capacity; }
    int32_t GetProductCost(int32_t p) override { return p == kPlastic ? cost : 0; }

    static constexpr int32_t kPlastic = 1;

    GoodsSlot stock{kPlastic, 0, 1};
    int32_t capacity = 0;
    int32_t cost = 0;

  protected:
    int32_t PanelObjectType() const override { return 4; }
};
