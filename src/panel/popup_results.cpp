// What the control panel does when a popup opens and when its screen
// answers, and the table of all pairs.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "economy/building_table.h"
#include "game/opponent.h"
#include "game/opponent_roster.h"
#include "gfx/blit_dc.h"
#include "panel/control_panel.h"
#include "panel/popup_protocol.h"
#include "platform/random.h"
#include "screens/economy/annual_accounts_window.h"
#include "screens/flow/board_vote_screen.h"
#include "screens/flow/level_select_screen.h"
#include "screens/flow/level_text_screen.h"
#include "screens/flow/load_game_screen.h"
#include "screens/flow/news_popups.h"
#include "screens/flow/opponent_screens.h"
#include "screens/flow/result_screens.h"
#include "screens/flow/save_game_screen.h"
#include "screens/flow/save_slots.h"
#include "screens/panel/city_growth_screen.h"
#include "screens/panel/confirm_screen.h"
#include "screens/panel/find_screen.h"
#include "screens/panel/name_entry_screen.h"
#include "screens/panel/options_screen.h"
#include "screens/panel/structure_info_screen.h"
#include "sound/sound_manager.h"
#include "state/game_files.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "state/world_images.h"
#include "view/world_view.h"
#include "world/map_reset.h"
#include "world/tile_marker.h"

namespace {

constexpr int32_t kLastCareerLevel = 9;
constexpr int32_t kWinningVotes = 75;
constexpr int32_t kGrowthStepsPerChoice = 480;
// The view's tools while a panel screen holds it.
constexpr int32_t kToolFileList = -5;
constexpr int32_t kToolInfoList = -6;
constexpr int32_t kHeadingNews = 8;
// The word of g_NewGameCounters that switches market events on at a level start.
constexpr int32_t kEventCounterWord = kNgcWord19;
constexpr int8_t kNoEventRunning = -1;  // 0xFF

CGameState& Gs() {
    return *g_pGameState;
}

bool InEditor() {
    return Gs().game_mode == kModeEditor;
}

int32_t Tool() {
    return g_pSpielFeld != nullptr ? g_pSpielFeld->tool : kToolNone;
}

void SetTool(int32_t tool) {
    if (g_pSpielFeld != nullptr) g_pSpielFeld->tool = tool;
}

void ToFrame(HAUPTDIALOG& panel, uint32_t message, plat::LParam lParam = 0) {
    plat::SendMessage(panel.Frame(), message, 0, lParam);
}

void ResumeEffects() {
    if (g_pSound != nullptr) g_pSound->ResumeEffects();
}

void ResumeMusic() {
    if (g_pSound != nullptr) g_pSound->ResumeMusic();
}

void RedrawLayers() {
    Gs().redraw_terrain = 1;
    Gs().redraw_objects = 1;
    if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
}

// The panel with no heading tool: list closed, heading 14 pressed, tool 99,
// and the whole panel shown. Closing the list changes only the panel's
// picture: without the last step its rows would stay on the screen, dead.
void BackToNoTool(HAUPTDIALOG& panel) {
    panel.CloseDropDown();
    panel.current_heading = kHeadingNoTool;
    panel.DrawHeadings();
    SetTool(kToolNone);
    panel.PresentArea(0, 0, kPanelWidth, panel.back_buffer.Rows());
}

// The editor's world heading, pressed again.
void BackToEditorHeading(HAUPTDIALOG& panel) {
    plat::SendMessage(&panel, WM_COMMAND, kCmdHeadingFirst + kHeadingEditorWorld);
}

void ClearChecks(HAUPTDIALOG& panel, int32_t first, int32_t last) {
    for (int32_t r = first; r <= last && r < kPanelRowCount; ++r) panel.entry_checked[r] = 0;
    panel.DrawDropDown();
}

// Ends the running game and shows the start screen. The view, and the panel
// with it, are gone afterwards.
void EndGameToStart(HAUPTDIALOG& panel) {
    plat::Window* frame = panel.Frame();
    plat::SendMessage(frame, kMsgEndRunningGame);
    plat::SendMessage(frame, kMsgShowStartScreen);
}

void ResetMapAndEnd(HAUPTDIALOG& panel) {
    ResetMapFields();
    EndGameToStart(panel);
}

void GameEnd(HAUPTDIALOG& panel) {
    ToFrame(panel, kMsgGameEnd,
            Gs().board_votes >= kWinningVotes ? kEndPictureWon : kEndPictureLost);
}

std::string FolderFile(int32_t group, const char* name_format, int32_t a, int32_t b = 0) {
    char name[64];
    std::snprintf(name, sizeof name, name_format, a, b);
    return std::string(Gs().DataPath(group)) + "\\" + name;
}

enum class Outcome { Loaded, NotLoaded, GameEnded };

// A level or saved game that failed half way ends the game.
Outcome Settle(HAUPTDIALOG& panel, LevelLoadResult result) {
    if (result == LevelLoadResult::FailedMidway) {
        EndGameToStart(panel);
        return Outcome::GameEnded;
    }
    return result == LevelLoadResult::Loaded ? Outcome::Loaded : Outcome::NotLoaded;
}

int32_t CareerSet() {
    return (Gs().career_level >> 8) & 0xFF;
}

int32_t CareerLevel() {
    return Gs().career_level & 0xFF;
}

Outcome LoadCareerLevel(HAUPTDIALOG& panel, int32_t set, int32_t level) {
    return Settle(panel, Files().LoadLevel(FolderFile(kPathCareer, "k%d_%d.lvl", set, level)));
}

// A result screen stops the clock until the next level is loaded. When the
// level file cannot be read (the loader has said why), the career cannot go
// on and the game returns to the start screen instead of standing still.
Outcome EndUnlessLoaded(HAUPTDIALOG& panel, Outcome outcome) {
    if (outcome != Outcome::NotLoaded) return outcome;
    EndGameToStart(panel);
    return Outcome::GameEnded;
}

void StartEventsIfOn() {
    if (g_NewGameCounters.words[kEventCounterWord] > 0) Gs().active_event = kNoEventRunning;
}

// Reads a level as a level start: the flag is set before the read, so that
// the pictures it reloads do not hand the music back before the level's
// first popup; cleared again when nothing started.
template <typename Read>
Outcome ReadAsLevelStart(Read read) {
    CGameState& gs = Gs();
    gs.level_start_pending = 1;
    const Outcome outcome = read();
    if (outcome != Outcome::Loaded) gs.level_start_pending = 0;
    return outcome;
}

// The next career level, or at the last one the end of the game. NotLoaded
// when the level file could not be read (nothing changed).
Outcome NextCareerLevel(HAUPTDIALOG& panel) {
    CGameState& gs = Gs();
    const int32_t set = CareerSet();
    const int32_t level = CareerLevel();
    if (level >= kLastCareerLevel) {
        GameEnd(panel);
        return Outcome::GameEnded;
    }
    const Outcome outcome =
        ReadAsLevelStart([&] { return LoadCareerLevel(panel, set, level + 1); });
    if (outcome != Outcome::Loaded) return outcome;
    gs.career_level = (set << 8) | (level + 1);
    gs.goal_reached = 0;
    gs.screen_open = 0;
    plat::SendMessage(&panel, kMsgPanelOpenAssignmentText, static_cast<plat::WParam>(set),
                      level + 1);
    StartEventsIfOn();
    return Outcome::Loaded;
}

void NamePlayer() {
    std::snprintf(Gs().company_names[0], kCompanyNameLength, "%s", "Player 1");
}

void DisplayOptionsOn() {
    CGameState& gs = Gs();
    gs.show_grid = gs.show_trees = gs.show_city_buildings = 1;
    gs.show_city_names = gs.show_building_names = gs.show_production = 1;
}

// The zoom a jump to a place shows: 1:1, 1:2 or 1:4 as asked, 1:1 for the
// overview; when no such zoom was asked for (the panel starts with none),
// the view's own, and 1:1 when that is none of them either.
int32_t ZoomOfJump(int32_t requested) {
    const auto shown = [](int32_t zoom) { return zoom == 1 || zoom == 2 || zoom == 4; };
    if (shown(requested)) return requested;
    if (requested == kOverviewZoomLevel) return 1;
    const int32_t own = g_pSpielFeld != nullptr ? g_pSpielFeld->zoom : 1;
    return shown(own) ? own : 1;
}

// The view centred on its selected field at the zoom asked for, the map
// drawn anew.
void CentreOnSelectedField(int32_t zoom) {
    SPIEL_FELD* view = g_pSpielFeld;
    if (view == nullptr) return;
    view->zoom = zoom;
    ResumeEffects();
    ResumeMusic();
    view->JumpToField(view->cursor_x, view->cursor_y);
    // Away from 1:16 the legend leaves the sidebar.
    if (g_pHauptDialog != nullptr) g_pHauptDialog->RedrawSidebar();
}

// --- Openers -------------------------------------------------------------------

bool KeepDemolitionField(HAUPTDIALOG& panel, PopupRequest& request) {
    panel.demolition_x = static_cast<int32_t>(request.wParam);
    panel.demolition_y = static_cast<int32_t>(request.lParam);
    return true;
}

bool BuildingOfSelectedField(HAUPTDIALOG& /*panel*/, PopupRequest& request) {
    int32_t number = 0;
    if (g_pSpielFeld != nullptr) {
        const int32_t x = g_pSpielFeld->cursor_x;
        const int32_t y = g_pSpielFeld->cursor_y;
        // Bridge and forest fields answer 0 themselves.
        const MapField* field = FieldAt(x, y);
        if (field != nullptr) number = field->BuildingNumber();
    }
    request.wParam = static_cast<plat::WParam>(number > 0 ? number : 0);
    // Only the raw-material sites have a window: for anything else nothing
    // opens (and nothing is halted or marked open).
    return g_ppBuildings != nullptr &&
           StructureInfoScreen::PictureOf(g_ppBuildings->At(number)) != 0;
}

bool LeaveToolsForYearSummary(HAUPTDIALOG& panel, PopupRequest& /*request*/) {
    CancelPendingRoute();
    SetTool(kToolYearSummary);
    panel.CloseDropDown();
    return true;
}

bool CloseForResultScreen(HAUPTDIALOG& panel, PopupRequest& /*request*/) {
    // The frame's screens first: their closing may show a waiting popup,
    // which then goes with the panel's own screens. The year's accounts
    // that came with the level's end go too: the result's answer leaves or
    // reloads the level at once.
    ToFrame(panel, kMsgCloseInfoWindows);
    panel.DeleteChildren();
    Gs().screen_open = 0;
    BackToNoTool(panel);
    return true;
}

// The assignment's votes are counted first: enough of them win the career
// at once; the last level's end needs no screen either.
bool CountAssignmentVotes(HAUPTDIALOG& panel, PopupRequest& request) {
    CGameState& gs = Gs();
    if (g_pSound != nullptr) {
        g_pSound->StopEffects();
        g_pSound->StopMusic();
    }
    CloseForResultScreen(panel, request);
    gs.board_votes += gs.assignment_votes;
    CancelPendingRoute();
    if (gs.board_votes >= kWinningVotes) {
        ToFrame(panel, kMsgGameEnd, kEndPictureWon);
        return false;
    }
    if (CareerLevel() < kLastCareerLevel) return true;
    ToFrame(panel, kMsgGameEnd, kEndPictureLost);
    return false;
}

// --- Results -------------------------------------------------------------------

void DemolitionResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    SPIEL_FELD* view = g_pSpielFeld;
    if (view == nullptr) return;
    if (answer == 0) {
        view->drag_start_x = panel.demolition_x;
        view->drag_start_y = panel.demolition_y;
        view->DemolishArea();
        Gs().redraw_terrain = 1;
        if (g_pTileMarker != nullptr) {
            g_pTileMarker->ClearAll();
            g_pTileMarker->MarkField(view->cursor_x, view->cursor_y, 1);
        }
        view->ClearOverlay();
        view->RedrawView();
        view->DrawMarkOverlay();
    }
    view->drag_start_x = view->drag_start_y = -1;
}

void NextLevelResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    const Outcome outcome = answer == 0 ? NextCareerLevel(panel) : Outcome::NotLoaded;
    if (outcome == Outcome::NotLoaded) ResumeEffects();
    if (panel.IsWindow()) BackToNoTool(panel);
}

void OptionsResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam) {
    panel.current_heading = kHeadingNoTool;
    panel.DrawHeadings();
    SetTool(kToolNone);
}

// The leave and end confirmations alike: "no" takes the editor back to its
// world heading and a game back to no tool, then `resume`s; "yes" saves the
// last game outside the editor and goes back to no tool. True for "yes".
bool LeavingConfirmed(HAUPTDIALOG& panel, plat::LParam answer, void (*resume)()) {
    if (answer != 0) {
        if (InEditor()) {
            BackToEditorHeading(panel);
        } else {
            BackToNoTool(panel);
            resume();
        }
        return false;
    }
    if (!InEditor()) {
        Files().SaveLastGame();
        BackToNoTool(panel);
    }
    return true;
}

void LeaveResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    if (!LeavingConfirmed(panel, answer, ResumeEffects)) return;
    ToFrame(panel, kMsgCloseInfoWindows);
    GameEnd(panel);
}

void FindResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    if (answer == 0) {
        Gs().zoom_request = ZoomOfJump(Gs().zoom_request);
        const int32_t row = Gs().zoom_request == 4 ? 2 : Gs().zoom_request == 2 ? 1 : 0;
        for (int32_t& check : panel.entry_checked) check = 0;
        panel.entry_checked[row] = 1;
        panel.DrawDropDown();
        CentreOnSelectedField(Gs().zoom_request);
    } else {
        panel.DrawDropDown();
    }
}

// The company name of a free start (which alone sets `city_growth_running`)
// leads on to the opponent selection.
void GoOnToOpponentSelection(HAUPTDIALOG& panel) {
    if (Gs().city_growth_running == 1) ToFrame(panel, kMsgOpenOpponentSelect);
}

void CompanyNameResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    CGameState& gs = Gs();
    gs.pending_view_code = 7;
    if (answer != 0) {
        GoOnToOpponentSelection(panel);
        return;
    }
    const auto colour = static_cast<uint8_t>(panel.popup_result.colour & 3);
    const bool changed = gs.player_colors[0] != colour;
    for (int32_t p = 0; p < 4; ++p) gs.player_colors[p] = static_cast<uint8_t>((colour + p) % 4);
    if (changed) LoadObjectImages();
    if (panel.popup_result.text[0] != 0) {
        // The typed name, cut to the company name's length.
        const size_t n = std::min(std::strlen(panel.popup_result.text),
                                  static_cast<size_t>(kCompanyNameLength - 1));
        std::memcpy(gs.company_names[0], panel.popup_result.text, n);
        gs.company_names[0][n] = 0;
    }
    RedrawLayers();
    GoOnToOpponentSelection(panel);
}

void RenameResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam) {
    panel.RefreshInfoPanel();
    // The name plates are part of the object layer: drawn again, with the
    // new name.
    Gs().redraw_objects = 1;
    if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
}

void YearSummaryResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam) {
    if (Tool() == kToolYearSummary) BackToNoTool(panel);
}

void LoadGameResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    CGameState& gs = Gs();
    // A slot that holds no game (its files gone since the list was made) is
    // refused as the load screen refuses an empty row: nothing is asked or
    // loaded, and a load begun from the title goes back to it.
    if (answer == 0 && SlotLoadable(panel.popup_result.slot)) {
        const int32_t slot = panel.popup_result.slot;
        const std::string path = slot == kAutosaveSlot ? AutosaveFile() : SaveSlotFile(slot, "lvl");
        const Outcome outcome = Settle(panel, Files().LoadSavedGame(path));
        if (outcome == Outcome::GameEnded) return;
        if (outcome == Outcome::Loaded) {
            gs.start_screen_marker = 0;
            RedrawLayers();
            if (!InEditor()) ResumeMusic();
            if (Tool() == kToolFileList) {
                ClearChecks(panel, 0, kPanelRowCount - 1);
            } else if (g_pSpielFeld != nullptr && g_pSpielFeld->zoom == kOverviewZoomLevel) {
                plat::SendMessage(panel.Frame(), WM_COMMAND, kCmdViewOverview);
            } else {
                BackToNoTool(panel);
            }
            return;
        }
    }
    // Cancelled: a load begun from the start screen goes back to it.
    if (gs.start_screen_marker != 0) {
        // The mark is spent: a game started later from the start screen
        // does not end when a load in it is cancelled.
        gs.start_screen_marker = 0;
        EndGameToStart(panel);
    } else {
        gs.start_screen_marker = 0;
    }
}

void SaveGameResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    if (answer != 0) return;
    const int32_t slot = panel.popup_result.slot;
    const char* format = InEditor() ? "s_%d" : "%d";
    char name[32];
    std::snprintf(name, sizeof name, format, slot);
    const std::string folder = std::string(Gs().DataPath(kPathSave)) + "\\" + name;
    if (Files().SaveGameFile(folder + ".lvl")) {
        Files().WriteDescription(folder + ".dir", panel.popup_result.text);
    }
}

// A mission or scenario read whole, as a level start.
Outcome ReadStartingLevel(HAUPTDIALOG& panel, const std::string& path) {
    return ReadAsLevelStart([&] { return Settle(panel, Files().LoadPreparedGame(path)); });
}

// The rest of a mission or scenario start once its level is read. Only a
// mission has a briefing: a scenario's "m<set>_<level>.txt" would name
// another mission's text, or none, and a missing text ends the program.
void StartLevel(HAUPTDIALOG& panel, int32_t set, int32_t level, bool name_player, bool events,
                bool briefing) {
    CGameState& gs = Gs();
    gs.start_screen_marker = 0;
    if (name_player) NamePlayer();
    for (Bookmark& bookmark : gs.bookmarks) bookmark = {-1, -1};
    // The briefing is shown (the selection's result cleared `screen_open`),
    // and the company name entry opens in front of it.
    if (briefing) {
        plat::SendMessage(&panel, kMsgPanelOpenMissionText, static_cast<plat::WParam>(set), level);
    }
    if (events) gs.active_event = kNoEventRunning;
    plat::SendMessage(&panel, kMsgPanelOpenCompanyName);
    gs.goal_reached = 0;
    RedrawLayers();
}

void MissionSelectResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    CGameState& gs = Gs();
    if (answer != 0) {
        ResetMapAndEnd(panel);
        return;
    }
    const int32_t set = panel.popup_result.slot;
    const int32_t level = panel.popup_result.choice;
    // A mission is read whole, as a saved game, and only from a whole file:
    // its own mode and display options replace those set here.
    gs.game_mode = kModeMission;
    DisplayOptionsOn();
    const Outcome outcome =
        ReadStartingLevel(panel, FolderFile(kPathMission, "m%d_%d.lvl", set, level));
    if (outcome == Outcome::GameEnded) return;
    if (outcome == Outcome::NotLoaded) {
        ResetMapAndEnd(panel);
        return;
    }
    gs.career_level = (set << 8) | level;
    const bool events = g_NewGameCounters.words[kEventCounterWord] > 0;
    StartLevel(panel, set, level, true, events, true);
}

void ScenarioSelectResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    CGameState& gs = Gs();
    if (answer != 0) {
        ResetMapAndEnd(panel);
        return;
    }
    const int32_t n = panel.popup_result.slot;
    const int32_t part = panel.popup_result.choice;
    const bool prepared = n < 3;
    gs.active_opponent = -1;
    // The group after the three prepared ones holds the scenarios saved in
    // the editor, by their own number. Either is read whole, as a saved game.
    const std::string path = prepared ? FolderFile(kPathScenario, "s%d_%d.lvl", n, part)
                                      : FolderFile(kPathSave, "s_%d.lvl", part);
    const Outcome outcome = ReadStartingLevel(panel, path);
    if (outcome == Outcome::GameEnded) return;
    if (outcome == Outcome::NotLoaded) {
        ResetMapAndEnd(panel);
        return;
    }
    if (prepared) DisplayOptionsOn();
    gs.game_mode = kModeGame;
    // The scenario's opponents rest, whatever the file had them doing.
    StopOpponentTurns();
    StartLevel(panel, n, part, prepared, prepared, false);
}

void EndConfirmResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    CGameState& gs = Gs();
    if (!LeavingConfirmed(panel, answer, ResumeMusic)) return;
    plat::Window* frame = panel.Frame();
    // What the row that asked wants (End, New Game, New Mission, New Scenario).
    switch (panel.answer_code) {
        case 0:
            plat::SendMessage(frame, kMsgEndRunningGame);
            ResetMapFields();
            plat::SendMessage(frame, kMsgShowStartScreen);
            break;
        case 1:
            gs.screen_open = 1;
            plat::SendMessage(frame, kMsgEndRunningGame);
            if (g_pSound != nullptr) {
                g_pSound->StopEffects();
                g_pSound->StopMusic();
            }
            gs.start_screen_marker = 1;
            gs.paused = 1;
            gs.screen_open = 0;
            plat::SendMessage(frame, kMsgOpenNewGameSetup);
            break;
        case 2:
            plat::SendMessage(&panel, kMsgPanelOpenMissionSelect);
            break;
        case 3:
            plat::SendMessage(&panel, kMsgPanelOpenScenarioSelect);
            break;
        default:
            break;
    }
}

void MissionOverResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam) {
    ResetMapAndEnd(panel);
}

void AssignmentFailedResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    CGameState& gs = Gs();
    gs.pending_view_code = 7;
    if (answer == 0) {  // the same assignment again
        const Outcome outcome =
            EndUnlessLoaded(panel, LoadCareerLevel(panel, CareerSet(), CareerLevel()));
        if (outcome == Outcome::GameEnded) return;
        plat::SendMessage(&panel, kMsgPanelOpenAssignmentText,
                          static_cast<plat::WParam>(CareerSet()), CareerLevel());
        gs.text_from_menu = 0;
        gs.goal_reached = 0;
    } else if (EndUnlessLoaded(panel, NextCareerLevel(panel)) == Outcome::GameEnded) {
        return;
    }
    RedrawLayers();
}

void BoardVoteResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam) {
    ClearChecks(panel, 2, 5);
}

void MissionTextResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam) {
    CGameState& gs = Gs();
    if (gs.level_start_pending != 0) ResumeMusic();
    gs.level_start_pending = 0;
    if (Tool() == kToolInfoList) {
        ClearChecks(panel, 0, 3);
    } else {
        BackToNoTool(panel);
    }
}

void AssignmentTextResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    CGameState& gs = Gs();
    if (gs.level_start_pending != 0 && answer == 0) ResumeMusic();
    gs.level_start_pending = 0;
    gs.text_from_menu = 0;
    if (answer == 1) {  // start the assignment afresh
        if (g_pSound != nullptr) g_pSound->PauseMusic();
        if (LoadCareerLevel(panel, CareerSet(), CareerLevel()) == Outcome::GameEnded) return;
        ResumeMusic();
    }
}

void OpponentNewsResult(HAUPTDIALOG&, plat::WParam, plat::LParam answer) {
    if (answer != 0 || g_pSpielFeld == nullptr) return;
    Gs().zoom_request = ZoomOfJump(g_pSpielFeld->zoom);
    CentreOnSelectedField(Gs().zoom_request);
}

void OpponentOverviewResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam answer) {
    CGameState& gs = Gs();
    ClearChecks(panel, 0, 4);
    if (answer != 1) return;
    RedrawLayers();
    bool turns_left = false;
    for (const COpponent* opponent : gs.opponents) {
        if (opponent != nullptr && opponent->turn_pending != 0) turns_left = true;
    }
    if (!turns_left) {
        // Nobody left to show: the opponent rows go.
        panel.entry_count = 3;
        if (panel.back_buffer.Loaded() && panel.clean_background.Loaded()) {
            const int32_t h = panel.back_buffer.Rows() - kPanelListTop;
            BlitDC(*panel.back_buffer.dc, 0, kPanelListTop, kPanelWidth, h,
                   *panel.clean_background.dc, 0, kPanelListTop);
            panel.PresentArea(0, kPanelListTop, kPanelWidth, h);
        }
    }
    if (panel.current_heading == kHeadingNews) {
        plat::SendMessage(&panel, WM_COMMAND, kCmdHeadingFirst + kHeadingNews);
    }
}

void CityGrowthResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam) {
    CGameState& gs = Gs();
    const int32_t k = panel.popup_result.choice;
    gs.year = (k + 196) * 10;
    // The world's sites were made before the start year was chosen; their
    // capacities follow the decade, so they are set for it now as a load
    // sets them. Otherwise a game saved before its first month loads back
    // with other capacities than it was saved with.
    if (g_ppBuildings != nullptr) g_ppBuildings->AfterLoadAll();
    for (COpponent* opponent : gs.opponents) {
        if (opponent != nullptr) opponent->takeover_year = gs.year + 10 + plat::Rand() % 11;
    }
    // The calendar ran while the opponents were chosen. The trees show the
    // month's picture, so a month set back draws the objects again, at once:
    // left pending while the cities grow, the flag would be cleared unseen by
    // the next closing list or tool preview, and the trees drawn before would
    // keep the month that went.
    const bool set_back = gs.month != 0;
    gs.month = 0;
    gs.week = 0;
    if (set_back && g_pSpielFeld != nullptr) {
        gs.redraw_objects = 1;
        g_pSpielFeld->RedrawView();
    }
    panel.DrawSidebarDate();
    CityGrowthMaker maker = CityGrowthScreenMaker();
    if (k > 0 && maker != nullptr) {
        panel.city_growth_screen = maker(panel, k * kGrowthStepsPerChoice);
        if (panel.city_growth_screen != nullptr) {
            // The main loop runs the steps and ends the growth.
            gs.screen_open = 1;
            return;
        }
    }
    if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
    gs.level_start_pending = 0;
    // No growth to run: the start is over, as at the end of a growth run.
    gs.city_growth_running = 0;
    ResumeMusic();
    gs.sim_halted = 0;
}

void AssignmentDoneResult(HAUPTDIALOG& panel, plat::WParam, plat::LParam) {
    CGameState& gs = Gs();
    gs.pending_view_code = 7;
    gs.text_from_menu = 0;
    if (EndUnlessLoaded(panel, NextCareerLevel(panel)) == Outcome::GameEnded) return;
    SetTool(kToolNone);
    RedrawLayers();
}

// --- Publishing ------------------------------------------------------------------

void PublishStructureInfo(HAUPTDIALOG& panel, plat::Window* screen) {
    panel.structure_info = dynamic_cast<FS_STRUCTURE_INFO*>(screen);
}

void PublishYearSummary(HAUPTDIALOG& panel, plat::Window* screen) {
    panel.year_summary = dynamic_cast<FS_YEAR_SUMMARY*>(screen);
}

void PublishOpponentInfo(HAUPTDIALOG& panel, plat::Window* screen) {
    panel.opponent_info = dynamic_cast<FS_OPPONENT_INFO*>(screen);
}

constexpr uint32_t kNews = kPopupReplaces | kPopupQueued | kPopupShowsWaiting;

// Every pair has its screen.
const PopupEntry kPopups[kPanelPopupCount] = {
    {PanelPopup::Demolition, kMsgPanelConfirmDemolition, 0, -1, OpenDemolitionConfirmation,
     KeepDemolitionField, DemolitionResult},
    {PanelPopup::NextLevel, kMsgPanelOpenNextLevel, kPopupHalts, -1, OpenNextLevelConfirmation,
     nullptr, NextLevelResult},
    {PanelPopup::Options, kMsgPanelOpenOptions, 0, -1, OpenOptions, nullptr, OptionsResult},
    // The leave confirmation is complete, screen and result, but nothing in
    // the game sends its open message: no row, key or flow asks for it. It
    // stays ready for a sender.
    {PanelPopup::Leave, kMsgPanelOpenLeave, kPopupHalts, -1, OpenLeaveConfirmation, nullptr,
     LeaveResult},
    {PanelPopup::Find, kMsgPanelOpenFind, kPopupShowsWaiting, -1, OpenFind, nullptr, FindResult},
    {PanelPopup::ProductNews, kMsgProductNews, kNews, 0, OpenPopupScreen<FS_NEWS_PRODUCT>},
    {PanelPopup::VehicleNews, kMsgVehicleNews, kNews, 1, OpenPopupScreen<FS_NEWS_VEHICLE>},
    {PanelPopup::BuildingNews, kMsgBuildingNews, kNews, 2, OpenPopupScreen<FS_NEWS_BUILDING>},
    {PanelPopup::StructureInfo, kMsgPanelOpenStructureInfo, kPopupShowsWaiting, -1,
     OpenStructureInfo, BuildingOfSelectedField, nullptr, PublishStructureInfo},
    {PanelPopup::BusinessNews, kMsgBusinessNews, kNews, 3, OpenPopupScreen<FS_NEWS_BUSINESS>},
    {PanelPopup::CompanyName, kMsgPanelOpenCompanyName, kPopupHalts, -1, OpenCompanyName, nullptr,
     CompanyNameResult},
    {PanelPopup::TerminalRename, kMsgPanelOpenRenameTerminal, kPopupHalts | kPopupShowsWaiting, -1,
     OpenTerminalRename, IsRenamableTerminal, RenameResult},
    {PanelPopup::CityRename, kMsgPanelOpenRenameCity, kPopupHalts | kPopupShowsWaiting, -1,
     OpenCityRename, IsRenamableCity, RenameResult},
    {PanelPopup::YearSummary, kMsgYearSummary, kPopupQueued | kPopupShowsWaiting, -1,
     OpenPopupScreen<YearSummaryWindow>, LeaveToolsForYearSummary, YearSummaryResult,
     PublishYearSummary},
    {PanelPopup::LoadGame, kMsgPanelOpenLoadGame, kPopupHalts, -1, OpenPopupScreen<FS_LOAD_GAME>,
     nullptr, LoadGameResult},
    {PanelPopup::SaveGame, kMsgPanelOpenSaveGame, kPopupHalts, -1, OpenPopupScreen<FS_SAVE_GAME>,
     nullptr, SaveGameResult},
    {PanelPopup::MissionSelect, kMsgPanelOpenMissionSelect, kPopupHalts, -1,
     OpenPopupScreen<FS_MISSION_SELECT>, nullptr, MissionSelectResult},
    {PanelPopup::ScenarioSelect, kMsgPanelOpenScenarioSelect, kPopupHalts, -1,
     OpenPopupScreen<FS_SCENARIO_SELECT>, nullptr, ScenarioSelectResult},
    {PanelPopup::EndConfirm, kMsgPanelOpenEndConfirm, kPopupHalts | kPopupPausesMusic, -1,
     OpenEndConfirmation, nullptr, EndConfirmResult},
    {PanelPopup::MissionFailed, kMsgPanelOpenMissionFailed, kPopupHalts, -1,
     OpenPopupScreen<FS_MISSION_FAILED>, CloseForResultScreen, MissionOverResult},
    {PanelPopup::MissionDone, kMsgPanelOpenMissionDone, kPopupHalts, -1,
     OpenPopupScreen<FS_MISSION_DONE>, CloseForResultScreen, MissionOverResult},
    {PanelPopup::AssignmentFailed, kMsgPanelOpenAssignmentFailed, kPopupHalts, -1,
     OpenPopupScreen<FS_ASSIGNMENT_FAILED>, CloseForResultScreen, AssignmentFailedResult},
    {PanelPopup::AssignmentDone, kMsgPanelOpenAssignmentDone, kPopupHalts | kPopupReplaces, -1,
     OpenPopupScreen<FS_ASSIGNMENT_DONE>, CountAssignmentVotes, AssignmentDoneResult},
    {PanelPopup::BoardVote, kMsgPanelOpenBoardVote, kPopupShowsWaiting, -1,
     OpenPopupScreen<FS_BOARD_VOTE>, nullptr, BoardVoteResult},
    // A text that arrives while another screen is shown waits hidden.
    {PanelPopup::MissionText, kMsgPanelOpenMissionText, kPopupQueued | kPopupShowsWaiting, -1,
     OpenPopupScreen<FS_MISSION_TEXT>, nullptr, MissionTextResult},
    {PanelPopup::AssignmentText, kMsgPanelOpenAssignmentText, kPopupQueued | kPopupShowsWaiting, -1,
     OpenPopupScreen<FS_ASSIGNMENT_TEXT>, nullptr, AssignmentTextResult},
    {PanelPopup::OpponentNews, kMsgOpponentNews, kNews, 4, OpenPopupScreen<FS_OPPONENT_NEWS>,
     nullptr, OpponentNewsResult},
    {PanelPopup::OpponentOverview, kMsgPanelOpenOpponentOverview, kPopupShowsWaiting, -1,
     OpenPopupScreen<OpponentInfoScreen>, nullptr, OpponentOverviewResult, PublishOpponentInfo},
    {PanelPopup::CityGrowth, kMsgPanelOpenCityGrowth, 0, -1, OpenCityGrowthChoice, nullptr,
     CityGrowthResult},
};

}  // namespace

const PopupEntry* PanelPopupTable() {
    return kPopups;
}

void HAUPTDIALOG::StartCareerLevel(int32_t career) {
    CGameState& gs = Gs();
    gs.board_votes = 0;
    gs.goal_reached = 0;
    const Outcome outcome = LoadCareerLevel(*this, career, 0);
    if (outcome == Outcome::GameEnded) return;
    if (outcome == Outcome::NotLoaded) {  // back to the start screen
        EndGameToStart(*this);
        return;
    }
    NamePlayer();
    gs.career_level = (career << 8) | 0;
    gs.goal_reached = 0;
    gs.level_start_pending = 1;
    gs.screen_open = 1;
    plat::SendMessage(this, kMsgPanelOpenAssignmentText, static_cast<plat::WParam>(career), 0);
    gs.screen_open = 0;
    plat::SendMessage(this, kMsgPanelOpenCompanyName);
}

bool HAUPTDIALOG::SaveAutosave() {
    return Files().SaveGameFile(FolderFile(kPathSave, "autosave.lvl", 0));
}
