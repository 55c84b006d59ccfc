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
    std::string PathOf(const std::string& name) { return folder_.Path() + "/" + name; }

    std::string SaveNetwork(const CWayNetwork& network) {
        const std::string path = PathOf("net.bin");
        const plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Create);
        network.Save(file);
        plat::CloseFile(file);
        return folder_.Read("net.bin");
    }

    bool LoadNetwork(CWayNetwork& network, const std::string& bytes) {
        const std::string path = folder_.Write("in.bin", bytes);
        const plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Read);
        const bool ok = network.Load(file);
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
        std::string s = U32(number) + U32(target) + U32(0) + U32(0) + U32(0);
        s += U32(cost) + U32(0) + U32(0) + U32(0);
        s += std::string(4, '\0');
        s += std::string(1, static_cast<char>(back)) + std::string(3, '\xff');
        return s;
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

    const std::string bytes = SaveNetwork(Net());
    EXPECT_EQ(bytes.size(), 4u + 8u * (4u + kWayNodeRecordSize));
    EXPECT_EQ(le::GetU32(reinterpret_cast<const uint8_t*>(bytes.data())), 8u);

    CWayNetwork loaded;
    loaded.CreateNode(200, 200);  // replaced by the loaded nodes
    ASSERT_TRUE(LoadNetwork(loaded, bytes));
    EXPECT_EQ(loaded.Node(3), nullptr);
    EXPECT_EQ(loaded.Node(7), nullptr);
    EXPECT_EQ(std::memcmp(loaded.Node(4), Net().Node(4), sizeof(WayNode)), 0);
    EXPECT_EQ(SaveNetwork(loaded), bytes);  // byte-identical
}

TEST_F(WayFileTest, DamagedRecordsAreRejectedAndLeaveNoNodes) {
    const std::string good = U32(2) + NodeRecord(1, 2, 1, 3) + NodeRecord(2, 1, 0, 3);
    CWayNetwork network;
    ASSERT_TRUE(LoadNetwork(network, good));
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
        EXPECT_FALSE(LoadNetwork(target, bytes)) << what;
        EXPECT_EQ(target.NodeCount(), 0) << what;
    }
    EXPECT_TRUE(LoadNetwork(network, U32(0)));
    EXPECT_EQ(network.NodeCount(), 0);
}

TEST_F(WayFileTest, ShortWriteSetsTheWriteErrorAndWritingGoesOn) {
    Net().CreateNode(1, 1);
    Net().CreateNode(2, 1);
    g_WriteError = 0;
    plat::SetWriteLimitForTests(10);
    const std::string bytes = SaveNetwork(Net());
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(g_WriteError, 1);
    EXPECT_LE(bytes.size(), 10u);
    g_WriteError = 0;
}

TEST_F(WayFileTest, PairListRoundTripKeepsOrderAndCount) {
    CPairList list;
    list.PushFront(3, -1);
    list.PushFront(2, 1);
    list.PushFront(1, 2);
    const std::string path = PathOf("pairs.bin");
    plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Create);
    list.Save(file);
    plat::CloseFile(file);
    EXPECT_EQ(folder_.Read("pairs.bin").size(), 4u + 3u * 8u);

    CPairList loaded;
    loaded.PushFront(99, 99);  // an older pair is dropped by Load
    file = plat::OpenFile(path, plat::OpenMode::Read);
    ASSERT_TRUE(loaded.Load(file));
    plat::CloseFile(file);
    int32_t a = 0, b = 0;
    for (const auto& [ea, eb] : {std::pair{1, 2}, {2, 1}, {3, -1}}) {
        ASSERT_EQ(loaded.PopFront(a, b), 1);
        EXPECT_EQ(std::pair(a, b), std::pair(ea, eb));
    }
    EXPECT_EQ(loaded.PopFront(a, b), 0);
    loaded.PushFront(5, 6);  // the tail is right again after emptying
    EXPECT_EQ(loaded.tail, loaded.head);

    // A damaged record: Load stops at its end with what it read.
    file = plat::OpenFile(folder_.Write("cut.bin", U32(1000) + U32(7) + U32(8) + U32(9)),
                          plat::OpenMode::Read);
    EXPECT_FALSE(loaded.Load(file));
    plat::CloseFile(file);
    EXPECT_EQ(loaded.Count(), 1);
    EXPECT_EQ(loaded.PeekFront(a, b), 1);
    EXPECT_EQ(std::pair(a, b), std::pair(7, 8));
}

}  // namespace
