#include "platform/sound.h"

#include <algorithm>

#include "platform/backend.h"
#include "platform/sound_mixer.h"

namespace plat {

namespace {

constexpr uint32_t kMaxBufferBytes = 0x0FFFFFFF;

bool ValidPcm(const WaveFormat& f) {
    return f.formatTag == kWaveFormatPcm && (f.channels == 1 || f.channels == 2) &&
           (f.bitsPerSample == 8 || f.bitsPerSample == 16) &&
           f.samplesPerSecond >= kSoundFrequencyMin && f.samplesPerSecond <= kSoundFrequencyMax;
}

uint32_t FrameBytes(const WaveFormat& f) {
    return uint32_t(f.channels) * f.bitsPerSample / 8;
}

}  // namespace

WaveFormat PcmFormat(uint16_t channels, uint32_t samplesPerSecond, uint16_t bitsPerSample) {
    WaveFormat f;
    f.formatTag = kWaveFormatPcm;
    f.channels = channels;
    f.samplesPerSecond = samplesPerSecond;
    f.bitsPerSample = bitsPerSample;
    f.blockAlign = uint16_t(channels * bitsPerSample / 8);
    f.averageBytesPerSecond = samplesPerSecond * f.blockAlign;
    return f;
}

// --- SoundBuffer -------------------------------------------------------------

SoundBuffer::SoundBuffer(std::shared_ptr<SoundMixerCore> mixer,
                         std::shared_ptr<SoundBufferState> state)
    : mixer_(std::move(mixer)), state_(std::move(state)) {}

SoundBuffer::~SoundBuffer() {
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    auto& list = mixer_->buffers;
    list.erase(std::remove(list.begin(), list.end(), state_), list.end());
}

bool SoundBuffer::Play(bool looping) {
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    if (state_->primary) {
        mixer_->outputPaused = false;
    } else {
        state_->playing = true;
        state_->looping = looping;
    }
    RecordSoundEvent(SoundEventKind::Start, state_->id, looping ? 1 : 0);
    return true;
}

bool SoundBuffer::Stop() {
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    if (state_->primary) {
        mixer_->outputPaused = true;
        RecordSoundEvent(SoundEventKind::Stop, state_->id, 0);
    } else {
        state_->playing = false;
        uint32_t bytes = uint32_t(state_->position >> 16) * FrameBytes(state_->format);
        RecordSoundEvent(SoundEventKind::Stop, state_->id, int32_t(bytes));
    }
    return true;
}

uint32_t SoundBuffer::GetStatus() const {
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    if (state_->primary)
        return mixer_->outputPaused ? 0 : kSoundStatusPlaying | kSoundStatusLooping;
    if (!state_->playing) return 0;
    return kSoundStatusPlaying | (state_->looping ? kSoundStatusLooping : 0);
}

bool SoundBuffer::GetCurrentPosition(uint32_t* play, uint32_t* write) const {
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    uint32_t bytes =
        state_->primary ? 0 : uint32_t(state_->position >> 16) * FrameBytes(state_->format);
    if (play) *play = bytes;
    if (write) *write = bytes;
    return true;
}

bool SoundBuffer::SetCurrentPosition(uint32_t byteOffset) {
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    if (state_->primary || byteOffset >= state_->data.size()) return false;
    // Only whole frames play: an offset inside a partial last frame is rounded
    // down to the last whole one.
    const uint32_t frame =
        std::min(byteOffset / FrameBytes(state_->format), state_->frameCount - 1);
    state_->position = uint64_t(frame) << 16;
    return true;
}

bool SoundBuffer::SetVolume(int32_t hundredthsOfDecibel) {
    if (hundredthsOfDecibel < kSoundVolumeMin || hundredthsOfDecibel > kSoundVolumeMax) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    state_->volume = hundredthsOfDecibel;
    RecordSoundEvent(SoundEventKind::Volume, state_->id, hundredthsOfDecibel);
    return true;
}

int32_t SoundBuffer::GetVolume() const {
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    return state_->volume;
}

bool SoundBuffer::SetPan(int32_t pan) {
    if (pan < kSoundPanLeft || pan > kSoundPanRight) return false;
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    state_->pan = pan;
    RecordSoundEvent(SoundEventKind::Pan, state_->id, pan);
    return true;
}

int32_t SoundBuffer::GetPan() const {
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    return state_->pan;
}

bool SoundBuffer::SetFrequency(uint32_t frequency) {
    if (frequency != kSoundFrequencyOriginal &&
        (frequency < kSoundFrequencyMin || frequency > kSoundFrequencyMax)) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    if (state_->primary) return false;
    state_->frequency = frequency;
    return true;
}

uint32_t SoundBuffer::GetFrequency() const {
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    return state_->frequency ? state_->frequency : state_->format.samplesPerSecond;
}

bool SoundBuffer::SetFormat(const WaveFormat& format) {
    if (!ValidPcm(format)) return false;
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    if (!state_->primary) return false;
    state_->format = format;
    return true;
}

bool SoundBuffer::Lock(uint32_t offset, uint32_t bytes, LockedRegion* region) {
    if (region == nullptr) return false;
    *region = {};
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    const uint32_t size = uint32_t(state_->data.size());
    if (state_->primary || offset >= size || bytes == 0) return false;
    bytes = std::min(bytes, size);
    region->first = state_->data.data() + offset;
    region->firstBytes = std::min(bytes, size - offset);
    if (region->firstBytes < bytes) {
        region->second = state_->data.data();
        region->secondBytes = bytes - region->firstBytes;
    }
    return true;
}

bool SoundBuffer::Unlock(const LockedRegion& region) {
    const uint8_t* begin = state_->data.data();
    const uint8_t* end = begin + state_->data.size();
    return region.first == nullptr || (region.first >= begin && region.first < end);
}

uint32_t SoundBuffer::Id() const {
    return state_->id;
}
bool SoundBuffer::IsPrimary() const {
    return state_->primary;
}

// --- SoundDevice -------------------------------------------------------------

std::unique_ptr<SoundDevice> SoundDevice::Create() {
    auto mixer = std::make_shared<SoundMixerCore>(kAudioRate);
    bool opened = CurrentBackend().OpenAudio(
        [mixer](int16_t* frames, int frameCount) { mixer->Mix(frames, frameCount); });
    if (!opened) return nullptr;
    std::unique_ptr<SoundDevice> device(new SoundDevice());
    device->mixer_ = std::move(mixer);
    return device;
}

SoundDevice::~SoundDevice() {
    CurrentBackend().CloseAudio();
}

bool SoundDevice::SetCooperativeLevel(Window*, uint32_t level) {
    return level >= kSoundCooperativeNormal && level <= 4;
}

SoundBufferHandle SoundDevice::CreateBuffer(const SoundBufferDesc& desc) {
    auto state = std::make_shared<SoundBufferState>();
    if (desc.flags & kSoundBufferPrimary) {
        if (desc.bytes != 0 || desc.format != nullptr) return nullptr;
        state->primary = true;
        state->id = 0;
        state->format = PcmFormat(2, uint32_t(mixer_->outputRate), 16);
    } else {
        if (desc.format == nullptr || !ValidPcm(*desc.format)) return nullptr;
        const uint32_t frameBytes = FrameBytes(*desc.format);
        if (desc.bytes < frameBytes || desc.bytes > kMaxBufferBytes) return nullptr;
        state->format = *desc.format;
        state->format.blockAlign = uint16_t(frameBytes);
        state->data.assign(desc.bytes, desc.format->bitsPerSample == 8 ? 0x80 : 0x00);
        state->frameCount = desc.bytes / frameBytes;
    }
    std::lock_guard<std::mutex> lock(mixer_->mutex);
    if (!state->primary) state->id = mixer_->nextId++;
    mixer_->buffers.push_back(state);
    return SoundBufferHandle(new SoundBuffer(mixer_, state));
}

}  // namespace plat
