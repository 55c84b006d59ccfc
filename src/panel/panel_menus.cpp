// The control panel's headings: what pressing each one does, and which rows
// its list shows under which conditions. A press arrives as WM_COMMAND
// 40214 + heading; every other command is a row's (panel_commands.cpp).

#include <algorithm>

#include "game/opponent.h"
#include "panel/control_panel.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"
#include "world/tile_marker.h"
#include "world/way_network.h"

namespace {

// The tools of headings that pick nothing on the map.
constexpr int32_t kToolEndHeading = -10;
constexpr int32_t kToolProductHelp = -9;
constexpr int32_t kToolEditorWorld = -7;
constexpr int32_t kToolInformation = -6;
constexpr int32_t kToolFile = -5;
constexpr int32_t kToolOptions = -4;
constexpr int32_t kToolDisplay = -3;
constexpr int32_t kToolRotation = -2;
constexpr int32_t kToolNews = -1;

// The monorail and the superconductor come in July of these years.
constexpr int32_t kMonorailYear = 1990;
constexpr int32_t kSuperconductorYear = 2010;
constexpr int32_t kJuly = 6;

bool Available(int32_t year) {
    const CGameState& gs = *g_pGameState;
    return gs.year > year || (gs.year == year && gs.month >= kJuly);
}

int32_t ViewZoom() {
    return g_pSpielFeld != nullptr ? g_pSpielFeld->zoom : 1;
}

bool AnyOpponentActive() {
    const CGameState& gs = *g_pGameState;
    return std::any_of(std::begin(gs.opponents), std::end(gs.opponents),
                       [](const COpponent* o) { return o != nullptr && o->turn_pending != 0; });
}

int32_t Flag(int32_t value) {
    return value != 0 ? 1 : 0;
}

}  // namespace

void HAUPTDIALOG::SetTool(int32_t tool) {
    if (g_pSpielFeld != nullptr) g_pSpielFeld->tool = tool;
}

plat::Window* HAUPTDIALOG::MainFrame() {
    return g_pSpielFeld != nullptr ? g_pSpielFeld->GetParent() : nullptr;
}

void HAUPTDIALOG::OnPanelCommand(uint32_t command) {
    if (command >= kCmdHeadingFirst && command < kCmdHeadingFirst + kPanelHeadingCount) {
        OpenHeading(static_cast<int32_t>(command - kCmdHeadingFirst));
        return;
    }
    if (command == kCmdRename) {
        OnRename();
        return;
    }
    RunMenuCommand(static_cast<uint16_t>(command));
}

void HAUPTDIALOG::ShowRows(std::initializer_list<MenuRow> rows) {
    entry_count = 0;
    for (const MenuRow& row : rows) {
        if (entry_count == kPanelRowCount) break;
        entry_label[entry_count] = row.label;
        entry_command[entry_count] = row.command;
        entry_checked[entry_count] = row.checked;
        ++entry_count;
    }
    DrawDropDown();
    RedrawSidebar();
}

void HAUPTDIALOG::CheckOnly(int32_t row) {
    for (int32_t r = 0; r < kPanelRowCount; ++r) entry_checked[r] = r == row ? 1 : 0;
    DrawDropDown();
}

void HAUPTDIALOG::ShowGameRows() {
    const CGameState& gs = *g_pGameState;
    answer_code = kNoAnswer;
    const MenuRow end{0, kCmdEnd, 0};
    const MenuRow new_game{1, kCmdNewGame, 0};
    const MenuRow mission{2, kCmdNewMission, 0};
    const MenuRow scenario{3, kCmdNewScenario, 0};
    const MenuRow pause{5, kCmdPause, Flag(gs.user_pause)};
    switch (gs.game_mode) {
        case kModeGame:
            ShowRows({end, new_game, mission, scenario, {4, kCmdRetire, 0}, pause});
            break;
        case kModeCareer:
            ShowRows({end, new_game, mission, scenario, {6, kCmdNextLevel, 0}, pause});
            break;
        case kModeMission:
            ShowRows({end, new_game, mission, scenario, pause});
            break;
        default:
            ShowRows({});
            break;
    }
}

void HAUPTDIALOG::ShowInformationRows() {
    const MenuRow statistics{0, kCmdStatistics, 0};
    const MenuRow board{1, kCmdBoard, 0};
    const MenuRow goal{2, kCmdGoal, 0};
    const MenuRow stores{4, kCmdStoreOverview, 0};
    const MenuRow industries{5, kCmdFactoryOverview, 0};
    const MenuRow vehicles{6, kCmdVehicleOverview, 0};
    switch (g_pGameState->game_mode) {
        case kModeGame:
            if (AnyOpponentActive()) {
                ShowRows(
                    {statistics, board, {3, kCmdOpponentInfo, 0}, stores, industries, vehicles});
            } else {
                ShowRows({statistics, board, stores, industries, vehicles});
            }
            break;
        case kModeCareer:
            ShowRows({statistics, board, goal, stores, industries, vehicles});
            break;
        case kModeMission:
            ShowRows({statistics, goal, stores, industries, vehicles});
            break;
        default:
            ShowRows({});
            break;
    }
}

void HAUPTDIALOG::ShowWayRows() {
    const CGameState& gs = *g_pGameState;
    const int32_t kind = gs.way_kind;
    SetTool(kind >= 2 ? kToolTrack : kToolRoad);
    if (g_pTileMarker != nullptr) g_pTileMarker->cost = 0;
    if (g_pWayNetwork != nullptr) g_pWayNetwork->SetWayType(static_cast<uint8_t>(kind + 1));
    const int32_t bridge = g_pSpielFeld != nullptr ? g_pSpielFeld->bridge_mode : 0;
    const int32_t tunnel = g_pSpielFeld != nullptr ? g_pSpielFeld->tunnel_mode : 0;
    const int32_t platform = g_pSpielFeld != nullptr ? g_pSpielFeld->platform_mode : 0;
    if (platform != 0) SetTool(kToolPlatform);
    // The row of the current kind is checked; the gravel road has none.
    const MenuRow street{0, kCmdStreet, Flag(kind == 1)};
    const MenuRow rails{1, kCmdRails, Flag(kind == 2)};
    const MenuRow monorail{2, kCmdMonorail, Flag(kind == 3)};
    const MenuRow superconductor{3, kCmdSuperconductor, Flag(kind == 4)};
    const MenuRow bridge_row{4, kCmdBridge, Flag(bridge)};
    const MenuRow tunnel_row{5, kCmdTunnel, Flag(tunnel)};
    const MenuRow platform_row{6, kCmdPlatform, Flag(platform)};
    if (Available(kSuperconductorYear)) {
        ShowRows({street, rails, monorail, superconductor, bridge_row, tunnel_row, platform_row});
    } else if (Available(kMonorailYear)) {
        ShowRows({street, rails, monorail, bridge_row, tunnel_row, platform_row});
    } else {
        ShowRows({street, rails, bridge_row, tunnel_row, platform_row});
    }
}

void HAUPTDIALOG::ShowTerrainRows(uint16_t demolish, uint16_t lift) {
    const bool demolishing = g_pGameState->demolish_mode == 1;
    SetTool(demolishing ? kToolDemolish : kToolRaiseLower);
    if (!demolishing) brush_size = 1;
    ShowRows({{0, demolish, Flag(demolishing)},
              {1, lift, Flag(!demolishing)},
              {2, kCmdLiftSink2, 0},
              {3, kCmdLiftSink2 + 1, 0},
              {4, kCmdLiftSink2 + 2, 0},
              {5, kCmdLiftSink2 + 3, 0}});
}

void HAUPTDIALOG::ShowPlantRows() {
    const CGameState& gs = *g_pGameState;
    const int32_t type = gs.selected_building_type;
    int32_t checked = 0;
    if (type == 13) checked = 1;
    if (type == 11) checked = 2;
    if (type == 10 && gs.mine_kind == 1) checked = 3;
    if (type == 10 && gs.mine_kind == 0) checked = 4;
    if (type == 10 && gs.mine_kind == 2) checked = 5;
    ShowRows({{0, kCmdEditorChemicalPlant, Flag(checked == 0)},
              {1, kCmdEditorSteelMill, Flag(checked == 1)},
              {2, kCmdEditorLumberMill, Flag(checked == 2)},
              {3, kCmdEditorSilverMine, Flag(checked == 3)},
              {4, kCmdEditorGoldMine, Flag(checked == 4)},
              {5, kCmdEditorDiamondMine, Flag(checked == 5)}});
    SetTool(kToolBuilding);
}

void HAUPTDIALOG::OpenHeading(int32_t heading) {
    CGameState& gs = *g_pGameState;
    const int32_t zoom = ViewZoom();
    if (heading == 11 && (gs.sim_halted != 0 || gs.user_pause != 0)) {
        RedrawSidebar();
        return;
    }
    CloseDropDown();
    switch (heading) {
        case 0:
            SetTool(kToolEndHeading);
            ShowGameRows();
            break;
        case 1:
        case 16: {
            SetTool(kToolFile);
            const bool editor = heading == 16;
            ShowRows({{0, editor ? kCmdEditorLoad : kCmdLoad, 0},
                      {1, editor ? kCmdEditorSave : kCmdSave, 0}});
            break;
        }
        case 2:
            SetTool(kToolOptions);
            ShowRows({});
            plat::SendMessage(this, kMsgPanelOpenOptions);
            break;
        case 3:
        case 17: {
            SetTool(kToolDisplay);
            const uint16_t first = heading == 3 ? kCmdShowGrid : kCmdEditorShowGrid;
            const MenuRow grid{0, first, Flag(gs.show_grid)};
            const MenuRow trees{1, static_cast<uint16_t>(first + 1), Flag(gs.show_trees)};
            const MenuRow houses{2, static_cast<uint16_t>(first + 2), Flag(gs.show_city_buildings)};
            const MenuRow cities{3, static_cast<uint16_t>(first + 3), Flag(gs.show_city_names)};
            if (heading == 17) {
                ShowRows({grid, trees, houses, cities});
            } else {
                ShowRows({grid,
                          trees,
                          houses,
                          cities,
                          {4, kCmdShowBuildingNames, Flag(gs.show_building_names)},
                          {5, kCmdShowProduction, Flag(gs.show_production)}});
            }
            break;
        }
        case 4:
            SetTool(kToolProductHelp);
            ShowRows({});
            plat::SendMessage(MainFrame(), kMsgOpenProductHelp);
            break;
        case 5: {
            SetTool(kToolRotation);
            const int32_t r = gs.rotation;
            ShowRows({{0, kCmdRotationNorth, Flag(r == 0)},
                      {1, kCmdRotationNorth + 1, Flag(r == 1)},
                      {2, kCmdRotationNorth + 2, Flag(r == 2)},
                      {3, kCmdRotationNorth + 3, Flag(r == 3)}});
            break;
        }
        case 6:
            SetTool(kToolInformation);
            ShowInformationRows();
            break;
        case 7:
            ShowRows({});
            plat::SendMessage(this, kMsgYearSummary);
            break;
        case 8:
            SetTool(kToolNews);
            if (gs.game_mode == kModeGame) {
                ShowRows({{0, kCmdProductNews, 0},
                          {1, kCmdProductNews + 1, 0},
                          {2, kCmdProductNews + 2, 0},
                          {3, kCmdProductNews + 3, 0},
                          {4, kCmdProductNews + 4, 0}});
            } else {
                ShowRows({{0, kCmdProductNews, 0},
                          {1, kCmdProductNews + 1, 0},
                          {2, kCmdProductNews + 2, 0},
                          {3, kCmdProductNews + 3, 0}});
            }
            break;
        case 9:
        case 18:
            SetTool(kInformationTool);
            selected_vehicle = nullptr;
            selected_structure = 0;
            selected_type = 0;
            gs.selected_object_type = 0;
            ShowRows({});
            break;
        case 10:
        case 19: {
            SetTool(kToolOverviewZoom);
            g_pGameState->zoom_request = zoom;
            const uint16_t first = heading == 10 ? kCmdZoom1 : kCmdEditorZoom1;
            const MenuRow z1{0, first, Flag(zoom == 1)};
            const MenuRow z2{1, static_cast<uint16_t>(first + 1), Flag(zoom == 2)};
            const MenuRow z4{2, static_cast<uint16_t>(first + 2), Flag(zoom == 4)};
            const MenuRow z16{3, static_cast<uint16_t>(first + 3), Flag(zoom == 16)};
            if (heading == 10) {
                ShowRows({z1, z2, z4, z16, {4, kCmdFind, 0}});
            } else {
                ShowRows({z1, z2, z4, z16});
            }
            break;
        }
        case 11:
            SetTool(kToolBuilding);
            if (gs.selected_building_type >= 0) {
                ShowRows({{0, kCmdNewBuildings, 0}});
                DrawPricePanel();
            } else {
                ShowRows({});
                plat::SendMessage(MainFrame(), kMsgOpenBuildingPurchase);
            }
            break;
        case 12:
            ShowWayRows();
            break;
        case 13:
            ShowTerrainRows(kCmdDemolish, kCmdLiftSink);
            break;
        case 14:
            SetTool(kToolNone);
            ShowRows({});
            break;
        case 15:
            SetTool(kToolEndHeading);
            ShowRows({});
            answer_code = 0;
            plat::SendMessage(this, kMsgPanelOpenEndConfirm);
            break;
        case 20:
            SetTool(kToolEditorWorld);
            ShowRows({{0, kCmdEditorSetting, 0}, {1, kCmdEditorGenerate, 0}});
            break;
        case 21: {
            SetTool(kToolCity);
            const int32_t size = gs.city_size_choice;
            ShowRows({{0, kCmdEditorVillage, Flag(size == 0)},
                      {1, kCmdEditorVillage + 1, Flag(size == 1)},
                      {2, kCmdEditorVillage + 2, Flag(size == 2)},
                      {3, kCmdEditorVillage + 3, Flag(size == 3)},
                      {4, kCmdEditorVillage + 4, Flag(size == 4)}});
            break;
        }
        case 22:
            ShowTerrainRows(kCmdEditorDemolish, kCmdEditorLiftSink);
            break;
        case 23:
            SetTool(kToolRoad);
            if (g_pWayNetwork != nullptr) g_pWayNetwork->SetWayType(1);
            ShowRows({{0, kCmdEditorHighway, 1},
                      {1, kCmdEditorBridge,
                       Flag(g_pSpielFeld != nullptr ? g_pSpielFeld->bridge_mode : 0)},
                      {2, kCmdEditorTunnel,
                       Flag(g_pSpielFeld != nullptr ? g_pSpielFeld->tunnel_mode : 0)}});
            break;
        case 24:
            ShowPlantRows();
            break;
        default:
            break;
    }
}
