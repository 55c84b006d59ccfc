// The route search: its results, including the settle order that the
// vehicles depend on.

#include <gtest/gtest.h>

#include "construction_fixture.h"

namespace {

constexpr int32_t N = 0, E = 1, S = 2, W = 3;

class RouteSearchTest : public ConstructionTest {
  protected:
    // Nodes 1..count on fields of row 0.
    void MakeNodes(int32_t count) {
        for (int32_t k = 0; k < count; ++k) Net().CreateNode(k, 0);
    }
    void Link(int32_t a, int32_t i, int32_t b, int32_t j, int32_t cost, int32_t flag = 0) {
        Net().LinkNodes(a, i, b, j, cost, flag);
    }
    const RouteRecord& R(int32_t n) { return Net().Route(n); }
};

TEST_F(RouteSearchTest, StartZeroOnlyResetsTheRecordsAndALoneStartSettlesItself) {
    MakeNodes(3);
    Link(1, E, 2, W, 3);
    Net().FindRoutes(1);
    EXPECT_EQ(R(2).prev, 1);
    Net().FindRoutes(0);
    EXPECT_EQ(R(2).prev, 0);
    EXPECT_EQ(R(2).dir, -1);
    EXPECT_EQ(R(2).dist, kUnreachedDist);
    Net().FindRoutes(3);
    EXPECT_EQ(R(3).dist, 0);
    EXPECT_EQ(R(1).dist, kUnreachedDist);
}

TEST_F(RouteSearchTest, CheapestPathsAndTheirDirections) {
    //  1 -E3- 2 -E3- 3
    //  |S1         |S9 (from 3)
    //  4 ----E4--- 5
    MakeNodes(5);
    Link(1, E, 2, W, 3);
    Link(2, E, 3, W, 3);
    Link(1, S, 4, N, 1);
    Link(4, E, 5, W, 4);
    Link(3, S, 5, N, 9);
    Net().FindRoutes(1);
    EXPECT_EQ(R(3).prev, 2);
    EXPECT_EQ(R(3).dir, E);
    EXPECT_EQ(R(3).dist, 6);
    EXPECT_EQ(R(5).prev, 4);
    EXPECT_EQ(R(5).dir, E);
    EXPECT_EQ(R(5).dist, 5);
    EXPECT_EQ(R(1).prev, 0);
    EXPECT_EQ(R(1).dist, 0);
}

TEST_F(RouteSearchTest, EqualCostGoesToTheLaterNodeAndTheLaterDirection) {
    // 2 and 3 both reach 4 at cost 4; 3 is expanded after 2. Node 1 reaches
    // 5 at equal cost N, E and W: W, relaxed last, takes it.
    MakeNodes(5);
    Link(1, N, 2, S, 1);
    Link(1, E, 3, W, 1);
    Link(2, E, 4, N, 3);
    Link(3, N, 4, S, 3);
    Net().FindRoutes(1);
    EXPECT_EQ(R(4).prev, 3);
    EXPECT_EQ(R(4).dir, N);
    EXPECT_EQ(R(4).dist, 4);
    Net().DeleteNode(2);
    Net().DeleteNode(3);
    Link(1, N, 5, S, 5);
    Link(1, E, 5, W, 5);
    Net().FindRoutes(1);
    EXPECT_EQ(R(5).dir, E);
    Link(1, W, 5, N, 5);
    Net().FindRoutes(1);
    EXPECT_EQ(R(5).dir, W);
}

TEST_F(RouteSearchTest, LoweredEntryKeepsItsPlaceAndSettlesOutOfCostOrder) {
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
    EXPECT_EQ(R(3).dist, 5);
    EXPECT_EQ(R(3).prev, 4);
    EXPECT_EQ(R(3).dir, E);
    EXPECT_EQ(R(2).dist, 12);
    EXPECT_EQ(R(5).prev, 3);
    EXPECT_EQ(R(5).dist, 6);
    EXPECT_EQ(R(6).dist, 13);
    EXPECT_EQ(R(7).prev, 6);
    EXPECT_EQ(R(7).dist, 14);
}

TEST_F(RouteSearchTest, ExcludingStartSkipsItsReservedLinks) {
    MakeNodes(4);
    Link(1, E, 2, W, 1, 1);  // reserved
    Link(1, S, 3, N, 5);
    Link(3, E, 2, S, 1);
    Link(2, E, 4, W, 1);
    Net().FindRoutesExcluding(1, 1);
    EXPECT_EQ(R(2).prev, 3);
    EXPECT_EQ(R(2).dist, 6);
    Net().FindRoutes(1);
    EXPECT_EQ(R(2).prev, 1);
    // An excluded node is never entered: 4 is reachable only through 2.
    Net().FindRoutesExcluding(1, 2);
    EXPECT_EQ(R(2).prev, 0);
    EXPECT_EQ(R(4).prev, 0);
    EXPECT_EQ(R(3).prev, 1);
}

TEST_F(RouteSearchTest, LinksToFreeNumbersAreIgnored) {
    MakeNodes(2);
    Link(1, E, 2, W, 1);
    Net().Node(1)->ziel[2] = 500;  // a stale number without a node
    Net().Node(1)->cost[2] = 1;
    Net().FindRoutes(1);
    EXPECT_EQ(R(2).prev, 1);
    EXPECT_EQ(R(500).prev, 1);  // reached, but it has no links to follow
}

}  // namespace
