// The high-score list: where a finished game enters it, and best.sav written
// and read back, also when the file is short, empty, too long or damaged.

#include <gtest/gtest.h>

#include <cstring>

#include "app/settings.h"
#include "game/high_scores.h"
#include "platform/file.h"
#include "platform/temp_folder.h"
#include "support/game_scope.h"

namespace {

class HighScoresTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildDataPaths(folder.Path());
        gs.install_index = 0;
        std::filesystem::create_directories(folder.Path() + "/save");
        for (int32_t i = 0; i < kHighScoreCount; ++i)
            Set(i, "Company " + std::to_string(i), 1000 - 100 * i);
    }
    void Set(int32_t i, const std::string& name, int32_t points) {
        HighScoreEntry& e = gs.high_scores[i];
        std::memset(e.name, 0, sizeof e.name);
        std::memcpy(e.name, name.data(), std::min<size_t>(name.size(), sizeof e.name));
        e.points = static_cast<uint32_t>(points);
    }
    int32_t Points(int32_t i) const { return static_cast<int32_t>(gs.high_scores[i].points); }
    std::string Name(int32_t i) const { return gs.high_scores[i].name; }
    std::string File() const { return folder.Read("save/best.sav"); }
    void WriteFile(const std::string& bytes) { folder.Write("save/best.sav", bytes); }
    fvtest::TempFolder folder;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
};

TEST_F(HighScoresTest, InsertionPlaces) {
    std::snprintf(gs.company_names[0], kCompanyNameLength, "%s", "New");
    EXPECT_EQ(InsertHighScore(gs, 99), -1);  // below the tenth
    // Equal to the tenth: enters in tenth place; a tie goes above the older
    // entry, the old tenth dropping out.
    EXPECT_EQ(InsertHighScore(gs, 100), 9);
    EXPECT_EQ(Name(8), "Company 8");
    EXPECT_EQ(InsertHighScore(gs, 500), 5);
    EXPECT_EQ(Name(6) + "|" + Name(9), "Company 5|Company 8");
    EXPECT_EQ(InsertHighScore(gs, 1000), 0);
    EXPECT_EQ(Name(1), "Company 0");
    // A full company name (no terminating zero) is cut at 35 characters.
    std::memset(gs.company_names[0], 'X', kCompanyNameLength);
    EXPECT_EQ(InsertHighScore(gs, 2000000000), 0);
    EXPECT_EQ(Name(0), std::string(35, 'X'));
    for (int32_t i = 1; i < kHighScoreCount; ++i) EXPECT_GE(Points(i - 1), Points(i));
    // Points compare as signed numbers.
    for (int32_t i = 0; i < kHighScoreCount; ++i) Set(i, "Debt", -5);
    EXPECT_EQ(InsertHighScore(gs, -6), -1);
    EXPECT_EQ(InsertHighScore(gs, 0), 0);  // after the refusal above
}

TEST_F(HighScoresTest, FileRoundTripIsExactly400Bytes) {
    gs.high_scores[3].name[20] = 'z';  // after the zero: kept as it is in memory
    Set(7, "Points in all bytes", 0x01020304);
    SaveHighScores(gs);
    const std::string bytes = File();
    ASSERT_EQ(bytes.size(), 400u);
    EXPECT_EQ(bytes.substr(7 * 40, 19), "Points in all bytes");
    EXPECT_EQ(bytes.substr(7 * 40 + 36, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(bytes[3 * 40 + 20], 'z');
    fvtest::GameScope other;
    CGameState& read = other.state();
    std::memcpy(read.data_paths, gs.data_paths, sizeof read.data_paths);
    read.install_index = 0;
    LoadHighScores(read);
    EXPECT_EQ(std::memcmp(read.high_scores, gs.high_scores, sizeof read.high_scores), 0);
    SaveHighScores(read);
    EXPECT_EQ(File(), bytes);
}

// A full disk while best.sav is written keeps the player's old list.
using NothingLost = HighScoresTest;
TEST_F(NothingLost, FailedHighScoreWriteKeepsTheOldFile) {
    ASSERT_TRUE(SaveHighScores(gs));
    const std::string old = File();
    Set(0, "Newcomer", 5000);
    for (int64_t limit : {0, 399}) {
        plat::SetWriteLimitForTests(limit);
        EXPECT_FALSE(SaveHighScores(gs));
        plat::SetWriteLimitForTests(-1);
        EXPECT_EQ(File(), old);
        EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/save/best.sav.tmp"));
    }
}

// A missing folder keeps the list (a save makes it); an empty file resets
// the list; short and long files, or names without an end, stay in bounds.
TEST_F(HighScoresTest, MissingEmptyShortAndLongFilesStayInTheirBuffers) {
    std::filesystem::remove_all(folder.Path() + "/save");
    LoadHighScores(gs);
    EXPECT_EQ(std::pair(Name(0), Points(0)), std::pair(std::string("Company 0"), 1000));
    SaveHighScores(gs);
    EXPECT_EQ(File().size(), 400u);
    std::string bytes(45, '\0');
    std::memcpy(bytes.data(), "Short", 5);
    bytes[36] = 0x10;  // 16 points
    std::memcpy(bytes.data() + 40, "ABCDE", 5);
    WriteFile(bytes);
    LoadHighScores(gs);
    EXPECT_EQ(std::pair(Name(0), Points(0)), std::pair(std::string("Short"), 16));
    EXPECT_EQ(std::string(gs.high_scores[1].name, 9), "ABCDEny 1");  // the rest as it was
    EXPECT_EQ(std::pair(Name(2), Points(1)), std::pair(std::string("Company 2"), 900));
    WriteFile(std::string(500, 'N'));  // no zero anywhere, and 100 bytes too many
    LoadHighScores(gs);
    EXPECT_EQ(Name(9), std::string(35, 'N'));
    EXPECT_EQ(gs.high_scores[9].points, 0x4E4E4E4Eu);
    WriteFile("");
    LoadHighScores(gs);
    for (int32_t i = 0; i < kHighScoreCount; ++i) {
        EXPECT_EQ(std::pair(Name(i), Points(i)), std::pair(std::string("No entry"), 0));
    }
}

}  // namespace
