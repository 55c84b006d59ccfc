#pragma once
// CDepot: the warehouse (type 20), a store room of 15 goods slots. Terminals
// put into it only goods that no factory or store around them takes, and
// empty it last.

#include <cstdint>

#include "economy/producer.h"

constexpr int32_t kWarehouseSlots = 15;

class CDepot : public CProducer {
  public:
    CDepot(int32_t x, int32_t y);

    // The 15 slots: 180 bytes.
    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    // 1 when a slot holds the product or a slot is free for it. Only a test:
    // a slot is bound when goods arrive.
    int32_t AcceptsProduct(int32_t product) override;
    void ApplyAttraction(int32_t, int32_t) override {}
};
