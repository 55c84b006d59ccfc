// The landscape template files: the layout the world generator reads, every
// kind it stamps, and stamps smooth enough for the map's height rule.

#include <cstring>
#include <set>
#include <utility>

#include "data_folder_fixture.h"

namespace standin_test {
namespace {

int32_t Int32(const std::vector<uint8_t>& b, size_t at) {
    int32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

TEST_F(DataFolderTest, LandscapeTemplatesFollowTheFileLayout) {
    int season = 0;
    for (const char* name : {"spring/1berge", "summer/2berge", "autumn/3berge"}) {
        ++season;
        const std::vector<uint8_t>& b = Bytes(name);
        ASSERT_GE(b.size(), 4u) << name;
        const int32_t n = Int32(b, 0);
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 1000);
        ASSERT_GE(b.size(), 4u + 16u * n);
        const size_t base = 4 + 16 * static_cast<size_t>(n);
        std::set<int> kinds;
        int lastKind = 0, expectedOffset = 0, highest = 0;
        for (int e = 0; e < n; ++e) {
            const size_t at = 4 + 16 * static_cast<size_t>(e);
            const int kind = b[at];
            const int sx = Int32(b, at + 4), sy = Int32(b, at + 8), offset = Int32(b, at + 12);
            EXPECT_GE(kind, lastKind) << name << ": entries sorted by kind";
            lastKind = kind;
            kinds.insert(kind);
            ASSERT_GT(sx, 2);
            ASSERT_GT(sy, 2);
            EXPECT_EQ(offset, expectedOffset) << name << " entry " << e;
            expectedOffset += sx * sy;
            ASSERT_LE(base + offset + static_cast<size_t>(sx) * sy, b.size());
            auto h = [&](int i, int k) { return static_cast<int>(b[base + offset + i * sy + k]); };
            for (int i = 0; i < sx; ++i) {
                for (int k = 0; k < sy; ++k) {
                    ASSERT_LE(h(i, k), 14);
                    highest = std::max(highest, h(i, k));
                    if (i == 0 || k == 0 || i == sx - 1 || k == sy - 1) {
                        EXPECT_LE(h(i, k), 1) << name << " entry " << e << " rim";
                    }
                    // Neighbouring cells, diagonals included, differ by one step at most.
                    int step = 0;
                    for (const auto& [di, dk] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
                        const int ni = i + di, nk = k + dk;
                        if (ni < sx && nk >= 0 && nk < sy) {
                            step = std::max(step, std::abs(h(i, k) - h(ni, nk)));
                        }
                    }
                    EXPECT_LE(step, 1) << name << " entry " << e << " at " << i << "," << k;
                }
            }
        }
        EXPECT_EQ(base + expectedOffset, b.size()) << name << ": the last entry's data is last";
        EXPECT_EQ(kinds, (std::set<int>{1, 2, 3, 5, 8, 11, 14})) << name;
        EXPECT_GE(highest, 12) << name << ": mountains";
    }
}

}  // namespace
}  // namespace standin_test
