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

namespace {

Canvas OverviewPage(const std::string& title) {
    Canvas c(es::kPageWidth, es::kPageHeight, kGround);
    c.FillRect(0, 0, c.width, 26, kField);
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    DrawTextCentred(c, c.width / 2, 3, title, 18, FontStyle::Bold, kCaption,
                    pal::Shade(pal::kGrey, 0));
    return c;
}

struct SheetFace {
    int x;
    int w;
    int h;
    const char* label;
};
Canvas FaceSheet(plat::Size size, std::initializer_list<SheetFace> faces) {
    Canvas c(size.width, size.height, kGround);
    for (const SheetFace& f : faces) {
        DrawButtonFace(c, f.x, 0, f.w, f.h, f.label, false);
        DrawButtonFace(c, f.x, es::kPressedY, f.w, f.h, f.label, true);
    }
    SelectionBar(c);
    return c;
}

}  // namespace

Canvas MakeFactoryOverviewPage() {
    Canvas c = OverviewPage("Industries");
    // A place without a factory shows only its buttons, so the rows carry no
    // captions of their own: one line above them says what a row holds.
    DrawText(c, 240, 32, "Each row: product, its cost and margin; the stock below", 10,
             FontStyle::Regular, pal::kText);
    for (int p = 0; p < 3; ++p) {
        const int y = ss::kRowPanel.top + 116 * p;
        c.FillRect(ss::kRowPanel.left, y, ss::kRowPanel.Width(), 112, kField);
        c.FrameRect(ss::kRowPanel.left, y, ss::kRowPanel.Width(), 112, kDark);
    }
    Caption(c, ss::kSortList.left, ss::kSortList.top - 18, "Sort by");
    Recess(c, ss::kSortList);
    ButtonRecess(c, ss::kRowUpButton, ss::kArrowWidth, 2 * ss::kArrowHeight + 1);
    ButtonRecess(c, ss::kFactoryOverviewOk, es::kBigButtonWidth, es::kBigButtonHeight);
    return c;
}

Canvas MakeFactoryOverviewSheet() {
    const int w = ss::kRowButtonWidth;
    const int h = ss::kRowButtonHeight;
    return FaceSheet(ss::kFactoryOverviewSheetSize,
                     {{0, ss::kArrowWidth, ss::kArrowHeight, "Up"},
                      {ss::kArrowWidth, ss::kArrowWidth, ss::kArrowHeight, "Dn"},
                      {ss::kFactoryOkFaceX, es::kBigButtonWidth, es::kBigButtonHeight, "OK"},
                      {ss::kProductionFaceX, w, h, "Prod."},
                      {ss::kLocationFaceX, w, h, "Location"}});
}

Canvas MakeStoreOverviewPage() {
    Canvas c = OverviewPage("Stores");
    static const char* const kRows[5] = {"Store", "City", "Customers", "Profit", "Last month"};
    for (int r = 0; r < 5; ++r) {
        DrawText(c, 16, ss::kColumnPanel.top + 17 * r + 1, kRows[r], 10, FontStyle::Regular,
                 pal::kText);
    }
    for (int col = 0; col < 3; ++col) {
        const int x = ss::kColumnPanel.left + 156 * col;
        c.FillRect(x + 4, ss::kColumnPanel.top, 150, ss::kColumnPanel.Height(), kField);
        c.FrameRect(x + 4, ss::kColumnPanel.top, 150, ss::kColumnPanel.Height(), kDark);
    }
    Caption(c, ss::kKindList.left, ss::kKindList.top - 18, "Kinds");
    Recess(c, ss::kKindList);
    for (plat::Point p : {ss::kStoreOverviewOk, ss::kColumnBackButton, ss::kColumnOnButton})
        ButtonRecess(c, p, es::kBigButtonWidth, es::kBigButtonHeight);
    return c;
}

Canvas MakeStoreOverviewSheet() {
    const int bw = es::kBigButtonWidth;
    const int bh = es::kBigButtonHeight;
    const int w = ss::kRowButtonWidth;
    const int h = ss::kRowButtonHeight;
    return FaceSheet(ss::kStoreOverviewSheetSize, {{0, bw, bh, "OK"},
                                                   {ss::kColumnBackFaceX, bw, bh, "<<"},
                                                   {ss::kColumnOnFaceX, bw, bh, ">>"},
                                                   {ss::kSalesFaceX, w, h, "Sales"},
                                                   {ss::kGoToFaceX, w, h, "Go to"}});
}

void AddStatisticsScreenFiles(std::vector<FileRecipe>& files) {
    files.push_back(PictureRecipe(ss::kStatisticsPicture, MakeStatisticsPage));
    files.push_back(PictureRecipe(ss::kStatisticsSheet, MakeStatisticsSheet));
    files.push_back(PictureRecipe(ss::kAccountsPicture, MakeAccountsPicture));
    files.push_back(PictureRecipe(ss::kAccountsSheet, MakeAccountsSheet));
    files.push_back(PictureRecipe(ss::kFactoryOverviewPicture, MakeFactoryOverviewPage));
    files.push_back(PictureRecipe(ss::kFactoryOverviewSheet, MakeFactoryOverviewSheet));
    files.push_back(PictureRecipe(ss::kStoreOverviewPicture, MakeStoreOverviewPage));
    files.push_back(PictureRecipe(ss::kStoreOverviewSheet, MakeStoreOverviewSheet));
    for (int type = 21; type <= 26; ++type) {
        const std::string n = std::to_string(type + ss::kSalesStatisticsPageOffset) + ".jgd";
        files.push_back(
            PictureRecipe("scr_" + n, [type] { return MakeSalesStatisticsPage(type); }));
        files.push_back(PictureRecipe("scb_" + n, MakeSalesStatisticsSheet));
    }
}

}  // namespace standin
