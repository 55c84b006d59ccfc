#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "platform/profile.h"
#include "temp_folder.h"

namespace {

using fvtest::TempFolder;

TEST(Profile, MissingFileSectionOrKeyGivesTheDefault) {
    TempFolder temp;
    const std::string ini = temp.Path() + "\\ferrovane.ini";
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Audio", 1, ini), 1);
    EXPECT_EQ(plat::GetProfileString("OPTIONEN", "Audio", "dflt", ini), "dflt");

    temp.Write("ferrovane.ini", "[OPTIONEN]\nAudio=0\nEmpty=\n[OTHER]\nSound=0\n");
    EXPECT_EQ(plat::GetProfileInt("INSTALL", "Installation", 7, ini), 7);
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Sound", 1, ini), 1);  // in another section
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Empty", 5, ini), 5);
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Audio", 1, ini), 0);
}

TEST(Profile, IntegersTakeTheLeadingDigits) {
    TempFolder temp;
    const std::string ini = temp.Write("Ferrovane.INI",
                                       "; settings\r\n"
                                       "[optionen]\r\n"
                                       "  SCROLLSPEED = 300\r\n"
                                       "Fahrzeug=12abc\r\n"
                                       "Umgebung=abc\r\n"
                                       "Stadtverkehr=-5\r\n"
                                       "Animationen=\"42\"\r\n"
                                       "Huge=99999999999\r\n");
    const std::string windowsPath = temp.Path() + "\\ferrovane.ini";
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Scrollspeed", 1, windowsPath), 300);
    EXPECT_EQ(plat::GetProfileInt("Optionen", "fahrzeug", 1, windowsPath), 12);
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Umgebung", 1, windowsPath), 0);
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Stadtverkehr", 1, windowsPath), -5);
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Animationen", 1, windowsPath), 42);
    plat::GetProfileInt("OPTIONEN", "Huge", 1, windowsPath);  // wraps, never overflows
    EXPECT_EQ(plat::GetProfileString("OPTIONEN", "Scrollspeed", "", windowsPath), "300");
    EXPECT_EQ(plat::GetProfileString("OPTIONEN", "Animationen", "", windowsPath), "42");
    // A comment line is not a key.
    EXPECT_EQ(plat::GetProfileString("", "; settings", "none", windowsPath), "none");
}

TEST(Profile, WritingKeepsEverythingElse) {
    TempFolder temp;
    const std::string original =
        "; chosen by the installer\r\n"
        "[INSTALL]\r\n"
        "Installation=1\r\n"
        "\r\n"
        "[Optionen]\r\n"
        "AUDIO=0\r\n"
        "Unknown=keep me\r\n"
        "\r\n"
        "[Extra]\r\n"
        "x=y";
    temp.Write("ferrovane.ini", original);
    const std::string ini = temp.Path() + "\\FERROVANE.ini";

    ASSERT_TRUE(plat::WriteProfileString("OPTIONEN", "Audio", "1", ini));
    ASSERT_TRUE(plat::WriteProfileString("OPTIONEN", "Sound", "0", ini));
    ASSERT_TRUE(plat::WriteProfileString("NEW", "Key", "v", ini));
    EXPECT_EQ(temp.Read("ferrovane.ini"),
              "; chosen by the installer\r\n"
              "[INSTALL]\r\n"
              "Installation=1\r\n"
              "\r\n"
              "[Optionen]\r\n"
              "AUDIO=1\r\n"
              "Unknown=keep me\r\n"
              "Sound=0\r\n"
              "\r\n"
              "[Extra]\r\n"
              "x=y\r\n"
              "[NEW]\r\n"
              "Key=v\r\n");
    EXPECT_EQ(plat::GetProfileInt("optionen", "sound", 1, ini), 0);
    EXPECT_EQ(plat::GetProfileString("Extra", "X", "", ini), "y");
}

TEST(Profile, WritingCreatesTheFileAndFollowsItsLineBreaks) {
    TempFolder temp;
    const std::string ini = temp.Path() + "\\ferrovane.ini";
    const char* keys[] = {"Audio", "Fahrzeug", "Scrollspeed"};
    for (const char* key : keys) ASSERT_TRUE(plat::WriteProfileString("OPTIONEN", key, "44", ini));
    EXPECT_EQ(temp.Read("ferrovane.ini"),
              "[OPTIONEN]\r\nAudio=44\r\nFahrzeug=44\r\nScrollspeed=44\r\n");

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
