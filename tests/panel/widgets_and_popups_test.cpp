// The panel's widgets and popups as screens use them: list clicks select
// and notify, refills start clean, the selection bar comes from the screen's
// picture; popups open once, news queues, and their results grow cities, end
// a career or meet a bad file.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "economy/building_table.h"
#include "economy/mine.h"
#include "game/opponent.h"
#include "gfx/palette_image.h"
#include "panel/control_panel.h"
#include "panel/list_box.h"
#include "platform/headless/headless_backend.h"
#include "platform/temp_folder.h"
#include "state/game_files.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "support/frame_host.h"
#include "support/game_scope.h"

namespace {

constexpr uint32_t kNotify = 0x0400 + 700;

struct Parent : plat::Window {
    int notified = 0;
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        notified += message == kNotify ? 1 : 0;
        return DefaultMessage(message, w, l);
    }
};

class ListBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fvtest::WriteStartPictures(folder_.Path());
        ASSERT_TRUE(
            game_.state().images.main_font.Load(folder_.Path() + "\\font_1.jgd", nullptr, 1));
        ASSERT_TRUE(picture_.Load(folder_.Path() + "\\scr_0.jgd", nullptr, 1));
        ASSERT_TRUE(parent_.Create(nullptr, {0, 0, 640, 480}, WS_POPUP | WS_VISIBLE));
    }
    LISTBOX& Make(uint32_t style = 0) {
        list_ = std::make_unique<LISTBOX>();
        EXPECT_TRUE(list_->CreateList({.style = style,
                                       .rect = {100, 100, 400, 270},
                                       .parent = &parent_,
                                       .background = picture_.dc.get(),
                                       .image = &picture_,
                                       .source_x = 100,
                                       .source_y = 100,
                                       .notify = kNotify}));
        for (int i = 0; i < 9; ++i) list_->AddLine(("Line " + std::to_string(i)).c_str());
        return *list_;
    }
    void ClickLine(int line) {
        host_.InjectClick({110, 100 + line * 17 + 8});
        host_.RunUntilIdle();
    }
    std::string Selected() const {
        std::string s;
        for (int i = 0; i < 10; ++i) s += list_->IsLineSelected(i) ? '1' : '0';
        return s;
    }
    fvtest::GameScope game_;
    plat::HeadlessBackend host_{plat::Size{640, 480}};
    fvtest::TempFolder folder_;
    PaletteImage picture_;
    Parent parent_;
    std::unique_ptr<LISTBOX> list_;
};

TEST_F(ListBoxTest, ClicksSelectAndNotifyAsEachStyleSays) {
    // Single select: 7 clears 5, 7 again notifies again, a click below the
    // last line changes and sends nothing. Multi select: a second click clears.
    const uint32_t kMulti = kListMultiSelect;
    const std::tuple<uint32_t, int, const char*, int> clicks[] = {
        {0, 5, "0000010000", 1},     {0, 7, "0000000100", 2},      {0, 7, "0000000100", 3},
        {0, 9, "0000000100", 3},     {kMulti, 5, "0000010000", 1}, {kMulti, 7, "0000010100", 2},
        {kMulti, 5, "0000000100", 3}};
    uint32_t made = 1;  // no style yet
    for (const auto& [style, line, selected, notified] : clicks) {
        if (style != made) Make(made = style), parent_.notified = 0;
        ClickLine(line);
        EXPECT_EQ(std::pair(Selected(), parent_.notified),
                  std::pair(std::string(selected), notified))
            << style << " " << line;
    }
}

TEST_F(ListBoxTest, RefillAndPreselectionTakeTheFirstClick) {
    LISTBOX& list = Make();
    list.SelectLine(0);
    ClickLine(0);
    EXPECT_EQ(Selected(), "1000000000");
    list.AddLineWithValue("icons", 40);
    list.SetLineColour(9, 3);
    list.Clear();
    for (int i = 0; i < 10; ++i) list.AddLine("again");
    EXPECT_EQ(Selected(), "0000000000");
    ClickLine(0);  // the old last clicked line is forgotten
    EXPECT_EQ(Selected(), "1000000000");
    EXPECT_EQ(list.GetLine(10), "");
    // Lines past the 1024th are not added; long texts keep 99 bytes.
    list.Clear();
    list.AddLine(std::string(150, 'x').c_str());
    for (int i = 1; i < kListMaxLines + 5; ++i) list.AddLine("y");
    EXPECT_EQ(std::pair(list.LineCount(), list.GetLine(0).size()), std::pair(kListMaxLines, 99ul));
}

TEST_F(ListBoxTest, DrawsTheBarOfTheSelectedLineOverTheBackground) {
    LISTBOX& list = Make();
    ClickLine(2);
    list.Redraw(true);
    const WinGBitmap& b = list.Bitmap();
    const int x = b.width - 1;  // right of every text
    for (int row = 0; row < 10; ++row) {
        const uint8_t drawn = b.pixels[row * 17 * b.Stride() + x];
        const uint8_t bar = picture_.pixels[88 * picture_.Stride() + x];
        const uint8_t back = picture_.pixels[(100 + row * 17) * picture_.Stride() + 100 + x];
        EXPECT_EQ(drawn, row == 2 ? bar : back) << row;
    }
}

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
    int32_t last_saves = 0;
    LevelLoadResult LoadLevel(const std::string& path) override {
        loaded += path.substr(path.rfind('\\') + 1) + " ";
        return answer;
    }
    bool SaveLastGame() override {
        ++last_saves;
        return true;
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
    void Forget() {
        view_.sent.clear(), files_.loaded.clear(), g_growth_steps = -1;
        files_.last_saves = 0;
    }
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
        for (const COpponent* o : gs().opponents)  // take over 10 to 20 years on
            EXPECT_LE(static_cast<uint32_t>(o->takeover_year - gs().year - 10), 10u);
        delete std::exchange(panel_->city_growth_screen, nullptr);
    }
    // Every one of the eleven years 10 to 20 on comes up, and no other.
    std::set<int32_t> offsets;
    for (int32_t i = 0; i < 60; ++i) {
        Send(kMsgPanelOpenCityGrowth);
        panel_->popup_result.choice = 0;
        Send(kMsgPanelCityGrowthDone);
        for (const COpponent* o : gs().opponents) offsets.insert(o->takeover_year - gs().year);
    }
    EXPECT_EQ(offsets, (std::set<int32_t>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
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

// The next level starts the market events when the event counter is
// positive (no event running yet), and leaves them as they were at 0.
TEST_F(PanelPopups, TheNextLevelStartsTheMarketEventsOnlyWithAPositiveCounter) {
    for (const auto& [counter, event] : {std::pair{0, -2}, std::pair{1, -1}, std::pair{-1, -2}}) {
        Forget();
        g_NewGameCounters.words[kNgcWord19] = counter;
        gs().active_event = -2;
        gs().career_level = (1 << 8) | 3;
        Send(kMsgPanelOpenNextLevel);
        Send(kMsgPanelNextLevelDone);
        EXPECT_EQ(std::tuple(files_.loaded, gs().career_level, int{gs().active_event}),
                  std::tuple("k1_4.lvl ", (1 << 8) | 4, event))
            << counter;
    }
    g_NewGameCounters.words[kNgcWord19] = 0;
}

// The confirmation's yes keeps the game as the last one and does what the
// row that asked for it wants; no keeps the game running, unsaved.
TEST_F(PanelPopups, EndConfirmationYesActsOnTheRowThatAsked) {
    for (const uint16_t row : {kCmdEnd, kCmdNewGame}) {
        Forget();
        Send(WM_COMMAND, 0, row);
        ASSERT_NE(panel_->Popup(PanelPopup::EndConfirm), nullptr) << row;
        Send(kMsgPanelEndConfirmDone, 0);
        const bool new_game = row == kCmdNewGame;
        EXPECT_EQ(std::tuple(Got(kMsgEndRunningGame), Got(kMsgShowStartScreen),
                             Got(kMsgOpenNewGameSetup), gs().start_screen_marker),
                  new_game ? std::tuple(1, 0, 1, 1) : std::tuple(1, 1, 0, 0))
            << row;
        EXPECT_EQ(files_.last_saves, 1) << row;
        gs().start_screen_marker = 0;
    }
    Forget();
    Send(WM_COMMAND, 0, kCmdEnd);
    ASSERT_NE(panel_->Popup(PanelPopup::EndConfirm), nullptr);
    Send(kMsgPanelEndConfirmDone, 1);
    EXPECT_EQ(std::tuple(Got(kMsgEndRunningGame), Got(kMsgShowStartScreen), files_.last_saves),
              std::tuple(0, 0, 0));
}

plat::WParam g_structure_asked = 99;

// The structure window opens for the building on the selected field: a raw
// material site (building flag set) too; a bridge, forest or the edge of the
// map give none, and then nothing opens.
TEST_F(PanelPopups, StructureInfoOpensForTheBuildingOnTheSelectedField) {
    panel_->SetPopupFactory(PanelPopup::StructureInfo,
                            [](HAUPTDIALOG& panel, const PopupRequest& request) {
                                g_structure_asked = request.wParam;
                                return OpenPopupScreen<TestScreen>(panel, request);
                            });
    CBuildingTable& table = scope_.Make<CBuildingTable>(g_ppBuildings);
    table.buildings[17] = new CMine(30, 40, 5);
    table.buildings[17]->type = 10;
    MapField& site = gs().fields[FieldIndex(30, 40)];
    site.set_building_flag(true), site.set_geb_num(17), site.set_geb_typ(10);
    const std::tuple<int32_t, int32_t, bool, plat::WParam> cases[] = {
        {30, 40, false, 17}, {30, 40, true, 99}, {-1, 40, false, 99}};
    for (const auto& [x, y, forest, number] : cases) {
        site.set_forest_flag(forest);
        std::tie(view_.cursor_x, view_.cursor_y) = std::pair(x, y);
        g_structure_asked = 99;
        Send(kMsgPanelOpenStructureInfo);
        EXPECT_EQ(g_structure_asked, number) << x << " " << forest;
        EXPECT_EQ(panel_->Popup(PanelPopup::StructureInfo) != nullptr, number == 17);
        Send(kMsgPanelStructureInfoDone);
    }
    table.FreeAll();
}

}  // namespace
