// Exact fractions of the goods slots.

#include <gtest/gtest.h>

#include <limits>

#include "economy/goods_slot.h"
#include "economy_fixture.h"

namespace {

using econ::Frac;
using econ::Fraction;

TEST(GoodsSlotTest, SharesAndPortionsStayExactAndNeverGoBelowZero) {
    for (const auto [a, b, gcd, lcm] :
         {std::array<int64_t, 4>{0, 0, 0, 0}, {12, 0, 12, 0}, {12, 18, 6, 36}}) {
        EXPECT_EQ(Gcd(a, b), gcd) << a << " " << b;
        EXPECT_EQ(Lcm(a, b), lcm) << a << " " << b;
    }
    EXPECT_EQ(Lcm(std::numeric_limits<int64_t>::max(), 2), -1);  // reported, not wrapped
    GoodsSlot slot{9, 0, 1};
    AddShare(slot, 1, 2);
    AddShare(slot, 1, 3);
    AddShare(slot, 0, 3);  // nothing for a non-positive amount or sharer count
    AddShare(slot, 3, 0);
    AddShare(slot, -3, 1);
    EXPECT_EQ(Frac(slot), Fraction(5, 6));
    EXPECT_TRUE(TakePortion(slot, 1, 3));
    EXPECT_TRUE(TakePortion(slot, 1, 5));  // no multiple of the stock's denominator
    EXPECT_EQ(Frac(slot), Fraction(3, 10));
    EXPECT_FALSE(TakePortion(slot, 1, 3));
    EXPECT_FALSE(TakePortion(slot, 1, 0));
    EXPECT_TRUE(TakePortion(slot, 3, 10));
    EXPECT_EQ(Frac(slot), Fraction(0, 1));
    EmptyIfZero(slot);
    EXPECT_EQ(slot.product, -1);
    // A denominator beyond 32 bits keeps only the whole units.
    GoodsSlot big{3, 5, 1};
    AddShare(big, 1, 2147483646);
    AddShare(big, 1, 2147483647);
    EXPECT_EQ(Frac(big), Fraction(5, 1));
}

TEST(GoodsSlotTest, SlotsReadFromFilesAreMadeSafe) {
    for (const GoodsSlot bad : {GoodsSlot{5, 4, 0}, {5, -4, 3}, {44, 4, 3}, {-1, 4, 3}}) {
        const GoodsSlot safe = SanitizedSlot(bad);
        EXPECT_EQ(std::pair(safe.product, safe.numerator), std::pair(-1, 0)) << bad.product;
    }
    const GoodsSlot reduced = SanitizedSlot({5, 4, 6});
    EXPECT_EQ(reduced.product, 5);
    EXPECT_EQ(Frac(reduced), Fraction(2, 3));
}

}  // namespace
