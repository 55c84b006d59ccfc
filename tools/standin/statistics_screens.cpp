#include "statistics_screens.h"

#include <string>

#include "font_render.h"
#include "palette.h"
#include "screens.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/statistics_layout.h"
#include "world_files.h"

namespace es = economy_screens;
namespace ss = statistics_screens;

namespace standin {
namespace {

constexpr uint8_t kGround = pal::Shade(pal::kSlate, 2);
constexpr uint8_t kDark = pal::Shade(pal::kSlate, 0);
constexpr uint8_t kField = pal::Shade(pal::kSlate, 1);
constexpr uint8_t kCaption = pal::Shade(pal::kGold, 5);

void Recess(Canvas& c, const plat::Rect& r) {
    c.FillRect(r.left, r.top, r.right - r.left, r.bottom - r.top, kField);
    c.FrameRect(r.left - 1, r.top - 1, r.right - r.left + 2, r.bottom - r.top + 2, kDark);
}

void Caption(Canvas& c, int x, int y, const std::string& text) {
    DrawText(c, x, y, text, 12, FontStyle::Bold, kCaption);
}

void ButtonRecess(Canvas& c, plat::Point p, int w, int h) {
    c.FillRect(p.x - 2, p.y - 2, w + 4, h + 4, kDark);
}

void SelectionBar(Canvas& c) {
    c.FillRect(0, es::kHighlightY, c.width, c.height - es::kHighlightY, kCaption);
    c.FillRect(0, es::kHighlightY, 4, c.height - es::kHighlightY, pal::Shade(pal::kGold, 2));
}

}  // namespace

Canvas MakeStatisticsPage() {
    Canvas c(es::kPageWidth, es::kPageHeight, kGround);
    c.FillRect(0, 0, c.width, 40, kField);
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    DrawTextCentred(c, c.width / 2, 8, "Statistics", 22, FontStyle::Bold, kCaption,
                    pal::Shade(pal::kGrey, 0));
    Caption(c, ss::kStatisticList.left, ss::kStatisticList.top - 18, "Statistic");
    Recess(c, ss::kStatisticList);
    Caption(c, ss::kPeriodList.left, ss::kPeriodList.top - 18, "Period");
    Recess(c, ss::kPeriodList);
    // The chart: a light field with the axes and a grid line per label.
    const int x0 = ss::kChartAt.x;
    const int y0 = ss::kChartAt.y;
    c.FillRect(x0, y0, ss::kChartSize.width, ss::kChartSize.height, pal::Shade(pal::kSlate, 3));
    c.FrameRect(x0, y0, ss::kChartSize.width, ss::kChartSize.height, kDark);
    const plat::Rect axes = ss::kChartAxes;
    for (int k = 0; k <= 10; ++k) {
        const int y = y0 + axes.top + 20 * k;
        c.Line(x0 + axes.left, y, x0 + axes.right, y, pal::Shade(pal::kSlate, 2));
    }
    c.Line(x0 + axes.left, y0 + axes.top, x0 + axes.left, y0 + axes.bottom, pal::kWhite);
    c.Line(x0 + axes.left, y0 + axes.bottom, x0 + axes.right, y0 + axes.bottom, pal::kWhite);
    // The legend's field.
    Recess(c, {ss::kLegendSquare.x - 6, ss::kLegendName.y - 4, 630, ss::kLegendName.y + 70});
    ButtonRecess(c, ss::kStatisticsOkButton, es::kBigButtonWidth, es::kBigButtonHeight);
    return c;
}

Canvas MakeStatisticsSheet() {
    Canvas c(ss::kStatisticsSheetSize.width, ss::kStatisticsSheetSize.height, kGround);
    DrawButtonFace(c, 0, 0, es::kBigButtonWidth, es::kBigButtonHeight, "OK", false);
    DrawButtonFace(c, 0, es::kPressedY, es::kBigButtonWidth, es::kBigButtonHeight, "OK", true);
    SelectionBar(c);
    return c;
}

Canvas MakeAccountsPicture() {
    Canvas c(ss::kAccountsSize.width, ss::kAccountsSize.height, kGround);
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    DrawTextCentred(c, c.width / 2, 8, "Annual accounts", 18, FontStyle::Bold, kCaption,
                    pal::Shade(pal::kGrey, 0));
    static const char* const kRows[ss::kAccountsRows] = {
        "Year",  "Vehicles", "Buildings", "Ways",          "Running costs", "Demolition",
        "Goods", "Interest", "Receipts",  "Annual profit", "Overall profit"};
    for (int r = 0; r < ss::kAccountsRows; ++r) {
        const int y = ss::kAccountsFirstRowY + ss::kAccountsRowStep * r;
        DrawText(c, 8, y + 2, kRows[r], 10, r == 0 ? FontStyle::Bold : FontStyle::Regular,
                 pal::kText);
        c.FillRect(ss::kAccountsBandX, y, ss::kAccountsBandWidth, ss::kAccountsBandHeight, kField);
    }
    DrawText(c, 8, ss::kAccountsCredit.y + 2, "Credit", 10, FontStyle::Bold, pal::kText);
    c.FillRect(ss::kAccountsCredit.x, ss::kAccountsCredit.y, ss::kAccountsCreditWidth,
               ss::kAccountsBandHeight, kField);
    ButtonRecess(c, ss::kTakeUpCreditButton, ss::kCreditButtonWidth,
                 2 * ss::kCreditButtonHeight + 1);
    ButtonRecess(c, ss::kAccountsOkButton, es::kBigButtonWidth, es::kBigButtonHeight);
    return c;
}

Canvas MakeAccountsSheet() {
    Canvas c(ss::kAccountsSheetSize.width, ss::kAccountsSheetSize.height, kGround);
    DrawButtonFace(c, 0, 0, es::kBigButtonWidth, es::kBigButtonHeight, "OK", false);
    DrawButtonFace(c, 0, es::kPressedY, es::kBigButtonWidth, es::kBigButtonHeight, "OK", true);
    const int w = ss::kCreditButtonWidth;
    const int h = ss::kCreditButtonHeight;
    DrawButtonFace(c, ss::kCreditFaceX, 0, w, h, "Take up credit", false);
    DrawButtonFace(c, ss::kCreditFaceX, h, w, h, "Take up credit", true);
    DrawButtonFace(c, ss::kCreditFaceX, ss::kPayBackFaceY, w, h, "Pay back credit", false);
    DrawButtonFace(c, ss::kCreditFaceX, ss::kPayBackFaceY + h, w, h, "Pay back credit", true);
    return c;
}

void AddStatisticsScreenFiles(std::vector<FileRecipe>& files) {
    files.push_back(PictureRecipe(ss::kStatisticsPicture, MakeStatisticsPage));
    files.push_back(PictureRecipe(ss::kStatisticsSheet, MakeStatisticsSheet));
    files.push_back(PictureRecipe(ss::kAccountsPicture, MakeAccountsPicture));
    files.push_back(PictureRecipe(ss::kAccountsSheet, MakeAccountsSheet));
}

}  // namespace standin
