// The screens from the title into a game: the new-game set-up, the career,
// the opponent selection, the city growth and the tutorial, driven by clicks
// and keys on the headless back end.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "game/opponent.h"
#include "panel/control_panel.h"
#include "platform/compositor.h"
#include "screens/flow/career_screen.h"
#include "screens/flow/city_growth_screen.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/new_game_screen.h"
#include "screens/flow/opponent_select_screen.h"
#include "screens/flow/tutorial_screen.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "support/frame_host.h"

namespace {

using flowtest::FlowHost;
using Kind = plat::MessageTrace::Kind;

constexpr uint8_t kEnter = 13;

class SetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_LogoShown[0] = g_LogoShown[1] = 1;
        // No world: OK only writes the choices and the capital.
        GetFrameHooks().create_world_view = nullptr;
        f.h.frame->SendMessage(kMsgOpenNewGameSetup);
        f.h.Run();
    }
    FS_SPIELSTART* Screen() { return f.Screen<FS_SPIELSTART>(FrameScreen::NewGame); }
    // The option of a column (0..4) and row (0..4, upper or lower block).
    void Option(int32_t column, int32_t row, bool lower) {
        static constexpr int32_t kColumns[5] = {16, 144, 272, 400, 528};
        static constexpr int32_t kUpper[5] = {84, 108, 132, 156, 180};
        static constexpr int32_t kLower[5] = {264, 288, 312, 336, 360};
        const plat::Point o = f.Origin();
        f.Click(o.x + kColumns[column] + 60, o.y + (lower ? kLower : kUpper)[row] + 8);
    }
    FlowHost f;
};

TEST_F(SetupTest, OkAtOnceGivesTheInitialChoices) {
    CGameState& gs = f.gs();
    gs.season = 1;
    gs.ng_land = gs.ng_mountains = gs.ng_forests = gs.ng_site_distance = gs.ng_towns = 0;
    gs.names_list_number = 4;
    gs.cash[0] = 1;
    ASSERT_NE(Screen(), nullptr);
    fvtest::MaybeSaveScreen("flow_setup");
    const uint64_t hash = fvtest::ScreenHash(1024, 768);
    EXPECT_EQ(hash, 0x37a3ec83e6de7fdeull) << std::hex << hash;
    f.Char(kEnter);
    EXPECT_EQ(Screen(), nullptr);
    EXPECT_EQ(std::tuple(gs.season, gs.ng_land, gs.ng_mountains, gs.ng_forests, gs.ng_site_distance,
                         gs.ng_towns),
              std::tuple(3, 2, 2, 2, 2, 2));
    EXPECT_EQ(std::tuple(gs.cash[0], gs.names_list_number, static_cast<uint8_t>(gs.active_event)),
              std::tuple(int64_t{300000}, 0, uint8_t{254}));
    // Back at the title, as no world view could start.
    EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
}

TEST_F(SetupTest, PresetsSetTheLevelsSeasonAndNamesKeepThem) {
    struct Case {
        int32_t preset, level, events_off;
    };
    FS_SPIELSTART* s = Screen();
    ASSERT_NE(s, nullptr);
    // The last rows of the woods, industries, cities and preset strips (a
    // 640-pixel stride) are restored by a preset's repaint.
    const int32_t ends[] = {205 * 640 + 400, 205 * 640 + 528, 385 * 640 + 16, 375 * 640 + 528};
    for (int32_t at : ends) s->background.pixels[at] ^= 0xff;
    for (const Case& c : {Case{0, 4, 1}, Case{1, 2, 0}, Case{2, 0, 0}}) {
        Option(4, c.preset, true);
        for (int32_t at : ends) EXPECT_EQ(s->background.pixels[at], s->clean_background.pixels[at]);
        for (int32_t g = FS_SPIELSTART::kLandscapeB; g <= FS_SPIELSTART::kCapital; ++g) {
            EXPECT_EQ(s->choices[g], c.level) << c.preset << " " << g;
        }
        EXPECT_EQ(std::tuple(s->choices[FS_SPIELSTART::kPreset], s->events_off),
                  std::tuple(c.preset, c.events_off));
    }
    Option(0, 2, false);  // season: spring
    Option(3, 3, true);   // name list 4
    EXPECT_EQ(s->choices[FS_SPIELSTART::kPreset], 2);
    Option(3, 1, false);  // woods
    Option(1, 4, true);   // capital 500,000
    EXPECT_EQ(s->choices[FS_SPIELSTART::kPreset], FS_SPIELSTART::kCustomPreset);
    f.Char(kEnter);
    CGameState& gs = f.gs();
    EXPECT_EQ(std::tuple(gs.season, gs.names_list_number, gs.ng_forests, gs.ng_mountains,
                         gs.cash[0], gs.active_event),
              std::tuple(1, 3, 1, 4, int64_t{500000}, int8_t{-1}));
}

TEST_F(SetupTest, BackReturnsToTheTitle) {
    const plat::Point o = f.Origin();
    f.Click(o.x + 332 + 50, o.y + 422 + 20);
    EXPECT_EQ(Screen(), nullptr);
    EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
}

TEST(CareerScreen, DifficultiesAndPlacement) {
    struct Case {
        int32_t y, difficulty;
    };
    for (const Case& c : {Case{91, 100}, Case{141, 70}, Case{191, 50}}) {
        FlowHost f;
        g_LogoShown[0] = g_LogoShown[1] = 1;
        GetFrameHooks().create_world_view = nullptr;
        f.gs().career_difficulty = 1;
        f.h.frame->SendMessage(kMsgOpenCareer);
        auto* career = f.Screen<FS_KARRIERE>(FrameScreen::Career);
        ASSERT_NE(career, nullptr);
        EXPECT_EQ(std::tuple(career->origin_x, career->origin_y), std::tuple(192, 144));
        EXPECT_NE(plat::ScreenPixel(5, 5), 0);  // the tile around the page
        if (c.y == 91) fvtest::MaybeSaveScreen("flow_career");
        const auto palette = flowtest::WatchWorldPalette(f.gs(), kMsgStartCareerGame);
        f.Click(192 + 128 + 50, 144 + c.y + 20);
        EXPECT_EQ(*palette, std::vector<bool>{true});
        EXPECT_EQ(f.gs().career_difficulty, c.difficulty);
        EXPECT_EQ(f.h.frame->Screen(FrameScreen::Career), nullptr);
    }
    FlowHost small({640, 480});
    g_LogoShown[0] = g_LogoShown[1] = 1;
    small.h.frame->SendMessage(kMsgOpenCareer);
    auto* career = small.Screen<FS_KARRIERE>(FrameScreen::Career);
    ASSERT_NE(career, nullptr);
    EXPECT_EQ(std::tuple(career->origin_x, career->origin_y), std::tuple(0, 0));
    const auto palette = flowtest::WatchWorldPalette(small.gs(), kMsgStartCareerGame);
    small.Click(128 + 50, 311 + 20);  // back
    EXPECT_EQ(*palette, std::vector<bool>{true});
    EXPECT_NE(small.h.frame->Screen(FrameScreen::Start), nullptr);
}

TEST(OpponentSelection, PicksFillSlotsLowestFirstAndOkMakesThePickedRivals) {
    FlowHost f;
    f.h.frame->SendMessage(kMsgOpenOpponentSelect);
    auto* s = f.Screen<FS_SELECT_GEGNER>(FrameScreen::OpponentSelect);
    ASSERT_NE(s, nullptr);
    const plat::Point o = f.Origin();
    auto portrait = [&](int32_t i) { f.Click(o.x + 430, o.y + 60 + 80 * i + 35); };
    auto frame_pixel = [&](int32_t i) { return s->GetSurface().Row(o.y + 61 + 80 * i)[o.x + 401]; };
    portrait(3);
    portrait(1);
    portrait(4);
    const uint8_t slot1_colour = frame_pixel(1);
    portrait(1);
    EXPECT_NE(frame_pixel(1), slot1_colour);  // the plain picture covers the frame
    portrait(0);
    EXPECT_EQ(s->selections[1].portrait, 1);  // the freed record
    EXPECT_EQ(std::tuple(s->selections[1].slot, frame_pixel(0)), std::tuple(1, slot1_colour));
    EXPECT_NE(frame_pixel(3), frame_pixel(4));
    portrait(2);  // a fourth pick
    EXPECT_EQ(std::tuple(s->pick_count, s->picked[2]), std::tuple(3, 0));
    // A repaint keeps the frames.
    s->Invalidate();
    s->UpdateWindow();
    EXPECT_EQ(frame_pixel(0), slot1_colour);
    fvtest::MaybeSaveScreen("flow_opponents");
    g_TakeOverCount[1] = 2;
    const auto palette = flowtest::WatchWorldPalette(f.gs(), kMsgOpponentSelectDone);
    f.Char(kEnter);
    EXPECT_EQ(*palette, std::vector<bool>{true});
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
    const CGameState& gs = f.gs();
    std::vector<std::tuple<int32_t, int32_t>> made;
    for (const COpponent* op : gs.opponents) made.emplace_back(op->profile_index, op->turn_pending);
    EXPECT_EQ(made, (std::vector<std::tuple<int32_t, int32_t>>{{3, 1000}, {0, 1000}, {4, 1000}}));
    EXPECT_EQ(g_TakeOverCount[1], 0);
    EXPECT_EQ(gs.sim_halted, 1);
}

// The growth screen that counts its passes.
class CountingGrowth : public CityGrowthScreen {
  public:
    void DrawProgress() override {
        ++draws;
        CityGrowthScreen::DrawProgress();
    }
    int32_t draws = 0;
};

class CityGrowthTest : public ::testing::Test {
  protected:
    CityGrowthTest() {
        panel_ = new HAUPTDIALOG;
        panel_->Create(f.h.frame, {0, 0, 162, 768}, WS_POPUP | WS_VISIBLE);
        SetControlPanel(panel_);
    }
    CountingGrowth* Open(int32_t total) {
        auto* screen = new CountingGrowth;
        EXPECT_TRUE(screen->Open(panel_, {162, 0, 1024, 768}, total));
        panel_->city_growth_screen = screen;
        return screen;
    }
    // Text pixels of the window image.
    std::vector<uint8_t> TextArea(const CityGrowthScreen& s) {
        std::vector<uint8_t> row;
        for (int32_t x = 56; x < 250; ++x) {
            row.push_back(s.window_image.pixels[60 * s.window_image.Stride() + x]);
        }
        return row;
    }
    FlowHost f;
    HAUPTDIALOG* panel_;
};

TEST_F(CityGrowthTest, OneTickRunsShowsAFullBarAndClosesInThatPass) {
    CountingGrowth* s = Open(1);
    s->step_count = 1;
    s->draws = 0;
    s->DrawProgress();
    const WinGBitmap& image = s->window_image;
    EXPECT_EQ(s->finished, 1);
    EXPECT_EQ(image.pixels[80 * image.Stride() + 52 + 199], 195);
    EXPECT_NE(image.pixels[80 * image.Stride() + 52 + 200], 195);
    s->step_count = 0;
    s->finished = 0;
    f.gs().sim_halted = 1;
    f.h.Turn();
    EXPECT_EQ(panel_->city_growth_screen, nullptr);
    EXPECT_EQ(std::tuple(f.gs().sim_halted, f.gs().city_growth_running), std::tuple(0, 0));
}

TEST_F(CityGrowthTest, TheLastTickStillShowsTheGrowthInProgress) {
    CountingGrowth* s = Open(2);
    s->step_count = 1;
    s->DrawProgress();
    const std::vector<uint8_t> running = TextArea(*s);
    s->step_count = 2;
    s->DrawProgress();
    EXPECT_EQ(s->finished, 1);
    EXPECT_EQ(TextArea(*s), running);
    panel_->city_growth_screen = nullptr;
    delete s;
}

TEST_F(CityGrowthTest, StopShowsItsTextAndRunsExactlyOneMoreTick) {
    CountingGrowth* s = Open(480);
    f.h.Turn();
    f.h.Turn();
    EXPECT_EQ(std::tuple(s->step_count, s->draws, s->finished), std::tuple(2, 2, 0));
    const std::vector<uint8_t> running = TextArea(*s);
    fvtest::MaybeSaveScreen("flow_growth");
    // The stop button lies below row 200 of the 320 x 230 picture.
    const plat::Rect r = s->GetWindowRect();
    f.Click(r.left + 1 + 102 + 50, r.top + 1 + 178 + 20);
    EXPECT_EQ(std::tuple(s->finished, s->step_count), std::tuple(1, 480));
    EXPECT_NE(TextArea(*s), running);
    s->draws = 0;
    ASSERT_TRUE(f.h.Turn());
    EXPECT_EQ(panel_->city_growth_screen, nullptr);
}

// The viewer that notes every picture it loads.
class RecordingTutorial : public FS_TUTORIAL {
  public:
    std::vector<int32_t> loads;

  protected:
    bool LoadPicture(int32_t page) override {
        loads.push_back(page);
        return FS_TUTORIAL::LoadPicture(page);
    }
};

class TutorialTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_LogoShown[0] = g_LogoShown[1] = 1;
        f.h.frame->DropKeys();  // as the frame does for its screens
        tutorial_ = new RecordingTutorial;
        ASSERT_TRUE(tutorial_->Open(f.h.frame));
    }
    void TearDown() override { delete tutorial_; }
    void NextUntil(int32_t page) {
        while (tutorial_->current_page < page) tutorial_->Next();
        tutorial_->loads.clear();
    }
    FlowHost f;
    RecordingTutorial* tutorial_ = nullptr;
};

TEST_F(TutorialTest, MovesOnThroughLayersAndStepsBackToTheBackPage) {
    EXPECT_EQ(tutorial_->current_page, 1);
    fvtest::MaybeSaveScreen("flow_tutorial_page1");
    tutorial_->loads.clear();
    f.Key(VK_LEFT);  // back needs page 2 or more
    EXPECT_EQ(std::tuple(tutorial_->current_page, tutorial_->loads.size()), std::tuple(1, 0u));
    NextUntil(16);
    f.Char('n');
    EXPECT_EQ(tutorial_->loads, (std::vector<int32_t>{17, 18}));
    EXPECT_EQ(tutorial_->current_page, 18);
    NextUntil(24);
    f.Key(VK_LEFT);
    EXPECT_EQ(tutorial_->loads, (std::vector<int32_t>{17, 19, 21, 23, 22}));
    EXPECT_EQ(tutorial_->current_page, 22);
    tutorial_->loads.clear();
    f.Click(500, 400);
    EXPECT_EQ(tutorial_->loads, (std::vector<int32_t>{23, 24}));
}

TEST_F(TutorialTest, TheLastPageEndsOnAnyKey) {
    NextUntil(72);
    EXPECT_EQ(tutorial_->current_page, 72);
    f.Char('a');
    EXPECT_EQ(f.h.host.Recorder().Count(Kind::Sent, f.h.frame, kMsgTutorialDone), 1u);
    EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
}

TEST(Tutorial, EscapeEndsItAndTheSmallScreenHasNoTiles) {
    FlowHost f({640, 480});
    g_LogoShown[0] = g_LogoShown[1] = 1;
    f.h.frame->SendMessage(kMsgOpenTutorial);
    auto* t = f.Screen<FS_TUTORIAL>(FrameScreen::Tutorial);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(std::tuple(t->origin_x, t->origin_y), std::tuple(0, 0));
    EXPECT_EQ(std::tuple(plat::ScreenPixel(639, 479), plat::ScreenPixel(639, 0)), std::tuple(0, 0));
    f.Char(27);
    for (const auto& box : f.h.host.MessageBoxes()) ADD_FAILURE() << box.text;
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::Tutorial), nullptr);
    EXPECT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
}

// What the frame does around opening the three screens of the title's
// choices: the tutorial takes none of its usual steps, the career keeps the
// sound playing, and the set-up pauses the game and clears the start marks.
TEST(FlowOpening, TutorialCareerAndSetUpTakeTheirOwnSteps) {
    struct Case {
        uint32_t message;
        FrameScreen slot;
        int32_t screen_open;
        bool keys_dropped;
        int silenced;  // StopEffects and PauseMusic calls
    };
    for (const Case& c : {Case{kMsgOpenTutorial, FrameScreen::Tutorial, 0, false, 0},
                          Case{kMsgOpenCareer, FrameScreen::Career, 1, true, 0},
                          Case{kMsgOpenNewGameSetup, FrameScreen::NewGame, 1, true, 2}}) {
        FlowHost f;
        g_LogoShown[0] = g_LogoShown[1] = 1;
        CGameState& gs = f.gs();
        f.h.frame->LoadKeys();
        gs.screen_open = 0;
        gs.paused = 0;
        gs.start_marker = 1;
        gs.start_screen_marker = 1;
        f.h.sound->calls.clear();
        f.h.frame->SendMessage(c.message);
        ASSERT_NE(f.h.frame->Screen(c.slot), nullptr) << c.message;
        EXPECT_EQ(std::tuple(gs.screen_open, f.h.frame->accelerators == nullptr,
                             f.h.sound->Count("StopEffects") + f.h.sound->Count("PauseMusic")),
                  std::tuple(c.screen_open, c.keys_dropped, c.silenced))
            << c.message;
        if (c.slot == FrameScreen::NewGame) {
            EXPECT_EQ(std::tuple(gs.paused, gs.start_marker, gs.start_screen_marker),
                      std::tuple(1, 0, 0));
        }
    }
}

}  // namespace
