// The main frame on the headless back end: logos and title, its screens' open
// and done steps, abort and close, notices, the input it throttles, its
// keyboard commands, and a game's start and end.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/frame_screens.h"
#include "app/interface_hooks.h"
#include "app/key_table.h"
#include "app/level_file.h"
#include "app/loop_doubles.h"
#include "app/main_frame.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "panel/control_panel.h"
#include "platform/app.h"
#include "platform/clock.h"
#include "platform/temp_folder.h"
#include "screens/flow/logo_screen.h"
#include "screens/flow/title_screen.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "support/frame_host.h"
#include "world/terrain.h"
#include "world/way_network.h"

namespace {

using fvtest::FrameHost;
using fvtest::RecordingPanel;
using fvtest::RecordingView;
using Kind = plat::MessageTrace::Kind;

// A stand-in full screen: it records the commands it gets, answers its
// cancel command (40000 + its slot) by sending its done message to the frame,
// as every screen does, and counts its deletions.
class TestScreen : public plat::Window {
  public:
    explicit TestScreen(FrameScreen slot) : slot(slot) {}
    ~TestScreen() override { ++deletions; }
    FrameScreen slot;
    int32_t points = 0;                                     // what an end-of-game screen reports
    std::function<void(TestScreen&, uint16_t)> on_command;  // instead of the cancel answer
    static inline int deletions = 0;
    static inline std::vector<std::string> log;  // every command, as "slot:command"
    static inline uint32_t done_message[kFrameScreenCount] = {};  // 0: no answer
  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message != WM_COMMAND) return DefaultMessage(message, w, l);
        const uint16_t command = plat::LoWord(w);
        const int i = static_cast<int>(slot);
        log.push_back(std::to_string(i) + ":" + std::to_string(command));
        if (on_command) {
            on_command(*this, command);
        } else if (command == 40000 + i && done_message[i] != 0) {
            plat::SendMessage(MainFrameWindow(), done_message[i], 0, 1);
        }
        return 0;
    }
};

// Registers a test screen in the frame's table.
template <FrameScreen Slot>
ScreenEntry TestEntry(uint32_t open_message, uint32_t done_message,
                      uint32_t open_steps = kOpenCommon, uint32_t done_steps = kDoneCommon) {
    TestScreen::done_message[static_cast<int>(Slot)] = done_message;
    ScreenEntry e{Slot,       open_message, done_message, uint16_t(40000 + static_cast<int>(Slot)),
                  open_steps, done_steps};
    e.open = [](plat::Window& frame, plat::WParam, plat::LParam) -> plat::Window* {
        auto* screen = new TestScreen(Slot);
        if (screen->Create(&frame, {100, 100, 300, 200}, WS_POPUP | WS_CHILD | WS_VISIBLE,
                           WS_EX_TOPMOST))
            return screen;
        delete screen;
        return nullptr;
    };
    return e;
}

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestScreen::deletions = 0;
        TestScreen::log.clear();
        for (uint32_t& m : TestScreen::done_message) m = 0;
    }
    void Send(std::initializer_list<uint32_t> messages) {
        for (uint32_t m : messages) h.frame->SendMessage(m);
    }
    size_t SentToFrame(uint32_t message) {
        return h.host.Recorder().Count(Kind::Sent, h.frame, message);
    }
    template <FrameScreen Slot>
    void Add(uint32_t open, uint32_t done, uint32_t open_steps = kOpenCommon,
             uint32_t done_steps = kDoneCommon) {
        h.frame->AddScreen(TestEntry<Slot>(open, done, open_steps, done_steps));
    }
    RecordingView* AddView() {
        auto* view = new RecordingView;
        view->Create(h.frame, {0, 0, 800, 600}, WS_CHILD | WS_VISIBLE);
        SetWorldView(view);
        return view;
    }
    FrameHost h;
};

// The frame's own title entry, counting the title screens it makes and the
// ones the frame deletes: whether a title is a new one is told by these
// counts, not by its address, which a deleted screen may hand on.
struct TitleCounts {
    static inline int32_t opened = 0;
    static inline int32_t deleted = 0;
    static inline plat::Window* (*open)(plat::Window&, plat::WParam, plat::LParam) = nullptr;
    static void CountIn(HAUPTFENSTER& frame) {
        opened = deleted = 0;
        int32_t count = 0;
        const ScreenEntry* table = FrameScreenTable(&count);
        for (int32_t i = 0; i < count; ++i) {
            if (table[i].slot != FrameScreen::Start) continue;
            ScreenEntry entry = table[i];
            open = entry.open;
            entry.open = [](plat::Window& frame, plat::WParam w, plat::LParam l) {
                plat::Window* screen = open(frame, w, l);
                opened += screen != nullptr;
                return screen;
            };
            entry.before_delete = [](plat::Window&, plat::Window*, plat::WParam, plat::LParam) {
                ++deleted;
            };
            frame.AddScreen(entry);
        }
    }
};

TEST_F(FrameTest, StartScreenRequestsShowLogoZeroLogoOneThenTheTitle) {
    CGameState& gs = *h.gs;
    TitleCounts::CountIn(*h.frame);
    h.frame->SendMessage(kMsgShowStartScreen);
    auto* logo = dynamic_cast<FS_LOGO*>(h.frame->Screen(FrameScreen::Logo));
    ASSERT_NE(logo, nullptr);
    // The logos open no screen in the game's sense.
    EXPECT_EQ(std::tuple(logo->logo_index, gs.screen_open), std::tuple(0, 0));
    h.Advance(4010);  // their timing is the logo tests'
    EXPECT_EQ(dynamic_cast<FS_LOGO*>(h.frame->Screen(FrameScreen::Logo))->logo_index, 1);
    h.Advance(3010);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Logo), nullptr);
    ASSERT_NE(dynamic_cast<FS_START*>(h.frame->Screen(FrameScreen::Start)), nullptr);
    EXPECT_EQ(std::tuple(gs.start_marker, gs.screen_open, gs.paused, h.frame->accelerators),
              std::tuple(1, 1, 1, nullptr));
    EXPECT_GE(h.sound->Count("PlayTitleMusic"), 1);  // on its paint
    // Each request closes a logo first, also when there is none.
    EXPECT_EQ(std::tuple(SentToFrame(kMsgOpenLogo), SentToFrame(kMsgShowStartScreen),
                         SentToFrame(kMsgLogoDone)),
              std::tuple(2u, 3u, 3u));
    EXPECT_EQ(std::tuple(TitleCounts::opened, TitleCounts::deleted), std::tuple(1, 0));
    // A choice that cannot go on (here no world view can be made) ends this
    // title, its music stopped, and shows a new one without the logos.
    h.sound->calls.clear();
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceContinue);
    ASSERT_NE(dynamic_cast<FS_START*>(h.frame->Screen(FrameScreen::Start)), nullptr);
    EXPECT_EQ(std::tuple(TitleCounts::opened, TitleCounts::deleted, h.sound->Count("StopMusic"),
                         SentToFrame(kMsgOpenLogo), gs.screen_open),
              std::tuple(2, 1, 1, 2u, 1));
}

TEST_F(FrameTest, OpenAndDoneStepsMirrorEachOther) {
    CGameState& gs = *h.gs;
    auto* panel = new fvtest::RecordingPanel;
    SetControlPanel(panel);
    Add<FrameScreen::Production>(kMsgOpenProduction, kMsgProductionDone);
    Add<FrameScreen::Statistics>(kMsgOpenStatistics, kMsgStatisticsDone, kOpenCommon,
                                 kDoneCommonResumeMusic);
    Add<FrameScreen::StoreSales>(kMsgOpenStoreSales, kMsgStoreSalesDone,
                                 kOpenCommon | kOpenShowAgain);
    h.frame->SendMessage(kMsgOpenProduction);
    plat::Window* screen = h.frame->Screen(FrameScreen::Production);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(std::tuple(gs.screen_open, panel->screen_open_flag, h.frame->accelerators),
              std::tuple(1, 1, nullptr));
    EXPECT_EQ(h.sound->calls, (std::vector<std::string>{"StopEffects", "PauseMusic"}));
    // A second request while it is open changes nothing.
    h.frame->SendMessage(kMsgOpenProduction);
    EXPECT_EQ(std::tuple(h.frame->Screen(FrameScreen::Production), TestScreen::deletions),
              std::tuple(screen, 0));
    h.host.SetClock(123456);
    h.sound->calls.clear();
    h.frame->SendMessage(kMsgProductionDone);
    EXPECT_EQ(std::tie(TestScreen::deletions, gs.screen_open, panel->screen_open_flag,
                       panel->hidden_popups_shown),
              std::tuple(1, 0, 0, 1));
    EXPECT_EQ(std::tuple(h.frame->accelerators, h.sound->calls, g_MusicTime),
              std::tuple(&KeyTable(), std::vector<std::string>{"ResumeEffects"}, 123456u));
    EXPECT_TRUE(h.sound->music_wait >= 15000 && h.sound->music_wait <= 30000);
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

// A screen sends its done message from its own handler: its window is gone at
// once, the object only when the handler has returned.
TEST_F(FrameTest, ScreenDeletedInsideItsOwnRequest) {
    Add<FrameScreen::Depot>(kMsgOpenDepot, kMsgDepotDone);
    h.frame->SendMessage(kMsgOpenDepot);
    auto* screen = dynamic_cast<TestScreen*>(h.frame->Screen(FrameScreen::Depot));
    ASSERT_NE(screen, nullptr);
    std::tuple<bool, int> inside;  // window still there, deletions
    screen->on_command = [&](TestScreen& self, uint16_t) {
        plat::SendMessage(MainFrameWindow(), kMsgDepotDone);
        inside = {self.IsWindow(), TestScreen::deletions};
        self.points = 7;  // still its own memory here
    };
    screen->PostMessage(WM_COMMAND, 40129, 0);
    h.Run();
    EXPECT_EQ(inside, std::tuple(false, 0));
    EXPECT_EQ(
        std::tuple(TestScreen::deletions, h.frame->Screen(FrameScreen::Depot), h.gs->screen_open),
        std::tuple(1, nullptr, 0));
}

TEST_F(FrameTest, AbortCancelsEveryScreenInOrderAndEndsTheProgram) {
    Add<FrameScreen::NewGame>(kMsgOpenNewGameSetup, kMsgStartGame);
    Add<FrameScreen::Schedule>(kMsgOpenSchedule, kMsgScheduleDone);
    Add<FrameScreen::Statistics>(kMsgOpenStatistics, kMsgStatisticsDone);
    Add<FrameScreen::Tutorial>(kMsgOpenTutorial, kMsgTutorialDone, 0, 0);
    Send({kMsgOpenStatistics, kMsgOpenSchedule, kMsgOpenNewGameSetup, kMsgOpenTutorial});
    h.frame->SendMessage(kMsgAbort);
    // The tutorial is deleted outright; the others get their cancel commands
    // in the fixed order, whatever order they opened in.
    EXPECT_EQ(TestScreen::log, (std::vector<std::string>{"1:40001", "8:40008", "15:40015"}));
    EXPECT_EQ(TestScreen::deletions, 4);
    for (int32_t slot = 0; slot < kFrameScreenCount; ++slot)
        EXPECT_EQ(h.frame->Screen(static_cast<FrameScreen>(slot)), nullptr) << slot;
    EXPECT_TRUE(!h.frame->IsWindow() && plat::QuitRequested());
    ASSERT_NE(g_pGameState, nullptr);  // shut down only when the frame is deleted
    h.DeleteFrame();
    EXPECT_EQ(g_pGameState, nullptr);
}

// Closing: the world view and the terrain go, the loop is asked to quit; the
// frame's deletion frees the vehicles, writes best.sav and the settings.
TEST_F(FrameTest, CloseAndShutdown) {
    AddView();
    int deletions = 0;
    RegisterVehicle(new fvtest::TestVehicle(1, &deletions));
    RegisterVehicle(new fvtest::TestVehicle(2, &deletions));
    h.gs->opt_scroll_speed = 4;
    h.gs->high_scores[0].points = 4242;
    g_pTerrain = new CTerrain;
    h.frame->PostMessage(WM_CLOSE);
    h.Run();
    EXPECT_TRUE(!g_pSpielFeld && !g_pTerrain && !g_pWayNetwork);  // the terrain's network too
    EXPECT_TRUE(!h.frame->IsWindow() && plat::QuitRequested() && deletions == 0);
    EXPECT_FALSE(std::filesystem::exists(h.folder.Path() + "/ferrovane.ini"));
    h.DeleteFrame();
    EXPECT_EQ(std::tuple(deletions, g_pGameState), std::tuple(2, nullptr));
    EXPECT_NE(h.folder.Read("ferrovane.ini").find("Scrollspeed=4"), std::string::npos);
    EXPECT_EQ(h.folder.Read("save/best.sav").substr(36, 2), std::string("\x92\x10", 2));
}

// A best list that cannot be written at the end is given up silently.
TEST_F(FrameTest, AnUnwritableBestListIsGivenUpSilently) {
    std::filesystem::create_directories(h.folder.Path() + "/save/best.sav");
    h.frame->PostMessage(WM_CLOSE);
    h.Run();
    h.DeleteFrame();
    EXPECT_TRUE(h.host.MessageBoxes().empty());
}

TEST(FrameStartTest, MissingLogoCancelledEndsTheProgramInOrder) {
    FrameHost h({1024, 768}, false);
    h.frame->SendMessage(kMsgShowStartScreen);
    ASSERT_EQ(h.host.MessageBoxes().size(), 1u);
    EXPECT_NE(h.host.MessageBoxes()[0].text.find("logo0.jgd"), std::string::npos);
    EXPECT_TRUE(!h.frame->Screen(FrameScreen::Logo) && plat::QuitRequested() && g_pGameState);
}

TEST_F(FrameTest, InformationWindowsGetTheirCancelCommands) {
    auto* panel = new fvtest::RecordingPanel;
    SetControlPanel(panel);
    Add<FrameScreen::Schedule>(kMsgOpenSchedule, kMsgScheduleDone);
    Add<FrameScreen::ProductHelp>(kMsgOpenProductHelp, kMsgProductHelpDone);
    Add<FrameScreen::SalesStatistics>(kMsgOpenSalesStatistics, kMsgSalesStatisticsDone);
    Add<FrameScreen::StoreSales>(kMsgOpenStoreSales, kMsgStoreSalesDone);
    Send({kMsgOpenStoreSales, kMsgOpenSalesStatistics, kMsgOpenProductHelp, kMsgOpenSchedule});
    panel->screen_open_flag = 1;
    h.frame->SendMessage(kMsgCloseInfoWindows);
    // The store's sales screen is left to the sales statistics.
    EXPECT_EQ(TestScreen::log, (std::vector<std::string>{"8:40008", "9:40009", "16:40016"}));
    EXPECT_NE(h.frame->Screen(FrameScreen::StoreSales), nullptr);
    EXPECT_EQ(panel->screen_open_flag, 0);
    TestScreen::log.clear();
    h.frame->SendMessage(kMsgCloseInfoWindows);
    EXPECT_EQ(TestScreen::log, (std::vector<std::string>{"17:40017"}));
    EXPECT_EQ(h.frame->Screen(FrameScreen::StoreSales), nullptr);
}

TEST_F(FrameTest, NoticesReachOnlyOpenScreens) {
    using Notices = std::vector<std::pair<int, FrameNotice>>;
    static Notices notices;
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
    Send({kMsgGameTick, kMsgCashChanged, kMsgAnimImagesChanged});
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(g_AnimPending, 0);  // without the factory overview nothing is marked
    Send({kMsgOpenStoreOverview, kMsgOpenFactoryOverview, kMsgOpenRailPurchase,
          kMsgOpenTruckPurchase});
    h.frame->Screen(FrameScreen::TruckPurchase)->ShowWindow(SW_HIDE);
    Send({kMsgGameTick, kMsgCashChanged});  // cash: only the visible purchase screen
    EXPECT_EQ(notices, (Notices{{21, FrameNotice::GameTick}, {10, FrameNotice::CashChanged}}));
    // Animation changes: marked on the first report, rebuilt once the main
    // loop has seen the mark.
    notices.clear();
    h.frame->SendMessage(kMsgAnimImagesChanged);
    EXPECT_EQ(std::tuple(g_AnimPending, notices.size()), std::tuple(1, 0u));
    g_AnimPending = 2;
    h.frame->SendMessage(kMsgAnimImagesChanged);
    EXPECT_EQ(std::tuple(g_AnimPending, notices),
              std::tuple(0, Notices{{22, FrameNotice::AnimationsChanged}}));
}

TEST_F(FrameTest, MouseMoveBurstOverTheViewIsOneMoveReplayedAndOutsideItFlushes) {
    RecordingView* view = AddView();
    h.host.SetClock(1000);
    for (int32_t step = 0; step < 5; ++step) {  // five moves within 200 ms
        h.host.InjectMouseMove({100 + 10 * step, 100});
        h.Turn();
        h.host.AdvanceClock(50);
    }
    ASSERT_EQ(view->Moves().size(), 1u);  // the pending time is the last real move's
    EXPECT_EQ(std::tuple(view->Moves()[0].time, g_MouseMoveTime.pending, g_MouseMoveTime.time),
              std::tuple(1000u, 1, 1200u));
    h.host.SetClock(1450);  // 250 ms after the last move: not yet
    h.Turn();
    EXPECT_EQ(view->Moves().size(), 1u);
    h.host.SetClock(1451);
    h.Turn();
    ASSERT_EQ(view->Moves().size(), 2u);
    EXPECT_EQ(std::tuple(view->Moves()[1].lParam, view->Moves()[1].wParam, g_MouseMoveTime.pending),
              std::tuple(0, 0u, 0));
    h.Turn();
    EXPECT_EQ(view->Moves().size(), 2u);
    // 250 ms after the last handled one a move goes through again.
    h.host.SetClock(1250 + 1000);
    h.host.InjectMouseMove({300, 300});
    h.Turn();
    EXPECT_EQ(view->Moves().size(), 3u);
    // A move over the frame beside the view flushes its preview instead.
    h.host.AdvanceClock(1000);
    h.host.InjectMouseMove({900, 700});
    h.Run();
    EXPECT_EQ(view->Count("FlushPendingRedraw"), 1);
    EXPECT_EQ(view->Moves().size(), 3u);
}

TEST_F(FrameTest, SpaceAndArrowsSetTheOrientationOfDepotsAndStationsAndKeysAreUnique) {
    CGameState& gs = *h.gs;
    RecordingView* view = AddView();
    view->cursor_x = view->cursor_y = view->prev_cursor_x = view->prev_cursor_y = 7;
    // Round the four with space, arrows set one; another building type has
    // no orientation: always 0. {type, key, orientation}
    const uint32_t presses[][3] = {{0, VK_SPACE, 1},  {0, VK_SPACE, 2}, {0, VK_SPACE, 3},
                                   {0, VK_SPACE, 0},  {0, VK_LEFT, 3},  {6, VK_DOWN, 2},
                                   {14, VK_RIGHT, 0}, {14, VK_SPACE, 0}};
    for (const auto& [type, key, orientation] : presses) {
        gs.selected_building_type = static_cast<int32_t>(type);
        h.host.InjectKeyPress(key, key == VK_SPACE ? ' ' : 0);
        h.Run();
        EXPECT_EQ(gs.build_orientation, static_cast<int32_t>(orientation)) << type << " " << key;
    }
    EXPECT_EQ(std::tuple(view->cursor_x, view->prev_cursor_y), std::tuple(-1, -1));  // at once
    EXPECT_FALSE(view->Moves().empty());
    // While a screen is open the keys are off.
    gs.selected_building_type = 0;
    h.frame->SendMessage(kMsgDisableKeys);
    h.host.InjectKeyPress(VK_SPACE, ' ');
    h.Run();
    EXPECT_EQ(gs.build_orientation, 0);
    h.frame->SendMessage(kMsgEnableKeys);
    h.host.InjectKeyPress(VK_SPACE, ' ');
    h.Run();
    EXPECT_EQ(gs.build_orientation, 1);
    // Every key of the table has one meaning (tab: one per screen).
    const auto& entries = KeyTable().Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].virtualKey == VK_TAB) continue;  // one per screen
        for (size_t j = i + 1; j < entries.size(); ++j)
            EXPECT_FALSE(entries[i].virtualKey == entries[j].virtualKey &&
                         entries[i].modifiers == entries[j].modifiers)
                << entries[i].command << " " << entries[j].command;
    }
    EXPECT_EQ(KeyTable().Find('D', plat::kAccelControl | plat::kAccelAlt), 40153);
}

// A missing animation picture answered with Cancel ends the program while
// the animations are being switched on; the frame goes on without its view.
TEST_F(FrameTest, AnimationsOnWithoutTheirPicturesEndTheProgram) {
    AddView();
    h.gs->opt_animations = 0;
    h.frame->SendMessage(WM_COMMAND, kCmdToggleAnimations);
    EXPECT_TRUE(!h.host.MessageBoxes().empty() && !g_pSpielFeld && plat::QuitRequested());
}

// A panel that keeps the commands it gets instead of acting on them.
class CommandPanel : public HAUPTDIALOG {
  public:
    std::vector<uint32_t> commands;

  protected:
    void OnPanelCommand(uint32_t command) override { commands.push_back(command); }
};

// The frame's keyboard commands: the guards of the keys that press panel
// headings, the bookmarks, and the panel moving to the other side.
class FrameKeys : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        view->Create(h.frame, {162, 0, 1024, 768}, WS_CHILD | WS_VISIBLE);
        panel->Create(h.frame, {0, 0, 162, 768}, WS_CHILD | WS_VISIBLE);
        SetControlPanel(panel);
        SetWorldView(view);
    }
    std::vector<uint32_t> Press(uint16_t command) {  // the commands the panel got
        panel->commands.clear();
        h.frame->SendMessage(WM_COMMAND, command);
        return panel->commands;
    }
    RecordingView* view = new RecordingView;
    CommandPanel* panel = new CommandPanel;
};

TEST_F(FrameKeys, KeysPressTheirHeadingOnlyWhereTheirGuardsAllow) {
    const struct {
        uint16_t key;
        int32_t mode, zoom, pause;
        std::vector<uint32_t> sent;
    } cases[] = {
        {40335, kModeGame, 1, 0, {40228}},  // A: no tool
        {40335, kModeEditor, 1, 0, {}},
        {40335, kModeGame, 16, 0, {}},
        {40335, kModeGame, 1, 1, {}},
        {40329, kModeEditor, 1, 0, {}},              // B: not in the editor
        {40330, kModeEditor, 1, 0, {40232}},         // I: the editor's rename
        {40330, kModeGame, 16, 0, {}},               //    not on the overview
        {40323, kModeGame, 1, 0, {40215, 40394}},    // L: file, Load
        {40323, kModeEditor, 1, 0, {40215, 40394}},  // the editor too
        {40324, kModeEditor, 1, 0, {40215, 40239}},  // S: file, Save
        {40325, kModeEditor, 1, 0, {40216}},         // O: options, the editor too
        {40322, kModeGame, 1, 0, {40214, 40318}},    // Q: game, End
        {40322, kModeEditor, 1, 0, {40229}},
        {40333, kModeGame, 1, 1, {}},                // H: not while paused
        {40338, kModeEditor, 1, 0, {40233, 40266}},  // 2: the view list, 1:2
    };
    for (const auto& c : cases) {
        std::tie(h.gs->game_mode, h.gs->user_pause, view->zoom) =
            std::tuple(c.mode, c.pause, c.zoom);
        EXPECT_EQ(Press(c.key), c.sent) << c.key << " mode " << c.mode;
    }
}

TEST_F(FrameKeys, MTwiceRestoresTheLayoutBookmarksReturnToTheirField) {
    h.gs->view_width = 1024 - 164;  // the view window is 862 wide
    const plat::Rect view_was = view->GetWindowRect(), panel_was = panel->GetWindowRect();
    Press(40316);
    EXPECT_EQ(view->GetWindowRect().left, panel_was.left);
    EXPECT_EQ(panel->GetWindowRect().left, view->GetWindowRect().right);
    Press(40316);
    EXPECT_EQ(std::tuple(view->GetWindowRect(), panel->GetWindowRect()),
              std::tuple(view_was, panel_was));
    CGameState& gs = *h.gs;
    for (const int32_t origin : {20, 23, 27}) {
        for (int32_t rotation = 0; rotation < 4; ++rotation) {
            gs.rotation = rotation;
            view->view_origin = origin;
            view->centre_x = (130 - 77) / 2.0;
            view->centre_y = (130 + 77) / 2.0 - origin;
            Press(40351 + 3);  // Shift+F4
            view->centre_x = view->centre_y = 0.0;
            Press(40341 + 3);  // F4
            EXPECT_DOUBLE_EQ(view->centre_x, 26.5) << origin << " " << rotation;
            EXPECT_DOUBLE_EQ(view->centre_y, 103.5 - origin) << origin << " " << rotation;
        }
    }
    // An empty bookmark recalls nothing; the overview stores nothing.
    Press(40341 + 5);
    EXPECT_DOUBLE_EQ(view->centre_x, 26.5);
    view->zoom = 16;
    Press(40351 + 5);
    EXPECT_EQ(gs.bookmarks[5].x, -1);
}

// E, K and Z mark their overview's row in the information list, one further
// down where the list holds "Opponent information" (a free game with an
// opponent at work, busy or waiting) or "Goal of the Game" (a career).
TEST_F(FrameKeys, InformationKeysMarkTheRowTheListHasForTheirOverview) {
    struct Case {
        int32_t mode, activity, row_e;
    };
    for (const Case c : {Case{kModeGame, 0, 3}, Case{kModeGame, 500, 4}, Case{kModeGame, -1, 4},
                         Case{kModeMission, 500, 3}, Case{kModeCareer, 0, 4}}) {
        h.gs->game_mode = c.mode;
        for (COpponent* o : h.gs->opponents) o->turn_pending = 0;
        h.gs->opponents[2]->turn_pending = c.activity;
        // E industries, K stores one row above, Z vehicles one below.
        for (const auto& [key, shift, command] :
             {std::tuple(40401, 0, 40385), std::tuple(40400, -1, 40384),
              std::tuple(40399, 1, 40386)}) {
            for (int32_t& checked : panel->entry_checked) checked = 0;
            EXPECT_EQ(Press(static_cast<uint16_t>(key)),
                      (std::vector<uint32_t>{40220, static_cast<uint32_t>(command)}));
            const int32_t row = c.row_e + shift;
            EXPECT_EQ(std::pair(panel->entry_checked[row], view->tool), std::pair(1, -6))
                << key << " mode " << c.mode << " activity " << c.activity;
        }
    }
}

// The recalled position is drawn whole: every field anew on both layers, not
// only the objects of the fields that changed since the last redraw.
TEST_F(FrameKeys, RecallingABookmarkRedrawsEveryFieldOnBothLayers) {
    CGameState& gs = *h.gs;
    gs.bookmarks[2] = {120, 90};
    for (MapField& f : gs.fields) f.set_feldchange(false);
    gs.redraw_terrain = gs.redraw_objects = 0;
    view->redraws = 0;
    Press(40341 + 2);  // F3
    const auto changed = std::count_if(std::begin(gs.fields), std::end(gs.fields),
                                       [](const MapField& f) { return f.feldchange(); });
    EXPECT_EQ(std::tuple(changed, gs.redraw_terrain, gs.redraw_objects, view->redraws),
              std::tuple(std::ssize(gs.fields), 1, 1, 1));
}

plat::Rect g_viewArea;

// The world view as its subsystem will make it: the view and its panel.
SPIEL_FELD* MakeView(HAUPTFENSTER& frame, const plat::Rect& area) {
    g_viewArea = area;
    auto* view = new RecordingView;
    view->tile_in_view = 1;
    view->Create(&frame, area, WS_CHILD | WS_VISIBLE);
    auto* panel = new RecordingPanel;
    panel->Create(&frame, {area.right, 0, area.right + 10, 10}, WS_CHILD | WS_VISIBLE);
    SetControlPanel(panel);
    return view;
}

class FrameGameTest : public FrameTest {
  protected:
    static void TearDownTestSuite() {
        delete world_;
        world_ = nullptr;
    }
    void SetUp() override {
        FrameTest::SetUp();
        GetFrameHooks().create_world_view = &MakeView;
        g_LogoShown[0] = g_LogoShown[1] = 1;  // the logos are over
    }
    // For tests that start a world view: its pictures, written once, become
    // the picture folders of the game state.
    void UseWorldPictures() {
        if (world_ == nullptr) {
            world_ = new fvtest::TempFolder;
            fvtest::WriteWorldPictures(world_->Path());
        }
        for (int32_t group : {kPathBase, kPathVehicles, kPathWorld, kPathGraphics})
            for (int32_t copy = 0; copy < kDataPathCopies; ++copy)
                std::snprintf(h.gs->data_paths[group * kDataPathCopies + copy], kDataPathLength,
                              "%s", world_->Path().c_str());
    }
    static inline fvtest::TempFolder* world_ = nullptr;
};

// Switched on in a running game, each animated building gets its type's
// animation; switched off, the view forgets them all.
TEST_F(FrameGameTest, AnimationsOnRegisterTheAnimatedBuildings) {
    UseWorldPictures();  // which the view's animations need
    RecordingView* view = AddView();
    CBuildingTable table;
    g_ppBuildings = &table;
    const int32_t types[] = {11, 12, 13, 14, 15, 16, 17, 18, 21, 28, 29, 30, 31};
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(types)); ++i) {
        auto* b = new CBuilding(10 + i, 20 + i);
        b->type = types[i];
        table.buildings[1 + 3 * i] = b;
    }
    h.gs->opt_animations = 0;
    h.frame->SendMessage(WM_COMMAND, kCmdToggleAnimations);
    EXPECT_EQ(std::tuple(h.gs->opt_animations, h.gs->redraw_objects, h.sound->Count("ResumeMusic")),
              std::tuple(1, 1, 1));
    const std::vector<RecordingView::Animation> expected = {
        {10, 20, 2}, {11, 21, 1}, {12, 22, 0}, {14, 24, 4},  {16, 26, 3},
        {17, 27, 5}, {19, 29, 8}, {20, 30, 9}, {21, 31, 10}, {22, 32, 11}};
    EXPECT_EQ(view->animations, expected);
    h.frame->SendMessage(WM_COMMAND, kCmdToggleAnimations);
    EXPECT_EQ(
        std::tuple(h.gs->opt_animations, view->Count("ClearAnimations"), view->animations.size()),
        std::tuple(0, 1, 0u));
    table.FreeAll();
    g_ppBuildings = nullptr;
}

TEST_F(FrameGameTest, ContinueStartsAWorldViewAndLoadsTheLastGame) {
    UseWorldPictures();
    CWayNetwork network;  // the terrain's, which a saved game holds
    g_pWayNetwork = &network;
    CGameState& gs = *h.gs;
    {
        // A game left at the overview zoom.
        RecordingView saved_view;
        saved_view.zoom = 16;
        SetWorldView(&saved_view);
        std::tie(gs.game_mode, gs.year) = std::tuple(kModeGame, 1987);
        EXPECT_TRUE(SaveLastGame());
        SetWorldView(nullptr);
        std::tie(gs.game_mode, gs.year) = std::tuple(0, 1960);
    }
    h.frame->SendMessage(kMsgShowStartScreen);
    ASSERT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
    // A game won before.
    std::tie(gs.goal_reached, gs.board_votes, gs.sim_halted) = std::tuple(1, 100, 1);
    h.host.SetClock(777);
    h.sound->calls.clear();
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceContinue);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Start), nullptr);
    auto* view = dynamic_cast<RecordingView*>(g_pSpielFeld);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(g_viewArea, (plat::Rect{0, 0, 1024 - 18, 768 - 41}));
    EXPECT_EQ(std::tie(gs.goal_reached, gs.board_votes, gs.sim_halted, gs.paused, gs.screen_open,
                       gs.start_marker),
              std::tuple(0, 0, 0, 0, 0, 0));
    EXPECT_EQ(std::tuple(gs.timers.tick_time, gs.year), std::tuple(777u, 1987));  // it goes on
    EXPECT_NE(h.frame->accelerators, nullptr);
    EXPECT_TRUE(gs.images.tile_sheet.Loaded());  // the world pictures
    EXPECT_EQ(h.sound->calls,
              (std::vector<std::string>{"StopMusic", "ResumeEffects", "OnMusicNotify"}));
    // The last game was left at the overview zoom: the frame switches to it.
    EXPECT_EQ(std::tuple(view->zoom, SentToFrame(WM_COMMAND)), std::tuple(16, 1u));
    g_pWayNetwork = nullptr;
}

TEST_F(FrameGameTest, OtherTitleChoicesGoOnInThePanelADamagedLastGameShowsTheTitle) {
    UseWorldPictures();
    for (auto [choice, message] : {std::pair{kChoiceScenario, kMsgPanelOpenScenarioSelect},
                                   {kChoiceMission, kMsgPanelOpenMissionSelect},
                                   {kChoiceLoadGame, kMsgPanelOpenLoadGame}}) {
        h.frame->SendMessage(kMsgStartScreenResult, 0, choice);
        auto* panel = static_cast<RecordingPanel*>(g_pHauptDialog);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->Messages(), std::vector<uint32_t>{message});
        h.frame->SendMessage(kMsgEndRunningGame);
        EXPECT_EQ(g_pSpielFeld, nullptr);
        h.DeletePanel();  // the view's panel goes with the view
    }
    h.folder.Write("save/lastsave.lvl", "not a level");
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceContinue);
    ASSERT_EQ(h.host.MessageBoxes().size(), 1u);
    EXPECT_NE(h.host.MessageBoxes()[0].text.find("lastsave.lvl"), std::string::npos);
    EXPECT_TRUE(!g_pSpielFeld && h.frame->Screen(FrameScreen::Start));
    h.DeletePanel();
    // Without a world view the title comes back too, without a box.
    h.frame->DeleteScreen(FrameScreen::Start);
    GetFrameHooks().create_world_view = nullptr;
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceContinue);
    EXPECT_TRUE(h.frame->Screen(FrameScreen::Start) && h.host.MessageBoxes().size() == 1u);
}

TEST_F(FrameGameTest, EndingTheGameClearsItsState) {
    UseWorldPictures();
    CGameState& gs = *h.gs;
    Add<FrameScreen::GenProgress>(kMsgOpenGenProgress, kMsgGenProgressDone, 0, 0);
    ASSERT_TRUE(h.frame->StartWorldView(kModeGame));
    h.frame->SendMessage(kMsgOpenGenProgress);
    gs.fields[500].set_hoehe(9);
    gs.way_kind = gs.ng_towns = gs.mine_kind = gs.found_city_size = 3;
    std::tie(gs.regen_woods, gs.selected_building_type, g_Credit) = std::tuple(0, 12, 5000);
    g_NewGameCounters.words[kNgcMoney] = 77;
    h.frame->SendMessage(kMsgEndRunningGame);
    EXPECT_TRUE(!g_pSpielFeld && !h.frame->Screen(FrameScreen::GenProgress));
    EXPECT_FALSE(gs.images.tile_sheet.Loaded());
    EXPECT_EQ(std::tuple(gs.fields[500].hoehe(), g_Credit, gs.selected_building_type),
              std::tuple(0u, 0, -1));
    // The new-game settings back to their defaults, the city size kept.
    EXPECT_EQ(std::tie(gs.way_kind, gs.ng_towns, gs.regen_woods, gs.mine_kind, gs.found_city_size),
              std::tuple(2, 2, 1, 0, 3));
    h.DeletePanel();
    // The panel's side is kept: the next game's view stands by it.
    std::tie(gs.panel_side, GetFrameHooks().create_world_view) = std::tuple(0, &MakeWorldView);
    ASSERT_TRUE(h.frame->StartWorldView(kModeGame));
    EXPECT_EQ(g_pSpielFeld->GetWindowRect().left, gs.origin_x);
    h.frame->SendMessage(kMsgEndRunningGame);
}

// The end-of-game screen as the frame will list it: the points are taken
// before the screen is deleted.
ScreenEntry GameEndEntry() {
    ScreenEntry e = TestEntry<FrameScreen::GameEnd>(kMsgGameEnd, kMsgGameEndDone, kOpenCommon, 0);
    e.before_delete = [](plat::Window& frame, plat::Window* screen, plat::WParam, plat::LParam) {
        static_cast<HAUPTFENSTER&>(frame).game_end_points =
            static_cast<TestScreen*>(screen)->points;
    };
    e.after_done = [](plat::Window& window, plat::WParam, plat::LParam) {
        auto& frame = static_cast<HAUPTFENSTER&>(window);
        frame.OnGameEndDone(frame.game_end_points);
    };
    return e;
}

TEST_F(FrameGameTest, GameEndEntersTheHighScoreListAndShowsTheScoresOrTheTitle) {
    CGameState& gs = *h.gs;
    for (int32_t i = 0; i < kHighScoreCount; ++i) gs.high_scores[i].points = 1000 - 100 * i;
    std::snprintf(gs.company_names[0], kCompanyNameLength, "%s", "Winner Ltd");
    h.frame->AddScreen(GameEndEntry());
    Add<FrameScreen::HighScores>(kMsgOpenHighScores, kMsgHighScoresDone, kOpenCommon,
                                 kDoneLoadKeys | kDoneShowTitle);
    struct Case {
        int32_t mode, points, place;
        bool ends_game;
    };
    for (const Case& c : {Case{kModeGame, 99, -1, true}, Case{kModeCareer, 100, 9, true},
                          // A mission's end, too, leaves no game behind the title.
                          Case{kModeMission, 5000, 0, true}}) {
        h.host.Recorder().Clear();
        gs.game_mode = c.mode;
        gs.sim_halted = 1;
        h.frame->SendMessage(kMsgGameEnd, 0, 37);
        ASSERT_NE(h.frame->Screen(FrameScreen::GameEnd), nullptr);
        static_cast<TestScreen*>(h.frame->Screen(FrameScreen::GameEnd))->points = c.points;
        h.frame->SendMessage(kMsgGameEndDone);
        EXPECT_EQ(std::tuple(h.frame->Screen(FrameScreen::GameEnd), gs.sim_halted,
                             SentToFrame(kMsgEndRunningGame)),
                  std::tuple(nullptr, 0, c.ends_game ? 1u : 0u))
            << c.points;
        EXPECT_TRUE(c.place < 0 || std::string(gs.high_scores[c.place].name) == "Winner Ltd");
        // An entry shows the list first; the title follows it.
        EXPECT_EQ(h.frame->Screen(FrameScreen::HighScores) != nullptr, c.place >= 0);
        if (c.place >= 0) h.frame->SendMessage(kMsgHighScoresDone);
        EXPECT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
        h.frame->DeleteScreen(FrameScreen::Start);
    }
    EXPECT_EQ(gs.high_scores[1].points, 1000u);
    EXPECT_EQ(gs.high_scores[9].points, 200u);  // 100 and 99 did not stay
    // The high-score screen comes first and the title after it.
    h.frame->SendMessage(kMsgGameEnd, 0, 38);
    static_cast<TestScreen*>(h.frame->Screen(FrameScreen::GameEnd))->points = 6000;
    h.frame->SendMessage(kMsgGameEndDone);
    EXPECT_TRUE(h.frame->Screen(FrameScreen::HighScores) && !h.frame->Screen(FrameScreen::Start));
    h.frame->SendMessage(kMsgHighScoresDone);
    EXPECT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
}

}  // namespace
