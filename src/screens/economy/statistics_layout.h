#pragma once
// Where things stand on the statistics screen and the annual accounts
// window, shared with the stand-in pictures (tools/standin).

#include <cstdint>

#include "platform/geometry.h"

namespace statistics_screens {

// The statistics screen, a 640 x 480 page.
inline constexpr const char* kStatisticsPicture = "scr_stat.jgd";
inline constexpr const char* kStatisticsSheet = "scb_stat.jgd";
inline constexpr plat::Size kStatisticsSheetSize{216, 97};
inline constexpr plat::Point kStatisticsOkButton{268, 431};
inline constexpr plat::Rect kStatisticList{28, 109, 224, 364};
inline constexpr plat::Rect kPeriodList{252, 347, 388, 381};
inline constexpr plat::Point kChartAt{255, 46};  // the chart picture on the page
inline constexpr plat::Size kChartSize{360, 240};
inline constexpr plat::Rect kChartAxes{123, 10, 343, 210};  // in the chart picture
inline constexpr int32_t kValueLabelRight = 100;
inline constexpr int32_t kValueLabelTop = 3;
inline constexpr int32_t kPeriodLabelX = 115;
inline constexpr int32_t kPeriodLabelY = 218;
inline constexpr plat::Point kLegendName{428, 313};
inline constexpr plat::Point kLegendSquare{412, 316};
inline constexpr int32_t kLegendSquareSize = 12;
inline constexpr int32_t kLegendStep = 17;
// Page offset of the chart's points in the window: chart x + 253, y + 46.
inline constexpr plat::Point kPointOffset{253, 46};

// The annual accounts window.
inline constexpr const char* kAccountsPicture = "jahr.jgd";
inline constexpr const char* kAccountsSheet = "scb_jahr.jgd";
inline constexpr plat::Size kAccountsSize{360, 316};
inline constexpr plat::Size kAccountsSheetSize{300, 80};
inline constexpr int32_t kAccountsCaptionRight = 124;  // the row captions end here
inline constexpr int32_t kAccountsBandX = 152;
inline constexpr int32_t kAccountsBandWidth = 192;
inline constexpr int32_t kAccountsBandHeight = 16;
inline constexpr int32_t kAccountsFirstRowY = 41;
inline constexpr int32_t kAccountsRowStep = 17;
inline constexpr int32_t kAccountsRows = 11;  // the years and ten value rows
inline constexpr int32_t kAccountsLastYearRight = 249;
inline constexpr int32_t kAccountsThisYearRight = 344;
inline constexpr plat::Point kAccountsCredit{124, 228};
inline constexpr int32_t kAccountsCreditWidth = 196;
inline constexpr plat::Point kTakeUpCreditButton{16, 265};
inline constexpr plat::Point kPayBackCreditButton{16, 286};
inline constexpr plat::Point kAccountsOkButton{240, 267};
inline constexpr int32_t kCreditButtonWidth = 192;
inline constexpr int32_t kCreditButtonHeight = 20;
inline constexpr int32_t kCreditFaceX = 108;
inline constexpr int32_t kPayBackFaceY = 40;

}  // namespace statistics_screens

namespace statistics_screens {

// The sales statistics of a store: "scr_56".."scr_61" by store type 21..26.
inline constexpr int32_t kSalesStatisticsPageOffset = 35;
inline constexpr plat::Size kSalesStatisticsSheetSize{324, 97};
inline constexpr plat::Point kSalesStatisticsOk{516, 324};
inline constexpr plat::Point kSalesStatisticsClose{516, 374};
inline constexpr plat::Point kSalesStatisticsBack{516, 424};
inline constexpr int32_t kCloseFaceX = 108;
inline constexpr int32_t kBackFaceX = 216;
inline constexpr plat::Rect kModeList{20, 389, 216, 423};
inline constexpr plat::Rect kProductField{20, 335, 216, 352};
inline constexpr plat::Point kProductPicture{24, 57};
inline constexpr plat::Point kProductName{24, 126};
inline constexpr plat::Point kStoreProfit{24, 230};
inline constexpr plat::Point kProductProfit{24, 263};
inline constexpr plat::Point kBarChartAt{176, 44};
inline constexpr plat::Size kBarChartSize{280, 240};
inline constexpr int32_t kBarLabelRight = 123;
inline constexpr plat::Point kBarCaption{140, 223};
inline constexpr int32_t kFirstBarX = 136;
inline constexpr int32_t kBarStep = 12;
inline constexpr plat::Point kDemandLegend{176, 294};
inline constexpr plat::Point kSuppliedLegend{176, 311};

}  // namespace statistics_screens

namespace statistics_screens {

// The factory overview: three rows of factories.
inline constexpr const char* kFactoryOverviewPicture = "scr_uefa.jgd";
inline constexpr const char* kFactoryOverviewSheet = "scb_uefa.jgd";
inline constexpr plat::Size kFactoryOverviewSheetSize{316, 97};
inline constexpr plat::Point kFactoryOverviewOk{476, 418};
inline constexpr plat::Point kRowUpButton{592, 200};
inline constexpr plat::Point kRowDownButton{592, 225};
inline constexpr int32_t kArrowWidth = 36;
inline constexpr int32_t kArrowHeight = 24;
inline constexpr int32_t kFactoryOkFaceX = 72;
inline constexpr int32_t kProductionFaceX = 180;
inline constexpr int32_t kLocationFaceX = 248;
inline constexpr int32_t kRowButtonWidth = 68;
inline constexpr int32_t kRowButtonHeight = 20;
inline constexpr plat::Point kProductionButtons[3] = {{500, 58}, {500, 174}, {500, 290}};
inline constexpr plat::Point kFactoryLocationButtons[3] = {{500, 84}, {500, 200}, {500, 316}};
inline constexpr plat::Rect kSortList{160, 421, 288, 455};
inline constexpr plat::Rect kRowPanel{20, 51, 568, 396};
inline constexpr plat::Rect kStateStrip{20, 30, 220, 47};

// The store overview: three columns of stores.
inline constexpr const char* kStoreOverviewPicture = "scr_uevk.jgd";
inline constexpr const char* kStoreOverviewSheet = "scb_uevk.jgd";
inline constexpr plat::Size kStoreOverviewSheetSize{460, 97};
inline constexpr plat::Point kStoreOverviewOk{24, 427};
inline constexpr plat::Point kColumnBackButton{272, 427};
inline constexpr plat::Point kColumnOnButton{420, 427};
inline constexpr int32_t kColumnBackFaceX = 108;
inline constexpr int32_t kColumnOnFaceX = 216;
inline constexpr int32_t kSalesFaceX = 324;
inline constexpr int32_t kGoToFaceX = 392;
inline constexpr plat::Point kSalesButtons[3] = {{168, 392}, {324, 392}, {480, 392}};
inline constexpr plat::Point kStoreLocationButtons[3] = {{244, 392}, {400, 392}, {556, 392}};
inline constexpr plat::Rect kKindList{16, 261, 144, 397};
inline constexpr plat::Rect kColumnPanel{160, 52, 628, 392};

}  // namespace statistics_screens
