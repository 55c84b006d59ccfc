// The way network's and the pair list's records in level files.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "construction_fixture.h"
#include "platform/file.h"
#include "platform/temp_folder.h"
#include "state/le_io.h"
#include "world/pair_list.h"

namespace {

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
