#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/sound.h"

namespace {

constexpr plat::SoundEventKind kStart = plat::SoundEventKind::Start;
constexpr plat::SoundEventKind kStop = plat::SoundEventKind::Stop;
constexpr plat::SoundEventKind kEnd = plat::SoundEventKind::End;
constexpr plat::SoundEventKind kVolume = plat::SoundEventKind::Volume;
constexpr plat::SoundEventKind kPan = plat::SoundEventKind::Pan;

class Sound : public ::testing::Test {
  protected:
    Sound() {
        device = plat::SoundDevice::Create();
        plat::ClearRecordedSoundEvents();
    }

    // An 8-bit mono effect at 11,025 Hz (half the output rate: every sample
    // lasts two output frames) holding one value.
    plat::SoundBufferHandle Effect(uint32_t bytes, uint8_t value) {
        plat::WaveFormat format = plat::PcmFormat(1, 11025, 8);
        plat::SoundBufferHandle buffer =
            device->CreateBuffer({plat::kSoundBufferStatic | plat::kSoundBufferCtrlVolume |
                                      plat::kSoundBufferCtrlPan | plat::kSoundBufferCtrlFrequency,
                                  bytes, &format});
        EXPECT_TRUE(buffer);
        plat::SoundBuffer::LockedRegion region;
        EXPECT_TRUE(buffer->Lock(0, bytes, &region));
        EXPECT_EQ(region.firstBytes, bytes);
        EXPECT_EQ(region.second, nullptr);
        for (uint32_t i = 0; i < region.firstBytes; ++i) region.first[i] = value;
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
        EXPECT_EQ(play, write);
        return play;
    }

    plat::HeadlessBackend host;
    plat::SoundDeviceHandle device;
};

}  // namespace

TEST(SoundDevice, NoAudioOutputMeansNoDevice) {
    plat::HeadlessBackend host;
    host.SetAudioAvailable(false);
    EXPECT_FALSE(plat::SoundDevice::Create());
    EXPECT_FALSE(host.AudioOpen());
    host.SetAudioAvailable(true);
    {
        plat::SoundDeviceHandle device = plat::SoundDevice::Create();
        ASSERT_TRUE(device);
        EXPECT_TRUE(host.AudioOpen());
        EXPECT_TRUE(device->SetCooperativeLevel(nullptr, plat::kSoundCooperativePriority));
    }
    EXPECT_FALSE(host.AudioOpen());
}

TEST_F(Sound, BuffersAreCreatedOnlyForValidDescriptions) {
    ASSERT_TRUE(device);
    plat::SoundBufferHandle primary = device->CreateBuffer({plat::kSoundBufferPrimary, 0, nullptr});
    ASSERT_TRUE(primary);
    EXPECT_TRUE(primary->IsPrimary());
    EXPECT_EQ(primary->Id(), 0u);
    EXPECT_TRUE(primary->SetFormat(plat::PcmFormat(2, 11025, 8)));
    plat::SoundBuffer::LockedRegion region;
    EXPECT_FALSE(primary->Lock(0, 4, &region));

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
    EXPECT_EQ(primary->GetStatus(), plat::kSoundStatusPlaying | plat::kSoundStatusLooping);

    // Locking wraps around the end of the buffer into the second part.
    plat::SoundBufferHandle effect = Effect(10, 0x80);
    EXPECT_TRUE(effect->Lock(6, 8, &region));
    EXPECT_EQ(region.firstBytes, 4u);
    EXPECT_EQ(region.secondBytes, 4u);
    EXPECT_FALSE(effect->Lock(10, 1, &region));
}

TEST_F(Sound, StopKeepsThePositionAndOnlyANaturalEndRewinds) {
    plat::SoundBufferHandle effect = Effect(100, 192);
    EXPECT_EQ(effect->GetStatus(), 0u);
    ASSERT_TRUE(effect->Play(false));
    EXPECT_EQ(effect->GetStatus(), plat::kSoundStatusPlaying);
    Render(50);
    EXPECT_EQ(Position(*effect), 25u);

    effect->Stop();
    EXPECT_EQ(effect->GetStatus(), 0u);
    std::vector<int16_t> silent = Render(10);
    for (int16_t s : silent) ASSERT_EQ(s, 0);
    EXPECT_EQ(Position(*effect), 25u);

    effect->Play(false);  // resumes where it stopped
    Render(20);
    EXPECT_EQ(Position(*effect), 35u);
    effect->Play(true);  // Play while playing goes on, now looping
    EXPECT_EQ(Position(*effect), 35u);
    EXPECT_EQ(effect->GetStatus(), plat::kSoundStatusPlaying | plat::kSoundStatusLooping);
    Render(200);  // 100 samples further: round the loop
    EXPECT_EQ(Position(*effect), 35u);
    effect->Play(false);

    // 65 samples are left: 130 frames of sound, then silence and position 0.
    std::vector<int16_t> tail = Render(200);
    EXPECT_EQ(tail[2 * 129], 64 * 256);
    EXPECT_EQ(tail[2 * 130], 0);
    EXPECT_EQ(effect->GetStatus(), 0u);
    EXPECT_EQ(Position(*effect), 0u);

    EXPECT_TRUE(effect->SetCurrentPosition(90));
    EXPECT_FALSE(effect->SetCurrentPosition(100));
    effect->Play(false);
    Render(30);
    EXPECT_EQ(effect->GetStatus(), 0u);

    std::vector<plat::SoundEvent> expected = {
        {kStart, effect->Id(), 0}, {kStop, effect->Id(), 25}, {kStart, effect->Id(), 0},
        {kStart, effect->Id(), 1}, {kStart, effect->Id(), 0}, {kEnd, effect->Id(), 0},
        {kStart, effect->Id(), 0}, {kEnd, effect->Id(), 0},
    };
    EXPECT_EQ(plat::RecordedSoundEvents(), expected);
}

TEST_F(Sound, VolumeAndPanAreAppliedInTheMixer) {
    plat::SoundBufferHandle effect = Effect(1000, 192);  // +64 in 8 bits: 16384
    effect->Play(true);
    std::vector<int16_t> full = Render(4);
    EXPECT_EQ(full[0], 16384);
    EXPECT_EQ(full[1], 16384);

    ASSERT_TRUE(effect->SetVolume(-800));  // gain 10^(-0.4) = 0.398
    EXPECT_EQ(effect->GetVolume(), -800);
    std::vector<int16_t> quieter = Render(4);
    EXPECT_NEAR(quieter[0], 16384 * 0.398107, 1.0);
    EXPECT_NEAR(quieter[1], 16384 * 0.398107, 1.0);

    effect->SetVolume(0);
    ASSERT_TRUE(effect->SetPan(-2000));  // right side 20 dB down
    std::vector<int16_t> left = Render(4);
    EXPECT_EQ(left[0], 16384);
    EXPECT_NEAR(left[1], 1638.4, 1.0);

    effect->SetPan(plat::kSoundPanRight);
    std::vector<int16_t> right = Render(4);
    EXPECT_EQ(right[0], 0);
    EXPECT_EQ(right[1], 16384);

    effect->SetPan(0);
    effect->SetVolume(plat::kSoundVolumeMin);
    EXPECT_EQ(Render(4)[0], 0);

    EXPECT_FALSE(effect->SetVolume(1));
    EXPECT_FALSE(effect->SetVolume(-10001));
    EXPECT_FALSE(effect->SetPan(10001));
    EXPECT_EQ(effect->GetVolume(), plat::kSoundVolumeMin);

    std::vector<plat::SoundEvent> expected = {
        {kStart, effect->Id(), 1},       {kVolume, effect->Id(), -800}, {kVolume, effect->Id(), 0},
        {kPan, effect->Id(), -2000},     {kPan, effect->Id(), 10000},   {kPan, effect->Id(), 0},
        {kVolume, effect->Id(), -10000},
    };
    EXPECT_EQ(plat::RecordedSoundEvents(), expected);
}

TEST_F(Sound, BuffersMixTogetherAndThePrimaryPausesEverything) {
    plat::SoundBufferHandle primary = device->CreateBuffer({plat::kSoundBufferPrimary, 0, nullptr});
    plat::SoundBufferHandle a = Effect(1000, 128 + 100);
    plat::SoundBufferHandle b = Effect(1000, 128 - 30);
    a->Play(true);
    b->Play(true);
    EXPECT_EQ(Render(2)[0], 70 * 256);

    plat::SoundBufferHandle loud = Effect(1000, 255);
    loud->Play(true);
    EXPECT_EQ(Render(2)[0], 32767);  // clipped
    loud.reset();                    // released: leaves the mix
    EXPECT_EQ(Render(2)[0], 70 * 256);

    primary->Stop();
    EXPECT_EQ(primary->GetStatus(), 0u);
    uint32_t kept = Position(*a);
    EXPECT_EQ(Render(8)[0], 0);
    EXPECT_EQ(Position(*a), kept);
    EXPECT_EQ(a->GetStatus(), plat::kSoundStatusPlaying | plat::kSoundStatusLooping);
    primary->Play(true);
    EXPECT_EQ(Render(2)[0], 70 * 256);
}

TEST_F(Sound, StereoSixteenBitAndFrequency) {
    plat::WaveFormat format = plat::PcmFormat(2, 22050, 16);
    plat::SoundBufferHandle music = device->CreateBuffer({plat::kSoundBufferStatic, 400, &format});
    ASSERT_TRUE(music);
    plat::SoundBuffer::LockedRegion region;
    music->Lock(0, 400, &region);
    auto* samples = reinterpret_cast<int16_t*>(region.first);
    for (int i = 0; i < 100; ++i) {
        samples[2 * i] = int16_t(1000 + i);
        samples[2 * i + 1] = int16_t(-1000 - i);
    }
    music->Unlock(region);
    EXPECT_EQ(music->GetFrequency(), 22050u);
    music->Play(false);
    std::vector<int16_t> out = Render(3);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], -1000);
    EXPECT_EQ(out[4], 1002);
    EXPECT_EQ(Position(*music), 12u);  // three frames of four bytes

    ASSERT_TRUE(music->SetFrequency(44100));  // two samples per output frame
    out = Render(2);
    EXPECT_EQ(out[0], 1003);
    EXPECT_EQ(out[2], 1005);
    EXPECT_FALSE(music->SetFrequency(50));
    EXPECT_TRUE(music->SetFrequency(plat::kSoundFrequencyOriginal));
    EXPECT_EQ(music->GetFrequency(), 22050u);
}
