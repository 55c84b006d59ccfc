// The main frame's screen switching on the headless back end: the start-up
// sequence of logos and title, the common open and done steps, deletion of a
// screen inside its own request, abort, the information windows, and the
// notices the frame passes on.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "app/key_table.h"
#include "app/loop_doubles.h"
#include "app/main_frame.h"
#include "frame_screens_double.h"
#include "platform/app.h"
#include "platform/clock.h"
#include "screens/flow/logo_screen.h"
#include "screens/flow/title_screen.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "support/frame_host.h"
#include "world/terrain.h"
#include "world/way_network.h"

namespace {

using fvtest::FrameHost;
using fvtest::TestEntry;
using fvtest::TestScreen;
using Kind = plat::MessageTrace::Kind;

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override { fvtest::ResetTestScreens(); }
    void TearDown() override { fvtest::ResetTestScreens(); }

    size_t SentToFrame(FrameHost& h, uint32_t message) {
        return h.host.Recorder().Count(Kind::Sent, h.frame, message);
    }
};

TEST_F(FrameTest, StartScreenRequestsShowLogoZeroLogoOneThenTheTitle) {
    FrameHost h;
    CGameState& gs = *h.gs;
    h.frame->SendMessage(kMsgShowStartScreen);
    auto* logo = dynamic_cast<FS_LOGO*>(h.frame->Screen(FrameScreen::Logo));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->logo_index, 0);
    EXPECT_EQ(gs.screen_open, 0);  // the logos open no screen in the game's sense

    h.Advance(4000);  // at exactly 4000 ms logo 0 is still shown
    EXPECT_EQ(h.frame->Screen(FrameScreen::Logo), logo);
    h.Advance(10);  // the next timer tick ends it
    logo = dynamic_cast<FS_LOGO*>(h.frame->Screen(FrameScreen::Logo));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->logo_index, 1);

    h.Advance(3010);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Logo), nullptr);
    auto* title = dynamic_cast<FS_START*>(h.frame->Screen(FrameScreen::Start));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(gs.start_marker, 1);
    EXPECT_EQ(gs.screen_open, 1);
    EXPECT_EQ(gs.paused, 1);
    EXPECT_EQ(h.frame->accelerators, nullptr);
    EXPECT_GE(h.sound->Count("PlayTitleMusic"), 1);  // on its paint
    EXPECT_EQ(SentToFrame(h, kMsgOpenLogo), 2u);
    EXPECT_EQ(SentToFrame(h, kMsgShowStartScreen), 3u);
    // Each request closes a logo first, also when there is none.
    EXPECT_EQ(SentToFrame(h, kMsgLogoDone), 3u);

    // A choice whose screen does not exist yet brings the title back: the
    // old one deleted (it stopped its music), a new one opened (the old
    // one's mark is gone, whatever address the new one got). Every later
    // request shows the title without logos.
    title->origin_x = -1;
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceNewGame);
    EXPECT_EQ(h.sound->Count("StopMusic"), 1);
    title = dynamic_cast<FS_START*>(h.frame->Screen(FrameScreen::Start));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->origin_x, 192);
    EXPECT_EQ(SentToFrame(h, kMsgOpenLogo), 2u);
}

TEST_F(FrameTest, OpenAndDoneStepsMirrorEachOther) {
    FrameHost h;
    CGameState& gs = *h.gs;
    auto* panel = new fvtest::RecordingPanel;
    SetControlPanel(panel);
    h.frame->AddScreen(TestEntry<FrameScreen::Production>(kMsgOpenProduction, kMsgProductionDone));
    h.frame->AddScreen(TestEntry<FrameScreen::Statistics>(kMsgOpenStatistics, kMsgStatisticsDone,
                                                          kOpenCommon, kDoneCommonResumeMusic));
    h.frame->AddScreen(TestEntry<FrameScreen::StoreSales>(kMsgOpenStoreSales, kMsgStoreSalesDone,
                                                          kOpenCommon | kOpenShowAgain));

    h.frame->SendMessage(kMsgOpenProduction);
    plat::Window* screen = h.frame->Screen(FrameScreen::Production);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(gs.screen_open, 1);
    EXPECT_EQ(panel->screen_open_flag, 1);
    EXPECT_EQ(h.frame->accelerators, nullptr);
    EXPECT_EQ(h.sound->calls, (std::vector<std::string>{"StopEffects", "PauseMusic"}));

    // A second request while it is open changes nothing.
    h.frame->SendMessage(kMsgOpenProduction);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Production), screen);
    EXPECT_EQ(TestScreen::deletions, 0);

    h.host.SetClock(123456);
    h.sound->calls.clear();
    h.frame->SendMessage(kMsgProductionDone);
    EXPECT_EQ(TestScreen::deletions, 1);
    EXPECT_EQ(gs.screen_open, 0);
    EXPECT_EQ(panel->screen_open_flag, 0);
    EXPECT_EQ(panel->hidden_popups_shown, 1);
    EXPECT_EQ(h.frame->accelerators, &KeyTable());
    EXPECT_EQ(h.sound->calls, (std::vector<std::string>{"ResumeEffects"}));
    EXPECT_GE(h.sound->music_wait, 15000);
    EXPECT_LE(h.sound->music_wait, 30000);
    EXPECT_EQ(g_MusicTime, 123456u);

    // The screens that hand the music back at once.
    h.frame->SendMessage(kMsgOpenStatistics);
    h.sound->calls.clear();
    h.sound->music_wait = -1;
    h.frame->SendMessage(kMsgStatisticsDone);
    EXPECT_EQ(h.sound->calls, (std::vector<std::string>{"ResumeEffects", "ResumeMusic"}));
    EXPECT_EQ(h.sound->music_wait, -1);

    // A screen asked to show again is not replaced.
    h.frame->SendMessage(kMsgOpenStoreSales);
    screen = h.frame->Screen(FrameScreen::StoreSales);
    screen->ShowWindow(SW_HIDE);
    h.frame->SendMessage(kMsgOpenStoreSales);
    EXPECT_EQ(h.frame->Screen(FrameScreen::StoreSales), screen);
    EXPECT_TRUE(screen->IsWindowVisible());
}

// A screen sends its done message from its own handler; the frame deletes
// it during that send. The window is gone at once, the object only when the
// handler has returned.
TEST_F(FrameTest, ScreenDeletedInsideItsOwnRequest) {
    FrameHost h;
    h.frame->AddScreen(TestEntry<FrameScreen::Depot>(kMsgOpenDepot, kMsgDepotDone));
    h.frame->SendMessage(kMsgOpenDepot);
    auto* screen = dynamic_cast<TestScreen*>(h.frame->Screen(FrameScreen::Depot));
    ASSERT_NE(screen, nullptr);
    bool windowGoneInside = false;
    int deletionsInside = -1;
    screen->on_command = [&](TestScreen& self, uint16_t) {
        plat::SendMessage(MainFrameWindow(), kMsgDepotDone);
        windowGoneInside = !self.IsWindow();
        deletionsInside = TestScreen::deletions;
        self.points = 7;  // still its own memory here
    };
    screen->PostMessage(WM_COMMAND, 40129, 0);
    h.Run();
    EXPECT_TRUE(windowGoneInside);
    EXPECT_EQ(deletionsInside, 0);
    EXPECT_EQ(TestScreen::deletions, 1);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Depot), nullptr);
    EXPECT_EQ(h.gs->screen_open, 0);
}

TEST_F(FrameTest, AbortCancelsEveryScreenInOrderAndEndsTheProgram) {
    FrameHost h;
    h.frame->AddScreen(TestEntry<FrameScreen::NewGame>(kMsgOpenNewGameSetup, kMsgStartGame));
    h.frame->AddScreen(TestEntry<FrameScreen::Schedule>(kMsgOpenSchedule, kMsgScheduleDone));
    h.frame->AddScreen(TestEntry<FrameScreen::Statistics>(kMsgOpenStatistics, kMsgStatisticsDone));
    h.frame->AddScreen(TestEntry<FrameScreen::Tutorial>(kMsgOpenTutorial, kMsgTutorialDone, 0, 0));
    h.frame->SendMessage(kMsgOpenStatistics);
    h.frame->SendMessage(kMsgOpenSchedule);
    h.frame->SendMessage(kMsgOpenNewGameSetup);
    h.frame->SendMessage(kMsgOpenTutorial);

    h.frame->SendMessage(kMsgAbort);
    // The tutorial is deleted outright; the others get their cancel commands
    // in the fixed order, whatever order they opened in.
    EXPECT_EQ(TestScreen::log, (std::vector<std::string>{"1:40113", "8:40133", "15:40112"}));
    EXPECT_EQ(TestScreen::deletions, 4);
    for (int32_t slot = 0; slot < kFrameScreenCount; ++slot) {
        EXPECT_EQ(h.frame->Screen(static_cast<FrameScreen>(slot)), nullptr) << slot;
    }
    EXPECT_FALSE(h.frame->IsWindow());
    EXPECT_TRUE(plat::QuitRequested());
    ASSERT_NE(g_pGameState, nullptr);  // shut down only when the frame is deleted

    h.DeleteFrame();
    EXPECT_EQ(g_pGameState, nullptr);
    EXPECT_EQ(std::filesystem::file_size(h.folder.Path() + "/save/best.sav"), 400u);
    EXPECT_TRUE(std::filesystem::exists(h.folder.Path() + "/ferrovane.ini"));
}

// With a logo or the title open the abort deletes the screen (the title's
// own answer to the cancel command is nothing) and the frame closes.
TEST_F(FrameTest, AbortDuringALogoOrTheTitle) {
    for (bool title : {false, true}) {
        SCOPED_TRACE(title);
        FrameHost h;
        const FrameScreen slot = title ? FrameScreen::Start : FrameScreen::Logo;
        if (title) {
            h.ShowTitle();
        } else {
            h.frame->SendMessage(kMsgShowStartScreen);
        }
        ASSERT_NE(h.frame->Screen(slot), nullptr);
        h.frame->SendMessage(kMsgAbort);
        EXPECT_FALSE(h.frame->IsWindow());
        EXPECT_TRUE(plat::QuitRequested());
        h.DeleteFrame();
        EXPECT_EQ(g_pGameState, nullptr);
    }
}

// Closing: the world view and the terrain go, the loop is asked to quit with
// code 0; the shutdown itself waits for the frame's deletion, which frees the
// vehicles, writes best.sav and the settings file and frees the game state.
TEST_F(FrameTest, CloseAndShutdown) {
    FrameHost h;
    auto* view = new fvtest::RecordingView;
    view->Create(h.frame, {0, 0, 100, 100}, WS_CHILD | WS_VISIBLE);
    SetWorldView(view);
    int deletions = 0;
    fvtest::AddVehicle(new fvtest::TestVehicle(1, &deletions));
    fvtest::AddVehicle(new fvtest::TestVehicle(2, &deletions));
    h.gs->opt_scroll_speed = 4;
    h.gs->high_scores[0].points = 4242;
    g_pTerrain = new CTerrain;

    h.frame->PostMessage(WM_CLOSE);
    h.Run();
    EXPECT_EQ(g_pSpielFeld, nullptr);
    EXPECT_EQ(g_pTerrain, nullptr);
    EXPECT_EQ(g_pWayNetwork, nullptr);  // the terrain's
    EXPECT_FALSE(h.frame->IsWindow());
    EXPECT_TRUE(plat::QuitRequested());
    EXPECT_EQ(deletions, 0);
    EXPECT_FALSE(std::filesystem::exists(h.folder.Path() + "/ferrovane.ini"));

    h.DeleteFrame();
    EXPECT_EQ(deletions, 2);
    EXPECT_EQ(g_pGameState, nullptr);
    EXPECT_EQ(h.folder.Read("ferrovane.ini").find("Scrollspeed=4") != std::string::npos, true);
    EXPECT_EQ(h.folder.Read("save/best.sav").substr(36, 2), std::string("\x92\x10", 2));
}

TEST_F(FrameTest, MissingLogoCancelledEndsTheProgramInOrder) {
    FrameHost h({1024, 768}, false);
    h.frame->SendMessage(kMsgShowStartScreen);
    ASSERT_EQ(h.host.MessageBoxes().size(), 1u);
    EXPECT_NE(h.host.MessageBoxes()[0].text.find("logo0.jgd"), std::string::npos);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Logo), nullptr);
    EXPECT_TRUE(plat::QuitRequested());
    EXPECT_NE(g_pGameState, nullptr);
}

TEST_F(FrameTest, InformationWindowsGetTheirCancelCommands) {
    FrameHost h;
    auto* panel = new fvtest::RecordingPanel;
    SetControlPanel(panel);
    h.frame->AddScreen(TestEntry<FrameScreen::Schedule>(kMsgOpenSchedule, kMsgScheduleDone));
    h.frame->AddScreen(
        TestEntry<FrameScreen::ProductHelp>(kMsgOpenProductHelp, kMsgProductHelpDone));
    h.frame->AddScreen(
        TestEntry<FrameScreen::SalesStatistics>(kMsgOpenSalesStatistics, kMsgSalesStatisticsDone));
    h.frame->AddScreen(TestEntry<FrameScreen::StoreSales>(kMsgOpenStoreSales, kMsgStoreSalesDone));
    for (uint32_t m :
         {kMsgOpenStoreSales, kMsgOpenSalesStatistics, kMsgOpenProductHelp, kMsgOpenSchedule}) {
        h.frame->SendMessage(m);
    }
    panel->screen_open_flag = 1;
    h.frame->SendMessage(kMsgCloseInfoWindows);
    // The store's sales screen is left to the sales statistics.
    EXPECT_EQ(TestScreen::log, (std::vector<std::string>{"8:40133", "9:40129", "16:40123"}));
    EXPECT_NE(h.frame->Screen(FrameScreen::StoreSales), nullptr);
    EXPECT_EQ(panel->screen_open_flag, 0);

    TestScreen::log.clear();
    h.frame->SendMessage(kMsgCloseInfoWindows);
    EXPECT_EQ(TestScreen::log, (std::vector<std::string>{"17:40113"}));
    EXPECT_EQ(h.frame->Screen(FrameScreen::StoreSales), nullptr);
}

TEST_F(FrameTest, NoticesReachOnlyOpenScreens) {
    FrameHost h;
    static std::vector<std::pair<int, FrameNotice>> notices;
    notices.clear();
    auto record = [](plat::Window* screen, FrameNotice notice) {
        notices.push_back({static_cast<int>(static_cast<TestScreen*>(screen)->slot), notice});
    };
    for (ScreenEntry e :
         {TestEntry<FrameScreen::StoreOverview>(kMsgOpenStoreOverview, kMsgStoreOverviewDone),
          TestEntry<FrameScreen::FactoryOverview>(kMsgOpenFactoryOverview, kMsgFactoryOverviewDone),
          TestEntry<FrameScreen::RailPurchase>(kMsgOpenRailPurchase, kMsgRailPurchaseDone),
          TestEntry<FrameScreen::TruckPurchase>(kMsgOpenTruckPurchase, kMsgTruckPurchaseDone)}) {
        e.notify = record;
        h.frame->AddScreen(e);
    }
    h.frame->SendMessage(kMsgGameTick);
    h.frame->SendMessage(kMsgCashChanged);
    h.frame->SendMessage(kMsgAnimImagesChanged);
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(g_AnimPending, 0);  // without the factory overview nothing is marked

    for (uint32_t m : {kMsgOpenStoreOverview, kMsgOpenFactoryOverview, kMsgOpenRailPurchase,
                       kMsgOpenTruckPurchase}) {
        h.frame->SendMessage(m);
    }
    h.frame->Screen(FrameScreen::TruckPurchase)->ShowWindow(SW_HIDE);
    h.frame->SendMessage(kMsgGameTick);
    h.frame->SendMessage(kMsgCashChanged);  // only the visible purchase screen
    EXPECT_EQ(notices, (std::vector<std::pair<int, FrameNotice>>{{21, FrameNotice::GameTick},
                                                                 {10, FrameNotice::CashChanged}}));

    // Animation changes: marked on the first report, rebuilt once the main
    // loop has seen the mark.
    notices.clear();
    h.frame->SendMessage(kMsgAnimImagesChanged);
    EXPECT_EQ(g_AnimPending, 1);
    EXPECT_TRUE(notices.empty());
    g_AnimPending = 2;
    h.frame->SendMessage(kMsgAnimImagesChanged);
    EXPECT_EQ(g_AnimPending, 0);
    EXPECT_EQ(notices,
              (std::vector<std::pair<int, FrameNotice>>{{22, FrameNotice::AnimationsChanged}}));
}

TEST_F(FrameTest, EndOfACdTrackSchedulesTheNextGameTrack) {
    FrameHost h;
    h.host.SetClock(5000);
    h.sound->music_wait = -1;
    h.sound->current_track = 4;  // a title or screen track: no next track
    h.frame->SendMessage(MM_MCINOTIFY, kMciNotifySuccessful);
    EXPECT_EQ(h.sound->music_wait, -1);
    h.sound->current_track = 5;
    h.frame->SendMessage(MM_MCINOTIFY, 4);  // aborted, not played to its end
    EXPECT_EQ(h.sound->music_wait, -1);
    h.frame->SendMessage(MM_MCINOTIFY, kMciNotifySuccessful);
    EXPECT_GE(h.sound->music_wait, 15000);
    EXPECT_LE(h.sound->music_wait, 30000);
    EXPECT_EQ(g_MusicTime, 5000u);
}

TEST_F(FrameTest, KeyTableHasEveryKeyOnce) {
    const auto& entries = KeyTable().Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].virtualKey == VK_TAB) continue;  // one per screen
        for (size_t j = i + 1; j < entries.size(); ++j) {
            EXPECT_FALSE(entries[i].virtualKey == entries[j].virtualKey &&
                         entries[i].modifiers == entries[j].modifiers)
                << entries[i].command << " " << entries[j].command;
        }
    }
    EXPECT_EQ(KeyTable().Find('D', plat::kAccelControl | plat::kAccelAlt), 40153);
}

}  // namespace
