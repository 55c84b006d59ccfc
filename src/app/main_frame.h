#pragma once
// HAUPTFENSTER: the main frame. One borderless top-most window over the game
// area that owns every full screen. Screens never open each other: a screen,
// the control panel or the main loop sends the frame a private message
// (state/messages.h); the frame opens the screen asked for and, on the
// screen's done message, deletes it and hands the game back
// (screens/screen_entry.h, frame_screens.h).
//
// The frame also shows the logos and the title screen, starts and ends a
// running game (the world view), keeps the keyboard accelerators, throttles
// mouse moves over the world view, and at its end runs the program's shutdown:
// free the fixed images and the lookup tables, write best.sav, delete the
// vehicles, undo the desktop changes, write the settings file and free the
// game state.
//
// A title choice whose screen does not exist yet (no entry in the screen
// table, or no world view to start) brings the title screen back, so that the
// choice has no visible effect.

#include <cstdint>
#include <vector>

#include "app/frame_screens.h"
#include "platform/accelerators.h"
#include "platform/window.h"

class SPIEL_FELD;

class HAUPTFENSTER : public plat::Window {
  public:
    // Creates the window over the game area (WM_CREATE builds the lookup
    // tables, reads best.sav and loads the keys).
    HAUPTFENSTER();
    // The program's shutdown (see above). Screens still open are deleted.
    ~HAUPTFENSTER() override;

    bool PreTranslateMessage(plat::Msg& msg) override;

    // Keyboard accelerators (table 108) on and off.
    void LoadKeys();
    void DropKeys();
    const plat::AcceleratorTable* accelerators = nullptr;

    // --- Screens ---------------------------------------------------------
    // The open screen of a slot, or null.
    plat::Window* Screen(FrameScreen slot) const;
    // Adds a screen kind to the table of this frame (later entries win).
    void AddScreen(const ScreenEntry& entry);
    // True when some screen opens on this message.
    bool OpensScreen(uint32_t message) const;
    // Runs the open or done handling of an entry. True when the slot holds
    // its screen afterwards; a screen that could not be made (no factory, a
    // missing picture, a refused open) takes back every open step it took.
    bool OpenScreen(const ScreenEntry& entry, plat::WParam wParam, plat::LParam lParam);
    void CloseScreen(const ScreenEntry& entry, plat::WParam wParam, plat::LParam lParam);
    // Deletes the screen of a slot outright (no steps).
    void DeleteScreen(FrameScreen slot);
    // Done step 3: no screen open any more (the panel may show a hidden popup).
    void ReleaseScreen();
    // Done step 4: sound back on, the keys loaded. With `resume_music` the
    // music goes on at once, else the next track follows after 15 to 30 s.
    void ResumeAfterScreen(bool resume_music);
    // Tells the screen of a slot, if open, about a change.
    void NotifyScreen(FrameScreen slot, FrameNotice notice);

    // --- Game flow ---------------------------------------------------------
    // WM_USER+45: logo 0, then logo 1, then (and on every later call) the title.
    void ShowStartScreen();
    // WM_USER+46 after the title screen was deleted: act on the choice.
    void OnStartScreenResult(int32_t choice);
    // Starts a world view in a game mode; false when there is none to start.
    bool StartWorldView(int32_t game_mode);
    // WM_USER+5: tears the running game down.
    void EndRunningGame();
    // WM_USER+73 after the end-of-game screen was deleted with its points.
    void OnGameEndDone(int32_t points);
    // WM_USER+115: cancels every open screen and ends the program.
    void OnAbort();
    // WM_USER+89: cancels the information screens of a running game.
    void CloseInfoWindows();
    // Deletes every screen that belongs to a running game (the information
    // screens, the purchase screens and the overviews), with no done steps.
    void DeleteGameScreens();
    // WM_CLOSE: ends the program in order (the loop quits with code 0; the
    // application deletes the frame, whose destructor shuts down).
    void OnClose();

    // --- Notifications and commands --------------------------------------
    void OnGameTick();
    void OnFactoryOverviewTick();
    void OnCashChanged();
    void OnMciNotify(plat::WParam code);
    // Space: the next orientation of a depot or station to place.
    void OnRotateOrientation();
    // The arrow keys: orientation 0..3 (north, east, south, west).
    void SetBuildOrientation(int32_t orientation);
    void OnToggleAnimations();

    // WM_USER+50: lParam 0 starts a free game on a generated world with the
    // set-up screen's choices; any other value goes back to the title.
    void StartGame(plat::LParam lParam);

    // WM_USER+65 after the career screen was deleted: lParam 0 starts the
    // career's first assignment in a new world view, any other value goes
    // back to the title.
    void StartCareerGame(plat::LParam lParam);
    // WM_USER+108 after the opponent selection was deleted: the game stays
    // halted while the panel asks for the city growth.
    void OnOpponentSelectDone();

    // WM_USER+48 with OK: the editor on an empty world with the capital
    // chosen on the editor-start screen.
    void StartEditor();

    // The end-of-game screen's points, taken before it is deleted.
    int32_t game_end_points = 0;
    // The editor-start screen's capital, taken before it is deleted.
    int32_t editor_start_capital = 0;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    int32_t OnCreate();
    bool OnPrivateMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam);
    bool OnCommand(uint16_t command);
    // The keyboard's commands for the panel, the display options, the
    // layout and the bookmarks (frame_keys.cpp); false for any other.
    bool OnKeyCommand(uint16_t command);
    // Places the view and the panel by `panel_side`.
    void LayOutViewAndPanel();
    // Sends a request that opens a screen; the title comes back when no
    // screen opens on it.
    void RequestScreen(uint32_t message);
    // After the orientation changed: the view picks the field under the
    // cursor again so that the preview follows.
    void RepickViewField();
    // True when a mouse move over the view came too soon and is dropped.
    bool ThrottleViewMouseMove();
    const ScreenEntry* EntryFor(FrameScreen slot) const;
    // What was in force before an opening, to be put back when it fails.
    struct OpenStepsTaken {
        bool keys;
        int32_t screen_open;
        int32_t panel_flag;
    };
    void UndoOpenSteps(uint32_t steps, const OpenStepsTaken& before);
    // The cancel command of the slot's entry (0: none).
    uint16_t CancelCommand(FrameScreen slot) const;

    std::vector<ScreenEntry> screen_table_;
    plat::Window* screens_[kFrameScreenCount] = {};
    bool open_failed_ = false;  // the last screen request made no screen
    bool view_move_handled_ = false;
    uint32_t last_view_move_time_ = 0;
};

// Milliseconds of silence before the next in-game CD track: 15000..30000.
int32_t NextTrackDelay();

// The application's main window (null when there is none).
plat::Window* MainFrameWindow();

// What the frame needs of subsystems that come later; null hooks mean the
// thing does not exist yet.
struct FrameHooks {
    // Constructs the world view and creates its window as a child of the
    // frame over `area` (frame client coordinates); the view creates the
    // control panel. Null when it could not be made.
    SPIEL_FELD* (*create_world_view)(HAUPTFENSTER& frame, const plat::Rect& area) = nullptr;
    // The seed of a new game's random generator; null = the wall clock.
    uint32_t (*new_game_seed)() = nullptr;
};
// The world view as the program makes it (the hook's start-up value).
SPIEL_FELD* MakeWorldView(HAUPTFENSTER& frame, const plat::Rect& area);
FrameHooks& GetFrameHooks();
