#include "screens/panel/debug_window.h"

#include "platform/gdi.h"
#include "platform/window_class.h"

namespace {

constexpr std::string_view kBlanking = "XXXXXXXXXXXXXXXXXXXXXXXXX";
constexpr int32_t kWindowWidth = 200;
constexpr int32_t kDumpX = 5;
constexpr int32_t kDumpTop = 480;
constexpr int32_t kDumpStep = 20;

}  // namespace

void DEBUG_FENSTER::TextOutLine(int32_t x, int32_t y, std::string_view text) {
    if (!IsWindow()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    plat::TextOut(*dc, x, y, kBlanking);
    plat::TextOut(*dc, x, y, text);
}

bool& DebugWindowRequested() {
    static bool requested = false;
    return requested;
}

void RegisterDebugWindowClass() {
    plat::RegisterWindowClass("DEBUG_FENSTER", [] { return new DEBUG_FENSTER; });
}

DEBUG_FENSTER* CreateDebugWindow(plat::Size screen) {
    auto* window = new DEBUG_FENSTER;
    const int32_t left = screen.width - kWindowWidth;
    if (!window->Create(nullptr, {left, 0, screen.width, screen.height}, WS_POPUP | WS_BORDER,
                        WS_EX_TOPMOST, "DEBUG_FENSTER")) {
        delete window;
        return nullptr;
    }
    window->ShowWindow(SW_SHOWNA);
    return window;
}

void WriteDebugLines(std::initializer_list<std::string_view> lines) {
    if (g_pDebugWindow == nullptr) return;
    // The game's top-most windows are made after it: it comes back over them.
    g_pDebugWindow->BringWindowToTop();
    int32_t y = kDumpTop;
    for (std::string_view line : lines) {
        g_pDebugWindow->TextOutLine(kDumpX, y, line);
        y += kDumpStep;
    }
}
