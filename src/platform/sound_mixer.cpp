#include "platform/sound_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>

namespace plat {

namespace {

constexpr size_t kMaxRecordedEvents = 4096;

struct EventLog {
    std::mutex mutex;
    std::deque<SoundEvent> events;
};

EventLog& Log() {
    static EventLog log;
    return log;
}

// One channel of sample frame `frame` as a signed 16-bit value.
int32_t SampleAt(const SoundBufferState& b, uint32_t frame, int channel) {
    const uint16_t channels = b.format.channels;
    const int ch = channels == 2 ? channel : 0;
    if (b.format.bitsPerSample == 8) {
        return (int32_t(b.data[size_t(frame) * channels + size_t(ch)]) - 128) * 256;
    }
    int16_t value;
    std::memcpy(&value, &b.data[(size_t(frame) * channels + size_t(ch)) * 2], 2);
    return value;
}

// Mixes one playing buffer into the float accumulator; a one-shot play that
// reaches its end stops there and goes back to position 0.
void MixBuffer(SoundBufferState& b, float* acc, int frameCount, int outputRate) {
    const uint32_t rate = b.frequency ? b.frequency : b.format.samplesPerSecond;
    const uint64_t step = (uint64_t(rate) << 16) / uint64_t(outputRate);
    const double gain = GainOfHundredthsDb(b.volume);
    const float gainLeft = float(gain * (b.pan > 0 ? GainOfHundredthsDb(-b.pan) : 1.0));
    const float gainRight = float(gain * (b.pan < 0 ? GainOfHundredthsDb(b.pan) : 1.0));
    const uint64_t end = uint64_t(b.frameCount) << 16;
    for (int f = 0; f < frameCount; ++f) {
        const uint32_t index = uint32_t(b.position >> 16);
        const float frac = float(b.position & 0xFFFF) / 65536.0f;
        uint32_t next = index + 1;
        if (next >= b.frameCount) next = b.looping ? 0 : index;
        for (int ch = 0; ch < 2; ++ch) {
            const float s0 = float(SampleAt(b, index, ch));
            const float s1 = float(SampleAt(b, next, ch));
            acc[2 * f + ch] += (s0 + (s1 - s0) * frac) * (ch == 0 ? gainLeft : gainRight);
        }
        b.position += step;
        if (b.position >= end) {
            if (b.looping) {
                b.position %= end;
            } else {
                b.playing = false;
                b.position = 0;
                RecordSoundEvent(SoundEventKind::End, b.id, 0);
                return;
            }
        }
    }
}

}  // namespace

double GainOfHundredthsDb(int32_t hundredthsOfDecibel) {
    if (hundredthsOfDecibel <= kSoundVolumeMin) return 0.0;
    if (hundredthsOfDecibel >= 0) return 1.0;
    return std::pow(10.0, hundredthsOfDecibel / 2000.0);
}

void SoundMixerCore::Mix(int16_t* out, int frameCount) {
    if (frameCount <= 0) return;
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<float> acc(size_t(frameCount) * 2, 0.0f);
    if (!outputPaused) {
        for (const auto& buffer : buffers) {
            if (!buffer->primary && buffer->playing && buffer->frameCount > 0) {
                MixBuffer(*buffer, acc.data(), frameCount, outputRate);
            }
        }
    }
    for (size_t i = 0; i < acc.size(); ++i) {
        out[i] = int16_t(std::clamp(std::lround(acc[i]), -32768L, 32767L));
    }
}

void RecordSoundEvent(SoundEventKind kind, uint32_t buffer, int32_t value) {
    EventLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    if (log.events.size() >= kMaxRecordedEvents) log.events.pop_front();
    log.events.push_back({kind, buffer, value});
}

std::vector<SoundEvent> RecordedSoundEvents() {
    EventLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    return {log.events.begin(), log.events.end()};
}

void ClearRecordedSoundEvents() {
    EventLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    log.events.clear();
}

}  // namespace plat
