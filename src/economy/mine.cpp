#include "economy/mine.h"

#include "economy/record_io.h"

namespace {

constexpr int32_t kGold = 5;
constexpr int32_t kDiamonds = 7;

int32_t ValidMineProduct(int32_t product) {
    return product >= kGold && product <= kDiamonds ? product : kGold;
}

}  // namespace

CMine::CMine(int32_t x, int32_t y, int32_t mined) : CRawMaterialSite(x, y) {
    product = ValidMineProduct(mined);
    stock = {product, kMineCapacity, 1};
    capacity = kMineCapacity;
    cost = CostOf(product);
}

CMine* CMine::ForLoading(int32_t x, int32_t y) {
    CMine* mine = new CMine(x, y);
    mine->product = 0;
    mine->capacity = 0;
    mine->stock = kEmptySlot;
    return mine;
}

void CMine::Load(RecordReader& in) {
    stock = in.GetSlot();
    product = ValidMineProduct(in.GetI32());
    capacity = in.GetI32();
    cost = in.GetI32();
    site_flag = in.GetI32();
    if (stock.product != product) stock = kEmptySlot;
    EmptyIfZero(stock);
}

void CMine::Save(RecordWriter& out) const {
    out.PutSlot(stock);
    out.PutI32(product);
    out.PutI32(capacity);
    out.PutI32(cost);
    out.PutI32(site_flag);
}

void CMine::Update() {
    stock = {product, capacity > 0 ? capacity : 0, 1};
    EmptyIfZero(stock);
    RefreshScreens();
}

void CMine::AfterLoad() {
    capacity = kMineCapacity;
    CutToCapacity(stock, capacity);
}

int32_t CMine::TakeGoods(int32_t p, int32_t amount, int32_t denominator, int32_t buyer) {
    if (p != product) return 0;
    return SellPortion(stock, p, amount, denominator, buyer, cost);
}

int32_t CMine::GetStock(int32_t p, int32_t& numerator, int32_t& denominator) {
    if (p != product || stock.product != product) return 0;
    numerator = stock.numerator;
    denominator = stock.denominator;
    return WholeUnits(stock);
}
