// The window tree: live-window registry, z-order, activation, coordinates,
// hit testing, paint order and deferred deletion.

#include "platform/window_system.h"

#include <algorithm>

#include "platform/input.h"
#include "platform/termination.h"

namespace plat {

WindowSystem& WindowSystem::Get() {
    static WindowSystem system;
    return system;
}

void WindowSystem::ResetState() {
    posted.clear();
    input.clear();
    timers.clear();
    quit = false;
    quitCode = 0;
    ClearTermination();
    cursor = {};
    clipped = false;
    clip = {};
    capture = nullptr;
    focus = nullptr;
    cursorShape = IDC_ARROW;
    cursorCount = 0;
    std::fill(std::begin(keyState), std::end(keyState), 0);
    std::fill(std::begin(hostKeys), std::end(hostKeys), 0);
    hostButtons = 0;
    lastClick = {};
    screenChanged = true;
    changedSurfaces.clear();
}

bool WindowSystem::IsLive(const Window* w, uint64_t serial) const {
    auto it = live.find(w);
    return it != live.end() && it->second == serial;
}

bool WindowSystem::CanReceive(const Window* w) {
    return w != nullptr && Get().IsLive(w) && w->IsWindow();
}

Window* WindowSystem::TopLevelOf(Window* w) {
    while (w != nullptr && w->IsChildWindow()) w = w->parent_;
    return w;
}

Point WindowSystem::ClientOrigin(const Window* w) {
    const Rect r = ScreenRect(w);
    const int32_t b = (w->style_ & WS_BORDER) ? 1 : 0;
    return {r.left + b, r.top + b};
}

Rect WindowSystem::ScreenRect(const Window* w) {
    if (!w->IsChildWindow()) return w->rect_;
    const Point o = ClientOrigin(w->parent_);
    return w->rect_.Offset(o.x, o.y);
}

void WindowSystem::Insert(Window* w) {
    if (w->IsChildWindow()) {
        w->parent_->children_.push_back(w);
        return;
    }
    if (w->exStyle_ & WS_EX_TOPMOST) {
        topLevel.push_back(w);
        return;
    }
    auto firstTopMost = std::find_if(topLevel.begin(), topLevel.end(),
                                     [](Window* t) { return (t->exStyle_ & WS_EX_TOPMOST) != 0; });
    topLevel.insert(firstTopMost, w);
}

void WindowSystem::Remove(Window* w) {
    std::erase(topLevel, w);
    if (w->parent_ != nullptr && live.count(w->parent_)) std::erase(w->parent_->children_, w);
    // Windows that still name it as parent or owner (destroyed ones among
    // them) forget it, so that nothing points at a window that may be freed.
    for (auto& entry : live) {
        Window* other = const_cast<Window*>(entry.first);
        if (other->parent_ == w) other->parent_ = nullptr;
    }
    w->children_.clear();
}

void WindowSystem::BringToTop(Window* w) {
    if (w->IsChildWindow()) {
        auto& siblings = w->parent_->children_;
        std::erase(siblings, w);
        siblings.push_back(w);
        MarkScreenChanged();
        return;
    }
    // The window and everything it owns (directly or not), in their order.
    std::vector<Window*> group;
    for (Window* t : topLevel) {
        for (Window* o = t; o != nullptr; o = o->parent_) {
            if (o == w) {
                group.push_back(t);
                break;
            }
        }
    }
    for (Window* g : group) std::erase(topLevel, g);
    for (Window* g : group) Insert(g);
    MarkScreenChanged();
}

void WindowSystem::Activate(Window* w) {
    Window* top = TopLevelOf(w);
    if (top == nullptr || !top->IsWindowVisible()) return;
    BringToTop(top);
    for (Window* f = focus; f != nullptr; f = f->IsChildWindow() ? f->parent_ : nullptr) {
        if (f == top) return;
    }
    SetFocus(top);
}

Window* WindowSystem::FocusHeir(Window* leaving) const {
    auto inside = [leaving](Window* w) {
        for (; w != nullptr; w = w->parent_) {
            if (w == leaving) return true;
        }
        return false;
    };
    for (Window* w = leaving->parent_; w != nullptr; w = w->parent_) {
        if (w->state_ == Window::State::Alive && w->IsWindowVisible()) return w;
    }
    Window* main = app ? app->mainWindow : nullptr;
    if (main != nullptr && main->state_ == Window::State::Alive && main->IsWindowVisible() &&
        !inside(main)) {
        return main;
    }
    return nullptr;
}

void WindowSystem::InvalidateBelow(const Window* w, const Rect& screenRect) {
    for (const PaintItem& item : WindowsInPaintOrder()) {
        if (item.window == w) break;
        const Rect r = Intersect(Intersect(screenRect, item.clip), item.clientRect);
        if (r.IsEmpty()) continue;
        const Rect local = item.window->ScreenToClient(r);
        item.window->InvalidateRect(&local);
    }
}

void WindowSystem::Forget(Window* w) {
    std::erase_if(posted, [w](const Posted& p) { return p.window == w; });
    std::erase_if(timers, [w](const Timer& t) { return t.window == w; });
    if (capture == w) capture = nullptr;
    if (focus == w) focus = nullptr;
    if (lastClick.window == w) lastClick = {};
}

void WindowSystem::Trace(MessageTrace::Kind kind, Window* w, uint32_t message, WParam wParam,
                         LParam lParam) const {
    if (observer) observer(MessageTrace{kind, w, message, wParam, lParam});
}

LResult WindowSystem::Deliver(Window* w, uint32_t message, WParam wParam, LParam lParam) {
    DispatchGuard guard(w);
    return w->OnMessage(message, wParam, lParam);
}

void WindowSystem::Leave(Window* w) {
    if (--w->dispatchDepth_ == 0 && w->deletePending_) FinishDelete(w);
}

void WindowSystem::FinishDelete(Window* w) {
    w->deletePending_ = false;
    void* memory = dynamic_cast<void*>(w);
    w->~Window();
    Window::operator delete(memory);
}

DispatchGuard::DispatchGuard(Window* w) : window_(w) {
    WindowSystem::Enter(w);
}
DispatchGuard::~DispatchGuard() {
    WindowSystem::Leave(window_);
}

// --- Hit testing and paint order ------------------------------------------

namespace {

Window* HitChild(Window* w, Point p) {
    const Rect client = w->ClientToScreen(w->GetClientRect());
    if (!client.Contains(p)) return w;
    const auto& children = w->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        Window* c = *it;
        if (!(c->GetStyle() & WS_VISIBLE)) continue;
        if (c->GetWindowRect().Contains(p)) return HitChild(c, p);
    }
    return w;
}

void AddWithChildren(Window* w, const Rect& clip, std::vector<PaintItem>& out) {
    PaintItem item;
    item.window = w;
    item.windowRect = w->GetWindowRect();
    item.clientRect = w->ClientToScreen(w->GetClientRect());
    item.clip = Intersect(clip, item.windowRect);
    item.border = (w->GetStyle() & WS_BORDER) != 0;
    item.transparent = (w->GetExStyle() & WS_EX_TRANSPARENT) != 0;
    if (item.clip.IsEmpty()) return;
    out.push_back(item);
    const Rect childClip = Intersect(item.clip, item.clientRect);
    for (Window* c : w->Children()) {
        if (c->GetStyle() & WS_VISIBLE) AddWithChildren(c, childClip, out);
    }
}

}  // namespace

Window* WindowFromPoint(Point screen) {
    const auto& top = WindowSystem::Get().topLevel;
    for (auto it = top.rbegin(); it != top.rend(); ++it) {
        Window* w = *it;
        if (!w->IsWindowVisible()) continue;
        if (w->GetWindowRect().Contains(screen)) return HitChild(w, screen);
    }
    return nullptr;
}

std::vector<PaintItem> WindowsInPaintOrder() {
    std::vector<PaintItem> out;
    const Size s = GetScreenSize();
    const Rect screen{0, 0, s.width, s.height};
    for (Window* w : WindowSystem::Get().topLevel) {
        if (w->IsWindowVisible()) AddWithChildren(w, screen, out);
    }
    return out;
}

void MarkScreenChanged() {
    WindowSystem::Get().screenChanged = true;
}

void MarkWindowSurfaceChanged(const Window* window, const Rect& area) {
    // A window drawn in many places between two looks counts with the
    // rectangle around them.
    constexpr size_t kMostAreas = 32;
    std::vector<SurfaceChange>& changed = WindowSystem::Get().changedSurfaces;
    if (area.IsEmpty()) return;
    if (changed.size() < kMostAreas) {
        changed.push_back({window, area});
        return;
    }
    Rect around = area;
    std::erase_if(changed, [&](const SurfaceChange& c) {
        if (c.window == window) around = Union(around, c.area);
        return c.window == window;
    });
    changed.push_back({window, around});
}

bool TakeScreenChanged() {
    const ScreenChanges changes = TakeScreenChanges();
    return changes.layout || !changes.surfaces.empty();
}

ScreenChanges TakeScreenChanges() {
    WindowSystem& ws = WindowSystem::Get();
    ScreenChanges changes{ws.screenChanged, {}};
    changes.surfaces.swap(ws.changedSurfaces);
    ws.screenChanged = false;
    return changes;
}

void SetScreenPresenter(ScreenPresenter presenter) {
    WindowSystem::Get().presenter = std::move(presenter);
}

void PresentScreen() {
    const ScreenPresenter& presenter = WindowSystem::Get().presenter;
    if (presenter) presenter();
}

Size GetScreenSize() {
    return CurrentBackend().ScreenSize();
}

}  // namespace plat
