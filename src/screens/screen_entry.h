#pragma once
// How the main frame holds its screens: one slot per screen, the steps the
// frame runs around opening and closing one, and the entry each screen
// declares beside itself (its messages, its cancel command, how it is made).
// The frame's table (app/frame_screen_table.cpp) lists one entry per screen:
//
//   inline constexpr ScreenEntry kStatisticsScreenEntry = {
//       .slot = FrameScreen::Statistics,
//       .open_message = kMsgOpenStatistics, .done_message = kMsgStatisticsDone,
//       .cancel_command = kCmdOk,
//       .open_steps = kOpenCommon, .done_steps = kDoneCommonResumeMusic,
//       .open = [](plat::Window& frame, plat::WParam, plat::LParam) {
//           return OpenNew<FS_STATISTIK>(frame);
//       }};
//
// Common open steps: 1 drop the keyboard accelerators, 2 `screen_open` = 1
// (and the panel's flag), 3 silence the effects and pause the music, then
// construct and open the screen. Common done steps: delete the screen, 3
// clear `screen_open` (and the panel's flag; the panel shows a hidden popup),
// 4 resume the effects, restart the music after a pause of 15 to 30 s (or
// resume it) and load the keys again.

#include <cstdint>

#include "platform/window.h"

// One slot per screen the frame can hold. The first eighteen are in the
// order in which an abort sends them their cancel command.
enum class FrameScreen : int32_t {
    Start,             // FS_START, the title screen
    NewGame,           // FS_SPIELSTART
    GameEnd,           // FS_SPIELENDE
    OpponentSelect,    // FS_SELECT_GEGNER
    NewWorld,          // FS_NEUE_WELT
    Career,            // FS_KARRIERE
    EditorStart,       // FS_EDITORSTART
    HighScores,        // FS_BESTENLISTE
    Schedule,          // FS_FAHRPLAN_NEU
    ProductHelp,       // FS_PRODUKT_HILFE
    RailPurchase,      // FS_FAHRZEUG_KAUF
    TruckPurchase,     // FS_FAHRZEUG_KAUF_LKW
    BuildingPurchase,  // FS_GEBAUDE_KAUF
    Depot,             // FS_LAGERHALLE
    Production,        // FS_PRODUKTION
    Statistics,        // FS_STATISTIK
    SalesStatistics,   // FS_VERKAUF_STATISTIK
    StoreSales,        // FS_VERKAUF
    GenProgress,       // FS_GEN_FORTSCHRITT
    Tutorial,          // FS_TUTORIAL
    Logo,              // FS_LOGO
    StoreOverview,     // FS_KH_UEBER
    FactoryOverview,   // FS_FA_UEBER
    VehicleOverview,   // FS_FZ_UEBER
};
inline constexpr int32_t kFrameScreenCount = static_cast<int32_t>(FrameScreen::VehicleOverview) + 1;

// Open steps.
inline constexpr uint32_t kOpenDropKeys = 1u << 0;   // step 1
inline constexpr uint32_t kOpenMarkOpen = 1u << 1;   // step 2
inline constexpr uint32_t kOpenSilence = 1u << 2;    // step 3
inline constexpr uint32_t kOpenShowAgain = 1u << 3;  // already open: only shown again
inline constexpr uint32_t kOpenCommon = kOpenDropKeys | kOpenMarkOpen | kOpenSilence;

// Done steps (the screen is always deleted first).
inline constexpr uint32_t kDoneRelease = 1u << 0;      // step 3
inline constexpr uint32_t kDoneNextTrack = 1u << 1;    // step 4, music after a pause
inline constexpr uint32_t kDoneResumeMusic = 1u << 2;  // step 4, music resumed at once
inline constexpr uint32_t kDoneLoadKeys = 1u << 3;     // only the keys back
inline constexpr uint32_t kDoneShowTitle = 1u << 4;    // last: back to the title screen
inline constexpr uint32_t kDoneCommon = kDoneRelease | kDoneNextTrack;
inline constexpr uint32_t kDoneCommonResumeMusic = kDoneRelease | kDoneResumeMusic;

// What the frame tells an open screen (ScreenEntry::notify).
enum class FrameNotice : int32_t {
    GameTick,           // a game tick passed (the store overview recalculates)
    AnimationsChanged,  // the animation pictures changed (the factory overview rebuilds)
    CashChanged,        // the player's cash changed (purchase screens re-check prices)
};

struct ScreenEntry {
    FrameScreen slot = FrameScreen::Start;
    uint32_t open_message = 0;  // 0: opened by the frame's own code
    uint32_t done_message = 0;  // 0: closed by the frame's own code
    // What an abort (and the closing of the information windows) sends the
    // open screen as WM_COMMAND; 0: nothing.
    uint16_t cancel_command = 0;
    uint32_t open_steps = 0;
    uint32_t done_steps = 0;
    // Constructs the screen and opens it as a child of the frame with the
    // open message's parameters; null when nothing was opened.
    plat::Window* (*open)(plat::Window& frame, plat::WParam wParam, plat::LParam lParam) = nullptr;
    // Optional: runs after the open steps, before `open`.
    void (*before_open)(plat::Window& frame, plat::WParam wParam, plat::LParam lParam) = nullptr;
    // Optional: runs on the done message before the screen is deleted (to
    // take its results).
    void (*before_delete)(plat::Window& frame, plat::Window* screen, plat::WParam wParam,
                          plat::LParam lParam) = nullptr;
    // Optional: runs after the done steps.
    void (*after_done)(plat::Window& frame, plat::WParam wParam, plat::LParam lParam) = nullptr;
    // Optional: sets the global pointer through which other subsystems reach
    // the screen (null when it closes).
    void (*publish)(plat::Window* screen) = nullptr;
    // Optional: what the screen does on a notice of the frame.
    void (*notify)(plat::Window* screen, FrameNotice notice) = nullptr;
};

// The usual `open` of an entry: a new Screen whose Open(parent) answers
// whether it opened; deleted again when it did not.
template <typename Screen>
plat::Window* OpenNew(plat::Window& parent) {
    auto* screen = new Screen;
    if (screen->Open(&parent)) return screen;
    delete screen;
    return nullptr;
}
