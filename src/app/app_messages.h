#pragma once
// Private messages that start-up and the main loop send to the main frame and
// to the control panel.

#include <cstdint>

#include "platform/messages.h"

// To the main frame.
inline constexpr uint32_t kMsgShowStartScreen = WM_USER + 0x2D;
inline constexpr uint32_t kMsgCityGrowthDone = WM_USER + 0x3E;
inline constexpr uint32_t kMsgGameEnd = WM_USER + 0x48;  // lParam: end picture 37 or 38
inline constexpr uint32_t kMsgCashChanged = WM_USER + 0x6A;
inline constexpr uint32_t kMsgGameTick = WM_USER + 0x8D;
inline constexpr uint32_t kMsgAnimImagesChanged = WM_USER + 0x8E;

// To the control panel.
inline constexpr uint32_t kMsgRefreshInfoPanel = WM_USER + 0x26;
inline constexpr uint32_t kMsgProductNews = WM_USER + 0x27;   // wParam: goods index
inline constexpr uint32_t kMsgYearSummary = WM_USER + 0x35;   // the annual accounts
inline constexpr uint32_t kMsgVehicleNews = WM_USER + 0x60;   // wParam: vehicle model
inline constexpr uint32_t kMsgBuildingNews = WM_USER + 0x62;  // wParam: news number 9 or 11

inline constexpr int32_t kEndPictureWon = 37;
