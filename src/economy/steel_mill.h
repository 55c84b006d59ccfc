#pragma once
// CSteelMill: a 4 x 4 mill that makes aluminum, copper sheet metal and steel
// sheet metal (products 2, 3, 4), each refilled monthly to its own capacity.

#include <cstdint>

#include "economy/raw_material_site.h"

constexpr int32_t kSteelMillProducts = 3;

class CSteelMill : public CRawMaterialSite {
  public:
    // `loading`: the mill reads its record next; otherwise it starts full.
    CSteelMill(int32_t x, int32_t y, bool loading = false);

    // Stocks, capacities, costs, site flag: 64 bytes.
    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    // Slot 0..2 of products 2..4.
    int32_t FindGoodsSlot(int32_t product) override;
    int32_t FindFreeGoodsSlot() override { return -1; }
    void Update() override;
    void AfterLoad() override;
    int32_t TakeGoods(int32_t product, int32_t amount, int32_t denominator, int32_t buyer) override;
    int32_t GetStock(int32_t product, int32_t& numerator, int32_t& denominator) override;
    int32_t GetProduct() override { return -1; }
    // Capacity of product index 0..2 (0 for another index).
    int32_t GetCapacity(int32_t index) override;
    int32_t GetProductCost(int32_t product) override;

    static constexpr int32_t kFirstProduct = 2;

    GoodsSlot stock[kSteelMillProducts];
    int32_t capacity[kSteelMillProducts] = {};
    int32_t cost[kSteelMillProducts] = {};

  protected:
    int32_t PanelObjectType() const override { return 5; }
};
