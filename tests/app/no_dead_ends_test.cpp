// The player can always get out: a screen or popup that cannot be made leaves
// the game as it was (keys, panel clicks and view clicks still act), a title
// choice without its screen comes back to the title, and closing the window
// ends the program with status 0 from every state.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "app/key_table.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "platform/app.h"
#include "state/data_tables.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "support/player_building.h"
#include "world/terrain.h"

namespace {

// The request of every slot the frame opens by a message.
constexpr std::pair<FrameScreen, uint32_t> kFrameRequests[] = {
    {FrameScreen::NewGame, kMsgOpenNewGameSetup},
    {FrameScreen::GameEnd, kMsgGameEnd},
    {FrameScreen::OpponentSelect, kMsgOpenOpponentSelect},
    {FrameScreen::NewWorld, kMsgOpenNewWorld},
    {FrameScreen::Career, kMsgOpenCareer},
    {FrameScreen::EditorStart, kMsgOpenEditorStart},
    {FrameScreen::HighScores, kMsgOpenHighScores},
    {FrameScreen::Schedule, kMsgOpenSchedule},
    {FrameScreen::ProductHelp, kMsgOpenProductHelp},
    {FrameScreen::RailPurchase, kMsgOpenRailPurchase},
    {FrameScreen::TruckPurchase, kMsgOpenTruckPurchase},
    {FrameScreen::BuildingPurchase, kMsgOpenBuildingPurchase},
    {FrameScreen::Depot, kMsgOpenDepot},
    {FrameScreen::Production, kMsgOpenProduction},
    {FrameScreen::Statistics, kMsgOpenStatistics},
    {FrameScreen::SalesStatistics, kMsgOpenSalesStatistics},
    {FrameScreen::StoreSales, kMsgOpenStoreSales},
    {FrameScreen::GenProgress, kMsgOpenGenProgress},
    {FrameScreen::Tutorial, kMsgOpenTutorial},
    {FrameScreen::StoreOverview, kMsgOpenStoreOverview},
    {FrameScreen::FactoryOverview, kMsgOpenFactoryOverview},
    {FrameScreen::VehicleOverview, kMsgOpenVehicleOverview},
};

// Whether the program has a screen for the slot (today's table, whatever
// screens were added since).
bool HasScreen(FrameScreen slot) {
    int32_t count = 0;
    const ScreenEntry* table = FrameScreenTable(&count);
    for (int32_t i = 0; i < count; ++i) {
        if (table[i].slot == slot && table[i].open != nullptr) return true;
    }
    return false;
}

// A popup that does open, for the states with a popup shown.
struct ShownPopup : plat::Window {
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request) {
        return Create(&panel, request.rect, WS_POPUP | WS_VISIBLE);
    }
};

class NoDeadEnds : public ::testing::Test {
  protected:
    NoDeadEnds() : h({800, 600}) {
        fvtest::WriteWorldPictures(h.folder.Path());
        g_pTerrain = new CTerrain;  // the frame's close deletes it
        GetFrameHooks().create_world_view = &MakeWorldView;
        GetViewHooks().create_panel = &CreateControlPanel;
        g_LogoShown[0] = g_LogoShown[1] = 1;  // straight to the title
    }
    ~NoDeadEnds() override { GetViewHooks().create_panel = nullptr; }

    // A running game on flat land with money to spend.
    void StartGame(int32_t mode = kModeGame) {
        ASSERT_TRUE(h.frame->StartWorldView(mode));
        for (MapField& f : h.gs->fields) f.set_hoehe(2), f.set_teile_art(1);
        h.gs->cash[0] = 100000000;
        h.Run();
    }
    HAUPTDIALOG& Panel() { return *g_pHauptDialog; }
    void ClickPanel(int32_t heading) {
        const plat::Rect& r = Panel().heading_rects[heading];
        h.host.InjectClick(Panel().ClientToScreen(plat::Point{r.left + 16, r.top + 16}));
        h.Run();
    }
    int64_t Heights() const {
        return std::accumulate(std::begin(h.gs->fields), std::end(h.gs->fields), int64_t{0},
                               [](int64_t sum, const MapField& f) { return sum + f.hoehe(); });
    }
    // A panel click picks the terrain tool, a view click raises the ground,
    // the key 2 switches the view list to 1:2: all three still act.
    void ExpectTheGameAnswers(const std::string& after) {
        SCOPED_TRACE(after);
        ASSERT_NE(g_pHauptDialog, nullptr);
        ASSERT_NE(g_pSpielFeld, nullptr);
        const bool editor = h.gs->game_mode == kModeEditor;
        const int32_t terrain = editor ? 22 : 13;
        h.gs->demolish_mode = 0;
        ClickPanel(editor ? kHeadingEditorWorld : kHeadingNoTool);
        ClickPanel(terrain);
        EXPECT_EQ(std::pair(Panel().current_heading, g_pSpielFeld->tool),
                  std::pair(terrain, kToolRaiseLower));
        // Raised and lowered again, so that the next check finds the same land.
        const int64_t heights = Heights();
        const plat::Point at = g_pSpielFeld->ClientToScreen(plat::Point{300, 260});
        h.Advance(300);  // the view's pick interval
        h.host.InjectClick(at);
        h.Run();
        EXPECT_GT(Heights(), heights);
        h.host.InjectClick(at, plat::MouseButton::Right);
        h.Run();
        EXPECT_EQ(Heights(), heights);
        h.host.InjectKeyPress('2');
        h.Run();
        EXPECT_EQ(std::tuple(Panel().current_heading, Panel().entry_checked[1], h.gs->zoom_request),
                  std::tuple(editor ? 19 : 10, 1, 2));
    }
    // The window system's close ends the program, with status 0.
    void ExpectCloseEndsWithZero(const std::string& state) {
        h.host.InjectCloseRequest();
        h.Run();
        EXPECT_TRUE(plat::QuitRequested()) << state;
        EXPECT_EQ(plat::QuitCode(), 0) << state;
        EXPECT_FALSE(h.frame->IsWindow()) << state;
    }
    fvtest::FrameHost h;
};

TEST_F(NoDeadEnds, EveryFrameScreenWithoutAScreenLeavesTheGameAnswering) {
    StartGame();
    for (const auto& [slot, request] : kFrameRequests) {
        if (HasScreen(slot)) continue;
        h.frame->SendMessage(request);
        h.Run();
        EXPECT_EQ(h.gs->screen_open, 0) << static_cast<int32_t>(slot);
        ExpectTheGameAnswers("frame slot " + std::to_string(static_cast<int32_t>(slot)));
    }
    ExpectCloseEndsWithZero("a running game");
}

TEST_F(NoDeadEnds, EveryPanelPopupWithoutAScreenLeavesTheGameAnswering) {
    StartGame();
    const PopupEntry* table = PanelPopupTable();
    for (int32_t i = 0; i < kPanelPopupCount; ++i) {
        if (table[i].open != nullptr) continue;
        plat::SendMessage(g_pHauptDialog, table[i].open_message);
        h.Run();
        EXPECT_EQ(std::pair(h.gs->screen_open, h.gs->sim_halted), std::pair(0, 0)) << i;
        ExpectTheGameAnswers("popup pair " + std::to_string(i));
    }
    ExpectCloseEndsWithZero("a running game after the popups");
}

// A screen that is there but cannot be made (a refused open, a missing
// picture) takes back every step: keys, the open marks and the sound.
TEST_F(NoDeadEnds, AScreenThatCannotBeMadeTakesBackItsOpenSteps) {
    StartGame();
    for (const bool frame_screen : {true, false}) {
        h.sound->calls.clear();
        if (frame_screen) {
            h.frame->AddScreen({.slot = FrameScreen::Statistics,
                                .open_message = kMsgOpenStatistics,
                                .open_steps = kOpenCommon,
                                .open = [](plat::Window&, plat::WParam, plat::LParam) {
                                    return static_cast<plat::Window*>(nullptr);
                                }});
            h.frame->SendMessage(kMsgOpenStatistics);
        } else {
            Panel().SetPopupFactory(PanelPopup::EndConfirm, [](HAUPTDIALOG&, const PopupRequest&) {
                return static_cast<plat::Window*>(nullptr);
            });
            ClickPanel(0);
            const plat::Rect& end = Panel().row_rects[0];
            h.host.InjectClick(Panel().ClientToScreen(plat::Point{end.left + 80, end.top + 10}));
            h.Run();
        }
        EXPECT_EQ(std::tuple(h.gs->screen_open, Panel().screen_open_flag, h.gs->sim_halted,
                             h.frame->accelerators),
                  std::tuple(0, 0, 0, &KeyTable()))
            << frame_screen;
        EXPECT_GE(h.sound->Count("ResumeMusic"), 1) << frame_screen;
        ExpectTheGameAnswers(frame_screen ? "a refused frame screen" : "a refused popup");
    }
    ExpectCloseEndsWithZero("a running game");
}

// The title's choices that go on in a panel popup come back to the title
// when the popup cannot be made, with the world view gone.
TEST_F(NoDeadEnds, TitleChoicesWithoutTheirScreenComeBackToTheTitle) {
    h.frame->SendMessage(kMsgShowStartScreen);
    ASSERT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
    const PopupEntry* table = PanelPopupTable();
    const std::pair<int32_t, PanelPopup> choices[] = {{kChoiceLoadGame, PanelPopup::LoadGame},
                                                      {kChoiceScenario, PanelPopup::ScenarioSelect},
                                                      {kChoiceMission, PanelPopup::MissionSelect}};
    for (const auto& [choice, popup] : choices) {
        if (table[static_cast<int32_t>(popup)].open != nullptr) continue;
        h.frame->SendMessage(kMsgStartScreenResult, 0, choice);
        h.Run();
        EXPECT_TRUE(h.frame->Screen(FrameScreen::Start) != nullptr && g_pSpielFeld == nullptr)
            << choice;
    }
    ExpectCloseEndsWithZero("the title");
}

// The editor's WORLD > "Setting": the new-world screen stands over the map
// (its Back button takes the click), and after it the editor answers again.
// The title's "Load game" with its screen there: cancelling it comes back to
// the title, not to the empty world the load screen stood on.
TEST_F(NoDeadEnds, ALoadGameCancelledFromTheTitleComesBackToTheTitle) {
    GetViewHooks().create_panel = [](SPIEL_FELD& view) {
        HAUPTDIALOG* panel = CreateControlPanel(view);
        if (panel != nullptr)
            panel->SetPopupFactory(PanelPopup::LoadGame, OpenPopupScreen<ShownPopup>);
        return panel;
    };
    h.frame->SendMessage(kMsgShowStartScreen);
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceLoadGame);
    h.Run();
    ASSERT_TRUE(g_pHauptDialog != nullptr &&
                g_pHauptDialog->Popup(PanelPopup::LoadGame) != nullptr);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Start), nullptr);
    plat::SendMessage(g_pHauptDialog, kMsgPanelLoadGameDone, 0, 1);  // cancel
    h.Run();
    EXPECT_TRUE(h.frame->Screen(FrameScreen::Start) != nullptr && g_pSpielFeld == nullptr);
    ExpectCloseEndsWithZero("the title after a cancelled load");
}

// The end confirmation's "New Game": the game ends and the set-up screen
// follows, or without one a new game starts with its initial choices; the
// player never stays on an empty screen.
TEST_F(NoDeadEnds, NewGameFromARunningGameLeadsToTheSetUpOrANewGame) {
    StartGame();
    // The old game had a news, placed a factory, stored F1 and was turned.
    fvtest::WriteStandinFiles(h.folder.Path(), [](const std::string& path) {
        return path.rfind("autumn/g2", 0) == 0 || path.rfind("autumn/v2", 0) == 0;
    });
    plat::SendMessage(g_pHauptDialog, kMsgProductNews, 17);
    h.host.InjectChar('\r');  // read
    ASSERT_GT(fvtest::BuildForThePlayer(kTypeToyIndustry, 60, 64), 0);
    h.host.InjectKey(VK_SHIFT, true);
    h.host.InjectKeyPress(VK_F1);
    h.host.InjectKey(VK_SHIFT, false);
    plat::SendMessage(g_pHauptDialog, WM_COMMAND, kCmdRotationNorth + 2);
    ASSERT_EQ(std::tuple(h.gs->news_ids[0], h.gs->rotation), std::tuple(17, 2));
    h.gs->year = 1970;
    h.host.InjectKeyPress('P');  // ended while paused
    h.Run();
    ASSERT_EQ(h.gs->user_pause, 1);
    Panel().SetPopupFactory(PanelPopup::EndConfirm, OpenPopupScreen<ShownPopup>);
    ClickPanel(0);
    const plat::Rect& new_game = Panel().row_rects[1];
    h.host.InjectClick(Panel().ClientToScreen(plat::Point{new_game.left + 80, new_game.top + 10}));
    h.Run();
    ASSERT_NE(Panel().Popup(PanelPopup::EndConfirm), nullptr);
    plat::SendMessage(g_pHauptDialog, kMsgPanelEndConfirmDone, 0, 0);  // yes
    h.Run();
    if (HasScreen(FrameScreen::NewGame)) {
        ASSERT_NE(h.frame->Screen(FrameScreen::NewGame), nullptr);
        // Set up, named, the offered opponents and no city growth: the new
        // game runs and its tools answer, whatever paused the last one.
        h.host.InjectChar('\r');
        h.Run();
        plat::SendMessage(g_pHauptDialog, kMsgPanelCompanyNameDone, 0, 1);
        h.Run();
        h.host.InjectChar('\r');
        h.Run();
        EXPECT_EQ(h.gs->year, 1960);  // at the start-year question
        g_pHauptDialog->popup_result.choice = 0;
        plat::SendMessage(g_pHauptDialog, kMsgPanelCityGrowthDone, 0, 0);
        h.Run();
        const int32_t week = h.gs->week;
        for (int32_t i = 0; i < 100 && h.gs->week == week; ++i) {
            h.host.AdvanceClock(g_TickLength);
            h.Turn();
        }
        EXPECT_NE(h.gs->week, week);
        ExpectTheGameAnswers("a new game after a paused one");
        // Nothing of the old game: F1 stays, no factory counted, the
        // buildings drawn for the new view's direction, no news.
        const double centre = g_pSpielFeld->centre_y;
        h.host.InjectKeyPress(VK_F1);
        h.Run();
        EXPECT_EQ(g_pSpielFeld->centre_y, centre);
        EXPECT_EQ(std::count(h.gs->built_counts, h.gs->built_counts + 6, 0), 6);
        RawImage mine;
        mine.LoadJgd(BuildingPicturePath(kTypeMine, 0, 0, false));
        const RawImage& drawn = h.gs->images.building_pictures[kTypeMine];
        EXPECT_TRUE(drawn.width == mine.width && drawn.Rows() == mine.Rows() &&
                    std::equal(mine.pixels, mine.pixels + mine.width * mine.Rows(), drawn.pixels));
        for (uint16_t row = kCmdProductNews; row < kCmdProductNews + 5; ++row)
            plat::SendMessage(g_pHauptDialog, WM_COMMAND, row);
        EXPECT_EQ(Panel().Popup(PanelPopup::ProductNews), nullptr);
        ClickPanel(11);
        EXPECT_NE(h.frame->Screen(FrameScreen::BuildingPurchase), nullptr);
    } else {
        // A new world with the initial capital (the old game had far more).
        ASSERT_NE(g_pSpielFeld, nullptr);
        EXPECT_EQ(h.gs->cash[0], 300000);
        EXPECT_EQ(std::pair(h.gs->screen_open, h.frame->accelerators), std::pair(0, &KeyTable()));
    }
    ExpectCloseEndsWithZero("a new game");
}

TEST_F(NoDeadEnds, TheEditorsWorldSettingShowsItsScreenOverTheMap) {
    StartGame(kModeEditor);
    ClickPanel(kHeadingEditorWorld);
    const plat::Rect& setting = Panel().row_rects[0];
    h.host.InjectClick(Panel().ClientToScreen(plat::Point{setting.left + 80, setting.top + 10}));
    h.Run();
    plat::Window* screen = h.frame->Screen(FrameScreen::NewWorld);
    if (screen != nullptr) {
        // Back: 108 x 40 at (332, 422) of the 640 x 480 picture in the middle.
        const plat::Point back{(800 - 640) / 2 + 332 + 54, (600 - 480) / 2 + 422 + 20};
        h.host.InjectClick(screen->ClientToScreen(back));
        h.Run();
        EXPECT_EQ(h.frame->Screen(FrameScreen::NewWorld), nullptr);
    }
    EXPECT_EQ(std::pair(h.gs->screen_open, h.frame->accelerators), std::pair(0, &KeyTable()));
    ExpectTheGameAnswers("the editor after its world setting");
    // Closed with the screen open over the editor.
    ClickPanel(kHeadingEditorWorld);
    h.host.InjectClick(Panel().ClientToScreen(plat::Point{setting.left + 80, setting.top + 10}));
    h.Run();
    EXPECT_EQ(h.frame->Screen(FrameScreen::NewWorld) != nullptr, screen != nullptr);
    ExpectCloseEndsWithZero("the editor with its new-world screen");
}

TEST_F(NoDeadEnds, ClosingTheWindowEndsWithZeroWhileAPopupIsShown) {
    StartGame();
    Panel().SetPopupFactory(PanelPopup::Options, OpenPopupScreen<ShownPopup>);
    ClickPanel(2);
    ASSERT_NE(Panel().Popup(PanelPopup::Options), nullptr);
    EXPECT_EQ(h.gs->screen_open, 1);
    ExpectCloseEndsWithZero("a popup shown");
}

}  // namespace
