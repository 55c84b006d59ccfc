// The z-order under random changes (the top-most band above the rest, owned
// windows above their owners, children with their parents), and mouse and
// keyboard routing: hit testing, capture, double clicks, the cursor, focus,
// characters and accelerators.

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "platform/accelerators.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "test_window.h"

using plat::HeadlessBackend;
using plat::MouseButton;
using plat::Point;
using plat::Rect;
using plat_test::TestWindow;

namespace {

constexpr uint32_t kPopup = WS_POPUP | WS_VISIBLE;

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
    EXPECT_EQ(Where(child.Last(WM_LBUTTONDOWN)), (Point{9, 19}));
    EXPECT_EQ(child.Last(WM_LBUTTONDOWN)->wParam, MK_LBUTTON);
    EXPECT_EQ(Where(frame.Last(WM_LBUTTONDOWN)), (Point{99, 99}));
    EXPECT_EQ(Where(popup.Last(WM_LBUTTONDOWN)), (Point{10, 10}));
    EXPECT_EQ(frame.Count(WM_LBUTTONDOWN), 1u);  // only the top window gets a click
    // Clicking a window brings its top-level window to the front with the focus.
    host.InjectClick({10, 10});
    host.RunUntilIdle();
    EXPECT_EQ(plat::WindowFromPoint({120, 120}), &back);
    EXPECT_EQ(plat::GetFocus(), &back);
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
    view.On(WM_SETCURSOR, [](plat::WParam, plat::LParam) {
        plat::SetCursor(209);
        return 0;
    });
    host.InjectMouseMove({500, 300});
    host.RunUntilIdle();
    EXPECT_EQ(host.CursorShape(), 209);
    host.InjectMouseMove({50, 300});
    host.RunUntilIdle();
    EXPECT_EQ(host.CursorShape(), IDC_ARROW);
    EXPECT_EQ(plat::ShowCursor(false), -1);
    EXPECT_FALSE(host.CursorVisible());
    EXPECT_EQ(plat::ShowCursor(true), 0);
    // Setting the position moves the host's pointer and makes a mouse move.
    plat::SetCursorPos({400, 300});
    host.RunUntilIdle();
    EXPECT_EQ(host.CursorWarps().back(), (Point{400, 300}));
    EXPECT_EQ(Where(view.Last(WM_MOUSEMOVE)), (Point{400 - 162, 300}));
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
    EXPECT_EQ(frame.Count(WM_COMMAND), 3u);
    EXPECT_EQ(frame.Last(WM_CHAR)->wParam, 'a');
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

// A child object outliving its parent window is safe.
TEST(ZOrder, AChildObjectOutlivingItsParentIsSafe) {
    HeadlessBackend host;
    auto parent = std::make_unique<TestWindow>();
    TestWindow child;
    ASSERT_TRUE(parent->Create(nullptr, {10, 10, 100, 100}, WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(child.Create(parent.get(), {5, 5, 20, 20}, WS_CHILD | WS_VISIBLE));
    parent.reset();
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_FALSE(child.ShowWindow(SW_SHOW));
}

}  // namespace
