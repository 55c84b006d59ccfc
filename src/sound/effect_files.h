#pragma once
// The names of the sound effect files in the sound folder.

#include <cstdint>
#include <string>

// "<sound folder>\fx_<n>_1.wav", for effect 30 "<sound folder>\fx_30.wav".
std::string EffectFileName(int32_t effect);

// The text of the missing-sound box for a file name (Windows-1252).
std::string MissingSoundText(const std::string& name);
