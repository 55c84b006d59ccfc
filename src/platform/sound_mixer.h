#pragma once
// The mixer behind the sound device: every live buffer's samples, resampled
// to the output rate and mixed with its volume and pan into signed 16-bit
// stereo. The output side (the host's audio thread) calls Mix; the game
// thread changes buffers; one mutex keeps them apart.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sound.h"

namespace plat {

struct SoundBufferState {
    uint32_t id = 0;
    bool primary = false;
    WaveFormat format;
    std::vector<uint8_t> data;
    uint32_t frameCount = 0;  // whole sample frames in `data`
    bool playing = false;
    bool looping = false;
    uint64_t position = 0;  // frames, 16.16 fixed point
    int32_t volume = 0;
    int32_t pan = 0;
    uint32_t frequency = 0;  // 0: the format's rate
};

struct SoundMixerCore {
    explicit SoundMixerCore(int outputRate) : outputRate(outputRate) {}

    // Fills `frameCount` interleaved stereo frames.
    void Mix(int16_t* out, int frameCount);

    const int outputRate;
    std::mutex mutex;
    std::vector<std::shared_ptr<SoundBufferState>> buffers;
    bool outputPaused = false;
    uint32_t nextId = 1;
};

// Linear gain of a volume in hundredths of a decibel.
double GainOfHundredthsDb(int32_t hundredthsOfDecibel);

void RecordSoundEvent(SoundEventKind kind, uint32_t buffer, int32_t value);

}  // namespace plat
