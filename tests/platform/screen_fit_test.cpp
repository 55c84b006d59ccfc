#include <gtest/gtest.h>

#include "platform/screen_fit.h"

namespace {

using plat::Point;
using plat::Rect;

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
    EXPECT_EQ(plat::WindowToScreen(wide, {240 + 1439, 1079}), (Point{1023, 767}));
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
}

TEST(ScreenFit, RectanglesCoverTheirPixels) {
    plat::ScreenFit fit = plat::FitScreen({2048, 1536 + 100}, {1024, 768});  // scale 2, bars of 50
    EXPECT_EQ(plat::ScreenRectToWindow(fit, {10, 20, 110, 70}), (Rect{20, 90, 220, 190}));
    // Every window pixel inside maps back inside the screen rectangle.
    plat::ScreenFit odd = plat::FitScreen({1300, 700}, {1024, 768});
    const Rect screen{100, 100, 400, 300};
    const Rect window = plat::ScreenRectToWindow(odd, screen);
    for (int x = window.left; x < window.right; ++x) {
        for (int y : {window.top, window.bottom - 1}) {
            EXPECT_TRUE(screen.Contains(plat::WindowToScreen(odd, {x, y}))) << x << "," << y;
        }
    }
    EXPECT_EQ(plat::ScreenRectToWindow(odd, {5, 5, 5, 5}).Width(), 1);  // never empty
}

}  // namespace
