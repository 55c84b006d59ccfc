// The node table (creating, joining and removing nodes, link flags) and the
// route search over it, including the settle order the vehicles depend on.

#include <gtest/gtest.h>

#include <tuple>

#include "construction_fixture.h"
#include "platform/random.h"

namespace {

constexpr int32_t N = 0, E = 1, S = 2, W = 3;

class GraphTest : public ConstructionTest {
  protected:
    // Nodes 1..count on fields of row 0.
    void MakeNodes(int32_t count) {
        for (int32_t k = 0; k < count; ++k) Net().CreateNode(k, 0);
    }
    void Link(int32_t a, int32_t i, int32_t b, int32_t j, int32_t cost, int32_t flag = 0) {
        Net().LinkNodes(a, i, b, j, cost, flag);
    }
    // (prev, dir, dist) of node n's route record.
    std::tuple<int32_t, int32_t, int32_t> R(int32_t n) {
        const RouteRecord& r = Net().Route(n);
        return {r.prev, r.dir, r.dist};
    }
    int32_t Prev(int32_t n) { return Net().Route(n).prev; }
};

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
    MakeNodes(3);
    Link(1, E, 2, W, 4);
    EXPECT_EQ(Net().Node(2)->ziel[W], 1);
    EXPECT_EQ(Net().Node(2)->back[W], E);
    Link(1, E, 2, W, 9, 1);  // same pair and direction: unchanged
    EXPECT_EQ(Net().Node(1)->cost[E], 4);
    Net().force_link = 1;
    Link(1, E, 2, W, 9);
    Net().force_link = 0;
    EXPECT_EQ(Net().Node(2)->cost[W], 9);
    // Flags follow the link to the neighbour; without a link only the own.
    Net().SetLinkFlag(1, kDirE);  // a direction bit
    EXPECT_EQ(Net().Node(2)->belegt[W], 1);
    Net().ClearLinkFlag(2, 3);  // not a bit: taken as the index
    EXPECT_EQ(Net().Node(1)->belegt[E], 0);
    Net().SetLinkFlag(1, kDirS);
    EXPECT_EQ(Net().Node(1)->belegt[S], 1);
    Net().SetLinkFlag(1, 12);  // neither a bit nor an index
    EXPECT_EQ(Net().Node(1)->belegt[E], 0);
    // ClearLink clears one side only.
    Link(2, S, 3, N, 2);
    Net().ClearLink(3, N);
    EXPECT_EQ(Net().Node(2)->ziel[S], 3);
    Link(2, N, 2, E, 7);  // a loop back to itself
    Net().DeleteNode(2);
    EXPECT_EQ(Net().Node(2), nullptr);
    EXPECT_EQ(F(1, 0).knotennummer(), 2);  // the field keeps its number
    EXPECT_EQ(Net().Node(1)->ziel[E], 0);
    EXPECT_EQ(Net().Node(1)->back[E], kNoBackDirection);
    Net().DeleteNode(2);  // a second time: nothing
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
}

// Random sequences of the graph operations as their callers use them: links
// made between free slots or rewritten in place, cleared on both sides, nodes
// deleted, flags set and cleared. The mirror invariant holds throughout.
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
        if ((op == 1 || op == 2) && ((na->ziel[i] == 0 && nb->ziel[j] == 0 && (a != b || i != j)) ||
                                     (na->ziel[i] == b && na->back[i] == j))) {
            Net().force_link = plat::Rand() % 2;
            Link(a, i, b, j, 1 + plat::Rand() % 50, plat::Rand() % 2);
            Net().force_link = 0;
        } else if (op == 3 && na->ziel[i] != 0) {
            const int32_t far = na->ziel[i];
            const int32_t back = na->back[i];
            Net().ClearLink(a, i);
            if (far != a || back != i) Net().ClearLink(far, back);
        } else if (op == 4) {
            Net().SetLinkFlag(a, 1 << i);
        } else if (op == 5) {
            Net().ClearLinkFlag(a, i);
        } else if (op == 6 && plat::Rand() % 4 == 0) {
            Net().DeleteNode(a);
            std::erase(live, a);
        }
        ASSERT_TRUE(round % 500 != 0 || MirrorInvariantHolds(Net())) << "round " << round;
    }
    EXPECT_TRUE(MirrorInvariantHolds(Net()));
}

TEST_F(GraphTest, RoutesTakeTheCheapestPathsAndStartZeroOnlyResets) {
    //  1 -E3- 2 -E3- 3
    //  |S1         |S9 (from 3)
    //  4 ----E4--- 5        and a lone node 6
    MakeNodes(6);
    Link(1, E, 2, W, 3);
    Link(2, E, 3, W, 3);
    Link(1, S, 4, N, 1);
    Link(4, E, 5, W, 4);
    Link(3, S, 5, N, 9);
    Net().FindRoutes(1);
    EXPECT_EQ(R(3), std::tuple(2, E, 6));
    EXPECT_EQ(R(5), std::tuple(4, E, 5));
    EXPECT_EQ(std::tuple(Prev(1), std::get<2>(R(1))), std::tuple(0, 0));
    Net().FindRoutes(0);
    EXPECT_EQ(R(2), std::tuple(0, -1, kUnreachedDist));
    Net().FindRoutes(6);
    EXPECT_EQ(std::get<2>(R(6)), 0);
    EXPECT_EQ(std::get<2>(R(1)), kUnreachedDist);
    // A link to a free number is reached but has nothing to follow.
    Net().Node(6)->ziel[2] = 500;
    Net().Node(6)->cost[2] = 1;
    Net().FindRoutes(6);
    EXPECT_EQ(Prev(500), 6);
}

TEST_F(GraphTest, EqualCostGoesToTheLaterNodeAndTheLaterDirection) {
    // 2 and 3 both reach 4 at cost 4; 3 is expanded after 2. Node 1 reaches
    // 5 at equal cost N, E and W: W, relaxed last, takes it.
    MakeNodes(5);
    Link(1, N, 2, S, 1);
    Link(1, E, 3, W, 1);
    Link(2, E, 4, N, 3);
    Link(3, N, 4, S, 3);
    Net().FindRoutes(1);
    EXPECT_EQ(R(4), std::tuple(3, N, 4));
    Net().DeleteNode(2);
    Net().DeleteNode(3);
    Link(1, N, 5, S, 5);
    Link(1, E, 5, W, 5);
    Net().FindRoutes(1);
    EXPECT_EQ(std::get<1>(R(5)), E);
    Link(1, W, 5, N, 5);
    Net().FindRoutes(1);
    EXPECT_EQ(std::get<1>(R(5)), W);
}

TEST_F(GraphTest, LoweredEntryKeepsItsPlaceAndSettlesOutOfCostOrder) {
    // Start 1: N to 2 (cost 12), E to 3 (cost 20), S to 4 (cost 1). Node 4
    // lowers 3 to 5 in place, so 2 (12) is still taken out before 3 (5).
    // Node 5 hangs off 2 and 3: 2 lists it at 13, then 3 lowers it to 6.
    // Node 7 is reached from 3 (5 + 9 = 14) and then from 6 (13 + 1 = 14),
    // which is taken out after 3 and so takes 7 over.
    MakeNodes(7);
    Link(1, N, 2, S, 12);
    Link(1, E, 3, W, 20);
    Link(1, S, 4, N, 1);
    Link(4, E, 3, S, 4);
    Link(2, E, 5, N, 1);
    Link(3, N, 5, S, 1);
    Link(2, N, 6, S, 1);
    Link(6, E, 7, W, 1);
    Link(3, E, 7, S, 9);
    Net().FindRoutes(1);
    EXPECT_EQ(R(3), std::tuple(4, E, 5));
    EXPECT_EQ(R(2), std::tuple(1, N, 12));
    EXPECT_EQ(R(5), std::tuple(3, N, 6));
    EXPECT_EQ(std::get<2>(R(6)), 13);
    EXPECT_EQ(R(7), std::tuple(6, E, 14));
}

TEST_F(GraphTest, ExcludingStartSkipsItsReservedLinksAndAnExcludedNodeIsNeverEntered) {
    MakeNodes(4);
    Link(1, E, 2, W, 1, 1);  // reserved
    Link(1, S, 3, N, 5);
    Link(3, E, 2, S, 1);
    Link(2, E, 4, W, 1);
    Net().FindRoutesExcluding(1, 1);
    EXPECT_EQ(R(2), std::tuple(3, E, 6));
    Net().FindRoutes(1);
    EXPECT_EQ(Prev(2), 1);
    Net().FindRoutesExcluding(1, 2);  // 4 is reachable only through 2
    EXPECT_EQ(std::tuple(Prev(2), Prev(3), Prev(4)), std::tuple(0, 1, 0));
}

}  // namespace
