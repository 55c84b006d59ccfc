// Amounts in comma groups: the group boundaries, zero padding inside a
// group, the most negative values, and the shorter families whose top group
// carries the rest.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "panel/amount_text.h"

namespace {

TEST(AmountText, GroupsDigitsByTheFamilysMostGroups) {
    constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
    constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
    const struct {
        int64_t value;
        AmountGroups groups;
        const char* text;
    } cases[] = {
        {0, AmountGroups::All, "0"},
        {999, AmountGroups::All, "999"},
        {1000, AmountGroups::All, "1,000"},
        {1005, AmountGroups::All, "1,005"},
        {1500, AmountGroups::All, "1,500"},
        {1000000, AmountGroups::All, "1,000,000"},
        {-1234567, AmountGroups::All, "-1,234,567"},
        {1000000000000, AmountGroups::All, "1,000,000,000,000"},
        {kInt32Min, AmountGroups::All, "-2,147,483,648"},
        {kInt64Min, AmountGroups::All, "-9,223,372,036,854,775,808"},
        {1234567890, AmountGroups::UpToMillions, "1234,567,890"},
        {kInt32Min, AmountGroups::UpToMillions, "-2147,483,648"},
        {1500000, AmountGroups::UpToThousands, "1500,000"},
        {999, AmountGroups::UpToThousands, "999"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatAmount(c.value, c.groups), c.text) << c.value;
}

}  // namespace
