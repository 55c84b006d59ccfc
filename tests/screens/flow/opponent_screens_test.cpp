// The opponent screens over a running game: the news of an opponent's new
// production with its "Show" button, and the overview of the opponents still
// in the game with the take-over, driven by clicks and keys as a player
// would.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/app_globals.h"
#include "app/main_frame.h"
#include "economy/economy_bookings.h"
#include "game/opponent.h"
#include "game/opponent_roster.h"
#include "game/opponent_takeover.h"
#include "panel/control_panel.h"
#include "platform/compositor.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/opponent_screens.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "support/fnv_hash.h"
#include "support/frame_host.h"
#include "view/world_view.h"

namespace {

using flowtest::FlowHost;

constexpr uint8_t kEnter = 13;

class OpponentScreens : public ::testing::Test {
  protected:
    OpponentScreens() {
        g_LogoShown[0] = g_LogoShown[1] = 1;
        EXPECT_TRUE(f.h.frame->StartWorldView(kModeGame));
        CGameState& gs = f.gs();
        gs.screen_open = 0;
        gs.level_start_pending = 0;
        RecreateOpponents();
        ClearStatistics();
        gs.year = 1990;
        for (int32_t s = 0; s < kOpponentCount; ++s) {
            gs.opponents[s]->turn_pending = 1000;
            gs.opponents[s]->takeover_year = 1985;
            gs.opponents[s]->takeover_percent = 100;
            gs.cash[s + 1] = 1000000 * (s + 1);
        }
    }
    ~OpponentScreens() override { ClearStatistics(); }

    FS_OPPONENT_NEWS* OpenNews(int32_t slot) {
        plat::SendMessage(g_pHauptDialog, kMsgOpponentNews, static_cast<plat::WParam>(slot), 0);
        f.h.Run();
        return dynamic_cast<FS_OPPONENT_NEWS*>(g_pHauptDialog->Popup(PanelPopup::OpponentNews));
    }
    OpponentInfoScreen* OpenOverview() {
        plat::SendMessage(g_pHauptDialog, kMsgPanelOpenOpponentOverview);
        f.h.Run();
        return dynamic_cast<OpponentInfoScreen*>(
            g_pHauptDialog->Popup(PanelPopup::OpponentOverview));
    }
    plat::Window* Open(PanelPopup slot) { return g_pHauptDialog->Popup(slot); }
    // A click at a point of the popup's picture (inside its border).
    void ClickIn(plat::Window* popup, int32_t x, int32_t y) {
        const plat::Rect r = popup->GetWindowRect();
        f.Click(r.left + 1 + x, r.top + 1 + y);
    }
    void ClickTakeOver(plat::Window* popup) { ClickIn(popup, 48 + 54, 270 + 20); }
    void ClickPortrait(plat::Window* popup, int32_t place) {
        ClickIn(popup, 68 + 80 * place + 30, 44 + 35);
    }
    // The popup's picture as shown on the screen, hashed.
    static uint64_t PopupHash(plat::Window* popup) {
        const plat::Rect r = popup->GetWindowRect();
        const plat::Surface& s = plat::ComposeScreen();
        return fvtest::PictureHash(r.Width(), r.Height(),
                                   [&](int32_t y) { return s.Row(r.top + y) + r.left; });
    }
    FlowHost f;
};

TEST_F(OpponentScreens, BeforeTheTakeOverYearThePriceIsNotPossibleAndTheButtonDoesNothing) {
    CGameState& gs = f.gs();
    gs.opponents[1]->takeover_year = 1991;
    gs.cash[0] = 1000000000;
    FS_OPPONENT_NEWS* news = OpenNews(1);
    ASSERT_NE(news, nullptr);
    const std::vector<std::string> report = OpponentReportLines(gs, 1);
    ASSERT_EQ(report.size(), 8u);
    EXPECT_EQ(std::tuple(report[1], report[3], report[7]),
              std::tuple("has opened a new production.", "Capital: 2,000,000",
                         "Take over price: Not possible"));
    f.Char(kEnter);  // Enter is OK
    EXPECT_EQ(Open(PanelPopup::OpponentNews), nullptr);

    OpponentInfoScreen* info = OpenOverview();
    ASSERT_NE(info, nullptr);
    ClickPortrait(info, 1);
    ASSERT_EQ(std::tuple(info->selected, info->shown_player), std::tuple(1, 2));
    EXPECT_EQ(OpponentOverviewTexts(gs, 1).back(), "At present not possible");
    ClickTakeOver(info);
    EXPECT_EQ(Open(PanelPopup::OpponentOverview), info);
    EXPECT_EQ(std::tuple(gs.cash[0], g_TakeOverCount[1], gs.opponents[1]->turn_pending),
              std::tuple(int64_t{1000000000}, 0, 1000));
    // A year later the same click buys the opponent.
    gs.year = 1991;
    ClickTakeOver(info);
    EXPECT_EQ(Open(PanelPopup::OpponentOverview), nullptr);
    EXPECT_EQ(g_TakeOverCount[1], 1);
}

TEST_F(OpponentScreens, CashEqualToThePriceBuysNothingOneUnitMoreBuysTheOpponent) {
    CGameState& gs = f.gs();
    // Worth 2,000,000 (cash) + 400,000 (property) at 100 %: 2,400,000 + 1,200,000.
    g_Statistics.Monthly(StatSeries::CompanyWorth, 2) = 400000;
    constexpr int64_t kPrice = 3600000;
    EXPECT_EQ(FiguresOfOpponent(gs, 1).price, kPrice);
    gs.cash[0] = kPrice;
    OpponentInfoScreen* info = OpenOverview();
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(g_pHauptDialog->opponent_info, info);
    ClickPortrait(info, 1);
    EXPECT_EQ(OpponentOverviewTexts(gs, 1)[7], "3,600,000");
    ClickTakeOver(info);
    EXPECT_EQ(Open(PanelPopup::OpponentOverview), info);
    EXPECT_EQ(std::tuple(gs.cash[0], g_TakeOverCount[1]), std::tuple(kPrice, 0));

    // The figures follow the opponent's cash while the overview is open.
    const auto capitalLine = [&] {
        const int32_t stride = info->background.Stride();
        const uint8_t* row = info->background.pixels + 147 * stride;
        return std::vector<uint8_t>(row + 76, row + 76 + 16 * stride);
    };
    const std::vector<uint8_t> before = capitalLine();
    gs.cash[2] += 1000;
    info->DrawFigures();
    EXPECT_NE(capitalLine(), before);
    gs.cash[2] -= 1000;

    gs.cash[0] = kPrice + 1;
    const int32_t costs = g_Statistics.Monthly(StatSeries::TotalCosts, 0);
    ClickTakeOver(info);
    EXPECT_EQ(Open(PanelPopup::OpponentOverview), nullptr);
    EXPECT_EQ(g_pHauptDialog->opponent_info, nullptr);
    EXPECT_EQ(std::tuple(gs.cash[0], g_Statistics.PairThis(kCostTakeOver, 0),
                         g_Statistics.Monthly(StatSeries::TotalCosts, 0) - costs,
                         g_Statistics.PairThis(kPairAnnualProfit, 0)),
              std::tuple(int64_t{1}, 3600000, 3600000, -3600000));
    EXPECT_EQ(std::tuple(g_TakeOverCount[0], g_TakeOverCount[1], g_TakeOverCount[2],
                         gs.opponents[1]->turn_pending),
              std::tuple(0, 1, 0, 0));
    // The opponent's property stays with its player; it is no longer listed.
    EXPECT_EQ(gs.cash[2], 2000000);
    info = OpenOverview();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(std::tuple(info->listed_count, info->listed[0], info->listed[1]),
              std::tuple(2, 0, 2));
}

TEST_F(OpponentScreens, PointsCountWholeTwoMillionsAndNoWorthGivesAPayingPrice) {
    CGameState& gs = f.gs();
    struct Case {
        int64_t cash;
        int32_t property;
        int64_t points;
    };
    for (const Case& c : {Case{3999999, 0, 1}, Case{4000000, 0, 2}, Case{3000000, 999999, 1},
                          Case{-3999999, 0, -1}, Case{int64_t{1} << 32, 4000000, 2}}) {
        gs.cash[1] = c.cash;  // only the low 32 bits count
        g_Statistics.Monthly(StatSeries::CompanyWorth, 1) = c.property;
        EXPECT_EQ(FiguresOfOpponent(gs, 0).points, c.points) << c.cash << " " << c.property;
    }
    EXPECT_EQ(OpponentReportLines(gs, 0)[6], "Points: 2");
    // A worth near the 32-bit limit: the price stays positive (in 32 bits
    // it would turn negative and pay the player).
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    gs.cash[1] = kMax;
    g_Statistics.Monthly(StatSeries::CompanyWorth, 1) = kMax;
    const int64_t huge = FiguresOfOpponent(gs, 0).price;
    EXPECT_EQ(huge, (int64_t{kMax} * 2) * 3 / 2);
    gs.cash[0] = huge;
    EXPECT_EQ(TakeOverOpponent(gs, 0, false), TakeOver::TooDear);
    // A negative price (a negative worth, or a percentage read from a bad
    // file) is never paid, whatever the player's cash.
    gs.cash[0] = int64_t{1} << 40;
    for (const auto& [cash, property, percent] : {std::tuple{int64_t{-5000000}, 0, 100},
                                                  {int64_t{kMin}, kMin, 100},
                                                  {int64_t{kMax}, kMax, kMin},
                                                  {int64_t{1000000}, 0, -300}}) {
        gs.cash[1] = cash;
        g_Statistics.Monthly(StatSeries::CompanyWorth, 1) = property;
        gs.opponents[0]->takeover_percent = percent;
        EXPECT_LT(FiguresOfOpponent(gs, 0).price, 0) << cash << " " << percent;
        EXPECT_EQ(TakeOverOpponent(gs, 0, true), TakeOver::NoPrice);
    }
    EXPECT_EQ(std::tuple(gs.cash[0], g_TakeOverCount[0]), std::tuple(int64_t{1} << 40, 0));
    std::tie(gs.cash[1], g_Statistics.Monthly(StatSeries::CompanyWorth, 1)) = std::pair(0, 0);
    EXPECT_EQ(TakeOverOpponent(gs, 0, true), TakeOver::Done);  // a price of 0 is paid
    // The largest product of worth and percentage still comes out exact:
    // 2^32 x 2^31 / 100 less half the worth.
    gs.cash[1] = kMin;
    g_Statistics.Monthly(StatSeries::CompanyWorth, 1) = kMin;
    gs.opponents[0]->takeover_percent = kMin;
    EXPECT_EQ(FiguresOfOpponent(gs, 0).price, int64_t{92233720368547758} - (int64_t{1} << 31));
}

TEST_F(OpponentScreens, WithTwoListedTheThirdPlaceIsNoPortrait) {
    CGameState& gs = f.gs();
    gs.opponents[0]->turn_pending = 0;  // out of the game: the others close up
    OpponentInfoScreen* info = OpenOverview();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(std::tuple(info->listed_count, info->listed[0], info->listed[1], info->selected,
                         info->shown_player),
              std::tuple(2, 1, 2, 0, 2));
    ClickPortrait(info, 2);
    EXPECT_EQ(std::tuple(info->selected, info->shown_player), std::tuple(0, 2));
    ClickPortrait(info, 1);
    EXPECT_EQ(std::tuple(info->selected, info->shown_player), std::tuple(1, 3));
    fvtest::MaybeSaveScreen("flow_opponent_overview");
    const uint64_t hash = PopupHash(info);
    EXPECT_EQ(hash, 0xe836b6f8e0b20ca1ull) << std::hex << hash;
    f.Char(kEnter);  // OK: nothing bought
    EXPECT_EQ(Open(PanelPopup::OpponentOverview), nullptr);
    EXPECT_EQ(std::tuple(g_TakeOverCount[1], g_TakeOverCount[2]), std::tuple(0, 0));
}

TEST_F(OpponentScreens, ShowMovesTheViewToTheProductionAndWithoutOneAnswersAsOk) {
    CGameState& gs = f.gs();
    SPIEL_FELD* view = g_pSpielFeld;
    ASSERT_NE(view, nullptr);
    view->cursor_x = 20;
    view->cursor_y = 30;
    const double centre_x = view->centre_x;
    gs.zoom_request = 4;
    FS_OPPONENT_NEWS* news = OpenNews(2);
    ASSERT_NE(news, nullptr);
    EXPECT_TRUE(news->IsWindowVisible());
    fvtest::MaybeSaveScreen("flow_opponent_news");
    const uint64_t hash = PopupHash(news);
    EXPECT_EQ(hash, 0x4022281e3799ef46ull) << std::hex << hash;
    ClickIn(news, 48 + 54, 220 + 20);  // Show, with no production in the list
    EXPECT_EQ(Open(PanelPopup::OpponentNews), nullptr);
    EXPECT_EQ(std::tuple(view->cursor_x, view->cursor_y, view->centre_x, gs.zoom_request),
              std::tuple(20, 30, centre_x, 4));

    PlanNode node;
    node.value_1[0] = 100;
    node.value_1[1] = 120;
    gs.opponents[2]->plan_list_b.push_front(node);
    news = OpenNews(2);
    ASSERT_NE(news, nullptr);
    ClickIn(news, 48 + 54, 220 + 20);
    EXPECT_EQ(Open(PanelPopup::OpponentNews), nullptr);
    EXPECT_EQ(std::tuple(view->cursor_x, view->cursor_y, gs.zoom_request),
              std::tuple(100, 120, view->zoom));
    EXPECT_EQ(view->centre_x, (100.0 - 120.0) / 2.0);
}

TEST_F(OpponentScreens, BothScreensStandOverTheViewAndHandAPausedGameTrackBack) {
    f.h.sound->current_track = 7;  // a game track, paused, nothing in front
    f.h.sound->calls.clear();
    const plat::Rect view = g_pSpielFeld->GetWindowRect();
    FS_OPPONENT_NEWS* news = OpenNews(1);
    ASSERT_NE(news, nullptr);
    EXPECT_EQ(f.h.sound->Count("ResumeMusic"), 1);
    const plat::Rect r = news->GetWindowRect();
    EXPECT_EQ(
        std::tuple(r.left, r.top, r.Width(), r.Height()),
        std::tuple(view.left + (view.Width() - 316) / 2, (view.Height() - 260) / 2, 318, 262));
    f.Char(kEnter);
    ASSERT_EQ(Open(PanelPopup::OpponentNews), nullptr);
    ASSERT_NE(OpenOverview(), nullptr);
    EXPECT_EQ(f.h.sound->Count("ResumeMusic"), 2);
}

TEST_F(OpponentScreens, AnOpponentsNewsFromItsTurnWaitsBehindAnotherScreen) {
    CGameState& gs = f.gs();
    plat::SendMessage(g_pHauptDialog, kMsgProductNews, 8, 0);
    f.h.Run();
    plat::Window* product = Open(PanelPopup::ProductNews);
    ASSERT_NE(product, nullptr);
    // What the opponent's turn calls when its factory stands.
    PanelEvents& hooks = *g_pHauptDialog;
    hooks.OpponentNews(0);
    f.h.Run();
    plat::Window* news = Open(PanelPopup::OpponentNews);
    ASSERT_NE(news, nullptr);
    EXPECT_EQ(std::tuple(news->IsWindowVisible(), gs.news_ids[4]), std::tuple(false, 0));
    product->SendMessage(WM_CHAR, kEnter, 0);  // the product news closes, the opponent's shows
    f.h.Run();
    EXPECT_EQ(Open(PanelPopup::ProductNews), nullptr);
    EXPECT_TRUE(news->IsWindowVisible());
    EXPECT_EQ(gs.screen_open, 1);
    news->SendMessage(WM_CHAR, kEnter, 0);
    f.h.Run();
    EXPECT_EQ(std::tuple(Open(PanelPopup::OpponentNews), gs.screen_open), std::tuple(nullptr, 0));
    // A report of a slot without an opponent opens nothing.
    delete std::exchange(gs.opponents[2], nullptr);
    EXPECT_EQ(OpenNews(2), nullptr);
    EXPECT_EQ(gs.screen_open, 0);
}

}  // namespace
