#include "economy/producer.h"

#include <limits>

#include "economy/building_kinds.h"
#include "economy/record_io.h"

CProducer::CProducer(int32_t x, int32_t y, int32_t slot_count)
    : CBuilding(x, y),
      slot_count_(slot_count < kMaxProducerSlots ? slot_count : kMaxProducerSlots) {}

int32_t CProducer::FindGoodsSlot(int32_t product) {
    if (product < 0) return -1;
    for (int32_t i = 0; i < slot_count_; ++i) {
        if (stock[i].product == product) return i;
    }
    return -1;
}

int32_t CProducer::FindFreeGoodsSlot() {
    for (int32_t i = 0; i < slot_count_; ++i) {
        if (stock[i].product == -1) return i;
    }
    // A slot bound to a product of which nothing came (a warehouse asked for
    // goods that went elsewhere, a factory's output before its product was
    // changed) is free as well. Such a slot never empties by itself: kept
    // bound, a wood industry whose product was changed twice before it made
    // anything would have no slot left for its second input, and a warehouse
    // asked for fifteen products would take nothing more.
    for (int32_t i = 0; i < slot_count_; ++i) {
        if (stock[i].numerator == 0 && !KeepsBinding(stock[i].product)) return i;
    }
    return -1;
}

int32_t CProducer::TakeGoods(int32_t product, int32_t amount, int32_t denominator, int32_t) {
    if (product < 0 || amount <= 0 || denominator <= 0) return 0;
    const int32_t i = FindGoodsSlot(product);
    if (i < 0 || i >= slot_count_ || RefusesToGive(product)) return 0;
    GoodsSlot& s = stock[i];
    if (!TakePortion(s, amount, denominator)) return 0;
    if (s.numerator == 0) {
        s = kEmptySlot;
        if (KeepsSlotsBound()) s.product = product;
    }
    return amount;
}

int32_t CProducer::PutGoods(int32_t product, int32_t amount, int32_t sharers) {
    if (product < 0 || amount <= 0 || sharers <= 0) return 0;
    const int32_t i = SlotFor(product);
    if (i < 0) return amount;
    GoodsSlot& s = stock[i];
    // The share in units of the common denominator of the stock and the sharers.
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    const int64_t common = Lcm(s.denominator, sharers);
    const int64_t perUnit = common > 0 ? common / sharers : kMax;
    const int64_t share = perUnit > kMax / amount ? kMax : perUnit * amount;
    AddShare(s, amount, sharers);
    return static_cast<int32_t>(share);
}

int32_t CProducer::SlotFor(int32_t product) {
    const int32_t found = FindGoodsSlot(product);
    if (found >= 0) return found < slot_count_ ? found : -1;
    const int32_t i = FindFreeGoodsSlot();
    if (i < 0 || i >= slot_count_) return -1;
    // The whole slot, not only its product: a free slot may hold any amount
    // (a new warehouse's {-1, 0, 0}, or what a file stored), and a bound slot
    // with a denominator of 0 would divide by zero at the next delivery.
    stock[i] = {product, 0, 1};
    return i;
}

int32_t CProducer::GetStock(int32_t product, int32_t& numerator, int32_t& denominator) {
    const int32_t i = FindGoodsSlot(product);
    if (i < 0 || i >= slot_count_) return 0;
    numerator = stock[i].numerator;
    denominator = stock[i].denominator;
    return WholeUnits(stock[i]);
}

int32_t CProducer::GetDemolitionCost(int32_t, int32_t) {
    if (owner != 0) return -1;
    const Floor floor = FloorOfType(type);
    MarkForDemolition(anchor_x, anchor_y, floor.width, floor.depth);
    return PriceOfType(type) / 10;
}

void CProducer::SaveSlots(RecordWriter& out) const {
    for (int32_t i = 0; i < slot_count_; ++i) out.PutSlot(stock[i]);
}

void CProducer::LoadSlots(RecordReader& in) {
    for (int32_t i = 0; i < slot_count_; ++i) stock[i] = in.GetSlot();
}
