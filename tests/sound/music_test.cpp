// The CD music with the real main frame and loop: the playlist, pause and
// resume, the title track, screen music, and the wait between game tracks.

#include <gtest/gtest.h>

#include "platform/headless/headless_music.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "support/frame_host.h"

namespace {

using Kind = plat::HeadlessMusic::Record::Kind;

class MusicTest : public ::testing::Test {
  protected:
    MusicTest() {
        for (int32_t track = 2; track <= 16; ++track) music.SetTrack(track, 1000);
        h.host.SetMusicDevice(&music);
        h.gs->game_mode = kModeEditor;  // no game tick in these loop turns
        delete h.sound;
        h.sound = nullptr;
        sound = new CSoundManager(h.frame);  // the frame's shutdown deletes it
        g_pSound = sound;
    }
    // Runs the loop for `ms` of fake time.
    void Run(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 10) {
            h.host.AdvanceClock(10);
            h.Turn();
        }
    }
    // Tracks started since the last call.
    std::vector<int32_t> Started() {
        std::vector<int32_t> tracks;
        for (const auto& r : music.Records()) {
            if (r.kind == Kind::Start) tracks.push_back(r.track);
        }
        music.ClearRecords();
        return tracks;
    }
    int32_t Entry(int32_t pos) const { return sound->playlist[size_t(pos % 48)]; }

    plat::HeadlessMusic music;  // outlives the manager
    fvtest::FrameHost h;
    CSoundManager* sound = nullptr;
};

// The start-up acceptance test hears the title and the wait between game
// tracks; here the playlist wraps, a pause halts once and resumes where it
// was, the option silences the game music but not the title, and screen
// music hands back to the playlist through the stop notification.
TEST_F(MusicTest, PlaylistPauseOptionAndScreenMusic) {
    sound->playlist_pos = 47;
    sound->music_playing = 1;
    sound->OnMusicNotify();
    EXPECT_EQ(sound->playlist_pos, 0);
    EXPECT_EQ(Started(), std::vector<int32_t>{5});
    h.host.AdvanceClock(300);
    sound->PauseMusic();
    sound->PauseMusic();
    EXPECT_EQ(music.Records().size(), 1u);  // one halt
    sound->ResumeMusic();                   // on from the paused position
    EXPECT_EQ(music.Records().back().ms, 300u);
    Run(1500);  // played to its end: the wait
    ASSERT_GE(sound->music_wait, 15000);

    const int32_t pos = sound->playlist_pos;
    sound->PlayProductionMusic();
    sound->PlaySalesMusic();
    sound->PauseMusic();
    sound->PlaySalesMusicIfIdle();  // on from where it paused
    EXPECT_EQ(Started(), (std::vector<int32_t>{5, 3, 4, 4}));
    sound->NextPlaylistTrack();
    Run(100);
    ASSERT_GE(sound->music_wait, 15000);
    Run(uint32_t(sound->music_wait) + 100);
    EXPECT_EQ(Started(), std::vector<int32_t>{Entry(pos + 1)});
    sound->OnMusicNotify();  // a new play aborts the old one: no wait
    Run(100);
    EXPECT_EQ(sound->music_wait, -1);
    EXPECT_EQ(Started(), std::vector<int32_t>{Entry(pos + 2)});

    sound->PauseMusic();
    h.gs->opt_music = 0;
    sound->ResumeMusic();
    sound->OnMusicNotify();
    EXPECT_TRUE(Started().empty());
    sound->PlayTitleMusic();
    Run(1500);  // the title track ended: no wait, it is not repeated by itself
    EXPECT_EQ(sound->music_wait, -1);
    EXPECT_EQ(Started(), std::vector<int32_t>{2});
}

}  // namespace
