// Host input into window messages: the input queue's receiver, mouse
// routing (capture, hit testing, double clicks, WM_SETCURSOR, activation),
// keyboard routing (focus, key state, characters), and the cursor calls.

#include "platform/input.h"

#include <algorithm>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/window_system.h"

namespace plat {

namespace {

uint32_t HostModifiers(const WindowSystem& ws) {
    uint32_t mk = 0;
    if (ws.hostKeys[VK_SHIFT] & 0x80) mk |= MK_SHIFT;
    if (ws.hostKeys[VK_CONTROL] & 0x80) mk |= MK_CONTROL;
    return mk;
}

uint32_t ButtonFlag(MouseButton b) {
    switch (b) {
        case MouseButton::Left:
            return MK_LBUTTON;
        case MouseButton::Right:
            return MK_RBUTTON;
        case MouseButton::Middle:
            return MK_MBUTTON;
    }
    return 0;
}

int32_t ButtonKey(MouseButton b) {
    switch (b) {
        case MouseButton::Left:
            return VK_LBUTTON;
        case MouseButton::Right:
            return VK_RBUTTON;
        case MouseButton::Middle:
            return VK_MBUTTON;
    }
    return 0;
}

// Keeps a point on the screen and inside the clip rectangle.
Point Confine(const WindowSystem& ws, Point p) {
    const Size s = GetScreenSize();
    Rect area{0, 0, s.width, s.height};
    if (ws.clipped) area = ws.clip;
    if (area.IsEmpty()) return p;
    p.x = std::clamp(p.x, area.left, area.right - 1);
    p.y = std::clamp(p.y, area.top, area.bottom - 1);
    return p;
}

void QueueMove(WindowSystem& ws, uint32_t time) {
    WindowSystem::Input in;
    in.kind = WindowSystem::Input::Kind::Move;
    in.pos = ws.cursor;
    in.mouseKeys = ws.hostButtons | HostModifiers(ws);
    in.time = time;
    ws.input.push_back(in);
}

Window* KeyboardTarget(const WindowSystem& ws) {
    if (WindowSystem::CanReceive(ws.focus)) {
        return ws.focus->IsWindowEnabled() ? ws.focus : nullptr;
    }
    Window* main = ws.app ? ws.app->mainWindow : nullptr;
    return WindowSystem::CanReceive(main) ? main : nullptr;
}

uint8_t DefaultCharacter(int32_t key) {
    switch (key) {
        case VK_RETURN:
            return 13;
        case VK_BACK:
            return 8;
        case VK_ESCAPE:
            return 27;
        case VK_TAB:
            return 9;
        default:
            return 0;
    }
}

class LayerInputSink : public InputSink {
  public:
    void OnMouseMove(Point screen, uint32_t time) override {
        WindowSystem& ws = WindowSystem::Get();
        ws.cursor = Confine(ws, screen);
        QueueMove(ws, time);
    }

    void OnMouseButton(MouseButton button, bool down, uint32_t time) override {
        WindowSystem& ws = WindowSystem::Get();
        if (down) {
            ws.hostButtons |= ButtonFlag(button);
        } else {
            ws.hostButtons &= ~ButtonFlag(button);
        }
        WindowSystem::Input in;
        in.kind = WindowSystem::Input::Kind::Button;
        in.pos = ws.cursor;
        in.button = button;
        in.down = down;
        in.mouseKeys = ws.hostButtons | HostModifiers(ws);
        in.time = time;
        ws.input.push_back(in);
    }

    void OnKey(int32_t virtualKey, bool down, uint8_t character, uint32_t time) override {
        WindowSystem& ws = WindowSystem::Get();
        const int32_t key = virtualKey & 0xFF;
        ws.hostKeys[key] = down ? 0x80 : 0;
        WindowSystem::Input in;
        in.kind = WindowSystem::Input::Kind::Key;
        in.key = key;
        in.down = down;
        in.character = character;
        in.time = time;
        ws.input.push_back(in);
    }

    void OnChar(uint8_t character, uint32_t time) override {
        WindowSystem::Input in;
        in.kind = WindowSystem::Input::Kind::Char;
        in.character = character;
        in.time = time;
        WindowSystem::Get().input.push_back(in);
    }

    void OnCloseRequest(uint32_t /*time*/) override {
        WindowSystem& ws = WindowSystem::Get();
        if (ws.app != nullptr) PostMessage(ws.app->mainWindow, WM_CLOSE, 0, 0);
    }
};

}  // namespace

InputSink& LayerInput() {
    static LayerInputSink sink;
    return sink;
}

bool WindowSystem::Resolve(const Input& in, bool commit, Msg* out) {
    *out = Msg{};
    out->time = in.time;
    out->pt = in.pos;

    if (in.kind == Input::Kind::Key) {
        const uint8_t before = keyState[in.key];
        const bool wasDown = (before & 0x80) != 0;
        if (commit) {
            keyState[in.key] = in.down
                                   ? static_cast<uint8_t>(0x80 | ((before & 1) ^ (wasDown ? 0 : 1)))
                                   : static_cast<uint8_t>(before & 1);
        }
        const bool alt = in.key == VK_MENU ? in.down : (keyState[VK_MENU] & 0x80) != 0;
        const bool ctrl = (keyState[VK_CONTROL] & 0x80) != 0;
        const bool system = alt && !ctrl;
        out->window = KeyboardTarget(*this);
        out->message =
            in.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
        out->wParam = static_cast<WParam>(in.key);
        out->lParam =
            static_cast<LParam>(1u | (wasDown ? 1u << 30 : 0u) | (in.down ? 0u : 1u << 31));
        if (in.down && !system) {
            out->character = in.character != 0 ? in.character : DefaultCharacter(in.key);
        }
        return out->window != nullptr;
    }

    if (in.kind == Input::Kind::Char) {
        out->window = KeyboardTarget(*this);
        out->message = WM_CHAR;
        out->wParam = in.character;
        out->lParam = 1;
        return out->window != nullptr;
    }

    // Mouse.
    if (commit && in.kind == Input::Kind::Button) {
        const int32_t key = ButtonKey(in.button);
        keyState[key] = in.down ? static_cast<uint8_t>(0x80 | ((keyState[key] & 1) ^ 1))
                                : static_cast<uint8_t>(keyState[key] & 1);
    }
    const bool captured = CanReceive(capture);
    Window* target = captured ? capture : WindowFromPoint(in.pos);
    if (target == nullptr || !target->IsWindowEnabled()) {
        if (commit && in.kind == Input::Kind::Button && in.down) lastClick = {};
        return false;
    }
    uint32_t message = WM_MOUSEMOVE;
    if (in.kind == Input::Kind::Button) {
        if (in.button == MouseButton::Middle) return false;
        const bool left = in.button == MouseButton::Left;
        if (!in.down) {
            message = left ? WM_LBUTTONUP : WM_RBUTTONUP;
        } else {
            const bool again = lastClick.valid && lastClick.button == in.button &&
                               lastClick.window == target && lastClick.serial == live[target] &&
                               in.time - lastClick.time <= kDoubleClickMs &&
                               std::abs(in.pos.x - lastClick.pos.x) <= kDoubleClickDistance &&
                               std::abs(in.pos.y - lastClick.pos.y) <= kDoubleClickDistance;
            const bool doubleClick = again && (target->ClassStyle() & CS_DBLCLKS);
            message = doubleClick ? (left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK)
                                  : (left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
            if (commit) {
                if (doubleClick) {
                    lastClick = {};
                } else {
                    lastClick = {true, in.button, target, live[target], in.time, in.pos};
                }
            }
        }
    }
    const Point client = target->ScreenToClient(in.pos);
    out->window = target;
    out->message = message;
    out->wParam = in.mouseKeys;
    out->lParam = MakeLParam(client.x, client.y);

    if (commit) {
        const uint64_t serial = live[target];
        if (in.kind == Input::Kind::Button && in.down && !captured) Activate(target);
        if (!captured && IsLive(target, serial)) {
            SendMessage(target, WM_SETCURSOR, reinterpret_cast<WParam>(target),
                        MakeLParam(HTCLIENT, static_cast<int32_t>(message)));
        }
        if (!IsLive(target, serial) || !CanReceive(target)) return false;
    }
    return true;
}

Point GetCursorPos() {
    return WindowSystem::Get().cursor;
}

void SetCursorPos(Point screen) {
    WindowSystem& ws = WindowSystem::Get();
    ws.cursor = Confine(ws, screen);
    CurrentBackend().WarpCursor(ws.cursor);
    QueueMove(ws, TimeGetTime());
}

void ClipCursor(const Rect* screenRect) {
    WindowSystem& ws = WindowSystem::Get();
    if (screenRect == nullptr) {
        ws.clipped = false;
        ws.clip = {};
        CurrentBackend().SetCursorClip(nullptr);
        return;
    }
    const Size s = GetScreenSize();
    Rect clip = Intersect(*screenRect, Rect{0, 0, s.width, s.height});
    if (clip.IsEmpty()) {
        const Point corner = Confine(ws, screenRect->TopLeft());
        clip = {corner.x, corner.y, corner.x + 1, corner.y + 1};
    }
    ws.clipped = true;
    ws.clip = clip;
    CurrentBackend().SetCursorClip(&ws.clip);
    const Point inside = Confine(ws, ws.cursor);
    if (inside != ws.cursor) {
        ws.cursor = inside;
        CurrentBackend().WarpCursor(inside);
        QueueMove(ws, TimeGetTime());
    }
}

bool GetClipCursor(Rect* screenRect) {
    const WindowSystem& ws = WindowSystem::Get();
    if (screenRect != nullptr) *screenRect = ws.clip;
    return ws.clipped;
}

Window* SetCapture(Window* window) {
    WindowSystem& ws = WindowSystem::Get();
    Window* previous = ws.capture;
    if (!WindowSystem::CanReceive(window)) return previous;
    ws.capture = window;
    if (previous != nullptr && previous != window) {
        SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LParam>(window));
    }
    return previous;
}

bool ReleaseCapture() {
    WindowSystem& ws = WindowSystem::Get();
    Window* previous = ws.capture;
    ws.capture = nullptr;
    if (previous != nullptr) SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    return true;
}

Window* GetCapture() {
    return WindowSystem::Get().capture;
}

CursorId SetCursor(CursorId cursor) {
    WindowSystem& ws = WindowSystem::Get();
    const CursorId previous = ws.cursorShape;
    if (cursor != previous) {
        ws.cursorShape = cursor;
        CurrentBackend().SetCursorShape(cursor, ws.cursorCount >= 0);
    }
    return previous;
}

CursorId GetCursor() {
    return WindowSystem::Get().cursorShape;
}

int32_t ShowCursor(bool show) {
    WindowSystem& ws = WindowSystem::Get();
    const bool wasShown = ws.cursorCount >= 0;
    ws.cursorCount += show ? 1 : -1;
    if (wasShown != (ws.cursorCount >= 0)) {
        CurrentBackend().SetCursorShape(ws.cursorShape, ws.cursorCount >= 0);
    }
    return ws.cursorCount;
}

Window* SetFocus(Window* window) {
    WindowSystem& ws = WindowSystem::Get();
    Window* previous = ws.focus;
    if (window != nullptr && !WindowSystem::CanReceive(window)) return previous;
    if (window == previous) return previous;
    ws.focus = window;
    if (WindowSystem::CanReceive(previous)) {
        SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WParam>(window), 0);
    }
    if (window != nullptr && ws.focus == window) {
        SendMessage(window, WM_SETFOCUS, reinterpret_cast<WParam>(previous), 0);
    }
    return previous;
}

Window* GetFocus() {
    return WindowSystem::Get().focus;
}

int16_t GetKeyState(int32_t virtualKey) {
    const uint8_t s = WindowSystem::Get().keyState[virtualKey & 0xFF];
    return static_cast<int16_t>(((s & 0x80) ? 0x8000 : 0) | (s & 1));
}

}  // namespace plat
