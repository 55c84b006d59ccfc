// Traffic on a free game's generated world: 20 trucks and 5 trains run 2,000
// frames and are drawn in every rotation at zooms 1, 2 and 4 with the
// factories' animations, plates and signs; and a road dragged over open flat
// ground shows its route and costs what it previewed. The pictures go to the
// folder named by FV_VIEW_PNG (else a temporary one) as traffic-r<r>-z<z>.png
// and road-preview.png.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/input.h"
#include "platform/png_writer.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"
#include "view/map_layers.h"
#include "view/traffic_world.h"
#include "view/view_host.h"
#include "world/tile_marker.h"
#include "world/way_network.h"

namespace {

std::filesystem::path PictureFolder(const fvtest::TempFolder& temp) {
    const char* keep = std::getenv("FV_VIEW_PNG");
    const std::filesystem::path folder = keep != nullptr ? keep : temp.Path();
    std::filesystem::create_directories(folder);
    return folder;
}

int32_t DifferentPixels(const plat::Surface& a, const plat::Surface& b) {
    int32_t n = 0;
    for (int32_t y = 0; y < a.height; ++y) {
        for (int32_t x = 0; x < a.width; ++x) n += a.Row(y)[x] != b.Row(y)[x] ? 1 : 0;
    }
    return n;
}

TEST(WorldViewTrafficAcceptance, TrucksAndTrainsRunTwoThousandFramesAndShowInEveryView) {
    const fvtest::TempFolder temp;
    const std::filesystem::path folder = PictureFolder(temp);
    viewtest::ViewHost host;
    viewtest::TrafficWorld world(host);
    ASSERT_EQ(std::pair(world.trucks.size(), world.trains.size()),
              std::pair(size_t{20}, size_t{5}));
    std::vector<std::pair<int32_t, int32_t>> start;
    for (CVehicle* v : world.trucks) start.emplace_back(v->pos_x, v->pos_y);
    for (CVehicle* v : world.trains) start.emplace_back(v->pos_x, v->pos_y);
    world.Look(world.x0 + 20, world.y0 + 20, 0, 1);
    int32_t wagons_seen = 0;
    for (int32_t i = 0; i < 20; ++i) {
        world.Run(100);
        for (CVehicle* t : world.trains) wagons_seen = std::max(wagons_seen, t->wagon_count);
    }
    int32_t moved = 0;
    size_t i = 0;
    for (CVehicle* v : world.trucks)
        moved += start[i++] != std::pair<int32_t, int32_t>(v->pos_x, v->pos_y);
    int32_t trains_moved = 0;
    for (CVehicle* v : world.trains) {
        trains_moved += start[i++] != std::pair<int32_t, int32_t>(v->pos_x, v->pos_y);
    }
    EXPECT_GE(moved, 12);
    EXPECT_GE(trains_moved, 3);
    EXPECT_EQ(wagons_seen, 3);
    EXPECT_FALSE(host.view().animation_list.empty());

    for (int32_t r = 0; r < 4; ++r) {
        for (int32_t z : {1, 2, 4}) {
            const std::string name = "traffic-r" + std::to_string(r) + "-z" + std::to_string(z);
            SCOPED_TRACE(name);
            world.Look(world.x0 + (z == 1 ? 16 : 20), world.y0 + (z == 1 ? 16 : 20), r, z);
            const plat::Surface with = host.Picture();
            EXPECT_TRUE(plat::WritePng((folder / (name + ".png")).string(), with, host.Colours()));
            // Every vehicle on screen is drawn: hiding them all repaints
            // their rectangles with the map alone.
            int32_t on_screen = 0;
            for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
                const CVehicle& v = *n->vehicle;
                on_screen += v.visible == 1 && v.screen_box[0] >= 0 &&
                                     v.screen_box[1] < host.gs().view_width &&
                                     v.screen_box[2] >= 0 && v.screen_box[3] < host.gs().view_height
                                 ? 1
                                 : 0;
                n->vehicle->visible = 0;
            }
            EXPECT_GE(on_screen, z == 1 ? 5 : 15);
            host.view().DrawVehicles(0);
            EXPECT_GT(DifferentPixels(with, host.Picture()), on_screen * (40 / (z * z)));
            for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next)
                n->vehicle->visible =
                    host.view().IsTileInView(n->vehicle->pos_x, n->vehicle->pos_y);
            host.view().DrawVehicles(0);
        }
    }
    // The plates of the four owners' colours and the factories' signs, near.
    world.Look(world.x0 + 38, world.y0 + 14, 0, 1);
    EXPECT_TRUE(
        plat::WritePng((folder / "traffic-plates.png").string(), host.Picture(), host.Colours()));
}

TEST(WorldViewTrafficAcceptance, ADraggedRoadShowsItsRouteAndCostsWhatItPreviewed) {
    const fvtest::TempFolder temp;
    const std::filesystem::path folder = PictureFolder(temp);
    viewtest::ViewHost host;
    viewtest::TrafficWorld world(host);
    SPIEL_FELD& view = host.view();
    const int32_t row = world.y0 + 38;
    const int32_t from = world.x0 + 2;
    const int32_t to = world.x0 + 40;
    world.Look((from + to) / 2, row, 0, 2);
    // The client point over a field: the middle of its diamond.
    auto point_of = [&](int32_t x, int32_t y) {
        plat::Point p{-1, -1};
        ScanFields(ViewScan(view), [&](const ScanField& f) {
            if (f.x != x || f.y != y) return;
            const int32_t h = FieldAt(x, y)->hoehe();
            p = {f.screen_x + 32 / view.zoom, f.y_base - 8 * h / view.zoom + 16 / view.zoom};
        });
        return p;
    };
    const plat::Point a = point_of(from, row);
    const plat::Point b = point_of(to, row);
    ASSERT_TRUE(a.x >= 0 && b.x >= 0);
    view.tool = kToolRoad;
    g_pWayNetwork->current_way_type = kWayAsphaltRoad;
    host.h.Advance(300);
    plat::SetCursorPos(view.ClientToScreen(a));
    view.SendMessage(WM_MOUSEMOVE, 0, plat::MakeLParam(a.x, a.y));
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, plat::MakeLParam(a.x, a.y));
    ASSERT_EQ(std::pair(view.drag_start_x, view.drag_start_y), std::pair(from, row));
    // The drag, in steps the picking takes (one pick in 251 ms).
    for (int32_t k = 1; k <= 4; ++k) {
        host.h.Advance(300);
        const plat::Point p{a.x + (b.x - a.x) * k / 4, a.y + (b.y - a.y) * k / 4};
        plat::SetCursorPos(view.ClientToScreen(p));
        view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, plat::MakeLParam(p.x, p.y));
    }
    ASSERT_EQ(std::pair(view.cursor_x, view.cursor_y), std::pair(to, row));
    const int32_t previewed = g_pTileMarker->cost;
    int32_t outlined = 0;
    for (int32_t x = from; x <= to; ++x) outlined += FieldAt(x, row)->cursor() == 1 ? 1 : 0;
    EXPECT_EQ(outlined, to - from + 1);
    // With vehicles on the map the overlay follows each vehicle frame: it
    // stands on the window, white outlines over the route that the
    // composite does not hold.
    world.Run(1);
    const plat::Surface& window = view.GetSurface();
    EXPECT_TRUE(plat::WritePng((folder / "road-preview.png").string(), window, host.Colours()));
    const plat::RgbTable colours = host.Colours();
    const plat::Surface composite = host.Picture();
    for (const int32_t x : {from + 1, (from + to) / 2, to - 1}) {
        const plat::Point p = point_of(x, row);
        int32_t white = 0;
        for (int32_t y = p.y - 10; y <= p.y + 10; ++y) {
            for (int32_t x = p.x - 34 / view.zoom; x <= p.x + 34 / view.zoom; ++x) {
                const auto& c = colours[window.Row(y)[x]];
                const bool drawn = window.Row(y)[x] != composite.Row(y)[x];
                white += drawn && c[0] > 240 && c[1] > 240 && c[2] > 240 ? 1 : 0;
            }
        }
        EXPECT_GT(white, 16) << x;
    }
    const int32_t cash = host.gs().cash[0];
    view.SendMessage(WM_LBUTTONUP, 0, plat::MakeLParam(b.x, b.y));
    EXPECT_GT(previewed, 0);
    EXPECT_EQ(cash - host.gs().cash[0], previewed);
    for (int32_t x = from; x <= to; ++x) EXPECT_EQ(FieldAt(x, row)->wegtyp(), kWayAsphaltRoad) << x;
}

}  // namespace
