#pragma once
// Goods stocks as exact fractions. A slot holds one product and its amount as
// numerator / denominator units; goods shared among several receivers arrive
// as halves, thirds, sevenths and so on and are never rounded while they sit
// in a stock. Only whole units (numerator / denominator, truncated) are sold,
// produced from or shown.
//
// The stored fields are 32-bit, as the level file keeps them; every sum and
// product is formed in wider integers first. A reduced fraction that still
// does not fit in 32 bits is replaced by its whole units over 1.

#include <cstdint>

struct GoodsSlot {
    int32_t product = -1;  // goods number 0..43; -1 = empty slot
    int32_t numerator = 0;
    int32_t denominator = 1;  // always above 0
};
constexpr uint32_t kGoodsSlotRecordSize = 12;

// An empty slot: {-1, 0, 1}.
constexpr GoodsSlot kEmptySlot{-1, 0, 1};

// Greatest common divisor of |a| and |b|; gcd(a, 0) = |a|, gcd(0, 0) = 0.
int64_t Gcd(int64_t a, int64_t b);
// Least common multiple of |a| and |b|; 0 when either is 0, -1 when it does
// not fit in 63 bits.
int64_t Lcm(int64_t a, int64_t b);

// Divides numerator and denominator by their greatest common divisor.
void ReduceFraction(int32_t& numerator, int32_t& denominator);

// Whole units of a slot (0 for a slot whose denominator is not positive).
int32_t WholeUnits(const GoodsSlot& slot);
// True when the slot holds more than nothing.
inline bool HasStock(const GoodsSlot& slot) {
    return slot.numerator > 0 && slot.denominator > 0;
}

// Adds amount / sharers units exactly (the sharers-th part of amount).
// Nothing happens for a non-positive amount or sharer count.
void AddShare(GoodsSlot& slot, int64_t amount, int64_t sharers);
// Takes n / d units exactly; false, with the slot unchanged, when n / d is
// not positive or more than the slot holds.
bool TakePortion(GoodsSlot& slot, int64_t n, int64_t d);
// Takes whole units; false, unchanged, when the slot holds fewer.
bool TakeWholeUnits(GoodsSlot& slot, int64_t units);
// Adds whole units.
void AddWholeUnits(GoodsSlot& slot, int64_t units);

// A slot whose amount reached 0 becomes empty: {-1, 0, 1}.
void EmptyIfZero(GoodsSlot& slot);

// The slot as read from a file made safe: no product, a product outside 0..43, a
// denominator below 1 or a negative numerator empties it; the fraction is
// reduced.
GoodsSlot SanitizedSlot(GoodsSlot slot);
