// The commands of the control panel's rows (and of the keys that send the
// same ids). A click has already flipped the row's check mark; each command
// sets the marks it owns. The editor's rows act like the game rows of the
// same label.

#include "cities/city_manager.h"
#include "cities/city_traffic.h"
#include "gfx/blit_dc.h"
#include "panel/control_panel.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/world_images.h"
#include "view/world_view.h"
#include "world/new_world.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kWaysHeading = 12;
constexpr int32_t kEditorWaysHeading = 23;
// The news request of each category: product, transportation, building,
// business, opponent.
constexpr uint32_t kNewsMessages[5] = {kMsgProductNews, kMsgVehicleNews, kMsgBuildingNews,
                                       kMsgBusinessNews, kMsgOpponentNews};
// The building types of the editor's plant rows, from 40388 on, and the
// mine kind of type 10.
struct Plant {
    int32_t type;
    int32_t mine_kind;
    int32_t row;  // in heading 24's list
};
constexpr Plant kPlants[6] = {{10, 1, 3},  {10, 0, 4},  {10, 2, 5},
                              {11, -1, 2}, {12, -1, 0}, {13, -1, 1}};

// The way tool of the current way kind (the editor lays only roads).
int32_t WayTool() {
    const CGameState& gs = *g_pGameState;
    return gs.game_mode != kModeEditor && gs.way_kind >= 2 ? kToolTrack : kToolRoad;
}

// Where the rows of the open ways list stand: the kinds first, then bridge,
// tunnel and (in a game) new platform. Empty when another list is open.
struct WayRows {
    int32_t kinds = 0;
    int32_t bridge = -1;
    int32_t tunnel = -1;
    int32_t platform = -1;
};

WayRows FindWayRows(int32_t heading, int32_t count) {
    if (heading == kEditorWaysHeading && count == 3) return {1, 1, 2, -1};
    if (heading != kWaysHeading || count < 5) return {};
    const int32_t kinds = count - 3;
    return {kinds, kinds, kinds + 1, kinds + 2};
}

}  // namespace

bool HAUPTDIALOG::RunMenuCommand(uint16_t command) {
    return RunGameCommand(command) || RunOptionCommand(command) || RunViewCommand(command) ||
           RunWayCommand(command) || RunTerrainCommand(command) || RunEditorCommand(command);
}

bool HAUPTDIALOG::RunGameCommand(uint16_t command) {
    CGameState& gs = *g_pGameState;
    switch (command) {
        case kCmdEnd:
        case kCmdNewGame:
            answer_code = command == kCmdEnd ? 0 : 1;
            plat::SendMessage(this, kMsgPanelOpenEndConfirm);
            return true;
        case kCmdNextLevel:
            answer_code = 4;
            plat::SendMessage(this, kMsgPanelOpenNextLevel);
            return true;
        case kCmdNewMission:
        case kCmdNewScenario:
        case kCmdRetire:
            ShowGameRows();
            return true;
        case kCmdPause:
            gs.user_pause = gs.user_pause != 0 ? 0 : 1;
            // The row is marked again from the state now in force, and the
            // list drawn. A click toggles the mark itself, but the P key only
            // sets the check word before it sends this command: without this
            // the list on the screen would keep the old mark (paused while
            // the game runs, or the reverse), and a pause asked for without
            // any marking would leave the mark contrary to the state.
            for (int32_t r = 0; r < entry_count; ++r) {
                if (entry_command[r] == kCmdPause) entry_checked[r] = gs.user_pause;
            }
            DrawDropDown();
            return true;
        case kCmdLoad:
        case kCmdEditorLoad:
            plat::SendMessage(this, kMsgPanelOpenLoadGame);
            return true;
        case kCmdSave:
        case kCmdEditorSave:
            plat::SendMessage(this, kMsgPanelOpenSaveGame);
            return true;
        case kCmdStatistics:
            plat::SendMessage(MainFrame(), kMsgOpenStatistics);
            for (int32_t r = 0; r < 4; ++r) entry_checked[r] = 0;
            DrawDropDown();
            return true;
        case kCmdBoard:
            plat::SendMessage(this, kMsgPanelOpenBoardVote);
            return true;
        case kCmdInformationSpare:
            return true;
        case kCmdGoal:
            if (gs.game_mode == kModeMission) {
                plat::SendMessage(this, kMsgPanelOpenMissionText);
            } else if (gs.game_mode == kModeCareer) {
                gs.text_from_menu = 1;
                plat::SendMessage(this, kMsgPanelOpenAssignmentText,
                                  static_cast<plat::WParam>((gs.career_level >> 8) & 0xFF),
                                  gs.career_level & 0xFF);
            }
            return true;
        case kCmdOpponentInfo:
            plat::SendMessage(this, kMsgPanelOpenOpponentOverview);
            return true;
        case kCmdStoreOverview:
        case kCmdFactoryOverview:
        case kCmdVehicleOverview: {
            for (int32_t& checked : entry_checked) checked = 0;
            DrawDropDown();
            const int32_t i = command - kCmdStoreOverview;
            plat::SendMessage(MainFrame(), kMsgOpenStoreOverview + 2 * static_cast<uint32_t>(i));
            return true;
        }
        default:
            break;
    }
    if (command >= kCmdProductNews && command < kCmdProductNews + 5) {
        const int32_t category = command - kCmdProductNews;
        const int32_t id = gs.news_ids[category];
        if (id == -1) {
            // Nothing to show yet: the row only loses its mark.
            for (int32_t r = 0; r < 5; ++r) entry_checked[r] = 0;
            DrawDropDown();
        } else {
            plat::SendMessage(this, kNewsMessages[category], static_cast<plat::WParam>(id));
        }
        return true;
    }
    return false;
}

bool HAUPTDIALOG::RunOptionCommand(uint16_t command) {
    CGameState& gs = *g_pGameState;
    auto flip = [](int32_t& option) { option = option != 0 ? 0 : 1; };
    switch (command) {
        case kCmdMusic:
            flip(gs.opt_music);
            if (g_pSound != nullptr) {
                if (gs.opt_music != 0) {
                    g_pSound->music_playing = 1;
                    g_pSound->OnMusicNotify();
                } else {
                    g_pSound->PauseMusic();
                }
            }
            return true;
        case kCmdVehicleSounds:
            flip(gs.opt_vehicle_sounds);
            return true;
        case kCmdAmbientSounds:
            flip(gs.opt_ambient_sounds);
            return true;
        case kCmdCityTraffic:
            flip(gs.opt_city_traffic);
            SetCityTraffic(gs.opt_city_traffic != 0);
            return true;
        case kCmdAutosave:
            flip(gs.opt_autosave);
            return true;
        default:
            return false;
    }
}

void HAUPTDIALOG::SetCityTraffic(bool on) {
    if (on) {
        if (g_pCityManager != nullptr) g_pCityManager->SpawnAllTrafficCars();
        return;
    }
    RemoveAllCityCars();
    MarkAllFieldsChanged();
    g_pGameState->redraw_terrain = 1;
    if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
}

bool HAUPTDIALOG::RunViewCommand(uint16_t command) {
    if (command >= kCmdShowGrid && command <= kCmdShowProduction) {
        if (g_pSpielFeld != nullptr) g_pSpielFeld->OnDisplayCommand(command);
        return true;
    }
    if (command >= kCmdRotationNorth && command < kCmdRotationNorth + 4) {
        Rotate(command - kCmdRotationNorth);
        return true;
    }
    switch (command) {
        case kCmdZoom1:
        case kCmdZoom2:
        case kCmdZoom4: {
            const int32_t row = command - kCmdZoom1;
            g_pGameState->zoom_request = 1 << row;
            CheckOnly(row);
            RedrawSidebar();
            return true;
        }
        case kCmdZoomOverview:
            if (g_pSound != nullptr) g_pSound->StopEffects();
            g_pGameState->zoom_request = kOverviewZoomLevel;
            CheckOnly(3);
            if (g_pSpielFeld != nullptr) g_pSpielFeld->ResetCamera();
            RedrawSidebar();
            return true;
        case kCmdFind:
            plat::PostMessage(this, kMsgPanelOpenFind);
            return true;
        case kCmdNewBuildings:
            plat::PostMessage(MainFrame(), kMsgOpenBuildingPurchase);
            return true;
        default:
            return false;
    }
}

void HAUPTDIALOG::Rotate(int32_t rotation) {
    CGameState& gs = *g_pGameState;
    gs.rotation = rotation;
    if (current_heading == 5) CheckOnly(rotation);
    LoadObjectImages();
    if (g_pSpielFeld == nullptr) return;
    // Zoom and centre stay; only the projection follows the new rotation.
    SPIEL_FELD& view = *g_pSpielFeld;
    view.SetupProjection();
    gs.redraw_terrain = 1;
    gs.redraw_objects = 1;
    MarkAllFieldsChanged();
    view.BlackenBackBuffers();
    if (view.zoom == kOverviewZoomLevel) view.DrawOverviewMap();
    view.RedrawView();
}

bool HAUPTDIALOG::RunWayCommand(uint16_t command) {
    switch (command) {
        case kCmdGravelRoad:
        case kCmdEditorHighway:
            ChooseWayKind(0);
            return true;
        case kCmdStreet:
        case kCmdRails:
        case kCmdMonorail:
        case kCmdSuperconductor:
            ChooseWayKind(command - kCmdStreet + 1);
            return true;
        case kCmdTunnel:
        case kCmdBridge:
        case kCmdPlatform:
            ChooseWayVariant(command);
            return true;
        case kCmdEditorTunnel:
            ChooseWayVariant(kCmdTunnel);
            return true;
        case kCmdEditorBridge:
            ChooseWayVariant(kCmdBridge);
            return true;
        default:
            return false;
    }
}

void HAUPTDIALOG::ChooseWayKind(int32_t kind) {
    CGameState& gs = *g_pGameState;
    gs.way_kind = kind;
    if (g_pWayNetwork != nullptr) g_pWayNetwork->SetWayType(static_cast<uint8_t>(kind + 1));
    if (g_pSpielFeld != nullptr) g_pSpielFeld->platform_mode = 0;
    SetTool(WayTool());
    const WayRows rows = FindWayRows(current_heading, entry_count);
    if (rows.kinds == 0) return;
    // The gravel road has no row of its own: the lists with the monorail
    // mark their first row, the shortest list keeps its marks.
    int32_t checked = kind - 1;
    if (kind == 0) checked = rows.kinds >= 3 || rows.platform < 0 ? 0 : -1;
    if (checked < 0 || checked >= rows.kinds) return;
    for (int32_t r = 0; r < rows.kinds; ++r) entry_checked[r] = r == checked ? 1 : 0;
    if (rows.platform >= 0) entry_checked[rows.platform] = 0;
    DrawDropDown();
}

void HAUPTDIALOG::ChooseWayVariant(uint16_t command) {
    if (g_pSpielFeld == nullptr) return;
    SPIEL_FELD& view = *g_pSpielFeld;
    if (command == kCmdPlatform) {
        view.bridge_mode = view.tunnel_mode = 0;
        view.platform_mode = view.platform_mode != 0 ? 0 : 1;
        SetTool(view.platform_mode != 0 ? kToolPlatform : WayTool());
        action_refusal = 0;
        DrawActionRefusal();
    } else {
        int32_t& mode = command == kCmdTunnel ? view.tunnel_mode : view.bridge_mode;
        int32_t& other = command == kCmdTunnel ? view.bridge_mode : view.tunnel_mode;
        mode = mode != 0 ? 0 : 1;
        other = 0;
        view.platform_mode = 0;
        SetTool(WayTool());
    }
    const WayRows rows = FindWayRows(current_heading, entry_count);
    if (rows.kinds == 0) return;
    entry_checked[rows.bridge] = view.bridge_mode != 0 ? 1 : 0;
    entry_checked[rows.tunnel] = view.tunnel_mode != 0 ? 1 : 0;
    if (rows.platform >= 0) entry_checked[rows.platform] = view.platform_mode != 0 ? 1 : 0;
    DrawDropDown();
}

bool HAUPTDIALOG::RunTerrainCommand(uint16_t command) {
    CGameState& gs = *g_pGameState;
    if (command == kCmdDemolish || command == kCmdEditorDemolish) {
        if (back_buffer.Loaded() && clean_background.Loaded()) {
            BlitDC(*back_buffer.dc, 0, kPanelListTop, kPanelWidth,
                   back_buffer.Rows() - kPanelListTop, *clean_background.dc, 0, kPanelListTop);
        }
        gs.demolish_mode = 1;
        SetTool(kToolDemolish);
        CheckOnly(0);
        RedrawSidebar();
        return true;
    }
    int32_t row = -1;
    if (command == kCmdLiftSink || command == kCmdEditorLiftSink) row = 1;
    if (command >= kCmdLiftSink2 && command < kCmdLiftSink2 + 4) row = 2 + command - kCmdLiftSink2;
    if (row < 0) return false;
    // Brushes 1, then 3..6 for 2x2..5x5.
    brush_size = row == 1 ? 1 : row + 1;
    gs.demolish_mode = 0;
    SetTool(kToolRaiseLower);
    CheckOnly(row);
    return true;
}

bool HAUPTDIALOG::RunEditorCommand(uint16_t command) {
    CGameState& gs = *g_pGameState;
    if (command >= kCmdEditorShowGrid && command < kCmdEditorShowGrid + 4) {
        return RunViewCommand(static_cast<uint16_t>(command - kCmdEditorShowGrid + kCmdShowGrid));
    }
    if (command >= kCmdEditorZoom1 && command < kCmdEditorZoom1 + 4) {
        return RunViewCommand(static_cast<uint16_t>(command - kCmdEditorZoom1 + kCmdZoom1));
    }
    if (command >= kCmdEditorVillage && command < kCmdEditorVillage + 5) {
        gs.city_size_choice = command - kCmdEditorVillage;
        CheckOnly(gs.city_size_choice);
        return true;
    }
    if (command >= kCmdEditorSilverMine && command <= kCmdEditorSteelMill) {
        const Plant& plant = kPlants[command - kCmdEditorSilverMine];
        gs.selected_building_type = plant.type;
        if (plant.mine_kind >= 0) gs.mine_kind = plant.mine_kind;
        SetTool(kToolBuilding);
        CheckOnly(plant.row);
        return true;
    }
    switch (command) {
        case kCmdEditorSetting:
            plat::SendMessage(MainFrame(), kMsgOpenNewWorld);
            return true;
        case kCmdEditorGenerate:
            RegenerateWorld(MainFrame(), 0);
            return true;
        default:
            return false;
    }
}
