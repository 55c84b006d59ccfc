#pragma once
// The sound manager as the game state and the main loop use it. The sound
// subsystem owns this class and completes it (the operations are declared
// abstract only until it exists); until then g_pSound stays null and every
// call is skipped. It answers the simulation's sound hooks itself (the frame
// installs it with SetSoundManager).

#include <cstdint>

#include "state/sound_events.h"

class CSoundManager : public SoundEvents {
  public:
    // Plays sound effect 2..39 on a channel.
    void PlayEffect(int32_t effect, int32_t channel, int32_t pan) override = 0;
    // Advances the playlist and plays the next in-game CD track.
    virtual void OnMusicNotify() = 0;
    virtual void ResumeEffects() = 0;
    // Plays the ambient sounds of the visible world.
    virtual void PlayAmbientSounds() = 0;

    // Used by the main frame and the full screens; the sound subsystem
    // gives them their effect (until then they do nothing).
    // Stops every effect and mutes the rest until ResumeEffects.
    virtual void StopEffects() {}
    // Pauses the CD music / plays on from where it was paused.
    virtual void PauseMusic() {}
    virtual void ResumeMusic() {}
    // The title screen's music: played on each paint, stopped when it closes.
    virtual void PlayTitleMusic() {}
    virtual void StopMusic() {}

    int32_t music_wait = 0;     // next-track delay in ms; music starts only when above 0
    int32_t music_playing = 0;  // music allowed
    int32_t current_track = 0;  // CD track playing; 5 and above are in-game tracks

    bool InGameMusicPlaying() override { return current_track >= 5; }
};

extern CSoundManager* g_pSound;
