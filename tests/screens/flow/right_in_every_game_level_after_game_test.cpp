// A level started after a free game in which the rivals had begun a chain:
// the rivals' plans of the old world must not follow them into the level's.
// Played from the title as a player plays it: the level's game saves, loads
// and saves again to the same bytes, and its autosave at the new year and its
// last game at the end are written.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/level_file.h"
#include "app/level_records.h"
#include "game/opponent.h"
#include "game/opponent_build.h"
#include "game/opponent_chain.h"
#include "screens/flow/level_end_play.h"
#include "state/data_tables.h"
#include "support/player_building.h"
#include "view/world_view.h"

namespace {

struct Player : flowtest::LevelEndPlayer {
    // A free game from the title with the first three rivals, from 1960.
    void StartFreeGameWithRivals() {
        Title();
        ASSERT_NO_FATAL_FAILURE(ChooseAFreeGame("Old World"));
        const plat::Point o = f.Origin();
        for (int32_t portrait : {0, 1, 2}) f.Click(o.x + 430, o.y + 60 + 80 * portrait + 35);
        f.Char(kEnter);
        ASSERT_NE(Popup(PanelPopup::CityGrowth), nullptr);
        f.Char(kEnter);  // no growth
        for (int32_t i = 0; i < 2000 && f.gs().city_growth_running != 0; ++i) Frames(1);
        ASSERT_EQ(std::tuple(f.gs().sim_halted, f.gs().year), std::tuple(0, 1960));
    }
    bool ARivalHasAChain() const {
        for (const COpponent* rival : f.h.gs->opponents) {
            if (rival == nullptr) continue;
            for (const PlanNode& node : rival->plan_list_b) {
                const Chain chain = DecodeChain(node);
                if (chain.factory != 0 || chain.store != 0) return true;
            }
        }
        return false;
    }
    // The game runs, news answered, until a rival has begun a chain and
    // placed a building of it.
    void PlayUntilARivalHasAChain() {
        for (int32_t months = 0; months < 24 && !ARivalHasAChain(); ++months) {
            const int32_t month = f.gs().month;
            for (int32_t i = 0; i < 200 && f.gs().month == month && !ARivalHasAChain(); ++i) {
                Frames(1);
                AnswerNews();
            }
        }
        ASSERT_TRUE(ARivalHasAChain());
    }
    // Every news popup shown, and the year's accounts, closed with OK.
    void AnswerNews() {
        for (PanelPopup news :
             {PanelPopup::ProductNews, PanelPopup::VehicleNews, PanelPopup::BuildingNews,
              PanelPopup::BusinessNews, PanelPopup::OpponentNews, PanelPopup::YearSummary}) {
            const plat::Window* popup = Popup(news);
            if (popup != nullptr && popup->IsWindowVisible()) f.Char(kEnter);
        }
    }
    // End with yes, then every screen up to the title.
    void EndTheGame() {
        ChooseInPanel(kGameHeading, kCmdEnd);
        f.Char(kEnter);
        for (int32_t i = 0; i < 3; ++i) {
            if (f.h.frame->Screen(FrameScreen::GameEnd) != nullptr ||
                f.h.frame->Screen(FrameScreen::HighScores) != nullptr) {
                f.Char(kEnter);
            }
        }
    }
    bool OnTheTitle() const {
        return f.h.frame->Screen(FrameScreen::Start) != nullptr && g_pSpielFeld == nullptr;
    }
    void StartScenarioFromTheTitle() {
        Title();
        Choose(3);
        ChooseAScenario();
    }
    void ChooseAScenario() {
        ASSERT_NE(Popup(PanelPopup::ScenarioSelect), nullptr);
        f.Char(kEnter);
        ASSERT_NE(Popup(PanelPopup::CompanyName), nullptr);
        TypeCompanyName("New World");
    }

    // The saved game passes every check of the loader.
    static bool Loads(const std::string& name) {
        const plat::FileHandle file = plat::OpenFile(SavedGamePath(name), plat::OpenMode::Read);
        if (file == plat::kInvalidFile) return false;
        const bool sound = WalkLevelFile(file, LevelWalkMode::Check, LevelWalkPart::WholeGame);
        plat::CloseFile(file);
        return sound;
    }
    // The opponent's level record as written.
    std::vector<char> Record(const COpponent& opponent) const {
        const std::string path = f.folder + "/record.bin";
        const plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Create);
        opponent.Save(file);
        plat::CloseFile(file);
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Each rival is what a new game's rival of its slot and profile is,
    // resting.
    void ExpectRivalsAsNew() const {
        for (const COpponent* rival : f.h.gs->opponents) {
            ASSERT_NE(rival, nullptr);
            COpponent fresh(rival->player_number - 1, rival->profile_index, COpponent::Detached{});
            fresh.turn_pending = 0;
            EXPECT_TRUE(Record(*rival) == Record(fresh)) << "rival " << rival->player_number;
        }
    }
    // Up to the next new year, news answered.
    void PlayIntoTheNextYear() {
        const int32_t year = f.gs().year;
        for (int32_t i = 0; i < 20000 && g_pGameState->year == year; ++i) {
            Frames(1);
            AnswerNews();
            if (g_pGameState->goal_reached != 0) return;
        }
    }
};

struct LevelStart {
    const char* name;
    // True: the free game is ended first and the level chosen on the title.
    bool from_the_title;
    std::function<void(Player&)> start;
};

TEST(RightInEveryGame, ALevelStartedAfterAGameWithRivalChainsSavesLoadsAndSavesTheSame) {
    const LevelStart starts[] = {
        {"a scenario", true, [](Player& p) { p.StartScenarioFromTheTitle(); }},
        {"a mission", true, [](Player& p) { p.StartFirstMission("New World"); }},
        {"a career level", true, [](Player& p) { p.StartEasyCareer("New World"); }},
        {"the panel's scenario request over the running game", false,
         [](Player& p) {
             plat::SendMessage(g_pHauptDialog, kMsgPanelOpenScenarioSelect);
             p.ChooseAScenario();
         }},
    };
    for (const LevelStart& start : starts) {
        SCOPED_TRACE(start.name);
        Player p;
        ASSERT_NO_FATAL_FAILURE(p.StartFreeGameWithRivals());
        ASSERT_NO_FATAL_FAILURE(p.PlayUntilARivalHasAChain());
        if (start.from_the_title) {
            p.EndTheGame();
            ASSERT_TRUE(p.OnTheTitle());
            p.ExpectRivalsAsNew();
            p.f.gs().season = 3;  // the folder has autumn's pictures only
        }
        std::filesystem::remove(p.SavePath("lastsave.lvl"));
        std::filesystem::remove(p.SavePath("autosave.lvl"));

        ASSERT_NO_FATAL_FAILURE(start.start(p));
        // No rival keeps anything of the old world.
        p.ExpectRivalsAsNew();
        // The player's first building of the new world, where it has room
        // for one; it may take a number the old world's rival chains named.
        fvtest::BuildForThePlayer(kTypeTruckDepot, 60, 60);
        p.AnswerNews();
        ASSERT_NE(g_pHauptDialog, nullptr);
        ASSERT_NO_FATAL_FAILURE(p.SaveInto(0, "First"));
        ASSERT_NO_FATAL_FAILURE(p.LoadSlot(0));
        ASSERT_NO_FATAL_FAILURE(p.SaveInto(1, "Second"));
        const std::vector<char> first = p.Bytes("0.lvl");
        ASSERT_FALSE(first.empty());
        EXPECT_TRUE(first == p.Bytes("1.lvl"));
        EXPECT_TRUE(Player::Loads("0.lvl"));

        p.PlayIntoTheNextYear();
        EXPECT_TRUE(Player::Loads("autosave.lvl"));
        p.EndTheGame();
        EXPECT_TRUE(p.OnTheTitle());
        EXPECT_TRUE(Player::Loads("lastsave.lvl"));
        for (const auto& box : p.f.h.host.MessageBoxes()) ADD_FAILURE() << box.text;
    }
}

}  // namespace
