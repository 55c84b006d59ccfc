// The main frame starting and ending a running game: the title choices that
// start a world view, the teardown of a game, and the end of a game with its
// high-score entry.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "app/level_file.h"
#include "app/main_frame.h"
#include "frame_screens_double.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "support/frame_host.h"
#include "world/way_network.h"

namespace {

using fvtest::FrameHost;
using fvtest::RecordingPanel;
using fvtest::RecordingView;
using fvtest::TestEntry;
using fvtest::TestScreen;
using Kind = plat::MessageTrace::Kind;

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

class FrameGameTest : public ::testing::Test {
  protected:
    static void TearDownTestSuite() {
        delete world_;
        world_ = nullptr;
    }
    void SetUp() override {
        fvtest::ResetTestScreens();
        GetFrameHooks().create_world_view = &MakeView;
        g_LogoShown[0] = g_LogoShown[1] = 1;  // the logos are over
    }
    void TearDown() override { fvtest::ResetTestScreens(); }

    // For tests that start a world view: its pictures, written once, become
    // the picture folders of the game state.
    void UseWorldPictures() {
        if (world_ == nullptr) {
            world_ = new fvtest::TempFolder;
            fvtest::WriteWorldPictures(world_->Path());
        }
        for (int32_t group : {kPathBase, kPathVehicles, kPathWorld, kPathGraphics}) {
            for (int32_t copy = 0; copy < kDataPathCopies; ++copy) {
                std::snprintf(h.gs->data_paths[group * kDataPathCopies + copy], kDataPathLength,
                              "%s", world_->Path().c_str());
            }
        }
    }

    static inline fvtest::TempFolder* world_ = nullptr;
    FrameHost h;
};

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
        gs.game_mode = kModeGame;
        gs.year = 1987;
        EXPECT_TRUE(SaveLastGame());
        SetWorldView(nullptr);
        gs.game_mode = 0;
        gs.year = 1960;
    }
    h.frame->SendMessage(kMsgShowStartScreen);
    ASSERT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
    gs.goal_reached = 1;
    gs.board_votes = 100;  // a game won before
    gs.sim_halted = 1;
    h.host.SetClock(777);
    h.sound->calls.clear();
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceContinue);

    EXPECT_EQ(h.frame->Screen(FrameScreen::Start), nullptr);
    auto* view = dynamic_cast<RecordingView*>(g_pSpielFeld);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(g_viewArea, (plat::Rect{0, 0, 1024 - 18, 768 - 41}));
    EXPECT_EQ(gs.goal_reached, 0);
    EXPECT_EQ(gs.board_votes, 0);
    EXPECT_EQ(gs.sim_halted + gs.paused + gs.screen_open, 0);
    EXPECT_EQ(gs.timers.tick_time, 777u);
    EXPECT_NE(h.frame->accelerators, nullptr);
    EXPECT_TRUE(gs.images.tile_sheet.Loaded());  // the world pictures
    EXPECT_EQ(gs.year, 1987);                    // the last game goes on
    EXPECT_EQ(gs.start_marker, 0);
    EXPECT_EQ(h.sound->calls,
              (std::vector<std::string>{"StopMusic", "ResumeEffects", "OnMusicNotify"}));
    // The last game was left at the overview zoom: the frame switches to it.
    EXPECT_EQ(view->zoom, 16);
    EXPECT_EQ(h.host.Recorder().Count(Kind::Sent, h.frame, WM_COMMAND), 1u);
    g_pWayNetwork = nullptr;
}

TEST_F(FrameGameTest, DamagedLastGameEndsTheGameAndShowsTheTitle) {
    UseWorldPictures();
    h.folder.Write("save/lastsave.lvl", "not a level");
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceContinue);
    ASSERT_EQ(h.host.MessageBoxes().size(), 1u);
    EXPECT_NE(h.host.MessageBoxes()[0].text.find("lastsave.lvl"), std::string::npos);
    EXPECT_EQ(g_pSpielFeld, nullptr);
    EXPECT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
    h.DeletePanel();
    // Without a world view the title comes back too, without a box.
    h.frame->DeleteScreen(FrameScreen::Start);
    GetFrameHooks().create_world_view = nullptr;
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceContinue);
    EXPECT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
    EXPECT_EQ(h.host.MessageBoxes().size(), 1u);
}

TEST_F(FrameGameTest, ScenarioAndMissionChoicesGoOnInThePanel) {
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
}

TEST_F(FrameGameTest, EndingTheGameClearsItsState) {
    UseWorldPictures();
    CGameState& gs = *h.gs;
    h.frame->AddScreen(
        TestEntry<FrameScreen::GenProgress>(kMsgOpenGenProgress, kMsgGenProgressDone, 0, 0));
    ASSERT_TRUE(h.frame->StartWorldView(kModeGame));
    h.frame->SendMessage(kMsgOpenGenProgress);
    gs.fields[500].set_hoehe(9);
    gs.way_kind = gs.ng_towns = gs.mine_kind = gs.found_city_size = 3;
    gs.regen_woods = 0;
    gs.selected_building_type = 12;
    g_Credit = 5000;
    g_NewGameCounters.words[kNgcMoney] = 77;

    h.frame->SendMessage(kMsgEndRunningGame);
    EXPECT_EQ(g_pSpielFeld, nullptr);
    EXPECT_FALSE(gs.images.tile_sheet.Loaded());
    EXPECT_EQ(h.frame->Screen(FrameScreen::GenProgress), nullptr);
    EXPECT_EQ(gs.fields[500].hoehe(), 0);
    EXPECT_EQ(g_Credit, 0);
    EXPECT_EQ((std::array<int32_t, 4>{gs.way_kind, gs.ng_towns, gs.regen_woods, gs.mine_kind}),
              (std::array<int32_t, 4>{2, 2, 1, 0}));
    EXPECT_EQ(gs.found_city_size, 3);  // kept
    EXPECT_EQ(gs.selected_building_type, -1);
    h.DeletePanel();
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

TEST_F(FrameGameTest, GameEndEntersTheHighScoreListOrGoesToTheTitle) {
    CGameState& gs = *h.gs;
    for (int32_t i = 0; i < kHighScoreCount; ++i) gs.high_scores[i].points = 1000 - 100 * i;
    std::snprintf(gs.company_names[0], kCompanyNameLength, "%s", "Winner Ltd");
    h.frame->AddScreen(GameEndEntry());
    struct Case {
        int32_t mode, points, place;
        bool ends_game;
    };
    for (const Case& c : {Case{kModeGame, 99, -1, true}, Case{kModeCareer, 100, 9, true},
                          Case{kModeMission, 5000, 0, false}}) {
        h.host.Recorder().Clear();
        gs.game_mode = c.mode;
        gs.sim_halted = 1;
        h.frame->SendMessage(kMsgGameEnd, 0, 37);
        ASSERT_NE(h.frame->Screen(FrameScreen::GameEnd), nullptr);
        static_cast<TestScreen*>(h.frame->Screen(FrameScreen::GameEnd))->points = c.points;
        h.frame->SendMessage(kMsgGameEndDone);
        EXPECT_EQ(h.frame->Screen(FrameScreen::GameEnd), nullptr);
        EXPECT_EQ(h.host.Recorder().Count(Kind::Sent, h.frame, kMsgEndRunningGame),
                  c.ends_game ? 1u : 0u)
            << c.points;
        EXPECT_EQ(gs.sim_halted, 0);
        if (c.place >= 0) {
            EXPECT_STREQ(gs.high_scores[c.place].name, "Winner Ltd");
            EXPECT_EQ(static_cast<int32_t>(gs.high_scores[c.place].points), c.points);
        }
        // No high-score screen yet: the title comes in both cases.
        EXPECT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
        h.frame->DeleteScreen(FrameScreen::Start);
    }
    EXPECT_EQ(gs.high_scores[1].points, 1000u);
    EXPECT_EQ(gs.high_scores[9].points, 200u);  // 100 and 99 did not stay
}

TEST_F(FrameGameTest, GameEndOpensTheHighScoresWhenThatScreenExists) {
    h.frame->AddScreen(GameEndEntry());
    h.frame->AddScreen(TestEntry<FrameScreen::HighScores>(
        kMsgOpenHighScores, kMsgHighScoresDone, kOpenCommon, kDoneLoadKeys | kDoneShowTitle));
    h.gs->game_mode = kModeMission;
    h.frame->SendMessage(kMsgGameEnd, 0, 38);
    static_cast<TestScreen*>(h.frame->Screen(FrameScreen::GameEnd))->points = 1;
    h.frame->SendMessage(kMsgGameEndDone);
    EXPECT_NE(h.frame->Screen(FrameScreen::HighScores), nullptr);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Start), nullptr);
    h.frame->SendMessage(kMsgHighScoresDone);
    EXPECT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
}

}  // namespace
