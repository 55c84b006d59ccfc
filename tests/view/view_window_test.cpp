// The hosted world view over the empty map: picking round trips, scrolling
// on the fake clock, the redraw flags, a game's life cycle, and the object
// pass and overview on one lone field at a time, with pictures whose pixels
// name their own place.

#include <gtest/gtest.h>

#include <climits>

#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "cities/city_manager.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "gfx/palette.h"
#include "platform/input.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/view_events.h"
#include "state/world_images.h"
#include "support/recording_hooks.h"
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
    ASSERT_TRUE(strip != nullptr && strip != &view);
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
        // Two lines (4 units) from -10 are clamped at -12; the retry with
        // the 2 units moved as lines (2 x zoom) is clamped again: no scroll.
        {2, SB_LINEUP, true, 0, -10, 0, -10, 0, 0, 0, 0},
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
        // A quarter down: beyond the band and the rows the pictures of the
        // fields that came into view reach up to.
        EXPECT_EQ(ground.pixels[h / 4 * ground.Stride() + w / 2],
                  pattern(w / 2 - c.dx, h / 4 - c.dy));
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
struct SpyView : SPIEL_FELD {
    SpyView() : SPIEL_FELD(kWatchOnly) {}
    void DrawBackgroundLayer() override { ++terrain; }
    void DrawObjectLayer() override { ++objects; }
    int terrain = 0, objects = 0;
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
    // A palette change by another window makes the view realize its own
    // palette again; one made by the view itself does not.
    plat::PaletteEntry shown[2];
    plat::Window* const changers[2] = {&host.view(), host.h.frame};
    for (int i = 0; i < 2; ++i) {
        ClearSystemPalette();
        host.view().SendMessage(WM_PALETTECHANGED, reinterpret_cast<plat::WParam>(changers[i]), 0);
        plat::GetSystemPaletteEntries(100, 1, &shown[i]);
    }
    EXPECT_EQ(std::pair(shown[0].red, shown[1].red),
              std::pair(uint8_t{0}, host.gs().images.palette_a->Entry(100).red));
    EXPECT_NE(shown[1].red, 0);
}

TEST(WorldViewLifecycle, StartingAndEndingAGameThreeTimesLeavesNothingBehind) {
    ViewHost host({1024, 768}, false);
    for (int round = 0; round < 3; ++round) {
        g_MouseMoveTime = {1, 5, 9};  // a swallowed move is not replayed into a new view
        ASSERT_TRUE(g_pSpielFeld != nullptr || host.h.frame->StartWorldView(kModeGame));
        EXPECT_TRUE(g_pCityManager != nullptr && g_ppBuildings != nullptr);
        EXPECT_EQ(round > 0 ? g_MouseMoveTime.pending + g_MouseMoveTime.time : 0u, 0u);
        host.h.frame->SendMessage(kMsgEndRunningGame);
        EXPECT_TRUE(g_pSpielFeld == nullptr && g_pCityManager == nullptr &&
                    g_ppBuildings == nullptr && g_pHauptDialog == nullptr && CountVehicles() == 0);
    }
}

// A w x rows picture with pixel (sx, sy) = value(sx, sy), never 0.
template <typename Value>
RawImage Picture(int32_t w, int32_t rows, Value value) {
    RawImage p;
    p.memory = std::make_unique<uint8_t[]>(static_cast<size_t>(w) * rows);
    p.pixels = p.memory.get();
    std::tie(p.width, p.height) = std::pair(w, -rows);
    for (int32_t y = 0; y < rows; ++y) {
        for (int32_t x = 0; x < w; ++x) p.pixels[y * w + x] = static_cast<uint8_t>(value(x, y));
    }
    return p;
}

// Building pictures: 1 + 32-pixel column * 40 + row / 4.
int32_t StripValue(int32_t sx, int32_t sy) {
    return 1 + (sx / 32) * 40 + sy / 4;
}

// The non-zero pixels of a layer: their bounding box and its top-left pixel.
struct Box {
    int32_t left = INT_MAX, top = INT_MAX, right = -1, bottom = -1, corner = 0;
};
Box Drawn(const WinGBitmap& layer) {
    Box b;
    for (int32_t y = 0; y < layer.Rows(); ++y) {
        for (int32_t x = 0; x < layer.width; ++x) {
            if (layer.pixels[y * layer.Stride() + x] == 0) continue;
            b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1),
                 std::max(b.bottom, y + 1)};
        }
    }
    if (b.right > 0) b.corner = layer.pixels[b.top * layer.Stride() + b.left];
    return b;
}

class ObjectPass : public ::testing::Test {
  protected:
    ObjectPass() : host({1024, 768}, false) {
        g_ppBuildings->buildings[5] = building;  // the view's table deletes it
        gs().building_types[15].floor_width = gs().building_types[15].floor_depth = 3;
        gs().images.building_pictures[15] = Picture(192, 128, StripValue);  // T = 32
        gs().images.building_pictures[6] = Picture(192, 112, StripValue);   // T = 32
        gs().images.building_pictures[5] = Picture(192, 192, StripValue);   // T = 16
        for (RawImage& p : gs().images.colour_pictures[6]) p.Free();
        // Only the strips: no plates or signs over them.
        gs().show_building_names = gs().show_production = 0;
    }
    CGameState& gs() { return host.gs(); }
    // Camera centre field (123, 123); the fields start empty.
    void Camera(int32_t rotation, int32_t zoom) {
        SPIEL_FELD& v = host.view();
        std::tie(gs().rotation, v.zoom, v.centre_x, v.centre_y) =
            std::tuple(rotation, zoom, 0, 100);
        v.SetupProjection();
        for (MapField& f : gs().fields) f = MapField{};
    }
    void PutBuilding(int32_t x, int32_t y, int32_t type) {
        MapField& f = gs().fields[FieldIndex(x, y)];
        f.set_building_flag(true), f.set_geb_num(5), f.set_geb_typ(type);
    }
    // Where a flat field hangs: its left x and its y_base.
    plat::Point PlaceOf(int32_t x, int32_t y) {
        plat::Point at{-1, -1};
        ScanFields(ViewScan(host.view()), [&](const ScanField& f) {
            if (f.x == x && f.y == y) at = {f.screen_x, f.y_base};
        });
        EXPECT_GE(at.x, 0) << x << "," << y;
        return at;
    }
    // A redraw of the object layers, which must leave no raise/lower mark behind.
    void DrawObjects() {
        for (int32_t i : {0, 32000, 65535}) gs().fields[i].set_heben_senken(true);
        std::tie(gs().redraw_terrain, gs().redraw_objects) = std::pair(0, 1);
        host.view().RedrawView();
        for (const MapField& f : gs().fields) ASSERT_FALSE(f.heben_senken());
    }
    ViewHost host;
    CBuilding* building = new CBuilding(120, 120);
};

TEST_F(ObjectPass, EachFieldOfABuildingOrStationDrawsItsOwnStrip) {
    struct Case {
        int32_t rotation, type, u, v;       // the field is anchor (120, 120) + (u, v)
        int32_t column, src_y, rows, lift;  // expected strip; top = Yo - lift
    };
    const Case cases[] = {
        // A 3 x 3 building in rotation 0 (T = 32): the anchor, an inner
        // field with only its own band, a back-edge field.
        {0, 15, 0, 0, 2, 0, 64, 32},
        {0, 15, 1, 1, 2, 64, 32, 0},
        {0, 15, 2, 0, 4, 0, 96, 64},
        // A station of four rows along y: the head row from the station
        // picture (T = 32), the others from the platform (T = 16); every
        // field a back edge, columns 0..3 in rotation 0 and 3..0 in 1.
        {0, 6, 0, 0, 0, 0, 64, 32},
        {0, 6, 3, 0, 3, 0, 112, 80},
        {0, 6, 1, 2, 1, 0, 64, 32},
        {1, 6, 0, 0, 3, 0, 64, 32},
        {1, 6, 3, 0, 0, 0, 112, 80},
        {1, 6, 2, 3, 1, 0, 80, 48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        Camera(c.rotation, 1);
        PutBuilding(120 + c.u, 120 + c.v, c.type);
        const plat::Point at = PlaceOf(120 + c.u, 120 + c.v);
        DrawObjects();
        const Box b = Drawn(gs().images.object_layer_b);
        EXPECT_EQ(std::tuple(b.left, b.right, b.top, b.bottom - b.top, b.corner),
                  std::tuple(at.x, at.x + 64, at.y - 1 - c.lift, c.rows,
                             StripValue(32 * c.column, c.src_y)));
    }
}

// A scroll draws a platform row's plate whole, beyond the strip it uncovered,
// and the station's strip cut to that strip.
TEST_F(ObjectPass, WhileScrollingThePlatformPlatesAreDrawnWhole) {
    Camera(0, 1);
    PutBuilding(121, 121, 6);  // a platform row of the station anchored at (120, 120)
    SPIEL_FELD& view = host.view();
    const int32_t strip[4] = {0, 0, gs().view_width, 32};
    std::copy(strip, strip + 4, view.scroll_strip);
    const plat::Point at = PlaceOf(121, 121);
    ASSERT_GT(at.y - 2, strip[3]);
    view.BlackenBackBuffers();
    view.DrawObjectLayerScrolled();
    const WinGBitmap& ground = gs().images.background_layer;
    EXPECT_EQ(ground.pixels[(at.y - 2 + 16) * ground.Stride() + at.x + 32],
              StripValue(32, 93 + 16));
    EXPECT_LE(Drawn(gs().images.object_layer_b).bottom, strip[3]);
}

// On the stand-in pictures, in every rotation: most pixels of a station's
// platform row pick a field of that row (the field that buys a train), and
// next to none of its head row's do, so the head hides no platform. So do
// most pixels of the row's plates, drawn with the ground at every zoom that
// draws ground (the overview at 16 draws neither): more than 4 in 5 at 1:1
// and 2 in 3 at 1:2; at 1:4, where the plates' lift of two pixels is not
// scaled down, more than 1 in 3.
TEST_F(ObjectPass, APlatformRowShowsOverItsOwnFieldsAndTheHeadHidesNone) {
    SPIEL_FELD& view = host.view();
    view.tool = kToolBuilding;
    gs().images.tile_sheet.Free();  // the ground layer holds the plates alone
    for (int32_t type = 6; type <= 9; ++type) {
        const bool rows_along_x = type == 6 || type == 8;
        // Picks every pixel the layer drew; counts [picked a platform field].
        auto sample = [&](const WinGBitmap& layer, int32_t* picks) {
            for (int32_t y = 0; y < layer.Rows(); ++y) {
                for (int32_t x = 0; x < layer.width; ++x) {
                    if (layer.pixels[y * layer.Stride() + x] == 0) continue;
                    view.PickField(x, y);
                    const int32_t line = rows_along_x ? view.cursor_y : view.cursor_x;
                    const int32_t along = rows_along_x ? view.cursor_x : view.cursor_y;
                    ++picks[line == 121 && along >= 120 && along < 124];
                }
            }
        };
        for (int32_t r = 0; r < 4; ++r) {
            for (int32_t z : {1, 2, 4}) {
                SCOPED_TRACE(type * 100 + r * 10 + z);
                int32_t picks[2][2] = {};  // [head row drawn][picked a platform field]
                int32_t plates[2] = {};    // [picked a platform field]
                for (int32_t head = 0; head < (z == 1 ? 2 : 1); ++head) {
                    Camera(r, z);
                    LoadObjectImages();
                    for (int32_t k = 0; k < 4; ++k) {
                        const int32_t x = rows_along_x ? 120 + k : 121 - head;
                        const int32_t y = rows_along_x ? 121 - head : 120 + k;
                        PutBuilding(x, y, type);
                        gs().fields[FieldIndex(x, y)].set_feldchange(true);
                    }
                    if (head == 0) {  // a head row has no plates
                        view.BlackenBackBuffers();
                        view.DrawBackgroundLayer();
                        sample(gs().images.background_layer, plates);
                    }
                    DrawObjects();
                    if (z == 1) sample(gs().images.object_layer_b, picks[head]);
                }
                if (z == 1) {
                    EXPECT_GT(picks[0][1], 4 * picks[0][0]);
                    EXPECT_LT(10 * picks[1][1], picks[1][0]);  // its back edge, a pixel high
                }
                const int32_t share[3][2] = {{4, 5}, {2, 3}, {1, 3}};  // by zoom 1, 2, 4
                const int32_t* least = share[z / 2];
                EXPECT_GT(least[1] * plates[1], least[0] * (plates[0] + plates[1]))
                    << plates[1] << " of " << plates[0] + plates[1];
            }
        }
    }
}

TEST_F(ObjectPass, BridgeHalvesAndCityBuildingsGoToTheirLayers) {
    // Bridge pictures: 1 + 64-pixel column + 12 * way row; way type 3 is row 1.
    gs().images.bridge_tiles =
        Picture(768, 320, [](int32_t x, int32_t y) { return 1 + x / 64 + 12 * (y / 64); });
    gs().images.slope_tiles = Picture(576, 40, [](int32_t x, int32_t) { return 100 + x / 64; });
    gs().images.building_pictures[35] = Picture(64, 80, [](int32_t, int32_t) { return 200; });
    struct Case {
        int32_t rotation, bridge_code, show_city_buildings;
        int32_t a_value, a_lift, b_value, b_lift;  // value 0: the layer stays empty
    };
    const Case cases[] = {
        {0, 3, 1, 13 + 2, 16, 0, 0},          // column 128, one half
        {0, 9, 1, 13 + 9, 32, 13 + 8, 32},    // 576 behind, 512 in front
        {1, 9, 1, 13 + 11, 32, 13 + 10, 32},  // 704 behind, 640 in front
        {0, 0, 1, 0, 0, 200, 48},             // the city building
        {0, 0, 0, 0, 0, 104, -1},             // its plot, column 4 of the slopes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        Camera(c.rotation, 1);
        gs().show_city_buildings = c.show_city_buildings;
        MapField& f = gs().fields[FieldIndex(121, 122)];
        if (c.bridge_code > 0) {
            f.set_bridge_flag(true), f.set_bridge_piece(c.bridge_code), f.set_bridge_wegtyp(3);
        } else {
            f.set_stadtnum(1), f.set_stadtb(2);
        }
        const plat::Point at = PlaceOf(121, 122);
        DrawObjects();
        for (int32_t i = 0; i < 2; ++i) {
            const Box box = Drawn(i == 0 ? gs().images.object_layer_a : gs().images.object_layer_b);
            const int32_t value = i == 0 ? c.a_value : c.b_value;
            EXPECT_EQ(box.corner, value) << i;  // 0: nothing drawn
            if (value != 0) {
                EXPECT_EQ(std::pair(box.left, box.top),
                          std::pair(at.x, at.y - 1 - (i == 0 ? c.a_lift : c.b_lift)));
            }
        }
    }
}

TEST_F(ObjectPass, OverviewFiltersFollowThePanelAndAllShowWithoutOne) {
    // Overview cells: 100 + 10 * 40-row band + 64-pixel column.
    gs().images.overview_sheet =
        Picture(320, 200, [](int32_t x, int32_t y) { return 100 + 10 * (y / 40) + x / 64; });
    std::tie(gs().player_colors[0], gs().player_colors[1], gs().player_colors[2],
             gs().player_colors[3]) = std::tuple(1, 3, 0, 2);
    gs().images.tile_sheet.Free();  // no terrain: the composite stays black
    constexpr int32_t kTerrain = 0, kOwner1 = 130, kGrey = 140;  // 130: player 1's row
    struct Case {
        bool panel;
        std::initializer_list<int32_t> shown;  // legend elements switched on
        int32_t way, type, want;               // type -1: no building; all of player 1
    };
    const Case cases[] = {{false, {}, kWayRail, -1, kOwner1},
                          {true, {}, kWayRail, -1, kTerrain},
                          {true, {}, kWayCityStreet, -1, kGrey},
                          {true, {}, kWayNone, 27, kGrey},
                          {true, {1, 17}, kWayRail, -1, kOwner1},
                          {true, {1}, kWayNone, 21, kTerrain},
                          {true, {1, 15}, kWayNone, 21, kOwner1},
                          {true, {0, 16}, kWayAsphaltRoad, -1, kOwner1},
                          {true, {0, 16, 17}, kWayRail, -1, kTerrain},  // the owner's filter
                          {true, {7}, kWayNone, 10, 141}};  // a mine: neutral, second column
    Camera(0, kOverviewZoomLevel);
    const plat::Point at = PlaceOf(130, 130);
    const WinGBitmap& out = gs().images.composite_buffer;
    const uint8_t& pixel = out.pixels[at.y * out.Stride() + at.x];
    for (const Case& c : cases) {
        if (c.panel && g_pHauptDialog == nullptr) {
            auto* panel = new fvtest::RecordingPanel;
            panel->Create(host.h.frame, {0, 0, 10, 10}, WS_CHILD);
            SetControlPanel(panel);  // the view deletes it
        }
        if (c.panel) {
            for (uint8_t& flag : g_pHauptDialog->legend_flags) flag = 0;
            for (int32_t element : c.shown) g_pHauptDialog->legend_flags[element] = 1;
        }
        MapField& f = gs().fields[FieldIndex(130, 130)] = MapField{};
        f.set_wegtyp(c.way), f.set_spieler(1);
        if (c.type >= 0) PutBuilding(130, 130, c.type);
        host.view().DrawOverviewMap();
        EXPECT_EQ(pixel, c.want) << "case " << (&c - cases);
    }
    // A marked field is outlined over its own cell: the overlay walks the
    // fields from the camera's start field, as the overview does.
    gs().fields[FieldIndex(130, 130)].set_cursor(1);
    host.view().tool = kToolDemolish;
    host.view().DrawMarkOverlay();
    ASSERT_EQ(host.view().overlay_list.size(), 1u);
    EXPECT_EQ((plat::Point{host.view().overlay_list[0].left, host.view().overlay_list[0].top}), at);
}

}  // namespace
