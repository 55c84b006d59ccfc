#include "platform/compositor.h"

#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/png_writer.h"
#include "platform/screen.h"
#include "platform/screen_changes.h"
#include "platform/window.h"

namespace plat {

namespace {

constexpr uint8_t kBorderIndex = 0;  // window frames are black

struct CompositorState {
    Surface screen;     // composed
    Surface presented;  // as the back end shows it
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

bool Covers(const PaintItem& item, const Rect& area) {
    if (item.transparent || item.window == nullptr) return false;
    const Rect shown = Intersect(item.windowRect, item.clip);
    return shown.left <= area.left && shown.top <= area.top && shown.right >= area.right &&
           shown.bottom >= area.bottom;
}

// Whether a window whose surface changed can be seen: it is in the paint
// order and no single window above it covers all of its visible part.
bool CanBeSeen(const std::vector<PaintItem>& items, const Window* window) {
    const Rect screen{0, 0, GetScreenSize().width, GetScreenSize().height};
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].window != window || items[i].transparent) continue;
        const Rect visible = Intersect(Intersect(items[i].clientRect, items[i].clip), screen);
        if (visible.IsEmpty()) return false;
        for (size_t above = i + 1; above < items.size(); ++above) {
            if (Covers(items[above], visible)) return false;
        }
        return true;
    }
    return false;
}

// Takes what changed since the last look: true when the picture may differ.
bool PictureMayDiffer() {
    const ScreenChanges changes = TakeScreenChanges();
    if (changes.layout) return true;
    if (changes.surfaces.empty()) return false;
    const std::vector<PaintItem> items = WindowsInPaintOrder();
    for (const Window* window : changes.surfaces) {
        if (CanBeSeen(items, window)) return true;
    }
    return false;
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
    if (PictureMayDiffer()) state.pending = true;
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
    return PresentChanges();
}

bool PresentChanges() {
    CompositorState& state = State();
    TakeScreenChanged();
    state.pending = false;
    state.waiting = false;
    Compose(state.screen);
    const RgbTable& colours = ColoursToShow();
    if (!SystemPaletteCleared()) state.shownPaletteGeneration = SystemPaletteGeneration();
    const bool whole = !state.everPresented || colours != state.shown ||
                       state.presented.width != state.screen.width ||
                       state.presented.height != state.screen.height;
    std::vector<Rect> changed;
    if (whole) {
        changed.push_back({0, 0, state.screen.width, state.screen.height});
    } else {
        changed = ChangedRects(state.presented, state.screen);
        if (changed.empty()) return false;  // not a pixel differs
    }
    state.shown = colours;
    uint8_t rgb[256][3];
    for (size_t i = 0; i < 256; ++i) {
        for (size_t c = 0; c < 3; ++c) rgb[i][c] = state.shown[i][c];
    }
    std::swap(state.presented, state.screen);
    CurrentBackend().Present(state.presented, rgb, changed);
    state.lastPresent = CurrentBackend().Now();
    state.everPresented = true;
    return true;
}

void PresentNow() {
    PresentChanges();
}

bool WindowCovered(const Window* window) {
    const std::vector<PaintItem> items = WindowsInPaintOrder();
    const bool painted = std::any_of(items.begin(), items.end(), [&](const PaintItem& item) {
        return item.window == window && !item.transparent;
    });
    return painted && !CanBeSeen(items, window);
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
