// File calls, text files, settings files and the case-blind path resolution.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/profile.h"
#include "temp_folder.h"

namespace {

using fvtest::TempFolder;

TEST(FileCalls, ReadWriteSeekAndOpenModes) {
    TempFolder temp;
    const std::string path = temp.Path() + "\\data.bin";
    // Read and ReadWrite never create a file; folders are not files.
    for (const auto& [where, mode] : {std::pair{path, plat::OpenMode::ReadWrite},
                                      {path, plat::OpenMode::Read},
                                      {temp.Path(), plat::OpenMode::Read},
                                      {temp.Path() + "\\no\\such\\f", plat::OpenMode::Create}}) {
        EXPECT_EQ(plat::OpenFile(where, mode), plat::kInvalidFile) << where;
    }
    plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Create);
    ASSERT_NE(file, plat::kInvalidFile);
    EXPECT_EQ(plat::WriteFile(file, "0123456789", 10), 10);
    char buffer[16] = {};
    EXPECT_EQ(plat::SeekFile(file, -4, plat::SeekFrom::End), 6);
    // A read across the end moves only what is there; at the end nothing.
    EXPECT_EQ(plat::ReadFile(file, buffer, 16), 4);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(plat::ReadFile(file, buffer, 16), 0);
    // A seek before the start fails and leaves the position alone.
    EXPECT_EQ(plat::SeekFile(file, -2, plat::SeekFrom::Current), 8);
    EXPECT_EQ(plat::SeekFile(file, -1, plat::SeekFrom::Begin), -1);
    EXPECT_EQ(plat::SeekFile(file, 0, plat::SeekFrom::Current), 8);
    plat::CloseFile(file);

    plat::FileHandle reader = plat::OpenFile(path, plat::OpenMode::Read);
    EXPECT_EQ(plat::WriteFile(reader, "x", 1), -1);  // read-only
    plat::CloseFile(reader);
    plat::FileHandle both = plat::OpenFile(path, plat::OpenMode::ReadWrite);
    EXPECT_EQ(plat::WriteFile(both, "NEW", 3), 3);
    plat::CloseFile(both);
    EXPECT_EQ(temp.Read("data.bin"), "NEW3456789");
    plat::CloseFile(plat::OpenFile(path, plat::OpenMode::Create));
    EXPECT_EQ(temp.Read("data.bin"), "");  // truncated
    // Bad and closed handles are refused quietly.
    for (plat::FileHandle bad : {plat::kInvalidFile, 0, 1 << 20, both}) {
        EXPECT_EQ(plat::ReadFile(bad, buffer, 1), -1) << bad;
        EXPECT_EQ(plat::WriteFile(bad, buffer, 1), -1) << bad;
        EXPECT_EQ(plat::SeekFile(bad, 0, plat::SeekFrom::Begin), -1) << bad;
        plat::CloseFile(bad);
    }
}

// A full disk at any point of a replacement keeps the old file byte for byte
// and leaves no temporary file; without one the new content is in place.
TEST(NothingLost, FileReplacementIsAllOrNothing) {
    TempFolder temp;
    const std::string path = temp.Path() + "\\sub\\best.sav";
    const std::string fresh = "the new content";
    for (int64_t limit : {0, 1, 14, -1}) {
        SCOPED_TRACE(limit);
        temp.Write("sub/best.sav", "old");
        plat::SetWriteLimitForTests(limit);
        const bool written = plat::ReplaceFile(path, fresh.data(), uint32_t(fresh.size()));
        plat::SetWriteLimitForTests(-1);
        EXPECT_EQ(written, limit < 0);
        EXPECT_EQ(temp.Read("sub/best.sav"), limit < 0 ? fresh : "old");
        EXPECT_FALSE(plat::FileExists(path + ".tmp"));
    }
    {  // dropped without Commit: nothing changes either
        plat::FileReplacement dropped(path);
        ASSERT_TRUE(dropped.Open());
        EXPECT_EQ(plat::WriteFile(dropped.Handle(), "x", 1), 1);
    }
    EXPECT_EQ(temp.Read("sub/best.sav"), fresh);
    EXPECT_FALSE(plat::FileExists(path + ".tmp"));
    // A missing folder is made; one that cannot be made fails cleanly.
    EXPECT_TRUE(plat::ReplaceFile(temp.Path() + "\\new\\a", "a", 1));
    EXPECT_EQ(temp.Read("new/a"), "a");
    EXPECT_FALSE(plat::ReplaceFile(temp.Path() + "\\new\\a\\b", "b", 1));
}

// A settings file of 4,090 bytes on a disk that fills at 4,000: the write
// fails and the old file stays whole, its last section included.
TEST(NothingLost, FailedSettingsWriteKeepsTheOldFile) {
    TempFolder temp;
    const std::string old = "[OPTIONEN]\r\nAudio=1\r\n;" + std::string(4050, '-') +
                            "\r\n[INSTALL]\r\nInstallation=2\r\n";
    temp.Write("ferrovane.ini", old);
    plat::SetWriteLimitForTests(4000);
    EXPECT_FALSE(plat::WriteProfileStrings("OPTIONEN", {{"Audio", "0"}, {"Sound", "0"}},
                                           temp.Path() + "\\ferrovane.ini"));
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(temp.Read("ferrovane.ini"), old);
    EXPECT_FALSE(plat::FileExists(temp.Path() + "\\ferrovane.ini.tmp"));
}

std::vector<std::string> ReadAll(const std::string& path, size_t maxLength) {
    plat::TextFile file;
    std::vector<std::string> lines;
    if (!file.Open(path)) return {"<not opened>"};
    for (std::string line; file.ReadLine(line, maxLength);) lines.push_back(line);
    return lines;
}

TEST(TextFile, LineBreaksOfEveryKindLongLinesAndWriting) {
    TempFolder temp;
    temp.Write("t.txt", "one\r\ntwo\n\r\nthree\rfour\r\nlast");
    EXPECT_EQ(ReadAll(temp.Path() + "\\T.TXT", 99),
              (std::vector<std::string>{"one", "two", "", "three", "four", "last"}));
    // Long lines continue on the next read; a zero length still makes progress.
    const std::string longer = temp.Write("l.txt", std::string(150, 'x') + "\r\nend");
    EXPECT_EQ(ReadAll(longer, 99),
              (std::vector<std::string>{std::string(99, 'x'), std::string(51, 'x'), "end"}));
    EXPECT_EQ(ReadAll(longer, 0).size(), 150u + 3u);
    // The CR ends the first 4096-byte chunk, its LF starts the next.
    EXPECT_EQ(ReadAll(temp.Write("c.txt", std::string(4095, 'a') + "\r\nb"), 5000).size(), 2u);

    plat::TextFile file;
    std::string line = "stale";
    EXPECT_FALSE(file.Open(temp.Path() + "\\missing.dir"));
    EXPECT_FALSE(file.ReadLine(line, 99));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(file.WriteLine("nowhere"));
    ASSERT_TRUE(file.Create(temp.Path() + "\\3.dir"));
    EXPECT_TRUE(file.WriteLine("My railway"));
    file.Close();
    EXPECT_EQ(temp.Read("3.dir"), "My railway\r\n");
    ASSERT_TRUE(file.Create(temp.Path() + "\\4.dir"));
    plat::SetWriteLimitForTests(3);
    EXPECT_FALSE(file.WriteLine("cut short"));
    plat::SetWriteLimitForTests(-1);
}

TEST(Profile, ReadsIgnoreCaseAndTakeLeadingDigitsOrTheDefault) {
    TempFolder temp;
    const std::string ini = temp.Path() + "\\ferrovane.ini";
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Audio", 1, ini), 1);  // no file
    temp.Write("Ferrovane.INI",
               "; settings\r\n[optionen]\r\n  SCROLLSPEED = 300\r\nFahrzeug=12abc\r\n"
               "Umgebung=abc\r\nStadtverkehr=-5\r\nAnimationen=\"42\"\r\nEmpty=\r\n"
               "Huge=99999999999\r\n[OTHER]\r\nSound=0\r\n");
    const std::pair<const char*, int32_t> ints[] = {
        {"Scrollspeed", 300}, {"fahrzeug", 12}, {"Umgebung", 0}, {"Stadtverkehr", -5},
        {"Animationen", 42},  {"Empty", 1},     {"Sound", 1},    {"Missing", 1}};
    for (const auto& [key, value] : ints) {
        EXPECT_EQ(plat::GetProfileInt("OPTIONEN", key, 1, ini), value) << key;
    }
    plat::GetProfileInt("OPTIONEN", "Huge", 1, ini);              // wraps, never overflows
    EXPECT_EQ(plat::GetProfileInt("", "; settings", 7, ini), 7);  // a comment is no key
}

TEST(Profile, WritingKeepsEverythingElseAndFollowsTheLineBreaks) {
    TempFolder temp;
    temp.Write("ferrovane.ini",
               "; chosen by the installer\r\n[INSTALL]\r\nInstallation=1\r\n\r\n"
               "[Optionen]\r\nAUDIO=0\r\nUnknown=keep me\r\n\r\n[Extra]\r\nx=y");
    const std::string ini = temp.Path() + "\\FERROVANE.ini";
    ASSERT_TRUE(plat::WriteProfileString("OPTIONEN", "Audio", "1", ini));
    ASSERT_TRUE(plat::WriteProfileString("OPTIONEN", "Sound", "0", ini));
    ASSERT_TRUE(plat::WriteProfileString("NEW", "Key", "v", ini));
    EXPECT_EQ(temp.Read("ferrovane.ini"),
              "; chosen by the installer\r\n[INSTALL]\r\nInstallation=1\r\n\r\n"
              "[Optionen]\r\nAUDIO=1\r\nUnknown=keep me\r\nSound=0\r\n\r\n[Extra]\r\nx=y\r\n"
              "[NEW]\r\nKey=v\r\n");
    ASSERT_TRUE(plat::WriteProfileString("A", "k", "1", temp.Path() + "\\new.ini"));
    EXPECT_EQ(temp.Read("new.ini"), "[A]\r\nk=1\r\n");
    temp.Write("unix.ini", "[A]\nk=1\n");
    ASSERT_TRUE(plat::WriteProfileString("a", "j", "2", temp.Path() + "\\unix.ini"));
    EXPECT_EQ(temp.Read("unix.ini"), "[A]\nk=1\nj=2\n");
}

TEST(HostPath, ResolvesEveryComponentIgnoringCase) {
    TempFolder temp;
    for (const char* name : {"Data/Save/Game1.LVL", "Mission/M0_1.lvl", "a.txt", "A.TXT", "b.TXT"})
        temp.Write(name, "");
    const std::string root = temp.Path();
    std::string back = root;  // Windows-style spelling: "/tmp/x" becomes "\tmp\x"
    for (char& c : back) c = c == '/' ? '\\' : c;
    const std::pair<std::string, std::string> cases[] = {
        {back + "\\DATA\\save\\GAME1.lvl", "/Data/Save/Game1.LVL"},
        // The program folder is a host path with '/', the game appends with '\'.
        {root + "/dAtA\\sAvE\\", "/Data/Save"},
        {root + "\\\\data\\.\\save", "/Data/./Save"},
        // Missing parts keep their spelling inside the resolved folder.
        {root + "\\data\\Missing\\Deeper\\x.LVL", "/Data/Missing/Deeper/x.LVL"},
        // The exact spelling wins, otherwise the first in byte order.
        {root + "\\a.txt", "/a.txt"},
        {root + "\\A.txt", "/A.TXT"},
        {root + "\\B.txt", "/b.TXT"},
        // Drive letters are dropped.
        {"C:" + back + "\\data\\save\\game1.lvl", "/Data/Save/Game1.LVL"},
    };
    for (const auto& [game, host] : cases) EXPECT_EQ(plat::HostPath(game), root + host) << game;
    EXPECT_EQ(plat::HostPath("d:\\"), "/");
    EXPECT_EQ(plat::HostPath(""), ".");

    // Relative paths resolve against the current folder.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(root);
    EXPECT_EQ(plat::HostPath("mission\\m0_1.LVL"), "Mission/M0_1.lvl");
    EXPECT_EQ(plat::HostPath("C:mission\\new.lvl"), "Mission/new.lvl");
    EXPECT_EQ(plat::CurrentDirectory(), root);
    std::filesystem::current_path(previous);

    // File calls go through the resolution: a file is created in the folder
    // of other case, under the name the game gave.
    plat::FileHandle file = plat::OpenFile(root + "\\DATA\\SAVE\\New.Lvl", plat::OpenMode::Create);
    EXPECT_EQ(plat::WriteFile(file, "abc", 3), 3);
    plat::CloseFile(file);
    EXPECT_EQ(temp.Read("Data/Save/New.Lvl"), "abc");
    EXPECT_FALSE(std::filesystem::exists(root + "/DATA"));
    EXPECT_TRUE(plat::RenameFile(root + "\\data\\save\\new.lvl", root + "\\DATA\\SAVE\\GAME1.LVL"));
    EXPECT_EQ(temp.Read("Data/Save/Game1.LVL"), "abc");
    EXPECT_FALSE(plat::FileExists(root + "\\data\\save\\new.lvl"));
    EXPECT_TRUE(plat::RemoveFile(root + "\\data\\save\\Game1.lvl"));
    EXPECT_FALSE(plat::RemoveFile(root + "\\data\\save\\game1.lvl"));
    EXPECT_TRUE(plat::MakeDirectory(root + "\\data\\save\\Sub"));
    EXPECT_TRUE(std::filesystem::is_directory(root + "/Data/Save/Sub"));
    EXPECT_FALSE(plat::MakeDirectory(root + "\\DATA\\SAVE\\sub"));  // exists already
}

}  // namespace
