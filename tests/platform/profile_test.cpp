#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "platform/profile.h"
#include "temp_folder.h"

namespace {

using fvtest::TempFolder;

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

}  // namespace
