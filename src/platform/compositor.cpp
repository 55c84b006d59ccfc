#include "platform/compositor.h"

#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/png_writer.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace plat {

namespace {

constexpr uint8_t kBorderIndex = 0;  // window frames are black

struct CompositorState {
    Surface screen;
    RgbTable shown{};
    bool everPresented = false;
    uint32_t lastPresent = 0;
    uint32_t shownPaletteGeneration = 0;
    bool pending = true;
    bool waiting = false;  // for a window's first paint
    uint32_t waitingSince = 0;
};

CompositorState& State() {
    static CompositorState state;
    return state;
}

void Fill(Surface& screen, Rect r, uint8_t value) {
    r = Intersect(r, {0, 0, screen.width, screen.height});
    for (int32_t y = r.top; y < r.bottom; ++y) {
        std::memset(screen.Row(y) + r.left, value, size_t(r.Width()));
    }
}

// Copies the part of a window's surface that lies inside `clip`.
void Paint(Surface& screen, const PaintItem& item) {
    const Surface& surface = item.window->GetSurface();
    Rect visible = Intersect(item.clientRect, item.clip);
    // A surface not yet grown to its window shows only what it has.
    visible = Intersect(
        visible, {item.clientRect.left, item.clientRect.top, item.clientRect.left + surface.width,
                  item.clientRect.top + surface.height});
    visible = Intersect(visible, {0, 0, screen.width, screen.height});
    if (visible.IsEmpty()) return;
    for (int32_t y = visible.top; y < visible.bottom; ++y) {
        const uint8_t* from =
            surface.Row(y - item.clientRect.top) + (visible.left - item.clientRect.left);
        std::memcpy(screen.Row(y) + visible.left, from, size_t(visible.Width()));
    }
}

void Compose(Surface& screen) {
    Size size = GetScreenSize();
    if (screen.width != size.width || screen.height != size.height) {
        screen.Resize(size.width, size.height);
    }
    Fill(screen, {0, 0, screen.width, screen.height}, 0);
    for (const PaintItem& item : WindowsInPaintOrder()) {
        if (item.transparent || item.window == nullptr) continue;
        if (item.border) Fill(screen, Intersect(item.windowRect, item.clip), kBorderIndex);
        Paint(screen, item);
    }
}

const RgbTable& ColoursToShow() {
    CompositorState& state = State();
    return SystemPaletteCleared() && state.everPresented ? state.shown : SystemPaletteRgb();
}

void Presenter() {
    PresentIfDue();
}

bool SomeWindowAwaitsFirstPaint() {
    for (const PaintItem& item : WindowsInPaintOrder()) {
        if (item.window != nullptr && !item.transparent && item.window->AwaitsFirstPaint()) {
            return true;
        }
    }
    return false;
}

}  // namespace

int32_t ScreenWidth() {
    return GetScreenSize().width;
}
int32_t ScreenHeight() {
    return GetScreenSize().height;
}

void InstallCompositor() {
    SetScreenPresenter(&Presenter);
}

bool PresentIfDue() {
    CompositorState& state = State();
    if (TakeScreenChanged()) state.pending = true;
    if (!SystemPaletteCleared() && SystemPaletteGeneration() != state.shownPaletteGeneration) {
        state.pending = true;
    }
    if (!state.pending) return false;
    uint32_t now = CurrentBackend().Now();
    if (state.everPresented && now - state.lastPresent < kPresentIntervalMs) return false;
    if (SomeWindowAwaitsFirstPaint()) {
        if (!state.waiting) {
            state.waiting = true;
            state.waitingSince = now;
        }
        if (now - state.waitingSince < kFirstPaintWaitMs) return false;
    }
    PresentNow();
    return true;
}

void PresentNow() {
    CompositorState& state = State();
    TakeScreenChanged();
    Compose(state.screen);
    state.shown = ColoursToShow();
    if (!SystemPaletteCleared()) state.shownPaletteGeneration = SystemPaletteGeneration();
    uint8_t rgb[256][3];
    for (size_t i = 0; i < 256; ++i) {
        for (size_t c = 0; c < 3; ++c) rgb[i][c] = state.shown[i][c];
    }
    CurrentBackend().Present(state.screen, rgb);
    state.lastPresent = CurrentBackend().Now();
    state.everPresented = true;
    state.pending = false;
    state.waiting = false;
}

const Surface& ComposeScreen() {
    Compose(State().screen);
    return State().screen;
}

uint8_t ScreenPixel(int32_t x, int32_t y) {
    const Surface& screen = ComposeScreen();
    if (x < 0 || y < 0 || x >= screen.width || y >= screen.height) return 0;
    return screen.Row(y)[x];
}

const RgbTable& PresentedColours() {
    return State().shown;
}

bool SaveScreenPng(const std::string& hostPath) {
    return WritePng(hostPath, ComposeScreen(), ColoursToShow());
}

void ResetCompositor() {
    State() = CompositorState{};
}

}  // namespace plat
