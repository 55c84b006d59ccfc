#include "sound/sound_manager.h"

#include "gfx/picture_load.h"
#include "platform/random.h"
#include "sound/sound_view.h"
#include "state/game_state.h"
#include "state/world_images.h"

namespace {

constexpr uint8_t kPlaylist[CSoundManager::kPlaylistLength] = {
    5, 6, 7,  8, 9,  10, 11, 12, 13, 14, 15, 16,  //
    7, 9, 5,  8, 6,  11, 13, 10, 16, 15, 14, 12,  //
    8, 5, 10, 9, 7,  13, 6,  15, 12, 16, 11, 14,  //
    6, 8, 15, 6, 12, 7,  13, 11, 14, 10, 16, 9,
};

constexpr int32_t kVehicleSlot = 1;
constexpr int32_t kVehicleOverflowSlot = 2;
constexpr int32_t kAnnouncementChannel = 5;
constexpr int32_t kOverviewZoom = 16;
constexpr int32_t kAttenuationPerHalfZoom = -800;

// The picture loaders pause and resume the music through these while a
// manager with devices exists.
void PauseMusicHook() {
    if (g_pSound != nullptr) g_pSound->PauseMusic();
}
void ResumeMusicHook() {
    if (g_pSound != nullptr) g_pSound->ResumeMusic();
}

bool OptionOn(int32_t CGameState::*option) {
    return g_pGameState != nullptr && g_pGameState->*option == 1;
}

}  // namespace

CSoundManager::CSoundManager() {
    FillPlaylist();
    channel_slots.fill(-1);
}

CSoundManager::CSoundManager(plat::Window* mainWindow) : CSoundManager() {
    main_window = mainWindow;
    playlist_pos = plat::Rand() % kPlaylistLength;
    if (g_pGameState != nullptr && g_pGameState->sound_enabled == 1) OpenSoundDevice();
    if (ready == 1) LoadEffects();
    if (!released_) OpenCdAudio();
    GetPictureLoadHooks().pause_cd_music = &PauseMusicHook;
    GetWorldImageHooks().resume_music = &ResumeMusicHook;
}

CSoundManager::~CSoundManager() {
    if (GetPictureLoadHooks().pause_cd_music == &PauseMusicHook) {
        GetPictureLoadHooks().pause_cd_music = nullptr;
    }
    if (GetWorldImageHooks().resume_music == &ResumeMusicHook) {
        GetWorldImageHooks().resume_music = nullptr;
    }
    if (ready == 1) StopAndReleaseBuffers();
    cd_device.Close();
}

void CSoundManager::FillPlaylist() {
    for (int32_t i = 0; i < kPlaylistLength; ++i) playlist[size_t(i)] = kPlaylist[i];
}

void CSoundManager::OpenSoundDevice() {
    direct_sound = plat::SoundDevice::Create();
    if (!direct_sound) return;
    direct_sound->SetCooperativeLevel(main_window, plat::kSoundCooperativePriority);
    ready = 1;
    primary = direct_sound->CreateBuffer({plat::kSoundBufferPrimary, 0, nullptr});
    if (!primary) {
        ready = 0;
        direct_sound.reset();
        return;
    }
    primary->SetFormat(plat::PcmFormat(2, 11025, 8));
    primary->Play(true);
}

void CSoundManager::StopAndReleaseBuffers() {
    if (primary) primary->Stop();
    for (plat::SoundBufferHandle& effect : effects) {
        if (effect) effect->Stop();
    }
    primary.reset();
    for (plat::SoundBufferHandle& effect : effects) effect.reset();
    direct_sound.reset();
}

void CSoundManager::ReleaseDevices() {
    StopAndReleaseBuffers();
    cd_device.Close();
    ready = 0;
    released_ = true;
    channel_slots.fill(-1);
}

plat::SoundBuffer* CSoundManager::Effect(int32_t effect) const {
    if (effect < kFirstEffect || effect > kLastEffect) return nullptr;
    return effects[size_t(effect - kFirstEffect)].get();
}

void CSoundManager::FreeSlotsOfEndedEffects() {
    for (int32_t& slot : channel_slots) {
        if (slot == -1) continue;
        const plat::SoundBuffer* buffer = Effect(slot);
        if (buffer == nullptr || (buffer->GetStatus() & plat::kSoundStatusPlaying) == 0) slot = -1;
    }
}

void CSoundManager::StartInSlot(int32_t slot, int32_t effect, int32_t volume, int32_t pan) {
    plat::SoundBuffer* buffer = Effect(effect);
    channel_slots[size_t(slot)] = effect;
    buffer->SetVolume(volume);
    buffer->SetPan(pan);
    buffer->Play(false);
}

void CSoundManager::PlayEffect(int32_t effect, int32_t channel, int32_t pan) {
    if (ready != 1) return;
    FreeSlotsOfEndedEffects();
    const bool exists = Effect(effect) != nullptr;
    const bool ambient = OptionOn(&CGameState::opt_ambient_sounds);
    if (channel == kAnnouncementChannel) {
        if (ambient && muted == 0 && exists) {
            StartInSlot(kAnnouncementChannel, effect, plat::kSoundVolumeMax, pan);
        }
        return;
    }
    // Map sounds need a map to be heard on, and none is heard from the overview.
    const int32_t zoom = sound_view::Zoom();
    if (zoom == 0 || zoom == kOverviewZoom || muted != 0 || !exists) return;
    const int32_t volume = kAttenuationPerHalfZoom * (zoom / 2);
    auto free = [this](int32_t slot) { return channel_slots[size_t(slot)] == -1; };
    switch (channel) {
        case 0:
            if (ambient) StartInSlot(0, effect, volume, pan);
            break;
        case 1:
            if (!OptionOn(&CGameState::opt_vehicle_sounds)) break;
            if (free(kVehicleSlot)) {
                StartInSlot(kVehicleSlot, effect, volume, pan);
            } else if (free(kVehicleOverflowSlot) &&
                       channel_slots[size_t(kVehicleSlot)] != effect) {
                StartInSlot(kVehicleOverflowSlot, effect, volume, pan);
            }
            break;
        case 3:
        case 4:
            if (ambient && free(channel)) StartInSlot(channel, effect, volume, pan);
            break;
        default:  // channel 2 is only channel 1's overflow
            break;
    }
}

void CSoundManager::StopEffects() {
    if (ready != 1) return;
    for (int32_t& slot : channel_slots) {
        if (slot == -1) continue;
        if (plat::SoundBuffer* buffer = Effect(slot)) buffer->Stop();
        slot = -1;
    }
    primary->Stop();
    muted = 1;
}

void CSoundManager::ResumeEffects() {
    muted = 0;
    if (ready == 1) primary->Play(true);
}
