#pragma once
// The main frame on the headless back end with stand-in start-up pictures in
// a temporary data folder, a loop to step and the recording sound manager.

#include <cstdint>
#include <functional>
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
// The 73 pictures of the tutorial.
void WriteTutorialPictures(const std::string& folder);
// The stand-in files whose paths are wanted.
void WriteStandinFiles(const std::string& folder,
                       const std::function<bool(const std::string&)>& wanted);
// A folder with the base pictures and autumn's in every rotation, written
// once per test program: what a free game on a generated world shows.
const std::string& GamePictureFolder();

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
    ~FrameHost();  // deletes what the test left, frame last, and ends the loop
    FrameHost(const FrameHost&) = delete;
    FrameHost& operator=(const FrameHost&) = delete;
    void Run() { host.RunUntilIdle(); }                // messages due now
    void Advance(uint32_t ms) { host.RunFor(ms, 1); }  // in 1 ms steps
    bool Turn() { return stepper_.Turn(); }            // messages, then one idle pass
    void DeleteFrame();                                // the program's shutdown, now
    void DeletePanel();                                // the control panel the test made, if any
    void ShowTitle();                                  // the first screen request, logos run out
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

// The hash of the composed screen's top-left w x h pixels, and the screen
// saved as "<name>.png" when FV_GOLDEN_PNG names a folder.
uint64_t ScreenHash(int32_t w, int32_t h);
void MaybeSaveScreen(const std::string& name);

}  // namespace fvtest
