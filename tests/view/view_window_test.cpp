// The hosted world view: picking round trips, scrolling by the edge strips
// on the fake clock, the redraw flags, the tools on injected clicks, and the
// life cycle of a game.

#include <gtest/gtest.h>

#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "cities/city_manager.h"
#include "economy/building.h"
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
using Kind = plat::MessageTrace::Kind;

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

TEST(WorldViewScrolling, SpeedTwoAtZoomTwoShiftsBy64PixelsAndLeavesABlackBand) {
    ViewHost host({1024, 768}, false);
    SPIEL_FELD& view = host.view();
    CGameState& gs = host.gs();
    Centre(view, 0, 2);
    gs.images.tile_sheet.Free();  // the band stays as the shift left it
    WinGBitmap& ground = gs.images.background_layer;
    for (int32_t y = 0; y < ground.Rows(); ++y) {
        for (int32_t x = 0; x < ground.width; ++x)
            ground.pixels[y * ground.Stride() + x] = 1 + y % 200;
    }
    const double start = view.centre_y;
    view.SendMessage(WM_VSCROLL, plat::MakeWParam(SB_LINEDOWN, 2), 0);
    EXPECT_EQ(view.centre_y, start + 4);
    const int32_t h = gs.view_height;
    for (int32_t y : {0, 100, h - 65})
        EXPECT_EQ(ground.pixels[y * ground.Stride() + 7], 1 + (y + 64) % 200);
    for (int32_t y : {h - 64, h - 1}) EXPECT_EQ(ground.pixels[y * ground.Stride() + 7], 0);
    EXPECT_EQ(view.scroll_strip[1], h - 64);
    EXPECT_EQ(view.full_redraw, 1);

    // At the range bound nothing moves.
    view.centre_y = -12.0;
    view.SetupProjection();
    ground.pixels[5] = 99;
    view.SendMessage(WM_VSCROLL, plat::MakeWParam(SB_LINEUP, 2), 0);
    EXPECT_EQ(view.centre_y, -12.0);
    EXPECT_EQ(ground.pixels[5], 99);
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

TEST(WorldViewScrolling, APageOffTheMapStopsWithTheCentreFieldOnTheEdge) {
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
        {1, SB_PAGEDOWN, true, 20, 205, 20, 212, 0, -224, 255, 215},
        {2, SB_PAGEUP, true, -30, 10, -30, 7, 0, 48, 0, 60},
        {1, SB_PAGERIGHT, false, 100, 130, 102, 130, -128, 0, 255, 51},
    };
    for (const Case& c : cases) {
        Centre(view, 0, c.zoom);
        view.centre_x = c.cx;
        view.centre_y = c.cy;
        view.SetupProjection();
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) ground.pixels[y * ground.Stride() + x] = pattern(x, y);
        }
        view.SendMessage(c.vertical ? WM_VSCROLL : WM_HSCROLL, plat::MakeWParam(c.code, 0), 0);
        EXPECT_EQ(view.centre_x, c.want_x);
        EXPECT_EQ(view.centre_y, c.want_y);
        EXPECT_EQ(view.CentreP(), c.edge_p);
        EXPECT_EQ(view.CentreQ(), c.edge_q);
        // The band is where the content left; the rest moved with it.
        const int32_t band[4] = {c.dx < 0 ? w + c.dx : 0, c.dy < 0 ? h + c.dy : 0,
                                 c.dx > 0 ? c.dx : w, c.dy > 0 ? c.dy : h};
        for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(view.scroll_strip[i], band[i]) << i;
        const int32_t x = w / 2;
        const int32_t y = h / 2;
        EXPECT_EQ(ground.pixels[y * ground.Stride() + x], pattern(x - c.dx, y - c.dy));
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

class WorldViewTools : public ::testing::Test {
  protected:
    WorldViewTools() : host({1024, 768}, false) {
        panel = new fvtest::RecordingPanel;
        panel->Create(host.h.frame, {0, 0, 10, 10}, WS_CHILD);
        SetControlPanel(panel);  // the view deletes it
        Centre(host.view(), 0, 1);
    }
    plat::LParam PointOf(int32_t x, int32_t y) {
        plat::Point p;
        EXPECT_TRUE(DiamondCentre(host.view(), x, y, &p));
        return plat::MakeLParam(p.x, p.y);
    }
    // The point of field (x, y), picked as a mouse move would have.
    plat::LParam At(int32_t x, int32_t y) {
        const plat::LParam l = PointOf(x, y);
        host.view().PickField(plat::XFromLParam(l), plat::YFromLParam(l));
        return l;
    }
    ViewHost host;
    fvtest::RecordingPanel* panel = nullptr;
};

TEST_F(WorldViewTools, DemolitionAbove10000AsksThePanelAndShiftDemolishesNothing) {
    SPIEL_FELD& view = host.view();
    view.tool = kToolDemolish;
    panel->demolition_cost = 20000;
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(120, 125));
    EXPECT_EQ(view.drag_start_x, 120);
    view.SendMessage(WM_LBUTTONUP, MK_SHIFT, At(122, 126));
    EXPECT_EQ(panel->Count(kMsgPanelConfirmDemolition), 0);
    EXPECT_EQ(view.drag_start_x, -1);
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(120, 125));
    view.SendMessage(WM_LBUTTONUP, 0, At(122, 126));
    ASSERT_EQ(panel->Count(kMsgPanelConfirmDemolition), 1);
    EXPECT_EQ(panel->sent.back().wParam, 120u);
    EXPECT_EQ(panel->sent.back().lParam, 125);
}

TEST_F(WorldViewTools, InformationToolSelectsByBuildingType) {
    SPIEL_FELD& view = host.view();
    view.tool = kInformationTool;
    const int32_t expected[32] = {16, 16, 16, 16, 17, 17, 17, 17, 17, 17, 0,  6,  4,  5,  7,  8,
                                  9,  10, 11, 12, 0,  24, 25, 26, 27, 29, 28, 15, 15, 15, 15, 15};
    for (int32_t type = 0; type < 32; ++type) {
        MapField& f = host.gs().fields[FieldIndex(121, 124)];
        f.set_building_flag(true);
        f.set_geb_num(5);
        f.set_geb_typ(type);
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(121, 124));
        EXPECT_EQ(host.gs().selected_object_type, expected[type]) << type;
    }
    EXPECT_EQ(panel->selected_structure, 5);
    EXPECT_EQ(panel->Count(kMsgRefreshInfoPanel), 32);
}

TEST_F(WorldViewTools, OverviewClickZoomsInAtTheField) {
    SPIEL_FELD& view = host.view();
    view.tool = kToolOverviewZoom;
    panel->zoom_request = 16;
    view.zoom = 16;
    view.SetupProjection();
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, plat::MakeLParam(400, 300));
    EXPECT_EQ(view.zoom, 16);
    panel->zoom_request = 2;
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, plat::MakeLParam(400, 300));
    EXPECT_EQ(view.zoom, 2);
}

TEST_F(WorldViewTools, TwoMovesWithin250MsPickOnce) {
    SPIEL_FELD& view = host.view();
    view.tool = kToolBuilding;
    auto move_to = [&](int32_t x, int32_t y) {
        const plat::LParam l = PointOf(x, y);
        plat::SetCursorPos(
            view.ClientToScreen(plat::Point{plat::XFromLParam(l), plat::YFromLParam(l)}));
        view.SendMessage(WM_MOUSEMOVE, 0, l);
    };
    host.h.Advance(300);
    move_to(121, 124);
    EXPECT_EQ(view.cursor_x, 121);
    host.h.Advance(100);
    move_to(125, 126);
    EXPECT_EQ(view.cursor_x, 121);
    host.h.Advance(200);
    move_to(125, 126);
    EXPECT_EQ(view.cursor_x, 125);
}

TEST_F(WorldViewTools, NoToolOpensPurchaseScreensAtOwnFreeTerminalsOnly) {
    SPIEL_FELD& view = host.view();
    view.tool = kToolNone;
    struct Case {
        int32_t type, owner, way;
        uint32_t posted;  // to the main frame, 0 none
        int panel_messages;
    };
    const Case cases[] = {
        {0, 0, 0, kMsgOpenTruckPurchase, 0},
        {0, 1, 0, 0, 0},  // another player's depot
        {4, 0, kWayRail, kMsgOpenRailPurchase, 0},
        {4, 0, 0, 0, 0},   // a platform without track
        {10, 0, 0, 0, 1},  // a mine: the structure window
    };
    auto* building = new CBuilding(121, 124);
    g_ppBuildings->buildings[5] = building;  // the view's table deletes it
    for (const Case& c : cases) {
        MapField& f = host.gs().fields[FieldIndex(121, 124)];
        f.set_building_flag(true);
        f.set_geb_num(5);
        f.set_geb_typ(c.type);
        f.set_spieler(c.owner);
        f.set_wegtyp(c.way);
        host.h.host.Recorder().Clear();
        const size_t before = panel->sent.size();
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(121, 124));
        const auto posted = host.h.host.Recorder().Filter(Kind::Posted, host.h.frame);
        ASSERT_EQ(posted.size(), c.posted != 0 ? 1u : 0u) << c.type << "/" << c.owner;
        if (c.posted != 0) {
            EXPECT_EQ(posted[0].message, c.posted);
        }
        EXPECT_EQ(panel->sent.size() - before, static_cast<size_t>(c.panel_messages));
    }
}

TEST_F(WorldViewTools, PlacingABuildingOnLandAndARefusalOnWater) {
    SPIEL_FELD& view = host.view();
    CGameState& gs = host.gs();
    view.tool = kToolBuilding;
    gs.selected_building_type = 14;
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(121, 124));  // all water
    EXPECT_EQ(gs.fields[FieldIndex(121, 124)].geb_num(), 0);
    EXPECT_TRUE(host.h.sound->effects.empty());
    for (MapField& f : gs.fields) f.set_teile_art(1);
    gs.cash[0] = 100000000;
    const int64_t cash = gs.cash[0];
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(121, 124));
    EXPECT_NE(gs.fields[FieldIndex(121, 124)].geb_num(), 0);
    EXPECT_LT(gs.cash[0], cash);
    ASSERT_EQ(host.h.sound->effects.size(), 1u);
    EXPECT_EQ(host.h.sound->effects[0].effect, 2);
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
