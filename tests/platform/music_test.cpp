#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_music.h"
#include "platform/music.h"
#include "platform/window.h"

namespace {

// Collects the notifications it receives: (code, device id).
class Listener : public plat::Window {
  public:
    std::vector<uint32_t> codes;
    std::vector<plat::LParam> devices;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message == MM_MCINOTIFY) {
            codes.push_back(uint32_t(w));
            devices.push_back(l);
            return 0;
        }
        return DefaultMessage(message, w, l);
    }
};

using Record = plat::HeadlessMusic::Record;

class Music : public ::testing::Test {
  protected:
    Music() {
        for (int track = 2; track <= 16; ++track) music.SetTrack(track, 60000);
        music.SetTrack(3, 30000);
        host.SetMusicDevice(&music);
        listener = new Listener;
        listener->Create(nullptr, {0, 0, 10, 10}, WS_POPUP);
        EXPECT_EQ(cd.Open(), plat::kMciOk);
        EXPECT_EQ(cd.SetTimeFormat(plat::kMciFormatTmsf), plat::kMciOk);
    }
    ~Music() override {
        cd.Close();
        delete listener;
    }
    uint32_t PlayTrack(uint32_t track) {
        return cd.Play(plat::MakeTmsf(track), plat::MakeTmsf(track + 1), listener);
    }
    std::vector<uint32_t> Codes() {
        host.RunUntilIdle();
        return listener->codes;
    }
    // The codes so far, forgotten for the next call.
    std::vector<uint32_t> Take() {
        std::vector<uint32_t> codes = Codes();
        listener->codes.clear();
        return codes;
    }

    plat::HeadlessBackend host;
    plat::HeadlessMusic music;
    Listener* listener = nullptr;
    plat::CdAudioDevice cd;
};

}  // namespace

TEST_F(Music, AFinishedTrackNotifiesSuccessful) {
    ASSERT_EQ(PlayTrack(5), plat::kMciOk);
    EXPECT_TRUE(cd.IsPlaying());
    host.RunFor(59000, 50);
    EXPECT_TRUE(Codes().empty());
    host.RunFor(1100, 50);
    EXPECT_EQ(Codes(), std::vector<uint32_t>{plat::kMciNotifySuccessful});
    EXPECT_EQ(listener->devices[0], plat::LParam(cd.DeviceId()));
    EXPECT_FALSE(cd.IsPlaying());
    EXPECT_EQ(music.PlayingTrack(), 0);
    uint32_t track = 0;
    cd.StatusCurrentTrack(&track);
    EXPECT_EQ(track, 6u);  // at the end of the range: the start of track 6
}

TEST_F(Music, InterruptedPlaysNotifyAborted) {
    PlayTrack(5);
    cd.Stop();
    EXPECT_EQ(Take(), std::vector<uint32_t>{plat::kMciNotifyAborted});
    PlayTrack(6);
    cd.Pause();
    EXPECT_EQ(Take(), std::vector<uint32_t>{plat::kMciNotifyAborted});
    PlayTrack(7);
    PlayTrack(8);  // a new play aborts the old one and notifies for itself
    host.RunFor(61000, 50);
    EXPECT_EQ(Codes(),
              (std::vector<uint32_t>{plat::kMciNotifyAborted, plat::kMciNotifySuccessful}));
}

TEST_F(Music, StopWithNotifyIsSuccessfulForItself) {
    PlayTrack(5);
    ASSERT_EQ(cd.Stop(listener), plat::kMciOk);
    EXPECT_EQ(Take(), (std::vector<uint32_t>{plat::kMciNotifyAborted, plat::kMciNotifySuccessful}));
    // Without a play pending, only the stop's own notification.
    cd.Stop(listener);
    EXPECT_EQ(Codes(), std::vector<uint32_t>{plat::kMciNotifySuccessful});
}

TEST_F(Music, ANotifyingStatusSupersedesThePendingPlay) {
    PlayTrack(5);
    uint32_t count = 0;
    cd.StatusNumberOfTracks(&count, listener);
    EXPECT_EQ(count, 16u);
    EXPECT_EQ(Codes(),
              (std::vector<uint32_t>{plat::kMciNotifySuperseded, plat::kMciNotifySuccessful}));
    host.RunFor(61000, 50);  // the play goes on to its end, unannounced
    EXPECT_FALSE(cd.IsPlaying());
    EXPECT_EQ(Codes().size(), 2u);
}

TEST_F(Music, AnUnplayableTrackNotifiesFailure) {
    music.SetTrackBroken(9, true);
    EXPECT_EQ(PlayTrack(9), plat::kMciOk);
    EXPECT_EQ(Take(), std::vector<uint32_t>{plat::kMciNotifyFailure});
    EXPECT_FALSE(cd.IsPlaying());
    // Broken in the middle of a range: track 8 plays, 9 fails.
    cd.Play(plat::MakeTmsf(8), plat::MakeTmsf(10), listener);
    host.RunFor(61000, 50);
    EXPECT_EQ(Codes(), std::vector<uint32_t>{plat::kMciNotifyFailure});
}

TEST_F(Music, PlayToOnlyResumesFromThePausedPosition) {
    PlayTrack(4);
    host.RunFor(20000, 50);
    cd.Pause();
    host.RunFor(5000, 50);
    music.ClearRecords();
    ASSERT_EQ(cd.Play(std::nullopt, plat::MakeTmsf(5), listener), plat::kMciOk);
    ASSERT_EQ(music.Records().size(), 1u);
    EXPECT_EQ(music.Records()[0].track, 4);
    EXPECT_NEAR(double(music.Records()[0].ms), 20000.0, 100.0);
    host.RunFor(40100, 50);
    EXPECT_EQ(Take(), (std::vector<uint32_t>{plat::kMciNotifyAborted, plat::kMciNotifySuccessful}));
    // A range over two tracks plays both and notifies once.
    music.ClearRecords();
    cd.Play(plat::MakeTmsf(2), plat::MakeTmsf(4), listener);
    host.RunFor(60000 + 30000 + 500, 50);
    EXPECT_EQ(Codes(), std::vector<uint32_t>{plat::kMciNotifySuccessful});
    std::vector<int> started;
    for (const Record& r : music.Records()) {
        if (r.kind == Record::Kind::Start) started.push_back(r.track);
    }
    EXPECT_EQ(started, (std::vector<int>{2, 3}));
}

TEST_F(Music, BadRequestsFailWithoutNotification) {
    EXPECT_EQ(cd.Play(plat::MakeTmsf(1), plat::MakeTmsf(2), listener), plat::kMciErrorOutOfRange);
    EXPECT_EQ(cd.Play(plat::MakeTmsf(6), plat::MakeTmsf(5), listener), plat::kMciErrorOutOfRange);
    EXPECT_EQ(cd.Play(plat::MakeTmsf(40), std::nullopt, listener), plat::kMciErrorOutOfRange);
    cd.SetTimeFormat(plat::kMciFormatMsf);
    EXPECT_EQ(cd.Play(plat::MakeTmsf(5), std::nullopt, listener), plat::kMciErrorBadTimeFormat);
    EXPECT_TRUE(Codes().empty());
    EXPECT_FALSE(plat::MciErrorText(plat::kMciErrorOutOfRange).empty());
    cd.Close();
    EXPECT_EQ(cd.Stop(), plat::kMciErrorNotOpen);
}

TEST(MusicDevice, OpenFailsWithoutTracksOrDevice) {
    plat::HeadlessBackend host;
    plat::CdAudioDevice cd;
    EXPECT_EQ(cd.Open(), plat::kMciErrorDeviceNotReady);  // the back end has none
    plat::HeadlessMusic empty;
    EXPECT_EQ(cd.Open(&empty), plat::kMciErrorDeviceNotReady);
    EXPECT_FALSE(cd.IsOpen());
}

TEST(MusicFolder, TrackFilesAreFoundCaseInsensitively) {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("fv_music_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const char* name : {"Track02.OGG", "track03.flac", "TRACK16.Wav", "track5.ogg",
                             "track04.mp3", "notes.txt", "track07.ogg.part"}) {
        std::ofstream(folder / name) << "x";
    }
    fs::create_directories(folder / "track08.ogg");  // a folder, not a track
    std::vector<plat::MusicTrackFile> tracks = plat::FindMusicTracks(folder.string());
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(tracks[0].track, 2);
    EXPECT_EQ(fs::path(tracks[0].path).filename(), "Track02.OGG");
    EXPECT_EQ(tracks[1].track, 3);
    EXPECT_EQ(tracks[2].track, 16);
    fs::remove_all(folder);
    EXPECT_TRUE(plat::FindMusicTracks(folder.string()).empty());

    plat::SetMusicFolder("");
    EXPECT_EQ(plat::MusicFolder(), "music");
    plat::SetMusicFolder("/data/music");
    EXPECT_EQ(plat::MusicFolder(), "/data/music");
    plat::SetMusicFolder("");
}
