// The program heard from start to play (title music, a new game's music, a
// construction, news, the wait between tracks) and the mixer's output.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/game_app.h"
#include "app/main_frame.h"
#include "platform/app.h"
#include "platform/backend.h"
#include "sound/sound_fixture.h"
#include "state/game_state.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "world/construction_costs.h"

namespace soundtest {
namespace {

using plat::SoundEvent;
using plat::SoundEventKind;

std::vector<SoundEvent> EventsOf(const plat::SoundBuffer* buffer) {
    std::vector<SoundEvent> events;
    for (const SoundEvent& e : plat::RecordedSoundEvents()) {
        if (e.buffer == buffer->Id() && e.kind != SoundEventKind::End) events.push_back(e);
    }
    return events;
}

class SoundAcceptance : public ::testing::Test {
  protected:
    fvtest::TempFolder folder;
};

TEST_F(SoundAcceptance, TitleGameConstructionNewsAndTheNextTrack) {
    fvtest::WriteStartPictures(folder.Path());
    fvtest::WriteWorldPictures(folder.Path());
    fvtest::WriteSoundEffects(folder.Path());
    folder.Write("ferrovane.ini", "[OPTIONEN]\r\nAudio=0\r\nAutosave=0\r\n");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    plat::HeadlessMusic music;
    for (int32_t track = 2; track <= 16; ++track) music.SetTrack(track, 20000);
    {
        plat::HeadlessBackend host;
        host.SetMusicDevice(&music);
        GetFrameHooks().create_world_view = [](HAUPTFENSTER& frame, const plat::Rect& area) {
            auto* view = new StubView;
            view->Create(&frame, area, WS_CHILD | WS_VISIBLE);
            view->zoom = 2;
            return static_cast<SPIEL_FELD*>(view);
        };
        CGameApp app;
        plat::ApplicationStepper stepper(app, host);
        ASSERT_TRUE(stepper.Start());
        ASSERT_NE(g_pSound, nullptr);
        EXPECT_EQ(g_pSound->ready, 1);
        auto run = [&](uint32_t ms) {
            for (uint32_t t = 0; t < ms; t += 10) {
                host.AdvanceClock(10);
                stepper.Turn();
            }
        };
        // 1. The title plays track 2 although the music option is off.
        run(7100);  // the two logos
        auto* frame = static_cast<HAUPTFENSTER*>(app.mainWindow);
        ASSERT_NE(frame->Screen(FrameScreen::Start), nullptr);
        EXPECT_EQ(music.PlayingTrack(), 2);
        // 2. A new game (its world view made directly) stops the title music
        // and, with the option on, starts the game music.
        frame->DeleteScreen(FrameScreen::Start);
        EXPECT_EQ(music.PlayingTrack(), 0);
        CGameState& gs = *g_pGameState;
        gs.screen_open = 0;  // as the title's result does
        gs.opt_music = 1;
        ASSERT_TRUE(frame->StartWorldView(kModeGame));
        LoadObjectImages();  // as a level read does: it hands the music back
        g_pSound->ResumeEffects();
        g_pSound->OnMusicNotify();
        const int32_t firstTrack = music.PlayingTrack();
        EXPECT_GE(firstTrack, 5);
        // 3. A construction at zoom 1:2, and the new year's news of a game tick.
        plat::ClearRecordedSoundEvents();
        PlayBuildEffect(2);
        const uint32_t build = g_pSound->Effect(2)->Id();
        EXPECT_EQ(EventsOf(g_pSound->Effect(2)),
                  (std::vector<SoundEvent>{{SoundEventKind::Volume, build, -800},
                                           {SoundEventKind::Pan, build, 0},
                                           {SoundEventKind::Start, build, 0}}));
        gs.week = 3;
        gs.month = 11;
        // 4. The game track ends; the next entry follows 15 to 30 s later.
        uint32_t ended = 0;
        uint32_t started = 0;
        for (int i = 0; i < 6000 && started == 0; ++i) {
            run(10);
            if (ended == 0 && music.PlayingTrack() == 0) ended = host.Now();
            if (ended != 0 && music.PlayingTrack() != 0) started = host.Now();
        }
        EXPECT_NE(started, 0u);
        EXPECT_TRUE(started - ended >= 15000u && started - ended <= 30100u) << started - ended;
        EXPECT_EQ(music.PlayingTrack(), g_pSound->current_track);
        EXPECT_NE(music.PlayingTrack(), firstTrack);
        const uint32_t news = g_pSound->Effect(30)->Id();
        EXPECT_EQ(EventsOf(g_pSound->Effect(30)),
                  (std::vector<SoundEvent>{{SoundEventKind::Volume, news, 0},
                                           {SoundEventKind::Pan, news, 0},
                                           {SoundEventKind::Start, news, 0}}));
        EXPECT_EQ(gs.year, 1961);
        host.InjectCloseRequest();
        for (int turns = 0; stepper.Turn() && turns < 100; ++turns) {
        }
        stepper.Finish();
        EXPECT_EQ(g_pSound, nullptr);
        GetFrameHooks() = FrameHooks{};
    }
    std::filesystem::current_path(previous);
}

// Peak of |sample| over both channels of frames [from, to).
int32_t Peak(const std::vector<int16_t>& frames, double from, double to) {
    int32_t peak = 0;
    for (size_t i = size_t(from * plat::kAudioRate); i < size_t(to * plat::kAudioRate); ++i) {
        peak = std::max(
            {peak, std::abs(int32_t(frames[2 * i])), std::abs(int32_t(frames[2 * i + 1]))});
    }
    return peak;
}

// A 16-bit stereo wave file of the frames, to listen to.
void WriteStereoWave(const std::string& path, const std::vector<int16_t>& frames) {
    const uint32_t bytes = uint32_t(frames.size() * 2), rate = plat::kAudioRate;
    const uint32_t head[] = {0x46464952, 36 + bytes, 0x45564157, 0x20746d66, 16,   0x00020001,
                             rate,       rate * 4,   0x00100004, 0x61746164, bytes};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(head), sizeof head);
    out.write(reinterpret_cast<const char*>(frames.data()), bytes);
}

TEST_F(SoundAcceptance, MixerOutputOfABuildAndANews) {
    plat::HeadlessBackend host;
    fvtest::GameScope scope;
    fvtest::WriteSoundEffects(folder.Path());
    scope.state().sound_enabled = 1;
    std::snprintf(
        scope.state().data_paths[kPathSound * kDataPathCopies + scope.state().install_index],
        kDataPathLength, "%s", (folder.Path() + "\\fx").c_str());
    StubView view;
    g_pSpielFeld = &view;
    auto sound = std::make_unique<CSoundManager>(nullptr);
    std::vector<int16_t> frames(size_t(plat::kAudioRate) * 2 * 2);
    const int half = plat::kAudioRate;
    sound->PlayEffect(2, 0, 0);  // the thud, 0.4 s
    host.RenderAudio(frames.data(), half);
    sound->PlayEffect(30, 5, 0);  // the chime, 0.7 s
    host.RenderAudio(frames.data() + 2 * size_t(half), half);
    const char* tmp = std::getenv("FV_TEST_TMP");
    const std::string dir = tmp != nullptr ? tmp : folder.Path();
    std::filesystem::create_directories(dir);
    WriteStereoWave(dir + "/build_and_news.wav", frames);
    // Sound while each effect plays, silence after it.
    EXPECT_EQ(std::tuple(Peak(frames, 0.0, 0.3) > 2000, Peak(frames, 0.45, 1.0),
                         Peak(frames, 1.0, 1.6) > 2000, Peak(frames, 1.75, 2.0)),
              std::tuple(true, 0, true, 0));
    EXPECT_TRUE(std::filesystem::exists(dir + "/build_and_news.wav"));
    g_pSpielFeld = nullptr;
}

}  // namespace
}  // namespace soundtest
