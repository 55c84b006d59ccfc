// Sending, posting, deferred destruction, creation, painting, timers on the
// fake clock and the application loop; mouse and keyboard routing (hit tests,
// capture, double clicks, cursor, focus, accelerators); the z-order under
// random changes.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <memory>
#include <thread>
#include <tuple>

#include "platform/accelerators.h"
#include "platform/app.h"
#include "platform/clock.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "platform/termination.h"
#include "test_window.h"

using plat::ApplicationStepper;
using plat::HeadlessBackend;
using plat::MessageTrace;
using plat::MouseButton;
using plat::Point;
using plat::Rect;
using plat_test::TestWindow;

namespace {

constexpr uint32_t kPopup = WS_POPUP | WS_VISIBLE;

// Sends are synchronous and reentrant; posted messages arrive in order,
// after sends and before queued input; a destroyed window gets nothing more.
TEST(Messages, SendsPostsAndInputInTheirOrder) {
    HeadlessBackend host;
    std::vector<std::string> order;
    TestWindow a, b, never;
    ASSERT_TRUE(a.Create(nullptr, {0, 0, 100, 100}, kPopup));
    ASSERT_TRUE(b.Create(nullptr, {200, 0, 300, 100}, kPopup));
    b.On(WM_USER + 2, [&](plat::WParam w, plat::LParam) {
        order.push_back("b");
        return static_cast<plat::LResult>(w * 2);
    });
    a.On(WM_USER + 9, [&](plat::WParam w, plat::LParam) {
        order.push_back("a in");
        const plat::LResult r = b.SendMessage(WM_USER + 2, w);
        order.push_back("a out");
        return r + 1;
    });
    host.RunUntilIdle();
    a.log.clear();
    host.InjectMouseMove({5, 5});
    a.PostMessage(WM_USER + 1, 1);
    b.PostMessage(WM_USER + 1, 2);
    a.PostMessage(WM_USER + 1, 3);
    EXPECT_EQ(a.SendMessage(WM_USER + 9, 20), 41);
    EXPECT_EQ(std::tuple(order, a.Only()),
              std::tuple(std::vector<std::string>{"a in", "b", "a out"},
                         std::vector<uint32_t>{WM_USER + 9}));
    host.RunUntilIdle();
    std::vector<std::pair<plat::Window*, plat::WParam>> user;
    for (const auto& d : host.Recorder().Filter(MessageTrace::Kind::Dispatched)) {
        if (d.message == WM_USER + 1) user.emplace_back(d.window, d.wParam);
    }
    EXPECT_EQ(user,
              (std::vector<std::pair<plat::Window*, plat::WParam>>{{&a, 1}, {&b, 2}, {&a, 3}}));
    EXPECT_EQ(a.log.back().message, WM_MOUSEMOVE);
    // Null, never-created and destroyed windows answer 0 and get nothing;
    // a destroyed window's posted messages and timers are dropped.
    EXPECT_EQ((std::tuple{plat::SendMessage(nullptr, WM_USER), never.SendMessage(WM_USER),
                          never.PostMessage(WM_USER), never.log.size()}),
              std::tuple(0, 0, false, 0u));
    a.PostMessage(WM_USER + 1);
    a.SetTimer(7, 10);
    a.DestroyWindow();
    a.log.clear();
    EXPECT_EQ(a.SendMessage(WM_USER + 2), 0);
    host.RunFor(50, 5);
    EXPECT_TRUE(a.log.empty());
}

// A screen sends "done" to its opener, which deletes it while the screen's
// handler is still running; nested three deep.
TEST(Messages, DeletionInsideNestedHandlersWaitsForTheOutermostDispatch) {
    HeadlessBackend host;
    std::vector<std::string> journal;
    TestWindow frame("frame", &journal);
    ASSERT_TRUE(frame.Create(nullptr, {0, 0, 640, 480}, kPopup));
    const char* names[] = {"outer", "middle", "inner"};
    TestWindow* screens[3];
    for (int i = 0; i < 3; ++i) {
        screens[i] = new TestWindow(names[i], &journal);
        ASSERT_TRUE(screens[i]->Create(&frame, {0, 0, 100, 100}, kPopup));
    }
    // The frame deletes all three screens when the innermost reports.
    frame.On(WM_USER + 50, [&](plat::WParam, plat::LParam) {
        for (TestWindow* screen : screens) delete screen;
        journal.push_back("frame deleted the screens");
        return 0;
    });
    // Each screen sends to the next one (the innermost to the frame), then
    // carries on with its own window gone.
    for (int i = 0; i < 3; ++i) {
        TestWindow* self = screens[i];
        plat::Window* next = i < 2 ? screens[i + 1] : &frame;
        self->On(WM_USER + 1,
                 [&journal, self, next, i, name = names[i]](plat::WParam, plat::LParam) {
                     next->SendMessage(i < 2 ? WM_USER + 1 : WM_USER + 50);
                     journal.push_back(std::string(name) + " continues");
                     self->Invalidate();  // does nothing
                     EXPECT_FALSE(self->IsWindow() || self->PostMessage(WM_USER + 78));
                     return 0;
                 });
    }
    screens[0]->PostMessage(WM_USER + 1);
    host.RunUntilIdle();
    EXPECT_EQ(journal,
              (std::vector<std::string>{"frame deleted the screens", "inner continues",
                                        "inner deleted", "middle continues", "middle deleted",
                                        "outer continues", "outer deleted"}));
    // Nothing of the screens is left on the screen.
    EXPECT_EQ(plat::WindowsInPaintOrder().size(), 1u);
    frame.DestroyWindow();
}

TEST(Messages, CreationCanBeRefusedAndDestructionTakesOwnedWindowsAndChildren) {
    HeadlessBackend host;
    TestWindow shown;
    ASSERT_TRUE(shown.Create(nullptr, {0, 0, 10, 10}, kPopup));
    EXPECT_EQ(shown.Only({WM_CREATE, WM_SHOWWINDOW}),
              (std::vector<uint32_t>{WM_CREATE, WM_SHOWWINDOW}));
    const bool hidden = shown.ShowWindow(SW_HIDE);
    EXPECT_EQ(std::tuple(hidden, shown.ShowWindow(SW_HIDE)),
              std::tuple(true, false));  // no message
    EXPECT_EQ(shown.WParams(WM_SHOWWINDOW), (std::vector<plat::WParam>{1, 0}));
    TestWindow refused;
    refused.On(WM_CREATE, [](plat::WParam, plat::LParam) { return -1; });
    TestWindow orphan;  // a child needs a parent
    EXPECT_EQ((std::tuple{refused.Create(nullptr, {0, 0, 10, 10}, kPopup), refused.IsWindow(),
                          refused.Count(WM_DESTROY),
                          orphan.Create(nullptr, {0, 0, 10, 10}, WS_CHILD | WS_VISIBLE)}),
              std::tuple(false, false, 1u, false));
    // Close destroys by default, and destroying the owner takes the rest:
    // owned windows first, then the window itself, then its children.
    TestWindow owner, popup, child, grandChild;
    ASSERT_TRUE(owner.Create(nullptr, {0, 0, 100, 100}, kPopup));
    ASSERT_TRUE(popup.Create(&owner, {10, 10, 50, 50}, kPopup | WS_CHILD));
    ASSERT_TRUE(child.Create(&owner, {10, 10, 50, 50}, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(grandChild.Create(&child, {1, 1, 5, 5}, WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(popup.GetParent(), &owner);
    owner.PostMessage(WM_CLOSE);
    host.RunUntilIdle();
    EXPECT_FALSE(owner.IsWindow() || popup.IsWindow() || child.IsWindow() || grandChild.IsWindow());
    std::vector<plat::Window*> order;
    for (const auto& m : host.Recorder().Filter(MessageTrace::Kind::Sent, nullptr, WM_DESTROY))
        if (m.window != &refused) order.push_back(m.window);
    EXPECT_EQ(order, (std::vector<plat::Window*>{&popup, &owner, &child, &grandChild}));
}

TEST(Messages, PaintComesOnlyForInvalidVisibleWindowsWhenTheQueueIsEmpty) {
    HeadlessBackend host;
    TestWindow w, popup, beside;
    ASSERT_TRUE(w.Create(nullptr, {0, 0, 100, 100}, kPopup));
    w.PostMessage(WM_USER + 1);
    host.RunUntilIdle();
    // Shown windows start invalid; the paint waited for the posted message.
    EXPECT_EQ(w.Only(), (std::vector<uint32_t>{WM_CREATE, WM_SHOWWINDOW, WM_SETFOCUS, WM_USER + 1,
                                               WM_PAINT}));
    host.RunUntilIdle();
    EXPECT_EQ(w.Count(WM_PAINT), 1u);  // valid now: no more paints
    // Hiding a window repaints what it covered below it, nothing else; a
    // paint handler that never begins painting does not loop for ever.
    w.On(WM_PAINT, [&](plat::WParam, plat::LParam) {
        EXPECT_EQ(w.BeginPaint(), (Rect{50, 50, 100, 80}));
        w.EndPaint();
        return 0;
    });
    beside.On(WM_PAINT, [](plat::WParam, plat::LParam) { return 0; });
    ASSERT_TRUE(beside.Create(nullptr, {300, 0, 400, 100}, kPopup));
    ASSERT_TRUE(popup.Create(&w, {50, 50, 100, 80}, kPopup, WS_EX_TOPMOST));
    host.RunUntilIdle();
    popup.ShowWindow(SW_HIDE);
    host.RunUntilIdle();
    EXPECT_EQ(std::tuple(w.Count(WM_PAINT), beside.Count(WM_PAINT)), std::tuple(2u, 1u));
}

TEST(Timers, FireEveryPeriodWithoutCatchingUpAndRestartWhenSetAgain) {
    HeadlessBackend host;
    TestWindow w;
    ASSERT_TRUE(w.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
    EXPECT_EQ(w.SetTimer(1105, 100), 1105u);
    w.SetTimer(1106, 10);
    host.RunFor(100, 10);
    auto ids = w.WParams(WM_TIMER);
    EXPECT_EQ(std::tuple(std::count(ids.begin(), ids.end(), 1106u),
                         std::count(ids.begin(), ids.end(), 1105u)),
              std::tuple(10, 1));
    const bool killed = w.KillTimer(1106);
    EXPECT_EQ(std::tuple(killed, w.KillTimer(1106)), std::tuple(true, false));
    // A long stall gives one message, not one per missed period.
    w.log.clear();
    host.AdvanceClock(1000);
    host.RunUntilIdle();
    EXPECT_EQ(w.WParams(WM_TIMER), std::vector<plat::WParam>{1105});
    // Setting an existing id restarts its period.
    host.AdvanceClock(90);
    w.SetTimer(1105, 100);
    for (size_t count : {1u, 2u}) {
        host.AdvanceClock(50);
        host.RunUntilIdle();
        EXPECT_EQ(w.Count(WM_TIMER), count);
    }
    // Periods below 10 ms run at 10 ms; a destroyed window's timers are gone.
    w.SetTimer(5, 1);
    EXPECT_EQ(plat::TimeUntilNextTimer(), 10u);
    w.DestroyWindow();
    EXPECT_EQ(plat::TimeUntilNextTimer(), UINT32_MAX);
}

TEST(Timers, SurviveTheWrapOfTheClockAndComeAfterPaint) {
    HeadlessBackend host;
    host.SetClock(0xFFFFFFF0u);
    TestWindow w;
    ASSERT_TRUE(w.Create(nullptr, {0, 0, 10, 10}, WS_POPUP | WS_VISIBLE));
    host.RunUntilIdle();
    w.log.clear();
    w.SetTimer(1, 100);
    host.AdvanceClock(0x20);  // the clock wrapped to 0x10
    EXPECT_EQ(plat::TimeGetTime(), 0x10u);
    host.RunUntilIdle();
    EXPECT_EQ(plat::TimeUntilNextTimer(), 68u);
    host.AdvanceClock(68);
    w.Invalidate();
    host.RunUntilIdle();
    EXPECT_EQ(w.Only(), (std::vector<uint32_t>{WM_PAINT, WM_TIMER}));
}

// Idle passes move the fake clock, so that timers come due while the loop
// runs; idle answers false after `idleLimit` passes in a row.
struct TestApp : plat::Application {
    explicit TestApp(HeadlessBackend& host) : host(host) {}
    bool InitInstance() override {
        if (onInit) onInit();
        return initAnswer;
    }
    bool OnIdle(long count) override {
        host.AdvanceClock(1);
        idleCounts.push_back(count);
        return count + 1 < idleLimit;
    }
    int ExitInstance() override {
        ++exitCalls;
        return Application::ExitInstance() + 100;
    }
    HeadlessBackend& host;
    std::vector<long> idleCounts;
    int idleLimit = 1000, exitCalls = 0;
    std::function<void()> onInit;
    bool initAnswer = true;
};

TEST(Loop, IdleRunsWhileTheQueueIsEmptyAndCountsFromTheLastMessage) {
    HeadlessBackend host;
    TestApp app(host);
    app.idleLimit = 3;
    TestWindow w;
    app.onInit = [&] {
        ASSERT_TRUE(w.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
        app.mainWindow = &w;
    };
    ApplicationStepper loop(app, host);
    ASSERT_TRUE(loop.Start());
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(loop.Turn());
    EXPECT_EQ(app.idleCounts, (std::vector<long>{0, 1, 2}));  // then idle stopped asking
    w.PostMessage(WM_USER + 1);
    ASSERT_TRUE(loop.Turn());
    EXPECT_EQ(w.Count(WM_USER + 1), 1u);
    EXPECT_EQ(app.idleCounts, (std::vector<long>{0, 1, 2, 0}));
    w.DestroyWindow();
    EXPECT_FALSE(loop.Turn());  // the main window is gone: the loop ends
    const int code = loop.Finish();
    EXPECT_EQ((std::tuple{code, loop.Finish(), app.exitCalls}), std::tuple(100, 100, 1));
}

// The frame's close handler deletes the frame and ends the process, as the
// game does; the frame's destructor (which writes the settings) still runs,
// after its handler has returned.
TEST(Loop, ExitFromAHandlerIsAnOrderlyQuit) {
    HeadlessBackend host;
    std::vector<std::string> journal;
    TestApp app(host);
    TestWindow* frame = nullptr;
    app.onInit = [&] {
        frame = new TestWindow("frame", &journal);
        ASSERT_TRUE(frame->Create(nullptr, {0, 0, 640, 480}, WS_POPUP | WS_VISIBLE));
        app.mainWindow = frame;
        frame->On(WM_CLOSE, [&](plat::WParam, plat::LParam) {
            delete frame;
            plat::ExitProcess(0);
            journal.push_back("handler returns");
            return 0;
        });
    };
    ApplicationStepper loop(app, host);
    ASSERT_TRUE(loop.Start());
    TestWindow other;
    ASSERT_TRUE(other.Create(nullptr, {0, 0, 10, 10}, WS_POPUP | WS_VISIBLE));
    host.InjectCloseRequest();  // the user closed the host window
    host.InjectMouseMove({5, 5});
    other.PostMessage(WM_USER);
    EXPECT_FALSE(loop.Turn());
    EXPECT_EQ(journal, (std::vector<std::string>{"handler returns", "frame deleted"}));
    // Posted before the quit: still handled; input after it: not any more.
    EXPECT_EQ(std::tuple(other.Count(WM_USER), other.Count(WM_MOUSEMOVE)), std::tuple(1u, 0u));
    EXPECT_EQ(loop.Finish(), 100);
}

// The main window pre-translates every window's messages; a quit posted
// from a timer ends the run with its code; a refused start destroys the
// main window and still exits.
TEST(Loop, RunApplicationEndsWithTheQuitCodeOrARefusedStart) {
    class Watcher : public TestWindow {
      public:
        int seen = 0;
        bool PreTranslateMessage(plat::Msg& msg) override {
            seen += msg.message == WM_USER + 5;
            return false;
        }
    };
    HeadlessBackend host;
    TestApp app(host);
    Watcher watcher;
    TestWindow unrelated;
    int ticks = 0;
    app.onInit = [&] {
        ASSERT_TRUE(watcher.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
        ASSERT_TRUE(unrelated.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
        app.mainWindow = &watcher;
        unrelated.PostMessage(WM_USER + 5);
        unrelated.SetTimer(1, 10);
        unrelated.On(WM_TIMER, [&](plat::WParam, plat::LParam) {
            if (++ticks == 3) plat::PostQuit(7);
            return 0;
        });
    };
    EXPECT_EQ(plat::RunApplication(app, host), 107);
    EXPECT_EQ(std::tuple(ticks, watcher.seen, plat::CurrentApplication()),
              std::tuple(3, 1, nullptr));
    TestApp refused(host);
    TestWindow w;
    refused.initAnswer = false;
    refused.onInit = [&] {
        ASSERT_TRUE(w.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
        refused.mainWindow = &w;
    };
    EXPECT_EQ(plat::RunApplication(refused, host), 100);
    EXPECT_EQ(std::tuple(w.IsWindow(), refused.exitCalls), std::tuple(false, 1));
}

// A signal taken in another thread wakes the back end's loop through its
// waker; once the back end has taken the waker back, as it does before it
// shuts its host library down, a signal is only recorded.
TEST(Loop, TerminationWakesTheLoopOnlyUntilTheBackEndGoesDown) {
    static std::atomic<int> wakes{0};
    plat::SetTerminationWaker([] { ++wakes; });
    std::thread([] { plat::RequestTermination(SIGTERM); }).join();
    EXPECT_EQ(wakes.load(), 1);
    plat::SetTerminationWaker(nullptr);
    std::thread([] { plat::RequestTermination(SIGINT); }).join();
    EXPECT_EQ(std::tuple(wakes.load(), plat::TerminationSignal()), std::tuple(1, SIGTERM));
    plat::ClearTermination();
}

Point Where(const plat_test::Logged* l) {
    return {plat::XFromLParam(l->lParam), plat::YFromLParam(l->lParam)};
}

TEST(Mouse, GoesToTheTopWindowUnderTheCursorInClientCoordinates) {
    HeadlessBackend host;
    TestWindow frame, child, popup, back;
    ASSERT_TRUE(back.Create(nullptr, {0, 0, 150, 150}, kPopup));
    ASSERT_TRUE(frame.Create(nullptr, {100, 100, 300, 300}, kPopup | WS_BORDER));
    ASSERT_TRUE(child.Create(&frame, {10, 10, 50, 50}, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(popup.Create(&frame, {250, 250, 400, 400}, kPopup | WS_CHILD, WS_EX_TOPMOST));
    // The child sits in the frame's client area, inside the one-pixel border.
    EXPECT_EQ(child.GetWindowRect(), (Rect{111, 111, 151, 151}));
    for (Point p : {Point{120, 130}, Point{200, 200}, Point{260, 260}}) host.InjectClick(p);
    host.RunUntilIdle();
    EXPECT_EQ(std::tuple(Where(child.Last(WM_LBUTTONDOWN)), Where(frame.Last(WM_LBUTTONDOWN)),
                         Where(popup.Last(WM_LBUTTONDOWN)), child.Last(WM_LBUTTONDOWN)->wParam),
              std::tuple(Point{9, 19}, Point{99, 99}, Point{10, 10}, MK_LBUTTON));
    EXPECT_EQ(frame.Count(WM_LBUTTONDOWN), 1u);  // only the top window gets a click
    // Clicking a window brings its top-level window to the front with the focus.
    host.InjectClick({10, 10});
    host.RunUntilIdle();
    EXPECT_EQ(std::tuple(plat::WindowFromPoint({120, 120}), plat::GetFocus()),
              std::tuple(&back, &back));
}

TEST(Mouse, CaptureGetsEveryMessageWithClientCoordinatesOutside) {
    HeadlessBackend host;
    TestWindow strip, other;
    ASSERT_TRUE(other.Create(nullptr, {0, 0, 1024, 768}, kPopup));
    ASSERT_TRUE(strip.Create(&other, {100, 0, 900, 2}, kPopup, WS_EX_TOPMOST | WS_EX_TRANSPARENT));
    EXPECT_EQ(plat::SetCapture(&strip), nullptr);
    host.InjectMouseMove({50, 300});
    host.InjectClick({60, 310}, MouseButton::Right);
    host.RunUntilIdle();
    EXPECT_EQ(Where(strip.Last(WM_RBUTTONDOWN)), (Point{-40, 310}));
    EXPECT_EQ(other.Count(WM_MOUSEMOVE) + other.Count(WM_SETCURSOR), 0u);
    plat::ReleaseCapture();
    EXPECT_EQ(strip.Last(WM_CAPTURECHANGED)->lParam, 0);
    // A destroyed window loses the capture.
    plat::SetCapture(&strip);
    strip.DestroyWindow();
    EXPECT_EQ(plat::GetCapture(), nullptr);
}

TEST(Mouse, DoubleClicksOnlyForClassesThatAskAndOnlyWhenFastAndClose) {
    HeadlessBackend host;
    TestWindow button("button", nullptr, CS_DBLCLKS), plain;
    ASSERT_TRUE(button.Create(nullptr, {0, 0, 100, 40}, kPopup));
    ASSERT_TRUE(plain.Create(nullptr, {200, 0, 300, 40}, kPopup));
    auto clicks = [](const TestWindow& w) {
        return w.Only({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK});
    };
    // {wait before, where, button}: a fast second click doubles, the third
    // is plain again; too slow, too far, or the other button: plain presses.
    constexpr MouseButton L = MouseButton::Left, R = MouseButton::Right;
    for (const auto& [wait, at, button] : {std::tuple{0, Point{10, 10}, L},
                                           {200, {12, 8}, L},
                                           {200, {12, 8}, L},
                                           {501, {12, 8}, L},
                                           {100, {15, 8}, L},
                                           {100, {15, 8}, R},
                                           {100, {15, 8}, R},
                                           {0, {210, 10}, L},
                                           {0, {210, 10}, L}}) {
        host.AdvanceClock(uint32_t(wait));
        host.InjectClick(at, button);
        host.RunUntilIdle();
    }
    EXPECT_EQ(clicks(button), (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK,
                                                     WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDOWN,
                                                     WM_RBUTTONDOWN, WM_RBUTTONDBLCLK}));
    EXPECT_EQ(clicks(plain), (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST(Cursor, ClippingShapesAndWarps) {
    HeadlessBackend host;
    TestWindow view, panel;
    ASSERT_TRUE(view.Create(nullptr, {162, 0, 1024, 768}, kPopup));
    ASSERT_TRUE(panel.Create(nullptr, {0, 0, 162, 768}, kPopup));
    const Rect box{300, 200, 500, 400};
    plat::ClipCursor(&box);
    EXPECT_EQ(host.CursorWarps().back(), (Point{300, 200}));  // moved inside at once
    host.InjectMouseMove({900, 100});
    host.RunUntilIdle();
    EXPECT_EQ(Where(view.Last(WM_MOUSEMOVE)), (Point{499 - 162, 200}));
    plat::ClipCursor(nullptr);
    EXPECT_FALSE(host.CursorClip(nullptr));
    // WM_SETCURSOR chooses the shape; the default handling is the arrow.
    view.On(WM_SETCURSOR, [](plat::WParam, plat::LParam) { return plat::SetCursor(209), 0; });
    for (auto [x, shape] : {std::pair{500, 209}, {50, IDC_ARROW}}) {
        host.InjectMouseMove({x, 300});
        host.RunUntilIdle();
        EXPECT_EQ(host.CursorShape(), shape);
    }
    EXPECT_EQ(plat::ShowCursor(false), -1);
    EXPECT_FALSE(host.CursorVisible());
    EXPECT_EQ(plat::ShowCursor(true), 0);
    // Setting the position moves the host's pointer and makes a mouse move.
    plat::SetCursorPos({400, 300});
    host.RunUntilIdle();
    EXPECT_EQ(std::tuple(host.CursorWarps().back(), Where(view.Last(WM_MOUSEMOVE))),
              std::tuple(Point{400, 300}, Point{400 - 162, 300}));
}

// A frame that translates keys through its table while it holds one.
class Frame : public TestWindow {
  public:
    std::unique_ptr<plat::AcceleratorTable> keys;
    bool PreTranslateMessage(plat::Msg& msg) override {
        return keys && plat::TranslateAccelerator(this, keys.get(), msg);
    }
};

TEST(Keyboard, KeysGoToTheFocusWindowAndAcceleratorsOnlyWhileTheTableIsLoaded) {
    HeadlessBackend host;
    Frame frame;
    TestWindow screen;
    ASSERT_TRUE(frame.Create(nullptr, {0, 0, 640, 480}, kPopup));
    ASSERT_TRUE(screen.Create(&frame, {100, 100, 300, 300}, kPopup | WS_CHILD, WS_EX_TOPMOST));
    EXPECT_EQ(plat::GetFocus(), &screen);  // shown top-level windows take the focus
    host.InjectKeyPress('A', 'a');
    host.InjectKeyPress(VK_RETURN);
    host.InjectChar(0xE4);
    host.InjectKey(VK_MENU, true);  // Alt makes system keys, which type nothing
    host.InjectKeyPress('X', 'x');
    host.InjectKey(VK_MENU, false);
    host.RunUntilIdle();
    EXPECT_EQ(screen.WParams(WM_CHAR), (std::vector<plat::WParam>{'a', 13, 0xE4}));
    EXPECT_EQ(screen.WParams(WM_SYSKEYDOWN), (std::vector<plat::WParam>{VK_MENU, 'X'}));
    EXPECT_EQ(frame.Count(WM_KEYDOWN), 0u);
    // Hiding the focus window hands the focus to its owner.
    screen.ShowWindow(SW_HIDE);
    EXPECT_EQ(plat::GetFocus(), &frame);
    frame.keys = std::make_unique<plat::AcceleratorTable>(std::vector<plat::Accelerator>{
        {0, 'A', 40335}, {plat::kAccelShift, VK_F1, 40351}, {plat::kAccelAlt, 'X', 40387}});
    host.InjectKeyPress('A', 'a');
    host.InjectKeyPress(VK_F1);  // F1 without Shift is not in the table
    host.InjectKey(VK_SHIFT, true);
    host.InjectKeyPress(VK_F1);
    host.InjectKeyPress('A', 'A');  // nor is Shift+A
    host.InjectKey(VK_SHIFT, false);
    host.InjectKey(VK_MENU, true);
    host.InjectKeyPress('X');
    host.InjectKey(VK_MENU, false);
    host.RunUntilIdle();
    EXPECT_EQ(frame.WParams(WM_COMMAND),
              (std::vector<plat::WParam>{plat::MakeWParam(40335, 1), plat::MakeWParam(40351, 1),
                                         plat::MakeWParam(40387, 1)}));
    // Translated keys type nothing; Shift+A does.
    EXPECT_EQ(frame.WParams(WM_CHAR), std::vector<plat::WParam>{'A'});
    frame.keys.reset();  // dropped while a screen is open
    host.InjectKeyPress('A', 'a');
    host.RunUntilIdle();
    EXPECT_EQ(std::tuple(frame.Count(WM_COMMAND), frame.Last(WM_CHAR)->wParam),
              std::tuple(3u, 'a'));
}

void CheckOrder(const std::vector<plat::PaintItem>& items) {
    std::vector<plat::Window*> order;
    for (const auto& item : items) order.push_back(item.window);
    auto position = [&](const plat::Window* w) {
        return std::find(order.begin(), order.end(), w) - order.begin();
    };
    bool seenTopMost = false;
    for (size_t i = 0; i < order.size(); ++i) {
        plat::Window* w = order[i];
        if (w->IsChildWindow()) {
            // A child comes after its parent.
            EXPECT_LT(position(w->GetParent()), static_cast<ptrdiff_t>(i));
            continue;
        }
        const bool topMost = (w->GetExStyle() & WS_EX_TOPMOST) != 0;
        EXPECT_TRUE(topMost || !seenTopMost) << "a plain window above the top-most band";
        seenTopMost = seenTopMost || topMost;
        plat::Window* owner = w->GetParent();
        if (owner != nullptr && owner->IsWindowVisible() &&
            ((owner->GetExStyle() & WS_EX_TOPMOST) != 0) == topMost) {
            EXPECT_LT(position(owner), static_cast<ptrdiff_t>(i)) << "owned window below owner";
        }
    }
}

TEST(ZOrder, BandsOwnersAndParentsHoldUnderRandomChanges) {
    HeadlessBackend host;
    plat::Srand(1234);
    std::vector<std::unique_ptr<TestWindow>> windows;
    for (int step = 0; step < 2000; ++step) {
        const int action = plat::Rand() % 6;
        TestWindow* some = windows.empty() ? nullptr : windows[plat::Rand() % windows.size()].get();
        if (action < 2) {
            auto w = std::make_unique<TestWindow>();
            const bool child = some != nullptr && some->IsWindow() && plat::Rand() % 3 == 0;
            const uint32_t style =
                (child ? WS_CHILD : WS_POPUP) | (plat::Rand() % 4 ? WS_VISIBLE : 0);
            const uint32_t ex = plat::Rand() % 2 ? WS_EX_TOPMOST : 0;
            const int x = plat::Rand() % 900, y = plat::Rand() % 700;
            w->Create(some && some->IsWindow() ? some : nullptr, {x, y, x + 100, y + 60}, style,
                      ex);
            windows.push_back(std::move(w));
        } else if (action == 5 && !windows.empty()) {
            windows.erase(windows.begin() + plat::Rand() % windows.size());
        } else if (some != nullptr && action == 2) {
            some->BringWindowToTop();
        } else if (some != nullptr && action == 3) {
            some->ShowWindow(plat::Rand() % 2 ? SW_SHOW : SW_HIDE);
        } else if (some != nullptr && action == 4) {
            some->DestroyWindow();
        }
        if (step % 50 == 0) host.RunUntilIdle();
        CheckOrder(plat::WindowsInPaintOrder());
        if (HasFailure()) return;
    }
}

TEST(ZOrder, AChildObjectOutlivingItsParentIsSafe) {
    HeadlessBackend host;
    auto parent = std::make_unique<TestWindow>();
    TestWindow child;
    ASSERT_TRUE(parent->Create(nullptr, {10, 10, 100, 100}, WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(child.Create(parent.get(), {5, 5, 20, 20}, WS_CHILD | WS_VISIBLE));
    parent.reset();
    EXPECT_EQ(std::tuple(child.GetParent(), child.ShowWindow(SW_SHOW)), std::tuple(nullptr, false));
}

}  // namespace
