#pragma once
// The host's music device: the ripped CD tracks of the music folder
// ("trackNN.ogg", ".flac" or ".wav", see plat::MusicFolder) played through
// SDL2_mixer's music stream, which decodes all three. The mixer's own audio
// output opens on first use; without an audio device or without tracks the
// device lists no tracks, so opening the CD-audio device fails and the game
// runs without music.
//
// The SDL back end hands it out from Backend::Music:
//   MusicDevice* Music() override { return music_.get(); }
//   std::unique_ptr<MusicDevice> music_ = CreateSdlMusicDevice();

#include <memory>

#include "platform/music.h"

namespace plat {

std::unique_ptr<MusicDevice> CreateSdlMusicDevice();

}  // namespace plat
