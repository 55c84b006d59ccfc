// The news popups over a running game: queued behind one another and behind
// other screens, their pictures and texts, and the keys that close them.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/app_globals.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "platform/input.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/news_popups.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "support/frame_host.h"
#include "view/world_view.h"

namespace {

using flowtest::FlowHost;
using Kind = plat::MessageTrace::Kind;

constexpr uint8_t kEnter = 13;
constexpr uint8_t kEscape = 27;

class NewsPopups : public ::testing::Test {
  protected:
    NewsPopups() {
        g_LogoShown[0] = g_LogoShown[1] = 1;
        EXPECT_TRUE(f.h.frame->StartWorldView(kModeGame));
        f.gs().screen_open = 0;
        f.gs().level_start_pending = 0;
    }
    plat::Window* Send(uint32_t message, plat::WParam wParam, PanelPopup slot) {
        plat::SendMessage(g_pHauptDialog, message, wParam, 0);
        f.h.Run();
        return g_pHauptDialog->Popup(slot);
    }
    void CharTo(plat::Window* popup, uint8_t c) {
        popup->SendMessage(WM_CHAR, c, 0);
        f.h.Run();
    }
    FlowHost f;
};

TEST_F(NewsPopups, QueuedNewsShowOneAfterAnotherAndHandTheScreenBackAfterTheLast) {
    CGameState& gs = f.gs();
    plat::Window* product = Send(kMsgProductNews, 8, PanelPopup::ProductNews);
    plat::Window* vehicle = Send(kMsgVehicleNews, 11, PanelPopup::VehicleNews);
    plat::Window* building = Send(kMsgBuildingNews, 9, PanelPopup::BuildingNews);
    ASSERT_TRUE(product && vehicle && building);
    EXPECT_EQ(std::tuple(product->IsWindowVisible(), vehicle->IsWindowVisible(),
                         building->IsWindowVisible(), gs.screen_open),
              std::tuple(true, false, false, 1));
    EXPECT_EQ(std::tuple(gs.news_ids[0], gs.news_ids[1], gs.news_ids[2]), std::tuple(8, 11, 9));
    fvtest::MaybeSaveScreen("flow_news_product");
    const auto enableKeys = [&] {
        return f.h.host.Recorder().Count(Kind::Sent, f.h.frame, kMsgEnableKeys);
    };
    f.h.host.Recorder().Clear();
    CharTo(product, kEnter);  // Enter closes as the button does
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::ProductNews), nullptr);
    EXPECT_TRUE(vehicle->IsWindowVisible());
    EXPECT_FALSE(building->IsWindowVisible());
    fvtest::MaybeSaveScreen("flow_news_vehicle");
    CharTo(vehicle, kEnter);
    EXPECT_TRUE(building->IsWindowVisible());
    EXPECT_EQ(enableKeys(), 0u);
    fvtest::MaybeSaveScreen("flow_news_building");
    const plat::Rect r = building->GetWindowRect();
    f.Click(r.left + 1 + 128 + 50, r.top + 1 + 220 + 20);  // the close button
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::BuildingNews), nullptr);
    EXPECT_EQ(std::tuple(gs.screen_open, enableKeys()), std::tuple(0, size_t{1}));
}

TEST_F(NewsPopups, ANewsBehindAScreenWaitsAndLeavesTheGameMusicAlone) {
    CGameState& gs = f.gs();
    f.h.sound->current_track = 7;  // a game track
    gs.screen_open = 1;            // a screen in front
    f.h.sound->calls.clear();
    plat::Window* news = Send(kMsgProductNews, 8, PanelPopup::ProductNews);
    ASSERT_NE(news, nullptr);
    EXPECT_FALSE(news->IsWindowVisible());
    EXPECT_EQ(f.h.sound->Count("ResumeMusic"), 0);
    // With the title's track current the music is handed back.
    g_pHauptDialog->SendMessage(kMsgProductNewsDone);
    f.h.sound->current_track = 2;
    gs.screen_open = 1;
    Send(kMsgProductNews, 8, PanelPopup::ProductNews);
    EXPECT_EQ(f.h.sound->Count("ResumeMusic"), 1);
}

TEST_F(NewsPopups, ANewsStandsOverTheViewAndBehindAScreenLeavesTheCursorToIt) {
    CGameState& gs = f.gs();
    const plat::Rect view = g_pSpielFeld->GetWindowRect();
    // A game track runs, paused, and nothing is in front: the news hands the
    // music back.
    f.h.sound->current_track = 7;
    f.h.sound->calls.clear();
    plat::Window* product = Send(kMsgProductNews, 8, PanelPopup::ProductNews);
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(f.h.sound->Count("ResumeMusic"), 1);
    // Centred over the world view: the whole 236 x 391 picture on the screen.
    const plat::Rect r = product->GetWindowRect();
    EXPECT_EQ(
        std::tuple(r.left, r.top, r.Width(), r.Height()),
        std::tuple(view.left + (view.Width() - 236) / 2, (view.Height() - 391) / 2, 238, 393));
    CharTo(product, kEnter);
    ASSERT_EQ(gs.screen_open, 0);

    // The board vote in front holds the cursor; a news behind it waits
    // without taking the cursor away.
    plat::SendMessage(g_pHauptDialog, kMsgPanelOpenBoardVote);
    f.h.Run();
    plat::Window* vote = g_pHauptDialog->Popup(PanelPopup::BoardVote);
    ASSERT_NE(vote, nullptr);
    const plat::Rect voteRect = vote->GetWindowRect();
    product = Send(kMsgProductNews, 9, PanelPopup::ProductNews);
    ASSERT_NE(product, nullptr);
    EXPECT_FALSE(product->IsWindowVisible());
    plat::Rect clip;
    ASSERT_TRUE(plat::GetClipCursor(&clip));
    EXPECT_EQ(std::tuple(clip.left, clip.top, clip.right, clip.bottom),
              std::tuple(voteRect.left, voteRect.top, voteRect.right, voteRect.bottom));
    // Once the vote closes the news is shown and takes the cursor.
    vote->SendMessage(WM_CHAR, kEnter, 0);
    f.h.Run();
    EXPECT_TRUE(product->IsWindowVisible());
    const plat::Rect shown = product->GetWindowRect();
    ASSERT_TRUE(plat::GetClipCursor(&clip));
    EXPECT_EQ(std::tuple(clip.left, clip.top, clip.right, clip.bottom),
              std::tuple(shown.left, shown.top, shown.right, shown.bottom));
}

TEST_F(NewsPopups, PicturesAndVehicleLinesFollowTheIndex) {
    EXPECT_EQ(ProductNewsPicture(0), "newp_1.jgd");
    EXPECT_EQ(ProductNewsPicture(43), "newp_44.jgd");
    const std::vector<NewsLine> seven = VehicleNewsLines(7);
    ASSERT_EQ(seven.size(), 1u);
    EXPECT_STREQ(seven[0].text, "NOW AVAILABLE");
    const std::vector<NewsLine> train = VehicleNewsLines(18);
    ASSERT_EQ(train.size(), 7u);
    EXPECT_EQ(
        std::tuple(train[1].y, std::string(train[1].text), train[6].y, std::string(train[6].text)),
        std::tuple(70, std::string("Super conductor train"), 182, std::string("Price: 157,000")));
    const std::vector<NewsLine> plane = VehicleNewsLines(24);
    ASSERT_EQ(plane.size(), 5u);
    EXPECT_EQ(std::tuple(plane[4].y, std::string(plane[4].text)),
              std::tuple(150, std::string("Price: 112,000")));
}

TEST_F(NewsPopups, TheBusinessDateRunsOnByTheEventsMonthsAndIgnoresKeys) {
    CGameState& gs = f.gs();
    gs.month = 10;  // November
    gs.year = 1990;
    gs.active_event = 5;
    gs.market_events[5].event_counter = 3;
    EXPECT_EQ(BusinessReportDate(gs), "February 1991");
    for (int8_t none : {int8_t{-1}, int8_t{-2}}) {
        gs.active_event = none;
        EXPECT_EQ(BusinessReportDate(gs), "November 1990");
    }
    gs.month = 11;  // the last month of the year
    EXPECT_EQ(BusinessReportDate(gs), "December 1990");
    plat::Window* news = Send(kMsgBusinessNews, 4, PanelPopup::BusinessNews);
    ASSERT_NE(news, nullptr);
    fvtest::MaybeSaveScreen("flow_news_business");
    CharTo(news, kEnter);
    CharTo(news, kEscape);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::BusinessNews), news);
    news->SendMessage(WM_COMMAND, kCmdOk, 0);
    f.h.Run();
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::BusinessNews), nullptr);
}

TEST_F(NewsPopups, EscapeLeavesAProductNewsOpen) {
    plat::Window* news = Send(kMsgProductNews, 20, PanelPopup::ProductNews);
    ASSERT_NE(news, nullptr);
    CharTo(news, kEscape);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::ProductNews), news);
}

}  // namespace
