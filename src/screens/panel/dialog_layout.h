#pragma once
// Layout of the control panel's dialog screens: where their pictures hold
// the printed fields and marks, where their sheets hold the button faces and
// marks, and where the buttons stand. The screens and the stand-in data
// generator that draws their pictures share these numbers. Header only.

#include <cstdint>

#include "platform/geometry.h"

namespace dialog_layout {

constexpr int32_t kButtonWidth = 108;
constexpr int32_t kButtonHeight = 40;
constexpr int32_t kPressedFaceY = 40;  // every pressed face lies 40 below its normal one

// --- The yes/no questions: 272 x 200 pictures, the question in x 0..140 ------
constexpr int32_t kConfirmWidth = 272;
constexpr int32_t kConfirmHeight = 200;
constexpr int32_t kConfirmTextRight = 140;
constexpr plat::Point kConfirmOk = {148, 101};
constexpr plat::Point kConfirmCancel = {148, 151};
constexpr int32_t kConfirmOkFaceX = 108;  // the sheet is 216 x 80
constexpr int32_t kConfirmCancelFaceX = 0;
constexpr int32_t kConfirmPictures[] = {14, 18, 21, 22, 32, 48};

// --- The structure information window ----------------------------------------
// Pictures 1..5 are 420 x 151, picture 6 (steel mill) 420 x 356; each sheet
// is 108 x 80 with the close faces at (0, 0) and (0, 40).
constexpr int32_t kInfoWidth = 420;
constexpr int32_t kInfoHeight = 151;
constexpr int32_t kInfoSteelHeight = 356;
constexpr int32_t kInfoSteelPicture = 6;
constexpr plat::Point kInfoClose = {312, 111};
constexpr plat::Point kInfoSteelClose = {312, 316};
constexpr int32_t kFigureHeight = 16;
// One figure: the strip of the picture restored under it and where it is
// written (the stock strips are taken 4 pixels left of their place).
struct FigurePlace {
    int32_t src_x, src_y, width, x, y;
};
constexpr FigurePlace kOutputPlace = {196, 97, 32, 196, 97};
constexpr FigurePlace kStockPlace = {208, 114, 24, 212, 114};
constexpr FigurePlace kForestPlace = {192, 131, 46, 192, 131};
constexpr int32_t kSteelBlockStep = 104;  // the steel mill's three blocks
constexpr int32_t kLumberPicture = 4;

// --- The list and choice screens' sheets: 320 x 97 --------------------------
constexpr int32_t kSheetWidth = 320;
constexpr int32_t kSheetHeight = 97;
constexpr int32_t kMarkSize = 16;
constexpr int32_t kMarkChosenX = 0;  // at y 0
constexpr int32_t kMarkOtherX = 16;
constexpr int32_t kOkFaceX = 32;
constexpr int32_t kCancelFaceX = 140;
constexpr int32_t kPageWidth = 36;
constexpr int32_t kPageHeight = 24;
constexpr int32_t kPageUpFaceX = 248;
constexpr int32_t kPageDownFaceX = 284;
constexpr int32_t kListBarY = 80;  // the list's selection bar, 240 x 17
constexpr int32_t kListBarWidth = 240;

// --- Company name (39, 240 x 256) and the renaming screens (40, 41, 240 x 200)
constexpr int32_t kCompanyPicture = 39;
constexpr int32_t kTerminalRenamePicture = 40;
constexpr int32_t kCityRenamePicture = 41;
constexpr int32_t kNameScreenWidth = 240;
constexpr int32_t kCompanyHeight = 256;
constexpr int32_t kRenameHeight = 200;
constexpr plat::Rect kNameField = {17, 85, 224, 106};
constexpr plat::Point kNameStrip = {32, 90};
constexpr int32_t kNameStripWidth = 192;
constexpr int32_t kNameStripHeight = 17;
constexpr plat::Point kCompanyOk = {128, 211};
constexpr plat::Point kRenameOk = {128, 151};
constexpr plat::Point kColourBoxes[4] = {{20, 150}, {84, 150}, {148, 150}, {212, 150}};

// --- Find (44, 336 x 320) ------------------------------------------------------
constexpr int32_t kFindPicture = 44;
constexpr int32_t kFindWidth = 336;
constexpr int32_t kFindHeight = 320;
constexpr plat::Rect kFindList = {20, 59, 252, 229};
constexpr plat::Point kFindPageUp = {260, 122};
constexpr plat::Point kFindPageDown = {260, 147};
constexpr plat::Point kFindOk = {212, 271};
constexpr plat::Point kFindCancel = {44, 271};

// --- City growth (62, 320 x 200) ---------------------------------------------
constexpr int32_t kGrowthPicture = 62;
constexpr int32_t kGrowthWidth = 320;
constexpr int32_t kGrowthHeight = 200;
constexpr int32_t kGrowthColumns[3] = {56, 128, 200};  // each 72 wide
constexpr int32_t kGrowthRows[3] = {58, 82, 106};      // each 17 high
constexpr int32_t kGrowthCellWidth = 72;
constexpr int32_t kGrowthCellHeight = 17;
constexpr plat::Point kGrowthOk = {108, 151};

// --- Options (64, 280 x 400) ------------------------------------------------------
constexpr int32_t kOptionsPicture = 64;
constexpr int32_t kOptionsWidth = 280;
constexpr int32_t kOptionsHeight = 400;
constexpr int32_t kOptionRowTop = 75;
constexpr int32_t kOptionRowHeight = 24;
constexpr int32_t kOptionRows = 10;
constexpr int32_t kOptionLeft = 16;
// The mark of each row (music, vehicle sounds, ambient sounds, city traffic,
// animations, seasons, autosave, scroll speed 1, 2, 4).
constexpr plat::Point kOptionMarks[kOptionRows] = {{48, 75},  {48, 99},  {48, 123}, {16, 147},
                                                   {16, 171}, {16, 195}, {80, 219}, {48, 243},
                                                   {48, 267}, {48, 291}};
constexpr plat::Point kOptionsOk = {24, 342};
constexpr plat::Point kOptionsCancel = {152, 342};

}  // namespace dialog_layout
