// Audio on the headless back end: the sound device's buffers, play and stop,
// volume, pan and mixing; the CD audio device's notifications and requests,
// and the track files of the music folder.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_music.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "temp_folder.h"
#include "test_window.h"

namespace {

using Kind = plat::SoundEventKind;

class Sound : public ::testing::Test {
  protected:
    Sound() { plat::ClearRecordedSoundEvents(); }
    // An 8-bit mono effect at 11,025 Hz (half the output rate: every sample
    // lasts two output frames) holding one value.
    plat::SoundBufferHandle Effect(uint32_t bytes, uint8_t value) {
        plat::WaveFormat format = plat::PcmFormat(1, 11025, 8);
        plat::SoundBufferHandle buffer = device->CreateBuffer(
            {plat::kSoundBufferStatic | plat::kSoundBufferCtrlVolume | plat::kSoundBufferCtrlPan,
             bytes, &format});
        plat::SoundBuffer::LockedRegion region;
        EXPECT_TRUE(buffer->Lock(0, bytes, &region));
        std::fill(region.first, region.first + region.firstBytes, value);
        EXPECT_TRUE(buffer->Unlock(region));
        return buffer;
    }
    std::vector<int16_t> Render(int frames) {
        std::vector<int16_t> out(size_t(frames) * 2, 12345);
        host.RenderAudio(out.data(), frames);
        return out;
    }
    static uint32_t Position(const plat::SoundBuffer& buffer) {
        uint32_t play = 0, write = 0;
        buffer.GetCurrentPosition(&play, &write);
        return play;
    }
    plat::HeadlessBackend host;
    plat::SoundDeviceHandle device = plat::SoundDevice::Create();
};

// No audio output means no device; bad descriptions make no buffer.
TEST_F(Sound, DevicesAndBuffersOnlyForWhatCanPlay) {
    ASSERT_TRUE(device);
    EXPECT_TRUE(host.AudioOpen());
    device.reset();
    EXPECT_FALSE(host.AudioOpen());
    host.SetAudioAvailable(false);
    EXPECT_FALSE(plat::SoundDevice::Create());
    host.SetAudioAvailable(true);
    device = plat::SoundDevice::Create();
    plat::SoundBuffer::LockedRegion region;
    EXPECT_FALSE(
        device->CreateBuffer({plat::kSoundBufferPrimary, 0, nullptr})->Lock(0, 4, &region));
    // A primary with a format, no bytes, no format, three channels, 50 Hz.
    plat::WaveFormat format = plat::PcmFormat(1, 11025, 8), odd = plat::PcmFormat(3, 11025, 8),
                     slow = plat::PcmFormat(1, 50, 8);
    for (const auto& [flags, bytes, f] : {std::tuple{plat::kSoundBufferPrimary, 100u, &format},
                                          {plat::kSoundBufferStatic, 0u, &format},
                                          {plat::kSoundBufferStatic, 100u, nullptr},
                                          {plat::kSoundBufferStatic, 100u, &odd},
                                          {plat::kSoundBufferStatic, 100u, &slow}}) {
        EXPECT_FALSE(device->CreateBuffer({flags, bytes, f})) << flags << " " << bytes;
    }
    // Locking wraps around the end of the buffer into the second part.
    plat::SoundBufferHandle effect = Effect(10, 0x80);
    EXPECT_TRUE(effect->Lock(6, 8, &region));
    EXPECT_EQ(region.firstBytes, 4u);
    EXPECT_EQ(region.secondBytes, 4u);
    EXPECT_FALSE(effect->Lock(10, 1, &region));
}

TEST_F(Sound, StopKeepsThePositionAndOnlyANaturalEndRewinds) {
    plat::SoundBufferHandle effect = Effect(100, 192);
    ASSERT_TRUE(effect->Play(false));
    EXPECT_EQ(effect->GetStatus(), plat::kSoundStatusPlaying);
    Render(50);
    effect->Stop();
    for (int16_t s : Render(10)) ASSERT_EQ(s, 0);
    EXPECT_EQ(Position(*effect), 25u);
    effect->Play(false);  // resumes where it stopped
    Render(20);
    effect->Play(false);  // Play while playing goes on
    // 65 samples are left: 130 frames of sound, then silence and position 0.
    std::vector<int16_t> tail = Render(200);
    EXPECT_EQ(tail[2 * 129], 64 * 256);
    EXPECT_EQ(tail[2 * 130], 0);
    EXPECT_EQ(effect->GetStatus(), 0u);
    EXPECT_EQ(Position(*effect), 0u);
    EXPECT_FALSE(effect->SetCurrentPosition(100));
    const uint32_t id = effect->Id();
    EXPECT_EQ(plat::RecordedSoundEvents(), (std::vector<plat::SoundEvent>{{Kind::Start, id, 0},
                                                                          {Kind::Stop, id, 25},
                                                                          {Kind::Start, id, 0},
                                                                          {Kind::Start, id, 0},
                                                                          {Kind::End, id, 0}}));
}

TEST_F(Sound, VolumePanAndMixingAreAppliedInTheMixer) {
    plat::SoundBufferHandle effect = Effect(1000, 192);  // +64 in 8 bits: 16384
    effect->Play(true);
    EXPECT_EQ(Render(4)[1], 16384);
    ASSERT_TRUE(effect->SetVolume(-800));  // gain 10^(-0.4) = 0.398
    EXPECT_NEAR(Render(4)[0], 16384 * 0.398107, 1.0);
    effect->SetVolume(0);
    ASSERT_TRUE(effect->SetPan(-2000));  // right side 20 dB down
    std::vector<int16_t> left = Render(4);
    EXPECT_EQ(left[0], 16384);
    EXPECT_NEAR(left[1], 1638.4, 1.0);
    effect->SetPan(plat::kSoundPanRight);
    EXPECT_EQ(Render(4)[0], 0);
    EXPECT_FALSE(effect->SetVolume(1));
    EXPECT_FALSE(effect->SetPan(10001));
    effect->Stop();
    // Buffers add up and clip; a released buffer leaves the mix; stopping
    // the primary pauses everything where it is.
    plat::SoundBufferHandle primary = device->CreateBuffer({plat::kSoundBufferPrimary, 0, nullptr});
    plat::SoundBufferHandle a = Effect(1000, 128 + 100), b = Effect(1000, 128 - 30);
    a->Play(true);
    b->Play(true);
    EXPECT_EQ(Render(2)[0], 70 * 256);
    plat::SoundBufferHandle loud = Effect(1000, 255);
    loud->Play(true);
    EXPECT_EQ(Render(2)[0], 32767);
    loud.reset();
    EXPECT_EQ(Render(2)[0], 70 * 256);
    primary->Stop();
    const uint32_t kept = Position(*a);
    EXPECT_EQ(Render(8)[0], 0);
    EXPECT_EQ(Position(*a), kept);
    primary->Play(true);
    EXPECT_EQ(Render(2)[0], 70 * 256);
}

constexpr plat::WParam kOk = plat::kMciNotifySuccessful, kAborted = plat::kMciNotifyAborted,
                       kFailed = plat::kMciNotifyFailure;

TEST(Music, EveryPlayNotifiesOnceHowItEnded) {
    plat::HeadlessBackend host;
    plat::HeadlessMusic music;
    plat_test::TestWindow listener;
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
        std::vector<plat::WParam> codes = listener.WParams(MM_MCINOTIFY);
        listener.log.clear();
        return codes;
    };
    ASSERT_EQ(play(5, 6), plat::kMciOk);
    host.RunFor(59000, 50);
    EXPECT_TRUE(take().empty());
    host.RunFor(1100, 50);
    EXPECT_EQ(take(), std::vector<plat::WParam>{kOk});
    EXPECT_FALSE(cd.IsPlaying());
    play(5, 6);
    cd.Stop();
    play(6, 7);
    cd.Pause();
    play(7, 8);
    play(8, 9);  // a new play aborts the old one and notifies for itself
    host.RunFor(61000, 50);
    EXPECT_EQ(take(), (std::vector<plat::WParam>{kAborted, kAborted, kAborted, kOk}));
    play(5, 6);
    cd.Stop(&listener);  // a notifying stop is successful for itself
    EXPECT_EQ(take(), (std::vector<plat::WParam>{kAborted, kOk}));
    // An unplayable track fails, also in the middle of a range.
    music.SetTrackBroken(9, true);
    EXPECT_EQ(play(9, 10), plat::kMciOk);
    play(8, 10);
    host.RunFor(61000, 50);
    EXPECT_EQ(take(), (std::vector<plat::WParam>{kFailed, kFailed}));
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
