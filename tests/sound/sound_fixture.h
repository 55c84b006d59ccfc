#pragma once
// The sound manager on the headless back end: stand-in effects in the sound
// folder, a stub world view, scripted random numbers, the mixer on request.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_music.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/temp_folder.h"
#include "sound/sound_manager.h"
#include "sound_effects.h"
#include "state/game_state.h"
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
    int32_t IsTileInView(int32_t x, int32_t y) override {
        return only.empty() || std::count(only.begin(), only.end(), std::pair{x, y}) > 0;
    }
    int32_t GetSoundPan(int32_t x, int32_t) override { return x * 10; }
    std::vector<std::pair<int32_t, int32_t>> only;
};

class SoundTest : public ::testing::Test {
  protected:
    SoundTest() {
        std::snprintf(gs.data_paths[kPathSound * kDataPathCopies + gs.install_index],
                      kDataPathLength, "%s", (folder.Path() + "\\fx").c_str());
        for (int e = CSoundManager::kFirstEffect; e <= CSoundManager::kLastEffect; ++e) {
            static std::vector<uint8_t> made[CSoundManager::kLastEffect + 1];
            if (made[e].empty()) made[e] = standin::MakeSoundEffect(e);
            WriteSoundFile(e == 30 ? "fx_30.wav" : "fx_" + std::to_string(e) + "_1.wav", made[e]);
        }
        gs.sound_enabled = 1;
        for (int32_t track = 2; track <= 16; ++track) music.SetTrack(track, 10000);
        host.SetMusicDevice(&music);
        window.Create(nullptr, {0, 0, 10, 10}, WS_POPUP);
        plat::ClearRecordedSoundEvents();
        plat::SetRandSourceForTests([values = rand_] {
            if (values->empty()) return 0;
            const int32_t v = values->front();
            values->pop_front();
            return v;
        });
        ShowView(1);
    }
    ~SoundTest() override {
        plat::SetRandSourceForTests({});
        HideView();
        window.DestroyWindow();
    }
    // A manager made as the start-up makes it, notifying `window`.
    std::unique_ptr<CSoundManager> Make() { return std::make_unique<CSoundManager>(&window); }
    void WriteSoundFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        folder.Write("fx/" + name, std::string(bytes.begin(), bytes.end()));
    }
    // The recorded events of an effect's buffer, then forgets every event.
    std::vector<plat::SoundEvent> TakeEvents(const CSoundManager& sound, int32_t effect) {
        std::vector<plat::SoundEvent> events;
        const plat::SoundBuffer* buffer = sound.Effect(effect);
        for (const plat::SoundEvent& e : plat::RecordedSoundEvents()) {
            if (buffer != nullptr && e.buffer == buffer->Id()) events.push_back(e);
        }
        plat::ClearRecordedSoundEvents();
        return events;
    }
    // Starts (value 0: played once) of an effect's buffer, then forgets every event.
    int32_t Starts(const CSoundManager& sound, int32_t effect) {
        const auto events = TakeEvents(sound, effect);
        return int32_t(std::count(
            events.begin(), events.end(),
            plat::SoundEvent{plat::SoundEventKind::Start, sound.Effect(effect)->Id(), 0}));
    }
    // Pulls `ms` milliseconds out of the mixer.
    void Render(uint32_t ms) {
        std::vector<int16_t> frames(size_t(plat::kAudioRate) * ms / 1000 * 2);
        host.RenderAudio(frames.data(), int(frames.size() / 2));
    }
    // Rand gives these values, then 0 forever.
    void ScriptRand(std::vector<int32_t> values) { rand_->assign(values.begin(), values.end()); }
    size_t RandLeft() const { return rand_->size(); }
    void ShowView(int32_t zoom) { view.zoom = zoom, g_pSpielFeld = &view; }
    void HideView() { g_pSpielFeld = nullptr; }
    plat::HeadlessBackend host;
    plat::HeadlessMusic music;
    fvtest::TempFolder folder;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    StubView view;
    plat::Window window;

  private:
    std::shared_ptr<std::deque<int32_t>> rand_ = std::make_shared<std::deque<int32_t>>();
};

}  // namespace soundtest
