// Sending, posting and the pump: which message comes next, pre-translation,
// translation of keys into characters, and dispatch.

#include "platform/message_queue.h"

#include <limits>

#include "platform/clock.h"
#include "platform/window_system.h"

namespace plat {

LResult SendMessage(Window* window, uint32_t message, WParam wParam, LParam lParam) {
    WindowSystem& ws = WindowSystem::Get();
    if (!WindowSystem::CanReceive(window)) return 0;
    ws.Trace(MessageTrace::Kind::Sent, window, message, wParam, lParam);
    return ws.Deliver(window, message, wParam, lParam);
}

bool PostMessage(Window* window, uint32_t message, WParam wParam, LParam lParam) {
    WindowSystem& ws = WindowSystem::Get();
    if (!WindowSystem::CanReceive(window)) return false;
    ws.Trace(MessageTrace::Kind::Posted, window, message, wParam, lParam);
    ws.posted.push_back(
        {window, ws.live[window], message, wParam, lParam, TimeGetTime(), ws.cursor});
    return true;
}

void SetMessageObserver(MessageObserver observer) {
    WindowSystem::Get().observer = std::move(observer);
}

// --- Choosing the next message ---------------------------------------------

bool WindowSystem::FindPaint(Msg* out, uint64_t* serial) {
    for (const PaintItem& item : WindowsInPaintOrder()) {
        Window* w = item.window;
        if (w->state_ != Window::State::Alive || w->invalid_.IsEmpty()) continue;
        *out = Msg{};
        out->window = w;
        out->message = WM_PAINT;
        out->time = TimeGetTime();
        out->pt = cursor;
        *serial = w->serial_;
        return true;
    }
    return false;
}

bool WindowSystem::FindTimer(bool take, Msg* out, uint64_t* serial) {
    const uint32_t now = TimeGetTime();
    Timer* best = nullptr;
    for (Timer& t : timers) {
        if (static_cast<int32_t>(now - t.due) < 0) continue;
        if (best == nullptr ||
            static_cast<int32_t>(t.due - best->due) < 0) {  // the longest overdue first
            best = &t;
        }
    }
    if (best == nullptr) return false;
    if (take) {
        best->due = now + best->period;
        *out = Msg{};
        out->window = best->window;
        out->message = WM_TIMER;
        out->wParam = best->id;
        out->time = now;
        out->pt = cursor;
        *serial = best->window->serial_;
    }
    return true;
}

bool WindowSystem::TakeNext(Msg* out, uint64_t* serial) {
    if (!posted.empty()) {
        const Posted p = posted.front();
        posted.pop_front();
        *out = Msg{};
        out->window = p.window;
        out->message = p.message;
        out->wParam = p.wParam;
        out->lParam = p.lParam;
        out->time = p.time;
        out->pt = p.pt;
        *serial = p.serial;
        return true;
    }
    // Once the loop is asked to end, no further input is handled.
    if (quit) return false;
    while (!input.empty()) {
        const Input in = input.front();
        input.pop_front();
        if (Resolve(in, true, out)) {
            *serial = live[out->window];
            return true;
        }
    }
    if (FindPaint(out, serial)) return true;
    return FindTimer(true, out, serial);
}

bool WindowSystem::PreTranslate(Msg& msg) {
    Window* main = app ? app->mainWindow : nullptr;
    bool mainSeen = false;
    for (Window* w = msg.window; w != nullptr; w = w->parent_) {
        if (!CanReceive(w)) break;
        DispatchGuard guard(w);
        if (w->PreTranslateMessage(msg)) return true;
        if (w == main) {
            mainSeen = true;
            break;
        }
    }
    if (!mainSeen && CanReceive(main)) {
        DispatchGuard guard(main);
        return main->PreTranslateMessage(msg);
    }
    return false;
}

// --- Public pump --------------------------------------------------------------

bool PeekMessage(Msg* out, Window* window, uint32_t first, uint32_t last, bool remove) {
    WindowSystem& ws = WindowSystem::Get();
    auto wanted = [&](Window* w, uint32_t message) {
        if (window != nullptr && w != window) return false;
        if (first == 0 && last == 0) return true;
        return message >= first && message <= last;
    };
    for (auto it = ws.posted.begin(); it != ws.posted.end(); ++it) {
        if (!wanted(it->window, it->message)) continue;
        Msg m;
        m.window = it->window;
        m.message = it->message;
        m.wParam = it->wParam;
        m.lParam = it->lParam;
        m.time = it->time;
        m.pt = it->pt;
        if (remove) ws.posted.erase(it);
        if (out) *out = m;
        return true;
    }
    for (auto it = ws.input.begin(); it != ws.input.end(); ++it) {
        Msg m;
        if (!ws.Resolve(*it, false, &m) || !wanted(m.window, m.message)) continue;
        if (remove) {
            const WindowSystem::Input in = *it;
            ws.input.erase(it);
            ws.Resolve(in, true, &m);
        }
        if (out) *out = m;
        return true;
    }
    return false;
}

void TranslateMessage(const Msg& msg) {
    if (msg.message == WM_KEYDOWN && msg.character != 0) {
        PostMessage(msg.window, WM_CHAR, msg.character, 1);
    }
}

LResult DispatchMessage(const Msg& msg) {
    WindowSystem& ws = WindowSystem::Get();
    Window* w = msg.window;
    if (!WindowSystem::CanReceive(w)) return 0;
    ws.Trace(MessageTrace::Kind::Dispatched, w, msg.message, msg.wParam, msg.lParam);
    if (msg.message != WM_PAINT) return ws.Deliver(w, msg.message, msg.wParam, msg.lParam);

    // A paint handler that never began painting still leaves the window
    // valid, or WM_PAINT would come back for ever.
    DispatchGuard guard(w);
    const uint32_t paints = WindowSystem::PaintCount(w);
    const LResult result = ws.Deliver(w, msg.message, msg.wParam, msg.lParam);
    if (w->IsWindow() && WindowSystem::PaintCount(w) == paints) w->ValidateRect(nullptr);
    return result;
}

bool PumpMessage() {
    WindowSystem& ws = WindowSystem::Get();
    CurrentBackend().PumpEvents(LayerInput());
    Msg msg;
    uint64_t serial = 0;
    if (!ws.TakeNext(&msg, &serial)) return false;
    if (!ws.IsLive(msg.window, serial) || !WindowSystem::CanReceive(msg.window)) return true;
    Window* target = msg.window;
    if (ws.PreTranslate(msg)) return true;
    if (msg.window == target ? !ws.IsLive(target, serial) : !ws.IsLive(msg.window)) return true;
    TranslateMessage(msg);
    DispatchMessage(msg);
    return true;
}

void RunUntilIdle() {
    while (PumpMessage()) {
    }
}

bool HasPendingMessages() {
    WindowSystem& ws = WindowSystem::Get();
    if (!ws.posted.empty()) return true;
    if (ws.quit) return false;
    if (!ws.input.empty()) return true;
    Msg m;
    uint64_t serial = 0;
    return ws.FindPaint(&m, &serial) || ws.FindTimer(false, &m, &serial);
}

uint32_t TimeUntilNextTimer() {
    const uint32_t now = TimeGetTime();
    uint32_t best = std::numeric_limits<uint32_t>::max();
    for (const auto& t : WindowSystem::Get().timers) {
        const int32_t left = static_cast<int32_t>(t.due - now);
        best = std::min(best, left <= 0 ? 0u : static_cast<uint32_t>(left));
    }
    return best;
}

}  // namespace plat
