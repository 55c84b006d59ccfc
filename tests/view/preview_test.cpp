// Tool previews and the mark overlay of the world view, driven as the mouse
// drives them: a pick puts the field under the cursor into the view, and the
// preview half marks what the tool would touch.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "view/view_host.h"
#include "world/field_queries.h"
#include "world/tile_marker.h"
#include "world/way_network.h"

namespace {

class Previews : public ::testing::Test {
  protected:
    explicit Previews(bool generate = false) : host({1024, 768}, generate) {
        gs.cash[0] = 100000000;
    }
    // The preview half after a pick of (x, y), with the left button held.
    void MoveTo(int32_t x, int32_t y, plat::WParam flags = MK_LBUTTON) {
        view.cursor_x = x;
        view.cursor_y = y;
        view.UpdateToolPreview(flags);
    }
    int32_t Mark(int32_t x, int32_t y) { return gs.fields[FieldIndex(x, y)].cursor(); }
    int32_t CountMarks(int32_t mark) {
        int32_t n = 0;
        for (const MapField& f : gs.fields) n += f.cursor() == mark ? 1 : 0;
        return n;
    }
    // Flat land on the rectangle, borders included.
    void Land(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        for (int32_t x = x1; x <= x2; ++x) {
            for (int32_t y = y1; y <= y2; ++y) gs.fields[FieldIndex(x, y)].set_teile_art(1);
        }
    }
    viewtest::ViewHost host;
    SPIEL_FELD& view = host.view();
    CGameState& gs = host.gs();
    CTileMarker& marker = *g_pTileMarker;
};

class PreviewsOnWorld : public Previews {
  protected:
    PreviewsOnWorld() : Previews(true) {}
};

// Every field byte with the mark bits (byte 0 bits 6-7, byte 3 bit 6) cleared.
std::vector<uint8_t> WorldWithoutMarks(const CGameState& gs) {
    std::vector<uint8_t> bytes(sizeof(gs.fields));
    std::memcpy(bytes.data(), gs.fields, bytes.size());
    for (size_t i = 0; i < bytes.size(); i += sizeof(MapField)) {
        bytes[i] &= 0x3F;
        bytes[i + 3] &= 0xBF;
    }
    return bytes;
}

TEST_F(PreviewsOnWorld, NothingButTheMarkBitsChange) {
    struct Case {
        int32_t tool, bridge, tunnel, selected;
    };
    const Case cases[] = {
        {kToolRoad, 0, 0, -1},      {kToolTrack, 0, 0, -1},    {kToolRoad, 1, 0, -1},
        {kToolTrack, 0, 1, -1},     {kToolDemolish, 0, 0, -1}, {kToolRaiseLower, 0, 0, -1},
        {kToolRectangle, 0, 0, -1}, {kToolForest, 0, 0, -1},   {kToolBuilding, 0, 0, 0},
        {kToolBuilding, 0, 0, 6},   {kToolBuilding, 0, 0, 22}};
    const std::vector<uint8_t> before = WorldWithoutMarks(gs);
    const int64_t cash = gs.cash[0];
    for (const Case& c : cases) {
        view.tool = c.tool;
        view.bridge_mode = c.bridge;
        view.tunnel_mode = c.tunnel;
        gs.selected_building_type = c.selected;
        for (int32_t i = 0; i < 12; ++i) {
            view.drag_start_x = (i * 37) % 250;
            view.drag_start_y = (i * 91) % 250;
            MoveTo((i * 53) % 256, c.bridge != 0 ? view.drag_start_y : (i * 17) % 256);
        }
        EXPECT_EQ(WorldWithoutMarks(gs), before) << "tool " << c.tool;
        EXPECT_EQ(gs.cash[0], cash);
    }
    // The catchment areas of the world's buildings.
    int32_t outlined = 0;
    for (int32_t i = 0; i < kMapFieldCount; i += 97) {
        if (GetBuildingTypeAt(i / kMapSize, i % kMapSize) < 0) continue;
        marker.MarkStructureAt(i / kMapSize, i % kMapSize);
        outlined += CountMarks(2) > 0 ? 1 : 0;
    }
    EXPECT_GT(outlined, 0);
    EXPECT_EQ(WorldWithoutMarks(gs), before);
}

TEST_F(Previews, DemolitionDragStopsNineFieldsFromTheStart) {
    view.tool = kToolDemolish;
    view.drag_start_x = view.drag_start_y = 100;
    const int32_t cases[][4] = {{125, 100, 109, 100}, {75, 130, 91, 109}, {104, 96, 104, 96}};
    for (const auto& [x, y, want_x, want_y] : cases) {
        view.prev_cursor_x = -1;
        MoveTo(x, y);
        EXPECT_EQ(view.cursor_x, want_x);
        EXPECT_EQ(view.cursor_y, want_y);
        EXPECT_EQ(Mark(want_x, want_y), 1);
        const int32_t sides = (std::abs(want_x - 100) + 1) * (std::abs(want_y - 100) + 1);
        EXPECT_EQ(CountMarks(1), sides);
    }
}

TEST_F(Previews, BuildingToolMarksFootprintCatchmentAndTheStationArrows) {
    view.tool = kToolBuilding;
    gs.selected_building_type = 6;
    constexpr int32_t kX = 120, kY = 80;
    const int32_t arrows[4][4][2] = {{{0, 0}, {1, 0}, {2, 0}, {3, 0}},
                                     {{1, 0}, {1, 1}, {1, 2}, {1, 3}},
                                     {{0, 1}, {1, 1}, {2, 1}, {3, 1}},
                                     {{0, 0}, {0, 1}, {0, 2}, {0, 3}}};
    for (int32_t o = 0; o < 4; ++o) {
        gs.build_orientation = o;
        view.prev_cursor_x = -1;
        MoveTo(kX, kY, 0);
        const BuildingType& t = gs.building_types[6 + o];
        // On water the station cannot stand: its footprint is red.
        EXPECT_EQ(CountMarks(3), t.floor_width * t.floor_depth) << o;
        EXPECT_EQ(CountMarks(2), (t.floor_width + 10) * (t.floor_depth + 10) - CountMarks(3));
        EXPECT_EQ(Mark(kX - 5, kY - 5), 2);
        int32_t flagged = 0;
        for (const MapField& f : gs.fields) flagged += f.cursorricht() ? 1 : 0;
        EXPECT_EQ(flagged, 4);
        for (const auto& a : arrows[o]) {
            EXPECT_TRUE(gs.fields[FieldIndex(kX + a[0], kY + a[1])].cursorricht()) << o;
        }
    }
}

TEST_F(Previews, RouteOverAReservedFieldMarksOnlyItsStartAndCostsNothing) {
    Land(90, 90, 120, 110);
    view.tool = kToolRoad;
    g_pWayNetwork->current_way_type = kWayAsphaltRoad;
    view.drag_start_x = view.drag_start_y = 100;
    MoveTo(110, 100);
    EXPECT_EQ(marker.cost, 11 * 220);
    EXPECT_EQ(CountMarks(1), 11);
    ASSERT_NE(g_pWayNetwork->path_list, nullptr);  // what the release lays
    gs.fields[FieldIndex(105, 100)].set_belegt(1);
    MoveTo(110, 101);
    MoveTo(110, 100);
    EXPECT_EQ(marker.cost, 0);
    EXPECT_EQ(CountMarks(1), 1);
    EXPECT_EQ(Mark(100, 100), 1);
    EXPECT_EQ(g_pWayNetwork->path_list, nullptr);
}

TEST_F(Previews, OverlayDrawsAtMostAThousandOutlinesAndNeverTheLastTwoRows) {
    view.zoom = 4;
    view.centre_y = 128.0 - view.view_origin;
    view.SetupProjection();
    const int32_t cx = view.CentreP();
    const int32_t cy = view.CentreQ();
    // 1001 fields of a diamond around the centre, all in view.
    int32_t marked = 0;
    for (int32_t d = -18; d <= 18; ++d) {
        for (int32_t s = -36 + (d & 1); s <= 36 && marked < 1001; s += 2, ++marked) {
            marker.MarkField(cx + (s + d) / 2, cy + (s - d) / 2, 1);
        }
    }
    view.tool = kToolDemolish;
    view.DrawMarkOverlay();
    ASSERT_EQ(view.overlay_list.size(), 1001u);
    EXPECT_EQ(view.DrawOverlayItems(), 1000);
    // Near the map's corner: fields on x or y 254 and 255 are never outlined.
    marker.ClearAll();
    view.centre_x = 0.0;
    view.centre_y = 250.0 - view.view_origin;
    view.SetupProjection();
    for (int32_t v : {250, 254, 255}) {
        marker.MarkField(254, v, 1);
        marker.MarkField(255, v, 2);
        marker.MarkField(v, 254, 3);
    }
    marker.MarkField(253, 253, 1);
    view.DrawMarkOverlay();
    ASSERT_EQ(view.overlay_list.size(), 1u);
    EXPECT_EQ(view.DrawOverlayItems(), 1);
}

}  // namespace
