#pragma once
// Every private message of the main frame and of the control panel, and the
// command ids the main frame handles itself. A screen, the control panel or
// the main loop asks the frame for something by sending it one of these; each
// full screen has an open message and a done message that it sends back when
// it is finished.

#include <cstdint>

#include "platform/messages.h"

// --- To the main frame (HAUPTFENSTER) -------------------------------------
inline constexpr uint32_t kMsgEndRunningGame = WM_USER + 5;
inline constexpr uint32_t kMsgOpenProduction = WM_USER + 6;
inline constexpr uint32_t kMsgProductionDone = WM_USER + 7;
inline constexpr uint32_t kMsgOpenStoreSales = WM_USER + 14;
inline constexpr uint32_t kMsgStoreSalesDone = WM_USER + 15;
inline constexpr uint32_t kMsgOpenSalesStatistics = WM_USER + 16;
inline constexpr uint32_t kMsgSalesStatisticsDone = WM_USER + 17;
inline constexpr uint32_t kMsgOpenBuildingPurchase = WM_USER + 21;
inline constexpr uint32_t kMsgBuildingPurchaseDone = WM_USER + 22;
inline constexpr uint32_t kMsgOpenDepot = WM_USER + 23;
inline constexpr uint32_t kMsgDepotDone = WM_USER + 24;
inline constexpr uint32_t kMsgOpenSchedule = WM_USER + 27;
inline constexpr uint32_t kMsgScheduleDone = WM_USER + 28;
inline constexpr uint32_t kMsgOpenTruckPurchase = WM_USER + 29;
inline constexpr uint32_t kMsgTruckPurchaseDone = WM_USER + 30;
inline constexpr uint32_t kMsgOpenRailPurchase = WM_USER + 31;
inline constexpr uint32_t kMsgRailPurchaseDone = WM_USER + 32;
inline constexpr uint32_t kMsgOpenNewWorld = WM_USER + 41;
inline constexpr uint32_t kMsgNewWorldDone = WM_USER + 42;
// The logos (first two requests), then the title screen.
inline constexpr uint32_t kMsgShowStartScreen = WM_USER + 0x2D;
// From the title screen; lParam = the TitleChoice.
inline constexpr uint32_t kMsgStartScreenResult = WM_USER + 46;
inline constexpr uint32_t kMsgOpenEditorStart = WM_USER + 47;
inline constexpr uint32_t kMsgEditorStartDone = WM_USER + 48;
inline constexpr uint32_t kMsgOpenNewGameSetup = WM_USER + 49;
inline constexpr uint32_t kMsgStartGame = WM_USER + 50;
inline constexpr uint32_t kMsgOpenStatistics = WM_USER + 56;
inline constexpr uint32_t kMsgStatisticsDone = WM_USER + 57;
// A modal screen of the panel closed / opens: keys back on / off.
inline constexpr uint32_t kMsgEnableKeys = WM_USER + 0x3E;
inline constexpr uint32_t kMsgDisableKeys = WM_USER + 0x3F;
// The main loop's end of the city-growth screen is the same request.
inline constexpr uint32_t kMsgCityGrowthDone = kMsgEnableKeys;
inline constexpr uint32_t kMsgOpenCareer = WM_USER + 64;
inline constexpr uint32_t kMsgStartCareerGame = WM_USER + 65;
inline constexpr uint32_t kMsgGameEnd = WM_USER + 0x48;  // lParam: end picture 37 or 38
inline constexpr uint32_t kMsgGameEndDone = WM_USER + 0x49;
inline constexpr uint32_t kMsgCloseInfoWindows = WM_USER + 0x59;
inline constexpr uint32_t kMsgOpenGenProgress = WM_USER + 100;
inline constexpr uint32_t kMsgGenProgressDone = WM_USER + 101;
inline constexpr uint32_t kMsgOpenProductHelp = WM_USER + 102;
inline constexpr uint32_t kMsgProductHelpDone = WM_USER + 103;
inline constexpr uint32_t kMsgCashChanged = WM_USER + 0x6A;
inline constexpr uint32_t kMsgOpenOpponentSelect = WM_USER + 107;
inline constexpr uint32_t kMsgOpponentSelectDone = WM_USER + 108;
inline constexpr uint32_t kMsgOpenHighScores = WM_USER + 0x71;
inline constexpr uint32_t kMsgHighScoresDone = WM_USER + 0x72;
// A missing data file was not retried: close everything and end.
inline constexpr uint32_t kMsgAbort = WM_USER + 0x73;
inline constexpr uint32_t kMsgOpenLogo = WM_USER + 116;  // wParam: logo 0 or 1
inline constexpr uint32_t kMsgLogoDone = WM_USER + 117;
inline constexpr uint32_t kMsgOpenTutorial = WM_USER + 118;
inline constexpr uint32_t kMsgTutorialDone = WM_USER + 119;
inline constexpr uint32_t kMsgOpenStoreOverview = WM_USER + 135;
inline constexpr uint32_t kMsgStoreOverviewDone = WM_USER + 136;
inline constexpr uint32_t kMsgOpenFactoryOverview = WM_USER + 137;
inline constexpr uint32_t kMsgFactoryOverviewDone = WM_USER + 138;
inline constexpr uint32_t kMsgOpenVehicleOverview = WM_USER + 139;
inline constexpr uint32_t kMsgVehicleOverviewDone = WM_USER + 140;
inline constexpr uint32_t kMsgGameTick = WM_USER + 0x8D;
inline constexpr uint32_t kMsgAnimImagesChanged = WM_USER + 0x8E;
// MM_MCINOTIFY (messages.h): a CD track ended; wParam 1 = played to its end.
inline constexpr plat::WParam kMciNotifySuccessful = 1;

// The title screen's choices (lParam of kMsgStartScreenResult).
enum TitleChoice : int32_t {
    kChoiceScenario = 1,
    kChoiceMission = 2,
    kChoiceCareer = 3,
    kChoiceNewGame = 4,
    kChoiceContinue = 5,
    kChoiceLoadGame = 6,
    kChoiceEditor = 7,
    kChoiceHighScores = 8,
    kChoiceQuit = 9,
    kChoiceTutorial = 10,
};

inline constexpr int32_t kEndPictureWon = 37;

// --- To the control panel (HAUPTDIALOG) ------------------------------------
// The structure information window of the clicked building (groups 5..8).
inline constexpr uint32_t kMsgPanelOpenStructureInfo = WM_USER + 0x0B;
inline constexpr uint32_t kMsgRefreshInfoPanel = WM_USER + 0x26;
inline constexpr uint32_t kMsgProductNews = WM_USER + 0x27;  // wParam: goods index
inline constexpr uint32_t kMsgYearSummary = WM_USER + 0x35;  // the annual accounts
inline constexpr uint32_t kMsgPanelOpenLoadGame = WM_USER + 0x3A;
inline constexpr uint32_t kMsgPanelOpenMissionSelect = WM_USER + 0x42;
inline constexpr uint32_t kMsgPanelOpenScenarioSelect = WM_USER + 0x44;
inline constexpr uint32_t kMsgPanelOpenCompanyName = WM_USER + 0x5A;
inline constexpr uint32_t kMsgVehicleNews = WM_USER + 0x60;   // wParam: vehicle model
inline constexpr uint32_t kMsgBuildingNews = WM_USER + 0x62;  // wParam: news number 9 or 11
// An opponent opened a production (its newest chain's factory stands).
inline constexpr uint32_t kMsgOpponentNews = WM_USER + 0x6D;  // wParam: opponent slot
inline constexpr uint32_t kMsgPanelOpenCityGrowth = WM_USER + 0x7C;
// The renaming screens: lParam = the building number of the terminal, or
// the city index (-3 off the map).
inline constexpr uint32_t kMsgPanelOpenRenameTerminal = WM_USER + 0x5C;
inline constexpr uint32_t kMsgPanelOpenRenameCity = WM_USER + 0x5E;
// The world view's demolition drag costs more than 10000: ask the player
// (wParam, lParam: the drag start).
inline constexpr uint32_t kMsgPanelConfirmDemolition = WM_USER + 0x8F;

// --- Commands (WM_COMMAND) the main frame handles ---------------------------
inline constexpr uint16_t kCmdRotateOrientation = 40195;  // Space
inline constexpr uint16_t kCmdOrientationNorth = 40196;   // the arrow keys
inline constexpr uint16_t kCmdOrientationEast = 40197;
inline constexpr uint16_t kCmdOrientationSouth = 40198;
inline constexpr uint16_t kCmdOrientationWest = 40199;
inline constexpr uint16_t kCmdToggleAnimations = 40315;

// --- The display options of the panel's view heading (and their keys) -------
// Grid, trees, city buildings, city names, building names, production signs.
inline constexpr uint16_t kCmdShowGrid = 40245;
inline constexpr uint16_t kCmdShowTrees = 40246;
inline constexpr uint16_t kCmdShowCityBuildings = 40247;
inline constexpr uint16_t kCmdShowCityNames = 40248;
inline constexpr uint16_t kCmdShowBuildingNames = 40249;
inline constexpr uint16_t kCmdShowProduction = 40250;
inline constexpr uint16_t kCmdViewOverview = 40340;  // key 4: the 1:16 overview

// --- Commands (WM_COMMAND) of the screens ------------------------------------
// Shared by many screens: the OK and back buttons of the full screens, the
// OK and cancel buttons of the smaller dialogs, and the close button.
inline constexpr uint16_t kCmdOk = 40112;
inline constexpr uint16_t kCmdBack = 40113;
inline constexpr uint16_t kCmdClose = 40129;
inline constexpr uint16_t kCmdDialogOk = 40186;
inline constexpr uint16_t kCmdDialogCancel = 40187;
// The cancel commands of single screens.
inline constexpr uint16_t kCmdOpponentSelectCancel = 40122;
inline constexpr uint16_t kCmdSalesStatisticsCancel = 40123;
inline constexpr uint16_t kCmdBuildingPurchaseCancel = 40128;
inline constexpr uint16_t kCmdScheduleCancel = 40133;
inline constexpr uint16_t kCmdVehiclePurchaseCancel = 40141;
// The title screen's ten buttons.
inline constexpr uint16_t kCmdTitleContinue = 40166;
inline constexpr uint16_t kCmdTitleNewGame = 40167;
inline constexpr uint16_t kCmdTitleCareer = 40168;
inline constexpr uint16_t kCmdTitleLoadGame = 40169;
inline constexpr uint16_t kCmdTitleEditor = 40170;
inline constexpr uint16_t kCmdTitleHighScores = 40171;
inline constexpr uint16_t kCmdTitleQuit = 40172;
inline constexpr uint16_t kCmdTitleScenario = 40292;
inline constexpr uint16_t kCmdTitleMission = 40293;
inline constexpr uint16_t kCmdTitleTutorial = 40362;
