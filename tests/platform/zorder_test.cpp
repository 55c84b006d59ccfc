// Property test of the z-order: whatever windows are made, raised, shown,
// hidden and destroyed, the top-most band stays above the rest and every
// owned window stays above its owner; children stay with their parent.

#include <gtest/gtest.h>

#include <memory>

#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "test_window.h"

using plat::HeadlessBackend;
using plat_test::TestWindow;

namespace {

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
