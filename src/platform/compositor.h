#pragma once
// The composed screen: every visible window's retained surface painted into
// the 8-bit virtual screen in z-order (top-most windows over the rest,
// children over their parents and clipped to them), then shown by the back
// end through a 256-entry RGB lookup of the system palette.
//
// Presenting happens at most once per display refresh and only when
// something changed (a window drew, appeared, moved or went away, or the
// system palette changed). The loop asks for it once per turn; GdiFlush asks
// for it after drawing. After the system palette was cleared to black (before
// an image load) the screen keeps its previous colours until the next
// foreground realize, so no black flash is shown.

#include <cstdint>
#include <string>

#include "platform/palette.h"
#include "platform/surface.h"

namespace plat {

class Window;

// The shortest time between two presents (one refresh at 60 Hz).
constexpr uint32_t kPresentIntervalMs = 16;

int32_t ScreenWidth();
int32_t ScreenHeight();

// Makes the compositor the loop's presenter. Called by the drawing calls
// that need it; the program may call it at start-up.
void InstallCompositor();

// Presents when something changed and a refresh has passed since the last
// present. Returns whether it presented: only what differs from the last
// present is passed on (the whole screen after a palette change or a new
// size), and a frame in which no pixel differs presents nothing. While a window just shown awaits
// its first paint (a screen drawn, its buttons not yet) the present waits for it, so that no
// half-drawn screen is seen; at most kFirstPaintWaitMs, so that long work that draws without
// letting the windows paint still shows.
bool PresentIfDue();
constexpr uint32_t kFirstPaintWaitMs = 250;
// Composes and presents now what differs; returns whether anything did.
bool PresentChanges();
// The same, for callers that do not ask.
void PresentNow();

// The screen composed from the windows as they are now (for tests and
// screenshots); pixel values are system palette indices.
const Surface& ComposeScreen();
// One pixel of the freshly composed screen (0 outside).
uint8_t ScreenPixel(int32_t x, int32_t y);
// The colours the last present showed.
const RgbTable& PresentedColours();
// Writes the freshly composed screen as an indexed PNG with the system
// palette's colours. False when the file cannot be written.
bool SaveScreenPng(const std::string& hostPath);

// Whether a visible window is hidden by the windows above it (one of them
// covers all of it). False for a window that is not shown at all.
bool WindowCovered(const Window* window);

// Forgets the last present (time and colours); for tests.
void ResetCompositor();

}  // namespace plat
