#include "platform/random.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"

namespace {

bool MusicOn() {
    return g_pGameState != nullptr && g_pGameState->opt_music == 1;
}

uint32_t TrackStart(int32_t track) {
    return plat::MakeTmsf(uint32_t(track));
}

}  // namespace

bool CSoundManager::OpenCdAudio() {
    music_playing = 0;
    if (cd_device.Open() != plat::kMciOk) return false;
    cd_device.SetTimeFormat(plat::kMciFormatTmsf);
    return true;
}

void CSoundManager::PlayTrackFromStart() {
    cd_device.Play(TrackStart(current_track), TrackStart(current_track + 1), main_window);
}

void CSoundManager::PlayTrackOn() {
    cd_device.Play(std::nullopt, TrackStart(current_track + 1), main_window);
}

void CSoundManager::ResumeMusic() {
    if (music_playing != 0) return;
    music_playing = 1;
    if (MusicOn() && music_wait == kMusicReady) PlayTrackOn();
}

void CSoundManager::PauseMusic() {
    if (music_playing != 1) return;
    cd_device.Pause();
    music_playing = 0;
}

void CSoundManager::OnMusicNotify() {
    if (music_playing != 1) return;
    // The title, production and sales tracks repeat; the game music goes on
    // with the playlist.
    if (current_track >= kFirstGameTrack) {
        playlist_pos = (playlist_pos + 1) % kPlaylistLength;
        current_track = playlist[size_t(playlist_pos)];
    }
    music_wait = kMusicReady;
    if (MusicOn() && current_track <= kLastPlayableTrack) {
        PlayTrackFromStart();
        music_playing = 1;
    }
}

void CSoundManager::PlayTitleMusic() {
    current_track = kTitleTrack;
    music_wait = kMusicReady;
    music_playing = 1;
    PlayTrackFromStart();  // whatever the music option says
}

void CSoundManager::StopMusic() {
    current_track = 6;
    music_wait = kMusicStopped;
    cd_device.Stop();
    music_playing = 0;
}

void CSoundManager::PlayProductionMusic() {
    music_wait = kMusicReady;
    music_playing = 1;
    current_track = kProductionTrack;
    if (MusicOn()) PlayTrackFromStart();
}

void CSoundManager::PlaySalesMusic() {
    music_wait = kMusicReady;
    music_playing = 1;
    current_track = kSalesTrack;
    if (MusicOn()) PlayTrackFromStart();
}

void CSoundManager::PlaySalesMusicIfIdle() {
    if (music_playing != 0) return;
    music_playing = 1;
    if (MusicOn()) cd_device.Play(std::nullopt, TrackStart(kSalesTrack + 1), main_window);
}

void CSoundManager::NextPlaylistTrack() {
    // The next entry is selected; the stop's notification finds a game track
    // and lets the main frame set the wait, after which OnMusicNotify moves
    // on once more and plays the entry after it.
    playlist_pos = (playlist_pos + 1) % kPlaylistLength;
    current_track = playlist[size_t(playlist_pos)];
    cd_device.Stop(main_window);
}
