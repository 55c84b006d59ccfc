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

// --- The control panel's popups: open message, result message (+1) --------
// The result's lParam is 0 for OK or yes, 1 for cancel or no.
inline constexpr uint32_t kMsgPanelStructureInfoDone = WM_USER + 0x0C;
inline constexpr uint32_t kMsgProductNewsDone = WM_USER + 0x28;
inline constexpr uint32_t kMsgBusinessNews = WM_USER + 0x33;  // wParam: news id
inline constexpr uint32_t kMsgBusinessNewsDone = WM_USER + 0x34;
inline constexpr uint32_t kMsgYearSummaryDone = WM_USER + 0x36;
inline constexpr uint32_t kMsgPanelLoadGameDone = WM_USER + 0x3B;
inline constexpr uint32_t kMsgPanelOpenSaveGame = WM_USER + 0x3C;
inline constexpr uint32_t kMsgPanelSaveGameDone = WM_USER + 0x3D;
inline constexpr uint32_t kMsgPanelMissionSelectDone = WM_USER + 0x43;
inline constexpr uint32_t kMsgPanelScenarioSelectDone = WM_USER + 0x45;
inline constexpr uint32_t kMsgPanelOpenEndConfirm = WM_USER + 0x46;
inline constexpr uint32_t kMsgPanelEndConfirmDone = WM_USER + 0x47;
inline constexpr uint32_t kMsgPanelOpenMissionFailed = WM_USER + 0x4A;
inline constexpr uint32_t kMsgPanelMissionFailedDone = WM_USER + 0x4B;
inline constexpr uint32_t kMsgPanelOpenMissionDone = WM_USER + 0x4C;
inline constexpr uint32_t kMsgPanelMissionDoneDone = WM_USER + 0x4D;
inline constexpr uint32_t kMsgPanelOpenAssignmentFailed = WM_USER + 0x4E;
inline constexpr uint32_t kMsgPanelAssignmentFailedDone = WM_USER + 0x4F;
inline constexpr uint32_t kMsgPanelOpenAssignmentDone = WM_USER + 0x50;
inline constexpr uint32_t kMsgPanelAssignmentDoneDone = WM_USER + 0x51;
inline constexpr uint32_t kMsgPanelOpenBoardVote = WM_USER + 0x52;
inline constexpr uint32_t kMsgPanelBoardVoteDone = WM_USER + 0x53;
// wParam, lParam: the mission or career set and the level.
inline constexpr uint32_t kMsgPanelOpenMissionText = WM_USER + 0x54;
inline constexpr uint32_t kMsgPanelMissionTextDone = WM_USER + 0x55;
inline constexpr uint32_t kMsgPanelOpenAssignmentText = WM_USER + 0x56;
inline constexpr uint32_t kMsgPanelAssignmentTextDone = WM_USER + 0x57;
inline constexpr uint32_t kMsgPanelCompanyNameDone = WM_USER + 0x5B;
inline constexpr uint32_t kMsgPanelTerminalRenameDone = WM_USER + 0x5D;
inline constexpr uint32_t kMsgPanelCityRenameDone = WM_USER + 0x5F;
inline constexpr uint32_t kMsgVehicleNewsDone = WM_USER + 0x61;
inline constexpr uint32_t kMsgBuildingNewsDone = WM_USER + 0x63;
inline constexpr uint32_t kMsgPanelOpenFind = WM_USER + 0x68;
inline constexpr uint32_t kMsgPanelFindDone = WM_USER + 0x69;
inline constexpr uint32_t kMsgOpponentNewsDone = WM_USER + 0x6E;
inline constexpr uint32_t kMsgPanelOpenOpponentOverview = WM_USER + 0x6F;
inline constexpr uint32_t kMsgPanelOpponentOverviewDone = WM_USER + 0x70;
inline constexpr uint32_t kMsgPanelOpenLeave = WM_USER + 0x78;
inline constexpr uint32_t kMsgPanelLeaveDone = WM_USER + 0x79;
inline constexpr uint32_t kMsgPanelCityGrowthDone = WM_USER + 0x7D;
inline constexpr uint32_t kMsgPanelOpenOptions = WM_USER + 0x7E;
inline constexpr uint32_t kMsgPanelOptionsDone = WM_USER + 0x7F;
inline constexpr uint32_t kMsgPanelOpenNextLevel = WM_USER + 0x81;
inline constexpr uint32_t kMsgPanelNextLevelDone = WM_USER + 0x82;
inline constexpr uint32_t kMsgPanelDemolitionDone = WM_USER + 0x90;
// The end pictures of the game-end request (kMsgGameEnd's lParam).
inline constexpr int32_t kEndPictureLost = 38;

// --- The panel's dialog screens ------------------------------------------------
// The overwrite question's answer to the save screen (lParam 0 yes, 1 no).
inline constexpr uint32_t kMsgOverwriteAnswer = WM_USER + 0x7B;

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

// --- The control panel's row commands ------------------------------------------
// Game heading: end, new game, new mission, new scenario, retire, pause,
// next level.
inline constexpr uint16_t kCmdEnd = 40318;
inline constexpr uint16_t kCmdNewGame = 40319;
inline constexpr uint16_t kCmdNewMission = 40320;
inline constexpr uint16_t kCmdNewScenario = 40321;
inline constexpr uint16_t kCmdRetire = 40364;
inline constexpr uint16_t kCmdPause = 40366;
inline constexpr uint16_t kCmdNextLevel = 40371;
// File: load and save (game and editor).
inline constexpr uint16_t kCmdLoad = 40394;
inline constexpr uint16_t kCmdSave = 40239;
inline constexpr uint16_t kCmdEditorLoad = 40294;
inline constexpr uint16_t kCmdEditorSave = 40295;
// Options: music, vehicle effects, environment effects, city traffic, autosave.
inline constexpr uint16_t kCmdMusic = 40240;
inline constexpr uint16_t kCmdVehicleSounds = 40241;
inline constexpr uint16_t kCmdAmbientSounds = 40242;
inline constexpr uint16_t kCmdCityTraffic = 40243;
inline constexpr uint16_t kCmdAutosave = 40244;
// The four rotations, north first.
inline constexpr uint16_t kCmdRotationNorth = 40251;
// Information: statistics, board, 40257 (no effect), goal, opponents, and the
// store, industry and vehicle overviews.
inline constexpr uint16_t kCmdStatistics = 40255;
inline constexpr uint16_t kCmdBoard = 40256;
inline constexpr uint16_t kCmdInformationSpare = 40257;
inline constexpr uint16_t kCmdGoal = 40258;
inline constexpr uint16_t kCmdOpponentInfo = 40259;
inline constexpr uint16_t kCmdStoreOverview = 40384;
inline constexpr uint16_t kCmdFactoryOverview = 40385;
inline constexpr uint16_t kCmdVehicleOverview = 40386;
// News: product, transportation, building, business, opponent.
inline constexpr uint16_t kCmdProductNews = 40260;
// View: 1:1, 1:2, 1:4, the 1:16 overview and find.
inline constexpr uint16_t kCmdZoom1 = 40265;
inline constexpr uint16_t kCmdZoom2 = 40266;
inline constexpr uint16_t kCmdZoom4 = 40267;
inline constexpr uint16_t kCmdZoomOverview = 40268;
inline constexpr uint16_t kCmdFind = 40269;
inline constexpr uint16_t kCmdNewBuildings = 40270;
// Ways: gravel road, street, rails, monorail, superconductor, tunnel,
// bridge, new platform.
inline constexpr uint16_t kCmdGravelRoad = 40271;
inline constexpr uint16_t kCmdStreet = 40272;
inline constexpr uint16_t kCmdRails = 40273;
inline constexpr uint16_t kCmdMonorail = 40274;
inline constexpr uint16_t kCmdSuperconductor = 40275;
inline constexpr uint16_t kCmdTunnel = 40276;
inline constexpr uint16_t kCmdBridge = 40277;
inline constexpr uint16_t kCmdPlatform = 40278;
// Terrain: demolish, lift/sink, and lift/sink with the brushes 2x2..5x5.
inline constexpr uint16_t kCmdDemolish = 40279;
inline constexpr uint16_t kCmdLiftSink = 40280;
inline constexpr uint16_t kCmdLiftSink2 = 40395;
// The editor's rows: display options (as 40245..40248), zooms (as
// 40265..40268), world setting and regeneration, the five city sizes,
// demolish and lift/sink, tunnel/bridge/highway, and the six plants.
inline constexpr uint16_t kCmdEditorShowGrid = 40296;
inline constexpr uint16_t kCmdEditorZoom1 = 40300;
inline constexpr uint16_t kCmdEditorSetting = 40304;
inline constexpr uint16_t kCmdEditorGenerate = 40305;
inline constexpr uint16_t kCmdEditorVillage = 40306;
inline constexpr uint16_t kCmdEditorDemolish = 40311;
inline constexpr uint16_t kCmdEditorLiftSink = 40313;
inline constexpr uint16_t kCmdEditorTunnel = 40368;
inline constexpr uint16_t kCmdEditorBridge = 40369;
inline constexpr uint16_t kCmdEditorHighway = 40370;
inline constexpr uint16_t kCmdEditorSilverMine = 40388;
inline constexpr uint16_t kCmdEditorGoldMine = 40389;
inline constexpr uint16_t kCmdEditorDiamondMine = 40390;
inline constexpr uint16_t kCmdEditorLumberMill = 40391;
inline constexpr uint16_t kCmdEditorChemicalPlant = 40392;
inline constexpr uint16_t kCmdEditorSteelMill = 40393;

// --- Commands (WM_COMMAND) of the screens ------------------------------------
// Shared by many screens: the OK and back buttons of the full screens, the
// OK and cancel buttons of the smaller dialogs, and the close button.
inline constexpr uint16_t kCmdOk = 40112;
inline constexpr uint16_t kCmdBack = 40113;
inline constexpr uint16_t kCmdClose = 40129;
inline constexpr uint16_t kCmdDialogOk = 40186;
inline constexpr uint16_t kCmdDialogCancel = 40187;
// The career result's buttons: go on to the next assignment, try it again.
inline constexpr uint16_t kCmdGoOn = 40190;
inline constexpr uint16_t kCmdTryAgain = 40191;
// The cancel commands of single screens.
inline constexpr uint16_t kCmdOpponentSelectCancel = 40122;
inline constexpr uint16_t kCmdSalesStatisticsCancel = 40123;
inline constexpr uint16_t kCmdBuildingPurchaseCancel = 40128;
inline constexpr uint16_t kCmdScheduleCancel = 40133;
inline constexpr uint16_t kCmdVehiclePurchaseCancel = 40141;
// The buttons of the economy screens.
inline constexpr uint16_t kCmdStockUp = 40110;
inline constexpr uint16_t kCmdStockDown = 40111;
inline constexpr uint16_t kCmdPriceUp = 40114;
inline constexpr uint16_t kCmdPriceDown = 40115;
inline constexpr uint16_t kCmdSalesStatistics = 40116;
inline constexpr uint16_t kCmdBuildingBuy = 40127;
inline constexpr uint16_t kCmdPagePrevious = 40130;
inline constexpr uint16_t kCmdPageNext = 40131;
inline constexpr uint16_t kCmdTakeUpCredit = 40174;
inline constexpr uint16_t kCmdPayBackCredit = 40175;
// The overviews: per visible row or column its production or sales button
// (40376 + n) and its location button (40379 + n); scrolling back and on.
inline constexpr uint16_t kCmdOverviewOpen = 40376;
inline constexpr uint16_t kCmdOverviewGoTo = 40379;
inline constexpr uint16_t kCmdOverviewBack = 40382;
inline constexpr uint16_t kCmdOverviewOn = 40383;
// What a screen's lists and the popup list tell their screen (the first
// list's click or changed selection, the second list's click, ...).
inline constexpr uint32_t kMsgAdvertisingClicked = WM_USER + 0x0D;
inline constexpr uint32_t kMsgFirstListClicked = WM_USER + 0x13;
inline constexpr uint32_t kMsgSecondListClicked = WM_USER + 0x14;
inline constexpr uint32_t kMsgPopupChosen = WM_USER + 0x23;
inline constexpr uint32_t kMsgPeriodListClicked = WM_USER + 0x37;  // the statistics' period list
// The vehicle screens: schedule, purchase and overview.
inline constexpr uint16_t kCmdScheduleOk = 40132;
inline constexpr uint16_t kCmdVehicleBuy = 40140;
inline constexpr uint16_t kCmdNewVehicle = 40285;
inline constexpr uint16_t kCmdScrapVehicle = 40286;
inline constexpr uint16_t kCmdMapUp = 40287;
inline constexpr uint16_t kCmdMapDown = 40288;
inline constexpr uint16_t kCmdMapRight = 40289;
inline constexpr uint16_t kCmdMapLeft = 40290;
inline constexpr uint16_t kCmdDeleteStop = 40291;
inline constexpr uint32_t kMsgRailModelClicked = WM_USER + 0x12;
inline constexpr uint32_t kMsgTruckModelClicked = WM_USER + 0x25;
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
// The career screen's difficulties.
inline constexpr uint16_t kCmdCareerHard = 40282;
inline constexpr uint16_t kCmdCareerMedium = 40283;
inline constexpr uint16_t kCmdCareerEasy = 40284;
// The city-growth screen's stop button.
inline constexpr uint16_t kCmdStopGrowth = 40367;
// The save screen's request to ask before overwriting.
inline constexpr uint32_t kMsgOpenOverwriteConfirm = WM_USER + 122;
