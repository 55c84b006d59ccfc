#pragma once
// The main frame on the headless back end for the tests of the frame and its
// screens: a fresh game state whose data folders point into a temporary
// folder of stand-in start-up pictures, a loop to step, and the kit's
// recording sound manager.

#include <cstdint>
#include <string>

#include "app/game_app.h"
#include "app/main_frame.h"
#include "platform/app.h"
#include "platform/headless/headless_backend.h"
#include "platform/temp_folder.h"
#include "support/game_scope.h"
#include "support/recording_hooks.h"

class CGameState;

namespace fvtest {

// The stand-in files of start-up and the first screens, the sound effects
// start-up loads, and what a new world view loads (autumn, rotation 0).
void WriteStartPictures(const std::string& folder);
void WriteSoundEffects(const std::string& folder);
void WriteWorldPictures(const std::string& folder);

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
    // Deletes the control panel the test made, if any.
    void DeletePanel();
    // Sends the start-up's first screen request and lets the logos run out.
    void ShowTitle();

  private:
    GameScope scope_{StateOwner::Frame};  // first made, last gone

  public:
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
