#pragma once
// The main frame on the headless back end, for the tests of the frame and of
// its screens: a fresh game state whose data folders all point into a
// temporary folder holding the stand-in start-up pictures, an application
// loop to step, and recording stand-ins for the sound manager, the control
// panel and the world view.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "app/hauptfenster.h"
#include "panel/control_panel.h"
#include "platform/app.h"
#include "platform/headless/headless_backend.h"
#include "platform/temp_folder.h"
#include "sound/sound_manager.h"
#include "view/world_view.h"

class CGameState;

namespace fvtest {

// Writes the stand-in pictures the start-up and the first screens need
// (fonts, tile, both logos, the title picture and its button sheet, the
// editor-start picture and its sheet).
void WriteStartPictures(const std::string& folder);
// Writes the stand-in pictures a new world view loads (autumn, rotation 0).
void WriteWorldPictures(const std::string& folder);

// Every call, in order, by name.
class RecordingSound : public CSoundManager {
  public:
    std::vector<std::string> calls;
    int Count(const std::string& name) const;

    void PlayEffect(int32_t, int32_t, int32_t) override { calls.push_back("PlayEffect"); }
    void OnMusicNotify() override { calls.push_back("OnMusicNotify"); }
    void ResumeEffects() override { calls.push_back("ResumeEffects"); }
    void PlayAmbientSounds() override {}
    void StopEffects() override { calls.push_back("StopEffects"); }
    void PauseMusic() override { calls.push_back("PauseMusic"); }
    void ResumeMusic() override { calls.push_back("ResumeMusic"); }
    void PlayTitleMusic() override { calls.push_back("PlayTitleMusic"); }
    void StopMusic() override { calls.push_back("StopMusic"); }
};

class RecordingPanel : public HAUPTDIALOG {
  public:
    std::vector<uint32_t> messages;  // private messages received
    int hidden_popups_shown = 0;
    void DrawSidebarDate() override {}
    void DrawSidebarCapital() override {}
    void ShowHiddenPopup() override { ++hidden_popups_shown; }

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override;
};

class RecordingView : public SPIEL_FELD {
  public:
    struct Move {
        plat::WParam wParam;
        plat::LParam lParam;
        uint32_t time;
    };
    std::vector<Move> moves;
    int redraws = 0;
    int flushes = 0;
    int animation_clears = 0;
    // Field animations given to the view: x, y and animation set.
    std::vector<std::array<int32_t, 3>> animations;
    void RedrawView() override { ++redraws; }
    void TickAnimations() override {}
    void DrawVehicles(int32_t) override {}
    int32_t IsTileInView(int32_t, int32_t) override { return 1; }
    void FlushPendingRedraw() override { ++flushes; }
    void ClearAnimations() override {
        ++animation_clears;
        animations.clear();
    }
    void AddAnimation(int32_t x, int32_t y, int32_t kind) override {
        animations.push_back({x, y, kind});
    }

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override;
};

// The loop of the game (CGameApp's idle pass) without its start-up.
class LoopOnlyApp : public CGameApp {
  public:
    bool InitInstance() override { return true; }
    int ExitInstance() override { return plat::Application::ExitInstance(); }
};

class FrameHost {
  public:
    // With `pictures` false the data folder stays empty.
    explicit FrameHost(plat::Size screen = {1024, 768}, bool pictures = true);
    // Deletes the frame (its destructor frees the game state) unless the test
    // already did, then ends the loop.
    ~FrameHost();
    FrameHost(const FrameHost&) = delete;
    FrameHost& operator=(const FrameHost&) = delete;

    // Handles every message due at the current clock value.
    void Run() { host.RunUntilIdle(); }
    // Advances the clock in 1 ms steps, handling messages after each.
    void Advance(uint32_t ms) { host.RunFor(ms, 1); }
    // One turn of the loop: messages, then one idle pass of the game.
    bool Turn() { return stepper_.Turn(); }
    // Runs the frame's destructor now (the program's shutdown).
    void DeleteFrame();
    // Sends the start-up's first screen request and lets the logos run out.
    void ShowTitle();

    TempFolder folder;
    plat::HeadlessBackend host;
    CGameState* gs = nullptr;
    RecordingSound* sound = nullptr;  // owned by the game state
    HAUPTFENSTER* frame = nullptr;

  private:
    LoopOnlyApp app_;
    plat::ApplicationStepper stepper_;
};

// FNV-1a hash of the top-left w x h pixels of the composed screen.
uint64_t ScreenHash(int32_t w, int32_t h);
// Saves the composed screen as "<name>.png" when FV_GOLDEN_PNG names a folder.
void MaybeSaveScreen(const std::string& name);

}  // namespace fvtest
