#pragma once
// CDepot: the warehouse (type 20), a store room of 15 goods slots. Terminals
// put into it only goods that no factory or store around them takes, and
// empty it last.

#include <cstdint>

#include "economy/producer.h"

constexpr int32_t kWarehouseSlots = 15;

class CDepot : public CProducer {
  public:
    // Every slot empty: {-1, 0, 0}.
    CDepot(int32_t x, int32_t y);

    // The 15 slots: 180 bytes.
    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    // 1 when a slot holds the product or a free slot is bound to it (as
    // {product, 0, 1}, also when the goods then go elsewhere); 0 when all 15
    // slots hold other products.
    int32_t AcceptsProduct(int32_t product) override;
    void ApplyAttraction(int32_t, int32_t) override {}
};
