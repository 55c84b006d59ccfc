// The hosted world view: picking round trips, scrolling on the fake clock,
// the redraw flags and the life cycle of a game.

#include <gtest/gtest.h>

#include "app/main_frame.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/input.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "transport/vehicle_list.h"
#include "view/map_layers.h"
#include "view/view_host.h"

namespace {

using viewtest::ViewHost;

// Where field (x, y) is drawn: the centre of its ground diamond (client).
bool DiamondCentre(SPIEL_FELD& view, int32_t x, int32_t y, plat::Point* at) {
    bool found = false;
    const int32_t r = g_pGameState->rotation;
    ScanFields(ViewScan(view), [&](const ScanField& f) {
        if (f.x != x || f.y != y) return;
        int32_t cx = 0, cy = 0;
        TopCorner(r, x, y, cx, cy);
        *at = {f.screen_x + 32 / view.zoom,
               f.y_base - ((8 * GetHeightAt(cx, cy)) >> view.Shift()) + 16 / view.zoom};
        found = true;
    });
    return found;
}

void Centre(SPIEL_FELD& view, int32_t rotation, int32_t zoom) {
    std::tie(g_pGameState->rotation, view.zoom) = std::pair(rotation, zoom);
    std::tie(view.centre_x, view.centre_y) = std::pair(0.0, 100.0);
    view.SetupProjection();
}

class WorldViewPicking : public ::testing::TestWithParam<plat::Size> {};

TEST_P(WorldViewPicking, TheCentreOfAFieldsDiamondPicksThatField) {
    ViewHost host(GetParam(), false);
    SPIEL_FELD& view = host.view();
    int32_t checked = 0;
    for (int32_t height : {0, 3}) {
        for (MapField& f : host.gs().fields) f.set_hoehe(height);
        for (int32_t r = 0; r < 4; ++r) {
            for (int32_t z : {1, 2, 4}) {
                Centre(view, r, z);
                view.tool = kToolBuilding;
                for (int32_t dx = -6; dx <= 6; dx += 3) {
                    for (int32_t dy = -6; dy <= 6; dy += 4) {
                        const int32_t x = view.CentreP() + dx;
                        const int32_t y = view.CentreQ() + dy;
                        plat::Point at;
                        if (!DiamondCentre(view, x, y, &at)) continue;  // off a small view
                        ++checked;
                        view.PickField(at.x, at.y);
                        EXPECT_EQ(std::pair(view.cursor_x, view.cursor_y), std::pair(x, y))
                            << r << "/" << z << "/" << height;
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 300);
}
INSTANTIATE_TEST_SUITE_P(Screens, WorldViewPicking,
                         ::testing::Values(plat::Size{1024, 768}, plat::Size{800, 600},
                                           plat::Size{640, 480}));

TEST(WorldViewPickingExample, RotationZeroPointZero48FindsField117_130) {
    ViewHost host({1024, 768}, false);  // all heights 0: the walk's field, kept by the mask
    Centre(host.view(), 0, 1);
    host.view().centre_y = 112.0;
    host.view().PickField(0, 48);
    EXPECT_EQ(std::pair(host.view().cursor_x, host.view().cursor_y), std::pair(117, 130));
}

TEST(WorldViewScrolling, TheTopStripStepsAfter100MsThenEvery10MsAndStopsWhenLeft) {
    ViewHost host({1024, 768}, false);
    SPIEL_FELD& view = host.view();
    Centre(view, 0, 1);
    host.gs().opt_scroll_speed = 1;
    plat::Window* strip = plat::WindowFromPoint({500, 1});
    ASSERT_NE(strip, nullptr);
    ASSERT_NE(strip, &view);
    const double start = view.centre_y;
    strip->SendMessage(WM_MOUSEMOVE, 0, plat::MakeLParam(10, 1));
    for (const auto& [ms, steps] : {std::pair(99, 0), {1, 1}, {30, 4}, {200, 4}}) {
        if (ms == 200) strip->SendMessage(WM_MOUSEMOVE, 0, plat::MakeLParam(-5, -5));  // left
        host.h.Advance(ms);
        EXPECT_EQ(view.centre_y, start - steps) << ms;
    }
}

TEST(WorldViewScrolling, AHorizontalPageOnSmallScreensRedrawsTheWholeView) {
    for (plat::Size screen : {plat::Size{800, 600}, plat::Size{640, 480}}) {
        ViewHost host(screen, false);
        SPIEL_FELD& view = host.view();
        Centre(view, 0, 1);
        view.SendMessage(WM_HSCROLL, plat::MakeWParam(SB_PAGERIGHT, 0), 0);
        EXPECT_EQ(std::tuple(view.scroll_strip[0], view.scroll_strip[2], view.scroll_strip[3]),
                  std::tuple(0, host.gs().view_width, host.gs().view_height));
    }
}

// A line at speed 2 and zoom 2 moves 64 pixels; a page off the map stops
// with the centre field on the edge; at the range bound nothing moves.
TEST(WorldViewScrolling, ShiftsTheBackgroundAndLeavesABlackBandWhereTheContentLeft) {
    ViewHost host({1024, 768}, false);
    SPIEL_FELD& view = host.view();
    CGameState& gs = host.gs();
    gs.images.tile_sheet.Free();  // the band stays as the shift left it
    WinGBitmap& ground = gs.images.background_layer;
    const int32_t w = gs.view_width;
    const int32_t h = gs.view_height;
    auto pattern = [](int32_t x, int32_t y) { return static_cast<uint8_t>(1 + (x + 3 * y) % 250); };
    struct Case {
        int32_t zoom, code;
        bool vertical;
        double cx, cy, want_x, want_y;
        int32_t dx, dy, edge_p, edge_q;  // content shift; centre field after
    };
    const Case cases[] = {
        {2, SB_LINEDOWN, true, 0, 100, 0, 104, 0, -64, 127, 127},
        {1, SB_PAGEDOWN, true, 20, 205, 20, 212, 0, -224, 255, 215},
        {2, SB_PAGEUP, true, -30, 10, -30, 7, 0, 48, 0, 60},
        {1, SB_PAGERIGHT, false, 100, 130, 102, 130, -128, 0, 255, 51},
        {2, SB_LINEUP, true, 0, -12, 0, -12, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        Centre(view, 0, c.zoom);
        std::tie(view.centre_x, view.centre_y) = std::pair(c.cx, c.cy);
        view.SetupProjection();
        view.full_redraw = 0;
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) ground.pixels[y * ground.Stride() + x] = pattern(x, y);
        }
        view.SendMessage(c.vertical ? WM_VSCROLL : WM_HSCROLL, plat::MakeWParam(c.code, 2), 0);
        EXPECT_EQ(std::pair(view.centre_x, view.centre_y), std::pair(c.want_x, c.want_y));
        EXPECT_EQ(ground.pixels[h / 2 * ground.Stride() + w / 2],
                  pattern(w / 2 - c.dx, h / 2 - c.dy));
        if (c.dx == 0 && c.dy == 0) continue;
        EXPECT_EQ(std::pair(view.CentreP(), view.CentreQ()), std::pair(c.edge_p, c.edge_q));
        EXPECT_EQ(view.full_redraw, 1);
        // The band is where the content left; the rest moved with it.
        const int32_t band[4] = {c.dx < 0 ? w + c.dx : 0, c.dy < 0 ? h + c.dy : 0,
                                 c.dx > 0 ? c.dx : w, c.dy > 0 ? c.dy : h};
        for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(view.scroll_strip[i], band[i]) << i;
        EXPECT_EQ(ground.pixels[(band[1] + 1) * ground.Stride() + band[0] + 1], 0);
    }
}

// Counts the layer passes the redraw cycle runs.
class SpyView : public SPIEL_FELD {
  public:
    SpyView() : SPIEL_FELD(kWatchOnly) {}
    void DrawBackgroundLayer() override { ++terrain; }
    void DrawObjectLayer() override { ++objects; }
    int terrain = 0;
    int objects = 0;
};

TEST(WorldViewRedraw, RebuildsOnlyTheFlaggedLayersAndClearsTheFlags) {
    ViewHost host({1024, 768}, false);
    struct Case {
        int32_t zoom, terrain, objects, full;
        int want_terrain, want_objects, flags_after;
    };
    const Case cases[] = {
        {1, 0, 0, 0, 0, 0, 0}, {1, 1, 0, 0, 1, 0, 0},  {1, 0, 1, 0, 0, 1, 0},
        {1, 1, 1, 0, 1, 1, 0}, {16, 1, 1, 0, 0, 0, 0}, {1, 1, 1, 1, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SpyView spy;
        spy.CreateView(host.h.frame);
        std::tie(spy.zoom, spy.full_redraw) = std::pair(c.zoom, c.full);
        std::tie(host.gs().redraw_terrain, host.gs().redraw_objects) =
            std::pair(c.terrain, c.objects);
        spy.RedrawView();
        EXPECT_EQ(std::tuple(spy.terrain, spy.objects, host.gs().redraw_terrain, spy.full_redraw),
                  std::tuple(c.want_terrain, c.want_objects, c.flags_after, 0));
        spy.DestroyWindow();
    }
    const int32_t w = host.gs().view_width, h = host.gs().view_height;
    plat::Rect all{0, 0, w, h};
    host.view().PresentRect(all);  // the frame's one-pixel border stays
    EXPECT_EQ(std::tuple(all.left, all.top, all.right, all.bottom), std::tuple(1, 1, w - 2, h - 2));
}

TEST(WorldViewLifecycle, StartingAndEndingAGameThreeTimesLeavesNothingBehind) {
    ViewHost host({1024, 768}, false);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(g_pSpielFeld != nullptr || host.h.frame->StartWorldView(kModeGame));
        EXPECT_TRUE(g_pCityManager != nullptr && g_ppBuildings != nullptr);
        host.h.frame->SendMessage(kMsgEndRunningGame);
        EXPECT_TRUE(g_pSpielFeld == nullptr && g_pCityManager == nullptr &&
                    g_ppBuildings == nullptr && g_pHauptDialog == nullptr && CountVehicles() == 0);
    }
}

}  // namespace
