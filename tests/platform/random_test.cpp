#include <gtest/gtest.h>

#include "platform/random.h"

TEST(Random, StaysInFifteenBitsAndRepeatsForASeed) {
    plat::Srand(7);
    std::vector<int32_t> first;
    for (int i = 0; i < 1000; ++i) {
        int32_t v = plat::Rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, plat::kRandMax);
        first.push_back(v);
    }
    plat::Srand(7);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(plat::Rand(), first[i]);
}

TEST(Random, ScriptedSourceIsMaskedToFifteenBits) {
    int32_t next = 32766;
    plat::SetRandSourceForTests([&] { return next++; });
    EXPECT_EQ(plat::Rand(), 32766);
    EXPECT_EQ(plat::Rand(), 32767);
    EXPECT_EQ(plat::Rand(), 0);
    plat::SetRandSourceForTests({});
}
