#include "economy/goods_slot.h"

#include <cstdint>
#include <limits>

#include "state/game_records.h"

namespace {

// Wide enough for any product of two 64-bit values.
__extension__ typedef __int128 Wide;

constexpr Wide kMax32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMax63 = std::numeric_limits<int64_t>::max();

Wide Abs(Wide v) {
    return v < 0 ? -v : v;
}

Wide WideGcd(Wide a, Wide b) {
    a = Abs(a);
    b = Abs(b);
    while (b != 0) {
        const Wide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// Writes the non-negative value num / den (den > 0) into the slot in lowest
// terms; whole units over 1 when the reduced fraction does not fit.
void StoreExact(GoodsSlot& slot, Wide num, Wide den) {
    if (num <= 0 || den <= 0) {
        slot.numerator = 0;
        slot.denominator = 1;
        return;
    }
    const Wide g = WideGcd(num, den);
    num /= g;
    den /= g;
    if (num > kMax32 || den > kMax32) {
        const Wide whole = num / den;
        slot.numerator = static_cast<int32_t>(whole > kMax32 ? kMax32 : whole);
        slot.denominator = 1;
        return;
    }
    slot.numerator = static_cast<int32_t>(num);
    slot.denominator = static_cast<int32_t>(den);
}

Wide SlotDenominator(const GoodsSlot& slot) {
    return slot.denominator > 0 ? slot.denominator : 1;
}

}  // namespace

int64_t Gcd(int64_t a, int64_t b) {
    return static_cast<int64_t>(WideGcd(a, b));
}

int64_t Lcm(int64_t a, int64_t b) {
    if (a == 0 || b == 0) return 0;
    const Wide g = WideGcd(a, b);
    const Wide l = Abs(a) / g * Abs(b);
    return l > kMax63 ? -1 : static_cast<int64_t>(l);
}

void ReduceFraction(int32_t& numerator, int32_t& denominator) {
    const int64_t g = Gcd(numerator, denominator);
    if (g > 1) {
        numerator = static_cast<int32_t>(numerator / g);
        denominator = static_cast<int32_t>(denominator / g);
    }
}

int32_t WholeUnits(const GoodsSlot& slot) {
    return slot.denominator > 0 ? slot.numerator / slot.denominator : 0;
}

void AddShare(GoodsSlot& slot, int64_t amount, int64_t sharers) {
    if (amount <= 0 || sharers <= 0) return;
    const Wide den = SlotDenominator(slot);
    const Wide num = slot.numerator > 0 ? slot.numerator : 0;
    // num / den + amount / sharers over the product of the denominators;
    // StoreExact brings it back to lowest terms.
    StoreExact(slot, num * sharers + Wide(amount) * den, den * sharers);
}

bool TakePortion(GoodsSlot& slot, int64_t n, int64_t d) {
    if (n <= 0 || d <= 0 || slot.numerator <= 0) return false;
    const Wide den = SlotDenominator(slot);
    const Wide left = Wide(slot.numerator) * d - Wide(n) * den;
    if (left < 0) return false;
    StoreExact(slot, left, den * d);
    return true;
}

bool TakeWholeUnits(GoodsSlot& slot, int64_t units) {
    return TakePortion(slot, units, 1);
}

void AddWholeUnits(GoodsSlot& slot, int64_t units) {
    AddShare(slot, units, 1);
}

void EmptyIfZero(GoodsSlot& slot) {
    if (slot.numerator <= 0) slot = kEmptySlot;
}

GoodsSlot SanitizedSlot(GoodsSlot slot) {
    if (slot.product < -1 || slot.product >= kGoodsCount || slot.denominator < 1 ||
        slot.numerator < 0 || slot.product == -1) {
        return kEmptySlot;
    }
    ReduceFraction(slot.numerator, slot.denominator);
    if (slot.numerator == 0) slot.denominator = 1;
    return slot;
}
