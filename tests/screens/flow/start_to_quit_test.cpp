// The program from start to quit on the headless back end with the fake
// clock: the application starts in a folder of stand-in pictures, shows logo
// 0, logo 1 and the title screen (compared with its stored picture), and the
// quit button ends it with exit code 0, writing the settings and best.sav.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "app/game_app.h"
#include "platform/compositor.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_box.h"
#include "platform/palette.h"
#include "platform/temp_folder.h"
#include "platform/termination.h"
#include "screens/flow/logo_screen.h"
#include "support/frame_host.h"
#include "world/terrain.h"
#include "world/way_network.h"

namespace {

class StartToQuitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        fvtest::WriteStartPictures(folder_.Path());
        fvtest::WriteSoundEffects(folder_.Path());
        std::filesystem::current_path(folder_.Path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    fvtest::TempFolder folder_;
    std::filesystem::path previous_;
};

// Runs loop turns for `ms` milliseconds of the fake clock, 5 ms apart.
void RunFor(plat::HeadlessBackend& host, plat::ApplicationStepper& loop, uint32_t ms) {
    for (uint32_t t = 0; t < ms; t += 5) {
        host.AdvanceClock(5);
        if (!loop.Turn()) return;
    }
}

TEST_F(StartToQuitTest, LogosTitleAndQuit) {
    plat::HeadlessBackend host({1024, 768});
    plat::ResetSystemPalette();
    plat::ResetCompositor();
    CGameApp app;
    plat::ApplicationStepper loop(app, host);
    ASSERT_TRUE(loop.Start());
    auto* frame = dynamic_cast<HAUPTFENSTER*>(app.mainWindow);
    ASSERT_NE(frame, nullptr);
    // Start-up made the terrain object with its way network.
    EXPECT_NE(g_pWayNetwork, nullptr);
    auto* logo = dynamic_cast<FS_LOGO*>(frame->Screen(FrameScreen::Logo));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->logo_index, 0);
    RunFor(host, loop, 3990);
    EXPECT_EQ(frame->Screen(FrameScreen::Logo), logo);
    fvtest::MaybeSaveScreen("start_logo0");
    RunFor(host, loop, 40);
    logo = dynamic_cast<FS_LOGO*>(frame->Screen(FrameScreen::Logo));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->logo_index, 1);
    fvtest::MaybeSaveScreen("start_logo1");
    RunFor(host, loop, 3040);
    ASSERT_NE(frame->Screen(FrameScreen::Start), nullptr);
    RunFor(host, loop, 100);

    fvtest::MaybeSaveScreen("start_title");
    const uint64_t hash = fvtest::ScreenHash(1024, 768);
    EXPECT_EQ(hash, 0x4cf0bcf653d856c6ull) << std::hex << hash;
    EXPECT_TRUE(host.MessageBoxes().empty());

    host.InjectClick({192 + 560, 144 + 428 + 16});  // "beenden"
    int turns = 0;
    while (loop.Turn() && ++turns < 50) {
    }
    EXPECT_LT(turns, 50);
    EXPECT_EQ(loop.Finish(), 0);
    EXPECT_EQ(g_pGameState, nullptr);
    EXPECT_EQ(g_pTerrain, nullptr);
    EXPECT_EQ(g_pWayNetwork, nullptr);
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() + "/ferrovane.ini"));
    EXPECT_EQ(std::filesystem::file_size(folder_.Path() + "/save/best.sav"), 400u);
}

// A refused screen size ends with code 1. A termination signal ends the
// program in order from any state, as the quit button does (settings and
// best.sav written), with 128 + the signal; from then on no message box
// shows or waits.
using NothingLost = StartToQuitTest;
TEST_F(NothingLost, RefusedScreenAndSignalsEndWithTheirCodes) {
    {
        plat::HeadlessBackend host({1600, 1200});
        CGameApp app;
        EXPECT_EQ(plat::RunApplication(app, host), 1);
        EXPECT_EQ(host.MessageBoxes().size(), 1u);
    }
    plat::HeadlessBackend host({1024, 768});
    CGameApp app;
    plat::ApplicationStepper loop(app, host);
    ASSERT_TRUE(loop.Start());
    RunFor(host, loop, 100);
    // The paused start waits for input; a running game wakes for its steps.
    EXPECT_GE(app.IdleDelay(), 100u);
    g_pGameState->paused = 0;
    EXPECT_LE(app.IdleDelay(), 26u);
    plat::RequestTermination(SIGTERM);
    EXPECT_EQ(plat::MessageBox(nullptr, "?", "Ferrovane", MB_RETRYCANCEL), IDCANCEL);
    int turns = 0;
    while (loop.Turn() && ++turns < 50) {
    }
    EXPECT_LT(turns, 50);
    EXPECT_EQ(loop.Finish(), 128 + SIGTERM);
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_EQ(g_pGameState, nullptr);
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() + "/ferrovane.ini"));
    EXPECT_EQ(std::filesystem::file_size(folder_.Path() + "/save/best.sav"), 400u);
}

// Without its pictures the first missing one is answered with Cancel: the
// program ends in order before its loop runs (no further request reaches the
// closed frame, and the game state lives until the end).
TEST_F(StartToQuitTest, WithoutPicturesCancelEndsTheProgramInOrder) {
    std::filesystem::remove(folder_.Path() + "/font_1.jgd");
    {
        plat::HeadlessBackend host({1024, 768});
        host.SetAudioAvailable(false);  // no effects to ask for: the pictures are first
        CGameApp app;
        plat::ApplicationStepper loop(app, host);
        EXPECT_TRUE(loop.Start());
        EXPECT_TRUE(plat::QuitRequested());
        EXPECT_EQ(app.mainWindow, nullptr);
        ASSERT_GE(host.MessageBoxes().size(), 1u);
        EXPECT_NE(host.MessageBoxes()[0].text.find("font_1.jgd"), std::string::npos);
        EXPECT_NE(g_pGameState, nullptr);
        EXPECT_FALSE(loop.Turn());
        EXPECT_EQ(loop.Finish(), 1);  // ended by a failure
        EXPECT_EQ(g_pGameState, nullptr);
    }
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() + "/ferrovane.ini"));
}

}  // namespace
