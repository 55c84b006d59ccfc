// Exact fractions of the goods slots.

#include <gtest/gtest.h>

#include <limits>

#include "economy/goods_slot.h"
#include "economy_fixture.h"

namespace {

using econ::Frac;
using econ::Fraction;

TEST(GoodsSlotTest, DivisorAndMultipleAreSafeWithZero) {
    EXPECT_EQ(Gcd(0, 0), 0);
    EXPECT_EQ(Gcd(12, 0), 12);
    EXPECT_EQ(Gcd(0, 7), 7);
    EXPECT_EQ(Gcd(12, 18), 6);
    EXPECT_EQ(Lcm(0, 5), 0);
    EXPECT_EQ(Lcm(5, 0), 0);
    EXPECT_EQ(Lcm(4, 6), 12);
    // A multiple beyond 63 bits is reported, not wrapped.
    EXPECT_EQ(Lcm(std::numeric_limits<int64_t>::max(), 2), -1);
    int32_t n = 0;
    int32_t d = 0;
    ReduceFraction(n, d);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(d, 0);
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
    EXPECT_EQ(SanitizedSlot({5, 4, 0}).product, -1);
    EXPECT_EQ(SanitizedSlot({5, -4, 3}).product, -1);
    EXPECT_EQ(SanitizedSlot({44, 4, 3}).product, -1);
    EXPECT_EQ(SanitizedSlot({-1, 4, 3}).numerator, 0);
    const GoodsSlot reduced = SanitizedSlot({5, 4, 6});
    EXPECT_EQ(reduced.product, 5);
    EXPECT_EQ(Frac(reduced), Fraction(2, 3));
}

}  // namespace
