#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file.h"
#include "temp_folder.h"

namespace {

using fvtest::TempFolder;

TEST(HostPath, ResolvesEveryComponentIgnoringCase) {
    TempFolder temp;
    temp.Write("Data/Save/Game1.LVL", "x");
    temp.Write("Mission/M0_1.lvl", "");
    temp.Write("a.txt", "lower");
    temp.Write("A.TXT", "upper");
    temp.Write("b.TXT", "");
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
}

TEST(HostPath, FileCallsGoThroughTheResolution) {
    TempFolder temp;
    temp.Write("Save/old.lvl", "old");
    const std::string root = temp.Path();
    // Created in the folder of other case, under the name the game gave.
    plat::FileHandle file = plat::OpenFile(root + "\\SAVE\\New.Lvl", plat::OpenMode::Create);
    EXPECT_EQ(plat::WriteFile(file, "abc", 3), 3);
    plat::CloseFile(file);
    EXPECT_EQ(temp.Read("Save/New.Lvl"), "abc");
    EXPECT_FALSE(std::filesystem::exists(root + "/SAVE"));

    EXPECT_TRUE(plat::RenameFile(root + "\\save\\new.lvl", root + "\\SAVE\\OLD.LVL"));
    EXPECT_EQ(temp.Read("Save/old.lvl"), "abc");
    EXPECT_FALSE(plat::FileExists(root + "\\save\\new.lvl"));
    EXPECT_TRUE(plat::RemoveFile(root + "\\save\\Old.lvl"));
    EXPECT_FALSE(plat::RemoveFile(root + "\\save\\old.lvl"));
    EXPECT_TRUE(plat::MakeDirectory(root + "\\save\\Sub"));
    EXPECT_TRUE(std::filesystem::is_directory(root + "/Save/Sub"));
    EXPECT_FALSE(plat::MakeDirectory(root + "\\SAVE\\sub"));  // exists already
}

}  // namespace
