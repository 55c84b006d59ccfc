#pragma once
// CTerminal: what truck depots and train stations share. A terminal keeps a
// name and the list of the producing and selling buildings around it (its
// catchment); goods pass between a vehicle standing on the terminal and the
// catchment through the terminal's TakeGoods and PutGoods.
//
// The catchment is rebuilt by Refresh, which the vehicles call before they
// load or unload; it is not saved.

#include <cstdint>
#include <vector>

#include "economy/building.h"

constexpr int32_t kTerminalNameSize = 35;  // 34 characters and the terminator

// One building of a catchment, in list order (the reverse of the scan order).
struct CatchmentNode {
    int32_t building = 0;   // building number
    int32_t accepted = 0;   // scratch of PutGoods
    int64_t stock_num = 0;  // scratch of TakeGoods: the stock in portions
    int64_t stock_den = 1;
    int32_t is_warehouse = 0;  // 1 for the warehouse (type 20)
};

class CTerminal : public CBuilding {
  public:
    const char* GetName() override { return name; }
    // Copies at most 34 characters.
    void SetName(const char* text) override;

    // Rebuilds the catchment: every building of type 10 or more with a field
    // in the scan rectangle that belongs to the terminal's owner or to nobody
    // (raw-material sites), once each.
    void Refresh() override;
    // Production of every factory (types 14..19) of the catchment.
    void Update() override;
    // Hands out up to `amount` whole units of the product, taken evenly in
    // portions from the buildings of the catchment that hold it: factories
    // and stores first, warehouses last; a factory never gives what it
    // consumes. Returns the whole units handed out (exactly what left the
    // buildings). The denominator is not used.
    int32_t TakeGoods(int32_t product, int32_t amount, int32_t denominator, int32_t buyer) override;
    // Shares `amount` units equally over the factories and stores of the
    // catchment that accept the product; only when none does, over the
    // warehouses that take it. Goods nobody takes are gone. Returns
    // `amount`; 0 for a product below 0 or a non-positive amount.
    int32_t PutGoods(int32_t product, int32_t amount, int32_t sharers) override;

    const std::vector<CatchmentNode>& catchment() const { return catchment_; }

    char name[kTerminalNameSize] = {};

  protected:
    // `named`: the name comes from the nearest city (not for a building that
    // is about to read its record).
    CTerminal(int32_t x, int32_t y, bool named);

    // The fields scanned for the catchment, both corners included.
    virtual void GetScanRect(int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) const = 0;

    void SaveName(RecordWriter& out) const;
    void LoadName(RecordReader& in);

  private:
    std::vector<CatchmentNode> catchment_;
};
