#include "sound/sound_manager.h"

// Created at start-up with the main frame as its owner; null until then.
CSoundManager* g_pSound = nullptr;
