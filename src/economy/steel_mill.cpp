#include "economy/steel_mill.h"

#include "economy/record_io.h"

namespace {
constexpr int32_t kLoadedCapacity[kSteelMillProducts] = {48, 72, 80};
}

CSteelMill::CSteelMill(int32_t x, int32_t y, bool loading) : CRawMaterialSite(x, y) {
    for (int32_t i = 0; i < kSteelMillProducts; ++i) {
        cost[i] = CostOf(kFirstProduct + i);
        stock[i] = {kFirstProduct + i, 0, 1};
    }
    if (loading) return;
    AfterLoad();
    for (int32_t i = 0; i < kSteelMillProducts; ++i) {
        stock[i] = {kFirstProduct + i, capacity[i], 1};
        EmptyIfZero(stock[i]);
    }
}

int32_t CSteelMill::FindGoodsSlot(int32_t product) {
    const int32_t i = product - kFirstProduct;
    return i >= 0 && i < kSteelMillProducts ? i : -1;
}

void CSteelMill::Load(RecordReader& in) {
    for (GoodsSlot& s : stock) s = in.GetSlot();
    for (int32_t& c : capacity) c = in.GetI32();
    for (int32_t& c : cost) c = in.GetI32();
    site_flag = in.GetI32();
    for (int32_t i = 0; i < kSteelMillProducts; ++i) {
        in.Require(stock[i].product == kFirstProduct + i || stock[i].product == -1);
        if (stock[i].product != kFirstProduct + i) stock[i] = kEmptySlot;
        EmptyIfZero(stock[i]);
        capacity[i] = kLoadedCapacity[i];
    }
}

void CSteelMill::Save(RecordWriter& out) const {
    for (const GoodsSlot& s : stock) out.PutSlot(s);
    for (int32_t c : capacity) out.PutI32(c);
    for (int32_t c : cost) out.PutI32(c);
    out.PutI32(site_flag);
}

void CSteelMill::AfterLoad() {
    const int32_t k = Decade();
    capacity[0] = (k + 6) * 5;
    capacity[1] = k * 5 + 36;
    capacity[2] = (k + 8) * 5;
    for (int32_t i = 0; i < kSteelMillProducts; ++i) CutToCapacity(stock[i], capacity[i]);
}

void CSteelMill::Update() {
    AfterLoad();
    for (int32_t i = 0; i < kSteelMillProducts; ++i) {
        stock[i] = {kFirstProduct + i, capacity[i], 1};
        EmptyIfZero(stock[i]);
    }
    RefreshScreens();
}

int32_t CSteelMill::TakeGoods(int32_t p, int32_t amount, int32_t denominator, int32_t buyer) {
    const int32_t i = FindGoodsSlot(p);
    if (i < 0) return 0;
    return SellPortion(stock[i], p, amount, denominator, buyer, cost[i]);
}

int32_t CSteelMill::GetStock(int32_t p, int32_t& numerator, int32_t& denominator) {
    const int32_t i = FindGoodsSlot(p);
    return i >= 0 ? StockOf(stock[i], p, numerator, denominator) : 0;
}

int32_t CSteelMill::GetCapacity(int32_t index) {
    return index >= 0 && index < kSteelMillProducts ? capacity[index] : 0;
}

int32_t CSteelMill::GetProductCost(int32_t product) {
    const int32_t i = FindGoodsSlot(product);
    return i >= 0 ? cost[i] : 0;
}
