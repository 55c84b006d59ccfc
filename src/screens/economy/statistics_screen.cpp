#include "screens/economy/statistics_screen.h"

#include <string>

#include "game/opponent.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "gfx/text.h"
#include "panel/list_box.h"
#include "platform/gdi.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/statistics_layout.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/statistics.h"

namespace es = economy_screens;
namespace ss = statistics_screens;

namespace {

constexpr uint32_t kStatisticListId = 1020;
constexpr uint32_t kPeriodListId = 1021;
constexpr int32_t kIntroMonth = 6;  // a sector is listed from July of its year on
constexpr int32_t kLineWidth = 3;

constexpr const char* kStatisticTexts[stat_chart::kStatisticCount] = {
    "Annual profit",           "Overall profit",
    "Total receipts",          "Revenue (Lumber)",
    "Revenue (Jewelry)",       "Revenue (Toys)",
    "Revenue (Sports equip.)", "Revenue (Electronics)",
    "Revenue (Cars)",          "Number of vehicles",
    "Long distance network",   "Total costs",
    "Company worth",           "Points"};

// The revenue lines in list order: statistic code and the factory type whose
// year opens it.
struct Sector {
    int32_t code;
    int32_t factory_type;
};
constexpr Sector kSectors[6] = {{3, 15}, {4, 19}, {5, 18}, {6, 17}, {7, 16}, {8, 14}};

constexpr const char* kMonthLetters[12] = {"J", "F", "M", "A", "M", "J",
                                           "J", "A", "S", "O", "N", "D"};

// The RGB of each player colour.
constexpr plat::ColourRef kPlayerRgb[4] = {
    plat::PaletteRgb(255, 0, 0), plat::PaletteRgb(90, 198, 90), plat::PaletteRgb(0, 90, 231),
    plat::PaletteRgb(255, 255, 8)};

plat::ColourRef PlayerColour(int32_t player) {
    const uint8_t colour = g_pGameState->player_colors[player];
    return kPlayerRgb[colour < 4 ? colour : 0];
}

constexpr ButtonLayout kButtons[] = {
    {.x = ss::kStatisticsOkButton.x,
     .y = ss::kStatisticsOkButton.y,
     .command = kCmdOk,
     .width = es::kBigButtonWidth,
     .height = es::kBigButtonHeight,
     .normal = {0, 0},
     .pressed = {0, es::kPressedY}},
};

}  // namespace

FS_STATISTIK::FS_STATISTIK() : EconomyScreen(kMsgStatisticsDone) {
    for (int32_t i = 0; i < stat_chart::kStatisticCount; ++i) line_codes[i] = i;
}

FS_STATISTIK::~FS_STATISTIK() {
    delete statistic_list;
    delete period_list;
    chart_image.Free();
}

bool FS_STATISTIK::TakesPart(int32_t player) {
    if (player == 0) return true;
    if (player < 0 || player >= kPlayerCount) return false;
    const COpponent* opponent = g_pGameState->opponents[player - 1];
    return opponent != nullptr && opponent->turn_pending != 0;
}

bool FS_STATISTIK::Open(plat::Window* parent) {
    if (!LoadPage(ss::kStatisticsPicture, ss::kStatisticsSheet)) return false;
    if (!chart_image.Create(sheet, ss::kChartSize.width, ss::kChartSize.height)) return false;
    if (!CreatePage(parent, kButtons, kCmdOk, true)) return false;
    statistic_list = MakeList(ss::kStatisticList, kStatisticListId, true, kMsgFirstListClicked);
    FillStatisticList();
    period_list = MakeList(ss::kPeriodList, kPeriodListId, true, kMsgPeriodListClicked);
    period_list->AddLine("12 Years");
    period_list->AddLine("12 Months");
    period_list->SelectLine(0);
    return true;
}

void FS_STATISTIK::FillStatisticList() {
    const CGameState& gs = *g_pGameState;
    statistic_list->Clear();
    line_count = 0;
    const auto add = [this](int32_t code) {
        statistic_list->AddLine(kStatisticTexts[code]);
        line_codes[line_count++] = code;
    };
    for (int32_t code : {0, 1, 2}) add(code);
    for (const Sector& sector : kSectors) {
        const int32_t intro = gs.building_types[sector.factory_type].intro_year;
        if (gs.year > intro || (gs.year == intro && gs.month >= kIntroMonth)) add(sector.code);
    }
    for (int32_t code : {9, 10, 11, 12, 13}) add(code);
    statistic_list->SelectLine(0);
    statistic = line_codes[0];
}

stat_chart::LineChart FS_STATISTIK::Chart() const {
    const CGameState& gs = *g_pGameState;
    const StatPeriod series_period = period == 1 ? StatPeriod::Monthly : StatPeriod::Yearly;
    const StatSeries series = stat_chart::SeriesOfStatistic(statistic);
    stat_chart::PlayerValues values{};
    for (int32_t p = 0; p < kPlayerCount; ++p) {
        for (int32_t k = 0; k < stat_chart::kPoints; ++k) {
            values[p][k] = g_Statistics.Series(series, series_period, p, k);
        }
    }
    return stat_chart::MakeLineChart(values, stat_chart::IsSignedStatistic(statistic),
                                     static_cast<stat_chart::Period>(period), gs.month, gs.year);
}

void FS_STATISTIK::DrawLegend(plat::DeviceContext& dc) {
    const CGameState& gs = *g_pGameState;
    int32_t line = 0;
    for (int32_t p = 0; p < kPlayerCount; ++p) {
        if (!TakesPart(p)) continue;
        const int32_t dy = ss::kLegendStep * line++;
        Text(gs.company_names[p], ss::kLegendName.x, ss::kLegendName.y + dy);
    }
    ShowCanvas(dc);
    RealizeSheetPalette(dc);
    line = 0;
    for (int32_t p = 0; p < kPlayerCount; ++p) {
        if (!TakesPart(p)) continue;
        const int32_t x = origin_x + ss::kLegendSquare.x;
        const int32_t y = origin_y + ss::kLegendSquare.y + ss::kLegendStep * line++;
        plat::FillRect(dc, {x, y, x + ss::kLegendSquareSize, y + ss::kLegendSquareSize},
                       plat::CreateSolidBrush(PlayerColour(p)));
    }
}

void FS_STATISTIK::DrawChart(plat::DeviceContext& dc) {
    const CGameState& gs = *g_pGameState;
    const stat_chart::LineChart chart = Chart();
    plat::BitBlt(*chart_image.dc, 0, 0, ss::kChartSize.width, ss::kChartSize.height,
                 background.dc.get(), ss::kChartAt.x, ss::kChartAt.y, plat::RasterOp::SrcCopy);
    for (int32_t k = 0; k < stat_chart::kLabels; ++k) {
        const std::string text = Amount(chart.labels[k], AmountGroups::All);
        const auto width = static_cast<int32_t>(GetTextWidth(text.c_str(), kFont1Advances));
        chart_image.DrawText(text.c_str(), kFont1Advances, ss::kValueLabelRight - width,
                             ss::kValueLabelTop + 20 * k, gs.images.main_font, 16, 16, 10);
    }
    for (int32_t k = 0; k < stat_chart::kPoints; ++k) {
        const int32_t x = ss::kPeriodLabelX + stat_chart::kStepX * k;
        if (period == static_cast<int32_t>(stat_chart::Period::Months)) {
            chart_image.DrawText(kMonthLetters[chart.period_labels[k]], kFont1Advances, x,
                                 ss::kPeriodLabelY, gs.images.main_font, 16, 16, 10);
        } else {
            const std::string text = std::to_string(chart.period_labels[k]);
            chart_image.DrawTextRaw(text.c_str(), kFont2Advances, x, ss::kPeriodLabelY,
                                    gs.images.small_font, kFont2Cell, kFont2Cell, 10);
        }
    }
    for (int32_t p = 0; p < kPlayerCount; ++p) {
        for (int32_t k = 0; k < stat_chart::kPoints; ++k) {
            points[p][k] = {static_cast<int32_t>(stat_chart::kFirstX + stat_chart::kStepX * k +
                                                 origin_x + ss::kPointOffset.x),
                            static_cast<int32_t>(chart.y[p][k] + origin_y + ss::kPointOffset.y)};
        }
    }
    RealizeSheetPalette(dc);
    plat::BitBlt(dc, origin_x + ss::kChartAt.x, origin_y + ss::kChartAt.y, ss::kChartSize.width,
                 ss::kChartSize.height, chart_image.dc.get(), 0, 0, plat::RasterOp::SrcCopy);
    // The player's line last, so that it lies on top.
    const plat::PenHandle old = dc.SelectedPen();
    for (int32_t p = kPlayerCount - 1; p >= 0; --p) {
        if (!TakesPart(p)) continue;
        dc.SelectPen(plat::CreatePen(plat::PenStyle::Solid, kLineWidth, PlayerColour(p)));
        plat::Polyline(dc, points[p]);
    }
    dc.SelectPen(old);
}

void FS_STATISTIK::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    RestoreCanvas();
    DrawLegend(dc);
    DrawChart(dc);
    RestoreDefaultPalette(dc);
    statistic_list->Redraw(true);
    period_list->Redraw(true);
}

void FS_STATISTIK::Redraw() {
    Invalidate();
    UpdateWindow();
}

bool FS_STATISTIK::OnCommand(uint16_t command) {
    if (command != kCmdOk) return false;
    Close(0);
    return true;
}

bool FS_STATISTIK::OnScreenMessage(uint32_t message, plat::WParam, plat::LParam) {
    switch (message) {
        case kMsgFirstListClicked: {
            const int32_t line = statistic_list->last_clicked;
            if (line >= 0 && line < line_count) statistic = line_codes[line];
            Redraw();
            return true;
        }
        case kMsgPeriodListClicked: {
            const int32_t line = period_list->last_clicked;
            if (line == 0 || line == 1) period = line;
            Redraw();
            return true;
        }
        case WM_LBUTTONDOWN:
            return true;
        default:
            return false;
    }
}

const ScreenEntry kStatisticsScreenEntry = {
    .slot = FrameScreen::Statistics,
    .open_message = kMsgOpenStatistics,
    .done_message = kMsgStatisticsDone,
    .cancel_command = kCmdOk,
    .open_steps = kOpenCommon,
    .done_steps = kDoneCommonResumeMusic,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_STATISTIK>(frame); },
};
