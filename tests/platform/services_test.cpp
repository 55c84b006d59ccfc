// Smaller services of the layer: message boxes, start options, the
// character set at the host boundary, geometry and the paint order.

#include <gtest/gtest.h>

#include "platform/charset.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "test_window.h"

using plat::HeadlessBackend;
using plat::Rect;
using plat_test::TestWindow;

namespace {

TEST(MessageBox, AnswersFromTheQueueThenCancelWithTheTextOnStderr) {
    HeadlessBackend host;
    TestWindow w;
    ASSERT_TRUE(w.Create(nullptr, {0, 0, 10, 10}, WS_POPUP | WS_VISIBLE));
    plat::SetCapture(&w);
    host.QueueMessageBoxAnswer(IDRETRY);
    EXPECT_EQ(plat::MessageBox(&w, "missing", "Ferrovane", 0x1015), IDRETRY);
    EXPECT_EQ(plat::GetCapture(), nullptr);  // a box ends the capture
    testing::internal::CaptureStderr();
    EXPECT_EQ(plat::MessageBox(nullptr, "doesn\xb4t", "Ferrovane", MB_OK), IDCANCEL);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("doesn\xb4t"), std::string::npos);
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes()[0].flags, 0x1015u);
    EXPECT_EQ(host.MessageBoxes()[1].answer, IDCANCEL);
}

TEST(LaunchOptions, ChooseTheScreenAndTheWindowMode) {
    auto parse = [](std::vector<const char*> args, plat::LaunchOptions* out, std::string* err) {
        args.insert(args.begin(), "ferrovane");
        return plat::ParseLaunchOptions(static_cast<int>(args.size()), args.data(), out, err);
    };
    plat::LaunchOptions o;
    std::string err;
    ASSERT_TRUE(parse({}, &o, &err));
    EXPECT_EQ(o.screen, (plat::Size{1024, 768}));
    EXPECT_FALSE(o.windowed);
    ASSERT_TRUE(parse({"--screen", "800x600", "--window"}, &o, &err));
    EXPECT_EQ(o.screen, (plat::Size{800, 600}));
    EXPECT_TRUE(o.windowed);
    // Larger screens pass, so that the game can refuse them itself.
    ASSERT_TRUE(parse({"--screen=1025x768"}, &o, &err));
    EXPECT_EQ(o.screen, (plat::Size{1025, 768}));
    EXPECT_FALSE(parse({"--screen", "900x700"}, &o, &err));
    EXPECT_NE(err.find("900x700"), std::string::npos);
    for (auto bad : {std::vector<const char*>{"--screen"}, {"--screen", "800x600x"}, {"--full"}}) {
        EXPECT_FALSE(parse(bad, &o, &err)) << bad.back();
    }
}

TEST(Charset, ConvertsWindows1252AtTheHostBoundary) {
    EXPECT_EQ(plat::Cp1252ToUtf8("doesn\xb4t \x80 \xe4"), "doesn\xc2\xb4t \xe2\x82\xac \xc3\xa4");
    EXPECT_EQ(plat::Cp1252ToUtf8("\x81"), "\xef\xbf\xbd");
    EXPECT_EQ(plat::Utf8ToCp1252("\xe4\xb8\xad|\xc3|\xf0\x9f\x98\x80"), "?|?|?");
    std::string all;
    for (int c = 1; c < 256; ++c) {
        if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) all += char(c);
    }
    EXPECT_EQ(plat::Utf8ToCp1252(plat::Cp1252ToUtf8(all)), all);
}

TEST(Geometry, ChildrenFollowTheirParentAndBordersInsetTheClient) {
    HeadlessBackend host;
    TestWindow panel, button;
    ASSERT_TRUE(panel.Create(nullptr, {0, 0, 162, 768}, WS_POPUP | WS_VISIBLE | WS_BORDER));
    ASSERT_TRUE(button.Create(&panel, {10, 20, 42, 52}, WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(panel.GetSurface().width, 160);
    EXPECT_EQ(button.GetWindowRect(), (Rect{11, 21, 43, 53}));
    EXPECT_EQ(button.ScreenToClient(plat::Point{11, 21}), (plat::Point{0, 0}));
    EXPECT_EQ(panel.ClientToScreen(Rect{0, 0, 5, 5}), (Rect{1, 1, 6, 6}));

    panel.MoveWindow({862, 0, 1024, 400});
    EXPECT_EQ(button.GetWindowRect(), (Rect{873, 21, 905, 53}));
    EXPECT_EQ(panel.GetSurface().height, 398);
    EXPECT_EQ(plat::WindowFromPoint({880, 30}), &button);
    EXPECT_EQ(plat::WindowFromPoint({880, 500}), nullptr);
}

TEST(PaintOrder, TopMostLastOwnedAboveOwnerChildrenClippedToParents) {
    HeadlessBackend host;
    TestWindow frame, view, popup, strip, child;
    ASSERT_TRUE(frame.Create(nullptr, {0, 0, 1024, 768}, WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(
        view.Create(&frame, {162, 0, 1024, 768}, WS_POPUP | WS_VISIBLE | WS_BORDER, WS_EX_TOPMOST));
    ASSERT_TRUE(popup.Create(&view, {300, 200, 600, 400}, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST));
    ASSERT_TRUE(strip.Create(&view, {0, 0, 1024, 2}, WS_POPUP | WS_VISIBLE,
                             WS_EX_TOPMOST | WS_EX_TRANSPARENT));
    ASSERT_TRUE(child.Create(&popup, {250, 150, 400, 300}, WS_CHILD | WS_VISIBLE));

    auto order = [] {
        std::vector<plat::Window*> out;
        for (const auto& item : plat::WindowsInPaintOrder()) out.push_back(item.window);
        return out;
    };
    EXPECT_EQ(order(), (std::vector<plat::Window*>{&frame, &view, &popup, &child, &strip}));
    // Bringing the view forward keeps everything it owns above it.
    popup.BringWindowToTop();
    view.BringWindowToTop();
    EXPECT_EQ(order(), (std::vector<plat::Window*>{&frame, &view, &strip, &popup, &child}));
    // The non-top-most frame never comes above the top-most band.
    frame.BringWindowToTop();
    EXPECT_EQ(order().front(), &frame);

    const auto items = plat::WindowsInPaintOrder();
    EXPECT_EQ(items[1].clientRect, (Rect{163, 1, 1023, 767}));
    EXPECT_TRUE(items[2].transparent);
    EXPECT_EQ(items[4].clip, (Rect{550, 350, 600, 400}));  // cut by the popup's edge

    popup.ShowWindow(SW_HIDE);
    EXPECT_EQ(order(), (std::vector<plat::Window*>{&frame, &view, &strip}));
    EXPECT_TRUE(plat::TakeScreenChanged());
    EXPECT_FALSE(plat::TakeScreenChanged());
}

}  // namespace
