#pragma once
// Internal state of the window layer, shared by its .cpp files: the live
// windows, the z-order of top-level windows, the posted and input queues,
// timers, capture, focus, cursor and key state. Not for game code.

#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

#include "platform/app.h"
#include "platform/backend.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace plat {

struct WindowSystem {
    struct Posted {
        Window* window = nullptr;
        uint64_t serial = 0;
        uint32_t message = 0;
        WParam wParam = 0;
        LParam lParam = 0;
        uint32_t time = 0;
        Point pt;
    };

    // Host input waiting in the queue; it becomes a window message only when
    // it is taken out (capture, focus and double clicks are decided then).
    struct Input {
        enum class Kind : uint8_t { Move, Button, Key, Char } kind = Kind::Move;
        Point pos;
        MouseButton button = MouseButton::Left;
        bool down = false;
        int32_t key = 0;
        uint8_t character = 0;
        uint32_t mouseKeys = 0;  // MK_ flags after the event
        uint32_t time = 0;
    };

    struct Timer {
        Window* window = nullptr;
        uint32_t id = 0;
        uint32_t period = 0;
        uint32_t due = 0;
    };

    struct Click {
        bool valid = false;
        MouseButton button = MouseButton::Left;
        Window* window = nullptr;
        uint64_t serial = 0;
        uint32_t time = 0;
        Point pos;
    };

    // Every constructed Window object, with its serial number.
    std::unordered_map<const Window*, uint64_t> live;
    uint64_t nextSerial = 1;
    // Created top-level windows, bottom first.
    std::vector<Window*> topLevel;

    std::deque<Posted> posted;
    std::deque<Input> input;
    std::vector<Timer> timers;
    bool quit = false;
    int quitCode = 0;

    Point cursor;
    bool clipped = false;
    Rect clip;
    Window* capture = nullptr;
    Window* focus = nullptr;
    CursorId cursorShape = IDC_ARROW;
    int32_t cursorCount = 0;
    uint8_t keyState[256] = {};  // as of the last input taken: 0x80 down, 0x01 toggle
    uint8_t hostKeys[256] = {};  // as the host reported it (for MK_ flags)
    uint32_t hostButtons = 0;    // MK_LBUTTON | MK_RBUTTON | MK_MBUTTON as reported
    Click lastClick;

    MessageObserver observer;
    bool screenChanged = true;
    // The parts of window surfaces that changed since the compositor last
    // looked (while nothing moved; see MarkWindowSurfaceChanged).
    std::vector<SurfaceChange> changedSurfaces;
    ScreenPresenter presenter;
    Application* app = nullptr;
    Backend* backend = nullptr;

    static WindowSystem& Get();

    // Clears the queues, timers and input state (not the windows).
    void ResetState();

    // --- Windows ----------------------------------------------------------
    bool IsLive(const Window* w) const { return live.count(w) != 0; }
    bool IsLive(const Window* w, uint64_t serial) const;
    // Created (or being created or destroyed) and not yet gone.
    static bool CanReceive(const Window* w);
    static bool IsTopLevel(const Window* w) { return !w->IsChildWindow(); }
    static Window* TopLevelOf(Window* w);
    static Rect ScreenRect(const Window* w);
    static Point ClientOrigin(const Window* w);
    // Puts a created window into the z-order (top of its band or siblings).
    void Insert(Window* w);
    void Remove(Window* w);
    void BringToTop(Window* w);
    // Brings the top-level window of `w` to the front and gives it the focus
    // unless the focus is already inside it.
    void Activate(Window* w);
    // The window to take the focus from `leaving` (which hides or dies).
    Window* FocusHeir(Window* leaving) const;
    // Invalidates what `w` covered (screen rectangle) in the windows below it.
    void InvalidateBelow(const Window* w, const Rect& screenRect);
    void Forget(Window* w);  // drops queued messages, timers and input references

    // --- Messages ---------------------------------------------------------
    LResult Deliver(Window* w, uint32_t message, WParam wParam, LParam lParam);
    void Trace(MessageTrace::Kind kind, Window* w, uint32_t message, WParam wParam,
               LParam lParam) const;
    // Takes the next message in queue order; false when none (or on quit).
    bool TakeNext(Msg* out, uint64_t* serial);
    // Turns input into a message (nullptr window: dropped). With `commit`
    // the key state, double-click memory, cursor and activation change.
    bool Resolve(const Input& in, bool commit, Msg* out);
    bool FindPaint(Msg* out, uint64_t* serial);
    bool FindTimer(bool take, Msg* out, uint64_t* serial);
    bool PreTranslate(Msg& msg);

    static uint32_t PaintCount(const Window* w) { return w->paintCount_; }
    static void Enter(Window* w) { ++w->dispatchDepth_; }
    // Ends one dispatch level; runs a deferred delete when it was the last.
    static void Leave(Window* w);
    static void FinishDelete(Window* w);
};

// The layer's receiver of host input (input.cpp).
InputSink& LayerInput();

// Holds a window "in dispatch" so that a delete during the call is deferred
// until the outermost holder lets go.
class DispatchGuard {
  public:
    explicit DispatchGuard(Window* w);
    ~DispatchGuard();
    DispatchGuard(const DispatchGuard&) = delete;
    DispatchGuard& operator=(const DispatchGuard&) = delete;

  private:
    Window* window_;
};

}  // namespace plat
