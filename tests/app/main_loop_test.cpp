// The main loop and the game clock on the headless back end's fake clock.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "app/game_tick.h"
#include "app/interface_hooks.h"
#include "app/level_file.h"
#include "app/loop_doubles.h"
#include "game/opponent.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "screens/vehicles/vehicle_overview.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/market_events.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "support/game_scope.h"

namespace {

using fvtest::RecordingFrame;
using fvtest::TestVehicle;

class MainLoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.SetClock(1000000);
        gs.game_mode = kModeGame;
        FrameTimers& t = gs.timers;
        t.tick_time = t.frame_time = t.anim_time = t.opponent_time = host.Now();
        plat::SetRandSourceForTests([] { return 0; });  // even: no random market event
        gs.opt_autosave = 0;  // the tests that want the yearly save switch it on
        ASSERT_TRUE(frame->Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
        app.mainWindow = frame.get();
        ASSERT_TRUE(panel->Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
        view->tile_in_view = 1;
        ASSERT_TRUE(view->Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
        scope.Set(g_pCityManager, &cities);
        scope.Set(g_ppBuildings, &buildings);
        SetSoundManager(&sound);
    }
    void TearDown() override { DeleteAllVehicles(); }
    // Idle passes every `step` ms for `ms` ms; Ticks: exactly one tick per call.
    void Idle(uint32_t ms, uint32_t step = 1000) {
        for (uint32_t done = 0; done < ms; done += step, app.OnIdle(0)) host.AdvanceClock(step);
    }
    void Ticks(int n) { Idle(uint32_t(n) * (g_TickLength + 1), g_TickLength + 1); }
    int Effects30() const {  // the news sound
        return std::count_if(sound.effects.begin(), sound.effects.end(),
                             [](const auto& e) { return e.effect == 30 && e.channel == 5; });
    }
    plat::HeadlessBackend host;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    CLookupTables tables;
    CGameApp app;
    std::unique_ptr<RecordingFrame> frame = std::make_unique<RecordingFrame>();
    fvtest::RecordingPanel* panel = &scope.UsePanel();
    fvtest::RecordingView* view = &scope.UseView();
    fvtest::TestCities cities;
    fvtest::TestBuildings buildings;
    fvtest::RecordingSound sound;
};

TEST_F(MainLoopTest, TickComesAfterMoreThanTheTickLengthAndNeverWhileStopped) {
    host.AdvanceClock(15000);
    app.OnIdle(0);
    EXPECT_EQ(gs.week, 0);
    host.AdvanceClock(1);
    app.OnIdle(0);
    EXPECT_EQ(std::tuple(gs.week, frame->Count(kMsgGameTick), cities.ticks), std::tuple(1, 1, 1));
    int32_t CGameState::*const stops[] = {&CGameState::paused, &CGameState::sim_halted,
                                          &CGameState::user_pause, &CGameState::goal_reached,
                                          &CGameState::game_mode};  // the editor
    for (int32_t CGameState::*field : stops) {
        const int32_t before = gs.*field;
        gs.*field = field == &CGameState::game_mode ? kModeEditor : 1;
        Idle(100000, 5000);
        EXPECT_EQ(gs.week, 1);
        gs.*field = before;
        // A long stop gives exactly one tick afterwards, not several.
        app.OnIdle(0);
        EXPECT_EQ(gs.week, 2);
        gs.week = 1;
    }
}

TEST_F(MainLoopTest, MonthlyWorkOnlyOnTheFourthTickInfoPanelOnEvery) {
    auto *a = new TestVehicle(1), *b = new TestVehicle(2);
    RegisterVehicle(a);
    RegisterVehicle(b);
    a->monthly_flag = 1;
    a->monthly_counters[1] = 6;
    b->monthly_counters[0] = 7;
    cities.onMonthly = [this] { EXPECT_EQ(buildings.updates, 0); };  // sites follow cities
    view->tool = 20;  // the information tool: its panel is refreshed every tick
    for (int tick = 1; tick <= 4; ++tick) {
        Ticks(1);
        const int m = tick == 4 ? 1 : 0;
        EXPECT_EQ(std::tie(cities.monthly, buildings.updates, panel->dates), std::tuple(m, m, m));
        EXPECT_EQ(panel->Count(kMsgRefreshInfoPanel), tick);
        EXPECT_EQ(gs.redraw_objects, m);  // the month redraws the seasonal trees
        // A vehicle's monthly counters are cleared when its flag is set.
        EXPECT_EQ(std::tie(a->monthly_flag, a->monthly_counters[1], b->monthly_counters[0]),
                  std::tuple(1 - m, 6 * (1 - m), 7));
    }
    EXPECT_EQ(std::tie(gs.week, gs.month), std::tuple(0, 1));
    cities.onMonthly = nullptr;
    gs.opt_seasons = gs.redraw_objects = 0;
    view->tool = 12;
    Ticks(4);
    EXPECT_EQ(std::tuple(panel->Count(kMsgRefreshInfoPanel), gs.redraw_objects), std::tuple(4, 0));
}

TEST_F(MainLoopTest, NewYearWithNewsAndTheYearlySaveNewsOfGoodsModelsAndBuildings) {
    fvtest::TempFolder folder;
    std::snprintf(gs.data_paths[kPathSave * kDataPathCopies + gs.install_index], kDataPathLength,
                  "%s\\save", folder.Path().c_str());
    const std::filesystem::path autosave =
        std::filesystem::path(folder.Path()) / "save" / "autosave.lvl";
    gs.cash[0] = 6000000;
    for (int32_t on : {0, 1}) {
        SCOPED_TRACE(on);
        gs.opt_autosave = on;
        panel->sent.clear();
        sound.effects.clear();
        std::tie(gs.month, gs.week) = std::tuple(11, 3);
        Ticks(1);
        EXPECT_EQ(std::tuple(gs.month, panel->Count(kMsgYearSummary), Effects30()),
                  std::tuple(0, 1, 1));
        // The yearly save goes into the saved-games folder, which it creates.
        EXPECT_EQ(std::filesystem::exists(autosave), on == 1);
    }
    EXPECT_EQ(gs.year, 1962);
    // The yearly worth and points take the December values just completed.
    EXPECT_EQ(std::tuple(g_Statistics.Yearly(StatSeries::CompanyWorth, 0, kLastSlot),
                         g_Statistics.Yearly(StatSeries::Points, 0, kLastSlot)),
              std::tuple(6000000, 3));
    // The accounts open on their own until 1964; the sound and the save stay.
    for (const auto& [year, summaries] : {std::pair(1964, 1), std::pair(1965, 0)}) {
        panel->sent.clear();
        sound.effects.clear();
        std::filesystem::remove(autosave);
        std::tie(gs.year, gs.month, gs.week) = std::tuple(year - 1, 11, 3);
        Ticks(1);
        EXPECT_EQ(std::tuple(gs.year, panel->Count(kMsgYearSummary), Effects30(),
                             std::filesystem::exists(autosave)),
                  std::tuple(year, summaries, 1, true));
    }
    panel->sent.clear();
    sound.effects.clear();
    // Goods in March of their year.
    std::tie(gs.year, gs.month, gs.week) = std::tuple(1962, 1, 3);
    Ticks(1);
    ASSERT_EQ(panel->Count(kMsgProductNews), 1);
    EXPECT_EQ(std::tuple(gs.goods[11].available, panel->sent[0].wParam, Effects30()),
              std::tuple(1, 11u, 1));
    // Raw materials and plant products never; the toy counter suppresses toys;
    // goods of the first year or 2061 never.
    panel->sent.clear();
    gs.goods[3].intro_year = gs.goods[15].intro_year = gs.year = 1985;
    g_NewGameCounters.words[kNgcToys] = -1;
    AnnounceNewGoods();
    ASSERT_EQ(panel->Count(kMsgProductNews), 1);
    EXPECT_EQ(std::tuple(panel->sent[0].wParam, gs.goods[15].available), std::tuple(38u, 0));
    for (int32_t year : {1960, 2061}) {
        for (GoodsRecord& g : gs.goods) g.intro_year = year;
        gs.year = year;
        AnnounceNewGoods();
    }
    EXPECT_EQ(panel->Count(kMsgProductNews), 1);
    // 2060 is the last year of news.
    for (GoodsRecord& g : gs.goods) g.intro_year = 2100;
    gs.goods[38].intro_year = gs.year = 2060;
    AnnounceNewGoods();
    EXPECT_EQ(panel->Count(kMsgProductNews), 2);
    // Models and buildings in July.
    panel->sent.clear();
    gs.year = 1959;  // models 0..2 and 10 are never announced; every building type is 1959
    AnnounceNewModels();
    ASSERT_EQ(std::tuple(panel->Count(kMsgVehicleNews), panel->Count(kMsgBuildingNews)),
              std::tuple(0, 2));
    EXPECT_EQ(panel->sent[1].wParam, 11u);
    panel->sent.clear();
    sound.effects.clear();
    gs.year = gs.building_types[16].intro_year = 2010;
    std::tie(gs.month, gs.week) = std::tuple(5, 3);
    Ticks(1);
    EXPECT_EQ(
        std::tuple(panel->Count(kMsgVehicleNews), panel->Count(kMsgBuildingNews), Effects30()),
        std::tuple(1, 1, 2));  // model 18 and building 16
}

TEST_F(MainLoopTest, MarketEventRunsThroughTheMonths) {
    gs.event_pause = 200;  // -56 as a signed byte: not counted down
    Ticks(4);
    EXPECT_EQ(gs.event_pause, 200);
    gs.event_pause = 1;
    Ticks(4);
    EXPECT_EQ(gs.event_pause, 0);
    // An odd draw, then event 19 (furniture, from 1960, 29 months).
    int draws = 0;
    plat::SetRandSourceForTests([&draws] { return ++draws == 1 ? 1 : draws == 2 ? 19 : 0; });
    Ticks(4);
    EXPECT_EQ(std::tuple(gs.active_event, gs.market_events[19].event_state, gs.goods[26].price,
                         gs.goods[17].price),
              std::tuple(19, 1, 18139, 3590));  // good 17 is not the event's
    Ticks(4 * 28);
    EXPECT_EQ(gs.active_event, 19);
    Ticks(4);
    EXPECT_EQ(std::tuple(gs.active_event, gs.event_pause, gs.goods[26].price),
              std::tuple(-1, 11, 10077));
    // No new event from 2061 on, in March or July, in a month of pause, nor
    // of a state of 2; 2060 still has them.
    for (const auto& [year, month, pause, state, started] : {std::tuple{2061, 0, 0, 0, -1},
                                                             {2060, 2, 0, 0, -1},
                                                             {2060, 6, 0, 0, -1},
                                                             {2060, 0, 1, 0, -1},
                                                             {2060, 0, 0, 2, -1},
                                                             {2060, 0, 0, 1, 19}}) {
        std::tie(gs.year, gs.month, gs.active_event, gs.event_pause) =
            std::tuple(year, month, -1, pause);
        gs.market_events[19].event_state = state;
        draws = 0;
        MaybeStartRandomMarketEvent();
        EXPECT_EQ(gs.active_event, started) << year << " " << month << " " << pause << " " << state;
    }
}

// What the loop adds to the opponents' turns: take-over percentages fall by 2 a
// month, no turn while paused, an empty slot or one outside the table is safe.
TEST_F(MainLoopTest, OpponentTermsPausesAndEmptySlots) {
    gs.opponents[0] = new COpponent(0, 0);  // interval 2
    gs.opponents[1] = new COpponent(1, 1);  // interval 4
    Ticks(4);
    EXPECT_EQ(gs.opponents[1]->takeover_percent, 98);
    // A month takes 2 off while the share is above 0, of opponents in play.
    for (const auto& [percent, pending, after] :
         {std::tuple{2, 1000, 0}, {1, 1000, -1}, {0, 1000, 0}, {50, 0, 50}}) {
        std::tie(gs.opponents[1]->takeover_percent, gs.opponents[1]->turn_pending) =
            std::tuple(percent, pending);
        Ticks(4);
        EXPECT_EQ(gs.opponents[1]->takeover_percent, after) << percent << " " << pending;
    }
    gs.opponents[1]->turn_pending = 1000;
    std::tie(gs.opponents[0]->turn_countdown, gs.paused) = std::tuple(-1, 1);
    Idle(100, 20);
    EXPECT_EQ(gs.opponents[0]->turn_countdown, -1);
    gs.paused = 0;
    app.OnIdle(0);
    EXPECT_EQ(gs.opponents[0]->turn_countdown, 2);
    for (int32_t slot : {2, 7}) {
        gs.active_opponent = slot;
        Idle(20, 20);
        EXPECT_EQ(gs.active_opponent, -1);
    }
    // The turn goes to the lowest countdown below 1, the first slot of equal
    // ones, the last slot included; 11 ms after the last step, not 10.
    gs.opponents[2] = new COpponent(2, 2);
    for (const auto& [c0, c1, c2, turned] :
         {std::tuple{1, 1, 1, -1}, {0, 0, 1, 0}, {1, -3, -3, 1}, {1, 1, 0, 2}}) {
        const int32_t countdowns[] = {c0, c1, c2};
        for (int32_t slot = 0; slot < kOpponentCount; ++slot)
            gs.opponents[slot]->turn_countdown = countdowns[slot];
        Idle(10, 10);
        EXPECT_EQ(gs.opponents[0]->turn_countdown, c0);
        Idle(1, 1);
        int32_t moved = -1;
        for (int32_t slot = 0; slot < kOpponentCount; ++slot)
            if (gs.opponents[slot]->turn_countdown != countdowns[slot]) moved = slot;
        EXPECT_EQ(moved, turned) << c0 << " " << c1 << " " << c2;
    }
}

TEST_F(MainLoopTest, VehicleWalkRemovesHeadMiddleAndTail) {
    CCity city;
    city.car_count = 3;
    cities.cities[4] = &city;
    struct Overview : FS_FZ_UEBER {
        std::vector<CVehicle*> removed;
        void RemoveVehicle(CVehicle* v) override { removed.push_back(v); }
    } overview;
    g_pVehicleOverview = &overview;
    int deletions = 0;
    TestVehicle* vehicles[5];
    for (int id = 4; id >= 0; --id) RegisterVehicle(vehicles[id] = new TestVehicle(id, &deletions));
    // List order 0..4: remove 0 (head), 2 (middle) and 4 (tail), a city car among them.
    for (int id : {0, 2, 4}) vehicles[id]->onMove = [](TestVehicle& v) { v.removal_flag = 1; };
    std::tie(vehicles[2]->vehicle_class, vehicles[2]->owner) = std::tuple(kVehicleCityCar, 5);
    vehicles[4]->visible = 1;
    // A vehicle made during the walk joins at the head and moves next time.
    TestVehicle* spawned = nullptr;
    vehicles[3]->onMove = [&](TestVehicle& v) {
        if (!spawned) RegisterVehicle(spawned = new TestVehicle(9, &deletions));
        v.onMove = nullptr;
    };
    Idle(26, 26);
    EXPECT_EQ(std::tuple(deletions, city.car_count, overview.removed.size(), gs.redraw_terrain,
                         view->redraws),
              std::tuple(3, 2, 3u, 1, 1));
    std::vector<int> left;
    for (VehicleListNode* n = g_pVehicleList; n; n = n->next)
        left.push_back(static_cast<TestVehicle*>(n->vehicle)->id);
    EXPECT_EQ(left, (std::vector<int>{9, 1, 3}));
    EXPECT_EQ(std::tie(spawned->moves, vehicles[1]->moves), std::tuple(0, 1));
    EXPECT_GE(view->vehicle_draws, 1);
    // Everything goes in one pass, the list ends empty.
    for (VehicleListNode* n = g_pVehicleList; n; n = n->next) n->vehicle->removal_flag = 1;
    Idle(26, 26);
    EXPECT_EQ(std::tuple(g_pVehicleList, deletions), std::tuple(nullptr, 6));
    // Halted, vehicles only follow the view.
    auto* v = new TestVehicle(1);
    RegisterVehicle(v);
    std::tie(gs.sim_halted, view->tile_in_view, v->visible) = std::tuple(1, 0, 1);
    Idle(26, 26);
    EXPECT_EQ(std::tie(v->moves, v->visible), std::tuple(0, 0));
    gs.sim_halted = 0;
    Idle(25, 25);  // no frame work within 25 ms
    const int early = v->moves;
    Idle(1, 1);
    EXPECT_EQ(std::tuple(early, v->moves), std::tuple(0, 1));
}

TEST_F(MainLoopTest, MoneyDisplayFollowsCashAndBoardVotesEndTheFreeGame) {
    struct Info : FS_OPPONENT_INFO {
        int draws = 0;
        void DrawFigures() override { ++draws; }
    } info;
    info.shown_player = 2;
    panel->opponent_info = &info;
    gs.cash[1] += 5;
    Idle(26, 26);
    EXPECT_EQ(std::tuple(info.draws, frame->Count(kMsgCashChanged)), std::tuple(0, 0));
    gs.cash[2] += 5;
    gs.cash[0] -= 100;
    Idle(52, 26);  // once only
    EXPECT_EQ(std::tuple(info.draws, frame->Count(kMsgCashChanged), panel->capitals),
              std::tuple(1, 1, 1));
    EXPECT_EQ(gs.cash_shown[0], gs.cash[0]);
    panel->opponent_info = nullptr;
    // Board votes end the free game.
    gs.cash[0] = (int64_t{1} << 32) + 1000;  // low 32 bits: 1,000
    app.UpdateFrame();
    EXPECT_EQ(std::tie(gs.board_votes, gs.goal_reached), std::tuple(0, 0));
    gs.cash[0] = 1900000000;
    g_Statistics.Monthly(StatSeries::CompanyWorth, 0) = 100000000;
    std::tie(g_Credit, g_TakeOverCount[1]) = std::tuple(0, 1);
    app.UpdateFrame();
    EXPECT_EQ(std::tie(gs.board_votes, gs.goal_reached), std::tuple(110, 1));
    ASSERT_EQ(frame->Count(kMsgGameEnd), 1);
    EXPECT_EQ(frame->sent.back().lParam, kEndPictureWon);
    // No more ticks after the goal.
    gs.sim_halted = 0;
    Idle(40000);
    EXPECT_EQ(frame->Count(kMsgGameTick), 0);
    // Only in free games.
    std::tie(gs.goal_reached, gs.board_votes, gs.game_mode) = std::tuple(0, 0, kModeCareer);
    app.UpdateFrame();
    EXPECT_EQ(gs.board_votes, 0);
    // 99 votes leave the game running; 100 end it.
    gs.game_mode = kModeGame;
    g_Statistics.Monthly(StatSeries::CompanyWorth, 0) = 0;
    g_TakeOverCount[1] = 0;
    for (const auto& [cash, votes, won] : {std::tuple{1999999999, 99, 0}, {2000000000, 100, 1}}) {
        std::tie(gs.goal_reached, gs.sim_halted) = std::tuple(0, 0);
        gs.cash[0] = cash;
        app.UpdateFrame();
        EXPECT_EQ(std::tie(gs.board_votes, gs.goal_reached, gs.sim_halted),
                  std::tuple(votes, won, won));
    }
    EXPECT_EQ(frame->Count(kMsgGameEnd), 2);
}

// Missions and career assignments test their goal after each month's
// processing: the target once crossed opens one result screen and stops the
// clock; a negative value opens the failure only at a new year.
TEST_F(MainLoopTest, TheLevelGoalOpensOneResultAfterTheMonth) {
    ClearStatistics();
    gs.game_mode = kModeCareer;
    gs.career_level = 0;  // the first assignment: 1,000,000 at difficulty 50
    gs.career_difficulty = 50;
    gs.cash[0] = 999999;
    Ticks(4);
    EXPECT_EQ(panel->Count(kMsgPanelOpenAssignmentDone), 0);
    gs.cash[0] = 1000000;
    panel->answer_code = 4;  // "next level" asked at an earlier level
    Ticks(3);                // within the month: no test
    EXPECT_EQ(panel->Count(kMsgPanelOpenAssignmentDone), 0);
    Ticks(1);
    EXPECT_EQ(
        std::tuple(panel->Count(kMsgPanelOpenAssignmentDone), gs.goal_reached, gs.assignment_votes),
        std::tuple(1, 1, 10));
    EXPECT_EQ(panel->answer_code, kNoAnswer);  // the goal, not the menu, ended the level
    const int32_t ticks = frame->Count(kMsgGameTick);
    Idle(100000, 5000);
    EXPECT_EQ(std::tuple(panel->Count(kMsgPanelOpenAssignmentDone), frame->Count(kMsgGameTick)),
              std::tuple(1, ticks));

    // A mission below zero fails at the new year, not before.
    panel->sent.clear();
    std::tie(gs.game_mode, gs.goal_reached, gs.month, gs.week) = std::tuple(kModeMission, 0, 10, 0);
    gs.cash[0] = -1;
    Ticks(4);
    EXPECT_EQ(panel->Count(kMsgPanelOpenMissionFailed), 0);
    Ticks(4);
    EXPECT_EQ(std::tuple(gs.month, panel->Count(kMsgPanelOpenMissionFailed), gs.goal_reached),
              std::tuple(0, 1, 1));
    Idle(100000, 5000);
    EXPECT_EQ(panel->Count(kMsgPanelOpenMissionFailed), 1);
    // A free game has no such goal.
    std::tie(gs.goal_reached, gs.game_mode) = std::tuple(0, kModeGame);
    gs.cash[0] = 5000000;
    Ticks(4);
    EXPECT_EQ(std::tuple(panel->Count(kMsgPanelOpenMissionFailed),
                         panel->Count(kMsgPanelOpenMissionDone), gs.goal_reached),
              std::tuple(1, 0, 0));
    ClearStatistics();
}

TEST_F(MainLoopTest, AnimationsAmbientSoundsAndMusic) {
    g_AnimPending = 1;
    Idle(125, 125);
    EXPECT_EQ(view->animation_ticks, 0);
    Idle(1, 1);
    EXPECT_EQ(std::tuple(g_AnimPending, frame->Count(kMsgAnimImagesChanged)), std::tuple(2, 1));
    const int ambient = sound.Count("PlayAmbientSounds");
    EXPECT_GT(ambient, 0);
    for (auto [mode, on] : {std::pair{kModeEditor, 1}, {kModeGame, 0}}) {
        gs.game_mode = mode;
        gs.opt_ambient_sounds = on;
        Idle(10, 10);
    }
    EXPECT_EQ(sound.Count("PlayAmbientSounds"), ambient);
    // The music starts after the track delay (the sound acceptance test times
    // it), not while a screen is open.
    sound.music_wait = 20000;
    g_MusicTime = host.Now();
    gs.screen_open = 1;
    Idle(21000);
    EXPECT_EQ(sound.Count("OnMusicNotify"), 0);
    gs.screen_open = 0;
    Idle(10, 10);
    EXPECT_EQ(sound.Count("OnMusicNotify"), 1);
}

// The loop sleeps between its steps. Running, it wakes for the next step;
// the ambient sounds count the milliseconds between passes as passes (as a
// loop of one pass a millisecond made them), but not those of a halt. Paused
// by the player, halted or after the goal the vehicles stand while the field
// animations go on with the report the factory overview waits for: the loop
// wakes for the animation steps only, and draws the vehicles again only once
// the view moved. Paused, nothing steps and the loop waits for input.
TEST_F(MainLoopTest, TheLoopSleepsBetweenStepsAndWhileTheVehiclesStand) {
    auto* vehicle = new TestVehicle(1);
    RegisterVehicle(vehicle);
    Idle(26, 26);
    const uint32_t running = app.IdleDelay();
    EXPECT_GT(running, 1u);
    EXPECT_LE(running, 26u);
    // {user_pause, sim_halted, ambient passes over 10 ms}
    for (auto [pause, halt, passes] : {std::tuple{0, 0, 10}, {1, 0, 10}, {0, 1, 0}}) {
        std::tie(gs.user_pause, gs.sim_halted) = std::tuple(pause, halt);
        const int before = sound.Count("PlayAmbientSounds");
        Idle(10, 1);
        EXPECT_EQ(sound.Count("PlayAmbientSounds") - before, passes) << pause << halt;
    }
    gs.sim_halted = 0;
    const int before = sound.Count("PlayAmbientSounds");
    Idle(5, 5);  // the halted milliseconds are not made up
    EXPECT_EQ(sound.Count("PlayAmbientSounds") - before, 5);

    int32_t CGameState::*const stands[] = {&CGameState::user_pause, &CGameState::sim_halted,
                                           &CGameState::goal_reached};
    for (int32_t CGameState::*field : stands) {
        gs.*field = 1;
        Idle(26, 26);
        const int draws = view->vehicle_draws;
        const int animations = view->animation_ticks;
        const int moves = vehicle->moves;
        const int reports = frame->Count(kMsgAnimImagesChanged);
        g_AnimPending = 1;
        Idle(1040, 26);  // eight animation steps, 130 ms apart
        EXPECT_EQ(std::tuple(view->vehicle_draws, view->animation_ticks - animations,
                             vehicle->moves, frame->Count(kMsgAnimImagesChanged) - reports),
                  std::tuple(draws, 8, moves, 1));
        // Right after a step the loop sleeps until the next one.
        host.AdvanceClock(126);
        app.OnIdle(0);
        EXPECT_EQ(std::tuple(view->animation_ticks - animations, app.IdleDelay()),
                  std::tuple(9, 126u));
        view->centre_x += 2.0;  // scrolled while the vehicles stand
        EXPECT_EQ(app.IdleDelay(), 26u);
        Idle(26, 26);
        EXPECT_EQ(std::tuple(view->vehicle_draws, app.IdleDelay()), std::tuple(draws + 1, 100u));
        gs.*field = 0;
    }

    gs.paused = 1;
    Idle(26, 26);
    const int draws = view->vehicle_draws;
    const int animations = view->animation_ticks;
    Idle(1000, 26);
    EXPECT_EQ(std::tuple(view->vehicle_draws, view->animation_ticks, app.IdleDelay()),
              std::tuple(draws, animations, 250u));
    gs.paused = 0;
    Idle(130, 26);
    EXPECT_GT(view->animation_ticks, animations);
    EXPECT_GT(view->vehicle_draws, draws);
}

TEST_F(MainLoopTest, CityGrowthScreenRunsAlone) {
    static int draws = 0, deletions = 0;
    struct Growth : FS_CITY_GROWTH {
        ~Growth() override { ++deletions; }
        void DrawProgress() override { ++draws; }
    };
    draws = deletions = 0;
    auto* growth = new Growth;
    panel->city_growth_screen = growth;
    gs.city_growth_running = gs.sim_halted = gs.screen_open = 1;
    std::tie(gs.year, gs.month) = std::tuple(1975, 2);
    Idle(40000);  // no ticks, no frame work while it runs
    EXPECT_EQ(std::tie(gs.week, draws, cities.ticks), std::tuple(0, 40, 40));
    growth->finished = 1;
    app.OnIdle(0);
    EXPECT_EQ(std::tuple(deletions, panel->city_growth_screen, frame->Count(kMsgCityGrowthDone)),
              std::tuple(1, nullptr, 1));
    // Goods of 1974 come, those of 1982 not; the game and the music go on.
    EXPECT_EQ(std::tie(gs.goods[21].available, gs.goods[22].available), std::tuple(1, 0));
    EXPECT_EQ(std::tie(gs.city_growth_running, gs.sim_halted, gs.screen_open, sound.music_playing),
              std::tuple(0, 0, 0, 1));
}

// Goods become available from March of their year on: not in February, in
// March exactly.
TEST_F(MainLoopTest, GoodsComeInTheMarchOfTheirYear) {
    for (GoodsRecord& good : gs.goods)
        std::tie(good.intro_year, good.available) = std::tuple(2100, 0);
    gs.goods[4].intro_year = 1975;
    gs.goods[5].intro_year = 1974;
    for (auto [month, available] : {std::pair{1, 0}, {2, 1}}) {
        std::tie(gs.year, gs.month, gs.goods[4].available) = std::tuple(1975, month, 0);
        MarkGoodsAvailableByDate();
        EXPECT_EQ(std::tuple(gs.goods[4].available, gs.goods[5].available, gs.goods[6].available),
                  std::tuple(available, 1, 0))
            << month;
    }
}

// The calendar stops at the last year a level file holds, so that the
// yearly save stays one the game can load.
TEST_F(MainLoopTest, TheCalendarStopsAtTheLastYearAFileHolds) {
    fvtest::TempFolder folder;
    std::snprintf(gs.data_paths[kPathSave * kDataPathCopies + gs.install_index], kDataPathLength,
                  "%s\\save", folder.Path().c_str());
    const std::filesystem::path autosave =
        std::filesystem::path(folder.Path()) / "save" / "autosave.lvl";
    gs.opt_autosave = 1;
    gs.year = kLastGameYear - 1;
    for (int32_t year_end = 0; year_end < 2; ++year_end) {
        std::filesystem::remove(autosave);
        std::tie(gs.month, gs.week) = std::tuple(11, 3);
        Ticks(1);
        EXPECT_EQ(std::tuple(gs.year, gs.month), std::tuple(kLastGameYear, 0)) << year_end;
        EXPECT_TRUE(std::filesystem::exists(autosave)) << year_end;
    }
}

// Ten game years on the fake clock: the calendar, the interest on a credit
// and the statistics it leaves.
TEST_F(MainLoopTest, TenGameYearsAndTheInterestOnACredit) {
    gs.cash[0] = 300000;
    g_Credit = 1000000;
    for (int slot = 0; slot < kOpponentCount; ++slot)
        gs.opponents[slot] = new COpponent(slot, slot);
    Idle(480 * 16 * 1000);
    EXPECT_EQ(std::tuple(frame->Count(kMsgGameTick), gs.year, gs.month), std::tuple(480, 1970, 0));
    // 120 months of 10,000 interest; the worth of the month just ended is
    // cash less the credit; the opponents keep their capital.
    EXPECT_EQ(gs.cash[0], 300000 - 1200000);
    EXPECT_EQ(g_Statistics.PairLast(kPairInterest, 0), 120000);
    for (int slot = 0; slot < kSeriesSlots - 1; ++slot)
        EXPECT_EQ(g_Statistics.Yearly(StatSeries::AnnualProfit, 0, slot), slot >= 2 ? -120000 : 0);
    EXPECT_EQ(g_Statistics.Monthly(StatSeries::CompanyWorth, 0, kLastSlot), -900000 - 1000000);
    EXPECT_EQ(g_Statistics.Yearly(StatSeries::CompanyWorth, 1, kLastSlot), 1000000);
    // The interest is 1 % of the credit, rounded down; none on a negative one.
    for (const auto& [credit, interest] :
         {std::pair{199, 1}, {99, 0}, {-5000, 0}, {1000000, 10000}}) {
        SCOPED_TRACE(credit);
        ClearStatistics();
        gs.cash[0] = 5000;
        g_Credit = credit;
        ChargeInterest();
        EXPECT_EQ(std::tuple(gs.cash[0], g_Statistics.PairThis(kPairInterest, 0),
                             g_Statistics.Monthly(StatSeries::AnnualProfit, 0)),
                  std::tuple(5000 - interest, interest, -interest));
    }
}

}  // namespace
