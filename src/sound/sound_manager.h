#pragma once
// CSoundManager: the program's one sound object (g_pSound). It plays the
// numbered sound effects 2..39 on six channels and runs the CD-audio music.
//
// Effects: one static buffer per effect, read at construction from the sound
// folder ("fx_<n>_1.wav", effect 30 "fx_30.wav"). A request names the effect,
// a channel and a stereo pan; the channel decides the option that switches
// it, whether the world view's zoom lowers its volume and whether a busy slot
// drops the request:
//   0 construction   opt_ambient_sounds  zoom volume  takes the slot anyway
//   1 vehicles       opt_vehicle_sounds  zoom volume  dropped (slot 2 is its overflow)
//   3 surroundings   opt_ambient_sounds  zoom volume  dropped
//   4 animations     opt_ambient_sounds  zoom volume  dropped
//   5 announcements  opt_ambient_sounds  full volume  takes the slot anyway
// At zoom 16, and while no world view exists, only channel 5 is heard.
//
// Music: CD tracks through the cdaudio-like device. Track 2 is the title
// music, 3 the production screen's, 4 the sales screens'; the game music is
// a 48-step playlist of tracks 5..16 with a pause of 15..30 s between tracks
// (the main frame sets `music_wait` when a game track has ended, the main
// loop calls OnMusicNotify once the wait has passed).
//
// The program creates one manager with the main frame at start-up and
// deletes it at the end. It answers the simulation's sound hooks itself
// (the frame installs it with SetSoundManager). The default constructor makes a manager without
// devices (every effect call does nothing, the music is bookkeeping only).

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/music.h"
#include "platform/sound.h"

#include "state/sound_events.h"

namespace plat {
class Window;
}

class CSoundManager : public SoundEvents {
  public:
    static constexpr int32_t kFirstEffect = 2;
    static constexpr int32_t kLastEffect = 39;
    static constexpr int32_t kEffectCount = kLastEffect - kFirstEffect + 1;
    static constexpr int32_t kChannelCount = 6;
    static constexpr int32_t kPlaylistLength = 48;
    static constexpr int32_t kTitleTrack = 2;
    static constexpr int32_t kProductionTrack = 3;
    static constexpr int32_t kSalesTrack = 4;
    static constexpr int32_t kFirstGameTrack = 5;
    static constexpr int32_t kLastPlayableTrack = 16;
    // `music_wait` values besides a wait in milliseconds.
    static constexpr int32_t kMusicReady = -1;
    static constexpr int32_t kMusicStopped = -2;

    CSoundManager();
    // Opens the sound device (when the settings switch sound on and the host
    // has audio), loads the effects and opens the CD-audio device, which
    // notifies `mainWindow`.
    explicit CSoundManager(plat::Window* mainWindow);
    ~CSoundManager() override;
    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;

    // --- Effects (sound_manager.cpp, effect_files.cpp) --------------------
    // Reads a wave file into a new static buffer. While the file cannot be
    // opened the player is asked to retry; on Cancel the manager gives up all
    // its devices, the frame is told to abort, and false comes back. A file
    // that opens but holds no usable samples leaves *buffer null (true).
    bool LoadWav(const std::string& name, plat::SoundBufferHandle* buffer);
    // Plays effect 2..39 on channel 0..5 with a pan of -10000..10000.
    void PlayEffect(int32_t effect, int32_t channel, int32_t pan) override;
    // Stops the effects in the channel slots (keeping their positions) and
    // mutes the output until ResumeEffects.
    virtual void StopEffects();
    virtual void ResumeEffects();

    // --- Music (cd_music.cpp) -----------------------------------------------
    bool OpenCdAudio();
    // Plays on from the paused position (only when paused).
    virtual void ResumeMusic();
    virtual void PauseMusic();
    // Starts the next piece: the next playlist track, or the screen's track again.
    virtual void OnMusicNotify();
    virtual void PlayTitleMusic();
    virtual void StopMusic();
    void PlayProductionMusic();
    void PlaySalesMusic();
    void PlaySalesMusicIfIdle();
    // Selects the next playlist entry and stops the screen music; the stop's
    // notification brings the game music back.
    void NextPlaylistTrack();

    // --- Ambient sounds (ambient_sounds.cpp) ------------------------------
    // Now and then a sound of the visible world: the season, a mill, a town.
    virtual void PlayAmbientSounds();

    // An in-game playlist track is selected (the title's and the screens'
    // tracks are not).
    bool InGameMusicPlaying() override { return current_track >= kFirstGameTrack; }

    // The buffer of an effect, or null.
    plat::SoundBuffer* Effect(int32_t effect) const;

    std::array<uint8_t, kPlaylistLength> playlist{};
    int32_t playlist_pos = 0;
    // -1 ready or playing, -2 stopped by the title screen, > 0 the wait in ms
    // before the next game track.
    int32_t music_wait = kMusicStopped;
    plat::Window* main_window = nullptr;
    plat::SoundDeviceHandle direct_sound;
    plat::SoundBufferHandle primary;
    std::array<plat::SoundBufferHandle, kEffectCount> effects;
    int32_t ready = 0;  // 1 while the sound device works
    int32_t muted = 0;  // 1 between StopEffects and ResumeEffects
    plat::CdAudioDevice cd_device;
    int32_t music_playing = 0;  // 1 while the music counts as running
    int32_t current_track = 6;  // CD track selected: 2, 3, 4 or a playlist entry
    std::array<int32_t, kChannelCount> channel_slots{};  // effect per channel, -1 none

  private:
    void FillPlaylist();
    void OpenSoundDevice();
    void LoadEffects();
    // Gives up every device after Cancel in the missing-sound box.
    void ReleaseDevices();
    void StopAndReleaseBuffers();
    void FreeSlotsOfEndedEffects();
    void StartInSlot(int32_t slot, int32_t effect, int32_t volume, int32_t pan);
    // Plays `current_track` to its end (from its start, or from where it
    // paused) and asks for the notification.
    void PlayTrackFromStart();
    void PlayTrackOn();

    bool released_ = false;  // true after Cancel in the missing-sound box
};

extern CSoundManager* g_pSound;
