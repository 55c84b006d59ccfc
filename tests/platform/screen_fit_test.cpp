#include <gtest/gtest.h>

#include "platform/screen_fit.h"

namespace {

TEST(ScreenFit, LetterboxesKeepingTheShape) {
    // A wide display: bars left and right.
    plat::ScreenFit wide = plat::FitScreen(1920, 1080, 1024, 768);
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(wide.height, 1080);
    EXPECT_EQ(wide.x, 240);
    EXPECT_EQ(wide.y, 0);
    // A tall window: bars above and below.
    plat::ScreenFit tall = plat::FitScreen(800, 1000, 800, 600);
    EXPECT_EQ(tall.width, 800);
    EXPECT_EQ(tall.height, 600);
    EXPECT_EQ(tall.x, 0);
    EXPECT_EQ(tall.y, 200);
    // A minimised window has no picture and maps everything to the origin.
    plat::ScreenFit none = plat::FitScreen(0, 0, 640, 480);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(plat::WindowToScreen(none, 10, 10).x, 0);
}

TEST(ScreenFit, WindowPointsMapToScreenPixels) {
    plat::ScreenFit fit = plat::FitScreen(1920, 1080, 1024, 768);
    EXPECT_EQ(plat::WindowToScreen(fit, 240, 0).x, 0);
    EXPECT_EQ(plat::WindowToScreen(fit, 240 + 1439, 1079).x, 1023);
    EXPECT_EQ(plat::WindowToScreen(fit, 240 + 1439, 1079).y, 767);
    EXPECT_EQ(plat::WindowToScreen(fit, 240 + 720, 540).x, 512);
    // On the bars the nearest edge pixel: edge scrolling keeps working.
    EXPECT_EQ(plat::WindowToScreen(fit, 5, 300).x, 0);
    EXPECT_EQ(plat::WindowToScreen(fit, 1915, 300).x, 1023);
    EXPECT_EQ(plat::WindowToScreen(fit, -50, -50).y, 0);
}

TEST(ScreenFit, ScreenPointsSurviveTheRoundTrip) {
    const int sizes[][2] = {{1024, 768}, {1440, 1080}, {1366, 768}, {2560, 1440}, {1025, 769}};
    for (const auto& size : sizes) {
        plat::ScreenFit fit = plat::FitScreen(size[0], size[1], 1024, 768);
        for (int x = 0; x < 1024; ++x) {
            plat::WindowPoint w = plat::ScreenToWindow(fit, x, x % 768);
            plat::WindowPoint back = plat::WindowToScreen(fit, w.x, w.y);
            ASSERT_EQ(back.x, x) << size[0] << "x" << size[1];
            ASSERT_EQ(back.y, x % 768) << size[0] << "x" << size[1];
        }
    }
}

TEST(ScreenFit, RectanglesCoverTheirPixels) {
    plat::ScreenFit fit = plat::FitScreen(2048, 1536 + 100, 1024, 768);  // scale 2, bars of 50
    plat::WindowRect r = plat::ScreenRectToWindow(fit, 10, 20, 110, 70);
    EXPECT_EQ(r.x, 20);
    EXPECT_EQ(r.y, 50 + 40);
    EXPECT_EQ(r.width, 200);
    EXPECT_EQ(r.height, 100);
    // Every window pixel inside maps back inside the screen rectangle.
    plat::ScreenFit odd = plat::FitScreen(1300, 700, 1024, 768);
    plat::WindowRect o = plat::ScreenRectToWindow(odd, 100, 100, 400, 300);
    for (int x = o.x; x < o.x + o.width; ++x) {
        plat::WindowPoint p = plat::WindowToScreen(odd, x, o.y);
        EXPECT_GE(p.x, 100);
        EXPECT_LT(p.x, 400);
    }
    EXPECT_EQ(plat::ScreenRectToWindow(odd, 5, 5, 5, 5).width, 1);  // never empty
}

}  // namespace
