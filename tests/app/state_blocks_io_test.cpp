// The blocks that the level file does not carry whole (the high scores), and
// the partial reads a cut file gives. The level-file tests cover the rest.

#include "app/state_blocks_io.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "state/le_io.h"
#include "state/statistics.h"
#include "support/game_scope.h"

namespace {

class StateBlocksTest : public ::testing::Test {
  protected:
    // Writes with `write`, then returns the file's bytes.
    template <typename F>
    std::string Written(F write) {
        plat::FileHandle f = plat::OpenFile(Path(), plat::OpenMode::Create);
        write(f);
        plat::CloseFile(f);
        return folder.Read("block.bin");
    }
    // Reads the given bytes with `read`.
    template <typename F>
    uint32_t Read(F read, const std::string& bytes) {
        folder.Write("block.bin", bytes);
        plat::FileHandle f = plat::OpenFile(Path(), plat::OpenMode::Read);
        const uint32_t got = read(f);
        plat::CloseFile(f);
        return got;
    }
    std::string Path() const { return folder.Path() + "/block.bin"; }

    fvtest::TempFolder folder;
    fvtest::GameScope scope;  // resets the write-error flag and the write limit
    CGameState& gs = scope.state();
};

TEST_F(StateBlocksTest, HighScoresRoundTripAndTextsAlwaysEndInsideTheirField) {
    gs.high_scores[4].points = 123456;
    std::strcpy(gs.high_scores[4].name, "Brannigan");
    const std::string scores = Written(WriteHighScores);
    ASSERT_EQ(scores.size(), kHighScoreBytes);
    EXPECT_EQ(scores.substr(160, 9), "Brannigan");
    fvtest::GameScope fresh;
    EXPECT_EQ(Read(ReadHighScores, scores), kHighScoreBytes);
    EXPECT_EQ(fresh.state().high_scores[4].points, 123456u);
    EXPECT_EQ(Written(WriteHighScores), scores);

    EXPECT_EQ(Read(ReadHighScores, std::string(kHighScoreBytes, 'A')), kHighScoreBytes);
    for (const HighScoreEntry& e : fresh.state().high_scores) EXPECT_EQ(std::strlen(e.name), 35u);
}

TEST_F(StateBlocksTest, ShortFilesLeaveTheRestAlone) {
    std::strcpy(gs.high_scores[1].name, "Kept");
    EXPECT_EQ(Read(ReadHighScores, std::string(40 + 10, '\0')), 50u);
    EXPECT_STREQ(gs.high_scores[1].name, "Kept");
    ClearStatistics();
    EXPECT_EQ(Read(ReadStatisticsBlock, std::string(100, '\x01')), 100u);
    EXPECT_EQ(g_Statistics.words[24], 0x01010101);
    EXPECT_EQ(g_Statistics.words[25], 0);  // none of its bytes arrived
    gs.cash[1] = 42;
    EXPECT_EQ(Read(ReadCash, std::string(12, '\0')), 12u);
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
