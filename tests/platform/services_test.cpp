// Smaller services of the layer: message boxes, start options and the
// character set at the host boundary.

#include <gtest/gtest.h>

#include "platform/charset.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "test_window.h"

using plat::HeadlessBackend;
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

}  // namespace
