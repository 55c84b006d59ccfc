#pragma once
// CChemicalPlant: a 4 x 4 plant that makes plastic (product 1), refilled each
// month to (decade + 8) x 5 units.

#include <cstdint>

#include "economy/raw_material_site.h"

class CChemicalPlant : public CSingleGoodSite {
  public:
    // `loading`: the plant reads its record next; otherwise it starts full.
    CChemicalPlant(int32_t x, int32_t y, bool loading = false);

    // Stock, capacity, cost, site flag: 24 bytes.
    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    // Refill; the plant is heard when it is in view.
    void Update() override;
    void AfterLoad() override;
    int32_t GetProduct() override { return kPlastic; }

    static constexpr int32_t kPlastic = 1;

  protected:
    int32_t PanelObjectType() const override { return 4; }
};
