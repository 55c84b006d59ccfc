// Window timers on the fake clock.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/clock.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_queue.h"
#include "test_window.h"

using plat::HeadlessBackend;
using plat_test::TestWindow;

namespace {

TEST(Timers, FireEveryPeriodWithoutCatchingUpAndRestartWhenSetAgain) {
    HeadlessBackend host;
    TestWindow w;
    ASSERT_TRUE(w.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
    EXPECT_EQ(w.SetTimer(1105, 100), 1105u);
    w.SetTimer(1106, 10);
    host.RunFor(100, 10);
    auto ids = w.WParams(WM_TIMER);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 1106u), 10);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 1105u), 1);
    EXPECT_TRUE(w.KillTimer(1106));
    EXPECT_FALSE(w.KillTimer(1106));
    // A long stall gives one message, not one per missed period.
    w.log.clear();
    host.AdvanceClock(1000);
    host.RunUntilIdle();
    EXPECT_EQ(w.WParams(WM_TIMER), std::vector<plat::WParam>{1105});
    // Setting an existing id restarts its period.
    host.AdvanceClock(90);
    w.SetTimer(1105, 100);
    host.AdvanceClock(50);
    host.RunUntilIdle();
    EXPECT_EQ(w.Count(WM_TIMER), 1u);
    host.AdvanceClock(50);
    host.RunUntilIdle();
    EXPECT_EQ(w.Count(WM_TIMER), 2u);
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
    EXPECT_EQ(w.Messages(), (std::vector<uint32_t>{WM_PAINT, WM_TIMER}));
}

}  // namespace
