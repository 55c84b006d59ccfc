#pragma once
// Layout of the vehicle screens (schedule, purchase, overview): picture
// names, the places of buttons, lists and figures on the 640 x 480 page and
// the faces on the button sheets. The screens and the stand-in data
// generator share these numbers. Header only.

#include <cstdint>

#include "platform/geometry.h"

namespace vehicle_screens {

constexpr int32_t kPressedY = 40;
constexpr int32_t kOverviewPressedY = 37;
constexpr int32_t kHighlightY = 80;

// --- Purchase screens ----------------------------------------------------
constexpr const char* kTruckPicture = "scr_lkwk.jgd";
constexpr const char* kTruckSheet = "scb_lkwk.jgd";
constexpr const char* kRailPicture = "scr_lokk.jgd";
constexpr const char* kRailSheet = "scb_lokk.jgd";
constexpr plat::Size kPurchaseSheetSize{216, 97};
constexpr plat::Point kModelPicture{40, 75};
constexpr plat::Size kModelPictureSize{320, 240};
constexpr plat::Point kBuyButton{148, 374};
constexpr plat::Point kCancelButton{148, 424};
constexpr int32_t kBuyFaceX = 0;
constexpr int32_t kCancelFaceX = 108;
constexpr int32_t kPurchaseButtonWidth = 108;
constexpr int32_t kPurchaseButtonHeight = 40;
constexpr plat::Rect kTruckModelList{400, 74, 604, 216};
constexpr plat::Rect kRailModelList{400, 74, 604, 227};
constexpr plat::Rect kModelInfoList{392, 288, 604, 458};

// --- Schedule screen -----------------------------------------------------
constexpr plat::Size kScheduleSheetSize{736, 97};
constexpr plat::Point kMapView{20, 86};
constexpr int32_t kMapViewSize = 256;
constexpr int32_t kMapBufferSize = 512;
constexpr plat::Point kSchedulePanel{336, 7};
constexpr plat::Size kSchedulePanelSize{296, 452};
constexpr int32_t kStopRows = 6;
constexpr int32_t kStopRowTop = 70;  // stop-name row i: y 70 + 66 i
constexpr int32_t kStopRowStep = 66;
constexpr int32_t kStopRowLeft = 380;
constexpr int32_t kStopRowRight = 628;
constexpr int32_t kGoodsCellLeft = 340;
constexpr int32_t kGoodsCellTop = 92;
constexpr int32_t kGoodsCellStep = 36;
constexpr int32_t kGoodsCellSize = 32;
constexpr int32_t kWaitBoxLeft = 608;
constexpr int32_t kWaitBoxTop = 100;
constexpr int32_t kWaitBoxSize = 16;
constexpr plat::Point kGoodsPopup{12, 55};
// Faces on the schedule sheet.
constexpr int32_t kArrowFaceWidth = 24;
constexpr int32_t kWaitFaceX = 96;
constexpr int32_t kScrapFaceX = 112;
constexpr int32_t kNewVehicleFaceX = 220;
constexpr int32_t kScheduleCancelFaceX = 328;
constexpr int32_t kScheduleOkFaceX = 436;
constexpr int32_t kBigFaceWidth = 104;
constexpr int32_t kBigFaceHeight = 29;
constexpr int32_t kDeleteStopFaceX = 544;
constexpr int32_t kDeleteStopWidth = 160;
constexpr int32_t kDeleteStopHeight = 20;
constexpr int32_t kSelectionFrameX = 704;
constexpr int32_t kSelectionBarWidth = 248;
constexpr int32_t kSelectionBarHeight = 17;
// Vehicle pictures "uefsN.jgd": 13 cells 64 x 48 in the player's colour.
constexpr int32_t kVehicleCellWidth = 64;
constexpr int32_t kVehicleCellHeight = 48;
constexpr int32_t kVehicleCells = 13;

// The picture cell of a model: trucks by type, rail models 10..18 from 4 on.
constexpr int32_t VehicleCell(int32_t model) {
    return model < 10 ? model / 3 : model - 6;
}

// --- Vehicle overview ------------------------------------------------------
constexpr const char* kOverviewPicture = "scr_uefz.jgd";
constexpr const char* kOverviewSheet = "scb_uefz.jgd";
constexpr plat::Size kOverviewSheetSize{308, 97};
constexpr plat::Point kOverviewCanvas{116, 50};
constexpr plat::Size kOverviewCanvasSize{508, 390};
constexpr plat::Rect kKindList{12, 78, 100, 146};
constexpr int32_t kOverviewColumn = 260;

}  // namespace vehicle_screens
