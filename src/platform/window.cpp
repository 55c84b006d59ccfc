// Window objects: creation, destruction (also deferred deletion), showing,
// geometry, painting state and timers. The z-order and queue machinery lives
// in window_system.cpp and message_queue.cpp.

#include "platform/window.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/input.h"
#include "platform/window_system.h"

namespace plat {

namespace {

int32_t BorderWidth(uint32_t style) {
    return (style & WS_BORDER) ? 1 : 0;
}

}  // namespace

Window::Window() {
    WindowSystem& ws = WindowSystem::Get();
    serial_ = ws.nextSerial++;
    ws.live[this] = serial_;
}

Window::~Window() {
    // The derived parts are gone already: WM_DESTROY reaches only the default
    // handler here. Owned windows and children still get theirs.
    if (state_ == State::Creating || state_ == State::Alive) DestroyWindow();
    WindowSystem& ws = WindowSystem::Get();
    ws.Forget(this);
    ws.Remove(this);
    ws.live.erase(this);
}

void* Window::operator new(std::size_t size) {
    return ::operator new(size);
}

void Window::operator delete(void* memory) noexcept {
    ::operator delete(memory);
}

void Window::operator delete(Window* window, std::destroying_delete_t) {
    if (window->dispatchDepth_ > 0) {
        if (window->deletePending_) return;
        window->deletePending_ = true;
        window->DestroyWindow();
        return;
    }
    WindowSystem::FinishDelete(window);
}

bool Window::Create(Window* parent, const Rect& rect, uint32_t style, uint32_t exStyle,
                    std::string_view caption, uint32_t id) {
    WindowSystem& ws = WindowSystem::Get();
    if (state_ != State::None && state_ != State::Destroyed) return false;
    if (deletePending_) return false;
    if (parent != nullptr && !WindowSystem::CanReceive(parent)) return false;
    const bool child = (style & WS_CHILD) && !(style & WS_POPUP);
    if (child && parent == nullptr) return false;

    DispatchGuard guard(this);
    // A top-level window is owned by the top-level window of what it was
    // given as parent.
    parent_ = child ? parent : (parent ? WindowSystem::TopLevelOf(parent) : nullptr);
    style_ = style & ~WS_VISIBLE;
    exStyle_ = exStyle;
    id_ = id;
    caption_ = caption;
    rect_ = rect;
    invalid_ = {};
    const int32_t b = BorderWidth(style);
    surface_.Resize(std::max(0, rect.Width() - 2 * b), std::max(0, rect.Height() - 2 * b));
    state_ = State::Creating;
    ws.Insert(this);

    if (SendMessage(WM_CREATE, 0, 0) == -1) {
        DestroyWindow();
        return false;
    }
    if (state_ != State::Creating) return false;  // destroyed by its own handler
    state_ = State::Alive;
    if (style & WS_VISIBLE) ShowWindow(SW_SHOW);
    return state_ == State::Alive;
}

bool Window::DestroyWindow() {
    if (state_ != State::Creating && state_ != State::Alive) return false;
    WindowSystem& ws = WindowSystem::Get();
    DispatchGuard guard(this);

    if (IsWindowVisible()) ws.InvalidateBelow(this, GetWindowRect());
    state_ = State::Destroying;
    MarkScreenChanged();

    // Owned windows first, then this window's own WM_DESTROY, then children.
    std::vector<Window*> owned;
    for (Window* w : ws.topLevel) {
        if (w != this && w->parent_ == this) owned.push_back(w);
    }
    for (Window* w : owned) {
        if (ws.IsLive(w)) w->DestroyWindow();
    }

    if (ws.focus != nullptr) {
        for (Window* f = ws.focus; f != nullptr; f = f->IsChildWindow() ? f->parent_ : nullptr) {
            if (f == this) {
                SetFocus(ws.FocusHeir(this));
                break;
            }
        }
    }
    if (ws.capture == this) ws.capture = nullptr;

    SendMessage(WM_DESTROY, 0, 0);

    std::vector<Window*> children = children_;
    for (Window* c : children) {
        if (ws.IsLive(c)) c->DestroyWindow();
    }

    style_ &= ~WS_VISIBLE;
    ws.Forget(this);
    ws.Remove(this);
    state_ = State::Destroyed;

    if (ws.app != nullptr && ws.app->mainWindow == this) {
        ws.app->mainWindow = nullptr;
        PostQuit(0);
    }
    return true;
}

bool Window::IsWindow() const {
    return state_ == State::Creating || state_ == State::Alive || state_ == State::Destroying;
}

LResult Window::SendMessage(uint32_t message, WParam wParam, LParam lParam) {
    return plat::SendMessage(this, message, wParam, lParam);
}

bool Window::PostMessage(uint32_t message, WParam wParam, LParam lParam) {
    return plat::PostMessage(this, message, wParam, lParam);
}

bool Window::PreTranslateMessage(Msg& /*msg*/) {
    return false;
}

LResult Window::OnMessage(uint32_t message, WParam wParam, LParam lParam) {
    return DefaultMessage(message, wParam, lParam);
}

LResult Window::DefaultMessage(uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
        case WM_CLOSE:
            DestroyWindow();
            return 0;
        case WM_PAINT:
            BeginPaint();
            EndPaint();
            return 0;
        case WM_SETCURSOR:
            if (IsChildWindow() && parent_ != nullptr &&
                plat::SendMessage(parent_, WM_SETCURSOR, wParam, lParam) != 0) {
                return 1;
            }
            SetCursor(ClassCursor());
            return 0;
        default:
            return 0;
    }
}

bool Window::ShowWindow(int32_t command) {
    if (!IsWindow()) return false;
    WindowSystem& ws = WindowSystem::Get();
    DispatchGuard guard(this);
    const bool wasVisible = (style_ & WS_VISIBLE) != 0;

    if (command == SW_HIDE) {
        if (!wasVisible) return false;
        SendMessage(WM_SHOWWINDOW, 0, 0);
        if (!IsWindow() || !(style_ & WS_VISIBLE)) return true;
        if (IsWindowVisible()) ws.InvalidateBelow(this, GetWindowRect());
        style_ &= ~WS_VISIBLE;
        MarkScreenChanged();
        for (Window* f = ws.focus; f != nullptr; f = f->IsChildWindow() ? f->parent_ : nullptr) {
            if (f == this) {
                SetFocus(ws.FocusHeir(this));
                break;
            }
        }
        return true;
    }

    if (!wasVisible) {
        SendMessage(WM_SHOWWINDOW, 1, 0);
        if (!IsWindow()) return false;
        style_ |= WS_VISIBLE;
        InvalidateRect(nullptr);
        unpainted_ = true;
        MarkScreenChanged();
    }
    if (!IsChildWindow() && (command == SW_SHOW || command == SW_SHOWNORMAL)) ws.Activate(this);
    return wasVisible;
}

bool Window::IsWindowVisible() const {
    if (!IsWindow()) return false;
    for (const Window* w = this; w != nullptr; w = w->IsChildWindow() ? w->parent_ : nullptr) {
        if (!(w->style_ & WS_VISIBLE)) return false;
    }
    return true;
}

bool Window::EnableWindow(bool enable) {
    const bool wasDisabled = (style_ & WS_DISABLED) != 0;
    if (!IsWindow() || wasDisabled == !enable) return wasDisabled;
    DispatchGuard guard(this);
    WindowSystem& ws = WindowSystem::Get();
    if (enable) {
        style_ &= ~WS_DISABLED;
    } else {
        style_ |= WS_DISABLED;
        if (ws.focus == this) SetFocus(nullptr);
        if (ws.capture == this) ReleaseCapture();
    }
    SendMessage(WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool Window::IsWindowEnabled() const {
    return IsWindow() && !(style_ & WS_DISABLED);
}

void Window::BringWindowToTop() {
    if (!IsWindow()) return;
    WindowSystem::Get().BringToTop(this);
}

Rect Window::GetWindowRect() const {
    return WindowSystem::ScreenRect(this);
}

Rect Window::GetClientRect() const {
    return {0, 0, surface_.width, surface_.height};
}

Point Window::ClientToScreen(Point p) const {
    const Point o = WindowSystem::ClientOrigin(this);
    return {p.x + o.x, p.y + o.y};
}

Rect Window::ClientToScreen(const Rect& r) const {
    const Point o = WindowSystem::ClientOrigin(this);
    return r.Offset(o.x, o.y);
}

Point Window::ScreenToClient(Point p) const {
    const Point o = WindowSystem::ClientOrigin(this);
    return {p.x - o.x, p.y - o.y};
}

Rect Window::ScreenToClient(const Rect& r) const {
    const Point o = WindowSystem::ClientOrigin(this);
    return r.Offset(-o.x, -o.y);
}

void Window::MoveWindow(const Rect& rect, bool repaint) {
    if (!IsWindow()) return;
    WindowSystem& ws = WindowSystem::Get();
    if (IsWindowVisible()) ws.InvalidateBelow(this, GetWindowRect());
    rect_ = rect;
    const int32_t b = BorderWidth(style_);
    surface_.Resize(std::max(0, rect.Width() - 2 * b), std::max(0, rect.Height() - 2 * b));
    invalid_ = Intersect(invalid_, GetClientRect());
    if (repaint) InvalidateRect(nullptr);
    MarkScreenChanged();
}

bool Window::IsChildWindow() const {
    return (style_ & WS_CHILD) && !(style_ & WS_POPUP) && parent_ != nullptr;
}

void Window::InvalidateRect(const Rect* rect) {
    if (!IsWindow()) return;
    const Rect client = GetClientRect();
    const Rect r = rect ? Intersect(*rect, client) : client;
    invalid_ = Union(invalid_, r);
}

void Window::ValidateRect(const Rect* rect) {
    // The update region is kept as one rectangle: validating a part of it
    // clears it only when that part covers it whole.
    if (rect == nullptr || Intersect(*rect, invalid_) == invalid_) invalid_ = {};
    // A window left without a paint to come counts as drawn.
    if (invalid_.IsEmpty() && !painting_) unpainted_ = false;
}

bool Window::GetUpdateRect(Rect* rect) const {
    if (rect != nullptr) *rect = invalid_;
    return !invalid_.IsEmpty();
}

void Window::UpdateWindow() {
    if (!IsWindowVisible() || invalid_.IsEmpty()) return;
    Msg msg;
    msg.window = this;
    msg.message = WM_PAINT;
    msg.time = TimeGetTime();
    DispatchMessage(msg);
}

Rect Window::BeginPaint() {
    ++paintCount_;
    painting_ = true;
    const Rect r = invalid_;
    invalid_ = {};
    return r;
}

void Window::EndPaint() {
    painting_ = false;
    unpainted_ = false;
    MarkSurfaceChanged();
}

void Window::MarkSurfaceChanged() {
    MarkSurfaceChanged({0, 0, surface_.width, surface_.height});
}

void Window::MarkSurfaceChanged(const Rect& area) {
    // Drawing outside a paint cycle counts as the window's paint.
    if (!painting_) unpainted_ = false;
    if (IsWindowVisible()) MarkWindowSurfaceChanged(this, area);
}

uint32_t Window::SetTimer(uint32_t id, uint32_t elapseMs) {
    if (!IsWindow()) return 0;
    WindowSystem& ws = WindowSystem::Get();
    const uint32_t period = std::max<uint32_t>(elapseMs, 10);
    const uint32_t due = TimeGetTime() + period;
    for (auto& t : ws.timers) {
        if (t.window == this && t.id == id) {
            t.period = period;
            t.due = due;
            return id;
        }
    }
    ws.timers.push_back({this, id, period, due});
    return id;
}

bool Window::KillTimer(uint32_t id) {
    auto& timers = WindowSystem::Get().timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const auto& t) { return t.window == this && t.id == id; });
    if (it == timers.end()) return false;
    timers.erase(it);
    return true;
}

bool IsWindow(const Window* window) {
    return window != nullptr && WindowSystem::Get().IsLive(window) && window->IsWindow();
}

}  // namespace plat
