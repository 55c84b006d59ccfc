#pragma once
// The sounds the simulation plays. The frame installs the real sound manager
// while one exists; otherwise Sounds() answers with a silent one.

#include <cstdint>

class SoundEvents {
  public:
    SoundEvents() = default;
    // An installed object that goes away puts the silent one back.
    virtual ~SoundEvents();
    SoundEvents(const SoundEvents&) = delete;
    SoundEvents& operator=(const SoundEvents&) = delete;

    // Plays sound effect 2..39 on a channel with a stereo pan.
    virtual void PlayEffect(int32_t /*effect*/, int32_t /*channel*/, int32_t /*pan*/) {}
    // Whether an in-game music track is playing (the title's are not).
    virtual bool InGameMusicPlaying() { return false; }
};

// The installed sound manager, or the silent one.
SoundEvents& Sounds();
// Installs `sound` (until its destruction); null puts the silent one back.
void InstallSoundEvents(SoundEvents* sound);
