#pragma once
// DEBUG_FENSTER: a plain window for watching values while the world view
// runs. It exists only when the program was started with --debug-window (a
// top-level window along the right screen edge); while g_pDebugWindow points
// at it, the view's picking writes its values into it. It has no effect on
// the game.

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "platform/geometry.h"
#include "platform/window.h"

class DEBUG_FENSTER : public plat::Window {
  public:
    // Blanks 25 characters at (x, y) with the built-in font, then writes the
    // whole text there: a longer text written before keeps its tail.
    void TextOutLine(int32_t x, int32_t y, std::string_view text);
};

inline DEBUG_FENSTER* g_pDebugWindow = nullptr;

// Whether the launch option asked for the window (set before start-up).
bool& DebugWindowRequested();
// Registers the class name "DEBUG_FENSTER".
void RegisterDebugWindowClass();
// The window along the right edge of a screen of `screen` size, shown
// without taking the focus; null when it could not be made.
DEBUG_FENSTER* CreateDebugWindow(plat::Size screen);
// Writes the lines one under another at x 5 from y 480, 20 apart; nothing
// without the window.
void WriteDebugLines(std::initializer_list<std::string_view> lines);
