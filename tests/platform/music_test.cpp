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

constexpr uint32_t kOk = plat::kMciNotifySuccessful, kAborted = plat::kMciNotifyAborted;

class Music : public ::testing::Test {
  protected:
    Music() {
        for (int track = 2; track <= 16; ++track) music.SetTrack(track, 60000);
        music.SetTrack(3, 30000);
        host.SetMusicDevice(&music);
        listener.Create(nullptr, {0, 0, 10, 10}, WS_POPUP);
        EXPECT_EQ(cd.Open(), plat::kMciOk);
        EXPECT_EQ(cd.SetTimeFormat(plat::kMciFormatTmsf), plat::kMciOk);
    }
    uint32_t PlayTrack(uint32_t track) {
        return cd.Play(plat::MakeTmsf(track), plat::MakeTmsf(track + 1), &listener);
    }
    // The codes since the last call.
    std::vector<uint32_t> Take() {
        host.RunUntilIdle();
        return std::move(listener.codes);
    }

    plat::HeadlessBackend host;
    plat::HeadlessMusic music;
    Listener listener;
    plat::CdAudioDevice cd;
};

TEST_F(Music, EveryPlayNotifiesOnceHowItEnded) {
    ASSERT_EQ(PlayTrack(5), plat::kMciOk);
    host.RunFor(59000, 50);
    EXPECT_TRUE(Take().empty());
    host.RunFor(1100, 50);
    EXPECT_EQ(Take(), std::vector<uint32_t>{kOk});
    EXPECT_FALSE(cd.IsPlaying());

    PlayTrack(5);
    cd.Stop();
    PlayTrack(6);
    cd.Pause();
    EXPECT_EQ(Take(), (std::vector<uint32_t>{kAborted, kAborted}));
    PlayTrack(7);
    PlayTrack(8);  // a new play aborts the old one and notifies for itself
    host.RunFor(61000, 50);
    EXPECT_EQ(Take(), (std::vector<uint32_t>{kAborted, kOk}));
    PlayTrack(5);
    cd.Stop(&listener);  // a notifying stop is successful for itself
    EXPECT_EQ(Take(), (std::vector<uint32_t>{kAborted, kOk}));

    // An unplayable track fails, also in the middle of a range.
    music.SetTrackBroken(9, true);
    EXPECT_EQ(PlayTrack(9), plat::kMciOk);
    cd.Play(plat::MakeTmsf(8), plat::MakeTmsf(10), &listener);
    host.RunFor(61000, 50);
    EXPECT_EQ(Take(), (std::vector<uint32_t>{plat::kMciNotifyFailure, plat::kMciNotifyFailure}));

    // Bad requests fail without a notification.
    EXPECT_EQ(cd.Play(plat::MakeTmsf(1), plat::MakeTmsf(2), &listener), plat::kMciErrorOutOfRange);
    EXPECT_EQ(cd.Play(plat::MakeTmsf(6), plat::MakeTmsf(5), &listener), plat::kMciErrorOutOfRange);
    EXPECT_EQ(cd.Play(plat::MakeTmsf(40), std::nullopt, &listener), plat::kMciErrorOutOfRange);
    cd.SetTimeFormat(plat::kMciFormatMsf);
    EXPECT_EQ(cd.Play(plat::MakeTmsf(5), std::nullopt, &listener), plat::kMciErrorBadTimeFormat);
    EXPECT_TRUE(Take().empty());
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
