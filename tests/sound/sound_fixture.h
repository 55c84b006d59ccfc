#pragma once
// The sound manager on the headless back end: a fresh game state whose sound
// folder holds the stand-in effects, a stub world view, a main window that
// takes the manager's messages, scripted random numbers and the mixer
// rendered on request.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_music.h"
#include "platform/sound.h"
#include "platform/temp_folder.h"
#include "sound/sound_manager.h"
#include "support/game_scope.h"
#include "view/world_view.h"

namespace soundtest {

// Every field in view unless `only` names some; the pan is 10 x the field's x.
class StubView : public SPIEL_FELD {
  public:
    StubView() : SPIEL_FELD(kWatchOnly) {}
    void RedrawView() override {}
    void TickAnimations() override {}
    void DrawVehicles(int32_t) override {}
    int32_t IsTileInView(int32_t x, int32_t y) override;
    int32_t GetSoundPan(int32_t x, int32_t) override { return x * 10; }
    std::vector<std::pair<int32_t, int32_t>> only;
};

class SoundTest : public ::testing::Test {
  protected:
    SoundTest();
    ~SoundTest() override;

    // A manager made as the start-up makes it, notifying `window`.
    std::unique_ptr<CSoundManager> Make();
    // Writes a file into the sound folder.
    void WriteSoundFile(const std::string& name, const std::vector<uint8_t>& bytes);
    // The recorded events of an effect's buffer, then forgets every event.
    std::vector<plat::SoundEvent> TakeEvents(const CSoundManager& sound, int32_t effect);
    // Starts (value 0: played once) of an effect's buffer, then forgets every event.
    int32_t Starts(const CSoundManager& sound, int32_t effect);
    // Pulls `ms` milliseconds out of the mixer.
    void Render(uint32_t ms);
    // Rand gives these values, then 0 forever.
    void ScriptRand(std::vector<int32_t> values);
    size_t RandLeft() const { return rand_->size(); }
    void ShowView(int32_t zoom);
    void HideView();

    plat::HeadlessBackend host;
    plat::HeadlessMusic music;
    fvtest::TempFolder folder;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    StubView view;
    plat::Window window;

  private:
    std::shared_ptr<std::deque<int32_t>> rand_;
};

}  // namespace soundtest
