// The camera: ranges by rotation, zoom and width, the clamp with bounds in
// either order, the visibility test and the stereo pan.

#include <gtest/gtest.h>

#include "state/lookup_tables.h"
#include "support/game_scope.h"
#include "view/world_view.h"

namespace {

struct BareView : SPIEL_FELD {
    BareView() : SPIEL_FELD(kWatchOnly) {}
};

// A world view without a window, at a screen width.
struct BareViewScope {
    explicit BareViewScope(int32_t width) {
        CGameState& gs = scope.state();
        std::tie(gs.screen_width, gs.screen_height) = std::pair(width, width == 1024  ? 768
                                                                       : width == 800 ? 600
                                                                                      : 480);
        std::tie(gs.view_width, gs.view_height) = std::pair(width - 164, gs.screen_height - 2);
        scope.Set(g_pLookupTables, &tables);
        view.ApplyScreenSize();
    }
    fvtest::GameScope scope;
    CLookupTables tables;
    BareView view;
};

struct RangeCase {
    int32_t rotation, width, zoom;
    double a1, a2, b1, b2;
};

TEST(WorldViewCamera, SetupProjectionSetsTheRangesOfRotationWidthAndZoom) {
    constexpr double H = 123.0;
    const RangeCase cases[] = {
        {0, 1024, 16, -60, 60, 112, 112},    {0, 800, 16, -60, 60, 108, 108},
        {0, 640, 16, -70, 70, 100, 150},     {1, 1024, 16, 44, 164, 9, 9},
        {1, 800, 16, 46, 166, 2, 2},         {1, 640, 16, 55, 195, 25, -25},
        {2, 1024, 16, 60, -60, 95, 95},      {2, 800, 16, 60, -60, 103, 103},
        {2, 640, 16, 70, -70, 100, 150},     {3, 1024, 16, 43, 163, -9, -9},
        {3, 800, 16, 45, 165, -2, -2},       {3, 640, 16, 55, 195, 25, -25},
        {0, 1024, 1, -H, H, -12, 220},       {0, 800, 2, -H, H, -12, 224},
        {0, 640, 4, -H, H + 3, -12, 229},    {1, 1024, 1, 224, -17, 5 - H, H - 4},
        {1, 800, 2, 228, -17, 5 - H, H - 4}, {1, 640, 4, 230, -18, -H, H},
        {2, 1024, 1, H, -H, 219, -13},       {2, 800, 2, H, -H, 223, -13},
        {2, 640, 4, H - 1, -H, 229, -13},    {3, 1024, 1, -17, 224, H - 5, 4 - H},
        {3, 800, 2, -17, 228, H - 5, 4 - H}, {3, 640, 4, -15, 234, H - 2, 2 - H},
    };
    for (const RangeCase& c : cases) {
        BareViewScope s(c.width);
        s.scope.state().rotation = c.rotation;
        s.view.zoom = c.zoom;
        // Far outside: the centre is clamped into the ranges.
        std::tie(s.view.centre_x, s.view.centre_y) = std::pair(500.0, 500.0);
        s.view.SetupProjection();
        SCOPED_TRACE(&c - cases);
        const auto [a, b] = std::pair(s.view.range_a, s.view.range_b);
        EXPECT_EQ(std::tuple(a.first, a.second, b.first, b.second),
                  std::tuple(c.a1, c.a2, c.b1, c.b2));
        const bool even = c.rotation % 2 == 0;
        EXPECT_EQ(std::pair(even ? s.view.centre_x : s.view.centre_y,
                            even ? s.view.centre_y : s.view.centre_x),
                  std::pair(s.view.GetValueA(), s.view.GetValueB()));
    }
}

TEST(WorldViewCamera, ClampWorksWithBoundsInEitherOrder) {
    struct Case {
        double first, second, value, clamped;
    };
    const Case cases[] = {
        {227, -17, 300, 227}, {227, -17, -40, -17}, {227, -17, 5, 5},     {-17, 227, 300, 227},
        {-17, 227, -40, -17}, {112, 112, 0, 112},   {112, 112, 500, 112},
    };
    for (const Case& c : cases) {
        BareViewScope s(1024);
        s.view.SetRangeA(c.first, c.second);
        s.view.SetValueA(c.value);
        EXPECT_EQ(s.view.GetValueA(), c.clamped) << c.first << " " << c.second << " " << c.value;
    }
}

TEST(WorldViewCamera, IsTileInViewHasInclusiveBoundsAndTheSoundPanIs2000SixteenStepsRight) {
    BareViewScope s(1024);
    std::tie(s.view.centre_x, s.view.centre_y) = std::pair(0.0, 100.0);  // P = Q = 123
    const int32_t p = 123;
    // a = 25, b = 9: rotations 0/2 reach 34 along x + y and 16 along y - x;
    // rotations 1/3 the other way round. The last field in, the first out.
    for (int32_t r : {0, 1, 2, 3}) {
        s.scope.state().rotation = r;
        const int32_t u = r % 2 == 0 ? 17 : 8, v = 25 - u;
        for (const auto& [dx, dy, in] : {std::tuple(u, u, 1),
                                         {u + 1, u, 0},
                                         {-u, -u, 1},
                                         {-u - 1, -u, 0},
                                         {-v, v, 1},
                                         {-v - 1, v, 0}})
            EXPECT_EQ(s.view.IsTileInView(p + dx, p + dy), in) << r << " " << dx << "," << dy;
    }
    s.scope.state().rotation = 0;
    // Pan 125 per step along x - y, not bounded.
    for (const auto& [x, y, pan] : {std::tuple(123, 123, 0),
                                    {131, 115, 2000},
                                    {115, 131, -2000},
                                    {133, 113, 2500},
                                    {124, 123, 125}})
        EXPECT_EQ(s.view.GetSoundPan(x, y), pan) << x << "," << y;
    s.view.zoom = 16;  // sixteen-fold extents
    EXPECT_TRUE(s.view.IsTileInView(0, 0) == 1 && s.view.IsTileInView(255, 255) == 1);
}

}  // namespace
