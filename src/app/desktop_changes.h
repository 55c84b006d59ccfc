#pragma once
// The two changes the program makes to the user's desktop while the main
// frame lives: the taskbar goes to the bottom of the z-order and CD autorun
// is switched off. The main frame undoes both when it is destroyed.

// WM_CREATE of the main frame: remembers the taskbar state and lowers it.
void HideTaskbar();
// Destruction of the main frame: makes the taskbar topmost again when it was
// "always on top".
void RestoreTaskbar();
// Construction of the main frame: saves "NoDriveTypeAutoRun" and sets it to
// 255; when it is missing, 149 is remembered and the value left alone.
void DisableAutoRun();
// Destruction of the main frame: writes the remembered value back (creating
// it when it was missing).
void RestoreAutoRun();
