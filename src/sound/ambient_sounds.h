#pragma once
// The ambient sounds' counter of passed random gates: one sound decision is
// made per 100 (CSoundManager::PlayAmbientSounds).

#include <cstdint>

extern int32_t g_AmbientCounter;
