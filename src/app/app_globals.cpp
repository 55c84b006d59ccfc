#include "app/app_globals.h"

#include "sound/sound_manager.h"

// Created at start-up with the main frame as its owner; null until then.
CSoundManager* g_pSound = nullptr;

char g_CdDrive = 'Z';
char g_ProgramDrive = 0;
uint32_t g_TickLength = 15000;
int32_t g_LogoShown[2] = {};
uint32_t g_SavedAutoRun = 0;

uint32_t g_NowTime = 0;
uint32_t g_MusicTime = 0;
uint32_t g_MusicElapsed = 0;
int32_t g_AnimPending = 0;
