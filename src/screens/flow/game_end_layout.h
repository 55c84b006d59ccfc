#pragma once
// Layout of the end-of-game screens: the score sheet ("scr_37.jgd" when the
// goal was reached, "scr_38.jgd" otherwise) and the high-score list
// ("scr_49.jgd"), each 640 x 480 with its sheet "scb_N.jgd" (OK's faces at
// (0, 0) and (0, 40)). The screens and the stand-in data generator that
// draws their pictures share these numbers. Header only.

#include <cstdint>

namespace game_end_screens {

constexpr int32_t kPageWidth = 640;
constexpr int32_t kPageHeight = 480;
constexpr int32_t kSheetWidth = 108;
constexpr int32_t kSheetHeight = 80;

constexpr int32_t kScoreOkX = 488;
constexpr int32_t kHighScoreOkX = 464;
constexpr int32_t kOkY = 431;

// Score sheet: the board votes, then the lines of the right-hand column.
constexpr int32_t kVotesX = 473;
constexpr int32_t kVotesY = 97;
constexpr int32_t kColumnX = 480;
constexpr int32_t kValueLabelY = 182;
constexpr int32_t kValueY = 199;
constexpr int32_t kPointsY = 216;
constexpr int32_t kTakeOverLabelY = 250;
constexpr int32_t kTakeOverY = 267;
constexpr int32_t kVotedLabelY = 301;
constexpr int32_t kConsentLabelY = 318;
constexpr int32_t kYearsY = 335;
constexpr int32_t kYearPointsY = 352;
constexpr int32_t kTotalLabelY = 386;
constexpr int32_t kTotalY = 403;

// High-score list: ten lines from (440, 74), 34 apart.
constexpr int32_t kListX = 440;
constexpr int32_t kListTop = 74;
constexpr int32_t kListStep = 34;
constexpr int32_t kListBottom = 420;

}  // namespace game_end_screens
