// The application loop: idle passes, quitting from handlers, the main
// window's part, and running a whole application on the headless back end.

#include <gtest/gtest.h>

#include "platform/app.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_queue.h"
#include "test_window.h"

using plat::ApplicationStepper;
using plat::HeadlessBackend;
using plat_test::TestWindow;

namespace {

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
    EXPECT_EQ(loop.Finish(), 100);
    EXPECT_EQ(loop.Finish(), 100);
    EXPECT_EQ(app.exitCalls, 1);
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
    EXPECT_EQ(other.Count(WM_USER), 1u);       // posted before the quit: still handled
    EXPECT_EQ(other.Count(WM_MOUSEMOVE), 0u);  // input after it: not any more
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
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(watcher.seen, 1);
    EXPECT_EQ(plat::CurrentApplication(), nullptr);

    TestApp refused(host);
    TestWindow w;
    refused.initAnswer = false;
    refused.onInit = [&] {
        ASSERT_TRUE(w.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
        refused.mainWindow = &w;
    };
    EXPECT_EQ(plat::RunApplication(refused, host), 100);
    EXPECT_FALSE(w.IsWindow());
    EXPECT_EQ(refused.exitCalls, 1);
}

}  // namespace
