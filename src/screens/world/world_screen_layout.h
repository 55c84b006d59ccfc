#pragma once
// Layout of the editor's new-world and editor-start screens: the places of
// the printed options on their 640 x 480 pictures, of the marker and the
// button faces on their sheets, and of the buttons. The screens and the
// stand-in data generator that draws their pictures share these numbers.
// Header only.

#include <cstdint>

namespace world_screens {

constexpr int32_t kAreaWidth = 640;
constexpr int32_t kAreaHeight = 480;

// An option is a 112 x 16 rectangle; the marker of a chosen option is drawn
// at its top-left corner and its text printed 20 pixels further right.
constexpr int32_t kOptionWidth = 112;
constexpr int32_t kOptionHeight = 16;
constexpr int32_t kOptionTextIndent = 20;
constexpr int32_t kColumns[5] = {16, 144, 272, 400, 528};
constexpr int32_t kUpperRows[5] = {84, 108, 132, 156, 180};
constexpr int32_t kLowerRows[5] = {264, 288, 312, 336, 360};
constexpr int32_t kUpperHeadingY = 56;
constexpr int32_t kLowerHeadingY = 236;

// The sheet: the marker (colour 0 transparent) and the two button faces,
// each normal at y 0 and pressed at y 40.
constexpr int32_t kSheetWidth = 232;
constexpr int32_t kSheetHeight = 80;
constexpr int32_t kMarkerX = 0;
constexpr int32_t kMarkerY = 0;
constexpr int32_t kMarkerSize = 16;
constexpr int32_t kButtonWidth = 108;
constexpr int32_t kButtonHeight = 40;
constexpr int32_t kOkFaceX = 16;
constexpr int32_t kBackFaceX = 124;
constexpr int32_t kPressedFaceY = 40;

// The buttons on the picture.
constexpr int32_t kOkButtonX = 204;
constexpr int32_t kBackButtonX = 332;
constexpr int32_t kButtonsY = 422;

// New-world screen: five levels in the upper rows (land, mountains, woods,
// towns in columns 0..3 as bars, the site distance in column 4), the four
// "make anew" switches in the lower rows of column 0.
constexpr const char* kNewWorldPicture = "scr_neuw.jgd";
constexpr const char* kNewWorldSheet = "scb_neuw.jgd";
// Editor-start screen: the start capital in the upper rows of column 2.
constexpr const char* kEditorStartPicture = "scr_edst.jgd";
constexpr const char* kEditorStartSheet = "scb_edst.jgd";
constexpr int32_t kCapitalColumn = 2;
constexpr int32_t kStartCapitals[5] = {100000, 300000, 500000, 1000000, 2000000};
constexpr int32_t kInitialCapitalRow = 1;

}  // namespace world_screens
