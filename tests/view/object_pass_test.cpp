// The object pass and the overview on one lone field at a time, with
// pictures whose pixels name their own place: building strips, bridge
// halves, city buildings or their plots, and the overview's filters.

#include <gtest/gtest.h>

#include <climits>

#include "app/interface_hooks.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "support/recording_hooks.h"
#include "view/map_layers.h"
#include "view/view_host.h"

namespace {

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

using viewtest::ViewHost;

class ObjectPass : public ::testing::Test {
  protected:
    ObjectPass() : host({1024, 768}, false) {
        g_ppBuildings->buildings[5] = building;  // the view's table deletes it
        gs().building_types[15].floor_width = 3;
        gs().building_types[15].floor_depth = 3;
        gs().images.building_pictures[15] = Picture(192, 128, StripValue);  // T = 32
        gs().images.building_pictures[6] = Picture(192, 112, StripValue);   // T = 32
        gs().images.building_pictures[5] = Picture(192, 192, StripValue);   // T = 16
        for (RawImage& p : gs().images.colour_pictures[6]) p.Free();
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
        f.set_building_flag(true);
        f.set_geb_num(5);
        f.set_geb_typ(type);
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
    const uint8_t colours[4] = {1, 3, 0, 2};
    std::copy(colours, colours + 4, gs().player_colors);
    gs().images.tile_sheet.Free();  // no terrain: the composite stays black
    constexpr int32_t kTerrain = 0, kOwner1 = 130, kGrey = 140;  // 130: player 1's row
    struct Case {
        bool panel;
        std::initializer_list<int32_t> shown;  // legend elements switched on
        int32_t way, type, owner;              // type -1: no building
        int32_t want;
    };
    const Case cases[] = {
        {false, {}, kWayRail, -1, 1, kOwner1},
        {true, {}, kWayRail, -1, 1, kTerrain},
        {true, {}, kWayCityStreet, -1, 1, kGrey},
        {true, {}, kWayNone, 27, 1, kGrey},
        {true, {0, 16}, kWayAsphaltRoad, -1, 1, kOwner1},  // player 0's filter
        {true, {0, 16, 17}, kWayRail, -1, 1, kTerrain},    // the owner's filter
        {true, {1, 17}, kWayRail, -1, 1, kOwner1},
        {true, {7}, kWayNone, 10, 1, 141},  // a mine: neutral, second column
        {true, {1}, kWayNone, 21, 1, kTerrain},
        {true, {1, 15}, kWayNone, 21, 1, kOwner1},
    };
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
        MapField& f = gs().fields[FieldIndex(130, 130)];
        f = MapField{};
        f.set_wegtyp(c.way);
        f.set_spieler(c.owner);
        if (c.type >= 0) PutBuilding(130, 130, c.type);
        host.view().DrawOverviewMap();
        EXPECT_EQ(pixel, c.want) << "case " << (&c - cases);
    }
}

}  // namespace
