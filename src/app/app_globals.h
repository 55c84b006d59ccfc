#pragma once
// Globals of start-up and of the main loop.

#include <cstdint>

extern char g_CdDrive;          // letter of the first CD-ROM drive ('Z' when there is none)
extern char g_ProgramDrive;     // first character of the program directory
extern uint32_t g_TickLength;   // milliseconds per game tick
extern int32_t g_LogoShown[2];  // flags of the start-logo sequence
extern uint32_t g_SavedAutoRun;

extern uint32_t g_NowTime;       // the clock value of this idle pass
extern uint32_t g_MusicTime;     // time of the last music start (set by the sound code)
extern uint32_t g_MusicElapsed;  // g_NowTime - g_MusicTime

// A mouse move over the view that the main frame swallowed because it came
// less than 250 ms after the last one; the idle pass replays it.
struct MouseMoveTimes {
    int32_t pending = 0;
    uint32_t time = 0;  // time of the last real mouse move
    uint32_t elapsed = 0;
};
extern MouseMoveTimes g_MouseMoveTime;

// 0; 1 = animation images changed; 2 = reported to the main frame.
extern int32_t g_AnimPending;
