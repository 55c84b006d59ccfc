// The way network's node table, its records in level files and the route
// search over it, with the settle order the vehicles depend on.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "construction_fixture.h"
#include "platform/file.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/le_io.h"
#include "world/pair_list.h"

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
    EXPECT_EQ(std::tuple(Net().Node(2)->ziel[W], Net().Node(2)->back[W]), std::tuple(1, E));
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
    EXPECT_EQ(std::tuple(Net().Node(1)->ziel[E], Net().Node(1)->back[E]),
              std::tuple(0, kNoBackDirection));
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

class WayFileTest : public ConstructionTest {
  protected:
    // Saves through `save` into a file and returns its bytes.
    template <typename Save>
    std::string Saved(Save save) {
        const plat::FileHandle file =
            plat::OpenFile(folder_.Path() + "/out.bin", plat::OpenMode::Create);
        save(file);
        plat::CloseFile(file);
        return folder_.Read("out.bin");
    }
    template <typename Loadable>
    bool Load(Loadable& target, const std::string& bytes) {
        const plat::FileHandle file =
            plat::OpenFile(folder_.Write("in.bin", bytes), plat::OpenMode::Read);
        const bool ok = target.Load(file);
        plat::CloseFile(file);
        return ok;
    }
    static std::string U32(uint32_t v) {
        uint8_t b[4];
        le::PutU32(b, v);
        return std::string(reinterpret_cast<char*>(b), 4);
    }
    // One node record: number, then ziel, cost, belegt, back.
    static std::string NodeRecord(uint32_t number, uint32_t target = 0, uint8_t back = 255,
                                  uint32_t cost = 0) {
        return U32(number) + U32(target) + std::string(12, '\0') + U32(cost) +
               std::string(16, '\0') + std::string(1, static_cast<char>(back)) +
               std::string(3, '\xff');
    }
    fvtest::TempFolder folder_;
};

TEST_F(WayFileTest, SaveAndLoadKeepNumbersLinksAndGaps) {
    for (int32_t k = 0; k < 10; ++k) Net().CreateNode(k, 0);
    Net().DeleteNode(3);
    Net().DeleteNode(7);
    Net().LinkNodes(1, 1, 2, 3, 5, 1);
    Net().LinkNodes(4, 0, 10, 2, 65000, 0);
    Net().LinkNodes(9, 2, 9, 3, 8, 0);
    Net().SetLinkFlag(6, kDirS);  // a flag without a link is kept too
    const std::string bytes = Saved([&](plat::FileHandle f) { Net().Save(f); });
    EXPECT_EQ(bytes.size(), 4u + 8u * (4u + kWayNodeRecordSize));
    EXPECT_EQ(le::GetU32(reinterpret_cast<const uint8_t*>(bytes.data())), 8u);
    CWayNetwork loaded;
    loaded.CreateNode(200, 200);  // replaced by the loaded nodes
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(loaded.Node(3), nullptr);
    EXPECT_EQ(loaded.Node(7), nullptr);
    EXPECT_EQ(std::memcmp(loaded.Node(4), Net().Node(4), sizeof(WayNode)), 0);
    EXPECT_EQ(Saved([&](plat::FileHandle f) { loaded.Save(f); }), bytes);  // byte-identical
    // A short write sets the write error and writing goes on.
    g_WriteError = 0;
    plat::SetWriteLimitForTests(10);
    EXPECT_LE(Saved([&](plat::FileHandle f) { Net().Save(f); }).size(), 10u);
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(g_WriteError, 1);
    g_WriteError = 0;
}

TEST_F(WayFileTest, DamagedRecordsAreRejectedAndLeaveNoNodes) {
    const std::string good = U32(2) + NodeRecord(1, 2, 1, 3) + NodeRecord(2, 1, 0, 3);
    CWayNetwork network;
    ASSERT_TRUE(Load(network, good));
    EXPECT_EQ(network.NodeCount(), 2);
    const std::pair<const char*, std::string> damaged[] = {
        {"count above the table", U32(8192)},
        {"number 0", U32(1) + NodeRecord(0)},
        {"number 8192", U32(1) + NodeRecord(8192)},
        {"repeated number", U32(2) + NodeRecord(5) + NodeRecord(5)},
        {"target 8192", U32(1) + NodeRecord(1, 8192, 0)},
        {"negative target", U32(1) + NodeRecord(1, 0xFFFFFFFFu, 0)},
        {"back direction 4", U32(1) + NodeRecord(1, 0, 4)},
        {"negative cost", U32(1) + NodeRecord(1, 0, 255, 0x80000000u)},
        {"record cut short", good.substr(0, good.size() - 3)},
        {"empty file", ""},
    };
    for (const auto& [what, bytes] : damaged) {
        CWayNetwork target;
        target.CreateNode(1, 1);
        EXPECT_FALSE(Load(target, bytes)) << what;
        EXPECT_EQ(target.NodeCount(), 0) << what;
    }
    EXPECT_TRUE(Load(network, U32(0)));
    EXPECT_EQ(network.NodeCount(), 0);
}

TEST_F(WayFileTest, PairListRoundTripKeepsOrderAndCount) {
    CPairList list;
    list.PushFront(3, -1);
    list.PushFront(2, 1);
    list.PushFront(1, 2);
    const std::string bytes = Saved([&](plat::FileHandle f) { list.Save(f); });
    EXPECT_EQ(bytes.size(), 4u + 3u * 8u);
    CPairList loaded;
    loaded.PushFront(99, 99);  // an older pair is dropped by Load
    ASSERT_TRUE(Load(loaded, bytes));
    int32_t a = 0, b = 0;
    for (const auto& [ea, eb] : {std::pair{1, 2}, {2, 1}, {3, -1}}) {
        ASSERT_EQ(loaded.PopFront(a, b), 1);
        EXPECT_EQ(std::pair(a, b), std::pair(ea, eb));
    }
    EXPECT_EQ(loaded.PopFront(a, b), 0);
    loaded.PushFront(5, 6);  // the tail is right again after emptying
    EXPECT_EQ(loaded.tail, loaded.head);
    // A damaged record: Load stops at its end with what it read.
    EXPECT_FALSE(Load(loaded, U32(1000) + U32(7) + U32(8) + U32(9)));
    EXPECT_EQ(loaded.Count(), 1);
    EXPECT_EQ(loaded.PeekFront(a, b), 1);
    EXPECT_EQ(std::pair(a, b), std::pair(7, 8));
}

}  // namespace
