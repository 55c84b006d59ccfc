#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/file.h"
#include "temp_folder.h"

namespace {

using fvtest::TempFolder;

// Windows-style spelling of a host folder: "/tmp/x" becomes "\tmp\x".
std::string Backslashed(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

class CurrentDirectoryScope {
  public:
    explicit CurrentDirectoryScope(const std::string& path)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~CurrentDirectoryScope() { std::filesystem::current_path(previous_); }

  private:
    std::filesystem::path previous_;
};

TEST(HostPath, ResolvesEveryComponentIgnoringCase) {
    TempFolder temp;
    temp.Write("Data/Save/Game1.LVL", "x");
    temp.Write("a.txt", "lower");
    temp.Write("A.TXT", "upper");
    temp.Write("b.TXT", "");
    const std::string root = temp.Path(), back = Backslashed(root);
    const std::pair<std::string, std::string> cases[] = {
        {root + "\\data\\SAVE\\game1.lvl", "/Data/Save/Game1.LVL"},
        {back + "\\DATA\\save\\GAME1.lvl", "/Data/Save/Game1.LVL"},
        // The program folder is a host path with '/', the game appends with '\'.
        {root + "/dAtA\\sAvE\\", "/Data/Save"},
        {root + "\\\\data\\.\\save", "/Data/./Save"},
        // Missing parts keep their spelling inside the resolved folder.
        {root + "\\DATA\\save\\New.lvl", "/Data/Save/New.lvl"},
        {root + "\\data\\Missing\\Deeper\\x.LVL", "/Data/Missing/Deeper/x.LVL"},
        // The exact spelling wins, otherwise the first in byte order.
        {root + "\\a.txt", "/a.txt"},
        {root + "\\A.TXT", "/A.TXT"},
        {root + "\\A.txt", "/A.TXT"},
        {root + "\\B.txt", "/b.TXT"},
        // Drive letters are dropped.
        {"C:" + back + "\\data\\save\\game1.lvl", "/Data/Save/Game1.LVL"},
    };
    for (const auto& [game, host] : cases) EXPECT_EQ(plat::HostPath(game), root + host) << game;
    EXPECT_EQ(plat::HostPath("d:\\"), "/");
    EXPECT_EQ(plat::HostPath(""), ".");
}

TEST(HostPath, RelativePathsResolveAgainstTheCurrentFolder) {
    TempFolder temp;
    temp.Write("Mission/M0_1.lvl", "");
    CurrentDirectoryScope scope(temp.Path());

    EXPECT_EQ(plat::HostPath("mission\\m0_1.LVL"), "Mission/M0_1.lvl");
    EXPECT_EQ(plat::HostPath(".\\MISSION"), "./Mission");
    EXPECT_EQ(plat::HostPath("C:mission\\new.lvl"), "Mission/new.lvl");
    EXPECT_EQ(plat::CurrentDirectory(), std::filesystem::current_path().string());
}

TEST(HostPath, FileCallsGoThroughTheResolution) {
    TempFolder temp;
    temp.Write("Save/old.lvl", "old");
    const std::string root = temp.Path();

    // Created in the folder of other case, under the name the game gave.
    plat::FileHandle file = plat::OpenFile(root + "\\SAVE\\New.Lvl", plat::OpenMode::Create);
    ASSERT_NE(file, plat::kInvalidFile);
    EXPECT_EQ(plat::WriteFile(file, "abc", 3), 3);
    plat::CloseFile(file);
    EXPECT_EQ(temp.Read("Save/New.Lvl"), "abc");
    EXPECT_FALSE(std::filesystem::exists(root + "/SAVE"));

    EXPECT_TRUE(plat::FileExists(root + "\\save\\NEW.LVL"));
    EXPECT_TRUE(plat::RenameFile(root + "\\save\\new.lvl", root + "\\SAVE\\OLD.LVL"));
    EXPECT_EQ(temp.Read("Save/old.lvl"), "abc");
    EXPECT_FALSE(plat::FileExists(root + "\\save\\new.lvl"));
    EXPECT_TRUE(plat::RemoveFile(root + "\\save\\Old.lvl"));
    EXPECT_FALSE(plat::FileExists(root + "\\save\\old.lvl"));
    EXPECT_FALSE(plat::RemoveFile(root + "\\save\\old.lvl"));

    EXPECT_TRUE(plat::MakeDirectory(root + "\\save\\Sub"));
    EXPECT_TRUE(std::filesystem::is_directory(root + "/Save/Sub"));
    EXPECT_FALSE(plat::MakeDirectory(root + "\\SAVE\\sub"));  // exists already
}

}  // namespace
