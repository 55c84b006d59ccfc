// The control panel's popups as a player meets them in a running game: the
// cursor held only by the popup that is shown, a level's result that closes
// the year's accounts and acts on its answer at once, a mission's briefing
// under the company name entry, the overwrite question asked over the
// year's accounts, and a program closed in the middle of a start that
// leaves no screen of the panel behind.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "panel/popup_protocol.h"
#include "platform/input.h"
#include "screens/economy/annual_accounts_window.h"
#include "screens/economy/building_purchase_screen.h"
#include "screens/flow/city_growth_screen.h"
#include "screens/flow/level_end_play.h"
#include "screens/flow/result_screens.h"
#include "screens/flow/save_game_screen.h"
#include "screens/panel/confirm_screen.h"
#include "screens/panel/find_screen.h"
#include "screens/vehicles/vehicle_overview_screen.h"
#include "support/full_redraw.h"

namespace {

// A mission or career played from the title (for plain tests).
struct Play : flowtest::LevelEndPlayer {
    using LevelEndPlay::CloseBriefing;
    static constexpr int32_t kInformationHeading = 6;
    // The level in play ends with the year in the red.
    void RunIntoTheRedNewYear() {
        CGameState& gs = f.gs();
        gs.cash[0] = -300000;
        gs.month = 11;
        gs.week = 0;
        RunMonth();
    }
};

// Where the cursor is held: the popup's window rectangle, none when free.
std::tuple<bool, plat::Rect> CursorClip() {
    plat::Rect clip;
    const bool clipped = plat::GetClipCursor(&clip);
    return {clipped, clipped ? clip : plat::Rect{}};
}

std::tuple<bool, plat::Rect> HeldBy(const plat::Window& w) {
    return {true, w.GetWindowRect()};
}

// The year ends while the building purchase is open with too little cash
// for any building: its accounts wait hidden and leave the cursor to the
// purchase, whose cancel closes it; then the accounts show and hold the
// cursor until their OK.
TEST(RightInEveryGame, AYearsAccountsWaitingBehindThePurchaseLeaveItsCancelReachable) {
    Play p;
    p.StartFirstMission("Thin Wallet");
    CGameState& gs = p.f.gs();
    gs.cash[0] = 100;
    gs.month = 11;
    gs.week = 0;
    p.ClickPanel(g_pHauptDialog->heading_rects[11]);
    auto* purchase = p.Screen<FS_GEBAUDE_KAUF>(FrameScreen::BuildingPurchase);
    ASSERT_NE(purchase, nullptr);
    p.RunMonth();
    ASSERT_EQ(std::tuple(gs.month, gs.goal_reached), std::tuple(0, 0));
    auto* accounts = dynamic_cast<YearSummaryWindow*>(p.Popup(PanelPopup::YearSummary));
    ASSERT_NE(accounts, nullptr);
    EXPECT_FALSE(accounts->IsWindowVisible());
    EXPECT_EQ(CursorClip(), std::tuple(false, plat::Rect{}));

    p.Press(*purchase, kCmdBuildingPurchaseCancel);
    EXPECT_EQ(p.f.h.frame->Screen(FrameScreen::BuildingPurchase), nullptr);
    ASSERT_EQ(p.Popup(PanelPopup::YearSummary), accounts);
    EXPECT_TRUE(accounts->IsWindowVisible());
    EXPECT_EQ(CursorClip(), HeldBy(*accounts));
    p.Press(*accounts, kCmdOk);
    EXPECT_EQ(p.Popup(PanelPopup::YearSummary), nullptr);
    EXPECT_EQ(CursorClip(), std::tuple(false, plat::Rect{}));
    EXPECT_EQ(gs.screen_open, 0);
}

// The year's accounts come while a heading's list is open (or over the find
// screen of the view list, cancelled first); after their OK the panel shows
// no tool, the list gone from the screen too.
TEST(RightInEveryGame, TheYearsAccountsClosedLeaveThePanelAsDrawnAnew) {
    constexpr int32_t kViewHeading = 10;
    for (const auto& [heading, row] :
         {std::pair(Play::kInformationHeading, 0), std::pair(Play::kFileHeading, 0),
          std::pair(kViewHeading, int32_t{kCmdFind})}) {
        SCOPED_TRACE(heading);
        Play p;
        p.StartFirstMission("Year End");
        std::tie(p.f.gs().month, p.f.gs().week) = std::pair(11, 0);
        p.ClickPanel(g_pHauptDialog->heading_rects[heading]);
        ASSERT_GT(g_pHauptDialog->entry_count, 0);
        if (row != 0) p.ChooseInPanel(heading, row);
        p.RunMonth();
        if (auto* find = dynamic_cast<FindScreen*>(p.Popup(PanelPopup::Find))) {
            p.Press(*find, kCmdDialogCancel);
        }
        auto* accounts = dynamic_cast<YearSummaryWindow*>(p.Popup(PanelPopup::YearSummary));
        ASSERT_NE(accounts, nullptr);
        p.Press(*accounts, kCmdOk);
        EXPECT_EQ(g_pHauptDialog->current_heading, kHeadingNoTool);
        EXPECT_EQ(fvtest::PanelDifferenceFromRedraw(), fvtest::ViewDifference{});
    }
}

// A mission's briefing opens shown and the company name entry over it; the
// name entry holds the cursor, and when it closes the briefing, shown all
// along, leaves the cursor free and no screen counted open. A career's
// first text waits hidden and shows, holding the cursor, when the name is
// entered.
TEST(RightInEveryGame, AMissionsBriefingStandsUnderTheCompanyNameAndLeavesTheCursorFreeAfterIt) {
    for (const flowtest::LevelChoice& start : flowtest::kLevelChoices) {
        SCOPED_TRACE(start.name);
        Play p;
        p.Title();
        start.choose(p.f);
        plat::Window* name = p.Popup(PanelPopup::CompanyName);
        plat::Window* text = p.Popup(start.text);
        ASSERT_NE(name, nullptr);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(std::tuple(name->IsWindowVisible(), text->IsWindowVisible()),
                  std::tuple(true, start.text_shown_under_name));
        EXPECT_EQ(CursorClip(), HeldBy(*name));
        p.TypeCompanyName("First Light");
        EXPECT_EQ(p.Popup(PanelPopup::CompanyName), nullptr);
        ASSERT_EQ(p.Popup(start.text), text);
        EXPECT_TRUE(text->IsWindowVisible());
        const bool shown_now = !start.text_shown_under_name;
        EXPECT_EQ(CursorClip(), shown_now ? HeldBy(*text) : std::tuple(false, plat::Rect{}));
        EXPECT_EQ(p.f.gs().screen_open, shown_now ? 1 : 0);
        p.CloseBriefing(start.text);
        EXPECT_EQ(CursorClip(), std::tuple(false, plat::Rect{}));
    }
}

// The year's accounts wait behind the vehicle overview and show when it
// closes; S opens the save screen over them, and Save double-clicked on a
// used slot asks whether to overwrite. Enter closes the accounts: the
// cursor stays free and the question answers. A save cancelled while the
// accounts show leaves a news waiting hidden behind them, and Enter still
// closes the accounts.
TEST(RightInEveryGame, TheOverwriteQuestionAnswersAfterTheYearsAccountsUnderItClose) {
    struct Case {
        const char* name;
        uint16_t answer;
        bool written;
        bool news_waits = false;
    };
    const Case cases[] = {{"yes writes the game", kCmdDialogOk, true},
                          {"no writes nothing", kCmdDialogCancel, false},
                          {"a save cancelled over the accounts", 0, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Play p;
        p.StartFirstMission("Overwriter");
        ASSERT_NO_FATAL_FAILURE(p.SaveInto(0, "First"));
        const std::vector<char> first = p.Bytes("0.lvl");
        CGameState& gs = p.f.gs();
        gs.month = 11;
        gs.week = 0;
        p.ChooseInPanel(Play::kInformationHeading, kCmdVehicleOverview);
        auto* overview = p.Screen<VehicleOverviewPage>(FrameScreen::VehicleOverview);
        ASSERT_NE(overview, nullptr);
        p.RunMonth();
        plat::Window* accounts = p.Popup(PanelPopup::YearSummary);
        ASSERT_NE(accounts, nullptr);
        if (c.news_waits) plat::SendMessage(g_pHauptDialog, kMsgProductNews, 8, 0);
        p.Press(*overview, kCmdOk);
        ASSERT_TRUE(accounts->IsWindowVisible());
        p.f.Key('S');
        auto* save = dynamic_cast<FS_SAVE_GAME*>(p.Popup(PanelPopup::SaveGame));
        ASSERT_NE(save, nullptr);
        FS_CONFIRM* question = nullptr;
        if (c.news_waits) {
            p.Press(*save, kCmdDialogCancel);
            EXPECT_FALSE(p.Popup(PanelPopup::ProductNews)->IsWindowVisible());
        } else {
            p.ClickRow(*save, 0);
            const plat::Rect ok = save->buttons[0]->GetWindowRect();
            for (int32_t i = 0; i < 2; ++i) p.f.h.host.InjectClick({ok.left + 5, ok.top + 5});
            p.f.h.Run();
            question = dynamic_cast<FS_CONFIRM*>(save->confirm);
            ASSERT_NE(question, nullptr);
        }
        p.f.Char(Play::kEnter);  // the keys are in the accounts
        ASSERT_EQ(p.Popup(PanelPopup::YearSummary), nullptr);
        const plat::Window* news = p.Popup(PanelPopup::ProductNews);
        EXPECT_EQ(CursorClip(), news != nullptr ? HeldBy(*news) : std::tuple(false, plat::Rect{}));
        if (question != nullptr) p.Press(*question, c.answer);
        EXPECT_EQ(p.Popup(PanelPopup::SaveGame), nullptr);
        EXPECT_EQ(p.Bytes("0.lvl") != first, c.written);
    }
}

// A level's result at the year's end closes the year's accounts that came
// with it, and its answer is carried out at once.
TEST(RightInEveryGame, AResultAtTheYearsEndClosesTheAccountsAndItsAnswerActsAtOnce) {
    struct Case {
        const char* name;
        std::function<void(Play&)> start;
        PanelPopup result;
        uint16_t answer;
        std::function<void(Play&)> expect;
    };
    const Case cases[] = {
        {"a failed mission goes back to the title",
         [](Play& p) { p.StartFirstMission("Short Haul"); }, PanelPopup::MissionFailed, kCmdOk,
         [](Play& p) {
             EXPECT_EQ(g_pSpielFeld, nullptr);
             EXPECT_NE(p.f.h.frame->Screen(FrameScreen::Start), nullptr);
         }},
        {"a failed assignment tried again reloads it",
         [](Play& p) { p.StartEasyCareer("Second Go"); }, PanelPopup::AssignmentFailed,
         kCmdTryAgain,
         [](Play& p) {
             EXPECT_EQ(std::tuple(p.f.gs().career_level, p.f.gs().goal_reached), std::tuple(0, 0));
             const plat::Window* text = p.Popup(PanelPopup::AssignmentText);
             EXPECT_TRUE(text != nullptr && text->IsWindowVisible());
         }},
        {"a failed assignment gone on from loads the next",
         [](Play& p) { p.StartEasyCareer("Onwards"); }, PanelPopup::AssignmentFailed, kCmdGoOn,
         [](Play& p) {
             EXPECT_EQ(std::tuple(p.f.gs().career_level, p.f.gs().goal_reached), std::tuple(1, 0));
             const plat::Window* text = p.Popup(PanelPopup::AssignmentText);
             EXPECT_TRUE(text != nullptr && text->IsWindowVisible());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Play p;
        c.start(p);
        p.RunIntoTheRedNewYear();
        auto* result = dynamic_cast<ResultScreen*>(p.Popup(c.result));
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(p.Popup(PanelPopup::YearSummary), nullptr);
        EXPECT_EQ(CursorClip(), HeldBy(*result));
        p.Press(*result, c.answer);
        EXPECT_EQ(p.Popup(c.result), nullptr);
        EXPECT_EQ(p.Popup(PanelPopup::YearSummary), nullptr);
        c.expect(p);
    }
}

// The growth screen that counts its deletions.
int g_growth_screens_deleted = 0;
struct CountedGrowth : CityGrowthScreen {
    ~CountedGrowth() override { ++g_growth_screens_deleted; }
};

FS_CITY_GROWTH* OpenCountedGrowth(HAUPTDIALOG& panel, int32_t steps) {
    auto* screen = new CountedGrowth;
    if (screen->Open(&panel, g_pSpielFeld->GetWindowRect(), steps)) return screen;
    delete screen;
    return nullptr;
}

// Every way out of a game while its cities grow (the window closed, the
// game ended, the program aborted) deletes the growth screen with the panel.
TEST(RightInEveryGame, EveryWayOutDuringTheCityGrowthDeletesTheGrowthScreen) {
    struct WayOut {
        const char* name;
        uint32_t message;
    };
    const WayOut ways[] = {
        {"the window's close", WM_CLOSE},
        {"the running game's end", kMsgEndRunningGame},
        {"the program's abort", kMsgAbort},
    };
    const CityGrowthMaker maker = std::exchange(CityGrowthScreenMaker(), OpenCountedGrowth);
    for (const WayOut& way : ways) {
        SCOPED_TRACE(way.name);
        g_growth_screens_deleted = 0;
        flowtest::FlowHost f;
        g_LogoShown[0] = g_LogoShown[1] = 1;
        f.h.frame->SendMessage(kMsgOpenNewGameSetup);
        f.Char(13);
        ASSERT_NE(g_pHauptDialog, nullptr);
        // The news of the start waits hidden behind the growth.
        plat::SendMessage(g_pHauptDialog, kMsgProductNews, 8, 0);
        plat::SendMessage(g_pHauptDialog, kMsgPanelOpenCityGrowth);
        g_pHauptDialog->popup_result.choice = 2;
        plat::SendMessage(g_pHauptDialog, kMsgPanelCityGrowthDone, 0, 0);
        ASSERT_NE(g_pHauptDialog->city_growth_screen, nullptr);
        f.h.Turn();
        f.h.frame->PostMessage(way.message);
        f.h.Run();
        EXPECT_EQ(std::tuple(g_pHauptDialog, g_growth_screens_deleted), std::tuple(nullptr, 1));
    }
    CityGrowthScreenMaker() = maker;
}

}  // namespace
