#pragma once
// Globals of start-up and of the main loop.

#include <cstdint>

#include "state/view_events.h"  // g_MouseMoveTime

extern char g_CdDrive;          // letter of the first CD-ROM drive ('Z' when there is none)
extern char g_ProgramDrive;     // first character of the program directory
extern uint32_t g_TickLength;   // milliseconds per game tick
extern int32_t g_LogoShown[2];  // flags of the start-logo sequence
extern uint32_t g_SavedAutoRun;

extern uint32_t g_NowTime;       // the clock value of this idle pass
extern uint32_t g_MusicTime;     // time of the last music start (set by the sound code)
extern uint32_t g_MusicElapsed;  // g_NowTime - g_MusicTime

// 0; 1 = animation images changed; 2 = reported to the main frame.
extern int32_t g_AnimPending;
