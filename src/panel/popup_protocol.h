#pragma once
// The popups of a running game: every dialog screen over the map opens and
// closes through the control panel. A requester sends the panel the pair's
// open message; the screen, when the player has answered, leaves what the
// answer needs in the panel's `popup_result` and sends the result message
// (open + 1, lParam 0 = OK or yes, 1 = cancel or no). The panel deletes the
// screen and carries the answer out.
//
// The pairs are one table (PanelPopupTable, in popup_results.cpp), one entry
// per pair: its messages, whether it halts the simulation, its news kind, how
// its screen is made and what its result does. Every pair of the program's
// table has its screen; a panel whose factory for a pair was taken away
// (SetPopupFactory with none) answers that pair's request with nothing. A
// screen's own entry names its factory:
//
//   {.slot = PanelPopup::Options, .open_message = kMsgPanelOpenOptions,
//    .open = [](HAUPTDIALOG& panel, const PopupRequest& request) -> plat::Window* {
//        return OpenOptions(panel, request.rect); },
//    .result = OptionsResult}

#include <array>
#include <cstdint>

#include "platform/window.h"

class HAUPTDIALOG;

// One slot per pair, in the order of the panel's table.
enum class PanelPopup : int32_t {
    Demolition,        // demolition confirmation
    NextLevel,         // next-level confirmation
    Options,           // options
    Leave,             // leave confirmation
    Find,              // find
    ProductNews,       // news popups (news kinds 0..4 with OpponentNews)
    VehicleNews,       //
    BuildingNews,      //
    StructureInfo,     // structure information window
    BusinessNews,      //
    CompanyName,       // company name entry
    TerminalRename,    // terminal renaming
    CityRename,        // city renaming
    YearSummary,       // the annual accounts
    LoadGame,          // load game
    SaveGame,          // save game
    MissionSelect,     // mission selection
    ScenarioSelect,    // scenario selection
    EndConfirm,        // end confirmation
    MissionFailed,     // the result screens of missions and career assignments
    MissionDone,       //
    AssignmentFailed,  //
    AssignmentDone,    //
    BoardVote,         // board vote
    MissionText,       // mission text
    AssignmentText,    // career assignment text
    OpponentNews,      //
    OpponentOverview,  // opponent overview
    CityGrowth,        // city growth choice
};
inline constexpr int32_t kPanelPopupCount = static_cast<int32_t>(PanelPopup::CityGrowth) + 1;

// What a screen leaves for its result: the chosen slot (load, save, mission
// or scenario number), the choice (answer, second file number, growth
// choice), a colour and a text (name or description).
struct PopupResult {
    int32_t slot = 0;
    int32_t choice = 0;
    int32_t colour = 0;
    char text[101] = {};
};

// What a factory gets: the rectangle to centre in (a news popup's own
// 480 x 320 rectangle, else the view's) and the request's parameters (for
// the structure information window wParam is the building number).
struct PopupRequest {
    plat::Rect rect;
    plat::WParam wParam = 0;
    plat::LParam lParam = 0;
    // Another screen was shown when the request came (before this opening
    // marked one): a popup that may wait (news, the year's accounts, a
    // level's text) is then made hidden, and news leaves the game's music
    // alone.
    bool screen_in_front = false;
};

// Entry flags.
inline constexpr uint32_t kPopupHalts = 1u << 0;        // sim_halted until the result
inline constexpr uint32_t kPopupReplaces = 1u << 1;     // a second open replaces the first
inline constexpr uint32_t kPopupQueued = 1u << 2;       // may wait hidden; shown again later
inline constexpr uint32_t kPopupPausesMusic = 1u << 3;  // the music pauses on opening
// Its close shows a popup waiting hidden even while another is shown (news,
// the year's accounts, the board vote, the texts and the information
// windows); any other close shows one only when none is left shown.
inline constexpr uint32_t kPopupShowsWaiting = 1u << 4;

struct PopupEntry {
    PanelPopup slot = PanelPopup::Demolition;
    uint32_t open_message = 0;  // the result message is open_message + 1
    uint32_t flags = 0;
    int32_t news_kind = -1;  // index into `news_ids` that takes the request's wParam
    // Makes the screen as a child of the panel; null when none was made.
    plat::Window* (*open)(HAUPTDIALOG& panel, const PopupRequest& request) = nullptr;
    // Optional: the opener's own steps, after the single-instance check and
    // before the protocol's (it may adjust the request); false opens nothing.
    bool (*before_open)(HAUPTDIALOG& panel, PopupRequest& request) = nullptr;
    // Optional: what the answer does, after the screen was deleted.
    void (*result)(HAUPTDIALOG& panel, plat::WParam wParam, plat::LParam lParam) = nullptr;
    // Optional: sets the typed pointer through which others reach the
    // screen (null when it closes).
    void (*publish)(HAUPTDIALOG& panel, plat::Window* screen) = nullptr;
};

// The usual factory: a new Screen whose Open(panel, request) answers whether
// it opened; deleted again when it did not.
template <typename Screen>
plat::Window* OpenPopupScreen(HAUPTDIALOG& panel, const PopupRequest& request) {
    auto* screen = new Screen;
    if (screen->Open(panel, request)) return screen;
    delete screen;
    return nullptr;
}

// The program's table, one entry per pair in slot order.
const PopupEntry* PanelPopupTable();
// A copy of it for a new panel.
std::array<PopupEntry, kPanelPopupCount> CopyPanelPopupTable();

// The panel's open screens, one per pair, and when each was opened (the
// hidden ones are shown oldest first). Deletes those still open with it.
struct PopupWindows {
    PopupWindows() = default;
    ~PopupWindows();
    PopupWindows(const PopupWindows&) = delete;
    PopupWindows& operator=(const PopupWindows&) = delete;

    plat::Window* open[kPanelPopupCount] = {};
    uint32_t order[kPanelPopupCount] = {};
    uint32_t serial = 0;
};

// Cancels the world view's pending road or track route or demolition drag:
// the drag start forgotten, the previews cleared and (for a route) the
// button released.
void CancelPendingRoute();

// The city-growth progress screen the growth choice opens, running `steps`
// growth steps; null while no maker is installed.
class FS_CITY_GROWTH;
using CityGrowthMaker = FS_CITY_GROWTH* (*)(HAUPTDIALOG& panel, int32_t steps);
CityGrowthMaker& CityGrowthScreenMaker();
