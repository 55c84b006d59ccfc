// The panel's popups: one instance, news queued, and the results that grow
// cities, end a career or meet a bad file.

#include <gtest/gtest.h>

#include <algorithm>

#include "game/opponent.h"
#include "panel/control_panel.h"
#include "platform/headless/headless_backend.h"
#include "state/game_files.h"
#include "state/messages.h"
#include "support/game_scope.h"

namespace {

int g_live_screens = 0;
int32_t g_growth_steps = -1;

struct TestScreen : plat::Window, FS_CITY_GROWTH {  // any popup, or the growth screen
    TestScreen() { ++g_live_screens; }
    ~TestScreen() override { --g_live_screens; }
    void DrawProgress() override {}
    bool Open(HAUPTDIALOG& p, const PopupRequest& r) {
        return Create(&p, r.rect, WS_POPUP | WS_VISIBLE);
    }
};
FS_CITY_GROWTH* MakeGrowth(HAUPTDIALOG&, int32_t steps) {
    g_growth_steps = steps;
    return new TestScreen;
}

struct Files : GameFiles {
    LevelLoadResult answer = LevelLoadResult::Loaded;
    std::string loaded;  // the file names, each followed by a space
    LevelLoadResult LoadLevel(const std::string& path) override {
        loaded += path.substr(path.rfind('\\') + 1) + " ";
        return answer;
    }
};

class PanelPopups : public ::testing::Test {
  protected:
    PanelPopups() {
        InstallGameFiles(&files_);
        scope_.Set(g_pSpielFeld, &view_);
        scope_.Set(CityGrowthScreenMaker(), &MakeGrowth);
        scope_.UseOpponents();
        // The view stands in for the main frame too: the top of the panel's owners.
        view_.Create(nullptr, {162, 0, 1024, 768}, WS_POPUP | WS_VISIBLE);
        panel_->Create(&view_, {0, 0, 162, 768}, WS_POPUP | WS_VISIBLE);
        for (int32_t i = 0; i < kPanelPopupCount; ++i) {
            panel_->SetPopupFactory(static_cast<PanelPopup>(i), OpenPopupScreen<TestScreen>);
        }
    }
    ~PanelPopups() override { delete panel_; }

    CGameState& gs() { return scope_.state(); }
    void Send(uint32_t message, plat::LParam l = 0, plat::WParam w = 0) {
        plat::SendMessage(panel_, message, w, l);
    }
    bool Shown(PanelPopup slot) { return panel_->Popup(slot)->IsWindowVisible(); }
    int Got(uint32_t message) { return view_.Count(message); }
    void Forget() { view_.sent.clear(), files_.loaded.clear(), g_growth_steps = -1; }

    fvtest::GameScope scope_;
    plat::HeadlessBackend host_;
    Files files_;
    fvtest::RecordingView view_;
    HAUPTDIALOG* panel_ = new HAUPTDIALOG;
};

TEST_F(PanelPopups, NewsOfOneKindIsReplacedAndASecondModalOpenChangesNothing) {
    Send(kMsgProductNews, 0, 5);
    Send(kMsgProductNews, 0, 7);
    EXPECT_EQ(g_live_screens, 1);
    EXPECT_EQ(gs().news_ids[0], 7);
    Send(kMsgPanelOpenLeave);
    plat::Window* first = panel_->Popup(PanelPopup::Leave);
    EXPECT_EQ(gs().sim_halted, 1);
    gs().sim_halted = gs().screen_open = 0;
    Send(kMsgPanelOpenLeave);
    EXPECT_EQ(panel_->Popup(PanelPopup::Leave), first);
    // No halt, no screen mark, and keys dropped only by the three first opens.
    EXPECT_EQ(gs().sim_halted + gs().screen_open + Got(kMsgDisableKeys), 3);
}

TEST_F(PanelPopups, ClosingNewsShowsTheOldestWaitingOneAndGivesKeysBackAfterTheLast) {
    for (uint32_t open : {kMsgVehicleNews, kMsgBuildingNews, kMsgProductNews}) Send(open);
    EXPECT_FALSE(Shown(PanelPopup::BuildingNews) || Shown(PanelPopup::ProductNews));
    Send(kMsgVehicleNewsDone);
    EXPECT_TRUE(Shown(PanelPopup::BuildingNews) && !Shown(PanelPopup::ProductNews));
    Send(kMsgBuildingNewsDone);
    EXPECT_TRUE(Shown(PanelPopup::ProductNews));
    EXPECT_EQ(gs().screen_open + Got(kMsgEnableKeys), 1);
    Send(kMsgProductNewsDone);
    EXPECT_EQ(gs().screen_open + Got(kMsgEnableKeys), 1);
}

TEST_F(PanelPopups, CityGrowthChoiceSetsTheStartYear) {
    for (const int32_t k : {0, 3}) {
        Forget();
        gs().sim_halted = 1;
        Send(kMsgPanelOpenCityGrowth);
        panel_->popup_result.choice = k;
        Send(kMsgPanelCityGrowthDone);
        EXPECT_EQ(std::tuple(gs().year, g_growth_steps, Got(kMsgEnableKeys), gs().sim_halted),
                  k == 0 ? std::tuple(1960, -1, 1, 0) : std::tuple(1990, 1440, 0, 1));
        for (const COpponent* o : gs().opponents) {
            EXPECT_LE(static_cast<uint32_t>(o->takeover_year - gs().year - 10), 10u);  // +10..20
        }
        delete std::exchange(panel_->city_growth_screen, nullptr);
    }
}

TEST_F(PanelPopups, TheLastCareerLevelEndsTheGameInsteadOfLoadingAnother) {
    for (const int32_t votes : {75, 74}) {
        Forget();
        gs().career_level = (2 << 8) | 9;
        gs().board_votes = votes;
        Send(kMsgPanelOpenNextLevel);
        Send(kMsgPanelNextLevelDone);
        const auto end =
            std::find_if(view_.sent.begin(), view_.sent.end(),
                         [](const fvtest::Sent& s) { return s.message == kMsgGameEnd; });
        ASSERT_NE(end, view_.sent.end());
        EXPECT_EQ(end->lParam, votes == 75 ? kEndPictureWon : kEndPictureLost);
        EXPECT_EQ(files_.loaded, "");  // no level 10
    }
}

TEST_F(PanelPopups, ARefusedLevelFileLeavesTheGameRunningAndOneFailedMidwayEndsIt) {
    for (LevelLoadResult answer :
         {LevelLoadResult::Rejected, LevelLoadResult::Cancelled, LevelLoadResult::FailedMidway}) {
        Forget();
        files_.answer = answer;
        gs().career_level = (1 << 8) | 3;
        Send(kMsgPanelOpenNextLevel);
        Send(kMsgPanelNextLevelDone);
        EXPECT_EQ(std::tuple(files_.loaded, gs().career_level,
                             gs().sim_halted + gs().level_start_pending),
                  std::tuple("k1_4.lvl ", (1 << 8) | 3, 0));
        EXPECT_EQ(Got(kMsgEndRunningGame) + Got(kMsgShowStartScreen),
                  answer == LevelLoadResult::FailedMidway ? 2 : 0);
    }
}

}  // namespace
