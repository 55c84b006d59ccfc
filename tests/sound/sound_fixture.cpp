#include "sound/sound_fixture.h"

#include <algorithm>
#include <cstdio>

#include "platform/backend.h"
#include "platform/random.h"
#include "sound_effects.h"
#include "state/game_state.h"

namespace soundtest {

namespace {

const std::vector<std::vector<uint8_t>>& StandinEffects() {
    static const std::vector<std::vector<uint8_t>> files = [] {
        std::vector<std::vector<uint8_t>> made;
        for (int effect = CSoundManager::kFirstEffect; effect <= CSoundManager::kLastEffect;
             ++effect) {
            made.push_back(standin::MakeSoundEffect(effect));
        }
        return made;
    }();
    return files;
}

}  // namespace

int32_t StubView::IsTileInView(int32_t x, int32_t y) {
    if (only.empty()) return 1;
    return std::count(only.begin(), only.end(), std::pair{x, y}) > 0 ? 1 : 0;
}

SoundTest::SoundTest() : rand_(std::make_shared<std::deque<int32_t>>()) {
    std::snprintf(gs.data_paths[kPathSound * kDataPathCopies + gs.install_index], kDataPathLength,
                  "%s", (folder.Path() + "\\fx").c_str());
    for (int effect = CSoundManager::kFirstEffect; effect <= CSoundManager::kLastEffect; ++effect) {
        const std::string name =
            effect == 30 ? "fx_30.wav" : "fx_" + std::to_string(effect) + "_1.wav";
        WriteSoundFile(name, StandinEffects()[size_t(effect - CSoundManager::kFirstEffect)]);
    }
    gs.sound_enabled = 1;
    for (int32_t track = 2; track <= 16; ++track) music.SetTrack(track, 10000);
    host.SetMusicDevice(&music);
    window.Create(nullptr, {0, 0, 10, 10}, WS_POPUP);
    plat::ClearRecordedSoundEvents();
    auto values = rand_;
    plat::SetRandSourceForTests([values] {
        if (values->empty()) return 0;
        const int32_t v = values->front();
        values->pop_front();
        return v;
    });
    ShowView(1);
}

SoundTest::~SoundTest() {
    plat::SetRandSourceForTests({});
    HideView();
    window.DestroyWindow();
}

std::unique_ptr<CSoundManager> SoundTest::Make() {
    return std::make_unique<CSoundManager>(&window);
}

void SoundTest::WriteSoundFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    folder.Write("fx/" + name, std::string(bytes.begin(), bytes.end()));
}

std::vector<plat::SoundEvent> SoundTest::TakeEvents(const CSoundManager& sound, int32_t effect) {
    std::vector<plat::SoundEvent> events;
    const plat::SoundBuffer* buffer = sound.Effect(effect);
    for (const plat::SoundEvent& e : plat::RecordedSoundEvents()) {
        if (buffer != nullptr && e.buffer == buffer->Id()) events.push_back(e);
    }
    plat::ClearRecordedSoundEvents();
    return events;
}

int32_t SoundTest::Starts(const CSoundManager& sound, int32_t effect) {
    const auto events = TakeEvents(sound, effect);
    return int32_t(
        std::count(events.begin(), events.end(),
                   plat::SoundEvent{plat::SoundEventKind::Start, sound.Effect(effect)->Id(), 0}));
}

void SoundTest::Render(uint32_t ms) {
    std::vector<int16_t> frames(size_t(plat::kAudioRate) * ms / 1000 * 2);
    host.RenderAudio(frames.data(), int(frames.size() / 2));
}

void SoundTest::ScriptRand(std::vector<int32_t> values) {
    rand_->assign(values.begin(), values.end());
}

void SoundTest::ShowView(int32_t zoom) {
    view.zoom = zoom;
    g_pSpielFeld = &view;
}

void SoundTest::HideView() {
    g_pSpielFeld = nullptr;
}

}  // namespace soundtest
