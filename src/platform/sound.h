#pragma once
// Sound output with the behaviour of a buffer-based sound device: a device
// that opens on request (and fails when the host has no audio output), a
// primary buffer whose Play and Stop resume and pause all output, and
// secondary buffers holding PCM samples (8 or 16 bits, mono or stereo, any
// rate) that a mixer plays together.
//
// Per secondary buffer: Play once or looping (Play on a playing buffer goes
// on where it is, only taking the new looping choice); Stop keeps the
// position, so a later Play resumes there; only reaching the end of a
// one-shot play sets the position back to 0. Volume is in hundredths of a
// decibel (0 .. -10000; gain 10^(v/2000)), pan in the same unit (-10000 left
// .. 10000 right; the other side is lowered by |pan|/100 dB).
//
//   auto device = plat::SoundDevice::Create();   // null: play nothing
//   plat::WaveFormat format = plat::PcmFormat(1, 11025, 8);
//   auto buffer = device->CreateBuffer({plat::kSoundBufferStatic | plat::kSoundBufferCtrlVolume,
//                                       byteCount, &format});
//   plat::SoundBuffer::LockedRegion region;
//   buffer->Lock(0, byteCount, &region);  ...fill region.first...  buffer->Unlock(region);
//   buffer->SetVolume(-800); buffer->Play(false);

#include <cstdint>
#include <memory>
#include <vector>

namespace plat {

class Window;
struct SoundMixerCore;
struct SoundBufferState;

constexpr uint16_t kWaveFormatPcm = 1;

// The leading fields of a wave format record, as in wave files.
struct WaveFormat {
    uint16_t formatTag = kWaveFormatPcm;
    uint16_t channels = 1;
    uint32_t samplesPerSecond = 11025;
    uint32_t averageBytesPerSecond = 11025;
    uint16_t blockAlign = 1;
    uint16_t bitsPerSample = 8;
};

// A PCM format with the derived fields filled in.
WaveFormat PcmFormat(uint16_t channels, uint32_t samplesPerSecond, uint16_t bitsPerSample);

// Buffer description flags.
constexpr uint32_t kSoundBufferPrimary = 0x01;
constexpr uint32_t kSoundBufferStatic = 0x02;
constexpr uint32_t kSoundBufferCtrlFrequency = 0x20;
constexpr uint32_t kSoundBufferCtrlPan = 0x40;
constexpr uint32_t kSoundBufferCtrlVolume = 0x80;

struct SoundBufferDesc {
    uint32_t flags = 0;
    uint32_t bytes = 0;                  // 0 for the primary buffer
    const WaveFormat* format = nullptr;  // null for the primary buffer
};

// Status bits.
constexpr uint32_t kSoundStatusPlaying = 0x1;
constexpr uint32_t kSoundStatusLooping = 0x4;

constexpr int32_t kSoundVolumeMax = 0;
constexpr int32_t kSoundVolumeMin = -10000;
constexpr int32_t kSoundPanLeft = -10000;
constexpr int32_t kSoundPanCentre = 0;
constexpr int32_t kSoundPanRight = 10000;
constexpr uint32_t kSoundFrequencyOriginal = 0;
constexpr uint32_t kSoundFrequencyMin = 100;
constexpr uint32_t kSoundFrequencyMax = 100000;

constexpr uint32_t kSoundCooperativeNormal = 1;
constexpr uint32_t kSoundCooperativePriority = 2;

class SoundBuffer {
  public:
    ~SoundBuffer();  // stops the buffer and takes it out of the mixer
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Primary buffer: resumes all output. Secondary: starts or goes on.
    bool Play(bool looping);
    // Primary buffer: pauses all output. Secondary: stops, keeping the
    // position.
    bool Stop();
    uint32_t GetStatus() const;
    // Byte offsets of the play and write cursors (equal here).
    bool GetCurrentPosition(uint32_t* play, uint32_t* write) const;
    // Moves the play cursor (rounded down to a whole sample frame); false
    // beyond the end.
    bool SetCurrentPosition(uint32_t byteOffset);
    // False (and no change) outside the ranges above.
    bool SetVolume(int32_t hundredthsOfDecibel);
    int32_t GetVolume() const;
    bool SetPan(int32_t pan);
    int32_t GetPan() const;
    // Samples per second, 100 .. 100000, or 0 for the format's own rate.
    bool SetFrequency(uint32_t frequency);
    uint32_t GetFrequency() const;
    // Primary buffer only: the format asked for (the mixer's output format
    // stays as the host gives it).
    bool SetFormat(const WaveFormat& format);

    // The samples from `offset` on, `bytes` long, wrapping at the end of the
    // buffer into the second part. Unlock commits them (they are written in
    // place). False for the primary buffer or an offset beyond the end.
    struct LockedRegion {
        uint8_t* first = nullptr;
        uint32_t firstBytes = 0;
        uint8_t* second = nullptr;
        uint32_t secondBytes = 0;
    };
    bool Lock(uint32_t offset, uint32_t bytes, LockedRegion* region);
    bool Unlock(const LockedRegion& region);

    // A number that names the buffer in the recorded events (0: primary).
    uint32_t Id() const;
    bool IsPrimary() const;

  private:
    friend class SoundDevice;
    SoundBuffer(std::shared_ptr<SoundMixerCore> mixer, std::shared_ptr<SoundBufferState> state);
    std::shared_ptr<SoundMixerCore> mixer_;
    std::shared_ptr<SoundBufferState> state_;
};
using SoundBufferHandle = std::unique_ptr<SoundBuffer>;

class SoundDevice {
  public:
    // Opens the audio output of the current back end. Null when the host has
    // no audio output: the caller then plays nothing.
    static std::unique_ptr<SoundDevice> Create();
    ~SoundDevice();  // closes the audio output; buffers left over fall silent
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // Accepted and remembered; it changes nothing here.
    bool SetCooperativeLevel(Window* window, uint32_t level);
    // The primary buffer (flag kSoundBufferPrimary, no size, no format) or a
    // secondary buffer of `bytes` bytes (PCM, 1 or 2 channels, 8 or 16 bits,
    // 100 .. 100000 samples per second, silent at first). Null for anything
    // else.
    SoundBufferHandle CreateBuffer(const SoundBufferDesc& desc);

  private:
    SoundDevice() = default;
    std::shared_ptr<SoundMixerCore> mixer_;
};
using SoundDeviceHandle = std::unique_ptr<SoundDevice>;

// --- Recorded events (for tests) ------------------------------------------

enum class SoundEventKind {
    Start,   // value: 1 looping, 0 once
    Stop,    // value: the byte position kept
    End,     // a one-shot play reached its end; value 0
    Volume,  // value: hundredths of a decibel
    Pan,     // value: pan
};

struct SoundEvent {
    SoundEventKind kind;
    uint32_t buffer;  // SoundBuffer::Id
    int32_t value;
    friend bool operator==(const SoundEvent&, const SoundEvent&) = default;
};

// The most recent events of every sound device (at most 4,096 are kept).
std::vector<SoundEvent> RecordedSoundEvents();
void ClearRecordedSoundEvents();

}  // namespace plat
