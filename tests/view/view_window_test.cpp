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
        int32_t cx = 0;
        int32_t cy = 0;
        TopCorner(r, x, y, cx, cy);
        const int32_t h = GetHeightAt(cx, cy);
        at->x = f.screen_x + 32 / view.zoom;
        at->y = f.y_base - ((8 * h) >> view.Shift()) + 16 / view.zoom;
        found = true;
    });
    return found;
}

void Centre(SPIEL_FELD& view, int32_t rotation, int32_t zoom) {
    g_pGameState->rotation = rotation;
    view.zoom = zoom;
    view.centre_x = 0.0;
    view.centre_y = 100.0;
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
                        const std::string where = std::to_string(r) + "/" + std::to_string(z) +
                                                  "/" + std::to_string(height);
                        EXPECT_EQ(view.cursor_x, x) << where;
                        EXPECT_EQ(view.cursor_y, y) << where;
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
    // Rotation 0, zoom 1, centre (0, 112), all heights 0: the walk finds
    // (117, 130), and the mask keeps it.
    ViewHost host({1024, 768}, false);
    SPIEL_FELD& view = host.view();
    Centre(view, 0, 1);
    view.centre_y = 112.0;
    view.PickField(0, 48);
    EXPECT_EQ(view.cursor_x, 117);
    EXPECT_EQ(view.cursor_y, 130);
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
    host.h.Advance(99);
    EXPECT_EQ(view.centre_y, start);
    host.h.Advance(1);
    EXPECT_EQ(view.centre_y, start - 1);
    host.h.Advance(30);
    EXPECT_EQ(view.centre_y, start - 4);
    strip->SendMessage(WM_MOUSEMOVE, 0, plat::MakeLParam(-5, -5));
    host.h.Advance(200);
    EXPECT_EQ(view.centre_y, start - 4);
}

TEST(WorldViewScrolling, AHorizontalPageOnSmallScreensRedrawsTheWholeView) {
    for (plat::Size screen : {plat::Size{800, 600}, plat::Size{640, 480}}) {
        ViewHost host(screen, false);
        SPIEL_FELD& view = host.view();
        Centre(view, 0, 1);
        view.SendMessage(WM_HSCROLL, plat::MakeWParam(SB_PAGERIGHT, 0), 0);
        EXPECT_EQ(view.scroll_strip[0], 0) << screen.width;
        EXPECT_EQ(view.scroll_strip[2], host.gs().view_width) << screen.width;
        EXPECT_EQ(view.scroll_strip[3], host.gs().view_height) << screen.width;
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
        spy.zoom = c.zoom;
        spy.full_redraw = c.full;
        host.gs().redraw_terrain = c.terrain;
        host.gs().redraw_objects = c.objects;
        spy.RedrawView();
        EXPECT_EQ(spy.terrain, c.want_terrain);
        EXPECT_EQ(spy.objects, c.want_objects);
        EXPECT_EQ(host.gs().redraw_terrain, c.flags_after);
        EXPECT_EQ(spy.full_redraw, 0);
        spy.DestroyWindow();
    }
    plat::Rect all{0, 0, host.gs().view_width, host.gs().view_height};
    host.view().PresentRect(all);
    EXPECT_EQ(all.left, 1);
    EXPECT_EQ(all.top, 1);
    EXPECT_EQ(all.right, host.gs().view_width - 2);
    EXPECT_EQ(all.bottom, host.gs().view_height - 2);
}

TEST(WorldViewLifecycle, StartingAndEndingAGameThreeTimesLeavesNothingBehind) {
    ViewHost host({1024, 768}, false);
    for (int round = 0; round < 3; ++round) {
        if (g_pSpielFeld == nullptr) {
            ASSERT_TRUE(host.h.frame->StartWorldView(kModeGame));
        }
        EXPECT_NE(g_pCityManager, nullptr);
        EXPECT_NE(g_ppBuildings, nullptr);
        host.h.frame->SendMessage(kMsgEndRunningGame);
        EXPECT_EQ(g_pSpielFeld, nullptr);
        EXPECT_EQ(g_pCityManager, nullptr);
        EXPECT_EQ(g_ppBuildings, nullptr);
        EXPECT_EQ(g_pHauptDialog, nullptr);
        EXPECT_EQ(CountVehicles(), 0);
    }
}

}  // namespace
