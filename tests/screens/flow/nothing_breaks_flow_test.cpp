// Whatever way a game ends or starts, nothing of it stays behind and nothing
// is lost: leaving a mission, a scenario or a career level comes back to a
// title with no world view whose choices take clicks; the title's load
// refuses an empty slot; a game saved right after its start loads back the
// same; a description that cannot be written is reported.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "app/level_file.h"
#include "platform/window_system.h"
#include "screens/flow/level_end_play.h"
#include "screens/flow/save_game_screen.h"
#include "screens/flow/tutorial_screen.h"
#include "view/world_view.h"

namespace {

// The level-end tests' player, for plain tests.
struct Player : flowtest::LevelEndPlayer {
    // The world views there are, also those nobody holds any more.
    static int32_t WorldViews() {
        int32_t views = 0;
        for (const auto& [w, serial] : plat::WindowSystem::Get().live) {
            if (dynamic_cast<const SPIEL_FELD*>(w) != nullptr) ++views;
        }
        return views;
    }
    bool OnTheTitle() const {
        return f.h.frame->Screen(FrameScreen::Start) != nullptr && g_pSpielFeld == nullptr &&
               g_pHauptDialog == nullptr && WorldViews() == 0;
    }
    // A free game from the title: set-up, a name, no rivals, and the start
    // year 1960 + 10 x `growth` after its city growth.
    void StartFreeGame(int32_t growth) {
        if (f.h.frame->Screen(FrameScreen::Start) == nullptr) Title();
        ASSERT_NO_FATAL_FAILURE(ChooseAFreeGame("Fresh Start"));
        f.Char(kEnter);
        plat::Window* years = Popup(PanelPopup::CityGrowth);
        ASSERT_NE(years, nullptr);
        // Three columns of three years, 72 x 17 each, from (56, 58) 24 apart.
        ClickIn(*years, 56 + 72 * (growth / 3) + 36, 58 + 24 * (growth % 3) + 8);
        f.Char(kEnter);
        for (int32_t i = 0; i < 20000 && f.gs().city_growth_running != 0; ++i) Frames(1);
        ASSERT_EQ(std::tuple(f.gs().sim_halted, f.gs().city_growth_running, f.gs().year),
                  std::tuple(0, 0, 1960 + 10 * growth));
    }
    void StartScenario() {
        if (f.h.frame->Screen(FrameScreen::Start) == nullptr) Title();
        Choose(3);
        ASSERT_NE(Popup(PanelPopup::ScenarioSelect), nullptr);
        f.Char(kEnter);
        ASSERT_NE(Popup(PanelPopup::CompanyName), nullptr);
        TypeCompanyName("Open Country");
    }
    // The game heading's End, confirmed.
    void EndTheGame() {
        ChooseInPanel(kGameHeading, kCmdEnd);
        f.Char(kEnter);
    }
    // Saved into slot 0, loaded and saved into slot 1: the same bytes.
    void ExpectSaveLoadSaveTheSame() {
        fvtest::EvaluateCitiesForSave();
        SaveInto(0, "First");
        LoadSlot(0);
        SaveInto(1, "Second");
        const std::vector<char> first = Bytes("0.lvl");
        const std::vector<char> second = Bytes("1.lvl");
        ASSERT_GT(first.size(), 786432u);
        ASSERT_EQ(first.size(), second.size());
        size_t differing = 0;
        size_t first_at = 0;
        for (size_t i = first.size(); i-- > 0;) {
            if (first[i] != second[i]) ++differing, first_at = i;
        }
        EXPECT_EQ(differing, 0u) << "first at byte " << first_at;
    }
};

enum class Level { Mission, Scenario, Career };

void StartLevel(Player& p, Level level) {
    switch (level) {
        case Level::Mission:
            return p.StartFirstMission("Short Haul");
        case Level::Scenario:
            return p.StartScenario();
        case Level::Career:
            return p.StartEasyCareer("Goal Seekers");
    }
}

// Left through the leave confirmation and the score sheet: the title comes
// back with no world view or panel behind it, the tutorial and the career
// take clicks, and a new game has exactly one world view.
TEST(NothingBreaks, LeavingALevelThroughTheScoreSheetLeavesNoWorldView) {
    for (const Level level : {Level::Mission, Level::Scenario, Level::Career}) {
        SCOPED_TRACE(static_cast<int>(level));
        Player p;
        ASSERT_NO_FATAL_FAILURE(StartLevel(p, level));
        p.Frames(20);
        plat::SendMessage(g_pHauptDialog, kMsgPanelOpenLeave);
        ASSERT_NE(p.Popup(PanelPopup::Leave), nullptr);
        p.f.Char(Player::kEnter);  // yes
        ASSERT_NE(p.f.h.frame->Screen(FrameScreen::GameEnd), nullptr);
        p.f.Char(Player::kEnter);  // the sheet's OK, then the high scores'
        if (p.f.h.frame->Screen(FrameScreen::HighScores) != nullptr) p.f.Char(Player::kEnter);
        EXPECT_TRUE(p.OnTheTitle());
        p.f.gs().season = 3;  // a level's season stays; the folder has autumn's pictures only

        p.Choose(8);
        auto* tutorial = p.f.Screen<FS_TUTORIAL>(FrameScreen::Tutorial);
        ASSERT_NE(tutorial, nullptr);
        const int32_t page = tutorial->current_page;
        p.f.Click(512, 384);
        EXPECT_NE(tutorial->current_page, page);
        p.f.Char(27);
        EXPECT_TRUE(p.OnTheTitle());

        ASSERT_NO_FATAL_FAILURE(p.StartEasyCareer("Second Try"));  // its clicks
        EXPECT_EQ(std::tuple(p.f.gs().game_mode, p.WorldViews()),
                  std::tuple(int32_t{kModeCareer}, 1));
        p.EndTheGame();
        EXPECT_TRUE(p.OnTheTitle());

        ASSERT_NO_FATAL_FAILURE(p.StartFreeGame(0));
        EXPECT_EQ(p.WorldViews(), 1);
    }
}

// An empty slot cannot be loaded from the title: the load screen keeps it
// from being chosen, and an answer that names one (its files gone since the
// list was made) loads nothing and asks nothing; the player is back on the
// title, never in a game on an empty world.
TEST(NothingBreaks, TheTitlesLoadRefusesAnEmptySlot) {
    Player p;
    for (const bool files_gone : {false, true}) {
        SCOPED_TRACE(files_gone);
        std::filesystem::create_directories(p.f.folder + "/save");
        std::ofstream(p.f.folder + "/save/4.dir") << "Soon gone";
        std::ofstream(p.f.folder + "/save/4.lvl") << "level";
        p.Title();
        p.Choose(1);
        plat::Window* load = p.Popup(PanelPopup::LoadGame);
        ASSERT_NE(load, nullptr);
        EXPECT_EQ(p.f.gs().sim_halted, 1);
        p.ClickRow(*load, 2);
        p.f.Char(Player::kEnter);
        EXPECT_EQ(p.Popup(PanelPopup::LoadGame), load);  // refused, still asking
        p.ClickRow(*load, 4);
        if (files_gone) {
            std::filesystem::remove(p.f.folder + "/save/4.lvl");
            p.f.Char(Player::kEnter);
        } else {
            p.ClickIn(*load, 212 + 50, 311 + 20);  // cancel
        }
        EXPECT_TRUE(p.OnTheTitle());
        EXPECT_TRUE(p.f.h.host.MessageBoxes().empty());
    }
}

// Saved before the first month of a new free game that starts in a later
// decade, loaded and saved again: the same bytes (the sites' capacities were
// those of 1960 until the first month set them). Also when a mission or a
// career level was played before.
TEST(NothingBreaks, ASaveRightAfterANewGameLoadsBackTheSame) {
    for (const int32_t before : {-1, 0, 2}) {
        SCOPED_TRACE(before);
        Player p;
        if (before >= 0) {
            ASSERT_NO_FATAL_FAILURE(StartLevel(p, static_cast<Level>(before)));
            p.Frames(20);
            p.EndTheGame();
            ASSERT_TRUE(p.OnTheTitle());
            p.f.gs().season = 3;
        }
        ASSERT_NO_FATAL_FAILURE(p.StartFreeGame(3));
        p.Frames(10);
        p.ExpectSaveLoadSaveTheSame();
    }
}

// The level is written but its description cannot be: the player sees the
// write-error box for the description, as for the level.
TEST(NothingBreaks, ADescriptionThatCannotBeWrittenShowsTheWriteErrorBox) {
    Player p;
    ASSERT_NO_FATAL_FAILURE(p.StartFreeGame(0));
    std::filesystem::create_directories(p.f.folder + "/save/3.dir");  // no file can stand there
    p.SaveInto(3, "Lost words");
    EXPECT_FALSE(p.Bytes("3.lvl").empty());
    const auto& boxes = p.f.h.host.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, WriteErrorText(std::string(p.f.gs().DataPath(kPathSave)) + "\\3.dir"));
}

}  // namespace
