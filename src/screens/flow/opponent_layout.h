#pragma once
// Layout of the two opponent screens: picture names and sizes, the places of
// the portraits, the text lines and the buttons. The screens and the stand-in
// data generator that draws their pictures share these numbers. Header only.

#include <cstdint>

namespace opponent_screens {

constexpr int32_t kButtonWidth = 108;
constexpr int32_t kButtonHeight = 40;
constexpr int32_t kPressedFaceY = 40;
constexpr int32_t kSheetWidth = 216;  // the action face at x 0, OK at x 108
constexpr int32_t kSheetHeight = 80;
constexpr int32_t kActionButtonX = 48;  // show / take over
constexpr int32_t kOkButtonX = 208;
constexpr int32_t kOkFaceX = 108;

// The portrait strip: per profile a highlighted and a plain 60 x 70 portrait.
constexpr const char* kPortraits = "gegner.jgd";
constexpr int32_t kPortraitWidth = 60;
constexpr int32_t kPortraitHeight = 70;
constexpr int32_t kProfileCount = 5;

// The news of an opponent's new production.
constexpr const char* kNewsPicture = "scr_46.jgd";
constexpr const char* kNewsSheet = "scb_46.jgd";
constexpr int32_t kNewsWidth = 316;
constexpr int32_t kNewsHeight = 260;
constexpr int32_t kNewsButtonY = 220;
constexpr int32_t kNewsPortraitX = 16;
constexpr int32_t kNewsPortraitY = 58;
constexpr int32_t kNewsTextX = 96;
constexpr int32_t kNewsNameY = 55;
constexpr int32_t kNewsOpenedY = 72;
constexpr int32_t kNewsStatusY = 106;
constexpr int32_t kNewsFirstFigureY = 123;  // capital; then every 17 pixels
constexpr int32_t kNewsFigureStep = 17;
constexpr int32_t kNewsFigureLines = 5;  // capital, profit, worth, points, price

// The overview of the opponents still in the game.
constexpr const char* kOverviewPicture = "scr_47.jgd";
constexpr const char* kOverviewSheet = "scb_47.jgd";
constexpr int32_t kOverviewWidth = 360;
constexpr int32_t kOverviewHeight = 320;
constexpr int32_t kOverviewButtonY = 270;
constexpr int32_t kOverviewPortraitX = 68;  // place n at x 68 + 80 n
constexpr int32_t kOverviewPortraitY = 44;
constexpr int32_t kOverviewPortraitStep = 80;

// A figure line of the overview: its rectangle (16 high), the text at its
// left end.
struct FigureLine {
    int32_t x;
    int32_t y;
    int32_t width;
};
constexpr int32_t kFigureHeight = 16;
constexpr FigureLine kNameLine = {24, 123, 336};
constexpr FigureLine kCapitalLine = {76, 147, 284};
constexpr FigureLine kProfitLine = {144, 164, 220};
constexpr FigureLine kVehiclesLine = {152, 181, 264};
constexpr FigureLine kWayLengthLine = {176, 198, 204};
constexpr FigureLine kWorthLine = {132, 215, 256};
constexpr FigureLine kPointsLine = {72, 232, 284};
constexpr FigureLine kPriceLine = {128, 249, 168};

}  // namespace opponent_screens
