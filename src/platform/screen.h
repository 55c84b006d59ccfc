#pragma once
// The virtual screen: its size, the start options that choose it, and what
// the drawing layer needs to compose the windows into it.

#include <functional>
#include <string>
#include <vector>

#include "platform/geometry.h"

namespace plat {

class Window;

// The screen size the game sees (the back end's ScreenSize).
Size GetScreenSize();

// Start options: "--screen WxH" (640x480, 800x600 or 1024x768, the default;
// a larger size is passed on so that the game can refuse it) and "--window"
// (a resizable window instead of full screen); "--help" (or "-h") asks for
// the list of options instead of a game.
struct LaunchOptions {
    Size screen{1024, 768};
    bool windowed = false;
    bool debug_window = false;  // --debug-window: a window of watched values
    bool help = false;
};
// The options, one per line, as "--help" prints them.
const char* LaunchOptionsHelp();
// False with a one-line message in `error` for an unknown option or size.
bool ParseLaunchOptions(int argc, const char* const* argv, LaunchOptions* options,
                        std::string* error);

// One visible window in paint order.
struct PaintItem {
    Window* window = nullptr;
    Rect windowRect;           // screen, border included
    Rect clientRect;           // screen
    Rect clip;                 // screen: the part not clipped away by parents or the screen
    bool border = false;       // WS_BORDER: a one-pixel frame between the two rectangles
    bool transparent = false;  // WS_EX_TRANSPARENT: not drawn at all
};
// Visible windows back to front: top-level windows in z-order (top-most band
// last, owned windows above their owners), each followed by its children
// (bottom child first, recursively).
std::vector<PaintItem> WindowsInPaintOrder();

// Set whenever the composed picture may have changed (a window shown,
// hidden, moved, destroyed or restacked, or a surface changed).
void MarkScreenChanged();
// Only the pixels of a visible window's surface changed, all of them or
// those in `area` (surface coordinates): the compositor presents when the
// window can be seen (not covered by windows above it), and composes and
// compares only the changed parts.
void MarkWindowSurfaceChanged(const Window* window, const Rect& area);
struct SurfaceChange {
    const Window* window = nullptr;
    Rect area;  // surface coordinates
};
// What changed since the last call, and clears it.
struct ScreenChanges {
    bool layout = false;                  // MarkScreenChanged
    std::vector<SurfaceChange> surfaces;  // MarkWindowSurfaceChanged
};
ScreenChanges TakeScreenChanges();
// Whether anything changed (either kind); clears it.
bool TakeScreenChanged();

// The drawing layer's compositor. The loop calls it once per turn, before
// waiting; it composes and presents when something changed.
using ScreenPresenter = std::function<void()>;
void SetScreenPresenter(ScreenPresenter presenter);
void PresentScreen();

}  // namespace plat
