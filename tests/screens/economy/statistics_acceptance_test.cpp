// A free game on a generated world with the real frame, world view and
// control panel, played by clicks: a toy industry and a toy store, some
// months of sales, then the statistics, the annual accounts with credit,
// the store's sales statistics, and both overviews with the screens they
// open. Each screen is written as a PNG into FV_GOLDEN_PNG.

#include <gtest/gtest.h>

#include "free_game_by_clicks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "app/game_tick.h"
#include "app/main_frame.h"
#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "economy/factory.h"
#include "economy/producer.h"
#include "economy/store.h"
#include "panel/control_panel.h"
#include "platform/compositor.h"
#include "platform/input.h"
#include "platform/temp_folder.h"
#include "screens/economy/annual_accounts_window.h"
#include "screens/economy/building_purchase_screen.h"
#include "screens/economy/depot_screen.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/factory_overview_screen.h"
#include "screens/economy/product_help_screen.h"
#include "screens/economy/production_screen.h"
#include "screens/economy/sales_statistics_screen.h"
#include "screens/economy/statistics_layout.h"
#include "screens/economy/statistics_screen.h"
#include "screens/economy/store_overview_screen.h"
#include "screens/economy/store_sales_screen.h"
#include "screens/panel/popup_list.h"
#include "standin.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "view/world_view.h"
#include "world/build_helper.h"
#include "world/terrain.h"

namespace {

namespace es = economy_screens;

constexpr int32_t kBuildingHeading = 11;
constexpr int32_t kInformationHeading = 6;
constexpr int32_t kYearSummaryHeading = 7;
namespace ss = statistics_screens;

class StatisticsScreensAcceptance : public fvtest::FreeGameByClicks {
  protected:
    // The information heading's row of a command.
    // The row's screen opens and the list shows no row checked.
    void InformationRow(uint16_t command) {
        Heading(kInformationHeading);
        PanelRow(command);
        EXPECT_EQ(std::ranges::count(panel().entry_checked, 1), 0) << command;
    }
};

TEST_F(StatisticsScreensAcceptance, ChartsAccountsSalesStatisticsAndOverviews) {
    StartPlaying();

    // A toy industry making a toy and a toy store in the largest city.
    Heading(kBuildingHeading);
    Buy(1, 4, 18, nullptr);
    const int32_t factory = Place(4, 4, false);
    ASSERT_NE(At(factory), nullptr);
    const int32_t toy = 9;
    At(factory)->SetProduct(toy);
    Heading(kBuildingHeading);
    ClickPanel(panel().row_rects[0]);  // "new buildings"
    Buy(2, 0, 21, nullptr);
    const int32_t store = Place(2, 2, true);
    ASSERT_NE(At(store), nullptr);
    Heading(kHeadingNoTool);
    // Some months in which the factory's toys reach the store.
    for (int32_t month = 0; month < 3; ++month) {
        At(store)->PutGoods(toy, 200, 1);
        const int32_t now = gs().month;
        while (gs().month == now) RunGameTick(h.frame);
    }
    int64_t receipts = 0;
    for (int32_t k = 0; k < 12; ++k)
        receipts += g_Statistics.Monthly(StatSeries::TotalReceipts, 0, k);
    EXPECT_GT(receipts, 0);

    // 1. Information, "Statistics"; "Total receipts", "12 Months".
    InformationRow(kCmdStatistics);
    auto* statistics = dynamic_cast<FS_STATISTIK*>(h.frame->Screen(FrameScreen::Statistics));
    ASSERT_NE(statistics, nullptr);
    ClickPage(*statistics, ss::kStatisticList.left + 30, ss::kStatisticList.top + 17 * 2 + 5);
    ClickPage(*statistics, ss::kPeriodList.left + 30, ss::kPeriodList.top + 17 + 5);
    EXPECT_EQ(std::pair(statistics->statistic, statistics->period), std::pair(2, 1));
    {
        const plat::Surface& screen = plat::ComposeScreen();
        const plat::Point p = statistics->ClientToScreen(statistics->points[0][11]);
        const uint8_t player = std::array<uint8_t, 4>{28, 195, 234, 141}[gs().player_colors[0] % 4];
        EXPECT_EQ(screen.pixels[static_cast<size_t>(p.y * screen.stride + p.x)], player);
    }
    fvtest::MaybeSaveScreen("accept_statistics");
    Press(*statistics, kCmdOk);
    EXPECT_EQ(h.frame->Screen(FrameScreen::Statistics), nullptr);

    // 2. The year summary: take up credit twice, OK.
    g_Credit = 0;
    const int64_t cash = gs().cash[0];
    Heading(kYearSummaryHeading);
    auto* accounts = dynamic_cast<YearSummaryWindow*>(panel().year_summary);
    ASSERT_NE(accounts, nullptr);
    Press(accounts->buttons, kCmdTakeUpCredit);
    Press(accounts->buttons, kCmdTakeUpCredit);
    EXPECT_EQ(std::pair(int64_t{g_Credit}, gs().cash[0] - cash),
              std::pair(int64_t{100000}, int64_t{100000}));
    fvtest::MaybeSaveScreen("accept_annual_accounts");
    Press(accounts->buttons, kCmdOk);
    plat::Rect clip{};
    EXPECT_EQ(std::pair(panel().year_summary == nullptr, plat::GetClipCursor(&clip)),
              std::pair(true, false));
    // Its heading is left for no tool.
    EXPECT_EQ(std::pair(panel().current_heading, view().tool),
              std::pair(kHeadingNoTool, kToolNone));

    // 3. The store, a price step, "Statistics", back, again, Close.
    Heading(kHeadingNoTool);
    ClickField(At(store)->anchor_x, At(store)->anchor_y);
    auto* sales = dynamic_cast<FS_VERKAUF*>(h.frame->Screen(FrameScreen::StoreSales));
    ASSERT_NE(sales, nullptr);
    const int32_t step_index = sales->m_product - sales->m_firstProduct;
    const int32_t step = static_cast<CStore*>(At(store))->price_step[step_index];
    Press(*sales, kCmdPriceUp);
    Press(*sales, kCmdSalesStatistics);
    auto* bars = dynamic_cast<FS_VERKAUF_STATISTIK*>(h.frame->Screen(FrameScreen::SalesStatistics));
    ASSERT_NE(bars, nullptr);
    ClickPage(*bars, ss::kModeList.left + 30, ss::kModeList.top + 17 + 5);
    EXPECT_EQ(bars->mode, 1);
    fvtest::MaybeSaveScreen("accept_sales_statistics");
    Press(*bars, kCmdSalesStatistics);
    EXPECT_EQ(std::pair(sales->IsWindowVisible(), sales->m_priceSteps[step_index]),
              std::pair(true, step + 1));
    Press(*sales, kCmdSalesStatistics);
    Press(*bars, kCmdSalesStatisticsCancel);
    EXPECT_EQ(
        std::tuple(h.frame->Screen(FrameScreen::SalesStatistics),
                   h.frame->Screen(FrameScreen::StoreSales),
                   static_cast<int32_t>(static_cast<CStore*>(At(store))->price_step[step_index])),
        std::tuple(nullptr, nullptr, step + 1));

    // 4. "Industries", by location, production of the first row: another
    // product, OK; then its location.
    InformationRow(kCmdFactoryOverview);
    auto* factories = dynamic_cast<FS_FA_UEBER*>(h.frame->Screen(FrameScreen::FactoryOverview));
    ASSERT_NE(factories, nullptr);
    ClickPage(*factories, ss::kSortList.left + 30, ss::kSortList.top + 17 + 5);
    EXPECT_EQ(factories->sort, 1);
    fvtest::MaybeSaveScreen("accept_factory_overview");
    Press(*factories, kCmdOverviewOpen);
    auto* production = dynamic_cast<FS_PRODUKTION*>(h.frame->Screen(FrameScreen::Production));
    ASSERT_NE(production, nullptr);
    EXPECT_EQ(production->m_building, factory);
    ClickPage(*production, es::kProductionNameArea.left + 30, es::kProductionNameArea.top + 5);
    FS_POPUP_LIST& popup = *production->m_productPopup;
    ASSERT_TRUE(popup.IsWindowVisible());
    ClickAt(popup.ClientToScreen(plat::Point{108 + 128 + 20, 42 + 20}));
    const int32_t other = production->m_product;
    EXPECT_NE(other, toy);
    Press(*production, kCmdOk);
    EXPECT_EQ(std::tuple(h.frame->Screen(FrameScreen::Production), factories->IsWindowVisible(),
                         factories->rows[factories->opened_row].product),
              std::tuple(nullptr, true, other));
    Press(*factories, kCmdOverviewGoTo);
    EXPECT_EQ(h.frame->Screen(FrameScreen::FactoryOverview), nullptr);
    EXPECT_EQ(std::pair(view().cursor_x, view().cursor_y),
              std::pair(At(factory)->anchor_x, At(factory)->anchor_y));
    // The camera went with it.
    EXPECT_EQ(
        std::pair(view().centre_x, view().centre_y),
        std::pair((At(factory)->anchor_x - At(factory)->anchor_y) / 2.0,
                  (At(factory)->anchor_x + At(factory)->anchor_y) / 2.0 - view().view_origin));

    // 5. "Stores": a kind off and on, "Sales", OK, "Go to".
    InformationRow(kCmdStoreOverview);
    auto* stores = dynamic_cast<FS_KH_UEBER*>(h.frame->Screen(FrameScreen::StoreOverview));
    ASSERT_NE(stores, nullptr);
    ASSERT_EQ(stores->shown_count, 1);
    ClickPage(*stores, ss::kKindList.left + 30, ss::kKindList.top + 5);
    EXPECT_EQ(stores->shown_count, 0);
    ClickPage(*stores, ss::kKindList.left + 30, ss::kKindList.top + 5);
    EXPECT_EQ(stores->shown_count, 1);
    fvtest::MaybeSaveScreen("accept_store_overview");
    Press(*stores, kCmdOverviewOpen);
    sales = dynamic_cast<FS_VERKAUF*>(h.frame->Screen(FrameScreen::StoreSales));
    ASSERT_NE(sales, nullptr);
    EXPECT_EQ(sales->m_building, store);
    Press(*sales, kCmdOk);
    EXPECT_EQ(
        std::pair(h.frame->Screen(FrameScreen::StoreSales) == nullptr, stores->IsWindowVisible()),
        std::pair(true, true));
    Press(*stores, kCmdOverviewGoTo);
    EXPECT_EQ(h.frame->Screen(FrameScreen::StoreOverview), nullptr);
    EXPECT_EQ(std::pair(view().cursor_x, view().cursor_y),
              std::pair(At(store)->anchor_x, At(store)->anchor_y));
    EXPECT_EQ(std::pair(view().centre_x, view().centre_y),
              std::pair((At(store)->anchor_x - At(store)->anchor_y) / 2.0,
                        (At(store)->anchor_x + At(store)->anchor_y) / 2.0 - view().view_origin));
    EXPECT_EQ(gs().screen_open, 0);
}

}  // namespace
