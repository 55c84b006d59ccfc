#pragma once
// CRawMaterialSite: what the mine, the lumber mill, the chemical plant and the
// steel mill share. Sites belong to nobody, sell their raw materials to
// whichever player loads them (the buyer pays the goods' cost portion by
// portion), refill their stock once a month to a capacity that grows with the
// decade, and cannot be demolished by the player.

#include <cstdint>

#include "economy/building.h"
#include "economy/goods_slot.h"

class CRawMaterialSite : public CBuilding {
  public:
    int32_t GetSiteFlag() override { return site_flag; }
    void SetSiteFlag(int32_t flag) override { site_flag = flag; }
    // Marks the footprint and answers -1: not possible.
    int32_t GetDemolitionCost(int32_t x, int32_t y) override;
    // Ring 1 gets -3 x sign, ring 2 -2 x sign, for any city.
    void ApplyAttraction(int32_t city, int32_t sign) override;

    int32_t site_flag = 1;

  protected:
    CRawMaterialSite(int32_t x, int32_t y) : CBuilding(x, y) {}

    // The decade of the game year: (year - 1960) / 10, never below 0.
    static int32_t Decade();
    // The goods' cost per unit at the site.
    static int32_t CostOf(int32_t product);
    // A stock above the capacity is cut to it.
    static void CutToCapacity(GoodsSlot& stock, int32_t capacity);
    // GetStock of a slot that holds `product`: its fraction and whole units;
    // 0, and the outputs untouched, when it holds something else.
    static int32_t StockOf(const GoodsSlot& stock, int32_t product, int32_t& numerator,
                           int32_t& denominator);

    // Sells n portions of 1 / d unit of `product` from `stock` to the buyer,
    // who pays cost / d (truncated) for each portion, as when the portions
    // are taken one at a time; the slot empties at 0. Returns n, or 0 when
    // the slot holds less or the portion is not positive.
    int32_t SellPortion(GoodsSlot& stock, int32_t product, int32_t n, int32_t d, int32_t buyer,
                        int32_t cost);
    // Redraws the structure window and the information panel showing the site.
    void RefreshScreens();
    // The control panel's object type of the site (1..6).
    virtual int32_t PanelObjectType() const = 0;
};

// CSingleGoodSite: a site of one raw material (the mine, the lumber mill and
// the chemical plant), with one stock, its capacity and the good's cost. The
// good is the one GetProduct names.
class CSingleGoodSite : public CRawMaterialSite {
  public:
    int32_t TakeGoods(int32_t product, int32_t amount, int32_t denominator, int32_t buyer) override;
    int32_t GetStock(int32_t product, int32_t& numerator, int32_t& denominator) override;
    int32_t GetCapacity(int32_t) override { return capacity; }
    int32_t GetProductCost(int32_t product) override { return product == GetProduct() ? cost : 0; }

    GoodsSlot stock;
    int32_t capacity = 0;
    int32_t cost = 0;

  protected:
    // An empty stock of `product` and the product's cost.
    CSingleGoodSite(int32_t x, int32_t y, int32_t product)
        : CRawMaterialSite(x, y), stock{product, 0, 1}, cost(CostOf(product)) {}
};
