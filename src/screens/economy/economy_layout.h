#pragma once
// Layout of the economy screens: their picture names and the places of their
// buttons, lists and figures on the 640 x 480 page, and of the faces on their
// button sheets. The screens and the stand-in data generator that draws
// their pictures share these numbers. Header only.

#include <cstdint>

#include "platform/geometry.h"

namespace economy_screens {

constexpr int32_t kPageWidth = 640;
constexpr int32_t kPageHeight = 480;

// Button sheets: normal faces at y 0, pressed 40 below, the selection bar of
// the lists in rows 80..96.
constexpr int32_t kPressedY = 40;
constexpr int32_t kHighlightY = 80;
constexpr int32_t kBigButtonWidth = 108;
constexpr int32_t kBigButtonHeight = 40;
constexpr int32_t kSmallButtonWidth = 36;
constexpr int32_t kSmallButtonHeight = 24;

// Building purchase.
constexpr const char* kPurchasePicture = "scr_gebk.jgd";
constexpr const char* kPurchaseSheet = "scb_gebk.jgd";
constexpr plat::Size kPurchaseSheetSize{216, 97};
constexpr int32_t kBuyFaceX = 0;
constexpr int32_t kCancelFaceX = 108;
constexpr plat::Point kTypePicture{40, 75};
constexpr plat::Size kTypePictureSize{320, 240};
constexpr plat::Rect kCategoryList{400, 74, 604, 142};
constexpr plat::Rect kTypeList{400, 155, 604, 342};
constexpr plat::Rect kInfoList{400, 376, 604, 461};
constexpr plat::Point kBuyButton{148, 374};
constexpr plat::Point kCancelButton{148, 424};
// Picture N of "gks_N.jgd" by building type (-1: none).
constexpr int32_t kTypePictures[32] = {23, -1, -1, -1, -1, -1, 27, -1, -1, -1, -1,
                                       -1, -1, -1, 9,  10, 11, 12, 13, 14, 15, 0,
                                       1,  2,  3,  4,  17, 29, 30, 31, 32, 33};

// Store sales: "scr_N.jgd" / "scb_N.jgd" with N = store type + 29.
constexpr int32_t kSalesPageOffset = 29;
constexpr plat::Size kSalesSheetSize{396, 97};
constexpr plat::Point kSalesProductName{32, 84};
constexpr plat::Rect kSalesProductArea{20, 84, 216, 100};
constexpr plat::Point kSalesSuggested{32, 151};
constexpr plat::Point kSalesIcon{16, 180};
constexpr plat::Point kSalesPrice{104, 249};
constexpr plat::Point kSalesMargin{60, 266};
constexpr plat::Point kSalesDemand{152, 283};
constexpr plat::Point kSalesDelivered{16, 300};
constexpr plat::Point kSalesCurrent{16, 317};
constexpr plat::Point kSalesStock{280, 85};
constexpr int32_t kSalesStockStep = 34;
constexpr plat::Point kPriceUpButton{224, 134};
constexpr plat::Point kPriceDownButton{224, 159};
constexpr plat::Point kSalesOkButton{516, 324};
constexpr plat::Point kSalesCancelButton{516, 374};
constexpr plat::Point kSalesStatisticsButton{516, 424};
constexpr plat::Rect kAdvertisingList{20, 373, 216, 445};
constexpr int32_t kUpFaceX = 0;
constexpr int32_t kDownFaceX = 36;
constexpr int32_t kOkFaceX = 72;
constexpr int32_t kCancelFaceX2 = 180;
constexpr int32_t kStatisticsFaceX = 288;

// Production: "scr_N.jgd" / "scb_N.jgd" with N = building type - 7.
constexpr int32_t kProductionPageOffset = 7;
constexpr plat::Size kProductionSheetSize{288, 97};
constexpr plat::Point kProductionName{28, 95};
constexpr plat::Rect kProductionNameArea{16, 95, 260, 112};
constexpr plat::Point kProductionPicture{276, 84};
constexpr int32_t kProductPictureSize = 200;
constexpr plat::Rect kCostList{8, 162, 256, 281};
constexpr plat::Rect kStockList{8, 332, 344, 434};
constexpr int32_t kStockRowsShown = 6;
constexpr plat::Point kStockUpButton{360, 359};
constexpr plat::Point kStockDownButton{360, 384};
constexpr plat::Point kProductionOkButton{516, 373};
constexpr plat::Point kProductionCancelButton{516, 423};
constexpr plat::Point kProductionPopup{96, 0};

// Product help.
constexpr const char* kHelpPicture = "scr_43.jgd";
constexpr const char* kHelpSheet = "scb_43.jgd";
constexpr plat::Size kHelpSheetSize{180, 80};
constexpr plat::Point kHelpOkButton{268, 422};
constexpr plat::Point kHelpPreviousButton{596, 189};
constexpr plat::Point kHelpNextButton{596, 214};
constexpr int32_t kHelpInputX = 40;
constexpr int32_t kHelpInputY = 70;
constexpr int32_t kHelpInputStep = 80;
constexpr int32_t kHelpInputTextX = 108;
constexpr plat::Point kHelpProduct{240, 150};
constexpr int32_t kHelpFactsX = 40;
constexpr int32_t kHelpFactsY = 314;
constexpr int32_t kHelpListIconX = 352;
constexpr int32_t kHelpListNameX = 392;
constexpr int32_t kHelpListBarX = 388;
constexpr int32_t kHelpListTop = 74;
constexpr int32_t kHelpListStep = 34;
constexpr int32_t kHelpListRight = 588;
constexpr plat::Rect kHelpShownArea{40, 70, 592, 400};

// Depot stock.
constexpr const char* kDepotPicture = "scr_13.jgd";
constexpr const char* kDepotSheet = "scb_13.jgd";
constexpr plat::Size kDepotSheetSize{108, 80};
constexpr plat::Point kDepotOkButton{268, 425};
constexpr plat::Rect kDepotContent{16, 57, 624, 381};
constexpr int32_t kDepotColumns[3] = {0, 224, 432};
constexpr int32_t kDepotRowStep = 65;

// Shared pictures: the goods pictures (64 x 90 per good, the picture in the
// top 64 rows, its name below) and the popup list's backgrounds.
constexpr const char* kGoodsPictures = "ps.jgd";
constexpr int32_t kGoodsPictureSize = 64;

}  // namespace economy_screens
