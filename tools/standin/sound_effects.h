#pragma once
// The sound effects 2..39 of the "fx" folder: short synthesised sounds, one
// for each use (a thud for building, a noise burst for demolition, engine
// hums by vehicle group, town murmur, mill sounds, animation clicks, a chime
// for news, birds, wind and rain per season), written as canonical 44-byte
// header RIFF WAVE files of 8-bit mono PCM at 11,025 Hz.

#include <cstdint>
#include <vector>

#include "standin.h"

namespace standin {

// "fx/fx_<n>_1.wav" for n = 2..39, except "fx/fx_30.wav".
void AddSoundEffectFiles(std::vector<FileRecipe>& files);

// The bytes of effect n's file.
std::vector<uint8_t> MakeSoundEffect(int effect);

// A canonical wave file around 8-bit mono samples at 11,025 Hz.
std::vector<uint8_t> WaveFile(const std::vector<uint8_t>& samples);

}  // namespace standin
