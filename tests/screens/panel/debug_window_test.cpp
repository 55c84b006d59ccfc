// The debug window: asked for by its launch option, made by class name, a
// longer line keeps its tail under a shorter one, and the view's picking
// writes into it only while it exists.

#include "screens/panel/debug_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "platform/screen.h"
#include "platform/window_class.h"
#include "support/dialog_game.h"
#include "support/fnv_hash.h"

namespace {

uint64_t Strip(plat::Window& w, int32_t x, int32_t y, int32_t width) {
    return fvtest::PictureHash(width, plat::kBuiltinFontHeight,
                               [&](int32_t row) { return w.GetSurface().Row(y + row) + x; });
}

class DebugWindow : public fvtest::DialogGame {};

TEST_F(DebugWindow, ALaunchOptionAsksForItAndItIsMadeByName) {
    const char* args[] = {"ferrovane", "--screen", "800x600", "--debug-window"};
    plat::LaunchOptions options;
    std::string error;
    ASSERT_TRUE(plat::ParseLaunchOptions(4, args, &options, &error)) << error;
    EXPECT_TRUE(options.debug_window);
    ASSERT_TRUE(plat::ParseLaunchOptions(1, args, &options, &error));
    EXPECT_FALSE(options.debug_window);
    RegisterDebugWindowClass();
    std::unique_ptr<plat::Window> made(plat::CreateWindowObject("DEBUG_FENSTER"));
    EXPECT_NE(dynamic_cast<DEBUG_FENSTER*>(made.get()), nullptr);
}

TEST_F(DebugWindow, ALongerLineKeepsItsTailUnderAShorterOne) {
    std::unique_ptr<DEBUG_FENSTER> window(CreateDebugWindow({800, 600}));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetWindowRect().right, 800);
    const int32_t w = plat::kBuiltinFontWidth;
    window->TextOutLine(5, 40, "0123456789012345678901234567890");  // 31 characters
    const uint64_t tail = Strip(*window, 5 + 25 * w, 40, 6 * w);
    const uint64_t head = Strip(*window, 5, 40, 2 * w);
    window->TextOutLine(5, 40, "ab");
    EXPECT_EQ(Strip(*window, 5 + 25 * w, 40, 6 * w), tail);
    EXPECT_NE(Strip(*window, 5, 40, 2 * w), head);
}

TEST_F(DebugWindow, ThePickingWritesIntoItWhileItExists) {
    View().tool = kToolDemolish;
    auto move = [this](plat::Point p) {
        h.Advance(300);
        h.host.InjectMouseMove(View().ClientToScreen(p));
        h.Run();
    };
    move({300, 300});  // without the window: nothing to write into
    std::unique_ptr<DEBUG_FENSTER> window(CreateDebugWindow({800, 600}));
    ASSERT_NE(window, nullptr);
    const uint64_t blank = Strip(*window, 5, 480, 150);
    g_pDebugWindow = window.get();
    move({310, 300});
    EXPECT_NE(Strip(*window, 5, 480, 150), blank);
    g_pDebugWindow = nullptr;
}

}  // namespace
