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

Canvas MakeSalesStatisticsPage(int store_type) {
    static const char* const kStores[6] = {"Toy store", "Sports store",       "Furniture store",
                                           "Jeweler",   "Electronics outlet", "Car dealership"};
    Canvas c(es::kPageWidth, es::kPageHeight, kGround);
    c.FillRect(0, 0, c.width, 40, kField);
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    const int kind = store_type >= 21 && store_type <= 26 ? store_type - 21 : 0;
    DrawTextCentred(c, c.width / 2, 8, std::string(kStores[kind]) + ": sales statistics", 20,
                    FontStyle::Bold, kCaption, pal::Shade(pal::kGrey, 0));
    Recess(c, {ss::kProductPicture.x, ss::kProductPicture.y, ss::kProductPicture.x + 64,
               ss::kProductPicture.y + 64});
    Caption(c, ss::kStoreProfit.x, ss::kStoreProfit.y - 16, "Store profit");
    Caption(c, ss::kProductProfit.x, ss::kProductProfit.y - 16, "Product profit");
    Caption(c, ss::kProductField.left, ss::kProductField.top - 18, "Product (click to choose)");
    c.FillRect(ss::kProductField.left, ss::kProductField.top, ss::kProductField.Width(),
               ss::kProductField.Height(), pal::Shade(pal::kGold, 6));
    Caption(c, ss::kModeList.left, ss::kModeList.top - 18, "Show");
    Recess(c, ss::kModeList);
    const int x0 = ss::kBarChartAt.x;
    const int y0 = ss::kBarChartAt.y;
    c.FillRect(x0, y0, ss::kBarChartSize.width, ss::kBarChartSize.height,
               pal::Shade(pal::kSlate, 3));
    c.FrameRect(x0, y0, ss::kBarChartSize.width, ss::kBarChartSize.height, kDark);
    for (int k = 0; k < 10; ++k) {
        c.Line(x0 + 130, y0 + 12 + 20 * k, x0 + 276, y0 + 12 + 20 * k, pal::Shade(pal::kSlate, 2));
    }
    c.Line(x0 + 130, y0 + 10, x0 + 130, y0 + 212, pal::kWhite);
    c.Line(x0 + 130, y0 + 212, x0 + 276, y0 + 212, pal::kWhite);
    for (plat::Point p :
         {ss::kSalesStatisticsOk, ss::kSalesStatisticsClose, ss::kSalesStatisticsBack})
        ButtonRecess(c, p, es::kBigButtonWidth, es::kBigButtonHeight);
    return c;
}

Canvas MakeSalesStatisticsSheet() {
    Canvas c(ss::kSalesStatisticsSheetSize.width, ss::kSalesStatisticsSheetSize.height, kGround);
    const int w = es::kBigButtonWidth;
    const int h = es::kBigButtonHeight;
    for (auto [x, label] :
         {std::pair{0, "OK"}, {ss::kCloseFaceX, "Close"}, {ss::kBackFaceX, "Back"}}) {
        DrawButtonFace(c, x, 0, w, h, label, false);
        DrawButtonFace(c, x, es::kPressedY, w, h, label, true);
    }
    SelectionBar(c);
    return c;
}

void AddStatisticsScreenFiles(std::vector<FileRecipe>& files) {
    files.push_back(PictureRecipe(ss::kStatisticsPicture, MakeStatisticsPage));
    files.push_back(PictureRecipe(ss::kStatisticsSheet, MakeStatisticsSheet));
    files.push_back(PictureRecipe(ss::kAccountsPicture, MakeAccountsPicture));
    files.push_back(PictureRecipe(ss::kAccountsSheet, MakeAccountsSheet));
    for (int type = 21; type <= 26; ++type) {
        const std::string n = std::to_string(type + ss::kSalesStatisticsPageOffset) + ".jgd";
        files.push_back(
            PictureRecipe("scr_" + n, [type] { return MakeSalesStatisticsPage(type); }));
        files.push_back(PictureRecipe("scb_" + n, MakeSalesStatisticsSheet));
    }
}

}  // namespace standin
