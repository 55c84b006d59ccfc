#pragma once
// CProducer: the goods handling that factories, the warehouse and the stores
// share: a row of goods slots from which loading vehicles take portions and
// into which terminals put shares of their deliveries.

#include <cstdint>

#include "economy/building.h"
#include "economy/goods_slot.h"

constexpr int32_t kMaxProducerSlots = 15;

class CProducer : public CBuilding {
  public:
    // First slot holding the product, -1 for none (and for a product below 0).
    int32_t FindGoodsSlot(int32_t product) override;
    // First empty slot; else the first slot bound to a product while it
    // holds nothing (unless KeepsBinding); -1 when there is neither.
    int32_t FindFreeGoodsSlot() override;
    // One portion of amount / denominator units of the product; 0, and
    // nothing changes, without a slot of it, for a product the building
    // refuses to give, for a non-positive portion or when the slot holds less.
    int32_t TakeGoods(int32_t product, int32_t amount, int32_t denominator, int32_t buyer) override;
    // Adds the sharers-th part of `amount` units to the product's slot (a free
    // slot is bound to it). Returns the share in units of the slot's new
    // common denominator; `amount` untouched when no slot can take it; 0 for
    // a product below 0 or a non-positive amount or sharer count.
    int32_t PutGoods(int32_t product, int32_t amount, int32_t sharers) override;
    int32_t GetStock(int32_t product, int32_t& numerator, int32_t& denominator) override;
    // A tenth of the type's price for player 0, with every field of the
    // footprint marked for demolition; -1 for another owner.
    int32_t GetDemolitionCost(int32_t x, int32_t y) override;

    int32_t slot_count() const { return slot_count_; }
    GoodsSlot& slot(int32_t i) { return stock[i]; }
    const GoodsSlot& slot(int32_t i) const { return stock[i]; }

    GoodsSlot stock[kMaxProducerSlots];

  protected:
    CProducer(int32_t x, int32_t y, int32_t slot_count);

    // Factories refuse to give the goods they consume.
    virtual bool RefusesToGive(int32_t /*product*/) { return false; }
    // Stores keep a slot bound to its product when it empties.
    virtual bool KeepsSlotsBound() const { return false; }
    // A factory keeps the slot of its output bound while it holds nothing.
    virtual bool KeepsBinding(int32_t /*product*/) { return false; }

    // The slot of the product; when there is none a free slot is bound to
    // it as {product, 0, 1}. -1 when every slot is bound to another product.
    int32_t SlotFor(int32_t product);

    void SaveSlots(RecordWriter& out) const;
    // The slots as stored: a slot bound to a product while it holds nothing
    // stays bound, an empty one keeps the amount it was stored with.
    void LoadSlots(RecordReader& in);

  private:
    int32_t slot_count_;
};
