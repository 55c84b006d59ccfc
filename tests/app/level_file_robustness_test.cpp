// Saving never destroys an older good file; reading a missing or damaged file
// leaves the running game as it was (the level-reader fuzzer feeds cut, flipped
// and random files with the same check).

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/busy_game.h"
#include "app/level_file.h"
#include "app/level_file_fixture.h"
#include "app/settings.h"
#include "platform/file.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "state/data_tables.h"

namespace {

using fvtest::Bytes;
using fvtest::ReadFileBytes;
using fvtest::WriteFileBytes;

class LevelRobustness : public fvtest::LevelFileTest {
  protected:
    // Loads `file` as a saved game (or a level start): refused, and the
    // running game is as it was.
    void ExpectRefused(const Bytes& file, bool whole = true) {
        WriteFileBytes(FilePath("bad.lvl"), file);
        const Bytes before = Snapshot();
        const size_t boxes = host.MessageBoxes().size();
        host.QueueMessageBoxAnswer(IDOK);
        ASSERT_EQ(whole ? LoadSavedGame(FilePath("bad.lvl")) : LoadLevel(FilePath("bad.lvl")),
                  LevelLoadResult::Rejected);
        ASSERT_TRUE(Snapshot() == before) << "a rejected file changed the game";
        ASSERT_EQ(host.MessageBoxes().size(), boxes + 1);
        EXPECT_EQ(host.MessageBoxes().back().text, DamagedLevelText(FilePath("bad.lvl")));
    }
};

using NothingLost = LevelRobustness;

TEST_F(NothingLost, ShortWriteKeepsTheOlderLevelFile) {
    MakeGame(1);
    const Bytes old_file = SaveToBytes("slot.lvl");
    MakeGame(2);
    const int64_t new_size = static_cast<int64_t>(SaveToBytes("probe.lvl").size());
    // The last case: a short write where there was no file leaves none.
    for (int64_t limit : {int64_t{0}, int64_t{5}, int64_t{786000}, new_size - 1, int64_t{100}}) {
        SCOPED_TRACE(limit);
        const std::string path = FilePath(limit == 100 ? "new.lvl" : "slot.lvl");
        host.QueueMessageBoxAnswer(IDOK);
        plat::SetWriteLimitForTests(limit);
        const size_t boxes = host.MessageBoxes().size();
        EXPECT_FALSE(SaveGameFile(path));
        plat::SetWriteLimitForTests(-1);
        EXPECT_TRUE(ReadFileBytes(FilePath("slot.lvl")) == old_file);
        EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
        EXPECT_FALSE(std::filesystem::exists(FilePath("new.lvl")));
        ASSERT_EQ(host.MessageBoxes().size(), boxes + 1);
        const auto& box = host.MessageBoxes().back();
        EXPECT_EQ(box.text, "The file was not written correctly:\n " + path +
                                " \n Check the remaining disk space!!!!");
        EXPECT_EQ(box.caption, "Ferrovane");
        EXPECT_EQ(box.flags, unsigned(MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL));
    }
    EXPECT_TRUE(SaveGameFile(FilePath("slot.lvl")));  // and the next save goes through
    EXPECT_FALSE(ReadFileBytes(FilePath("slot.lvl")) == old_file);
}

// The settings written back at the end on a full disk: the old file stays
// and the player is told once.
TEST_F(NothingLost, FailedSettingsWriteBackShowsOneBox) {
    const std::string ini = folder.Path() + "\\ferrovane.ini";
    folder.Write("ferrovane.ini", "[INSTALL]\r\nInstallation=1\r\n");
    plat::SetWriteLimitForTests(10);
    WriteSettingsAtExit(ini);
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(folder.Read("ferrovane.ini"), "[INSTALL]\r\nInstallation=1\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/ferrovane.ini.tmp"));
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, SettingsWriteErrorText(ini));
    WriteSettingsAtExit(ini);  // with room again: written, no box
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Sound", -1, ini), gs.sound_enabled);
    EXPECT_EQ(plat::GetProfileInt("INSTALL", "Installation", -1, ini), 1);
}

// Fields that name buildings, cities or nodes that the file does not hold,
// or a way type beyond the table, make the file damaged.
TEST_F(NothingLost, FieldsNamingWhatDoesNotExistAreRefused) {
    const struct {
        const char* damage;
        void (*apply)(CGameState& gs);
    } cases[] = {
        {"empty building slot 1000",
         [](CGameState& gs) {
             MapField& field = gs.fields[300];
             field.bytes[0] &= 0xCF;  // neither bridge nor forest
             field.set_stadtnum(0);
             field.set_data_word((14u << 10) | 1000u);
         }},
        {"city 60", [](CGameState& gs) { gs.fields[301].set_stadtnum(60); }},
        {"node 9000", [](CGameState& gs) { gs.fields[302].set_knotennummer(9000); }},
        {"node not in the network", [](CGameState& gs) { gs.fields[303].set_knotennummer(3); }},
        {"node of another field", [](CGameState& gs) { gs.fields[304].set_knotennummer(2); }},
        {"way type 7", [](CGameState& gs) { gs.fields[305].set_wegtyp(7); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.damage);
        MakeGame(1);
        c.apply(gs);
        const Bytes file = SaveToBytes("damaged.lvl");
        MakeGame(2);
        ExpectRefused(file);
    }
}

// A busy game (buildings of every class, trucks and a train under way, a city
// with streets and stores, opponents with plans) loads and saves byte for
// byte. A product or a state byte that its writer never writes, or a building
// whose anchor field does not name it, makes the file damaged.
TEST_F(NothingLost, BusyGameSavesAndLoadsByteForByte) {
    fvtest::BusyGame busy;
    busy.Build(3);
    busy.Run(host, 150);
    const Bytes first = SaveToBytes("busy.lvl");
    busy.Build(5);  // another running game
    ASSERT_EQ(LoadSavedGame(FilePath("busy.lvl")), LevelLoadResult::Loaded);
    EXPECT_TRUE(SaveToBytes("again.lvl") == first);
    EXPECT_TRUE(host.MessageBoxes().empty());
    // The first building is a mine: after its 20-byte header (type, slot, x)
    // its stock slot, then its product. The second, a lumber mill, holds its
    // last cut field (8 bytes), then its tree state.
    const size_t buildings = fvtest::OffsetsOf(first).cash + 36;
    ASSERT_EQ(first[buildings + 4], kTypeMine);
    const std::pair<size_t, int32_t> cases[] = {{buildings + 4 + 20 + 12, 9999},  // product
                                                {buildings + 4 + 20, 9999},       // stock product
                                                {buildings + 4 + 20 + 28 + 20 + 8, 200},  // trees
                                                {buildings + 4 + 8, 0}};  // anchor off
    for (const auto& [at, value] : cases) {
        Bytes bad = first;
        fvtest::PutI32(bad, at, value);
        ExpectRefused(bad);
    }
}

TEST_F(LevelRobustness, CancelInTheRetryBoxAbandonsOnlyTheSave) {
    MakeGame(1);
    gs.game_mode = kModeEditor;
    gs.year = 1999;
    // A folder that cannot be made: its parent is a file.
    WriteFileBytes(FilePath("plain"), {1, 2, 3});
    const std::string path = FilePath("plain") + "\\x.lvl";
    host.QueueMessageBoxAnswer(IDRETRY);
    host.QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_FALSE(SaveGameFile(path));
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes()[0].text, MissingLevelText(path));
    EXPECT_EQ(host.MessageBoxes()[0].flags,
              unsigned(MB_RETRYCANCEL | MB_ICONSTOP | MB_SYSTEMMODAL));
    // The editor level was not normalised: nothing was written.
    EXPECT_EQ(gs.year, 1999);
    EXPECT_EQ(gs.game_mode, kModeEditor);
}

TEST_F(LevelRobustness, MissingFileLeavesTheGameAsItWas) {
    MakeGame(1);
    const Bytes before = Snapshot();
    host.QueueMessageBoxAnswer(IDRETRY);
    host.QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(LoadSavedGame(FilePath("nothing.lvl")), LevelLoadResult::Cancelled);
    host.QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(LoadLevel(FilePath("nothing.lvl")), LevelLoadResult::Cancelled);
    host.QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(LoadLastGame(), LevelLoadResult::Cancelled);
    EXPECT_EQ(host.MessageBoxes().size(), 4u);
    EXPECT_EQ(host.MessageBoxes()[0].text, MissingLevelText(FilePath("nothing.lvl")));
    EXPECT_TRUE(Snapshot() == before);
}

// The file changes between the check and the reading: the second walk finds
// the damage itself.
std::string g_shrinking_file;
void CutTheFileShort() {
    if (::truncate(g_shrinking_file.c_str(), 786432 + 100) != 0) g_shrinking_file.clear();
}

TEST_F(LevelRobustness, FileDamagedBetweenCheckAndReadingIsCaughtByTheReading) {
    MakeGame(1);
    SaveToBytes("moving.lvl");
    g_shrinking_file = FilePath("moving.lvl");
    GetLevelPictureHooks().load_season_tiles = &CutTheFileShort;  // runs after record 7
    host.QueueMessageBoxAnswer(IDOK);
    EXPECT_EQ(LoadSavedGame(FilePath("moving.lvl")), LevelLoadResult::FailedMidway);
    ASSERT_FALSE(g_shrinking_file.empty());
    EXPECT_EQ(host.MessageBoxes().back().text, DamagedLevelText(FilePath("moving.lvl")));
}

}  // namespace
