// The statistics screen and the annual accounts window on the headless back
// end: what the statistic list offers, the chart of known series with the
// players' lines, and the credit buttons.

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "game/opponent.h"
#include "panel/list_box.h"
#include "platform/compositor.h"
#include "platform/input.h"
#include "screens/economy/annual_accounts_window.h"
#include "screens/economy/economy_screen_host.h"
#include "screens/economy/statistics_layout.h"
#include "screens/economy/statistics_screen.h"
#include "state/statistics.h"

namespace {

namespace ss = statistics_screens;

uint64_t Picture(const std::string& name) {
    fvtest::MaybeSaveScreen(name);
    return fvtest::ScreenHash(1024, 768);
}

constexpr uint8_t kPlayerIndex[4] = {28, 195, 234, 141};

// A pixel of the screen as last composed.
uint8_t Pixel(const plat::Surface& screen, plat::Point p) {
    if (p.x < 0 || p.y < 0 || p.x >= screen.width || p.y >= screen.height) return 0;
    return screen.pixels[static_cast<size_t>(p.y * screen.stride + p.x)];
}

class StatisticsScreens : public econscreens::ScreenHost {
  protected:
    StatisticsScreens() {
        ClearStatistics();
        for (int32_t p = 0; p < 4; ++p) gs().player_colors[p] = static_cast<uint8_t>(p);
        std::strcpy(gs().company_names[0], "Ferro Freight");
        for (int32_t slot = 0; slot < 3; ++slot) {
            if (gs().opponents[slot] == nullptr) {
                gs().opponents[slot] = new COpponent(slot, slot, COpponent::Detached{});
                made_[slot] = true;
            }
            gs().opponents[slot]->turn_pending = 1000;
            std::snprintf(gs().company_names[slot + 1], sizeof gs().company_names[0], "Rival %d",
                          slot + 1);
        }
    }
    ~StatisticsScreens() override {
        h.frame->DeleteScreen(FrameScreen::Statistics);
        for (int32_t slot = 0; slot < 3; ++slot) {
            if (!made_[slot]) continue;
            delete gs().opponents[slot];
            gs().opponents[slot] = nullptr;
        }
        ClearStatistics();
    }
    FS_STATISTIK* OpenStatistics() {
        return OpenBy<FS_STATISTIK>(kMsgOpenStatistics, FrameScreen::Statistics);
    }
    void Line(FS_STATISTIK& s, const plat::Rect& list, int32_t line) {
        Click(s, list.left + 30, list.top + 17 * line + 5);
    }

  private:
    bool made_[3] = {};
};

TEST_F(StatisticsScreens, BeforeJulyOfTheCarYearTheCarLineIsMissingAndCodesStillFollow) {
    gs().building_types[14].intro_year = 1990;
    for (const auto& [month, lines] : {std::pair{5, 13}, {6, 14}}) {
        gs().month = month;
        FS_STATISTIK* s = OpenStatistics();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->statistic_list->LineCount(), lines);
        EXPECT_EQ(s->statistic_list->GetLine(lines - 6),
                  lines == 14 ? "Revenue (Cars)" : "Revenue (Electronics)");
        // "Number of vehicles" still charts the vehicle count.
        Line(*s, ss::kStatisticList, lines - 5);
        EXPECT_EQ(s->statistic, 9);
        Line(*s, ss::kStatisticList, 1);
        EXPECT_EQ(s->statistic, 1);
        Press(*s, kCmdOk);
        EXPECT_EQ(h.frame->Screen(FrameScreen::Statistics), nullptr);
    }
}

TEST_F(StatisticsScreens, ChartOfThreeCompaniesWithTheirLinesAndLegend) {
    gs().year = 1963;
    gs().month = 4;
    gs().opponents[2]->turn_pending = 0;  // opponent 3 takes no part
    for (int32_t k = 0; k < 12; ++k) {
        g_Statistics.Monthly(StatSeries::TotalReceipts, 0, k) = 20'000 + 9'000 * k;
        g_Statistics.Monthly(StatSeries::TotalReceipts, 1, k) = 60'000 - 4'000 * k;
        g_Statistics.Monthly(StatSeries::TotalReceipts, 2, k) = (k % 3) * 30'000;
        g_Statistics.Monthly(StatSeries::TotalReceipts, 3, k) = 90'000;
    }
    FS_STATISTIK* s = OpenStatistics();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::pair(s->statistic, s->period), std::pair(0, 0));
    Line(*s, ss::kStatisticList, 2);  // "Total receipts"
    Line(*s, ss::kPeriodList, 1);     // "12 Months"
    EXPECT_EQ(std::pair(s->statistic, s->period), std::pair(2, 1));
    const stat_chart::LineChart chart = s->Chart();
    EXPECT_EQ(chart.axis.top, 200'000);  // opponent 3's 90,000 counts for the axis only
    const plat::Surface& screen = plat::ComposeScreen();
    for (int32_t k = 0; k < 12; ++k) {
        EXPECT_EQ(Pixel(screen, s->ClientToScreen(s->points[0][k])), kPlayerIndex[0]) << k;
    }
    // Neither a legend line nor a line of the absent opponent.
    const plat::Point corner = s->ClientToScreen(plat::Point{s->origin_x, s->origin_y});
    int32_t absent = 0;
    for (int32_t y = 0; y < 480; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            absent += Pixel(screen, {corner.x + x, corner.y + y}) == kPlayerIndex[3] ? 1 : 0;
        }
    }
    EXPECT_EQ(absent, 0);
    const plat::Point third = s->ClientToScreen(plat::Point{
        s->origin_x + ss::kLegendSquare.x + 4, s->origin_y + ss::kLegendSquare.y + 2 * 17 + 4});
    EXPECT_EQ(Pixel(screen, third), kPlayerIndex[2]);
    EXPECT_EQ(Picture("statistics"), 6067328180371838372ull);
}

class AnnualAccounts : public StatisticsScreens {
  protected:
    AnnualAccounts() {
        for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
            if (recipe.path != ss::kAccountsPicture && recipe.path != ss::kAccountsSheet) continue;
            const std::vector<uint8_t> bytes = recipe.make();
            std::ofstream(std::filesystem::path(h.folder.Path()) / recipe.path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
        }
    }
    // Opened and not yet painted.
    YearSummaryWindow* OpenAccounts() {
        auto* w = new YearSummaryWindow;
        if (w->Open(*panel_, {})) return w;
        delete w;
        return nullptr;
    }
};

TEST_F(AnnualAccounts, CreditStepsAndTheirLimits) {
    struct Case {
        int32_t credit;
        int64_t cash;
        bool take_up;
        bool changed;
        int32_t credit_after;
        int64_t cash_after;
    };
    const Case kCases[] = {
        {1'000'000, 500'000, true, false, 1'000'000, 500'000},
        {950'000, 500'000, true, true, 1'000'000, 550'000},
        {0, 500'000, false, false, 0, 500'000},
        {100'000, 50'000, false, false, 100'000, 50'000},
        {100'000, 50'001, false, true, 50'000, 1},
        {20'000, 80'000, false, true, 0, 60'000},  // a loaded odd credit stops at 0
    };
    for (const Case& c : kCases) {
        g_Credit = c.credit;
        gs().cash[0] = c.cash;
        EXPECT_EQ(c.take_up ? TakeUpCredit() : PayBackCredit(), c.changed) << c.credit;
        EXPECT_EQ(std::pair(g_Credit, gs().cash[0]), std::pair(c.credit_after, c.cash_after));
    }
}

TEST_F(AnnualAccounts, TableOfLastAndThisYear) {
    gs().year = 1960;
    g_Statistics.PairLast(StatPair::A, 0) = 120'000;
    g_Statistics.PairThis(StatPair::E, 0) = 1'000;
    g_Statistics.PairThis(StatPair::F, 0) = 2'500;
    g_Statistics.PairThis(StatPair::J, 0) = -45'600;
    g_Statistics.PairThis(StatPair::G, 0) = -7;
    g_Credit = 150'000;
    const AccountsTable t = MakeAccountsTable();
    EXPECT_EQ(t.cells[0], (std::array<std::string, 2>{"1959", "1960"}));
    EXPECT_EQ(t.cells[1][0], "120,000");
    EXPECT_EQ(t.cells[5][1], "3,500");
    EXPECT_EQ(t.cells[6][1], "-7");
    EXPECT_EQ(t.cells[9][1], "-45,600");
    EXPECT_EQ(t.credit, "150,000");
}

TEST_F(AnnualAccounts, NothingIsWrittenBeforeThePaintAndTheWindowIsPainted) {
    gs().year = 1961;
    g_Statistics.PairThis(StatPair::I, 0) = 345'000;
    g_Statistics.PairLast(StatPair::K, 0) = -12'000;
    view_->MoveWindow({0, 0, 864, 700});
    YearSummaryWindow* w = OpenAccounts();
    ASSERT_NE(w, nullptr);
    w->Draw();
    EXPECT_EQ(w->painted, 0);
    const int32_t size = w->canvas.Stride() * w->height;
    EXPECT_EQ(std::memcmp(w->canvas.pixels, w->background.pixels, static_cast<size_t>(size)), 0);
    h.Run();
    EXPECT_EQ(w->painted, 1);
    EXPECT_NE(std::memcmp(w->canvas.pixels, w->background.pixels, static_cast<size_t>(size)), 0);
    // The cursor is kept inside the window.
    plat::Rect clip{};
    EXPECT_TRUE(plat::GetClipCursor(&clip));
    EXPECT_EQ(clip, w->GetWindowRect());
    // Take up credit by its button.
    g_Credit = 0;
    gs().cash[0] = 10'000;
    const plat::Rect b = w->buttons[0]->GetWindowRect();
    h.host.AdvanceClock(1000);
    h.host.InjectClick({(b.left + b.right) / 2, (b.top + b.bottom) / 2});
    h.Run();
    EXPECT_EQ(std::pair(g_Credit, gs().cash[0]), std::pair(50'000, int64_t{60'000}));
    EXPECT_EQ(Picture("annual_accounts"), 1724331225428112347ull);
    delete w;
    EXPECT_FALSE(plat::GetClipCursor(&clip));
}

}  // namespace
