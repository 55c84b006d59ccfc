#include "economy/mine.h"

#include "economy/record_io.h"

namespace {

constexpr int32_t kGold = 5;
constexpr int32_t kDiamonds = 7;

int32_t ValidMineProduct(int32_t product) {
    return product >= kGold && product <= kDiamonds ? product : kGold;
}

}  // namespace

CMine::CMine(int32_t x, int32_t y, int32_t mined)
    : CMine(x, y, ValidMineProduct(mined), kMineCapacity) {}

CMine::CMine(int32_t x, int32_t y, int32_t mined, int32_t full)
    : CSingleGoodSite(x, y, mined), product(mined) {
    capacity = full;
    stock = {product, capacity, 1};
    EmptyIfZero(stock);
}

CMine* CMine::ForLoading(int32_t x, int32_t y) {
    CMine* mine = new CMine(x, y, kGold, 0);
    mine->product = 0;
    return mine;
}

void CMine::Load(RecordReader& in) {
    stock = in.GetSlot();
    const int32_t mined = in.GetI32();
    product = ValidMineProduct(mined);
    in.Require(mined == product);
    capacity = in.GetI32();
    cost = in.GetI32();
    site_flag = in.GetI32();
    in.Require(stock.product == product || stock.product == -1);
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
