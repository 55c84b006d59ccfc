// The world view's tools driven by clicks on one point of a hosted view over
// the empty map (selecting, screens, halting, releases, placing, marks and
// display options) and the tool previews with their overlay.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "app/interface_hooks.h"
#include "economy/building_table.h"
#include "economy/mine.h"
#include "economy/train_station.h"
#include "platform/input.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "support/fnv_hash.h"
#include "transport/vehicle_list.h"
#include "view/view_host.h"
#include "world/tile_marker.h"
#include "world/way_network.h"

namespace {

constexpr plat::Point kAt{430, 380};

struct TestVehicle : CVehicle {
    TestVehicle() : CVehicle(VehicleLoadOnly{}) {}
};

// A station whose platform row a train holds.
struct OccupiedStation : CBuilding {
    using CBuilding::CBuilding;
    int32_t IsTileOccupied(int32_t, int32_t) const override { return 1; }
};

class ViewTools : public ::testing::Test {
  protected:
    explicit ViewTools(bool generate = false) : host({1024, 768}, generate) {
        panel = new fvtest::RecordingPanel;
        panel->Create(host.h.frame, {0, 0, 10, 10}, WS_CHILD);
        SetControlPanel(panel);  // the view deletes it
        std::tie(view.centre_x, view.centre_y) = std::pair(0.0, 100.0);
        view.SetupProjection();
        view.PickField(kAt.x, kAt.y);
        std::tie(x, y) = std::pair(view.cursor_x, view.cursor_y);
        gs.cash[0] = 100000000;
    }
    MapField& Field(int32_t dx = 0) { return gs.fields[FieldIndex(x + dx, y)]; }
    void Click(uint32_t message, plat::WParam flags = 0) {
        view.SendMessage(message, flags, plat::MakeLParam(kAt.x, kAt.y));
    }
    // The messages a click posts to the main frame.
    std::vector<uint32_t> ClickPosts(plat::WParam flags = 0) {
        host.h.host.Recorder().Clear();
        Click(WM_LBUTTONDOWN, flags);
        std::vector<uint32_t> out;
        for (const auto& m :
             host.h.host.Recorder().Filter(plat::MessageTrace::Kind::Posted, host.h.frame))
            out.push_back(m.message);
        return out;
    }
    // A vehicle drawn over the clicked point.
    TestVehicle* AddVehicle(int32_t model = 0, int32_t owner = 0) {
        auto* v = new TestVehicle;
        std::tie(v->model, v->owner) = std::pair(model, owner);
        std::tie(v->screen_box[0], v->screen_box[1], v->screen_box[2], v->screen_box[3]) =
            std::tuple(kAt.x - 8, kAt.x + 8, kAt.y - 8, kAt.y + 8);
        RegisterVehicle(v);
        return v;
    }
    // Building 5 of `type` on the clicked field; the view's table owns it.
    void PutBuilding(int32_t type, CBuilding* building, int32_t owner = 0, int32_t way = 0) {
        delete g_ppBuildings->buildings[5];
        g_ppBuildings->buildings[5] = building;
        MapField& f = Field();
        f.set_building_flag(true), f.set_geb_num(5), f.set_geb_typ(type);
        f.set_spieler(owner), f.set_wegtyp(way);
    }
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
    fvtest::RecordingPanel* panel = nullptr;
    int32_t x = 0, y = 0;
};

TEST_F(ViewTools, InformationToolSelectsByTypeAVehicleBeforeTheBuildingAndMinesByProduct) {
    view.tool = kInformationTool;
    const int32_t by_type[32] = {16, 16, 16, 16, 17, 17, 17, 17, 17, 17, 0,  6,  4,  5,  7,  8,
                                 9,  10, 11, 12, 0,  24, 25, 26, 27, 29, 28, 15, 15, 15, 15, 15};
    for (int32_t type = 0; type < 32; ++type) {
        PutBuilding(type, nullptr);
        Click(WM_LBUTTONDOWN);
        EXPECT_EQ(gs.selected_object_type, by_type[type]) << type;
    }
    EXPECT_EQ(std::pair(panel->selected_structure, panel->Count(kMsgRefreshInfoPanel)),
              std::pair(5, 32));
    // A mine's product picks the panel; product 0 answers none.
    for (const auto& [product, want] : {std::pair(5, 1), std::pair(6, 2), {7, 3}, {0, 0}}) {
        PutBuilding(10, product == 0 ? CMine::ForLoading(x, y) : new CMine(x, y, product));
        Click(WM_LBUTTONDOWN);
        EXPECT_EQ(gs.selected_object_type, want) << product;
    }
    PutBuilding(12, nullptr);
    TestVehicle* v = AddVehicle();
    Click(WM_LBUTTONDOWN);
    EXPECT_EQ(std::tuple(gs.selected_object_type, panel->selected_vehicle, v->selected),
              std::tuple(20, v, 1));
    v->screen_box[0] = v->screen_box[1] = -1;  // driven away: the click finds the building
    Click(WM_LBUTTONDOWN);
    EXPECT_EQ(std::tuple(gs.selected_object_type, panel->selected_vehicle, v->selected),
              std::tuple(4, nullptr, 0));
    v->screen_box[1] = kAt.x + 8;
    Click(WM_LBUTTONDOWN);
    DeleteAllVehicles();
    EXPECT_EQ(panel->selected_vehicle, nullptr);  // a registered reference
}

TEST_F(ViewTools, NoToolOpensPurchaseScreensAtOwnFreeTerminalsAndSchedulesOfOwnVehicles) {
    view.tool = kToolNone;
    struct Case {
        int32_t type, owner, way, vehicle;  // vehicle: -1 none, else its removal flag
        plat::WParam flags;
        std::vector<uint32_t> posted;
        int32_t group_edit, source;  // the schedule source after, 7 before
        size_t panel_messages;
        uint32_t belegt = 0;    // the clicked field's occupancy bits
        bool occupied = false;  // the building answers that a train holds the row
    };
    const Case cases[] = {
        {0, 0, 0, -1, 0, {kMsgOpenTruckPurchase}, 0, 1, 0},
        {0, 1, 0, -1, 0, {}, 0, 7, 0},  // another player's depot
        {4, 0, kWayRail, -1, 0, {kMsgOpenRailPurchase}, 0, 7, 0},
        {4, 0, 0, -1, 0, {}, 0, 7, 0},                  // a platform without track
        {4, 0, kWayRail, -1, 0, {}, 0, 7, 0, 3},        // a train stands on the field
        {4, 0, kWayRail, -1, 0, {}, 0, 7, 0, 0, true},  // a train holds the row
        {10, 0, 0, -1, 0, {}, 0, 7, 1},                 // a mine: the structure window
        {10, 0, 0, 0, 0, {kMsgOpenSchedule}, 0, 0, 0},
        {10, 0, 0, 0, MK_SHIFT, {kMsgOpenSchedule}, 1, 0, 0},
        {10, 0, 0, 1, MK_SHIFT, {}, 0, 7, 0},  // a vehicle being removed opens nothing
        {10, 2, 0, 0, MK_SHIFT, {}, 0, 7, 1},  // another player's field: the mine's window
    };
    for (const Case& c : cases) {
        CBuilding* building = c.type == 10 ? new CMine(x, y, 5)
                              : c.occupied ? new OccupiedStation(x, y)
                                           : new CBuilding(x, y);
        PutBuilding(c.type, building, c.owner, c.way);
        Field().set_belegt(c.belegt);
        if (c.vehicle >= 0) AddVehicle()->removal_flag = c.vehicle;
        gs.schedule_source = 7;
        const size_t before = panel->sent.size();
        EXPECT_EQ(ClickPosts(c.flags), c.posted) << (&c - cases);
        EXPECT_EQ(std::tuple(gs.group_edit, gs.schedule_source, panel->sent.size() - before),
                  std::tuple(c.group_edit, c.source, c.panel_messages))
            << (&c - cases);
        DeleteAllVehicles();
    }
}

TEST_F(ViewTools, RightClickHaltsOrReleasesOnlyVehiclesThePlayerMayStop) {
    view.tool = kToolNone;
    // Model, owner, removal flag, halted before, halted after.
    const int32_t cases[][5] = {
        {0, 3, 0, 0, 1}, {12, 0, 0, 1, 0}, {25, 0, 0, 0, 1}, {25, 4, 0, 0, 0}, {0, 0, 1, 0, 0}};
    for (const auto& [model, owner, removal, halted, want] : cases) {
        TestVehicle* v = AddVehicle(model, owner);
        std::tie(v->removal_flag, v->halted) = std::pair(removal, halted);
        Click(WM_RBUTTONDOWN);
        EXPECT_EQ(v->halted, want) << model << "/" << owner;
        DeleteAllVehicles();
    }
}

TEST_F(ViewTools, ReleasesOfTheWayAndDemolitionTools) {
    for (MapField& f : gs.fields) f.set_teile_art(1);  // flat land
    view.tool = kToolRoad;
    for (const bool tunnel_click : {true, false}) {
        view.tunnel_mode = tunnel_click ? 1 : 0;  // flat land: the tunnel is refused
        Click(WM_LBUTTONDOWN);
        // Dragged three fields on, the preview plans the path.
        std::tie(view.drag_start_x, view.cursor_x) = std::pair(x, x - 3);
        g_pWayNetwork->PlanRoadPath(x, y, x - 3, y);
        Click(WM_LBUTTONUP);
        EXPECT_EQ(Field(-3).wegtyp() != 0, !tunnel_click);
        EXPECT_EQ(view.drag_start_x, -1);
        view.cursor_x = x;
    }
    // A refused bridge (one field long) ends bridge mode too; dragged from an
    // older bridge's end it sounds as a built one.
    view.bridge_mode = 1;
    Field().set_bridge_end(true);
    host.h.sound->effects.clear();
    Click(WM_LBUTTONDOWN);
    Click(WM_LBUTTONUP);
    EXPECT_EQ(std::tuple(view.bridge_mode, view.drag_start_x, host.h.sound->effects.size()),
              std::tuple(0, -1, 1u));
    Field().set_bridge_end(false);
    view.tool = kToolDemolish;
    // Shift demolishes nothing; above 10,000 the panel asks first.
    const std::tuple<int32_t, plat::WParam, bool, int> cases[] = {
        {0, MK_SHIFT, true, 0}, {0, 0, false, 0}, {20000, MK_SHIFT, true, 0}, {20000, 0, true, 1}};
    for (const auto& [cost, flags, forest, confirms] : cases) {
        panel->demolition_cost = cost;
        Field().set_forest_flag(true);
        g_pTileMarker->MarkRect(x - 2, y - 2, x + 2, y + 2, 1);
        Click(WM_LBUTTONDOWN);
        EXPECT_EQ(view.drag_start_x, x);
        view.cursor_x = x + 2;
        Click(WM_LBUTTONUP, flags);
        view.cursor_x = x;
        ASSERT_EQ(std::pair(Field().forest_flag(), panel->Count(kMsgPanelConfirmDemolition)),
                  std::pair(forest, confirms));
        if (confirms == 1) break;  // the drag waits for the panel's answer
        // The preview is cleared either way.
        EXPECT_EQ(std::tuple(Field(-2).cursor(), g_pTileMarker->marks_changed, view.drag_start_x),
                  std::tuple(0, 0, -1));
    }
    EXPECT_EQ(std::pair(panel->sent.back().wParam, panel->sent.back().lParam),
              std::pair(plat::WParam(x), plat::LParam(y)));
}

TEST_F(ViewTools, PlacingABuildingOnLandAndARefusalOnWater) {
    view.tool = kToolBuilding;
    gs.selected_building_type = 14;
    Click(WM_LBUTTONDOWN);  // all water
    EXPECT_TRUE(Field().geb_num() == 0 && host.h.sound->effects.empty());
    for (MapField& f : gs.fields) f.set_teile_art(1);
    Click(WM_LBUTTONDOWN);
    EXPECT_TRUE(Field().geb_num() != 0 && gs.cash[0] < 100000000);
    ASSERT_EQ(host.h.sound->effects.size(), 1u);
    EXPECT_EQ(host.h.sound->effects[0].effect, 2);
}

TEST_F(ViewTools, OverviewClickZoomsInAtTheFieldAndTwoMovesWithin250MsPickOnce) {
    view.tool = kToolOverviewZoom;
    std::tie(g_pGameState->zoom_request, view.zoom) = std::pair(16, 16);
    view.SetupProjection();
    Click(WM_LBUTTONDOWN);
    EXPECT_EQ(view.zoom, 16);
    g_pGameState->zoom_request = 2;
    g_pTileMarker->MarkField(x, y, 2), g_pTileMarker->MarkArrow(x + 1, y);
    Click(WM_LBUTTONDOWN);
    EXPECT_EQ(view.zoom, 2);
    EXPECT_EQ(std::pair(CountMarks(2), CountMarks(-1)), std::pair(0, 0));  // all marks cleared
    view.tool = kToolBuilding;
    auto move_to = [&](plat::Point p) {
        plat::SetCursorPos(view.ClientToScreen(p));
        view.SendMessage(WM_MOUSEMOVE, 0, plat::MakeLParam(p.x, p.y));
        return std::pair(view.cursor_x, view.cursor_y);
    };
    host.h.Advance(300);
    const auto start = move_to(kAt);
    host.h.Advance(100);
    EXPECT_EQ(move_to({kAt.x + 128, kAt.y}), start);
    host.h.Advance(200);
    EXPECT_NE(move_to({kAt.x + 128, kAt.y}), start);
}

TEST_F(ViewTools, RaiseAndLowerMarkTheBrushSquare) {
    view.tool = kToolRaiseLower;
    for (const int32_t brush : {1, 3}) {
        panel->brush_size = brush;
        view.PickField(kAt.x, kAt.y);
        Click(brush == 1 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
        int marked = 0;
        for (const MapField& f : gs.fields) marked += f.cursor() == 1 ? 1 : 0;
        EXPECT_EQ(marked, brush * brush);
        EXPECT_EQ(Field().cursor(), 1);
    }
}

// Records the layer flags (2 ground, 1 objects) each redraw finds.
struct FlagSpy : SPIEL_FELD {
    FlagSpy() : SPIEL_FELD(kWatchOnly) {}
    void RedrawView() override {
        flags = g_pGameState->redraw_terrain * 2 + g_pGameState->redraw_objects;
        g_pGameState->redraw_terrain = g_pGameState->redraw_objects = 0;
    }
    int32_t flags = -1;
};

TEST_F(ViewTools, EachDisplayToggleFlipsItsOptionAndRedrawsItsLayers) {
    const std::tuple<uint16_t, int32_t CGameState::*, int32_t> cases[] = {
        {kCmdShowGrid, &CGameState::show_grid, 2},
        {kCmdShowTrees, &CGameState::show_trees, 1},
        {kCmdShowCityBuildings, &CGameState::show_city_buildings, 3},
        {kCmdShowCityNames, &CGameState::show_city_names, 1},
        {kCmdShowBuildingNames, &CGameState::show_building_names, 1},
        {kCmdShowProduction, &CGameState::show_production, 1},
    };
    auto tiles = [&] {
        const PaletteImage& t = gs.images.tile_sheet;
        return fvtest::PictureHash(t.width, t.Rows(), [&](int32_t r) {
            return &t.pixels[static_cast<size_t>(r) * t.Stride()];
        });
    };
    const uint64_t grid = tiles();
    const int32_t tree_rows = gs.images.tree_image.Rows();
    FlagSpy spy;
    for (const auto& [command, option, flags] : cases) {
        const int32_t was = gs.*option;
        ASSERT_TRUE(spy.OnDisplayCommand(command));
        EXPECT_EQ(std::pair(gs.*option, spy.flags), std::pair(1 - was, flags)) << command;
    }
    EXPECT_NE(tiles(), grid);
    EXPECT_LT(gs.images.tree_image.Rows(), tree_rows);  // the stumps row
    spy.ToggleGrid();
    EXPECT_EQ(tiles(), grid);
    EXPECT_FALSE(spy.OnDisplayCommand(kCmdShowGrid - 1));
}

struct PreviewsOnWorld : ViewTools {
    PreviewsOnWorld() : ViewTools(true) {}
};

// The field records without their mark bits, and the player's cash.
std::vector<uint8_t> WorldWithoutMarks(const CGameState& gs) {
    std::vector<uint8_t> bytes;
    for (MapField f : gs.fields) {
        f.set_cursor(0), f.set_cursorricht(false);
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
        g_pTileMarker->MarkStructureAt(i / kMapSize, i % kMapSize);
        outlined += CountMarks(2) > 0 ? 1 : 0;
    }
    EXPECT_GT(outlined, 0);
    EXPECT_EQ(WorldWithoutMarks(gs), before);
}

TEST_F(ViewTools, FlushingAPendingPreviewClearsItsMarksAndOverlay) {
    view.tool = kToolDemolish;
    std::tie(view.drag_start_x, view.drag_start_y) = std::pair(100, 100);
    MoveTo(102, 102);
    view.DrawMarkOverlay();
    ASSERT_EQ(CountMarks(1), 9);
    view.redraw_pending = 0;  // nothing shown since the last flush: nothing to do
    view.FlushPendingRedraw();
    EXPECT_EQ(CountMarks(1), 9);
    view.redraw_pending = 1;
    view.FlushPendingRedraw();
    EXPECT_EQ(std::tuple(CountMarks(1), view.overlay_list.size(), view.redraw_pending),
              std::tuple(0, 0u, 0));
    view.DrawMarkOverlay();  // the next redraw has nothing left to outline
    EXPECT_TRUE(view.overlay_list.empty());
}

TEST_F(ViewTools, PreviewDemolitionDragStopsNineFieldsFromTheStart) {
    std::tie(view.tool, view.drag_start_x, view.drag_start_y) = std::tuple(kToolDemolish, 100, 100);
    const int32_t cases[][4] = {{125, 100, 109, 100}, {75, 130, 91, 109}, {104, 96, 104, 96}};
    for (const auto& [x, y, want_x, want_y] : cases) {
        MoveTo(x, y);
        EXPECT_EQ(std::pair(view.cursor_x, view.cursor_y), std::pair(want_x, want_y));
        EXPECT_EQ(CountMarks(1), (std::abs(want_x - 100) + 1) * (std::abs(want_y - 100) + 1));
    }
}

TEST_F(ViewTools, PreviewBuildingToolMarksFootprintCatchmentAndTheStationArrows) {
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
    // A station's catchment is outlined from its head line, not from a platform field.
    PutBuilding(8, new CBuilding(x, y));
    gs.fields[FieldIndex(x, y + 1)] = Field();
    g_pTileMarker->MarkStructureAt(x, y + 1);
    EXPECT_EQ(CountMarks(2), 0);
    g_pTileMarker->MarkStructureAt(x, y);
    EXPECT_EQ(CountMarks(2), 14 * 11);
    // A type-6 station's area reaches its length beyond the five rows north.
    PutBuilding(6, new CTrainStation(x, y, false));
    g_pTileMarker->MarkStructureAt(x, y);
    EXPECT_EQ(std::pair(CountMarks(2), gs.fields[FieldIndex(x + 8, y - 6)].cursor()),
              std::pair(14 * 12, uint8_t{2}));
}

TEST_F(ViewTools, PreviewRouteOverAReservedFieldMarksOnlyItsStartAndCostsNothing) {
    for (int32_t x = 90; x <= 120; ++x) gs.fields[FieldIndex(x, 100)].set_teile_art(1);
    view.tool = kToolRoad;
    g_pWayNetwork->current_way_type = kWayAsphaltRoad;
    view.drag_start_x = view.drag_start_y = 100;
    MoveTo(110, 100);
    EXPECT_EQ(std::pair(g_pTileMarker->cost, CountMarks(1)), std::pair(11 * 220, 11));
    ASSERT_NE(g_pWayNetwork->path_list, nullptr);  // what the release lays
    gs.fields[FieldIndex(105, 100)].set_belegt(1);
    MoveTo(110, 100);
    EXPECT_EQ(std::tuple(g_pTileMarker->cost, CountMarks(1),
                         gs.fields[FieldIndex(100, 100)].cursor(), g_pWayNetwork->path_list),
              std::tuple(0, 1, 1, nullptr));
}

TEST_F(ViewTools, PreviewOverlayDrawsAtMostAThousandOutlinesAndNeverTheLastTwoRows) {
    std::tie(view.zoom, view.centre_y) = std::pair(4, 128.0 - view.view_origin);
    view.SetupProjection();
    int32_t marked = 0;  // 1001 fields of a diamond around the centre, all in view
    for (int32_t d = -18; d <= 18; ++d) {
        for (int32_t s = -36 + (d & 1); s <= 36 && marked < 1001; s += 2, ++marked) {
            g_pTileMarker->MarkField(view.CentreP() + (s + d) / 2, view.CentreQ() + (s - d) / 2, 1);
        }
    }
    view.DrawMarkOverlay();
    EXPECT_EQ(view.overlay_list.size(), 1001u);
    EXPECT_EQ(view.DrawOverlayItems(), 1000);
    g_pTileMarker->ClearAll();  // near the map's corner only (253, 253) is outlined
    view.centre_y = 250.0 - view.view_origin;
    view.SetupProjection();
    for (const auto& [x, y] : {std::pair(254, 250), std::pair(255, 200), std::pair(251, 254),
                               std::pair(255, 255), std::pair(253, 253)})
        g_pTileMarker->MarkField(x, y, 1 + x % 3);
    view.DrawMarkOverlay();
    EXPECT_EQ(view.DrawOverlayItems(), 1);
}

TEST_F(ViewTools, PreviewMarkRectOfALargeAreaMarksOnlyItsBorder) {
    CTileMarker& marker = *g_pTileMarker;
    marker.MarkRect(100, 100, 133, 133, 2);  // 33 x 33 differences: 1,089
    EXPECT_EQ(std::pair(CountMarks(1), CountMarks(2)), std::pair(4 * 34 - 4, 0));
    marker.ClearAll();
    marker.MarkRect(130, 133, 100, 100, 2);  // 30 x 33: 990, corners in either order
    EXPECT_EQ(std::pair(CountMarks(1), CountMarks(2)), std::pair(0, 31 * 34));
    marker.ClearAll();
    marker.MarkRect(-3, 250, 4, 260, 3);  // only where it lies on the map
    EXPECT_EQ(CountMarks(3), 5 * 6);
}

TEST_F(ViewTools, PreviewCatchmentAcrossTheMapEdgeIsMarkedOnlyOnTheMap) {
    view.tool = kToolBuilding;
    gs.selected_building_type = 22;  // a store: three fields around
    const BuildingType& t = gs.building_types[22];
    MoveTo(1, 254, 0);
    // x from -2 to w + 3, y from 251 to 256 + d: columns 0..w + 3, rows 251..255.
    EXPECT_EQ(CountMarks(1) + CountMarks(2) + CountMarks(3), (t.floor_width + 4) * 5);
    EXPECT_GT(CountMarks(2), 0);
}

TEST_F(ViewTools, PreviewBridgeAtTheMapEdgesReadsOnlyTheMapAndALongOneIsOnlyPriced) {
    view.tool = kToolRoad;
    view.bridge_mode = 1;
    g_pWayNetwork->current_way_type = kWayAsphaltRoad;
    for (MapField& f : gs.fields) f.set_teile_art(1);
    // Neighbours beyond the map count as unobstructed: the runs fit and cost
    // what the builder charges, one field more than they have.
    constexpr int32_t kFits = 8 * 880;
    const int32_t runs[][6] = {
        {0, 50, 6, 50, 7, kFits},       {255, 50, 249, 50, 7, kFits},
        {50, 0, 50, 6, 7, kFits},       {50, 255, 50, 249, 7, kFits},
        {0, 0, 0, 6, 7, kFits},         {255, 255, 249, 255, 7, kFits},
        {100, 50, 110, 50, 0, 11 * 880}};  // too long: not marked, priced at its fields
    for (const auto& [x1, y1, x2, y2, marked, cost] : runs) {
        std::tie(view.drag_start_x, view.drag_start_y) = std::pair(x1, y1);
        MoveTo(x2, y2);
        EXPECT_EQ(std::pair(CountMarks(1), g_pTileMarker->cost), std::pair(marked, cost))
            << x1 << "," << y1;
    }
}

// A hill rising away from a ramp at (x, y) of height 4: the ramp code, the
// way into the hill, the far ramp's code and the heights inside and at the
// far end, relative to the ramp.
struct Ramp {
    int32_t code, dx, dy, far_code, inside, far_step;
};
constexpr Ramp kRamps[] = {
    {1, 0, -1, 3, 0, -1}, {2, 1, 0, 4, 1, 1}, {3, 0, 1, 1, 1, 1}, {4, -1, 0, 2, 0, -1}};

void BuildHill(CGameState& gs, const Ramp& r, int32_t x, int32_t y, int32_t length) {
    for (int32_t k = 0; k <= length; ++k) {
        MapField* f = FieldAt(x + r.dx * k, y + r.dy * k);
        if (f == nullptr) return;
        *f = MapField{};
        f->set_teile_art(1);
        const bool far = k == length;
        f->set_teile_diff(k == 0 ? r.code : far ? r.far_code : 0);
        f->set_hoehe(4 + (k == 0 ? 0 : far ? r.far_step : r.inside));
    }
    (void)gs;
}

TEST_F(ViewTools, PreviewTunnelThroughEachRampOfAHill) {
    view.tool = kToolRoad;
    g_pWayNetwork->current_way_type = kWayAsphaltRoad;
    auto preview = [&](int32_t px, int32_t py) {
        view.tunnel_mode = 1;
        MoveTo(px, py, 0);
        return std::pair(CountMarks(1), g_pTileMarker->cost);
    };
    for (const Ramp& r : kRamps) {
        SCOPED_TRACE(r.code);
        BuildHill(gs, r, 120, 120, 4);
        const auto [marked, cost] = preview(120, 120);
        EXPECT_EQ(marked, 5);
        EXPECT_TRUE(cost > 0 && cost % 5 == 0) << cost;
        gs.cash[0] = 0;  // no cash, no preview
        g_pTileMarker->PreviewTunnel(120, 120);
        EXPECT_EQ(std::pair(CountMarks(1), g_pTileMarker->cost), std::pair(0, 0));
        gs.cash[0] = 100000000;
        FieldAt(120 + 2 * r.dx, 120 + 2 * r.dy)->set_hoehe(3);  // a field lower than the ramp
        EXPECT_EQ(preview(120, 120), std::pair(0, 0));
        BuildHill(gs, r, 120, 120, 4);
        FieldAt(120 + 2 * r.dx, 120 + 2 * r.dy)->set_tunnel(true);  // a tunnel already there
        EXPECT_EQ(preview(120, 120), std::pair(0, 0));
        // A hill that runs to the map edge has no far side.
        const int32_t ex = r.dx > 0 ? 251 : r.dx < 0 ? 4 : 60;
        const int32_t ey = r.dy > 0 ? 251 : r.dy < 0 ? 4 : 60;
        BuildHill(gs, r, ex, ey, 10);
        EXPECT_EQ(preview(ex, ey), std::pair(0, 0));
    }
}

TEST_F(ViewTools, PreviewThatMarksNothingLeavesNoOutlinesOfTheLastOne) {
    view.tool = kToolRoad;
    g_pWayNetwork->current_way_type = kWayAsphaltRoad;
    BuildHill(gs, kRamps[1], 120, 120, 4);
    view.tunnel_mode = 1;
    MoveTo(120, 120, 0);
    EXPECT_EQ(view.overlay_list.size(), 5u);
    MoveTo(100, 100, 0);  // no ramp: the outlines of the run go with the marks
    EXPECT_EQ(std::pair(CountMarks(1), view.overlay_list.size()), std::pair(0, size_t{0}));
    // A forest square that would leave the map marks nothing either.
    view.tunnel_mode = 0;
    view.tool = kToolForest;
    std::tie(view.drag_start_x, view.drag_start_y) = std::pair(120, 120);
    MoveTo(124, 122);
    EXPECT_EQ(view.overlay_list.size(), 32u);
    MoveTo(250, 122);
    EXPECT_EQ(std::pair(CountMarks(1), view.overlay_list.size()), std::pair(0, size_t{0}));
}

TEST_F(ViewTools, ReleasingAfterATunnelClickLaysNothing) {
    view.tool = kToolRoad;
    g_pWayNetwork->current_way_type = kWayAsphaltRoad;
    BuildHill(gs, kRamps[1], x, y, 4);
    view.tunnel_mode = 1;
    Click(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(view.tunnel_mode, 0);
    auto ways = [&] {
        int32_t n = 0;
        for (const MapField& f : gs.fields) n += f.wegtyp() != 0 ? 1 : 0;
        return n;
    };
    const int32_t before = ways();
    const auto cash = gs.cash[0];
    for (int32_t i = 1; i <= 6; ++i) gs.fields[FieldIndex(x - i, y)].set_teile_art(1);
    std::tie(view.drag_start_x, view.drag_start_y) = std::pair(x - 6, y);
    Click(WM_LBUTTONUP);
    EXPECT_EQ(std::pair(ways(), gs.cash[0]), std::pair(before, cash));
}

TEST_F(ViewTools, OverlayArrowTurnsWithTheViewAndOutlinesFollowTheTileCorners) {
    view.tool = kToolBuilding;
    g_pTileMarker->MarkField(x, y, 1);
    g_pTileMarker->MarkArrow(x, y);
    for (int32_t r = 0; r < 4; ++r) {
        for (int32_t o = 0; o < 4; ++o) {
            std::tie(gs.rotation, gs.build_orientation) = std::pair(r, o);
            view.DrawMarkOverlay();
            int32_t arrow = -1;
            for (const OverlayItem& item : view.overlay_list)
                if (item.kind == OverlayKind::Arrow) arrow = item.colour;
            EXPECT_EQ(arrow, (o + r) % 4) << r << " " << o;
        }
    }
    // Shape 0 at zoom 1: the four corners of the diamond are white on the
    // window, its middle keeps the picture.
    gs.rotation = 0;
    view.tool = kToolDemolish;
    view.SetupProjection();
    view.RedrawView();
    view.DrawMarkOverlay();
    ASSERT_EQ(view.overlay_list.size(), 1u);
    const OverlayItem item = view.overlay_list[0];
    const plat::Surface& window = view.GetSurface();
    const plat::RgbTable colours = host.Colours();
    auto white = [&](int32_t px, int32_t py) {
        const auto& c = colours[window.Row(py)[px]];
        return c[0] > 240 && c[1] > 240 && c[2] > 240;
    };
    const int32_t l = item.left, t = item.top;
    EXPECT_TRUE(white(l + 32, t + 1) && white(l + 62, t + 16) && white(l + 32, t + 31) &&
                white(l + 1, t + 16));
    // On the upper edges, halfway.
    EXPECT_TRUE(white(l + 47, t + 8) || white(l + 47, t + 9));
    EXPECT_TRUE(white(l + 16, t + 8) || white(l + 16, t + 9));
    EXPECT_FALSE(white(l + 32, t + 16));
}

}  // namespace
