// A level started after a free game in which the rivals had begun a chain:
// the rivals' plans of the old world must not follow them into the level's,
// and the level starts as it starts from the title with no game before.
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
#include "screens/panel/dialog_layout.h"
#include "state/data_tables.h"
#include "support/player_building.h"
#include "view/world_view.h"

namespace {

struct Player : flowtest::LevelEndPlayer {
    // The level file moved to January of `year`, in this test's folder.
    void DateLevel(const std::string& level, int32_t year) {
        const int32_t season = f.gs().season;  // the folder has this season's pictures only
        ASSERT_TRUE(f.h.frame->StartWorldView(kModeGame));
        const std::string path = f.folder + "/" + level;
        ASSERT_EQ(LoadSavedGame(path), LevelLoadResult::Loaded);
        f.gs().year = year;
        f.gs().month = 0;
        ASSERT_TRUE(SaveGameFile(path));
        f.h.frame->SendMessage(kMsgEndRunningGame);
        f.gs().season = season;
        std::filesystem::remove(std::filesystem::path(path).replace_extension(".career"));
    }
    // A free game from the title in the player's `colour` with the rivals
    // of `portraits`, from 1960.
    void StartFreeGameWithRivals(const std::vector<int32_t>& portraits, int32_t colour) {
        Title();
        Choose(2);
        ASSERT_NE(f.h.frame->Screen(FrameScreen::NewGame), nullptr);
        f.Char(kEnter);
        const plat::Window* name = Popup(PanelPopup::CompanyName);
        ASSERT_NE(name, nullptr);
        const plat::Point box = dialog_layout::kColourBoxes[colour];
        ClickIn(*name, box.x + 8, box.y + 8);
        TypeCompanyName("Old World");
        ASSERT_NE(f.h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
        const plat::Point o = f.Origin();
        for (int32_t portrait : portraits) f.Click(o.x + 430, o.y + 60 + 80 * portrait + 35);
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
    bool RivalsHavePlans() const {
        for (const COpponent* rival : f.h.gs->opponents) {
            if (!rival->plan_list_a.empty() || !rival->plan_list_b.empty() ||
                !rival->step_list_c.empty() || !rival->pair_list.empty()) {
                return true;
            }
        }
        return false;
    }
    bool RivalsTakeTurns() const {
        for (const COpponent* rival : f.h.gs->opponents) {
            if (rival->turn_pending != 0) return true;
        }
        return false;
    }
    // What a level start gives the rivals and the player beside the map.
    struct StartState {
        std::vector<std::vector<char>> rival_records;
        std::vector<std::string> rival_names;
        std::vector<std::pair<int32_t, int32_t>> take_over_terms;
        int32_t board_votes = 0;
        int32_t colour = 0;
    };
    StartState State() const {
        StartState state;
        state.board_votes = f.h.gs->board_votes;
        state.colour = f.h.gs->player_colors[0];
        for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
            const COpponent& rival = *f.h.gs->opponents[slot];
            state.rival_records.push_back(Record(rival));
            state.rival_names.emplace_back(f.h.gs->company_names[slot + 1]);
            state.take_over_terms.emplace_back(rival.takeover_year, rival.takeover_percent);
        }
        return state;
    }
    void ExpectStartAs(const StartState& fresh) const {
        const StartState now = State();
        EXPECT_TRUE(now.rival_records == fresh.rival_records);
        EXPECT_EQ(now.rival_names, fresh.rival_names);
        EXPECT_EQ(now.take_over_terms, fresh.take_over_terms);
        EXPECT_EQ(std::tuple(now.board_votes, now.colour),
                  std::tuple(fresh.board_votes, fresh.colour));
    }
    // A good that comes on the market in the game's year is on sale.
    bool OwnYearGoodsOnSale() const {
        for (const GoodsRecord& good : f.h.gs->goods) {
            if (good.intro_year == f.h.gs->year && good.available != 0) return true;
        }
        return false;
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
    // The free game before: its rivals' portraits and the player's colour.
    std::vector<int32_t> portraits;
    int32_t colour;
    // The level file, dated to January 1962; whether the goods of 1962 are
    // on sale at its start (a whole game's reading offers them from March).
    const char* level;
    bool own_year_goods_on_sale;
    std::function<void(Player&)> start;
    // The same level from the title, with no game before.
    std::function<void(Player&)> fresh_start;
};

void StartScenario(Player& p) {
    p.StartScenarioFromTheTitle();
}
void StartMission(Player& p) {
    p.StartFirstMission("New World");
}
void StartCareer(Player& p) {
    p.StartEasyCareer("New World");
}

TEST(RightInEveryGame, ALevelStartedAfterAGameWithRivalChainsSavesLoadsAndSavesTheSame) {
    const std::vector<int32_t> others = {4, 3, 1};
    const char* const scenario = "scenario/s0_0.lvl";
    const char* const mission = "mission/m0_0.lvl";
    const LevelStart starts[] = {
        {"a scenario", true, others, 2, scenario, false, StartScenario, StartScenario},
        {"a mission", true, others, 2, mission, false, StartMission, StartMission},
        // A career level keeps the rivals and the colour of the game before.
        {"a career level", true, {0, 1, 2}, 0, "karriere/k0_0.lvl", true, StartCareer, StartCareer},
        {"the panel's scenario request over the running game", false, others, 2, scenario, false,
         [](Player& p) {
             p.f.gs().board_votes = 30;  // won in the game before
             plat::SendMessage(g_pHauptDialog, kMsgPanelOpenScenarioSelect);
             p.ChooseAScenario();
         },
         StartScenario},
        {"the panel's mission request over the running game", false, others, 2, mission, false,
         [](Player& p) {
             p.f.gs().board_votes = 30;
             plat::SendMessage(g_pHauptDialog, kMsgPanelOpenMissionSelect);
             p.f.Char(Player::kEnter);
             p.TypeCompanyName("New World");
             p.CloseBriefing(PanelPopup::MissionText);
         },
         StartMission},
    };
    for (const LevelStart& start : starts) {
        SCOPED_TRACE(start.name);
        Player::StartState fresh;
        {
            Player first;
            ASSERT_NO_FATAL_FAILURE(first.DateLevel(start.level, 1962));
            ASSERT_NO_FATAL_FAILURE(start.fresh_start(first));
            fresh = first.State();
        }
        Player p;
        ASSERT_NO_FATAL_FAILURE(p.DateLevel(start.level, 1962));
        ASSERT_NO_FATAL_FAILURE(p.StartFreeGameWithRivals(start.portraits, start.colour));
        ASSERT_NO_FATAL_FAILURE(p.PlayUntilARivalHasAChain());
        if (start.from_the_title) {
            p.EndTheGame();
            ASSERT_TRUE(p.OnTheTitle());
            EXPECT_FALSE(p.RivalsHavePlans());
            p.f.gs().season = 3;  // the folder has autumn's pictures only
        }
        std::filesystem::remove(p.SavePath("lastsave.lvl"));
        std::filesystem::remove(p.SavePath("autosave.lvl"));

        ASSERT_NO_FATAL_FAILURE(start.start(p));
        // The level starts as from the title: nothing of the old world stays
        // with the rivals or the player, and the rivals rest.
        p.ExpectStartAs(fresh);
        EXPECT_FALSE(p.RivalsTakeTurns());
        EXPECT_EQ(p.OwnYearGoodsOnSale(), start.own_year_goods_on_sale);
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
