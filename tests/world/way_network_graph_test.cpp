// The node table: creating, joining, removing nodes and link flags.

#include <gtest/gtest.h>

#include "construction_fixture.h"
#include "platform/random.h"

namespace {

using GraphTest = ConstructionTest;

TEST_F(GraphTest, AFullTableLeavesTheFieldWithoutANode) {
    for (int32_t n = 1; n <= kMaxWayNodes; ++n) Net().CreateNode(n % 200 + 1, n / 200 + 1);
    Net().DeleteNode(5);
    EXPECT_EQ(Net().CreateNode(9, 9), 5);  // a freed number comes back first
    F(250, 250).set_knotennummer(77);
    EXPECT_EQ(Net().CreateNode(250, 250), 0);
    EXPECT_EQ(F(250, 250).knotennummer(), 0);
    EXPECT_FALSE(F(250, 250).knoten());
}

TEST_F(GraphTest, LinksMirrorTheirFlagsAndGoWithTheirNode) {
    const int32_t a = Net().CreateNode(1, 1);
    const int32_t b = Net().CreateNode(2, 2);
    const int32_t c = Net().CreateNode(3, 3);
    Net().LinkNodes(a, 1, b, 3, 4, 0);
    EXPECT_EQ(Net().Node(b)->ziel[3], a);
    EXPECT_EQ(Net().Node(b)->back[3], 1);
    Net().LinkNodes(a, 1, b, 3, 9, 1);  // same pair and direction: unchanged
    EXPECT_EQ(Net().Node(a)->cost[1], 4);
    Net().force_link = 1;
    Net().LinkNodes(a, 1, b, 3, 9, 0);
    Net().force_link = 0;
    EXPECT_EQ(Net().Node(b)->cost[3], 9);
    // Flags follow the link to the neighbour; without a link only the own.
    Net().SetLinkFlag(a, kDirE);  // a direction bit
    EXPECT_EQ(Net().Node(b)->belegt[3], 1);
    Net().ClearLinkFlag(b, 3);  // not a bit: taken as the index
    EXPECT_EQ(Net().Node(a)->belegt[1], 0);
    Net().SetLinkFlag(a, kDirS);
    EXPECT_EQ(Net().Node(a)->belegt[2], 1);
    Net().SetLinkFlag(a, 12);  // neither a bit nor an index
    EXPECT_EQ(Net().Node(a)->belegt[1], 0);
    // ClearLink clears one side only.
    Net().LinkNodes(b, 2, c, 0, 2, 0);
    Net().ClearLink(c, 0);
    EXPECT_EQ(Net().Node(b)->ziel[2], c);
    Net().LinkNodes(b, 0, b, 1, 7, 0);  // a loop back to itself
    Net().DeleteNode(b);
    EXPECT_EQ(Net().Node(b), nullptr);
    EXPECT_EQ(F(2, 2).knotennummer(), b);  // the field keeps its number
    EXPECT_EQ(Net().Node(a)->ziel[1], 0);
    EXPECT_EQ(Net().Node(a)->back[1], kNoBackDirection);
    Net().DeleteNode(b);  // a second time: nothing
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
}

// Random sequences of the graph operations as their callers use them: links
// are made between free link slots or rewritten in place, cleared on both
// sides, nodes deleted and flags set and cleared. The mirror invariant holds
// throughout and no link ever names a deleted node.
TEST_F(GraphTest, RandomOperationsKeepTheMirrorInvariant) {
    plat::Srand(20240611);
    std::vector<int32_t> live;
    for (int32_t round = 0; round < 20000; ++round) {
        const int32_t op = plat::Rand() % 8;
        if (op == 0 || live.size() < 2) {
            const int32_t n = Net().CreateNode(plat::Rand() % 256, plat::Rand() % 256);
            if (n != 0) live.push_back(n);
            continue;
        }
        const int32_t a = live[plat::Rand() % live.size()];
        const int32_t b = live[plat::Rand() % live.size()];
        const int32_t i = plat::Rand() % 4;
        const int32_t j = plat::Rand() % 4;
        WayNode* na = Net().Node(a);
        WayNode* nb = Net().Node(b);
        switch (op) {
            case 1:
            case 2:
                if ((na->ziel[i] == 0 && nb->ziel[j] == 0 && (a != b || i != j)) ||
                    (na->ziel[i] == b && na->back[i] == j)) {
                    Net().force_link = plat::Rand() % 2;
                    Net().LinkNodes(a, i, b, j, 1 + plat::Rand() % 50, plat::Rand() % 2);
                    Net().force_link = 0;
                }
                break;
            case 3:
                if (na->ziel[i] != 0) {
                    const int32_t far = na->ziel[i];
                    const int32_t back = na->back[i];
                    Net().ClearLink(a, i);
                    if (far != a || back != i) Net().ClearLink(far, back);
                }
                break;
            case 4:
                Net().SetLinkFlag(a, 1 << i);
                break;
            case 5:
                Net().ClearLinkFlag(a, i);
                break;
            case 6:
                if (plat::Rand() % 4 == 0) {
                    Net().DeleteNode(a);
                    std::erase(live, a);
                }
                break;
            default:
                break;
        }
        if (round % 500 == 0) {
            ASSERT_TRUE(MirrorInvariantHolds(Net())) << "round " << round;
        }
    }
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
}

}  // namespace
