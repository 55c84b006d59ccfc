// The CD audio device on the headless music: notifications, bad requests,
// and the track files of the music folder.

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_music.h"
#include "platform/music.h"
#include "platform/window.h"
#include "temp_folder.h"

namespace {

// Collects the notification codes it receives.
class Listener : public plat::Window {
  public:
    std::vector<uint32_t> codes;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message == MM_MCINOTIFY) codes.push_back(uint32_t(w));
        return DefaultMessage(message, w, l);
    }
};

constexpr uint32_t kOk = plat::kMciNotifySuccessful, kAborted = plat::kMciNotifyAborted,
                   kFailed = plat::kMciNotifyFailure;

TEST(Music, EveryPlayNotifiesOnceHowItEnded) {
    plat::HeadlessBackend host;
    plat::HeadlessMusic music;
    Listener listener;
    plat::CdAudioDevice cd;
    for (int track = 2; track <= 16; ++track) music.SetTrack(track, 60000);
    host.SetMusicDevice(&music);
    listener.Create(nullptr, {0, 0, 10, 10}, WS_POPUP);
    ASSERT_EQ(cd.Open(), plat::kMciOk);
    ASSERT_EQ(cd.SetTimeFormat(plat::kMciFormatTmsf), plat::kMciOk);
    auto play = [&](uint32_t from, uint32_t to) {
        return cd.Play(plat::MakeTmsf(from), plat::MakeTmsf(to), &listener);
    };
    auto take = [&] {  // the codes since the last call
        host.RunUntilIdle();
        return std::move(listener.codes);
    };
    ASSERT_EQ(play(5, 6), plat::kMciOk);
    host.RunFor(59000, 50);
    EXPECT_TRUE(take().empty());
    host.RunFor(1100, 50);
    EXPECT_EQ(take(), std::vector<uint32_t>{kOk});
    EXPECT_FALSE(cd.IsPlaying());

    play(5, 6);
    cd.Stop();
    play(6, 7);
    cd.Pause();
    play(7, 8);
    play(8, 9);  // a new play aborts the old one and notifies for itself
    host.RunFor(61000, 50);
    EXPECT_EQ(take(), (std::vector<uint32_t>{kAborted, kAborted, kAborted, kOk}));
    play(5, 6);
    cd.Stop(&listener);  // a notifying stop is successful for itself
    EXPECT_EQ(take(), (std::vector<uint32_t>{kAborted, kOk}));
    // An unplayable track fails, also in the middle of a range.
    music.SetTrackBroken(9, true);
    EXPECT_EQ(play(9, 10), plat::kMciOk);
    play(8, 10);
    host.RunFor(61000, 50);
    EXPECT_EQ(take(), (std::vector<uint32_t>{kFailed, kFailed}));

    // Bad requests fail without a notification.
    EXPECT_EQ(play(1, 2), plat::kMciErrorOutOfRange);
    EXPECT_EQ(play(6, 5), plat::kMciErrorOutOfRange);
    EXPECT_EQ(cd.Play(plat::MakeTmsf(40), std::nullopt, &listener), plat::kMciErrorOutOfRange);
    cd.SetTimeFormat(plat::kMciFormatMsf);
    EXPECT_EQ(play(5, 6), plat::kMciErrorBadTimeFormat);
    EXPECT_TRUE(take().empty());
    cd.Close();
    EXPECT_EQ(cd.Stop(), plat::kMciErrorNotOpen);
    plat::HeadlessMusic empty;
    EXPECT_EQ(cd.Open(&empty), plat::kMciErrorDeviceNotReady);  // no tracks
}

TEST(MusicFolder, TrackFilesAreFoundCaseInsensitively) {
    fvtest::TempFolder folder;
    for (const char* name : {"Track02.OGG", "track03.flac", "TRACK16.Wav", "track5.ogg",
                             "track04.mp3", "notes.txt", "track07.ogg.part", "track08.ogg/x"}) {
        folder.Write(name, "x");
    }
    std::vector<plat::MusicTrackFile> tracks = plat::FindMusicTracks(folder.Path());
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(tracks[0].path, folder.Path() + "/Track02.OGG");
    EXPECT_EQ(tracks[1].track, 3);
    EXPECT_EQ(tracks[2].track, 16);
    EXPECT_TRUE(plat::FindMusicTracks(folder.Path() + "/none").empty());
}

}  // namespace
