#pragma once
// CStore: a 2 x 2 store that sells the products of one goods family to the
// residents of the city it stands in. The demand of each product follows from
// the residents the store reaches, the product's residents per unit of
// demand, the store's price step for it and its advertising. A store sells at
// delivery and once a month from its stock; it earns the store price (changed
// by the price step and the product's age) and pays the factory price as the
// cost of the goods. It keeps twelve months of deliveries, profit and demand
// per product for the sales screens.
//
// The cities drive the stores each month: for every store type a city
// prepares g_pGameState->shared_city_grid (-1 outside the city, 0 on its
// fields), calls Refresh() of each of its stores of the type (each adds its
// coverage of the city's buildings), then Update() of each (the monthly sale,
// which splits every city field's residents among the stores covering it).
// A store works with the city its anchor field belongs to (see StoreCity).

#include <cstdint>

#include "economy/producer.h"
#include "state/statistics.h"

class CCity;

constexpr int32_t kMaxStoreProducts = 9;
constexpr int32_t kStoreMonths = 12;
constexpr int32_t kCurrentMonth = kStoreMonths - 1;
constexpr int32_t kMinPriceStep = -5;
constexpr int32_t kMaxPriceStep = 5;
constexpr int32_t kMaxAdvertising = 3;
constexpr int32_t kAdvertisingCostPerLevel = 15000;

struct StoreKind {
    int32_t type;  // building type 21..26
    int32_t first_product;
    int32_t products;    // 9 or 3
    StatSeries revenue;  // the revenue statistics of the family
};

// Demand change in percent points of a price step (-5..5) and of an
// advertising level (0..3), from the lookup tables.
int32_t PriceStepChange(int32_t step);
int32_t AdvertisingChange(int32_t level);

class CStore : public CProducer {
  public:
    // 1,646 bytes for nine products, 560 for three (see the .cpp for the
    // order).
    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    // Slot of a product of the family (product - first), else -1; no free
    // slots: every slot belongs to its product.
    int32_t FindGoodsSlot(int32_t product) override;
    int32_t FindFreeGoodsSlot() override { return -1; }
    // 1 for goods whose store type is this store's type.
    int32_t AcceptsProduct(int32_t product) override;
    // Delivery with immediate sale up to this month's demand; 0 (nothing
    // changes) for a product outside the family.
    int32_t PutGoods(int32_t product, int32_t amount, int32_t sharers) override;
    // The monthly sales; only in the first week of a month.
    void Update() override;
    // Adds this store's coverage to the shared city grid.
    void Refresh() override;
    // Recounts the customers in the city (for the sales screens' estimate)
    // and the demand of every product; returns the customers.
    int32_t RecalcCustomers() override;
    // Ring 1 gets 3 x sign, ring 2 2 x sign, for the city of the anchor only.
    void ApplyAttraction(int32_t city, int32_t sign) override;

    int32_t GetProduct() override { return selected_product; }
    void SetProduct(int32_t product) override;
    int32_t GetUnitsSoldThisMonth(int32_t product) override;
    int32_t GetProductProfitTotal(int32_t product) override;
    int32_t GetPeriodFigure() override { return profit_total; }
    int32_t GetPeriodFigure2() override { return profit_month; }
    int32_t GetMonthlyDeliveries(int32_t month, int32_t product) override;
    int32_t GetMonthlyProfit(int32_t month, int32_t product) override;
    int32_t GetMonthlyDemand(int32_t month, int32_t product) override;
    int32_t GetDeliveredUnits(int32_t which, int32_t product) override;
    // The price step of a product (-5..5).
    int32_t GetProductCost(int32_t product) override;
    // Sets a price step, kept within -5..5.
    void SetPriceSteps(int32_t product, int32_t step) override;
    int32_t GetAdvertising() override { return advertising; }
    // Sets the advertising level, kept within 0..3.
    void SetAdvertising(int32_t level) override;

    // The demand of product index i from the customers last counted.
    int32_t DemandOf(int32_t i) const;
    // Price of one unit of product index i at its price step (0 for an index
    // outside the family).
    int32_t UnitPrice(int32_t i) const;
    // The city the store works with: the city of its anchor field (or of
    // another of its fields), null outside every city.
    CCity* StoreCity() const;

    const StoreKind& kind() const { return kind_; }
    int32_t products() const { return kind_.products; }

    GoodsSlot delivered_last[kMaxStoreProducts];  // product unused
    GoodsSlot delivered_this[kMaxStoreProducts];
    int8_t price_step[kMaxStoreProducts] = {};
    uint8_t advertising = 0;
    int32_t profit_total = 0;
    int32_t profit_month = 0;
    int32_t sold_month[kMaxStoreProducts] = {};
    int32_t profit_product[kMaxStoreProducts] = {};
    int32_t deliveries[kStoreMonths][kMaxStoreProducts] = {};
    int32_t profit_monthly[kStoreMonths][kMaxStoreProducts] = {};
    int32_t demand_monthly[kStoreMonths][kMaxStoreProducts] = {};
    int32_t customers = 0;
    int32_t selected_product = 0;

  protected:
    // `loading`: the store reads its record next; otherwise it counts its
    // customers in the city of the construction check.
    CStore(int32_t x, int32_t y, const StoreKind& kind, bool loading);

    bool KeepsSlotsBound() const override { return true; }

  private:
    int32_t IndexOf(int32_t product) const;
    // Writes the demand of every product into the current month.
    void RecomputeDemand();
    // Sells up to the demand left this month from the stock of product i.
    void SellFromStock(int32_t i);
    // The sale of n units of product index i.
    void Sell(int32_t i, int32_t n);
    // The monthly tables move one month back; the new month starts at 0.
    void StartMonth();
    // The customers of the month from the shared city grid.
    int32_t CountCustomers() const;

    StoreKind kind_;
};
