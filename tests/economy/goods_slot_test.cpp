// Exact fractions of the goods slots.

#include <gtest/gtest.h>

#include <limits>

#include "economy/goods_slot.h"
#include "economy_fixture.h"

namespace {

using econ::Frac;
using econ::Fraction;

TEST(GoodsSlotTest, DivisorAndMultipleAreSafeWithZero) {
    for (const auto [a, b, gcd, lcm] : {std::array<int64_t, 4>{0, 0, 0, 0},
                                        {12, 0, 12, 0},
                                        {0, 7, 7, 0},
                                        {12, 18, 6, 36},
                                        {4, 6, 2, 12}}) {
        EXPECT_EQ(Gcd(a, b), gcd) << a << " " << b;
        EXPECT_EQ(Lcm(a, b), lcm) << a << " " << b;
    }
    // A multiple beyond 63 bits is reported, not wrapped.
    EXPECT_EQ(Lcm(std::numeric_limits<int64_t>::max(), 2), -1);
    int32_t n = 0;
    int32_t d = 0;
    ReduceFraction(n, d);
    EXPECT_EQ(Fraction(n, d), Fraction(0, 0));
}

TEST(GoodsSlotTest, SharesAddUpExactly) {
    GoodsSlot slot{9, 0, 1};
    AddShare(slot, 1, 2);
    EXPECT_EQ(Frac(slot), Fraction(1, 2));
    AddShare(slot, 1, 3);
    EXPECT_EQ(Frac(slot), Fraction(5, 6));
    AddShare(slot, 7, 6);
    EXPECT_EQ(Frac(slot), Fraction(2, 1));
    EXPECT_EQ(WholeUnits(slot), 2);
    // Nothing for a non-positive amount or sharer count.
    AddShare(slot, 0, 3);
    AddShare(slot, 3, 0);
    AddShare(slot, -3, 1);
    EXPECT_EQ(Frac(slot), Fraction(2, 1));
}

TEST(GoodsSlotTest, TakingIsExactAndNeverGoesBelowZero) {
    GoodsSlot slot{9, 5, 6};
    EXPECT_TRUE(TakePortion(slot, 1, 3));
    EXPECT_EQ(Frac(slot), Fraction(1, 2));
    // A portion whose denominator is no multiple of the stock's is exact too.
    EXPECT_TRUE(TakePortion(slot, 1, 5));
    EXPECT_EQ(Frac(slot), Fraction(3, 10));
    EXPECT_FALSE(TakePortion(slot, 1, 3));
    EXPECT_FALSE(TakePortion(slot, 0, 3));
    EXPECT_FALSE(TakePortion(slot, 1, 0));
    EXPECT_EQ(slot.numerator, 3);
    EXPECT_TRUE(TakePortion(slot, 3, 10));
    EXPECT_EQ(Frac(slot), Fraction(0, 1));
    EXPECT_EQ(slot.product, 9);
    EmptyIfZero(slot);
    EXPECT_EQ(slot.product, -1);
}

TEST(GoodsSlotTest, AFractionThatDoesNotFitKeepsItsWholeUnits) {
    // 1/2147483647 + 1/2147483646 has a denominator beyond 32 bits.
    GoodsSlot slot{3, 1, 2147483647};
    AddShare(slot, 1, 2147483646);
    EXPECT_EQ(Frac(slot), Fraction(0, 1));
    GoodsSlot big{3, 5, 1};
    AddShare(big, 1, 2147483646);
    AddShare(big, 1, 2147483647);
    EXPECT_EQ(Frac(big), Fraction(5, 1));
}

TEST(GoodsSlotTest, SlotsReadFromFilesAreMadeSafe) {
    for (const GoodsSlot bad : {GoodsSlot{5, 4, 0}, {5, -4, 3}, {44, 4, 3}, {-1, 4, 3}}) {
        const GoodsSlot safe = SanitizedSlot(bad);
        EXPECT_EQ(safe.product, -1) << bad.product;
        EXPECT_EQ(safe.numerator, 0) << bad.product;
    }
    const GoodsSlot reduced = SanitizedSlot({5, 4, 6});
    EXPECT_EQ(reduced.product, 5);
    EXPECT_EQ(Frac(reduced), Fraction(2, 3));
}

}  // namespace
