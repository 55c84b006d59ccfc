#pragma once
// Mouse, cursor and keyboard state as the game's windows see it.
//
// Mouse messages carry client coordinates of their window and MK_ flags.
// The window under the cursor gets them, unless a window holds the capture:
// then it gets all of them, with client coordinates that may lie outside it
// (negative too). A second button press within kDoubleClickMs and
// kDoubleClickDistance pixels on the same window arrives as ..BUTTONDBLCLK
// when the window's class has CS_DBLCLKS; a third press is a plain one again.
// Keys go to the focus window (the main window when none has the focus).
// Showing or clicking a top-level window brings it to the front and gives it
// the focus.

#include <cstdint>

#include "platform/geometry.h"
#include "platform/messages.h"

namespace plat {

class Window;

inline constexpr uint32_t kDoubleClickMs = 500;
inline constexpr int32_t kDoubleClickDistance = 2;  // at most this far in x and in y

// Cursor position in screen coordinates (the latest the host reported, or
// the one set here).
Point GetCursorPos();
// Moves the cursor (kept inside the clip rectangle); a mouse move follows.
void SetCursorPos(Point screen);
// Confines the cursor to a screen rectangle (moving it inside at once);
// nullptr frees it.
void ClipCursor(const Rect* screenRect);
// The confinement, or false when the cursor is free.
bool GetClipCursor(Rect* screenRect);

Window* SetCapture(Window* window);  // returns the previous capture window
bool ReleaseCapture();
Window* GetCapture();

// The cursor shape; returns the previous one.
CursorId SetCursor(CursorId cursor);
CursorId GetCursor();
// Display counter as on the original system: the cursor shows while it is
// >= 0 (it starts at 0). Returns the new count.
int32_t ShowCursor(bool show);

Window* SetFocus(Window* window);  // returns the window that had it
Window* GetFocus();

// Key state as of the last input message taken from the queue: bit 15 set
// while the key is down (the value is negative), bit 0 toggles with each press.
// Works for VK_SHIFT, VK_CONTROL, VK_MENU, VK_LBUTTON, VK_RBUTTON and keys.
int16_t GetKeyState(int32_t virtualKey);
inline bool IsKeyDown(int32_t virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

// The deepest visible window at a screen point (children of the top-most
// window under it first); nullptr over the bare screen.
Window* WindowFromPoint(Point screen);

}  // namespace plat
