// The main frame's part in the flow of the program: the logos and the title
// screen, the title's choices, starting and ending a running game, and the
// high-score entry at the end of a game.

#include <ctime>

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "app/level_file.h"
#include "app/main_frame.h"
#include "cities/city_manager.h"
#include "game/high_scores.h"
#include "game/opponent.h"
#include "game/opponent_roster.h"
#include "panel/control_panel.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/random.h"
#include "screens/flow/new_game_screen.h"
#include "sound/sound_manager.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/market_events.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "state/world_images.h"
#include "transport/vehicle.h"
#include "view/world_view.h"
#include "world/map_reset.h"
#include "world/new_world.h"
#include "world/way_network.h"

namespace {

// The world view leaves room for the edge-scroll strips.
constexpr int32_t kViewWidthMargin = 18;
constexpr int32_t kViewHeightMargin = 41;
constexpr int64_t kDefaultStartCapital = 300000;
// The data holds one career.
constexpr int32_t kCareerSet = 0;

void ResetLoopTimers(FrameTimers& t) {
    const uint32_t now = plat::TimeGetTime();
    t = FrameTimers{};
    t.frame_time = t.frame_now = now;
    t.anim_time = t.anim_now = now;
    t.tick_time = t.tick_now = now;
    t.opponent_time = t.opponent_now = now;
}

}  // namespace

void HAUPTFENSTER::ShowStartScreen() {
    if (g_pGameState != nullptr) g_pGameState->paused = 1;
    SendMessage(kMsgLogoDone);
    if (g_LogoShown[0] == 0) {
        g_LogoShown[0] = 1;
        SendMessage(kMsgOpenLogo, 0);
    } else if (g_LogoShown[1] == 0) {
        g_LogoShown[1] = 1;
        SendMessage(kMsgOpenLogo, 1);
    } else if (const ScreenEntry* title = EntryFor(FrameScreen::Start); title != nullptr) {
        OpenScreen(*title, 0, 0);
    }
}

void HAUPTFENSTER::OnStartScreenResult(int32_t choice) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    gs->screen_open = 0;
    // Choices that go on in a popup of a fresh world view's panel. When
    // the popup cannot be made, the view goes again and the title comes back.
    auto viaPanel = [this](uint32_t panelMessage, PanelPopup popup) {
        if (!StartWorldView(kModeGame)) {
            SendMessage(kMsgShowStartScreen);
            return;
        }
        plat::SendMessage(g_pHauptDialog, panelMessage);
        if (g_pHauptDialog != nullptr && g_pHauptDialog->Popup(popup) != nullptr) return;
        // Unless the request itself already went back to the title.
        if (g_pSpielFeld == nullptr && Screen(FrameScreen::Start) != nullptr) return;
        SendMessage(kMsgEndRunningGame);
        SendMessage(kMsgShowStartScreen);
    };
    switch (choice) {
        case kChoiceScenario:
            viaPanel(kMsgPanelOpenScenarioSelect, PanelPopup::ScenarioSelect);
            break;
        case kChoiceMission:
            viaPanel(kMsgPanelOpenMissionSelect, PanelPopup::MissionSelect);
            break;
        case kChoiceCareer:
            RequestScreen(kMsgOpenCareer);
            break;
        case kChoiceNewGame:
            RequestScreen(kMsgOpenNewGameSetup);
            break;
        case kChoiceContinue:
            gs->goal_reached = 0;
            gs->board_votes = 0;
            if (!StartWorldView(kModeGame)) {
                SendMessage(kMsgShowStartScreen);
                break;
            }
            if (LoadLastGame() != LevelLoadResult::Loaded) {
                // Missing or damaged (the player was told): no game to go
                // on with, back to the title.
                SendMessage(kMsgEndRunningGame);
                SendMessage(kMsgShowStartScreen);
                break;
            }
            if (g_pSound != nullptr) {
                g_pSound->ResumeEffects();
                g_pSound->OnMusicNotify();
            }
            gs->sim_halted = 0;
            if (g_pSpielFeld != nullptr && g_pSpielFeld->zoom == kOverviewZoomLevel) {
                SendMessage(WM_COMMAND, kCmdViewOverview, 0);
            }
            break;
        case kChoiceLoadGame:
            // Marked as begun from the title: a cancelled load comes back to it.
            gs->start_screen_marker = 1;
            viaPanel(kMsgPanelOpenLoadGame, PanelPopup::LoadGame);
            break;
        case kChoiceEditor:
            RequestScreen(kMsgOpenEditorStart);
            break;
        case kChoiceHighScores:
            RequestScreen(kMsgOpenHighScores);
            break;
        case kChoiceQuit:
            SendMessage(WM_CLOSE);
            break;
        case kChoiceTutorial:
            RequestScreen(kMsgOpenTutorial);
            break;
        default:
            break;
    }
}

bool HAUPTFENSTER::StartWorldView(int32_t game_mode) {
    CGameState* gs = g_pGameState;
    const auto create = GetFrameHooks().create_world_view;
    if (gs == nullptr || create == nullptr) return false;
    gs->game_mode = game_mode;
    // The new view looks north, and the building pictures are loaded for
    // that direction here. Loaded with the rotation the last game ended in,
    // a new game or the editor would draw every building from the old
    // direction's pictures, and nothing but a change of colour reloads them.
    gs->rotation = 0;
    LoadWorldImages();
    const plat::Rect area{gs->origin_x, gs->origin_y,
                          gs->origin_x + gs->screen_width - kViewWidthMargin,
                          gs->origin_y + gs->screen_height - kViewHeightMargin};
    SPIEL_FELD* view = create(*this, area);
    if (view == nullptr) return false;
    SetWorldView(view);
    // The view and its panel are made with the panel on the left, while
    // `panel_side` keeps its value from the game before (M changes it):
    // without this layout the panel could stand left with `panel_side`
    // saying right, and the first M would move nothing.
    LayOutViewAndPanel();
    ResetLoopTimers(gs->timers);
    gs->paused = 0;
    // Every game starts unpaused: the player's pause of the game that ended
    // would otherwise freeze this one, its clock still and BUILD, WAYS, LAND
    // and POINT refusing clicks, with only a mark in the GAME list to say why.
    gs->user_pause = 0;
    gs->redraw_terrain = 1;
    gs->redraw_objects = 1;
    view->RedrawView();
    ShowWindow(SW_SHOW);
    UpdateWindow();
    LoadKeys();
    return true;
}

SPIEL_FELD* MakeWorldView(HAUPTFENSTER& frame, const plat::Rect& /*area*/) {
    // The view places itself right of the panel over the whole screen height.
    auto* view = new SPIEL_FELD;
    if (!view->CreateView(&frame)) {
        delete view;
        return nullptr;
    }
    return view;
}

void HAUPTFENSTER::StartGame(plat::LParam lParam) {
    CGameState* gs = g_pGameState;
    // The capital is read from the set-up screen while it is still open.
    const auto* setup = dynamic_cast<const FS_SPIELSTART*>(Screen(FrameScreen::NewGame));
    const int64_t capital = setup != nullptr ? setup->StartCapital() : kDefaultStartCapital;
    DeleteScreen(FrameScreen::NewGame);
    if (lParam != 0 || gs == nullptr) {
        SendMessage(kMsgShowStartScreen);
        return;
    }
    gs->screen_open = 0;
    ResetGameCounters();
    ClearStatistics();
    InitGoodsTable();
    InitBuildingTypes();
    InitMarketEvents();
    gs->cash[0] = capital;
    gs->cash_shown[0] = gs->cash[0];
    g_Credit = 0;
    gs->event_pause = 11;
    g_MaxVehicleNumber = 0;
    gs->goal_reached = 0;
    gs->board_votes = 0;
    for (int32_t i = 0; i < kOpponentCount; ++i) g_TakeOverCount[i] = 0;
    // Nothing of the game that ended stays, as after a load: its news rows
    // would open the old game's news (a product, a model or a building that
    // came in another world, another world's business and rivals), F1 to
    // F10 would jump to places stored in the old world, and the next save
    // would count the old world's factories as placed in this one.
    for (int32_t& id : gs->news_ids) id = -1;
    for (Bookmark& mark : gs->bookmarks) mark = {-1, -1};
    for (int32_t& count : gs->built_counts) count = 0;
    // The start decade is chosen after the rivals, and the clock runs
    // meanwhile. A new game begun from the end confirmation comes past no
    // title that sets 1960: the panel would show the old game's year at the
    // start-year question, and a month turned in it could announce that
    // year's goods in the new world.
    gs->year = 1960;
    const auto seed = GetFrameHooks().new_game_seed;
    plat::Srand(seed != nullptr ? seed() : static_cast<uint32_t>(std::time(nullptr)));
    gs->city_growth_running = 1;
    if (!StartWorldView(kModeGame)) {
        SendMessage(kMsgShowStartScreen);
        return;
    }
    if (g_pCityManager != nullptr) g_pCityManager->LoadNames();
    GenerateNewGameWorld(this);
    if (g_pCityManager != nullptr) g_pCityManager->SpawnAllTrafficCars();
    gs->month = 0;
    gs->week = 0;
    // Profiles 0, 1, 2 without turns until the opponent selection picks.
    RecreateOpponents();
    StopOpponentTurns();
    SPIEL_FELD* view = g_pSpielFeld;
    if (view != nullptr) {
        view->centre_x = 0.0;
        view->centre_y = 107.0;
        view->zoom = 1;
        view->SetupProjection();
        view->BlackenBackBuffers();
        MarkAllFieldsChanged();
        gs->redraw_terrain = 1;
        gs->redraw_objects = 1;
        view->RedrawView();
    }
    if (g_pHauptDialog != nullptr) plat::SendMessage(g_pHauptDialog, kMsgPanelOpenCompanyName);
}

void HAUPTFENSTER::StartCareerGame(plat::LParam lParam) {
    CGameState* gs = g_pGameState;
    if (lParam != 0 || gs == nullptr) {
        SendMessage(kMsgShowStartScreen);
        return;
    }
    gs->start_marker = 0;
    if (!StartWorldView(kModeCareer) || g_pHauptDialog == nullptr) {
        SendMessage(kMsgShowStartScreen);
        return;
    }
    g_pHauptDialog->StartCareerLevel(kCareerSet);
    if (g_pGameState != nullptr) g_pGameState->screen_open = 0;
}

void HAUPTFENSTER::OnOpponentSelectDone() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    HAUPTDIALOG* panel = g_pHauptDialog;
    if (panel != nullptr) {
        panel->DrawSidebarCapital();
        panel->DrawSidebarDate();
    }
    gs->sim_halted = 1;
    if (panel != nullptr) plat::SendMessage(panel, kMsgPanelOpenCityGrowth);
}

void HAUPTFENSTER::EndRunningGame() {
    plat::ClipCursor(nullptr);
    DeleteGameScreens();
    if (g_pGameState != nullptr) FreeWorldImages();
    SPIEL_FELD* view = g_pSpielFeld;
    SetWorldView(nullptr);
    delete view;
    ResetMapFields();
    if (g_pWayNetwork != nullptr) g_pWayNetwork->FreeAllNodes();
    DeleteScreen(FrameScreen::GenProgress);
    ResetGameCounters();
    ClearStatistics();
    // Whatever starts next, no opponent plans in the world that went.
    ForgetOpponentWorlds();
    if (g_pGameState != nullptr) {
        g_pGameState->ResetNewGameSettings();
        // A free start left half way does not lead a later level start on
        // to the opponent selection.
        g_pGameState->city_growth_running = 0;
    }
}

void HAUPTFENSTER::OnGameEndDone(int32_t points) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    // The title or the high scores come next whatever game ended (a mission
    // left through its leave confirmation too): no world view or panel may
    // stay behind them.
    SendMessage(kMsgEndRunningGame);
    gs->screen_open = 0;
    if (InsertHighScore(*gs, points) < 0) {
        SendMessage(kMsgShowStartScreen);
    } else {
        RequestScreen(kMsgOpenHighScores);
    }
    gs->sim_halted = 0;
}

void HAUPTFENSTER::StartEditor() {
    CGameState& gs = *g_pGameState;
    gs.build_orientation = 0;
    if (!StartWorldView(kModeEditor)) {
        SendMessage(kMsgShowStartScreen);
        return;
    }
    if (g_pCityManager != nullptr) g_pCityManager->LoadNames();
    gs.year = 1960;
    gs.month = 0;
    gs.goal_reached = 0;
    gs.board_votes = 0;
    gs.cash[0] = editor_start_capital;
    g_Credit = 0;
    gs.cash_shown[0] = gs.cash[0];
    gs.paused = 0;
    MarkAllFieldsChanged();
    gs.redraw_terrain = 1;
    gs.redraw_objects = 1;
    gs.show_grid = gs.show_trees = gs.show_city_buildings = 1;
    gs.show_city_names = gs.show_building_names = gs.show_production = 1;
    for (Bookmark& b : gs.bookmarks) b = {-1, -1};
    if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
    LoadKeys();
}
