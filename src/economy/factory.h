#pragma once
// CFactory: a factory of one industry. The player chooses which single
// product of the industry's family it makes; the product's recipe in the
// goods table names the inputs, how many units of each one unit takes, and
// what making one unit costs. Inputs arrive at terminals whose catchment
// holds the factory; it produces when goods are unloaded there, and its
// output waits in its slots until a vehicle loads it.

#include <cstdint>

#include "economy/producer.h"

// The most units one production step makes.
constexpr int32_t kProductionBound = 5000;

struct FactoryKind {
    int32_t type;   // building type 14..19
    int32_t slots;  // goods slots
};

class CFactory : public CProducer {
  public:
    // Slots, then the product: 12 x slots + 4 bytes.
    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    // Production: as many whole units as the scarcest input allows (at most
    // 5000); the owner pays the production cost of each.
    void Update() override;
    // The units of the product that one unit of the current product takes
    // (summed over the recipe's places); 0 without a product.
    int32_t AcceptsProduct(int32_t product) override;
    // The product made (-1 none); a change keeps the stocks.
    void SetProduct(int32_t product) override;
    int32_t GetProduct() override { return product; }
    // Ring 1 gets -3 x sign, ring 2 -2 x sign, for any city.
    void ApplyAttraction(int32_t city, int32_t sign) override;

    int32_t product = -1;  // the product made, -1 none chosen

  protected:
    CFactory(int32_t x, int32_t y, const FactoryKind& kind);

    bool RefusesToGive(int32_t p) override { return AcceptsProduct(p) != 0; }
    bool KeepsBinding(int32_t p) override { return p == product; }
};
