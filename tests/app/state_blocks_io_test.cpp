#include "app/state_blocks_io.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "state/le_io.h"
#include "state/statistics.h"
#include "support/game_scope.h"
#include "world/map_reset.h"

namespace {

class StateBlocksTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(folder.Path().empty());
        g_WriteError = 0;
    }
    void TearDown() override { plat::SetWriteLimitForTests(-1); }

    // Writes with `write`, then returns the file's bytes.
    template <typename F>
    std::string Written(F write) {
        plat::FileHandle f = plat::OpenFile(Path(), plat::OpenMode::Create);
        write(f);
        plat::CloseFile(f);
        return folder.Read("block.bin");
    }
    // Reads the file (or the given bytes) with `read`.
    template <typename F>
    uint32_t Read(F read, const std::string* bytes = nullptr) {
        if (bytes) folder.Write("block.bin", *bytes);
        plat::FileHandle f = plat::OpenFile(Path(), plat::OpenMode::Read);
        const uint32_t got = read(f);
        plat::CloseFile(f);
        return got;
    }
    std::string Path() const { return folder.Path() + "/block.bin"; }

    fvtest::TempFolder folder;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
};

TEST_F(StateBlocksTest, StatisticsAndCountersRoundTrip) {
    for (int i = 0; i < kStatisticsWords; ++i) g_Statistics.words[i] = i * 7919 - 3000000;
    for (int i = 0; i < kNewGameCounterWords; ++i) g_NewGameCounters.words[i] = -i;
    const std::string stats = Written(WriteStatisticsBlock);
    const std::string counters = Written(WriteNewGameCounters);
    ASSERT_EQ(stats.size(), kStatisticsBytes);
    ASSERT_EQ(counters.size(), kNewGameCounterBytes);
    // The credit is word 1648: bytes 6592..6595.
    g_Credit = 0x01020304;
    const std::string withCredit = Written(WriteStatisticsBlock);
    EXPECT_EQ(static_cast<uint8_t>(withCredit[6592]), 0x04);
    EXPECT_EQ(static_cast<uint8_t>(withCredit[6595]), 0x01);

    ClearStatistics();
    for (int32_t& w : g_NewGameCounters.words) w = 0;
    EXPECT_EQ(Read(ReadStatisticsBlock, &stats), kStatisticsBytes);
    EXPECT_EQ(Read(ReadNewGameCounters, &counters), kNewGameCounterBytes);
    EXPECT_EQ(Written(WriteStatisticsBlock), stats);
    EXPECT_EQ(Written(WriteNewGameCounters), counters);
    EXPECT_EQ(g_NewGameCounters.words[19], -19);
}

TEST_F(StateBlocksTest, ShortStatisticsReportTheirLength) {
    const std::string part(100, '\x01');
    ClearStatistics();
    EXPECT_EQ(Read(ReadStatisticsBlock, &part), 100u);
    EXPECT_EQ(g_Statistics.words[24], 0x01010101);
    EXPECT_EQ(g_Statistics.words[25], 0);  // none of its bytes arrived
}

TEST_F(StateBlocksTest, FieldGridRoundTripsEveryBit) {
    for (int i = 0; i < kMapFieldCount; ++i) {
        for (int b = 0; b < 12; ++b) gs.fields[i].bytes[b] = static_cast<uint8_t>(i * 31 + b * 7);
    }
    const std::string grid = Written(WriteFieldGrid);
    ASSERT_EQ(grid.size(), kFieldGridBytes);
    // Field (1, 2) is record 258, at byte 258 * 12.
    EXPECT_EQ(static_cast<uint8_t>(grid[258 * 12 + 3]), static_cast<uint8_t>(258 * 31 + 21));
    ResetMapFields();
    EXPECT_EQ(Read(ReadFieldGrid, &grid), kFieldGridBytes);
    EXPECT_EQ(Written(WriteFieldGrid), grid);
}

TEST_F(StateBlocksTest, CashNamesBookmarksAndHighScores) {
    gs.cash[0] = (int64_t{1} << 40) + 5;
    gs.cash[3] = -7;
    std::strcpy(gs.company_names[2], "Harbour & Rail");
    gs.bookmarks[9] = {200, 13};
    gs.high_scores[4].points = 123456;
    std::strcpy(gs.high_scores[4].name, "Brannigan");

    const std::string cash = Written(WriteCash);
    const std::string names = Written(WriteCompanyNames);
    const std::string marks = Written(WriteBookmarks);
    const std::string scores = Written(WriteHighScores);
    ASSERT_EQ(cash.size(), kCashBytes);
    ASSERT_EQ(names.size(), kCompanyNameBytes);
    ASSERT_EQ(marks.size(), kBookmarkBytes);
    ASSERT_EQ(scores.size(), kHighScoreBytes);
    EXPECT_EQ(static_cast<uint8_t>(cash[5]), 0x01);  // 2^40, little-endian
    EXPECT_EQ(names.substr(70, 14), "Harbour & Rail");
    EXPECT_EQ(static_cast<uint8_t>(marks[72]), 200);
    EXPECT_EQ(scores.substr(160, 9), "Brannigan");
    EXPECT_EQ(static_cast<uint8_t>(scores[196]), 123456 & 0xFF);

    fvtest::GameScope fresh;
    EXPECT_EQ(Read(ReadCash, &cash), kCashBytes);
    EXPECT_EQ(Read(ReadCompanyNames, &names), kCompanyNameBytes);
    EXPECT_EQ(Read(ReadBookmarks, &marks), kBookmarkBytes);
    EXPECT_EQ(Read(ReadHighScores, &scores), kHighScoreBytes);
    EXPECT_EQ(fresh.state().cash[0], (int64_t{1} << 40) + 5);
    EXPECT_EQ(fresh.state().cash[3], -7);
    EXPECT_STREQ(fresh.state().company_names[2], "Harbour & Rail");
    EXPECT_EQ(fresh.state().bookmarks[9].x, 200);
    EXPECT_EQ(fresh.state().bookmarks[9].y, 13);
    EXPECT_EQ(fresh.state().high_scores[4].points, 123456u);
    EXPECT_EQ(Written(WriteCash), cash);
    EXPECT_EQ(Written(WriteHighScores), scores);
}

TEST_F(StateBlocksTest, TextsAlwaysEndInsideTheirField) {
    const std::string noEnds(kHighScoreBytes, 'A');
    EXPECT_EQ(Read(ReadHighScores, &noEnds), kHighScoreBytes);
    for (const HighScoreEntry& e : gs.high_scores) EXPECT_EQ(std::strlen(e.name), 35u);
    const std::string names(kCompanyNameBytes, 'B');
    EXPECT_EQ(Read(ReadCompanyNames, &names), kCompanyNameBytes);
    EXPECT_EQ(std::strlen(gs.company_names[3]), 34u);
}

TEST_F(StateBlocksTest, ShortFilesLeaveTheRestAlone) {
    const std::string oneEntry(40 + 10, '\0');
    std::strcpy(gs.high_scores[1].name, "Kept");
    EXPECT_EQ(Read(ReadHighScores, &oneEntry), 50u);
    EXPECT_STREQ(gs.high_scores[0].name, "");
    EXPECT_STREQ(gs.high_scores[1].name, "Kept");
    const std::string threeWords(12, '\xFF');
    EXPECT_EQ(Read(ReadBookmarks, &threeWords), 12u);
    EXPECT_EQ(gs.bookmarks[1].x, -1);
    EXPECT_EQ(gs.bookmarks[1].y, -1);  // untouched default
    gs.cash[1] = 42;
    const std::string oneCash(12, '\0');
    EXPECT_EQ(Read(ReadCash, &oneCash), 12u);
    EXPECT_EQ(gs.cash[0], 0);
    EXPECT_EQ(gs.cash[1], 42);
}

TEST_F(StateBlocksTest, ShortWriteSetsTheError) {
    plat::FileHandle f = plat::OpenFile(Path(), plat::OpenMode::Create);
    plat::SetWriteLimitForTests(1000);
    WriteFieldGrid(f);
    plat::CloseFile(f);
    EXPECT_EQ(g_WriteError, 1);
}

}  // namespace
