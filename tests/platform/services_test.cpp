// Smaller services of the layer: message boxes, start options, the character
// set and keys at the host boundary, the random numbers, the fitted screen and
// the drawn cursors.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/charset.h"
#include "platform/cursor_shapes.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/key_translation.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "platform/screen_fit.h"
#include "test_window.h"

using plat::Point;
using plat::Rect;

namespace {

TEST(MessageBox, AnswersFromTheQueueThenCancelWithTheTextOnStderr) {
    plat::HeadlessBackend host;
    plat_test::TestWindow w;
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

// Host keys arrive as USB usage numbers with the layout's character.
TEST(KeyTranslation, LettersFollowTheLayoutOtherKeysTheirPosition) {
    const std::tuple<uint32_t, uint32_t, int32_t> cases[] = {
        {0x04, 'a', 'A'},
        {0x14, 'a', 'A'},  // the Q position carries "a" in France
        {0x14, 0, 'Q'},
        {0x1E, '&', '1'},      // the French top row: still the digit key
        {0x50, 0, 37},         // arrows are their numbers
        {0x58, 0, VK_RETURN},  // the keypad's Enter is Return
        {0x61, 0, VK_NUMPAD0 + 9},
        {0xE5, 0, VK_SHIFT},
        {0xE6, 0, VK_MENU},
        {0xFF, 0, 0},
    };
    for (const auto& [usage, character, key] : cases) {
        EXPECT_EQ(plat::VirtualKeyFromHostKey(usage, character), key) << std::hex << usage;
    }
    EXPECT_EQ(plat::CharacterOfControlKey(VK_BACK), 8);
    EXPECT_EQ(plat::CharacterOfControlKey('A'), -1);
}

TEST(Random, StaysInFifteenBitsRepeatsForASeedAndMasksAScriptedSource) {
    plat::Srand(7);
    std::vector<int32_t> first;
    for (int i = 0; i < 1000; ++i) {
        first.push_back(plat::Rand());
        ASSERT_TRUE(first.back() >= 0 && first.back() <= plat::kRandMax);
    }
    plat::Srand(7);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(plat::Rand(), first[i]);
    int32_t next = 32767;
    plat::SetRandSourceForTests([&] { return next++; });
    EXPECT_EQ(plat::Rand(), 32767);
    EXPECT_EQ(plat::Rand(), 0);
    plat::SetRandSourceForTests({});
}

TEST(ScreenFit, LetterboxesKeepingTheShapeAndMapsWindowPointsToScreenPixels) {
    plat::ScreenFit wide = plat::FitScreen({1920, 1080}, {1024, 768});  // bars left and right
    EXPECT_EQ(wide.picture, (Rect{240, 0, 240 + 1440, 1080}));
    EXPECT_EQ(plat::FitScreen({800, 1000}, {800, 600}).picture, (Rect{0, 200, 800, 800}));
    // A minimised window has no picture and maps everything to the origin.
    plat::ScreenFit none = plat::FitScreen({0, 0}, {640, 480});
    EXPECT_TRUE(none.picture.IsEmpty());
    EXPECT_EQ(plat::WindowToScreen(none, {10, 10}), (Point{0, 0}));
    EXPECT_EQ(plat::WholeScale(wide), 1);
    EXPECT_EQ(plat::WholeScale(plat::FitScreen({3840, 2160}, {1024, 768})), 3);
    // On the bars the nearest edge pixel: edge scrolling keeps working.
    EXPECT_EQ(plat::WindowToScreen(wide, {5, 300}).x, 0);
    EXPECT_EQ(plat::WindowToScreen(wide, {1915, 300}).x, 1023);
    EXPECT_EQ(plat::WindowToScreen(wide, {-50, -50}), (Point{0, 0}));
    // Screen points survive the round trip through the window.
    for (plat::Size window : {plat::Size{1024, 768}, {1366, 768}, {2560, 1440}, {1025, 769}}) {
        plat::ScreenFit fit = plat::FitScreen(window, {1024, 768});
        for (int x = 0; x < 1024; ++x) {
            const Point p{x, x % 768};
            ASSERT_EQ(plat::WindowToScreen(fit, plat::ScreenToWindow(fit, p)), p) << window.width;
        }
    }
    // A screen rectangle covers its pixels in the window, and is never empty.
    plat::ScreenFit fit = plat::FitScreen({2048, 1536 + 100}, {1024, 768});  // bars of 50
    EXPECT_EQ(plat::ScreenRectToWindow(fit, {10, 20, 110, 70}), (Rect{20, 90, 220, 190}));
    plat::ScreenFit odd = plat::FitScreen({1300, 700}, {1024, 768});
    const Rect screen{100, 100, 400, 300};
    const Rect window = plat::ScreenRectToWindow(odd, screen);
    for (int x = window.left; x < window.right; ++x) {
        for (int y : {window.top, window.bottom - 1}) {
            EXPECT_TRUE(screen.Contains(plat::WindowToScreen(odd, {x, y}))) << x << "," << y;
        }
    }
    EXPECT_EQ(plat::ScreenRectToWindow(odd, {5, 5, 5, 5}).Width(), 1);
}

// Every game cursor is drawn with ink near its hot spot at both scales, the
// host draws the arrow itself, and opposite edge arrows are mirror images.
TEST(CursorShapes, GameCursorsAreDrawnAroundTheirHotSpotsAndMirrored) {
    for (int32_t id : {151, 152, 153, 154, 155, 156, 157, 158, 198, 200, 201, 204, 209, 210, 211}) {
        for (int32_t scale : {1, 2}) {
            const plat::CursorShape shape = plat::DrawGameCursor(id, scale);
            ASSERT_EQ(shape.size, 32 * scale) << id;
            bool near = false;
            for (int y = 0; y < shape.size; ++y) {
                for (int x = 0; x < shape.size; ++x) {
                    near |= shape.At(x, y) != plat::CursorShape::kClear &&
                            std::abs(x - shape.hotX) <= 2 * scale &&
                            std::abs(y - shape.hotY) <= 2 * scale;
                }
            }
            EXPECT_TRUE(near) << id;
        }
    }
    EXPECT_EQ(plat::DrawGameCursor(32512, 1).size, 0);
    const plat::CursorShape left = plat::DrawGameCursor(151, 1),
                            right = plat::DrawGameCursor(154, 1), up = plat::DrawGameCursor(153, 1),
                            down = plat::DrawGameCursor(152, 1);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(left.At(x, y), right.At(31 - x, y)) << x << "," << y;
            ASSERT_EQ(up.At(x, y), down.At(x, 31 - y)) << x << "," << y;
            ASSERT_EQ(up.At(x, y), left.At(y, x)) << x << "," << y;
        }
    }
    EXPECT_LT(left.hotX, 8);
    EXPECT_GT(down.hotY, 24);
}

}  // namespace
