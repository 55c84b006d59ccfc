#include "platform/sdl/sdl_music.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <string>
#include <vector>

namespace plat {

namespace {

constexpr int kMixerRate = 44100;
constexpr int kMixerChunkFrames = 2048;

class SdlMusic final : public MusicDevice {
  public:
    ~SdlMusic() override {
        Unload();
        if (mixerOpen_) Mix_CloseAudio();
    }

    std::vector<int32_t> Tracks() override {
        Scan();
        std::vector<int32_t> numbers;
        if (files_.empty() || !OpenMixer()) return numbers;
        for (const MusicTrackFile& file : files_) numbers.push_back(file.track);
        return numbers;
    }

    bool Start(int32_t track, uint32_t offsetMs) override {
        // Going on after a pause resumes the stream where it stood: not
        // every format can seek.
        if (paused_ && track == track_ && Near(offsetMs, pausedAt_)) {
            Mix_ResumeMusic();
            paused_ = false;
            return true;
        }
        Unload();
        if (!OpenMixer()) return false;
        const std::string* path = PathOf(track);
        if (path == nullptr) {
            Scan();
            path = PathOf(track);
        }
        if (path == nullptr) return false;
        music_ = Mix_LoadMUS(path->c_str());
        if (music_ == nullptr) return false;
        if (Mix_PlayMusic(music_, 0) != 0) {
            Unload();
            return false;
        }
        track_ = track;
        offsetMs_ = 0;
        if (offsetMs > 0 && Mix_SetMusicPosition(offsetMs / 1000.0) == 0) offsetMs_ = offsetMs;
        startedAt_ = SDL_GetTicks();
        return true;
    }

    void Halt() override {
        if (music_ == nullptr || paused_) return;
        pausedAt_ = PositionMs();
        Mix_PauseMusic();
        paused_ = true;
    }

    uint32_t PositionMs() override {
        if (music_ == nullptr) return 0;
        if (paused_) return pausedAt_;
        double seconds = Mix_GetMusicPosition(music_);
        if (seconds >= 0.0) return uint32_t(std::lround(seconds * 1000.0));
        return offsetMs_ + (SDL_GetTicks() - startedAt_);
    }

    bool Finished() override { return music_ != nullptr && !paused_ && Mix_PlayingMusic() == 0; }

  private:
    bool OpenMixer() {
        if (mixerOpen_) return true;
        if (mixerFailed_) return false;
        Mix_Init(MIX_INIT_OGG | MIX_INIT_FLAC);
        if (Mix_OpenAudio(kMixerRate, AUDIO_S16SYS, 2, kMixerChunkFrames) != 0) {
            mixerFailed_ = true;
            return false;
        }
        mixerOpen_ = true;
        return true;
    }

    static bool Near(uint32_t a, uint32_t b) { return (a > b ? a - b : b - a) <= 250; }

    void Unload() {
        if (music_ == nullptr) return;
        Mix_HaltMusic();
        Mix_FreeMusic(music_);
        music_ = nullptr;
        paused_ = false;
    }

    void Scan() { files_ = FindMusicTracks(MusicFolder()); }

    const std::string* PathOf(int32_t track) const {
        for (const MusicTrackFile& file : files_) {
            if (file.track == track) return &file.path;
        }
        return nullptr;
    }

    std::vector<MusicTrackFile> files_;
    Mix_Music* music_ = nullptr;
    int32_t track_ = 0;
    bool paused_ = false;
    uint32_t pausedAt_ = 0;
    bool mixerOpen_ = false;
    bool mixerFailed_ = false;
    uint32_t offsetMs_ = 0;
    uint32_t startedAt_ = 0;
};

}  // namespace

std::unique_ptr<MusicDevice> CreateSdlMusicDevice() {
    return std::make_unique<SdlMusic>();
}

}  // namespace plat
