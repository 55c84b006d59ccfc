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
    // Where the composed picture may differ from the windows since the last
    // compose: all of it, or the changed parts of visible windows.
    bool wholeDue = true;
    std::vector<Rect> areasDue;
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

// Copies the part of a window's surface that lies inside its clip and `area`.
void Paint(Surface& screen, const PaintItem& item, const Rect& area) {
    const Surface& surface = item.window->GetSurface();
    Rect visible = Intersect(Intersect(item.clientRect, item.clip), area);
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

// Composes the part of the screen inside `area` from the windows.
void ComposeArea(Surface& screen, const std::vector<PaintItem>& items, const Rect& area) {
    Fill(screen, area, 0);
    for (const PaintItem& item : items) {
        if (item.transparent || item.window == nullptr) continue;
        if (item.border) {
            Fill(screen, Intersect(Intersect(item.windowRect, item.clip), area), kBorderIndex);
        }
        Paint(screen, item, area);
    }
}

void Compose(Surface& screen) {
    Size size = GetScreenSize();
    if (screen.width != size.width || screen.height != size.height) {
        screen.Resize(size.width, size.height);
    }
    ComposeArea(screen, WindowsInPaintOrder(), {0, 0, screen.width, screen.height});
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

// The part of a window whose surface changed that can be seen: its visible
// part, unless a single window above it covers all of that; empty when it
// is not in the paint order.
Rect SeenPart(const std::vector<PaintItem>& items, const Window* window) {
    const Rect screen{0, 0, GetScreenSize().width, GetScreenSize().height};
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].window != window || items[i].transparent) continue;
        const Rect visible = Intersect(Intersect(items[i].clientRect, items[i].clip), screen);
        if (visible.IsEmpty()) return {};
        for (size_t above = i + 1; above < items.size(); ++above) {
            if (Covers(items[above], visible)) return {};
        }
        return visible;
    }
    return {};
}

bool CanBeSeen(const std::vector<PaintItem>& items, const Window* window) {
    return !SeenPart(items, window).IsEmpty();
}

const Rect* ClientRectOf(const std::vector<PaintItem>& items, const Window* window) {
    for (const PaintItem& item : items) {
        if (item.window == window) return &item.clientRect;
    }
    return nullptr;
}

// Takes what changed since the last look into the areas due: true when the
// picture may differ.
bool PictureMayDiffer() {
    CompositorState& state = State();
    const ScreenChanges changes = TakeScreenChanges();
    if (changes.layout) state.wholeDue = true;
    if (changes.layout || changes.surfaces.empty()) return changes.layout;
    const std::vector<PaintItem> items = WindowsInPaintOrder();
    bool mayDiffer = false;
    for (const SurfaceChange& change : changes.surfaces) {
        const Rect seen = SeenPart(items, change.window);
        if (seen.IsEmpty()) continue;
        const Rect* client = ClientRectOf(items, change.window);
        const Rect area = Intersect(change.area.Offset(client->left, client->top), seen);
        if (area.IsEmpty()) continue;
        state.areasDue.push_back(area);
        mayDiffer = true;
    }
    // Many small changes count with the rectangle around them.
    constexpr size_t kMostAreas = 64;
    if (state.areasDue.size() > kMostAreas) {
        Rect around;
        for (const Rect& r : state.areasDue) around = Union(around, r);
        state.areasDue.assign(1, around);
    }
    return mayDiffer;
}

bool SomeWindowAwaitsFirstPaint() {
    for (const PaintItem& item : WindowsInPaintOrder()) {
        if (item.window != nullptr && !item.transparent && item.window->AwaitsFirstPaint()) {
            return true;
        }
    }
    return false;
}

// Composes what is due and returns where the composed picture differs from
// the presented one.
std::vector<Rect> ComposeChanges() {
    CompositorState& state = State();
    PictureMayDiffer();
    const Size size = GetScreenSize();
    if (state.screen.width != size.width || state.screen.height != size.height) {
        state.screen.Resize(size.width, size.height);
        state.wholeDue = true;
    }
    std::vector<Rect> areas = JoinOverlapping(std::move(state.areasDue));
    if (state.wholeDue) areas.assign(1, {0, 0, size.width, size.height});
    state.areasDue.clear();
    state.wholeDue = false;
    const std::vector<PaintItem> items = WindowsInPaintOrder();
    std::vector<Rect> changed;
    for (const Rect& area : areas) {
        ComposeArea(state.screen, items, area);
        const std::vector<Rect> found = ChangedRects(state.presented, state.screen, area);
        changed.insert(changed.end(), found.begin(), found.end());
    }
    return changed;
}

void CopyRects(Surface& to, const Surface& from, const std::vector<Rect>& rects) {
    for (const Rect& r : rects) {
        for (int32_t y = r.top; y < r.bottom; ++y) {
            std::memcpy(to.Row(y) + r.left, from.Row(y) + r.left, size_t(r.Width()));
        }
    }
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
    state.pending = false;
    state.waiting = false;
    const RgbTable& colours = ColoursToShow();
    if (!SystemPaletteCleared()) state.shownPaletteGeneration = SystemPaletteGeneration();
    const bool whole = !state.everPresented || colours != state.shown ||
                       state.presented.width != GetScreenSize().width ||
                       state.presented.height != GetScreenSize().height;
    if (whole) state.wholeDue = true;
    std::vector<Rect> changed = ComposeChanges();
    if (whole) {
        state.presented = state.screen;
        changed.assign(1, {0, 0, state.screen.width, state.screen.height});
    } else {
        if (changed.empty()) return false;  // not a pixel differs
        CopyRects(state.presented, state.screen, changed);
    }
    state.shown = colours;
    uint8_t rgb[256][3];
    for (size_t i = 0; i < 256; ++i) {
        for (size_t c = 0; c < 3; ++c) rgb[i][c] = state.shown[i][c];
    }
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
