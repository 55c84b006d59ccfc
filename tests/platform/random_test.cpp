#include <gtest/gtest.h>

#include "platform/random.h"

TEST(Random, StaysInFifteenBitsRepeatsForASeedAndMasksAScriptedSource) {
    plat::Srand(7);
    std::vector<int32_t> first;
    for (int i = 0; i < 1000; ++i) {
        first.push_back(plat::Rand());
        ASSERT_TRUE(first.back() >= 0 && first.back() <= plat::kRandMax);
    }
    plat::Srand(7);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(plat::Rand(), first[i]);

    int32_t next = 32767;
    plat::SetRandSourceForTests([&] { return next++; });
    EXPECT_EQ(plat::Rand(), 32767);
    EXPECT_EQ(plat::Rand(), 0);
    plat::SetRandSourceForTests({});
}
