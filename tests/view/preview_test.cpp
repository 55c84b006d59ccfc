// Tool previews (the preview half after a pick) and the overlay of their marks.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "state/data_tables.h"
#include "state/map_field.h"
#include "view/view_host.h"
#include "world/tile_marker.h"
#include "world/way_network.h"

namespace {

class Previews : public ::testing::Test {
  protected:
    explicit Previews(bool generate = false) : host({1024, 768}, generate) { gs.cash[0] = 1 << 30; }
    // The preview half after a pick of a new field, by default with the button held.
    void MoveTo(int32_t x, int32_t y, plat::WParam flags = MK_LBUTTON) {
        std::tie(view.prev_cursor_x, view.cursor_x, view.cursor_y) = std::tuple(-1, x, y);
        view.UpdateToolPreview(flags);
    }
    int32_t CountMarks(int32_t mark) {  // -1 counts the arrow flags
        return static_cast<int32_t>(std::count_if(
            std::begin(gs.fields), std::end(gs.fields),
            [mark](const MapField& f) { return mark < 0 ? f.cursorricht() : f.cursor() == mark; }));
    }
    viewtest::ViewHost host;
    SPIEL_FELD& view = host.view();
    CGameState& gs = host.gs();
    CTileMarker& marker = *g_pTileMarker;
};

struct PreviewsOnWorld : Previews {
    PreviewsOnWorld() : Previews(true) {}
};

// The field records without their mark bits, and the player's cash.
std::vector<uint8_t> WorldWithoutMarks(const CGameState& gs) {
    std::vector<uint8_t> bytes;
    for (MapField f : gs.fields) {
        f.set_cursor(0);
        f.set_cursorricht(false);
        bytes.insert(bytes.end(), std::begin(f.bytes), std::end(f.bytes));
    }
    const auto* cash = reinterpret_cast<const uint8_t*>(&gs.cash[0]);
    bytes.insert(bytes.end(), cash, cash + sizeof(gs.cash[0]));
    return bytes;
}

TEST_F(PreviewsOnWorld, NothingButTheMarkBitsChange) {
    const int32_t cases[][4] = {
        // tool, bridge mode, tunnel mode, building type
        {kToolRoad, 0, 0, -1},      {kToolTrack, 0, 0, -1},    {kToolRoad, 1, 0, -1},
        {kToolTrack, 0, 1, -1},     {kToolDemolish, 0, 0, -1}, {kToolRaiseLower, 0, 0, -1},
        {kToolRectangle, 0, 0, -1}, {kToolForest, 0, 0, -1},   {kToolBuilding, 0, 0, 0},
        {kToolBuilding, 0, 0, 6},   {kToolBuilding, 0, 0, 22}};
    const std::vector<uint8_t> before = WorldWithoutMarks(gs);
    for (const auto& [tool, bridge, tunnel, selected] : cases) {
        std::tie(view.tool, view.bridge_mode, view.tunnel_mode, gs.selected_building_type) =
            std::tie(tool, bridge, tunnel, selected);
        for (int32_t i = 0; i < 12; ++i) {
            std::tie(view.drag_start_x, view.drag_start_y) = std::pair(i * 37 % 250, i * 91 % 250);
            MoveTo((i * 53) % 256, bridge != 0 ? view.drag_start_y : (i * 17) % 256);
        }
        EXPECT_EQ(WorldWithoutMarks(gs), before) << "tool " << tool;
    }
    int32_t outlined = 0;  // catchment areas of the world's buildings
    for (int32_t i = 0; i < kMapFieldCount; ++i) {
        if (!gs.fields[i].building_flag() || outlined > 8) continue;
        marker.MarkStructureAt(i / kMapSize, i % kMapSize);
        outlined += CountMarks(2) > 0 ? 1 : 0;
    }
    EXPECT_GT(outlined, 0);
    EXPECT_EQ(WorldWithoutMarks(gs), before);
}

TEST_F(Previews, DemolitionDragStopsNineFieldsFromTheStart) {
    std::tie(view.tool, view.drag_start_x, view.drag_start_y) = std::tuple(kToolDemolish, 100, 100);
    const int32_t cases[][4] = {{125, 100, 109, 100}, {75, 130, 91, 109}, {104, 96, 104, 96}};
    for (const auto& [x, y, want_x, want_y] : cases) {
        MoveTo(x, y);
        EXPECT_EQ(std::pair(view.cursor_x, view.cursor_y), std::pair(want_x, want_y));
        EXPECT_EQ(CountMarks(1), (std::abs(want_x - 100) + 1) * (std::abs(want_y - 100) + 1));
    }
}

TEST_F(Previews, BuildingToolMarksFootprintCatchmentAndTheStationArrows) {
    view.tool = kToolBuilding;
    gs.selected_building_type = 6;
    constexpr int32_t kX = 120, kY = 80;
    for (int32_t o = 0; o < 4; ++o) {
        gs.build_orientation = o;
        MoveTo(kX, kY, 0);
        const BuildingType& t = gs.building_types[6 + o];
        EXPECT_EQ(CountMarks(3), t.floor_width * t.floor_depth) << o;  // on water: refused
        EXPECT_EQ(CountMarks(2), (t.floor_width + 10) * (t.floor_depth + 10) - CountMarks(3));
        EXPECT_EQ(CountMarks(-1), 4);
        // The arrows lie along (x..x+3, y), (x+1, y..y+3), (x..x+3, y+1), (x, y..y+3).
        for (int32_t i = 0; i < 4; ++i) {
            const int32_t at =
                FieldIndex(kX + (o % 2 == 0 ? i : o == 1), kY + (o % 2 ? i : o == 2));
            EXPECT_TRUE(gs.fields[at].cursorricht()) << o;
        }
    }
}

TEST_F(Previews, RouteOverAReservedFieldMarksOnlyItsStartAndCostsNothing) {
    for (int32_t x = 90; x <= 120; ++x) gs.fields[FieldIndex(x, 100)].set_teile_art(1);
    view.tool = kToolRoad;
    g_pWayNetwork->current_way_type = kWayAsphaltRoad;
    view.drag_start_x = view.drag_start_y = 100;
    MoveTo(110, 100);
    EXPECT_EQ(marker.cost, 11 * 220);
    EXPECT_EQ(CountMarks(1), 11);
    ASSERT_NE(g_pWayNetwork->path_list, nullptr);  // what the release lays
    gs.fields[FieldIndex(105, 100)].set_belegt(1);
    MoveTo(110, 100);
    EXPECT_EQ(marker.cost, 0);
    EXPECT_EQ(CountMarks(1), 1);
    EXPECT_EQ(gs.fields[FieldIndex(100, 100)].cursor(), 1);
    EXPECT_EQ(g_pWayNetwork->path_list, nullptr);
}

TEST_F(Previews, OverlayDrawsAtMostAThousandOutlinesAndNeverTheLastTwoRows) {
    view.zoom = 4;
    view.centre_y = 128.0 - view.view_origin;
    view.SetupProjection();
    int32_t marked = 0;  // 1001 fields of a diamond around the centre, all in view
    for (int32_t d = -18; d <= 18; ++d) {
        for (int32_t s = -36 + (d & 1); s <= 36 && marked < 1001; s += 2, ++marked) {
            marker.MarkField(view.CentreP() + (s + d) / 2, view.CentreQ() + (s - d) / 2, 1);
        }
    }
    view.DrawMarkOverlay();
    EXPECT_EQ(view.overlay_list.size(), 1001u);
    EXPECT_EQ(view.DrawOverlayItems(), 1000);
    marker.ClearAll();  // near the map's corner only (253, 253) is outlined
    view.centre_y = 250.0 - view.view_origin;
    view.SetupProjection();
    for (const auto& [x, y] : {std::pair(254, 250), std::pair(255, 200), std::pair(251, 254),
                               std::pair(255, 255), std::pair(253, 253)})
        marker.MarkField(x, y, 1 + x % 3);
    view.DrawMarkOverlay();
    EXPECT_EQ(view.DrawOverlayItems(), 1);
}

}  // namespace
