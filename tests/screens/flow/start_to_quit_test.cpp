// The program from start to quit on the fake clock: logos, the title and its
// buttons, and the ends: quit, a refused screen, a signal, missing pictures.

#include <gtest/gtest.h>

#include <tuple>

#include "app/app_globals.h"
#include "platform/compositor.h"
#include "platform/message_box.h"
#include "platform/termination.h"
#include "screens/flow/logo_screen.h"
#include "screens/flow/title_screen.h"
#include "screens/world/editor_start_screen.h"
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
    void ExpectEndedInOrder() {  // game state freed, settings and best.sav written
        EXPECT_EQ(g_pGameState, nullptr);
        EXPECT_TRUE(std::filesystem::exists(folder_.Path() + "/ferrovane.ini"));
        EXPECT_EQ(std::filesystem::file_size(folder_.Path() + "/save/best.sav"), 400u);
    }

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
    EXPECT_NE(g_pWayNetwork, nullptr);  // start-up made the terrain and its network
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
    EXPECT_EQ(hash, 0x397e6d7a05364c73ull) << std::hex << hash;
    EXPECT_TRUE(host.MessageBoxes().empty());
    host.InjectClick({192 + 560, 144 + 428 + 16});  // "beenden"
    int turns = 0;
    while (loop.Turn() && ++turns < 50) {
    }
    EXPECT_LT(turns, 50);
    EXPECT_EQ(loop.Finish(), 0);
    EXPECT_EQ(std::tuple(g_pTerrain, g_pWayNetwork), std::tuple(nullptr, nullptr));
    ExpectEndedInOrder();
}

// A refused screen size ends with code 1; a termination signal ends in order
// with 128 + the signal, and from then on no message box shows or waits.
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
    ExpectEndedInOrder();
}

// Cancel on the first missing picture ends the program in order at once.
TEST_F(StartToQuitTest, WithoutPicturesCancelEndsTheProgramInOrder) {
    std::filesystem::remove(folder_.Path() + "/font_1.jgd");
    {
        plat::HeadlessBackend host({1024, 768});
        host.SetAudioAvailable(false);  // no effects to ask for: the pictures are first
        CGameApp app;
        plat::ApplicationStepper loop(app, host);
        EXPECT_TRUE(loop.Start());
        EXPECT_TRUE(plat::QuitRequested() && app.mainWindow == nullptr && g_pGameState);
        ASSERT_GE(host.MessageBoxes().size(), 1u);
        EXPECT_NE(host.MessageBoxes()[0].text.find("font_1.jgd"), std::string::npos);
        EXPECT_FALSE(loop.Turn());
        EXPECT_EQ(std::tuple(loop.Finish(), g_pGameState), std::tuple(1, nullptr));  // a failure
    }
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() + "/ferrovane.ini"));
}

using fvtest::FrameHost;
using Kind = plat::MessageTrace::Kind;

class TitleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_LogoShown[0] = g_LogoShown[1] = 1;
        // The title's entry, extended by a look at the screen as its choice arrives.
        int32_t count = 0;
        const ScreenEntry* table = FrameScreenTable(&count);
        for (int32_t i = 0; i < count; ++i) {
            if (table[i].slot != FrameScreen::Start) continue;
            ScreenEntry entry = table[i];
            entry.before_delete = [](plat::Window&, plat::Window* screen, plat::WParam,
                                     plat::LParam choice) {
                auto* title = static_cast<FS_START*>(screen);
                choices.push_back(static_cast<int32_t>(choice));
                black_when_chosen.push_back(
                    title->GetSurface().Row(title->origin_y + 200)[title->origin_x + 200] == 0);
            };
            h.frame->AddScreen(entry);
        }
        choices.clear();
        black_when_chosen.clear();
        h.frame->SendMessage(kMsgShowStartScreen);
        h.Run();
    }
    FS_START* Title() { return dynamic_cast<FS_START*>(h.frame->Screen(FrameScreen::Start)); }
    // Button `i` down the right edge of the centred title.
    void Click(int32_t i) {
        h.host.AdvanceClock(1000);  // no double click
        h.host.InjectClick({192 + 480 + 80, 144 + 23 + 45 * i + 16});
        h.Run();
    }

    static inline std::vector<int32_t> choices;
    static inline std::vector<bool> black_when_chosen;
    FrameHost h;
};

TEST_F(TitleTest, QuitIsPostedAndEndsTheProgram) {
    EXPECT_GE(h.sound->Count("PlayTitleMusic"), 1);
    Click(9);
    EXPECT_EQ(h.host.Recorder().Count(Kind::Posted, h.frame, kMsgStartScreenResult), 1u);
    EXPECT_EQ(choices, std::vector<int32_t>{kChoiceQuit});
    EXPECT_EQ(black_when_chosen, std::vector<bool>{false});  // nothing drawn
    EXPECT_FALSE(h.frame->IsWindow());
    EXPECT_TRUE(plat::QuitRequested());
    EXPECT_EQ(h.sound->Count("StopMusic"), 1);  // closing the title stops its music
}

TEST_F(TitleTest, EveryOtherChoiceIsSentAfterTheScreenWentBlack) {
    fvtest::WriteWorldPictures(h.folder.Path());  // the set-up and career pictures
    fvtest::WriteTutorialPictures(h.folder.Path());
    for (int32_t i = 1; i < 9; ++i) {
        // The screens that exist go back to the title.
        for (FrameScreen slot : {FrameScreen::EditorStart, FrameScreen::NewGame,
                                 FrameScreen::Career, FrameScreen::HighScores}) {
            if (plat::Window* screen = h.frame->Screen(slot)) {
                screen->SendMessage(WM_COMMAND, slot == FrameScreen::Career    ? kCmdDialogCancel
                                                : slot == FrameScreen::NewGame ? kCmdBack
                                                                               : kCmdClose);
            }
        }
        ASSERT_NE(Title(), nullptr) << i;
        Click(i);
    }
    EXPECT_EQ(choices, (std::vector<int32_t>{kChoiceLoadGame, kChoiceNewGame, kChoiceScenario,
                                             kChoiceMission, kChoiceCareer, kChoiceEditor,
                                             kChoiceHighScores, kChoiceTutorial}));
    EXPECT_EQ(black_when_chosen, std::vector<bool>(8, true));
    EXPECT_EQ(h.host.Recorder().Count(Kind::Sent, h.frame, kMsgStartScreenResult), 8u);
    // The last one, the tutorial, ends on Escape with the title.
    EXPECT_NE(h.frame->Screen(FrameScreen::Tutorial), nullptr);
    h.host.InjectKeyPress(VK_ESCAPE);
    h.Run();
    EXPECT_TRUE(Title() != nullptr && h.gs->screen_open == 1);
}

TEST_F(TitleTest, ContinueNeedsALastGame) {
    Click(0);
    EXPECT_TRUE(choices.empty());
    ASSERT_NE(Title(), nullptr);
    EXPECT_NE(Title()->GetSurface().Row(344)[392], 0);  // not blackened
    h.folder.Write("save/lastsave.lvl", "level");
    Click(0);
    EXPECT_EQ(choices, std::vector<int32_t>{kChoiceContinue});
    EXPECT_EQ(black_when_chosen, std::vector<bool>{true});
}

constexpr uint32_t kLogoTimer = 1105;

FS_LOGO* OpenLogo(FrameHost& h, int32_t index) {
    // The frame's flags as they stand when this logo is due.
    g_LogoShown[0] = 1;
    g_LogoShown[1] = index;
    h.frame->SendMessage(kMsgOpenLogo, index);
    return dynamic_cast<FS_LOGO*>(h.frame->Screen(FrameScreen::Logo));
}

// A timer tick of the logo at the given clock value; true while it stays.
bool TickAt(FrameHost& h, FS_LOGO* logo, uint32_t time) {
    h.host.SetClock(time);
    logo->SendMessage(WM_TIMER, kLogoTimer);
    return h.frame->Screen(FrameScreen::Logo) == logo;
}

TEST(LogoTest, PlacesByScreenSize) {
    struct Case {
        plat::Size screen;
        plat::Point logo0, logo1;
    };
    for (const Case& c :
         {Case{{640, 480}, {0, 0}, {0, 0}}, Case{{800, 600}, {225, 229}, {240, 251}},
          Case{{1024, 768}, {337, 313}, {352, 335}}}) {
        FrameHost h(c.screen);
        for (int32_t index : {0, 1}) {
            FS_LOGO* logo = OpenLogo(h, index);
            ASSERT_NE(logo, nullptr);
            const plat::Point at = index == 0 ? c.logo0 : c.logo1;
            // The picture's top-left pixel on a black screen.
            EXPECT_EQ(std::tuple(logo->origin_x, logo->origin_y, plat::ScreenPixel(at.x, at.y),
                                 plat::ScreenPixel(c.screen.width - 1, c.screen.height - 1)),
                      std::tuple(at.x, at.y, logo->picture.pixels[0], 0))
                << c.screen.width;
            EXPECT_NE(plat::ScreenPixel(at.x, at.y), 0);
            h.frame->SendMessage(kMsgLogoDone);
        }
    }
}

TEST(LogoTest, SixteenBitClockWrapsAndARepaintRestartsTheTime) {
    FrameHost h;
    const uint32_t start = 5 * 65536 - 1000;  // low 16 bits 64536
    h.host.SetClock(start);
    FS_LOGO* logo = OpenLogo(h, 0);
    EXPECT_TRUE(TickAt(h, logo, start + 4000));
    EXPECT_EQ(logo->now, 3000);
    EXPECT_FALSE(TickAt(h, logo, start + 4001));
    logo = dynamic_cast<FS_LOGO*>(h.frame->Screen(FrameScreen::Logo));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->logo_index, 1);
    h.host.SetClock(start + 5000);
    logo->Invalidate();
    logo->UpdateWindow();  // painted again: logo 1 stays 3 s from here
    EXPECT_TRUE(TickAt(h, logo, start + 8000));
    EXPECT_FALSE(TickAt(h, logo, start + 8001));
}

TEST(LogoTest, EscapeEndsItOtherKeysAndClicksDoNot) {
    FrameHost h;
    FS_LOGO* logo = OpenLogo(h, 0);
    h.host.InjectClick({500, 400});
    h.host.InjectClick({10, 10}, plat::MouseButton::Right);
    h.host.InjectKeyPress(VK_RETURN);
    h.host.InjectKeyPress('X');
    h.host.InjectChar('e');
    h.Run();
    EXPECT_EQ(h.frame->Screen(FrameScreen::Logo), logo);
    h.host.InjectKeyPress(VK_ESCAPE);
    h.Run();
    auto* next = dynamic_cast<FS_LOGO*>(h.frame->Screen(FrameScreen::Logo));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->logo_index, 1);
    h.host.InjectKeyPress(VK_ESCAPE);
    h.Run();
    EXPECT_TRUE(!h.frame->Screen(FrameScreen::Logo) && h.frame->Screen(FrameScreen::Start));
}

}  // namespace
