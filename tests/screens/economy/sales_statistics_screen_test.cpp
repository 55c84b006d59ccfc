// The sales statistics of a store, reached from its sales screen: the bar
// chart's figures and picture, and the way back and out through the frame
// (OK and Close both close the two through the sales screen's OK).

#include <gtest/gtest.h>

#include <tuple>

#include "economy/store.h"
#include "panel/list_box.h"
#include "screens/economy/economy_screen_host.h"
#include "screens/economy/sales_statistics_screen.h"
#include "screens/economy/statistics_layout.h"
#include "screens/economy/store_sales_screen.h"

namespace {

namespace ss = statistics_screens;

uint64_t Picture(const std::string& name) {
    fvtest::MaybeSaveScreen(name);
    return fvtest::ScreenHash(1024, 768);
}

class SalesStatistics : public econscreens::ScreenHost {
  protected:
    SalesStatistics() {
        store = Place(21, 10, 10);
        B<CStore>(store).SetProduct(9);
        for (int32_t p = 0; p < 4; ++p) gs().player_colors[p] = static_cast<uint8_t>(p);
    }
    ~SalesStatistics() override { h.frame->DeleteScreen(FrameScreen::SalesStatistics); }
    FS_VERKAUF* OpenSales() {
        return OpenBy<FS_VERKAUF>(kMsgOpenStoreSales, FrameScreen::StoreSales);
    }
    FS_VERKAUF_STATISTIK* Statistics() {
        return dynamic_cast<FS_VERKAUF_STATISTIK*>(h.frame->Screen(FrameScreen::SalesStatistics));
    }
    int32_t store = 0;
};

TEST_F(SalesStatistics, CaptionRunsOverTheLastTwelveMonths) {
    EXPECT_EQ(FS_VERKAUF_STATISTIK::PeriodCaption(11, 1990), "Jan 1990 - Dec 1990");
    EXPECT_EQ(FS_VERKAUF_STATISTIK::PeriodCaption(0, 1990), "Feb 1989 - Jan 1990");
    EXPECT_EQ(FS_VERKAUF_STATISTIK::PeriodCaption(5, 1961), "Jul 1960 - Jun 1961");
}

TEST_F(SalesStatistics, BackAndAgainThenCloseKeepsThePriceStep) {
    FS_VERKAUF* sales = OpenSales();
    ASSERT_NE(sales, nullptr);
    Press(*sales, kCmdPriceUp);
    EXPECT_EQ(sales->m_priceSteps[1], 1);
    Press(*sales, kCmdSalesStatistics);
    FS_VERKAUF_STATISTIK* s = Statistics();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::tuple(s->building, s->product, s->store_type, sales->IsWindowVisible()),
              std::tuple(store, 9, 21, false));
    Click(*s, ss::kModeList.left + 20, ss::kModeList.top + 17 + 5);
    EXPECT_EQ(s->mode, 1);
    // Back: the sales screen as the player left it; the statistics wait.
    Press(*s, kCmdSalesStatistics);
    EXPECT_EQ(std::tuple(sales->IsWindowVisible(), s->IsWindowVisible(), Statistics()),
              std::tuple(true, false, s));
    EXPECT_EQ(sales->m_priceSteps[1], 1);
    Press(*sales, kCmdSalesStatistics);
    EXPECT_EQ(std::tuple(Statistics(), s->IsWindowVisible(), sales->IsWindowVisible(), s->mode),
              std::tuple(s, true, false, 1));
    Press(*s, kCmdSalesStatisticsCancel);
    EXPECT_EQ(std::tuple(Statistics(), g_pStoreSalesScreen, B<CStore>(store).price_step[1],
                         gs().screen_open),
              std::tuple(nullptr, nullptr, 1, 0));
}

TEST_F(SalesStatistics, OkCommitsTheSalesScreenOnce) {
    FS_VERKAUF* sales = OpenSales();
    ASSERT_NE(sales, nullptr);
    Press(*sales, kCmdPriceUp);
    Press(*sales, kCmdSalesStatistics);
    FS_VERKAUF_STATISTIK* s = Statistics();
    ASSERT_NE(s, nullptr);
    s->SendMessage(WM_CHAR, 13);  // Enter is OK
    h.Run();
    EXPECT_EQ(std::tuple(Statistics(), g_pStoreSalesScreen, B<CStore>(store).price_step[1]),
              std::tuple(nullptr, nullptr, 1));
}

// The frame's close of the information windows goes through the statistics'
// Close, which keeps the sales screen's changes; a sales screen open on its
// own gets its cancel and keeps nothing.
TEST_F(SalesStatistics, ClosingTheInformationWindowsCommitsOnlyThroughTheStatistics) {
    for (const bool statistics : {true, false}) {
        SCOPED_TRACE(statistics);
        B<CStore>(store).price_step[1] = 0;
        FS_VERKAUF* sales = OpenSales();
        ASSERT_NE(sales, nullptr);
        Press(*sales, kCmdPriceUp);
        if (statistics) {
            Press(*sales, kCmdSalesStatistics);
            ASSERT_NE(Statistics(), nullptr);
        }
        h.frame->SendMessage(kMsgCloseInfoWindows);
        h.Run();
        EXPECT_EQ(std::tuple(Statistics(), g_pStoreSalesScreen, B<CStore>(store).price_step[1],
                             gs().screen_open),
                  std::tuple(nullptr, nullptr, statistics ? 1 : 0, 0));
    }
}

TEST_F(SalesStatistics, ProfitBarsOfAYear) {
    gs().month = 11;
    CStore& b = B<CStore>(store);
    const int32_t i = 9 - 8;  // the toy store's second product
    for (int32_t m = 0; m < 12; ++m) b.profit_monthly[m][i] = 10'000 * m - 20'000;
    b.profit_monthly[7][i] = 150'000;
    b.profit_total = 345'678;
    FS_VERKAUF* sales = OpenSales();
    ASSERT_NE(sales, nullptr);
    Press(*sales, kCmdSalesStatistics);
    ASSERT_NE(Statistics(), nullptr);
    EXPECT_EQ(Picture("sales_statistics"), 11203056747439078539ull);
}

}  // namespace
