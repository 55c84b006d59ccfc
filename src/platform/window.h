#pragma once
// Windows: a tree of rectangles that receive messages.
//
// A game window class derives from plat::Window and overrides OnMessage
// (a switch over the message number, falling back to DefaultMessage). Objects
// are created with `new`, then Create() makes the window; `delete` ends both.
//
//   class Screen : public plat::Window {
//   protected:
//       plat::LResult OnMessage(uint32_t msg, plat::WParam w, plat::LParam l) override {
//           if (msg == WM_LBUTTONDOWN) { ...; return 0; }
//           return DefaultMessage(msg, w, l);
//       }
//   };
//   auto* s = new Screen;
//   s->Create(frame, {0, 0, 640, 480}, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
//
// Coordinates: a child window (WS_CHILD without WS_POPUP) is placed in its
// parent's client coordinates and clipped to the parent; every other window is
// top-level and placed in screen coordinates, and a parent passed to it is its
// owner (owned windows stay above their owner and die with it). WS_BORDER
// insets the client area by one pixel on every side.
//
// Deferred destruction: `delete` on a window whose OnMessage is running (at
// any depth of nested sends) destroys the window at once (no more messages
// reach it, it disappears from the screen) but runs the C++ destructor and
// frees the memory only when the outermost dispatch to it has returned. So a
// handler may send a "done" message whose receiver deletes the sender. Only
// heap objects may be deleted while their handler runs.
//
// Each window owns a retained 8-bit surface of its client size (Surface); the
// drawing layer paints into it and composes the visible windows into the
// virtual screen (see screen.h for the paint order).

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/messages.h"
#include "platform/surface.h"

namespace plat {

class Window;

// One queued message as the loop hands it to PreTranslateMessage.
struct Msg {
    Window* window = nullptr;
    uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    uint32_t time = 0;  // clock value when the message arose
    Point pt;           // cursor position (screen) when it arose
    // WM_KEYDOWN only: the Windows-1252 character the key types (0 = none);
    // TranslateMessage turns it into WM_CHAR.
    uint8_t character = 0;
};

class Window {
  public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Defers the destruction while a handler of this window runs (see above).
    void operator delete(Window* window, std::destroying_delete_t);
    // Windows come from the class's own allocation, so that every delete
    // expression is paired with the allocation function that matches it; the
    // plain delete only frees a window whose constructor threw.
    static void* operator new(std::size_t size);
    static void operator delete(void* memory) noexcept;

    // --- Life cycle -------------------------------------------------------
    // Makes the window. Sends WM_CREATE; a handler answering -1 fails the
    // creation (the window is destroyed again and false returned). With
    // WS_VISIBLE the window is then shown as by ShowWindow(SW_SHOW).
    bool Create(Window* parent, const Rect& rect, uint32_t style, uint32_t exStyle = 0,
                std::string_view caption = {}, uint32_t id = 0);
    // Destroys the window, its owned windows and its children (each gets
    // WM_DESTROY); queued messages and timers for them are dropped, capture and
    // focus are released. The object stays until deleted. Destroying the
    // application's main window ends the message loop (PostQuit(0)).
    bool DestroyWindow();
    // True from WM_CREATE until the window is destroyed.
    bool IsWindow() const;

    // --- Messages ---------------------------------------------------------
    // Runs the handler now and returns its answer; 0 when the window does not
    // exist. Re-entrant: a handler may send further messages.
    LResult SendMessage(uint32_t message, WParam wParam = 0, LParam lParam = 0);
    // Appends the message to the queue; false when the window does not exist.
    bool PostMessage(uint32_t message, WParam wParam = 0, LParam lParam = 0);

    // Called for every queued message of this window, and for every queued
    // message at all when this is the application's main window, before it
    // is dispatched. Answer true to consume it.
    virtual bool PreTranslateMessage(Msg& msg);
    // Class properties: CS_DBLCLKS asks for double-click messages; the class
    // cursor is set by the default WM_SETCURSOR handling.
    virtual uint32_t ClassStyle() const { return 0; }
    virtual CursorId ClassCursor() const { return IDC_ARROW; }

    // --- Visibility and state ---------------------------------------------
    // SW_HIDE, SW_SHOW, SW_SHOWNORMAL (show; a top-level window also comes
    // to the front and takes the focus), SW_SHOWNA and SW_SHOWNOACTIVATE (show
    // only). Sends WM_SHOWWINDOW before the visibility changes. Hiding the
    // focus window hands the focus to its nearest visible parent or owner.
    // Returns whether it was visible before.
    bool ShowWindow(int32_t command);
    // Visible and every parent (for a child) visible.
    bool IsWindowVisible() const;
    // Disabled windows get no mouse or keyboard input. Returns whether the
    // window was disabled before.
    bool EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    // Moves the window (and its owned windows) to the top of its z-order
    // band; a child to the top of its siblings.
    void BringWindowToTop();

    // --- Geometry ---------------------------------------------------------
    Rect GetWindowRect() const;  // screen coordinates, border included
    Rect GetClientRect() const;  // (0, 0, client width, client height)
    Point ClientToScreen(Point p) const;
    Rect ClientToScreen(const Rect& r) const;
    Point ScreenToClient(Point p) const;
    Rect ScreenToClient(const Rect& r) const;
    // Same coordinates as Create. Resizing resizes the surface (see Surface).
    void MoveWindow(const Rect& rect, bool repaint = true);

    // --- Tree -------------------------------------------------------------
    // The parent of a child window, the owner of a top-level one.
    Window* GetParent() const { return parent_; }
    bool IsChildWindow() const;  // WS_CHILD without WS_POPUP, with a parent
    // Child windows in z-order, bottom first.
    const std::vector<Window*>& Children() const { return children_; }
    uint32_t GetStyle() const { return style_; }
    uint32_t GetExStyle() const { return exStyle_; }
    uint32_t GetDlgCtrlID() const { return id_; }
    const std::string& GetWindowText() const { return caption_; }
    void SetWindowText(std::string_view text) { caption_ = text; }

    // --- Painting ---------------------------------------------------------
    // Adds a client rectangle (nullptr = all) to the update region. A
    // visible window with a non-empty update region gets WM_PAINT when the
    // queue holds nothing else.
    void InvalidateRect(const Rect* rect);
    void Invalidate() { InvalidateRect(nullptr); }
    void ValidateRect(const Rect* rect);
    // The bounding box of the update region; false when there is none.
    bool GetUpdateRect(Rect* rect) const;
    // Sends WM_PAINT at once when the update region is not empty.
    void UpdateWindow();
    // For paint device contexts: returns the update rectangle and validates
    // the window; EndPaint tells the screen that the surface changed.
    Rect BeginPaint();
    void EndPaint();

    Surface& GetSurface() { return surface_; }
    const Surface& GetSurface() const { return surface_; }
    // Call after drawing into the surface outside a paint cycle: into all of
    // it, or only into `area` (surface coordinates).
    void MarkSurfaceChanged();
    void MarkSurfaceChanged(const Rect& area);
    // Shown and not drawn since: its surface holds nothing worth showing yet
    // (true until its first paint ends, it is drawn into outside a paint, or
    // nothing is left for a paint to do).
    bool AwaitsFirstPaint() const { return unpainted_ && (painting_ || !invalid_.IsEmpty()); }

    // --- Timers -----------------------------------------------------------
    // Starts or restarts timer `id` (non-zero): WM_TIMER(id) arrives every
    // `elapseMs` (at least 10) when the queue holds nothing else; missed
    // periods are not caught up. Returns id, or 0 without a window.
    uint32_t SetTimer(uint32_t id, uint32_t elapseMs);
    bool KillTimer(uint32_t id);

  protected:
    // The message handler. Overrides fall back to DefaultMessage.
    virtual LResult OnMessage(uint32_t message, WParam wParam, LParam lParam);
    // Default handling: WM_CLOSE destroys the window, WM_PAINT validates,
    // WM_SETCURSOR asks the parent of a child first and then sets the class
    // cursor; everything else answers 0.
    LResult DefaultMessage(uint32_t message, WParam wParam, LParam lParam);

  private:
    friend struct WindowSystem;

    enum class State : uint8_t { None, Creating, Alive, Destroying, Destroyed };

    Window* parent_ = nullptr;
    std::vector<Window*> children_;
    uint32_t style_ = 0;
    uint32_t exStyle_ = 0;
    uint32_t id_ = 0;
    std::string caption_;
    Rect rect_;  // parent-client coordinates for a child, screen otherwise
    Rect invalid_;
    Surface surface_;
    uint64_t serial_ = 0;
    int32_t dispatchDepth_ = 0;
    uint32_t paintCount_ = 0;
    State state_ = State::None;
    bool deletePending_ = false;
    bool unpainted_ = false;  // shown and not drawn since
    bool painting_ = false;   // between BeginPaint and EndPaint
};

// Null-tolerant forms: a null or destroyed window gets nothing (0 / false).
// Inside a window class the members hide these: write plat::SendMessage(...).
LResult SendMessage(Window* window, uint32_t message, WParam wParam = 0, LParam lParam = 0);
bool PostMessage(Window* window, uint32_t message, WParam wParam = 0, LParam lParam = 0);
// True while `window` points at a live object whose window exists.
bool IsWindow(const Window* window);

}  // namespace plat
