// Start-up and shutdown: the settings file, the data paths, the screen-size
// refusal, a whole run until the window closes, and the desktop changes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/app_globals.h"
#include "app/desktop_changes.h"
#include "app/game_app.h"
#include "app/loop_doubles.h"
#include "app/settings.h"
#include "game/opponent.h"
#include "gfx/gfx_test_files.h"
#include "platform/app.h"
#include "platform/desktop.h"
#include "platform/headless/headless_backend.h"
#include "platform/profile.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "support/game_scope.h"

namespace {

TEST(SettingsTest, ValuesInRangeOtherLinesKeptDataPathsNeverOverflow) {
    fvtest::TempFolder folder;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    const std::string ini = folder.Path() + "/ferrovane.ini";
    gs.opt_music = 0;
    gs.sound_enabled = 0;
    ReadSettingsFile(ini);  // no file: the defaults
    EXPECT_EQ(std::tuple(gs.install_index, gs.opt_music, gs.sound_enabled), std::tuple(0, 1, 1));
    EXPECT_FALSE(std::filesystem::exists(ini));
    for (auto [text, expected] : {std::pair{"7", 2}, {"-3", 0}, {"x", 0}}) {
        folder.Write("ferrovane.ini", std::string("[INSTALL]\nInstallation=") + text + "\n");
        ReadSettingsFile(ini);
        EXPECT_EQ(gs.install_index, expected) << text;
    }
    folder.Write("ferrovane.ini",
                 "[INSTALL]\r\nInstallation=1\r\n[OPTIONEN]\r\nAudio=0\r\nFahrzeug=0\r\n"
                 "Autosave=0\r\nScrollspeed=300\r\nSound=0\r\n");
    ReadSettingsFile(ini);
    EXPECT_EQ(
        std::tuple(gs.install_index, gs.opt_music, gs.opt_vehicle_sounds, gs.opt_scroll_speed),
        std::tuple(1, 0, 0, 44));  // the low byte
    gs.sound_enabled = 1;
    WriteSettingsFile(ini);
    EXPECT_EQ(folder.Read("ferrovane.ini"),
              "[INSTALL]\r\nInstallation=1\r\n[OPTIONEN]\r\nAudio=0\r\nFahrzeug=0\r\n"
              "Autosave=0\r\nScrollspeed=44\r\nSound=1\r\nUmgebung=1\r\nStadtverkehr=1\r\n"
              "Animationen=1\r\nJahreszeiten=1\r\n");
    BuildDataPaths("C:\\Games\\Rail");
    EXPECT_EQ(std::tuple(std::string(gs.data_paths[kPathBase * 3 + 2]),
                         std::string(gs.data_paths[kPathSave * 3])),
              std::tuple("C:\\Games\\Rail", "C:\\Games\\Rail\\save"));
    EXPECT_EQ(SettingsFilePath("C:\\Games\\Rail"), "C:\\Games\\Rail\\ferrovane.ini");
    const std::string longest(kDataPathLength - 10, 'd');  // fits with "\scenario"
    BuildDataPaths(longest);
    EXPECT_EQ(std::string(gs.data_paths[kPathScenario * 3]), longest + "\\scenario");
    BuildDataPaths(std::string(kDataPathLength - 9, 'd'));  // too long: the working folder
    EXPECT_EQ(
        std::tuple(std::string(gs.data_paths[0]), std::string(gs.data_paths[kPathSave * 3 + 2])),
        std::tuple(".", ".\\save"));
}

// A settings file with lone CR line ends is read line by line, and writing
// it back changes values in place instead of appending the defaults.
TEST(SettingsTest, LoneCarriageReturnsEndLines) {
    fvtest::TempFolder folder;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    const std::string ini = folder.Path() + "/ferrovane.ini";
    folder.Write("ferrovane.ini", "[OPTIONEN]\rAudio=0\rScrollspeed=9\r");
    ReadSettingsFile(ini);
    EXPECT_EQ(std::tuple(gs.opt_music, gs.opt_scroll_speed), std::tuple(0, 9));
    gs.opt_music = 1;
    WriteSettingsFile(ini);
    EXPECT_EQ(folder.Read("ferrovane.ini"),
              "[OPTIONEN]\rAudio=1\rScrollspeed=9\rFahrzeug=1\rUmgebung=1\rStadtverkehr=1\r"
              "Animationen=1\rJahreszeiten=1\rAutosave=1\rSound=1\r");
}

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::current_path(folder.Path()); }
    void TearDown() override {
        ShutdownGameState();
        std::filesystem::current_path(previous);
    }
    fvtest::TempFolder folder;
    std::filesystem::path previous = std::filesystem::current_path();
};

TEST_F(StartupTest, LargerScreensAreRefusedTheAutoRunValueIsRestored) {
    for (plat::Size size : {plat::Size{1025, 768}, plat::Size{1024, 769}}) {
        plat::HeadlessBackend host(size);
        CGameApp app;
        EXPECT_FALSE(app.InitInstance());
        ASSERT_EQ(host.MessageBoxes().size(), 1u);
        EXPECT_EQ(std::tuple(host.MessageBoxes()[0].text, g_pGameState),
                  std::tuple(std::string(kResolutionRefusal), nullptr));
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/ferrovane.ini"));
    const char* key = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    plat::ClearUserRegistryForTests();
    DisableAutoRun();  // absent: left alone, 149 remembered
    uint32_t value = 0;
    EXPECT_FALSE(plat::ReadUserRegistryValue(key, "NoDriveTypeAutoRun", &value));
    RestoreAutoRun();
    ASSERT_TRUE(plat::ReadUserRegistryValue(key, "NoDriveTypeAutoRun", &value));
    EXPECT_EQ(value, 149u);
    plat::WriteUserRegistryValue(key, "NoDriveTypeAutoRun", 145);
    DisableAutoRun();
    EXPECT_TRUE(plat::ReadUserRegistryValue(key, "NoDriveTypeAutoRun", &value) && value == 255u);
    RestoreAutoRun();
    EXPECT_TRUE(plat::ReadUserRegistryValue(key, "NoDriveTypeAutoRun", &value) && value == 145u);
    plat::ClearUserRegistryForTests();
}

// From the settings file and the start-screen request until the user closes
// the window; the settings are written at the end.
TEST_F(StartupTest, RunsFromTheSettingsUntilTheWindowIsClosed) {
    class FramedApp : public CGameApp {
      public:
        fvtest::RecordingFrame* frame = nullptr;

      protected:
        plat::Window* CreateMainFrame() override {
            frame = new fvtest::RecordingFrame;
            frame->Create(nullptr, {0, 0, 1024, 768}, WS_POPUP | WS_VISIBLE);
            return frame;
        }
    };
    folder.Write("ferrovane.ini", "[OPTIONEN]\r\nScrollspeed=300\r\nAutosave=0\r\n");
    // The start-up pictures and the first logo the main frame shows.
    for (const char* name : {"font_1.jgd", "tile.jgd", "font_2.jgd", "logo0.jgd"}) {
        const auto bytes = gfxtest::DibBytes(gfxtest::TestPicture::Numbered(16, 8), {});
        folder.Write(name, std::string(bytes.begin(), bytes.end()));
    }
    plat::HeadlessBackend host({1024, 768});
    host.SetAudioAvailable(false);  // no effect files here
    FramedApp app;
    plat::ApplicationStepper stepper(app, host);
    ASSERT_TRUE(stepper.Start());
    ASSERT_NE(g_pGameState, nullptr);
    CGameState& gs = *g_pGameState;
    // The start-up pictures were there.
    EXPECT_EQ(std::tuple(host.MessageBoxes().size(), gs.opt_scroll_speed), std::tuple(0u, 44));
    EXPECT_EQ(std::string(gs.DataPath(kPathSave)),
              std::filesystem::current_path().string() + "\\save");
    // Three opponents (what they take from their profiles is the opponent tests').
    for (const COpponent* o : gs.opponents) EXPECT_NE(o, nullptr);
    EXPECT_EQ(std::tuple(app.mainWindow, app.frame->Count(WM_USER + 0x2D)),
              std::tuple(static_cast<plat::Window*>(app.frame), 1));
    host.AdvanceClock(10);
    ASSERT_TRUE(stepper.Turn());
    gs.opt_music = 0;
    host.InjectCloseRequest();
    int turns = 0;
    while (stepper.Turn()) ASSERT_LT(++turns, 100);
    stepper.Finish();
    delete app.frame;
    EXPECT_EQ(g_pGameState, nullptr);
    const std::string ini = folder.Path() + "/ferrovane.ini";
    EXPECT_EQ(std::tuple(plat::GetProfileString("OPTIONEN", "Scrollspeed", "", ini),
                         plat::GetProfileInt("OPTIONEN", "Audio", -1, ini),
                         plat::GetProfileInt("INSTALL", "Installation", -1, ini)),
              std::tuple("44", 0, -1));
}

}  // namespace
