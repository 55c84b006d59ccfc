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
        Halt();
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
        Halt();
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
            Halt();
            return false;
        }
        offsetMs_ = 0;
        if (offsetMs > 0 && Mix_SetMusicPosition(offsetMs / 1000.0) == 0) offsetMs_ = offsetMs;
        startedAt_ = SDL_GetTicks();
        return true;
    }

    void Halt() override {
        if (music_ == nullptr) return;
        Mix_HaltMusic();
        Mix_FreeMusic(music_);
        music_ = nullptr;
    }

    uint32_t PositionMs() override {
        if (music_ == nullptr) return 0;
        double seconds = Mix_GetMusicPosition(music_);
        if (seconds >= 0.0) return uint32_t(std::lround(seconds * 1000.0));
        return offsetMs_ + (SDL_GetTicks() - startedAt_);
    }

    bool Finished() override { return music_ != nullptr && Mix_PlayingMusic() == 0; }

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

    void Scan() { files_ = FindMusicTracks(MusicFolder()); }

    const std::string* PathOf(int32_t track) const {
        for (const MusicTrackFile& file : files_) {
            if (file.track == track) return &file.path;
        }
        return nullptr;
    }

    std::vector<MusicTrackFile> files_;
    Mix_Music* music_ = nullptr;
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
