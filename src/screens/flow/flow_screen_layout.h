#pragma once
// Layout of the game-flow screens: picture names and sizes, the places of the
// marks and button faces on their sheets. The screens and the stand-in data
// generator that draws their pictures share these numbers. Header only.

#include <cstdint>

namespace flow_screens {

constexpr int32_t kButtonWidth = 108;
constexpr int32_t kButtonHeight = 40;
constexpr int32_t kPressedFaceY = 40;

// New-game set-up: the options as on the editor's screens, the marker at
// (32, 0) of the sheet, OK's face at x 204 and back's at x 96.
constexpr const char* kSetupPicture = "scr_0a.jgd";
constexpr const char* kSetupSheet = "scb_0a.jgd";
constexpr int32_t kSetupSheetWidth = 312;
constexpr int32_t kSetupSheetHeight = 80;
constexpr int32_t kSetupMarkerX = 32;
constexpr int32_t kSetupOkFaceX = 204;
constexpr int32_t kSetupBackFaceX = 96;
// The heights of the marker strips restored before a group's markers are
// drawn: the season's three rows, the five-row groups, and the woods,
// industries and cities bars, whose strips reach ten rows further down.
constexpr int32_t kSetupSeasonStrip = 64;
constexpr int32_t kSetupStrip = 112;
constexpr int32_t kSetupLongStrip = 122;
constexpr int32_t kStartCapitalStep = 100000;  // capital = (choice + 1) x this

// Opponent selection: five portraits down the right of the page, each
// 60 x 70 (picked at y 140 i, plain at 140 i + 70 of the strip).
constexpr const char* kOpponentPicture = "scr_45.jgd";
constexpr const char* kOpponentSheet = "scb_45.jgd";
constexpr const char* kPortraits = "gegner.jgd";
constexpr int32_t kPortraitX = 400;
constexpr int32_t kPortraitTop = 60;
constexpr int32_t kPortraitStep = 80;
constexpr int32_t kPortraitWidth = 60;
constexpr int32_t kPortraitHeight = 70;
constexpr int32_t kPortraitCount = 5;

// Career selection.
constexpr const char* kCareerPicture = "scr_25.jgd";
constexpr const char* kCareerSheet = "scb_25.jgd";
constexpr int32_t kCareerSheetWidth = 432;

// Mission and scenario selection: 370 x 360 pictures; the sheet holds the
// two tab marks (chosen at (0, 0), other at (0, 16)), the faces of OK at
// x 140 and back at x 32, and the list's selection strip at y 88.
constexpr const char* kMissionSelectPicture = "scr_29.jgd";
constexpr const char* kMissionSelectSheet = "scb_29.jgd";
constexpr const char* kScenarioSelectPicture = "scr_30.jgd";
constexpr const char* kScenarioSelectSheet = "scb_30.jgd";
constexpr int32_t kSelectWidth = 370;
constexpr int32_t kSelectHeight = 360;
constexpr int32_t kSelectSheetWidth = 328;
constexpr int32_t kSelectSheetHeight = 105;
constexpr int32_t kSelectStripY = 88;
constexpr int32_t kTabTop = 263;
constexpr int32_t kTabHeight = 16;
constexpr int32_t kTabLefts[4] = {20, 100, 180, 260};
constexpr int32_t kTabWidth = 70;

// Briefing (mission) and assignment texts: 360 x 360 pictures.
constexpr const char* kMissionTextPicture = "scr_31.jgd";
constexpr const char* kMissionTextSheet = "scb_31.jgd";
constexpr const char* kAssignmentTextPicture = "scr_26.jgd";
constexpr const char* kAssignmentTextSheet = "scb_26.jgd";
constexpr int32_t kTextWidth = 360;
constexpr int32_t kTextHeight = 360;

// Save and load screens: 360 x 360; Cancel's face at x 0, OK's at x 108,
// the selection strip at y 80.
constexpr const char* kSavePicture = "scr_27.jgd";
constexpr const char* kSaveSheet = "scb_27.jgd";
constexpr const char* kLoadPicture = "scr_28.jgd";
constexpr const char* kLoadSheet = "scb_28.jgd";
constexpr int32_t kFileSheetWidth = 328;
constexpr int32_t kFileSheetHeight = 97;
constexpr int32_t kFileStripY = 80;

// City growth: a 320 x 230 picture, the text at (56, 52), the bar at
// (52, 77), the stop button at (102, 178).
constexpr const char* kGrowthPicture = "scr_63.jgd";
constexpr const char* kGrowthSheet = "scb_63.jgd";
constexpr int32_t kGrowthWidth = 320;
constexpr int32_t kGrowthHeight = 230;

// The tutorial's page.
constexpr int32_t kTutorialPageWidth = 638;
constexpr int32_t kTutorialPageHeight = 478;
constexpr int32_t kTutorialPictureCount = 73;

}  // namespace flow_screens
